#include "reports/SalesTotals.h"

#include <sqlite3.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>
#include "db/Database.h"
#include "db/NoCaseKeys.h"
#include "db/RowReader.h"
#include "reports/ReportQueries.h"

namespace SalesTotals {

namespace {

// The settled lines of the period: its bills in the order of the date index,
// each bill's lines from the bill index, which holds every column read here
// (a bill's lines in code, name, price, quantity, state and line order).
// The line's own number is not read: it only decides between lines of one
// group on one bill, and those few bills are looked up again (see
// groupDishes) for less than reading it on every line costs.
const QString LinesOfPeriod = QStringLiteral(
    "SELECT l.account_id, 0, l.food_code, l.food_name, l.price, l.food_num, l.STS "
    "FROM ACCOUNT_200606 a JOIN strink_mess_200505 l ON l.account_id = a.account_id "
    "WHERE a.account_date >= ? AND a.account_date <= ? ORDER BY a.account_date, a.account_id");
enum LineColumn { BillId, LineId, Code, Name, Price, Quantity, State, Seating };
// The same lines with only the columns the sums by dish code read.
const QString CodeLinesOfPeriod = QStringLiteral(
    "SELECT l.food_code, l.price, l.food_num, l.STS "
    "FROM ACCOUNT_200606 a JOIN strink_mess_200505 l ON l.account_id = a.account_id "
    "WHERE a.account_date >= ? AND a.account_date <= ?");


// A stored value in the order SQLite sorts values: Null, numbers by value,
// texts, blobs (by their bytes, texts case-folded under NOCASE).
struct Value {
    int rank = 0;   // 0 Null, 1 number, 2 text, 3 blob
    double number = 0;
    std::string bytes;

    static Value of(const Db::RowReader& r, int column, bool noCase)
    {
        Value v;
        v.assign(r, column, noCase);
        return v;
    }
    // Takes the column's value, keeping the room already held.
    void assign(const Db::RowReader& r, int column, bool noCase)
    {
        bytes.clear();
        number = 0;
        switch (r.type(column)) {
        case SQLITE_NULL:
            rank = 0;
            break;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            rank = 1;
            number = r.real(column);
            break;
        default: {
            rank = r.type(column) == SQLITE_TEXT ? 2 : 3;
            const QByteArrayView v = r.utf8(column);
            bytes.assign(v.data(), size_t(v.size()));
            if (noCase && rank == 2)
                for (char& c : bytes)
                    c = Db::foldedNoCase(c);
            break;
        }
        }
    }
    friend int compare(const Value& a, const Value& b)
    {
        if (a.rank != b.rank)
            return a.rank < b.rank ? -1 : 1;
        if (a.rank == 1)
            return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        const int c = a.bytes.compare(b.bytes);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
};

// A stored value kept as it is, for showing it later as Qt SQL reads it.
struct Stored {
    int type = SQLITE_NULL;
    qint64 integer = 0;
    double real = 0;
    std::string bytes;

