// Users and permissions: the permission editor, adding and changing users,
// the employee picker, and the hashed passwords the login checks.
#include <QStyle>
#include <QTest>
#include "shell/FrmMain.h"
#include "shell/FrmQXSZ.h"
#include "shell/FrmXGYH.h"
#include "shell/FrmXTDL.h"
#include "shell/FrmXZYH.h"
#include "shell/FrmZJYH.h"
#include "shell/Module1.h"
#include "shell/PasswordHash.h"
#include "platform/KeyFilters.h"
#include "tests/TestSupport.h"

namespace {

class UserTest : public TabulorTest {
protected:
    // A small permission tree: group 100 with 101, 102, 103 (positions 1-4),
    // then group 300 with 301 (positions 5-6).
    void smallMenuTree()
    {
        sql(QStringLiteral("DELETE FROM sysmcwh WHERE class = 'CDL'"));
        sql(QStringLiteral("INSERT INTO sysmcwh (class, code, content, parentid) VALUES"
                           " ('CDL', '100', '前台管理', '0'), ('CDL', '101', '预定管理', '100'),"
                           " ('CDL', '102', '收银管理', '100'), ('CDL', '103', '日始日结', '100'),"
                           " ('CDL', '300', '库房管理', '0'), ('CDL', '301', '入库管理', '300')"));
    }
    // Only the given users, no permissions.
    void onlyUsers(const QStringList& codes)
    {
        sql(QStringLiteral("DELETE FROM level_user"));
        sql(QStringLiteral("DELETE FROM level_info"));
        for (const QString& c : codes)
            addUser(c, QStringLiteral("pw"), {});
    }
    void setRoleMaxId(int id)
    {
        sql(QStringLiteral("UPDATE SYSXTCS SET XTCS_VALUE = ? WHERE XTCS_NAME = 'rolemaxid'"), {QString::number(id)});
    }
    QString roleMaxId() { return value(QStringLiteral("SELECT XTCS_VALUE FROM SYSXTCS WHERE XTCS_NAME = 'rolemaxid'")).toString(); }
    QStringList storedCodes(const QString& user)
    {
        QStringList out;
        Recordset rs;
        rs.open(QStringLiteral("SELECT menu_code FROM level_info WHERE usercode = ? ORDER BY menu_code"), {user});
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            out << rs.field(0).toString();
        return out;
    }
    static QStringList tickedCodes(FrmQXSZ& w)
    {
        QStringList out;
        QTreeWidgetItemIterator it(w.TreeView2);
        for (; *it; ++it)
            if (w.TreeView2->checked(*it))
                out << TreeView::keyOf(*it).mid(1);
        return out;
    }
    // Ticks a node as a mouse click on its box does.
    static void tick(FrmQXSZ& w, const QString& key, bool on)
    {
        w.TreeView2->node(key)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    QString storedPassword(const QString& user)
    {
        return value(QStringLiteral("SELECT password FROM level_user WHERE usercode = ?"), {user}).toString();
    }
    // One attempt at the login window, as at a fresh start.
    bool tryLogin(const QString& user, const QString& typed)
    {
        Forms::unloadAll();
        processEvents();
        Module1::LoggedIn = false;
        MessageSeam::clear();
        FrmXTDL& login = Forms::get<FrmXTDL>();
        login.Combo1->setCurrentIndex(login.Combo1->findText(user));
        login.Text2->setText(typed);
        login.Command1->click();
        processEvents();
        const bool in = Module1::LoggedIn;
        Forms::unloadAll();
        processEvents();
        return in;
    }
};

} // namespace

TEST(PasswordHash, Pbkdf2MatchesTheStandardVectorAndSaltsEachHash)
{
    EXPECT_EQ(PasswordHash::pbkdf2Sha256("passwd", "salt", 1, 64).toHex(),
              QByteArray("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
                         "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"));
    const QString a = PasswordHash::make(QStringLiteral("密码1"));
    const QString b = PasswordHash::make(QStringLiteral("密码1"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(PasswordHash::isHash(a));
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("密码1"), a));
    EXPECT_FALSE(PasswordHash::verify(QStringLiteral("密码2"), a));
    EXPECT_FALSE(PasswordHash::isHash(QStringLiteral("admin")));
    EXPECT_FALSE(PasswordHash::verify(QStringLiteral("admin"), QStringLiteral("admin")));
}

TEST_F(UserTest, SaveNumbersRowsFromRoleMaxIdByTreePosition)
{
    smallMenuTree();
    onlyUsers({QStringLiteral("ann")});
    setRoleMaxId(40);
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    ASSERT_EQ(w.TreeView2->nodeCount(), 6);
    EXPECT_EQ(w.m_CurrentUser, QStringLiteral("[ann]ann"));
    for (const char* key : {"F101", "F103", "F301"})
        w.TreeView2->setChecked(w.TreeView2->node(QString::fromLatin1(key)), true);
    // Clicking the selected user stores the ticks shown.
    clickNode(w.TreeView1, QStringLiteral("[ann]ann"));

    Recordset rs;
    rs.open(QStringLiteral("SELECT menu_code, parent_code, id FROM level_info WHERE usercode = 'ann' ORDER BY id"));
    QStringList rows;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        rows << rs.text(QStringLiteral("menu_code")) + u'/' + rs.text(QStringLiteral("parent_code")) + u'/'
                + rs.text(QStringLiteral("id"));
    EXPECT_EQ(rows, (QStringList{QStringLiteral("101/100/42"), QStringLiteral("103/100/44"), QStringLiteral("301/300/46")}));
    EXPECT_EQ(roleMaxId(), QStringLiteral("46"));
    EXPECT_EQ(tickedCodes(w), (QStringList{QStringLiteral("101"), QStringLiteral("103"), QStringLiteral("301")}));
}

TEST_F(UserTest, TickingAGroupStoresItsFunctionsAndMissingCounterIsCreated)
{
    smallMenuTree();
    onlyUsers({QStringLiteral("ann")});
    sql(QStringLiteral("INSERT INTO level_info (usercode, menu_code, parent_code, id) VALUES ('old', '101', '100', 77)"));
    sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'rolemaxid'"));
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    EXPECT_TRUE(w.TreeView2->isEnabled());

    tick(w, QStringLiteral("G100"), true);
    EXPECT_EQ(storedCodes(QStringLiteral("ann")), (QStringList{QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")}));
    EXPECT_EQ(tickedCodes(w), (QStringList{QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")}));
    EXPECT_FALSE(w.TreeView2->checked(w.TreeView2->node(QStringLiteral("G100"))));
    // The counter came back from the highest id stored (77), then grew.
    EXPECT_EQ(roleMaxId(), QStringLiteral("81"));
    EXPECT_EQ(value(QStringLiteral("SELECT min(id) FROM level_info WHERE usercode = 'ann'")).toInt(), 79);

    // Unticking the group (ticked again first) removes them all; the counter stays.
    w.TreeView2->setChecked(w.TreeView2->node(QStringLiteral("G100")), true);
    tick(w, QStringLiteral("G100"), false);
    EXPECT_TRUE(storedCodes(QStringLiteral("ann")).isEmpty());
    EXPECT_EQ(roleMaxId(), QStringLiteral("81"));
}

TEST_F(UserTest, SwitchingUsersShowsExactlyTheirRowsByMouseAndKeyboard)
{
    smallMenuTree();
    onlyUsers({});
    addUser(QStringLiteral("ann"), QStringLiteral("a"), {QStringLiteral("101")});
    addUser(QStringLiteral("bob"), QStringLiteral("b"), {QStringLiteral("301")});
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    Forms::show(w);
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("101")});

    tick(w, QStringLiteral("F102"), true);
    EXPECT_EQ(storedCodes(QStringLiteral("ann")), (QStringList{QStringLiteral("101"), QStringLiteral("102")}));
    clickNode(w.TreeView1, QStringLiteral("[bob]bob"));
    EXPECT_EQ(w.m_CurrentUser, QStringLiteral("[bob]bob"));
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("301")});
    EXPECT_EQ(storedCodes(QStringLiteral("ann")), (QStringList{QStringLiteral("101"), QStringLiteral("102")}));

    // The arrow key moves the selection back to ann: her ticks show, and a
    // tick now is stored for her, not for bob.
    w.TreeView1->setFocus();
    QTest::keyClick(w.TreeView1, Qt::Key_Up);
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("[ann]ann"));
    EXPECT_EQ(w.m_CurrentUser, QStringLiteral("[ann]ann"));
    EXPECT_EQ(tickedCodes(w), (QStringList{QStringLiteral("101"), QStringLiteral("102")}));
    tick(w, QStringLiteral("F301"), true);
    EXPECT_EQ(storedCodes(QStringLiteral("ann")), (QStringList{QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("301")}));
    EXPECT_EQ(storedCodes(QStringLiteral("bob")), QStringList{QStringLiteral("301")});
}

// The boxes of the permission tree tick and untick under the mouse, the
// selected node's box and a Ctrl+click included, while the tree keeps its
// selected node; each tick is stored for the user.
TEST_F(UserTest, MouseClicksOnTheBoxesTickAndUntick)
{
    smallMenuTree();
    onlyUsers({QStringLiteral("ann")});
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    Forms::show(w);
    const struct { const char* key; Qt::KeyboardModifiers modifiers; QStringList ticked; } steps[] = {
        {"F101", {}, {"101"}},
        {"F101", {}, {}},   // the box of the node the first click selected
        {"F101", Qt::ControlModifier, {"101"}},
        {"F102", Qt::ControlModifier, {"101", "102"}},
        {"F102", {}, {"101"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.key) + (step.modifiers ? " with Ctrl" : ""));
        clickCheckBox(w.TreeView2, QString::fromLatin1(step.key), step.modifiers);
        EXPECT_EQ(tickedCodes(w), step.ticked);
        EXPECT_EQ(storedCodes(QStringLiteral("ann")), step.ticked);
        perform(ListGesture::ClickWhereNoRowIs, w.TreeView2);
        EXPECT_FALSE(w.TreeView2->selectedItems().isEmpty());
    }
}

TEST_F(UserTest, AFailingSaveRollsBackAndShowsTheError)
{
    smallMenuTree();
    onlyUsers({});
    addUser(QStringLiteral("ann"), QStringLiteral("a"), {QStringLiteral("101")});
    setRoleMaxId(50);
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    sql(QStringLiteral("CREATE TRIGGER no_301 BEFORE INSERT ON level_info WHEN NEW.menu_code = '301'"
                       " BEGIN SELECT RAISE(ABORT, 'permission table locked'); END"));
    tick(w, QStringLiteral("F301"), true);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("permission table locked")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    // The old row is still there with its id, the counter unchanged, and the
    // tree shows what is stored.
    EXPECT_EQ(value(QStringLiteral("SELECT group_concat(menu_code || ':' || id) FROM level_info WHERE usercode = 'ann'")).toString(),
              QStringLiteral("101:1"));
    EXPECT_EQ(roleMaxId(), QStringLiteral("50"));
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("101")});
}

