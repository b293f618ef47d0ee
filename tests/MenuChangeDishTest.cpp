// The change-dish dialog: loaded from the dish manager's selected row and the
// stored dish, its checks, the row it rewrites and the list row it writes back.
#include "menu/FrmXGCP.h"
#include "tests/MenuFixture.h"

namespace {

class ChangeDishTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        addCategories();
        DishRow a{QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101"), 32.3, 0.85,
                  QStringLiteral("1"), QStringLiteral("缺货")};
        a.basePrice = 38;
        a.marketPrice = QStringLiteral("2");
        a.part = QStringLiteral("凉菜间");
        a.memo = QStringLiteral(" 微辣 ");
        a.goods = QStringLiteral("1001");
        a.ratio = 2;
        addDish(a);
        sql(QStringLiteral("UPDATE cpdetail SET spellcode = 'GBJD'"));
        DishRow b{QStringLiteral("2"), QStringLiteral("烤串"), QStringLiteral("102"), QVariant(), 1};
        b.unit = QStringLiteral("例");
        b.part = QStringLiteral("烧烤间");
        b.basePrice = QVariant();
        addDish(b);
    }
    // Opens the change dialog on the dish of code from the dish manager.
    void changeDish(const QString& code, const std::function<void(FrmXGCP&)>& fn)
    {
        clickRow(manager().ListView1, manager().ListView1->findKey(code));
        fromManager<FrmXGCP>(FrmCPGL::BtnEdit, fn);
    }
    QStringList listRow(const QString& code)
    {
        const ListView* list = manager().ListView1;
        const int row = list->findKey(code);
        QStringList cells{list->text(row)};
        for (int c = 1; c < 11; ++c)
            cells << list->subItem(row, c);
        return cells;
    }
};

} // namespace

TEST_F(ChangeDishTest, OpensWithTheSelectedRowAndTheStoredDish)
{
    changeDish(QStringLiteral("1"), [&](FrmXGCP& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("修改菜品"));
        EXPECT_EQ(d.Label[1]->text(), QStringLiteral("编 　 码"));
        EXPECT_EQ(d.Check1->text(), QStringLiteral("清除库存商品关联"));
        EXPECT_EQ(d.defaultButton, d.Command1);
        EXPECT_EQ(d.cancelButton, d.Command2);
        ASSERT_EQ(d.Combo1->count(), 1);
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("川菜"));
        EXPECT_FALSE(d.Combo1->isEnabled());
        EXPECT_EQ(d.Text1->text(), QStringLiteral("1"));
        EXPECT_FALSE(d.Text1->isEnabled());
        EXPECT_EQ(d.Text2->text(), QStringLiteral("宫保鸡丁"));
        EXPECT_EQ(d.Combo2->currentText(), QStringLiteral("份"));
        EXPECT_EQ(d.Text9->text(), QStringLiteral("38.00"));
        EXPECT_EQ(d.Text10->text(), QStringLiteral("85"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("32.30"));   // as listed, not recomputed
        EXPECT_EQ(d.Combo3->currentText(), QStringLiteral("凉菜间"));
        EXPECT_EQ(d.Text6->toPlainText(), QStringLiteral(" 微辣 "));   // as stored, not as listed
        EXPECT_EQ(d.Text7->text(), QStringLiteral("GBJD"));
        EXPECT_TRUE(d.Option2->isChecked());
        EXPECT_EQ(d.Text8[0]->text(), QStringLiteral("1001"));
        EXPECT_EQ(d.Text8[1]->text(), QStringLiteral("2"));
        EXPECT_FALSE(d.Text8[0]->isEnabled());
        EXPECT_FALSE(d.Check1->isChecked());
        EXPECT_FALSE(d.Check2->isChecked());
        EXPECT_FALSE(d.TreeView1->isVisible());
        EXPECT_EQ(d.focusWidget(), d.Text2);
        QWidget* const order[] = {d.Combo1, d.Text1, d.Text2, d.Combo2, d.Text9, d.Text10, d.Text3, d.Combo3,
                                  d.Text6, d.Check2, d.Check1, d.Text8[0], d.Text8[1], d.Command1, d.Command2};
        for (size_t i = 0; i + 1 < std::size(order); ++i)
            EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << i;
        screenshot(&d, QStringLiteral("menu-change-dish"));
        // The memo box cuts at 50 characters; editing the rate reprices.
        d.Text6->setPlainText(QString(60, u'字'));
        EXPECT_EQ(d.Text6->toPlainText().size(), 50);
        d.Text10->setText(QStringLiteral("50"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("19.00"));
        d.Command2->click();
    });
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_danwei")), QStringLiteral("0.85"));
}

