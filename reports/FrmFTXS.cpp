#include "reports/FrmFTXS.h"

#include <QFontMetricsF>
#include <QHash>
#include <QStandardItem>
#include <QStyle>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/CodePage936.h"
#include "print/TextWidth.h"
#include "reports/ReportQueries.h"

TABULOR_REGISTER_FORM(FrmFTXS);

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Tab = QStringLiteral("\t");
const QString Rule(16, QChar(0x2500));
const QString InfoTitle = QStringLiteral("信息提示");

// One order line of a seating.
struct OrderLine {
    QString name;
    QVariant quantity;
    Money price;
    bool free = false;
};

// A seating settled in the range.
struct Seating {
    QString id;
    QString start;
    QString end;
    int bills = 0;
    Money received;
};

// An order line of the detail: the name, the quantity and the amount, set
// to columns by TABs after their width in single-byte columns. The amount
// is added to the bill amount unless the line is free.
QString orderLineText(const OrderLine& line, Money& billAmount)
{
    const int w = AnsiTextWidth(line.name);
    QString text = line.name + (w < 8 ? Tab + Tab : w < 16 ? Tab : QString());
    const Money quantity = Money::fromVariant(line.quantity);
    const QString quantityText = quantity.plain();
    const bool narrow = AnsiTextWidth(quantityText) < 8;
    text += quantityText + (narrow ? Tab : QString());
    if (line.free) {
        text += QStringLiteral("0.00");
    } else {
        const Money amount = line.price.times(quantity);
        text += narrow ? amountText(amount) : amount.plain();
        billAmount += amount;
    }
    return text + CrLf;
}

// The amount field of the summary box: right-aligned in 12 columns.
QString boxAmount(Money amount)
{
    const QString text = amountText(amount);
    return padding(12 - int(text.size())) + text;
}

} // namespace

FrmFTXS::FrmFTXS()
{
    setWindowTitle(QStringLiteral("房台销售明细"));
    setClientSizeTwips(9510, 7560);

    Toolbar1 = makeReportToolbar(this, 9510, {
        {"查询", "", QStyle::SP_FileDialogContentsView},
        {"统计", "", QStyle::SP_FileDialogInfoView},
        {"打印", "", QStyle::SP_DriveFDIcon},
        {"帮助", "", QStyle::SP_DialogHelpButton, false},
        {"退出", "", QStyle::SP_DialogCloseButton},
    });

    const char* bounds[] = {"开始时间", "终止时间"};
    for (int i = 0; i < 2; ++i) {
        const int left = 120 + 4620 * i;
        Label2[i] = new QLabel(QString::fromUtf8(bounds[i]), this);
        Twips::place(Label2[i], left, 1035, 900, 270);
        DTPicker1[i] = reportDatePicker(this);
        Twips::place(DTPicker1[i], left + 900, 975, 1980, 345);
        DTPicker2[i] = reportTimePicker(this);
        Twips::place(DTPicker2[i], left + 2940, 975, 1560, 345);
    }

    Label1[0] = new QLabel(QStringLiteral("房台列表"), this);
    Twips::place(Label1[0], 120, 1470, 1500, 270);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 120, 1740, 3780, 5100);
    const char* commands[] = {"全选", "返选", "清除"};
    for (int i = 0; i < 3; ++i) {
        Command1[i] = new QPushButton(QString::fromUtf8(commands[i]), this);
        Twips::place(Command1[i], 120 + 1290 * i, 6960, 1200, 420);
        Command1[i]->setAutoDefault(false);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    Label1[1] = new QLabel(QStringLiteral("房台消费情况明细"), this);
    Twips::place(Label1[1], 4020, 1470, 2400, 270);
    Text1 = new QPlainTextEdit(this);
    Twips::place(Text1, 4020, 1740, 5370, 5640);
    Text1->setReadOnly(true);   // every typed character is discarded
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A monospaced face in which a single-byte character is 90 twips and a
    // double-byte one 180, with a tab stop every 8 columns: the layout of the
    // reports lines up on screen as on a character printer.
    QFont textFont(QStringLiteral("Noto Sans Mono CJK SC"));
    textFont.setPixelSize(12);
    Text1->setFont(textFont);
    Text1->setTabStopDistance(QFontMetricsF(textFont).horizontalAdvance(QString(8, u' ')));

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmFTXS::Toolbar1_ButtonClick);
}

