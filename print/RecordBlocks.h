#pragma once
// Record-block printing: the rows of a list on the printer object as a plain
// listing. A title line, then one block per row in which every printed column
// stands on a line of its own (its label, then the cell text as the list shows
// it), and at the end "打印日期：" with today's date. The stock bills, the
// stock-on-hand list, the ledgers and the reception sheets print this way.
#include <QString>
#include <QStringList>
#include <vector>

class ListView;
class RowSource;

struct RecordField {
    // The label as printed before the cell, colon and blanks included:
    // "商品名称：    " in the standard form, "预 订 人：" in the sheet form.
    QString label;
    // The list column, counted from 1 (1 is the row's own text).
    int column = 1;
};

struct RecordBlockOptions {
    // Issue the printer's start operation before the title.
    bool start = false;
    // Font sizes of the title and of the rest, in points; 0 keeps the
    // printer's current font for the whole listing.
    double titleFontSize = 0;
    double bodyFontSize = 0;
    // One rule before the first block and one after the last, none between
    // (the sheet form); otherwise every block stands between two rules and is
    // followed by an empty line.
    bool ruleAroundAll = false;

    // The reception sheets: start operation, title at 12 and body at 10
    // points, rules around all blocks.
    static RecordBlockOptions sheet();
};

// Prints the listing and ends the document. Callers make their own checks
// (printer installed, list not empty) first; this asks the user nothing.
void PrintRecordBlocks(const std::vector<QStringList>& rows, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options = {});
void PrintRecordBlocks(const ListView& list, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options = {});
// The rows of a long list, read one at a time as they are printed.
void PrintRecordBlocks(const RowSource& rows, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options = {});
