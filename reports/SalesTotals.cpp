#include "reports/SalesTotals.h"

#include <sqlite3.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>
#include "db/Database.h"
#include "db/RowReader.h"
#include "reports/ReportQueries.h"

namespace SalesTotals {

namespace {

// The settled lines of the period: its bills in the order of the date index,
// each bill's lines from the bill index, which holds every column read here.
const QString LinesOfPeriod = QStringLiteral(
    "SELECT a.account_id, l.rowid, l.food_code, l.food_name, l.price, l.food_num, l.STS "
    "FROM ACCOUNT_200606 a JOIN strink_mess_200505 l ON l.account_id = a.account_id "
    "WHERE a.account_date >= ? AND a.account_date <= ? ORDER BY a.account_date, a.account_id");
enum LineColumn { BillId, LineId, Code, Name, Price, Quantity, State, Seating };

// ASCII letters to lower case, every other byte as it is: the NOCASE collation.
inline unsigned char folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

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
                    c = char(folded(uchar(c)));
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
        key.push_back(char(folded(uchar(c))));
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

LineUnits lineUnits(const Db::RowReader& r)
{
    LineUnits u;
    const int qt = r.type(Quantity);
    const int pt = r.type(Price);
    if (qt == SQLITE_FLOAT && pt == SQLITE_FLOAT) {
        const double q = r.real(Quantity);
        if (unitsOf(q, u.quantity) && unitsOf(q * r.real(Price), u.amount)) {
            u.hasQuantity = u.hasAmount = true;
            return u;
        }
    }
    Db::RowReader sql(QStringLiteral("SELECT CAST(ROUND((?1) * 10000) AS INTEGER), "
                                     "CAST(ROUND((?1 * ?2) * 10000) AS INTEGER)"),
                      {r.variant(Quantity), r.variant(Price)});
    if (sql.next()) {
        u.hasQuantity = !sql.isNull(0);
        u.quantity = sql.integer(0);
        u.hasAmount = !sql.isNull(1);
        u.amount = sql.integer(1);
    }
    return u;
}

// A free line (STS '2') counts its amount again as the free amount.
bool isFree(const Db::RowReader& r)
{
    const QByteArrayView s = r.utf8(State);
    return r.type(State) != SQLITE_NULL && s.size() == 1 && s[0] == '2';
}

// Reads the period's lines, calling add(reader) for each.
template <typename Add>
void readLines(const ReportPeriod& period, Add add)
{
    Db::RowReader r(LinesOfPeriod, period.bounds());
    while (r.next())
        add(r);
}

QVariant unitsValue(qint64 units) { return QVariant(double(units) / 10000.0); }

// Which line of a group a statement shows: the first it meets in its plan.
enum class FirstLine {
    InBillOrder,   // column 0 the bill: bills in the order read, each bill's lines as stored
    InDishIndex,   // column 0 the bill: by bill, quantity, state, line
    ByTime,        // column 0 the line's time: by time, line
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
        const unsigned char a = folded(uchar(t[qsizetype(i)])), b = uchar(v.bytes[i]);
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
    std::unordered_map<std::string, size_t> index;
    std::string key;
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
        g.line = r.integer(LineId);
        if (rule == FirstLine::InDishIndex) {
            g.quantityValue.assign(r, Quantity, false);
            g.state.assign(r, State, true);
        } else if (rule == FirstLine::ByTime) {
            g.time.assign(r, BillId, true);
        }
    };
    // Whether the line comes before the one the group shows.
    auto comesFirst = [&](const DishGroup& g, qint64 bill) {
        if (rule == FirstLine::ByTime) {
            if (const int c = compareNoCase(r, BillId, g.time))
                return c < 0;
        } else if (bill != g.bill) {
            return bill < g.bill;
        }
        if (rule == FirstLine::InDishIndex) {
            if (const int c = compare(Value::of(r, Quantity, false), g.quantityValue))
                return c < 0;
            if (const int c = compare(Value::of(r, State, true), g.state))
                return c < 0;
        }
        return r.integer(LineId) < g.line;
    };
    while (r.next()) {
        if (!counts(r))
            continue;
        const qint64 bill = billOf();
        key.clear();
        appendKey(key, r, Code, true);
        appendKey(key, r, Name, true);
        appendKey(key, r, Price, false);
        auto [at, added] = index.try_emplace(key, groups.size());
        if (added) {
            DishGroup g;
            g.code = Value::of(r, Code, true);
            g.name = Value::of(r, Name, true);
            g.price = Value::of(r, Price, false);
            show(g, bill);
            groups.push_back(std::move(g));
        }
        DishGroup& g = groups[at->second];
        if (!added && comesFirst(g, bill))
            show(g, bill);
        const LineUnits u = lineUnits(r);
        if (u.hasQuantity) {
            g.hasQuantity = true;
            g.quantity += u.quantity;
        }
        if (u.hasAmount) {
            g.amount += u.amount;
            if (isFree(r))
                g.free += u.amount;
        }
        const QByteArrayView state = r.utf8(State);
        if (r.type(State) != SQLITE_NULL && state.size() == 1 && state[0] == '0')
            ++g.ordered;
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
    std::unordered_map<std::string, Sums> byCode;
    std::string key;
    readLines(period, [&](const Db::RowReader& r) {
        if (r.type(Code) == SQLITE_NULL)
            return;   // matches no dish
        key.clear();
        appendKey(key, r, Code, true);
        const LineUnits u = lineUnits(r);
        Sums& s = byCode[key];
        if (u.hasAmount) {
            s.amount += u.amount;
            if (isFree(r))
                s.free += u.amount;
        }
    });

    // Each dish adds its code's amounts to its sub-category.
    std::unordered_map<std::string, Sums> byClass;
    Db::RowReader dishes(QStringLiteral("SELECT code, cp_classid FROM cpdetail"));
    while (dishes.next()) {
        if (dishes.type(0) == SQLITE_NULL || dishes.type(1) == SQLITE_NULL)
            continue;
        key.clear();
        appendKey(key, dishes, 0, true);
        const auto found = byCode.find(key);
        if (found == byCode.end())
            continue;
        key.clear();
        appendKey(key, dishes, 1, true);
        Sums& s = byClass[key];
        s.amount += found->second.amount;
        s.free += found->second.free;
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

Recordset dishSales(ReportQueries::DishLevel level, ReportQueries::TableFilter filter, const QVariantList& params)
{
    // The lines of the period and level; each seating's table is looked up
    // once, not once per line, and matched to the chosen tables as the
    // statement matches them (without regard to case).
    std::unordered_map<std::string, bool> chosenTables;
    std::string key;
    Db::RowReader tables(ReportQueries::dishSalesTables(filter), {params.value(2)});
    while (tables.next()) {
        if (tables.type(0) == SQLITE_NULL)
            continue;
        key.clear();
        appendKey(key, tables, 0, true);
        chosenTables[key] = true;
    }
    Db::RowReader r(ReportQueries::dishSalesLines(level), params.mid(0, 2) + params.mid(3));
    Db::RowReader tableOf(ReportQueries::tableOfSeating(), {QVariant()});
    std::unordered_map<std::string, bool> seatingCounts;
    auto counts = [&](const Db::RowReader& line) {
        if (line.type(Seating) == SQLITE_NULL)
            return false;
        key.clear();
        appendKey(key, line, Seating, true);
        auto [at, added] = seatingCounts.try_emplace(key, false);
        if (added) {
            tableOf.rerun({line.variant(Seating)});
            if (tableOf.next() && tableOf.type(0) != SQLITE_NULL) {
                key.clear();
                appendKey(key, tableOf, 0, true);
                at->second = chosenTables.count(key) > 0;
            }
        }
        return at->second;
    };
    // The statement reads the lines in the order of the bill time index (of
    // the dish index, by code and time, when one dish is asked for): the
    // first line of a group by time and then as stored.
    const std::vector<DishGroup> groups = groupDishes(r, FirstLine::ByTime, counts);
    std::vector<QVariantList> rows;
    for (const DishGroup* g : sortedGroups(groups, [](const DishGroup& g) { return g.ordered > 0; }))
        rows.push_back({g->shownCode.variant(), g->shownName.variant(), g->shownPrice.variant(), unitsValue(g->quantity),
                        unitsValue(g->amount)});
    return Recordset::fromRows({QStringLiteral("food_code"), QStringLiteral("food_name"), QStringLiteral("price"),
                                QStringLiteral("quantity"), QStringLiteral("amount")},
                               std::move(rows));
}

} // namespace SalesTotals
