// Goods records: the goods window with its class tree and list, the new and
// modify dialogs, deleting, and the goods query.
#include <QTest>
#include <QTreeWidgetItemIterator>
#include "db/Money.h"
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "stockin/FrmSPCX.h"
#include "stockin/FrmSPDA.h"
#include "stockin/FrmSPLR.h"
#include "stockin/FrmSPXG.h"
#include "tests/TestSupport.h"

namespace {

const QString Title = QStringLiteral("信息提示");

class GoodsTest : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        openDb();
    }
    void addClass(const QString& code, const QString& name, const QString& cls = QStringLiteral("SPZL"))
    {
        sql(QStringLiteral("INSERT INTO BrandClass (class, CODE, CONTENT, sts, CODEFJ) VALUES (?, ?, ?, 'A', '')"),
            {cls, code.isEmpty() ? QVariant() : QVariant(code), name});
    }
    void addGoods(const QString& code, const QString& name, const QString& cls, const QVariantMap& more = {})
    {
        QVariantMap row{{"code", code}, {"bran_name", name}, {"zl", cls}, {"unit", QStringLiteral("瓶")},
                        {"in_price", 2.5}, {"type", QStringLiteral("规格") + code}};
        row.insert(more);
        insertRow(QStringLiteral("brand"), row);
    }
    QVariant goods(const QString& code, const QString& column)
    {
        return value(QStringLiteral("SELECT %1 FROM brand WHERE code = ?").arg(column), {code});
    }
    FrmSPDA& window()
    {
        FrmSPDA& w = Forms::get<FrmSPDA>();
        w.show();
        processEvents();
        return w;
    }
    static QStringList column(const ListView* list, int col)
    {
        QStringList out;
        for (int r = 0; r < list->count(); ++r)
            out << (col == 0 ? list->text(r) : list->subItem(r, col));
        return out;
    }
    static QStringList treeTexts(const FrmSPDA& w)
    {
        QStringList texts;
        for (QTreeWidgetItemIterator it(w.TreeView1); *it; ++it)
            texts << (*it)->text(0);
        return texts;
    }
    // Selects a class node as a user clicks it.
    static void clickClass(FrmSPDA& w, const QString& name)
    {
        for (QTreeWidgetItemIterator it(w.TreeView1); *it; ++it)
            if ((*it)->text(0) == name)
                w.TreeView1->setCurrentItem(*it);
    }
    template <class D> void onDialog(std::function<void(D&)> fn)
    {
        Forms::onModal(QString::fromLatin1(D::staticMetaObject.className()), [fn](Form& f) { fn(static_cast<D&>(f)); });
    }
    static void expectModifyButtons(const FrmSPDA& w, bool on)
    {
        for (int b : {FrmSPDA::BtnModify, FrmSPDA::BtnDelete})
            EXPECT_EQ(w.Toolbar1->buttonEnabled(b), on) << b;
    }
};

} // namespace

