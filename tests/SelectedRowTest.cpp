// Lists keep their selected row through the user's clicks where no row is,
// double-clicks there and Ctrl on the selected row: the windows' commands act
// on "the selected row", the one the user picked.
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include "checkout/FrmJZGL.h"
#include "frontdesk/FrmFT.h"
#include "frontdesk/FrmFTSZ.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/FrmYD.h"
#include "frontdesk/FrmYDEDIT.h"
#include "frontdesk/FrmYDGL.h"
#include "frontdesk/TableMasterDialogs.h"
#include "ordering/FrmDCKT.h"
#include "stockin/FrmRKGL.h"
#include "stockin/FrmSPDASELECT.h"
#include "stockin/StockInDialogs.h"
#include "stockout/FrmCKGL.h"
#include "stockout/StockOutDialogs.h"
#include "tests/StockFixture.h"

void PrintTo(ListGesture g, std::ostream* os) { *os << gestureName(g); }

namespace {

// Three rows in a list of each kind, each on a window of its own.
struct ListOnScreen {
    QStringList rows{"甲", "乙", "丙"};
    struct Rows : RowSource {
        const QStringList* rows = nullptr;
        int rowCount() const override { return int(rows->size()); }
        QString cell(int row, int) const override { return rows->at(row); }
    } source;
    // Declared after the rows it shows, so it goes before them.
    QWidget window;
    ListView* list = nullptr;
    ModelListView* model = nullptr;

    explicit ListOnScreen(int kind)
    {
        window.resize(400, 300);
        auto* layout = new QVBoxLayout(&window);
        if (kind == 2) {
            model = new ModelListView(&window);
            model->addColumn(QStringLiteral("名称"), 1500);
            source.rows = &rows;
            model->setSource(&source);
            layout->addWidget(model);
        } else {
            list = new ListView(&window);
            list->addColumn(QStringLiteral("名称"), 1500);
            for (const QString& r : rows)
                list->add(r);
            list->setView(kind == 0 ? ListView::Report : ListView::Icon);
            layout->addWidget(list);
        }
        window.show();
        QCoreApplication::processEvents();
    }
    int selected() const { return list ? list->selectedRow() : model->selectedRow(); }
    QAbstractItemView* view() { return list ? shownView(list) : model; }
    void click(int row) { list ? clickRow(list, row) : clickRow(model, row); }
    void perform(ListGesture g) { list ? ::perform(g, list) : ::perform(g, model); }
    void select(int row) { list ? list->select(row) : model->select(row); }
    QObject* control() { return list ? static_cast<QObject*>(list) : static_cast<QObject*>(model); }
};

} // namespace

// Every kind of list (report view, icon view, the list of many rows) under
// every gesture: the picked row stays selected and highlighted, and nothing
// tells the window the selection moved. A click on another row still selects
// it, and the program itself may still clear the selection.
TEST(SelectedRow, NoGestureOfTheUserLeavesAListWithoutItsSelectedRow)
{
    const char* kinds[] = {"report view", "icon view", "model list"};
    for (int kind = 0; kind < 3; ++kind) {
        for (ListGesture g : EveryListGesture) {
            SCOPED_TRACE(std::string(kinds[kind]) + ", " + gestureName(g));
            ListOnScreen s(kind);
            s.click(1);
            ASSERT_EQ(s.selected(), 1);
            QSignalSpy changed(s.control(), SIGNAL(selectionChanged(int)));
            QSignalSpy clicked(s.control(), SIGNAL(itemClick(int)));
            s.perform(g);
            EXPECT_EQ(s.selected(), 1);
            EXPECT_TRUE(s.view()->selectionModel()->isRowSelected(1, QModelIndex()));
            EXPECT_EQ(changed.count(), 0);

            // Another row: selected, reported, then clicked.
            changed.clear();
            s.click(2);
            EXPECT_EQ(s.selected(), 2);
            ASSERT_EQ(changed.count(), 1);
            EXPECT_EQ(changed[0][0].toInt(), 2);
            EXPECT_EQ(clicked.count(), g == ListGesture::CtrlClickOnSelectedRow ? 2 : 1);
            EXPECT_EQ(clicked.last()[0].toInt(), 2);

            // Cleared by the program, the list stays so under a blank click.
            s.select(-1);
            EXPECT_EQ(s.selected(), -1);
            s.perform(ListGesture::ClickWhereNoRowIs);
            EXPECT_EQ(s.selected(), -1);
        }
    }
}

