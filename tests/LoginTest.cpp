// The login window, permissions and switching users.
#include <QStyle>
#include <QTest>
#include "shell/FrmMain.h"
#include "shell/FrmPathSetup.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"
#include "tests/TestSupport.h"

namespace {

QStringList enabledMenuButtons()
{
    QStringList on;
    FrmMain& main = Forms::get<FrmMain>();
    for (const auto& m : FrmMain::MenuButtons)
        if (main.menuButton(QString::fromLatin1(m.menuCode))->isEnabled())
            on << QString::fromLatin1(m.button);
    return on;
}

FrmXTDL& loginWindow(const QString& user, const QString& password)
{
    FrmXTDL& login = Forms::get<FrmXTDL>();
    login.Combo1->setCurrentIndex(login.Combo1->findText(user));
    login.Text2->setText(password);
    return login;
}

} // namespace

TEST_F(TabulorTest, LoginListsUsersAndOpensSharedConnection)
{
    addUser(QStringLiteral("ann"), QStringLiteral("pw"), {});
    Db::closeShared();
    FrmXTDL& login = Forms::get<FrmXTDL>();
    EXPECT_EQ(login.windowTitle(), QStringLiteral("系统登录"));
    EXPECT_TRUE(Db::isOpen());
    ASSERT_EQ(login.Combo1->count(), 2);
    EXPECT_EQ(login.Combo1->itemText(0), QStringLiteral("SYSTEM"));
    EXPECT_EQ(login.Combo1->currentIndex(), 0);
    EXPECT_FALSE(login.Combo1->isEditable());
    EXPECT_EQ(login.Text2->echoMode(), QLineEdit::Password);
    EXPECT_EQ(login.Text2->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, login.Text2), int('*'));
    EXPECT_TRUE(login.Text2->text().isEmpty());
}

TEST_F(TabulorTest, LoginCases)
{
    addUser(QStringLiteral("ann"), QStringLiteral("Secret"), {QStringLiteral("101"), QStringLiteral("611")});
    sql(QStringLiteral("INSERT INTO level_user (usercode, username, password) VALUES ('nul', 'n', NULL)"));
    Db::closeShared();
    struct Case { const char* user; const char* typed; const char* message; bool in; };
    const Case cases[] = {
        {"ann", "secret", "密码不正确", false},   // letter case counts
        {"ann", "  Secret ", nullptr, true},      // blanks around are ignored
        {"nul", "", nullptr, true},               // Null password is empty text
        {"nul", "x", "密码不正确", false},
    };
    for (const Case& c : cases) {
        Module1::LoggedIn = false;
        MessageSeam::clear();
        Forms::unloadAll();
        processEvents();
        FrmXTDL& login = loginWindow(QString::fromUtf8(c.user), QString::fromUtf8(c.typed));
        Forms::show(login);
        login.Command1->click();
        processEvents();
        EXPECT_EQ(Module1::LoggedIn, c.in) << c.user << "/" << c.typed;
        if (c.message) {
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(login.Text2->selectedText(), QString::fromUtf8(c.typed).trimmed());
            EXPECT_TRUE(login.Text2->hasFocus());
        } else {
            EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
            EXPECT_EQ(Module1::OperatorCode, QString::fromUtf8(c.user));
            EXPECT_FALSE(Forms::isLoaded<FrmXTDL>());
            EXPECT_TRUE(Forms::get<FrmMain>().isVisible());
        }
    }
}

TEST_F(TabulorTest, UnknownUserIsRefused)
{
    sql(QStringLiteral("DELETE FROM level_user"));
    Db::closeShared();
    FrmXTDL& login = Forms::get<FrmXTDL>();
    EXPECT_EQ(login.Combo1->count(), 0);
    login.Text2->setText(QStringLiteral("admin"));
    QTest::keyClick(login.Text2, Qt::Key_Return);   // Enter in the password box logs in
    EXPECT_EQ(messages(), QStringList{QStringLiteral("用户不存在")});
    EXPECT_FALSE(Module1::LoggedIn);
}

