// The stock-in ledger, the stock-out ledger and the running account of goods
// on one set of bills: two classes, bills on three days, bills the ordering
// window wrote, and goods whose record was deleted.
#include <QTreeWidgetItemIterator>
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "stockout/LedgerWindow.h"
#include "tests/StockFixture.h"

namespace {

const QDate D1(2026, 12, 8), D2(2026, 12, 9), D3(2026, 12, 10);

class LedgerTest : public StockTest {
protected:
    void SetUp() override
    {
        StockTest::SetUp();
        addGoodsOfTwoClasses();
        addGoods(QStringLiteral("2002"), QStringLiteral("面粉"), QStringLiteral("粮油"), 3, QStringLiteral("5kg"),
                 QStringLiteral("袋"));
        insertRow(QStringLiteral("sysmcwh"), {{"class", "BML"}, {"code", "06"}, {"content", "吧台"}});

        addInBill(QStringLiteral("R1"), D1, QStringLiteral("综合库"), QStringLiteral("华联超市"));
        addInLine(QStringLiteral("R1"), QStringLiteral("1001"), 12, 2.5);
        addInLine(QStringLiteral("R1"), QStringLiteral("2002"), 5, 3);
        addInLine(QStringLiteral("R1"), QStringLiteral("2001"), 2, 65);
        addOutBill(QStringLiteral("C1"), D1, QStringLiteral("厨房部"));
        addOutLine(QStringLiteral("C1"), QStringLiteral("2002"), 1, 3);
        addOutLine(QStringLiteral("C1"), QStringLiteral("2001"), 0.5, 65);
        // The ordering window's bills of the second day: a sale and a return.
        setCounter(QStringLiteral("1001"), 12, 0, 30);
        Clock::fix(QDateTime(D2, QTime(12, 0)));
        m_sale = orderingSale(QStringLiteral("1001"), m("2"), m("3"));
        m_return = orderingReturn(QStringLiteral("1001"), m("1"), m("3"));
        Clock::fix(Now);
        addInBill(QStringLiteral("R2"), D3, QStringLiteral("冻库"), QStringLiteral("鑫源肉类"));
        addInLine(QStringLiteral("R2"), QStringLiteral("1002"), 6, 4);
        addOutBill(QStringLiteral("C2"), D3, QStringLiteral("前厅部"), QStringLiteral("酒水库"));
        addOutLine(QStringLiteral("C2"), QStringLiteral("1001"), 3, 2.5);
        addOutLine(QStringLiteral("C2"), QStringLiteral("1002"), 1, 12.5);
        sql(QStringLiteral("DELETE FROM brand WHERE code = '2002'"));
    }

    template <class W> W& ledger(const QDate& from = D1, const QDate& to = D3)
    {
        W& w = window<W>();
        w.DTPicker1->setDate(from);
        w.DTPicker2->setDate(to);
        return w;
    }
    static void query(LedgerWindow& w) { w.Toolbar1->click(LedgerWindow::BtnQuery); }
    // Chooses a node of the tree as a user does: opens the tree and
    // double-clicks the node.
    static void choose(LedgerWindow& w, const QString& text)
    {
        w.Command1->click();
        EXPECT_TRUE(w.TreeView1->isVisible());
        for (QTreeWidgetItemIterator it(w.TreeView1); *it; ++it)
            if ((*it)->text(0) == text) {
                w.TreeView1->setCurrentItem(*it);
                emit w.TreeView1->itemDoubleClicked(*it, 0);
                break;
            }
        EXPECT_FALSE(w.TreeView1->isVisible());
    }
    QString totals(LedgerWindow& w)
    {
        MessageSeam::clear();
        w.Toolbar1->click(LedgerWindow::BtnTotals);
        EXPECT_EQ(lastMessage().title, QStringLiteral("统计汇总"));
        EXPECT_EQ(lastMessage().icon, Msg::NoIcon);
        return messages().value(0);
    }
    static QStringList treeTexts(const LedgerWindow& w)
    {
        QStringList texts;
        for (QTreeWidgetItemIterator it(w.TreeView1); *it; ++it)
            texts << TreeView::keyOf(*it) + u'=' + (*it)->text(0);
        return texts;
    }

    QString m_sale, m_return;
};

} // namespace

