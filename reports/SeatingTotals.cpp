#include "reports/SeatingTotals.h"

#include <sqlite3.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include "db/Database.h"
#include "db/NoCaseKeys.h"
#include "db/RowReader.h"
#include "reports/ReportQueries.h"
#include "reports/SalesTotals.h"

namespace SeatingTotals {

namespace {

enum BillColumn { BillId, BillSeating, BillPay, BillFee, BillDiscount, BillReceived, BillWaived };
enum SeatingColumn { SeatingId, SeatingTable, SeatingDiners, SeatingWaiter };

[[noreturn]] void overflow()
{
    throw DbError(DbError::Read, QStringLiteral("integer overflow"));
}

// The key of an id: its text with ASCII capitals made small.
void foldInto(std::string& key, QByteArrayView text)
{
    key.clear();
    Db::appendFoldedNoCase(key, text);
}

// A value as stored: a number, or a text or blob whose bytes are kept in a
// block of texts.
struct Stored {
    uint8_t type = SQLITE_NULL;
    uint32_t size = 0;
    union {
        qint64 integer = 0;
        double real;
        quint64 at;
    };
};

class Texts {
public:
    Stored keep(const Db::RowReader& r, int column)
    {
        Stored v;
        v.type = uint8_t(r.type(column));
        switch (v.type) {
        case SQLITE_NULL:
            break;
        case SQLITE_INTEGER:
            v.integer = r.integer(column);
            break;
        case SQLITE_FLOAT:
            v.real = r.real(column);
            break;
        default: {
            const QByteArrayView bytes = r.utf8(column);
            v.at = m_bytes.size();
            v.size = uint32_t(bytes.size());
            m_bytes.append(bytes.data(), size_t(bytes.size()));
            break;
        }
        }
        return v;
    }
    std::string_view bytes(const Stored& v) const
    {
        return v.type == SQLITE_TEXT || v.type == SQLITE_BLOB ? std::string_view(m_bytes).substr(v.at, v.size)
                                                               : std::string_view();
    }
    // The value as Qt SQL reads it (Db::RowReader::variant).
    QVariant variant(const Stored& v) const
    {
        switch (v.type) {
        case SQLITE_INTEGER: return QVariant(qlonglong(v.integer));
        case SQLITE_FLOAT: return QVariant(v.real);
        case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
        case SQLITE_BLOB: return QVariant(QByteArray(bytes(v).data(), qsizetype(v.size)));
        default: return QVariant(text(v));
        }
    }
    // The value as text (Db::RowReader::text): Null is an empty text.
    QString text(const Stored& v) const
    {
        switch (v.type) {
        case SQLITE_NULL: return QString();
        case SQLITE_INTEGER: return QString::number(v.integer);
        case SQLITE_FLOAT: return variant(v).toString();
        default: return QString::fromUtf8(bytes(v).data(), qsizetype(v.size));
        }
    }

private:
    std::string m_bytes;
};

// The order of two values as ORDER BY sorts them under NOCASE: Null, numbers
// by value, texts without regard to ASCII letter case, blobs by their bytes.
int compareNoCase(const Texts& texts, const Stored& a, const Stored& b)
{
    auto rank = [](uint8_t type) {
        switch (type) {
        case SQLITE_NULL: return 0;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: return 1;
        case SQLITE_TEXT: return 2;
        default: return 3;
        }
    };
    const int ra = rank(a.type), rb = rank(b.type);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 1) {
        if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER)
            return a.integer < b.integer ? -1 : a.integer > b.integer ? 1 : 0;
        const double x = a.type == SQLITE_INTEGER ? double(a.integer) : a.real;
        const double y = b.type == SQLITE_INTEGER ? double(b.integer) : b.real;
        return x < y ? -1 : x > y ? 1 : 0;
    }
    const std::string_view x = texts.bytes(a), y = texts.bytes(b);
    const size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char p = uchar(ra == 2 ? Db::foldedNoCase(x[i]) : x[i]);
        const unsigned char q = uchar(ra == 2 ? Db::foldedNoCase(y[i]) : y[i]);
        if (p != q)
            return p < q ? -1 : 1;
    }
    return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}

// A seating as the reports need it.
struct Seating {
    bool found = false;   // false: no seating has this id
    int table = -1;       // its row of the tables, -1 for none
    Stored tableId;       // house_table_id as stored
    Stored diners;        // strink_num
    Stored waiter;        // serv_name
};

