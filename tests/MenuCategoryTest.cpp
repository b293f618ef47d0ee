// Category settings: the tree, adding with the code rule, renaming, deleting
// with its refusals, and the dish manager's tree kept in step.
#include "menu/CategoryDialogs.h"
#include "menu/FrmLBSZ.h"
#include "platform/KeyFilters.h"
#include "tests/MenuFixture.h"

namespace {

class CategoryTest : public MenuTest {
protected:
    // The category window, loaded over the dish manager as from its button 1.
    FrmLBSZ& window()
    {
        manager();
        return Forms::get<FrmLBSZ>();
    }
    // Adds a category through the add dialog as a user: picks the parent entry
    // (empty: keeps the root entry), types the name and saves. Returns whether
    // the dialog closed.
    bool addThroughDialog(const QString& parentEntry, const QString& name)
    {
        bool closed = false;
        onDialog<FrmCDLBADD>([&](FrmCDLBADD& d) {
            if (!parentEntry.isEmpty()) {
                const int i = d.Combo1->findText(parentEntry);
                ASSERT_GE(i, 0) << qPrintable(parentEntry);
                d.Combo1->setCurrentIndex(i);
            }
            typeKeys(d.Text1, name);
            d.Command1->click();
            closed = !Forms::isLoaded<FrmCDLBADD>();
        });
        window().Toolbar1->click(FrmLBSZ::BtnAdd);
        return closed;
    }
    bool renameThroughDialog(const QString& key, const QString& name)
    {
        clickNode(window().TreeView1, key);
        bool closed = false;
        onDialog<FrmCDLBEDIT>([&](FrmCDLBEDIT& d) {
            d.Text1->clear();
            typeKeys(d.Text1, name);
            d.Command1->click();
            closed = !Forms::isLoaded<FrmCDLBEDIT>();
        });
        window().Toolbar1->click(FrmLBSZ::BtnEdit);
        return closed;
    }
    QStringList childTexts(TreeView* tree, const QString& key)
    {
        QStringList out;
        const QTreeWidgetItem* node = tree->node(key);
        for (int i = 0; node && i < node->childCount(); ++i)
            out << node->child(i)->text(0);
        return out;
    }
};

} // namespace

TEST_F(CategoryTest, OpensFromTheDishManagerWithTheTreeOfCategories)
{
    addCategory(QStringLiteral("2"), QStringLiteral("酒水"), QStringLiteral("0"));
    addCategory(QStringLiteral("201"), QStringLiteral("饮料"), QStringLiteral("2"));
    addCategory(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
    addCategory(QStringLiteral("101"), QStringLiteral("川菜"), QStringLiteral("1"));
    // Odd data never stops the window: a sub-category without its top category.
    addCategory(QStringLiteral("901"), QStringLiteral("孤儿"), QStringLiteral("9"));
    // nor a code met twice once blanks are dropped.
    addCategory(QStringLiteral("101 "), QStringLiteral("重复"), QStringLiteral("1"));
    bool seen = false;
    onDialog<FrmLBSZ>([&](FrmLBSZ& w) {
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("类别设置"));
        const QStringList captions{"新增", "修改", "删除", "退出"};
        ASSERT_EQ(w.Toolbar1->buttonCount(), 4);
        for (int b = 1; b <= 4; ++b)
            EXPECT_EQ(w.Toolbar1->caption(b), captions[b - 1]);
        EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("G"));
        EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("菜品分类"));
        EXPECT_EQ(childTexts(w.TreeView1, QStringLiteral("G")),
                  (QStringList{"[1]热菜", "[2]酒水", "[901]孤儿"}));
        EXPECT_EQ(childTexts(w.TreeView1, QStringLiteral("F1")).size(), 1);
        EXPECT_EQ(childTexts(w.TreeView1, QStringLiteral("F2")), QStringList{"[201]饮料"});
        EXPECT_TRUE(w.TreeView1->node(QStringLiteral("F2"))->isExpanded());
        screenshot(&w, QStringLiteral("menu-categories"));
        w.Toolbar1->click(FrmLBSZ::BtnExit);
        EXPECT_FALSE(Forms::isLoaded<FrmLBSZ>());
    });
    manager().Toolbar1->click(FrmCPGL::BtnCategories);
    EXPECT_TRUE(seen);
    EXPECT_EQ(childTexts(manager().TreeView1, QStringLiteral("G")), (QStringList{"热菜", "酒水", "孤儿"}));
}

