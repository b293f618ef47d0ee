// Reservations: the manager with its tree and list, new and changed
// reservations, cancel, the table popup, reception sheets and the query.
#include <QTest>
#include <ctime>
#include "db/DateTimeText.h"
#include "frontdesk/FrmCX.h"
#include "frontdesk/FrmFT.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/FrmYD.h"
#include "frontdesk/FrmYDEDIT.h"
#include "frontdesk/FrmYDGL.h"
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "platform/KeyFilters.h"
#include "tests/TestSupport.h"

namespace {

// Types text into a field key by key, as a user would (any characters).
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Now in these tests: the evening of 10 March 2026.
const QDateTime Now(QDate(2026, 3, 10), QTime(19, 0, 0));

struct Reservation {
    QString booker;
    QString table;
    QString meal;                         // endtime
    QString entered = QStringLiteral("2026-03-01 10:00:00");   // pre_date
    QString shift = QStringLiteral("晚班");
    QString type = QStringLiteral("01");  // bmid
};

class ReservationTest : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        Clock::fix(Now);
        openDb();
    }

    void addType(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES (?, ?)"), {code, name});
    }
    void addTable(const QString& id, const QString& name, const QString& type, const QString& sts = QStringLiteral("C"))
    {
        sql(QStringLiteral("INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts) "
                           "VALUES (?, ?, 4, '四人台', ?, 'C', ?)"),
            {id, name, type, sts});
    }
    // The usual floor: a hall with two tables and a room type with one.
    void addFloor()
    {
        addType(QStringLiteral("01"), QStringLiteral("大厅"));
        addType(QStringLiteral("02"), QStringLiteral("包间"));
        addTable(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"));
        addTable(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"));
        addTable(QStringLiteral("201"), QStringLiteral("牡丹厅"), QStringLiteral("02"));
    }
    qint64 reserve(const Reservation& r)
    {
        sql(QStringLiteral("INSERT INTO pre_strink (pre_strink_id, pre_man, pre_man_num, phone, pre_date, endtime, fbc, "
                           "paymoney, fbz, pre_house, bmid, serials) VALUES (1, ?, '4', '13800000000', ?, ?, ?, 100, '靠窗', ?, ?, '20260301100000')"),
            {r.booker, r.entered, r.meal, r.shift, r.table, r.type});
        return value(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    }
    QString sts(const QString& table)
    {
        return value(QStringLiteral("SELECT sts FROM house_table WHERE table_id = ?"), {table}).toString();
    }
    FrmYDGL& manager() { return Forms::get<FrmYDGL>(); }
    QStringList bookers()
    {
        QStringList out;
        for (int r = 0; r < manager().ListView1->count(); ++r)
            out << manager().ListView1->text(r);
        return out;
    }
    int rowOf(const QString& booker)
    {
        for (int r = 0; r < manager().ListView1->count(); ++r)
            if (manager().ListView1->text(r) == booker)
                return r;
        return -1;
    }
};

} // namespace

TEST_F(ReservationTest, TreeListColumnsAndToolbar)
{
    addFloor();
    addType(QStringLiteral("03"), QStringLiteral("雅座"));   // a type without tables
    FrmYDGL& m = manager();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("预定管理"));
    ASSERT_EQ(m.TreeView1->topLevelItemCount(), 3);
    EXPECT_EQ(m.TreeView1->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(m.TreeView1->topLevelItem(2)->childCount(), 0);
    EXPECT_EQ(m.TreeView1->selectedKey(), QStringLiteral("F01"));
    EXPECT_EQ(m.TreeView1->node(QStringLiteral("S201"))->text(0), QStringLiteral("牡丹厅"));
    EXPECT_TRUE(m.TreeView1->node(QStringLiteral("S201"))->parent()->isExpanded());

    const struct { const char* caption; int width; } columns[] = {
        {"预定人", 800},    {"登记时间", 0}, {"用餐时间", 1800}, {"用餐班次", 1000},
        {"预定人数", 1000}, {"联系电话", 1000}, {"押金", 705},  {"服务员", 0},
        {"预定房台", 1000}, {"预定台数", 0}, {"备注", 1500},
    };
    ASSERT_EQ(m.ListView1->columnCount(), 11);
    for (int c = 0; c < 11; ++c) {
        EXPECT_EQ(m.ListView1->columnCaption(c), QString::fromUtf8(columns[c].caption));
        // 700 twips is the nearest whole pixel, 705.
        EXPECT_NEAR(m.ListView1->columnWidthTwips(c), columns[c].width, 15) << c;
    }
    const QStringList captions{"预订", "修改", "取消", "查询", "房台", "接待单", "打印", "帮助", "退出"};
    ASSERT_EQ(m.Toolbar1->buttonCount(), 9);
    for (int b = 1; b <= 9; ++b) {
        EXPECT_EQ(m.Toolbar1->caption(b), captions[b - 1]);
        EXPECT_EQ(m.Toolbar1->buttonVisible(b), b != 7 && b != 8) << b;
    }
    // An empty list turns off change, cancel, table and reception sheet.
    for (int b : {2, 3, 5, 6})
        EXPECT_FALSE(m.Toolbar1->buttonEnabled(b)) << b;
    reserve({QStringLiteral("王"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    m.ListView1Detail();
    for (int b : {2, 3, 5, 6})
        EXPECT_TRUE(m.Toolbar1->buttonEnabled(b)) << b;
    EXPECT_TRUE(Forms::isRegistered(QStringLiteral("FrmYDGL")));
}

TEST_F(ReservationTest, LoadListsCurrentReservationsAndClearsStaleMarks)
{
    addFloor();
    sql(QStringLiteral("UPDATE house_table SET sts = 'B'"));
    // 101: only past meals; 102: lunch today, listed and kept;
    // 201: a meal at exactly midnight today, listed but it keeps no mark.
    reserve({QStringLiteral("旧"), QStringLiteral("101"), QStringLiteral("2026-03-09 23:59:59")});
    reserve({QStringLiteral("甲"), QStringLiteral("102"), QStringLiteral("2026-03-12 18:00:00")});
    reserve({QStringLiteral("乙"), QStringLiteral("102"), QStringLiteral("2026-03-10 12:00:00")});
    reserve({QStringLiteral("丙"), QStringLiteral("201"), QStringLiteral("2026-03-10 00:00:00"),
             QStringLiteral("2026-03-01 10:00:00"), QStringLiteral("晚班"), QStringLiteral("02")});

    FrmYDGL& m = manager();
    EXPECT_EQ(sts(QStringLiteral("101")), QStringLiteral("C"));
    EXPECT_EQ(sts(QStringLiteral("102")), QStringLiteral("B"));
    EXPECT_EQ(sts(QStringLiteral("201")), QStringLiteral("C"));

    // The first type: its reservations in entry order.
    EXPECT_EQ(bookers(), (QStringList{QStringLiteral("甲"), QStringLiteral("乙")}));
    clickNode(m.TreeView1, QStringLiteral("S102"));
    EXPECT_EQ(bookers(), (QStringList{QStringLiteral("乙"), QStringLiteral("甲")}));
    clickNode(m.TreeView1, QStringLiteral("S101"));
    EXPECT_TRUE(bookers().isEmpty());
    clickNode(m.TreeView1, QStringLiteral("F02"));
    EXPECT_EQ(bookers(), QStringList{QStringLiteral("丙")});

    // Every cell of a row, the hidden entry time included.
    clickNode(m.TreeView1, QStringLiteral("S102"));
    const QStringList cells{"乙", "2026-03-01 10:00:00", "2026-03-10 12:00:00", "晚班", "4", "13800000000",
                            "100", "", "大厅2", "1", "靠窗"};
    for (int c = 1; c < 11; ++c)
        EXPECT_EQ(m.ListView1->subItem(0, c), cells[c]) << c;
    EXPECT_EQ(m.ListView1->selectedRow(), 0);
}

TEST_F(ReservationTest, ReservationOfADeletedTableShowsAnEmptyName)
{
    addFloor();
    reserve({QStringLiteral("孤"), QStringLiteral("109"), QStringLiteral("2026-03-11 18:00:00")});
    FrmYDGL& m = manager();
    ASSERT_EQ(bookers(), QStringList{QStringLiteral("孤")});
    EXPECT_EQ(m.ListView1->subItem(0, 8), QString());
    // The query lists it the same way.
    Forms::onModal(QStringLiteral("FrmCX"), [](Form& f) {
        auto& q = static_cast<FrmCX&>(f);
        q.DTPicker2->setDate(QDate(2026, 3, 11));
        q.Text1->setText(QStringLiteral("孤"));
        q.CmdCX->click();
    });
    m.Toolbar1->click(4);
    ASSERT_EQ(bookers(), QStringList{QStringLiteral("孤")});
    EXPECT_EQ(m.ListView1->subItem(0, 8), QString());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ReservationTest, NewReservationChecksFieldsAndMarksTheTable)
{
    addFloor();
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S102"));
    bool shown = false;
    Forms::onModal(QStringLiteral("FrmYD"), [&](Form& f) {
        shown = true;
        auto& d = static_cast<FrmYD&>(f);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("预定"));
        EXPECT_EQ(d.TxtDJSJ->text(), QStringLiteral("2026-03-10"));
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("早班"));
        EXPECT_EQ(d.DTPicker1->date(), Now.date());
        EXPECT_EQ(d.DTPicker2->time(), Now.time());
        EXPECT_EQ(MaxLengthOf(d.TxtYDR), 5);
        EXPECT_EQ(MaxLengthOf(d.TxtLXDH), 11);
        EXPECT_EQ(MaxLengthOf(d.TxtDCRS), 6);
        EXPECT_EQ(MaxLengthOf(d.TxtYJ), 6);
        EXPECT_EQ(MaxLengthOf(d.TxtBZ), 50);
        EXPECT_EQ(d.defaultButton, d.CmdYD);
        EXPECT_EQ(d.cancelButton, d.CmdXZ);

        // Required fields in order, the focus on the missing one.
        const struct { QLineEdit* fill; const char* text; const char* message; QLineEdit* focus; } steps[] = {
            {nullptr, "", "请输入预定人", d.TxtYDR},
            {d.TxtYDR, "张三", "请输入联系电话", d.TxtLXDH},
            {d.TxtLXDH, "1380013800a", "请输入订餐人数", d.TxtDCRS},
        };
        for (const auto& s : steps) {
            if (s.fill)
                typeText(s.fill, QString::fromUtf8(s.text));
            MessageSeam::clear();
            d.CmdYD->click();
            EXPECT_EQ(messages(), QStringList{QString::fromUtf8(s.message)});
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(d.focusWidget(), s.focus);
        }
        EXPECT_EQ(d.TxtLXDH->text(), QStringLiteral("1380013800"));   // the letter was kept out
        typeText(d.TxtDCRS, QStringLiteral("6x"));
        EXPECT_EQ(d.TxtDCRS->text(), QStringLiteral("6"));
        d.Combo1->setCurrentIndex(2);
        d.DTPicker1->setDate(QDate(2026, 3, 11));
        d.DTPicker2->setTime(QTime(18, 30, 5));
        typeText(d.TxtBZ, QStringLiteral("生日"));
        MessageSeam::clear();
        d.CmdYD->click();
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_FALSE(Forms::isLoaded<FrmYD>());
    });
    m.Toolbar1->click(1);
    ASSERT_TRUE(shown);

    Recordset rs;
    rs.openTable(QStringLiteral("pre_strink"));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.text(QStringLiteral("pre_man")), QStringLiteral("张三"));
    EXPECT_EQ(rs.text(QStringLiteral("phone")), QStringLiteral("1380013800"));
    EXPECT_EQ(rs.text(QStringLiteral("pre_man_num")), QStringLiteral("6"));
    EXPECT_EQ(rs.field(QStringLiteral("paymoney")).toDouble(), 0.0);
    EXPECT_FALSE(rs.field(QStringLiteral("paymoney")).isNull());
    EXPECT_EQ(rs.text(QStringLiteral("endtime")), QStringLiteral("2026-03-11 18:30:05"));
    EXPECT_EQ(rs.text(QStringLiteral("pre_date")), QStringLiteral("2026-03-10 19:00:00"));
    EXPECT_EQ(rs.text(QStringLiteral("serials")), QStringLiteral("20260310190000"));
    EXPECT_EQ(rs.text(QStringLiteral("fbc")), QStringLiteral("晚班"));
    EXPECT_EQ(rs.text(QStringLiteral("fbz")), QStringLiteral("生日"));
    EXPECT_EQ(rs.text(QStringLiteral("pre_house")), QStringLiteral("102"));
    EXPECT_EQ(rs.text(QStringLiteral("bmid")), QStringLiteral("01"));
    EXPECT_EQ(rs.field(QStringLiteral("pre_strink_id")).toInt(), 1);
    EXPECT_EQ(sts(QStringLiteral("102")), QStringLiteral("B"));
    EXPECT_EQ(bookers(), QStringList{QStringLiteral("张三")});
}

TEST_F(ReservationTest, NewReservationRefusals)
{
    addFloor();
    FrmYDGL& m = manager();
    // A type node.
    m.Toolbar1->click(1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("房台类型不可预定,请选择具体的房台！")});
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_TRUE(Forms::modalShows().empty());

    // A table with two current reservations: the question lists both.
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    reserve({QStringLiteral("乙"), QStringLiteral("101"), QStringLiteral("2026-03-12 12:00:00")});
    clickNode(m.TreeView1, QStringLiteral("S101"));
    MessageSeam::clear();
    MessageSeam::answer(Msg::No);
    m.Toolbar1->click(1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral(
        "[大厅1]以被预订,预订时间分别为:\r\n[1] 2026-03-12 12:00:00\r\n[2] 2026-03-11 18:00:00\r\n"
        "再次预订可能会发生冲突,请问是否继续预订？")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::YesNo));
    EXPECT_EQ(lastMessage().icon, int(Msg::Question));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_TRUE(Forms::modalShows().empty());
    MessageSeam::answer(Msg::Yes);
    m.Toolbar1->click(1);
    EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("FrmYD")});
}

