#include "tests/TestSupport.h"
#include "db/StockPosting.h"
#include <functional>
#include <vector>

using namespace StockPosting;

namespace {

class StockPostingTest : public TabulorTest {
protected:
    Money m(const char* text) { return Money::parse(QString::fromLatin1(text)); }
    QString counterText(const QString& code)
    {
        const auto c = counter(code);
        if (!c)
            return QStringLiteral("none");
        return QStringList{c->ckh, c->rks.plain(), c->cks.plain(), c->zje.plain(), c->ckje.plain(), c->yearmonth}.join(u'|');
    }
};

} // namespace

TEST_F(StockPostingTest, BillNumbersStepPastTakenSecondsWithTheCarry)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)));
    sql(QStringLiteral("INSERT INTO stock_out_bill (stock_bill_id) VALUES ('20261231235958'), ('20261231235959')"));
    EXPECT_EQ(allocateBillNumber(BillTable::Out), QStringLiteral("20270101000000"));
    // Each bill table has numbers of its own.
    EXPECT_EQ(allocateBillNumber(BillTable::In), QStringLiteral("20261231235958"));
    EXPECT_TRUE(billExists(BillTable::Out, QStringLiteral(" 20261231235959 ")));
}

TEST_F(StockPostingTest, EachWriterKeepsItsOwnCounterRule)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    // Sales book out only goods that have a counter row.
    EXPECT_FALSE(postSale(QStringLiteral("g1"), m("3"), m("12.5")));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("none"));

    postStockIn(QStringLiteral("g1"), QStringLiteral("冷库"), m("5"), m("12.5"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("冷库|5|0|12.5|0|20261210"));
    postStockIn(QStringLiteral("g1"), QStringLiteral("综合库"), m("2"), m("3.3"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("综合库|7|0|15.8|0|20261210"));

    EXPECT_TRUE(postSale(QStringLiteral("g1"), m("3"), m("12.5")));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("综合库|7|3|15.8|28.3|20261210"));

    postReturn(QStringLiteral("g1"), m("2"), m("12.5"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("综合库|9|3|40.8|28.3|202612"));
    postReturn(QStringLiteral("g2"), m("1"), m("0.1"));
    EXPECT_EQ(counterText(QStringLiteral("g2")), QStringLiteral("综合库|1|0|0.1|0|202612"));

    EXPECT_TRUE(postStockOut(QStringLiteral("g1"), QStringLiteral("冷库"), m("2.5"), m("10")));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("冷库|9|5.5|40.8|50.8|202612"));
    postStockOutEdit(QStringLiteral("g1"), m("-2"), m("-4"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("冷库|9|3.5|40.8|36.8|202612"));
    postStockInEdit(QStringLiteral("g1"), m("3"), m("7.5"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("冷库|12|3.5|48.3|36.8|20261210"));
}

TEST_F(StockPostingTest, AnEditWithoutACounterRowRebuildsItFromTheStoredLines)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, code, num, price, je) VALUES ('B1', 'g1', 8, 2.5, 20), ('B2', 'g1', 1, 1, 1)"));
    sql(QStringLiteral("INSERT INTO ckgl2004 (stock_bill_id, code, num, price) VALUES ('C1', 'g1', 0.5, 3)"));
    postStockInEdit(QStringLiteral("g1"), m("3"), m("7.5"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("|9|0.5|21|0|20261210"));
}

TEST_F(StockPostingTest, ASaleAndAReturnEachBookABillWithItsLineAndCounter)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0, 59)));
    const Booker cashier{QString(), QStringLiteral("SYSTEM")};
    // Without a counter row nothing is booked.
    EXPECT_TRUE(bookSale(QStringLiteral("g1"), m("3"), m("12.5"), QStringLiteral("吧台销售"), cashier).isEmpty());
    EXPECT_TRUE(bookReturn(QStringLiteral("g1"), m("1"), m("12.5"), QStringLiteral("点错菜"), cashier).isEmpty());
    EXPECT_EQ(value(QStringLiteral("SELECT (SELECT count(*) FROM stock_out_bill) + (SELECT count(*) FROM ckgl2004) + "
                                   "(SELECT count(*) FROM stock_in_bill) + (SELECT count(*) FROM rkgl2004)")).toInt(), 0);

    sql(QStringLiteral("INSERT INTO store (code, ckh, rks, cks, zje, ckje) VALUES ('g1', '冷库', 10, 1, 100, 0)"));
    const QString first = bookSale(QStringLiteral("g1"), m("3"), m("12.5"), QStringLiteral("吧台销售"), cashier);
    const QString second = bookSale(QStringLiteral("g1"), m("1"), m("8"), QStringLiteral("赠单"), cashier);
    EXPECT_EQ(first, QStringLiteral("20261210090059"));
    EXPECT_EQ(second, QStringLiteral("20261210090100"));   // the next free second, with the carry
    EXPECT_EQ(value(QStringLiteral("SELECT bill_num || '|' || stock_out_date || '|' || get_man || '|' || val_man || '|' || "
                                   "get_man_name || '|' || val_man_name || '|' || demo || '|' || ckh || '|' || fs || '|' || "
                                   "repr_name FROM stock_out_bill WHERE stock_bill_id = ?"), {first}).toString(),
              QStringLiteral("2.0|2026-12-10 00:00:00|||SYSTEM|SYSTEM|吧台销售|综合库|销售出库|吧台"));
    EXPECT_EQ(value(QStringLiteral("SELECT id || '|' || code || '|' || num || '|' || price || '|' || zhks FROM ckgl2004 "
                                   "WHERE stock_bill_id = ?"), {first}).toString(),
              QStringLiteral("1|g1|3.0|12.5|0.0"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("综合库|10|5|100|108|"));

    // A return finds the counter by the link as stored and books the code without blanks.
    EXPECT_TRUE(bookReturn(QStringLiteral(" g1 "), m("2"), m("12.5"), QString(), cashier).isEmpty());
    const QString back = bookReturn(QStringLiteral("g1"), m("2"), m("12.5"), QStringLiteral("点错菜"), cashier);
    EXPECT_EQ(back, QStringLiteral("20261210090059"));   // stock-in bills number on their own
    EXPECT_EQ(value(QStringLiteral("SELECT bill_num || '|' || stock_in_date || '|' || in_man || '|' || buy_man || '|' || "
                                   "in_man_name || '|' || buy_man_name || '|' || pay_style || '|' || demo || '|' || ckh || '|' || "
                                   "fs || '|' || repr_name FROM stock_in_bill WHERE stock_bill_id = ?"), {back}).toString(),
              QStringLiteral("2.0|2026-12-10 00:00:00|||SYSTEM|SYSTEM|001|点错菜|综合库|销售入库|吧台"));
    EXPECT_EQ(value(QStringLiteral("SELECT id || '|' || code || '|' || num || '|' || price || '|' || jzsl || '|' || je "
                                   "FROM rkgl2004 WHERE stock_bill_id = ?"), {back}).toString(),
              QStringLiteral("1|g1|2.0|12.5|1|25.0"));
    EXPECT_EQ(counterText(QStringLiteral("g1")), QStringLiteral("综合库|12|5|125|108|202612"));
}

