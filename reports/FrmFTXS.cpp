#include "reports/FrmFTXS.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QStandardItem>
#include <QStyle>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include "db/Database.h"
#include "db/NoCaseKeys.h"
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

// The order of a stored text under the NOCASE collation: byte by byte of
// its UTF-8 text with the letters A-Z taken as a-z, the shorter text first
// when one begins the other; Null before every text.
struct StoredText {
    std::string folded;   // the text with A-Z as a-z
    bool null = false;
};
int compareFolded(std::string_view a, bool aNull, std::string_view b, bool bNull)
{
    if (aNull || bNull)
        return int(bNull) - int(aNull);
    const int c = a.compare(b);   // as unsigned bytes
    return c;
}

// The distinct order lines of the lines read (dish code and name as stored,
// quantity, price, free or not), each numbered once: a line is looked up by
// its stored bytes, a new one taken into the report. A year comes to a
// million lines, a few hundred dishes and a few thousand distinct lines.
class DistinctLines {
public:
    explicit DistinctLines(TableSalesLines& report) : m_report(report) {}

    // The number of the row's order line.
    int of(const Db::RowReader& row, int codeColumn, int nameColumn, Money quantity, Money price, bool free)
    {
        const bool null = row.isNull(codeColumn);
        const QByteArrayView code = row.utf8(codeColumn), name = row.utf8(nameColumn);
        const auto codeSize = uint32_t(code.size());
        const qint64 figures[2] = {quantity.units(), price.units()};
        m_key.assign(1, char((null ? 0 : 1) | (free ? 2 : 0)));
        m_key.append(reinterpret_cast<const char*>(figures), sizeof figures);
        m_key.append(reinterpret_cast<const char*>(&codeSize), sizeof codeSize);
        m_key.append(code.data(), size_t(code.size()));
        m_key.append(name.data(), size_t(name.size()));
        const int known = m_numbers.find(m_key);
        if (known >= 0)
            return known;
        const int number = m_report.addOrderLine({quantity, price, nameOf(row, nameColumn, name), free});
        m_codes.push_back(codeOf(code, null));
        m_numbers.add(m_key);   // numbered as the report numbers them
        return number;
    }
    // The dish code of a line, for ordering the lines of a seating.
    const StoredText& code(int number) const { return *m_codes[size_t(number)]; }

private:
    int nameOf(const Db::RowReader& row, int nameColumn, QByteArrayView name)
    {
        const std::string key(name.data(), size_t(name.size()));
        auto known = m_names.find(key);
        if (known == m_names.end()) {
            known = m_names.emplace(key, int(m_report.names.size())).first;
            m_report.names << row.text(nameColumn);
        }
        return known->second;
    }
    const StoredText* codeOf(QByteArrayView code, bool null)
    {
        std::string key(1, null ? '\0' : '\1');
        key.append(code.data(), size_t(code.size()));
        auto known = m_foldedCodes.find(key);
        if (known == m_foldedCodes.end()) {
            StoredText folded;
            folded.null = null;
            Db::appendFoldedNoCase(folded.folded, code);
            known = m_foldedCodes.emplace(key, std::make_unique<StoredText>(std::move(folded))).first;
        }
        return known->second.get();
    }

    TableSalesLines& m_report;
    Db::KeyIndex m_numbers;
    std::unordered_map<std::string, int> m_names;
    std::unordered_map<std::string, std::unique_ptr<StoredText>> m_foldedCodes;
    std::vector<const StoredText*> m_codes;   // by line number
    std::string m_key;
};

// An order line as read, before its seating's lines are put in order.
struct ReadLine {
    int number;   // its distinct line
    qint64 rowId;
};

// A seating's place in the report's order (table code, opening time and
// id, each as its column compares), kept while the seatings are put in that
// order. An opening time of the usual form compares as its digits; the id,
// and any other opening time, as its folded text kept in the order keys.
struct SeatingOrder {
    qint64 start;   // TableSalesLines::packedTime, or OddStart or NullStart
    int table;      // its table code as stored, numbered as read
    quint32 keys;   // where its keys begin: [size, folded start when odd], null flag, size, folded id
};
constexpr qint64 OddStart = -1, NullStart = -2;