TEST_F(LedgerTest, StockInLedgerListsEveryLineOfTheDaysAndSkipsLinesWithoutGoods)
{
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool seen = false;
    onDialog<FrmRKTZ>([&](FrmRKTZ& w) {
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("入库台帐"));
        EXPECT_EQ(w.Label2->text(), QStringLiteral("入库台帐"));
        EXPECT_EQ(w.DTPicker1->date(), Now.date());
        EXPECT_EQ(w.Text2->text(), QStringLiteral("所有商品类别"));
        EXPECT_TRUE(w.Text2->isReadOnly());
        EXPECT_FALSE(w.TreeView1->isVisible());
        EXPECT_FALSE(w.Toolbar1->buttonVisible(LedgerWindow::BtnHelp));
        EXPECT_EQ(treeTexts(w), (QStringList{"所有商品类别=所有商品类别", "F酒水1=酒水", "Index1001=可乐",
                                             "Index1002=啤酒", "F粮油2=粮油", "Index2001=大米"}));
        EXPECT_EQ(w.TreeView1->currentItem()->text(0), QStringLiteral("酒水"));
        EXPECT_EQ(w.ListView1->count(), 0);
        ASSERT_EQ(w.ListView1->columnCount(), 13);
        EXPECT_EQ(w.ListView1->columnCaption(12), QStringLiteral("入库方式"));

        w.DTPicker1->setDate(D1);
        query(w);
        EXPECT_EQ(column(w.ListView1, 0), (QStringList{"R1", "R1", m_return, "R2"}));
        EXPECT_EQ(row(w.ListView1, 0), (QStringList{"R1", "2026-12-08", "1001", "可乐", "酒水", "华联超市", "330ml", "听",
                                                    "12", "2.50", "30.00", "综合库", "手工入库"}));
        EXPECT_EQ(row(w.ListView1, 2), (QStringList{m_return, "2026-12-09", "1001", "可乐", "酒水", "吧台", "330ml", "听",
                                                    "1", "3.00", "3.00", "综合库", "销售入库"}));
        EXPECT_EQ(w.ListView1->selectedRow(), 0);
        EXPECT_EQ(totals(w), QStringLiteral("数量合计：      21\r\n金额合计：      187"));
        screenshot(&w, QStringLiteral("stock-in-ledger"));

        // A class: its goods only, prices and amounts padded to ten.
        choose(w, QStringLiteral("酒水"));
        EXPECT_EQ(w.Text2->text(), QStringLiteral("酒水"));
        query(w);
        EXPECT_EQ(column(w.ListView1, 2), (QStringList{"1001", "1001", "1002"}));
        EXPECT_EQ(w.ListView1->subItem(0, 9), QStringLiteral("      2.50"));
        EXPECT_EQ(w.ListView1->subItem(0, 10), QStringLiteral("     30.00"));
        choose(w, QStringLiteral("大米"));
        query(w);
        EXPECT_EQ(column(w.ListView1, 2), QStringList{QStringLiteral("2001")});

        // One day; the end before the start.
        choose(w, QStringLiteral("所有商品类别"));
        w.DTPicker1->setDate(D3);
        w.DTPicker2->setDate(D3);
        query(w);
        EXPECT_EQ(column(w.ListView1, 0), QStringList{QStringLiteral("R2")});
        EXPECT_EQ(w.ListView1->subItem(0, 9), QStringLiteral("4.00"));
        MessageSeam::clear();
        w.DTPicker2->setDate(D2);
        query(w);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("查询日期输入有误，请重新输入")});
        EXPECT_EQ(lastMessage().icon, Msg::Exclamation);
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_EQ(w.ListView1->count(), 0);
        EXPECT_EQ(totals(w), QStringLiteral("数量合计：      0\r\n金额合计：      0"));
        MessageSeam::clear();
        w.ShowHelp();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("帮助文件")});
        w.Toolbar1->click(LedgerWindow::BtnExit);
        EXPECT_FALSE(Forms::isLoaded<FrmRKTZ>());
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdKFGL->click();
    main.CmdSPRK->click();
    EXPECT_TRUE(seen);
}