namespace {

// The windows whose commands act on a list's selected row, each after the
// gesture of the case on that list.
class KeptSelection : public StockTest, public ::testing::WithParamInterface<ListGesture> {
protected:
    void SetUp() override
    {
        StockTest::SetUp();
        addStaff(QStringLiteral("E1"), QStringLiteral("张三"));
        addGoodsOfTwoClasses();
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('01', '大厅'), ('02', '包间')"));
        sql(QStringLiteral("INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts, fbz) "
                           "VALUES ('101', '大厅1', 4, '四人台', '01', 'C', 'C', ''), "
                           "('102', '大厅2', 4, '四人台', '01', 'A', 'C', ''), "
                           "('201', '牡丹厅', 8, '八人台', '02', 'C', 'C', '')"));
    }
    ListGesture gesture() const { return GetParam(); }
    template <class W> W& shown()
    {
        W& w = Forms::get<W>();
        w.show();
        processEvents();
        return w;
    }
};

} // namespace

// The board: the panel still describes the picked table, 结帐 checks out its
// seating, and a double-click where no row is opens the ordering window for it.
TEST_P(KeptSelection, TheBoardActsOnThePickedTable)
{
    const QString seating = QStringLiteral("20261210090000");
    sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, strink_num, serv_name, "
                       "cust_name, house_class, sts) VALUES (?, '102', '2026-12-10 09:00:00', 2, '张三', '张三', '大厅', 'A')"),
        {seating});
    QStringList opened;   // the seatings the ordering window opened on
    Forms::onModal(QStringLiteral("FrmDCKT"), [&](Form& f) { opened << static_cast<FrmDCKT&>(f).TxtXTBH->text(); });
    QString checkedOut;
    Forms::onModal(QStringLiteral("FrmJZGL"), [&](Form& f) {
        auto& j = static_cast<FrmJZGL&>(f);
        checkedOut = j.TxtFTBM->text();
        j.Command8->click();
    });
    FrmSYGL& b = shown<FrmSYGL>();
    const int row = 1;
    ASSERT_EQ(b.ListView1->subItem(row, FrmSYGL::ColTableId), QStringLiteral("102"));
    clickRow(b.ListView1, row);

    perform(gesture(), b.ListView1);
    processEvents();
    EXPECT_EQ(b.ListView1->selectedRow(), row);
    EXPECT_EQ(b.ListView2->text(0), QStringLiteral("编    号：102"));
    // The double-click of the case opened the ordering window for the table.
    EXPECT_EQ(opened, gesture() == ListGesture::DoubleClickWhereNoRowIs ? QStringList{seating} : QStringList{});

    MessageSeam::clear();
    b.Toolbar1->click(7);
    EXPECT_EQ(checkedOut, QStringLiteral("102"));
    EXPECT_EQ(messages(), QStringList{});

    // Where no row is, a double-click acts on the selected row.
    opened.clear();
    perform(ListGesture::DoubleClickWhereNoRowIs, b.ListView1);
    EXPECT_EQ(opened, QStringList{seating});
    EXPECT_EQ(messages(), QStringList{});
}

// A board whose rows the program left unselected opens no window for no table.
TEST_F(KeptSelection, TheBoardOpensNothingForNoTable)
{
    FrmSYGL& b = shown<FrmSYGL>();
    b.ListView1->select(-1);
    Forms::scriptModals();
    perform(ListGesture::DoubleClickWhereNoRowIs, b.ListView1);
    EXPECT_TRUE(Forms::modalShows().empty());
    EXPECT_EQ(messages(), QStringList{});
}

