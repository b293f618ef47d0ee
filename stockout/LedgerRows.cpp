#include "stockout/LedgerRows.h"

#include <algorithm>
#include "db/DateTimeText.h"
#include "db/NoCaseKeys.h"
#include "db/RowReader.h"
#include "stockin/StockCommon.h"

namespace {

// A goods code as the database matches it (letter case of A to Z ignored),
// as the key of the goods read for a ledger.
QByteArray matchKey(QByteArrayView code)
{
    QByteArray key = code.toByteArray();
    for (char& c : key)
        c = Db::foldedNoCase(c);
    return key;
}

bool hasUpperAscii(QByteArrayView text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The place of a repeating value, looked up only when it differs from the
// value of the row before.
struct LastPlace {
    QByteArray stored;
    int place = -1;
};

} // namespace

QString LedgerRows::number(int row) const
{
    const Bill& b = bill(row);
    return QString::fromUtf8(m_numbers.constData() + b.number, b.numberLength);
}

const QString& LedgerRows::code(int row) const
{
    const Line& l = line(row);
    return l.code < 0 ? m_goods[size_t(l.goods)].code : m_texts[size_t(l.code)];
}

int LedgerRows::textPlace(const QString& text)
{
    auto it = m_textPlaces.constFind(text);
    if (it != m_textPlaces.constEnd())
        return it.value();
    m_texts.push_back(text);
    m_textPlaces.insert(text, int(m_texts.size()) - 1);
    return int(m_texts.size()) - 1;
}

void LedgerRows::read(Direction direction, const QDate& from, const QDate& to, const Condition& billWhere,
                      const Condition& goodsWhere)
{
    const bool in = direction == In;
    const QString bills = in ? QStringLiteral("stock_in_bill") : QStringLiteral("stock_out_bill");
    const QString lines = in ? QStringLiteral("rkgl2004") : QStringLiteral("ckgl2004");
    const QString day = in ? QStringLiteral("stock_in_date") : QStringLiteral("stock_out_date");
    const size_t firstBill = m_bills.size(), firstGoods = m_goods.size(), firstLine = m_lines.size();
    const qsizetype numbersBefore = m_numbers.size();
    try {
        // The goods first, few and read once; each line finds its goods
        // record by code. A line whose code finds none is passed over.
        QHash<QByteArray, int> goodsByCode;
        std::vector<QByteArray> storedCodes;   // of the goods read now, as stored
        {
            Db::RowReader goods(QStringLiteral("SELECT code, bran_name, zl, type, unit FROM brand g%1 ORDER BY rowid")
                                    .arg(goodsWhere.where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + goodsWhere.where),
                                goodsWhere.params);
            while (goods.next()) {
                const QByteArray key = matchKey(goods.utf8(0));
                if (goodsByCode.contains(key))
                    continue;   // codes are unique; the first stored would be found
                m_goods.push_back({goods.text(0), goods.text(1), goods.text(2), goods.text(3), goods.text(4)});
                goodsByCode.insert(key, int(m_goods.size()) - 1);
                storedCodes.push_back(goods.utf8(0).toByteArray());
            }
        }
        // Then the lines of the bills of the days, with their bills.
        QVariantList values{DateTimeText::formatDate(from) + QStringLiteral(" 00:00:00"),
                            DateTimeText::formatDate(to) + QStringLiteral(" 00:00:00")};
        values << billWhere.params;
        Db::RowReader rows(
            QStringLiteral("SELECT b.rowid, l.rowid, b.stock_bill_id, b.%1, b.repr_name, b.ckh, b.fs, l.code, l.num, l.price"
                           " FROM %2 b JOIN %3 l ON l.stock_bill_id = b.stock_bill_id WHERE b.%1 >= ? AND b.%1 <= ?%4")
                .arg(day, bills, lines, billWhere.where.isEmpty() ? QString() : QStringLiteral(" AND ") + billWhere.where),
            values);
        qint64 lastBill = -1;
        LastPlace days, parties, warehouses, ways;
        const auto placeOf = [&](int column, LastPlace& last, bool shownAsDay) {
            const QByteArrayView stored = rows.utf8(column);
            if (last.place < 0 || last.stored != stored) {
                last.stored = stored.toByteArray();
                const QString text = QString::fromUtf8(stored);
                last.place = textPlace(shownAsDay ? StockText::shownDay(text) : text);
            }
            return last.place;
        };
        while (rows.next()) {
            const QByteArrayView code = rows.utf8(7);
            const auto found = goodsByCode.constFind(
                hasUpperAscii(code) ? matchKey(code) : QByteArray::fromRawData(code.data(), code.size()));
            if (found == goodsByCode.constEnd())
                continue;
            const qint64 billRow = rows.integer(0);
            if (billRow != lastBill) {
                lastBill = billRow;
                Bill b;
                b.rowid = billRow;
                const QByteArrayView number = rows.utf8(2);
                b.number = m_numbers.size();
                b.numberLength = int(number.size());
                m_numbers.append(number);
                b.day = placeOf(3, days, true);
                b.party = placeOf(4, parties, false);
                b.warehouse = placeOf(5, warehouses, false);
                b.way = placeOf(6, ways, false);
                m_bills.push_back(b);
            }
            Line l;
            l.bill = int(m_bills.size()) - 1;
            l.goods = found.value();
            // The line's own code is kept only where it differs from the
            // goods code it found (in letter case).
            if (storedCodes[size_t(l.goods) - firstGoods] != code)
                l.code = textPlace(QString::fromUtf8(code));
            l.num = rows.decimal(8);
            l.price = rows.decimal(9);
            l.out = !in;
            l.rowid = rows.integer(1);
            m_lines.push_back(l);
        }
    } catch (...) {
        // Nothing of a read cut short is kept.
        m_bills.resize(firstBill);
        m_lines.resize(firstLine);
        m_goods.resize(firstGoods);
        m_numbers.truncate(numbersBefore);
        throw;
    }
    // In the order the bills, then their lines, were stored; the days' index
    // gives them by day, which is nearly always that order already.
    const auto begin = m_lines.begin() + std::ptrdiff_t(firstLine);
    const auto before = [this](const Line& a, const Line& b) {
        const qint64 ba = m_bills[size_t(a.bill)].rowid, bb = m_bills[size_t(b.bill)].rowid;
        return ba != bb ? ba < bb : a.rowid < b.rowid;
    };
    if (!std::is_sorted(begin, m_lines.end(), before))
        std::stable_sort(begin, m_lines.end(), before);
}

void LedgerRows::clear()
{
    m_bills.clear();
    m_lines.clear();
    m_goods.clear();
    m_numbers.clear();
    m_texts.clear();
    m_textPlaces.clear();
}