TEST_F(ChangeDishTest, SaveRewritesTheDishAndItsListRowInPlace)
{
    sql(QStringLiteral("UPDATE cpdetail SET cp_danwei = 0.85 WHERE code = '1'"));
    changeDish(QStringLiteral("1"), [&](FrmXGCP& d) {
        // Another till adds a dish meanwhile: the list is not reloaded.
        addDish({QStringLiteral("3"), QStringLiteral("新来的"), QStringLiteral("101")});
        d.Text2->clear();
        typeKeys(d.Text2, QStringLiteral("宫爆鸡丁"));
        QTest::keyClick(d.Text2, Qt::Key_Return);   // Enter is the OK
        EXPECT_FALSE(Forms::isLoaded<FrmXGCP>());
    });
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    expectRow(QStringLiteral("cpdetail"), QStringLiteral("1"), {
        {"code", "1"}, {"cpname", "宫爆鸡丁"}, {"spellcode", "GBJD"}, {"cp_classid", "101"}, {"cp_type", "份"},
        {"base_price", "38"}, {"cp_danwei", "0.85"}, {"cp_price", "32.3"}, {"real_price", "0"}, {"cp_part", "凉菜间"},
        {"cp_memo", " 微辣 "}, {"cp_status", "1"}, {"ty_reason", "缺货"}, {"cp_spgl", "1001"}, {"cp_glbl", "2"},
    });
    EXPECT_EQ(listRow(QStringLiteral("1")),
              (QStringList{"1", "宫爆鸡丁", "份", "38.00", "85%", "32.30", "否", "是", "川菜", "缺货", " 微辣 "}));
    EXPECT_EQ(manager().ListView1->count(), 2);
}

TEST_F(ChangeDishTest, ADishStoredWithBlanksAroundItsCodeIsSavedByItsStoredCode)
{
    addDish({QStringLiteral(" 7 "), QStringLiteral("凉面"), QStringLiteral("101")});
    changeDish(QStringLiteral(" 7 "), [&](FrmXGCP& d) {
        EXPECT_EQ(d.Text1->text(), QStringLiteral("7"));   // shown as the list shows it
        d.Text2->clear();
        typeKeys(d.Text2, QStringLiteral("冷面"));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmXGCP>());
    });
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    EXPECT_EQ(dishField(QStringLiteral(" 7 "), QStringLiteral("cpname")), QStringLiteral("冷面"));
    EXPECT_EQ(listRow(QStringLiteral(" 7 "))[FrmCPGL::ColName], QStringLiteral("冷面"));
}

TEST_F(ChangeDishTest, LinkIsSetClearedOrKept)
{
    const struct { bool define, clear; const char* code; const char* ratio; const char* spgl; const char* glbl; } cases[] = {
        {false, true, "1001", "2", " ", "0"},     // cleared, whatever the boxes show
        {true, false, " ", "0", " ", "0"},       // the stored blank of a cleared link, written again
        {true, false, " 1002 ", "1.5", "1002", "1.5"},
        {false, false, "9999", "9", "1002", "1.5"},   // neither ticked: as stored
    };
    for (const auto& c : cases) {
        changeDish(QStringLiteral("1"), [&](FrmXGCP& d) {
            if (c.define)
                d.Check2->click();
            if (c.clear)
                d.Check1->click();
            d.Text8[0]->setText(QString::fromUtf8(c.code));
            d.Text8[1]->setText(QString::fromUtf8(c.ratio));
            d.Command1->click();
            EXPECT_FALSE(Forms::isLoaded<FrmXGCP>()) << c.code;
        });
        EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_spgl")), QString::fromUtf8(c.spgl)) << c.code;
        EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_glbl")), QString::fromUtf8(c.glbl)) << c.code;
    }
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
}

