// The stock-in window: bills, their lines with the posting to the stock
// counters, the bill query, the goods picker and the printed bill.
#include <QTreeWidgetItemIterator>
#include <random>
#include "shell/FrmMain.h"
#include "stockin/FrmRKGL.h"
#include "stockin/FrmSPDASELECT.h"
#include "stockin/StockInDialogs.h"
#include "tests/StockFixture.h"

namespace {

const QString Hint = QStringLiteral("提示");
const QString Saved = QStringLiteral("保存成功!");

class StockInTest : public StockTest {
protected:
    void SetUp() override
    {
        StockTest::SetUp();
        addStaff(QStringLiteral("E1"), QStringLiteral("张三"));
        addStaff(QStringLiteral("E2"), QStringLiteral("李四"));
        addStaff(QStringLiteral("E9"), QStringLiteral("离职"), QStringLiteral("0"));
        addSupplier(QStringLiteral("华联超市"));
        addSupplier(QStringLiteral("鑫源肉类"));
        addGoodsOfTwoClasses();
    }

    FrmRKGL& stockIn() { return window<FrmRKGL>(); }

    // A new bill through the add dialog, saved as it opens.
    void newBill(FrmRKGL& w)
    {
        onDialog<FrmRKDADD>([](FrmRKDADD& d) { d.Save->click(); });
        w.Toolbar1->click(FrmRKGL::BtnNew);
    }
    void pick(FrmRKMXADD& d, const QString& code) { pickGoods<FrmSPDASELECT>(d, code); }
    void addLine(FrmRKGL& w, const QString& code, const QString& quantity, const QString& price)
    {
        addLineThrough<FrmSPDASELECT, FrmRKMXADD>(w, code, quantity, price);
    }
    void editLine(FrmRKGL& w, const QString& code, std::function<void(FrmRKMXEDIT&)> change)
    {
        editLineThrough<FrmRKMXEDIT>(w, code, change);
    }
    void selectBill(FrmRKGL& w, const QString& number) { clickRow(w.ListView2, rowOf(w.ListView2, number)); }

    // Per goods code, the counter against the sums of the stored lines.
    void expectCountersAddUp(const QStringList& codes)
    {
        for (const QString& code : codes) {
            const auto c = StockPosting::counter(code);
            ASSERT_TRUE(c.has_value()) << qPrintable(code);
            EXPECT_EQ(c->rks, sumOf(QStringLiteral("SELECT total(num) FROM rkgl2004 WHERE code = ?"), code)) << qPrintable(code);
            EXPECT_EQ(c->zje, sumOf(QStringLiteral("SELECT total(je) FROM rkgl2004 WHERE code = ?"), code)) << qPrintable(code);
            EXPECT_EQ(c->cks, sumOf(QStringLiteral("SELECT total(num) FROM ckgl2004 WHERE code = ?"), code)) << qPrintable(code);
        }
    }
};

} // namespace

