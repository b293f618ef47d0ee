// The main window: accordion layouts, exits, resizing, the refund switch.
#include <QTest>
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "shell/FrmPathSetup.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"
#include "tests/TestSupport.h"

TEST_F(TabulorTest, AccordionLayouts)
{
    openDb();
    FrmMain& w = Forms::get<FrmMain>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tabulor"));
    struct Layout { QPushButton* group; QWidget* panel; int frame, kf, rs, xt, tc; };
    // The settings panel is one button taller than its first design so its
    // ninth button shows; the exit panel holds its buttons one under another.
    const Layout layouts[] = {
        {w.CmdQTGL, w.PicQTGL, 5760, 3885, 4260, 4635, 5010},
        {w.CmdKFGL, w.PicKFGL, 5325, 375, 3825, 4200, 4575},
        {w.CmdRSGL, w.PicRSGL, 2880, 375, 750, 1755, 2130},
        {w.CmdXTSZ, w.PicXTSZ, 1500 + 4440 + 375, 375, 750, 1125, 1500 + 4440},
        {w.CmdTCXT, w.PicTCXT, 1890 + 2055, 375, 750, 1125, 1500},
    };
    // After loading the front desk is open.
    EXPECT_EQ(Twips::height(w.Frame1), 5760);
    EXPECT_FALSE(w.PicQTGL->isHidden());
    for (int round = 0; round < 2; ++round) {   // clicking an open group lays it out again
        for (const Layout& l : layouts) {
            l.group->click();
            EXPECT_EQ(Twips::height(w.Frame1), l.frame) << qPrintable(l.group->text());
            EXPECT_EQ(Twips::top(w.CmdQTGL), 0);
            EXPECT_EQ(Twips::top(w.CmdKFGL), l.kf);
            EXPECT_EQ(Twips::top(w.CmdRSGL), l.rs);
            EXPECT_EQ(Twips::top(w.CmdXTSZ), l.xt);
            EXPECT_EQ(Twips::top(w.CmdTCXT), l.tc);
            for (QWidget* p : {w.PicQTGL, w.PicKFGL, w.PicRSGL, w.PicXTSZ, w.PicTCXT, w.PicTXFX})
                EXPECT_EQ(p->isHidden(), p != l.panel);
        }
    }
    // Every function button lies inside its panel; help and about do not overlap.
    for (QWidget* p : {w.PicQTGL, w.PicKFGL, w.PicRSGL, w.PicXTSZ, w.PicTCXT})
        for (auto* b : p->findChildren<QPushButton*>())
            if (!b->isHidden())
                EXPECT_LE(b->geometry().bottom(), p->height()) << qPrintable(b->text());
    EXPECT_FALSE(w.CmdXTBZ->geometry().intersects(w.CmdGYXT->geometry()));
    EXPECT_TRUE(w.CmdTXFX->isHidden());
    EXPECT_EQ(w.PicQTGL->palette().color(QPalette::Window), QColor(255, 57, 30));
}

TEST_F(TabulorTest, ExitAsksAndEndsOnlyOnOk)
{
    openDb();
    FrmMain& w = Forms::get<FrmMain>();
    Forms::show(w);
    MessageSeam::answer(Msg::Cancel);
    w.CmdXTTC->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("是否退出系统？")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::OKCancel));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_FALSE(ProcessSeam::ended());

    MessageSeam::clear();
    MessageSeam::answer(Msg::Cancel);
    w.close();   // the close box
    processEvents();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("是否退出系统?")});
    EXPECT_TRUE(Forms::isLoaded<FrmMain>());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(ProcessSeam::ended());

    MessageSeam::answer(Msg::OK);
    w.close();
    EXPECT_TRUE(ProcessSeam::ended());

    ProcessSeam::script();
    MessageSeam::answer(Msg::OK);
    w.CmdXTTC->click();
    EXPECT_TRUE(ProcessSeam::ended());
}