TEST_F(CategoryTest, EmptyTableShowsTheRootAndTheFirstCategoryIsOne)
{
    FrmLBSZ& w = window();
    EXPECT_EQ(w.TreeView1->nodeCount(), 1);
    bool looked = false;
    onDialog<FrmCDLBADD>([&](FrmCDLBADD& d) {
        looked = true;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("菜单类别添加"));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("属    于:"));
        EXPECT_EQ(d.Label2->text(), QStringLiteral("类别名称:"));
        EXPECT_EQ(d.Command1->text(), QStringLiteral("保存(&S)"));
        EXPECT_EQ(d.Command2->text(), QStringLiteral("取消(&C)"));
        EXPECT_EQ(d.defaultButton, d.Command1);
        EXPECT_EQ(d.cancelButton, d.Command2);
        EXPECT_EQ(MaxLengthOf(d.Text1), 5);
        EXPECT_EQ(d.focusWidget(), d.Text1);
        EXPECT_EQ(nextTabStop(d.Text1), d.Command1);
        EXPECT_EQ(nextTabStop(d.Command2), d.Combo1);
        EXPECT_EQ(nextTabStop(d.Combo1), d.Text1);
        EXPECT_EQ(d.Combo1->count(), 1);
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("菜品分类"));
        EXPECT_FALSE(d.Combo1->isEditable());
        screenshot(&d, QStringLiteral("menu-category-add"));
        d.Combo1->setCurrentIndex(-1);
        d.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("请选择属于的类别!")});
        MessageSeam::clear();
        d.Combo1->setCurrentIndex(0);
        // Blanks alone are no name; blanks around one are dropped.
        typeKeys(d.Text1, QStringLiteral("   "));
        d.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("请输入类别名称!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_TRUE(Forms::isLoaded<FrmCDLBADD>());
        d.Text1->clear();
        typeKeys(d.Text1, QStringLiteral(" 热菜 "));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmCDLBADD>());
    });
    w.Toolbar1->click(FrmLBSZ::BtnAdd);
    EXPECT_TRUE(looked);
    EXPECT_EQ(categories(), QStringList{"1/热菜/0"});
    EXPECT_EQ(messages().last(), QStringLiteral("保存成功!"));
    EXPECT_EQ(childTexts(w.TreeView1, QStringLiteral("G")), QStringList{"[1]热菜"});
    EXPECT_EQ(childTexts(manager().TreeView1, QStringLiteral("G")), QStringList{"热菜"});
}

