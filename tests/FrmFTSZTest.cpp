// The table setup window: types, specifications, tables and their states.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include "frontdesk/FrmFTSZ.h"
#include "frontdesk/TableMasterDialogs.h"
#include "shell/FrmMain.h"
#include "platform/KeyFilters.h"
#include "tests/TestSupport.h"

namespace {

// Types text key by key, as a user would (also characters beyond ASCII).
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

class TableSetupTest : public TabulorTest {
protected:
    void addType(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES (?, ?)"), {code, name});
    }
    void addSpec(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO house_kinds (fcode, fname) VALUES (?, ?)"), {code, name});
    }
    void addTable(const QString& id, const QString& type, const QString& state = QStringLiteral("C"),
                  const QVariant& mark = QVariant(), const QString& spec = QStringLiteral("四人台"))
    {
        sql(QStringLiteral("INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts, fbz)"
                           " VALUES (?, ?, 4, ?, ?, ?, ?, '')"),
            {id, QStringLiteral("台") + id, spec, type, state, mark});
    }
    QString tableField(const QString& id, const QString& column)
    {
        const QVariant v = value(QStringLiteral("SELECT %1 FROM house_table WHERE table_id = ?").arg(column), {id});
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    // The window on screen, where the mouse can reach its lists.
    FrmFTSZ& window()
    {
        openDb();
        FrmFTSZ& w = Forms::get<FrmFTSZ>();
        w.show();
        processEvents();
        return w;
    }
    // Runs fn on the dialog D when it is shown modally.
    template <class D> void onDialog(std::function<void(D&)> fn)
    {
        Forms::onModal(QString::fromLatin1(D::staticMetaObject.className()),
                       [fn](Form& f) { fn(static_cast<D&>(f)); });
    }
    static QStringList column(const ListView* list, int col)
    {
        QStringList out;
        for (int r = 0; r < list->count(); ++r)
            out << (col == 0 ? list->text(r) : list->subItem(r, col));
        return out;
    }
    // Types of a table ("code", "name") in list order.
    void expectNoIconNoTitle(const QString& text)
    {
        ASSERT_EQ(messages(), QStringList{text});
        EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
        EXPECT_EQ(lastMessage().buttons, int(Msg::OKOnly));
        EXPECT_TRUE(lastMessage().title.isEmpty());
    }
};

} // namespace

TEST_F(TableSetupTest, OpensFromMainWindowOnTypesTab)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addType(QStringLiteral("02"), QStringLiteral("包间"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    addTable(QStringLiteral("201"), QStringLiteral("02"));
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool seen = false;
    Forms::onModal(QStringLiteral("FrmFTSZ"), [&](Form& f) {
        auto& w = static_cast<FrmFTSZ&>(f);
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("房台设置"));
        EXPECT_EQ(w.SSTab1->count(), 3);
        EXPECT_EQ(w.SSTab1->caption(0), QStringLiteral("房台类型"));
        EXPECT_EQ(w.SSTab1->caption(1), QStringLiteral("房台规格"));
        EXPECT_EQ(w.SSTab1->caption(2), QStringLiteral("房台列表"));
        EXPECT_EQ(w.SSTab1->Tab(), 0);
        const QStringList captions{"增加", "修改", "删除", "帮助", "退出"};
        ASSERT_EQ(w.Toolbar1->buttonCount(), 5);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(w.Toolbar1->caption(i), captions[i - 1]);
            EXPECT_EQ(w.Toolbar1->buttonVisible(i), i != 4);
        }
        EXPECT_EQ(w.Frame1->title(), QStringLiteral("房台类型"));
        EXPECT_EQ(w.Frame2->title(), QStringLiteral("房台详情"));
        EXPECT_EQ(w.Command1->text(), QStringLiteral("停用"));
        EXPECT_EQ(w.Command2->text(), QStringLiteral("取消"));
        EXPECT_EQ(column(w.ListView1, 0), (QStringList{"01", "02"}));
        EXPECT_EQ(column(w.ListView1, 1), (QStringList{"大厅", "包间"}));
        EXPECT_EQ(w.ListView1->columnCaption(0), QStringLiteral("类型编码"));
        EXPECT_EQ(w.ListView1->columnCaption(1), QStringLiteral("类型名称"));
        EXPECT_EQ(w.ListView2->columnCaption(0), QStringLiteral("规格编码"));
        EXPECT_EQ(w.ListView2->columnCaption(1), QStringLiteral("规格名称"));
        EXPECT_EQ(w.ListView1->selectedRow(), 0);
        // The tree's first type is selected and its tables listed.
        EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("key01"));
        EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("大厅"));
        const int widths[] = {750, 900, 900, 900, 900, 3000};
        const QStringList heads{"状  态", "房台编码", "房台名称", "容纳人数", "房台规格", "备    注"};
        ASSERT_EQ(w.ListView3->columnCount(), 6);
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(w.ListView3->columnCaption(c), heads[c]);
            EXPECT_EQ(w.ListView3->columnWidthTwips(c), widths[c]);
        }
        ASSERT_EQ(w.ListView3->count(), 1);
        EXPECT_EQ(w.ListView3->text(0), QStringLiteral("空闲"));
        EXPECT_EQ(w.ListView3->subItem(0, 1), QStringLiteral("101"));
        EXPECT_EQ(w.ListView3->subItem(0, 3), QStringLiteral("4"));
        EXPECT_TRUE(w.Command1->isEnabled());
        EXPECT_FALSE(w.Command2->isEnabled());
        w.Toolbar1->click(5);
        EXPECT_FALSE(Forms::isLoaded<FrmFTSZ>());
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdXTSZ->click();
    main.CmdFTSZ->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("FrmFTSZ")});
}