// Values kept in blocks that never move: a year of seatings grows without
// being copied, and a month's blocks come from the heap's free memory.
template <typename T>
class Blocks {
public:
    size_t size() const { return m_size; }
    T& operator[](size_t n) { return m_blocks[n >> Shift][n & (BlockSize - 1)]; }
    const T& operator[](size_t n) const { return m_blocks[n >> Shift][n & (BlockSize - 1)]; }
    void push_back(const T& value)
    {
        if ((m_size >> Shift) == m_blocks.size())
            m_blocks.emplace_back(new T[BlockSize]);
        (*this)[m_size++] = value;
    }

private:
    static constexpr int Shift = 10;
    static constexpr size_t BlockSize = size_t(1) << Shift;
    std::vector<std::unique_ptr<T[]>> m_blocks;
    size_t m_size = 0;
};

// The seatings of the period's bills, each read once: those that ended in
// the period all at once, any other when a bill names it. Seatings are
// numbered from 0 in the order they were read, and keep their number.
class PeriodSeatings {
public:
    explicit PeriodSeatings(const ReportPeriod& period)
    {
        Db::RowReader tables(ReportQueries::tableNames());
        while (tables.next()) {
            if (tables.type(0) != SQLITE_TEXT)
                continue;   // meets no seating
            foldInto(m_key, tables.utf8(0));
            if (m_tableKeys.add(m_key).second)
                m_tableNames.push_back(m_texts.keep(tables, 1));
        }
        Db::RowReader seatings(ReportQueries::seatingsEndedInPeriod(), period.bounds());
        while (seatings.next()) {
            if (seatings.type(SeatingId) != SQLITE_TEXT)
                continue;   // no bill names it
            foldInto(m_key, seatings.utf8(SeatingId));
            add(seatings);
        }
    }

    int count() const { return int(m_seatings.size()); }
    const Seating& operator[](int n) const { return m_seatings[size_t(n)]; }
    // The seating's id as NOCASE orders it.
    std::string_view key(int n) const { return m_keys.key(n); }
    const Texts& texts() const { return m_texts; }
    // house_name of a table.
    const Stored& tableName(int table) const { return m_tableNames[size_t(table)]; }
    // The real number SQLite makes of a seating's diners.
    double dinersReal(int n) const
    {
        const Stored& d = m_seatings[size_t(n)].diners;
        if (d.type == SQLITE_INTEGER)
            return double(d.integer);
        if (d.type == SQLITE_FLOAT)
            return d.real;
        const auto found = m_otherDiners.find(n);
        return found == m_otherDiners.end() ? 0 : found->second;
    }

    // The seating named in the bill's column, matched as the seating's key
    // matches (without regard to ASCII letter case); -1 for none.
    int of(const Db::RowReader& bill, int column)
    {
        if (bill.type(column) != SQLITE_TEXT)
            return -1;
        foldInto(m_key, bill.utf8(column));
        int n = m_keys.find(m_key);
        if (n < 0) {
            const QVariantList id{bill.variant(column)};
            if (m_lookup)
                m_lookup->rerun(id);
            else
                m_lookup = std::make_unique<Db::RowReader>(ReportQueries::seatingById(), id);
            if (m_lookup->next()) {
                n = add(*m_lookup);
            } else {
                n = m_keys.add(m_key).first;
                m_seatings.push_back(Seating());
            }
        }
        return m_seatings[size_t(n)].found ? n : -1;
    }

private:
    // Adds the seating of the row under the key made of its id.
    int add(const Db::RowReader& r)
    {
        const auto [n, added] = m_keys.add(m_key);
        if (!added)
            return n;
        Seating s;
        s.found = true;
        s.tableId = m_texts.keep(r, SeatingTable);
        if (r.type(SeatingTable) == SQLITE_TEXT) {
            foldInto(m_tableKey, r.utf8(SeatingTable));
            s.table = m_tableKeys.find(m_tableKey);
        }
        s.diners = m_texts.keep(r, SeatingDiners);
        if (s.diners.type == SQLITE_TEXT || s.diners.type == SQLITE_BLOB)
            m_otherDiners[n] = r.real(SeatingDiners);
        s.waiter = m_texts.keep(r, SeatingWaiter);
        m_seatings.push_back(s);
        return n;
    }