TEST_F(GoodsTest, OpensFromTheMainWindowWithClassTreeAndGoodsInCodeOrder)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    addClass(QStringLiteral("2"), QStringLiteral("粮油"));
    addGoods(QStringLiteral("100"), QStringLiteral("啤酒"), QStringLiteral("酒水"));
    addGoods(QStringLiteral("9"), QStringLiteral("大米"), QStringLiteral("粮油"), {{"bz", "东北"}});
    addGoods(QStringLiteral("10"), QStringLiteral("可乐"), QStringLiteral("酒水"), {{"unit", QVariant()}, {"in_price", 65.0}});
    // Goods the menu wrote with a new dish: its class row in lower case, with
    // the class code the menu gave it.
    addClass(QStringLiteral("3"), QStringLiteral("凉菜"), QStringLiteral("spzl"));
    addGoods(QStringLiteral("11"), QStringLiteral("拍黄瓜"), QStringLiteral("凉菜"),
             {{"zl_code", "3"}, {"type", " "}, {"bz", " "}, {"save_num", 1}});
    addClass(QStringLiteral("01"), QStringLiteral("仓库"), QStringLiteral("KFH"));   // not a goods class
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    FrmMain& main = Forms::get<FrmMain>();
    bool seen = false;
    onDialog<FrmSPDA>([&](FrmSPDA& w) {
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("商品档案"));
        const QStringList captions{"查询", "增加", "修改", "删除", "打印", "帮助", "退出"};
        ASSERT_EQ(w.Toolbar1->buttonCount(), 7);
        for (int i = 1; i <= 7; ++i) {
            EXPECT_EQ(w.Toolbar1->caption(i), captions[i - 1]);
            EXPECT_EQ(w.Toolbar1->buttonVisible(i), i != 5 && i != 6);
        }
        EXPECT_EQ(treeTexts(w), (QStringList{"所有种类", "酒水", "粮油", "凉菜"}));
        EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("所有种类"));
        const QStringList heads{"商品编码", "商品名称", "单位", "单价", "商品规格", "商品种类", "备注"};
        const int widths[] = {1000, 1000, 800, 800, 1000, 1000};
        ASSERT_EQ(w.ListView1->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(w.ListView1->columnCaption(c), heads[c]);
            if (c < 6)   // to the pixel
                EXPECT_NEAR(w.ListView1->columnWidthTwips(c), widths[c], Twips::PerPixel - 1) << c;
        }
        EXPECT_EQ(column(w.ListView1, 0), (QStringList{"9", "10", "11", "100"}));
        EXPECT_EQ(w.ListView1->selectedRow(), 0);
        const QStringList cola{"10", "可乐", "", "65", "规格10", "酒水", ""};
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(c == 0 ? w.ListView1->text(1) : w.ListView1->subItem(1, c), cola[c]) << c;
        EXPECT_EQ(w.ListView1->subItem(0, 3), QStringLiteral("2.5"));
        EXPECT_EQ(w.ListView1->subItem(0, 6), QStringLiteral("东北"));
        expectModifyButtons(w, true);

        clickClass(w, QStringLiteral("酒水"));
        EXPECT_EQ(column(w.ListView1, 0), (QStringList{"10", "100"}));
        clickClass(w, QStringLiteral("凉菜"));
        EXPECT_EQ(column(w.ListView1, 1), QStringList{QStringLiteral("拍黄瓜")});

        // The query opens beside the main window.
        onDialog<FrmSPCX>([&](FrmSPCX& q) {
            EXPECT_NEAR(Twips::left(&q), Twips::left(&main) + 1650, Twips::PerPixel - 1);
            EXPECT_NEAR(Twips::top(&q), Twips::top(&main) + 350, Twips::PerPixel - 1);
            EXPECT_EQ(q.Combo1->currentText(), QStringLiteral("凉菜"));
        });
        w.Toolbar1->click(FrmSPDA::BtnQuery);
        w.Toolbar1->click(FrmSPDA::BtnExit);
        EXPECT_FALSE(Forms::isLoaded<FrmSPDA>());
    });
    main.CmdXTSZ->click();
    main.CmdSPGL->click();
    EXPECT_TRUE(seen);
}

TEST_F(GoodsTest, NewGoodsHoldTheDefaultsAndAreListed)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    addClass(QString(), QStringLiteral("杂项"));   // a class without a code
    FrmSPDA& w = window();
    expectModifyButtons(w, false);
    onDialog<FrmSPLR>([&](FrmSPLR& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("商品录入"));
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("酒水"));
        EXPECT_EQ(d.Combo3->currentText(), QStringLiteral("1"));
        EXPECT_EQ(d.Combo2->currentText(), QStringLiteral("份"));   // the first unit
        EXPECT_EQ(d.Text4->text(), QStringLiteral("0"));
        for (QLineEdit* e : {d.Text5, d.Text6, d.Text7, d.Text8, d.Text9, d.Text10, d.Text11})
            EXPECT_EQ(e->text(), QStringLiteral("0"));
        // The warehouse settings and the class codes lie outside the window.
        EXPECT_GE(d.Frame2->x(), d.width());
        EXPECT_GE(d.Combo3->x(), d.width());
        EXPECT_EQ(d.defaultButton, nullptr);
        EXPECT_EQ(d.cancelButton, nullptr);

        typeKeys(d.Text1, QStringLiteral("12a345"));   // digits only, at most four
        EXPECT_EQ(d.Text1->text(), QStringLiteral("1234"));
        typeKeys(d.Text2, QStringLiteral(" 雪碧 "));
        typeKeys(d.Text3, QStringLiteral("330ml"));
        retypeKeys(d.Text4, QStringLiteral("3.5x.2"));   // digits and points only
        EXPECT_EQ(d.Text4->text(), QStringLiteral("3.5.2"));
        d.Combo1->setCurrentIndex(1);
        EXPECT_EQ(d.Combo3->currentIndex(), 1);
        d.Combo2->setCurrentIndex(d.Combo2->findText(QStringLiteral("听")));
        typeKeys(d.Text12, QStringLiteral("冷藏"));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmSPLR>());
    });
    w.Toolbar1->click(FrmSPDA::BtnAdd);
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));

    Recordset row;
    row.open(QStringLiteral("SELECT * FROM brand"));
    ASSERT_EQ(row.RecordCount(), 1);
    const QVariantList expected{"1234", " 雪碧 ", "听", 3.5, "330ml", "杂项", "", 0, 0, 0, 0, 0, 0, 0, "冷藏", "000"};
    const QStringList names{"code", "bran_name", "unit", "in_price", "type", "zl", "zl_code", "low_alert", "high_alert",
                            "norm_price", "save_num", "sum_num", "sum_price", "zhks", "bz", "proper"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(row.field(names[i]).toString(), expected[i].toString()) << qPrintable(names[i]);
    EXPECT_EQ(column(w.ListView1, 0), QStringList{QStringLiteral("1234")});
    expectModifyButtons(w, true);
}