TEST_F(UserTest, SystemEntriesAndTheRootLockThePermissionTree)
{
    smallMenuTree();
    onlyUsers({QStringLiteral("plain"), QStringLiteral("sysTem"), QStringLiteral("u2")});
    sql(QStringLiteral("UPDATE level_user SET username = 'MySystem' WHERE usercode = 'u2'"));
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    struct Case { const char* entry; bool enabled; };
    const Case cases[] = {{"[plain]plain", true}, {"[sysTem]sysTem", false}, {"[u2]MySystem", false}, {"员工列表", false}};
    for (const Case& c : cases) {
        const QString entry = QString::fromUtf8(c.entry);
        clickNode(w.TreeView1, entry == FrmQXSZ::RootText ? FrmQXSZ::RootKey : entry);
        EXPECT_EQ(w.TreeView2->isEnabled(), c.enabled) << c.entry;
    }
    // With the root selected a tick belongs to nobody: nothing is written.
    const int before = count(QStringLiteral("level_info"));
    tick(w, QStringLiteral("G100"), true);
    EXPECT_EQ(count(QStringLiteral("level_info")), before);
    EXPECT_TRUE(tickedCodes(w).isEmpty());

    // No user at all: only the root, the tree locked.
    Forms::unloadAll();
    processEvents();
    sql(QStringLiteral("DELETE FROM level_user"));
    FrmQXSZ& empty = Forms::get<FrmQXSZ>();
    EXPECT_EQ(empty.TreeView1->nodeCount(), 1);
    EXPECT_FALSE(empty.TreeView2->isEnabled());
}