    Texts m_texts;
    Db::KeyIndex m_tableKeys;
    std::vector<Stored> m_tableNames;
    Db::KeyIndex m_keys;
    Blocks<Seating> m_seatings;
    std::unordered_map<int, double> m_otherDiners;   // diners stored as text
    std::unique_ptr<Db::RowReader> m_lookup;
    std::string m_key, m_tableKey;
};

// CAST(ROUND(x * 10000) AS INTEGER) of an amount of the bill; false for Null.
bool amountUnits(const Db::RowReader& r, int column, qint64& units)
{
    const int type = r.type(column);
    if (type == SQLITE_NULL)
        return false;
    if (type == SQLITE_FLOAT && SalesTotals::unitsOf(r.real(column), units))
        return true;
    Db::RowReader sql(QStringLiteral("SELECT CAST(ROUND((?) * 10000) AS INTEGER)"), {r.variant(column)});
    if (!sql.next() || sql.isNull(0))
        return false;
    units = sql.integer(0);
    return true;
}

// SUM() of amounts in ten-thousandths: Null when every amount was Null.
struct AmountSum {
    qint64 units = 0;
    bool any = false;

    void add(const Db::RowReader& r, int column)
    {
        qint64 u = 0;
        if (!amountUnits(r, column, u))
            return;
        any = true;
        if (__builtin_add_overflow(units, u, &units))
            overflow();
    }
    QVariant value() const { return any ? QVariant(double(units) / 10000.0) : QVariant(QMetaType::fromType<QString>()); }
};

// SUM(strink_num) over a group's seatings, as SQLite works it out: whole
// numbers add exactly; any other value makes it the sum of every value as a
// real number, added in the order the statement meets the seatings (by id);
// Null when every value is Null.
class DinersSum {
public:
    void add(const PeriodSeatings& seatings, int n)
    {
        const Stored& d = seatings[n].diners;
        if (d.type == SQLITE_NULL)
            return;
        m_any = true;
        if (d.type != SQLITE_INTEGER)
            m_real = true;
        else if (!m_real && __builtin_add_overflow(m_integer, d.integer, &m_integer))
            overflow();
    }
    // members: the group's seatings.
    QVariant value(const PeriodSeatings& seatings, std::vector<int> members) const
    {
        if (!m_any)
            return QVariant(QMetaType::fromType<QString>());
        if (!m_real)
            return QVariant(qlonglong(m_integer));
        std::sort(members.begin(), members.end(), [&](int a, int b) { return seatings.key(a) < seatings.key(b); });
        double sum = 0;
        for (int n : members)
            if (seatings[n].diners.type != SQLITE_NULL)
                sum += seatings.dinersReal(n);
        return QVariant(sum);
    }

private:
    qint64 m_integer = 0;
    bool m_any = false;
    bool m_real = false;
};

// The seatings of one group (a table, a waiter).
struct SeatingGroup {
    int shown = -1;   // the seating whose spellings the group shows: the first by id
    std::vector<int> members;
    DinersSum diners;
    AmountSum fee, received;

    void join(const PeriodSeatings& seatings, int n)
    {
        if (shown < 0 || seatings.key(n) < seatings.key(shown))
            shown = n;
        members.push_back(n);
        diners.add(seatings, n);
    }
};

// Reads the period's bills that have a seating, calling add(bill, seating).
template <typename Add>
void readBills(const ReportPeriod& period, PeriodSeatings& seatings, Add add)
{
    Db::RowReader bills(ReportQueries::periodBills(), period.bounds());
    while (bills.next()) {
        const int n = seatings.of(bills, BillSeating);
        if (n >= 0)
            add(bills, n);
    }
}

// The group of each seating met so far, -1 for none yet.
struct GroupOfSeating {
    std::vector<int> groups;
    int& operator()(const PeriodSeatings& seatings, int n)
    {
        if (size_t(n) >= groups.size())
            groups.resize(size_t(seatings.count()), -1);
        return groups[size_t(n)];
    }
};

} // namespace