TEST_F(TabulorTest, ResizeStretchesBackgroundToHeightLess300)
{
    openDb();
    FrmMain& w = Forms::get<FrmMain>();
    Forms::show(w);
    processEvents();
    // The window's outer size is 9000 x 3000 twips (title bar and borders included).
    const int frameW = Twips::fromPixels(w.frameGeometry().width() - w.width());
    const int frameH = Twips::fromPixels(w.frameGeometry().height() - w.height());
    Twips::resize(&w, 9000 - frameW, 3000 - frameH);
    processEvents();
    EXPECT_EQ(Twips::height(w.Image1), 2700);
    EXPECT_EQ(Twips::width(w.Image1), 9000);
}

TEST_F(TabulorTest, RefundAllowedReadAtFirstLoad)
{
    const struct { const char* value; bool allowed; } cases[] = {
        {"1", true}, {"0", false}, {nullptr, false}, {"abc", false}, {" 1 ", true},
    };
    for (const auto& c : cases) {
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'AllowRefundment'"));
        if (c.value)
            sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE) VALUES ('AllowRefundment', ?)"),
                {QString::fromLatin1(c.value)});
        Module1::RefundAllowed = !c.allowed;
        Forms::unloadAll();
        Forms::get<FrmMain>();
        EXPECT_EQ(Module1::RefundAllowed, c.allowed) << (c.value ? c.value : "no row");
    }
}

TEST_F(TabulorTest, RefundAllowedIsReadAtTheFirstLoginOnly)
{
    sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'AllowRefundment'"));
    sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE) VALUES ('AllowRefundment', '1')"));
    Db::closeShared();
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    EXPECT_TRUE(Module1::RefundAllowed);

    Db::exec(QStringLiteral("UPDATE SYSXTCS SET XTCS_VALUE = '0' WHERE XTCS_NAME = 'AllowRefundment'"));
    Forms::get<FrmMain>().CmdQHYH->click();
    FrmXTDL& login = Forms::get<FrmXTDL>();
    login.Text2->setText(QStringLiteral("admin"));
    login.Command1->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmXTDL>());
    EXPECT_TRUE(Module1::RefundAllowed);   // a switch of user does not load the main window again
}

TEST_F(TabulorTest, FunctionButtonsOpenTheirWindowsModally)
{
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    FrmMain& w = Forms::get<FrmMain>();
    w.CmdXTSZ->click();
    w.CmdPathSetup->click();
    EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("FrmPathSetup")});
    // Buttons without an action, and a window not built into the program,
    // open nothing and fail nothing.
    Forms::clearModalShows();
    w.CmdQTGL->click();
    EXPECT_FALSE(Forms::showModalByName(QStringLiteral("FrmNotBuilt")));
    w.CmdXTBZ->click();
    w.CmdRSRJ->click();
    EXPECT_TRUE(Forms::modalShows().empty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TabulorTest, PathSetFromMainWindowKeepsTheOpenConnection)
{
    const QString other = tempPath(QStringLiteral("other.db"));
    Db::buildDatabaseFile(other, false);
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    FrmMain& w = Forms::get<FrmMain>();
    Forms::onModal(QStringLiteral("FrmPathSetup"), [&](Form& f) {
        auto& setup = static_cast<FrmPathSetup&>(f);
        FileDialogSeam::answer(other);
        setup.CmdSelectPath->click();
        setup.CmdSetup->click();
    });
    w.CmdXTSZ->click();
    w.CmdPathSetup->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("路径设置成功!")});
    EXPECT_EQ(Module1::DatabasePath, other);
    EXPECT_EQ(Db::path(), dbPath());   // data keeps coming from the old file
    EXPECT_TRUE(w.isVisible());

    // The next login window opens the new one.
    w.CmdQHYH->click();
    EXPECT_EQ(Db::path(), other);
}

TEST_F(TabulorTest, LoginAndMainWindowScreenshots)
{
    openDb();
    Forms::get<FrmXTDL>().Text2->setText(QStringLiteral("abc"));
    screenshot(&Forms::get<FrmXTDL>(), QStringLiteral("login"));
    FrmMain& w = Forms::get<FrmMain>();
    screenshot(&w, QStringLiteral("main-frontdesk"));
    w.CmdXTSZ->click();
    screenshot(&w, QStringLiteral("main-settings"));
    w.CmdTCXT->click();
    screenshot(&w, QStringLiteral("main-exit"));
    screenshot(&Forms::get<FrmPathSetup>(), QStringLiteral("path-setup"));
}
