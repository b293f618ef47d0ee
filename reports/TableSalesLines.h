#pragma once
// The text of the table sales detail and summary as lines, made when a line
// is asked for: a year of seatings comes to millions of lines, so a seating
// is held as its figures and the numbers of its order lines, and the lines of
// its block (opening time, the order lines between rules, checkout time, bill
// and received amounts) are written from them. A year's million order lines
// come to a few thousand distinct ones (a dish, a quantity, a price, free or
// not), each held once with its text. Other lines are held as text.
#include <QString>
#include <QStringList>
#include <QByteArrayView>
#include <QStringView>
#include <vector>
#include "db/Money.h"
#include "platform/ModelListView.h"

class TableSalesLines : public RowSource {
public:
    struct OrderLine {
        Money quantity;
        Money price;
        int name = 0;   // index into names
        bool free = false;
    };
    // A seating settled in the range; its order lines are the numbers
    // lines[firstLine, firstLine + lineCount).
    struct Seating {
        Money received;
        Money billAmount;   // the amounts of its lines that are not free
        qint64 start = 0;   // opening and checkout times as shown, kept by keepTime
        qint64 end = 0;
        int bills = 0;
        quint32 firstLine = 0;
        quint32 lineCount = 0;
    };

    // The dish names of the order lines, each held once.
    QStringList names;
    std::vector<Seating> seatings;
    // The seatings' order lines, seating after seating, as numbers of the
    // distinct lines.
    std::vector<quint32> lines;

    void clear();
    // A time as a seating keeps it: a time of the usual form
    // "yyyy-MM-dd HH:mm:ss" as its digits (yyyyMMddHHmmss), any other text
    // held aside (a negative number).
    static qint64 packedTime(QByteArrayView text);   // -1: not of the usual form
    qint64 keepTime(QStringView shown);
    QString timeText(qint64 time) const;
    int timeSize(qint64 time) const { return time >= 0 ? 19 : int(m_oddTimes[-1 - time].size()); }

    // Appends a seating with no order lines yet; returns its index.
    int addSeating(const Seating& s);
    // Takes in a distinct order line; returns its number.
    int addOrderLine(const OrderLine& line);
    const OrderLine& orderLine(int number) const { return m_orderLines[size_t(number)].line; }
    // The amount of a distinct order line, nothing when it is free.
    Money orderLineAmount(int number) const { return m_orderLines[size_t(number)].amount; }

    // Appends a line of text.
    void addLine(const QString& text);
    // Appends the block of seatings[index]; its order lines are in place.
    void addSeatingBlock(int index);

    bool isEmpty() const { return m_rows == 0; }
    int rowCount() const override { return m_rows; }
    QString cell(int row, int column) const override;
    QString line(int row) const;
    // The whole text as printed: every line ended by CR LF.
    QString text() const;

    // An order line of the detail: the name, the quantity and the amount, set
    // to columns by TABs after their width in single-byte columns.
    QString orderLineText(const OrderLine& line) const;
    // Its amount, nothing when it is free.
    static Money amountOf(const OrderLine& line);

    // A line at least as wide as any line held, for sizing the view: the
    // held texts, the seating lines and the order lines with the widest name
    // and the longest numbers.
    QStringList widestLines() const;

private:
    static int seatingRows(const Seating& s);
    QString seatingLine(const Seating& s, int k) const;

    struct Distinct {
        OrderLine line;
        Money amount;
        QString text;
    };
    std::vector<Distinct> m_orderLines;
    // The times not of the usual form.
    QStringList m_oddTimes;

    struct Block {
        int firstRow;
        int seating;   // -1: the held text lines[text]
        int text;
    };
    std::vector<Block> m_blocks;
    QStringList m_texts;
    int m_rows = 0;
};
