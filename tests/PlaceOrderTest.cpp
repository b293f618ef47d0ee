// Placing the order and giving dishes free: the lines stored, the linked
// goods booked out, all or nothing.
#include "ordering/FrmKTXX.h"
#include "tests/OrderingFixture.h"

namespace {

class PlaceOrder : public OrderingFixture {
protected:
    void SetUp() override
    {
        OrderingFixture::SetUp();
        drinksFloor();
        counter(QStringLiteral("1001"), 10, 1, 100, 0);
        storedLine(inUse, 0, QStringLiteral("2"), QStringLiteral("水煮牛肉"), 48, 1);
        storedLine(inUse, 1, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 1);
    }
};

} // namespace

TEST_F(PlaceOrder, OnlyUnplacedLinesAreStoredAndLinkedGoodsBookedOut)
{
    // The sales-to-stock switch off: placing books linked goods all the same.
    param(QStringLiteral("Associate"), QStringLiteral("No"));
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("8"), 3);
        order(w, QStringLiteral("1"), 1);
        w.m_AlreadyPlaced = false;
        place(w);
        ASSERT_EQ(messages(), (QStringList{"确定要落单吗?", "落单完成!"}));
        const auto& asked = MessageSeam::messages();
        EXPECT_EQ(asked[0].buttons, int(Msg::YesNo));
        EXPECT_EQ(asked[0].icon, int(Msg::Question));
        EXPECT_EQ(asked[0].title, QStringLiteral("信息提示"));
        EXPECT_EQ(asked[1].icon, int(Msg::Information));
        EXPECT_EQ(asked[1].title, QString());
        EXPECT_TRUE(w.m_OrderPlaced);
        EXPECT_TRUE(w.m_AlreadyPlaced);
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(w.lineFsxh(r), r);
    });
    EXPECT_EQ(storedLines(inUse), (QStringList{
                                      "0|2|水煮牛肉|份|1|48|热菜间|0|0|0||id",
                                      "1|5|拍黄瓜|份|1|12.5|热菜间|0|0|0||id",
                                      "2|8|可乐|听|3|6|吧台|0|0|0||id",
                                      "3|1|宫保鸡丁|份|1|38|热菜间|0|0|0||id",
                                  }));
    EXPECT_EQ(value(QStringLiteral("SELECT bill_time FROM strink_mess_200505 WHERE fsxh = 3")).toString(),
              QStringLiteral("2026-05-01 12:30:00"));
    EXPECT_EQ(stock(), (QStringList{"out 20260501123000|吧台销售|1001|3|6", "store 1001|10|4|100|106"}));
    EXPECT_EQ(value(QStringLiteral("SELECT bill_num || stock_out_date || get_man || val_man || get_man_name || val_man_name "
                                   "|| ckh || fs || repr_name || zhks FROM stock_out_bill JOIN ckgl2004 USING (stock_bill_id)"))
                  .toString(),
              QStringLiteral("2.02026-05-01 00:00:00SYSTEMSYSTEM综合库销售出库吧台0.0"));
}

TEST_F(PlaceOrder, BookingsFollowTheCounterNotTheLinkRatio)
{
    sql(QStringLiteral("UPDATE cpdetail SET cp_glbl = 2 WHERE code = '9'"));
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("9"), 3);   // goods 1002 has no counter yet
        place(w);
        EXPECT_EQ(messages(), (QStringList{"确定要落单吗?", "落单完成!"}));
    });
    EXPECT_EQ(stock(), QStringList{"store 1001|10|1|100|0"});   // no bill, no message
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE food_code = '9'")), 1);

    counter(QStringLiteral("1002"), 20, 0, 80, 0);
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("9"), 3);
        order(w, QStringLiteral("8"), 2);
        place(w);
    });
    // A ratio of 2 still books 3; two bills in one second get two numbers.
    EXPECT_EQ(stock(), (QStringList{"out 20260501123000|吧台销售|1002|3|12.5", "out 20260501123001|吧台销售|1001|2|6",
                                    "store 1001|10|3|100|106", "store 1002|20|3|80|92.5"}));
}

