// The stock-out window: bills, their lines with the stock check and the
// posting to the stock counters, the bill query, the stock-out goods picker
// and the printed bill.
#include <QScrollBar>
#include <QTreeWidgetItemIterator>
#include <random>
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "stockin/FrmRKGL.h"
#include "stockin/FrmSPDASELECT.h"
#include "stockin/StockInDialogs.h"
#include "stockout/FrmCKGL.h"
#include "stockout/FrmCKMXSELECT.h"
#include "stockout/StockOutDialogs.h"
#include "tests/StockFixture.h"

namespace {

const QString Hint = QStringLiteral("提示");
const QString Saved = QStringLiteral("保存成功！");
const QString Short = QStringLiteral("出库数量大于当前库存量\r\n请从新输入出库数量!");

class StockOutTest : public StockTest {
protected:
    void SetUp() override
    {
        StockTest::SetUp();
        addStaff(QStringLiteral("E1"), QStringLiteral("张三"));
        addStaff(QStringLiteral("E2"), QStringLiteral("李四"));
        addGoodsOfTwoClasses();
    }

    FrmCKGL& stockOut() { return window<FrmCKGL>(); }

    void pick(FrmCKMXADD& d, const QString& code) { pickGoods<FrmCKMXSELECT>(d, code); }
    void addLine(FrmCKGL& w, const QString& code, const QString& quantity, const QString& price = {})
    {
        addLineThrough<FrmCKMXSELECT, FrmCKMXADD>(w, code, quantity, price);
    }
    void editLine(FrmCKGL& w, const QString& code, std::function<void(FrmCKMXEDIT&)> change)
    {
        editLineThrough<FrmCKMXEDIT>(w, code, change);
    }
    void selectBill(FrmCKGL& w, const QString& number) { clickRow(w.ListView2, rowOf(w.ListView2, number)); }
    int linesOf(const QString& bill) { return count(QStringLiteral("ckgl2004"), QStringLiteral("WHERE stock_bill_id = ?"), {bill}); }
};

} // namespace

