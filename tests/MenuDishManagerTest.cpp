// The dish manager: its tree and list, the toolbar rules, disabling,
// enabling and deleting dishes.
#include "menu/FrmTYCP.h"
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "tests/MenuFixture.h"

namespace {

const QDateTime Now(QDate(2026, 3, 10), QTime(19, 0, 0));

class DishManagerTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        Clock::fix(Now);
    }
    // The list fixture: rates 0.9, 0.875, 0.07 and 0, a Null price, a dish
    // never disabled, one re-enabled, one disabled with an empty reason, one
    // whose category is gone.
    void addListFixture()
    {
        addCategories();
        DishRow a{QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101"), 34.2, 0.9};
        a.basePrice = 38;
        a.memo = QStringLiteral("微辣 ");
        addDish(a);
        DishRow b{QStringLiteral("2"), QStringLiteral("白切鸡"), QStringLiteral("102"), 35, 0.875, QStringLiteral("1"),
                  QStringLiteral("")};
        b.basePrice = 40;
        b.marketPrice = QStringLiteral("1");
        b.unit = QStringLiteral("只");
        addDish(b);
        DishRow c{QStringLiteral("10"), QStringLiteral("可乐"), QStringLiteral("201"), QVariant(), 0.07,
                  QStringLiteral("0"), QStringLiteral("")};
        c.basePrice = 3;
        c.marketPrice = QVariant();
        addDish(c);
        DishRow d{QStringLiteral("3"), QStringLiteral("孤菜"), QStringLiteral("999"), 12.5, 0, QStringLiteral(" 1"),
                  QStringLiteral("缺货 ")};
        d.basePrice = 12.5;
        addDish(d);
    }
    void expectMessage(const QString& text, int icon, const QString& title)
    {
        ASSERT_FALSE(messages().isEmpty());
        EXPECT_EQ(messages().last(), text);
        EXPECT_EQ(lastMessage().icon, icon);
        EXPECT_EQ(lastMessage().title, title);
    }
    void expectButtons(bool disable, bool enable)
    {
        EXPECT_EQ(manager().Toolbar1->buttonEnabled(FrmCPGL::BtnDisable), disable);
        EXPECT_EQ(manager().Toolbar1->buttonEnabled(FrmCPGL::BtnEnable), enable);
    }
    int rowOf(const QString& code)
    {
        return manager().ListView1->findKey(code);
    }
};

} // namespace

TEST_F(DishManagerTest, OpensFromTheMainWindowWithItsColumnsAndToolbar)
{
    addListFixture();
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool seen = false;
    onDialog<FrmCPGL>([&](FrmCPGL& w) {
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("菜品管理"));
        EXPECT_EQ(Twips::height(w.TreeView1), 7440);
        EXPECT_EQ(Twips::height(w.ListView1), 7440);
        const struct { const char* caption; int width; Qt::Alignment align; } columns[] = {
            {"编码", 700, Qt::AlignLeft},     {"名称", 1200, Qt::AlignLeft},    {"单位", 600, Qt::AlignLeft},
            {"基本价位", 900, Qt::AlignRight}, {"打折率", 800, Qt::AlignRight},  {"售价", 800, Qt::AlignRight},
            {"是否时价", 0, Qt::AlignLeft},    {"是否停用", 900, Qt::AlignLeft}, {"类别", 900, Qt::AlignLeft},
            {"停用原因", 1500, Qt::AlignLeft}, {"备注", 1500, Qt::AlignLeft},
        };
        ASSERT_EQ(w.ListView1->columnCount(), 11);
        for (int c = 0; c < 11; ++c) {
            EXPECT_EQ(w.ListView1->columnCaption(c), QString::fromUtf8(columns[c].caption));
            EXPECT_NEAR(w.ListView1->columnWidthTwips(c), columns[c].width, 15) << c;
            EXPECT_EQ(w.ListView1->model()->item(0, c)->textAlignment() & Qt::AlignHorizontal_Mask, columns[c].align) << c;
        }
        EXPECT_EQ(w.ListView1->view(), ListView::Report);
        const QStringList captions{"类别", "新增", "修改", "删除", "停用", "启用", "构成", "打印", "帮助", "退出"};
        ASSERT_EQ(w.Toolbar1->buttonCount(), 10);
        for (int b = 1; b <= 10; ++b) {
            EXPECT_EQ(w.Toolbar1->caption(b), captions[b - 1]);
            EXPECT_EQ(w.Toolbar1->buttonVisible(b), b != 7 && b != 9) << b;
        }
        // The disable dialog opens beside the main window.
        onDialog<FrmTYCP>([&](FrmTYCP& d) {
            const FrmMain& main = Forms::get<FrmMain>();
            EXPECT_EQ(Twips::left(&d), Twips::left(&main) + 1650);
            EXPECT_EQ(Twips::top(&d), Twips::top(&main) + 345);   // 350 twips, to the whole pixel
        });
        w.Toolbar1->click(FrmCPGL::BtnDisable);
        w.Toolbar1->click(FrmCPGL::BtnExit);
        EXPECT_FALSE(Forms::isLoaded<FrmCPGL>());
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdXTSZ->click();
    main.CmdCDGL->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{QStringLiteral("FrmCPGL"), QStringLiteral("FrmTYCP")}));
}