TEST_F(CategoryTest, SubCategoryCodesCountOnFromTheHighest)
{
    addCategory(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(addThroughDialog(QStringLiteral("[1]热菜"), QStringLiteral("子") + QString::number(i)));
    QStringList expected{"1/热菜/0"};
    for (int i = 1; i <= 10; ++i)
        expected << QStringLiteral("1%1/子%2/1").arg(i, 2, 10, QLatin1Char('0')).arg(i);
    expected.sort();
    EXPECT_EQ(categories(), expected);
    EXPECT_EQ(childTexts(window().TreeView1, QStringLiteral("F1")).size(), 10);
    EXPECT_EQ(window().TreeView1->selectedKey(), QStringLiteral("C110"));

    // After the 99th comes the hundredth, one digit longer; "110" then lists
    // only its own dishes.
    addCategory(QStringLiteral("199"), QStringLiteral("九九"), QStringLiteral("1"));
    ASSERT_TRUE(addThroughDialog(QStringLiteral("[1]热菜"), QStringLiteral("一百")));
    EXPECT_EQ(value(QStringLiteral("SELECT parentcode FROM cpclass WHERE code = '1100'")).toString(), QStringLiteral("1"));
    EXPECT_EQ(value(QStringLiteral("SELECT cname FROM cpclass WHERE code = '1100'")).toString(), QStringLiteral("一百"));
    addDish({QStringLiteral("1"), QStringLiteral("十号菜"), QStringLiteral("110")});
    addDish({QStringLiteral("2"), QStringLiteral("百号菜"), QStringLiteral("1100")});
    FrmCPGL& m = manager();
    m.TreeViewInit();
    clickNode(m.TreeView1, QStringLiteral("C110"));
    EXPECT_EQ(column(m.ListView1, 1), QStringList{"十号菜"});
    clickNode(m.TreeView1, QStringLiteral("C1100"));
    EXPECT_EQ(column(m.ListView1, 1), QStringList{"百号菜"});
    clickNode(m.TreeView1, QStringLiteral("F1"));
    EXPECT_EQ(column(m.ListView1, 1), (QStringList{"十号菜", "百号菜"}));
}

TEST_F(CategoryTest, ParentIsTheChosenEntrysCodeNotItsPosition)
{
    // Top rows stored out of code order, and a gap in the codes.
    addCategory(QStringLiteral("3"), QStringLiteral("主食"), QStringLiteral("0"));
    addCategory(QStringLiteral("2"), QStringLiteral("凉菜"), QStringLiteral("0"));
    onDialog<FrmCDLBADD>([&](FrmCDLBADD& d) {
        EXPECT_EQ(d.Combo1->count(), 3);
        EXPECT_EQ(d.Combo1->itemText(1), QStringLiteral("[2]凉菜"));
        EXPECT_EQ(d.Combo1->itemText(2), QStringLiteral("[3]主食"));
    });
    window().Toolbar1->click(FrmLBSZ::BtnAdd);
    ASSERT_TRUE(addThroughDialog(QStringLiteral("[2]凉菜"), QStringLiteral("凉拌")));
    ASSERT_TRUE(addThroughDialog(QStringLiteral("[3]主食"), QStringLiteral("面食")));
    // The root entry makes a top category whatever node is selected.
    clickNode(window().TreeView1, QStringLiteral("C201"));
    ASSERT_TRUE(addThroughDialog({}, QStringLiteral("热菜")));
    EXPECT_EQ(categories(), (QStringList{"1/热菜/0", "2/凉菜/0", "201/凉拌/2", "3/主食/0", "301/面食/3"}));
}

TEST_F(CategoryTest, CodesNeverRepeatAfterADeletionAndATenthTopIsRefused)
{
    addCategory(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
    addCategory(QStringLiteral("101"), QStringLiteral("川菜"), QStringLiteral("1"));
    addCategory(QStringLiteral("102"), QStringLiteral("粤菜"), QStringLiteral("1"));
    addCategory(QStringLiteral("103"), QStringLiteral("湘菜"), QStringLiteral("1"));
    addCategory(QStringLiteral("2"), QStringLiteral("凉菜"), QStringLiteral("0"));
    addCategory(QStringLiteral("3"), QStringLiteral("主食"), QStringLiteral("0"));
    FrmLBSZ& w = window();
    // A middle sub-category and a middle top category go.
    for (const QString key : {QStringLiteral("C102"), QStringLiteral("F2")}) {
        clickNode(w.TreeView1, key);
        MessageSeam::answer(Msg::Yes);
        w.Toolbar1->click(FrmLBSZ::BtnDelete);
    }
    ASSERT_TRUE(addThroughDialog(QStringLiteral("[1]热菜"), QStringLiteral("鲁菜")));
    ASSERT_TRUE(addThroughDialog({}, QStringLiteral("饮品")));
    EXPECT_EQ(categories(), (QStringList{"1/热菜/0", "101/川菜/1", "103/湘菜/1", "104/鲁菜/1", "2/饮品/0", "3/主食/0"}));
    // The newest sub-category of a parent deleted and added again: its code again.
    clickNode(w.TreeView1, QStringLiteral("C104"));
    MessageSeam::answer(Msg::Yes);
    w.Toolbar1->click(FrmLBSZ::BtnDelete);
    ASSERT_TRUE(addThroughDialog(QStringLiteral("[1]热菜"), QStringLiteral("徽菜")));
    EXPECT_EQ(value(QStringLiteral("SELECT cname FROM cpclass WHERE code = '104'")).toString(), QStringLiteral("徽菜"));

    // Nine top categories are all there can be.
    for (int d = 4; d <= 9; ++d)
        addCategory(QString::number(d), QStringLiteral("类") + QString::number(d), QStringLiteral("0"));
    const QStringList before = categories();
    MessageSeam::clear();
    EXPECT_FALSE(addThroughDialog({}, QStringLiteral("第十")));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("一级类别最多9个,不能再添加!")});
    EXPECT_EQ(categories(), before);
}