TEST_F(StockOutTest, LineDialogChecksWithFiveOnHand)
{
    const struct { const char* quantity; bool choose; QStringList messages; const char* stored; bool dropToThree; } cases[] = {
        {"5", false, {"请选择商品编码!"}, nullptr, false},
        {"5", true, {"保存成功！"}, "5", false},
        {"5.5", true, {"出库数量大于当前库存量\r\n请从新输入出库数量!"}, nullptr, false},
        {"", true, {"出库数量必须大于0!"}, nullptr, false},
        {"0", true, {"出库数量必须大于0!"}, nullptr, false},
        {"1.2.3", true, {"保存成功！"}, "1.2", false},
        // An order at the front desk books the goods out after they were
        // picked: the check inside the save refuses.
        {"4", true, {"出库数量大于当前库存量\r\n请从新输入出库数量!"}, nullptr, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString bill = QStringLiteral("C%1").arg(++n);
        addOutBill(bill, QDate(2026, 12, 10), QStringLiteral("厨房部"), QStringLiteral("冻库"));
        setCounter(QStringLiteral("1001"), 5, 0, 12.5);
        FrmCKGL& w = stockOut();
        selectBill(w, bill);
        MessageSeam::clear();
        bool open = false;
        onDialog<FrmCKMXADD>([&](FrmCKMXADD& d) {
            if (c.choose)
                pick(d, QStringLiteral("1001"));
            retypeKeys(d.TxtSL, QString::fromLatin1(c.quantity));
            if (c.dropToThree)
                OtherTill(dbPath()).exec(QStringLiteral("UPDATE store SET cks = 2 WHERE code = '1001'"));
            d.Save->click();
            open = Forms::isLoaded<FrmCKMXADD>();
        });
        w.Command1->click();
        EXPECT_EQ(messages(), c.messages) << c.quantity;
        if (!messages().isEmpty() && messages()[0] == QStringLiteral("出库数量必须大于0!")) {
            EXPECT_EQ(lastMessage().icon, Msg::Exclamation);
            EXPECT_EQ(lastMessage().title, QString());
        } else if (!messages().isEmpty()) {
            EXPECT_EQ(lastMessage().icon, Msg::Information);
            EXPECT_EQ(lastMessage().title, Hint);
        }
        EXPECT_EQ(open, c.stored == nullptr) << c.quantity;
        if (c.stored) {
            EXPECT_EQ(linesOf(bill), 1);
            EXPECT_EQ(value(QStringLiteral("SELECT num FROM ckgl2004 WHERE stock_bill_id = ?"), {bill}).toString(),
                      QString::fromLatin1(c.stored));
            EXPECT_EQ(counterText(QStringLiteral("1001")).section(u'|', 2, 2), QString::fromLatin1(c.stored));
        } else {
            EXPECT_EQ(linesOf(bill), 0) << c.quantity;
            EXPECT_EQ(counterText(QStringLiteral("1001")).section(u'|', 2, 2), c.dropToThree ? "2" : "0");
        }
        Forms::unloadAll();
    }
}

TEST_F(StockOutTest, MouseClicksOnBillsShowTheClickedBillsLines)
{
    addOutBill(QStringLiteral("C1"), QDate(2026, 12, 9));
    addOutBill(QStringLiteral("C2"), QDate(2026, 12, 9));
    addOutLine(QStringLiteral("C1"), QStringLiteral("1001"), 5, 2.5);
    addOutLine(QStringLiteral("C2"), QStringLiteral("1002"), 2, 4);
    setCounter(QStringLiteral("2001"), 10, 0, 650);
    FrmCKGL& w = stockOut();
    onDialog<FrmCKDADD>([](FrmCKDADD& d) { d.Save->click(); });
    w.Toolbar1->click(FrmCKGL::BtnNew);
    const QString added = QStringLiteral("20261210093000");
    clickRow(w.ListView2, rowOf(w.ListView2, added));
    addLine(w, QStringLiteral("2001"), QStringLiteral("3"));
    clickBillsInTurn<FrmCKMXEDIT>(w, {{QStringLiteral("C2"), QStringLiteral("1002"), QStringLiteral("2")},
                                      {added, QStringLiteral("2001"), QStringLiteral("3")},
                                      {QStringLiteral("C1"), QStringLiteral("1001"), QStringLiteral("5")}});
}

TEST_F(StockOutTest, PostingAndEditingLines)
{
    addOutBill(QStringLiteral("C1"), QDate(2026, 12, 10), QStringLiteral("厨房部"), QStringLiteral("冻库"));
    addOutBill(QStringLiteral("C2"), QDate(2026, 12, 10));
    setCounter(QStringLiteral("1001"), 10, 0, 25);
    FrmCKGL& w = stockOut();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("出库管理"));

    // 2.5 at 4: the amount 10, the counter by the full values.
    MessageSeam::clear();
    onDialog<FrmCKMXADD>([&](FrmCKMXADD& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("出库明细添加"));
        EXPECT_EQ(d.defaultButton, nullptr);
        EXPECT_EQ(d.cancelButton, nullptr);
        onDialog<FrmCKMXSELECT>([](FrmCKMXSELECT& p) {
            EXPECT_EQ(p.windowTitle(), QStringLiteral("出库选择"));
            // Only goods with a counter row, also with nothing on hand.
            EXPECT_EQ(column(p.ListView1, 0), QStringList{QStringLiteral("1001")});
            EXPECT_EQ(p.ListView1->subItem(0, 6), QStringLiteral("10"));
            doubleClickRow(p.ListView1, 0);
        });
        retypeKeys(d.TxtSL, QStringLiteral("2"));
        d.Command1->click();
        EXPECT_EQ(d.TxtDQKC->text(), QStringLiteral("10"));
        EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("2.5"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("5"));   // the quantity kept, the amount follows
        retypeKeys(d.TxtSL, QStringLiteral("2.5"));
        retypeKeys(d.TxtDJ, QStringLiteral("4"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("10"));
        d.Save->click();
    });
    w.Command1->click();
    EXPECT_EQ(messages(), QStringList{Saved});
    EXPECT_EQ(row(w.ListView1, 0), (QStringList{"1001", "可乐", "330ml", "听", "2.5", "4", "10"}));
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("冻库|10|2.5|25|35|"));
    Recordset line;
    line.open(QStringLiteral("SELECT id, num, price, zhks FROM ckgl2004"));
    EXPECT_EQ(line.field(0).toInt(), 1);
    EXPECT_EQ(line.field(1).toDouble(), 2.5);
    EXPECT_EQ(line.field(2).toDouble(), 4.0);
    EXPECT_EQ(line.field(3).toDouble(), 0.0);

    // The same goods again on the bill: refused, nothing written.
    MessageSeam::clear();
    addLine(w, QStringLiteral("1001"), QStringLiteral("1"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("同样的商品不能在一个出库单内出现两次!")});
    EXPECT_EQ(linesOf(QStringLiteral("C1")), 1);
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("冻库|10|2.5|25|35|"));

    // A line of 5 with 3 on hand offers 8; 5 → 3 lowers the issued total by 2.
    addOutLine(QStringLiteral("C2"), QStringLiteral("1001"), 5, 2);
    setCounter(QStringLiteral("1001"), 10.5, 7.5, 25);
    selectBill(w, QStringLiteral("C2"));
    MessageSeam::clear();
    editLine(w, QStringLiteral("1001"), [](FrmCKMXEDIT& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("出库明细修改"));
        EXPECT_EQ(d.TxtDQKC->text(), QStringLiteral("8"));
        EXPECT_EQ(d.TxtSL->text(), QStringLiteral("5"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("10"));
        EXPECT_FALSE(d.TxtDW->isEnabled());
        retypeKeys(d.TxtSL, QStringLiteral("3"));
    });
    EXPECT_EQ(messages(), QStringList{Saved});
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|10.5|5.5|25|21|"));
    // 3 → 9 is more than the 8 the line may take.
    MessageSeam::clear();
    bool open = false;
    w.ListView1->select(0);
    onDialog<FrmCKMXEDIT>([&](FrmCKMXEDIT& d) {
        EXPECT_EQ(d.TxtDQKC->text(), QStringLiteral("8"));
        retypeKeys(d.TxtSL, QStringLiteral("9"));
        d.Save->click();
        open = Forms::isLoaded<FrmCKMXEDIT>();
        retypeKeys(d.TxtSL, QStringLiteral("0"));
        d.Save->click();
    });
    w.Command2->click();
    EXPECT_TRUE(open);
    EXPECT_EQ(messages(), (QStringList{Short, "出库数量必须大于0!"}));
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|10.5|5.5|25|21|"));

    // Plain amounts in the list.
    addOutLine(QStringLiteral("C2"), QStringLiteral("1002"), 2, 3.5);
    addOutLine(QStringLiteral("C2"), QStringLiteral("2001"), 3, 1.25);
    w.ListView2Detail();
    selectBill(w, QStringLiteral("C2"));
    EXPECT_EQ(column(w.ListView1, 6), (QStringList{"6", "7", "3.75"}));

    // The goods record deleted: the code alone; the edit offers the stored
    // line and still posts it.
    sql(QStringLiteral("DELETE FROM brand WHERE code = '1002'"));
    w.ListView2_Click();
    EXPECT_EQ(row(w.ListView1, 1), (QStringList{"1002", "", "", "", "", "", ""}));
    // No counter row for it either (data clearing): the stock the line may
    // take is worked out from the lines, and the edit makes the row.
    insertRow(QStringLiteral("rkgl2004"), {{"stock_bill_id", "R1"}, {"code", "1002"}, {"num", 10}, {"je", 40}});
    MessageSeam::clear();
    editLine(w, QStringLiteral("1002"), [](FrmCKMXEDIT& d) {
        EXPECT_EQ(d.TxtSL->text(), QStringLiteral("2"));
        EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("3.5"));
        EXPECT_EQ(d.TxtDQKC->text(), QStringLiteral("10"));   // 10 in, 2 out, the line's own 2
        retypeKeys(d.TxtSL, QStringLiteral("4"));
    });
    EXPECT_EQ(messages(), QStringList{Saved});
    EXPECT_EQ(counterText(QStringLiteral("1002")), QStringLiteral("|10|4|40|0|"));
}

