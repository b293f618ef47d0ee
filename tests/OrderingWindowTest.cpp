// The ordering window: what it shows and enables for each board word, its
// stored lines and total, the menu tree, the open-table dialog that opens by
// itself, and a fresh start at each opening.
#include "ordering/FrmKTXX.h"
#include "platform/KeyFilters.h"
#include "tests/OrderingFixture.h"

namespace {

class OrderingWindow : public FloorFixture {
protected:
    static QString enabledButtons(const FrmDCKT& w)
    {
        QString out;
        for (int i : {1, 4, 5, 8, 9})
            if (w.Toolbar1->buttonEnabled(i))
                out += QString::number(i);
        return out;
    }
    static QString header(const FrmDCKT& w)
    {
        return QStringList{w.TxtXTBH->text(), w.TxtFTMC->text(), w.TxtSSBM->text(), w.TxtFWY->text(), w.TxtDCY->text()}
            .join(u'|');
    }
};

} // namespace

TEST_F(OrderingWindow, DesignOfTheWindow)
{
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("点菜开台"));
        ASSERT_EQ(w.Toolbar1->buttonCount(), 10);
        const char* keys[] = {"开台", "转台", "并台", "落单", "退赠单", "起菜", "说明", "结账", "续单", "退出"};
        const char* captions[] = {"开台", "转台", "并台", "落单", "退/赠单", "起菜", "说明", "结帐", "续单", "退出"};
        for (int i = 1; i <= 10; ++i) {
            EXPECT_EQ(w.Toolbar1->key(i), QString::fromUtf8(keys[i - 1]));
            EXPECT_EQ(w.Toolbar1->caption(i), QString::fromUtf8(captions[i - 1]));
            const bool hidden = i == 2 || i == 3 || i == 6 || i == 7;
            EXPECT_EQ(w.Toolbar1->buttonVisible(i), !hidden) << i;
        }
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(6));
        ASSERT_EQ(w.Toolbar1->buttonMenuCount(5), 2);
        EXPECT_EQ(w.Toolbar1->buttonMenuCaption(5, 1) + w.Toolbar1->buttonMenuKey(5, 1), QStringLiteral("退单退单"));
        EXPECT_EQ(w.Toolbar1->buttonMenuCaption(5, 2) + w.Toolbar1->buttonMenuKey(5, 2), QStringLiteral("赠单赠单"));

        const struct { const char* caption; int width; } columns[] = {
            {"序号", 600}, {"菜品名称", 1600}, {"单位", 700}, {"数量", 700}, {"单价", 700}, {"金额", 700},
            {"出品", 700}, {"传菜", 0}, {"类别", 700}, {"状态", 700}, {"说明", 1400}};
        ASSERT_EQ(w.ListView1->columnCount(), 11);
        for (int c = 0; c < 11; ++c) {
            EXPECT_EQ(w.ListView1->columnCaption(c), QString::fromUtf8(columns[c].caption));
            EXPECT_NEAR(w.ListView1->columnWidthTwips(c), columns[c].width, 15) << c;
        }
        EXPECT_TRUE(w.ListView1->columnHidden(FrmDCKT::ColServed));
        EXPECT_EQ(w.ListView2->columnCaption(0) + w.ListView2->columnCaption(1), QStringLiteral("菜品编码菜品名称"));
        EXPECT_NEAR(w.ListView2->columnWidthTwips(0), 900, 15);
        EXPECT_NEAR(w.ListView2->columnWidthTwips(1), 1600, 15);
        EXPECT_FALSE(w.ListView2->isVisible());
        EXPECT_FALSE(w.Txtbm->isVisible());
        EXPECT_EQ(w.KTXQ->text(), QStringLiteral("开台详情(&X)"));
        EXPECT_EQ(w.Command4->text(), QStringLiteral("汇 总"));
        EXPECT_EQ(w.Label11->text() + w.Label9->text(), QStringLiteral("金额共计：洒水共计："));
        EXPECT_EQ(MaxLengthOf(w.TxtSL), 3);
    });
}