TEST_F(ReservationTest, PastDateIsRefusedOnLeavingAndOnSaving)
{
    addFloor();
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    Forms::onModal(QStringLiteral("FrmYD"), [&](Form& f) {
        auto& d = static_cast<FrmYD&>(f);
        d.TxtYDR->setText(QStringLiteral("张三"));
        d.TxtLXDH->setText(QStringLiteral("138"));
        d.TxtDCRS->setText(QStringLiteral("2"));
        // Enter while the date picker has the focus.
        d.DTPicker1->setDate(QDate(2026, 3, 9));
        d.DTPicker1->setFocus();
        QTest::keyClick(d.DTPicker1, Qt::Key_Return);
        EXPECT_EQ(messages(), QStringList{QStringLiteral("时间有误")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(d.DTPicker1->date(), Now.date());
        EXPECT_EQ(count(QStringLiteral("pre_strink")), 0);
        EXPECT_TRUE(Forms::isLoaded<FrmYD>());
        // Leaving the field with a past date; today itself passes.
        MessageSeam::clear();
        d.DTPicker1->setDate(QDate(2025, 12, 31));
        d.activateWindow();
        d.DTPicker1->setFocus();
        processEvents();
        d.TxtDCRS->setFocus();   // the user moves on to the next field
        processEvents();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("时间有误")});
        EXPECT_EQ(d.DTPicker1->date(), Now.date());
        MessageSeam::clear();
        d.DTPicker1_LostFocus();
        EXPECT_TRUE(messages().isEmpty());
        // Esc closes the dialog; a past date left in the field says nothing then.
        d.DTPicker1->setDate(QDate(2026, 3, 1));
        d.DTPicker1->setFocus();
        QTest::keyClick(d.DTPicker1, Qt::Key_Escape);
        EXPECT_FALSE(Forms::isLoaded<FrmYD>());
        EXPECT_TRUE(messages().isEmpty());
    });
    m.Toolbar1->click(1);
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 0);
}