TEST_F(StockOutTest, BillsAddedEditedAndQueried)
{
    addStaff(QStringLiteral("E3"), QStringLiteral("张三"));   // a name twice: the later entry is chosen
    setCounter(QStringLiteral("1001"), 50, 0);
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool seen = false;
    onDialog<FrmCKGL>([&](FrmCKGL& w) {
        seen = true;
        for (int b = 1; b <= 6; ++b)
            EXPECT_EQ(w.Toolbar1->buttonEnabled(b), b == 1 || b == 4 || b == 6) << b;
        EXPECT_FALSE(w.Command1->isEnabled());
        // The total box lies below the window's design height.
        EXPECT_GE(Twips::top(w.TxtHJJE), 7590);
        EXPECT_EQ(w.TxtHJJE->text(), QString());

        onDialog<FrmCKDADD>([&](FrmCKDADD& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("出库单添加"));
            EXPECT_EQ(d.TxtCKDH->text(), QStringLiteral("20261210093000"));
            EXPECT_EQ(d.TxtCKRQ->text(), QStringLiteral("2026-12-10"));
            EXPECT_EQ(d.CmbTQBM->currentText(), QStringLiteral("[01]前厅部"));
            EXPECT_EQ(d.CmbTHR->currentText(), QStringLiteral("[SYSTEM]系统管理员"));
            EXPECT_EQ(d.CmbCZY->currentText(), QStringLiteral("[SYSTEM]系统管理员"));
            EXPECT_EQ(d.CmbCFCK->currentText(), QStringLiteral("[01]综合库"));
            d.CmbTHR->setCurrentIndex(d.CmbTHR->findText(QStringLiteral("[E3]张三")));
            typeKeys(d.TxtBZ, QStringLiteral("领料"));
            // A sale booked in the same second takes the number first.
            EXPECT_FALSE(orderingSale(QStringLiteral("1001"), m("1"), m("3")).isEmpty());
            d.Save->click();
            EXPECT_TRUE(Forms::isLoaded<FrmCKDADD>());
            EXPECT_EQ(messages(), QStringList{QStringLiteral("错误的编号！")});
            EXPECT_EQ(lastMessage().title, Hint);
        });
        w.Toolbar1->click(FrmCKGL::BtnNew);
        EXPECT_EQ(count(QStringLiteral("stock_out_bill")), 1);

        Clock::fix(Now.addSecs(7));
        MessageSeam::clear();
        onDialog<FrmCKDADD>([&](FrmCKDADD& d) {
            d.CmbTHR->setCurrentIndex(d.CmbTHR->findText(QStringLiteral("[E3]张三")));
            d.Save->click();
            EXPECT_FALSE(Forms::isLoaded<FrmCKDADD>());
        });
        w.Toolbar1->click(FrmCKGL::BtnNew);
        EXPECT_EQ(messages(), QStringList{Saved});
        Recordset bill;
        bill.open(QStringLiteral("SELECT * FROM stock_out_bill WHERE stock_bill_id = '20261210093007'"));
        ASSERT_EQ(bill.RecordCount(), 1);
        const QStringList names{"bill_num", "repr_name", "stock_out_date", "get_man", "get_man_name", "val_man",
                                "val_man_name", "ckh", "demo", "fs"};
        const QStringList expected{"1", "前厅部", "2026-12-10 00:00:00", "E3", "张三", "SYSTEM", "系统管理员", "综合库",
                                   "", "手动出库"};
        for (int i = 0; i < names.size(); ++i)
            EXPECT_EQ(bill.field(names[i]).toString(), expected[i]) << qPrintable(names[i]);
        EXPECT_EQ(column(w.ListView2, 0), (QStringList{"20261210093000", "20261210093007"}));
        EXPECT_EQ(row(w.ListView2, 0), (QStringList{"20261210093000", "2", "吧台", "2026-12-10", "SYSTEM", "SYSTEM",
                                                    "综合库", "吧台销售"}));

        // The bill the sale wrote: what the user leaves stays as stored.
        MessageSeam::clear();
        onDialog<FrmCKDEDIT>([&](FrmCKDEDIT& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("出库单修改"));
            EXPECT_EQ(d.TxtCKDH->text(), QStringLiteral("20261210093000"));
            EXPECT_EQ(d.CmbTQBM->currentIndex(), -1);
            EXPECT_EQ(d.CmbTHR->currentIndex(), -1);
            retypeKeys(d.TxtBZ, QStringLiteral("改"));
            d.Save->click();
        });
        w.Toolbar1->click(FrmCKGL::BtnEdit);
        EXPECT_EQ(messages(), QStringList{Saved});
        Recordset sale;
        sale.open(QStringLiteral("SELECT repr_name, get_man, get_man_name, val_man_name, ckh, demo, fs, stock_out_date,"
                                 " bill_num FROM stock_out_bill WHERE stock_bill_id = '20261210093000'"));
        EXPECT_EQ(sale.field(0).toString(), QStringLiteral("吧台"));
        EXPECT_EQ(sale.field(1).toString(), QString());
        EXPECT_FALSE(sale.field(1).isNull());
        EXPECT_EQ(sale.field(2).toString(), QStringLiteral("SYSTEM"));
        EXPECT_EQ(sale.field(3).toString(), QStringLiteral("SYSTEM"));
        EXPECT_EQ(sale.field(4).toString(), QStringLiteral("综合库"));
        EXPECT_EQ(sale.field(5).toString(), QStringLiteral("改"));
        EXPECT_EQ(sale.field(6).toString(), QStringLiteral("手工出库"));
        EXPECT_EQ(sale.field(7).toString(), QStringLiteral("2026-12-10 00:00:00"));
        EXPECT_EQ(sale.field(8).toDouble(), 2.0);

        // The last of two entries of the picker's name is chosen; a changed
        // department is written, fs becomes 手工出库.
        selectBill(w, QStringLiteral("20261210093007"));
        MessageSeam::clear();
        onDialog<FrmCKDEDIT>([&](FrmCKDEDIT& d) {
            EXPECT_EQ(d.CmbTHR->currentText(), QStringLiteral("[E3]张三"));
            EXPECT_EQ(d.TxtBZ->text(), QString());
            d.CmbTQBM->setCurrentIndex(d.CmbTQBM->findText(QStringLiteral("[04]库房")));
            d.Save->click();
        });
        w.Toolbar1->click(FrmCKGL::BtnEdit);
        EXPECT_EQ(value(QStringLiteral("SELECT repr_name || '|' || get_man || '|' || fs FROM stock_out_bill"
                                       " WHERE stock_bill_id = '20261210093007'"))
                      .toString(),
                  QStringLiteral("库房|E3|手工出库"));

        // The bill is gone (data clearing on another till): refused, the
        // dialog stays.
        MessageSeam::clear();
        onDialog<FrmCKDEDIT>([&](FrmCKDEDIT& d) {
            OtherTill(dbPath()).exec(QStringLiteral("DELETE FROM stock_out_bill"));
            d.Save->click();
            EXPECT_TRUE(Forms::isLoaded<FrmCKDEDIT>());
        });
        w.Toolbar1->click(FrmCKGL::BtnEdit);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("错误的编号！")});
        EXPECT_EQ(count(QStringLiteral("stock_out_bill")), 0);
        w.Toolbar1->click(FrmCKGL::BtnExit);
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdKFGL->click();
    main.CmdCKGL->click();
    EXPECT_TRUE(seen);
}

