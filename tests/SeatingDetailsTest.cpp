// The seating-details dialog and the charge summary of the ordering window.
#include "db/Money.h"
#include "ordering/FrmKTXQ.h"
#include "ordering/FrmSFHZ.h"
#include "platform/Twips.h"
#include "tests/OrderingFixture.h"

namespace {

class SeatingDetails : public FloorFixture {
protected:
    // Opens the details of a table's seating from its ordering window.
    void details(const QString& tableId, const std::function<void(FrmKTXQ&)>& fn,
                 const std::function<void(FrmDCKT&)>& after = {})
    {
        openDialog<FrmKTXQ>(tableId, [](FrmDCKT& w) { w.KTXQ->click(); }, fn, after);
    }
    QString seating(const QString& id)
    {
        return value(QStringLiteral("SELECT strink_num || '|' || coalesce(strink_def, '~') || '|' || serv_code || '|' || "
                                    "serv_name || '|' || cust_code || '|' || cust_name || '|' || memo || '|' || sts || '|' || "
                                    "coalesce(end_date, '~') || '|' || house_table_id || '|' || start_date "
                                    "FROM use_table_200505 WHERE use_table_id = ?"),
                     {id})
            .toString();
    }
};

class ChargeSummary : public SeatingDetails {
protected:
    QStringList grid(const std::function<void(FrmDCKT&)>& before = {})
    {
        QStringList rows;
        Forms::onModal(QStringLiteral("FrmSFHZ"), [&](Form& f) {
            auto& s = static_cast<FrmSFHZ&>(f);
            for (int r = 0; r < s.DataGrid1->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < 4; ++c)
                    cells << s.DataGrid1->item(r, c)->text();
                rows << cells.join(u'|');
            }
        });
        openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
            if (before)
                before(w);
            w.Command4->click();
        });
        return rows;
    }
};

} // namespace

TEST_F(SeatingDetails, TheDialogShowsTheSeatingAndSavesIt)
{
    employee(QStringLiteral("009"), QStringLiteral("李娜"));
    details(QStringLiteral("103"), [&](FrmKTXQ& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("开台详情"));
        EXPECT_EQ(d.TxtXTBH->text(), inUse);
        EXPECT_EQ(d.TxtFTMC->text(), QStringLiteral("大厅3"));
        EXPECT_EQ(d.TxtSSBM->text(), QStringLiteral("大厅"));
        EXPECT_EQ(d.TxtKTSJ->text(), QStringLiteral("2026-05-01 12:00:00"));
        EXPECT_EQ(d.CmbBC->currentText(), QStringLiteral("中班"));
        EXPECT_EQ(d.CmbFWY->currentText(), QStringLiteral("王强"));
        EXPECT_EQ(d.CmbDCY->currentIndex(), 3);   // the first 李娜
        EXPECT_EQ(d.TxtJCRS->text(), QStringLiteral("4"));
        EXPECT_EQ(d.TxtBZ->text(), QStringLiteral("靠窗"));
        EXPECT_EQ(d.Command1->text(), QStringLiteral("保存(&S)"));
        EXPECT_EQ(d.defaultButton, nullptr);
        EXPECT_EQ(d.cancelButton, nullptr);
        screenshot(&d, QStringLiteral("seating-details"));

        d.TxtJCRS->setText(QStringLiteral("6"));
        d.CmbBC->setCurrentText(QStringLiteral("晚班"));
        d.CmbFWY->setCurrentText(QStringLiteral("张丽"));
        d.CmbDCY->setCurrentIndex(4);   // the second 李娜: the first one's code is stored
        d.TxtBZ->setText(QStringLiteral("加一把椅子"));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmKTXQ>());
    }, [&](FrmDCKT& w) {
        EXPECT_EQ(w.TxtFWY->text(), QStringLiteral("张丽"));
        EXPECT_EQ(w.TxtDCY->text(), QStringLiteral("李娜"));
        EXPECT_EQ(w.TxtXTBH->text(), inUse);
        const int row = rowOf(QStringLiteral("103"));
        EXPECT_EQ(board().ListView1->subItem(row, FrmSYGL::ColDiners), QStringLiteral("6"));
        EXPECT_EQ(board().ListView1->subItem(row, FrmSYGL::ColWaiter), QStringLiteral("张丽"));
        EXPECT_TRUE(Module1::TableOpened);
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(seating(inUse), QStringLiteral("6|晚班|001|张丽|003|李娜|加一把椅子|A|~|103|2026-05-01 12:00:00"));
}

