// Sales detail: the query dialog, the grid with its marks and totals row,
// the period totals and the messages.
#include "reports/DlgTJHZ.h"
#include "reports/DlgXSMX.h"
#include "reports/FrmXSMX.h"
#include "shell/Module1.h"
#include "tests/ReportsFixture.h"

namespace {

class SalesDetailTest : public ReportsFixture {
protected:
    FrmXSMX& window() { return Forms::get<FrmXSMX>(); }
    // Queries through the dialog, over the given days (default: the dialog's own period).
    void query(QDate from = {}, QDate to = {})
    {
        Forms::onModal(QStringLiteral("DlgXSMX"), [from, to](Form& f) {
            auto& dlg = static_cast<DlgXSMX&>(f);
            if (from.isValid()) {
                dlg.DTPicker1[0]->setDate(from);
                dlg.DTPicker1[1]->setDate(to);
            }
            dlg.Command1[0]->click();
            EXPECT_FALSE(Forms::isLoaded<DlgXSMX>());
        });
        window().Toolbar1->click(FrmXSMX::BtnQuery);
    }
    // The twelve values of the period totals, as shown.
    QStringList periodTotals()
    {
        QStringList values;
        Forms::onModal(QStringLiteral("DlgTJHZ"), [&values](Form& f) {
            auto& dlg = static_cast<DlgTJHZ&>(f);
            for (QLabel* l : dlg.Label2)
                values << l->text();
        });
        window().Toolbar1->click(FrmXSMX::BtnTotals);
        return values;
    }
};

} // namespace

TEST_F(SalesDetailTest, WindowGridAndDialogAsDesigned)
{
    FrmXSMX& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("销售明细查询"));
    ASSERT_EQ(w.MSHFlexGrid1->Cols(), 13);
    EXPECT_EQ(w.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(w.MSHFlexGrid1->rowTexts(0), QStringList({"", "房台号", "房台名称", "就餐人数", "应收金额", "折扣金额",
                                                        "实收金额", "免收", "现金", "支票", "信用卡", "其它", "挂帐"}));
    EXPECT_EQ(w.MSHFlexGrid1->ColWidth(0), 240);   // 250 twips, to the whole pixel
    EXPECT_EQ(w.MSHFlexGrid1->ColAlignment(2), Qt::AlignLeft);
    const QStringList captions{"查询", "统计", "明细", "打印", "帮助", "退出"};
    for (int b = 1; b <= 6; ++b) {
        EXPECT_EQ(w.Toolbar1->caption(b), captions[b - 1]);
        EXPECT_EQ(w.Toolbar1->buttonVisible(b), b <= 2 || b == 6) << b;
    }
    EXPECT_FALSE(w.Toolbar1->buttonEnabled(3));
    EXPECT_FALSE(w.Toolbar1->buttonEnabled(4));
    EXPECT_EQ(w.Label2[0]->text(), QString());

    DlgXSMX& dlg = Forms::get<DlgXSMX>();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("销售明细查询"));
    EXPECT_EQ(dlg.DTPicker1[0]->date(), QDate(2026, 3, 10));
    EXPECT_EQ(dlg.DTPicker2[0]->time(), QTime(0, 0, 0));
    EXPECT_EQ(dlg.DTPicker2[1]->time(), QTime(23, 59, 59));
    EXPECT_EQ(dlg.Command1[0]->text(), QStringLiteral("查询(&F)"));
    EXPECT_EQ(dlg.defaultButton, dlg.Command1[0]);
    EXPECT_EQ(dlg.cancelButton, dlg.Command1[1]);
}

TEST_F(SalesDetailTest, GridListsSeatingsPerPaymentMethodWithMarksAndTotals)
{
    salesDay();
    query();
    FrmXSMX& w = window();
    EXPECT_EQ(w.Label2[0]->text(), QStringLiteral("2026-03-10 00:00:00"));
    EXPECT_EQ(w.Label2[1]->text(), QStringLiteral("2026-03-10 23:59:59"));
    EXPECT_EQ(w.Label2[2]->text(), QStringLiteral("1"));
    // The diners total counts the seating paid by cash and card once.
    EXPECT_EQ(text(rows(w.MSHFlexGrid1)), text({
                                        "101|大厅1|2|38.00|0.00|38.00||√   ||||",
                                        "102|大厅2|3|30.00|0.00|30.00||||||√   ",
                                        "102|大厅2|4|88.00|0.00|85.50|2.50|√   ||||",
                                        "102|大厅2|4|16.00|0.00|16.00||||√   ||",
                                        "201|牡丹厅|6|76.00|0.00|0.00|√   |||||",
                                        "|合  计:|15|248.00|0.00|169.50|1|2|0|1|0|1",
                                    }));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(Module1::ReportStartTime, QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0)));

    // A second query starts from an empty grid.
    query(QDate(2026, 3, 9), QDate(2026, 3, 9));
    EXPECT_EQ(w.Label2[2]->text(), QStringLiteral("1"));
    EXPECT_EQ(text(rows(w.MSHFlexGrid1)), text({
                                        "102|大厅2|3|60.00|0.00|60.00||√   ||||",
                                        "201|牡丹厅|5|38.00|0.00|38.00||√   ||||",
                                        "|合  计:|8|98.00|0.00|98.00|0|2|0|0|0|0",
                                    }));
}