TEST_F(LedgerTest, StockOutLedgerByDepartmentAndByTypedClassOrGoods)
{
    FrmCKTZ& w = ledger<FrmCKTZ>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("出库台帐"));
    EXPECT_EQ(w.Label2->text(), QStringLiteral("出库台帐:"));
    EXPECT_FALSE(w.Text2->isReadOnly());
    EXPECT_EQ(w.CmbTQBM->currentText(), QStringLiteral("所有部门"));
    EXPECT_EQ(w.CmbTQBM->itemText(w.CmbTQBM->count() - 1), QStringLiteral("[06]吧台"));
    EXPECT_EQ(treeTexts(w).mid(0, 2), (QStringList{"所有商品类别=所有商品类别", "酒水1=酒水"}));
    for (int c = 0; c < 13; ++c)
        EXPECT_NEAR(w.ListView1->columnWidthTwips(c), 1150, Twips::PerPixel) << c;

    // The line whose goods record is gone is passed over; the rest follow.
    query(w);
    EXPECT_EQ(column(w.ListView1, 0), (QStringList{"C1", m_sale, "C2", "C2"}));
    EXPECT_EQ(row(w.ListView1, 0), (QStringList{"C1", "2026-12-08", "2001", "大米", "粮油", "厨房部", "25kg", "袋", "0.5",
                                                "     65.00", "     32.50", "综合库", "手动出库"}));
    EXPECT_EQ(row(w.ListView1, 1).mid(5), (QStringList{"吧台", "330ml", "听", "2", "      3.00", "      6.00", "综合库",
                                                       "销售出库"}));
    EXPECT_EQ(totals(w), QStringLiteral("数量合计：      6.5\r\n金额合计：      58.5"));

    w.CmbTQBM->setCurrentIndex(w.CmbTQBM->findText(QStringLiteral("[06]吧台")));
    query(w);
    EXPECT_EQ(column(w.ListView1, 0), QStringList{m_sale});
    w.CmbTQBM->setCurrentIndex(0);

    const struct { const char* box; QStringList codes; } typed[] = {
        {"可乐", {"1001", "1001"}},
        {"酒水", {"1001", "1001", "1002"}},
        {"可乐 ", {}},                 // as typed: the blank counts
        {"所有商品类别 ", {}},
        {"所有商品类别", {"2001", "1001", "1001", "1002"}},
    };
    for (const auto& t : typed) {
        w.Text2->setText(QString::fromUtf8(t.box));
        query(w);
        EXPECT_EQ(column(w.ListView1, 2), t.codes) << t.box;
    }
    w.DTPicker1->setDate(D2);
    w.DTPicker2->setDate(D2);
    query(w);
    EXPECT_EQ(column(w.ListView1, 0), QStringList{m_sale});
    screenshot(&w, QStringLiteral("stock-out-ledger"));
    MessageSeam::clear();
    w.DTPicker1->setDate(D3);
    query(w);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("查询日期输入有误，请重新输入")});
    EXPECT_EQ(w.ListView1->count(), 0);
}

TEST_F(LedgerTest, RunningAccountListsStockInRowsBeforeStockOutRows)
{
    FrmSPLS& w = ledger<FrmSPLS>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("商品流水"));
    EXPECT_EQ(w.Label2->text(), QStringLiteral("商品流水:"));
    ASSERT_EQ(w.ListView1->columnCount(), 10);
    query(w);
    EXPECT_EQ(column(w.ListView1, 0), (QStringList{"2026-12-08", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-08",
                                                   "2026-12-09", "2026-12-10", "2026-12-10"}));
    EXPECT_EQ(row(w.ListView1, 0), (QStringList{"2026-12-08", "1001", "可乐", "酒水", "330ml", "听", "12", " ",
                                                "综合库", "手工入库"}));
    EXPECT_EQ(row(w.ListView1, 4), (QStringList{"2026-12-08", "2001", "大米", "粮油", "25kg", "袋", " ", "0.5",
                                                "综合库", "手动出库"}));
    EXPECT_EQ(totals(w), QStringLiteral("入库合计：      21\r\n出库合计：      6.5"));

    // The box text is trimmed, then compared exactly.
    w.Text2->setText(QStringLiteral(" 可乐 "));
    query(w);
    EXPECT_EQ(column(w.ListView1, 6), (QStringList{"12", "1", " ", " "}));
    EXPECT_EQ(column(w.ListView1, 7), (QStringList{" ", " ", "2", "3"}));
    w.Text2->setText(QStringLiteral(" 所有商品类别 "));
    w.DTPicker1->setDate(D3);
    query(w);
    EXPECT_EQ(column(w.ListView1, 1), (QStringList{"1002", "1001", "1002"}));
    MessageSeam::clear();
    w.DTPicker1->setDate(D3.addDays(1));
    query(w);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("查询日期输入有误，请重新输入")});
    EXPECT_EQ(w.ListView1->count(), 0);
    w.DTPicker1->setDate(D1);
    w.Text2->setText(QStringLiteral("所有商品类别"));
    query(w);
    screenshot(&w, QStringLiteral("running-account"));
}

