#pragma once
// The lines of the stock bills of a range of days, each with its bill and its
// goods record, as the ledgers and the running account list them. A year of
// stock-out lines is hundreds of thousands of rows, so a row is held small:
// a bill holds its number as stored and the places of its day, supplier or
// department, warehouse and way among the few texts these take; a line holds
// the places of its bill and goods record and its own figures. The texts of a
// row are made when the list shows it.
#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariantList>
#include <deque>
#include <vector>
#include "db/Decimal.h"

class LedgerRows {
public:
    enum Direction { In, Out };

    struct Goods {
        QString code, name, cls, spec, unit;
    };
    struct Condition {
        QString where;
        QVariantList params;
    };

    // Appends the lines of the bills of one direction whose stored day lies
    // from `from` to `to`, both included, that have a goods record (a line
    // whose goods record is gone is passed over), in the order their bills
    // and then their lines were stored. billWhere narrows the bills (b.),
    // goodsWhere the goods (g.), each with its values. Throws DbError; on
    // failure nothing is appended.
    void read(Direction direction, const QDate& from, const QDate& to, const Condition& billWhere = {},
              const Condition& goodsWhere = {});
    void clear();

    int size() const { return int(m_lines.size()); }
    Direction direction(int row) const { return line(row).out ? Out : In; }
    QString number(int row) const;                      // the bill's number
    const QString& day(int row) const { return m_texts[size_t(bill(row).day)]; }
    const QString& party(int row) const { return m_texts[size_t(bill(row).party)]; }   // supplier or department
    const QString& warehouse(int row) const { return m_texts[size_t(bill(row).warehouse)]; }
    const QString& way(int row) const { return m_texts[size_t(bill(row).way)]; }
    const Goods& goods(int row) const { return m_goods[size_t(line(row).goods)]; }
    // The goods code as the line holds it.
    const QString& code(int row) const;
    Decimal num(int row) const { return line(row).num; }
    Decimal price(int row) const { return line(row).price; }

private:
    struct Bill {
        qint64 rowid = 0;
        qsizetype number = 0;   // where its number starts in m_numbers
        int numberLength = 0;
        int day = 0, party = 0, warehouse = 0, way = 0;   // places in m_texts
    };
    struct Line {
        qint64 rowid = 0;
        Decimal num, price;
        int bill = 0;
        int goods = 0;
        int code = -1;   // -1: the goods code itself; else a place in m_texts
        bool out = false;
    };
    const Line& line(int row) const { return m_lines[size_t(row)]; }
    const Bill& bill(int row) const { return m_bills[size_t(line(row).bill)]; }
    int textPlace(const QString& text);

    // Deques: a year of rows grows without copying what it holds.
    std::deque<Bill> m_bills;
    std::deque<Line> m_lines;
    std::deque<Goods> m_goods;
    QByteArray m_numbers;                 // the bills' numbers, one after another
    std::vector<QString> m_texts;         // days, parties, warehouses, ways, odd codes
    QHash<QString, int> m_textPlaces;
};
