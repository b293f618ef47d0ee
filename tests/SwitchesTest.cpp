// The sales-to-stock and refund switches, and the main window's buttons that
// open the settings windows.
#include "shell/DlgTKSZ.h"
#include "shell/FrmGLSZ.h"
#include "shell/FrmMain.h"
#include "shell/Module1.h"
#include "tests/TestSupport.h"

namespace {

class SwitchTest : public TabulorTest {
protected:
    QString param(const QString& name)
    {
        return value(QStringLiteral("SELECT XTCS_VALUE || '/' || coalesce(XTCS_MS, '') FROM SYSXTCS WHERE XTCS_NAME = ?"), {name})
            .toString();
    }
    void setParam(const QString& name, const QString& v)
    {
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = ?"), {name});
        sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS) VALUES (?, ?, 'old')"), {name, v});
    }
};

} // namespace

TEST_F(SwitchTest, RefundWindowAddsAMissingRowEvenWhenCancelled)
{
    openDb();
    Module1::RefundAllowed = true;
    DlgTKSZ& d = Forms::get<DlgTKSZ>();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("退款设置"));
    EXPECT_TRUE(d.OptDisAllowRefundment->isChecked());
    EXPECT_FALSE(Module1::RefundAllowed);
    screenshot(&d, QStringLiteral("DlgTKSZ"));
    d.cmdCannel->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<DlgTKSZ>());
    EXPECT_EQ(param(QStringLiteral("AllowRefundment")), QStringLiteral("0/允许结帐后退款"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SwitchTest, RefundSaveAlwaysWritesTheChoice)
{
    struct Case { const char* stored; bool shownAllowed; bool choose; const char* after; };
    const Case cases[] = {
        {"1", true, true, "1"},     // unchanged choice still written
        {"0", false, true, "1"},
        {"1", true, false, "0"},
        {"2", false, true, "1"},    // a value other than 0/1 is replaced by the choice
        {"x", false, false, "0"},
        {" 1 ", true, false, "0"},
    };
    for (const Case& c : cases) {
        setParam(QStringLiteral("AllowRefundment"), QString::fromLatin1(c.stored));
        MessageSeam::clear();
        DlgTKSZ& d = Forms::get<DlgTKSZ>();
        EXPECT_EQ(d.OptAllowRefundment->isChecked(), c.shownAllowed) << c.stored;
        EXPECT_EQ(Module1::RefundAllowed, d.OptAllowRefundment->isChecked()) << c.stored;
        (c.choose ? d.OptAllowRefundment : d.OptDisAllowRefundment)->click();
        d.cmdOK->click();
        processEvents();
        EXPECT_EQ(param(QStringLiteral("AllowRefundment")), QString::fromLatin1(c.after) + QStringLiteral("/old")) << c.stored;
        EXPECT_EQ(Module1::RefundAllowed, c.choose) << c.stored;
        EXPECT_EQ(messages(), QStringList{QStringLiteral("设置成功")});
        EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
        EXPECT_EQ(lastMessage().buttons, int(Msg::OKOnly));
        EXPECT_EQ(lastMessage().title, QString());
        EXPECT_FALSE(Forms::isLoaded<DlgTKSZ>());
    }
}

TEST_F(SwitchTest, AssociationShowsOnlyExactYesAsLinked)
{
    struct Case { const char* stored; bool linked; };
    const Case cases[] = {{nullptr, true}, {"Yes", true}, {"yes", false}, {" Yes", false}, {"No", false}};
    for (const Case& c : cases) {
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'Associate'"));
        if (c.stored)
            setParam(QStringLiteral("Associate"), QString::fromLatin1(c.stored));
        FrmGLSZ& w = Forms::get<FrmGLSZ>();
        EXPECT_EQ(w.Option1->isChecked(), c.linked) << (c.stored ? c.stored : "none");
        EXPECT_EQ(w.Option2->isChecked(), !c.linked);
        Forms::unloadAll();
        processEvents();
    }
}

TEST_F(SwitchTest, AssociationSaveInsertsThenUpdates)
{
    openDb();
    FrmGLSZ& w = Forms::get<FrmGLSZ>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("关联设置"));
    EXPECT_EQ(w.Frame1->title(), QStringLiteral("关联选项"));
    screenshot(&w, QStringLiteral("FrmGLSZ"));
    w.Option2->click();
    w.Command1->click();
    processEvents();
    EXPECT_EQ(param(QStringLiteral("Associate")), QStringLiteral("No/售货关联与否"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("设置成功！")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_FALSE(Forms::isLoaded<FrmGLSZ>());

    sql(QStringLiteral("UPDATE SYSXTCS SET XTCS_MS = 'kept' WHERE XTCS_NAME = 'Associate'"));
    FrmGLSZ& again = Forms::get<FrmGLSZ>();
    EXPECT_TRUE(again.Option2->isChecked());
    again.Option1->click();
    again.Command1->click();
    EXPECT_EQ(param(QStringLiteral("Associate")), QStringLiteral("Yes/kept"));
    EXPECT_EQ(count(QStringLiteral("SYSXTCS"), QStringLiteral("WHERE XTCS_NAME = 'Associate'")), 1);

    // Cancel writes nothing.
    FrmGLSZ& third = Forms::get<FrmGLSZ>();
    third.Option2->click();
    third.Command2->click();
    EXPECT_EQ(param(QStringLiteral("Associate")), QStringLiteral("Yes/kept"));
}

TEST_F(SwitchTest, MainWindowButtonsOpenTheSettingsWindows)
{
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    FrmMain& main = Forms::get<FrmMain>();
    Forms::clearModalShows();
    for (QPushButton* b : {main.CmdYGQX, main.CmdDYSZ, main.cmdTKSZ, main.cmdQCJL, main.CmdGLSZ, main.CmdGYXT}) {
        ASSERT_TRUE(b->isEnabled());
        b->click();
        processEvents();
    }
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{QStringLiteral("FrmQXSZ"), QStringLiteral("DlgDYSZ"),
                                                         QStringLiteral("DlgTKSZ"), QStringLiteral("DlgQCSJ"),
                                                         QStringLiteral("FrmGLSZ"), QStringLiteral("frmGYXT")}));
}
