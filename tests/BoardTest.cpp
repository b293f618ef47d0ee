// The board of tables: rows, words, pictures, panels, toolbar, clearing a table.
#include <QTest>
#include <QTreeView>
#include "frontdesk/FrmSYGL.h"
#include "platform/Twips.h"
#include "shell/Module1.h"
#include "tests/BoardFixture.h"

namespace {
const QString N = QStringLiteral("没有任何可供选择的房台!");
const QString OnlySettled = QStringLiteral("只有“结帐”状态下才能清台");

QStringList column(ListView* l, int c)
{
    QStringList out;
    for (int r = 0; r < l->count(); ++r)
        out << (c == 0 ? l->text(r) : l->subItem(r, c));
    return out;
}
} // namespace

// One table per state, type codes compared as text, an orphan table.
class BoardRows : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        type(QStringLiteral("2"), QStringLiteral("雅座"));
        type(QStringLiteral("10"), QStringLiteral("包间"));
        type(QStringLiteral("1"), QStringLiteral("大厅"));
        table(QStringLiteral("22"), QStringLiteral("雅2"), QStringLiteral("2"), QStringLiteral("P"));
        table(QStringLiteral("21"), QStringLiteral("雅1"), QStringLiteral("2"), QStringLiteral("E"));
        table(QStringLiteral("23"), QStringLiteral("雅3"), QStringLiteral("2"), QStringLiteral("X"));
        table(QStringLiteral("102"), QStringLiteral("包2"), QStringLiteral("10"), QStringLiteral("D"));
        table(QStringLiteral("101"), QStringLiteral(" 包1 "), QStringLiteral("10"), QStringLiteral("C"), QVariant(),
              QStringLiteral(" 十人台 "));
        table(QStringLiteral("13"), QStringLiteral("厅3"), QStringLiteral("1"), QStringLiteral("C"), QStringLiteral("C"));
        table(QStringLiteral("12"), QStringLiteral("厅2"), QStringLiteral("1"), QStringLiteral("C"), QStringLiteral("B"));
        table(QStringLiteral("11"), QStringLiteral("厅1"), QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("B"));
        table(QStringLiteral("91"), QStringLiteral("孤台"), QStringLiteral("9"), QStringLiteral("A"));

        seat(QStringLiteral("11"), QStringLiteral("2026-05-01 11:30:05"), 3);
        seat(QStringLiteral("13"), QStringLiteral("2026-04-30 18:00:00"), 6, QStringLiteral("P"));   // cleared
        seat(QStringLiteral("102"), QStringLiteral("2026-05-01 10:00:00"), 2, QStringLiteral("D"), QStringLiteral("张丽"),
             QStringLiteral("赵敏"));
        seat(QStringLiteral("21"), QStringLiteral("2026-05-01 09:15:59"), 5, QStringLiteral("D"));
        seat(QStringLiteral("91"), QStringLiteral("2026-05-01 09:00:00"), 7);
        reservation(QStringLiteral("12"), QStringLiteral("2026-05-02 18:30:00"));
        reservation(QStringLiteral("12"), QStringLiteral("2026-05-01 12:00:00"));
        reservation(QStringLiteral("22"), QStringLiteral("2020-01-01 19:00:00"));   // a past one shows too
    }
};