TEST_F(PlaceOrder, NothingToStoreStillCompletes)
{
    Forms::onModal(QStringLiteral("FrmKTXX"), [](Form& f) { static_cast<FrmKTXX&>(f).Command1->click(); });
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        ASSERT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
        order(w, QStringLiteral("1"), 1);
        w.ListView1->select(0);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);   // stored at once, as a free line
        const QString before = dump() + stock().join(u'\n');
        MessageSeam::clear();
        place(w);
        EXPECT_EQ(messages(), (QStringList{"确定要落单吗?", "落单完成!"}));
        EXPECT_EQ(dump() + stock().join(u'\n'), before);
        EXPECT_TRUE(w.m_OrderPlaced && w.m_AlreadyPlaced);
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
    });
}

TEST_F(PlaceOrder, AFailureStoresNothingAndChangesNothing)
{
    sql(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON strink_mess_200505 WHEN new.food_name = '宫保鸡丁' "
                       "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END"));
    const QString lines = dump();
    const QStringList goods = stock();
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        w.Toolbar1->setButtonEnabled(FrmDCKT::BtnCheckout, false);
        order(w, QStringLiteral("8"), 3);
        order(w, QStringLiteral("1"), 1);
        place(w);
        ASSERT_EQ(messages().size(), 2);
        EXPECT_TRUE(messages().last().contains(QStringLiteral("disk trouble")));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(dump(), lines);
        EXPECT_EQ(stock(), goods);
        EXPECT_FALSE(w.m_OrderPlaced || w.m_AlreadyPlaced);
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
        EXPECT_FALSE(w.lineStored(2) || w.lineStored(3));

        // Once the fault is gone, each line is stored once and booked once.
        sql(QStringLiteral("DROP TRIGGER refuse"));
        MessageSeam::clear();
        place(w);
        EXPECT_EQ(messages(), (QStringList{"确定要落单吗?", "落单完成!"}));
    });
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {inUse}), 4);
    EXPECT_EQ(stock(), (QStringList{"out 20260501123000|吧台销售|1001|3|6", "store 1001|10|4|100|106"}));
}

TEST_F(PlaceOrder, AFreeLineIsStoredAtOnceAndNeverTwice)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("1"), 1);
        order(w, QStringLiteral("8"), 2);
        w.m_OrderPlaced = true;
        w.m_AlreadyPlaced = true;
        const QString buttons = QString::number(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
        // Without a selected line the command does nothing.
        w.ListView1->select(-1);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        EXPECT_EQ(w.ListView1->subItem(3, FrmDCKT::ColKind), QStringLiteral("点单"));

        w.ListView1->select(3);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_EQ(lineText(w, 3), QStringLiteral("4|可乐|听|2|6|0|吧台|未传|赠单|点单|"));
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：98.5"));   // 48 + 12.5 + 38
        EXPECT_TRUE(w.m_OrderPlaced && w.m_AlreadyPlaced);
        EXPECT_EQ(QString::number(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout)), buttons);
        EXPECT_EQ(w.lineFsxh(3), 2);   // the next stored number, before the unplaced line 3

        // A second try on it: it is placed now.
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此菜已落单，不能改为赠单！")});
        EXPECT_EQ(lastMessage().title, QString());

        // Removing the unplaced line before it renumbers the screen only.
        MessageSeam::clear();
        doubleClickRow(w.ListView1, 2);
        EXPECT_EQ(w.ListView1->text(2), QStringLiteral("3"));
        EXPECT_EQ(w.lineFsxh(2), 2);
        w.m_AlreadyPlaced = false;
        order(w, QStringLiteral("5"), 1);
        place(w);
    });
    EXPECT_EQ(storedLines(inUse), (QStringList{
                                      "0|2|水煮牛肉|份|1|48|热菜间|0|0|0||id",
                                      "1|5|拍黄瓜|份|1|12.5|热菜间|0|0|0||id",
                                      "2|8|可乐|听|2|6|吧台|0|2|0||id",
                                      "3|5|拍黄瓜|份|1|12.5|热菜间|0|0|0||id",
                                  }));
    EXPECT_EQ(stock(), (QStringList{"out 20260501123000|赠单|1001|2|6", "store 1001|10|3|100|106"}));
}
