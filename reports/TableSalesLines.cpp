#include "reports/TableSalesLines.h"

#include <algorithm>
#include <cstdlib>
#include "print/CodePage936.h"
#include "reports/ReportSupport.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Tab = QStringLiteral("\t");
const QString Rule(16, QChar(0x2500));
const QString LinesHeader = QStringLiteral("品名\t\t数量\t金额");

// The name, the quantity and the amount set to columns by TABs: a name
// narrower than 8 columns is followed by two TABs, one narrower than 16 by
// one; a quantity narrower than 8 columns by a TAB, and then the amount has
// two decimals.
QString columns(const QString& name, const QString& quantity, const QString& narrowAmount, const QString& wideAmount)
{
    const int w = AnsiTextWidth(name);
    QString text = name + (w < 8 ? Tab + Tab : w < 16 ? Tab : QString());
    const bool narrow = AnsiTextWidth(quantity) < 8;
    return text + quantity + (narrow ? Tab + narrowAmount : wideAmount);
}

// The most characters the plain or two-decimal text of an amount up to
// maxUnits (in either sign) can take: sign, whole digits, point, decimals.
int longestNumber(qint64 maxUnits)
{
    return 1 + int(QString::number(maxUnits / Money::Scale).size()) + 1 + 4;
}

} // namespace

void TableSalesLines::clear()
{
    names.clear();
    seatings.clear();
    seatings.shrink_to_fit();
    lines.clear();
    lines.shrink_to_fit();
    m_orderLines.clear();
    m_orderLines.shrink_to_fit();
    m_oddTimes.clear();
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_texts.clear();
    m_rows = 0;
}

qint64 TableSalesLines::packedTime(QByteArrayView text)
{
    static constexpr char Form[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != 19)
        return -1;
    qint64 digits = 0;
    for (int i = 0; i < 19; ++i) {
        const char c = text[i];
        if (Form[i] == 'd') {
            if (c < '0' || c > '9')
                return -1;
            digits = digits * 10 + (c - '0');
        } else if (c != Form[i]) {
            return -1;
        }
    }
    return digits;
}

qint64 TableSalesLines::keepTime(QStringView shown)
{
    bool ascii = shown.size() == 19;
    char bytes[19];
    for (qsizetype i = 0; ascii && i < 19; ++i) {
        ascii = shown[i].unicode() < 0x80;
        bytes[i] = char(shown[i].unicode());
    }
    if (ascii) {
        const qint64 packed = packedTime(QByteArrayView(bytes, 19));
        if (packed >= 0)
            return packed;
    }
    m_oddTimes << shown.toString();
    return -qint64(m_oddTimes.size());
}

QString TableSalesLines::timeText(qint64 time) const
{
    if (time < 0)
        return m_oddTimes[-1 - time];
    QString text(19, u' ');
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    static constexpr char Form[] = "dddd-dd-dd dd:dd:dd";
    for (int i = 18; i >= 0; --i) {
        if (Form[i] == 'd') {
            out[i] = char16_t(u'0' + time % 10);
            time /= 10;
        } else {
            out[i] = char16_t(Form[i]);
        }
    }
    return text;
}

int TableSalesLines::addSeating(const Seating& s)
{
    seatings.push_back(s);
    seatings.back().firstLine = quint32(lines.size());
    seatings.back().lineCount = 0;
    return int(seatings.size() - 1);
}

int TableSalesLines::addOrderLine(const OrderLine& line)
{
    m_orderLines.push_back({line, amountOf(line), orderLineText(line)});
    return int(m_orderLines.size() - 1);
}

void TableSalesLines::addLine(const QString& text)
{
    m_blocks.push_back({m_rows, -1, int(m_texts.size())});
    m_texts << text;
    ++m_rows;
}

void TableSalesLines::addSeatingBlock(int index)
{
    m_blocks.push_back({m_rows, index, 0});
    m_rows += seatingRows(seatings[size_t(index)]);
}

int TableSalesLines::seatingRows(const Seating& s)
{
    // Opening time and a blank; the order lines between rules under their
    // heading; a blank, checkout time, bill amount; the received amount and
    // a blank when it was billed; a rule and two blanks.
    return 2 + (s.lineCount > 0 ? 4 + int(s.lineCount) : 0) + 3 + (s.bills > 0 ? 2 : 0) + 3;
}