TEST_F(BoardRows, RowsWordsPicturesColumnsAndStatistics)
{
    FrmSYGL& w = board();
    ListView* l = w.ListView1;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("收银管理"));

    // Columns: captions, widths, the hidden table id, centring.
    const QStringList captions = {"状态/名称", "状态说明", "规格", "房台编号", "房台类型", "客人人数", "开台时间", "服务员", "点菜员"};
    const int widths[] = {1300, 1000, 650, 0, 1000, 900, 1800, 1000, 1000};
    ASSERT_EQ(l->columnCount(), 9);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(l->columnCaption(c), captions[c]);
        EXPECT_NEAR(l->columnWidthTwips(c), widths[c], 15) << c;
    }
    EXPECT_TRUE(l->columnHidden(3));
    EXPECT_TRUE(l->model()->horizontalHeaderItem(6)->textAlignment() & Qt::AlignHCenter);

    // Types 1, 10, 2 in text order; the orphan and the unknown state are absent.
    EXPECT_EQ(column(l, 3), (QStringList{"11", "12", "13", "101", "102", "21", "22"}));
    EXPECT_EQ(column(l, 0), (QStringList{"厅1", "厅2", "厅3", "包1", "包2", "雅1", "雅2"}));
    EXPECT_EQ(column(l, 1), (QStringList{"在用", "预订", "空闲", "空闲", "结帐", "续单", "禁用"}));
    EXPECT_EQ(column(l, 4), (QStringList{"大厅", "大厅", "大厅", "包间", "包间", "雅座", "雅座"}));
    EXPECT_EQ(l->subItem(3, 2), QStringLiteral("十人台"));
    EXPECT_EQ(column(l, 5), (QStringList{"3", "0", "0", "0", "2", "5", "0"}));
    EXPECT_EQ(column(l, 6), (QStringList{"2026-05-01 11:30:05", "2026-05-02 18:30:00", "", "", "2026-05-01 10:00:00",
                                         "2026-05-01 09:15:59", "2020-01-01 19:00:00"}));
    EXPECT_EQ(column(l, 7), (QStringList{"王强", "", "", "", "张丽", "王强", ""}));
    EXPECT_EQ(column(l, 8), (QStringList{"李娜", "", "", "", "赵敏", "李娜", ""}));
    const int pictures[] = {3, 2, 1, 1, 4, 5, 6};
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(l->iconIndex(r), pictures[r]) << r;
        EXPECT_EQ(l->smallIconIndex(r), pictures[r]) << r;
    }
    // The open time converts back to the stored value and to the seating id.
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM use_table_200505 WHERE house_table_id = ? AND start_date = ?"),
                    {l->subItem(4, 3), l->subItem(4, 6)}).toInt(), 1);
    EXPECT_EQ(DateTimeText::toId(DateTimeText::parse(l->subItem(0, 6))), QStringLiteral("20260501113005"));

    // Statistics: the unknown state counts in the total only.
    EXPECT_EQ(column(w.ListView4, 0),
              (QStringList{"房 台  总 数：  8", "空闲房台总数：  2", "预订房台总数：  1", "在用房台总数：  1",
                           "结帐房台总数：  1", "续单房台总数：  1", "禁用房台总数：  1", "客 人  总 数：  10"}));
    const int marks[] = {0, 1, 2, 3, 4, 5, 6, 0};
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(w.ListView4->smallIconIndex(r), marks[r]) << r;
    EXPECT_EQ(w.ListView4->columnCaption(0), QStringLiteral("       统计信息"));
    EXPECT_EQ(w.ListView2->columnCaption(0), QStringLiteral("       房台信息"));
    EXPECT_EQ(w.ListView1->selectedRow(), 0);

    // The six tiles and marks are six different pictures.
    for (int i = 1; i <= 6; ++i) {
        EXPECT_FALSE(w.ImageList5.icon(i).isNull());
        EXPECT_EQ(w.ImageList5.icon(i).availableSizes().value(0), QSize(60, 60));
        EXPECT_FALSE(w.ImageList4.icon(i).isNull());
    }
}

TEST_F(BoardRows, ToolbarButtonsAndViewSwitch)
{
    FrmSYGL& w = board();
    const QStringList captions = {"显示", "查询", "预订", "选台", "转台", "并台", "结帐", "清台", "帮助", "退出"};
    ASSERT_EQ(w.Toolbar1->buttonCount(), 10);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(w.Toolbar1->caption(i), captions[i - 1]);
        EXPECT_EQ(w.Toolbar1->buttonVisible(i), i != 2 && i != 4 && i != 9) << i;
    }
    const QImage report = screenshot(&w, QStringLiteral("board-report"));
    w.Toolbar1->click(1);
    EXPECT_EQ(w.ListView1->view(), ListView::Icon);
    EXPECT_EQ(w.ListView1->shownPicture(0).cacheKey(), w.ImageList5.icon(3).cacheKey());
    const QImage icons = screenshot(&w, QStringLiteral("board-icons"));
    EXPECT_NE(report, icons);
    w.Toolbar1->click(1);
    EXPECT_EQ(w.ListView1->view(), ListView::Report);
    EXPECT_EQ(w.ListView1->shownPicture(0).cacheKey(), w.ImageList4.icon(3).cacheKey());

    // 2 and 9 do nothing; 10 closes the board.
    w.Toolbar1_ButtonClick(2);
    w.Toolbar1_ButtonClick(9);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(Forms::modalShows().empty());
    w.Toolbar1->click(10);
    EXPECT_FALSE(Forms::isLoaded<FrmSYGL>());
}