// The stock-out bills: the bill picked stays the one whose lines are shown,
// and 修改明细 on its line offers the stock on hand and saves.
TEST_P(KeptSelection, AStockOutLineOfThePickedBillIsEditedAndSaved)
{
    addOutBill(QStringLiteral("C1"), QDate(2026, 12, 9));
    addOutBill(QStringLiteral("C2"), QDate(2026, 12, 9));
    addOutLine(QStringLiteral("C1"), QStringLiteral("1002"), 1, 4);
    addOutLine(QStringLiteral("C2"), QStringLiteral("1001"), 2, 2.5);
    setCounter(QStringLiteral("1001"), 162, 2, 405);
    setCounter(QStringLiteral("1002"), 10, 1, 40);
    FrmCKGL& w = shown<FrmCKGL>();
    const int bill = rowOf(w.ListView2, QStringLiteral("C2"));
    ASSERT_GT(bill, 0);   // not the row a reload selects
    clickRow(w.ListView2, bill);
    clickRow(w.ListView1, 0);

    perform(gesture(), w.ListView2);
    EXPECT_EQ(w.ListView2->selectedRow(), bill);
    ASSERT_EQ(column(w.ListView1, 0), QStringList{"1001"});

    MessageSeam::clear();
    QString onHand;
    onDialog<FrmCKMXEDIT>([&](FrmCKMXEDIT& d) {
        onHand = d.TxtDQKC->text();
        retypeKeys(d.TxtSL, QStringLiteral("3"));
        d.Save->click();
    });
    w.Command2->click();
    EXPECT_EQ(onHand, QStringLiteral("162"));   // 160 on hand and the line's 2
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功！")});
    EXPECT_EQ(value(QStringLiteral("SELECT num FROM ckgl2004 WHERE stock_bill_id = 'C2'")).toDouble(), 3.0);
    EXPECT_EQ(value(QStringLiteral("SELECT cks FROM store WHERE code = '1001'")).toDouble(), 3.0);
}

// The reservation manager: 房台 shows the table of the picked reservation,
// and 修改 opens it.
TEST_P(KeptSelection, TheReservationManagerShowsThePickedReservation)
{
    for (const char* t : {"101", "102"})
        sql(QStringLiteral("INSERT INTO pre_strink (pre_strink_id, pre_man, pre_date, endtime, fbc, pre_house, bmid) "
                           "VALUES (1, ?, ?, '2026-12-11 18:00:00', '晚班', ?, '01')"),
            {QStringLiteral("客") + QString::fromLatin1(t), QStringLiteral("2026-12-01 10:00:0") + QChar(t[2]),
             QString::fromLatin1(t)});
    FrmYDGL& m = shown<FrmYDGL>();
    ASSERT_EQ(m.ListView1->count(), 2);
    const int row = 1;
    ASSERT_EQ(m.ListView1->text(row), QStringLiteral("客102"));
    clickRow(m.ListView1, row);

    perform(gesture(), m.ListView1);
    EXPECT_EQ(m.ListView1->selectedRow(), row);

    MessageSeam::clear();
    QStringList tables;
    Forms::onModal(QStringLiteral("FrmFT"), [&](Form& f) {
        ListView* l = static_cast<FrmFT&>(f).ListView1;
        for (int r = 0; r < l->count(); ++r)
            tables << l->text(r);
    });
    m.Toolbar1->click(5);
    EXPECT_EQ(tables, QStringList{"102"});
    QString booker;
    Forms::onModal(QStringLiteral("FrmYDEDIT"), [&](Form& f) { booker = static_cast<FrmYDEDIT&>(f).TxtYDR->text(); });
    m.Toolbar1->click(2);
    EXPECT_EQ(booker, QStringLiteral("客102"));
    EXPECT_EQ(messages(), QStringList{});
}

// Table setup: 修改 edits the picked type.
TEST_P(KeptSelection, TableSetupEditsThePickedType)
{
    FrmFTSZ& w = shown<FrmFTSZ>();
    ASSERT_EQ(column(w.ListView1, 0), (QStringList{"01", "02"}));
    clickRow(w.ListView1, 1);

    perform(gesture(), w.ListView1);
    EXPECT_EQ(w.ListView1->selectedRow(), 1);

    MessageSeam::clear();
    QString code, name;
    onDialog<Frmbmedit>([&](Frmbmedit& d) {
        code = d.Text1->text();
        name = d.Text2->text();
    });
    w.Toolbar1->click(2);
    EXPECT_EQ(code, QStringLiteral("02"));
    EXPECT_EQ(name, QStringLiteral("包间"));
    EXPECT_EQ(messages(), QStringList{});
}