TEST_F(GoodsTest, WithoutClassesTheTreeHasOnlyItsRootAndNewGoodsNoClass)
{
    sql(QStringLiteral("DELETE FROM sysmcwh WHERE class = 'DWL'"));
    FrmSPDA& w = window();
    EXPECT_EQ(treeTexts(w), QStringList{QStringLiteral("所有种类")});
    onDialog<FrmSPLR>([&](FrmSPLR& d) {
        EXPECT_EQ(d.Combo1->count(), 0);
        EXPECT_EQ(d.Combo2->count(), 0);
        typeKeys(d.Text1, QStringLiteral("1"));
        typeKeys(d.Text2, QStringLiteral("盐"));
        d.Command1->click();
    });
    w.Toolbar1->click(FrmSPDA::BtnAdd);
    EXPECT_EQ(goods(QStringLiteral("1"), QStringLiteral("zl")).toString(), QString());
    EXPECT_EQ(goods(QStringLiteral("1"), QStringLiteral("zl_code")).toString(), QString());
    EXPECT_EQ(goods(QStringLiteral("1"), QStringLiteral("unit")).toString(), QString());
    EXPECT_EQ(goods(QStringLiteral("1"), QStringLiteral("in_price")).toDouble(), 0.0);
}

TEST_F(GoodsTest, EntryRefusesMissingFieldsAndTakenCodesOrNames)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    addGoods(QStringLiteral("1001"), QStringLiteral("可乐"), QStringLiteral("酒水"));
    FrmSPDA& w = window();
    const QString taken = QStringLiteral("您输入的编码或商品名重复!");
    const struct { const char* code; const char* name; const char* price; const char* message; int focus; } cases[] = {
        {"", "雪碧", "2", "请输入商品编码!", 1},
        {"1002", "  ", "2", "请输入商品名称!", 2},
        {"1002", "雪碧", "", "请输入商品单价!", 4},
        {"1001", "雪碧", "2", "您输入的编码或商品名重复!", 0},   // the code is taken
        {"1002", "可乐", "2", "您输入的编码或商品名重复!", 0},   // the name, whatever the class
        {"1002", " 可乐  ", "2", "您输入的编码或商品名重复!", 0},   // the typed name trimmed
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        onDialog<FrmSPLR>([&](FrmSPLR& d) {
            d.show();
            typeKeys(d.Text1, QString::fromUtf8(c.code));
            typeKeys(d.Text2, QString::fromUtf8(c.name));
            retypeKeys(d.Text4, QString::fromUtf8(c.price));
            d.Command1->click();
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)}) << c.code << c.name;
            EXPECT_TRUE(Forms::isLoaded<FrmSPLR>());   // the dialog stays with its input
            EXPECT_EQ(d.Text2->text(), QString::fromUtf8(c.name));
            if (c.focus) {
                QWidget* focus = c.focus == 1 ? d.Text1 : c.focus == 2 ? d.Text2 : d.Text4;
                EXPECT_EQ(d.focusWidget(), focus) << c.message;
                EXPECT_EQ(lastMessage().icon, int(Msg::Information));
                EXPECT_EQ(lastMessage().title, Title);
            } else {
                EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
                EXPECT_TRUE(lastMessage().title.isEmpty());
            }
            d.Command2->click();
            EXPECT_FALSE(Forms::isLoaded<FrmSPLR>());
        });
        w.Toolbar1->click(FrmSPDA::BtnAdd);
        EXPECT_EQ(count(QStringLiteral("brand")), 1);
    }
}