TEST_F(BoardRows, DoubleClickAndCheckoutOpenTheirWindowsForTheCurrentTable)
{
    FrmSYGL& w = board();
    struct Seen { bool select, transfer, merge; QString table, word; };
    std::vector<Seen> seen;
    auto record = [&](Form&) {
        seen.push_back({Module1::SelectTableMode, Module1::TransferTableMode, Module1::MergeTableMode,
                        w.current(FrmSYGL::ColTableId), w.current(FrmSYGL::ColState)});
    };
    Forms::onModal(QStringLiteral("FrmDCKT"), record);
    Forms::onModal(QStringLiteral("FrmJZGL"), record);

    Module1::SelectTableMode = true;
    Module1::TransferTableMode = true;
    Module1::MergeTableMode = true;
    doubleClickRow(w.ListView1, rowOf(QStringLiteral("13")));   // free
    doubleClickRow(w.ListView1, rowOf(QStringLiteral("102")));  // settled
    clickRow(w.ListView1, rowOf(QStringLiteral("21")));
    w.Toolbar1->click(7);                                       // checkout of a continued table
    clickRow(w.ListView1, rowOf(QStringLiteral("11")));
    w.Toolbar1->click(7);
    // A free table's ordering window opens the open-table dialog by itself.
    ASSERT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmKTXX", "FrmDCKT", "FrmJZGL", "FrmJZGL"}));
    EXPECT_TRUE(seen[0].select);   // the double-click keeps the select flag
    EXPECT_FALSE(seen[0].transfer || seen[0].merge);
    EXPECT_EQ(seen[0].table, QStringLiteral("13"));
    EXPECT_EQ(seen[1].word, QStringLiteral("结帐"));
    for (int i : {2, 3})
        EXPECT_FALSE(seen[i].select || seen[i].transfer || seen[i].merge);
    EXPECT_EQ(seen[2].table, QStringLiteral("21"));
    EXPECT_EQ(seen[3].table, QStringLiteral("11"));
    EXPECT_EQ(Forms::getByName(QStringLiteral("FrmDCKT"))->windowTitle(), QStringLiteral("点菜开台"));
    EXPECT_EQ(Forms::getByName(QStringLiteral("FrmJZGL"))->windowTitle(), QStringLiteral("结帐管理"));

    // A double-click below the last row acts on the selected row.
    w.show();
    processEvents();
    clickRow(w.ListView1, rowOf(QStringLiteral("12")));
    QWidget* blank = w.ListView1->reportView()->viewport();
    const QPoint below(blank->width() / 2, blank->height() - 5);
    ASSERT_FALSE(w.ListView1->reportView()->indexAt(below).isValid());
    QTest::mouseDClick(blank, Qt::LeftButton, {}, below);
    ASSERT_EQ(Forms::modalShows().size(), 7u);   // the reserved table's open-table dialog comes too
    EXPECT_EQ(Forms::modalShows()[5], QStringLiteral("FrmDCKT"));
    EXPECT_EQ(seen.back().table, QStringLiteral("12"));

    // The reservation manager opens by name once it is built into the program.
    Forms::clearModalShows();
    w.Toolbar1->click(3);
    EXPECT_EQ(Forms::modalShows().size(), Forms::isRegistered(QStringLiteral("FrmYDGL")) ? 1u : 0u);
}