TEST_F(StockInTest, ANewBillAndItsFirstLineThroughTheWindows)
{
    addUser(QStringLiteral("K1"), QStringLiteral("1"), {QStringLiteral("301")});
    startAndLogIn(QStringLiteral("K1"), QStringLiteral("1"));
    bool seen = false;
    onDialog<FrmRKGL>([&](FrmRKGL& w) {
        seen = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("入库管理"));
        // No bill yet: nothing to edit, print or add lines to.
        EXPECT_EQ(w.ListView2->count(), 0);
        for (int b = 1; b <= 6; ++b)
            EXPECT_EQ(w.Toolbar1->buttonEnabled(b), b == 1 || b == 4 || b == 6) << b;
        EXPECT_FALSE(w.Toolbar1->buttonVisible(FrmRKGL::BtnDelete));
        EXPECT_FALSE(w.Command1->isEnabled());
        EXPECT_FALSE(w.Command2->isEnabled());
        EXPECT_FALSE(w.Command3->isVisible());

        onDialog<FrmRKDADD>([&](FrmRKDADD& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("入库单添加"));
            EXPECT_EQ(d.TxtRKDH->text(), QStringLiteral("20261210093000"));
            EXPECT_FALSE(d.TxtRKDH->isEnabled());
            EXPECT_EQ(d.TxtRKRQ->text(), QStringLiteral("2026-12-10"));
            EXPECT_FALSE(d.TxtRKRQ->isEnabled());
            EXPECT_FALSE(d.TxtDJZS->isVisibleTo(&d));
            EXPECT_EQ(d.CmbGHDW->currentText(), QStringLiteral("华联超市"));
            // Employed staff only, in the order stored.
            EXPECT_EQ(d.CmbCGY->count(), 3);
            EXPECT_EQ(d.CmbCGY->currentText(), QStringLiteral("[SYSTEM]系统管理员"));
            EXPECT_EQ(d.CmbYSR->currentText(), QStringLiteral("[SYSTEM]系统管理员"));
            EXPECT_EQ(d.CmbZFFS->currentText(), QStringLiteral("[001]现金"));
            EXPECT_EQ(d.CmbCFCK->currentText(), QStringLiteral("[01]综合库"));
            EXPECT_EQ(d.defaultButton, d.Save);
            EXPECT_EQ(d.cancelButton, d.Quit);
            // The clock moves on while the dialog is open: the number stays.
            Clock::fix(Now.addSecs(65));
            d.Save->click();
            EXPECT_FALSE(Forms::isLoaded<FrmRKDADD>());
        });
        w.Toolbar1->click(FrmRKGL::BtnNew);
        EXPECT_EQ(messages(), QStringList{Saved});
        EXPECT_EQ(lastMessage().title, Hint);
        EXPECT_EQ(lastMessage().icon, Msg::Information);

        Recordset bill;
        bill.open(QStringLiteral("SELECT * FROM stock_in_bill"));
        ASSERT_EQ(bill.RecordCount(), 1);
        const QStringList names{"stock_bill_id", "bill_num", "stock_in_date", "in_man", "in_man_name", "pay_style",
                                "buy_man", "buy_man_name", "demo", "ckh", "fs", "repr_name"};
        const QStringList expected{"20261210093000", "1", "2026-12-10 00:00:00", "SYSTEM", "系统管理员", "现金",
                                   "SYSTEM", "系统管理员", "", "综合库", "手工入库", "华联超市"};
        for (int i = 0; i < names.size(); ++i)
            EXPECT_EQ(bill.field(names[i]).toString(), expected[i]) << qPrintable(names[i]);
        EXPECT_EQ(row(w.ListView2, 0), (QStringList{"20261210093000", "1", "华联超市", "2026-12-10", "系统管理员",
                                                    "现金", "系统管理员", "综合库", ""}));
        EXPECT_EQ(w.ListView2->selectedRow(), 0);
        EXPECT_TRUE(w.Command1->isEnabled());
        EXPECT_FALSE(w.Command2->isEnabled());

        MessageSeam::clear();
        onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("入库明细添加"));
            EXPECT_EQ(d.TxtSL->text(), QStringLiteral("1"));
            EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("0"));
            EXPECT_EQ(d.TxtJE->text(), QStringLiteral("0"));
            pick(d, QStringLiteral("1001"));
            EXPECT_EQ(d.TxtSPBM->text(), QStringLiteral("1001"));
            EXPECT_EQ(d.TxtSPMC->text(), QStringLiteral("可乐"));
            EXPECT_EQ(d.TxtDW->text(), QStringLiteral("听"));
            EXPECT_EQ(d.TxtGG->text(), QStringLiteral("330ml"));
            EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("2.5"));
            EXPECT_EQ(d.TxtJE->text(), QStringLiteral("2.5"));
            retypeKeys(d.TxtSL, QStringLiteral("5x"));   // digits only
            EXPECT_EQ(d.TxtSL->text(), QStringLiteral("5"));
            EXPECT_EQ(d.TxtJE->text(), QStringLiteral("12.5"));
            typeKeys(d.TxtPCH, QStringLiteral("P20261210-12"));   // ten characters at most
            EXPECT_EQ(d.TxtPCH->text(), QStringLiteral("P20261210-"));
            d.Save->click();
            EXPECT_FALSE(Forms::isLoaded<FrmRKMXADD>());
        });
        w.Command1->click();
        EXPECT_EQ(messages(), QStringList{Saved});

        Recordset line;
        line.open(QStringLiteral("SELECT * FROM rkgl2004"));
        ASSERT_EQ(line.RecordCount(), 1);
        EXPECT_EQ(line.field(QStringLiteral("stock_bill_id")).toString(), QStringLiteral("20261210093000"));
        EXPECT_EQ(line.field(QStringLiteral("name")).toString(), QStringLiteral("可乐"));
        EXPECT_EQ(line.field(QStringLiteral("num")).toDouble(), 5.0);
        EXPECT_EQ(line.field(QStringLiteral("price")).toDouble(), 2.5);
        EXPECT_EQ(line.field(QStringLiteral("je")).toDouble(), 12.5);
        EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|5|0|12.5|0|20261210"));
        EXPECT_EQ(row(w.ListView1, 0), (QStringList{"1001", "可乐", "330ml", "P20261210-", "", "", "", "听", "5",
                                                    "2.5", "12.5"}));
        EXPECT_TRUE(w.Command2->isEnabled());

        // The same goods a second time on the bill: refused, nothing written,
        // the dialog stays with its values.
        MessageSeam::clear();
        onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
            pick(d, QStringLiteral("1001"));
            retypeKeys(d.TxtSL, QStringLiteral("3"));
            d.Save->click();
            EXPECT_TRUE(Forms::isLoaded<FrmRKMXADD>());
            EXPECT_EQ(d.TxtSL->text(), QStringLiteral("3"));
        });
        w.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("同类商品不可在同一个入库单内出现两次!")});
        EXPECT_EQ(lastMessage().title, Hint);
        EXPECT_EQ(count(QStringLiteral("rkgl2004")), 1);
        EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|5|0|12.5|0|20261210"));

        // No goods chosen, and quantities below one.
        MessageSeam::clear();
        onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
            d.Save->click();
            pick(d, QStringLiteral("1002"));
            for (const char* q : {"", "0"}) {
                retypeKeys(d.TxtSL, QString::fromLatin1(q));
                d.Save->click();
            }
            EXPECT_TRUE(Forms::isLoaded<FrmRKMXADD>());
        });
        w.Command1->click();
        EXPECT_EQ(messages(), (QStringList{"请选择商品编码!", "数量至少为1!", "数量至少为1!"}));
        EXPECT_EQ(count(QStringLiteral("rkgl2004")), 1);
        // A stored quantity below one (a dish return of half a portion) is
        // refused in the edit dialog too.
        MessageSeam::clear();
        editLine(w, QStringLiteral("1001"), [](FrmRKMXEDIT& d) { d.TxtSL->setText(QStringLiteral("0.5")); });
        EXPECT_EQ(messages(), QStringList{QStringLiteral("数量至少为1!")});
        EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|5|0|12.5|0|20261210"));

        screenshot(&w, QStringLiteral("stock-in-window"));
        w.Toolbar1->click(FrmRKGL::BtnExit);
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdKFGL->click();
    main.CmdRKGL->click();
    EXPECT_TRUE(seen);
}