class OrderKeys {
public:
    void reserve(size_t bytes) { m_keys.reserve(bytes); }
    void add(SeatingOrder& o, const Db::RowReader& row, int startColumn, int idColumn)
    {
        o.keys = quint32(m_keys.size());
        const QByteArrayView start = row.utf8(startColumn);
        o.start = row.isNull(startColumn) ? NullStart : TableSalesLines::packedTime(start);
        if (o.start == OddStart)
            addText(start);
        m_keys.push_back(row.isNull(idColumn) ? '\0' : '\1');
        addText(row.utf8(idColumn));
    }
    // NOCASE order of two seatings' opening times, then ids.
    int compare(const SeatingOrder& x, const SeatingOrder& y) const
    {
        size_t xAt = x.keys, yAt = y.keys;
        int c = 0;
        if (x.start >= 0 && y.start >= 0) {
            c = x.start < y.start ? -1 : x.start > y.start ? 1 : 0;
        } else {
            char xDigits[19], yDigits[19];
            const std::string_view xs = startText(x, xAt, xDigits), ys = startText(y, yAt, yDigits);
            c = compareFolded(xs, x.start == NullStart, ys, y.start == NullStart);
        }
        if (c != 0)
            return c;
        const bool xNull = m_keys[xAt++] == '\0', yNull = m_keys[yAt++] == '\0';
        return compareFolded(text(xAt), xNull, text(yAt), yNull);
    }

private:
    void addText(QByteArrayView stored)
    {
        const auto size = quint32(stored.size());
        m_keys.append(reinterpret_cast<const char*>(&size), sizeof size);
        Db::appendFoldedNoCase(m_keys, stored);
    }
    // The text at at, stepping at past it.
    std::string_view text(size_t& at) const
    {
        quint32 size;
        std::memcpy(&size, m_keys.data() + at, sizeof size);
        const std::string_view t = std::string_view(m_keys).substr(at + sizeof size, size);
        at += sizeof size + size;
        return t;
    }
    std::string_view startText(const SeatingOrder& o, size_t& at, char (&digits)[19]) const
    {
        if (o.start == OddStart)
            return text(at);
        if (o.start == NullStart)
            return {};
        static constexpr char Form[] = "dddd-dd-dd dd:dd:dd";
        qint64 n = o.start;
        for (int i = 18; i >= 0; --i) {
            if (Form[i] == 'd') {
                digits[i] = char('0' + n % 10);
                n /= 10;
            } else {
                digits[i] = Form[i];
            }
        }
        return std::string_view(digits, 19);
    }
    std::string m_keys;
};

