// Dish sales by table type or specification: the value list, the dish tree
// and the list of dishes ordered in a period, net of returns.
#include "db/Money.h"
#include "frontdesk/FrmFTSZ.h"
#include "frontdesk/TableMasterDialogs.h"
#include "reports/FrmDDTJ.h"
#include "shell/Module1.h"
#include "tests/ReportsFixture.h"

namespace {

class DishSalesTest : public ReportsFixture {
protected:
    // Top categories 1 and 10, sub-categories 101 (of 1) and 1001 (of 10);
    // two specifications share the name 四人台; a table of an unknown type.
    void menuAndOrders()
    {
        tableType(QStringLiteral("01"), QStringLiteral("大厅"));
        tableType(QStringLiteral("02"), QStringLiteral("包间"));
        tableKind(QStringLiteral("01"), QStringLiteral("四人台"));
        tableKind(QStringLiteral("02"), QStringLiteral("十人台"));
        tableKind(QStringLiteral("03"), QStringLiteral("四人台"));
        table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("201"), QStringLiteral("牡丹厅"), QStringLiteral("02"), QStringLiteral("十人台"));
        table(QStringLiteral("301"), QStringLiteral("临时台"), QStringLiteral("09"), QStringLiteral("四人台"));
        category(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
        category(QStringLiteral("10"), QStringLiteral("特色"), QStringLiteral("0"));
        category(QStringLiteral("101"), QStringLiteral("川菜"), QStringLiteral("1"));
        category(QStringLiteral("1001"), QStringLiteral("招牌"), QStringLiteral("10"));
        dish(QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101"), 38);
        dish(QStringLiteral("2"), QStringLiteral("水煮牛肉"), QStringLiteral("101"), 48);
        dish(QStringLiteral("3"), QStringLiteral("酸辣汤"), QStringLiteral("1"), 20);     // filed under a top category
        dish(QStringLiteral("4"), QStringLiteral("烤全羊"), QStringLiteral("1001"), 288);
        dish(QStringLiteral("5"), QStringLiteral("羊杂"), QStringLiteral("10"), 30);

        // An open seating: its lines count by the moment they were written.
        const QString hall = seating(QStringLiteral("101"), QStringLiteral("2026-03-09 23:00:00"), QString(), 4,
                                     QStringLiteral("王强"));
        const struct { const char* code; const char* name; double num; double price; const char* kind; const char* at; } lines[] = {
            {"1", "宫保鸡丁", 2, 38, "0", "2026-03-10 00:00:00"},   // the first second counts
            {"1", "宫保鸡丁", 1, 40, "0", "2026-03-10 12:00:00"},   // a second price
            {"1", "宫保鸡丁", -1, 38, "1", "2026-03-10 12:30:00"},  // returned
            {"2", "水煮牛肉", 1, 48, "2", "2026-03-10 12:00:00"},   // free: never counts
            {"2", "水煮牛肉", -1, 48, "1", "2026-03-10 13:00:00"},  // returns alone list nothing
            {"3", "酸辣汤", 1, 20, "0", "2026-03-10 23:59:59"},     // the last second counts
            {"4", "烤全羊", 1, 288, "0", "2026-03-10 12:00:00"},
            {"5", "羊杂", 2, 30, "0", "2026-03-10 12:00:00"},
            {"1", "宫保鸡丁", 5, 38, "0", "2026-03-09 23:59:59"},   // a second before
            {"4", "烤全羊", 1, 288, "0", "2026-03-11 00:00:00"},    // a second after
        };
        for (const auto& l : lines)
            line(hall, QString::fromLatin1(l.code), QString::fromUtf8(l.name), l.num, l.price,
                 QString::fromLatin1(l.kind), QString::fromLatin1(l.at));
        const QString room = seating(QStringLiteral("201"), QStringLiteral("2026-03-10 11:00:00"),
                                     QStringLiteral("2026-03-10 13:00:00"), 8, QStringLiteral("李娜"));
        line(room, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 1, 38, QStringLiteral("0"),
             QStringLiteral("2026-03-10 12:00:00"), 1);
        const QString unknown = seating(QStringLiteral("301"), QStringLiteral("2026-03-10 11:30:00"), QString(), 2,
                                        QStringLiteral("李娜"));
        line(unknown, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 3, 38, QStringLiteral("0"),
             QStringLiteral("2026-03-10 12:00:00"));
    }
    FrmDDTJ& window() { return Forms::get<FrmDDTJ>(); }
    QStringList queryRows(const QString& node, const QString& type, const QString& value)
    {
        FrmDDTJ& w = window();
        w.ComboQueryType->setCurrentText(type);
        w.ComboQueryType_Click();
        w.ComboValue->setCurrentText(value);
        clickNode(w.TreeView1, node);
        w.Toolbar1->click(FrmDDTJ::BtnQuery);
        return rows(w.ListView1);
    }
    // The total row equals the sum of the amounts above it.
    static void expectTotalOfRows(const QStringList& r)
    {
        ASSERT_FALSE(r.isEmpty());
        Money sum;
        for (int i = 0; i + 1 < r.size(); ++i)
            sum += Money::parse(r[i].section(u'|', 4, 4));
        EXPECT_EQ(r.last().toStdString(), ("合计| | | |" + sum.format(2)).toStdString());
    }
};

} // namespace

TEST_F(DishSalesTest, OpensWithTheFirstTypeTheWholeMenuAndTodaysPeriod)
{
    menuAndOrders();
    FrmDDTJ& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("房台点单统计"));
    EXPECT_EQ(w.DateStart->dateTime(), QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0)));
    EXPECT_EQ(w.DateEnd->dateTime(), QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59)));
    EXPECT_EQ(w.DateStart->displayFormat(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(w.ComboQueryType->count(), 2);
    EXPECT_EQ(w.ComboQueryType->currentText(), QStringLiteral("房台类型"));
    EXPECT_EQ(w.ComboValue->count(), 2);
    EXPECT_EQ(w.ComboValue->currentText(), QStringLiteral("大厅"));
    EXPECT_EQ(text(headers(w.ListView1)), text({"编码", "名称", "单价", "销量", "金额(元)"}));
    const int widths[] = {800, 1500, 800, 800, 900};
    for (int c = 0; c < 5; ++c) {
        EXPECT_NEAR(w.ListView1->columnWidthTwips(c), widths[c], 15);
        EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(c)->textAlignment() & Qt::AlignHorizontal_Mask,
                  c < 2 ? Qt::AlignLeft : Qt::AlignRight);
    }
    EXPECT_EQ(w.ListView1->count(), 0);
    EXPECT_FALSE(w.Toolbar1->buttonVisible(FrmDDTJ::BtnPrint));

    // The tree hangs each sub-category under its own parent.
    EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("ROOT"));
    QTreeWidgetItem* root = w.TreeView1->node(QStringLiteral("ROOT"));
    EXPECT_EQ(root->text(0), QStringLiteral("所有菜品"));
    EXPECT_FALSE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("S101"))->parent(), w.TreeView1->node(QStringLiteral("F1")));
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("S1001"))->parent(), w.TreeView1->node(QStringLiteral("F10")));
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("S101"))->childCount(), 2);
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("T4"))->parent(), w.TreeView1->node(QStringLiteral("S1001")));
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("T4"))->text(0), QStringLiteral("烤全羊"));
    // Dishes filed under a top category have no node.
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("T3")), nullptr);
    EXPECT_EQ(w.TreeView1->node(QStringLiteral("T5")), nullptr);
}