TEST_F(ReservationTest, GuestsAndDepositMustBeNonNegativeNumbers)
{
    addFloor();
    const qint64 id = reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    const QString guestsMsg = QStringLiteral("订餐人数必须是不小于0的整数");
    const QString depositMsg = QStringLiteral("押金必须是不小于0的数字");
    const struct { bool edit; const char* guests; const char* deposit; QString message; } cases[] = {
        {false, "1/2", "", guestsMsg},
        {false, "3", "5:0", depositMsg},
        {false, "3", "/", depositMsg},
        {true, "abc", "", guestsMsg},
        {true, "2.5", "10", guestsMsg},
        {true, "   ", "10", guestsMsg},
        {true, "-1", "10", guestsMsg},
        {true, "4", "-5", depositMsg},
        {true, "4", "1:", depositMsg},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        Forms::onModal(c.edit ? QStringLiteral("FrmYDEDIT") : QStringLiteral("FrmYD"), [&](Form& f) {
            auto& d = static_cast<ReservationDialog&>(f);
            d.TxtYDR->setText(QStringLiteral("乙"));
            d.TxtLXDH->setText(QStringLiteral("139"));
            d.TxtDCRS->setText(QString::fromUtf8(c.guests));
            d.TxtYJ->setText(QString::fromUtf8(c.deposit));
            d.CmdYD->click();
            EXPECT_EQ(lastMessage().text, c.message) << c.guests << " " << c.deposit;
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_TRUE(f.isVisible());
        });
        MessageSeam::answer(Msg::Yes);   // the conflict question for a new one
        m.Toolbar1->click(c.edit ? 2 : 1);
    }
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT pre_man FROM pre_strink WHERE reservation_id = ?"), {id}).toString(),
              QStringLiteral("甲"));
}

