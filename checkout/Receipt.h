#pragma once
// The customer's receipt of one checkout, in its two layouts: text for a
// dot-matrix printer (code page 936 columns, sent raw through the spooler)
// and lines for the printer object (font sizes, tabs, the amount to collect
// large and bold). Both print from a snapshot taken when the checkout was
// written, so a receipt shows exactly the lines that bill settled, at the
// prices they were charged.
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>
#include "db/Money.h"
#include "shell/PrintSet.h"

class PrinterObject;

struct ReceiptLine {
    QString name;        // the name stored on the order line
    Money price;         // the price stored on the order line (charged)
    Money quantity;      // negative on a returned line
    bool free = false;   // a free line costs nothing
    QString category;    // the dish's category; empty when the dish left the menu
    int entry = 0;       // the line's sequence within the seating (fsxh)
};

struct Receipt {
    PrintSetLines print;          // head and foot lines
    QString tableName;
    QString openTime;             // the seating's open time as the window shows it
    QString paymentMethod;
    QString operatorCode;
    QDateTime checkoutTime;
    Money waived;
    Money toCollect;
    std::vector<ReceiptLine> lines;   // the settled lines in print order
};

// Puts the lines in print order: entry order for the line order "Order"
// (exactly), otherwise by dish category.
void orderReceiptLines(Receipt& receipt, const QString& lineOrder);

// The text receipt: every line ends with CR LF; the last entry is the paper
// feed (ten CR LF in one write).
QStringList receiptTextLines(const Receipt& receipt);
// Prints the printer-object receipt and ends the document. A name at least
// 720 twips wide in font takes one TAB before the quantity, a narrower one two.
void printReceipt(PrinterObject& printer, const Receipt& receipt, const QFont& font);

// What a line charges: price × quantity, a free line 0.
Money lineCharge(const ReceiptLine& line);
// The total of a receipt: the charges of its lines.
Money receiptTotal(const Receipt& receipt);

// A text set to a column of the text layout: followed by blanks up to the
// column, counted in single-byte columns; a text wider than its column still
// gets one blank so the next field stays apart.
QString setToColumn(const QString& text, int column);
// An amount formatted "####.00": no digit before the point below 1 (.50).
QString formatHashes(Money amount);