TEST_F(LedgerTest, PrintingEachLedger)
{
    const QString rule32(32, u'='), rule29(29, u'=');
    struct Case {
        std::function<LedgerWindow&()> open;
        const char* noPrinter;
        const char* noPrinterTitle;
        QString title;
        QString rule;
        int fields;
        QStringList firstBlock;
    };
    const Case cases[] = {
        {[this]() -> LedgerWindow& { return ledger<FrmRKTZ>(); }, "没有安装打印机!", "", QStringLiteral("        入库台帐"),
         rule32, 12,
         {"入库单号：    R1", "入库日期：    2026-12-08", "商品名称：    可乐", "商品种类：    酒水",
          "供 货 商：    华联超市", "规    格：    330ml", "单    位：    听", "数    量：    12", "单    价：    2.50",
          "金    额：    30.00", "库    房：    综合库", "入库方式：    手工入库"}},
        {[this]() -> LedgerWindow& { return ledger<FrmCKTZ>(); }, "您没有安装打印机!", "信息提示",
         QStringLiteral("        出库台帐"), rule29, 12,
         {"出库单号：    C1", "出库日期：    2026-12-08", "商品名称：    大米", "商品种类：    粮油",
          "提取部门：    厨房部", "规    格：    25kg", "单    位：    袋", "数    量：    0.5",
          "单    价：         65.00", "金    额：         32.50", "库    房：    综合库", "出库方式：    手动出库"}},
        {[this]() -> LedgerWindow& { return ledger<FrmSPLS>(); }, "您没有安装打印机!", "信息提示",
         QStringLiteral("       商品流水帐"), rule32, 9,
         {"日    期：    2026-12-08", "商品编码：    1001", "商品名称：    可乐", "商品种类：    酒水",
          "规    格：    330ml", "单    位：    听", "入库数量：    12", "出库数量：     ", "库    房：    综合库"}},
    };
    for (const Case& c : cases) {
        Forms::unloadAll();
        LedgerWindow& w = c.open();
        Printers::script({});
        printer = &PrinterSeam::record();
        query(w);
        MessageSeam::clear();
        w.Toolbar1->click(LedgerWindow::BtnPrint);
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.noPrinter)}) << qPrintable(c.title);
        EXPECT_EQ(lastMessage().title, QString::fromUtf8(c.noPrinterTitle));

        Printers::script({QStringLiteral("Recorder")});
        w.DTPicker1->setDate(D3.addDays(-10));
        w.DTPicker2->setDate(D3.addDays(-10));
        query(w);
        MessageSeam::clear();
        w.Toolbar1->click(LedgerWindow::BtnPrint);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("没有可打印的明细!")});
        EXPECT_EQ(lastMessage().icon, Msg::NoIcon);
        EXPECT_TRUE(printer->documents.empty());

        w.DTPicker1->setDate(D1);
        w.DTPicker2->setDate(D3);
        query(w);
        MessageSeam::clear();
        w.Toolbar1->click(LedgerWindow::BtnPrint);
        EXPECT_TRUE(messages().isEmpty());
        const QStringList lines = printed();
        const int block = c.fields + 3;
        ASSERT_EQ(lines.size(), 1 + block * w.ListView1->count() + 1) << qPrintable(c.title);
        EXPECT_EQ(lines.first(), c.title);
        EXPECT_EQ(lines[1], c.rule);
        EXPECT_EQ(lines.mid(2, c.fields), c.firstBlock);
        EXPECT_EQ(lines[1 + c.fields + 1], c.rule);
        EXPECT_EQ(lines.last(), QStringLiteral("打印日期：2026-12-10"));
        EXPECT_EQ(printer->starts, 0);
    }
}

// Quantities are listed and added up as stored, past the fourth decimal.
TEST_F(LedgerTest, QuantitiesPastFourDecimalsAreListedAsStored)
{
    addInBill(QStringLiteral("R3"), D3);
    addInLine(QStringLiteral("R3"), QStringLiteral("2001"), 0.12345, 2);
    FrmRKTZ& in = ledger<FrmRKTZ>(D3, D3);
    query(in);
    ASSERT_EQ(column(in.ListView1, 0), (QStringList{"R2", "R3"}));
    EXPECT_EQ(row(in.ListView1, 1).mid(8, 3), (QStringList{"0.12345", "2.00", "0.25"}));
    EXPECT_EQ(totals(in), QStringLiteral("数量合计：      6.12345\r\n金额合计：      24.25"));
    FrmSPLS& account = ledger<FrmSPLS>(D3, D3);
    query(account);
    EXPECT_EQ(totals(account), QStringLiteral("入库合计：      6.12345\r\n出库合计：      4"));
}