TEST_F(GoodsTest, ModifyKeepsCodeAndFiguresAndRewritesTheRest)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    addClass(QStringLiteral("2"), QStringLiteral("粮油"));
    addGoods(QStringLiteral("1001"), QStringLiteral("可乐"), QStringLiteral("酒水"),
             {{"zl_code", "1"}, {"unit", "听"}, {"low_alert", 24}, {"high_alert", 240}, {"norm_price", 2.5},
              {"save_num", 3}, {"sum_num", 4}, {"sum_price", 5}, {"zhks", 6}, {"bz", "冷藏"}, {"proper", "101"}});
    addGoods(QStringLiteral("2001"), QStringLiteral("大米"), QStringLiteral("粮油"), {{"zl_code", "2"}});
    FrmSPDA& w = window();
    onDialog<FrmSPXG>([&](FrmSPXG& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("商品修改"));
        EXPECT_EQ(d.Text1->text(), QStringLiteral("1001"));
        EXPECT_TRUE(d.Text1->isReadOnly());
        EXPECT_EQ(d.Text2->text(), QStringLiteral("可乐"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("规格1001"));
        EXPECT_EQ(d.Text4->text(), QStringLiteral("2.5"));
        EXPECT_EQ(d.Text12->text(), QStringLiteral("冷藏"));
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("酒水"));
        EXPECT_EQ(d.Combo3->currentText(), QStringLiteral("1"));
        EXPECT_EQ(d.Combo2->currentText(), QStringLiteral("听"));
        EXPECT_TRUE(d.Check1->isChecked());
        EXPECT_FALSE(d.Check2->isChecked());
        EXPECT_TRUE(d.Check3->isChecked());
        retypeKeys(d.Text2, QStringLiteral("大米"));   // a name another row has: accepted
        retypeKeys(d.Text4, QStringLiteral("3"));
        d.Combo1->setCurrentIndex(d.Combo1->findText(QStringLiteral("粮油")));
        QTest::keyClick(d.Text4, Qt::Key_Return);   // Enter saves
        EXPECT_FALSE(Forms::isLoaded<FrmSPXG>());
    });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    Recordset row;
    row.open(QStringLiteral("SELECT * FROM brand WHERE code = '1001'"));
    ASSERT_EQ(row.RecordCount(), 1);
    const QStringList names{"bran_name", "unit", "in_price", "zl", "zl_code", "low_alert", "high_alert", "norm_price",
                            "save_num", "sum_num", "sum_price", "zhks", "bz", "proper"};
    const QStringList expected{"大米", "听", "3", "粮油", "2", "24", "240", "2.5", "3", "4", "5", "6", "冷藏", "101"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(row.field(names[i]).toString(), expected[i]) << qPrintable(names[i]);
    EXPECT_EQ(column(w.ListView1, 1), (QStringList{"大米", "大米"}));

    // Esc closes without writing; a row without flags gets 000 when saved.
    clickRow(w.ListView1, 1);
    onDialog<FrmSPXG>([&](FrmSPXG& d) {
        retypeKeys(d.Text2, QStringLiteral("香米"));
        QTest::keyClick(d.Text2, Qt::Key_Escape);
        EXPECT_FALSE(Forms::isLoaded<FrmSPXG>());
    });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    EXPECT_EQ(goods(QStringLiteral("2001"), QStringLiteral("bran_name")).toString(), QStringLiteral("大米"));
    onDialog<FrmSPXG>([&](FrmSPXG& d) { d.Command1->click(); });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    EXPECT_EQ(goods(QStringLiteral("2001"), QStringLiteral("proper")).toString(), QStringLiteral("000"));
}

