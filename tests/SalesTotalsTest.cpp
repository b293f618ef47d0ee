// The sales summary by category and by dish, summed in the program, gives
// every cell of the statements it replaces, over periods of each plan: codes
// and names in mixed ASCII case, prices stored as whole and as fractional
// numbers, as text and as Null, free, returned and unsettled lines, bills
// whose numbers run against their dates.
#include <QRandomGenerator>
#include "db/RowReader.h"
#include "reports/ReportQueries.h"
#include "reports/SalesTotals.h"
#include "tests/ReportsFixture.h"

namespace {

class SalesTotalsTest : public ReportsFixture {
protected:
    // Some 420 days of bills up to 10 March 2026, their lines drawn at random.
    void history(quint32 seed)
    {
        QRandomGenerator rnd(seed);
        sql(QStringLiteral("PRAGMA synchronous=OFF"));   // thousands of rows, one commit each
        auto pick = [&](const QVariantList& from) { return from[int(rnd.bounded(quint32(from.size())))]; };
        category(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
        category(QStringLiteral("A1"), QStringLiteral(" 川菜 "), QStringLiteral("1"));
        category(QStringLiteral("b2"), QStringLiteral("粤菜"), QStringLiteral("1"));
        category(QStringLiteral(" c3 "), QStringLiteral("凉菜"), QStringLiteral("1"));
        category(QStringLiteral("d4"), QStringLiteral("无上级"), QString());
        category(QStringLiteral("E5"), QString(), QStringLiteral("1"));
        dish(QStringLiteral("d1"), QStringLiteral("Beef"), QStringLiteral("a1"), 12);
        dish(QStringLiteral("D2"), QStringLiteral("Tea"), QStringLiteral("B2"), 5);
        dish(QStringLiteral("d3"), QStringLiteral("鱼"), QStringLiteral("C3"), 30);
        dish(QStringLiteral("d5"), QStringLiteral("汤"), QStringLiteral("e5"), 30);
        dish(QStringLiteral("D6"), QStringLiteral("饭"), QString(), 2);
        tableType(QStringLiteral("01"), QStringLiteral("大厅"));
        tableType(QStringLiteral("02"), QStringLiteral("包间"));
        tableKind(QStringLiteral("01"), QStringLiteral("四人台"));
        tableKind(QStringLiteral("02"), QStringLiteral("十人台"));
        table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"), QStringLiteral("十人台"));
        table(QStringLiteral("201"), QStringLiteral("牡丹厅"), QStringLiteral("02"), QStringLiteral("十人台"));
        const QVariantList tables{QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("201")};
        const QVariantList codes{QStringLiteral("d1"), QStringLiteral("D1"), QStringLiteral("d2"), QStringLiteral("D2"),
                                 QStringLiteral("d3"), QStringLiteral("d5"), QStringLiteral("D5"), QStringLiteral("d6"),
                                 QStringLiteral("x9"), QVariant()};
        const QVariantList names{QStringLiteral("Beef"), QStringLiteral("BEEF"), QStringLiteral("beef"),
                                 QStringLiteral("bEEf"), QStringLiteral("Tea"), QStringLiteral("TEA"),
                                 QStringLiteral("鱼"), QStringLiteral("鱼a"), QStringLiteral("鱼A"), QString(),
                                 QVariant()};
        const QVariantList prices{12, 12.0, 12.5, QStringLiteral("12"), 0.0, -0.0, 7.333, QStringLiteral("abc"),
                                  QStringLiteral("ABC"), QVariant(), 3};
        const QVariantList quantities{1, 2, 0.5, -1, 1.33335, 0.00005, 3, QVariant(), QStringLiteral("2x")};
        const QVariantList states{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                                  QStringLiteral("2"), QStringLiteral("3"), QVariant()};
        const QDateTime first(QDate(2025, 1, 15), QTime(0, 0, 0));
        struct Line {
            qint64 bill;
            QVariantList values;
        };
        std::vector<Line> lines;
        for (int b = 0; b < 700; ++b) {
            // Bill numbers do not follow the dates.
            const QDateTime at = first.addSecs(qint64(rnd.bounded(420 * 86400)));
            const QString date = DateTimeText::format(at);
            const qint64 id = 10000 - b * 7 + qint64(rnd.bounded(5));
            // Seatings begun some hours before their bill, a few days before
            // it, at no recorded time or never stored; some lines spell the
            // seating's id in capitals.
            const QString seatingId = QStringLiteral("s%1").arg(b);
            sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (account_id, use_table_id, account_date, fee_price, "
                               "account_price, pay_sts) VALUES (?, ?, ?, 0, 0, '0')"),
                {id, seatingId, date});
            const QVariant start = b % 10 == 3 ? QVariant(DateTimeText::format(at.addDays(-3)))
                : b % 10 == 6                  ? QVariant()
                                               : QVariant(DateTimeText::format(at.addSecs(-3600 * (b % 4))));
            if (b % 23 != 5)
                sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, sts) "
                                   "VALUES (?, ?, ?, 'P')"),
                    {seatingId, pick(tables), start});
            const QString lineSeatingId = b % 7 == 2 ? seatingId.toUpper() : seatingId;
            const int n = 1 + int(rnd.bounded(6));
            for (int k = 0; k < n; ++k) {
                // Ordered at the bill's time or some minutes before it.
                const QString time = DateTimeText::format(at.addSecs(-60 * qint64(rnd.bounded(3))));
                lines.push_back({id, {lineSeatingId, pick(codes), pick(names), pick(quantities), pick(prices), pick(states), time}});
            }
        }
        // Unsettled lines, and lines stored in no bill's order.
        for (int k = 0; k < 200; ++k)
            lines.push_back({0, {QStringLiteral("s1"), pick(codes), pick(names), 1, 10, QStringLiteral("0"),
                                 QStringLiteral("2026-03-01 10:00:00")}});
        for (size_t k = lines.size(); k > 1; --k)
            std::swap(lines[k - 1], lines[rnd.bounded(quint32(k))]);
        for (const Line& l : lines)
            sql(QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, food_code, food_name, food_num, price, STS, "
                               "bill_time, account_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                l.values + QVariantList{l.bill ? QVariant(l.bill) : QVariant()});
    }

    // The indexes the statements ran on: the bill index of the bill alone,
    // which gave a bill's lines in the order they were stored, and the dish
    // index of the long periods.
    void oldBillIndex()
    {
        sql(QStringLiteral("DROP INDEX strink_mess_bill"));
        sql(QStringLiteral("CREATE INDEX strink_mess_bill ON strink_mess_200505(account_id)"));
        sql(FormerDishIndex);
    }

    // The summaries by category and by dish of each period, as the program
    // sums them and as the statements gave them on the indexes they ran on;
    // each period's statement lists more than fewestDishes(period) dishes.
    template <size_t N, typename Fewest>
    void expectSummariesAsStatements(const ReportPeriod (&periods)[N], Fewest fewestDishes)
    {
        std::vector<Recordset> byCategory, byDish;
        for (const ReportPeriod& p : periods) {
            byCategory.push_back(SalesTotals::byCategory(p));
            byDish.push_back(SalesTotals::byDish(p));
        }
        oldBillIndex();
        for (size_t i = 0; i < N; ++i) {
            const ReportPeriod& p = periods[i];
            const std::string what = std::to_string(p.days) + " days";
            Recordset expectedByCategory, expectedByDish;
            expectedByCategory.open(ReportQueries::salesByCategory(p), p.bounds());
            expectedByDish.open(ReportQueries::salesByDish(p), p.bounds());
            ASSERT_GT(expectedByDish.RecordCount(), fewestDishes(p)) << what;
            expectSame(expectedByCategory, byCategory[i], "by category, " + what);
            expectSame(expectedByDish, byDish[i], "by dish, " + what);
        }
    }

    // The time index of the time alone, which the dish sales statement read.
    void oldTimeIndex()
    {
        sql(QStringLiteral("DROP INDEX strink_mess_time"));
        sql(QStringLiteral("CREATE INDEX strink_mess_time ON strink_mess_200505(bill_time)"));
        sql(FormerDishIndex);
    }

};

} // namespace

