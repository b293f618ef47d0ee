// The report windows as the main window opens them, and how they look with
// a day of sales.
#include "db/Money.h"
#include "reports/DlgTJHZ.h"
#include "reports/DlgXSMX.h"
#include "reports/DlgXSPH.h"
#include "reports/FrmDDTJ.h"
#include "reports/FrmFTXS.h"
#include "reports/FrmXSHZ.h"
#include "reports/FrmXSMX.h"
#include "reports/FrmXSPH.h"
#include "shell/FrmMain.h"
#include "tests/ReportsFixture.h"

namespace {

class ReportWindowsTest : public ReportsFixture {};

} // namespace

TEST_F(ReportWindowsTest, MainWindowButtonsOpenTheReports)
{
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    FrmMain& m = Forms::get<FrmMain>();
    Forms::clearModalShows();
    for (QPushButton* b : {m.CmdXSMX, m.CmdYGXS, m.CmdFTXS, m.CmdDDTJ, m.cmdXSHZ})
        b->click();
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{QStringLiteral("FrmXSMX"), QStringLiteral("FrmXSPH"),
                                                         QStringLiteral("FrmFTXS"), QStringLiteral("FrmDDTJ"),
                                                         QStringLiteral("FrmXSHZ")}));
}

TEST_F(ReportWindowsTest, Screenshots)
{
    salesDay();
    FrmXSHZ& summary = Forms::get<FrmXSHZ>();
    summary.cmdQuery->click();
    screenshot(&summary, QStringLiteral("reports-summary-table"));
    summary.Combo1->setCurrentText(FrmXSHZ::ByCategory);
    summary.cmdQuery->click();
    screenshot(&summary, QStringLiteral("reports-summary-category"));
    summary.Combo1->setCurrentText(FrmXSHZ::ByDish);
    summary.cmdQuery->click();
    screenshot(&summary, QStringLiteral("reports-summary-dish"));

    FrmXSMX& detail = Forms::get<FrmXSMX>();
    Forms::onModal(QStringLiteral("DlgXSMX"), [this](Form& f) {
        screenshot(&f, QStringLiteral("reports-detail-dialog"));
        static_cast<DlgXSMX&>(f).Command1[0]->click();
    });
    detail.Toolbar1->click(FrmXSMX::BtnQuery);
    screenshot(&detail, QStringLiteral("reports-detail"));
    Forms::onModal(QStringLiteral("DlgTJHZ"), [this](Form& f) { screenshot(&f, QStringLiteral("reports-period-totals")); });
    detail.Toolbar1->click(FrmXSMX::BtnTotals);

    FrmXSPH& ranking = Forms::get<FrmXSPH>();
    Forms::onModal(QStringLiteral("DlgXSPH"), [this](Form& f) {
        screenshot(&f, QStringLiteral("reports-ranking-dialog"));
        static_cast<DlgXSPH&>(f).OKButton->click();
    });
    ranking.Toolbar1->click(FrmXSPH::BtnQuery);
    screenshot(&ranking, QStringLiteral("reports-ranking"));

    FrmFTXS& tables = Forms::get<FrmFTXS>();
    tables.Toolbar1->click(FrmFTXS::BtnDetail);
    screenshot(&tables, QStringLiteral("reports-table-detail"));
    tables.Toolbar1->click(FrmFTXS::BtnSummary);
    screenshot(&tables, QStringLiteral("reports-table-summary"));

    FrmDDTJ& dishes = Forms::get<FrmDDTJ>();
    dishes.TreeView1->expandAll();
    clickNode(dishes.TreeView1, QStringLiteral("F1"));
    dishes.Toolbar1->click(FrmDDTJ::BtnQuery);
    screenshot(&dishes, QStringLiteral("reports-dish-sales"));
}