TEST_F(OrderingWindow, EachBoardWordGivesItsToolbarHeaderAndFlags)
{
    const struct {
        const char* table; const char* word; const char* buttons; bool seated; const char* label; bool dialog;
    } cases[] = {
        {"101", "空闲", "1", false, "点菜金额合计：0", true},
        {"102", "预订", "1", false, "消费金额总计：", true},
        {"103", "在用", "458", true, "点菜金额合计：0", false},
        {"104", "续单", "458", true, "点菜金额合计：0", false},
        {"105", "结帐", "9", true, "点菜金额合计：0", false},
    };
    const QString ids[] = {QString(), QString(), inUse, continued, settled};
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        Forms::clearModalShows();
        MessageSeam::clear();
        const QString table = QString::fromLatin1(c.table);
        ASSERT_EQ(board().ListView1->subItem(rowOf(table), FrmSYGL::ColState), QString::fromUtf8(c.word));
        std::vector<QString> shownBefore;
        openOrdering(table, [&](FrmDCKT& w) {
            shownBefore = Forms::modalShows();
            EXPECT_EQ(enabledButtons(w), QString::fromLatin1(c.buttons));
            EXPECT_EQ(w.KTXQ->isEnabled(), c.seated);
            EXPECT_EQ(Module1::TableOpened, c.seated);
            EXPECT_EQ(w.LabCPJE->text(), QString::fromUtf8(c.label));
            EXPECT_EQ(w.TxtXTBH->text(), ids[i]);
            if (c.seated)
                EXPECT_EQ(header(w), ids[i] + QStringLiteral("|大厅") + table.right(1) + QStringLiteral("|大厅|王强|李娜"));
            else
                EXPECT_EQ(header(w), QStringLiteral("||||"));
            // Still pending where button 1 is off: it comes only with button 1.
            EXPECT_EQ(w.m_AutoOpenPending, !c.dialog);
        });
        std::vector<QString> expected{QStringLiteral("FrmDCKT")};
        if (c.dialog)
            expected.push_back(QStringLiteral("FrmKTXX"));
        EXPECT_EQ(shownBefore, expected);
        EXPECT_EQ(Forms::modalShows(), expected);   // and not again
        EXPECT_TRUE(messages().isEmpty());
        ++i;
    }
}

TEST_F(OrderingWindow, TheOpenTableDialogComesByItselfOnlyOnce)
{
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        // The dialog was closed without opening: button 1 stays enabled.
        EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmKTXX"}));
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnOpen));
        EXPECT_FALSE(Module1::TableOpened);

        // The charge summary closes: the window is active again, no dialog comes.
        w.m_AlreadyPlaced = true;
        w.Command4->click();
        EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmKTXX", "FrmSFHZ"}));
        EXPECT_FALSE(w.m_AlreadyPlaced);

        // A refusal in the dialog is a message box, then the user cancels.
        Forms::onModal(QStringLiteral("FrmKTXX"), [](Form& f) {
            auto& d = static_cast<FrmKTXX&>(f);
            d.TxtJCRS->setText(QStringLiteral(" "));
            d.Command1->click();
            d.Command2->click();
        });
        w.Toolbar1->click(FrmDCKT::BtnOpen);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("请输入就餐人数")});
        EXPECT_EQ(Forms::modalShows().size(), 4u);
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnOpen));
    });
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmKTXX", "FrmSFHZ", "FrmKTXX"}));
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE house_table_id = '101'")), 0);
}