TEST_F(StockOutTest, BillQueryByDays)
{
    for (const QDate& d : {QDate(2026, 11, 1), QDate(2026, 11, 9), QDate(2026, 11, 30), QDate(2026, 12, 1)})
        addOutBill(d.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("080000"), d);
    FrmCKGL& w = stockOut();
    const struct { QDate from, to; int found; const char* message; } cases[] = {
        {QDate(2026, 11, 1), QDate(2026, 11, 30), 3, "共查询到3条记录!"},
        {QDate(2026, 11, 30), QDate(2026, 11, 1), 0, "查询结果为空!"},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        onDialog<FrmCKDQUERY>([&](FrmCKDQUERY& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("出库单查询"));
            EXPECT_EQ(d.Date2->date(), Now.date());
            d.Date1->setDate(c.from);
            d.Date2->setDate(c.to);
            d.Command1->click();
            EXPECT_FALSE(Forms::isLoaded<FrmCKDQUERY>());
        });
        w.Toolbar1->click(FrmCKGL::BtnQuery);
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(w.ListView2->count(), c.found);
        EXPECT_EQ(w.Toolbar1->buttonEnabled(FrmCKGL::BtnPrint), c.found > 0);
        EXPECT_EQ(w.Command1->isEnabled(), c.found > 0);
    }
}

