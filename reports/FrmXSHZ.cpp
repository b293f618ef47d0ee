#include "reports/FrmXSHZ.h"

#include <QStyle>
#include "db/Database.h"
#include "platform/Blanks.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/CodePage936.h"
#include "print/RawPrintJob.h"
#include "reports/SalesTotals.h"
#include "reports/SeatingTotals.h"
#include "shell/Module1.h"
#include "shell/PrintSet.h"

TABULOR_REGISTER_FORM(FrmXSHZ);

using Module1::SharedRecordset2;

namespace {

const QString TotalCaption = QStringLiteral("合    计");
// The by-table headers: the window opens under them, and a by-table result shows under them.
const QStringList ByTableHeaders{QStringLiteral("房台号"), QStringLiteral("房台名称"), QStringLiteral("就餐人数"),
                                 QStringLiteral("应收金额"), QStringLiteral("实收金额"), QStringLiteral("免收金额")};
constexpr int ColumnTwips = 1500;
// The spooler layout sets the amount at this column.
constexpr int SpoolerAmountColumn = 28;

Money moneyField(const Recordset& rs, const QString& name)
{
    return Money::fromVariant(rs.field(name));
}

// Titles of the printed header: the name column and the amount column.
struct PrintTitles {
    QString name;
    QString spoolerAmount;
};

PrintTitles printTitles(const QString& mode)
{
    if (mode == FrmXSHZ::ByCategory)
        return {QStringLiteral("分类名称"), QStringLiteral("实收金额")};
    if (mode == FrmXSHZ::ByDish)
        return {QStringLiteral("商品名称"), QStringLiteral("实收金额")};
    return {QStringLiteral("房台名称"), QStringLiteral("金额")};
}

// Tabs after a name on the printer object, by its width in single-byte
// columns: the amounts line up with tab stops every 8 columns.
QString tabsAfter(const QString& name)
{
    const int w = AnsiTextWidth(name);
    return QString(w < 8 ? 3 : w < 16 ? 2 : 1, u'\t');
}

// "yyyy-MM-dd" and "HH:mm:ss" of a period bound.
QString datePart(const QString& bound) { return bound.section(u' ', 0, 0); }
QString timePart(const QString& bound) { return bound.section(u' ', 1, 1); }

// A dot-matrix printer in the print settings takes the text straight through
// the spooler; settings that cannot be read print on the printer object.
bool printRaw()
{
    try {
        return UseRawPrinting();
    } catch (const DbError&) {
        return false;
    }
}

} // namespace

FrmXSHZ::FrmXSHZ()
{
    setWindowTitle(QStringLiteral("销售查询"));
    setClientSizeTwips(9900, 7080);

    FrameMode = new QGroupBox(QStringLiteral("查询方式"), this);
    Twips::place(FrameMode, 120, 60, 2400, 1200);
    Combo1 = new QComboBox(FrameMode);
    Combo1->addItems({ByTable, ByCategory, ByDish});
    Twips::place(Combo1, 240, 480, 1920, 330);
    Label1 = new QLabel(ByTable, FrameMode);
    Twips::place(Label1, 240, 840, 1920, 270);
    Label1->setVisible(false);

    FrameRange = new QGroupBox(QStringLiteral("时间范围"), this);
    Twips::place(FrameRange, 2640, 60, 5280, 1200);
    auto* fromLabel = new QLabel(QStringLiteral("起始:"), FrameRange);
    Twips::place(fromLabel, 180, 360, 600, 270);
    DTPFrom = reportDatePicker(FrameRange);
    Twips::place(DTPFrom, 780, 300, 2100, 345);
    DTPicker2[0] = reportTimePicker(FrameRange);
    Twips::place(DTPicker2[0], 3000, 300, 1680, 345);
    auto* toLabel = new QLabel(QStringLiteral("结束:"), FrameRange);
    Twips::place(toLabel, 180, 780, 600, 270);
    DTPTo = reportDatePicker(FrameRange);
    Twips::place(DTPTo, 780, 720, 2100, 345);
    DTPicker2[1] = reportTimePicker(FrameRange);
    Twips::place(DTPicker2[1], 3000, 720, 1680, 345);

    QStyle* st = style();
    cmdQuery = new QPushButton(st->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("查询"), this);
    Twips::place(cmdQuery, 8100, 120, 1680, 360);
    cmdPrint = new QPushButton(st->standardIcon(QStyle::SP_DriveFDIcon), QStringLiteral("打印"), this);
    Twips::place(cmdPrint, 8100, 510, 1680, 360);
    cmdExit = new QPushButton(st->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("退出"), this);
    Twips::place(cmdExit, 8100, 900, 1680, 360);
    for (QPushButton* b : {cmdQuery, cmdPrint, cmdExit})
        b->setAutoDefault(false);

    ListView1 = new ListView(this);
    Twips::place(ListView1, 120, 1380, 9660, 5580);

    connect(cmdQuery, &QPushButton::clicked, this, &FrmXSHZ::cmdQuery_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &FrmXSHZ::cmdPrint_Click);
    connect(cmdExit, &QPushButton::clicked, this, &FrmXSHZ::cmdExit_Click);
}