TEST_F(StockInTest, MouseClicksOnBillsShowTheClickedBillsLines)
{
    addInBill(QStringLiteral("B1"), QDate(2026, 12, 9));
    addInBill(QStringLiteral("B2"), QDate(2026, 12, 9));
    addInLine(QStringLiteral("B1"), QStringLiteral("1001"), 5, 2.5);
    addInLine(QStringLiteral("B2"), QStringLiteral("1002"), 2, 4);
    FrmRKGL& w = stockIn();
    newBill(w);
    const QString added = QStringLiteral("20261210093000");
    clickRow(w.ListView2, rowOf(w.ListView2, added));
    addLine(w, QStringLiteral("2001"), QStringLiteral("3"), QStringLiteral("65"));
    clickBillsInTurn<FrmRKMXEDIT>(w, {{QStringLiteral("B2"), QStringLiteral("1002"), QStringLiteral("2")},
                                      {added, QStringLiteral("2001"), QStringLiteral("3")},
                                      {QStringLiteral("B1"), QStringLiteral("1001"), QStringLiteral("5")}});
}

TEST_F(StockInTest, AnEditPostsTheChangeFromTheLineAsStored)
{
    addInBill(QStringLiteral("B1"), QDate(2026, 12, 9));
    addInBill(QStringLiteral("B2"), QDate(2026, 12, 9));
    FrmRKGL& w = stockIn();
    addLine(w, QStringLiteral("1001"), QStringLiteral("5"), QStringLiteral("2.5"));
    selectBill(w, QStringLiteral("B2"));
    addLine(w, QStringLiteral("1001"), QStringLiteral("2"), QStringLiteral("3"));
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|7|0|18.5|0|20261210"));
    selectBill(w, QStringLiteral("B1"));

    // 5 → 8 adds 3; the dialog shows the line as stored.
    MessageSeam::clear();
    editLine(w, QStringLiteral("1001"), [](FrmRKMXEDIT& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("入库明细修改"));
        EXPECT_EQ(d.TxtSL->text(), QStringLiteral("5"));
        EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("2.5"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("12.5"));
        EXPECT_EQ(d.TxtSPMC->text(), QStringLiteral("可乐"));
        EXPECT_FALSE(d.TxtSPBM->isEnabled());
        retypeKeys(d.TxtSL, QStringLiteral("8"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("20"));
    });
    EXPECT_EQ(messages(), QStringList{Saved});
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|10|0|26|0|20261210"));
    EXPECT_EQ(w.ListView1->subItem(0, 8), QStringLiteral("8"));

    // Only the batch changes: only the day of the last posting moves.
    Clock::fix(Now.addDays(1));
    editLine(w, QStringLiteral("1001"), [](FrmRKMXEDIT& d) { retypeKeys(d.TxtPCH, QStringLiteral("批次2")); });
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|10|0|26|0|20261211"));
    EXPECT_EQ(value(QStringLiteral("SELECT pch FROM rkgl2004 WHERE stock_bill_id = 'B1'")).toString(),
              QStringLiteral("批次2"));

    // Another till changes the line while the dialog is open: the edit moves
    // the counter from what is stored then, not from what the dialog showed.
    editLine(w, QStringLiteral("1001"), [this](FrmRKMXEDIT& d) {
        OtherTill other(dbPath());
        other.exec(QStringLiteral("UPDATE rkgl2004 SET num = 12, je = 30 WHERE stock_bill_id = 'B1'"));
        other.exec(QStringLiteral("UPDATE store SET rks = rks + 4, zje = zje + 10 WHERE code = '1001'"));
        retypeKeys(d.TxtSL, QStringLiteral("6"));
    });
    expectCountersAddUp({QStringLiteral("1001")});
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|8|0|21|0|20261211"));

    // The goods record is deleted: the line shows its code alone, yet the
    // edit dialog offers the stored quantity and price and the counter
    // still adds up.
    sql(QStringLiteral("DELETE FROM brand WHERE code = '1001'"));
    w.ListView2Detail();
    EXPECT_EQ(row(w.ListView1, 0), (QStringList{"1001", "", "", "", "", "", "", "", "", "", ""}));
    editLine(w, QStringLiteral("1001"), [](FrmRKMXEDIT& d) {
        EXPECT_EQ(d.TxtSL->text(), QStringLiteral("6"));
        EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("2.5"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("15"));
        EXPECT_EQ(d.TxtSPMC->text(), QStringLiteral("可乐"));   // as the line keeps it
        retypeKeys(d.TxtSL, QStringLiteral("4"));
    });
    expectCountersAddUp({QStringLiteral("1001")});

    // Data clearing took the counters: the edit makes the row again from the
    // stored lines of the code, the edited line included.
    sql(QStringLiteral("DELETE FROM store"));
    editLine(w, QStringLiteral("1001"), [](FrmRKMXEDIT& d) { retypeKeys(d.TxtSL, QStringLiteral("9")); });
    expectCountersAddUp({QStringLiteral("1001")});
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("|11|0|28.5|0|20261211"));
}

