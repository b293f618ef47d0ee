// The new-dish dialog: its controls, the proposed code from the counter file,
// the sale price, the quick code, the checks of a save, the dish row, and the
// goods links picked by hand or made from the dish.
#include <QDir>
#include <QFile>
#include "menu/AutoCodeFile.h"
#include "menu/FrmXZCP.h"
#include "menu/MenuRecords.h"
#include "platform/KeyFilters.h"
#include "tests/MenuFixture.h"

namespace {

class NewDishTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        addCategories();
    }
    // Opens the new-dish dialog from the dish manager and runs fn in it.
    void newDish(const std::function<void(FrmXZCP&)>& fn) { fromManager<FrmXZCP>(FrmCPGL::BtnNew, fn); }
    // Types the name as a user and leaves the box, which sets the quick code.
    static void typeName(FrmXZCP& d, const QString& name)
    {
        d.Text2->setFocus();
        typeKeys(d.Text2, name);
        d.Text6->setFocus();
    }
    void writeCounter(const QString& fileName, const QByteArray& content)
    {
        QFile f(QDir(programFolder()).filePath(fileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray counter(const QString& fileName = AutoCodeFile::FileName)
    {
        QFile f(QDir(programFolder()).filePath(fileName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<none>");
    }
    QString goodsField(const QString& code, const QString& column) { return field(QStringLiteral("brand"), code, column); }
    void addGoodsClass(const QVariant& cls, const QVariant& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO BrandClass (class, CODE, CONTENT, sts, CODEFJ) VALUES (?, ?, ?, 'A', '')"),
            {cls, code, name});
    }
    void addGoods(const QString& code, const QString& name, const QVariant& classCode, const QString& className)
    {
        sql(QStringLiteral("INSERT INTO brand (code, bran_name, zl_code, zl) VALUES (?, ?, ?, ?)"),
            {code, name, classCode, className});
    }
};

} // namespace

TEST_F(NewDishTest, DialogOpensWithItsControlsLimitsAndKeys)
{
    newDish([&](FrmXZCP& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("新增菜品"));
        EXPECT_EQ(d.Frame1->title(), QStringLiteral("菜品基本信息"));
        EXPECT_EQ(d.Frame2->title(), QStringLiteral("菜品其他信息"));
        const QStringList labels{"选择类别", "编    码", "菜品名称", "计量单位", "基本价格", "打折率", "售    价",
                                 "出品部门", "备    注", "拼 音 码", "时    价", "商品编号", "关联比例"};
        for (int i = 0; i < 13; ++i)
            EXPECT_EQ(d.Label[i]->text(), labels[i]) << i;
        EXPECT_EQ(d.Check3->text(), QStringLiteral("自动库存商品关联 "));
        EXPECT_EQ(d.Check2->text(), QStringLiteral("定义库存商品关联"));
        EXPECT_EQ(d.Command1->text(), QStringLiteral("确定(&O)"));
        EXPECT_EQ(d.Command2->text(), QStringLiteral("取消(&C)"));
        EXPECT_EQ(d.defaultButton, nullptr);
        EXPECT_EQ(d.cancelButton, nullptr);

        // What it shows at opening: the sub-categories alone, in code order.
        ASSERT_EQ(d.Combo1->count(), 3);
        EXPECT_EQ(d.Combo1->itemText(0), QStringLiteral("[101]川菜"));
        EXPECT_EQ(d.Combo1->itemText(2), QStringLiteral("[201]饮料"));
        EXPECT_EQ(d.Combo1->currentIndex(), 0);
        EXPECT_EQ(d.Combo2->currentText(), QStringLiteral("份"));
        EXPECT_EQ(d.Combo2->count(), 12);
        EXPECT_EQ(d.Combo3->currentText(), QStringLiteral("热菜间"));
        EXPECT_FALSE(d.Combo1->isEditable());
        EXPECT_EQ(d.Text1->text(), QStringLiteral("1"));
        EXPECT_EQ(d.Text9->text(), QStringLiteral("1"));
        EXPECT_EQ(d.Text10->text(), QStringLiteral("100"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("1.00"));
        EXPECT_FALSE(d.Text3->isEnabled());
        EXPECT_TRUE(d.Option2->isChecked());
        EXPECT_FALSE(d.Check2->isChecked());
        EXPECT_FALSE(d.Check3->isChecked());
        EXPECT_FALSE(d.Text8[0]->isEnabled());
        EXPECT_FALSE(d.Text8[1]->isEnabled());
        EXPECT_EQ(d.Text8[1]->text(), QStringLiteral("1"));
        for (QWidget* hidden : std::initializer_list<QWidget*>{d.Text7, d.Option1, d.Option2, d.TreeView1})
            EXPECT_FALSE(hidden->isVisible());
        EXPECT_EQ(d.focusWidget(), d.Combo1);
        for (QLineEdit* right : {d.Text9, d.Text10, d.Text3, d.Text8[1]})
            EXPECT_TRUE(right->alignment() & Qt::AlignRight);

        const std::pair<QLineEdit*, int> limits[] = {{d.Text1, 6}, {d.Text2, 7}, {d.Text9, 8}, {d.Text10, 3},
                                                     {d.Text6, 50}, {d.Text8[0], 8}, {d.Text8[1], 4}};
        for (const auto& [box, limit] : limits)
            EXPECT_EQ(MaxLengthOf(box), limit);
        QWidget* const order[] = {d.Combo1, d.Text1, d.Text2, d.Combo2, d.Text9, d.Text10, d.Combo3, d.Text6,
                                  d.Check3, d.Check2, d.Text8[0], d.Text8[1], d.Command1, d.Command2};
        for (size_t i = 0; i + 1 < std::size(order); ++i)
            EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << i;

        // Keys each box lets through.
        d.Check2->click();
        const struct { QLineEdit* box; const char* typed; const char* kept; } keys[] = {
            {d.Text1, "a1.b2", "12"}, {d.Text10, "1a.5", "15"}, {d.Text9, "x1.5y", "1.5"}, {d.Text8[1], "2.5x", "2.5"},
        };
        for (const auto& k : keys) {
            k.box->clear();
            typeKeys(k.box, QString::fromUtf8(k.typed));
            EXPECT_EQ(k.box->text(), QString::fromUtf8(k.kept)) << k.typed;
        }
        // The base price and the code are selected whole when the box is entered.
        d.Text9->setText(QStringLiteral("12.5"));
        d.Text9->setFocus();
        processEvents();
        EXPECT_EQ(d.Text9->selectedText(), QStringLiteral("12.5"));
        d.Text1->setFocus();
        processEvents();
        EXPECT_EQ(d.Text1->selectedText(), QStringLiteral("12"));
        // The automatic link closes the other frame, and unticking opens it again.
        d.Check3->click();
        EXPECT_FALSE(d.Frame2->isEnabled());
        EXPECT_FALSE(d.Check2->isEnabled());
        d.Check3->click();
        EXPECT_TRUE(d.Text8[0]->isEnabled());
        d.Check2->click();
        EXPECT_FALSE(d.Text8[0]->isEnabled());
        screenshot(&d, QStringLiteral("menu-new-dish"));
    });
}

TEST_F(NewDishTest, InputsWaitForASubCategory)
{
    sql(QStringLiteral("DELETE FROM cpclass WHERE parentcode <> '0'"));
    newDish([&](FrmXZCP& d) {
        EXPECT_EQ(d.Combo1->count(), 0);
        for (QWidget* w : std::initializer_list<QWidget*>{d.Text1, d.Text2, d.Combo2, d.Combo3, d.Text6})
            EXPECT_FALSE(w->isEnabled());
        EXPECT_TRUE(d.Text9->isEnabled());
        EXPECT_TRUE(d.Text10->isEnabled());
        d.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("编号和品名必须输入！")});
    });
    EXPECT_EQ(count(QStringLiteral("cpdetail")), 0);
}

