// Stock on hand: the stock list, its conditions dialog and its printout.
#include <QTreeWidgetItemIterator>
#include "shell/FrmMain.h"
#include "stockin/FrmKCCX.h"
#include "tests/StockFixture.h"

namespace {

class StockOnHandTest : public StockTest {
protected:
    void SetUp() override
    {
        StockTest::SetUp();
        addClass(QStringLiteral("1"), QStringLiteral("酒水"));
        addClass(QStringLiteral("2"), QStringLiteral("粮油"));
        addGoods(QStringLiteral("1001"), QStringLiteral("可乐"), QStringLiteral("酒水"));
        addGoods(QStringLiteral("1002"), QStringLiteral("啤酒"), QStringLiteral("酒水"));
        addGoods(QStringLiteral("2001"), QStringLiteral("大米"), QStringLiteral("粮油"), 65, {}, QStringLiteral("袋"));
        addGoods(QStringLiteral("2002"), QStringLiteral("可乐"), QStringLiteral("粮油"));   // a name twice
        addGoods(QStringLiteral("2003"), QStringLiteral("面粉"), QStringLiteral("粮油"));   // never received
        sql(QStringLiteral("UPDATE brand SET zl_code = '1' WHERE zl = '酒水'"));
        sql(QStringLiteral("UPDATE brand SET zl_code = '2' WHERE zl = '粮油'"));
        setCounter(QStringLiteral("1001"), 12, 5);
        setCounter(QStringLiteral("1002"), 2.4, 0.5);   // taken in and out by weight
        setCounter(QStringLiteral("2001"), 3, 6);
        setCounter(QStringLiteral("2002"), 1234567890, 0);
    }
    // Runs the query with the node of that text chosen (double-clicked when
    // asked), or with none chosen.
    void query(FrmKCCX& w, const QString& node, bool doubleClick = false)
    {
        onDialog<FrmKCQUERY>([&](FrmKCQUERY& d) {
            for (QTreeWidgetItemIterator it(d.TreeView1); *it && !node.isEmpty(); ++it)
                if ((*it)->text(0) == node) {
                    d.TreeView1->setCurrentItem(*it);
                    break;
                }
            if (doubleClick)
                d.TreeView1_DblClick();
            else
                d.Command2->click();
        });
        w.Toolbar1->click(FrmKCCX::BtnQuery);
    }
};

} // namespace

TEST_F(StockOnHandTest, ListsGoodsWithTheirCountersPaddedToTenCharacters)
{
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool seen = false;
    onDialog<FrmKCCX>([&](FrmKCCX& w) {
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("库存查询"));
        EXPECT_EQ(w.ListView1->count(), 0);
        const QStringList heads{"商品编码", "商品名称", "商品种类", "单位", "合计入库", "合计出库", "帐面库存量"};
        ASSERT_EQ(w.ListView1->columnCount(), 7);
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(w.ListView1->columnCaption(c), heads[c]);
        EXPECT_FALSE(w.Toolbar1->buttonVisible(FrmKCCX::BtnHelp));

        onDialog<FrmKCQUERY>([&](FrmKCQUERY& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("查询条件"));
            EXPECT_EQ(d.Text2->text(), QStringLiteral("所有商品类别"));
            EXPECT_FALSE(d.Text1->isVisibleTo(&d));
            // Classes by name, their goods by class code.
            QStringList texts;
            for (QTreeWidgetItemIterator it(d.TreeView1); *it; ++it)
                texts << (*it)->text(0);
            EXPECT_EQ(texts, (QStringList{"所有商品类别", "酒水", "可乐", "啤酒", "粮油", "大米", "可乐", "面粉"}));
            d.Command2->click();   // no node chosen: every goods item with a counter
            EXPECT_FALSE(Forms::isLoaded<FrmKCQUERY>());
        });
        w.Toolbar1->click(FrmKCCX::BtnQuery);
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_EQ(column(w.ListView1, 0), (QStringList{"1001", "1002", "2001", "2002"}));
        EXPECT_EQ(row(w.ListView1, 0), (QStringList{"1001", "可乐", "酒水", "瓶", "        12", "         5",
                                                    "         7"}));
        EXPECT_EQ(row(w.ListView1, 1).mid(4), (QStringList{"       2.4", "        .5", "       1.9"}));
        EXPECT_EQ(row(w.ListView1, 2).mid(4), (QStringList{"         3", "         6", "        -3"}));
        EXPECT_EQ(row(w.ListView1, 3).mid(4), (QStringList{"1234567890", "         0", "1234567890"}));
        screenshot(&w, QStringLiteral("stock-on-hand"));
        w.Toolbar1->click(FrmKCCX::BtnExit);
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdKFGL->click();
    main.CmdKCCX->click();
    EXPECT_TRUE(seen);
}