// A stored text as RowReader::text reads it, blanks trimmed as
// QString::trimmed trims them, in buffer: the times of a year of seatings
// are ASCII, widened here rather than converted by SQLite.
QStringView trimmedText(const Db::RowReader& row, int column, QString& buffer)
{
    const QByteArrayView stored = row.utf8(column);
    for (const char c : stored) {
        if (uchar(c) >= 0x80)
            return row.utf16(column).trimmed();
    }
    buffer.resize(0);
    buffer.append(QLatin1String(stored.data(), stored.size()));
    return QStringView(buffer).trimmed();
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
    // The seatings settled in the range with their bills, and their order
    // lines seating by seating: two statements for the whole report, both in
    // the order of the checkout-time index. The seatings are put in table
    // order here, and a seating's lines in dish-code order, a few at a time,
    // rather than all the rows of the range sorted by the database.
    TableSalesLines& report = *m_lines;
    // The seatings of each table as the list names it (its code, blanks
    // trimmed, without regard to letter case).
    QHash<QString, int> tableOfKey;
    std::vector<std::vector<int>> seatingsOfTable;
    const bool read = RunDbAction([&] {
        Db::RowReader seatings(ReportQueries::settledSeatings(), m_range.bounds());
        // The table codes as stored, each once, with the key the list
        // compares (blanks trimmed, without regard to letter case).
        struct TableCode {
            StoredText text;
            int seatings;   // its list key's seatings
        };
        std::vector<TableCode> tables;
        Db::KeyIndex tableOfCode;
        std::string key;
        std::vector<SeatingOrder> order;
        OrderKeys orderKeys;
        std::vector<qint64> seatingRows;   // by index
        {
            // Room for the seatings at once (a year is a hundred thousand),
            // rather than grown and copied as they are read; their lines are
            // some ten a seating.
            Db::RowReader count(ReportQueries::settledSeatingCount(), m_range.bounds());
            const size_t expected = count.next() ? size_t(std::max<qint64>(0, count.integer(0))) : 0;
            report.seatings.reserve(expected);
            report.lines.reserve(expected * 12);
            order.reserve(expected);
            seatingRows.reserve(expected);
            orderKeys.reserve(expected * 24);
        }
        QString buffer;
        // A stored time as shown: blanks trimmed.
        auto shownTime = [&](int column) {
            const qint64 packed = TableSalesLines::packedTime(seatings.utf8(column));
            return packed >= 0 ? packed : report.keepTime(trimmedText(seatings, column, buffer));
        };

        qint64 seatingRow = 0;
        int index = -1;
        qint64 received = 0;
        auto finishSeating = [&] {
            if (index >= 0)
                report.seatings[size_t(index)].received = Money::fromUnits(received);
        };
        while (seatings.next()) {
            const qint64 row = seatings.integer(0);
            if (index < 0 || row != seatingRow) {
                finishSeating();
                seatingRow = row;
                received = 0;
                const bool tableNull = seatings.isNull(2);
                const QByteArrayView table = seatings.utf8(2);
                key.assign(1, tableNull ? '\0' : '\1');
                key.append(table.data(), size_t(table.size()));
                int known = tableOfCode.find(key);
                if (known < 0) {
                    TableCode code{{{}, tableNull}, 0};
                    Db::appendFoldedNoCase(code.text.folded, table);
                    const QString listKey = QString::fromUtf8(table).trimmed().toLower();
                    auto group = tableOfKey.constFind(listKey);
                    if (group == tableOfKey.constEnd()) {
                        group = tableOfKey.insert(listKey, int(seatingsOfTable.size()));
                        seatingsOfTable.emplace_back();
                    }
                    code.seatings = *group;
                    tables.push_back(std::move(code));
                    known = tableOfCode.add(key).first;   // numbered as tables
                }
                SeatingOrder o;
                o.table = known;
                orderKeys.add(o, seatings, 3, 1);
                TableSalesLines::Seating seating;
                seating.start = shownTime(3);
                seating.end = shownTime(4);
                index = report.addSeating(seating);
                order.push_back(o);
                seatingsOfTable[size_t(tables[size_t(o.table)].seatings)].push_back(index);
                seatingRows.push_back(row);
            }
            if (!seatings.isNull(5)) {
                ++report.seatings[size_t(index)].bills;
                if (__builtin_add_overflow(received, seatings.integer(6), &received))
                    throw DbError(DbError::Read, QStringLiteral("integer overflow"));
            }
        }
        finishSeating();

        // Each table's seatings by table code as stored, opening time and id.
        std::vector<int> tableRank(tables.size());
        {
            std::vector<int> byCode(tables.size());
            for (size_t i = 0; i < byCode.size(); ++i)
                byCode[i] = int(i);
            auto compareTables = [&](int a, int b) {
                const StoredText &x = tables[size_t(a)].text, &y = tables[size_t(b)].text;
                return compareFolded(x.folded, x.null, y.folded, y.null);
            };
            std::sort(byCode.begin(), byCode.end(), [&](int a, int b) { return compareTables(a, b) < 0; });
            for (size_t i = 0; i < byCode.size(); ++i)
                tableRank[size_t(byCode[i])] = i > 0 && compareTables(byCode[i - 1], byCode[i]) == 0
                                                   ? tableRank[size_t(byCode[i - 1])]
                                                   : int(i);
        }
        auto before = [&](int a, int b) {
            const SeatingOrder &x = order[size_t(a)], &y = order[size_t(b)];
            if (tableRank[size_t(x.table)] != tableRank[size_t(y.table)])
                return tableRank[size_t(x.table)] < tableRank[size_t(y.table)];
            return orderKeys.compare(x, y) < 0;
        };
        // Ties (no id) keep the order read, as the database's sort did.
        for (std::vector<int>& ofTable : seatingsOfTable)
            std::stable_sort(ofTable.begin(), ofTable.end(), before);
        order = {};
        orderKeys = {};

        DistinctLines distinct(report);
        std::vector<ReadLine> ofSeating;
        TableSalesLines::Seating* seating = nullptr;
        auto finishLines = [&] {
            if (!seating)
                return;
            // Row ids differ, so the order is whole without a stable sort.
            std::sort(ofSeating.begin(), ofSeating.end(), [&](const ReadLine& a, const ReadLine& b) {
                if (a.number != b.number) {
                    const StoredText &x = distinct.code(a.number), &y = distinct.code(b.number);
                    if (&x != &y) {
                        const int c = compareFolded(x.folded, x.null, y.folded, y.null);
                        if (c != 0)
                            return c < 0;
                    }
                }
                return a.rowId < b.rowId;
            });
            seating->firstLine = quint32(report.lines.size());
            seating->lineCount = quint32(ofSeating.size());
            for (const ReadLine& l : ofSeating) {
                report.lines.push_back(quint32(l.number));
                seating->billAmount += report.orderLineAmount(l.number);
            }
            ofSeating.clear();
        };
        // The lines come seating by seating in the order the seatings were
        // read (seatings without lines left out); a seating missing there,
        // or read in another order, is looked up.
        size_t nextSeating = 0;
        QHash<qint64, int> seatingOfRowId;
        auto seatingOfRow = [&](qint64 row) {
            for (size_t i = nextSeating; i < seatingRows.size() && i < nextSeating + 64; ++i) {
                if (seatingRows[i] == row) {
                    nextSeating = i + 1;
                    return int(i);
                }
            }
            if (seatingOfRowId.isEmpty()) {
                seatingOfRowId.reserve(qsizetype(seatingRows.size()));
                for (size_t i = 0; i < seatingRows.size(); ++i)
                    seatingOfRowId.insert(seatingRows[i], int(i));
            }
            const int found = seatingOfRowId.value(row, -1);
            if (found >= 0)
                nextSeating = size_t(found) + 1;
            return found;
        };
        Db::RowReader lines(ReportQueries::settledSeatingLines(), m_range.bounds());
        qint64 lineSeatingRow = 0;
        bool first = true;
        while (lines.next()) {
            const qint64 row = lines.integer(0);
            if (first || row != lineSeatingRow) {
                finishLines();
                first = false;
                lineSeatingRow = row;
                const int found = seatingOfRow(row);
                seating = found < 0 ? nullptr : &report.seatings[size_t(found)];
            }
            if (!seating)
                continue;   // settled after the seatings were read
            const int number =
                distinct.of(lines, 2, 3, lines.money(4), lines.money(5), isTwo(lines.utf8(6)));
            ofSeating.push_back({number, lines.integer(1)});
        }
        finishLines();
    });
    if (!read) {
        report.clear();
        return;
    }

    for (int row = 0; row < ListView1->count(); ++row) {
        if (!ticked(row))
            continue;
        const auto found = tableOfKey.constFind(ListView1->key(row).toLower());
        if (found == tableOfKey.constEnd())
            continue;
        report.addLine(ListView1->text(row) + QStringLiteral("："));
        report.addLine(QString());
        report.addLine(QString());
        for (int index : seatingsOfTable[size_t(*found)])
            report.addSeatingBlock(index);
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