TEST_F(TableSetupTest, EmptyListsRefuseOnTheTabInFront)
{
    FrmFTSZ& w = window();
    EXPECT_EQ(w.TreeView1->nodeCount(), 0);
    EXPECT_EQ(w.ListView3->count(), 0);
    EXPECT_FALSE(w.Command1->isEnabled());
    EXPECT_FALSE(w.Command2->isEnabled());
    const struct { int tab, button; const char* text; } cases[] = {
        {0, 2, "没有可修改的房台类型!"}, {0, 3, "没有可删除的房台类型!"},
        {1, 2, "没有可修改的房台规格!"}, {1, 3, "没有可删除的房台规格!"},
        {2, 2, "没有可修改的房台信息!"}, {2, 3, "没有可删除的房台信息!"},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        w.SSTab1->setTab(c.tab);
        w.Toolbar1->click(c.button);
        expectNoIconNoTitle(QString::fromUtf8(c.text));
    }
    EXPECT_TRUE(Forms::modalShows().empty());
    MessageSeam::clear();
    w.Toolbar1->click(1);   // tables tab, no type
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有房台类型!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_TRUE(Forms::modalShows().empty());
}

// Types and specifications behave alike; each case names what differs.
TEST_F(TableSetupTest, TypesAndSpecificationsCases)
{
    struct Case {
        int tab;
        const char *addCaption, *editCaption, *codeLabel, *nameLabel, *table, *duplicate, *inUse;
        int maxLength;
    };
    const Case cases[] = {
        {0, "房台类型添加", "部门修改", "类型编号:", "类型名称:", "house_bm", "编码输入有误，请重新输入!",
         "请选删除此类型的所有方台，再进行删除此类型!", 5},
        {1, "房台规格添加", "修改类别", "规格编号:", "规格名称:", "house_kinds", "编码输入有误，请重新输入",
         "请选删除此规格的所有方台，再进行删除此规格!", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const QString table = QString::fromLatin1(c.table);
        FrmFTSZ& w = window();
        w.SSTab1->setTab(c.tab);
        ListView* list = c.tab == 0 ? w.ListView1 : w.ListView2;
        auto add = [&](const QString& code, const QString& name, std::function<void(CodeNameDialog&)> after = {}) {
            auto fn = [&](CodeNameDialog& d) {
                EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.addCaption));
                EXPECT_EQ(d.Label1->text(), QString::fromUtf8(c.codeLabel));
                EXPECT_EQ(d.Label2->text(), QString::fromUtf8(c.nameLabel));
                EXPECT_TRUE(d.Text1->text().isEmpty());   // always opens empty
                EXPECT_TRUE(d.Text2->text().isEmpty());
                d.Text1->setText(code);
                d.Text2->setText(name);
                d.Command1->click();
                if (after)
                    after(d);
            };
            if (c.tab == 0)
                onDialog<Frmbmadd>(fn);
            else
                onDialog<Frmlbadd>(fn);
            MessageSeam::clear();
            w.Toolbar1->click(1);
        };

        // Add: stored trimmed, listed, success reported after the dialog closed.
        add(QStringLiteral("1"), QStringLiteral(" 大厅 "), [&](CodeNameDialog&) {
            EXPECT_FALSE(Forms::isLoaded<Frmbmadd>() || Forms::isLoaded<Frmlbadd>());
        });
        EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_EQ(value(QStringLiteral("SELECT fname FROM %1 WHERE fcode = '1'").arg(table)).toString(),
                  QStringLiteral("大厅"));

        // Codes are text: "001" is another code than "1"; the list keeps stored order.
        add(QStringLiteral("10"), QStringLiteral("包间"));
        add(QStringLiteral("2"), QStringLiteral("雅座"));
        add(QStringLiteral("001"), QStringLiteral("大厅"));
        EXPECT_EQ(column(list, 0), (QStringList{"1", "10", "2", "001"}));
        EXPECT_EQ(count(table, QStringLiteral("WHERE typeof(fcode) = 'text'")), 4);
        if (c.tab == 0)
            EXPECT_EQ(w.TreeView1->nodeCount(), 4);

        // A code that exists is refused; the dialog stays with the focus on the code.
        add(QStringLiteral("10"), QStringLiteral("别的"), [&](CodeNameDialog& d) {
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.duplicate)});
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusWidget(), d.Text1);
            EXPECT_EQ(d.Text2->text(), QStringLiteral("别的"));
        });
        EXPECT_EQ(count(table), 4);

        // Empty boxes; blanks alone pass and store an empty name.
        add({}, QStringLiteral("x"), [&](CodeNameDialog& d) {
            EXPECT_EQ(messages(), QStringList{QStringLiteral("请输入编码!")});
            EXPECT_EQ(d.focusWidget(), d.Text1);
            MessageSeam::clear();
            d.Text1->setText(QStringLiteral("9"));
            d.Text2->clear();
            d.Command1->click();
            EXPECT_EQ(messages(), QStringList{QStringLiteral("请输入名称!")});
            EXPECT_EQ(lastMessage().icon, int(Msg::Information));
            EXPECT_EQ(d.focusWidget(), d.Text2);
            MessageSeam::clear();
            d.Text2->setText(QStringLiteral("   "));
            d.Command1->click();
            EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
        });
        EXPECT_EQ(value(QStringLiteral("SELECT fname FROM %1 WHERE fcode = '9'").arg(table)).toString(), QString());

        // Key filter and length of the code box.
        add({}, {}, [&](CodeNameDialog& d) {
            typeText(d.Text1, QStringLiteral("1a2b34567890"));
            EXPECT_EQ(d.Text1->text(), QStringLiteral("123456789").left(c.maxLength));
            EXPECT_EQ(MaxLengthOf(d.Text2), c.maxLength);
            QTest::keyClick(d.Text1, Qt::Key_Escape);   // closes, stores nothing
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(count(table), 5);

        // Edit: the code shows in a disabled box; only the name changes.
        clickRow(list, 1);   // "10"
        auto edit = [&](CodeNameDialog& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.editCaption));
            EXPECT_EQ(d.Text1->text(), QStringLiteral("10"));
            EXPECT_FALSE(d.Text1->isEnabled());
            EXPECT_EQ(d.focusWidget(), d.Text2);
            d.Text2->setText(QStringLiteral("新名"));
            d.Command1->click();
        };
        if (c.tab == 0)
            onDialog<Frmbmedit>(edit);
        else
            onDialog<Frmlbedit>(edit);
        MessageSeam::clear();
        w.Toolbar1->click(2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
        EXPECT_EQ(value(QStringLiteral("SELECT fname FROM %1 WHERE fcode = '10'").arg(table)).toString(),
                  QStringLiteral("新名"));
        EXPECT_EQ(count(table), 5);
        EXPECT_EQ(column(list, 1)[1], QStringLiteral("新名"));

        // In use by a table: refused, nothing deleted.
        addTable(QStringLiteral("777"), QStringLiteral("10"), QStringLiteral("P"), {}, QStringLiteral("新名"));
        clickRow(list, 1);
        MessageSeam::clear();
        w.Toolbar1->click(3);
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.inUse)});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(count(table), 5);
        sql(QStringLiteral("DELETE FROM house_table"));

        // Cancel at the question deletes nothing; OK deletes the selected entry.
        clickRow(list, 2);   // "2" 雅座
        MessageSeam::clear();
        MessageSeam::answer(Msg::Cancel);
        w.Toolbar1->click(3);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("是否确认删除“雅座”吗？")});
        EXPECT_EQ(lastMessage().buttons, int(Msg::OKCancel));
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_EQ(count(table), 5);
        clickRow(list, 2);
        MessageSeam::answer(Msg::OK);
        w.Toolbar1->click(3);
        EXPECT_EQ(count(table, QStringLiteral("WHERE fcode = '2'")), 0);
        EXPECT_EQ(column(list, 0), (QStringList{"1", "10", "001", "9"}));
        if (c.tab == 0)
            EXPECT_EQ(w.TreeView1->nodeCount(), 4);
        Forms::unloadAll();
        processEvents();
    }
}