TEST_F(DishManagerTest, ListShowsEveryColumnFormatted)
{
    addListFixture();
    FrmCPGL& m = manager();
    EXPECT_EQ(m.TreeView1->selectedKey(), QStringLiteral("G"));
    // Codes in text order: "10" before "2".
    EXPECT_EQ(column(m.ListView1, 0), (QStringList{"1", "10", "2", "3"}));
    const QStringList rows[] = {
        {"1", "宫保鸡丁", "份", "38.00", " 90%", "34.20", "否", "否", "川菜", "   ", "微辣"},
        {"10", "可乐", "份", "3.00", " 7%", "", "否", "否", "饮料", "", ""},
        {"2", "白切鸡", "只", "40.00", " 87.5%", "35.00", "是", "是", "粤菜", "", ""},
        {"3", "孤菜", "份", "12.50", " 0%", "12.50", "否", "是", "", "缺货", ""},
    };
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 11; ++c)
            EXPECT_EQ(c == 0 ? m.ListView1->text(r) : m.ListView1->subItem(r, c), rows[r][c]) << r << "," << c;
    EXPECT_EQ(m.ListView1->key(1), QStringLiteral("10"));
    EXPECT_EQ(m.ListView1->selectedRow(), 0);
    screenshot(&m, QStringLiteral("menu-dish-manager"));
}

TEST_F(DishManagerTest, TreeNodesListTheirDishes)
{
    addListFixture();
    DishRow e{QStringLiteral("5"), QStringLiteral("叉烧"), QStringLiteral("102")};
    addDish(e);
    FrmCPGL& m = manager();
    const QTreeWidgetItem* root = m.TreeView1->node(QStringLiteral("G"));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("菜品分类"));
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("热菜"));
    EXPECT_EQ(m.TreeView1->node(QStringLiteral("C102"))->parent(), root->child(0));
    EXPECT_TRUE(root->child(0)->isExpanded());

    const struct { const char* key; QStringList codes; } cases[] = {
        {"F1", {"1", "2", "5"}},   // a top category: every dish of its sub-categories
        {"C102", {"2", "5"}},      // a sub-category: its own
        {"F2", {"10"}},
        {"G", {"1", "10", "2", "3", "5"}},
    };
    for (const auto& c : cases) {
        clickNode(m.TreeView1, QString::fromUtf8(c.key));
        EXPECT_EQ(column(m.ListView1, 0), c.codes) << c.key;
    }
    // Nodes are found by their codes, not their names: two categories of one name.
    sql(QStringLiteral("UPDATE cpclass SET cname = '川菜' WHERE code = '201'"));
    m.TreeViewInit();
    clickNode(m.TreeView1, QStringLiteral("C201"));
    EXPECT_EQ(column(m.ListView1, 0), QStringList{"10"});
    clickNode(m.TreeView1, QStringLiteral("C101"));
    EXPECT_EQ(column(m.ListView1, 0), QStringList{"1"});
}