TEST_F(UserTest, DeleteUserCases)
{
    smallMenuTree();
    onlyUsers({});
    addUser(QStringLiteral("SYSTEM"), QStringLiteral("s"), {QStringLiteral("101")});
    addUser(QStringLiteral("ann"), QStringLiteral("a"), {QStringLiteral("101"), QStringLiteral("301")});
    addUser(QStringLiteral("bob"), QStringLiteral("b"), {QStringLiteral("102")});
    FrmQXSZ& w = Forms::get<FrmQXSZ>();

    // Root selected.
    clickNode(w.TreeView1, FrmQXSZ::RootKey);
    w.Toolbar1->click(3);
    ASSERT_EQ(messages(), QStringList{QStringLiteral("请选择具体的用户再进行删除操作!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));

    // The system administrator in any letter case.
    for (const char* code : {"SYSTEM", "System", "system"}) {
        sql(QStringLiteral("UPDATE level_user SET usercode = ?, username = ? WHERE usercode = 'system'"),
            {QString::fromLatin1(code), QString::fromLatin1(code)});
        w.TreeView1Init();
        MessageSeam::clear();
        clickNode(w.TreeView1, u'[' + QString::fromLatin1(code) + u']' + QString::fromLatin1(code));
        w.Toolbar1->click(3);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此用户为系统管理员,不可以删除!")}) << code;
        EXPECT_EQ(count(QStringLiteral("level_user")), 3);
    }

    // Cancel keeps ann; OK deletes ann and her permission rows only.
    clickNode(w.TreeView1, QStringLiteral("[ann]ann"));
    MessageSeam::clear();
    MessageSeam::answer(Msg::Cancel);
    w.Toolbar1->click(3);
    ASSERT_EQ(messages(), QStringList{QStringLiteral("是否确认删除[ann]ann用户")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::OKCancel));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = 'ann'")), 1);

    MessageSeam::answer(Msg::OK);
    w.Toolbar1->click(3);
    EXPECT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = 'ann'")), 0);
    EXPECT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = 'ann'")), 0);
    EXPECT_EQ(storedCodes(QStringLiteral("bob")), QStringList{QStringLiteral("102")});
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("[ann]ann")), nullptr);
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("[system]system"));
}