TEST_F(TableSetupTest, NamesWithApostropheWorkEverywhere)
{
    FrmFTSZ& w = window();
    onDialog<Frmbmadd>([](Frmbmadd& d) {
        d.Text1->setText(QStringLiteral("7"));
        d.Text2->setText(QStringLiteral("O'K厅"));
        d.Command1->click();
    });
    w.Toolbar1->click(1);
    w.SSTab1->setTab(1);
    onDialog<Frmlbadd>([](Frmlbadd& d) {
        d.Text1->setText(QStringLiteral("8"));
        d.Text2->setText(QStringLiteral("王's台"));
        d.Command1->click();
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(messages(), (QStringList{"保存成功!", "保存成功!"}));
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("O'K厅"));

    // A table of that type carrying that specification.
    w.SSTab1->setTab(2);
    onDialog<FrmFTADD>([](FrmFTADD& d) {
        d.Text1->setText(QStringLiteral("1"));
        d.Text2->setText(QStringLiteral("A'1"));
        d.Text3->setText(QStringLiteral("4"));
        d.Combo1->setCurrentIndex(d.Combo1->findText(QStringLiteral("王's台")));
        d.Text4->setText(QStringLiteral("it's"));
        d.Command1->click();
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(tableField(QStringLiteral("1"), QStringLiteral("class")), QStringLiteral("王's台"));
    EXPECT_EQ(tableField(QStringLiteral("1"), QStringLiteral("house_bmid")), QStringLiteral("7"));
    ASSERT_EQ(w.ListView3->count(), 1);
    EXPECT_EQ(w.ListView3->subItem(0, 2), QStringLiteral("A'1"));

    // The specification's delete check finds the table by that name.
    w.SSTab1->setTab(1);
    MessageSeam::clear();
    w.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选删除此规格的所有方台，再进行删除此规格!")});
    // Renaming the type with another apostrophe.
    w.SSTab1->setTab(0);
    onDialog<Frmbmedit>([](Frmbmedit& d) {
        d.Text2->setText(QStringLiteral("'厅'"));
        d.Command1->click();
    });
    w.Toolbar1->click(2);
    EXPECT_EQ(value(QStringLiteral("SELECT fname FROM house_bm WHERE fcode = '7'")).toString(), QStringLiteral("'厅'"));
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("'厅'"));
}

// Blanks alone pass as a name: a specification renamed so takes its tables
// along with an empty name, and is still in use for the delete check.
TEST_F(TableSetupTest, ASpecificationRenamedToBlanksStaysInUse)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addSpec(QStringLiteral("01"), QStringLiteral("十人台"));
    addTable(QStringLiteral("201"), QStringLiteral("01"), QStringLiteral("C"), QVariant(), QStringLiteral("十人台"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(1);
    onDialog<Frmlbedit>([](Frmlbedit& d) {
        retypeKeys(d.Text2, QStringLiteral("   "));
        d.Command1->click();
    });
    w.Toolbar1->click(2);
    ASSERT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(value(QStringLiteral("SELECT quote(fname) FROM house_kinds WHERE fcode = '01'")).toString(), QStringLiteral("''"));
    EXPECT_EQ(value(QStringLiteral("SELECT quote(class) FROM house_table WHERE table_id = '201'")).toString(), QStringLiteral("''"));

    MessageSeam::clear();
    clickRow(w.ListView2, 0);
    w.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选删除此规格的所有方台，再进行删除此规格!")});
    EXPECT_EQ(count(QStringLiteral("house_kinds")), 1);
}

TEST_F(TableSetupTest, AddingATable)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addType(QStringLiteral("02"), QStringLiteral("包间"));
    addSpec(QStringLiteral("01"), QStringLiteral("四人台"));
    addSpec(QStringLiteral("02"), QStringLiteral("十人台"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    clickNode(w.TreeView1, QStringLiteral("key02"));
    EXPECT_EQ(w.ListView3->count(), 0);

    struct Fields { const char *code, *name, *capacity, *spec, *remark; };
    auto fill = [](FrmFTADD& d, const Fields& f) {
        d.Text1->setText(QString::fromUtf8(f.code));
        d.Text2->setText(QString::fromUtf8(f.name));
        d.Text3->setText(QString::fromUtf8(f.capacity));
        d.Combo1->setEditText(QString::fromUtf8(f.spec));
        d.Text4->setText(QString::fromUtf8(f.remark));
    };
    // A required field blank after trimming; then a code another type has.
    const struct { Fields f; const char* message; } refused[] = {
        {{"", "牡丹", "10", "十人台", ""}, "信息录入不完整，请确认信息的完整性"},
        {{"201", "  ", "10", "十人台", ""}, "信息录入不完整，请确认信息的完整性"},
        {{"201", "牡丹", "", "十人台", ""}, "信息录入不完整，请确认信息的完整性"},
        {{"201", "牡丹", "10", "   ", ""}, "信息录入不完整，请确认信息的完整性"},
        {{"101", "牡丹", "10", "十人台", ""}, "房台编码已存在，请重新输入"},
    };
    for (const auto& r : refused) {
        onDialog<FrmFTADD>([&](FrmFTADD& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("房台添加"));
            EXPECT_TRUE(d.Text1->text().isEmpty());
            EXPECT_TRUE(d.Combo1->currentText().isEmpty());
            EXPECT_EQ(d.Combo1->count(), 2);
            fill(d, r.f);
            MessageSeam::clear();
            d.Command1->click();
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(r.message)}) << r.f.code << r.f.name;
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_TRUE(d.isVisible());
        });
        w.Toolbar1->click(1);
        EXPECT_EQ(count(QStringLiteral("house_table")), 1);
    }

    // A good one, remark empty: free, reservation mark Null, of the selected type.
    onDialog<FrmFTADD>([&](FrmFTADD& d) {
        fill(d, {" 201 ", " 牡丹 ", "010", "十人台", ""});
        MessageSeam::clear();
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmFTADD>());
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("house_name")), QStringLiteral("牡丹"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("house_num")), QStringLiteral("10"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("class")), QStringLiteral("十人台"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("house_bmid")), QStringLiteral("02"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("othersts")), QStringLiteral("C"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("sts")), QStringLiteral("<null>"));
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("fbz")), QString());
    ASSERT_EQ(w.ListView3->count(), 1);
    EXPECT_EQ(w.ListView3->text(0), QStringLiteral("空闲"));
    EXPECT_TRUE(w.Command1->isEnabled());   // can be disabled at once

    // Entry limits of the two dialogs; letters never enter code or capacity.
    onDialog<FrmFTADD>([](FrmFTADD& d) {
        typeText(d.Text1, QStringLiteral("12a345678"));
        typeText(d.Text2, QStringLiteral("一二三四五"));
        typeText(d.Text3, QStringLiteral("9x8765"));
        EXPECT_EQ(d.Text1->text(), QStringLiteral("123456"));
        EXPECT_EQ(d.Text2->text(), QStringLiteral("一二三四"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("987"));
        QTest::keyClick(d.Text2, Qt::Key_Escape);
    });
    w.Toolbar1->click(1);
    onDialog<FrmFTEDIT>([](FrmFTEDIT& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("房台修改"));
        EXPECT_TRUE(d.Text1->isReadOnly());
        typeText(d.Text1, QStringLiteral("5"));
        EXPECT_EQ(d.Text1->text(), QStringLiteral("201"));
        d.Text3->clear();
        typeText(d.Text3, QStringLiteral("1234567890"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("12345678"));
        QTest::keyClick(d.Text3, Qt::Key_Escape);
    });
    w.Toolbar1->click(2);
    EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("house_num")), QStringLiteral("10"));
    EXPECT_EQ(count(QStringLiteral("house_table")), 2);
}

