// One seating through the ordering windows from opening to a continued
// bill; the stored rows, stock bills and counters end as worked out by hand.
#include <QAbstractItemView>
#include "checkout/FrmJZGL.h"
#include "ordering/DlgTD.h"
#include "ordering/FrmKTXX.h"
#include "reports/FrmXSHZ.h"
#include "tests/OrderingFixture.h"

class OrderingScenario : public OrderingFixture {};

TEST_F(OrderingScenario, OpenOrderPlaceFreeReturnCheckoutAndContinue)
{
    drinksFloor();
    // 24 cans of 可乐 came in on an earlier delivery.
    sql(QStringLiteral("INSERT INTO stock_in_bill (stock_bill_id, bill_num, stock_in_date, ckh, fs, demo) "
                       "VALUES ('20260430090000', 1, '2026-04-30 00:00:00', '综合库', '手工入库', '')"));
    sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, id, code, num, price, je) "
                       "VALUES ('20260430090000', 1, '1001', 24, 2.5, 60)"));
    sql(QStringLiteral("INSERT INTO store (code, ckh, rks, cks, zje) VALUES ('1001', '综合库', 24, 0, 60)"));
    param(QStringLiteral("Associate"), QStringLiteral("Yes"));

    Forms::onModal(QStringLiteral("FrmKTXX"), [](Form& f) {
        auto& d = static_cast<FrmKTXX&>(f);
        d.TxtJCRS->setText(QStringLiteral("2"));
        d.CmbFWY->setCurrentText(QStringLiteral("张丽"));
        d.Command1->click();
    });
    Forms::onModal(QStringLiteral("DlgTD"), [](Form& f) {
        auto& d = static_cast<DlgTD&>(f);
        d.Text1[3]->setText(QStringLiteral("1"));
        d.Combo1->setCurrentIndex(2);   // 客人不要了
        d.OKButton->click();
    });
    // Checkout settles the seating as its commit does, and switches buttons 8 and 9.
    Forms::onModal(QStringLiteral("FrmJZGL"), [&](Form&) {
        const QString table = board().current(FrmSYGL::ColTableId);
        sql(QStringLiteral("UPDATE house_table SET othersts = 'D' WHERE table_id = ?"), {table});
        sql(QStringLiteral("UPDATE use_table_200505 SET sts = 'D', end_date = '2026-05-01 13:30:00' "
                           "WHERE house_table_id = ? AND sts = 'A'"), {table});
        sql(QStringLiteral("UPDATE strink_mess_200505 SET account_sts = '1'"));
        if (FrmDCKT* w = FrmDCKT::ifOpen()) {
            w->Toolbar1->setButtonEnabled(FrmDCKT::BtnCheckout, false);
            w->Toolbar1->setButtonEnabled(FrmDCKT::BtnContinue, true);
        }
        board().ListView1Detail();
    });

    QString seating;
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        seating = w.TxtXTBH->text();
        order(w, QStringLiteral("1"), 2);
        w.Text1->setText(QStringLiteral("kl"));
        QTest::keyClick(w.Text1, Qt::Key_Return);
        w.TxtSL->setText(QStringLiteral("3"));
        QTest::keyClick(w.TxtSL, Qt::Key_Return);
        place(w);
        order(w, QStringLiteral("5"), 1);
        w.ListView1->select(2);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        w.ListView1->select(1);
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：88"));   // 76 + 18 + 0 - 6
        w.Toolbar1->click(FrmDCKT::BtnCheckout);
        EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());
    });
    ASSERT_EQ(seating, QStringLiteral("20260501123000"));
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnContinue));
        w.Toolbar1->click(FrmDCKT::BtnContinue);
        order(w, QStringLiteral("8"), 1);
        place(w);
        w.Toolbar1->click(FrmDCKT::BtnExit);
        EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());
    });
    EXPECT_EQ(messages(), (QStringList{"开台完成!", "确定要落单吗?", "落单完成!", "确认是否所有菜品都已落单？", "续单成功!",
                                       "确定要落单吗?", "落单完成!"}));

    EXPECT_EQ(storedLines(seating), (QStringList{
                                        "0|1|宫保鸡丁|份|2|38|热菜间|0|0|1||id",
                                        "1|8|可乐|听|3|6|吧台|0|0|1||id",
                                        "2|5|拍黄瓜|份|1|12.5|热菜间|0|2|1||id",
                                        "3|8|可乐|听|-1|6|吧台|0|1|1|客人不要了|id",
                                        "4|8|可乐|听|1|6|吧台|0|0|0||id",
                                    }));
    EXPECT_EQ(value(QStringLiteral("SELECT house_table_id || strink_num || serv_name || sts FROM use_table_200505 "
                                   "WHERE use_table_id = ?"), {seating}).toString(),
              QStringLiteral("1012张丽D"));
    EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '101'")).toString(), QStringLiteral("E"));
    EXPECT_EQ(stock(), (QStringList{
                           "out 20260501123000|吧台销售|1001|3|6",
                           "out 20260501123001|吧台销售|1001|1|6",
                           "in 20260430090000||1001|24|2.5|60",
                           "in 20260501123000|客人不要了|1001|1|6|6",
                           "store 1001|25|4|66|72",
                       }));
    // Each counter equals the sums of its goods' bill lines.
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM store s WHERE s.rks <> (SELECT total(num) FROM rkgl2004 r WHERE "
                                   "r.code = s.code) OR s.cks <> (SELECT total(num) FROM ckgl2004 c WHERE c.code = s.code) "
                                   "OR s.zje <> (SELECT total(je) FROM rkgl2004 r WHERE r.code = s.code)")).toInt(),
              0);
}