void FrmFTXS::Form_Load()
{
    setDayRange(DTPicker1[0], DTPicker2[0], DTPicker1[1], DTPicker2[1]);
    ListView1Init();
    loadTables();
}

void FrmFTXS::ListView1Init()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    ListView1->addColumn(QStringLiteral("名称"), 1000);
    ListView1->addColumn(QStringLiteral("类型"), 700);
    ListView1->addColumn(QStringLiteral("部门"), 1000);
    ListView1->addColumn(QStringLiteral("编码"), 800);
    ListView1->reportView()->setAlternatingRowColors(false);
}

// Every table that has ever had a seating, ticked.
void FrmFTXS::loadTables()
{
    RunDbAction([&] {
        Recordset rs;
        rs.open(ReportQueries::tablesWithSeatings());
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const QString id = rs.text(QStringLiteral("table_id"));
            const int row = ListView1->add(rs.text(QStringLiteral("house_name")), id);
            ListView1->setSubItem(row, ColKind, rs.text(QStringLiteral("kind_name")));
            ListView1->setSubItem(row, ColType, rs.text(QStringLiteral("type_name")));
            ListView1->setSubItem(row, ColCode, id);
            ListView1->model()->item(row, 0)->setCheckable(true);
            setTicked(row, true);
        }
    });
}

bool FrmFTXS::ticked(int row) const
{
    const QStandardItem* item = ListView1->model()->item(row, 0);
    return item && item->checkState() == Qt::Checked;
}