TEST_F(SalesTotalsTest, SameCellsAsTheStatementsForEveryPlan)
{
    for (quint32 seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        if (seed > 1) {
            sql(QStringLiteral("DELETE FROM strink_mess_200505"));
            sql(QStringLiteral("DELETE FROM ACCOUNT_200606"));
            sql(QStringLiteral("DELETE FROM cpdetail"));
            sql(QStringLiteral("DELETE FROM cpclass"));
            for (const char* t : {"use_table_200505", "house_table", "house_bm", "house_kinds"})
                sql(QStringLiteral("DELETE FROM ") + QLatin1String(t));
        }
        history(seed);
        // A day, a month, and the lengths on each side of the long plans.
        const ReportPeriod periods[] = {lastDays(1), lastDays(31), lastDays(300), lastDays(301), lastDays(366),
                                        lastDays(367), lastDays(500), lastDays(200, QTime(10, 30, 0), QTime(9, 0, 0))};
        expectSummariesAsStatements(periods, [](const ReportPeriod& p) { return p.days > 1 ? 5 : 0; });
        if (HasFatalFailure())
            return;
        sql(QStringLiteral("DROP INDEX strink_mess_bill"));
        sql(QStringLiteral("CREATE INDEX strink_mess_bill ON strink_mess_200505(account_id, food_code, food_name, "
                           "price, food_num, STS)"));
        sql(QStringLiteral("DROP INDEX strink_mess_dish"));

        // The dish sales list, each level and table condition.
        using namespace ReportQueries;
        const struct { DishLevel level; TableFilter filter; QVariantList more; } lists[] = {
            {DishLevel::All, TableFilter::Type, {QStringLiteral("01")}},
            {DishLevel::All, TableFilter::Specification, {QStringLiteral("02")}},
            {DishLevel::TopCategory, TableFilter::Type, {QStringLiteral("01"), QStringLiteral("1"), QStringLiteral("1")}},
            {DishLevel::SubCategory, TableFilter::Type, {QStringLiteral("02"), QStringLiteral("b2")}},
            {DishLevel::Dish, TableFilter::Specification, {QStringLiteral("02"), QStringLiteral("D1")}},
        };
        const ReportPeriod dishSalesPeriods[] = {lastDays(1), lastDays(31), lastDays(500)};
        std::vector<Recordset> dishSalesLists;
        for (const ReportPeriod& p : dishSalesPeriods)
            for (const auto& l : lists)
                dishSalesLists.push_back(SalesTotals::dishSales(l.level, l.filter, p.bounds() + l.more));
        oldTimeIndex();
        size_t at = 0;
        for (const ReportPeriod& p : dishSalesPeriods) {
            for (const auto& l : lists) {
                const std::string what = "dish sales " + std::to_string(int(l.level)) + "/"
                    + std::to_string(int(l.filter)) + ", " + std::to_string(p.days) + " days";
                Recordset expected;
                expected.open(dishSales(l.level, l.filter), p.bounds() + l.more);
                if (p.days > 1)
                    EXPECT_GT(expected.RecordCount(), 1) << what;
                expectSame(expected, dishSalesLists[at++], what);
            }
        }
        sql(QStringLiteral("DROP INDEX strink_mess_dish"));
        sql(QStringLiteral("DROP INDEX strink_mess_time"));
        sql(QStringLiteral("CREATE INDEX strink_mess_time ON strink_mess_200505(bill_time, STS, food_code, food_name, "
                           "price, food_num, use_table_id)"));
    }
}

