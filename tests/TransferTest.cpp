// Moving a seating to another table, end to end from the board's transfer
// button through the table picker to the ordering window that moves it.
#include "frontdesk/FrmFTXZ.h"
#include "ordering/DlgTD.h"
#include "tests/OrderingFixture.h"

namespace {

class Transfer : public FloorFixture {
protected:
    void SetUp() override
    {
        FloorFixture::SetUp();
        // The reservation marks of both ends stay as they are.
        sql(QStringLiteral("UPDATE house_table SET sts = 'B' WHERE table_id = '103'"));
        sql(QStringLiteral("UPDATE house_table SET sts = 'C' WHERE table_id = '201'"));
        storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 2);
        storedLine(inUse, 1, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 1, QStringLiteral("2"));
    }
    // Moves the seating of table `from` to the free table `to` through the
    // picker; runs fn in the ordering window if it opens.
    void transfer(const QString& from, const QString& to, const std::function<void(FrmDCKT&)>& fn = {})
    {
        FrmSYGL& b = board();
        clickRow(b.ListView1, rowOf(from));
        Forms::onModal(QStringLiteral("FrmDCKT"), [fn](Form& f) {
            if (fn)
                fn(static_cast<FrmDCKT&>(f));
        });
        Forms::onModal(QStringLiteral("FrmFTXZ"), [to](Form& f) {
            auto& p = static_cast<FrmFTXZ&>(f);
            for (int i = 0; i < p.List1->count(); ++i)
                if (FrmFTXZ::firstField(p.List1->item(i)->text()).trimmed() == to)
                    p.List1->setCurrentRow(i);
            p.Command1->click();
        });
        b.Toolbar1->click(5);
    }
    QString tables()
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT table_id || othersts || coalesce(sts, '-') FROM house_table ORDER BY table_id"));
        QStringList out;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            out << rs.field(0).toString();
        return out.join(u' ');
    }
};

} // namespace

TEST_F(Transfer, TheSeatingMovesWithItsLinesAndTheWindowShowsIt)
{
    QString boardWhenShown;
    openOrdering(QStringLiteral("103"), [](FrmDCKT&) {});   // an earlier opening leaves nothing behind
    transfer(QStringLiteral("103"), QStringLiteral("201"), [&](FrmDCKT& w) {
        boardWhenShown = board().ListView1->subItem(rowOf(QStringLiteral("201")), FrmSYGL::ColState) + u'/'
                         + board().ListView1->subItem(rowOf(QStringLiteral("103")), FrmSYGL::ColState);
        EXPECT_EQ(w.TxtXTBH->text(), inUse);
        EXPECT_EQ(w.TxtFTMC->text(), QStringLiteral("牡丹厅"));
        EXPECT_EQ(w.TxtSSBM->text(), QStringLiteral("包间"));
        EXPECT_EQ(w.TxtFWY->text(), QStringLiteral("王强"));
        EXPECT_EQ(w.TxtDCY->text(), QStringLiteral("李娜"));
        EXPECT_EQ(linesOf(w), (QStringList{"1|宫保鸡丁|份|2|38|76|热菜间|未传|点单|点单|",
                                           "2|拍黄瓜|份|1|12.5|0|热菜间|未传|赠单|点单|"}));
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：76"));
        EXPECT_TRUE(Module1::TableOpened);
        EXPECT_TRUE(w.KTXQ->isEnabled());
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnOpen));
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnPlace));
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("转台成功!")});
    EXPECT_EQ(boardWhenShown, QStringLiteral("在用/预订"));
    EXPECT_EQ(tables(), QStringLiteral("101C- 102CB 103CB 104E- 105D- 201AC"));
    EXPECT_EQ(value(QStringLiteral("SELECT house_table_id || house_class || start_date || sts FROM use_table_200505 "
                                   "WHERE use_table_id = ?"), {inUse}).toString(),
              QStringLiteral("201包间2026-05-01 12:00:00A"));
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {inUse}), 2);
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmFTXZ", "FrmDCKT"}));
}

