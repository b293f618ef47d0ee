// Dish entry in the ordering window: quick search, the quantity box, the
// tree, accumulation, removal and the stock check.
#include <QApplication>
#include <QClipboard>
#include "ordering/OrderingData.h"
#include "tests/OrderingFixture.h"

namespace {

class DishEntry : public FloorFixture {
protected:
    void SetUp() override
    {
        FloorFixture::SetUp();
        linkedDrinks();
        dish(QStringLiteral("10"), QStringLiteral("宫保虾球"), QStringLiteral("101"), 58, {}, {}, QStringLiteral("GBXQ"));
        dish(QStringLiteral("11"), QStringLiteral("干煸豆角"), QStringLiteral("101"), 22, {}, {}, QStringLiteral("GBDJ"));
        dish(QStringLiteral("12"), QStringLiteral("干锅鸡"), QStringLiteral("101"), 68, QStringLiteral("1"), {},
             QStringLiteral("GGJ"));
    }
    static QStringList hits(const FrmDCKT& w)
    {
        QStringList out;
        for (int r = 0; r < w.ListView2->count(); ++r)
            out << w.ListView2->text(r) + u' ' + w.ListView2->subItem(r, 1);
        return out;
    }
};

} // namespace

TEST_F(DishEntry, QuickSearchByCodeOrQuickCode)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        w.show();
        QTest::keyClicks(w.Text1, QStringLiteral("1"));
        EXPECT_TRUE(w.ListView2->isVisible());
        // Codes in text order; the disabled 干锅鸡 (12) is never listed.
        EXPECT_EQ(hits(w), (QStringList{"1 宫保鸡丁", "10 宫保虾球", "11 干煸豆角"}));
        screenshot(&w, QStringLiteral("ordering-search"));
        w.Text1->clear();
        EXPECT_FALSE(w.ListView2->isVisible());
        EXPECT_EQ(w.ListView2->count(), 3);   // the hits stay until the next search

        // Letters: by quick code, in name order, letter case ignored; a typed apostrophe is swallowed.
        QTest::keyClicks(w.Text1, QStringLiteral("g'b"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("gb"));
        EXPECT_EQ(hits(w), (QStringList{"10 宫保虾球", "1 宫保鸡丁", "11 干煸豆角"}));
        // "%" is a wildcard of the pattern.
        w.Text1->setText(QStringLiteral("%D"));
        EXPECT_EQ(hits(w), (QStringList{"1 宫保鸡丁", "11 干煸豆角", "9 青岛啤酒"}));
        // An apostrophe that arrives otherwise is only a character to search for.
        w.Text1->setText(QStringLiteral("G'B"));
        EXPECT_TRUE(w.ListView2->isVisible());
        EXPECT_EQ(w.ListView2->count(), 0);
        EXPECT_TRUE(messages().isEmpty());

        // Enter while the hit list is shown and empty does nothing.
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_TRUE(w.Txtbm->text().isEmpty());
        EXPECT_TRUE(messages().isEmpty());

        // Enter takes the first hit, even after another was clicked.
        w.Text1->setText(QStringLiteral("gb"));
        clickRow(w.ListView2, 2);
        EXPECT_EQ(w.TxtMC->text(), QStringLiteral("干煸豆角"));
        w.Text1->setText(QStringLiteral("gb"));
        w.ListView2->select(1);
        QTest::keyClick(w.ListView2->reportView(), Qt::Key_Return);   // Enter in the hit list takes the hit
        EXPECT_EQ(w.TxtMC->text(), QStringLiteral("宫保鸡丁"));
        EXPECT_FALSE(w.ListView2->isVisible());
        w.Text1->setText(QStringLiteral("gb"));
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_EQ(w.Txtbm->text(), QStringLiteral("10"));
        EXPECT_EQ(w.TxtMC->text(), QStringLiteral("宫保虾球"));
        EXPECT_EQ(w.TxtSL->text(), QStringLiteral("1"));
        EXPECT_EQ(w.TxtSL->selectedText(), QStringLiteral("1"));
        EXPECT_FALSE(w.ListView2->isVisible());
        EXPECT_EQ(w.m_DishPrice.plain(), QStringLiteral("58"));
        EXPECT_EQ(w.ListView1->count(), 0);   // nothing is added yet
        processEvents();
        EXPECT_EQ(QApplication::focusWidget(), w.TxtSL);
    });
}