void FrmXSHZ::Form_Load()
{
    setDayRange(DTPFrom, DTPicker2[0], DTPTo, DTPicker2[1]);
    ListView1->clear();
    setHeaders(ByTableHeaders, false);
    Combo1->setCurrentIndex(0);
}

void FrmXSHZ::Form_Unload()
{
    // No result outlives the window.
    SharedRecordset2 = Recordset();
}

void FrmXSHZ::setHeaders(const QStringList& captions, bool firstLeftOthersRight)
{
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    for (int c = 0; c < captions.size(); ++c)
        ListView1->addColumn(captions[c], ColumnTwips,
                             firstLeftOthersRight && c > 0 ? Qt::AlignRight : Qt::AlignLeft);
}

void FrmXSHZ::cmdQuery_Click()
{
    const ReportPeriod period = periodFromPickers(DTPFrom, DTPicker2[0], DTPTo, DTPicker2[1]);
    setReportPeriod(period);
    const QString mode = Combo1->currentText();
    if (mode != ByTable && mode != ByCategory && mode != ByDish)
        return;

    SharedRecordset2 = Recordset();
    m_resultPeriod = ReportPeriod();
    if (!RunDbAction([&] {
            if (mode == ByTable)
                SharedRecordset2 = SeatingTotals::byTable(period);
            else if (mode == ByCategory)
                SharedRecordset2 = SalesTotals::byCategory(period);
            else
                SharedRecordset2 = SalesTotals::byDish(period);
        })) {
        SharedRecordset2 = Recordset();
        return;
    }
    m_resultPeriod = period;
    if (SharedRecordset2.empty()) {
        MsgBox(QStringLiteral("无指定条件的记录返回!"), Msg::Information, QStringLiteral("提示"));
        return;
    }
    showResult(mode);
    Label1->setText(mode);
}

void FrmXSHZ::showResult(const QString& mode)
{
    Recordset& rs = SharedRecordset2;
    ListView1->clear();
    if (mode == ByTable) {
        setHeaders(ByTableHeaders, true);
        qint64 diners = 0;
        Money fee, received, waived;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const qint64 rowDiners = rs.field(QStringLiteral("就餐人数")).toLongLong();
            const Money rowFee = moneyField(rs, QStringLiteral("应收金额"));
            const Money rowReceived = moneyField(rs, QStringLiteral("实收金额"));
            const Money rowWaived = moneyField(rs, QStringLiteral("免收金额"));
            const int row = ListView1->add(rs.field(QStringLiteral("房台号")).toString());
            ListView1->setSubItem(row, 1, rs.field(QStringLiteral("房台名称")).toString());
            ListView1->setSubItem(row, 2, wholeOrBlank(rowDiners));
            ListView1->setSubItem(row, 3, amountText(rowFee));
            ListView1->setSubItem(row, 4, amountText(rowReceived));
            ListView1->setSubItem(row, 5, amountText(rowWaived));
            diners += rowDiners;
            fee += rowFee;
            received += rowReceived;
            waived += rowWaived;
        }
        const int row = ListView1->add(TotalCaption);
        ListView1->setSubItem(row, 1, QString::number(rs.RecordCount()));
        ListView1->setSubItem(row, 2, QString::number(diners));
        ListView1->setSubItem(row, 3, amountText(fee));
        ListView1->setSubItem(row, 4, amountText(received));
        ListView1->setSubItem(row, 5, amountText(waived));
    } else if (mode == ByCategory) {
        setHeaders({QStringLiteral("名类名称"), QStringLiteral("金    额"), QStringLiteral("赠单金额"),
                    QStringLiteral("应收金额")},
                   true);
        Money amount, free;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const Money rowAmount = moneyField(rs, QStringLiteral("金额"));
            const Money rowFree = moneyField(rs, QStringLiteral("赠单金额"));
            const int row = ListView1->add(rs.text(QStringLiteral("分类名称")));
            ListView1->setSubItem(row, 1, amountText(rowAmount));
            ListView1->setSubItem(row, 2, amountText(rowFree));
            ListView1->setSubItem(row, 3, amountText(rowAmount - rowFree));
            amount += rowAmount;
            free += rowFree;
        }
        const int row = ListView1->add(TotalCaption);
        ListView1->setSubItem(row, 1, amountText(amount));
        ListView1->setSubItem(row, 2, amountText(free));
        ListView1->setSubItem(row, 3, amountText(amount - free));
    } else {
        setHeaders({QStringLiteral("品    名"), QStringLiteral("数    量"), QStringLiteral("单    价"),
                    QStringLiteral("金    额"), QStringLiteral("赠单金额"), QStringLiteral("应收金额")},
                   true);
        Money amount, free;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const Money rowAmount = moneyField(rs, QStringLiteral("金额"));
            const Money rowFree = moneyField(rs, QStringLiteral("赠单金额"));
            const int row = ListView1->add(rs.field(QStringLiteral("品名")).toString());
            ListView1->setSubItem(row, 1, moneyField(rs, QStringLiteral("数量")).plain());
            ListView1->setSubItem(row, 2, amountText(moneyField(rs, QStringLiteral("单价"))));
            ListView1->setSubItem(row, 3, amountText(rowAmount));
            ListView1->setSubItem(row, 4, amountText(rowFree));
            ListView1->setSubItem(row, 5, amountText(rowAmount - rowFree));
            amount += rowAmount;
            free += rowFree;
        }
        const int row = ListView1->add(TotalCaption);
        ListView1->setSubItem(row, 1, QStringLiteral(" "));
        ListView1->setSubItem(row, 2, QStringLiteral(" "));
        ListView1->setSubItem(row, 3, amountText(amount));
        ListView1->setSubItem(row, 4, amountText(free));
        ListView1->setSubItem(row, 5, amountText(amount - free));
    }
}