TEST_F(UserTest, PickerListsEmployedStaffByPrefix)
{
    sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('101', '张三', '1'), ('102', '李四', '1'),"
                       " ('201', '张五', '1'), ('103', '王六', '0'), ('3%', '百分', '1'), ('31', '三一', '1')"));
    FrmXZYH& p = Forms::get<FrmXZYH>();
    EXPECT_EQ(p.windowTitle(), QStringLiteral("选择用户"));
    EXPECT_EQ(p.ListView1->columnCaption(0), QStringLiteral("编　　码"));
    EXPECT_EQ(p.ListView1->columnCaption(1), QStringLiteral("名　　称"));
    EXPECT_NEAR(p.ListView1->columnWidthTwips(0), 1500, 15);
    EXPECT_NEAR(p.ListView1->columnWidthTwips(1), 2000, 15);
    EXPECT_EQ(MaxLengthOf(p.Text1), 8);
    auto codes = [&] {
        QStringList out;
        for (int i = 0; i < p.ListView1->count(); ++i)
            out << p.ListView1->text(i);
        return out;
    };
    EXPECT_EQ(codes(), (QStringList{QStringLiteral("SYSTEM"), QStringLiteral("101"), QStringLiteral("102"),
                                    QStringLiteral("201"), QStringLiteral("3%"), QStringLiteral("31")}));
    struct Case { const char* search; QStringList codes; };
    const Case cases[] = {
        {"1", {QStringLiteral("101"), QStringLiteral("102")}},
        {"张", {QStringLiteral("101"), QStringLiteral("201")}},
        {"10", {QStringLiteral("101"), QStringLiteral("102")}},
        {"3%", {QStringLiteral("3%")}},
        {"x' or '1'='1", {}},
        {"'", {}},
    };
    for (const Case& c : cases) {
        p.Text1->setText(QString::fromUtf8(c.search));
        p.Command1->click();
        EXPECT_EQ(codes(), c.codes) << c.search;
    }
    EXPECT_TRUE(messages().isEmpty());
    // Choosing with nothing selected closes the picker without failing.
    p.Command2->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmXZYH>());
}