TEST_F(StockInTest, RandomLineAddsEditsAndDishReturnsKeepTheCountersEqualToTheLines)
{
    const QStringList bills{"B1", "B2", "B3"};
    for (const QString& b : bills)
        addInBill(b, QDate(2026, 12, 1));
    const QStringList codes{"1001", "1002", "2001"};
    FrmRKGL& w = stockIn();
    std::mt19937 random(18);
    auto pickOne = [&](const QStringList& from) { return from[int(random() % from.size())]; };
    for (int step = 0; step < 40; ++step) {
        const QString bill = pickOne(bills), code = pickOne(codes);
        const QString quantity = QString::number(1 + random() % 20);
        const QString price = QString::number(random() % 1000 / 100.0);
        switch (random() % 3) {
        case 0:   // a new line; refused when the bill holds the goods
            selectBill(w, bill);
            if (rowOf(w.ListView1, code) < 0)
                addLine(w, code, quantity, price);
            break;
        case 1:   // an edit of a line of the bill
            selectBill(w, bill);
            if (rowOf(w.ListView1, code) >= 0)
                editLine(w, code, [&](FrmRKMXEDIT& d) {
                    retypeKeys(d.TxtSL, quantity);
                    retypeKeys(d.TxtDJ, price);
                });
            break;
        default:   // a dish returned at the front desk, with a fraction
            orderingReturn(code, Money::parse(quantity + QStringLiteral(".5")), Money::parse(price));
            Clock::fix(Clock::now().addSecs(1));
            break;
        }
    }
    EXPECT_GT(count(QStringLiteral("rkgl2004")), 10);
    EXPECT_GT(count(QStringLiteral("stock_in_bill"), QStringLiteral("WHERE fs = '销售入库'")), 3);
    for (const QString& code : codes)
        if (StockPosting::counter(code))
            expectCountersAddUp({code});
}

TEST_F(StockInTest, AFailingCounterWriteLeavesTheLineUnwrittenAndTheDialogOpen)
{
    addInBill(QStringLiteral("B1"), QDate(2026, 12, 9));
    setCounter(QStringLiteral("1001"), 3, 1, 7.5);
    sql(QStringLiteral("CREATE TRIGGER fail_update BEFORE UPDATE ON store BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
    sql(QStringLiteral("CREATE TRIGGER fail_insert BEFORE INSERT ON store BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
    FrmRKGL& w = stockIn();
    for (const char* code : {"1001", "1002"}) {   // a counter row to change, one to make
        MessageSeam::clear();
        bool open = false;
        onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
            pick(d, QString::fromLatin1(code));
            retypeKeys(d.TxtSL, QStringLiteral("5"));
            d.Save->click();
            open = Forms::isLoaded<FrmRKMXADD>();
        });
        w.Command1->click();
        EXPECT_TRUE(open) << code;
        ASSERT_EQ(messages().size(), 1) << code;
        EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Write))) << qPrintable(messages()[0]);
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(count(QStringLiteral("rkgl2004")), 0) << code;
    }
    EXPECT_EQ(counterText(QStringLiteral("1001")), QStringLiteral("综合库|3|1|7.5|0|"));
    EXPECT_EQ(counterText(QStringLiteral("1002")), QStringLiteral("none"));
    EXPECT_EQ(w.ListView1->count(), 0);
}