// Each counter writer changes only the columns of its rule: every other
// column keeps its stored value, an empty one included.
TEST_F(StockPostingTest, EachCounterWriterWritesOnlyItsOwnColumns)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    const QString preset = QStringLiteral("'冷库'|10.123456|NULL|30.5|NULL|'202611'");
    struct Case {
        const char* writer;
        std::function<void()> post;
        QString after;
    };
    const QString g1 = QStringLiteral("g1");
    const std::vector<Case> cases = {
        {"sale", [&] { postSale(g1, m("3"), m("12.5")); }, QStringLiteral("'综合库'|10.123456|3.0|30.5|43.0|'202611'")},
        {"return", [&] { postReturn(g1, m("2"), m("12.5")); }, QStringLiteral("'综合库'|12.123456|NULL|55.5|NULL|'202612'")},
        {"stock-in line", [&] { postStockIn(g1, QStringLiteral("干货库"), m("5"), m("12.5")); },
         QStringLiteral("'干货库'|15.123456|NULL|43.0|NULL|'20261210'")},
        {"stock-in line edit", [&] { postStockInEdit(g1, m("-1"), m("-2.5")); },
         QStringLiteral("'冷库'|9.123456|NULL|28.0|NULL|'20261210'")},
        {"stock-out line", [&] { postStockOut(g1, QStringLiteral("干货库"), m("2"), m("5")); },
         QStringLiteral("'干货库'|10.123456|2.0|30.5|35.5|'202611'")},
        {"stock-out line edit", [&] { postStockOutEdit(g1, m("1"), m("2.5")); },
         QStringLiteral("'冷库'|10.123456|1.0|30.5|33.0|'202611'")},
    };
    const QString row = QStringLiteral("SELECT quote(ckh) || '|' || quote(rks) || '|' || quote(cks) || '|' || quote(zje) || '|' ||"
                                       " quote(ckje) || '|' || quote(yearmonth) FROM store WHERE code = 'g1'");
    for (const Case& c : cases) {
        sql(QStringLiteral("DELETE FROM store"));
        sql(QStringLiteral("INSERT INTO store (code, ckh, rks, cks, zje, ckje, yearmonth)"
                           " VALUES ('g1', '冷库', 10.123456, NULL, 30.5, NULL, '202611')"));
        ASSERT_EQ(value(row).toString(), preset);
        c.post();
        EXPECT_EQ(value(row).toString(), c.after) << c.writer;
    }
}

// A return of goods without a counter row makes one with the return's
// columns only: nothing issued is written; a new stock-in row starts its
// issued total at 0.
TEST_F(StockPostingTest, ANewCounterRowHoldsOnlyTheColumnsOfItsWriter)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    postReturn(QStringLiteral("g1"), m("2"), m("12.5"));
    postStockIn(QStringLiteral("g2"), QStringLiteral("冷库"), m("5"), m("12.5"));
    const QString row = QStringLiteral("SELECT quote(ckh) || '|' || quote(rks) || '|' || quote(cks) || '|' || quote(zje) || '|' ||"
                                       " quote(ckje) || '|' || quote(yearmonth) FROM store WHERE code = ?");
    EXPECT_EQ(value(row, {QStringLiteral("g1")}).toString(), QStringLiteral("'综合库'|2.0|NULL|25.0|NULL|'202612'"));
    EXPECT_EQ(value(row, {QStringLiteral("g2")}).toString(), QStringLiteral("'冷库'|5.0|0.0|12.5|NULL|'20261210'"));
}