TEST_F(TabulorTest, PermissionsEnableExactlyTheUsersButtons)
{
    addUser(QStringLiteral("ann"), QStringLiteral("a"), {QStringLiteral("101"), QStringLiteral("611"), QStringLiteral("999")});
    addUser(QStringLiteral("bob"), QStringLiteral("b"), {});
    addUser(QStringLiteral("cid"), QStringLiteral("c"), {QStringLiteral("103")});
    Db::closeShared();

    startAndLogIn(QStringLiteral("ann"), QStringLiteral("a"));
    EXPECT_EQ(enabledMenuButtons(), (QStringList{QStringLiteral("CmdYDGL"), QStringLiteral("CmdPathSetup")}));
    FrmMain& main = Forms::get<FrmMain>();
    for (QPushButton* b : {main.CmdQHYH, main.CmdXTBZ, main.CmdGYXT, main.CmdXTTC, main.CmdQTGL, main.CmdTCXT})
        EXPECT_TRUE(b->isEnabled());

    // Switch user: the login shows over the main window; a user without rows
    // leaves every function disabled.
    main.CmdQHYH->click();
    loginWindow(QStringLiteral("bob"), QStringLiteral("b")).Command1->click();
    processEvents();
    EXPECT_TRUE(enabledMenuButtons().isEmpty());
    EXPECT_EQ(Module1::OperatorCode, QStringLiteral("bob"));

    main.CmdQHYH->click();
    loginWindow(QStringLiteral("cid"), QStringLiteral("c")).Command1->click();
    processEvents();
    EXPECT_EQ(enabledMenuButtons(), QStringList{QStringLiteral("CmdRSRJ")});
    EXPECT_TRUE(main.CmdRSRJ->isHidden());
}

TEST_F(TabulorTest, ClosingLoginEndsProcessOnlyBeforeTheFirstLogin)
{
    FrmXTDL& login = Forms::get<FrmXTDL>();
    Forms::show(login);
    login.Command2->click();
    EXPECT_TRUE(ProcessSeam::ended());
    Forms::unloadAll();

    ProcessSeam::script();
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    Forms::get<FrmMain>().CmdQHYH->click();
    ASSERT_TRUE(Forms::isLoaded<FrmXTDL>());
    Forms::get<FrmXTDL>().close();   // the close box
    processEvents();
    EXPECT_FALSE(ProcessSeam::ended());
    EXPECT_FALSE(Forms::isLoaded<FrmXTDL>());
    EXPECT_TRUE(Forms::get<FrmMain>().isVisible());
}

TEST_F(TabulorTest, SwitchingUserAfterAFailedPathSetupKeepsWorkingOnTheOldDatabase)
{
    addUser(QStringLiteral("ann"), QStringLiteral("pw"), {QStringLiteral("102")});
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    FrmMain& main = Forms::get<FrmMain>();

    // Path set-up to a file that is no database: refused, the path kept as chosen.
    const QString bogus = tempPath(QStringLiteral("bogus.db"));
    {
        QFile f(bogus);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a database at all, only text that is long enough");
    }
    Forms::onModal(QStringLiteral("FrmPathSetup"), [&](Form& f) {
        auto& setup = static_cast<FrmPathSetup&>(f);
        FileDialogSeam::answer(bogus);
        setup.CmdSelectPath->click();
        setup.CmdSetup->click();
    });
    main.CmdPathSetup->click();
    ASSERT_EQ(Module1::DatabasePath, bogus);

    // Switch user: the login says why and goes on with the old database.
    MessageSeam::clear();
    main.CmdQHYH->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("无法打开新选择的数据库，程序继续使用原来的数据库：") + dbPath()))
        << qPrintable(messages()[0]);
    EXPECT_TRUE(Db::isOpen());
    EXPECT_EQ(Db::path(), dbPath());
    FrmXTDL& login = loginWindow(QStringLiteral("ann"), QStringLiteral("pw"));
    EXPECT_EQ(login.Combo1->count(), 2);
    login.Command1->click();
    processEvents();
    EXPECT_EQ(Module1::OperatorCode, QStringLiteral("ann"));
    EXPECT_EQ(enabledMenuButtons(), QStringList{QStringLiteral("CmdSYGL")});
    EXPECT_EQ(count(QStringLiteral("level_user")), 2);
}
