#pragma once
// Seatings and order lines as the ordering windows read and write them: the
// words shown for the line kind and the serve state, the staff lists of the
// seating dialogs, and the amounts of stored lines.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include "db/Money.h"

namespace Ordering {

// Line kind (strink_mess_200505.sts): "0" ordered, "1" returned, "2" free, "3" added.
inline const QString KindOrdered = QStringLiteral("0");
inline const QString KindReturned = QStringLiteral("1");
inline const QString KindFree = QStringLiteral("2");
inline const QString KindAdded = QStringLiteral("3");

// The serving mark of every line: not yet sent to the table.
inline const QString NotServed = QStringLiteral("未传");

// The word shown for a line kind; empty for a code outside the set.
QString lineKindWord(const QString& code);
// The code of a shown word; an empty text for a word outside the set.
QString lineKindCode(const QString& word);
// The word shown for a serve state (0 ordered .. 4 takeaway); empty otherwise.
QString serveStateWord(const QVariant& state);
// The code of a shown serve-state word; Null for a word outside the set.
QVariant serveStateCode(const QString& word);

// A table as the ordering windows show it: its name, its type's name and
// its state (othersts), trimmed.
struct TableRow {
    QString name, typeName, state;
};
std::optional<TableRow> tableRow(const QString& tableId);
// The table has a current seating: an open one, or a settled one not yet
// cleared.
bool tableHasSeating(const QString& tableId);

// Every employee's name, in the order of the staff table.
QStringList employeeNames();
// The code stored for a chosen name: the first employee of that name in the
// staff table; Null when there is none.
QVariant employeeCode(const QString& name);

// A text to store: empty text stays empty text, never Null.
inline QString storedText(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

// The amount of an entered line: price × quantity, rounded to cents with
// halves to even.
Money lineAmount(Money price, Money quantity);

// What an ordering window last saw of its seating: the seating, its table
// (id and name), the seating's sts and end_date and the table's othersts.
// The states are kept trimmed and in capitals, end_date as stored.
struct SeatingSeen {
    QString seatingId, tableId, tableName;
    QString sts, tableState;
    QVariant endDate;
};
// The seating as stored now; an empty tableId when there is no such seating.
SeatingSeen seeSeating(const QString& seatingId);
// Read inside the write transaction of a placing, a free dish or a return:
// why the seating is no longer the one the window last saw (another till
// settled, cleared, continued or moved it), naming the table; an empty text
// while it still is its table's current seating, unchanged.
QString seatingChange(const SeatingSeen& seen);
// The fsxh of the seating's next stored line: one past the highest stored,
// 0 for the first. Read inside the write transaction that stores the line.
int nextLineNumber(const QString& seatingId);

// An order line as it is stored.
struct StoredLine {
    QString seatingId;
    int fsxh = 0;
    QString dishCode;
    QString dishName;
    QString unit;
    Money quantity;
    Money price;
    QString dept;        // send_addr
    QString kind;        // sts: a line-kind code, or empty (not written)
    QVariant state;      // a serve-state code, or Null (not written)
    QString memo;
};
// Appends the line: unsettled, written now, its line id the seating id and
// the dish code.
void insertLine(const StoredLine& line);

// The diners text of the seating dialogs as a number: a whole number from 0
// to 999 after trimming; false for anything else.
bool parseDiners(const QString& text, int* diners);

} // namespace Ordering
