// The report statements read the large tables through their indexes: a
// report over a day never scans every bill, seating or order line.
#include <QRegularExpression>
#include <QSqlQuery>
#include "reports/ReportQueries.h"
#include "tests/ReportsFixture.h"

using namespace ReportQueries;

namespace {

class ReportQueriesTest : public TabulorTest {
protected:
    // The steps of a statement's query plan.
    QStringList plan(const QString& statement)
    {
        openDb();
        QSqlQuery q = Db::run(QStringLiteral("EXPLAIN QUERY PLAN ") + statement,
                              QVariantList(statement.count(u'?'), QStringLiteral("1")));
        QStringList steps;
        while (q.next())
            steps << q.value(3).toString();
        return steps;
    }
};

} // namespace

TEST_F(ReportQueriesTest, LargeTablesAreSearchedNeverScanned)
{
    const ReportPeriod day = periodOf(QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0)),
                                      QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59)));
    const struct { const char* name; QString statement; } statements[] = {
        {"salesByTable", salesByTable()},
        {"salesByCategory", salesByCategory(day)},
        {"salesByDish", salesByDish(day)},
        {"salesDetail", salesDetail()},
        {"periodBills", periodBills()},
        {"seatingsEndedInPeriod", seatingsEndedInPeriod()},
        {"seatingById", seatingById()},
        {"periodSeatings", periodSeatings()},
        {"periodAmounts", periodAmounts()},
        {"waiterRanking", waiterRanking()},
        {"tablesWithSeatings", tablesWithSeatings()},
        {"settledSeatings", settledSeatings()},
        {"settledSeatingCount", settledSeatingCount()},
        {"settledSeatingLines", settledSeatingLines()},
        {"receivedByTableName", receivedByTableName()},
        {"dishSales all by type", dishSales(DishLevel::All, TableFilter::Type)},
        {"dishSales top by specification", dishSales(DishLevel::TopCategory, TableFilter::Specification)},
        {"dishSales sub-category", dishSales(DishLevel::SubCategory, TableFilter::Type)},
        {"dishSales dish", dishSales(DishLevel::Dish, TableFilter::Specification)},
        {"dishSalesLines", dishSalesLines(DishLevel::All)},
        {"dishSalesLines dish", dishSalesLines(DishLevel::Dish)},
        {"dishSalesLinesAtTime", dishSalesLinesAtTime()},
        {"dishSalesSeatings", dishSalesSeatings()},
        {"tableOfSeating", tableOfSeating()},
    };
    // The statements call the large tables s, l, a and u.
    const QRegularExpression scan(QStringLiteral("^SCAN (strink_mess_200505|ACCOUNT_200606|use_table_200505|s|l|a|u)\\b"),
                                  QRegularExpression::CaseInsensitiveOption);
    // A statement over a period reads it as a range of an index.
    const QRegularExpression range(QStringLiteral("\\(\\w+=\\? AND \\w+>\\? AND \\w+<\\?\\)|\\(\\w+>\\? AND \\w+<\\?\\)"));
    for (const auto& s : statements) {
        const QStringList steps = plan(s.statement);
        ASSERT_FALSE(steps.isEmpty()) << s.name;
        for (const QString& step : steps)
            EXPECT_FALSE(scan.match(step).hasMatch()) << s.name << ": " << step.toStdString() << "\n"
                                                      << steps.join(u'\n').toStdString();
        if (s.statement.contains(QStringLiteral(">= ?")))
            EXPECT_TRUE(steps.join(u'\n').contains(range)) << s.name << "\n" << steps.join(u'\n').toStdString();
    }
}

// Over a long period the statements of the summary by category (after 300
// days) and by dish (after a year), which the program's sums are checked
// against, read every order line once in the order of the dish index the
// schema held while they ran; shorter periods go from the bills to their lines.
TEST_F(ReportQueriesTest, LongPeriodsReadTheLinesInDishOrder)
{
    sql(FormerDishIndex);
    const QDateTime end(QDate(2026, 3, 10), QTime(23, 59, 59));
    auto lastDays = [&](int days) { return periodOf(QDateTime(end.date().addDays(1 - days), QTime(0, 0, 0)), end); };
    const QString inDishOrder = QStringLiteral("SCAN l USING COVERING INDEX strink_mess_dish");
    const struct { const char* name; QString (*statement)(const ReportPeriod&); int longestShort; } cases[] = {
        {"salesByCategory", salesByCategory, 300},
        {"salesByDish", salesByDish, 366},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(lastDays(c.longestShort).days, c.longestShort);
        EXPECT_FALSE(plan(c.statement(lastDays(c.longestShort))).join(u'\n').contains(inDishOrder)) << c.name;
        const QStringList steps = plan(c.statement(lastDays(c.longestShort + 1)));
        EXPECT_TRUE(steps.contains(inDishOrder)) << c.name << "\n" << steps.join(u'\n').toStdString();
    }
    EXPECT_FALSE(plan(salesByDish(lastDays(367))).join(u'\n').contains(QStringLiteral("TEMP B-TREE")));
}