TEST_F(StockInTest, BillQueryByDaysAndTheNumberTakenMeanwhile)
{
    const QDate days[] = {QDate(2026, 11, 1), QDate(2026, 11, 5), QDate(2026, 11, 9), QDate(2026, 11, 10),
                          QDate(2026, 11, 30), QDate(2026, 12, 1), QDate(2026, 10, 31)};
    for (const QDate& d : days)
        addInBill(d.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("080000"), d);
    addInLine(QStringLiteral("20261105080000"), QStringLiteral("1002"), 2, 4);
    setCounter(QStringLiteral("1002"), 2, 0, 8);
    FrmRKGL& w = stockIn();
    EXPECT_EQ(w.ListView2->count(), 7);

    const struct { QDate from, to; QStringList listed; const char* message; } cases[] = {
        {QDate(2026, 11, 1), QDate(2026, 11, 30),
         {"20261101080000", "20261105080000", "20261109080000", "20261110080000", "20261130080000"}, "共查询到5条记录!"},
        {QDate(2026, 11, 5), QDate(2026, 11, 10), {"20261105080000", "20261109080000", "20261110080000"},
         "共查询到3条记录!"},
        {QDate(2026, 11, 30), QDate(2026, 11, 30), {"20261130080000"}, "共查询到1条记录!"},
        {QDate(2026, 11, 30), QDate(2026, 11, 1), {}, "查询结果为空!"},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        bool closedFirst = false;
        MessageSeam::answerWith([&] {
            closedFirst = !Forms::isLoaded<FrmRKDQUERY>();
            return int(Msg::OK);
        });
        onDialog<FrmRKDQUERY>([&](FrmRKDQUERY& d) {
            EXPECT_EQ(d.Date1->date(), Now.date());
            EXPECT_FALSE(d.Combo1->isEnabled());
            d.Check1->click();
            EXPECT_TRUE(d.Combo1->isEnabled());
            d.Date1->setDate(c.from);
            d.Date2->setDate(c.to);
            d.Command1->click();
        });
        w.Toolbar1->click(FrmRKGL::BtnQuery);
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)}) << qPrintable(c.from.toString());
        EXPECT_TRUE(closedFirst);
        EXPECT_EQ(column(w.ListView2, 0), c.listed);
        const bool any = !c.listed.isEmpty();
        for (int b : {FrmRKGL::BtnEdit, FrmRKGL::BtnPrint})
            EXPECT_EQ(w.Toolbar1->buttonEnabled(b), any) << b;
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmRKGL::BtnQuery));
        EXPECT_EQ(w.Command1->isEnabled(), any);
    }
    // The first bill found is the current one, with its lines.
    MessageSeam::clear();
    onDialog<FrmRKDQUERY>([&](FrmRKDQUERY& d) {
        d.Date1->setDate(QDate(2026, 11, 5));
        d.Date2->setDate(QDate(2026, 11, 5));
        d.Command1->click();
    });
    w.Toolbar1->click(FrmRKGL::BtnQuery);
    EXPECT_EQ(column(w.ListView1, 0), QStringList{QStringLiteral("1002")});

    // A number taken by a dish return while the add dialog was open: refused,
    // nothing written, the dialog gone and the list as it was.
    MessageSeam::clear();
    onDialog<FrmRKDADD>([&](FrmRKDADD& d) {
        orderingReturn(QStringLiteral("1002"), m("1"), m("4"));   // books 20261210093000
        d.Save->click();
        EXPECT_FALSE(Forms::isLoaded<FrmRKDADD>());
    });
    w.Toolbar1->click(FrmRKGL::BtnNew);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("错误的编号!")});
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_EQ(count(QStringLiteral("stock_in_bill")), 8);
    EXPECT_EQ(value(QStringLiteral("SELECT fs FROM stock_in_bill WHERE stock_bill_id = '20261210093000'")).toString(),
              QStringLiteral("销售入库"));
    EXPECT_EQ(column(w.ListView2, 0), QStringList{QStringLiteral("20261105080000")});

    // A saved bill brings the whole list back.
    Clock::fix(Now.addSecs(5));
    newBill(w);
    EXPECT_EQ(w.ListView2->count(), 9);
}