Recordset byTable(const ReportPeriod& period)
{
    PeriodSeatings seatings(period);
    std::vector<SeatingGroup> groups;
    std::unordered_map<int, int> groupOfTable;
    GroupOfSeating groupOf;
    readBills(period, seatings, [&](const Db::RowReader& bill, int n) {
        const Seating& s = seatings[n];
        if (s.table < 0)
            return;   // no table of that id
        int& g = groupOf(seatings, n);
        if (g < 0) {
            const auto [at, added] = groupOfTable.try_emplace(s.table, int(groups.size()));
            if (added)
                groups.emplace_back();
            g = at->second;
            groups[size_t(g)].join(seatings, n);
        }
        SeatingGroup& group = groups[size_t(g)];
        group.fee.add(bill, BillFee);
        group.received.add(bill, BillReceived);
    });

    // By table name, then table id.
    const Texts& texts = seatings.texts();
    std::vector<const SeatingGroup*> order;
    for (const SeatingGroup& g : groups)
        order.push_back(&g);
    std::sort(order.begin(), order.end(), [&](const SeatingGroup* a, const SeatingGroup* b) {
        const Seating &x = seatings[a->shown], &y = seatings[b->shown];
        if (const int c = compareNoCase(texts, seatings.tableName(x.table), seatings.tableName(y.table)))
            return c < 0;
        return compareNoCase(texts, x.tableId, y.tableId) < 0;
    });
    std::vector<QVariantList> rows;
    rows.reserve(order.size());
    for (const SeatingGroup* g : order) {
        const Seating& s = seatings[g->shown];
        QVariant waived(QMetaType::fromType<QString>());
        if (g->fee.any && g->received.any) {
            qint64 difference = 0;
            waived = __builtin_sub_overflow(g->fee.units, g->received.units, &difference)
                ? QVariant((double(g->fee.units) - double(g->received.units)) / 10000.0)
                : QVariant(double(difference) / 10000.0);
        }
        rows.push_back({texts.variant(s.tableId), texts.variant(seatings.tableName(s.table)),
                        g->diners.value(seatings, g->members), g->fee.value(), g->received.value(), waived});
    }
    return Recordset::fromRows({QStringLiteral("房台号"), QStringLiteral("房台名称"), QStringLiteral("就餐人数"),
                                QStringLiteral("应收金额"), QStringLiteral("实收金额"), QStringLiteral("免收金额")},
                               std::move(rows));
}

Recordset waiterRanking(const ReportPeriod& period)
{
    PeriodSeatings seatings(period);
    const Texts& texts = seatings.texts();
    std::vector<SeatingGroup> groups;
    Db::KeyIndex waiters;
    std::string key;
    GroupOfSeating groupOf;
    readBills(period, seatings, [&](const Db::RowReader& bill, int n) {
        int& g = groupOf(seatings, n);
        if (g < 0) {
            // The waiter's name as GROUP BY compares it.
            const Stored& w = seatings[n].waiter;
            key.assign(1, char('0' + w.type));
            if (w.type == SQLITE_TEXT) {
                for (const char c : texts.bytes(w))
                    key.push_back(Db::foldedNoCase(c));
            } else if (w.type == SQLITE_BLOB) {
                key.append(texts.bytes(w));
            } else if (w.type != SQLITE_NULL) {
                double d = w.type == SQLITE_INTEGER ? double(w.integer) : w.real;
                if (d == 0)
                    d = 0;   // -0.0 and 0.0 are one value
                key.assign(1, '1');
                key.append(reinterpret_cast<const char*>(&d), sizeof d);
            }
            const auto [at, added] = waiters.add(key);
            if (added)
                groups.emplace_back();
            g = at;
            groups[size_t(g)].join(seatings, n);
        }
        groups[size_t(g)].received.add(bill, BillReceived);
    });

    // The largest amount first (no amount last), equal amounts by name.
    std::vector<const SeatingGroup*> order;
    for (const SeatingGroup& g : groups)
        order.push_back(&g);
    std::sort(order.begin(), order.end(), [&](const SeatingGroup* a, const SeatingGroup* b) {
        if (a->received.any != b->received.any)
            return a->received.any;
        if (a->received.any && a->received.units != b->received.units)
            return a->received.units > b->received.units;
        return compareNoCase(texts, seatings[a->shown].waiter, seatings[b->shown].waiter) < 0;
    });
    std::vector<QVariantList> rows;
    rows.reserve(order.size());
    for (const SeatingGroup* g : order)
        rows.push_back({texts.variant(seatings[g->shown].waiter), g->received.value(),
                        g->diners.value(seatings, g->members)});
    return Recordset::fromRows({QStringLiteral("serv_name"), QStringLiteral("received"), QStringLiteral("diners")},
                               std::move(rows));
}

