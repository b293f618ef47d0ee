// Saving in a dialog whose owner closes it and then says "saved": the roads a
// user takes from the main window, through the windows' real modal loops and
// the message boxes' own loops, where a window closed from code is deleted.
#include <QPointer>
#include <QTest>
#include "frontdesk/FrmFTSZ.h"
#include "frontdesk/TableMasterDialogs.h"
#include "shell/FrmMain.h"
#include "stockin/FrmRKGL.h"
#include "stockin/StockInDialogs.h"
#include "stockout/FrmCKGL.h"
#include "stockout/StockOutDialogs.h"
#include "tests/TestSupport.h"

namespace {

struct SaveRoad {
    const char* name;
    QPushButton* FrmMain::*group;
    QPushButton* FrmMain::*function;
    const char* window;
    // Inside the window: what the user presses to bring up the dialog.
    std::function<void(Form&)> openDialog;
    const char* dialog;
    // Inside the dialog: what the user types before pressing save.
    std::function<QPushButton*(Form&)> fillAndFindSave;
    const char* saved;
    // The row the save wrote.
    const char* check;
};

class WindowLifetime : public TabulorTest, public ::testing::WithParamInterface<int> {
public:
    static std::vector<SaveRoad> roads()
    {
        const auto stockBillNew = [](Form& w) {
            static_cast<StockBillWindow&>(w).Toolbar1->click(StockBillWindow::BtnNew);
        };
        const auto tableSetupEdit = [](int tab) {
            return [tab](Form& w) {
                auto& setup = static_cast<FrmFTSZ&>(w);
                setup.SSTab1->setTab(tab);
                setup.Toolbar1->click(2);
            };
        };
        const auto renameTo = [](const char* name) {
            return [name](Form& d) {
                auto& dialog = static_cast<CodeNameDialog&>(d);
                retypeKeys(dialog.Text2, QString::fromUtf8(name));
                return dialog.Command1;
            };
        };
        return {
            {"StockInBillNew", &FrmMain::CmdKFGL, &FrmMain::CmdRKGL, "FrmRKGL", stockBillNew, "FrmRKDADD",
             [](Form& d) { return static_cast<FrmRKDADD&>(d).Save; }, "保存成功!",
             "SELECT count(*) FROM stock_in_bill"},
            {"StockOutBillNew", &FrmMain::CmdKFGL, &FrmMain::CmdCKGL, "FrmCKGL", stockBillNew, "FrmCKDADD",
             [](Form& d) { return static_cast<FrmCKDADD&>(d).Save; }, "保存成功！",
             "SELECT count(*) FROM stock_out_bill"},
            {"TableTypeEdit", &FrmMain::CmdXTSZ, &FrmMain::CmdFTSZ, "FrmFTSZ", tableSetupEdit(0), "Frmbmedit",
             renameTo("雅座"), "保存成功!", "SELECT count(*) FROM house_bm WHERE fname = '雅座'"},
            {"TableSpecificationEdit", &FrmMain::CmdXTSZ, &FrmMain::CmdFTSZ, "FrmFTSZ", tableSetupEdit(1), "Frmlbedit",
             renameTo("小方桌"), "保存成功!", "SELECT count(*) FROM house_kinds WHERE fname = '小方桌'"},
        };
    }
};

} // namespace

// The dialog is gone once saved, the owner goes on working, and the same
// dialog opens again afresh; under the sanitizers nothing touches a window
// that an event loop deleted.
TEST_P(WindowLifetime, SavingClosesTheDialogAndTheWindowGoesOn)
{
    const SaveRoad road = roads()[GetParam()];
    SCOPED_TRACE(road.name);
    sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('01', '大厅')"));
    sql(QStringLiteral("INSERT INTO house_kinds (fcode, fname) VALUES ('01', '四人台')"));
    sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('E1', '张三', '1')"));
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    const int before = value(QString::fromUtf8(road.check)).toInt();

    const QString dialog = QString::fromLatin1(road.dialog);
    int dialogsShown = 0;
    QPointer<Form> firstDialog;
    Forms::onModal(dialog, [&](Form& d) {
        ++dialogsShown;
        if (dialogsShown == 1) {
            firstDialog = &d;
            QPushButton* save = road.fillAndFindSave(d);
            QTest::mouseClick(save, Qt::LeftButton);
            // The owner closed the dialog and said so while this click ran.
            EXPECT_EQ(Forms::find(dialog), nullptr);
        } else {
            EXPECT_NE(&d, firstDialog.data());   // a fresh one
        }
    });
    bool windowShown = false;
    Forms::onModal(QString::fromLatin1(road.window), [&](Form& w) {
        windowShown = true;
        road.openDialog(w);
        ASSERT_EQ(messages(), QStringList{QString::fromUtf8(road.saved)});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        // The window goes on: the same dialog again, closed unsaved.
        road.openDialog(w);
        EXPECT_EQ(dialogsShown, 2);
    });
    FrmMain& main = Forms::get<FrmMain>();
    (main.*road.group)->click();
    (main.*road.function)->click();
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(value(QString::fromUtf8(road.check)).toInt(), before + 1);
    processEvents();
    EXPECT_TRUE(firstDialog.isNull());   // deleted once its loop ended
}

INSTANTIATE_TEST_SUITE_P(EachRoad, WindowLifetime, ::testing::Range(0, int(WindowLifetime::roads().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(WindowLifetime::roads()[info.param].name);
                         });