TEST_F(StockInTest, EditingABillOfADishReturnKeepsWhatTheUserLeft)
{
    setCounter(QStringLiteral("1002"), 10, 2);
    const QString number = orderingReturn(QStringLiteral("1002"), m("1"), m("4"));
    // Two employees share a name: the earlier entry is chosen.
    addStaff(QStringLiteral("E3"), QStringLiteral("张三"));
    addInBill(QStringLiteral("B2"), QDate(2026, 12, 8), QStringLiteral("冻库"), QStringLiteral("不在名单的供应商"));
    FrmRKGL& w = stockIn();
    ASSERT_EQ(w.ListView2->text(0), number);
    EXPECT_EQ(row(w.ListView2, 0), (QStringList{number, "2", "吧台", "2026-12-10", "SYSTEM", "001", "SYSTEM", "综合库",
                                                "点错菜"}));

    Recordset before;
    before.open(QStringLiteral("SELECT * FROM stock_in_bill WHERE stock_bill_id = ?"), {number});
    onDialog<FrmRKDEDIT>([&](FrmRKDEDIT& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("入库单修改"));
        EXPECT_EQ(d.TxtRKDH->text(), number);
        EXPECT_EQ(d.TxtRKRQ->text(), QStringLiteral("2026-12-10"));
        EXPECT_EQ(d.TxtDJZS->text(), QStringLiteral("2"));
        EXPECT_EQ(d.CmbGHDW->currentText(), QStringLiteral("吧台"));
        // Stored values the lists do not hold: no entry chosen.
        EXPECT_EQ(d.CmbCGY->currentIndex(), -1);
        EXPECT_EQ(d.CmbYSR->currentIndex(), -1);
        EXPECT_EQ(d.CmbZFFS->currentIndex(), -1);
        EXPECT_EQ(d.CmbCFCK->currentText(), QStringLiteral("[01]综合库"));
        retypeKeys(d.TxtBZ, QStringLiteral("改了备注"));
        d.Save->click();
        EXPECT_FALSE(Forms::isLoaded<FrmRKDEDIT>());
    });
    w.Toolbar1->click(FrmRKGL::BtnEdit);
    EXPECT_EQ(messages(), QStringList{Saved});
    Recordset after;
    after.open(QStringLiteral("SELECT * FROM stock_in_bill WHERE stock_bill_id = ?"), {number});
    for (int i = 0; i < before.fieldCount(); ++i) {
        const QString name = before.fieldName(i);
        if (name == QLatin1String("demo"))
            EXPECT_EQ(after.field(name).toString(), QStringLiteral("改了备注"));
        else if (name == QLatin1String("fs"))
            EXPECT_EQ(after.field(name).toString(), QStringLiteral("手工入库"));
        else
            EXPECT_EQ(after.field(name), before.field(name)) << qPrintable(name);
    }

    // A bill of listed values: the buyer changed, the rest as stored.
    clickRow(w.ListView2, rowOf(w.ListView2, QStringLiteral("B2")));
    MessageSeam::clear();
    onDialog<FrmRKDEDIT>([&](FrmRKDEDIT& d) {
        EXPECT_EQ(d.CmbCGY->currentText(), QStringLiteral("[E1]张三"));
        EXPECT_EQ(d.CmbCFCK->currentText(), QStringLiteral("[04]冻库"));
        EXPECT_EQ(d.CmbGHDW->currentText(), QStringLiteral("不在名单的供应商"));
        d.CmbCGY->setCurrentIndex(d.CmbCGY->findText(QStringLiteral("[E2]李四")));
        d.Save->click();
    });
    w.Toolbar1->click(FrmRKGL::BtnEdit);
    Recordset b2;
    b2.open(QStringLiteral("SELECT buy_man, buy_man_name, in_man, ckh, repr_name, stock_in_date FROM stock_in_bill"
                           " WHERE stock_bill_id = 'B2'"));
    EXPECT_EQ(b2.field(0).toString(), QStringLiteral("E2"));
    EXPECT_EQ(b2.field(1).toString(), QStringLiteral("李四"));
    EXPECT_EQ(b2.field(2).toString(), QStringLiteral("E1"));
    EXPECT_EQ(b2.field(3).toString(), QStringLiteral("冻库"));
    EXPECT_EQ(b2.field(4).toString(), QStringLiteral("不在名单的供应商"));
    EXPECT_EQ(b2.field(5).toString(), QStringLiteral("2026-12-08 00:00:00"));

    // Changed by another till while the dialog was open: refused, nothing
    // written, the dialog stays.
    clickRow(w.ListView2, rowOf(w.ListView2, QStringLiteral("B2")));
    MessageSeam::clear();
    bool open = false;
    onDialog<FrmRKDEDIT>([&](FrmRKDEDIT& d) {
        OtherTill(dbPath()).exec(QStringLiteral("UPDATE stock_in_bill SET demo = '另一台' WHERE stock_bill_id = 'B2'"));
        retypeKeys(d.TxtBZ, QStringLiteral("这一台"));
        d.Save->click();
        open = Forms::isLoaded<FrmRKDEDIT>();
    });
    w.Toolbar1->click(FrmRKGL::BtnEdit);
    EXPECT_TRUE(open);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Changed)));
    EXPECT_EQ(value(QStringLiteral("SELECT demo FROM stock_in_bill WHERE stock_bill_id = 'B2'")).toString(),
              QStringLiteral("另一台"));
}