std::vector<FrmXSHZ::PrintRow> FrmXSHZ::printRows() const
{
    std::vector<PrintRow> rows;
    Recordset rs = SharedRecordset2;
    const QString mode = Label1->text();
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        if (mode == ByTable)
            rows.push_back({rs.field(QStringLiteral("房台名称")).toString(), moneyField(rs, QStringLiteral("实收金额"))});
        else if (mode == ByCategory)
            rows.push_back({rs.field(QStringLiteral("分类名称")).toString(),
                            moneyField(rs, QStringLiteral("金额")) - moneyField(rs, QStringLiteral("赠单金额"))});
        else
            rows.push_back({rs.field(QStringLiteral("品名")).toString(),
                            moneyField(rs, QStringLiteral("金额")) - moneyField(rs, QStringLiteral("赠单金额"))});
    }
    return rows;
}

QStringList FrmXSHZ::spoolerLines() const
{
    const QString indent = QStringLiteral("       　　");
    const QString dotted = indent + QString(11, QChar(0x2508));
    const QString heavy(22, QChar(0x2501));
    const PrintTitles titles = printTitles(Label1->text());
    QStringList lines;
    lines << indent + QStringLiteral("销售额统计单") << dotted
          << QStringLiteral("从：") + datePart(m_resultPeriod.start) + timePart(m_resultPeriod.start)
          << QStringLiteral("到：") + datePart(m_resultPeriod.end) + timePart(m_resultPeriod.end) << dotted
          << titles.name + padding(SpoolerAmountColumn - AnsiTextWidth(titles.name)) + titles.spoolerAmount << heavy;
    Money total;
    for (const PrintRow& r : printRows()) {
        // The blanks are counted from the name as stored, its own blanks included.
        lines << TrimBlanks(r.name) + padding(SpoolerAmountColumn - AnsiTextWidth(r.name)) + r.amount.plain();
        total += r.amount;
    }
    lines << QString() << QStringLiteral("合计") + padding(SpoolerAmountColumn - 4) + total.plain() << heavy
          << QStringLiteral("结算人：") + Module1::OperatorCode;
    return lines;
}

QStringList FrmXSHZ::printerObjectLines() const
{
    const QString rule(34, u'-');
    const QString heavy(17, QChar(0x2501));
    const PrintTitles titles = printTitles(Label1->text());
    QStringList lines;
    lines << QStringLiteral("  　销售额统计") << rule
          << QStringLiteral("从：") + datePart(m_resultPeriod.start) + u' ' + timePart(m_resultPeriod.start)
                 + QStringLiteral("\r\n")
          << QStringLiteral("到：") + datePart(m_resultPeriod.end) + u' ' + timePart(m_resultPeriod.end)
                 + QStringLiteral("\r\n")
          << rule << titles.name + tabsAfter(titles.name) + QStringLiteral("金额") << heavy;
    Money total;
    for (const PrintRow& r : printRows()) {
        const QString name = TrimBlanks(r.name);
        lines << name + tabsAfter(name) + amountText(r.amount);
        total += r.amount;
    }
    const QString totalCaption = QStringLiteral("合计：");
    lines << QStringLiteral("\r\n") << totalCaption + tabsAfter(totalCaption) + amountText(total) << heavy
          << QStringLiteral("结算人：") + Module1::OperatorCode;
    return lines;
}

void FrmXSHZ::cmdPrint_Click()
{
    // Only this window's own last result prints, never a result another
    // window left in the shared result set.
    if (m_resultPeriod.isNull() || SharedRecordset2.empty()) {
        MsgBox(QStringLiteral("无可打印内容，请查询后继续!"));
        return;
    }
    if (PrinterMissingCheck())
        return;
    if (printRaw()) {
        RawPrintJob job;
        if (!job.open(PrinterSeam::printer().deviceName()))
            return;
        job.startDocument(QStringLiteral("Tabulor"));
        for (const QString& line : spoolerLines())
            job.writeLine(line + QStringLiteral("\r\n"));
        job.finish();
        return;
    }
    PrinterObject& p = PrinterSeam::printer();
    p.setFontSize(9);
    for (const QString& line : printerObjectLines())
        p.printLine(line);
    p.endDoc();
}

void FrmXSHZ::cmdExit_Click()
{
    Unload();
}