TEST_F(StockOutTest, PrintingTheCurrentBill)
{
    addOutBill(QStringLiteral("C1"), QDate(2026, 12, 10));
    addOutBill(QStringLiteral("C2"), QDate(2026, 12, 10));
    addOutLine(QStringLiteral("C1"), QStringLiteral("1001"), 2, 2.5);
    addOutLine(QStringLiteral("C1"), QStringLiteral("2001"), 0.5, 65);
    FrmCKGL& w = stockOut();
    const QString rule(32, u'=');
    const struct { bool printer; const char* bill; QStringList lines; } cases[] = {
        {false, "C1", {}},
        {true, "C2", {"        出库单", "打印日期：2026-12-10"}},
        {true, "C1", {"        出库单", rule, "商品名称：    可乐", "规    格：    330ml", "单    位：    听",
                       "数    量：    2", "单    价：    2.5", "金    额：    5", rule, "", rule,
                       "商品名称：    大米", "规    格：    25kg", "单    位：    袋", "数    量：    0.5",
                       "单    价：    65", "金    额：    32.5", rule, "", "打印日期：2026-12-10"}},
    };
    for (const auto& c : cases) {
        Printers::script(c.printer ? QStringList{QStringLiteral("Recorder")} : QStringList{});
        printer = &PrinterSeam::record();
        MessageSeam::clear();
        selectBill(w, QString::fromLatin1(c.bill));
        w.Toolbar1->click(FrmCKGL::BtnPrint);
        if (!c.printer) {
            EXPECT_EQ(messages(), QStringList{QStringLiteral("您没有安装打印机!")});
            EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
            EXPECT_TRUE(printer->documents.empty());
            continue;
        }
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_EQ(printer->starts, 1);
        EXPECT_EQ(printed(), c.lines);
    }
    screenshot(&w, QStringLiteral("stock-out-window"));
}