TEST_F(ReservationTest, CancelTakesExactlyTheSelectedReservation)
{
    addFloor();
    sql(QStringLiteral("UPDATE house_table SET sts = 'B' WHERE table_id = '101'"));
    // Two reservations entered in the same second; the later one is cancelled.
    const qint64 first = reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    const qint64 second = reserve({QStringLiteral("乙"), QStringLiteral("101"), QStringLiteral("2026-03-12 18:00:00")});
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    clickRow(m.ListView1, rowOf(QStringLiteral("乙")));

    MessageSeam::answer(Msg::No);
    m.Toolbar1->click(3);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("是否取消预定?")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::YesNo));
    EXPECT_EQ(lastMessage().icon, int(Msg::Question));
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 2);

    m.Toolbar1->click(3);   // Yes
    EXPECT_EQ(count(QStringLiteral("pre_strink"), QStringLiteral("WHERE reservation_id = ?"), {second}), 0);
    EXPECT_EQ(count(QStringLiteral("pre_strink"), QStringLiteral("WHERE reservation_id = ?"), {first}), 1);
    EXPECT_EQ(sts(QStringLiteral("101")), QStringLiteral("B"));
    EXPECT_EQ(bookers(), QStringList{QStringLiteral("甲")});

    // The last current reservation takes the mark with it.
    m.Toolbar1->click(3);
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 0);
    EXPECT_EQ(sts(QStringLiteral("101")), QStringLiteral("C"));
    EXPECT_FALSE(m.Toolbar1->buttonEnabled(3));
    // With the list empty (a query found nothing) the button's guard answers.
    MessageSeam::clear();
    m.CancelReservation();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有预定信息!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QString());
}

