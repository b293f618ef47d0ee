#include "reports/FrmFTXS.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QStandardItem>
#include <QStyle>
#include <string>
#include <unordered_map>
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/RowReader.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/TextWidth.h"
#include "reports/ReportQueries.h"
#include "reports/TableSalesLines.h"

TABULOR_REGISTER_FORM(FrmFTXS);

namespace {

const QString Tab = QStringLiteral("\t");
const QString InfoTitle = QStringLiteral("信息提示");

// The amount field of the summary box: right-aligned in 12 columns.
QString boxAmount(Money amount)
{
    const QString text = amountText(amount);
    return padding(12 - int(text.size())) + text;
}

// Dish codes in the order of the stored text's collation (NOCASE): byte by
// byte of the UTF-8 text with the letters A-Z taken as a-z; a missing code first.
struct DishCode {
    QByteArray text;
    bool null = false;
};
int compareCodes(const DishCode& a, const DishCode& b)
{
    if (a.null || b.null)
        return int(b.null) - int(a.null);
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? uchar(c) + 32 : uchar(c); };
    const qsizetype n = std::min(a.text.size(), b.text.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int x = fold(a.text[i]), y = fold(b.text[i]);
        if (x != y)
            return x - y;
    }
    return int(a.text.size() - b.text.size());
}

// The dishes of the lines read (code and name as stored), each held once: a
// line's dish is looked up by its stored bytes, a new one numbered in turn.
// A year comes to a million lines and a few hundred dishes.
class LineDishes {
public:
    // The number of the dish of the row's code and name (UTF-8), taken in
    // when new, its name added to names when that name is new.
    int of(const Db::RowReader& row, int codeColumn, int nameColumn, QStringList& names)
    {
        const bool null = row.isNull(codeColumn);
        const QByteArrayView code = row.utf8(codeColumn), name = row.utf8(nameColumn);
        const auto codeSize = uint32_t(code.size());
        m_key.assign(1, null ? '\0' : '\1');
        m_key.append(reinterpret_cast<const char*>(&codeSize), sizeof codeSize);
        m_key.append(code.data(), size_t(code.size()));
        m_key.append(name.data(), size_t(name.size()));
        const auto known = m_numbers.find(m_key);
        if (known != m_numbers.end())
            return known->second;
        const std::string nameKey(name.data(), size_t(name.size()));
        auto knownName = m_names.find(nameKey);
        if (knownName == m_names.end()) {
            knownName = m_names.emplace(nameKey, int(names.size())).first;
            names << row.text(nameColumn);
        }
        const int number = int(m_dishes.size());
        m_dishes.push_back({{code.toByteArray(), null}, knownName->second});
        m_numbers.emplace(m_key, number);
        return number;
    }
    const DishCode& code(int dish) const { return m_dishes[size_t(dish)].code; }
    int name(int dish) const { return m_dishes[size_t(dish)].name; }

private:
    struct Dish {
        DishCode code;
        int name;
    };
    std::unordered_map<std::string, int> m_numbers;
    std::unordered_map<std::string, int> m_names;
    std::vector<Dish> m_dishes;
    std::string m_key;
};

// An order line as read, before its seating's lines are put in order.
struct ReadLine {
    int dish;   // the number of its code and name
    qint64 rowId;
    TableSalesLines::OrderLine line;
};

// A stored key as the window compares it: its text without the blanks at
// either end, as UTF-8.
QByteArray trimmedKey(QByteArrayView stored)
{
    auto blankOrWide = [](char c) { return uchar(c) <= ' ' || uchar(c) >= 0x80; };
    if (stored.isEmpty() || (!blankOrWide(stored.front()) && !blankOrWide(stored.back())))
        return stored.toByteArray();
    return QString::fromUtf8(stored).trimmed().toUtf8();
}

// A stored flag is "2" once its blanks are trimmed.
bool isTwo(QByteArrayView stored)
{
    if (stored.size() == 1)
        return stored[0] == '2';
    return QString::fromUtf8(stored).trimmed() == u"2";
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
    // Read only: the lines can be selected and copied, never typed into.
    Text1 = new TextLinesView(this);
    Twips::place(Text1, 4020, 1740, 5370, 5640);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A monospaced face in which a single-byte character is 90 twips and a
    // double-byte one 180, with a tab stop every 8 columns: the layout of the
    // reports lines up on screen as on a character printer.
    QFont textFont(QStringLiteral("Noto Sans Mono CJK SC"));
    textFont.setPixelSize(12);
    Text1->setFont(textFont);
    Text1->setTabStopDistance(QFontMetricsF(textFont).horizontalAdvance(QString(8, u' ')));
    m_lines = std::make_unique<TableSalesLines>();
    Text1->setSource(m_lines.get());

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmFTXS::Toolbar1_ButtonClick);
}