TEST_F(GoodsTest, ModifyKeepsStoredValuesTheListsDoNotHold)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    addGoods(QStringLiteral("5001"), QStringLiteral("老商品"), QStringLiteral("旧类"),
             {{"zl_code", "9"}, {"unit", "箱"}, {"in_price", 1234.56}, {"bran_name", "名字超过十个字的老商品档案"}});
    FrmSPDA& w = window();
    onDialog<FrmSPXG>([&](FrmSPXG& d) {
        EXPECT_EQ(d.Combo1->currentIndex(), -1);
        EXPECT_EQ(d.Combo2->currentIndex(), -1);
        // Shown whole although longer than the fields allow.
        EXPECT_EQ(d.Text4->text(), QStringLiteral("1234.56"));
        EXPECT_EQ(d.Text2->text(), QStringLiteral("名字超过十个字的老商品档案"));
        typeKeys(d.Text12, QStringLiteral("改了备注"));
        d.Command1->click();
    });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    const QStringList names{"zl", "zl_code", "unit", "in_price", "bran_name", "bz"};
    const QStringList expected{"旧类", "9", "箱", "1234.56", "名字超过十个字的老商品档案", "改了备注"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(goods(QStringLiteral("5001"), names[i]).toString(), expected[i]) << qPrintable(names[i]);

    // Goods deleted by another till while the dialog was open: said so, nothing written.
    onDialog<FrmSPXG>([&](FrmSPXG& d) {
        OtherTill(dbPath()).exec(QStringLiteral("DELETE FROM brand"));
        d.Command1->click();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages().first().contains(QStringLiteral("商品5001已被删除，修改没有保存。")))
            << qPrintable(messages().first());
        EXPECT_EQ(lastMessage().title, Title);
        EXPECT_TRUE(Forms::isLoaded<FrmSPXG>());
    });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    EXPECT_EQ(count(QStringLiteral("brand")), 0);
}

TEST_F(GoodsTest, DeleteIsRefusedWhileStockInLinesOrDishesUseTheGoods)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    for (const char* code : {"1", "2", "3", "4"})
        addGoods(QString::fromLatin1(code), QStringLiteral("货") + QString::fromLatin1(code), QStringLiteral("酒水"));
    sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, id, code, num) VALUES ('20260301000000', 1, '1', 5)"));
    sql(QStringLiteral("INSERT INTO cpdetail (code, cpname, cp_spgl) VALUES ('18', '可乐', '2')"));
    // Stock-out lines and the counter row do not keep goods from being deleted.
    sql(QStringLiteral("INSERT INTO ckgl2004 (stock_bill_id, id, code, num) VALUES ('20260302000000', 1, '3', 1)"));
    sql(QStringLiteral("INSERT INTO store (code, rks, cks) VALUES ('3', 5, 1)"));
    FrmSPDA& w = window();
    const QString question = QStringLiteral("确定要删除此项吗?");
    const struct { int row; int answer; QStringList messages; bool deleted; } cases[] = {
        {0, Msg::Yes, {QStringLiteral("此商品档案已有入库记录,不可删除!")}, false},
        {1, Msg::Yes, {QStringLiteral("已有菜品与此商品关联，不可删除!")}, false},
        {2, Msg::No, {question}, false},
        {2, Msg::Yes, {question}, true},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        const QString code = w.ListView1->text(c.row);
        clickRow(w.ListView1, c.row);
        MessageSeam::answer(c.answer);
        w.Toolbar1->click(FrmSPDA::BtnDelete);
        EXPECT_EQ(messages(), c.messages) << qPrintable(code);
        EXPECT_EQ(lastMessage().title, Title);
        EXPECT_EQ(lastMessage().icon, int(c.messages.first() == question ? Msg::Question : Msg::Information));
        EXPECT_EQ(count(QStringLiteral("brand"), QStringLiteral("WHERE code = ?"), {code}), c.deleted ? 0 : 1);
    }
    EXPECT_EQ(column(w.ListView1, 0), (QStringList{"1", "2", "4"}));
    EXPECT_EQ(count(QStringLiteral("ckgl2004")), 1);
    EXPECT_EQ(count(QStringLiteral("store")), 1);

    // A stock-in line booked by another till while the question is open.
    MessageSeam::clear();
    clickRow(w.ListView1, 2);
    MessageSeam::answerWith([&] {
        OtherTill other(dbPath());
        other.exec(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, id, code, num) VALUES ('20260310000000', 1, '4', 1)"));
        return int(Msg::Yes);
    });
    w.Toolbar1->click(FrmSPDA::BtnDelete);
    EXPECT_EQ(messages(), (QStringList{question, QStringLiteral("此商品档案已有入库记录,不可删除!")}));
    EXPECT_EQ(count(QStringLiteral("brand"), QStringLiteral("WHERE code = '4'")), 1);
}