TEST_F(DishSalesTest, CountsOrderedLinesNetOfReturnsByCodeNameAndPrice)
{
    menuAndOrders();
    const QStringList all = queryRows(QStringLiteral("ROOT"), QStringLiteral("房台类型"), QStringLiteral("大厅"));
    EXPECT_EQ(text(all), text({
                             "1|宫保鸡丁|38.00|1|38.00",
                             "1|宫保鸡丁|40.00|1|40.00",
                             "3|酸辣汤|20.00|1|20.00",
                             "4|烤全羊|288.00|1|288.00",
                             "5|羊杂|30.00|2|60.00",
                             "合计| | | |446.00",
                         }));
    expectTotalOfRows(all);
    EXPECT_EQ(Module1::ReportStartTime, QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0)));
    EXPECT_EQ(Module1::ReportEndTime, QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59)));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(DishSalesTest, CategoriesTakeTheirOwnDishesOnly)
{
    menuAndOrders();
    const struct { const char* node; std::vector<const char*> rows; } cases[] = {
        // Category 1 takes its own dish and those of 101, never those of 10 or 1001.
        {"F1", {"1|宫保鸡丁|38.00|1|38.00", "1|宫保鸡丁|40.00|1|40.00", "3|酸辣汤|20.00|1|20.00", "合计| | | |98.00"}},
        // Category 10 takes its own dish and those of 1001, never those of 101.
        {"F10", {"4|烤全羊|288.00|1|288.00", "5|羊杂|30.00|2|60.00", "合计| | | |348.00"}},
        {"S101", {"1|宫保鸡丁|38.00|1|38.00", "1|宫保鸡丁|40.00|1|40.00", "合计| | | |78.00"}},
        {"S1001", {"4|烤全羊|288.00|1|288.00", "合计| | | |288.00"}},
        {"T1", {"1|宫保鸡丁|38.00|1|38.00", "1|宫保鸡丁|40.00|1|40.00", "合计| | | |78.00"}},
        {"T2", {}},
    };
    for (const auto& c : cases) {
        QStringList expected;
        for (const char* r : c.rows)
            expected << QString::fromUtf8(r);
        const QStringList got = queryRows(QString::fromLatin1(c.node), QStringLiteral("房台类型"), QStringLiteral("大厅"));
        EXPECT_EQ(text(got), text(expected)) << c.node;
        if (!got.isEmpty())
            expectTotalOfRows(got);
    }
}