TEST_F(NewDishTest, CounterFileProposesTheNextCode)
{
    const struct { const char* content; const char* next; } cases[] = {
        {"", "1"}, {"garbage", "1"}, {"105\r\n", "106"}, {"  105,x\r\n7\r\n", "106"}, {"099", "100"},
        {"1.5", "2.5"}, {"300\r\n", "301"}, {"999999", "1000000"}, {",5", "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoCodeFile::nextCode(QString::fromUtf8(c.content)), QString::fromUtf8(c.next)) << c.content;

    const struct { const char* file; const char* content; const char* shown; } files[] = {
        {nullptr, nullptr, "1"},                    // no file
        {"AutoCode.text", "garbage", "1"},
        {"AutoCode.text", "105\r\n", "106"},
        {"Autocode.text", "41\r\n", "42"},          // found whatever the case of its name
        {"AutoCode.text", "999999\r\n", ""},        // too long for the box: the user types one
    };
    for (const auto& f : files) {
        for (const QString& name : QDir(programFolder()).entryList(QDir::Files))
            QFile::remove(QDir(programFolder()).filePath(name));
        if (f.file)
            writeCounter(QString::fromUtf8(f.file), f.content);
        newDish([&](FrmXZCP& d) { EXPECT_EQ(d.Text1->text(), QString::fromUtf8(f.shown)) << (f.file ? f.file : "none"); });
    }

    // Choosing a category proposes afresh, over a typed code.
    newDish([&](FrmXZCP& d) {
        d.Text1->clear();
        typeKeys(d.Text1, QStringLiteral("77"));
        d.Combo1->setCurrentIndex(2);
        emit d.Combo1->activated(2);
        EXPECT_EQ(d.Text1->text(), QString());   // the counter still holds 999999
    });
    writeCounter(QStringLiteral("AutoCode.text"), "8\r\n");
    newDish([&](FrmXZCP& d) {
        d.Text1->setText(QStringLiteral("77"));
        emit d.Combo1->activated(0);
        EXPECT_EQ(d.Text1->text(), QStringLiteral("9"));
    });
}

TEST_F(NewDishTest, SavedWithATypedCodeTheDishAndTheCounterAreWritten)
{
    writeCounter(QStringLiteral("Autocode.text"), "105\r\n");
    newDish([&](FrmXZCP& d) {
        d.Text1->clear();
        typeKeys(d.Text1, QStringLiteral("300"));
        // The quick code follows the name each time the box is left.
        typeName(d, QStringLiteral("宫保"));
        EXPECT_EQ(d.Text7->text(), QStringLiteral("GB"));
        typeName(d, QStringLiteral("鸡丁"));
        EXPECT_EQ(d.Text7->text(), QStringLiteral("GBJD"));
        d.Combo2->setCurrentIndex(2);
        d.Text9->clear();
        typeKeys(d.Text9, QStringLiteral("12.5"));
        d.Text10->clear();
        typeKeys(d.Text10, QStringLiteral("80"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("10.00"));
        d.Combo3->setCurrentIndex(1);
        typeKeys(d.Text6, QStringLiteral("O'Brien 推荐"));
        // Enter saves only in the department list; Esc closes nothing.
        QTest::keyClick(d.Text2, Qt::Key_Return);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(Forms::isLoaded<FrmXZCP>());
        EXPECT_EQ(count(QStringLiteral("cpdetail")), 0);
        QTest::keyClick(d.Combo3, Qt::Key_Return);
        EXPECT_FALSE(Forms::isLoaded<FrmXZCP>());
    });
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    expectRow(QStringLiteral("cpdetail"), QStringLiteral("300"), {
        {"code", "300"}, {"cpname", "宫保鸡丁"}, {"spellcode", "GBJD"}, {"cp_classid", "101"}, {"cp_type", "只"},
        {"base_price", "12.5"}, {"cp_danwei", "0.8"}, {"cp_price", "10"}, {"real_price", "0"}, {"cp_part", "凉菜间"},
        {"cp_memo", "O'Brien 推荐"}, {"cp_status", "<null>"}, {"ty_date", "<null>"}, {"ty_reason", "<null>"},
        {"cp_spgl", "<null>"}, {"cp_glbl", "<null>"},
    });
    // One counter file, whatever the case of its name, holds the saved code.
    EXPECT_EQ(counter(QStringLiteral("Autocode.text")), QByteArrayLiteral("300\r\n"));
    EXPECT_EQ(QDir(programFolder()).entryList(QDir::Files).size(), 1);
    // The manager lists the new dish.
    EXPECT_EQ(column(manager().ListView1, 0), QStringList{"300"});
    newDish([&](FrmXZCP& d) { EXPECT_EQ(d.Text1->text(), QStringLiteral("301")); });
}

TEST_F(NewDishTest, SalePriceFollowsBasePriceAndRate)
{
    const struct { const char* base; const char* rate; const char* price; } cases[] = {
        {"12.5", "80", "10.00"},    {"0.25", "50", "0.12"},  // an exact half goes to the even digit
        {"0.75", "50", "0.38"},     {"2.03", "50", "1.01"},  // 1.015 in double precision is below the half
        {"1280", "100", "1280.00"}, {"", "100", "0.00"},     {".", "100", "0.00"}, {"9.999", "100", "10.00"},
        {"99999999", "100", "99999999.00"}, {"1.2.3", "100", "1.20"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Menu::SalePriceRule(QString::fromUtf8(c.base), QString::fromUtf8(c.rate)), QString::fromUtf8(c.price))
            << c.base << " x " << c.rate;

    newDish([&](FrmXZCP& d) {
        d.Text9->clear();
        typeKeys(d.Text9, QStringLiteral("1280"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("1280.00"));
        d.Text10->clear();
        EXPECT_EQ(d.Text3->text(), QStringLiteral("0.00"));
        typeKeys(d.Text10, QStringLiteral("150"));
        typeName(d, QStringLiteral("龙虾"));
        d.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("打折率不可大于100!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
        EXPECT_TRUE(lastMessage().title.isEmpty());
        d.Text10->clear();
        typeKeys(d.Text10, QStringLiteral("100"));
        d.Text9->clear();   // an empty base price is 0
        d.Command1->click();
    });
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_danwei")), QStringLiteral("1"));
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("base_price")), QStringLiteral("0"));
    EXPECT_EQ(dishField(QStringLiteral("1"), QStringLiteral("cp_price")), QStringLiteral("0"));
}

TEST_F(NewDishTest, SaveRefusalsInOrderLeaveEveryTableUnchanged)
{
    addDish({QStringLiteral("9"), QStringLiteral("可乐"), QStringLiteral("201")});
    const QString before = snapshot();
    // Empty code lists: no unit, then no department.
    sql(QStringLiteral("CREATE TABLE keep_lists AS SELECT * FROM sysmcwh"));
    sql(QStringLiteral("DELETE FROM sysmcwh WHERE class IN ('DWL', 'CPBML')"));
    newDish([&](FrmXZCP& d) {
        typeName(d, QStringLiteral("新菜"));
        d.Command1->click();
    });
    sql(QStringLiteral("INSERT INTO sysmcwh SELECT * FROM keep_lists WHERE class = 'DWL'"));
    newDish([&](FrmXZCP& d) {
        typeName(d, QStringLiteral("新菜"));
        d.Command1->click();
    });
    EXPECT_EQ(messages(), (QStringList{"请选择单位", "请添写出品部门！"}));
    sql(QStringLiteral("INSERT INTO sysmcwh SELECT * FROM keep_lists WHERE class = 'CPBML'"));

    MessageSeam::clear();
    newDish([&](FrmXZCP& d) {
        // Each fault in turn, then put right.
        d.Command1->click();                                   // no name
        typeName(d, QStringLiteral("新菜"));
        d.Text1->clear();
        d.Command1->click();                                   // no code
        d.Text1->setText(QStringLiteral("9"));
        d.Text3->clear();
        d.Command1->click();                                   // no sale price
        d.Text10->setText(QStringLiteral("150"));              // the rate comes after the links
        d.Check2->click();
        d.Check3->click();
        d.Command1->click();                                   // both links, even with no goods code
        d.Check3->click();
        d.Text8[1]->clear();
        typeKeys(d.Text8[0], QStringLiteral("1001"));
        d.Command1->click();                                   // manual link without ratio
        typeKeys(d.Text8[1], QStringLiteral("1..2"));
        d.Command1->click();                                   // rate
        d.Text10->setText(QStringLiteral("90"));
        d.Text9->setText(QStringLiteral("1.2.3"));
        d.Command1->click();                                   // base price not a number
        d.Text9->setText(QStringLiteral("20"));
        d.Command1->click();                                   // ratio not a number
        d.Text8[1]->setText(QStringLiteral("1"));
        d.Command1->click();                                   // the code is in use
        d.Text1->setText(QStringLiteral("10"));
        d.Text2->setText(QStringLiteral("可乐"));
        d.Command1->click();                                   // so is the name
        EXPECT_TRUE(Forms::isLoaded<FrmXZCP>());
    });
    const QStringList expected{
        "编号和品名必须输入！", "编号和品名必须输入！", "请输入售价！", "请选择正确的商品关联！",
        "商品编号和比例必须输入！", "打折率不可大于100!", "基本价格必须是数字!", "关联比例必须是数字!",
        "编码[9]或菜品名称[新菜]已存在!", "编码[10]或菜品名称[可乐]已存在!",
    };
    EXPECT_EQ(messages(), expected);
    const auto& all = MessageSeam::messages();
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].icon, i == 5 ? int(Msg::NoIcon) : int(Msg::Exclamation)) << i;
        EXPECT_EQ(all[i].title, i >= 8 ? QStringLiteral("提示") : QString()) << i;
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(counter(), QByteArrayLiteral("<none>"));
}

TEST_F(NewDishTest, AutomaticLinkWritesGoodsAndOneClassPerCategoryName)
{
    addGoodsClass(QStringLiteral("SPZL"), QStringLiteral("1"), QStringLiteral("酒水饮料"));
    addGoodsClass(QStringLiteral("SPZL"), QStringLiteral("3"), QStringLiteral("肉禽"));
    addGoodsClass(QStringLiteral("SPZL"), QVariant(), QStringLiteral("杂项"));   // stays without a code
    addGoodsClass(QStringLiteral("spzl"), QStringLiteral("7"), QStringLiteral("饮料"));
    addGoodsClass(QStringLiteral("CKH"), QStringLiteral("2"), QStringLiteral("川菜"));   // not a goods class
    const auto autoLinked = [&](const QString& code, const QString& name, int category) {
        newDish([&](FrmXZCP& d) {
            d.Combo1->setCurrentIndex(category);
            emit d.Combo1->activated(category);
            d.Text1->setText(code);
            typeName(d, name);
            d.Text9->setText(QStringLiteral("12.5"));
            d.Text10->setText(QStringLiteral("80"));
            d.Check3->click();
            d.Command1->click();
            EXPECT_FALSE(Forms::isLoaded<FrmXZCP>());
        });
    };
    autoLinked(QStringLiteral("21"), QStringLiteral("水煮鱼"), 0);   // 川菜: a new class, code 2
    autoLinked(QStringLiteral("22"), QStringLiteral("回锅肉"), 0);   // the same class again
    autoLinked(QStringLiteral("23"), QStringLiteral("橙汁"), 2);     // 饮料: stored as 'spzl'
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));

    EXPECT_EQ(count(QStringLiteral("BrandClass"), QStringLiteral("WHERE CONTENT = '川菜' AND class = 'SPZL'")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT CODE || '/' || sts || '/' || CODEFJ FROM BrandClass WHERE CONTENT = '川菜' "
                                   "AND class = 'SPZL'")).toString(),
              QStringLiteral("2/A/"));
    EXPECT_EQ(count(QStringLiteral("BrandClass")), 6);
    EXPECT_TRUE(value(QStringLiteral("SELECT CODE FROM BrandClass WHERE CONTENT = '杂项'")).isNull());
    expectRow(QStringLiteral("brand"), QStringLiteral("21"), {
        {"bran_name", "水煮鱼"}, {"zl", "川菜"}, {"zl_code", "2"}, {"unit", "份"}, {"norm_price", "10"},
        {"in_price", "10"}, {"type", " "}, {"low_alert", "0"}, {"high_alert", "0"}, {"save_num", "1"},
        {"sum_num", "0"}, {"sum_price", "0"}, {"zhks", "0"}, {"bz", " "}, {"proper", "<null>"},
    });
    EXPECT_EQ(goodsField(QStringLiteral("22"), QStringLiteral("zl_code")), QStringLiteral("2"));
    EXPECT_EQ(goodsField(QStringLiteral("23"), QStringLiteral("zl_code")), QStringLiteral("7"));
    EXPECT_EQ(dishField(QStringLiteral("21"), QStringLiteral("cp_spgl")), QStringLiteral("21"));
    EXPECT_EQ(dishField(QStringLiteral("21"), QStringLiteral("cp_glbl")), QStringLiteral("1"));
    // The new class and its goods show in the picker.
    newDish([&](FrmXZCP& d) {
        QTreeWidgetItem* cls = nullptr;
        for (int i = 0; i < d.TreeView1->topLevelItemCount(); ++i)
            if (d.TreeView1->topLevelItem(i)->text(0) == QStringLiteral("川菜"))
                cls = d.TreeView1->topLevelItem(i);
        ASSERT_NE(cls, nullptr);
        ASSERT_EQ(cls->childCount(), 2);
        EXPECT_EQ(TreeView::keyOf(cls->child(0)), QStringLiteral("C21"));
    });
}

