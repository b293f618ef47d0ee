// The return dialog: what it proposes, the quantities it refuses, the return
// line and the stock-back it writes.
#include <QTest>
#include "ordering/DlgTD.h"
#include "platform/KeyFilters.h"
#include "tests/OrderingFixture.h"

namespace {

class DishReturn : public OrderingFixture {
protected:
    void SetUp() override
    {
        OrderingFixture::SetUp();
        drinksFloor();
        counter(QStringLiteral("1002"), 20, 5, 200);
        storedLine(inUse, 0, QStringLiteral("9"), QStringLiteral("青岛啤酒"), 12.5, 3);
        storedLine(inUse, 1, QStringLiteral("9"), QStringLiteral("青岛啤酒"), 12.5, -1, QStringLiteral("1"), 0,
                   QStringLiteral("点错菜"));
        storedLine(inUse, 2, QStringLiteral("9"), QStringLiteral("青岛啤酒"), 12.5, 2, QStringLiteral("2"));
        storedLine(inUse, 3, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1);
        storedLine(inUse, 4, QStringLiteral("8"), QStringLiteral("可乐"), 6, 2);
    }
    // Opens the return dialog for a line of table 103's window and runs fn in it.
    void returnLine(int row, const std::function<void(DlgTD&)>& fn, const std::function<void(FrmDCKT&)>& after = {})
    {
        openDialog<DlgTD>(QStringLiteral("103"), [row](FrmDCKT& w) {
            w.ListView1->select(row);
            w.Toolbar1->click(FrmDCKT::BtnReturnFree);   // the confirmation answers Yes
        }, fn, after);
    }
};

} // namespace

TEST_F(DishReturn, TheDialogProposesWhatIsStillOrdered)
{
    returnLine(0, [&](DlgTD& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("退单"));
        EXPECT_EQ(d.Text1[0]->text(), QStringLiteral("9"));
        EXPECT_EQ(d.Text1[1]->text(), QStringLiteral("青岛啤酒"));
        EXPECT_EQ(d.Text1[2]->text(), QStringLiteral("2"));   // 3 ordered, 1 returned, the free 2 not counted
        EXPECT_EQ(d.Text1[3]->text(), QStringLiteral("2"));
        EXPECT_EQ(MaxLengthOf(d.Text1[3]), 2);
        QStringList reasons;
        for (int i = 0; i < d.Combo1->count(); ++i)
            reasons << d.Combo1->itemText(i);
        EXPECT_EQ(reasons, (QStringList{"菜品质量问题", "上菜太慢", "客人不要了", "点错菜"}));
        EXPECT_TRUE(d.Combo1->currentText().isEmpty());
        const char* labels[] = {"菜单编码:", "菜单名称:", "已点菜数量:", "退单数量:", "退单原因:"};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(d.Label1[i]->text(), QString::fromUtf8(labels[i]));
        EXPECT_EQ(d.Frame1->title() + d.Frame2->title(), QStringLiteral("菜单信息退单信息"));
        EXPECT_EQ(d.OKButton->text() + d.CancelButton->text(), QStringLiteral("确定(&O)退出(&Q)"));
        screenshot(&d, QStringLiteral("dish-return"));

        // No default or cancel button: Enter leads from field to field, Esc does nothing.
        EXPECT_EQ(d.defaultButton, nullptr);
        EXPECT_EQ(d.cancelButton, nullptr);
        d.Text1[3]->setFocus();
        QTest::keyClick(d.Text1[3], Qt::Key_Return);
        processEvents();
        EXPECT_EQ(QApplication::focusWidget(), d.Combo1);
        QTest::keyClick(d.Combo1, Qt::Key_Return);
        processEvents();
        EXPECT_EQ(QApplication::focusWidget(), d.OKButton);
        QTest::keyClick(d.OKButton, Qt::Key_Escape);
        EXPECT_TRUE(Forms::isLoaded<DlgTD>());
        d.CancelButton->click();
        EXPECT_FALSE(Forms::isLoaded<DlgTD>());
    });
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505")), 5);
}