TEST_F(StockOutTest, RandomStockMovesKeepTheCountersEqualToTheLines)
{
    const QStringList codes{"1001", "1002", "2001"};
    for (const QString& code : codes)
        setCounter(code, 0, 0);
    const QStringList inBills{"R1", "R2"}, outBills{"C1", "C2", "C3"};
    for (const QString& b : inBills)
        addInBill(b, QDate(2026, 12, 1));
    for (const QString& b : outBills)
        addOutBill(b, QDate(2026, 12, 2));
    FrmRKGL& in = window<FrmRKGL>();
    FrmCKGL& out = window<FrmCKGL>();
    std::mt19937 random(19);
    auto any = [&](const QStringList& from) { return from[int(random() % from.size())]; };
    int saved = 0;
    for (int step = 0; step < 60; ++step) {
        const QString code = any(codes);
        const QString quantity = QString::number(1 + random() % 6) + (random() % 2 ? QStringLiteral(".5") : QString());
        const QString price = QString::number(random() % 500 / 100.0);
        switch (random() % 6) {
        case 0: {   // a stock-in line added or edited
            clickRow(in.ListView2, rowOf(in.ListView2, any(inBills)));
            if (rowOf(in.ListView1, code) < 0)
                addLineThrough<FrmSPDASELECT, FrmRKMXADD>(in, code, QString::number(5 + random() % 20), price);
            else
                editLineThrough<FrmRKMXEDIT>(in, code, [&](FrmRKMXEDIT& d) {
                    retypeKeys(d.TxtSL, QString::number(1 + random() % 20));
                });
            break;
        }
        case 1:   // a stock-out line added, refused when the stock is short
            selectBill(out, any(outBills));
            if (rowOf(out.ListView1, code) < 0)
                addLine(out, code, quantity, price);
            break;
        case 2:   // a stock-out line edited
            selectBill(out, any(outBills));
            if (rowOf(out.ListView1, code) >= 0)
                editLine(out, code, [&](FrmCKMXEDIT& d) {
                    retypeKeys(d.TxtSL, quantity);
                    retypeKeys(d.TxtDJ, price);
                });
            break;
        case 3:   // an order placed at the front desk
        case 4: {   // a dish given free
            const auto c = StockPosting::counter(code);
            const Money whole = Money::parse(QString::number(1 + random() % 3));
            if (c && c->onHand() >= whole) {
                orderingSale(code, whole, Money::parse(price), random() % 2 == 0);
                Clock::fix(Clock::now().addSecs(1));
            }
            break;
        }
        default:   // a dish returned
            orderingReturn(code, Money::parse(quantity), Money::parse(price));
            Clock::fix(Clock::now().addSecs(1));
            break;
        }
        if (messages().contains(Saved) || messages().contains(QStringLiteral("保存成功!")))
            ++saved;
        MessageSeam::clear();
    }
    EXPECT_GT(saved, 10);
    EXPECT_GT(count(QStringLiteral("stock_out_bill"), QStringLiteral("WHERE fs = '销售出库'")), 3);
    for (const QString& code : codes) {
        const auto c = StockPosting::counter(code);
        ASSERT_TRUE(c.has_value());
        EXPECT_EQ(c->rks, sumOf(QStringLiteral("SELECT total(num) FROM rkgl2004 WHERE code = ?"), code)) << qPrintable(code);
        EXPECT_EQ(c->cks, sumOf(QStringLiteral("SELECT total(num) FROM ckgl2004 WHERE code = ?"), code)) << qPrintable(code);
        EXPECT_EQ(c->zje, sumOf(QStringLiteral("SELECT total(je) FROM rkgl2004 WHERE code = ?"), code)) << qPrintable(code);
        EXPECT_GE(c->onHand(), Money{}) << qPrintable(code);
    }
}