TEST_F(ChangeDishTest, RefusalsInTheirOrderWriteNothing)
{
    const QString before = snapshot();
    changeDish(QStringLiteral("1"), [&](FrmXGCP& d) {
        d.Check2->click();
        d.Check1->click();
        d.Text8[0]->clear();
        d.Text10->setText(QStringLiteral("150"));
        d.Command1->click();                              // goods code missing comes first
        d.Text8[0]->setText(QStringLiteral("1002"));
        d.Command1->click();                              // the rate
        d.Text10->setText(QStringLiteral("101"));
        d.Command1->click();
        d.Text10->setText(QStringLiteral("100"));
        d.Command1->click();                              // both links
        d.Check1->click();
        d.Text9->setText(QStringLiteral("1.2.3"));
        d.Text8[1]->setText(QStringLiteral("1..2"));
        d.Command1->click();                              // base price not a number
        d.Text9->setText(QStringLiteral("40"));
        d.Command1->click();                              // ratio not a number
        EXPECT_TRUE(Forms::isLoaded<FrmXGCP>());
        EXPECT_EQ(snapshot(), before);
        d.Text8[1]->setText(QStringLiteral("1"));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmXGCP>());
    });
    EXPECT_EQ(messages(), (QStringList{"商品编号和比例必须输入！", "打折率不可大于100!", "打折率不可大于100!",
                                       "请选择正确的商品关联！", "基本价格必须是数字!", "关联比例必须是数字!"}));
    const int icons[] = {Msg::Exclamation, Msg::NoIcon, Msg::NoIcon, Msg::Exclamation, Msg::Exclamation, Msg::Exclamation};
    for (size_t i = 0; i < MessageSeam::messages().size(); ++i) {
        EXPECT_EQ(MessageSeam::messages()[i].icon, icons[i]) << i;
        EXPECT_TRUE(MessageSeam::messages()[i].title.isEmpty()) << i;
    }
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_danwei")), QStringLiteral("1"));
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_price")), QStringLiteral("40"));
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_spgl")), QStringLiteral("1002"));
}

TEST_F(ChangeDishTest, StoredValuesTheDialogCannotShowAreKept)
{
    changeDish(QStringLiteral("2"), [&](FrmXGCP& d) {
        // A unit and a department the lists no longer offer, and no prices.
        EXPECT_EQ(d.Combo2->currentText(), QStringLiteral("例"));
        EXPECT_EQ(d.Combo3->currentText(), QStringLiteral("烧烤间"));
        EXPECT_EQ(d.Text9->text(), QString());
        EXPECT_EQ(d.Text3->text(), QString());
        d.Command1->click();
    });
    EXPECT_EQ(dishField(QStringLiteral("2"), QStringLiteral("cp_type")), QStringLiteral("例"));
    EXPECT_EQ(dishField(QStringLiteral("2"), QStringLiteral("cp_part")), QStringLiteral("烧烤间"));
    EXPECT_EQ(dishField(QStringLiteral("2"), QStringLiteral("cp_price")), QStringLiteral("<null>"));
    EXPECT_EQ(dishField(QStringLiteral("2"), QStringLiteral("base_price")), QStringLiteral("0"));
    // A price typed in then counts.
    changeDish(QStringLiteral("2"), [&](FrmXGCP& d) {
        typeKeys(d.Text9, QStringLiteral("18"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("18.00"));
        d.Command1->click();
    });
    EXPECT_EQ(dishField(QStringLiteral("2"), QStringLiteral("cp_price")), QStringLiteral("18"));
    EXPECT_EQ(listRow(QStringLiteral("2"))[FrmCPGL::ColPrice], QStringLiteral("18.00"));
}

TEST_F(ChangeDishTest, ADishDeletedMeanwhileIsSaidAndTheListReloaded)
{
    changeDish(QStringLiteral("2"), [&](FrmXGCP& d) {
        sql(QStringLiteral("DELETE FROM cpdetail WHERE code = '2'"));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmXGCP>());
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("此菜品已被删除!")});
    EXPECT_EQ(column(manager().ListView1, 0), QStringList{"1"});
    EXPECT_EQ(count(QStringLiteral("cpdetail")), 1);
}

// The quick code is carried as stored: leaving the name box, after a rename or
// on the way to another box, never recomputes it.
TEST_F(ChangeDishTest, TheStoredQuickCodeIsKeptWhateverTheNameBoxDoes)
{
    struct Case {
        const char* what;
        QString name;   // empty: the name is left as it is
        bool leaveWithTab;
    };
    const Case cases[] = {
        {"price only, passing through the name box", {}, true},
        {"renamed, left with Tab", QStringLiteral("炸排骨"), true},
        {"renamed, saved with a click", QStringLiteral("炸排骨"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sql(QStringLiteral("UPDATE cpdetail SET spellcode = 'GB' WHERE code = '1'"));
        changeDish(QStringLiteral("1"), [&](FrmXGCP& d) {
            ASSERT_EQ(d.focusWidget(), d.Text2);
            if (!c.name.isEmpty()) {
                d.Text2->clear();
                typeKeys(d.Text2, c.name);
            }
            if (c.leaveWithTab) {
                QTest::keyClick(d.Text2, Qt::Key_Tab);
                d.Text9->setFocus(Qt::TabFocusReason);
                d.Text9->clear();
                typeKeys(d.Text9, QStringLiteral("40"));
                EXPECT_EQ(d.Text7->text(), QStringLiteral("GB"));
            }
            QTest::mouseClick(d.Command1, Qt::LeftButton);
            EXPECT_FALSE(Forms::isLoaded<FrmXGCP>());
        });
        EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
        EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("spellcode")), QStringLiteral("GB"));
    }
}