TEST_F(CategoryTest, NamesInUseAreRefusedAtBothLevelsAndNothingIsWritten)
{
    addCategories();
    addCategory(QStringLiteral("3"), QStringLiteral("Soda"), QStringLiteral("0"));
    const QStringList before = categories();
    const struct { const char* parent; const char* name; } cases[] = {
        {"", "川菜"},           // a sub-category's name at top level
        {"[2]酒水", "热菜"},    // a top category's name as a sub-category
        {"[1]热菜", "饮料"},    // a sub-category's name under another parent
        {"", "soda"},           // letter case does not matter
        {"[1]热菜", " 粤菜 "},  // nor blanks around the name
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        EXPECT_FALSE(addThroughDialog(QString::fromUtf8(c.parent), QString::fromUtf8(c.name))) << c.name;
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此类别已经存在,请更换其它类别!")}) << c.name;
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    }
    // Renaming to its own name, or to another category's.
    for (const char* name : {"川菜", "饮料"}) {
        MessageSeam::clear();
        EXPECT_FALSE(renameThroughDialog(QStringLiteral("C101"), QString::fromUtf8(name)));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此类别已经存在,请更换其它类别!")});
    }
    EXPECT_EQ(categories(), before);
}

TEST_F(CategoryTest, NamesGoInAsTheyAreTyped)
{
    addCategories();
    ASSERT_TRUE(addThroughDialog(QStringLiteral("[2]酒水"), QStringLiteral("Joe's")));
    EXPECT_EQ(value(QStringLiteral("SELECT cname FROM cpclass WHERE code = '202'")).toString(), QStringLiteral("Joe's"));
    ASSERT_TRUE(renameThroughDialog(QStringLiteral("C202"), QStringLiteral("O'Neil")));
    EXPECT_EQ(value(QStringLiteral("SELECT cname FROM cpclass WHERE code = '202'")).toString(), QStringLiteral("O'Nei"));
    EXPECT_EQ(window().TreeView1->selectedText(), QStringLiteral("[202]O'Nei"));
}

TEST_F(CategoryTest, RenameChangesOnlyTheNameAndShowsAtOnceInTheDishManager)
{
    addCategories();
    addDish({QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101")});
    FrmLBSZ& w = window();
    // The root cannot be renamed.
    clickNode(w.TreeView1, QStringLiteral("G"));
    w.Toolbar1->click(FrmLBSZ::BtnEdit);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("菜品总类不可以修改!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_TRUE(Forms::modalShows().empty());

    clickNode(w.TreeView1, QStringLiteral("C101"));
    onDialog<FrmCDLBEDIT>([&](FrmCDLBEDIT& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("菜单类别修改"));
        EXPECT_EQ(d.Text1->text(), QStringLiteral("川菜"));
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("[1]热菜"));
        EXPECT_FALSE(d.Combo1->isEnabled());
        EXPECT_EQ(d.focusWidget(), d.Text1);
        d.Text1->clear();
        typeKeys(d.Text1, QStringLiteral("四川菜"));
        d.Command1->click();
    });
    w.Toolbar1->click(FrmLBSZ::BtnEdit);
    EXPECT_EQ(messages().last(), QStringLiteral("保存成功!"));
    EXPECT_EQ(categories(), (QStringList{"1/热菜/0", "101/四川菜/1", "102/粤菜/1", "2/酒水/0", "201/饮料/2"}));
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_classid")), QStringLiteral("101"));
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("C101"))->text(0), QStringLiteral("[101]四川菜"));
    FrmCPGL& m = manager();
    EXPECT_EQ(m.TreeView1->node(QStringLiteral("C101"))->text(0), QStringLiteral("四川菜"));
    EXPECT_EQ(m.ListView1->subItem(0, FrmCPGL::ColCategory), QStringLiteral("四川菜"));

    // A top category's dialog shows the root entry.
    clickNode(w.TreeView1, QStringLiteral("F2"));
    onDialog<FrmCDLBEDIT>([&](FrmCDLBEDIT& d) {
        EXPECT_EQ(d.Text1->text(), QStringLiteral("酒水"));
        EXPECT_EQ(d.Combo1->currentIndex(), 0);
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("菜品分类"));
    });
    w.Toolbar1->click(FrmLBSZ::BtnEdit);
}