// A goods picker: 选择 takes the picked goods.
TEST_P(KeptSelection, TheGoodsPickerTakesThePickedGoods)
{
    addInBill(QStringLiteral("R1"), QDate(2026, 12, 9));
    FrmRKGL& w = shown<FrmRKGL>();
    MessageSeam::clear();
    QString chosen;
    onDialog<FrmRKMXADD>([&](FrmRKMXADD& d) {
        onDialog<FrmSPDASELECT>([&](FrmSPDASELECT& p) {
            const int row = rowOf(p.ListView1, QStringLiteral("1002"));
            ASSERT_GT(row, 0);
            clickRow(p.ListView1, row);
            perform(gesture(), p.ListView1);
            EXPECT_EQ(p.ListView1->selectedRow(), row);
            p.Command1->click();
        });
        d.Command1->click();
        chosen = d.TxtSPBM->text();
    });
    w.Command1->click();
    EXPECT_EQ(chosen, QStringLiteral("1002"));
    EXPECT_EQ(messages(), QStringList{});
}

// The reservation tree keeps the picked table highlighted through every
// stray gesture, checked after each one (a Ctrl+click on a node a blank
// click had left unselected would select it again and hide the loss), and
// 预订 books that table.
TEST_F(KeptSelection, TheReservationTreeKeepsThePickedTable)
{
    FrmYDGL& m = shown<FrmYDGL>();
    clickNode(m.TreeView1, QStringLiteral("S201"));
    const QTreeWidgetItem* picked = m.TreeView1->node(QStringLiteral("S201"));
    for (ListGesture g : EveryListGesture) {
        SCOPED_TRACE(gestureName(g));
        perform(g, m.TreeView1);
        EXPECT_EQ(m.TreeView1->selectedKey(), QStringLiteral("S201"));
        EXPECT_EQ(m.TreeView1->selectedItems(), QList<QTreeWidgetItem*>{const_cast<QTreeWidgetItem*>(picked)});
    }
    Forms::onModal(QStringLiteral("FrmYD"), [&](Form& f) {
        auto& d = static_cast<FrmYD&>(f);
        typeKeys(d.TxtYDR, QStringLiteral("张三"));
        typeKeys(d.TxtLXDH, QStringLiteral("13800138000"));
        typeKeys(d.TxtDCRS, QStringLiteral("6"));
        d.CmdYD->click();
    });
    m.Toolbar1->click(1);
    EXPECT_EQ(messages(), QStringList{});
    EXPECT_EQ(value(QStringLiteral("SELECT group_concat(pre_house) FROM pre_strink")).toString(), QStringLiteral("201"));
}

// Home and End in a list of many rows go to the first and the last bill, as
// in every other list, and the bill's lines follow as they do for Up and
// Down; the list does not scroll sideways.
TEST_F(KeptSelection, HomeAndEndGoToTheFirstAndTheLastBill)
{
    for (const char* bill : {"C1", "C2", "C3"})
        addOutBill(QString::fromLatin1(bill), QDate(2026, 12, 9));
    addOutLine(QStringLiteral("C1"), QStringLiteral("1002"), 1, 4);
    addOutLine(QStringLiteral("C3"), QStringLiteral("1001"), 2, 2.5);
    const QMap<QString, QStringList> lines{{"C1", {"1002"}}, {"C2", {}}, {"C3", {"1001"}}};
    FrmCKGL& w = shown<FrmCKGL>();
    ASSERT_EQ(w.ListView2->count(), 3);
    clickRow(w.ListView2, 1);
    const int shownColumn = w.ListView2->currentIndex().column();
    const struct { const char* name; Qt::Key key; int row; } steps[] = {
        {"End", Qt::Key_End, 2}, {"Home", Qt::Key_Home, 0}, {"Down", Qt::Key_Down, 1},
        {"End", Qt::Key_End, 2}, {"Up", Qt::Key_Up, 1},       {"Home", Qt::Key_Home, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        QTest::keyClick(w.ListView2, step.key);
        ASSERT_EQ(w.ListView2->selectedRow(), step.row);
        EXPECT_EQ(column(w.ListView1, 0), lines.value(w.ListView2->text(step.row)));
        EXPECT_EQ(w.ListView2->currentIndex().column(), shownColumn);
    }
}

INSTANTIATE_TEST_SUITE_P(Gestures, KeptSelection,
                         ::testing::Values(ListGesture::ClickWhereNoRowIs, ListGesture::DoubleClickWhereNoRowIs,
                                           ListGesture::CtrlClickOnSelectedRow),
                         [](const ::testing::TestParamInfo<ListGesture>& info) { return std::string(gestureName(info.param)); });
