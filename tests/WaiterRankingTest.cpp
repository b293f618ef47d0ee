// Waiter ranking: the query dialog, the ranked grid and its totals row.
#include "reports/DlgXSPH.h"
#include "reports/FrmXSPH.h"
#include "tests/ReportsFixture.h"

namespace {

class WaiterRankingTest : public ReportsFixture {
protected:
    FrmXSPH& window() { return Forms::get<FrmXSPH>(); }
    void query(QDate from = {}, QDate to = {}, QTime fromTime = {}, QTime toTime = {})
    {
        Forms::onModal(QStringLiteral("DlgXSPH"), [=](Form& f) {
            auto& dlg = static_cast<DlgXSPH&>(f);
            if (from.isValid()) {
                dlg.DTPicker1[0]->setDate(from);
                dlg.DTPicker1[1]->setDate(to);
            }
            if (fromTime.isValid()) {
                dlg.DTPicker2[0]->setTime(fromTime);
                dlg.DTPicker2[1]->setTime(toTime);
            }
            dlg.OKButton->click();
        });
        window().Toolbar1->click(FrmXSPH::BtnQuery);
    }
};

} // namespace

TEST_F(WaiterRankingTest, WindowAndDialogAsDesigned)
{
    FrmXSPH& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("员工销售排行"));
    EXPECT_EQ(w.MSHFlexGrid1->Cols(), 5);
    EXPECT_EQ(w.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(text(w.MSHFlexGrid1->rowTexts(0)), text({"", "名次", "服务员", "销售金额", "就餐人数"}));
    EXPECT_EQ(w.MSHFlexGrid1->ColWidth(0), 240);
    for (int c = 1; c < 5; ++c)
        EXPECT_EQ(w.MSHFlexGrid1->ColWidth(c), 1500);
    EXPECT_TRUE(w.Toolbar1->buttonVisible(1));
    EXPECT_FALSE(w.Toolbar1->buttonVisible(2));
    EXPECT_FALSE(w.Toolbar1->buttonVisible(3));
    EXPECT_TRUE(w.Toolbar1->buttonVisible(4));

    DlgXSPH& dlg = Forms::get<DlgXSPH>();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("员工销售排行"));
    EXPECT_EQ(dlg.Label1[0]->text(), QStringLiteral("起始日期"));
    EXPECT_EQ(dlg.Label1[1]->text(), QStringLiteral("终止日期"));
    EXPECT_EQ(dlg.DTPicker1[1]->date(), QDate(2026, 3, 10));
    EXPECT_EQ(dlg.DTPicker2[0]->time(), QTime(0, 0, 0));
    EXPECT_EQ(dlg.DTPicker2[1]->time(), QTime(23, 59, 59));
    EXPECT_EQ(dlg.defaultButton, dlg.OKButton);
    EXPECT_EQ(dlg.cancelButton, dlg.CancelButton);
}

TEST_F(WaiterRankingTest, RanksByAmountWithEachSeatingsDinersOnce)
{
    salesDay();
    query();
    FrmXSPH& w = window();
    EXPECT_EQ(w.Label2[0]->text(), QStringLiteral("2026-03-10 00:00:00"));
    EXPECT_EQ(w.Label2[1]->text(), QStringLiteral("2026-03-10 23:59:59"));
    EXPECT_EQ(w.Label2[4]->text(), QStringLiteral("1"));
    // 李娜's seating paid by cash and card counts its 4 diners once; 王强's
    // seatings at the two boundary seconds both count.
    EXPECT_EQ(text(rows(w.MSHFlexGrid1)), text({
                                              "1|李娜|101.50|4",
                                              "2|王强|38.00|8",
                                              "3|张丽|30.00|3",
                                              "|合  计:|169.50|15",
                                          }));
    EXPECT_FALSE(Forms::isLoaded<DlgXSPH>());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(WaiterRankingTest, EqualAmountsRankByName)
{
    floorAndMenu();
    const struct { const char* waiter; const char* start; double amount; } bills[] = {
        {"王强", "2026-03-10 11:00:00", 50}, {"李娜", "2026-03-10 11:10:00", 50}, {"张丽", "2026-03-10 11:20:00", 80}};
    for (const auto& b : bills) {
        const QString id = seating(QStringLiteral("101"), QString::fromLatin1(b.start), QStringLiteral("2026-03-10 12:00:00"),
                                   2, QString::fromUtf8(b.waiter));
        bill(id, QStringLiteral("2026-03-10 12:00:00"), b.amount, b.amount, 0, QStringLiteral("0"));
    }
    query();
    const QStringList r = rows(window().MSHFlexGrid1);
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r[0].toStdString(), "1|张丽|80.00|2");
    // 李娜 sorts before 王强 in the database's text order.
    EXPECT_EQ(r[1].toStdString(), "2|李娜|50.00|2");
    EXPECT_EQ(r[2].toStdString(), "3|王强|50.00|2");
}

TEST_F(WaiterRankingTest, NothingFoundEmptiesTheGridAndSaysSoAfterTheDialogCloses)
{
    salesDay();
    query();
    query(QDate(2026, 3, 1), QDate(2026, 3, 2));
    EXPECT_EQ(lastMessage().text, QStringLiteral("没有查到记录!"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_EQ(lastMessage().title, QString());
    FrmXSPH& w = window();
    EXPECT_EQ(w.Label2[4]->text(), QStringLiteral("2"));
    ASSERT_EQ(w.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(w.MSHFlexGrid1->rowTexts(1).join(QString()), QString());

    // Cancel leaves the grid as it was.
    query(QDate(2026, 3, 10), QDate(2026, 3, 10));
    const QStringList before = rows(w.MSHFlexGrid1);
    Forms::onModal(QStringLiteral("DlgXSPH"), [](Form& f) { static_cast<DlgXSPH&>(f).CancelButton->click(); });
    w.Toolbar1->click(FrmXSPH::BtnQuery);
    EXPECT_EQ(text(rows(w.MSHFlexGrid1)), text(before));
}