void FrmFTXS::setTicked(int row, bool on)
{
    if (QStandardItem* item = ListView1->model()->item(row, 0))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void FrmFTXS::Command1_Click(int index)
{
    for (int row = 0; row < ListView1->count(); ++row)
        setTicked(row, index == 0 ? true : index == 1 ? !ticked(row) : false);
}

void FrmFTXS::setRangeFromPickers()
{
    m_range = periodFromPickers(DTPicker1[0], DTPicker2[0], DTPicker1[1], DTPicker2[1]);
}

void FrmFTXS::setReportText(const QString& text)
{
    m_text = text;
    QString shown = text;
    shown.replace(CrLf, QStringLiteral("\n"));
    if (shown.endsWith(u'\n'))
        shown.chop(1);
    Text1->setPlainText(shown);
}

void FrmFTXS::Toolbar1_ButtonClick(int index)
{
    if (ListView1->count() == 0 && index != BtnExit) {
        MsgBox(QStringLiteral("没有房台销售明细!"), Msg::Information, InfoTitle);
        return;
    }
    switch (index) {
    case BtnDetail:
        setReportText(QString());
        setRangeFromPickers();
        ShowTableSalesDetail();
        break;
    case BtnSummary:
        setReportText(QString());
        ShowTableSalesSummary();
        break;
    case BtnPrint: {
        if (PrinterMissingCheck())
            return;
        if (m_text.trimmed().isEmpty()) {
            MsgBox(QStringLiteral("无可打印内容，请查询后继续!"));
            return;
        }
        PrinterObject& p = PrinterSeam::printer();
        p.printLine(QStringLiteral("房台销售明细"));
        p.printLine(m_text);
        p.endDoc();
        break;
    }
    case BtnExit:
        Unload();
        break;
    default:
        break;
    }
}

void FrmFTXS::ShowTableSalesDetail()
{
    // The seatings settled in the range, by table and opening time, and
    // their order lines by dish code: two statements for the whole report.
    QHash<QString, std::vector<Seating>> seatingsOfTable;
    QHash<QString, std::vector<OrderLine>> linesOfSeating;
    const bool read = RunDbAction([&] {
        Recordset seatings;
        seatings.open(ReportQueries::settledSeatings(), m_range.bounds());
        for (seatings.MoveFirst(); !seatings.isEOF(); seatings.MoveNext())
            seatingsOfTable[seatings.text(QStringLiteral("house_table_id")).toLower()].push_back(
                {seatings.text(QStringLiteral("use_table_id")), seatings.text(QStringLiteral("start_date")),
                 seatings.text(QStringLiteral("end_date")), seatings.field(QStringLiteral("bills")).toInt(),
                 Money::fromVariant(seatings.field(QStringLiteral("received")))});
        Recordset lines;
        lines.open(ReportQueries::settledSeatingLines(), m_range.bounds());
        for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext())
            linesOfSeating[lines.text(QStringLiteral("use_table_id"))].push_back(
                {lines.field(QStringLiteral("food_name")).toString(), lines.field(QStringLiteral("food_num")),
                 Money::fromVariant(lines.field(QStringLiteral("price"))), lines.text(QStringLiteral("STS")) == u"2"});
    });
    if (!read)
        return;

    QString text;
    for (int row = 0; row < ListView1->count(); ++row) {
        if (!ticked(row))
            continue;
        // Table codes compare without regard to letter case, as stored.
        const auto found = seatingsOfTable.constFind(ListView1->key(row).toLower());
        if (found == seatingsOfTable.constEnd())
            continue;
        text += ListView1->text(row) + QStringLiteral("：") + CrLf + CrLf + CrLf;
        for (const Seating& s : *found) {
            text += QStringLiteral("开台时间：") + s.start + u' ' + CrLf + CrLf;
            Money billAmount;
            const auto lines = linesOfSeating.constFind(s.id);
            if (lines != linesOfSeating.constEnd()) {
                text += Rule + CrLf + QStringLiteral("品名") + Tab + Tab + QStringLiteral("数量") + Tab
                    + QStringLiteral("金额") + CrLf + Rule + CrLf;
                for (const OrderLine& line : *lines)
                    text += orderLineText(line, billAmount);
                text += Rule + CrLf;
            }
            text += CrLf + QStringLiteral("结帐时间：") + s.end + CrLf;
            text += QStringLiteral("结帐金额：") + amountText(billAmount) + QStringLiteral("元") + CrLf;
            if (s.bills > 0)
                text += QStringLiteral("实收金额：") + amountText(s.received) + QStringLiteral("元") + CrLf + CrLf;
            text += Rule + CrLf + CrLf + CrLf;
        }
    }
    setReportText(text);
}

void FrmFTXS::ShowTableSalesSummary()
{
    setReportText(QString());
    setRangeFromPickers();
    Recordset rs;
    if (!RunDbAction([&] { rs.open(ReportQueries::receivedByTableName(), m_range.bounds()); }) || rs.empty())
        return;
    const QString divider = QStringLiteral("├─────┼────────┤") + CrLf;
    QString text = QStringLiteral("┌─────┬────────┐") + CrLf;
    text += QStringLiteral("│ 房台名称") + QStringLiteral(" │") + Tab + QStringLiteral("  收费金额    │") + CrLf;
    text += divider;
    Money total;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        const QString name = rs.field(QStringLiteral("house_name")).toString();
        const Money amount = Money::fromVariant(rs.field(QStringLiteral("received")));
        // The name stands right-aligned in a field of 700 twips, measured in
        // the text's own font.
        const int nameTwips = TextMeasurer::widthTwips(name, Text1->font());
        const int blanks = nameTwips > 700 ? -1 : TextWidthPadding(name, 700, Text1->font());
        text += QStringLiteral("│") + padding(blanks) + name + QStringLiteral("  │") + Tab + boxAmount(amount)
            + QStringLiteral("元│") + CrLf;
        text += divider;
        total += amount;
    }
    text += QStringLiteral("│ 合    计") + QStringLiteral(" │") + Tab + boxAmount(total) + QStringLiteral("元│") + CrLf;
    text += QStringLiteral("└─────┴────────┘") + CrLf;
    setReportText(text);
}