TEST_F(UserTest, AddUserThroughPickerAndLogInWithBlanks)
{
    sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('007', '邦德', '1')"));
    FrmQXSZ& w = Forms::get<FrmQXSZ>();

    struct Attempt { const char* pick; const char* pw; const char* confirm; const char* message; };
    const Attempt attempts[] = {
        {nullptr, "", "", "请选择一个用户代码!"},
        {"007", "   ", "   ", "请确认信息录入正确性"},
        {"007", "abc", "abd", "请确认信息录入正确性"},
        {"SYSTEM", "abc", "abc", "用户已存在，请重新选择"},
        {"007", " 5ecret ", "5ecret", nullptr},
    };
    for (const Attempt& a : attempts) {
        MessageSeam::clear();
        Forms::onModal(QStringLiteral("FrmXZYH"), [&](Form& f) {
            auto& picker = static_cast<FrmXZYH&>(f);
            for (int i = 0; i < picker.ListView1->count(); ++i)
                if (picker.ListView1->text(i) == QString::fromLatin1(a.pick))
                    picker.ListView1->select(i);
            QTest::keyClick(&picker, Qt::Key_Escape);   // Esc takes the selected row
        });
        Forms::onModal(QStringLiteral("FrmZJYH"), [&](Form& f) {
            auto& add = static_cast<FrmZJYH&>(f);
            EXPECT_FALSE(add.Text4->isEnabled());
            EXPECT_EQ(MaxLengthOf(add.Text2), 8);
            for (QLineEdit* e : {add.Text2, add.Text3})
                EXPECT_EQ(e->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, e), int(u'*'));
            if (a.pick)
                add.Command3->click();
            add.Text2->setText(QString::fromLatin1(a.pw));
            add.Text3->setText(QString::fromLatin1(a.confirm));
            add.Command1->click();
            EXPECT_EQ(Forms::isLoaded<FrmZJYH>(), a.message != nullptr);
        });
        w.Toolbar1->click(1);
        EXPECT_EQ(messages(), a.message ? QStringList{QString::fromUtf8(a.message)} : QStringList{}) << a.pw;
    }
    EXPECT_EQ(count(QStringLiteral("level_user")), 2);
    EXPECT_EQ(value(QStringLiteral("SELECT username || setfun FROM level_user WHERE usercode = '007'")).toString(),
              QStringLiteral("邦德000"));
    EXPECT_TRUE(PasswordHash::isHash(storedPassword(QStringLiteral("007"))));
    EXPECT_NE(w.TreeView1->node(QStringLiteral("[007]邦德")), nullptr);
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("[SYSTEM]系统管理员"));

    EXPECT_TRUE(tryLogin(QStringLiteral("007"), QStringLiteral("5ecret")));
    EXPECT_TRUE(tryLogin(QStringLiteral("007"), QStringLiteral("  5ecret   ")));
    EXPECT_FALSE(tryLogin(QStringLiteral("007"), QStringLiteral("5ECRET")));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("密码不正确")});
}

TEST_F(UserTest, ChangedPasswordWorksAndTheOldOneNoLonger)
{
    addUser(QStringLiteral("ann"), QStringLiteral("old1"), {});
    FrmQXSZ& w = Forms::get<FrmQXSZ>();

    // The root selected: nothing to change.
    clickNode(w.TreeView1, FrmQXSZ::RootKey);
    w.Toolbar1->click(2);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选择具体的员工,再进行修改操作!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_TRUE(Forms::modalShows().empty());

    clickNode(w.TreeView1, QStringLiteral("[ann]ann"));
    MessageSeam::clear();
    Forms::onModal(QStringLiteral("FrmXGYH"), [](Form& f) {
        auto& edit = static_cast<FrmXGYH&>(f);
        EXPECT_EQ(edit.Text4->text(), QStringLiteral("ann"));
        EXPECT_EQ(edit.Text1->text(), QStringLiteral("ann"));
        edit.Text2->setText(QStringLiteral("new2"));
        edit.Text3->setText(QStringLiteral("new3"));
        edit.Command1->click();   // not confirmed: nothing written
        edit.Text3->setText(QStringLiteral(" new2"));
        QTest::keyClick(&edit, Qt::Key_Return);   // the default button saves
    });
    w.Toolbar1->click(2);
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("请确认信息录入正确性"), QStringLiteral("密码更新成功，请注意保管好您的密码")}));
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
    EXPECT_FALSE(Forms::isLoaded<FrmXGYH>());
    EXPECT_TRUE(PasswordHash::isHash(storedPassword(QStringLiteral("ann"))));

    EXPECT_TRUE(tryLogin(QStringLiteral("ann"), QStringLiteral("new2")));
    EXPECT_FALSE(tryLogin(QStringLiteral("ann"), QStringLiteral("old1")));
}