// A pasted quantity is taken whole or not at all: never another number.
TEST_F(DishEntry, APastedQuantityIsTakenWholeOrRefused)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        w.show();
        w.activateWindow();
        QTest::keyClicks(w.Text1, QStringLiteral("gb"));
        QTest::keyClick(w.Text1, Qt::Key_Return);
        processEvents();
        ASSERT_EQ(QApplication::focusWidget(), w.TxtSL);
        for (const char* refused : {"1.5", "-5", "1e9", "1234"}) {
            w.TxtSL->selectAll();
            QApplication::clipboard()->setText(QString::fromLatin1(refused));
            QTest::keyClick(w.TxtSL, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(w.TxtSL->text(), QStringLiteral("1")) << refused;
        }
        w.TxtSL->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("12"));
        QTest::keyClick(w.TxtSL, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w.TxtSL->text(), QStringLiteral("12"));
        QTest::keyClick(w.TxtSL, Qt::Key_Return);
        EXPECT_EQ(linesOf(w), QStringList{"1|宫保虾球|份|12|58|696|热菜间|未传|点单|点单|"});
    });
}

TEST_F(DishEntry, EnterInTheEmptyQuickCodeBoxPlacesTheOrder)
{
    // On a settled table button 4 is disabled; Enter still runs the command.
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        ASSERT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnPlace));
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("已结帐，不能落单")});
    });
    MessageSeam::clear();
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有点菜后才可落单!")});
    });
}

TEST_F(DishEntry, QuantitiesAccumulateOnTheUnplacedLineOfTheDish)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("1"), 3);
        order(w, QStringLiteral("1"), 2);
        EXPECT_EQ(linesOf(w), QStringList{"1|宫保鸡丁|份|5|38|190|热菜间|未传|点单|点单|"});
        EXPECT_FALSE(w.lineStored(0));
        EXPECT_EQ(w.lineDishCode(0), QStringLiteral("1"));
        EXPECT_TRUE(w.Text1->text().isEmpty() && w.TxtMC->text().isEmpty() && w.TxtSL->text().isEmpty()
                    && w.Txtbm->text().isEmpty());
        // After a line is added the boxes are empty: Enter in them has nothing to add.
        QTest::keyClick(w.TxtSL, Qt::Key_Return);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("商品信息输入不全，请您确认!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));

        place(w);
        EXPECT_TRUE(w.m_OrderPlaced);
        order(w, QStringLiteral("1"), 1);
        EXPECT_FALSE(w.m_OrderPlaced);
        EXPECT_FALSE(w.m_AlreadyPlaced);
        // Placed: the same dish starts a new line; a quantity of 0 is a line too.
        order(w, QStringLiteral("5"), 0);
        order(w, QStringLiteral("5"), 3);
        EXPECT_EQ(linesOf(w), (QStringList{"1|宫保鸡丁|份|5|38|190|热菜间|未传|点单|点单|",
                                           "2|宫保鸡丁|份|1|38|38|热菜间|未传|点单|点单|",
                                           "3|拍黄瓜|份|3|12.5|37.5|热菜间|未传|点单|点单|"}));
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：265.5"));
    });
}

TEST_F(DishEntry, UnplacedLinesCanBeRemovedPlacedOnesNot)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("2"), 1);
        place(w);
        order(w, QStringLiteral("1"), 1);
        order(w, QStringLiteral("5"), 2);
        order(w, QStringLiteral("10"), 1);
        MessageSeam::clear();

        doubleClickRow(w.ListView1, 0);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此菜已落单，不能删除！")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));

        MessageSeam::clear();
        MessageSeam::answer(Msg::Cancel);
        doubleClickRow(w.ListView1, 2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("是否确认移除此项")});
        EXPECT_EQ(lastMessage().buttons, int(Msg::OKCancel));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_EQ(w.ListView1->count(), 4);

        w.m_AlreadyPlaced = true;
        doubleClickRow(w.ListView1, 2);   // OK
        EXPECT_EQ(linesOf(w), (QStringList{"1|水煮牛肉|份|1|48|48|热菜间|未传|点单|点单|",
                                           "2|宫保鸡丁|份|1|38|38|热菜间|未传|点单|点单|",
                                           "3|宫保虾球|份|1|58|58|热菜间|未传|点单|点单|"}));
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：144"));
        EXPECT_TRUE(w.m_AlreadyPlaced);   // removal leaves the flags
        EXPECT_EQ(w.lineFsxh(0), 0);
    });
}