    void assign(const Db::RowReader& r, int column)
    {
        type = r.type(column);
        bytes.clear();
        if (type == SQLITE_INTEGER) {
            integer = r.integer(column);
        } else if (type == SQLITE_FLOAT) {
            real = r.real(column);
        } else if (type != SQLITE_NULL) {
            const QByteArrayView v = r.utf8(column);
            bytes.assign(v.data(), size_t(v.size()));
        }
    }
    QVariant variant() const
    {
        switch (type) {
        case SQLITE_INTEGER: return QVariant(qlonglong(integer));
        case SQLITE_FLOAT: return QVariant(real);
        case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
        case SQLITE_BLOB: return QVariant(QByteArray(bytes.data(), qsizetype(bytes.size())));
        default: return QVariant(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
        }
    }
};

// Appends a value to a grouping key, so that two values make one key exactly
// when SQLite groups them together.
void appendKey(std::string& key, const Db::RowReader& r, int column, bool noCase)
{
    const int type = r.type(column);
    if (type == SQLITE_NULL) {
        key.push_back('\0');
        return;
    }
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        double d = r.real(column);
        if (d == 0)
            d = 0;   // -0.0 and 0.0 are one value
        key.push_back('\1');
        key.append(reinterpret_cast<const char*>(&d), sizeof d);
        return;
    }
    const QByteArrayView v = r.utf8(column);
    const auto n = uint32_t(v.size());
    key.push_back(type == SQLITE_TEXT ? '\2' : '\3');
    key.append(reinterpret_cast<const char*>(&n), sizeof n);
    if (!noCase || type != SQLITE_TEXT) {
        key.append(v.data(), size_t(v.size()));
        return;
    }
    for (const char c : v)
        key.push_back(Db::foldedNoCase(c));
}

// Whole ten-thousandths of a line's quantity and of its amount, as
// ReportSql::units rounds them; Null stays Null. Lines whose quantity or
// price is not a stored number are worked out by SQLite itself.
struct LineUnits {
    bool hasQuantity = false;
    bool hasAmount = false;
    qint64 quantity = 0;
    qint64 amount = 0;
};

LineUnits lineUnits(const Db::RowReader& r, const Db::Cell& quantity, int quantityColumn, const Db::Cell& price,
                    int priceColumn)
{
    LineUnits u;
    if (quantity.type == SQLITE_FLOAT && price.type == SQLITE_FLOAT) {
        const double q = quantity.real;
        if (unitsOf(q, u.quantity) && unitsOf(q * price.real, u.amount)) {
            u.hasQuantity = u.hasAmount = true;
            return u;
        }
    }
    Db::RowReader sql(QStringLiteral("SELECT CAST(ROUND((?1) * 10000) AS INTEGER), "
                                     "CAST(ROUND((?1 * ?2) * 10000) AS INTEGER)"),
                      {r.variant(quantityColumn), r.variant(priceColumn)});
    if (sql.next()) {
        u.hasQuantity = !sql.isNull(0);
        u.quantity = sql.integer(0);
        u.hasAmount = !sql.isNull(1);
        u.amount = sql.integer(1);
    }
    return u;
}

// Whether a line's state is the one-letter text given ('2' free, '0'
// ordered) as STS = '2' compares them: a text, never a blob.
bool stateIs(const Db::Cell& state, char code)
{
    return state.type == SQLITE_TEXT && state.size == 1 && state.bytes[0] == code;
}

// Eight bytes with their ASCII capitals made small at once, as Db::foldedNoCase()
// makes each.
inline uint64_t folded8(uint64_t x)
{
    constexpr uint64_t ones = 0x0101010101010101ull;
    const uint64_t low = x & (0x7f * ones);
    const uint64_t fromA = low + (0x80 - 'A') * ones;       // high bit: at least 'A'
    const uint64_t pastZ = low + (0x80 - 'Z' - 1) * ones;   // high bit: past 'Z'
    const uint64_t capitals = fromA & ~pastZ & ~x & (0x80 * ones);
    return x | (capitals >> 2);
}

inline uint64_t load8(const char* p)
{
    uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

inline uint64_t load4(const char* p)
{
    uint32_t x;
    std::memcpy(&x, p, 4);
    return x;
}

// The last bytes of a text that does not end on a whole word: the last
// eight (again in part) when the text has that many, else its bytes drawn
// into one word without copying them one by one.
inline uint64_t lastWord(const char* begin, size_t size)
{
    if (size >= 8)
        return load8(begin + size - 8);
    if (size >= 4)
        return load4(begin) | load4(begin + size - 4) << 32;
    return uint64_t(uchar(begin[0])) | uint64_t(uchar(begin[size / 2])) << 8 | uint64_t(uchar(begin[size - 1])) << 16;
}

// Calls f with the bytes as 8-byte words; two texts of one length give
// the same words exactly when their bytes are the same.
template <typename F>
inline bool allWords(const char* p, size_t n, F f)
{
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (!f(load8(p + i), i))
            return false;
    return i == n || f(lastWord(p, n), n);
}

// Whether stored bytes, folded, are the folded bytes kept.
bool sameFolded(const char* bytes, size_t n, const std::string& kept)
{
    if (n != kept.size())
        return false;
    const char* k = kept.data();
    return allWords(bytes, n, [&](uint64_t w, size_t at) {
        return folded8(w) == (at + 8 <= n ? load8(k + at) : lastWord(k, n));
    });
}

// Whether a value read is the kept value of a group's key: one value
// exactly when appendKey() makes them one key.
bool sameKey(const Db::Cell& c, const Value& v, bool noCase)
{
    switch (c.type) {
    case SQLITE_NULL:
        return v.rank == 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return v.rank == 1 && c.real == v.number;
    case SQLITE_TEXT:
        if (v.rank != 2)
            return false;
        if (noCase)
            return sameFolded(c.bytes, size_t(c.size), v.bytes);
        break;
    default:
        if (v.rank != 3)
            return false;
        break;
    }
    return size_t(c.size) == v.bytes.size() && (c.size == 0 || std::memcmp(c.bytes, v.bytes.data(), size_t(c.size)) == 0);
}

// A hash of a line's grouping key made from its values as they are read,
// equal for two lines whenever appendKey() makes them one key: no key is
// built per line.
class KeyHash {
public:
    void add(const Db::Cell& c, bool noCase)
    {
        switch (c.type) {
        case SQLITE_NULL:
            mix(0);
            return;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: {
            double d = c.real;
            if (d == 0)
                d = 0;   // -0.0 and 0.0 are one value
            uint64_t bits;
            std::memcpy(&bits, &d, sizeof bits);
            mix(1);
            mix(bits);
            return;
        }
        default:
            break;
        }
        const bool fold = noCase && c.type == SQLITE_TEXT;
        mix((uint64_t(c.type) << 32) | uint32_t(c.size));
        allWords(c.bytes, size_t(c.size), [&](uint64_t w, size_t) {
            mix(fold ? folded8(w) : w);
            return true;
        });
    }
    uint64_t value() const { return m_hash ^ (m_hash >> 29); }

private:
    void mix(uint64_t x)
    {
        m_hash = (m_hash ^ x) * 0x9e3779b97f4a7c15ull;
        m_hash ^= m_hash >> 32;
    }
    uint64_t m_hash = 0x243f6a8885a308d3ull;
};

// Groups by the hash of their key: open addressing over a table kept at
// most half full; the caller tells whether a group holds the line's key.
class GroupTable {
public:
    GroupTable() : m_slots(64) {}
    // The group the key belongs to, or -1.
    template <typename Same>
    int find(uint64_t hash, Same same) const
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            const Slot& s = m_slots[i];
            if (s.group < 0)
                return -1;
            if (s.hash == hash && same(s.group))
                return s.group;
        }
    }
    void add(uint64_t hash, int group)
    {
        if (2 * (m_used + 1) > m_slots.size()) {
            std::vector<Slot> old(m_slots.size() * 2);
            old.swap(m_slots);
            m_used = 0;
            for (const Slot& s : old)
                if (s.group >= 0)
                    place(s);
        }
        place({hash, group});
    }

private:
    struct Slot {
        uint64_t hash = 0;
        int group = -1;
    };
    void place(const Slot& slot)
    {
        const size_t mask = m_slots.size() - 1;
        size_t i = size_t(slot.hash) & mask;
        while (m_slots[i].group >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
        ++m_used;
    }
    std::vector<Slot> m_slots;
    size_t m_used = 0;
};

QVariant unitsValue(qint64 units) { return QVariant(double(units) / 10000.0); }

// Which line of a group a statement shows: the first it meets in its plan.
enum class FirstLine {
    // Column 0 the bill: bills in the order read, each bill's lines as
    // stored; column 1 is not read, the bill's lines are looked up again
    // for a group with several lines on its first bill.
    InBillOrder,
    // Column 0 the bill: by bill, quantity, state, line. Column 1 is not
    // read: a bill's lines of one group come from the bill index in that
    // order, and the first met is shown.
    InDishIndex,
    ByTime,   // column 0 the line's time: by time, line (column 1)
};

// The lines of one dish code, name and price, as GROUP BY l.food_code,
// l.food_name, l.price makes them.
struct DishGroup {
    // Its place in the result.
    Value code;
    Value name;
    Value price;
    // The line it shows and that line's place among the lines.
    Stored shownCode;
    Stored shownName;
    Stored shownPrice;
    qint64 bill = 0;
    qint64 billId = 0;
    bool tied = false;   // another line of its bill (or of its time) is in the group
    Value time;
    qint64 line = 0;
    Value quantityValue;
    Value state;
    // Its sums.
    bool hasQuantity = false;
    qint64 quantity = 0;
    qint64 amount = 0;
    qint64 free = 0;
    qint64 ordered = 0;   // lines of state '0'
};

// NOCASE order of a stored text (or Null) against a kept value.
int compareNoCase(const Db::RowReader& r, int column, const Value& v)
{
    if (r.type(column) == SQLITE_NULL || v.rank != 2)
        return compare(Value::of(r, column, true), v);
    const QByteArrayView t = r.utf8(column);
    const size_t n = std::min(size_t(t.size()), v.bytes.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char a = uchar(Db::foldedNoCase(t[qsizetype(i)])), b = uchar(v.bytes[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return size_t(t.size()) < v.bytes.size() ? -1 : size_t(t.size()) > v.bytes.size() ? 1 : 0;
}

// Reads every line (columns: bill or time, line, code, name, price,
// quantity, state) and sums them by dish code, name and price.
template <typename Counts>
std::vector<DishGroup> groupDishes(Db::RowReader& r, FirstLine rule, Counts counts)
{
    std::vector<DishGroup> groups;
    GroupTable index;
    qint64 billOrder = 0;
    qint64 lastBill = 0;
    auto billOf = [&]() {
        if (rule == FirstLine::ByTime)
            return qint64(0);
        const qint64 id = r.integer(BillId);
        if (billOrder == 0 || id != lastBill) {
            ++billOrder;
            lastBill = id;
        }
        return rule == FirstLine::InDishIndex ? id : billOrder;
    };
    auto show = [&](DishGroup& g, qint64 bill) {
        g.shownCode.assign(r, Code);
        g.shownName.assign(r, Name);
        g.shownPrice.assign(r, Price);
        g.bill = bill;
        g.tied = false;
        if (rule != FirstLine::ByTime)
            g.billId = r.integer(BillId);
        if (rule == FirstLine::InDishIndex) {
            g.quantityValue.assign(r, Quantity, false);
            g.state.assign(r, State, true);
        } else if (rule == FirstLine::ByTime) {
            g.time.assign(r, BillId, true);
        }
    };
    // Whether the line comes before the one the group shows. Lines of one
    // time are told apart by the caller, which looks that time up again.
    auto comesFirst = [&](DishGroup& g, qint64 bill) {
        if (rule == FirstLine::ByTime) {
            const int c = compareNoCase(r, BillId, g.time);
            if (c == 0)
                g.tied = true;
            return c < 0;
        }
        if (bill != g.bill) {
            return bill < g.bill;
        }
        if (rule == FirstLine::InDishIndex) {
            if (const int c = compare(Value::of(r, Quantity, false), g.quantityValue))
                return c < 0;
            if (const int c = compare(Value::of(r, State, true), g.state))
                return c < 0;
        }
        return false;
    };
    while (r.next()) {
        if (!counts(r))
            continue;
        const qint64 bill = billOf();
        const Db::Cell code = r.cell(Code), name = r.cell(Name), price = r.cell(Price);
        KeyHash hash;
        hash.add(code, true);
        hash.add(name, true);
        hash.add(price, false);
        const uint64_t h = hash.value();
        int at = index.find(h, [&](int i) {
            const DishGroup& g = groups[size_t(i)];
            return sameKey(code, g.code, true) && sameKey(name, g.name, true) && sameKey(price, g.price, false);
        });
        const bool added = at < 0;
        if (added) {
            at = int(groups.size());
            DishGroup g;
            g.code = Value::of(r, Code, true);
            g.name = Value::of(r, Name, true);
            g.price = Value::of(r, Price, false);
            show(g, bill);
            groups.push_back(std::move(g));
            index.add(h, at);
        }
        DishGroup& g = groups[size_t(at)];
        if (!added) {
            if (rule == FirstLine::InBillOrder && bill == g.bill)
                g.tied = true;
            else if (comesFirst(g, bill))
                show(g, bill);
        }
        const Db::Cell state = r.cell(State);
        const LineUnits u = lineUnits(r, r.cell(Quantity), Quantity, price, Price);
        if (u.hasQuantity) {
            g.hasQuantity = true;
            g.quantity += u.quantity;
        }
        if (u.hasAmount) {
            g.amount += u.amount;
            if (stateIs(state, '2'))
                g.free += u.amount;
        }
        if (stateIs(state, '0'))
            ++g.ordered;
    }
    // A group with several lines on its first bill shows the one stored
    // first there.
    if (rule == FirstLine::InBillOrder) {
        Db::RowReader lines(QStringLiteral("SELECT food_code, food_name, price, rowid FROM strink_mess_200505 "
                                           "WHERE account_id = ? ORDER BY rowid"),
                            {QVariant()});
        for (DishGroup& g : groups) {
            if (!g.tied)
                continue;
            lines.rerun({g.billId});
            while (lines.next()) {
                if (sameKey(lines.cell(0), g.code, true) && sameKey(lines.cell(1), g.name, true)
                    && sameKey(lines.cell(2), g.price, false)) {
                    g.shownCode.assign(lines, 0);
                    g.shownName.assign(lines, 1);
                    g.shownPrice.assign(lines, 2);
                    g.line = lines.integer(3);
                    break;
                }
            }
        }
    }
    return groups;
}

// The groups kept, in code, name and price order.
template <typename Keep>
std::vector<const DishGroup*> sortedGroups(const std::vector<DishGroup>& groups, Keep keep)
{
    std::vector<const DishGroup*> kept;
    for (const DishGroup& g : groups)
        if (keep(g))
            kept.push_back(&g);
    std::sort(kept.begin(), kept.end(), [](const DishGroup* a, const DishGroup* b) {
        if (const int c = compare(a->code, b->code))
            return c < 0;
        if (const int c = compare(a->name, b->name))
            return c < 0;
        return compare(a->price, b->price) < 0;
    });
    return kept;
}


} // namespace

bool unitsOf(double x, qint64& units)
{
    const double r = x * 10000;
    if (!(r >= -4503599627370496.0 && r <= 4503599627370496.0))
        return false;
    units = qint64(r + (r < 0 ? -0.5 : 0.5));
    return true;
}

Recordset byCategory(const ReportPeriod& period)
{
    // The amounts per dish code, as the code's lines sum them.
    struct Sums {
        qint64 amount = 0;
        qint64 free = 0;
    };
    std::vector<Value> codes;
    std::vector<Sums> codeSums;
    GroupTable codeIndex;
    auto findCode = [&](const Db::Cell& code, uint64_t hash) {
        return codeIndex.find(hash, [&](int i) { return sameKey(code, codes[size_t(i)], true); });
    };
    enum { LineCode, LinePrice, LineQuantity, LineState };
    Db::RowReader lines(CodeLinesOfPeriod, period.bounds());
    while (lines.next()) {
        const Db::Cell code = lines.cell(LineCode);
        if (code.type == SQLITE_NULL)
            continue;   // matches no dish
        KeyHash hash;
        hash.add(code, true);
        const uint64_t h = hash.value();
        int at = findCode(code, h);
        if (at < 0) {
            at = int(codes.size());
            codes.push_back(Value::of(lines, LineCode, true));
            codeSums.emplace_back();
            codeIndex.add(h, at);
        }
        const Db::Cell price = lines.cell(LinePrice);
        const LineUnits u = lineUnits(lines, lines.cell(LineQuantity), LineQuantity, price, LinePrice);
        if (u.hasAmount) {
            Sums& s = codeSums[size_t(at)];
            s.amount += u.amount;
            if (stateIs(lines.cell(LineState), '2'))
                s.free += u.amount;
        }
    }

    // Each dish adds its code's amounts to its sub-category.
    std::unordered_map<std::string, Sums> byClass;
    std::string key;
    Db::RowReader dishes(QStringLiteral("SELECT code, cp_classid FROM cpdetail"));
    while (dishes.next()) {
        const Db::Cell code = dishes.cell(0);
        if (code.type == SQLITE_NULL || dishes.type(1) == SQLITE_NULL)
            continue;
        KeyHash hash;
        hash.add(code, true);
        const int at = findCode(code, hash.value());
        if (at < 0)
            continue;
        key.clear();
        appendKey(key, dishes, 1, true);
        Sums& s = byClass[key];
        s.amount += codeSums[size_t(at)].amount;
        s.free += codeSums[size_t(at)].free;
    }

    std::vector<QVariantList> rows;
    Db::RowReader classes(QStringLiteral("SELECT trim(c.cname), trim(c.code) FROM cpclass c "
                                         "WHERE c.parentcode <> '0' ORDER BY c.rowid"));
    while (classes.next()) {
        Sums s;
        if (classes.type(1) != SQLITE_NULL) {
            key.clear();
            appendKey(key, classes, 1, true);
            if (const auto found = byClass.find(key); found != byClass.end())
                s = found->second;
        }
        rows.push_back({classes.variant(0), unitsValue(s.amount), unitsValue(s.free)});
    }
    return Recordset::fromRows({QStringLiteral("分类名称"), QStringLiteral("金额"), QStringLiteral("赠单金额")},
                               std::move(rows));
}

Recordset byDish(const ReportPeriod& period)
{
    // Of the lines of one group the statement shows the first it meets: over
    // a short period the first in bill order (the period's bills by date,
    // each bill's lines as stored), over a long one the first in the order of
    // the dish index (bill, quantity, state, line).
    const FirstLine rule = ReportQueries::salesByDishReadsDishIndex(period) ? FirstLine::InDishIndex
                                                                            : FirstLine::InBillOrder;
    Db::RowReader r(LinesOfPeriod, period.bounds());
    const std::vector<DishGroup> groups = groupDishes(r, rule, [](const Db::RowReader&) { return true; });
    std::vector<QVariantList> rows;
    for (const DishGroup* g : sortedGroups(groups, [](const DishGroup& g) { return g.hasQuantity && g.quantity > 0; }))
        rows.push_back({g->shownName.variant(), unitsValue(g->quantity), g->shownPrice.variant(), unitsValue(g->amount),
                        unitsValue(g->free)});
    return Recordset::fromRows({QStringLiteral("品名"), QStringLiteral("数量"), QStringLiteral("单价"),
                                QStringLiteral("金额"), QStringLiteral("赠单金额")},
                               std::move(rows));
}

namespace {

// The key of an id (a seating, table or dish code) as its NOCASE column
// compares it: a text's bytes with ASCII letters folded, a blob's as they
// are, and a last byte telling the kinds apart. An id of up to 14 bytes
// stays within the string's own room.
void idKey(std::string& key, int type, QByteArrayView bytes)
{
    key.assign(bytes.data(), size_t(bytes.size()));
    if (type == SQLITE_TEXT)
        for (char& c : key)
            c = Db::foldedNoCase(c);
    key.push_back(char(type));
}

void idKey(std::string& key, const Db::RowReader& r, int column)
{
    const Db::Cell c = r.cell(column);
    const int type = c.type;
    if (type == SQLITE_TEXT || type == SQLITE_BLOB) {
        idKey(key, type, QByteArrayView(c.bytes, c.bytes ? c.size : 0));
    } else {
        // A number, which a text column does not hold.
        key.clear();
        appendKey(key, r, column, true);
        key.push_back(char(type));
    }
}

} // namespace

Recordset dishSales(ReportQueries::DishLevel level, ReportQueries::TableFilter filter, const QVariantList& params)
{
    // The lines of the period from the covering time index; a line counts
    // when its dish is one of the level's and its seating's table one of the
    // chosen, both matched as the statement's joins match them (without
    // regard to case). The dishes, the tables and the seatings of the period
    // are read once; a seating outside those is looked up on its own.
    std::string key;
    auto keysOf = [&](const QString& sql, const QVariantList& bound) {
        std::unordered_map<std::string, bool> keys;
        Db::RowReader r(sql, bound);
        while (r.next()) {
            if (r.type(0) == SQLITE_NULL)
                continue;
            idKey(key, r, 0);
            keys[key] = true;
        }
        return keys;
    };
    const auto chosenTables = keysOf(ReportQueries::dishSalesTables(filter), {params.value(2)});
    const auto levelDishes = keysOf(ReportQueries::dishSalesDishes(level), params.mid(3));
    auto chosen = [&](const Db::RowReader& r, int column) {
        if (r.type(column) == SQLITE_NULL)
            return false;
        idKey(key, r, column);
        return chosenTables.count(key) > 0;
    };
    // Whether each seating's lines count, by the seating's id key.
    Db::KeyIndex seatingKeys;
    std::vector<char> seatingCounts;
    auto keepAnswer = [&](const std::string& id, bool counts) {
        if (seatingKeys.add(id).second)
            seatingCounts.push_back(counts);
    };
    {
        Db::RowReader seatings(ReportQueries::dishSalesSeatings(), params.mid(0, 2));
        while (seatings.next()) {
            if (seatings.type(0) == SQLITE_NULL)
                continue;
            // The id is the seating's key (NOCASE): each is read once.
            const bool counts = chosen(seatings, 1);
            idKey(key, seatings, 0);
            keepAnswer(key, counts);
        }
    }
    Db::RowReader tableOf(ReportQueries::tableOfSeating(), {QVariant()});
    auto seatingOf = [&](const Db::RowReader& line) {
        idKey(key, line, Seating);
        if (const int known = seatingKeys.find(key); known >= 0)
            return bool(seatingCounts[size_t(known)]);
        const std::string id = key;
        tableOf.rerun({line.variant(Seating)});
        const bool counts = tableOf.next() && chosen(tableOf, 0);
        keepAnswer(id, counts);
        return counts;
    };
    // Every dish of the menu counts at the first level, and a dish's lines
    // fall in groups of its code alone: there the groups are matched to the
    // menu, not the lines. A category's lines are matched one by one.
    const bool byLine = level == ReportQueries::DishLevel::TopCategory || level == ReportQueries::DishLevel::SubCategory;
    // A seating's lines mostly come in a few runs: the last seating's answer
    // is kept with its id as stored.
    std::string lastSeating;
    int lastSeatingType = SQLITE_NULL;
    bool lastCounts = false;
    auto counts = [&](const Db::RowReader& line) {
        const Db::Cell seating = line.cell(Seating);
        if (seating.type == SQLITE_NULL)
            return false;
        // A number has no bytes here: it is always looked up.
        const std::string_view id(seating.bytes ? seating.bytes : "", size_t(seating.size));
        if (seating.type != lastSeatingType || !seating.bytes || id != lastSeating) {
            lastSeatingType = seating.type;
            lastSeating.assign(id);
            lastCounts = seatingOf(line);
        }
        if (!lastCounts || !byLine)
            return lastCounts;
        if (line.type(Code) == SQLITE_NULL)
            return false;
        idKey(key, line, Code);
        return levelDishes.count(key) > 0;
    };
    auto ofLevel = [&](const DishGroup& g) {
        if (g.code.rank != 2 && g.code.rank != 3)
            return false;   // Null joins no dish, and a text column holds no number
        idKey(key, g.code.rank == 2 ? SQLITE_TEXT : SQLITE_BLOB, QByteArrayView(g.code.bytes.data(), qsizetype(g.code.bytes.size())));
        return levelDishes.count(key) > 0;
    };
    // Of the lines of one group the statement showed the first it met in the
    // time index of the time alone (or the dish code index, by code and
    // time, for one dish): the first by time and then as stored.
    Db::RowReader r(ReportQueries::dishSalesLines(level),
                    params.mid(0, 2) + (level == ReportQueries::DishLevel::Dish ? params.mid(3, 1) : QVariantList()));
    std::vector<DishGroup> groups = groupDishes(r, FirstLine::ByTime, counts);
    // The lines are read without their own numbers: a group with several
    // lines at its first time looks that time up again, its lines as stored.
    Db::RowReader atTime(ReportQueries::dishSalesLinesAtTime(), {QVariant()});
    for (DishGroup& g : groups) {
        if (!g.tied)
            continue;
        atTime.rerun({QString::fromUtf8(g.time.bytes.data(), qsizetype(g.time.bytes.size()))});
        while (atTime.next()) {
            if (counts(atTime) && sameKey(atTime.cell(Code), g.code, true) && sameKey(atTime.cell(Name), g.name, true)
                && sameKey(atTime.cell(Price), g.price, false)) {
                g.shownCode.assign(atTime, Code);
                g.shownName.assign(atTime, Name);
                g.shownPrice.assign(atTime, Price);
                break;
            }
        }
    }
    std::vector<QVariantList> rows;
    for (const DishGroup* g : sortedGroups(groups, [&](const DishGroup& g) { return g.ordered > 0 && ofLevel(g); }))
        rows.push_back({g->shownCode.variant(), g->shownName.variant(), g->shownPrice.variant(), unitsValue(g->quantity),
                        unitsValue(g->amount)});
    return Recordset::fromRows({QStringLiteral("food_code"), QStringLiteral("food_name"), QStringLiteral("price"),
                                QStringLiteral("quantity"), QStringLiteral("amount")},
                               std::move(rows));
}

} // namespace SalesTotals