QString TableSalesLines::seatingLine(const Seating& s, int k) const
{
    if (k == 0)
        return QStringLiteral("开台时间：") + timeText(s.start) + u' ';
    if (k == 1)
        return QString();
    k -= 2;
    if (s.lineCount > 0) {
        if (k == 0 || k == 2)
            return Rule;
        if (k == 1)
            return LinesHeader;
        k -= 3;
        if (k < int(s.lineCount))
            return m_orderLines[lines[s.firstLine + size_t(k)]].text;
        if (k == int(s.lineCount))
            return Rule;
        k -= int(s.lineCount) + 1;
    }
    switch (k) {
    case 0: return QString();
    case 1: return QStringLiteral("结帐时间：") + timeText(s.end);
    case 2: return QStringLiteral("结帐金额：") + amountText(s.billAmount) + QStringLiteral("元");
    default: break;
    }
    k -= 3;
    if (s.bills > 0) {
        if (k == 0)
            return QStringLiteral("实收金额：") + amountText(s.received) + QStringLiteral("元");
        if (k == 1)
            return QString();
        k -= 2;
    }
    return k == 0 ? Rule : QString();
}

QString TableSalesLines::line(int row) const
{
    if (row < 0 || row >= m_rows)
        return QString();
    const auto after = std::upper_bound(m_blocks.begin(), m_blocks.end(), row,
                                        [](int r, const Block& b) { return r < b.firstRow; });
    const Block& b = *(after - 1);
    if (b.seating < 0)
        return m_texts[b.text];
    return seatingLine(seatings[size_t(b.seating)], row - b.firstRow);
}

QString TableSalesLines::cell(int row, int column) const
{
    return column == 0 ? line(row) : QString();
}

QString TableSalesLines::text() const
{
    // One string for the whole text, grown rarely: most lines are short.
    QString text;
    text.reserve(qsizetype(m_rows) * 16);
    for (const Block& b : m_blocks) {
        if (b.seating < 0) {
            text += m_texts[b.text];
            text += CrLf;
            continue;
        }
        const Seating& s = seatings[size_t(b.seating)];
        for (int k = 0, rows = seatingRows(s); k < rows; ++k) {
            text += seatingLine(s, k);
            text += CrLf;
        }
    }
    return text;
}

Money TableSalesLines::amountOf(const OrderLine& line)
{
    return line.free ? Money() : line.price.times(line.quantity);
}

QString TableSalesLines::orderLineText(const OrderLine& line) const
{
    if (line.free)
        return columns(names[line.name], line.quantity.plain(), QStringLiteral("0.00"), QStringLiteral("0.00"));
    const Money amount = amountOf(line);
    return columns(names[line.name], line.quantity.plain(), amountText(amount), amount.plain());
}

QStringList TableSalesLines::widestLines() const
{
    QStringList widest = m_texts;
    if (seatings.empty())
        return widest;
    widest << Rule << LinesHeader;
    const Seating* longestStart = &seatings.front();
    const Seating* longestEnd = longestStart;
    const Seating* longestAmounts = longestStart;
    for (const Seating& s : seatings) {
        if (timeSize(s.start) > timeSize(longestStart->start))
            longestStart = &s;
        if (timeSize(s.end) > timeSize(longestEnd->end))
            longestEnd = &s;
        if (std::max(std::llabs(s.billAmount.units()), std::llabs(s.received.units()))
            > std::max(std::llabs(longestAmounts->billAmount.units()), std::llabs(longestAmounts->received.units())))
            longestAmounts = &s;
    }
    widest << seatingLine(*longestStart, 0);
    Seating settled = *longestEnd;
    settled.lineCount = 0;
    widest << seatingLine(settled, 3);
    Seating amounts = *longestAmounts;
    amounts.lineCount = 0;
    amounts.bills = 1;
    widest << seatingLine(amounts, 4) << seatingLine(amounts, 5);
    if (m_orderLines.empty())
        return widest;
    // Every distinct line stands in some seating.
    qint64 quantity = 0, amount = 0;
    for (const Distinct& l : m_orderLines) {
        quantity = std::max(quantity, std::llabs(l.line.quantity.units()));
        amount = std::max(amount, std::llabs(l.amount.units()));
    }
    int widestName = 0, widestNameWidth = names.isEmpty() ? 0 : AnsiTextWidth(names[0]);
    for (int i = 1; i < names.size(); ++i) {
        const int w = AnsiTextWidth(names[i]);
        if (w > widestNameWidth) {
            widestName = i;
            widestNameWidth = w;
        }
    }
    const QString quantityText(longestNumber(quantity), u'9');
    const QString amountDigits(longestNumber(amount), u'9');
    widest << columns(names.value(widestName), quantityText, amountDigits, amountDigits)
           << columns(names.value(widestName), QStringLiteral("9"), amountDigits, amountDigits);
    return widest;
}