TEST_F(DishEntry, TheTreeAddsOnePortionOfTheClickedDish)
{
    category(QStringLiteral("202"), QStringLiteral("卤味"), QStringLiteral("2"));
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        clickNode(w.TreeView1, QStringLiteral("T5"));
        clickNode(w.TreeView1, QStringLiteral("T5"));   // the selected node clicked again
        EXPECT_EQ(linesOf(w), QStringList{"1|拍黄瓜|份|2|12.5|25|热菜间|未传|点单|点单|"});
        clickNode(w.TreeView1, QStringLiteral("S202"));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("没有该类菜品信息！")});
        EXPECT_EQ(lastMessage().title, QString());
        clickNode(w.TreeView1, QStringLiteral("F1"));   // a node with children does nothing
        EXPECT_EQ(messages().size(), 1);
        // A dish disabled after the tree was built is no longer found.
        sql(QStringLiteral("DELETE FROM cpdetail WHERE code = '2'"));
        clickNode(w.TreeView1, QStringLiteral("T2"));
        EXPECT_EQ(messages().size(), 2);
        EXPECT_EQ(w.ListView1->count(), 1);
    });
}

TEST_F(DishEntry, NothingIsOrderedWithoutASeating)
{
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        clickNode(w.TreeView1, QStringLiteral("T1"));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有开台状态下才能点菜")});
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        MessageSeam::clear();
        order(w, QStringLiteral("1"), 2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有“在用”或“续单”状态下才能点菜")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(w.ListView1->count(), 0);
    });
}

TEST_F(DishEntry, TheStockCheckRefusesOnlyWhenSalesAreLinkedExactly)
{
    counter(QStringLiteral("1001"), 5, 2, 15);   // 3 on hand
    param(QStringLiteral("Associate"), QStringLiteral("Yes"));
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("8"), 4);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("没有足够商品可以出售！")});
        EXPECT_EQ(lastMessage().title, QString());
        EXPECT_EQ(w.ListView1->count(), 0);
        EXPECT_EQ(w.TxtSL->text(), QStringLiteral("4"));   // the boxes stay
        w.TxtSL->setText(QStringLiteral("3"));
        QTest::keyClick(w.TxtSL, Qt::Key_Return);
        EXPECT_EQ(linesOf(w), QStringList{"1|可乐|听|3|6|18|吧台|未传|点单|点单|"});
        doubleClickRow(w.ListView1, 0);

        MessageSeam::clear();
        order(w, QStringLiteral("8"), 2);
        order(w, QStringLiteral("8"), 2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("没有足够商品可以出售！")});
        order(w, QStringLiteral("8"), 1);
        EXPECT_EQ(linesOf(w), QStringList{"1|可乐|听|3|6|18|吧台|未传|点单|点单|"});

        MessageSeam::clear();
        order(w, QStringLiteral("9"), 1);   // goods without a counter
        EXPECT_EQ(messages(), QStringList{QStringLiteral("没有商品入库信息！")});
        EXPECT_EQ(w.ListView1->count(), 1);
    });

    const QVariant others[] = {QStringLiteral("No"), QStringLiteral("yes"), QStringLiteral("Yes "), QVariant()};
    for (const QVariant& v : others) {
        SCOPED_TRACE(v.toString().toStdString());
        if (v.isValid())
            param(QStringLiteral("Associate"), v);
        else
            sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'Associate'"));
        MessageSeam::clear();
        openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
            order(w, QStringLiteral("8"), 4);
            order(w, QStringLiteral("9"), 1);
            EXPECT_EQ(w.ListView1->count(), 2);
        });
        EXPECT_TRUE(messages().isEmpty());
    }
}

TEST(OrderingAmounts, EnteredAmountsRoundToCentsHalvesToEven)
{
    const struct { const char* price; const char* quantity; const char* amount; } cases[] = {
        {"38", "3", "114"}, {"12.5", "3", "37.5"}, {"0.125", "1", "0.12"}, {"0.125", "3", "0.38"},
        {"0.135", "1", "0.14"}, {"99999.99", "999", "99899990.01"}, {"0.0049", "1", "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ordering::lineAmount(Money::parse(QString::fromLatin1(c.price)), Money::parse(QString::fromLatin1(c.quantity)))
                      .plain(),
                  QString::fromLatin1(c.amount))
            << c.price << " x " << c.quantity;
}
