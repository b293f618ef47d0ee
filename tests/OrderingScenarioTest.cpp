// One seating through the ordering windows from opening to a continued
// bill; the stored rows, stock bills and counters end as worked out by hand.
#include "ordering/DlgTD.h"
#include "ordering/FrmKTXX.h"
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