TEST_F(UserTest, ClearTextPasswordIsAcceptedOnceAndRewrittenAsHash)
{
    // A row that still holds its clear text, as in an old database.
    sql(QStringLiteral("UPDATE level_user SET password = 'admin' WHERE usercode = 'SYSTEM'"));
    EXPECT_FALSE(tryLogin(QStringLiteral("SYSTEM"), QStringLiteral("Admin")));
    EXPECT_EQ(storedPassword(QStringLiteral("SYSTEM")), QStringLiteral("admin"));
    EXPECT_TRUE(tryLogin(QStringLiteral("SYSTEM"), QStringLiteral(" admin ")));
    const QString hash = storedPassword(QStringLiteral("SYSTEM"));
    EXPECT_TRUE(PasswordHash::isHash(hash));
    EXPECT_FALSE(hash.contains(QStringLiteral("admin")));
    EXPECT_TRUE(tryLogin(QStringLiteral("SYSTEM"), QStringLiteral("admin")));
    EXPECT_EQ(storedPassword(QStringLiteral("SYSTEM")), hash);   // a hash is not rewritten
    EXPECT_FALSE(tryLogin(QStringLiteral("SYSTEM"), QStringLiteral("admin2")));
}

TEST_F(UserTest, MainWindowOpensTheUserWindowAndItsDialogsLookRight)
{
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    Forms::clearModalShows();
    Forms::onModal(QStringLiteral("FrmQXSZ"), [this](Form& f) {
        auto& w = static_cast<FrmQXSZ&>(f);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("权限设置"));
        EXPECT_EQ(w.Label1->text(), QStringLiteral("操作员列表:"));
        EXPECT_EQ(w.Label2->text(), QStringLiteral("权限设置:"));
        EXPECT_FALSE(w.Toolbar1->buttonVisible(4));
        EXPECT_EQ(w.Toolbar1->caption(5), QStringLiteral("退出"));
        screenshot(&w, QStringLiteral("FrmQXSZ"));
        w.Toolbar1->click(5);
    });
    Forms::get<FrmMain>().CmdYGQX->click();
    EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("FrmQXSZ")});
    EXPECT_FALSE(Forms::isLoaded<FrmQXSZ>());

    sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('101', '张三', '1')"));
    FrmZJYH& add = Forms::get<FrmZJYH>();
    EXPECT_EQ(add.windowTitle(), QStringLiteral("增加用户"));
    add.Text2->setText(QStringLiteral("abc"));
    screenshot(&add, QStringLiteral("FrmZJYH"));
    screenshot(&Forms::get<FrmXZYH>(), QStringLiteral("FrmXZYH"));
}