// With refunds allowed, dishes placed on a settled table whose ordering
// window is then closed: the table cannot be cleared while those lines are on
// no bill. A continued bill and a checkout from the board settle exactly
// them in a bill of their own, the day's summary by dish counts them, and
// the table then clears.
TEST_F(OrderingScenario, LinesPlacedAfterCheckoutAreBilledBeforeTheTableClears)
{
    standardFloor();
    Module1::OperatorCode = QStringLiteral("SYSTEM");
    param(QStringLiteral("AllowRefundment"), QStringLiteral("1"));
    Module1::RefundAllowed = true;
    Printers::script({QStringLiteral("Recorder")});
    // Table 105's seating was settled at 12:20 with one 宫保鸡丁.
    sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price, "
                       "discount_rule_id, no_account_price, account_price, pay_sts) "
                       "VALUES (?, '2026-05-01 12:20:00', 'SYSTEM', 38, 0, '', 0, 38, '0')"),
        {settled});
    const qint64 firstBill = value(QStringLiteral("SELECT max(rowid) FROM ACCOUNT_200606")).toLongLong();
    storedLine(settled, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1, QStringLiteral("0"), 0, QStringLiteral(""),
               QStringLiteral("1"));
    sql(QStringLiteral("UPDATE strink_mess_200505 SET account_id = ?"), {firstBill});

    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("2"), 1);
        // Button 4 is off on a settled table; Enter in the empty quick-code
        // box places all the same. Yes to "本桌已经结帐完毕，是否仍要落单" and
        // to the placing.
        ASSERT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnPlace));
        w.Text1->clear();
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_EQ(messages(), (QStringList{"本桌已经结帐完毕，是否仍要落单", "确定要落单吗?", "落单完成!"}));
        w.Toolbar1->click(FrmDCKT::BtnExit);
    });
    ASSERT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ? AND account_sts = '0'"),
                    {settled}),
              1);
    FrmSYGL& b = board();
    EXPECT_EQ(b.ListView1->subItem(rowOf(QStringLiteral("105")), FrmSYGL::ColState), QStringLiteral("结帐"));

    // Clearing is refused and writes nothing.
    const QString before = dump();
    MessageSeam::clear();
    clickRow(b.ListView1, rowOf(QStringLiteral("105")));
    b.Toolbar1->click(8);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("本桌还有未结帐的菜品，请先续单并结帐！")});
    EXPECT_EQ(lastMessage().icon, Msg::Exclamation);
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(dump(), before);

    // 续单, then 结帐 from the board.
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        ASSERT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnContinue));
        w.Toolbar1->click(FrmDCKT::BtnContinue);
        w.Toolbar1->click(FrmDCKT::BtnExit);
    });
    clickRow(b.ListView1, rowOf(QStringLiteral("105")));
    ASSERT_EQ(b.ListView1->subItem(rowOf(QStringLiteral("105")), FrmSYGL::ColState), QStringLiteral("续单"));
    QString receivable;
    onWindow<FrmJZGL>([&](FrmJZGL& j) {
        processEvents();
        receivable = j.LblYSJE->text();
        j.TxtKRFKJE->setFocus(Qt::TabFocusReason);
        retypeKeys(j.TxtKRFKJE, QStringLiteral("50"));
        QTest::keyClick(j.TxtKRFKJE, Qt::Key_Return);
    });
    b.Toolbar1->click(7);
    EXPECT_EQ(Money::leadingValue(receivable), Money::fromUnits(48 * Money::Scale));
    Recordset bills;
    bills.open(QStringLiteral("SELECT rowid, fee_price, account_price FROM ACCOUNT_200606 WHERE use_table_id = ? ORDER BY rowid"),
               {settled});
    ASSERT_EQ(bills.RecordCount(), 2);
    bills.MoveLast();
    const qint64 secondBill = bills.field(0).toLongLong();
    EXPECT_EQ(bills.field(1).toDouble(), 48);
    EXPECT_EQ(bills.field(2).toDouble(), 48);
    EXPECT_EQ(value(QStringLiteral("SELECT group_concat(food_code || ':' || account_sts || ':' || "
                                   "(account_id = ?), ',') FROM strink_mess_200505 WHERE use_table_id = ?"),
                    {secondBill, settled}).toString(),
              QStringLiteral("1:1:0,2:1:1"));

    // The day's summary by dish counts the line of the second bill.
    FrmXSHZ& summary = Forms::get<FrmXSHZ>();
    summary.Combo1->setCurrentText(QStringLiteral("按品名"));
    summary.cmdQuery->click();
    QStringList dishes;
    for (int r = 0; r < summary.ListView1->count(); ++r)
        dishes << summary.ListView1->text(r) + u'|' + summary.ListView1->subItem(r, 1) + u'|'
                      + summary.ListView1->subItem(r, 3);
    EXPECT_TRUE(dishes.contains(QStringLiteral("水煮牛肉|1|48.00"))) << qPrintable(dishes.join(u'\n'));
    summary.Unload();

    // Now the table clears.
    MessageSeam::clear();
    clickRow(b.ListView1, rowOf(QStringLiteral("105")));
    b.Toolbar1->click(8);
    EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '105'")).toString(), QStringLiteral("C"));
    EXPECT_EQ(value(QStringLiteral("SELECT sts FROM use_table_200505 WHERE use_table_id = ?"), {settled}).toString(),
              QStringLiteral("P"));
    EXPECT_EQ(b.ListView1->subItem(rowOf(QStringLiteral("105")), FrmSYGL::ColState), QStringLiteral("空闲"));
}