TEST_F(DishManagerTest, EmptyMenuShowsTheRootAloneAndRefusesDishActions)
{
    FrmCPGL& m = manager();
    EXPECT_EQ(m.TreeView1->nodeCount(), 1);
    EXPECT_EQ(m.TreeView1->selectedText(), QStringLiteral("菜品分类"));
    EXPECT_EQ(m.ListView1->count(), 0);
    for (int b : {3, 4, 5, 6})
        EXPECT_FALSE(m.Toolbar1->buttonEnabled(b)) << b;
    const struct { int button; const char* text; int icon; } cases[] = {
        {FrmCPGL::BtnEdit, "您还没有选择要修改的菜品啊！", Msg::Information},
        {FrmCPGL::BtnDelete, "您还没有选择要删除的菜品啊！", Msg::Information},
        {FrmCPGL::BtnDisable, "没有选择任何菜品!", Msg::NoIcon},
        {FrmCPGL::BtnEnable, "没有选择任何菜品!", Msg::NoIcon},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        m.Toolbar1_ButtonClick(c.button);
        expectMessage(QString::fromUtf8(c.text), c.icon, QString());
    }
    EXPECT_TRUE(Forms::modalShows().empty());
}

// 停用 and 启用 describe the highlighted dish however the user moved to it:
// a click, the arrow keys, Home/End, Page Up/Down, a drag across the rows.
TEST_F(DishManagerTest, ButtonsFiveAndSixFollowTheSelectedDishHoweverItMoved)
{
    addListFixture();   // in list order: 1 and 10 active, 2 and 3 disabled
    FrmCPGL& m = manager();
    expectButtons(true, false);   // the first row is active
    QAbstractItemView* view = m.ListView1->reportView();
    const auto key = [view](Qt::Key k) { return [view, k] { QTest::keyClick(view, k); }; };
    const auto click = [&](const char* code) {
        return [&m, this, code] { clickRow(m.ListView1, rowOf(QString::fromLatin1(code))); };
    };
    const auto drag = [&](const char* from, const char* to) {
        return [&m, this, from, to] { dragRow(m.ListView1, rowOf(QString::fromLatin1(from)), rowOf(QString::fromLatin1(to))); };
    };
    const struct { const char* move; std::function<void()> act; const char* code; } steps[] = {
        {"click on 2", click("2"), "2"},
        {"click on 10", click("10"), "10"},
        {"Down", key(Qt::Key_Down), "2"},
        {"Up", key(Qt::Key_Up), "10"},
        {"End", key(Qt::Key_End), "3"},
        {"Home", key(Qt::Key_Home), "1"},
        {"Page Down", key(Qt::Key_PageDown), "3"},
        {"Page Up", key(Qt::Key_PageUp), "1"},
        {"drag from 1 to 2", drag("1", "2"), "2"},
        {"drag from 3 to 10", drag("3", "10"), "10"},
        {"Down, Down", [&] { key(Qt::Key_Down)(); key(Qt::Key_Down)(); }, "3"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.move);
        step.act();
        EXPECT_EQ(m.selectedDishCode(), QString::fromLatin1(step.code));
        const bool disabled = QStringList{"2", "3"}.contains(QString::fromLatin1(step.code));
        expectButtons(!disabled, disabled);
    }

    // On 3, disabled and reached by the keys, 停用 opens nothing and 启用 enables it.
    Forms::scriptModals();
    m.Toolbar1->click(FrmCPGL::BtnDisable);
    EXPECT_TRUE(Forms::modalShows().empty());
    EXPECT_EQ(dishField(QStringLiteral("3"), QStringLiteral("ty_reason")), QStringLiteral("缺货 "));
    m.Toolbar1->click(FrmCPGL::BtnEnable);
    expectMessage(QStringLiteral("启用成功!"), Msg::Information, QStringLiteral("提示"));
    EXPECT_EQ(dishField(QStringLiteral("3"), QStringLiteral("cp_status")), QStringLiteral("0"));
}