TEST_F(OrderingWindow, StoredLinesLoadInLineOrderWithTheirWordsAndAmounts)
{
    // Inserted out of order: the window lists them by fsxh.
    storedLine(inUse, 3, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, -1, QStringLiteral("1"), 0,
               QStringLiteral("上菜太慢"));
    storedLine(inUse, 0, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 1);
    storedLine(inUse, 1, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1, QStringLiteral("0"), 4);
    storedLine(inUse, 2, QStringLiteral("2"), QStringLiteral("水煮牛肉"), 8, 2, QStringLiteral("2"), 1, QVariant());
    storedLine(inUse, 4, QStringLiteral("2"), QStringLiteral("水煮牛肉"), 20, 1, QStringLiteral("5"), 9);
    storedLine(continued, 0, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 99, 1);   // another seating
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        EXPECT_EQ(linesOf(w), (QStringList{
                                  "1|拍黄瓜|份|1|12.5|12.5|热菜间|未传|点单|点单|",
                                  "2|宫保鸡丁|份|1|38|38|热菜间|未传|点单|外卖|",
                                  "3|水煮牛肉|份|2|8|0|热菜间|未传|赠单|叫单|",
                                  "4|宫保鸡丁|份|-1|38|-38|热菜间|未传|退单|点单|上菜太慢",
                                  "5|水煮牛肉|份|1|20|20|热菜间|未传|||",
                              }));
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：32.5"));
        // Each line keeps its dish code and its stored line number, hidden.
        for (int r = 0; r < 5; ++r) {
            EXPECT_TRUE(w.lineStored(r));
            EXPECT_EQ(w.lineFsxh(r), r);
        }
        EXPECT_EQ(w.lineDishCode(0), QStringLiteral("5"));
        EXPECT_EQ(w.lineDishCode(3), QStringLiteral("1"));
    });
    // Totals are exact where single precision would lose the cents; a Null
    // header value shows as empty text.
    storedLine(continued, 1, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 99999.99, 3);
    storedLine(continued, 2, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 0.1, 3);
    sql(QStringLiteral("UPDATE use_table_200505 SET serv_name = NULL WHERE use_table_id = ?"), {continued});
    openOrdering(QStringLiteral("104"), [&](FrmDCKT& w) {
        EXPECT_EQ(w.ListView1->subItem(1, FrmDCKT::ColAmount), QStringLiteral("299999.97"));
        EXPECT_EQ(w.LabCPJE->text(), QStringLiteral("点菜金额合计：300099.27"));   // 99 + 299999.97 + 0.3
        EXPECT_EQ(header(w), continued + QStringLiteral("|大厅4|大厅||李娜"));
    });
}

TEST_F(OrderingWindow, TheMenuTreeHidesDisabledDishesAndDishesOfTopCategories)
{
    dish(QStringLiteral("7"), QStringLiteral("凉拌木耳"), QStringLiteral("201"), 16, QVariant());
    category(QStringLiteral("202"), QStringLiteral("卤味"), QStringLiteral("2"));
    // Two categories whose names and codes run together give the same text:
    // "小炒2" & "203" and "小炒" & "2203".
    category(QStringLiteral("203"), QStringLiteral("小炒2"), QStringLiteral("2"));
    category(QStringLiteral("2203"), QStringLiteral("小炒"), QStringLiteral("2"));
    QStringList tree;
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
            tree << QString(depth * 2, u' ') + item->text(0) + u' ' + TreeView::keyOf(item);
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i), depth + 1);
        };
        for (int i = 0; i < w.TreeView1->topLevelItemCount(); ++i)
            walk(w.TreeView1->topLevelItem(i), 0);
    });
    EXPECT_EQ(tree, (QStringList{
                        "热菜 F1",
                        "  川菜 S101",
                        "    宫保鸡丁 T1",
                        "    水煮牛肉 T2",
                        "  粤菜 S102",
                        "凉菜 F2",
                        "  凉拌 S201",
                        "    拍黄瓜 T5",
                        "    凉拌木耳 T7",
                        "  卤味 S202",
                        "  小炒2 S203",
                        "  小炒 S2203",
                    }));
}

TEST_F(OrderingWindow, TheSalesToStockSwitchReadsExactlyYes)
{
    const struct { QVariant value; bool linked; } cases[] = {
        {QVariant(), true},   // no row
        {QStringLiteral("Yes"), true},
        {QStringLiteral("yes"), false},
        {QStringLiteral("Yes "), false},
        {QStringLiteral("No"), false},
        {QVariant(QMetaType::fromType<QString>()), false},   // a row holding Null
    };
    bool first = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        if (!first)
            param(QStringLiteral("associate"), c.value);
        first = false;
        bool linked = !c.linked;
        openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) { linked = w.m_StockLinked; });
        EXPECT_EQ(linked, c.linked);
    }
}

