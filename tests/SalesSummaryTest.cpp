// Sales summary: the three modes over one day of sales, the period rule, the
// messages, and the two print layouts.
#include "reports/FrmXSHZ.h"
#include "shell/Module1.h"
#include "tests/ReportsFixture.h"

namespace {

class SalesSummaryTest : public ReportsFixture {
protected:
    FrmXSHZ& window() { return Forms::get<FrmXSHZ>(); }
    void query(const QString& mode)
    {
        FrmXSHZ& w = window();
        w.Combo1->setCurrentText(mode);
        w.cmdQuery->click();
    }
    void setPeriod(const QDateTime& from, const QDateTime& to)
    {
        FrmXSHZ& w = window();
        w.DTPFrom->setDate(from.date());
        w.DTPicker2[0]->setTime(from.time());
        w.DTPTo->setDate(to.date());
        w.DTPicker2[1]->setTime(to.time());
    }
};

} // namespace

TEST_F(SalesSummaryTest, OpensOnTodayWithTheTableHeadersAndNoRows)
{
    FrmXSHZ& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("销售查询"));
    EXPECT_EQ(w.DTPFrom->date(), QDate(2026, 3, 10));
    EXPECT_EQ(w.DTPTo->date(), QDate(2026, 3, 10));
    EXPECT_EQ(w.DTPicker2[0]->time(), QTime(0, 0, 0));
    EXPECT_EQ(w.DTPicker2[1]->time(), QTime(23, 59, 59));
    EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("按房台"));
    EXPECT_FALSE(w.Combo1->isEditable());
    EXPECT_EQ(w.Label1->text(), QStringLiteral("按房台"));
    EXPECT_EQ(headers(w.ListView1), QStringList({"房台号", "房台名称", "就餐人数", "应收金额", "实收金额", "免收金额"}));
    for (int c = 0; c < 6; ++c) {
        EXPECT_NEAR(w.ListView1->columnWidthTwips(c), 1500, 15);
        EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(c)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    EXPECT_EQ(w.ListView1->count(), 0);
}

TEST_F(SalesSummaryTest, ByTableCountsEachSeatingsDinersOnceAndTheBoundarySeconds)
{
    salesDay();
    query(QStringLiteral("按房台"));
    FrmXSHZ& w = window();
    EXPECT_EQ(rows(w.ListView1), QStringList({
                                     "101|大厅1|2|38.00|38.00|0.00",
                                     "102|大厅2|7|134.00|131.50|2.50",
                                     "201|牡丹厅|6|76.00|0.00|76.00",
                                     "合    计|3|15|248.00|169.50|78.50",
                                 }));
    EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(0)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(3)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(Module1::ReportStartTime, QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0)));
    EXPECT_EQ(Module1::ReportEndTime, QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59)));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SalesSummaryTest, ByCategoryMatchesDishCodesAndCountsLinesInThePeriodOfTheirBill)
{
    salesDay();
    query(QStringLiteral("按分类"));
    FrmXSHZ& w = window();
    EXPECT_EQ(headers(w.ListView1), QStringList({"名类名称", "金    额", "赠单金额", "应收金额"}));
    // 宫保鸡丁 of 川菜 and of 粤菜 each count in their own sub-category; the
    // lines of the continued bill's first checkout (the 9th) and the open
    // seating count nowhere; 凉拌 sold nothing that day.
    EXPECT_EQ(rows(w.ListView1), QStringList({
                                     "川菜|162.00|0.00|162.00",
                                     "粤菜|40.00|0.00|40.00",
                                     "凉拌|0.00|0.00|0.00",
                                     "饮料|54.00|8.00|46.00",
                                     "合    计|256.00|8.00|248.00",
                                 }));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("按分类"));
}

TEST_F(SalesSummaryTest, ByDishGroupsByCodeNameAndPrice)
{
    salesDay();
    // A dish at a second price is a row of its own; a dish returned in full is not listed.
    const QString late = DateTimeText::toId(QDateTime(QDate(2026, 3, 10), QTime(21, 0, 0)));
    seating(QStringLiteral("102"), QStringLiteral("2026-03-10 21:00:00"), QStringLiteral("2026-03-10 22:00:00"), 1,
            QStringLiteral("李娜"));
    const qint64 lateBill = bill(late, QStringLiteral("2026-03-10 22:00:00"), 12, 12, 0, QStringLiteral("0"));
    line(late, QStringLiteral("19"), QStringLiteral("青岛啤酒"), 1, 12, QStringLiteral("0"), QStringLiteral("2026-03-10 21:05:00"), lateBill);
    line(late, QStringLiteral("11"), QStringLiteral("拍黄瓜"), 1, 12, QStringLiteral("0"), QStringLiteral("2026-03-10 21:05:00"), lateBill);
    line(late, QStringLiteral("11"), QStringLiteral("拍黄瓜"), -1, 12, QStringLiteral("1"), QStringLiteral("2026-03-10 21:06:00"), lateBill);

    query(QStringLiteral("按品名"));
    FrmXSHZ& w = window();
    EXPECT_EQ(headers(w.ListView1), QStringList({"品    名", "数    量", "单    价", "金    额", "赠单金额", "应收金额"}));
    EXPECT_EQ(rows(w.ListView1), QStringList({
                                     "宫保鸡丁|3|38.00|114.00|0.00|114.00",
                                     "酸梅汤|3|8.00|24.00|8.00|16.00",
                                     "青岛啤酒|3|10.00|30.00|0.00|30.00",
                                     "青岛啤酒|1|12.00|12.00|0.00|12.00",
                                     "水煮牛肉|1|48.00|48.00|0.00|48.00",
                                     "宫保鸡丁|1|40.00|40.00|0.00|40.00",
                                     "合    计| | |268.00|8.00|260.00",
                                 }));
}

TEST_F(SalesSummaryTest, NothingFoundKeepsTheListAndTheModeOfTheEarlierResult)
{
    salesDay();
    query(QStringLiteral("按房台"));
    const QStringList before = rows(window().ListView1);
    setPeriod(QDateTime(QDate(2026, 4, 1), QTime(0, 0)), QDateTime(QDate(2026, 4, 1), QTime(23, 59, 59)));
    query(QStringLiteral("按品名"));
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("无指定条件的记录返回!"));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_EQ(rows(window().ListView1), before);
    EXPECT_EQ(window().Label1->text(), QStringLiteral("按房台"));
    // The summary of that result cannot be printed: it holds no row.
    Printers::script({QStringLiteral("Recorder")});
    window().cmdPrint->click();
    EXPECT_EQ(lastMessage().text, QStringLiteral("无可打印内容，请查询后继续!"));
    EXPECT_TRUE(printer->documents.empty());

    // By category a day without sales still lists every sub-category.
    query(QStringLiteral("按分类"));
    EXPECT_EQ(rows(window().ListView1).last(), QStringLiteral("合    计|0.00|0.00|0.00"));
    EXPECT_EQ(window().ListView1->count(), 5);
}

TEST_F(SalesSummaryTest, ClosingReleasesTheResult)
{
    salesDay();
    query(QStringLiteral("按房台"));
    EXPECT_FALSE(Module1::SharedRecordset2.empty());
    window().cmdExit->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmXSHZ>());
    EXPECT_TRUE(Module1::SharedRecordset2.empty());
}