TEST_F(TableSetupTest, EnterSavesAndEscapeCancelsInTheTableDialog)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    onDialog<FrmFTADD>([](FrmFTADD& d) {
        d.Text1->setText(QStringLiteral("5"));
        d.Text2->setText(QStringLiteral("五"));
        d.Text3->setText(QStringLiteral("2"));
        d.Combo1->setEditText(QStringLiteral("二人台"));
        QTest::keyClick(d.Text4, Qt::Key_Escape);
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(count(QStringLiteral("house_table")), 0);
    EXPECT_TRUE(messages().isEmpty());
    onDialog<FrmFTADD>([](FrmFTADD& d) {
        d.Text1->setText(QStringLiteral("5"));
        d.Text2->setText(QStringLiteral("五"));
        d.Text3->setText(QStringLiteral("2"));
        d.Combo1->setEditText(QStringLiteral("二人台"));
        QTest::keyClick(d.Combo1->lineEdit(), Qt::Key_Return);
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(count(QStringLiteral("house_table")), 1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    // The type dialog likewise: Enter in the name box saves.
    w.SSTab1->setTab(0);
    onDialog<Frmbmadd>([](Frmbmadd& d) {
        d.Text1->setText(QStringLiteral("02"));
        d.Text2->setText(QStringLiteral("包间"));
        QTest::keyClick(d.Text2, Qt::Key_Return);
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(count(QStringLiteral("house_bm")), 2);
}

TEST_F(TableSetupTest, TwoTypesOfOneNameKeepTheirOwnTables)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addType(QStringLiteral("02"), QStringLiteral("大厅"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    addTable(QStringLiteral("201"), QStringLiteral("02"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"101"});
    clickNode(w.TreeView1, QStringLiteral("key02"));
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"201"});
    onDialog<FrmFTADD>([](FrmFTADD& d) {
        d.Text1->setText(QStringLiteral("202"));
        d.Text2->setText(QStringLiteral("二号"));
        d.Text3->setText(QStringLiteral("6"));
        d.Combo1->setEditText(QStringLiteral("六人台"));
        d.Command1->click();
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(tableField(QStringLiteral("202"), QStringLiteral("house_bmid")), QStringLiteral("02"));
    EXPECT_EQ(column(w.ListView3, 1), (QStringList{"201", "202"}));
    clickNode(w.TreeView1, QStringLiteral("key01"));
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"101"});
}

TEST_F(TableSetupTest, EditingATableKeepsItsTypeAndABusyState)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addType(QStringLiteral("02"), QStringLiteral("包间"));
    addSpec(QStringLiteral("01"), QStringLiteral("四人台"));
    const struct { const char* state; const char* mark; const char* after; } cases[] = {
        {"A", nullptr, "A"}, {"D", nullptr, "D"}, {"E", "B", "E"}, {"P", nullptr, "C"}, {"C", "B", "C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        sql(QStringLiteral("DELETE FROM house_table"));
        addTable(QStringLiteral("201"), QStringLiteral("02"), QString::fromLatin1(c.state),
                 c.mark ? QVariant(QString::fromLatin1(c.mark)) : QVariant());
        FrmFTSZ& w = window();
        w.SSTab1->setTab(2);
        clickNode(w.TreeView1, QStringLiteral("key02"));
        ASSERT_EQ(w.ListView3->count(), 1);
        onDialog<FrmFTEDIT>([this](FrmFTEDIT& d) {
            EXPECT_EQ(d.Text1->text(), QStringLiteral("201"));
            EXPECT_EQ(d.Text2->text(), QStringLiteral("台201"));
            EXPECT_EQ(d.Text3->text(), QStringLiteral("4"));
            EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("四人台"));
            d.Text2->setText(QStringLiteral(" 改名 "));
            d.Text4->setText(QStringLiteral("靠窗"));
            MessageSeam::clear();
            d.Command1->click();
            EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
        });
        w.Toolbar1->click(2);
        EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("house_name")), QStringLiteral("改名"));
        EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("fbz")), QStringLiteral("靠窗"));
        EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("house_bmid")), QStringLiteral("02"));
        EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("othersts")), QString::fromLatin1(c.after));
        EXPECT_EQ(tableField(QStringLiteral("201"), QStringLiteral("sts")),
                  c.mark ? QString::fromLatin1(c.mark) : QStringLiteral("<null>"));
        Forms::unloadAll();
        processEvents();
    }
}