// The board's detail panel describes the row that is selected after every
// reload, as the board shows it then: the commands act on that row.
TEST_F(OrderingScenario, TheDetailPanelFollowsTheSelectedRowAfterEveryReload)
{
    standardFloor();
    Module1::OperatorCode = QStringLiteral("SYSTEM");
    Printers::script({QStringLiteral("Recorder")});
    storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1);
    FrmSYGL& b = board();
    const auto panelDescribesTheSelection = [&](const char* after) {
        SCOPED_TRACE(after);
        const int row = b.ListView1->selectedRow();
        ASSERT_GE(row, 0);
        ASSERT_EQ(b.ListView2->count(), 9);
        EXPECT_EQ(b.ListView2->text(0), QStringLiteral("编    号：") + b.ListView1->subItem(row, FrmSYGL::ColTableId));
        EXPECT_EQ(b.ListView2->text(3), QStringLiteral("状    态：") + b.ListView1->subItem(row, FrmSYGL::ColState));
        EXPECT_EQ(b.ListView2->text(5), QStringLiteral("开台时间：") + b.ListView1->subItem(row, FrmSYGL::ColOpenTime));
    };

    // 清台 of the settled 大厅5: the reload selects the first row, 大厅1.
    clickRow(b.ListView1, rowOf(QStringLiteral("105")));
    ASSERT_EQ(b.ListView2->text(3), QStringLiteral("状    态：结帐"));
    b.Toolbar1->click(8);
    ASSERT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '105'")).toString(), QStringLiteral("C"));
    EXPECT_EQ(b.ListView2->text(0), QStringLiteral("编    号：101"));
    panelDescribesTheSelection("清台");

    // A checkout of 大厅3 from the board: paid, the board reloads.
    clickRow(b.ListView1, rowOf(QStringLiteral("103")));
    ASSERT_EQ(b.ListView2->text(8), QStringLiteral("金    额：38元"));
    onWindow<FrmJZGL>([&](FrmJZGL& j) {
        processEvents();
        j.TxtKRFKJE->setFocus(Qt::TabFocusReason);
        retypeKeys(j.TxtKRFKJE, QStringLiteral("50"));
        QTest::keyClick(j.TxtKRFKJE, Qt::Key_Return);
    });
    b.Toolbar1->click(7);
    ASSERT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '103'")).toString(), QStringLiteral("D"));
    panelDescribesTheSelection("结帐");

    // Opening 牡丹厅 through the ordering window: the board reloads while it is open.
    onWindow<FrmKTXX>([](FrmKTXX& d) {
        d.TxtJCRS->setText(QStringLiteral("3"));
        d.CmbFWY->setCurrentText(QStringLiteral("张丽"));
        d.CmbDCY->setCurrentText(QStringLiteral("李娜"));
        d.Command1->click();
    });
    openOrdering(QStringLiteral("201"), [&](FrmDCKT&) { panelDescribesTheSelection("开台, in the ordering window"); });
    ASSERT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '201'")).toString(), QStringLiteral("A"));
    panelDescribesTheSelection("开台");

    // The arrow keys move the selection, and the panel with it.
    b.activateWindow();
    b.ListView1->reportView()->setFocus();
    QTest::keyClick(b.ListView1->reportView(), Qt::Key_Down);
    ASSERT_EQ(b.ListView1->selectedRow(), 1);
    panelDescribesTheSelection("Down");

    // 结帐 in the ordering window of 大厅4 selects its board row for the
    // checkout; the cashier leaves the checkout unpaid.
    onWindow<FrmJZGL>([](FrmJZGL& j) { j.Command8->click(); });
    openOrdering(QStringLiteral("104"), [](FrmDCKT& w) { w.Toolbar1->click(FrmDCKT::BtnCheckout); });
    EXPECT_EQ(b.ListView2->text(0), QStringLiteral("编    号：104"));
    panelDescribesTheSelection("结帐 left unpaid");

    // A click beside the tiles keeps the table selected and described.
    b.Toolbar1->click(1);
    QAbstractItemView* tiles = b.ListView1->iconView();
    QTest::mouseClick(tiles->viewport(), Qt::LeftButton, {}, QPoint(tiles->viewport()->width() - 5, tiles->viewport()->height() - 5));
    ASSERT_EQ(b.ListView1->selectedRow(), rowOf(QStringLiteral("104")));
    EXPECT_EQ(b.ListView2->text(0), QStringLiteral("编    号：104"));
    panelDescribesTheSelection("a click beside the tiles");

    // A board with no tables left describes none.
    sql(QStringLiteral("DELETE FROM house_table"));
    b.ListView1Detail();
    EXPECT_EQ(b.ListView2->count(), 0);
}