TEST_F(Transfer, AContinuedBillOccupiesItsNewTable)
{
    transfer(QStringLiteral("104"), QStringLiteral("101"), [&](FrmDCKT& w) {
        EXPECT_EQ(w.TxtXTBH->text(), continued);
        // The toolbar keeps the source table's word.
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnPlace));
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnContinue));
    });
    EXPECT_EQ(tables(), QStringLiteral("101A- 102CB 103AB 104C- 105D- 201CC"));
    EXPECT_EQ(value(QStringLiteral("SELECT house_table_id || sts FROM use_table_200505 WHERE use_table_id = ?"),
                    {continued}).toString(),
              QStringLiteral("101D"));
}

TEST_F(Transfer, AMovedContinuedBillStillTakesOrdersFreeDishesAndReturns)
{
    storedLine(continued, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 2, QStringLiteral("0"), 0,
               QStringLiteral(""), QStringLiteral("1"));
    param(QStringLiteral("AllowRefundment"), 1);
    Forms::onModal(QStringLiteral("DlgTD"), [](Form& f) {
        auto& d = static_cast<DlgTD&>(f);
        d.Text1[3]->setText(QStringLiteral("1"));
        d.OKButton->click();
    });
    transfer(QStringLiteral("104"), QStringLiteral("101"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("5"), 1);
        place(w);
        order(w, QStringLiteral("2"), 1);
        w.ListView1->select(2);
        w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        w.ListView1->select(0);
        w.Toolbar1->click(FrmDCKT::BtnReturnFree);   // the confirmation answers Yes
        EXPECT_EQ(w.ListView1->count(), 4);
    });
    EXPECT_EQ(messages(), (QStringList{"转台成功!", "确定要落单吗?", "落单完成!", "确认是否所有菜品都已落单？"}));
    EXPECT_EQ(storedLines(continued), (QStringList{
                                          "0|1|宫保鸡丁|份|2|38|热菜间|0|0|1||id",
                                          "1|5|拍黄瓜|份|1|12.5|热菜间|0|0|0||id",
                                          "2|2|水煮牛肉|份|1|48|热菜间|0|2|0||id",
                                          "3|1|宫保鸡丁|份|-1|38|热菜间|0|1|0||id",
                                      }));
}

TEST_F(Transfer, ATargetThatStillHoldsASeatingIsRefused)
{
    // Free on the board, but its settled seating was never cleared.
    seatAt(QStringLiteral("201"), QStringLiteral("2026-04-30 20:00:00"), 2, QStringLiteral("D"));
    board().ListView1Detail();
    const QString before = dump();
    bool shown = false;
    transfer(QStringLiteral("103"), QStringLiteral("201"), [&](FrmDCKT&) { shown = true; });
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("转台成功!"),
                                       QStringLiteral("所选房台已不是空闲房台，转台没有完成，房台没有转移。")}));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_FALSE(shown);
    EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());
    EXPECT_FALSE(Forms::isLoaded<FrmFTXZ>());
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(board().ListView1->subItem(rowOf(QStringLiteral("103")), FrmSYGL::ColState), QStringLiteral("在用"));
}

TEST_F(Transfer, AFailureLeavesAllThreeRowsAsTheyWere)
{
    board();
    // The source table cannot be written: the first two writes are undone.
    sql(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF othersts ON house_table WHEN new.othersts = 'C' "
                       "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END"));
    const QString before = dump();
    bool shown = false;
    transfer(QStringLiteral("103"), QStringLiteral("201"), [&](FrmDCKT&) { shown = true; });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().startsWith(QStringLiteral("转台没有完成，房台没有转移。")));
    EXPECT_TRUE(messages().last().contains(QStringLiteral("disk trouble")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_FALSE(shown);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(value(QStringLiteral("SELECT house_class FROM use_table_200505 WHERE use_table_id = ?"), {inUse}).toString(),
              QStringLiteral("大厅"));
}