TEST_F(StockOnHandTest, AClassOrAGoodsNameNarrowsTheList)
{
    FrmKCCX& w = window<FrmKCCX>();
    const struct { const char* node; bool doubleClick; QStringList codes; } cases[] = {
        {"粮油", false, {"2001", "2002"}},          // by class name
        {"可乐", true, {"1001", "2002"}},           // by goods name, in any class
        {"面粉", false, {}},                        // goods without a counter never show
        {"所有商品类别", false, {"1001", "1002", "2001", "2002"}},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        bool closedFirst = false;
        MessageSeam::answerWith([&] {
            closedFirst = !Forms::isLoaded<FrmKCQUERY>();
            return int(Msg::OK);
        });
        query(w, QString::fromUtf8(c.node), c.doubleClick);
        EXPECT_EQ(column(w.ListView1, 0), c.codes) << c.node;
        EXPECT_FALSE(Forms::isLoaded<FrmKCQUERY>());
        if (c.codes.isEmpty()) {
            EXPECT_EQ(messages(), QStringList{QStringLiteral("查询结果为空!")});
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_TRUE(closedFirst);
        } else {
            EXPECT_TRUE(messages().isEmpty());
            MessageSeam::clear();
        }
    }
}

TEST_F(StockOnHandTest, PrintingTheList)
{
    FrmKCCX& w = window<FrmKCCX>();
    // No printer comes before the list check.
    w.Toolbar1->click(FrmKCCX::BtnPrint);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("您没有安装打印机!")});
    Printers::script({QStringLiteral("Recorder")});
    MessageSeam::clear();
    w.Toolbar1->click(FrmKCCX::BtnPrint);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("查询结果为空不可打印")});
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_TRUE(printer->documents.empty());

    query(w, QStringLiteral("酒水"));
    MessageSeam::clear();
    w.Toolbar1->click(FrmKCCX::BtnPrint);
    EXPECT_TRUE(messages().isEmpty());
    const QString rule(32, u'=');
    EXPECT_EQ(printed(), (QStringList{"        库存查询", rule, "商品名称：    可乐", "商品种类：    酒水",
                                      "单    位：    瓶", "入库总数：            12", "出库总数：             5",
                                      "当前库存：             7", rule, "", rule, "商品名称：    啤酒",
                                      "商品种类：    酒水", "单    位：    瓶", "入库总数：           2.4",
                                      "出库总数：            .5", "当前库存：           1.9", rule, "",
                                      "打印日期：2026-12-10"}));
    EXPECT_EQ(printer->starts, 0);

    MessageSeam::clear();
    w.Toolbar1->click(FrmKCCX::BtnHelp);   // hidden: does nothing
    w.ShowHelp();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("help")});
}

TEST_F(StockOnHandTest, ScreenshotOfTheConditions)
{
    FrmKCCX& w = window<FrmKCCX>();
    onDialog<FrmKCQUERY>([&](FrmKCQUERY& d) { screenshot(&d, QStringLiteral("stock-on-hand-conditions")); });
    w.Toolbar1->click(FrmKCCX::BtnQuery);
}