TEST_F(StockOutTest, ScreenshotsOfTheDialogs)
{
    setCounter(QStringLiteral("1001"), 12, 2);
    FrmCKGL& w = stockOut();
    onDialog<FrmCKDADD>([&](FrmCKDADD& d) {
        screenshot(&d, QStringLiteral("stock-out-bill-add"));
        d.Save->click();
    });
    w.Toolbar1->click(FrmCKGL::BtnNew);
    onDialog<FrmCKDEDIT>([&](FrmCKDEDIT& d) { screenshot(&d, QStringLiteral("stock-out-bill-edit")); });
    w.Toolbar1->click(FrmCKGL::BtnEdit);
    onDialog<FrmCKDQUERY>([&](FrmCKDQUERY& d) { screenshot(&d, QStringLiteral("stock-out-bill-query")); });
    w.Toolbar1->click(FrmCKGL::BtnQuery);
    onDialog<FrmCKMXADD>([&](FrmCKMXADD& d) {
        onDialog<FrmCKMXSELECT>([&](FrmCKMXSELECT& p) {
            screenshot(&p, QStringLiteral("stock-out-goods-picker"));
            p.Command1->click();
        });
        d.Command1->click();
        screenshot(&d, QStringLiteral("stock-out-line-add"));
        d.Save->click();
    });
    w.Command1->click();
    onDialog<FrmCKMXEDIT>([&](FrmCKMXEDIT& d) { screenshot(&d, QStringLiteral("stock-out-line-edit")); });
    w.Command2->click();
    EXPECT_EQ(w.ListView1->count(), 1);
}