TEST_F(ReportWindowsTest, DemoSalesShowInEveryReportAndTheirFiguresAgree)
{
    Clock::release();
    Db::closeShared();
    const QString demo = tempPath(QStringLiteral("demo.db"));
    Db::buildDatabaseFile(demo, true);
    Db::openShared(demo);
    // The demo's three weeks before today, whole days.
    const QDate first = Clock::today().addDays(-21), last = Clock::today().addDays(-1);
    const Money billed = Money::fromVariant(Db::scalar(
        QStringLiteral("SELECT sum(account_price) FROM ACCOUNT_200606 WHERE account_date >= ? AND account_date <= ?"),
        {DateTimeText::formatDate(first), DateTimeText::formatDate(last) + QStringLiteral(" 23:59:59")}));
    ASSERT_GT(billed, Money());
    const QString received = billed.format(2);

    FrmXSHZ& summary = Forms::get<FrmXSHZ>();
    summary.DTPFrom->setDate(first);
    summary.DTPTo->setDate(last);
    summary.cmdQuery->click();
    ASSERT_GT(summary.ListView1->count(), 3);
    const int totalRow = summary.ListView1->count() - 1;
    EXPECT_EQ(summary.ListView1->subItem(totalRow, 4), received);
    const QString fee = summary.ListView1->subItem(totalRow, 3);
    // Every settled line of the period is in a sub-category: the category
    // and dish summaries come to the same receivable.
    for (const QString& mode : {FrmXSHZ::ByCategory, FrmXSHZ::ByDish}) {
        summary.Combo1->setCurrentText(mode);
        summary.cmdQuery->click();
        const int row = summary.ListView1->count() - 1;
        EXPECT_EQ(summary.ListView1->subItem(row, summary.ListView1->columnCount() - 1), fee) << mode.toStdString();
    }

    FrmXSMX& detail = Forms::get<FrmXSMX>();
    Forms::onModal(QStringLiteral("DlgXSMX"), [&](Form& f) {
        auto& dlg = static_cast<DlgXSMX&>(f);
        dlg.DTPicker1[0]->setDate(first);
        dlg.DTPicker1[1]->setDate(last);
        dlg.Command1[0]->click();
    });
    detail.Toolbar1->click(FrmXSMX::BtnQuery);
    const int gridTotal = detail.MSHFlexGrid1->Rows() - 1;
    EXPECT_EQ(detail.MSHFlexGrid1->TextMatrix(gridTotal, FrmXSMX::ColFee), fee);
    EXPECT_EQ(detail.MSHFlexGrid1->TextMatrix(gridTotal, FrmXSMX::ColReceived), received);
    QString income;
    Forms::onModal(QStringLiteral("DlgTJHZ"), [&](Form& f) {
        auto& totals = static_cast<DlgTJHZ&>(f);
        EXPECT_EQ(totals.Label2[DlgTJHZ::Received]->text(), received);
        EXPECT_EQ(totals.Label2[DlgTJHZ::Diners]->text(), detail.MSHFlexGrid1->TextMatrix(gridTotal, FrmXSMX::ColDiners));
        income = totals.Label2[DlgTJHZ::Income]->text();
    });
    detail.Toolbar1->click(FrmXSMX::BtnTotals);
    EXPECT_EQ(Money::parse(income), billed);

    FrmXSPH& ranking = Forms::get<FrmXSPH>();
    Forms::onModal(QStringLiteral("DlgXSPH"), [&](Form& f) {
        auto& dlg = static_cast<DlgXSPH&>(f);
        dlg.DTPicker1[0]->setDate(first);
        dlg.DTPicker1[1]->setDate(last);
        dlg.OKButton->click();
    });
    ranking.Toolbar1->click(FrmXSPH::BtnQuery);
    EXPECT_EQ(ranking.MSHFlexGrid1->Rows(), 5);   // three waiters and the totals row
    EXPECT_EQ(ranking.MSHFlexGrid1->TextMatrix(4, FrmXSPH::ColAmount), received);

    FrmFTXS& tables = Forms::get<FrmFTXS>();
    tables.DTPicker1[0]->setDate(first);
    tables.DTPicker1[1]->setDate(last);
    tables.Toolbar1->click(FrmFTXS::BtnSummary);
    EXPECT_TRUE(tables.reportText().contains(received + QStringLiteral("元│\r\n└"))) << tables.reportText().toStdString();
    tables.Toolbar1->click(FrmFTXS::BtnDetail);
    EXPECT_GT(tables.reportText().count(QStringLiteral("结帐时间：")), 100);

    FrmDDTJ& dishes = Forms::get<FrmDDTJ>();
    dishes.DateStart->setDate(first);
    dishes.DateEnd->setDate(last);
    dishes.Toolbar1->click(FrmDDTJ::BtnQuery);
    EXPECT_GT(dishes.ListView1->count(), 10);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(u'|').toStdString();
}