TEST_F(BoardRows, RefusalsLeaveTheModeFlagsFalse)
{
    FrmSYGL& w = board();
    doubleClickRow(w.ListView1, rowOf(QStringLiteral("22")));
    ASSERT_EQ(messages(), QStringList{QStringLiteral("本台处于禁用状态!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));

    const struct { int button; QString text; } refusals[] = {
        {5, QStringLiteral("只有“在用”或“续单”状态下才能转台")},
        {6, QStringLiteral("只有“在用”或“续单”状态下才能并台")},
        {7, QStringLiteral("只有“在用”或“续单”状态下才能结帐")},
    };
    for (const QString& table : {QStringLiteral("13"), QStringLiteral("12"), QStringLiteral("102"), QStringLiteral("22")}) {
        for (const auto& r : refusals) {
            MessageSeam::clear();
            Module1::SelectTableMode = Module1::TransferTableMode = Module1::MergeTableMode = true;
            clickRow(w.ListView1, rowOf(table));
            w.Toolbar1->click(r.button);
            EXPECT_EQ(messages(), QStringList{r.text}) << qPrintable(table);
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_FALSE(Module1::SelectTableMode || Module1::TransferTableMode || Module1::MergeTableMode);
        }
    }
    EXPECT_TRUE(Forms::modalShows().empty());
}

TEST_F(TabulorTest, EmptyBoardAnswersTheTableButtons)
{
    openDb();
    FrmSYGL& w = Forms::get<FrmSYGL>();
    EXPECT_EQ(w.ListView1->count(), 0);
    EXPECT_EQ(w.ListView4->count(), 0);
    EXPECT_EQ(w.ListView2->count(), 0);
    w.ListView1_Click();
    w.ListView1_DblClick();
    for (int b : {1, 2, 9})
        w.Toolbar1_ButtonClick(b);
    EXPECT_TRUE(messages().isEmpty());
    for (int b = 3; b <= 8; ++b)
        w.Toolbar1_ButtonClick(b);
    ASSERT_EQ(messages(), QStringList(6, N));
    EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_TRUE(Forms::modalShows().empty());
}

TEST_F(BoardFixture, DetailPanelAmountLeavesOutFreeLinesAndSubtractsReturns)
{
    type(QStringLiteral("01"), QStringLiteral("大厅"));
    table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("A"));
    table(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"), QStringLiteral("C"));
    table(QStringLiteral("103"), QStringLiteral("大厅3"), QStringLiteral("01"), QStringLiteral("A"));
    const QString id = seat(QStringLiteral("101"), QStringLiteral("2026-05-01 12:00:00"), 4);
    line(id, 0, 38, 2);                                          // ordered
    line(id, 1, 49.5, 1);                                        // ordered
    line(id, 2, 20, 1, QStringLiteral("2"));                     // free
    line(id, 3, 10, 1, QStringLiteral("0"), QStringLiteral("1")); // settled
    line(id, 4, 10, -1, QStringLiteral("1"));                    // returned
    line(QStringLiteral("20260501120001"), 0, 99, 1);            // another seating
    seat(QStringLiteral("103"), QStringLiteral("2026-05-01 12:30:00"), 2);
    table(QStringLiteral("104"), QStringLiteral("大厅4"), QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("B"));
    reservation(QStringLiteral("104"), QStringLiteral("2026-05-01 12:00:00"));

    FrmSYGL& w = board();
    EXPECT_EQ(column(w.ListView2, 0),
              (QStringList{"编    号：101", "房    台：大厅", "类    别：四人台", "状    态：在用", "就餐人数：4",
                           "开台时间：2026-05-01 12:00:00", "服 务 员：王强", "点 菜 员：李娜", "金    额：125.5元"}));
    clickRow(w.ListView1, 1);
    EXPECT_EQ(column(w.ListView2, 0),
              (QStringList{"编    号：102", "房    台：大厅", "类    别：四人台", "状    态：空闲", "就餐人数：0",
                           "开台时间：", "服 务 员：", "点 菜 员：", "金    额：0元"}));
    clickRow(w.ListView1, 2);
    EXPECT_EQ(w.ListView2->text(8), QStringLiteral("金    额：0元"));

    // A reload selects the first row, and the panel describes it as it is now.
    sql(QStringLiteral("UPDATE use_table_200505 SET strink_num = 9"));
    w.ListView1Detail();
    EXPECT_EQ(w.ListView2->text(0), QStringLiteral("编    号：101"));
    EXPECT_EQ(w.ListView2->text(4), QStringLiteral("就餐人数：9"));
    EXPECT_EQ(w.ListView2->text(8), QStringLiteral("金    额：125.5元"));
    EXPECT_EQ(w.ListView4->text(7), QStringLiteral("客 人  总 数：  18"));

    // A reservation for the very second another table was opened is no seating.
    clickRow(w.ListView1, 3);
    EXPECT_EQ(w.ListView2->text(5), QStringLiteral("开台时间：2026-05-01 12:00:00"));
    EXPECT_EQ(w.ListView2->text(8), QStringLiteral("金    额：0元"));
}

TEST_F(BoardRows, AReadErrorLeavesTheBoardAsItWasAndSaysSo)
{
    FrmSYGL& w = board();
    const QStringList ids = column(w.ListView1, 3);
    const QStringList words = column(w.ListView1, 1);
    const QStringList stats = column(w.ListView4, 0);
    sql(QStringLiteral("INSERT INTO house_table (table_id, house_name, house_bmid, othersts) VALUES ('14', '厅4', '1', 'C')"));
    // The table list, a table's seating, a table's reservations: each read
    // failing part-way.
    const struct { const char* query; int row; } faults[] = {
        {"house_table", 3}, {"use_table_200505", 1}, {"pre_strink", 1},
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(f.query);
        MessageSeam::clear();
        Db::injectReadFault(f.row, QString::fromLatin1(f.query));
        w.ListView1Detail();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Read) + u'\n'));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(column(w.ListView1, 3), ids);
        EXPECT_EQ(column(w.ListView1, 1), words);
        EXPECT_EQ(column(w.ListView4, 0), stats);
    }
    MessageSeam::clear();
    w.ListView1Detail();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(w.ListView1->count(), ids.size() + 1);

    // The detail panel says so too, and shows no amount it could not sum.
    line(QStringLiteral("20260501113005"), 0, 20, 1);
    line(QStringLiteral("20260501113005"), 1, 30, 1);
    ASSERT_EQ(w.ListView1->subItem(0, 3), QStringLiteral("11"));   // in use since 11:30:05
    clickRow(w.ListView1, 0);
    EXPECT_EQ(w.ListView2->text(8), QStringLiteral("金    额：50元"));
    Db::injectReadFault(2, QStringLiteral("strink_mess_200505"));
    clickRow(w.ListView1, 0);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(w.ListView2->text(8), QStringLiteral("金    额："));
}