TEST_F(UserTest, AUserWhoseCodeHoldsABracketIsActedOnByItsOwnCode)
{
    smallMenuTree();
    onlyUsers({});
    addUser(QStringLiteral("A"), QStringLiteral("pa"), {QStringLiteral("101")});
    addUser(QStringLiteral("A]1"), QStringLiteral("pb"), {QStringLiteral("301")});
    sql(QStringLiteral("UPDATE level_user SET username = 'alpha' WHERE usercode = 'A'"));
    sql(QStringLiteral("UPDATE level_user SET username = 'beta' WHERE usercode = 'A]1'"));
    const QString aPassword = storedPassword(QStringLiteral("A"));
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("101")});   // A, the first user

    // The entry shows as it always did; its ticks and saves are A]1's own.
    // (Leaving a user stores that user's ticks again: A keeps 101.)
    clickNode(w.TreeView1, QStringLiteral("[A]1]beta"));
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("[A]1]beta"));
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("301")});
    tick(w, QStringLiteral("F102"), true);
    EXPECT_EQ(storedCodes(QStringLiteral("A]1")), (QStringList{QStringLiteral("102"), QStringLiteral("301")}));
    clickNode(w.TreeView1, QStringLiteral("[A]alpha"));
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("101")});
    clickNode(w.TreeView1, QStringLiteral("[A]1]beta"));
    EXPECT_EQ(tickedCodes(w), (QStringList{QStringLiteral("102"), QStringLiteral("301")}));

    // The password dialog shows and rewrites A]1.
    Forms::onModal(QStringLiteral("FrmXGYH"), [](Form& f) {
        auto& edit = static_cast<FrmXGYH&>(f);
        EXPECT_EQ(edit.Text4->text(), QStringLiteral("A]1"));
        EXPECT_EQ(edit.Text1->text(), QStringLiteral("beta"));
        edit.Text2->setText(QStringLiteral("newb"));
        edit.Text3->setText(QStringLiteral("newb"));
        edit.Command1->click();
    });
    w.Toolbar1->click(2);
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("newb"), storedPassword(QStringLiteral("A]1"))));
    EXPECT_EQ(value(QStringLiteral("SELECT username FROM level_user WHERE usercode = 'A]1'")).toString(), QStringLiteral("beta"));

    // Deleting A]1, confirmed with its entry, leaves A and A's rows.
    clickNode(w.TreeView1, QStringLiteral("[A]1]beta"));
    MessageSeam::clear();
    w.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("是否确认删除[A]1]beta用户")});
    EXPECT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = 'A]1'")), 0);
    EXPECT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = 'A]1'")), 0);
    EXPECT_EQ(storedPassword(QStringLiteral("A")), aPassword);
    EXPECT_EQ(storedCodes(QStringLiteral("A")), QStringList{QStringLiteral("101")});
    EXPECT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = 'A'")), 1);
}

TEST_F(UserTest, ALegacyPasswordStoredWithBlanksLogsInAndIsRewrittenAsAHash)
{
    addUser(QStringLiteral("ann"), QStringLiteral(" 1234 "), {});
    EXPECT_TRUE(tryLogin(QStringLiteral("ann"), QStringLiteral("1234")));
    const QString stored = storedPassword(QStringLiteral("ann"));
    EXPECT_TRUE(PasswordHash::isHash(stored));
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("1234"), stored));
    EXPECT_TRUE(tryLogin(QStringLiteral("ann"), QStringLiteral(" 1234")));
    EXPECT_FALSE(tryLogin(QStringLiteral("ann"), QStringLiteral("12345")));
}

TEST_F(UserTest, APasswordOfEightCharactersWithAnEmojiIsStoredWholeAndLogsIn)
{
    sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('007', '邦德', '1')"));
    const QString password = QStringLiteral("abcdefg") + QString::fromUtf8("😀");   // 8 characters, 9 UTF-16 units
    Forms::onModal(QStringLiteral("FrmXZYH"), [](Form& f) {
        auto& picker = static_cast<FrmXZYH&>(f);
        picker.ListView1->select(1);
        picker.Command2->click();
    });
    Forms::onModal(QStringLiteral("FrmZJYH"), [&](Form& f) {
        auto& add = static_cast<FrmZJYH&>(f);
        add.Command3->click();
        add.Text2->setText(password + QStringLiteral("h"));   // one too many: the last is dropped
        add.Text3->insert(password);
        EXPECT_EQ(add.Text2->text(), password);
        EXPECT_EQ(add.Text3->text(), password);
        add.Command1->click();
    });
    Forms::get<FrmQXSZ>().Toolbar1->click(1);
    ASSERT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = '007'")), 1);
    EXPECT_TRUE(PasswordHash::verify(password, storedPassword(QStringLiteral("007"))));
    // The login box takes the same eight characters.
    EXPECT_EQ(MaxLengthOf(Forms::get<FrmXTDL>().Text2), MaxLengthOf(Forms::get<FrmZJYH>().Text2));
    EXPECT_TRUE(tryLogin(QStringLiteral("007"), password));
}