TEST_F(CategoryTest, DeleteRefusalsInOrderThenYesDeletesAndSelectsTheRoot)
{
    addCategories();
    addDish({QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101")});
    FrmLBSZ& w = window();
    const QStringList before = categories();
    const struct { const char* key; const char* text; int icon; const char* title; } cases[] = {
        {"G", "不可以删除总类!", Msg::Information, "提示"},
        {"F1", "请先删除[1]热菜下面所有项目", Msg::Exclamation, "提示"},
        {"C101", "请先删除此类别下的所有菜品，再删除此类别!", Msg::Information, "信息提示"},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        clickNode(w.TreeView1, QString::fromUtf8(c.key));
        w.Toolbar1->click(FrmLBSZ::BtnDelete);
        ASSERT_EQ(messages(), QStringList{QString::fromUtf8(c.text)}) << c.key;
        EXPECT_EQ(lastMessage().icon, c.icon);
        EXPECT_EQ(lastMessage().title, QString::fromUtf8(c.title));
    }
    // No keeps it.
    MessageSeam::clear();
    clickNode(w.TreeView1, QStringLiteral("C102"));
    MessageSeam::answer(Msg::No);
    w.Toolbar1->click(FrmLBSZ::BtnDelete);
    ASSERT_EQ(messages(), QStringList{QStringLiteral("确定要删除此类别吗?")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::YesNo));
    EXPECT_EQ(lastMessage().icon, int(Msg::Question));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(categories(), before);

    // Yes deletes, rebuilds both trees and selects the root.
    MessageSeam::answer(Msg::Yes);
    w.Toolbar1->click(FrmLBSZ::BtnDelete);
    EXPECT_EQ(categories(), (QStringList{"1/热菜/0", "101/川菜/1", "2/酒水/0", "201/饮料/2"}));
    EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("G"));
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("C102")), nullptr);
    EXPECT_EQ(manager().TreeView1->node(QStringLiteral("C102")), nullptr);
}

TEST_F(CategoryTest, DeleteChecksTheStoredRowsAndAFailureDeletesNothing)
{
    addCategories();
    FrmLBSZ& w = window();
    // Another till adds a dish and a sub-category after the tree was built.
    addDish({QStringLiteral("9"), QStringLiteral("可乐"), QStringLiteral("201")});
    addCategory(QStringLiteral("202"), QStringLiteral("果汁"), QStringLiteral("2"));
    clickNode(w.TreeView1, QStringLiteral("C201"));
    w.Toolbar1->click(FrmLBSZ::BtnDelete);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请先删除此类别下的所有菜品，再删除此类别!")});
    // Its one shown sub-category goes meanwhile: the tree shows "[2]酒水"
    // without children, and the stored "202" refuses all the same.
    sql(QStringLiteral("DELETE FROM cpdetail"));
    sql(QStringLiteral("DELETE FROM cpclass WHERE code = '201'"));
    clickNode(w.TreeView1, QStringLiteral("F2"));
    QTreeWidgetItem* drink = w.TreeView1->node(QStringLiteral("F2"));
    delete drink->takeChild(0);
    MessageSeam::clear();
    w.Toolbar1->click(FrmLBSZ::BtnDelete);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请先删除[2]酒水下面所有项目")});

    // A failing delete shows the error, deletes nothing and keeps the tree.
    sql(QStringLiteral("CREATE TRIGGER keep_classes BEFORE DELETE ON cpclass BEGIN SELECT RAISE(ABORT, 'classes locked'); END"));
    clickNode(w.TreeView1, QStringLiteral("C102"));
    MessageSeam::clear();
    MessageSeam::answer(Msg::Yes);
    w.Toolbar1->click(FrmLBSZ::BtnDelete);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().contains(QStringLiteral("classes locked")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(count(QStringLiteral("cpclass"), QStringLiteral("WHERE code = '102'")), 1);
    EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("C102"));
}