TEST_F(BoardFixture, BoardPreparedWhileHiddenShowsCurrentRowsWhenOpened)
{
    type(QStringLiteral("01"), QStringLiteral("大厅"));
    table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("C"));
    openDb();
    // Another window reloads the board while it is not on screen.
    Forms::get<FrmSYGL>().ListView1Detail();
    FrmSYGL& w = Forms::get<FrmSYGL>();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ListView1->subItem(0, 1), QStringLiteral("空闲"));

    sql(QStringLiteral("UPDATE house_table SET othersts = 'P'"));
    QString shown;
    Forms::onModal(QStringLiteral("FrmSYGL"), [&](Form&) { shown = w.ListView1->subItem(0, 1); });
    Forms::showModalByName(QStringLiteral("FrmSYGL"));
    EXPECT_EQ(shown, QStringLiteral("禁用"));
}

// Clearing a table, case by case; each case acts on its own table.
class ClearTableCases : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        type(QStringLiteral("01"), QStringLiteral("大厅"));
        struct T { const char* id; const char* state; QVariant mark; } tables[] = {
            {"1", "D", {}}, {"2", "A", {}}, {"3", "A", {}}, {"4", "A", QStringLiteral("B")}, {"5", "E", {}},
            {"6", "E", {}}, {"7", "P", {}}, {"8", "C", {}}, {"9", "C", QStringLiteral("B")}, {"10", "D", {}},
            {"11", "D", {}}, {"12", "A", {}}, {"13", "D", {}},
        };
        for (const T& t : tables)
            table(QString::fromLatin1(t.id), QStringLiteral("台") + QString::fromLatin1(t.id), QStringLiteral("01"),
                  QString::fromLatin1(t.state), t.mark);
        line(seat(QStringLiteral("1"), QStringLiteral("2026-05-01 11:00:00"), 2, QStringLiteral("D")), 0, 10, 1);
        line(seat(QStringLiteral("2"), QStringLiteral("2026-05-01 11:00:01"), 2), 0, 10, 1);
        seat(QStringLiteral("3"), QStringLiteral("2026-05-01 11:00:02"), 2);
        seat(QStringLiteral("4"), QStringLiteral("2026-05-01 11:00:03"), 2);
        // A continued bill: its own lines settled, another table has open lines.
        line(seat(QStringLiteral("5"), QStringLiteral("2026-05-01 11:00:04"), 2, QStringLiteral("D")), 0, 10, 1,
             QStringLiteral("0"), QStringLiteral("1"));
        line(seat(QStringLiteral("6"), QStringLiteral("2026-05-01 11:00:05"), 2, QStringLiteral("D")), 0, 10, 1);
        // Two seatings with one opening time (a database from before seatings
        // had ids of their own): only table 12's own closes.
        seat(QStringLiteral("11"), QStringLiteral("2026-05-01 11:00:06"), 2, QStringLiteral("D"));
        sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, strink_num, sts) "
                           "VALUES ('20260501110006-12', '12', '2026-05-01 11:00:06', 3, 'A')"));
        // Table 10 is settled but has no current seating (only a closed one).
        seat(QStringLiteral("10"), QStringLiteral("2026-04-01 11:00:00"), 2, QStringLiteral("P"));
        // Table 13 is settled with every line on its bill; table 1 got a dish after its checkout.
        line(seat(QStringLiteral("13"), QStringLiteral("2026-05-01 11:00:07"), 2, QStringLiteral("D")), 0, 10, 1,
             QStringLiteral("0"), QStringLiteral("1"));
    }
    QString tableState(const QString& id)
    {
        return value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = ?"), {id}).toString();
    }
    QStringList seatingStates(const QString& id)
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT sts FROM use_table_200505 WHERE house_table_id = ? ORDER BY rowid"), {id});
        QStringList out;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            out << rs.text(QStringLiteral("sts"));
        return out;
    }
};