TEST_F(SalesDetailTest, PeriodTotalsOfTheQueriedDayAgreeWithTheGrid)
{
    salesDay();
    query();
    // Seatings by their checkout time: E opened the day before and A at
    // midnight are in; G (a second before) and D (a second after) are not.
    EXPECT_EQ(text(periodTotals()), text({"4", "15", "248.00", "169.50", "0.00", "78.50", "123.50", "0.00", "16.00",
                                           "0.00", "30.00", "169.5"}));
    EXPECT_FALSE(Forms::isLoaded<DlgTJHZ>());
}

TEST_F(SalesDetailTest, IncomeIsAnExactPlainNumber)
{
    floorAndMenu();
    const QString s = seating(QStringLiteral("101"), QStringLiteral("2026-03-10 12:00:00"),
                              QStringLiteral("2026-03-10 12:30:00"), 2, QStringLiteral("王强"));
    bill(s, QStringLiteral("2026-03-10 12:30:00"), 100, 95, 5, QStringLiteral("0"));
    query();
    EXPECT_EQ(rows(window().MSHFlexGrid1).first().toStdString(), std::string("101|大厅1|2|100.00|0.00|95.00|5.00|√   ||||"));
    const QStringList totals = periodTotals();
    EXPECT_EQ(totals[DlgTJHZ::Cash], QStringLiteral("95.00"));
    EXPECT_EQ(totals[DlgTJHZ::Income], QStringLiteral("95"));
    EXPECT_EQ(totals[DlgTJHZ::Waived], QStringLiteral("5.00"));

    // Ten bills of 0.1 on a cheque are exactly 1.
    for (int i = 0; i < 10; ++i) {
        const QString id = seating(QStringLiteral("102"), QStringLiteral("2026-03-10 13:%1:00").arg(i, 2, 10, QLatin1Char('0')),
                                   QStringLiteral("2026-03-10 15:00:00"), 1, QStringLiteral("李娜"));
        bill(id, QStringLiteral("2026-03-10 15:00:00"), 0.1, 0.1, 0, QStringLiteral("1"));
    }
    query();
    EXPECT_EQ(periodTotals()[DlgTJHZ::Income], QStringLiteral("96"));
}

TEST_F(SalesDetailTest, MessagesBeforeAQueryAndWhenNothingIsFound)
{
    salesDay();
    window().Toolbar1->click(FrmXSMX::BtnTotals);
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("请您先进行查询操作!"));
    EXPECT_EQ(lastMessage().icon, Msg::Exclamation);
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_TRUE(std::find(Forms::modalShows().begin(), Forms::modalShows().end(), QStringLiteral("DlgTJHZ"))
                == Forms::modalShows().end());

    query();
    query(QDate(2026, 4, 1), QDate(2026, 4, 3));
    EXPECT_EQ(lastMessage().text, QStringLiteral("没有该时间范围的记录!"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_EQ(lastMessage().title, QString());
    FrmXSMX& w = window();
    EXPECT_EQ(w.Label2[0]->text(), QStringLiteral("2026-04-01 00:00:00"));
    EXPECT_EQ(w.Label2[2]->text(), QStringLiteral("3"));
    ASSERT_EQ(w.MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(w.MSHFlexGrid1->rowTexts(1).join(QString()), QString());
    // The totals of that empty period show the design texts.
    EXPECT_EQ(text(periodTotals()), text({"0", "0", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
                                           "0.00", "0"}));
}

TEST_F(SalesDetailTest, CancelClosesTheDialogWithoutAQuery)
{
    salesDay();
    Forms::onModal(QStringLiteral("DlgXSMX"), [](Form& f) { static_cast<DlgXSMX&>(f).Command1[1]->click(); });
    window().Toolbar1->click(FrmXSMX::BtnQuery);
    EXPECT_FALSE(Forms::isLoaded<DlgXSMX>());
    EXPECT_EQ(window().Label2[0]->text(), QString());
    EXPECT_EQ(window().MSHFlexGrid1->Rows(), 2);
    window().Toolbar1->click(FrmXSMX::BtnExit);
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmXSMX>());
}