// Spellings of one dish: the short plan shows the first line in bill order
// (bills by date, a bill's lines as stored), the long plan the first in the
// dish index (by bill number, then quantity), and the program follows each.
TEST_F(SalesTotalsTest, SpellingOfAGroupFollowsThePlanOfThePeriod)
{
    sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (account_id, account_date) VALUES (5, '2026-03-01 10:00:00'), "
                       "(9, '2025-01-01 10:00:00')"));
    sql(QStringLiteral("INSERT INTO strink_mess_200505 (food_code, food_name, food_num, price, STS, account_id) "
                       "VALUES ('d1', 'beef', 2, 12, '0', 5), ('d1', 'BeEf', 1, 12, '0', 5), "
                       "('D1', 'BEEF', 1, 12.0, '0', 9)"));
    const struct { ReportPeriod period; const char* shown; } cases[] = {
        {lastDays(366), "beef"}, {periodOf(QDateTime(QDate(2025, 1, 1), QTime(0, 0)), QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59))), "BEEF"},
        {lastDays(500), "BeEf"},
    };
    std::vector<Recordset> actuals;
    for (const auto& c : cases)
        actuals.push_back(SalesTotals::byDish(c.period));
    oldBillIndex();
    for (const auto& c : cases) {
        Recordset expected;
        expected.open(ReportQueries::salesByDish(c.period), c.period.bounds());
        const Recordset& actual = actuals[size_t(&c - cases)];
        ASSERT_EQ(actual.RecordCount(), 1) << c.period.days;
        EXPECT_EQ(actual.field(0).toString(), QString::fromUtf8(c.shown)) << c.period.days;
        expectSame(expected, actual, std::to_string(c.period.days) + " days");
    }
}