TEST_F(StockInTest, ThePickerOffersEveryGoodsItemWithItsStock)
{
    addClass(QStringLiteral("3"), QStringLiteral("Jack's 杂货"));
    addClass(QStringLiteral("4"), QStringLiteral("空类"));
    addGoods(QStringLiteral("3001"), QStringLiteral("O'Brien's 酱"), QStringLiteral("Jack's 杂货"), 12.5, QStringLiteral("A"));
    setCounter(QStringLiteral("1002"), 2, 5);   // issued beyond its receipts
    addInBill(QStringLiteral("B1"), QDate(2026, 12, 9));
    FrmRKGL& w = stockIn();
    onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
        retypeKeys(d.TxtSL, QStringLiteral("2"));
        onDialog<FrmSPDASELECT>([&](FrmSPDASELECT& p) {
            EXPECT_EQ(p.windowTitle(), QStringLiteral("商品选择"));
            EXPECT_EQ(p.TreeView1->selectedText(), QStringLiteral("所有种类"));
            // Every goods item, in the order of its specification.
            EXPECT_EQ(column(p.ListView1, 4), (QStringList{"25kg", "330ml", "600ml", "A"}));
            EXPECT_EQ(p.ListView1->subItem(rowOf(p.ListView1, QStringLiteral("1001")), 6), QStringLiteral("0"));
            EXPECT_EQ(p.ListView1->subItem(rowOf(p.ListView1, QStringLiteral("1002")), 6), QStringLiteral("-3"));
            const QStringList heads{"商品编码", "商品名称", "单位", "单价", "商品规格", "商品种类", "当前库存"};
            for (int c = 0; c < 7; ++c)
                EXPECT_EQ(p.ListView1->columnCaption(c), heads[c]);

            MessageSeam::clear();
            for (QTreeWidgetItemIterator it(p.TreeView1); *it; ++it)
                if ((*it)->text(0) == QStringLiteral("空类"))
                    p.TreeView1->setCurrentItem(*it);
            EXPECT_EQ(p.ListView1->count(), 0);
            p.Command1->click();
            EXPECT_EQ(messages(), QStringList{QStringLiteral("没有可选择的任何商品!")});
            EXPECT_EQ(lastMessage().title, QString());
            EXPECT_EQ(lastMessage().icon, Msg::NoIcon);
            EXPECT_TRUE(Forms::isLoaded<FrmSPDASELECT>());

            for (QTreeWidgetItemIterator it(p.TreeView1); *it; ++it)
                if ((*it)->text(0) == QStringLiteral("Jack's 杂货"))
                    p.TreeView1->setCurrentItem(*it);
            ASSERT_EQ(column(p.ListView1, 0), QStringList{QStringLiteral("3001")});
            doubleClickRow(p.ListView1, 0);
            EXPECT_FALSE(Forms::isLoaded<FrmSPDASELECT>());
        });
        d.Command1->click();
        EXPECT_EQ(d.TxtSPBM->text(), QStringLiteral("3001"));
        EXPECT_EQ(d.TxtSPMC->text(), QStringLiteral("O'Brien's 酱"));
        EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("12.5"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral("25"));
        // A cancelled picker changes nothing.
        onDialog<FrmSPDASELECT>([](FrmSPDASELECT& p) { p.Command2->click(); });
        d.Command1->click();
        EXPECT_EQ(d.TxtSPBM->text(), QStringLiteral("3001"));
        d.Save->click();
    });
    w.Command1->click();
    EXPECT_EQ(counterText(QStringLiteral("3001")), QStringLiteral("综合库|2|0|25|0|20261210"));
    // Half a unit at a price below one shows without the leading zero.
    onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
        retypeKeys(d.TxtDJ, QStringLiteral("0.5"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral(".5"));
    });
    w.Command1->click();
}

TEST_F(StockInTest, PrintingTheCurrentBill)
{
    addInBill(QStringLiteral("B1"), QDate(2026, 12, 9));
    addInBill(QStringLiteral("B2"), QDate(2026, 12, 9));
    FrmRKGL& w = stockIn();
    addLine(w, QStringLiteral("1001"), QStringLiteral("5"), QStringLiteral("2.5"));
    addLine(w, QStringLiteral("2001"), QStringLiteral("1"), QStringLiteral("65"));

    const struct { bool printerInstalled; const char* bill; const char* message; const char* title; int blocks; } cases[] = {
        {false, "B1", "您没有安装打印机!", "信息提示", -1},
        {true, "B2", "明细为空不可打印！", "提示", -1},
        {true, "B1", nullptr, nullptr, 2},
    };
    for (const auto& c : cases) {
        Printers::script(c.printerInstalled ? QStringList{QStringLiteral("Recorder")} : QStringList{});
        printer = &PrinterSeam::record();
        MessageSeam::clear();
        selectBill(w, QString::fromLatin1(c.bill));
        w.Toolbar1->click(FrmRKGL::BtnPrint);
        if (c.message) {
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(lastMessage().title, QString::fromUtf8(c.title));
            EXPECT_TRUE(printer->documents.empty());
            continue;
        }
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_EQ(printer->starts, 1);
        const QString rule(32, u'=');
        const QStringList block1{rule, "商品名称：    可乐", "规    格：    330ml", "批    号：    ", "件装数量：    ",
                                 "过期时间：    ", "生 产 商：    ", "单    位：    听", "数    量：    5",
                                 "单    价：    2.5", "金    额：    12.5", rule, ""};
        const QStringList all = printed();
        ASSERT_EQ(all.size(), 1 + 2 * 13 + 1);
        EXPECT_EQ(all.first(), QStringLiteral("        入库单"));
        EXPECT_EQ(all.mid(1, 13), block1);
        EXPECT_EQ(all[14 + 1], QStringLiteral("商品名称：    大米"));
        EXPECT_EQ(all.last(), QStringLiteral("打印日期：2026-12-10"));
    }
}

TEST_F(StockInTest, ABillListThatCannotBeReadWholeListsNothing)
{
    for (int i = 1; i <= 3; ++i)
        addInBill(QStringLiteral("B%1").arg(i), QDate(2026, 12, i));
    addInLine(QStringLiteral("B1"), QStringLiteral("1001"), 1, 2.5);
    Db::injectReadFault(2, QStringLiteral("SELECT rowid FROM stock_in_bill"));
    FrmRKGL& w = stockIn();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Read)));
    EXPECT_EQ(w.ListView2->count(), 0);
    EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmRKGL::BtnEdit));
    EXPECT_FALSE(w.Command1->isEnabled());

    // The cells of a bill are read when shown or asked for: a failure there
    // is said (once the list has painted, when painting met it), and the
    // cells are read again next time.
    MessageSeam::clear();
    Db::injectReadFault(1, QStringLiteral("WHERE rowid IN"));
    w.ListView2Detail();
    processEvents();
    EXPECT_EQ(w.ListView2->count(), 3);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Read)));
    MessageSeam::clear();
    w.ListView2Detail();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(column(w.ListView2, 0), (QStringList{"B1", "B2", "B3"}));
    EXPECT_EQ(column(w.ListView1, 0), QStringList{QStringLiteral("1001")});
}