TEST_F(OrderingWindow, EveryOpeningStartsAfreshForItsOwnTable)
{
    storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 2);
    storedLine(settled, 0, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 1);
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        EXPECT_EQ(w.ListView1->count(), 1);
        w.m_OrderPlaced = true;
        w.TxtMC->setText(QStringLiteral("残留"));
    });
    EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        EXPECT_EQ(w.TxtXTBH->text(), settled);
        EXPECT_EQ(w.TxtFTMC->text(), QStringLiteral("大厅5"));
        EXPECT_EQ(enabledButtons(w), QStringLiteral("9"));
        EXPECT_EQ(linesOf(w), QStringList{"1|拍黄瓜|份|1|12.5|12.5|热菜间|未传|点单|点单|"});
        EXPECT_FALSE(w.m_OrderPlaced);
        EXPECT_TRUE(w.TxtMC->text().isEmpty());
    });
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) {
        EXPECT_EQ(header(w), QStringLiteral("||||"));
        EXPECT_EQ(w.ListView1->count(), 0);
        EXPECT_EQ(enabledButtons(w), QStringLiteral("1"));
        EXPECT_FALSE(Module1::TableOpened);
    });
}

TEST_F(OrderingWindow, ABoardRowWithoutItsSeatingLeavesAnEmptyWindow)
{
    board();
    // Another till cleared the seating after the board was loaded.
    sql(QStringLiteral("DELETE FROM use_table_200505 WHERE use_table_id = ?"), {inUse});
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        EXPECT_EQ(messages(), QStringList{QStringLiteral("找不到本房台的开台记录，请关闭本窗口，在房台列表中刷新后再试。")});
        EXPECT_EQ(header(w), QStringLiteral("||||"));
        EXPECT_EQ(w.ListView1->count(), 0);
        EXPECT_FALSE(Module1::TableOpened);
        EXPECT_EQ(enabledButtons(w), QString());
        EXPECT_FALSE(w.KTXQ->isEnabled());
    });
    EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("FrmDCKT")});
}

TEST_F(OrderingWindow, ScreenshotsOfAFreeAndAnOccupiedTable)
{
    storedLine(inUse, 0, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, 1);
    storedLine(inUse, 1, QStringLiteral("5"), QStringLiteral("拍黄瓜"), 12.5, 2, QStringLiteral("2"));
    storedLine(inUse, 2, QStringLiteral("1"), QStringLiteral("宫保鸡丁"), 38, -1, QStringLiteral("1"), 0,
               QStringLiteral("点错菜"));
    openOrdering(QStringLiteral("101"), [&](FrmDCKT& w) { screenshot(&w, QStringLiteral("ordering-free")); });
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) { screenshot(&w, QStringLiteral("ordering-occupied")); });
}

TEST_F(TabulorTest, DemoSeatingsShowEveryLineKindAndServeState)
{
    const QString demo = tempPath(QStringLiteral("demo.db"));
    Db::buildDatabaseFile(demo, true);
    Db::openShared(demo);
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT group_concat(k, '') FROM (SELECT DISTINCT STS AS k FROM "
                                        "strink_mess_200505 ORDER BY 1)")).toString(),
              QStringLiteral("0123"));
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT group_concat(k, '') FROM (SELECT DISTINCT state AS k FROM "
                                        "strink_mess_200505 ORDER BY 1)")).toString(),
              QStringLiteral("01234"));
    // Every seating as the open-table dialog writes it; lines carry their dish.
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT count(*) FROM use_table_200505 WHERE acc_date = substr(use_table_id, 1, 8) "
                                        "AND use_table_man_id = '' AND strink_def <> '' AND memo IS NOT NULL")).toInt(),
              Db::scalar(QStringLiteral("SELECT count(*) FROM use_table_200505")).toInt());
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT count(*) FROM strink_mess_200505 WHERE unit IS NULL OR send_addr IS NULL "
                                        "OR food_code NOT IN (SELECT code FROM cpdetail)")).toInt(),
              0);
}