TEST_F(ReservationTest, CancellingAPastReservationKeepsTheMarkOfACurrentOne)
{
    addFloor();
    sql(QStringLiteral("UPDATE house_table SET sts = 'B' WHERE table_id = '101'"));
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-01 18:00:00")});
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    FrmYDGL& m = manager();
    // The query brings the past one into the list.
    Forms::onModal(QStringLiteral("FrmCX"), [](Form& f) {
        auto& q = static_cast<FrmCX&>(f);
        q.DTPicker1->setDate(QDate(2026, 3, 1));
        q.DTPicker2->setDate(QDate(2026, 3, 11));
        q.Text1->setText(QStringLiteral("甲"));
        q.CmdCX->click();
    });
    m.Toolbar1->click(4);
    ASSERT_EQ(m.ListView1->count(), 2);
    clickRow(m.ListView1, m.ListView1->subItem(0, 2).startsWith(QStringLiteral("2026-03-01")) ? 0 : 1);
    m.Toolbar1->click(3);
    EXPECT_EQ(count(QStringLiteral("pre_strink"), QStringLiteral("WHERE endtime < '2026-03-10'")), 0);
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 1);
    EXPECT_EQ(sts(QStringLiteral("101")), QStringLiteral("B"));
}

TEST_F(ReservationTest, EditLoadsTheRowAndSavesToTheSameReservation)
{
    addFloor();
    sql(QStringLiteral("UPDATE house_table SET sts = 'B' WHERE table_id = '101'"));
    // Same entry second; the one to change has its meal at midnight.
    const qint64 other = reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    const qint64 id = reserve({QStringLiteral("乙"), QStringLiteral("101"), QStringLiteral("2026-03-12 00:00:00"),
                               QStringLiteral("2026-03-01 10:00:00"), QStringLiteral("中班")});
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    clickRow(m.ListView1, rowOf(QStringLiteral("乙")));

    Forms::onModal(QStringLiteral("FrmYDEDIT"), [&](Form& f) {
        auto& d = static_cast<FrmYDEDIT&>(f);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("预定休息修改"));
        EXPECT_EQ(d.cancelButton, nullptr);
        EXPECT_EQ(d.CmdYD->text(), QStringLiteral("保存(&S)"));
        EXPECT_EQ(d.TxtYDR->text(), QStringLiteral("乙"));
        EXPECT_EQ(d.TxtLXDH->text(), QStringLiteral("13800000000"));
        EXPECT_EQ(d.TxtDJSJ->text(), QStringLiteral("2026-03-01 10:00:00"));
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("中班"));
        EXPECT_EQ(d.TxtDCRS->text(), QStringLiteral("4"));
        EXPECT_EQ(d.DTPicker1->date(), QDate(2026, 3, 12));
        EXPECT_EQ(d.DTPicker2->time(), QTime(0, 0, 0));
        EXPECT_EQ(d.TxtYJ->text(), QStringLiteral("100"));
        EXPECT_EQ(d.TxtBZ->text(), QStringLiteral("靠窗"));
        d.TxtYDR->setText(QStringLiteral("乙二"));
        d.TxtYJ->clear();
        d.DTPicker2->setTime(QTime(11, 45, 0));
        d.CmdYD->click();
    });
    m.Toolbar1->click(2);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    Recordset rs;
    rs.openTable(QStringLiteral("pre_strink"), QStringLiteral("where reservation_id = ?"), {id});
    ASSERT_FALSE(rs.isEOF());
    EXPECT_EQ(rs.text(QStringLiteral("pre_man")), QStringLiteral("乙二"));
    EXPECT_EQ(rs.text(QStringLiteral("endtime")), QStringLiteral("2026-03-12 11:45:00"));
    EXPECT_EQ(rs.field(QStringLiteral("paymoney")).toDouble(), 0.0);
    EXPECT_EQ(rs.text(QStringLiteral("pre_date")), QStringLiteral("2026-03-10 19:00:00"));
    EXPECT_EQ(rs.text(QStringLiteral("serials")), QStringLiteral("20260310190000"));
    EXPECT_EQ(rs.text(QStringLiteral("pre_house")), QStringLiteral("101"));
    EXPECT_EQ(value(QStringLiteral("SELECT pre_man FROM pre_strink WHERE reservation_id = ?"), {other}).toString(),
              QStringLiteral("甲"));
    // The list shows the new entry time and keeps the row selected.
    const int row = m.ListView1->selectedRow();
    EXPECT_EQ(m.ListView1->text(row), QStringLiteral("乙二"));
    EXPECT_EQ(m.ListView1->subItem(row, 1), QStringLiteral("2026-03-10 19:00:00"));

    // A second edit still finds it.
    Clock::fix(Now.addSecs(90));
    MessageSeam::clear();
    Forms::onModal(QStringLiteral("FrmYDEDIT"), [&](Form& f) {
        auto& d = static_cast<FrmYDEDIT&>(f);
        EXPECT_EQ(d.TxtDJSJ->text(), QStringLiteral("2026-03-10 19:00:00"));
        d.TxtBZ->setText(QStringLiteral("改"));
        d.CmdYD->click();
    });
    m.Toolbar1->click(2);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(value(QStringLiteral("SELECT fbz || '|' || pre_date FROM pre_strink WHERE reservation_id = ?"), {id}).toString(),
              QStringLiteral("改|2026-03-10 19:01:30"));
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 2);
    EXPECT_EQ(sts(QStringLiteral("101")), QStringLiteral("B"));
}