TEST_F(StockInTest, ScreenshotsOfTheDialogs)
{
    FrmRKGL& w = stockIn();
    onDialog<FrmRKDADD>([&](FrmRKDADD& d) {
        screenshot(&d, QStringLiteral("stock-in-bill-add"));
        d.Save->click();
    });
    w.Toolbar1->click(FrmRKGL::BtnNew);
    onDialog<FrmRKDEDIT>([&](FrmRKDEDIT& d) { screenshot(&d, QStringLiteral("stock-in-bill-edit")); });
    w.Toolbar1->click(FrmRKGL::BtnEdit);
    onDialog<FrmRKDQUERY>([&](FrmRKDQUERY& d) { screenshot(&d, QStringLiteral("stock-in-bill-query")); });
    w.Toolbar1->click(FrmRKGL::BtnQuery);
    onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
        onDialog<FrmSPDASELECT>([&](FrmSPDASELECT& p) {
            screenshot(&p, QStringLiteral("stock-in-goods-picker"));
            p.Command1->click();
        });
        d.Command1->click();
        screenshot(&d, QStringLiteral("stock-in-line-add"));
        d.Save->click();
    });
    w.Command1->click();
    onDialog<FrmRKMXEDIT>([&](FrmRKMXEDIT& d) { screenshot(&d, QStringLiteral("stock-in-line-edit")); });
    w.Command2->click();
    EXPECT_EQ(w.ListView1->count(), 1);
}

// Quantities and prices are kept as typed, past the fourth decimal: in the
// amount box, the stored line, the line list and the counter's sums.
TEST_F(StockInTest, PricesPastFourDecimalsAreKeptAsTyped)
{
    addInBill(QStringLiteral("B1"), QDate(2026, 12, 9));
    addInBill(QStringLiteral("B2"), QDate(2026, 12, 9));
    setCounter(QStringLiteral("1001"), 5, 0, 10);
    FrmRKGL& w = stockIn();
    // A line typed into the new-line dialog of a bill, its amount as shown.
    const auto addTyped = [&](const QString& bill, const QString& quantity, const QString& price, const QString& amount) {
        selectBill(w, bill);
        onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
            pick(d, QStringLiteral("1001"));
            retypeKeys(d.TxtSL, quantity);
            retypeKeys(d.TxtDJ, price);
            EXPECT_EQ(d.TxtJE->text(), amount);
            if (bill == QStringLiteral("B1"))
                screenshot(&d, QStringLiteral("stock-in-line-five-decimals"));
            d.Save->click();
        });
        w.Command1->click();
    };
    addTyped(QStringLiteral("B1"), QStringLiteral("3"), QStringLiteral("0.12345"), QStringLiteral(".37035"));
    const QString storedLine = QStringLiteral("SELECT quote(num) || '|' || quote(price) || '|' || quote(je) FROM rkgl2004"
                                              " WHERE stock_bill_id = ?");
    const QString storedCounter = QStringLiteral("SELECT quote(rks) || '|' || quote(zje) FROM store WHERE code = '1001'");
    EXPECT_EQ(value(storedLine, {QStringLiteral("B1")}).toString(), QStringLiteral("3.0|0.12345|0.37035"));
    EXPECT_EQ(value(storedCounter).toString(), QStringLiteral("8.0|10.37035"));
    EXPECT_EQ(row(w.ListView1, 0).mid(8), (QStringList{"3", "0.12345", "0.37035"}));
    editLine(w, QStringLiteral("1001"), [](FrmRKMXEDIT& d) {
        EXPECT_EQ(d.TxtDJ->text(), QStringLiteral("0.12345"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral(".37035"));
        retypeKeys(d.TxtSL, QStringLiteral("4"));
        EXPECT_EQ(d.TxtJE->text(), QStringLiteral(".4938"));
    });
    EXPECT_EQ(value(storedLine, {QStringLiteral("B1")}).toString(), QStringLiteral("4.0|0.12345|0.4938"));
    EXPECT_EQ(value(storedCounter).toString(), QStringLiteral("9.0|10.4938"));

    // Seven decimals, as many as the box takes: the amounts add up exactly.
    addTyped(QStringLiteral("B2"), QStringLiteral("7"), QStringLiteral(".1234567"), QStringLiteral(".8641969"));
    EXPECT_EQ(value(storedLine, {QStringLiteral("B2")}).toString(), QStringLiteral("7.0|0.1234567|0.8641969"));
    EXPECT_EQ(value(storedCounter).toString(), QStringLiteral("16.0|11.3579969"));
}