TEST_F(ClearTableCases, ClearsOnlyWhatMayBeCleared)
{
    FrmSYGL& w = board();
    struct Case {
        const char* table;
        const char* message;   // empty: cleared
        int icon;
        const char* word;      // the word shown afterwards
    } cases[] = {
        {"1", "本桌还有未结帐的菜品，请先续单并结帐！", Msg::Exclamation, "结帐"},   // a line on no bill
        {"13", "", 0, "空闲"},                                 // settled, every line billed
        {"2", "只有“结帐”状态下才能清台", Msg::Exclamation, "在用"},   // unsettled line
        {"3", "", 0, "空闲"},                                  // in use without lines
        {"4", "", 0, "预订"},                                  // the reservation mark stays
        {"5", "", 0, "空闲"},                                  // continued, own lines settled
        {"6", "只有“结帐”状态下才能清台", Msg::Exclamation, "续单"},
        {"7", "禁用状态下不可以清台!", Msg::Information, "禁用"},
        {"8", "只有“结帐”状态下才能清台", Msg::Exclamation, "空闲"},
        {"9", "只有“结帐”状态下才能清台", Msg::Exclamation, "预订"},
        {"10", "只有“结帐”状态下才能清台", Msg::Exclamation, "结帐"}, // no current seating
        {"12", "", 0, "空闲"},
    };
    for (const Case& c : cases) {
        const QString id = QString::fromLatin1(c.table);
        SCOPED_TRACE(c.table);
        MessageSeam::clear();
        const QString before = dump();
        const QStringList otherSeatings = seatingStates(QStringLiteral("11"));
        clickRow(w.ListView1, rowOf(id));
        w.Toolbar1->click(8);
        const QString message = QString::fromUtf8(c.message);
        if (message.isEmpty()) {
            EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
            EXPECT_EQ(tableState(id), QStringLiteral("C"));
            EXPECT_EQ(seatingStates(id).last(), QStringLiteral("P"));
            EXPECT_EQ(seatingStates(QStringLiteral("11")), otherSeatings);
        } else {
            EXPECT_EQ(messages(), QStringList{message});
            EXPECT_EQ(lastMessage().icon, c.icon);
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_EQ(dump(), before);
        }
        EXPECT_EQ(w.ListView1->subItem(rowOf(id), 1), QString::fromUtf8(c.word));
    }
    EXPECT_EQ(tableState(QStringLiteral("11")), QStringLiteral("D"));
}