TEST_F(ReservationTest, ReceptionSheetPrintsEveryListedReservation)
{
    addFloor();
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    reserve({QStringLiteral("乙"), QStringLiteral("102"), QStringLiteral("2026-03-12 12:00:00"),
             QStringLiteral("2026-03-01 10:00:00"), QStringLiteral("中班")});
    FrmYDGL& m = manager();

    // No printer: the check says so and nothing is printed.
    m.Toolbar1->click(6);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("系统没有安装打印机，请在[控制面板]中安装打印机！")});
    EXPECT_TRUE(printer->documents.empty());
    EXPECT_TRUE(printer->current.empty());

    Printers::script({QStringLiteral(" "), QStringLiteral("Office")});
    MessageSeam::clear();
    m.Toolbar1->click(6);
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_EQ(printer->documents.size(), 1u);
    const auto& doc = printer->documents[0];
    const QString rule(42, u'=');
    QStringList expected{QStringLiteral("迎宾接待单"), rule};
    for (const QStringList& r : {QStringList{"甲", "2026-03-11 18:00:00", "晚班", "大厅1"},
                                 QStringList{"乙", "2026-03-12 12:00:00", "中班", "大厅2"}}) {
        expected << QStringLiteral("预 订 人：") + r[0] << QStringLiteral("用餐时间：") + r[1]
                 << QStringLiteral("用餐班次：") + r[2] << QStringLiteral("用餐人数：4")
                 << QStringLiteral("联系电话：13800000000") << QStringLiteral("押    金：100")
                 << QStringLiteral("预订房台：") + r[3] << QStringLiteral("备    注：靠窗") << QString();
    }
    expected << rule << QStringLiteral("打印日期：2026-03-10");
    QStringList printed;
    for (const PrintedLine& l : doc) {
        printed << l.text;
        EXPECT_FALSE(l.bold);
        EXPECT_EQ(l.fontSize, l.text == QStringLiteral("迎宾接待单") ? 12.0 : 10.0) << qPrintable(l.text);
    }
    EXPECT_EQ(printed, expected);
}

