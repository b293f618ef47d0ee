#pragma once
// Stock moves: stock-in and stock-out bills, their lines and the stock
// counters (`store`), written in one place for every writer (the ordering
// window's sales, free dishes and returns, and the stock-in and stock-out
// windows). Every function here runs inside the caller's write transaction
// (a `Transaction` the caller holds), so a bill, its line and its counter
// change are stored together or not at all. Quantities, prices and amounts
// are Decimal: kept as typed and summed exactly, in the lines and the
// counters alike.
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>
#include "db/Decimal.h"

namespace StockPosting {

enum class BillTable { In, Out };   // stock_in_bill / stock_out_bill

// A free stock bill number in the given bill table: the current second as
// 14 digits "yyyyMMddHHmmss", stepped forward one second at a time (with the
// carry into the next minute, hour, day) until no bill of that table has it.
// Call it inside the write transaction that inserts the bill.
QString allocateBillNumber(BillTable table);
// Whether a bill of that number is stored (number compared without blanks).
bool billExists(BillTable table, const QString& number);

// Header of a stock-in bill. Texts left null are stored as Null (the
// column's default); a writer sets exactly the columns it writes.
struct InBill {
    QString stock_bill_id;
    QVariant bill_num;
    QString stock_in_date;   // stored text, "yyyy-MM-dd 00:00:00"
    QVariant in_man, in_man_name, pay_style, buy_man, buy_man_name, demo, ckh, fs, repr_name;
    bool operator==(const InBill&) const = default;
};
struct InLine {
    QString stock_bill_id;
    int id = 1;
    QString code;
    QVariant name, type, pch, jzsl, gqsj, scs, unit;
    Decimal num, price, je;
};
struct OutBill {
    QString stock_bill_id;
    QVariant bill_num;
    QVariant repr_name;
    QString stock_out_date;  // stored text, "yyyy-MM-dd 00:00:00"
    QVariant get_man, get_man_name, val_man, val_man_name, ckh, demo, fs;
    bool operator==(const OutBill&) const = default;
};
struct OutLine {
    QString stock_bill_id;
    int id = 1;
    QString code;
    Decimal num, price, zhks;
};

void insertInBill(const InBill& bill);
void insertInLine(const InLine& line);
void insertOutBill(const OutBill& bill);
void insertOutLine(const OutLine& line);

// The counter row of a goods code, as stored now.
struct Counter {
    QString code;
    QString ckh;
    Decimal rks, cks, zje, ckje;
    QString yearmonth;
    Decimal onHand() const { return rks - cks; }
};
std::optional<Counter> counter(const QString& goodsCode);

// Counter rules, one per writer. Each reads the row inside the caller's
// transaction and changes only the columns its writer changes.

// Placed order and dish given free: only when the goods has a row.
// ckh := "综合库", cks += quantity, ckje := zje + unit price.
// Returns false (nothing written) when there is no row.
bool postSale(const QString& goodsCode, Decimal quantity, Decimal unitPrice);
// Dish return: ckh := "综合库", rks += quantity, zje += quantity × price,
// yearmonth := "yyyyMM" of today; a new row when there is none.
void postReturn(const QString& goodsCode, Decimal quantity, Decimal unitPrice);
// New stock-in line: ckh := the bill's warehouse, rks += Q, zje += A,
// yearmonth := "yyyyMMdd" of today; a new row (cks 0) when there is none.
void postStockIn(const QString& goodsCode, const QString& warehouse, Decimal quantity, Decimal amount);
// Edited stock-in line: rks += dQ, zje += dA, yearmonth := "yyyyMMdd".
// Without a row, the row is made from the code's stored stock-in and
// stock-out lines, so it still adds up: write the edited line first.
void postStockInEdit(const QString& goodsCode, Decimal quantityDelta, Decimal amountDelta);
// New stock-out line: ckh := the bill's warehouse, cks += Q, ckje := zje + A.
// Returns false (nothing written) when there is no row.
bool postStockOut(const QString& goodsCode, const QString& warehouse, Decimal quantity, Decimal amount);
// Edited stock-out line: cks += dQ, ckje := zje + dA. Without a row, the row
// is made from the code's stored lines, as for a stock-in edit.
void postStockOutEdit(const QString& goodsCode, Decimal quantityDelta, Decimal amountDelta);

// Who books a sale or a return: the operator's code and name as the bills
// store them.
struct Booker {
    QString id;     // stored as get_man / val_man, in_man / buy_man
    QString name;   // stored as get_man_name / val_man_name, in_man_name / buy_man_name
};

// A dish sold or given free: its linked goods booked out on a stock-out bill
// of its own with one line (bill_num 2, ckh "综合库", fs "销售出库",
// repr_name "吧台", demo the note), then the sale's counter rule. The goods
// code is used as stored. Nothing is written when the goods has no counter
// row. Returns the bill number, or an empty text when nothing was booked.
QString bookSale(const QString& goodsCode, Decimal quantity, Decimal unitPrice, const QString& note, const Booker& by);
// A dish returned: its linked goods booked back in on a stock-in bill of its
// own with one line (bill_num 2, pay_style "001", ckh "综合库", fs
// "销售入库", repr_name "吧台", demo the reason, jzsl 1, je price × quantity),
// then the return's counter rule. Booked only when the goods has a counter
// row under the link as stored; the bill line and the counter take the code
// without surrounding blanks. Returns the bill number, or an empty text.
QString bookReturn(const QString& goodsLink, Decimal quantity, Decimal unitPrice, const QString& reason, const Booker& by);

// The day as stored in the date columns of the stock bills.
QString storedDay(const QDate& day);

// ---- bills and lines of the stock-in and stock-out windows ------------------
// A window writes a bill, or a line with its counter change, inside its own
// write transaction. What an edit acts on is read here, inside that
// transaction, so a line's edit moves the counter from the line as stored,
// whatever the window showed.

// The stored bill of that number (compared without surrounding blanks).
std::optional<InBill> storedInBill(const QString& number);
std::optional<OutBill> storedOutBill(const QString& number);
// A new bill of the window: written when its number is free; false (nothing
// written) when a bill of that number is stored already.
bool addInBill(const InBill& bill);
bool addOutBill(const OutBill& bill);
// Rewrites every column of the stored bill but its number.
void rewriteInBill(const InBill& bill);
void rewriteOutBill(const OutBill& bill);

enum class LineSave { Saved, Duplicate, NoLine, ShortOfStock };

// The stored line of a bill and goods code (the first stored, should the bill
// hold the code twice).
std::optional<InLine> storedInLine(const QString& billNumber, const QString& goodsCode);
std::optional<OutLine> storedOutLine(const QString& billNumber, const QString& goodsCode);

// A new stock-in line: Duplicate (nothing written) when the bill holds the
// goods already; otherwise the line and the new stock-in line's counter rule
// with the bill's warehouse as stored. DbError Changed when the bill is gone.
LineSave addStockInLine(const InLine& line);
// An edited stock-in line, found by bill and goods code: the line rewritten
// and the counter moved by the new values minus the stored ones. NoLine
// (nothing written) when the bill holds no line of that code.
LineSave editStockInLine(const InLine& line);

// The stock an edited stock-out line may take: on hand plus the line's own
// stored quantity. Without a counter row, on hand is worked out from the
// code's stored lines, as the edit's posting then makes the row.
Decimal stockForEditedLine(const QString& billNumber, const QString& goodsCode);
// A new stock-out line: Duplicate when the bill holds the goods already,
// ShortOfStock when the stock (checked now, inside the transaction) is less
// than its quantity; otherwise the line and the new stock-out line's counter
// rule with the bill's warehouse as stored. Nothing is written unless Saved.
// DbError Changed when the bill is gone.
LineSave addStockOutLine(const OutLine& line);
// An edited stock-out line (its quantity and price): NoLine when the bill
// holds no line of that code, ShortOfStock when the stock for an edited line
// is less than the new quantity; otherwise the line rewritten and the counter
// moved by the new values minus the stored ones.
LineSave editStockOutLine(const OutLine& line);

} // namespace StockPosting