// Of the lines of one dish placed in the same second the dish sales list
// shows the one stored first, as the statement did over the index of the
// time alone (the time index now also holds the state and the dish, which
// order such lines otherwise); an earlier line shows before all of them.
TEST_F(SalesTotalsTest, DishSalesShowsTheFirstLinePlacedOfAGroup)
{
    dish(QStringLiteral("d1"), QStringLiteral("Beef"), QString(), 12);
    tableType(QStringLiteral("01"), QStringLiteral("大厅"));
    tableKind(QStringLiteral("01"), QStringLiteral("四人台"));
    table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("四人台"));
    tableType(QStringLiteral("02"), QStringLiteral("包间"));
    table(QStringLiteral("201"), QStringLiteral("包间1"), QStringLiteral("02"), QStringLiteral("四人台"));
    const QString s = seating(QStringLiteral("101"), QStringLiteral("2026-03-10 11:00:00"), QString(), 4, QString());
    const QString elsewhere = seating(QStringLiteral("201"), QStringLiteral("2026-03-10 11:00:01"), QString(), 4, QString());
    auto lineAt = [&](const QString& at, const char* code, const char* name, const char* state, const char* time) {
        sql(QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, food_code, food_name, food_num, price, STS, "
                           "bill_time) VALUES (?, ?, ?, 1, 12, ?, ?)"),
            {at, QString::fromUtf8(code), QString::fromUtf8(name), QString::fromUtf8(state), QString::fromUtf8(time)});
    };
    auto line = [&](const char* code, const char* name, const char* state, const char* time) {
        lineAt(s, code, name, state, time);
    };
    // A line of the same time stored first at a table of another type does
    // not count, so it is not the one shown either.
    const struct { const char* earlier; const char* shown; bool otherTableFirst; } cases[] = {
        {nullptr, "bEEf", false}, {"BEEF", "BEEF", false}, {nullptr, "bEEf", true}};
    for (const auto& c : cases) {
        sql(QStringLiteral("DELETE FROM strink_mess_200505"));
        if (c.otherTableFirst)
            lineAt(elsewhere, "d1", "BEEF", "0", "2026-03-10 11:30:00");
        line("D1", "beef", "0", "2026-03-10 12:00:00");
        line("d1", "bEEf", "1", "2026-03-10 11:30:00");
        line("d1", "Beef", "0", "2026-03-10 11:30:00");
        if (c.earlier)
            line("D1", c.earlier, "1", "2026-03-10 11:29:59");
        const ReportPeriod p = lastDays(1);
        const QVariantList params = p.bounds() + QVariantList{QStringLiteral("01")};
        const Recordset actual = SalesTotals::dishSales(ReportQueries::DishLevel::All, ReportQueries::TableFilter::Type, params);
        ASSERT_EQ(actual.RecordCount(), 1) << c.shown;
        EXPECT_EQ(actual.field(1).toString(), QString::fromUtf8(c.shown));
        EXPECT_DOUBLE_EQ(actual.field(3).toDouble(), c.earlier ? 4 : 3);
        sql(QStringLiteral("DROP INDEX strink_mess_time"));
        sql(QStringLiteral("CREATE INDEX strink_mess_time ON strink_mess_200505(bill_time)"));
        Recordset expected;
        expected.open(ReportQueries::dishSales(ReportQueries::DishLevel::All, ReportQueries::TableFilter::Type), params);
        expectSame(expected, actual, c.shown);
        sql(QStringLiteral("DROP INDEX strink_mess_time"));
        sql(QStringLiteral("CREATE INDEX strink_mess_time ON strink_mess_200505(bill_time, STS, food_code, food_name, "
                           "price, food_num, use_table_id)"));
    }
}

