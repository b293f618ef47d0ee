// The ordering window's toolbar: the checks before placing, returns and
// free dishes, the refund switch, checkout and the continued bill.
#include "tests/OrderingFixture.h"

namespace {

class OrderingCommands : public FloorFixture {
protected:
    void SetUp() override
    {
        FloorFixture::SetUp();
        storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 2);
        storedLine(settled, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1, QStringLiteral("0"), 0,
                   QStringLiteral(""), QStringLiteral("1"));
    }
};

} // namespace

TEST_F(OrderingCommands, PlacingChecksInOrder)
{
    // A settled table: refunds off refuse, refunds on ask.
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        // The window's own table decides, not the row a board reload selected.
        board().ListView1Detail();
        ASSERT_EQ(board().current(FrmSYGL::ColState), QStringLiteral("空闲"));
        w.Toolbar1_ButtonClick(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("已结帐，不能落单")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));

        MessageSeam::clear();
        Module1::RefundAllowed = true;
        MessageSeam::answer(Msg::No);
        w.Toolbar1_ButtonClick(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("本桌已经结帐完毕，是否仍要落单")});
        EXPECT_EQ(lastMessage().buttons, int(Msg::YesNo));
        EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
        EXPECT_EQ(lastMessage().title, QString());

        // Yes goes on to the next checks: the loaded line makes a list, so the confirmation comes.
        MessageSeam::clear();
        MessageSeam::answer(Msg::Yes);
        MessageSeam::answer(Msg::No);
        w.Toolbar1_ButtonClick(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), (QStringList{"本桌已经结帐完毕，是否仍要落单", "确定要落单吗?"}));
    });

    // No seating (a free table whose open-table dialog was cancelled).
    MessageSeam::clear();
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        w.Toolbar1_ButtonClick(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有“在用”或“续单”状态下才能点菜")});
    });

    MessageSeam::clear();
    openOrdering(QStringLiteral("104"), [&](FrmDCKT& w) {
        w.Toolbar1->click(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有点菜后才可落单!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));

        // Placing twice: the second is refused until a line is added or a dialog closes.
        order(w, QStringLiteral("1"), 1);
        place(w);
        MessageSeam::clear();
        w.Toolbar1->click(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("已执行完落单操做!")});
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        w.Command4->click();   // the charge summary opens and closes
        MessageSeam::clear();
        MessageSeam::answer(Msg::No);
        w.Toolbar1->click(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("确定要落单吗?")});
        place(w);
        order(w, QStringLiteral("5"), 1);
        MessageSeam::clear();
        MessageSeam::answer(Msg::No);
        w.Toolbar1->click(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("确定要落单吗?")});
        // A message box is no return from a dialog: the flag stays.
        place(w);
        MessageSeam::clear();
        w.Toolbar1->click(FrmDCKT::BtnPlace);
        w.Toolbar1->click(FrmDCKT::BtnPlace);
        EXPECT_EQ(messages(), (QStringList{"已执行完落单操做!", "已执行完落单操做!"}));

        // Buttons 2, 3, 6 and 7 do nothing.
        MessageSeam::clear();
        Forms::clearModalShows();
        for (int i : {2, 3, 6, 7})
            w.Toolbar1_ButtonClick(i);
        w.Toolbar1_ButtonMenuClick(3);
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_TRUE(Forms::modalShows().empty());
    });
}

TEST_F(OrderingCommands, ReturnsAndFreeDishesOfTheSelectedLine)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("5"), 1);
        Forms::clearModalShows();

        // An unplaced line: not returnable, but it can be given free.
        w.ListView1->select(1);
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("没有落单!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        MessageSeam::clear();
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        EXPECT_TRUE(messages().isEmpty());
        // Now stored as a free line: a return is refused.
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 1);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此菜为赠单！")});
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));

        // A placed line cannot be made free; returning it asks first.
        MessageSeam::clear();
        w.ListView1->select(0);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("此菜已落单，不能改为赠单！")});
        MessageSeam::clear();
        MessageSeam::answer(Msg::No);
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("确认是否所有菜品都已落单？")});
        EXPECT_EQ(lastMessage().buttons, int(Msg::YesNo));
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_TRUE(Forms::modalShows().empty());
        MessageSeam::clear();
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);   // Yes
        EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("DlgTD")});

        // Without a selected line nothing happens.
        MessageSeam::clear();
        w.ListView1->select(-1);
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        EXPECT_TRUE(messages().isEmpty());
    });
    MessageSeam::clear();
    openOrdering(QStringLiteral("104"), [&](FrmDCKT& w) {
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有“落单”之后才能退菜！")});
        EXPECT_EQ(lastMessage().title, QString());
    });
}