SalesDetail salesDetail(const ReportPeriod& period)
{
    PeriodSeatings seatings(period);
    const Texts& texts = seatings.texts();
    SalesDetail detail;
    // A seating and payment method (as trim() leaves it, compared byte for
    // byte); a Null amount adds nothing (a sum of Nulls only, Null in the
    // statement, shows as 0 all the same).
    struct Group {
        qint64 firstBill;
        int seating;
        uint32_t pay;        // its text
        int nextOfSeating;   // the seating's next group, -1 for none
        qint64 sums[4];
    };
    Blocks<Group> groups;
    GroupOfSeating firstGroupOf;
    Db::KeyIndex pays;
    std::vector<uint32_t> payTexts;
    std::string key;   // of the last payment method met
    uint32_t lastPay = 0;
    readBills(period, seatings, [&](const Db::RowReader& bill, int n) {
        if (seatings[n].table < 0)
            return;   // no table of that id
        // Most bills are paid as the bill before.
        const QByteArrayView pay = bill.utf8(BillPay);
        const std::string_view payBytes(pay.data(), size_t(pay.size()));
        const char payType = char('0' + bill.type(BillPay));
        if (key.empty() || key[0] != payType || std::string_view(key).substr(1) != payBytes) {
            key.assign(1, payType);
            key.append(payBytes);
            const auto [payNumber, added] = pays.add(key);
            if (added) {
                payTexts.push_back(uint32_t(detail.texts.size()));
                detail.texts.push_back(bill.text(BillPay).trimmed());
            }
            lastPay = payTexts[size_t(payNumber)];
        }
        int& first = firstGroupOf(seatings, n);
        int g = first;
        while (g >= 0 && groups[size_t(g)].pay != lastPay)
            g = groups[size_t(g)].nextOfSeating;
        if (g < 0) {
            g = int(groups.size());
            groups.push_back({bill.integer(BillId), n, lastPay, first, {}});
            first = g;
        }
        Group& group = groups[size_t(g)];
        group.firstBill = std::min(group.firstBill, bill.integer(BillId));
        for (int i = 0; i < 4; ++i) {
            qint64 u = 0;
            if (amountUnits(bill, BillFee + i, u) && __builtin_add_overflow(group.sums[i], u, &group.sums[i]))
                overflow();
        }
    });

    std::vector<uint32_t> order(groups.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = uint32_t(i);
    std::sort(order.begin(), order.end(),
              [&](uint32_t a, uint32_t b) { return groups[a].firstBill < groups[b].firstBill; });
    // A table's name, the spellings of table ids and the diners values are
    // made into Qt values once.
    std::vector<int> nameTexts;
    Db::KeyIndex spellings, diners;
    std::vector<uint32_t> spellingTexts;
    auto keyOf = [&](const Stored& v) {
        key.assign(1, char('0' + v.type));
        if (v.type == SQLITE_INTEGER || v.type == SQLITE_FLOAT)
            key.append(reinterpret_cast<const char*>(&v.integer), sizeof v.integer);
        else
            key.append(texts.bytes(v));
        return std::string_view(key);
    };
    std::vector<bool> seatingShown(size_t(seatings.count()), false);
    detail.rows.reserve(order.size());
    for (const uint32_t i : order) {
        const Group& g = groups[i];
        const Seating& s = seatings[g.seating];
        if (size_t(s.table) >= nameTexts.size())
            nameTexts.resize(size_t(s.table) + 1, -1);
        if (nameTexts[size_t(s.table)] < 0) {
            nameTexts[size_t(s.table)] = int(detail.texts.size());
            detail.texts.push_back(texts.text(seatings.tableName(s.table)));
        }
        const auto [spelling, newSpelling] = spellings.add(keyOf(s.tableId));
        if (newSpelling) {
            spellingTexts.push_back(uint32_t(detail.texts.size()));
            detail.texts.push_back(texts.text(s.tableId));
        }
        const auto [value, newValue] = diners.add(keyOf(s.diners));
        if (newValue)
            detail.dinerValues.push_back(texts.variant(s.diners));
        detail.rows.push_back({spellingTexts[size_t(spelling)], uint32_t(nameTexts[size_t(s.table)]), g.pay, uint32_t(value),
                               Money::fromUnits(g.sums[0]), Money::fromUnits(g.sums[1]), Money::fromUnits(g.sums[2]),
                               Money::fromUnits(g.sums[3]), !seatingShown[size_t(g.seating)]});
        seatingShown[size_t(g.seating)] = true;
    }
    return detail;
}

} // namespace SeatingTotals