TEST_F(SeatingDetails, RefusalsWriteNothing)
{
    const QString before = seating(inUse);
    const struct { const char* diners; int waiter; int taker; const char* message; } cases[] = {
        {" ", 1, 1, "请输入就餐人数"},
        {"x1", 1, 1, "请输入就餐人数"},
        {"2", -1, 1, "请选择服务员"},
        {"2", 1, -1, "请选择点菜员"},
    };
    details(QStringLiteral("103"), [&](FrmKTXQ& d) {
        for (const auto& c : cases) {
            EXPECT_EQ(submitSeating(d, QString::fromLatin1(c.diners), c.waiter, c.taker),
                      QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_TRUE(Forms::isLoaded<FrmKTXQ>());
        }
        d.Command2->click();
        EXPECT_FALSE(Forms::isLoaded<FrmKTXQ>());
    });
    EXPECT_EQ(seating(inUse), before);
}

TEST_F(SeatingDetails, AnUnknownShiftIsSavedEmptyAndASettledSeatingStaysSettled)
{
    sql(QStringLiteral("UPDATE use_table_200505 SET strink_def = '夜宵' WHERE use_table_id = ?"), {settled});
    details(QStringLiteral("105"), [&](FrmKTXQ& d) {
        EXPECT_EQ(d.CmbBC->currentIndex(), -1);
        d.Command1->click();
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(seating(settled), QStringLiteral("3||002|王强|003|李娜|靠窗|D|2026-05-01 12:20:00|105|2026-05-01 10:00:00"));
}

TEST_F(ChargeSummary, NetQuantitiesAtTheirOrderedPricesInCategoryOrder)
{
    // 拍黄瓜 (category 201) first stored, 宫保鸡丁 (101) after it.
    storedLine(inUse, 0, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 1);
    storedLine(inUse, 1, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 30, 3);
    storedLine(inUse, 2, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 30, -1, QStringLiteral("1"));
    storedLine(inUse, 3, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 30, 2, QStringLiteral("2"));   // free
    storedLine(inUse, 4, QStringLiteral("2"), QStringLiteral("水煮牛肉"), 48, 2);
    storedLine(inUse, 5, QStringLiteral("2"), QStringLiteral("水煮牛肉"), 48, -2, QStringLiteral("1"));
    storedLine(inUse, 6, QStringLiteral("6"), QStringLiteral("招牌菜"), 88, 1, QStringLiteral("2"));   // free only
    storedLine(inUse, 7, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 1, QStringLiteral("0"), 0, QString(),
               QStringLiteral("1"));   // settled lines count too
    storedLine(inUse, 8, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1);   // at another price: a row of its own
    storedLine(continued, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 5);   // another seating
    const QStringList rows = grid([&](FrmDCKT& w) {
        // The menu price changed after ordering: the lines keep theirs.
        sql(QStringLiteral("UPDATE cpdetail SET cp_price = 38.5 WHERE code = '1'"));
        // A line only on screen does not count.
        w.appendLine({QStringLiteral("水煮牛肉"), QStringLiteral("份"), QStringLiteral("4"), QStringLiteral("48"),
                      QStringLiteral("192"), QStringLiteral("热菜间"), QStringLiteral("未传"), QStringLiteral("点单"),
                      QStringLiteral("点单"), QString()},
                     QStringLiteral("2"));
    });
    EXPECT_EQ(rows, (QStringList{"宫保鸡丁|30|2|60", "宫保鸡丁|38|1|38", "拍黄瓜|12.5|2|25"}));
}

// The summary charges what the guest is billed: a dish whose menu price went
// up after it was ordered and a market-price dish show the prices of their
// lines, and the amounts add up to the ordering window's total.
TEST_F(ChargeSummary, AmountsAddUpToTheOrderingTotal)
{
    sql(QStringLiteral("UPDATE cpdetail SET cp_price = 20 WHERE code = '1'"));
    sql(QStringLiteral("UPDATE cpdetail SET cp_price = 0, real_price = '时价' WHERE code = '6'"));
    storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 20, 1);
    storedLine(inUse, 1, QStringLiteral("6"), QStringLiteral("招牌菜"), 88, 1);
    sql(QStringLiteral("UPDATE cpdetail SET cp_price = 25 WHERE code = '1'"));
    QString orderingTotal;
    const QStringList rows = grid([&](FrmDCKT& w) { orderingTotal = w.LabCPJE->text(); });
    EXPECT_EQ(rows, (QStringList{"招牌菜|88|1|88", "宫保鸡丁|20|1|20"}));
    Money sum;
    for (const QString& r : rows)
        sum += Money::parse(r.section(u'|', 3, 3));
    EXPECT_EQ(orderingTotal, QStringLiteral("点菜金额合计：") + sum.plain());
}

TEST_F(ChargeSummary, TheGridAndAnEmptySeating)
{
    Forms::onModal(QStringLiteral("FrmSFHZ"), [&](Form& f) {
        auto& s = static_cast<FrmSFHZ&>(f);
        EXPECT_EQ(s.windowTitle(), QStringLiteral("收费汇总"));
        QStringList headers;
        for (int c = 0; c < s.DataGrid1->columnCount(); ++c)
            headers << s.DataGrid1->horizontalHeaderItem(c)->text();
        EXPECT_EQ(headers, (QStringList{"菜品名称", "单价", "数量", "金额"}));
        EXPECT_NEAR(Twips::fromPixels(s.DataGrid1->columnWidth(0)), 1600, 15);
        EXPECT_NEAR(Twips::fromPixels(s.DataGrid1->columnWidth(1)), 1200, 15);
        EXPECT_NEAR(Twips::fromPixels(s.DataGrid1->columnWidth(2)), 1200, 15);
        EXPECT_EQ(s.DataGrid1->rowCount(), 0);
        EXPECT_EQ(s.DataGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(s.Command1->text(), QStringLiteral("确定(&E)"));
        s.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmSFHZ>());
    });
    // A free table has no seating: an empty grid, and no check before it opens.
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) { w.Command4->click(); });
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmKTXX", "FrmSFHZ"}));
    EXPECT_TRUE(messages().isEmpty());

    storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 2);
    Forms::onModal(QStringLiteral("FrmSFHZ"), [&](Form& f) { screenshot(&f, QStringLiteral("charge-summary")); });
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) { w.Command4->click(); });
}

// Another till clears the table (or merges the seating away) while the
// dialog is open: the save is refused and the closed seating keeps its details.
TEST_F(SeatingDetails, ASeatingClosedElsewhereIsNotSaved)
{
    const struct { const char* what; const char* otherTill; } cases[] = {
        {"cleared", "UPDATE use_table_200505 SET sts = 'P' WHERE use_table_id = ?"},
        {"merged away", "DELETE FROM use_table_200505 WHERE use_table_id = ?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MessageSeam::clear();
        sql(QStringLiteral("UPDATE use_table_200505 SET sts = 'D' WHERE use_table_id = ?"), {settled});
        details(QStringLiteral("105"), [&](FrmKTXQ& d) {
            OtherTill(dbPath()).exec(QString::fromLatin1(c.otherTill), {settled});
            const QString before = seating(settled);
            d.TxtJCRS->setText(QStringLiteral("9"));
            d.Command1->click();
            EXPECT_TRUE(Forms::isLoaded<FrmKTXQ>());
            EXPECT_EQ(seating(settled), before);
            d.Command2->click();
        });
        EXPECT_EQ(messages(), QStringList{QStringLiteral("找不到这次开台的记录（可能已被并台或清除），没有保存。")});
    }
}
