#include "print/RecordBlocks.h"

#include "db/DateTimeText.h"
#include "platform/Controls.h"
#include "platform/ModelListView.h"
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

namespace {

// Rows held as cell texts, for the callers that have them so.
class CellRows : public RowSource {
public:
    explicit CellRows(const std::vector<QStringList>& rows) : m_rows(rows) {}
    int rowCount() const override { return int(m_rows.size()); }
    QString cell(int row, int column) const override { return m_rows[size_t(row)].value(column); }

private:
    const std::vector<QStringList>& m_rows;
};

} // namespace

void PrintRecordBlocks(const RowSource& rows, const QString& title, int ruleWidth,
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
    const int count = rows.rowCount();
    for (int r = 0; r < count; ++r) {
        if (!options.ruleAroundAll)
            p.printLine(rule);
        for (const RecordField& f : fields)
            p.printLine(f.label + rows.cell(r, f.column - 1));
        if (!options.ruleAroundAll)
            p.printLine(rule);
        p.printLine(QString());
    }
    if (options.ruleAroundAll)
        p.printLine(rule);
    p.printLine(QStringLiteral("打印日期：") + DateTimeText::formatDate(Clock::today()));
    p.endDoc();
}

void PrintRecordBlocks(const std::vector<QStringList>& rows, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options)
{
    PrintRecordBlocks(CellRows(rows), title, ruleWidth, fields, options);
}

void PrintRecordBlocks(const ListView& list, const QString& title, int ruleWidth,
                       const std::vector<RecordField>& fields, const RecordBlockOptions& options)
{
    PrintRecordBlocks(ListViewRows(list), title, ruleWidth, fields, options);
}