TEST_F(GoodsTest, QueryFindsFragmentsLiterallyWithinAClass)
{
    addClass(QStringLiteral("1"), QStringLiteral("酒水"));
    addClass(QStringLiteral("2"), QStringLiteral("粮油"));
    const struct { const char* code; const char* name; const char* cls; const char* type; } rows[] = {
        {"10", "可乐", "酒水", "c"}, {"1", "雪碧", "酒水", "b"}, {"21", "大米", "粮油", "a"},
        {"2", "O'Brien酒", "酒水", "d"}, {"3", "100%果汁", "酒水", "e"}, {"4", "果汁", "酒水", "f"},
    };
    for (const auto& r : rows)
        addGoods(QString::fromUtf8(r.code), QString::fromUtf8(r.name), QString::fromUtf8(r.cls),
                 {{"type", QString::fromLatin1(r.type)}});
    FrmSPDA& w = window();
    const struct { const char* code; const char* name; const char* cls; QStringList found; } cases[] = {
        {"", "", "所有种类", {"21", "1", "10", "2", "3", "4"}},   // in the order of the specification
        {"1", "", "所有种类", {"21", "1", "10"}},                  // anywhere in the code
        {"", "'", "所有种类", {"2"}},
        {"", "%", "所有种类", {"3"}},
        {"", "果汁", "酒水", {"3", "4"}},
        {"1", "", "酒水", {"1", "10"}},
    };
    for (const auto& c : cases) {
        onDialog<FrmSPCX>([&](FrmSPCX& q) {
            EXPECT_EQ(q.windowTitle(), QStringLiteral("商品查询"));
            EXPECT_EQ(q.Combo1->itemText(0), QStringLiteral("所有种类"));
            typeKeys(q.Text1, QString::fromUtf8(c.code));
            typeKeys(q.Text2, QString::fromUtf8(c.name));
            q.Combo1->setCurrentIndex(q.Combo1->findText(QString::fromUtf8(c.cls)));
            QTest::keyClick(q.Text1, Qt::Key_Return);   // Enter runs the query
            EXPECT_FALSE(Forms::isLoaded<FrmSPCX>());
        });
        w.Toolbar1->click(FrmSPDA::BtnQuery);
        EXPECT_TRUE(messages().isEmpty()) << c.code << c.name;
        EXPECT_EQ(column(w.ListView1, 0), c.found) << c.code << c.name;
        EXPECT_EQ(w.TreeView1->selectedText(), QString::fromUtf8(c.cls));
        expectModifyButtons(w, true);
    }

    // Fragments that only goods of another class match: nothing, said so,
    // with the chosen class selected in the tree.
    onDialog<FrmSPCX>([&](FrmSPCX& q) {
        EXPECT_EQ(q.Combo1->currentText(), QStringLiteral("酒水"));   // the class selected in the tree
        typeKeys(q.Text2, QStringLiteral("大米"));
        q.Command1->click();
    });
    w.Toolbar1->click(FrmSPDA::BtnQuery);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有满足条件的记录!")});
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(w.ListView1->count(), 0);
    expectModifyButtons(w, false);
    EXPECT_EQ(w.TreeView1->selectedText(), QStringLiteral("酒水"));

    // 退出 changes nothing; a click on the tree lists the class again.
    MessageSeam::clear();
    onDialog<FrmSPCX>([&](FrmSPCX& q) {
        typeKeys(q.Text1, QStringLiteral("1"));
        QTest::keyClick(q.Text1, Qt::Key_Escape);
    });
    w.Toolbar1->click(FrmSPDA::BtnQuery);
    EXPECT_EQ(w.ListView1->count(), 0);
    EXPECT_TRUE(messages().isEmpty());
    clickClass(w, QStringLiteral("所有种类"));
    clickClass(w, QStringLiteral("酒水"));
    EXPECT_EQ(column(w.ListView1, 0), (QStringList{"1", "2", "3", "4", "10"}));
}