TEST_F(UserTest, AReAddedUserHasNoPermissionsUntilTheyAreGiven)
{
    // Rows left by an earlier user of the code (an older version kept them).
    sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('007', '邦德', '1')"));
    sql(QStringLiteral("INSERT INTO level_info (usercode, menu_code, parent_code, id) VALUES ('007', '606', '600', 900),"
                       " ('007', '101', '100', 901)"));
    Forms::onModal(QStringLiteral("FrmXZYH"), [](Form& f) {
        auto& picker = static_cast<FrmXZYH&>(f);
        picker.ListView1->select(1);
        picker.Command2->click();
    });
    Forms::onModal(QStringLiteral("FrmZJYH"), [](Form& f) {
        auto& add = static_cast<FrmZJYH&>(f);
        add.Command3->click();
        add.Text2->setText(QStringLiteral("pw"));
        add.Text3->setText(QStringLiteral("pw"));
        add.Command1->click();
    });
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    w.Toolbar1->click(1);
    ASSERT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = '007'")), 1);
    EXPECT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = '007'")), 0);
    clickNode(w.TreeView1, QStringLiteral("[007]邦德"));
    EXPECT_TRUE(tickedCodes(w).isEmpty());

    // Logged in, the user may use nothing.
    startAndLogIn(QStringLiteral("007"), QStringLiteral("pw"));
    FrmMain& main = Forms::get<FrmMain>();
    for (const auto& m : FrmMain::MenuButtons)
        EXPECT_FALSE(main.menuButton(QString::fromLatin1(m.menuCode))->isEnabled()) << m.button;
}

TEST_F(UserTest, APermissionSaveForAUserDeletedOnAnotherTillIsRefused)
{
    smallMenuTree();
    onlyUsers({});
    addUser(QStringLiteral("ann"), QStringLiteral("a"), {QStringLiteral("101")});
    addUser(QStringLiteral("bob"), QStringLiteral("b"), {QStringLiteral("301")});
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    ASSERT_EQ(w.m_CurrentUser, QStringLiteral("[ann]ann"));
    {
        OtherTill other(dbPath());
        other.exec(QStringLiteral("DELETE FROM level_user WHERE usercode = 'ann'"));
        other.exec(QStringLiteral("DELETE FROM level_info WHERE usercode = 'ann'"));
    }
    const QString counter = roleMaxId();
    tick(w, QStringLiteral("F102"), true);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Changed) + u'\n')) << qPrintable(messages()[0]);
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("ann")));
    EXPECT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = 'ann'")), 0);
    EXPECT_EQ(roleMaxId(), counter);
    // Clicking away does not store them either; bob keeps his own.
    clickNode(w.TreeView1, QStringLiteral("[bob]bob"));
    EXPECT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = 'ann'")), 0);
    EXPECT_EQ(storedCodes(QStringLiteral("bob")), QStringList{QStringLiteral("301")});
}

TEST_F(UserTest, PermissionsThatCouldNotBeReadWholeAreNeverSaved)
{
    addUser(QStringLiteral("ann"), QStringLiteral("a"), {QStringLiteral("101")});
    const auto snapshot = [&] {
        return value(QStringLiteral("SELECT group_concat(usercode || menu_code || ':' || id, ',') FROM "
                                    "(SELECT * FROM level_info ORDER BY rowid)")).toString();
    };
    const QString before = snapshot();
    ASSERT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = 'SYSTEM'")), 24);

    // SYSTEM's third permission row fails to read when the window opens.
    Db::injectReadFault(3, QStringLiteral("level_info"));
    FrmQXSZ& w = Forms::get<FrmQXSZ>();
    ASSERT_EQ(w.m_CurrentUser, QStringLiteral("[SYSTEM]系统管理员"));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Read) + u'\n'));
    EXPECT_TRUE(tickedCodes(w).isEmpty());
    EXPECT_FALSE(w.TreeView2->isEnabled());
    // Clicking another user would have stored SYSTEM's ticks shown: none are.
    clickNode(w.TreeView1, QStringLiteral("[ann]ann"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(tickedCodes(w), QStringList{QStringLiteral("101")});
    EXPECT_TRUE(w.TreeView2->isEnabled());

    // The permission tree itself read part-way: it stays empty and locked,
    // and nobody's permissions are rewritten from it.
    Forms::unloadAll();
    processEvents();
    MessageSeam::clear();
    Db::injectReadFault(5, QStringLiteral("sysmcwh"));
    FrmQXSZ& again = Forms::get<FrmQXSZ>();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(again.TreeView2->nodeCount(), 0);
    EXPECT_FALSE(again.TreeView2->isEnabled());
    clickNode(again.TreeView1, QStringLiteral("[ann]ann"));
    clickNode(again.TreeView1, QStringLiteral("[SYSTEM]系统管理员"));
    EXPECT_EQ(snapshot(), before);
}