TEST_F(DishReturn, BadQuantitiesAreRefusedAndNothingIsWritten)
{
    const QString before = dump() + stock().join(u'\n');
    returnLine(0, [&](DlgTD& d) {
        const struct { const char* typed; const char* message; } cases[] = {
            {"", "请输入退单数量！"}, {"  ", "请输入退单数量！"}, {"0", "退单数量输入不正确！"},
            {"3", "退单数量输入不正确！"}, {"-1", "退单数量输入不正确！"}, {".5", "退单数量输入不正确！"},
            {"1.", "退单数量输入不正确！"}, {"x", "退单数量输入不正确！"}, {"99", "退单数量输入不正确！"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.typed);
            MessageSeam::clear();
            d.Text1[3]->setText(QString::fromLatin1(c.typed));
            d.OKButton->click();
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(lastMessage().title, QString());
            EXPECT_TRUE(Forms::isLoaded<DlgTD>());
        }
        // Another till returned one meanwhile: the dialog decides on what is stored now.
        onOtherTill(QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, fsxh, food_code, food_name, food_num, "
                                   "price, STS, state, account_sts) VALUES (?, 9, '9', '青岛啤酒', -1, 12.5, '1', 0, '0')"),
                    {inUse});
        MessageSeam::clear();
        d.Text1[3]->setText(QStringLiteral("2"));
        d.OKButton->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("退单数量输入不正确！")});
        EXPECT_TRUE(Forms::isLoaded<DlgTD>());
        onOtherTill(QStringLiteral("DELETE FROM strink_mess_200505 WHERE fsxh = 9"));
    }, [&](FrmDCKT& w) { EXPECT_EQ(w.ListView1->count(), 5); });
    EXPECT_EQ(dump() + stock().join(u'\n'), before);
}

TEST_F(DishReturn, AReturnStoresItsLineAndBooksTheGoodsBackIn)
{
    returnLine(0, [&](DlgTD& d) {
        d.Combo1->setEditText(QStringLiteral("酒不够冰"));   // a reason typed by hand
        d.OKButton->click();
        EXPECT_FALSE(Forms::isLoaded<DlgTD>());
    }, [&](FrmDCKT& w) {
        EXPECT_EQ(lineText(w, 5), QStringLiteral("6|青岛啤酒|份|-2|12.5|-25|热菜间|未传|退单|点单|酒不够冰"));
        EXPECT_EQ(w.lineFsxh(5), 5);
        EXPECT_EQ(w.ListView1->selectedRow(), 0);
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：50"));   // 37.5 - 12.5 + 0 + 38 + 12 - 25
        EXPECT_FALSE(w.m_AlreadyPlaced);
    });
    EXPECT_EQ(storedLines(inUse).last(), QStringLiteral("5|9|青岛啤酒|份|-2|12.5|热菜间|0|1|0|酒不够冰|id"));
    EXPECT_EQ(stock(), (QStringList{"in 20260501123000|酒不够冰|1002|2|12.5|25", "store 1002|22|5|225|~"}));
    EXPECT_EQ(value(QStringLiteral("SELECT bill_num || stock_in_date || in_man || buy_man || in_man_name || buy_man_name || "
                                   "pay_style || ckh || fs || repr_name || jzsl FROM stock_in_bill JOIN rkgl2004 "
                                   "USING (stock_bill_id)")).toString(),
              QStringLiteral("2.02026-05-01 00:00:00SYSTEMSYSTEM001综合库销售入库吧台1"));
    EXPECT_EQ(value(QStringLiteral("SELECT yearmonth FROM store WHERE code = '1002'")).toString(), QStringLiteral("202605"));
}

TEST_F(DishReturn, AnEmptyReasonARenamedDishAndGoodsWithoutACounter)
{
    // Renamed on the menu after it was ordered: found by its code all the same.
    sql(QStringLiteral("UPDATE cpdetail SET cpname = '宫爆鸡丁' WHERE code = '1'"));
    returnLine(3, [&](DlgTD& d) {
        EXPECT_EQ(d.Text1[0]->text(), QStringLiteral("1"));
        EXPECT_EQ(d.Text1[2]->text(), QStringLiteral("1"));
        d.OKButton->click();
    });
    EXPECT_EQ(storedLines(inUse).last(), QStringLiteral("5|1|宫保鸡丁|份|-1|38|热菜间|0|1|0||id"));
    // 可乐's goods have no counter: the line is stored, no stock-in bill.
    returnLine(4, [&](DlgTD& d) {
        d.Text1[3]->setText(QStringLiteral("1"));
        d.OKButton->click();
    });
    EXPECT_EQ(storedLines(inUse).last(), QStringLiteral("6|8|可乐|份|-1|6|热菜间|0|1|0||id"));
    EXPECT_EQ(stock(), QStringList{"store 1002|20|5|200|~"});
    EXPECT_TRUE(messages().filter(QStringLiteral("退单")).isEmpty());
}