TEST_F(NewDishTest, AutomaticLinkToAnExistingGoodsCodeWritesNothingThenLinkByHand)
{
    addGoodsClass(QStringLiteral("SPZL"), QStringLiteral("1"), QStringLiteral("酒水饮料"));
    addGoods(QStringLiteral("31"), QStringLiteral("可乐罐"), QStringLiteral("1"), QStringLiteral("酒水饮料"));
    const QString before = snapshot();
    newDish([&](FrmXZCP& d) {
        d.Text1->setText(QStringLiteral("31"));
        typeName(d, QStringLiteral("可乐"));
        d.Check3->click();
        d.Command1->click();
        ASSERT_EQ(messages(), QStringList{QStringLiteral("在库存档案中已经存在同类编码!\r\n请您手动进行关联设置.")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_TRUE(Forms::isLoaded<FrmXZCP>());
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(counter(), QByteArrayLiteral("<none>"));

        // By hand: any key in the goods code box shows the picker.
        d.Check3->click();
        d.Check2->click();
        QTest::keyClick(d.Text8[0], Qt::Key_3);
        EXPECT_TRUE(d.TreeView1->isVisible());
        EXPECT_EQ(d.focusWidget(), d.TreeView1);
        d.TreeView1->selectKey(QStringLiteral("C31"));
        emit d.TreeView1->itemDoubleClicked(d.TreeView1->currentItem(), 0);
        EXPECT_FALSE(d.TreeView1->isVisible());
        EXPECT_EQ(d.Text8[0]->text(), QStringLiteral("31"));
        EXPECT_EQ(d.focusWidget(), d.Text8[1]);
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmXZCP>());
    });
    EXPECT_EQ(dishField(QStringLiteral("31"), QStringLiteral("cp_spgl")), QStringLiteral("31"));
    EXPECT_EQ(dishField(QStringLiteral("31"), QStringLiteral("cp_glbl")), QStringLiteral("1"));
    EXPECT_EQ(count(QStringLiteral("brand")), 1);
}

TEST_F(NewDishTest, AFailingDishInsertLeavesNoGoodsOrClassBehind)
{
    sql(QStringLiteral("CREATE TRIGGER no_dish BEFORE INSERT ON cpdetail BEGIN SELECT RAISE(ABORT, 'dishes locked'); END"));
    const QString before = snapshot();
    newDish([&](FrmXZCP& d) {
        typeName(d, QStringLiteral("水煮鱼"));
        d.Check3->click();
        d.Command1->click();
        EXPECT_TRUE(Forms::isLoaded<FrmXZCP>());
    });
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains(QStringLiteral("dishes locked")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(counter(), QByteArrayLiteral("<none>"));
}

TEST_F(NewDishTest, PickerShowsEveryClassWithItsGoods)
{
    addGoodsClass(QStringLiteral("SPZL"), QStringLiteral("1"), QStringLiteral("酒水"));
    addGoodsClass(QStringLiteral("SPZL"), QVariant(), QStringLiteral("调料"));     // two classes without a code
    addGoodsClass(QStringLiteral("SPZL"), QString(), QStringLiteral("干货"));
    addGoods(QStringLiteral("11"), QStringLiteral("啤酒"), QStringLiteral("1"), QStringLiteral("别的"));   // by code
    addGoods(QStringLiteral("12"), QStringLiteral("盐"), QVariant(), QStringLiteral("调料"));             // by name
    addGoods(QStringLiteral("13"), QStringLiteral("木耳"), QString(), QStringLiteral("干货"));
    addGoods(QStringLiteral("14"), QStringLiteral("两类"), QStringLiteral("1"), QStringLiteral("干货"));   // the first class only
    addGoods(QStringLiteral("15"), QStringLiteral("无类"), QStringLiteral("9"), QStringLiteral("没有"));   // no class
    newDish([&](FrmXZCP& d) {
        TreeView* t = d.TreeView1;
        ASSERT_EQ(t->topLevelItemCount(), 3);
        QStringList shown;
        for (int i = 0; i < 3; ++i) {
            QStringList goods;
            for (int k = 0; k < t->topLevelItem(i)->childCount(); ++k)
                goods << t->topLevelItem(i)->child(k)->text(0);
            shown << t->topLevelItem(i)->text(0) + u':' + goods.join(u',');
        }
        EXPECT_EQ(shown, (QStringList{"酒水:啤酒,两类", "调料:盐", "干货:木耳"}));

        // Enter on a class does nothing; on goods it takes the code and selects the ratio.
        d.Check2->click();
        d.Text8[1]->setText(QStringLiteral("1"));
        QTest::keyClick(d.Text8[0], Qt::Key_Backspace);
        ASSERT_TRUE(t->isVisible());
        screenshot(&d, QStringLiteral("menu-goods-picker"));
        t->selectKey(TreeView::keyOf(t->topLevelItem(0)));
        QTest::keyClick(t, Qt::Key_Return);
        EXPECT_TRUE(t->isVisible());
        EXPECT_TRUE(d.Text8[0]->text().isEmpty());
        t->selectKey(QStringLiteral("C12"));
        QTest::keyClick(t, Qt::Key_Enter);
        EXPECT_FALSE(t->isVisible());
        EXPECT_EQ(d.Text8[0]->text(), QStringLiteral("12"));
        EXPECT_EQ(d.Text8[1]->selectedText(), QStringLiteral("1"));
        EXPECT_EQ(d.focusWidget(), d.Text8[1]);
        // Esc hides it and returns to the goods code box.
        typeKeys(d.Text8[0], QStringLiteral("x"));
        ASSERT_TRUE(t->isVisible());
        QTest::keyClick(t, Qt::Key_Escape);
        EXPECT_FALSE(t->isVisible());
        EXPECT_EQ(d.focusWidget(), d.Text8[0]);
        // Tab moves on without it.
        QTest::keyClick(d.Text8[0], Qt::Key_Tab);
        EXPECT_FALSE(t->isVisible());
        EXPECT_EQ(d.focusWidget(), d.Text8[1]);
        EXPECT_TRUE(Forms::isLoaded<FrmXZCP>());
    });
}

TEST_F(NewDishTest, ManualLinkKeepsTheGoodsCodeWithoutBlanks)
{
    const struct { const char* code; const char* typed; const char* stored; } cases[] = {
        {"41", " 1001 ", "1001"},
        {"42", "  ", "  "},   // blanks only stay as they are: no link
    };
    for (const auto& c : cases) {
        newDish([&](FrmXZCP& d) {
            d.Text1->setText(QString::fromUtf8(c.code));
            typeName(d, QStringLiteral("菜") + QString::fromUtf8(c.code));
            d.Check2->click();
            d.Text8[0]->setText(QString::fromUtf8(c.typed));
            d.Text8[1]->setText(QStringLiteral("0.5"));
            d.Command1->click();
            EXPECT_FALSE(Forms::isLoaded<FrmXZCP>());
        });
        EXPECT_EQ(dishField(QString::fromUtf8(c.code), QStringLiteral("cp_spgl")), QString::fromUtf8(c.stored));
        EXPECT_EQ(dishField(QString::fromUtf8(c.code), QStringLiteral("cp_glbl")), QStringLiteral("0.5"));
    }
    EXPECT_EQ(count(QStringLiteral("brand")), 0);
}