TEST_F(DishManagerTest, DisableWritesStatusDayAndTheReasonAsTyped)
{
    addListFixture();
    FrmCPGL& m = manager();
    clickRow(m.ListView1, rowOf(QStringLiteral("10")));
    // Cancel changes nothing.
    onDialog<FrmTYCP>([&](FrmTYCP& d) {
        typeKeys(d.Text1, QStringLiteral("x"));
        d.Command2->click();
    });
    m.Toolbar1->click(FrmCPGL::BtnDisable);
    EXPECT_EQ(dishField(QStringLiteral("10"), QStringLiteral("cp_status")), QStringLiteral("0"));
    EXPECT_TRUE(messages().isEmpty());

    onDialog<FrmTYCP>([&](FrmTYCP& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("停用菜品"));
        EXPECT_EQ(d.Frame1->title(), QStringLiteral("停用原因"));
        EXPECT_EQ(d.Command1->text(), QStringLiteral("确定(&O)"));
        EXPECT_EQ(d.Command2->text(), QStringLiteral("取消(&C)"));
        EXPECT_EQ(d.defaultButton, d.Command1);
        EXPECT_EQ(d.cancelButton, d.Command2);
        screenshot(&d, QStringLiteral("menu-disable-dish"));
        typeKeys(d.Text1, QStringLiteral("  缺货 "));
        QTest::keyClick(d.Text1, Qt::Key_Return);   // Enter is the OK
        EXPECT_FALSE(Forms::isLoaded<FrmTYCP>());
    });
    m.Toolbar1->click(FrmCPGL::BtnDisable);
    EXPECT_EQ(dishField(QStringLiteral("10"), QStringLiteral("cp_status")), QStringLiteral("1"));
    EXPECT_EQ(dishField(QStringLiteral("10"), QStringLiteral("ty_date")), QStringLiteral("2026-03-10 00:00:00"));
    EXPECT_EQ(dishField(QStringLiteral("10"), QStringLiteral("ty_reason")), QStringLiteral("  缺货 "));
    expectMessage(QStringLiteral("停用成功!"), Msg::Information, QStringLiteral("提示"));
    const int row = rowOf(QStringLiteral("10"));
    EXPECT_EQ(m.ListView1->subItem(row, FrmCPGL::ColDisabled), QStringLiteral("是"));
    EXPECT_EQ(m.ListView1->subItem(row, FrmCPGL::ColReason), QStringLiteral("缺货"));
    EXPECT_EQ(m.ListView1->selectedRow(), 0);
    // An empty reason is written empty.
    clickRow(m.ListView1, 0);
    onDialog<FrmTYCP>([&](FrmTYCP& d) { d.Command1->click(); });
    m.Toolbar1->click(FrmCPGL::BtnDisable);
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("ty_reason")), QString());
    EXPECT_EQ(m.ListView1->subItem(0, FrmCPGL::ColReason), QString());
}

TEST_F(DishManagerTest, EnableWritesTheColumnsAndTheButtonsFollowTheFirstRow)
{
    addListFixture();
    sql(QStringLiteral("UPDATE cpdetail SET cp_status = '1' WHERE code = '1'"));   // the first row disabled too
    FrmCPGL& m = manager();
    clickRow(m.ListView1, rowOf(QStringLiteral("3")));
    expectButtons(false, true);
    m.Toolbar1->click(FrmCPGL::BtnEnable);
    EXPECT_EQ(dishField(QStringLiteral("3"), QStringLiteral("cp_status")), QStringLiteral("0"));
    EXPECT_EQ(dishField(QStringLiteral("3"), QStringLiteral("ty_date")), QStringLiteral("2026-03-10 00:00:00"));
    EXPECT_EQ(dishField(QStringLiteral("3"), QStringLiteral("ty_reason")), QString());
    expectMessage(QStringLiteral("启用成功!"), Msg::Information, QStringLiteral("提示"));
    EXPECT_EQ(m.ListView1->selectedRow(), 0);
    // The reload selects the first row, disabled too: 启用 stays on for it,
    // and 停用 cannot overwrite its reason.
    EXPECT_EQ(m.ListView1->subItem(0, FrmCPGL::ColDisabled), QStringLiteral("是"));
    expectButtons(false, true);
    EXPECT_EQ(m.ListView1->subItem(rowOf(QStringLiteral("3")), FrmCPGL::ColReason), QString());
}