TEST_F(ReservationTest, QuerySelectsBookerShiftAndWholeDays)
{
    addFloor();
    const struct { const char* booker; const char* meal; const char* shift; } rows[] = {
        {"王小明", "2026-03-01 00:00:00", "晚班"},   // first day at midnight: in
        {"王小明", "2026-03-03 23:59:59", "中班"},   // last day's last second: in
        {"王小明", "2026-03-04 00:00:00", "晚班"},   // the day after: out
        {"王小明", "2026-02-28 23:59:59", "晚班"},   // the day before: out
        {"李四", "2026-03-02 12:00:00", "晚班"},     // another booker: out
        {"王小明", "2026-03-02 12:00:00", nullptr},  // no shift: out of "所有班次"
        {"王小明小五", "2026-03-02 18:00:00", "晚班"}, // a booker of five characters
    };
    for (const auto& r : rows) {
        sql(QStringLiteral("INSERT INTO pre_strink (pre_man, endtime, fbc, pre_house, pre_date) VALUES (?, ?, ?, '101', '2026-02-01 09:00:00')"),
            {QString::fromUtf8(r.booker), QString::fromUtf8(r.meal), r.shift ? QVariant(QString::fromUtf8(r.shift)) : QVariant()});
    }
    FrmYDGL& m = manager();
    const struct { const char* booker; const char* shift; QStringList meals; } cases[] = {
        {"王小明", "所有班次", {"2026-03-03 23:59:59", "2026-03-01 00:00:00"}},
        {" 王小明 ", "晚班", {"2026-03-01 00:00:00"}},
        {"王小明", "中班", {"2026-03-03 23:59:59"}},
        {"王小明小五", "所有班次", {"2026-03-02 18:00:00"}},
        {"", "所有班次", {}},
    };
    for (const auto& c : cases) {
        Forms::onModal(QStringLiteral("FrmCX"), [&](Form& f) {
            auto& q = static_cast<FrmCX&>(f);
            EXPECT_EQ(q.Combo1->currentText(), QStringLiteral("所有班次"));
            EXPECT_EQ(q.DTPicker1->date(), Now.date());
            EXPECT_EQ(q.DTPicker2->date(), Now.date());
            q.DTPicker1->setDate(QDate(2026, 3, 1));
            q.DTPicker2->setDate(QDate(2026, 3, 3));
            typeText(q.Text1, QString::fromUtf8(c.booker));
            q.Combo1->setCurrentText(QString::fromUtf8(c.shift));
            QTest::keyClick(q.Text1, Qt::Key_Return);   // Enter runs the query
            EXPECT_FALSE(Forms::isLoaded<FrmCX>());
        });
        m.Toolbar1->click(4);
        QStringList meals;
        for (int r = 0; r < m.ListView1->count(); ++r)
            meals << m.ListView1->subItem(r, 2);
        EXPECT_EQ(meals, c.meals) << c.booker << " " << c.shift;
        EXPECT_EQ(m.ListView1->subItem(0, 8), c.meals.isEmpty() ? QString() : QStringLiteral("大厅1"));
    }
    // Cancel leaves the list as it was.
    Forms::onModal(QStringLiteral("FrmCX"), [](Form& f) {
        QTest::keyClick(static_cast<FrmCX&>(f).Text1, Qt::Key_Escape);
        EXPECT_FALSE(Forms::isLoaded<FrmCX>());
    });
    m.Toolbar1->click(4);
    EXPECT_EQ(m.ListView1->count(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ReservationTest, EmptyTreeGuardsAndExitReloadsTheBoard)
{
    FrmYDGL& m = manager();
    EXPECT_EQ(m.TreeView1->nodeCount(), 0);
    const struct { int button; const char* message; int icon; const char* title; } cases[] = {
        {1, "没有任何可选择的房台!", Msg::Information, "信息提示"},
        {2, "没有任何可选择的房台!", Msg::Information, "信息提示"},
        {3, "没有任何可选择的房台!", Msg::Information, "信息提示"},
        {5, "没有预定信息!", Msg::Information, ""},
        {6, "没有任何可打印的接待单!", Msg::Information, "信息提示"},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        m.Toolbar1->click(c.button);   // an empty tree leaves the buttons on
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)}) << c.button;
        EXPECT_EQ(lastMessage().icon, c.icon);
        EXPECT_EQ(lastMessage().title, QString::fromUtf8(c.title));
    }
    EXPECT_TRUE(Forms::modalShows().empty());

    EXPECT_FALSE(Forms::isLoaded<FrmSYGL>());
    m.Toolbar1->click(9);
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmYDGL>());
    // The board is prepared, not shown.
    ASSERT_TRUE(Forms::isLoaded<FrmSYGL>());
    EXPECT_FALSE(Forms::get<FrmSYGL>().isVisible());
}

TEST_F(ReservationTest, TablePopupListsEveryTableOfThatName)
{
    addFloor();
    addTable(QStringLiteral("103"), QStringLiteral("大厅1"), QStringLiteral("02"));
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    bool shown = false;
    Forms::onModal(QStringLiteral("FrmFT"), [&](Form& f) {
        shown = true;
        auto& ft = static_cast<FrmFT&>(f);
        EXPECT_EQ(ft.windowTitle(), QStringLiteral("房台"));
        EXPECT_EQ(ft.ListView1->columnCaption(0), QStringLiteral("编码"));
        EXPECT_EQ(ft.ListView1->columnCaption(1), QStringLiteral("房台名称"));
        ASSERT_EQ(ft.ListView1->count(), 2);
        EXPECT_EQ(ft.ListView1->text(0), QStringLiteral("101"));
        EXPECT_EQ(ft.ListView1->text(1), QStringLiteral("103"));
        EXPECT_EQ(ft.ListView1->subItem(1, 1), QStringLiteral("大厅1"));
        QTest::keyClick(&ft, Qt::Key_Escape);
        EXPECT_FALSE(Forms::isLoaded<FrmFT>());
    });
    m.Toolbar1->click(5);
    EXPECT_TRUE(shown);
}