TEST_F(TableSetupTest, DeletingATable)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    addTable(QStringLiteral("102"), QStringLiteral("01"));
    // A seating closed long ago still keeps table 101.
    sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, sts) VALUES ('20240101120000', '101', 'P')"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    clickRow(w.ListView3, 0);
    w.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("此房台已有消售记录,不可删除!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(count(QStringLiteral("house_table")), 2);

    clickRow(w.ListView3, 1);
    MessageSeam::clear();
    MessageSeam::answer(Msg::Cancel);
    w.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("是否确认删除“102”吗？")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::OKCancel));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(count(QStringLiteral("house_table")), 2);

    MessageSeam::answer(Msg::OK);
    w.Toolbar1->click(3);
    EXPECT_EQ(count(QStringLiteral("house_table"), QStringLiteral("WHERE table_id = '102'")), 0);
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"101"});
}

TEST_F(TableSetupTest, StateButtonsFollowTheRowAndWriteTheState)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    // First row's word -> 停用, 取消 enabled.
    const struct { const char* state; const char* mark; const char* word; bool disable, enable; } cases[] = {
        {"C", nullptr, "空闲", true, false}, {"C", "C", "空闲", true, false},
        {"C", "B", "预订", false, false},     {"P", nullptr, "禁用", false, true},
        {"A", nullptr, "在用", false, false}, {"D", nullptr, "结帐", false, false},
        {"E", nullptr, "续单", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        sql(QStringLiteral("DELETE FROM house_table"));
        addTable(QStringLiteral("101"), QStringLiteral("01"), QString::fromLatin1(c.state),
                 c.mark ? QVariant(QString::fromLatin1(c.mark)) : QVariant());
        FrmFTSZ& w = window();
        ASSERT_EQ(w.ListView3->count(), 1);
        EXPECT_EQ(w.ListView3->text(0), QString::fromUtf8(c.word));
        EXPECT_EQ(w.Command1->isEnabled(), c.disable);
        EXPECT_EQ(w.Command2->isEnabled(), c.enable);
        Forms::unloadAll();
        processEvents();
    }

    // 停用 writes 'P' and leaves the reservation mark; 取消 writes 'C'.
    sql(QStringLiteral("DELETE FROM house_table"));
    addTable(QStringLiteral("101"), QStringLiteral("01"), QStringLiteral("A"));
    addTable(QStringLiteral("102"), QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("C"));
    addTable(QStringLiteral("103"), QStringLiteral("01"), QStringLiteral("P"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    EXPECT_FALSE(w.Command1->isEnabled());
    clickRow(w.ListView3, 1);
    EXPECT_TRUE(w.Command1->isEnabled());
    EXPECT_FALSE(w.Command2->isEnabled());
    w.Command1->click();
    EXPECT_EQ(tableField(QStringLiteral("102"), QStringLiteral("othersts")), QStringLiteral("P"));
    EXPECT_EQ(tableField(QStringLiteral("102"), QStringLiteral("sts")), QStringLiteral("C"));
    // The reload selects row 1, which reads "在用": both disabled.
    EXPECT_EQ(w.ListView3->text(1), QStringLiteral("禁用"));
    EXPECT_EQ(w.ListView3->selectedRow(), 0);
    EXPECT_FALSE(w.Command1->isEnabled());
    EXPECT_FALSE(w.Command2->isEnabled());
    // A row reached with the keyboard sets the buttons as a click does.
    w.ListView3->reportView()->setFocus();
    w.ListView3->select(2);
    EXPECT_TRUE(w.Command2->isEnabled());
    w.Command2->click();
    EXPECT_EQ(tableField(QStringLiteral("103"), QStringLiteral("othersts")), QStringLiteral("C"));
    EXPECT_EQ(w.ListView3->text(2), QStringLiteral("空闲"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TableSetupTest, MouseClicksOnTablesSetTheStateButtonsOfTheClickedTable)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addTable(QStringLiteral("101"), QStringLiteral("01"), QStringLiteral("A"));
    addTable(QStringLiteral("102"), QStringLiteral("01"), QStringLiteral("C"));
    addTable(QStringLiteral("103"), QStringLiteral("01"), QStringLiteral("P"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    // Row, its word, 停用 and 取消 as the row allows them.
    const struct { int row; const char* word; bool disable, enable; } clicks[] = {
        {1, "空闲", true, false}, {2, "禁用", false, true}, {0, "在用", false, false},
        {2, "禁用", false, true}, {1, "空闲", true, false},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.row);
        clickRow(w.ListView3, c.row);
        ASSERT_EQ(w.ListView3->text(c.row), QString::fromUtf8(c.word));
        EXPECT_EQ(w.Command1->isEnabled(), c.disable);
        EXPECT_EQ(w.Command2->isEnabled(), c.enable);
    }
    // 停用 acts on the table clicked last.
    w.Command1->click();
    EXPECT_EQ(tableField(QStringLiteral("102"), QStringLiteral("othersts")), QStringLiteral("P"));
    EXPECT_EQ(tableField(QStringLiteral("101"), QStringLiteral("othersts")), QStringLiteral("A"));
}

TEST_F(TableSetupTest, ToolbarActsOnTheTabInFrontOnly)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addSpec(QStringLiteral("05"), QStringLiteral("包厢"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    clickRow(w.ListView3, 0);
    w.SSTab1->setTab(1);
    MessageSeam::answer(Msg::OK);
    w.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("是否确认删除“包厢”吗？")});
    EXPECT_EQ(count(QStringLiteral("house_kinds")), 0);
    EXPECT_EQ(count(QStringLiteral("house_table")), 1);
}

TEST_F(TableSetupTest, Screenshots)
{
    Db::closeShared();
    QFile::remove(dbPath());
    Db::buildDatabaseFile(dbPath(), true);
    sql(QStringLiteral("UPDATE house_table SET othersts = 'A' WHERE table_id = '102'"));
    sql(QStringLiteral("UPDATE house_table SET othersts = 'P' WHERE table_id = '103'"));
    sql(QStringLiteral("UPDATE house_table SET sts = 'B' WHERE table_id = '104'"));
    FrmFTSZ& w = window();
    screenshot(&w, QStringLiteral("ftsz-types"));
    w.SSTab1->setTab(1);
    screenshot(&w, QStringLiteral("ftsz-specs"));
    w.SSTab1->setTab(2);
    screenshot(&w, QStringLiteral("ftsz-tables"));
    onDialog<FrmFTEDIT>([this](FrmFTEDIT& d) { screenshot(&d, QStringLiteral("ftsz-table-edit")); });
    w.Toolbar1->click(2);
    w.SSTab1->setTab(0);
    onDialog<Frmbmadd>([this](Frmbmadd& d) { screenshot(&d, QStringLiteral("ftsz-type-add")); });
    w.Toolbar1->click(1);
}

TEST_F(TableSetupTest, DatabaseErrorIsShownAndTheDialogStaysOpen)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    sql(QStringLiteral("ALTER TABLE house_table RENAME TO house_table_gone"));
    onDialog<FrmFTADD>([this](FrmFTADD& d) {
        d.Text1->setText(QStringLiteral("5"));
        d.Text2->setText(QStringLiteral("五"));
        d.Text3->setText(QStringLiteral("2"));
        d.Combo1->setEditText(QStringLiteral("二人台"));
        d.Command1->click();
        ASSERT_EQ(MessageSeam::messages().size(), 1u);
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_TRUE(d.isVisible());
    });
    w.Toolbar1->click(1);
    EXPECT_TRUE(Forms::isLoaded<FrmFTSZ>());
    EXPECT_FALSE(messages().contains(QStringLiteral("保存成功!")));
}

TEST_F(TableSetupTest, EditStoresAnEntryRemovedMeanwhileAgain)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addSpec(QStringLiteral("02"), QStringLiteral("四人台"));
    FrmFTSZ& w = window();
    auto edit = [this](CodeNameDialog& d) {
        sql(QStringLiteral("DELETE FROM house_bm"));
        sql(QStringLiteral("DELETE FROM house_kinds"));
        d.Text2->setText(QStringLiteral("回来"));
        d.Command1->click();
    };
    onDialog<Frmbmedit>(edit);
    onDialog<Frmlbedit>(edit);
    w.Toolbar1->click(2);
    EXPECT_EQ(value(QStringLiteral("SELECT fname FROM house_bm WHERE fcode = '01'")).toString(), QStringLiteral("回来"));
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("回来"));
    w.SSTab1->setTab(1);
    w.Toolbar1->click(2);
    EXPECT_EQ(value(QStringLiteral("SELECT fname FROM house_kinds WHERE fcode = '02'")).toString(), QStringLiteral("回来"));
    EXPECT_EQ(messages(), (QStringList{"保存成功!", "保存成功!"}));
}