TEST_F(ClearTableCases, AFailedWriteLeavesTableAndSeatingAsTheyWere)
{
    FrmSYGL& w = board();
    sql(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON use_table_200505 BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const QString before = dump();
    clickRow(w.ListView1, rowOf(QStringLiteral("13")));
    w.ClearTable();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains(QStringLiteral("disk full")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(w.ListView1->subItem(rowOf(QStringLiteral("13")), 1), QStringLiteral("结帐"));
}

TEST_F(TabulorTest, DemoDatabaseShowsALivelyBoard)
{
    const QString demo = tempPath(QStringLiteral("demo.db"));
    Db::buildDatabaseFile(demo, true);
    Db::openShared(demo);
    FrmSYGL& w = Forms::get<FrmSYGL>();
    QMap<QString, int> words;
    for (int r = 0; r < w.ListView1->count(); ++r)
        ++words[w.ListView1->subItem(r, FrmSYGL::ColState)];
    for (const char* word : {"空闲", "预订", "在用", "结帐", "续单", "禁用"})
        EXPECT_GE(words.value(QString::fromUtf8(word)), 1) << word;
    EXPECT_GE(words.value(QStringLiteral("在用")), 2);
    // A table in use shows its seating and what it has ordered so far.
    for (int r = 0; r < w.ListView1->count(); ++r) {
        if (w.ListView1->subItem(r, FrmSYGL::ColState) != u"在用")
            continue;
        clickRow(w.ListView1, r);
        EXPECT_NE(w.ListView1->subItem(r, FrmSYGL::ColOpenTime), QString());
        EXPECT_NE(w.ListView2->text(8), QStringLiteral("金    额：0元"));
    }
    screenshot(&w, QStringLiteral("board-demo"));
}

TEST_F(ClearTableCases, AClearAfterAnotherTillActedOnTheTableIsRefused)
{
    FrmSYGL& w = board();
    struct Case {
        const char* table;
        std::vector<const char*> otherTill;   // what the other till did since the board was read
        const char* word;                     // the board's word afterwards
    } cases[] = {
        // The bill was continued and a dish ordered on it.
        {"1",
         {"UPDATE house_table SET othersts = 'E' WHERE table_id = '1'",
          "INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, price, food_num, STS, account_sts) "
          "VALUES ('n1', '20260501110000', 1, 18, 1, '0', '0')"},
         "续单"},
        // The table was cleared and opened again for new guests.
        {"3",
         {"UPDATE use_table_200505 SET sts = 'P' WHERE house_table_id = '3'",
          "INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, strink_num, sts) "
          "VALUES ('20260501123000', '3', '2026-05-01 12:30:00', 4, 'A')"},
         "在用"},
        // The seating was settled: its table and lines.
        {"2",
         {"UPDATE house_table SET othersts = 'D' WHERE table_id = '2'",
          "UPDATE use_table_200505 SET sts = 'D' WHERE house_table_id = '2'",
          "UPDATE strink_mess_200505 SET account_sts = '1' WHERE use_table_id = '20260501110001'"},
         "结帐"},
        // The table was cleared.
        {"5",
         {"UPDATE house_table SET othersts = 'C' WHERE table_id = '5'",
          "UPDATE use_table_200505 SET sts = 'P' WHERE house_table_id = '5'"},
         "空闲"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const QString id = QString::fromLatin1(c.table);
        clickRow(w.ListView1, rowOf(id));
        {
            OtherTill other(dbPath());
            for (const char* statement : c.otherTill)
                other.exec(QString::fromLatin1(statement));
        }
        const QString afterOtherTill = dump();
        MessageSeam::clear();
        w.Toolbar1->click(8);
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Changed) + u'\n')) << qPrintable(messages()[0]);
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(dump(), afterOtherTill);
        EXPECT_EQ(w.ListView1->subItem(rowOf(id), 1), QString::fromUtf8(c.word));   // the board reloaded
    }
}