TEST_F(ReservationTest, AFailedWriteLeavesReservationAndMarkAsTheyWere)
{
    addFloor();
    sql(QStringLiteral("UPDATE house_table SET sts = 'B' WHERE table_id = '101'"));
    const qint64 id = reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S102"));
    sql(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON house_table BEGIN SELECT RAISE(ABORT, 'disk full'); END"));

    // A new reservation whose table cannot be marked is not stored either.
    Forms::onModal(QStringLiteral("FrmYD"), [&](Form& f) {
        auto& d = static_cast<FrmYD&>(f);
        d.TxtYDR->setText(QStringLiteral("乙"));
        d.TxtLXDH->setText(QStringLiteral("139"));
        d.TxtDCRS->setText(QStringLiteral("2"));
        d.CmdYD->click();
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_TRUE(lastMessage().text.contains(QStringLiteral("disk full")));
        EXPECT_TRUE(f.isVisible());
    });
    m.Toolbar1->click(1);
    EXPECT_EQ(count(QStringLiteral("pre_strink")), 1);
    EXPECT_EQ(sts(QStringLiteral("102")), QStringLiteral("C"));

    // A cancel whose mark cannot be cleared keeps the reservation.
    clickNode(m.TreeView1, QStringLiteral("S101"));
    MessageSeam::clear();
    m.Toolbar1->click(3);   // Yes
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(count(QStringLiteral("pre_strink"), QStringLiteral("WHERE reservation_id = ?"), {id}), 1);
    EXPECT_EQ(sts(QStringLiteral("101")), QStringLiteral("B"));
    EXPECT_EQ(bookers(), QStringList{QStringLiteral("甲")});
}

TEST_F(ReservationTest, MealTimeInAnHourSkippedByTheClockIsStoredAsChosen)
{
    // A zone whose clocks skip 02:00-03:00 on 14 March 2027.
    const QByteArray oldTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    addFloor();
    Clock::fix(QDateTime(QDate(2027, 3, 10), QTime(19, 0, 0)));
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    Forms::onModal(QStringLiteral("FrmYD"), [&](Form& f) {
        auto& d = static_cast<FrmYD&>(f);
        d.TxtYDR->setText(QStringLiteral("乙"));
        d.TxtLXDH->setText(QStringLiteral("139"));
        d.TxtDCRS->setText(QStringLiteral("2"));
        d.DTPicker1->setDate(QDate(2027, 3, 14));
        d.DTPicker2->setTime(QTime(2, 30, 0));
        d.CmdYD->click();
    });
    m.Toolbar1->click(1);
    const QString stored = value(QStringLiteral("SELECT endtime FROM pre_strink")).toString();
    if (hadTz)
        qputenv("TZ", oldTz);
    else
        qunsetenv("TZ");
    tzset();
    EXPECT_EQ(stored, QStringLiteral("2027-03-14 02:30:00"));
}

TEST_F(ReservationTest, QueryAndTablePopupOpenBesideTheMainWindow)
{
    addFloor();
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    Form& main = *Forms::find(QStringLiteral("FrmMain"));
    main.move(300, 120);
    const QPoint beside(300 + Twips::toPixels(1650), 120 + Twips::toPixels(350));
    EXPECT_EQ(Forms::get<FrmCX>().pos(), beside);
    FrmYDGL& m = manager();
    clickNode(m.TreeView1, QStringLiteral("S101"));
    QPoint popupAt;
    Forms::onModal(QStringLiteral("FrmFT"), [&](Form& f) { popupAt = f.pos(); });
    m.Toolbar1->click(5);
    EXPECT_EQ(popupAt, beside);
}

TEST_F(ReservationTest, Screenshots)
{
    addFloor();
    reserve({QStringLiteral("甲"), QStringLiteral("101"), QStringLiteral("2026-03-11 18:00:00")});
    screenshot(&manager(), QStringLiteral("reservation-manager"));
    screenshot(&Forms::get<FrmYD>(), QStringLiteral("reservation-new"));
    screenshot(&Forms::get<FrmCX>(), QStringLiteral("reservation-query"));
    clickNode(manager().TreeView1, QStringLiteral("S101"));
    screenshot(&Forms::get<FrmYDEDIT>(), QStringLiteral("reservation-edit"));
    Forms::onModal(QStringLiteral("FrmFT"), [&](Form& f) { screenshot(&f, QStringLiteral("reservation-table")); });
    manager().Toolbar1->click(5);
}

TEST_F(ReservationTest, MainWindowOpensTheManager)
{
    addFloor();
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool shown = false;
    Forms::onModal(QStringLiteral("FrmYDGL"), [&](Form& f) {
        shown = true;
        EXPECT_EQ(static_cast<FrmYDGL&>(f).TreeView1->topLevelItemCount(), 2);
    });
    Forms::get<FrmMain>().CmdYDGL->click();
    EXPECT_TRUE(shown);
}