// Another till disabled, enabled or deleted the dish after this list was
// read: the command changes nothing, says why, and the list shows the dish
// as it is now.
TEST_F(DishManagerTest, ADishChangedAtAnotherTillIsNotWrittenAgain)
{
    addListFixture();
    FrmCPGL& m = manager();
    // 10 is shown active; another till disables it.
    clickRow(m.ListView1, rowOf(QStringLiteral("10")));
    sql(QStringLiteral("UPDATE cpdetail SET cp_status = '1', ty_reason = 'testA', ty_date = '2026-03-09 00:00:00' "
                       "WHERE code = '10'"));
    onDialog<FrmTYCP>([&](FrmTYCP& d) {
        typeKeys(d.Text1, QStringLiteral("testB"));
        d.Command1->click();
    });
    m.Toolbar1->click(FrmCPGL::BtnDisable);
    expectMessage(QStringLiteral("此菜品已停用!"), Msg::Exclamation, QStringLiteral("提示"));
    EXPECT_EQ(dishField(QStringLiteral("10"), QStringLiteral("ty_reason")), QStringLiteral("testA"));
    EXPECT_EQ(dishField(QStringLiteral("10"), QStringLiteral("ty_date")), QStringLiteral("2026-03-09 00:00:00"));
    EXPECT_EQ(m.ListView1->subItem(rowOf(QStringLiteral("10")), FrmCPGL::ColReason), QStringLiteral("testA"));

    // 2 is shown disabled; another till enables it.
    clickRow(m.ListView1, rowOf(QStringLiteral("2")));
    expectButtons(false, true);
    sql(QStringLiteral("UPDATE cpdetail SET cp_status = '0', ty_date = '2026-03-09 00:00:00' WHERE code = '2'"));
    m.Toolbar1->click(FrmCPGL::BtnEnable);
    expectMessage(QStringLiteral("此菜品已启用!"), Msg::Exclamation, QStringLiteral("提示"));
    EXPECT_EQ(dishField(QStringLiteral("2"), QStringLiteral("ty_date")), QStringLiteral("2026-03-09 00:00:00"));
    EXPECT_EQ(m.ListView1->subItem(rowOf(QStringLiteral("2")), FrmCPGL::ColDisabled), QStringLiteral("否"));

    // 3 is shown disabled; another till deletes it.
    clickRow(m.ListView1, rowOf(QStringLiteral("3")));
    sql(QStringLiteral("DELETE FROM cpdetail WHERE code = '3'"));
    m.Toolbar1->click(FrmCPGL::BtnEnable);
    expectMessage(QStringLiteral("此菜品已被删除!"), Msg::Exclamation, QStringLiteral("提示"));
    EXPECT_EQ(rowOf(QStringLiteral("3")), -1);
}

TEST_F(DishManagerTest, DeleteRefusesOrderedDishesAndAsksFirst)
{
    addListFixture();
    addOrderLine(QStringLiteral("2"), QStringLiteral("1"));   // only a return line
    FrmCPGL& m = manager();
    clickRow(m.ListView1, rowOf(QStringLiteral("2")));
    m.Toolbar1->click(FrmCPGL::BtnDelete);
    ASSERT_EQ(messages(), QStringList{QStringLiteral("此菜品已有销售记录,不可删除!")});
    expectMessage(QStringLiteral("此菜品已有销售记录,不可删除!"), Msg::Information, QStringLiteral("信息提示"));
    EXPECT_EQ(count(QStringLiteral("cpdetail")), 4);

    // Cancel deletes nothing and still reloads the list.
    MessageSeam::clear();
    clickRow(m.ListView1, rowOf(QStringLiteral("10")));
    addDish({QStringLiteral("7"), QStringLiteral("新菜"), QStringLiteral("201")});
    MessageSeam::answer(Msg::Cancel);
    m.Toolbar1->click(FrmCPGL::BtnDelete);
    ASSERT_EQ(messages(), QStringList{QStringLiteral("是否删除[可乐]")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::OKCancel));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(count(QStringLiteral("cpdetail")), 5);
    EXPECT_EQ(column(m.ListView1, 0), (QStringList{"1", "10", "2", "3", "7"}));

    // OK deletes.
    clickRow(m.ListView1, rowOf(QStringLiteral("10")));
    m.Toolbar1->click(FrmCPGL::BtnDelete);
    EXPECT_EQ(count(QStringLiteral("cpdetail"), QStringLiteral("WHERE code = '10'")), 0);
    EXPECT_EQ(column(m.ListView1, 0), (QStringList{"1", "2", "3", "7"}));
}