// Rebuilding the tree selects its first type without reloading the list; a
// mouse click on that selected type then lists its tables.
TEST_F(TableSetupTest, ClickOnTheSelectedTypeListsItsTables)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addType(QStringLiteral("02"), QStringLiteral("包间"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    addTable(QStringLiteral("201"), QStringLiteral("02"));
    FrmFTSZ& w = window();
    w.show();
    w.SSTab1->setTab(2);
    processEvents();
    clickNode(w.TreeView1, QStringLiteral("key02"));
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"201"});
    w.SSTab1->setTab(0);
    onDialog<Frmbmadd>([&](Frmbmadd& d) {
        d.Text1->setText(QStringLiteral("03"));
        d.Text2->setText(QStringLiteral("新"));
        d.Command1->click();
    });
    w.Toolbar1->click(1);
    w.SSTab1->setTab(2);
    processEvents();
    // The rebuilt tree selects the first type, and the list shows its tables:
    // a new table goes under the type whose tables are shown.
    EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("key01"));
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"101"});
    onDialog<FrmFTADD>([](FrmFTADD& d) {
        d.Text1->setText(QStringLiteral("102"));
        d.Text2->setText(QStringLiteral("大厅二"));
        d.Text3->setText(QStringLiteral("4"));
        d.Combo1->setEditText(QStringLiteral("四人台"));
        d.Command1->click();
    });
    w.Toolbar1->click(1);
    EXPECT_EQ(tableField(QStringLiteral("102"), QStringLiteral("house_bmid")), QStringLiteral("01"));
    EXPECT_EQ(column(w.ListView3, 1), (QStringList{"101", "102"}));
    QTreeWidgetItem* first = w.TreeView1->node(QStringLiteral("key01"));
    QTest::mouseClick(w.TreeView1->viewport(), Qt::LeftButton, {}, w.TreeView1->visualItemRect(first).center());
    EXPECT_EQ(column(w.ListView3, 1), (QStringList{"101", "102"}));
    // A click on another type lists that one.
    QTreeWidgetItem* second = w.TreeView1->node(QStringLiteral("key02"));
    QTest::mouseClick(w.TreeView1->viewport(), Qt::LeftButton, {}, w.TreeView1->visualItemRect(second).center());
    EXPECT_EQ(column(w.ListView3, 1), QStringList{"201"});
}