FrmFTXS::~FrmFTXS()
{
    Text1->setSource(nullptr);
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

QString FrmFTXS::reportText() const
{
    return m_lines->text();
}

void FrmFTXS::showReportLines()
{
    int widest = 0;
    for (const QString& line : m_lines->widestLines())
        widest = std::max(widest, Text1->lineWidth(line));
    Text1->reloadLines(widest);
}

void FrmFTXS::Toolbar1_ButtonClick(int index)
{
    if (ListView1->count() == 0 && index != BtnExit) {
        MsgBox(QStringLiteral("没有房台销售明细!"), Msg::Information, InfoTitle);
        return;
    }
    switch (index) {
    case BtnDetail:
        m_lines->clear();
        showReportLines();
        setRangeFromPickers();
        ShowTableSalesDetail();
        break;
    case BtnSummary:
        ShowTableSalesSummary();   // empties the text itself
        break;
    case BtnPrint: {
        if (PrinterMissingCheck())
            return;
        // Every report line has a visible character, so a text with lines
        // has something to print.
        if (m_lines->isEmpty()) {
            MsgBox(QStringLiteral("无可打印内容，请查询后继续!"));
            return;
        }
        PrinterObject& p = PrinterSeam::printer();
        p.printLine(QStringLiteral("房台销售明细"));
        p.printLine(m_lines->text());
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
    // their order lines seating by seating: two statements for the whole
    // report. A seating's lines are put in dish-code order here, a few at a
    // time, rather than all the lines of the range sorted by the database.
    TableSalesLines& report = *m_lines;
    QHash<QString, std::vector<int>> seatingsOfTable;
    const bool read = RunDbAction([&] {
        QHash<QByteArray, int> seatingOfId;
        Db::RowReader seatings(ReportQueries::settledSeatings(), m_range.bounds());
        QByteArray table;   // the last table code read, as stored
        QString tableKey;
        while (seatings.next()) {
            const int index = int(report.seatings.size());
            report.seatings.push_back({seatings.text(2).trimmed(), seatings.text(3).trimmed(), int(seatings.integer(4)),
                                       seatings.money(5), Money(), 0, 0});
            seatingOfId.insert(trimmedKey(seatings.utf8(0)), index);
            // Table codes compare without regard to letter case, as stored;
            // the seatings come table by table.
            if (index == 0 || seatings.utf8(1) != table) {
                table = seatings.utf8(1).toByteArray();
                tableKey = QString::fromUtf8(table).trimmed().toLower();
            }
            seatingsOfTable[tableKey].push_back(index);
        }

        LineDishes dishes;
        std::vector<ReadLine> ofSeating;
        TableSalesLines::Seating* seating = nullptr;
        auto finishSeating = [&] {
            if (!seating)
                return;
            // Row ids differ, so the order is whole without a stable sort.
            std::sort(ofSeating.begin(), ofSeating.end(), [&](const ReadLine& a, const ReadLine& b) {
                const int c = a.dish == b.dish ? 0 : compareCodes(dishes.code(a.dish), dishes.code(b.dish));
                return c != 0 ? c < 0 : a.rowId < b.rowId;
            });
            seating->firstLine = int(report.lines.size());
            seating->lineCount = int(ofSeating.size());
            for (const ReadLine& l : ofSeating) {
                report.lines.push_back(l.line);
                seating->billAmount += TableSalesLines::amountOf(l.line);
            }
            ofSeating.clear();
        };
        Db::RowReader lines(ReportQueries::settledSeatingLines(), m_range.bounds());
        QByteArray seatingId;
        while (lines.next()) {
            const QByteArrayView id = lines.utf8(0);
            if (!seating || id != seatingId) {
                finishSeating();
                seatingId = id.toByteArray();
                const auto found = seatingOfId.constFind(trimmedKey(id));
                seating = found == seatingOfId.constEnd() ? nullptr : &report.seatings[size_t(*found)];
                if (!seating)
                    continue;   // settled after the seatings were read
            }
            const int dish = dishes.of(lines, 2, 3, report.names);
            ofSeating.push_back(
                {dish, lines.integer(1), {lines.money(4), lines.money(5), dishes.name(dish), isTwo(lines.utf8(6))}});
        }
        finishSeating();
    });
    if (!read) {
        report.clear();
        return;
    }

    for (int row = 0; row < ListView1->count(); ++row) {
        if (!ticked(row))
            continue;
        const auto found = seatingsOfTable.constFind(ListView1->key(row).toLower());
        if (found == seatingsOfTable.constEnd())
            continue;
        report.addLine(ListView1->text(row) + QStringLiteral("："));
        report.addLine(QString());
        report.addLine(QString());
        for (int index : *found)
            report.addSeating(index);
    }
    showReportLines();
}

void FrmFTXS::ShowTableSalesSummary()
{
    m_lines->clear();
    showReportLines();
    setRangeFromPickers();
    Recordset rs;
    if (!RunDbAction([&] { rs.open(ReportQueries::receivedByTableName(), m_range.bounds()); }) || rs.empty())
        return;
    TableSalesLines& text = *m_lines;
    const QString divider = QStringLiteral("├─────┼────────┤");
    text.addLine(QStringLiteral("┌─────┬────────┐"));
    text.addLine(QStringLiteral("│ 房台名称") + QStringLiteral(" │") + Tab + QStringLiteral("  收费金额    │"));
    text.addLine(divider);
    Money total;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        const QString name = rs.field(QStringLiteral("house_name")).toString();
        const Money amount = Money::fromVariant(rs.field(QStringLiteral("received")));
        // The name stands right-aligned in a field of 700 twips, measured in
        // the text's own font.
        const int nameTwips = TextMeasurer::widthTwips(name, Text1->font());
        const int blanks = nameTwips > 700 ? -1 : paddingForWidth(nameTwips, 700);
        text.addLine(QStringLiteral("│") + padding(blanks) + name + QStringLiteral("  │") + Tab + boxAmount(amount)
                     + QStringLiteral("元│"));
        text.addLine(divider);
        total += amount;
    }
    text.addLine(QStringLiteral("│ 合    计") + QStringLiteral(" │") + Tab + boxAmount(total) + QStringLiteral("元│"));
    text.addLine(QStringLiteral("└─────┴────────┘"));
    showReportLines();
}