TEST_F(OrderingCommands, ASettledLineIsReturnableOnlyWhenRefundsAreAllowed)
{
    const struct { QVariant value; bool before; bool asked; bool after; const char* refusal; } cases[] = {
        {QStringLiteral("0"), true, false, false, "结帐后不可以退款!"},
        {QStringLiteral("1"), false, true, true, nullptr},
        {QStringLiteral("abc"), true, false, false, "结帐后不可以退款!"},
        {QVariant(), true, true, true, nullptr},     // no row: the switch as it was
        {QVariant(), false, false, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString() + (c.before ? " on" : " off"));
        if (c.value.isValid())
            param(QStringLiteral("AllowRefundment"), c.value);
        else
            sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'AllowRefundment'"));
        Module1::RefundAllowed = c.before;
        MessageSeam::clear();
        openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
            // Continued, so that button 5 is enabled; the line stays settled.
            w.Toolbar1->click(FrmDCKT::BtnContinue);
            MessageSeam::clear();
            MessageSeam::answer(Msg::No);
            w.ListView1->select(0);
            w.Toolbar1->click(FrmDCKT::BtnReturnFree);
            QStringList expected;
            if (c.refusal)
                expected << QString::fromUtf8(c.refusal);
            if (c.asked)
                expected << QStringLiteral("确认是否所有菜品都已落单？");
            EXPECT_EQ(messages(), expected);
            EXPECT_EQ(Module1::RefundAllowed, c.after);
        });
        sql(QStringLiteral("UPDATE house_table SET othersts = 'D' WHERE table_id = '105'"));
    }
}

TEST_F(OrderingCommands, CheckoutSelectsTheSeatingsOwnTable)
{
    QString selected;
    bool orderingOpen = false;
    Forms::onModal(QStringLiteral("FrmJZGL"), [&](Form&) {
        selected = board().current(FrmSYGL::ColTableId);
        orderingOpen = FrmDCKT::ifOpen() != nullptr;
    });
    // Without a seating.
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        w.Toolbar1_ButtonClick(FrmDCKT::BtnCheckout);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有”在用“或“续单”状态下才能结帐!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    });
    // A settled table and nothing placed here.
    MessageSeam::clear();
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        w.Toolbar1_ButtonClick(FrmDCKT::BtnCheckout);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("只有“在用”或“续单”状态下才能结帐!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_TRUE(Forms::isLoaded<FrmDCKT>());
    });
    EXPECT_TRUE(selected.isEmpty());

    // After a placing here it proceeds whatever the word, and the window closes.
    MessageSeam::clear();
    Module1::RefundAllowed = true;
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("5"), 1);
        // Button 4 is off on a settled table: Enter in the empty quick-code box places.
        MessageSeam::answer(Msg::Yes);
        MessageSeam::answer(Msg::Yes);
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_EQ(messages(), (QStringList{"本桌已经结帐完毕，是否仍要落单", "确定要落单吗?", "落单完成!"}));
        board().ListView1->select(0);   // a reload elsewhere moved the selection
        w.Toolbar1->click(FrmDCKT::BtnCheckout);
        EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());
    });
    EXPECT_EQ(selected, QStringLiteral("105"));
    EXPECT_TRUE(orderingOpen);   // checkout can switch its buttons 8 and 9

    selected.clear();
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        board().ListView1Detail();
        w.Toolbar1->click(FrmDCKT::BtnCheckout);
    });
    EXPECT_EQ(selected, QStringLiteral("103"));
}

TEST_F(OrderingCommands, AContinuedBillActsOnTheSeatingsOwnTable)
{
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        board().ListView1Detail();   // the selection is the first row now
        ASSERT_NE(board().current(FrmSYGL::ColTableId), QStringLiteral("105"));
        w.Toolbar1->click(FrmDCKT::BtnContinue);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("续单成功!")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        for (int i : {4, 5, 8})
            EXPECT_TRUE(w.Toolbar1->buttonEnabled(i)) << i;
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnContinue));
        EXPECT_EQ(board().ListView1->subItem(rowOf(QStringLiteral("105")), FrmSYGL::ColState), QStringLiteral("续单"));
        // Now the seating takes orders again.
        MessageSeam::clear();
        order(w, QStringLiteral("1"), 1);
        place(w);
        EXPECT_EQ(messages(), (QStringList{"确定要落单吗?", "落单完成!"}));
    });
    EXPECT_EQ(value(QStringLiteral("SELECT group_concat(table_id || othersts, ' ') FROM house_table")).toString(),
              QStringLiteral("101C 102C 103A 104E 105E 201C"));
    EXPECT_EQ(value(QStringLiteral("SELECT sts FROM use_table_200505 WHERE use_table_id = ?"), {settled}).toString(),
              QStringLiteral("D"));
}