// Placing, giving free and returning in the ordering window opened from the
// board reload nothing there: back on the board the panel shows the amount
// the selected seating holds then, for a table in use and for one opened
// from the board.
TEST_F(OrderingScenario, TheDetailPanelShowsTheStoredAmountWhenTheOrderingWindowReturns)
{
    standardFloor();
    Module1::OperatorCode = QStringLiteral("SYSTEM");
    storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1);
    FrmSYGL& b = board();
    const auto clickLine = [](FrmDCKT& w, const QString& dish) {
        for (int r = 0; r < w.ListView1->count(); ++r)
            if (w.ListView1->subItem(r, FrmDCKT::ColName) == dish)
                return clickRow(w.ListView1, r);
        ADD_FAILURE() << qPrintable(dish);
    };
    const auto amountOf = [&](const char* after) {
        EXPECT_EQ(b.ListView2->text(0), QStringLiteral("编    号：") + b.current(FrmSYGL::ColTableId)) << after;
        return b.ListView2->text(8);
    };
    clickRow(b.ListView1, rowOf(QStringLiteral("103")));
    ASSERT_EQ(b.ListView2->text(8), QStringLiteral("金    额：38元"));

    // 水煮牛肉 ×2 placed: 38 + 96.
    openOrdering(QStringLiteral("103"), [](FrmDCKT& w) {
        order(w, QStringLiteral("2"), 2);
        place(w);
        w.Toolbar1->click(FrmDCKT::BtnExit);
    });
    EXPECT_EQ(amountOf("落单"), QStringLiteral("金    额：134元"));

    // 拍黄瓜 given free costs nothing; 宫保鸡丁 placed with it: 134 + 38.
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("5"), 1);
        clickLine(w, QStringLiteral("拍黄瓜"));
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        order(w, QStringLiteral("1"), 1);
        place(w);
        w.Toolbar1->click(FrmDCKT::BtnExit);
    });
    EXPECT_EQ(amountOf("赠单"), QStringLiteral("金    额：172元"));

    // One 水煮牛肉 returned: 172 - 48.
    onWindow<DlgTD>([](DlgTD& d) {
        d.Text1[3]->setText(QStringLiteral("1"));
        d.Combo1->setCurrentIndex(2);
        d.OKButton->click();
    });
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        clickLine(w, QStringLiteral("水煮牛肉"));
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);
        w.Toolbar1->click(FrmDCKT::BtnExit);
    });
    EXPECT_EQ(amountOf("退单"), QStringLiteral("金    额：124元"));

    // 大厅1 opened from the board: the opening reloads the board at 0元, the
    // placing follows.
    onWindow<FrmKTXX>([](FrmKTXX& d) {
        d.TxtJCRS->setText(QStringLiteral("2"));
        d.CmbFWY->setCurrentText(QStringLiteral("张丽"));
        d.Command1->click();
    });
    openOrdering(QStringLiteral("101"), [](FrmDCKT& w) {
        order(w, QStringLiteral("1"), 1);
        place(w);
        w.Toolbar1->click(FrmDCKT::BtnExit);
    });
    ASSERT_EQ(b.current(FrmSYGL::ColTableId), QStringLiteral("101"));
    EXPECT_EQ(amountOf("开台"), QStringLiteral("金    额：38元"));
    EXPECT_EQ(value(QStringLiteral("SELECT total(price * food_num) FROM strink_mess_200505 WHERE STS <> '2' AND "
                                   "use_table_id IN (SELECT use_table_id FROM use_table_200505 WHERE sts <> 'P' AND "
                                   "house_table_id = '103')")).toDouble(),
              124);
}