TEST_F(GoodsTest, ClassNamesWithApostrophesWork)
{
    addClass(QStringLiteral("1"), QStringLiteral("Jack's"));
    addClass(QStringLiteral("2"), QStringLiteral("粮油"));
    addGoods(QStringLiteral("1"), QStringLiteral("威士忌"), QStringLiteral("Jack's"), {{"zl_code", "1"}});
    addGoods(QStringLiteral("2"), QStringLiteral("大米"), QStringLiteral("粮油"));
    FrmSPDA& w = window();
    clickClass(w, QStringLiteral("Jack's"));
    EXPECT_EQ(column(w.ListView1, 1), QStringList{QStringLiteral("威士忌")});
    onDialog<FrmSPCX>([&](FrmSPCX& q) {
        EXPECT_EQ(q.Combo1->currentText(), QStringLiteral("Jack's"));
        q.Command1->click();
    });
    w.Toolbar1->click(FrmSPDA::BtnQuery);
    EXPECT_EQ(column(w.ListView1, 0), QStringList{QStringLiteral("1")});
    onDialog<FrmSPXG>([&](FrmSPXG& d) {
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("Jack's"));
        retypeKeys(d.Text2, QStringLiteral("O'Brien"));
        d.Command1->click();
    });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    EXPECT_EQ(goods(QStringLiteral("1"), QStringLiteral("bran_name")).toString(), QStringLiteral("O'Brien"));
    EXPECT_EQ(goods(QStringLiteral("1"), QStringLiteral("zl")).toString(), QStringLiteral("Jack's"));
    EXPECT_EQ(column(w.ListView1, 1), QStringList{QStringLiteral("O'Brien")});
}

TEST_F(GoodsTest, ADatabaseErrorRollsBackAndLeavesTheDialogOpen)
{
    addGoods(QStringLiteral("1"), QStringLiteral("大米"), QString());
    FrmSPDA& w = window();
    sql(QStringLiteral("CREATE TRIGGER brand_full BEFORE INSERT ON brand BEGIN SELECT RAISE(ABORT, 'disk is full'); END"));
    sql(QStringLiteral("CREATE TRIGGER brand_locked BEFORE DELETE ON brand BEGIN SELECT RAISE(ABORT, 'file is locked'); END"));
    onDialog<FrmSPLR>([&](FrmSPLR& d) {
        typeKeys(d.Text1, QStringLiteral("2"));
        typeKeys(d.Text2, QStringLiteral("盐"));
        d.Command1->click();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages().first().contains(QStringLiteral("disk is full")));
        EXPECT_EQ(lastMessage().title, Title);
        EXPECT_TRUE(Forms::isLoaded<FrmSPLR>());
    });
    w.Toolbar1->click(FrmSPDA::BtnAdd);
    EXPECT_EQ(count(QStringLiteral("brand")), 1);
    MessageSeam::clear();
    w.Toolbar1->click(FrmSPDA::BtnDelete);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().contains(QStringLiteral("file is locked")));
    EXPECT_EQ(count(QStringLiteral("brand")), 1);
    EXPECT_EQ(w.ListView1->count(), 1);
}

TEST_F(GoodsTest, PriceIsTheLeadingNumberOfItsField)
{
    const struct { const char* typed; const char* value; } cases[] = {
        {"12.5.3", "12.5"}, {"7kg", "7"}, {"", "0"}, {"abc", "0"}, {".5", "0.5"}, {"3.", "3"}, {".", "0"}, {" 4.25 ", "4.25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Money::leadingValue(QString::fromLatin1(c.typed)).plain(), QString::fromLatin1(c.value)) << c.typed;
}

TEST_F(GoodsTest, ScreenshotsOfTheWindowAndItsDialogs)
{
    ASSERT_NO_THROW(Db::runScript(Db::shared(), Db::demoScript()));
    FrmSPDA& w = window();
    screenshot(&w, QStringLiteral("goods-records"));
    onDialog<FrmSPLR>([&](FrmSPLR& d) { screenshot(&d, QStringLiteral("goods-entry")); });
    w.Toolbar1->click(FrmSPDA::BtnAdd);
    onDialog<FrmSPXG>([&](FrmSPXG& d) { screenshot(&d, QStringLiteral("goods-modify")); });
    w.Toolbar1->click(FrmSPDA::BtnModify);
    onDialog<FrmSPCX>([&](FrmSPCX& d) { screenshot(&d, QStringLiteral("goods-query")); });
    w.Toolbar1->click(FrmSPDA::BtnQuery);
}