// Codes and names of every length around the words the program compares
// them in, spelled in other letter cases (one group), and with bytes that
// differ from a letter's by the same bit but are no letters, or are not
// ASCII (other groups); prices as whole, fractional, Null and text values.
TEST_F(SalesTotalsTest, GroupsTextsOfEveryLengthAsTheStatements)
{
    QRandomGenerator rnd(5);
    sql(QStringLiteral("PRAGMA synchronous=OFF"));
    auto pick = [&](const QVariantList& from) { return from[int(rnd.bounded(quint32(from.size())))]; };
    const QString alphabet = QStringLiteral("aB@[z`{Z");
    QVariantList codes{QVariant()}, names{QVariant()};
    for (int n : {0, 1, 2, 3, 4, 5, 7, 8, 9, 12, 15, 16, 17, 23}) {
        QString base;
        for (int i = 0; i < n; ++i)
            base += alphabet[(i * 3 + n) % alphabet.size()];
        QStringList spellings{base, base.toUpper(), base.toLower()};
        if (n > 0) {
            // The last byte 0x40 against 0x60 and 0x5B against 0x7B: no letters.
            for (const QString& last : {QStringLiteral("@"), QStringLiteral("`"), QStringLiteral("["), QStringLiteral("{")})
                spellings << base.left(n - 1) + last;
            spellings << QStringLiteral("鱼") + base << QStringLiteral("É") + base.toLower() << QStringLiteral("é") + base;
        }
        for (const QString& t : spellings) {
            codes << t;
            names << t;
        }
    }
    category(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
    category(QStringLiteral("c1"), QStringLiteral("一类"), QStringLiteral("1"));
    category(QStringLiteral("c2"), QStringLiteral("二类"), QStringLiteral("1"));
    for (int i = 0; i < codes.size(); i += 2) {
        if (codes[i].isNull())
            continue;
        // Dishes under the capitalised spelling of some codes; a code that
        // is one already under NOCASE is left out.
        sql(QStringLiteral("INSERT OR IGNORE INTO cpdetail (code, cpname, cp_classid, cp_price) VALUES (?, ?, ?, 10)"),
            {i % 4 ? codes[i].toString().toUpper() : codes[i].toString(), QStringLiteral("菜%1").arg(i),
             i % 3 ? QStringLiteral("C1") : QStringLiteral("c2")});
    }
    const QVariantList prices{12, 12.0, 12.5, -0.0, 0.0, QVariant(), QStringLiteral("abc"), QStringLiteral("ABC")};
    const QVariantList quantities{1, 2, 0.5, -1};
    const QVariantList states{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    for (int b = 0; b < 400; ++b) {
        const qint64 id = 5000 + b;
        sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (account_id, account_date) VALUES (?, ?)"),
            {id, DateTimeText::format(QDateTime(QDate(2026, 3, 10).addDays(-int(rnd.bounded(480))), QTime(12, 0, 0)))});
        for (int k = 0, n = 1 + int(rnd.bounded(8)); k < n; ++k)
            sql(QStringLiteral("INSERT INTO strink_mess_200505 (food_code, food_name, food_num, price, STS, account_id) "
                               "VALUES (?, ?, ?, ?, ?, ?)"),
                {pick(codes), pick(names), pick(quantities), pick(prices), pick(states), id});
    }
    const ReportPeriod periods[] = {lastDays(31), lastDays(500)};
    expectSummariesAsStatements(periods, [](const ReportPeriod& p) { return p.days > 31 ? 500 : 50; });
}

// The line amounts round as SQLite's ROUND does, halves and all.
TEST_F(SalesTotalsTest, UnitsRoundAsSqlite)
{
    openDb();
    QRandomGenerator rnd(7);
    std::vector<double> xs{0.00005, -0.00005, 0.000049999999, 1.00005, 2.5, -2.5, 1e-12, 0, -0.0, 123456.78905,
                           7.333 * 3, 0.1 * 3, 1e11, -1e11};
    for (int k = 0; k < 2000; ++k)
        xs.push_back(double(qint64(rnd.bounded(2000000)) - 1000000) / (k % 2 ? 20000.0 : 3.0));
    for (double x : xs) {
        Db::RowReader r(QStringLiteral("SELECT CAST(ROUND((?) * 10000) AS INTEGER)"), {x});
        ASSERT_TRUE(r.next());
        qint64 units = 0;
        ASSERT_TRUE(SalesTotals::unitsOf(x, units)) << x;
        EXPECT_EQ(units, r.integer(0)) << x;
    }
}