// A quantity past the fourth decimal is stored and checked as typed: the
// stock on hand of 0.12345 takes 0.12345 and refuses 0.123451.
TEST_F(StockOutTest, QuantitiesPastFourDecimalsAreStoredAndCheckedAsTyped)
{
    addOutBill(QStringLiteral("C1"), QDate(2026, 12, 10), QStringLiteral("厨房部"), QStringLiteral("冻库"));
    setCounter(QStringLiteral("1001"), 0.12345, 0, 10);
    FrmCKGL& w = stockOut();
    MessageSeam::clear();
    onDialog<FrmCKMXADD>([&](FrmCKMXADD& d) {
        pick(d, QStringLiteral("1001"));
        EXPECT_EQ(d.TxtDQKC->text(), QStringLiteral("0.12345"));
        retypeKeys(d.TxtDJ, QStringLiteral("2"));
        retypeKeys(d.TxtSL, QStringLiteral("0.123451"));
        d.Save->click();
        EXPECT_EQ(messages(), QStringList{Short});
        retypeKeys(d.TxtSL, QStringLiteral("0.12345"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("0.2469"));
        d.Save->click();
    });
    w.Command1->click();
    EXPECT_EQ(messages(), (QStringList{Short, Saved}));
    EXPECT_EQ(value(QStringLiteral("SELECT quote(num) || '|' || quote(price) FROM ckgl2004")).toString(),
              QStringLiteral("0.12345|2.0"));
    EXPECT_EQ(value(QStringLiteral("SELECT quote(rks) || '|' || quote(cks) || '|' || quote(ckje) FROM store")).toString(),
              QStringLiteral("0.12345|0.12345|10.2469"));
    EXPECT_EQ(row(w.ListView1, 0).mid(4), (QStringList{"0.12345", "2", "0.2469"}));

    // The edit may take the line's own quantity again, and no more.
    MessageSeam::clear();
    editLine(w, QStringLiteral("1001"), [&](FrmCKMXEDIT& d) {
        EXPECT_EQ(d.TxtDQKC->text(), QStringLiteral("0.12345"));
        EXPECT_EQ(d.TxtSL->text(), QStringLiteral("0.12345"));
        retypeKeys(d.TxtSL, QStringLiteral("0.123451"));
        d.Save->click();
        retypeKeys(d.TxtSL, QStringLiteral("0.12344"));
    });
    EXPECT_EQ(messages(), (QStringList{Short, Saved}));
    EXPECT_EQ(value(QStringLiteral("SELECT quote(rks) || '|' || quote(cks) || '|' || quote(ckje) FROM store")).toString(),
              QStringLiteral("0.12345|0.12344|9.99998"));
}

// With more bills than the list reads at once, opening reads the first ones;
// scrolled to its end the list holds every bill in the order a full read
// gives, each row with its own cells, and a bill clicked there is current.
TEST_F(StockOutTest, ALongBillListIsReadAsItIsScrolledInTheOrderOfAFullRead)
{
    const int bills = 2 * BillRows::FetchRows + 300;
    // Numbers out of their row order, days spread over the months.
    sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                       "INSERT INTO stock_out_bill (stock_bill_id, bill_num, repr_name, stock_out_date) "
                       "SELECT printf('X%05d', (i * 7919) % 100000), i % 3, '吧台', "
                       "date('2026-01-01', '+' || (i % 300) || ' days') || ' 00:00:00' FROM n"),
        {bills});
    QStringList full;
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT stock_bill_id || '|' || strftime('%Y-%m-%d', stock_out_date) AS k "
                               "FROM stock_out_bill ORDER BY rowid"));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            full << rs.text(QStringLiteral("k"));
    }
    ASSERT_EQ(full.size(), bills);

    FrmCKGL& w = stockOut();
    const auto shown = [&] {
        QStringList out;
        for (int r = 0; r < w.ListView2->count(); ++r)
            out << w.ListView2->text(r) + u'|' + w.ListView2->subItem(r, 3);
        return out;
    };
    EXPECT_EQ(w.ListView2->count(), BillRows::FetchRows);
    EXPECT_EQ(shown(), full.mid(0, BillRows::FetchRows));
    EXPECT_EQ(w.ListView2->selectedRow(), 0);

    // Scrolled down as a user drags the bar to the bottom, until no more come.
    QScrollBar* bar = w.ListView2->verticalScrollBar();
    for (int tries = 0; tries < 10 && bar->value() < bar->maximum() + 1; ++tries) {
        const int before = w.ListView2->count();
        bar->setValue(bar->maximum());
        processEvents();
        if (w.ListView2->count() == before)
            break;
    }
    EXPECT_EQ(w.ListView2->count(), bills);
    EXPECT_EQ(shown(), full);
    EXPECT_TRUE(messages().isEmpty());

    // The last bill clicked is the current one.
    const QString last = full.last().section(u'|', 0, 0);
    selectBill(w, last);
    EXPECT_EQ(w.currentBill(), last);

    // Opened again: the first rows only, the first one current.
    w.ListView2Detail();
    EXPECT_EQ(w.ListView2->count(), BillRows::FetchRows);
    EXPECT_EQ(w.currentBill(), full.first().section(u'|', 0, 0));
}
