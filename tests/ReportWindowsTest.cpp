// The report windows as the main window opens them, and how they look with
// a day of sales.
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
    dishes.TreeView1->clickNode(QStringLiteral("F1"));
    dishes.Toolbar1->click(FrmDDTJ::BtnQuery);
    screenshot(&dishes, QStringLiteral("reports-dish-sales"));
}