TEST_F(DishSalesTest, SpecificationsAndTypesChooseTheirTables)
{
    menuAndOrders();
    // Both specifications named 四人台 give the hall's lines once; the table
    // of an unknown type never counts.
    FrmDDTJ& w = window();
    w.ComboQueryType->setCurrentText(QStringLiteral("房台规格"));
    w.ComboQueryType_Click();
    ASSERT_EQ(w.ComboValue->count(), 3);
    for (int i : {0, 2}) {
        w.ComboValue->setCurrentIndex(i);
        w.Toolbar1->click(FrmDDTJ::BtnQuery);
        EXPECT_EQ(rows(w.ListView1).last().toStdString(), "合计| | | |446.00") << i;
        EXPECT_EQ(w.ListView1->count(), 6);
    }
    EXPECT_EQ(text(queryRows(QStringLiteral("ROOT"), QStringLiteral("房台规格"), QStringLiteral("十人台"))),
              text({"1|宫保鸡丁|38.00|1|38.00", "合计| | | |38.00"}));
    EXPECT_EQ(text(queryRows(QStringLiteral("ROOT"), QStringLiteral("房台类型"), QStringLiteral("包间"))),
              text({"1|宫保鸡丁|38.00|1|38.00", "合计| | | |38.00"}));
}

TEST_F(DishSalesTest, ChoosingDoesNotQueryAndAnEmptyValueListFindsNothing)
{
    menuAndOrders();
    FrmDDTJ& w = window();
    w.Toolbar1->click(FrmDDTJ::BtnQuery);
    EXPECT_EQ(w.ListView1->count(), 6);
    clickNode(w.TreeView1, QStringLiteral("S1001"));
    w.ComboQueryType->setCurrentText(QStringLiteral("房台规格"));
    w.ComboQueryType_Click();
    EXPECT_EQ(w.ListView1->count(), 6);
    EXPECT_EQ(w.ComboValue->currentText(), QStringLiteral("四人台"));

    // A period without lines gives an empty list without a total row.
    w.DateStart->setDateTime(QDateTime(QDate(2026, 4, 1), QTime(0, 0)));
    w.DateEnd->setDateTime(QDateTime(QDate(2026, 4, 1), QTime(23, 59, 59)));
    w.Toolbar1->click(FrmDDTJ::BtnQuery);
    EXPECT_EQ(w.ListView1->count(), 0);

    sql(QStringLiteral("DELETE FROM house_bm"));
    w.ComboQueryType->setCurrentText(QStringLiteral("房台类型"));
    w.ComboQueryType_Click();
    EXPECT_EQ(w.ComboValue->count(), 0);
    w.DateStart->setDateTime(QDateTime(QDate(2026, 3, 10), QTime(0, 0)));
    w.Toolbar1->click(FrmDDTJ::BtnQuery);
    EXPECT_EQ(w.ListView1->count(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

// Tables carry their specification's name. Renamed in the table setup, a
// specification takes its tables along: the delete check still finds them
// and the sales by specification still count their lines. While another
// specification bears the old name too, the tables are left as they are.
TEST_F(DishSalesTest, ARenamedSpecificationKeepsItsTablesAndTheirSales)
{
    menuAndOrders();
    FrmFTSZ& setup = Forms::get<FrmFTSZ>();
    setup.show();
    processEvents();
    setup.SSTab1->setTab(1);
    auto rename = [&](int row, const QString& name) {
        clickRow(setup.ListView2, row);
        Forms::onModal(QStringLiteral("Frmlbedit"), [name](Form& f) {
            auto& d = static_cast<CodeNameDialog&>(f);
            retypeKeys(d.Text2, name);
            d.Command1->click();
        });
        MessageSeam::clear();
        setup.Toolbar1->click(2);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    };
    auto classes = [&] {
        return value(QStringLiteral("SELECT group_concat(table_id || ':' || class, ',') FROM house_table")).toString();
    };

    // 03 is named 四人台 like 01: which one the tables meant is not known.
    rename(2, QStringLiteral("方桌"));
    EXPECT_EQ(classes(), QStringLiteral("101:四人台,201:十人台,301:四人台"));

    // Now 01 alone is 四人台: its tables take the new name.
    rename(0, QStringLiteral("小方桌"));
    EXPECT_EQ(classes(), QStringLiteral("101:小方桌,201:十人台,301:小方桌"));
    ASSERT_EQ(setup.ListView3->subItem(0, 1), QStringLiteral("101"));   // the tables tab shows it at once
    EXPECT_EQ(setup.ListView3->subItem(0, 4), QStringLiteral("小方桌"));
    clickRow(setup.ListView2, 0);
    MessageSeam::clear();
    setup.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选删除此规格的所有方台，再进行删除此规格!")});
    EXPECT_EQ(count(QStringLiteral("house_kinds"), QStringLiteral("WHERE fcode = '01'")), 1);
    setup.Unload();

    const QStringList byNewName = queryRows(QStringLiteral("ROOT"), QStringLiteral("房台规格"), QStringLiteral("小方桌"));
    EXPECT_EQ(byNewName.size(), 6);
    EXPECT_EQ(byNewName.last().toStdString(), "合计| | | |446.00");
}
