#include "print/RecordBlocks.h"

#include "db/DateTimeText.h"
#include "platform/Controls.h"
#include "platform/Printer.h"
#include "platform/Seams.h"

RecordBlockOptions RecordBlockOptions::sheet()
{
    RecordBlockOptions o;
    o.start = true;
    o.titleFontSize = 12;
    o.bodyFontSize = 10;
    o.ruleAroundAll = true;
    return o;
}

std::vector<QStringList> ListRows(const ListView& list)
{
    std::vector<QStringList> rows;
    rows.reserve(size_t(list.count()));
    const int columns = list.columnCount();
    for (int r = 0; r < list.count(); ++r) {
        QStringList cells{list.text(r)};
        for (int c = 1; c < columns; ++c)
            cells << list.subItem(r, c);
        rows.push_back(cells);
    }
    return rows;
}

void PrintRecordBlocks(const std::vector<QStringList>& rows, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options)
{
    PrinterObject& p = PrinterSeam::printer();
    const QString rule(ruleWidth, u'=');
    if (options.start)
        p.startDoc();
    if (options.titleFontSize > 0) {
        p.setBold(false);
        p.setFontSize(options.titleFontSize);
    }
    p.printLine(title);
    if (options.bodyFontSize > 0)
        p.setFontSize(options.bodyFontSize);
    if (options.ruleAroundAll)
        p.printLine(rule);
    for (const QStringList& cells : rows) {
        if (!options.ruleAroundAll)
            p.printLine(rule);
        for (const RecordField& f : fields)
            p.printLine(f.label + cells.value(f.column - 1));
        if (!options.ruleAroundAll)
            p.printLine(rule);
        p.printLine(QString());
    }
    if (options.ruleAroundAll)
        p.printLine(rule);
    p.printLine(QStringLiteral("打印日期：") + DateTimeText::formatDate(Clock::today()));
    p.endDoc();
}

void PrintRecordBlocks(const ListView& list, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options)
{
    PrintRecordBlocks(ListRows(list), title, ruleWidth, fields, options);
}