TEST_F(TableSetupTest, AStateChangeOfATableChangedOnAnotherTillIsRefused)
{
    addType(QStringLiteral("01"), QStringLiteral("大厅"));
    addTable(QStringLiteral("101"), QStringLiteral("01"));
    addTable(QStringLiteral("102"), QStringLiteral("01"), QStringLiteral("P"));
    FrmFTSZ& w = window();
    w.SSTab1->setTab(2);
    const struct { const char* name; int row; const char* otherTill; QPushButton* FrmFTSZ::*button; const char* word; } cases[] = {
        {"disabling a table opened meanwhile", 0, "UPDATE house_table SET othersts = 'A' WHERE table_id = '101'",
         &FrmFTSZ::Command1, "在用"},
        {"disabling a table reserved meanwhile", 0, "UPDATE house_table SET othersts = 'C', sts = 'B' WHERE table_id = '101'",
         &FrmFTSZ::Command1, "预订"},
        {"putting back a table in use again", 1,
         "UPDATE house_table SET othersts = 'A' WHERE table_id = '102'", &FrmFTSZ::Command2, "在用"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clickRow(w.ListView3, c.row);
        ASSERT_TRUE((w.*c.button)->isEnabled());
        {
            OtherTill other(dbPath());
            other.exec(QString::fromLatin1(c.otherTill));
        }
        const QString state = tableField(w.ListView3->subItem(c.row, 1), QStringLiteral("othersts"));
        MessageSeam::clear();
        (w.*c.button)->click();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Changed) + u'\n')) << qPrintable(messages()[0]);
        EXPECT_EQ(tableField(w.ListView3->subItem(c.row, 1), QStringLiteral("othersts")), state);
        EXPECT_EQ(w.ListView3->text(c.row), QString::fromUtf8(c.word));   // the list shows it as it is
        sql(QStringLiteral("UPDATE house_table SET othersts = 'C', sts = NULL WHERE table_id = '101'"));
        sql(QStringLiteral("UPDATE house_table SET othersts = 'P' WHERE table_id = '102'"));
        w.TreeView1_NodeClick();
    }
}
