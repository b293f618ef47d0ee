#pragma once
// The text of the table sales detail and summary as lines, made when a line
// is asked for: a year of seatings comes to millions of lines, so a seating
// is held as its figures and its order lines, and the lines of its block
// (opening time, the order lines between rules, checkout time, bill and
// received amounts) are written from them. Other lines are held as text.
#include <QString>
#include <QStringList>
#include <deque>
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
    // A seating settled in the range; its order lines are
    // lines[firstLine, firstLine + lineCount).
    struct Seating {
        QString start;
        QString end;
        int bills = 0;
        Money received;
        Money billAmount;   // the amounts of its lines that are not free
        int firstLine = 0;
        int lineCount = 0;
    };

    // The dish names of the order lines, each held once.
    QStringList names;
    // A million lines and more for a year: a deque grows without copying them.
    std::deque<OrderLine> lines;
    std::vector<Seating> seatings;

    void clear();
    // Appends a line of text.
    void addLine(const QString& text);
    // Appends the block of seatings[index]; its order lines are in place.
    void addSeating(int index);

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

    struct Block {
        int firstRow;
        int seating;   // -1: the held text lines[text]
        int text;
    };
    std::vector<Block> m_blocks;
    QStringList m_texts;
    int m_rows = 0;
};
