#pragma once
// Builders for the ordering tests: a floor of tables in every state, staff,
// a small menu, stored lines and stock counters, and the ordering window
// opened from the board as a user opens it.
#include <QTest>
#include "ordering/FrmDCKT.h"
#include "ordering/SeatingForm.h"
#include "shell/Module1.h"
#include "tests/BoardFixture.h"

class OrderingFixture : public BoardFixture {
protected:
    // Now in these tests: 1 May 2026, half past noon.
    const QDateTime Now{QDate(2026, 5, 1), QTime(12, 30, 0)};

    void SetUp() override
    {
        BoardFixture::SetUp();
        Clock::fix(Now);
        openDb();
    }

    void employee(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES (?, ?, '1')"), {code, name});
    }
    void category(const QString& code, const QString& name, const QString& parent)
    {
        sql(QStringLiteral("INSERT INTO cpclass (code, cname, parentcode) VALUES (?, ?, ?)"), {code, name, parent});
    }
    void dish(const QString& code, const QString& name, const QString& classId, double price,
              const QVariant& status = QVariant(), const QVariant& goods = QVariant(),
              const QString& spell = QString(), const QString& unit = QStringLiteral("份"),
              const QString& dept = QStringLiteral("热菜间"))
    {
        sql(QStringLiteral("INSERT INTO cpdetail (code, cpname, spellcode, cp_classid, cp_type, base_price, cp_danwei, "
                           "cp_price, cp_part, cp_status, cp_spgl, cp_glbl) VALUES (?, ?, ?, ?, ?, ?, 1, ?, ?, ?, ?, ?)"),
            {code, name, spell, classId, unit, price, price, dept, status, goods,
             goods.isNull() ? QVariant() : QVariant(1)});
    }
    void param(const QString& name, const QVariant& value)
    {
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = ?"), {name});
        sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE) VALUES (?, ?)"), {name, value});
    }
    void counter(const QString& code, double rks, double cks, double zje, const QVariant& ckje = QVariant())
    {
        sql(QStringLiteral("INSERT INTO store (code, ckh, rks, cks, zje, ckje, yearmonth) VALUES (?, '综合库', ?, ?, ?, ?, '202604')"),
            {code, rks, cks, zje, ckje});
    }
    // A stored order line with the columns the ordering window shows.
    void storedLine(const QString& seatingId, int fsxh, const QString& code, const QString& name, double price,
                    double num, const QString& kind = QStringLiteral("0"), const QVariant& state = 0,
                    const QVariant& memo = QStringLiteral(""), const QString& settled = QStringLiteral("0"))
    {
        sql(QStringLiteral("INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, unit, "
                           "food_num, price, send_addr, state, STS, account_sts, memo, bill_time) "
                           "VALUES (?, ?, ?, ?, ?, '份', ?, ?, '热菜间', ?, ?, ?, ?, '2026-05-01 12:10:00')"),
            {seatingId + code, seatingId, fsxh, code, name, num, price, state, kind, settled, memo});
    }

    // The floor most tests use: every table state, three employees and a
    // small menu. Seatings: 103 in use (opened 12:00), 104 continued and 105
    // settled, both settled seatings.
    void standardFloor()
    {
        type(QStringLiteral("01"), QStringLiteral("大厅"));
        type(QStringLiteral("02"), QStringLiteral("包间"));
        table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("C"));
        table(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("B"));
        table(QStringLiteral("103"), QStringLiteral("大厅3"), QStringLiteral("01"), QStringLiteral("A"));
        table(QStringLiteral("104"), QStringLiteral("大厅4"), QStringLiteral("01"), QStringLiteral("E"));
        table(QStringLiteral("105"), QStringLiteral("大厅5"), QStringLiteral("01"), QStringLiteral("D"));
        table(QStringLiteral("201"), QStringLiteral("牡丹厅"), QStringLiteral("02"), QStringLiteral("C"));
        employee(QStringLiteral("001"), QStringLiteral("张丽"));
        employee(QStringLiteral("002"), QStringLiteral("王强"));
        employee(QStringLiteral("003"), QStringLiteral("李娜"));
        category(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
        category(QStringLiteral("101"), QStringLiteral("川菜"), QStringLiteral("1"));
        category(QStringLiteral("102"), QStringLiteral("粤菜"), QStringLiteral("1"));
        category(QStringLiteral("2"), QStringLiteral("凉菜"), QStringLiteral("0"));
        category(QStringLiteral("201"), QStringLiteral("凉拌"), QStringLiteral("2"));
        dish(QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101"), 38, {}, {}, QStringLiteral("GBJD"));
        dish(QStringLiteral("2"), QStringLiteral("水煮牛肉"), QStringLiteral("101"), 48, {}, {}, QStringLiteral("SZNR"));
        dish(QStringLiteral("3"), QStringLiteral("白切鸡"), QStringLiteral("102"), 45, QStringLiteral("1"));
        dish(QStringLiteral("4"), QStringLiteral("叉烧"), QStringLiteral("102"), 42, QStringLiteral(" 1 "));
        dish(QStringLiteral("5"), QStringLiteral("拍黄瓜"), QStringLiteral("201"), 12.5, QStringLiteral(""), {},
             QStringLiteral("PHG"));
        dish(QStringLiteral("6"), QStringLiteral("招牌菜"), QStringLiteral("1"), 88);
        inUse = seatAt(QStringLiteral("103"), QStringLiteral("2026-05-01 12:00:00"), 4, QStringLiteral("A"));
        continued = seatAt(QStringLiteral("104"), QStringLiteral("2026-05-01 11:00:00"), 2, QStringLiteral("D"));
        settled = seatAt(QStringLiteral("105"), QStringLiteral("2026-05-01 10:00:00"), 3, QStringLiteral("D"));
    }

    // A seating with every column the ordering windows read.
    QString seatAt(const QString& tableId, const QString& start, int diners, const QString& sts,
                   const QString& waiter = QStringLiteral("王强"), const QString& taker = QStringLiteral("李娜"))
    {
        const QString id = seat(tableId, start, diners, sts, waiter, taker);
        sql(QStringLiteral("UPDATE use_table_200505 SET serv_code = '002', cust_code = '003', strink_def = '中班', "
                           "memo = '靠窗', acc_date = substr(use_table_id, 1, 8), use_table_man_id = '', "
                           "end_date = CASE WHEN sts = 'D' THEN '2026-05-01 12:20:00' END WHERE use_table_id = ?"),
            {id});
        return id;
    }

    // Scripts the shows of a window: fn runs in it while it is open.
    template <class Window> static void onWindow(const std::function<void(Window&)>& fn)
    {
        Forms::onModal(QString::fromLatin1(Window::staticMetaObject.className()),
                       [fn](Form& f) { fn(static_cast<Window&>(f)); });
    }

    // Opens the ordering window for a table as the board's double-click
    // does, and runs fn while it is open.
    void openOrdering(const QString& tableId, const std::function<void(FrmDCKT&)>& fn)
    {
        FrmSYGL& b = board();
        const int row = rowOf(tableId);
        ASSERT_GE(row, 0) << qPrintable(tableId);
        onWindow<FrmDCKT>(fn);
        doubleClickRow(b.ListView1, row);
    }
    // Opens the ordering window for a table, brings up one of its dialogs
    // with open (nothing: the dialog that comes by itself), runs fn in the
    // dialog and then after in the window.
    template <class Dialog>
    void openDialog(const QString& tableId, const std::function<void(FrmDCKT&)>& open,
                    const std::function<void(Dialog&)>& fn, const std::function<void(FrmDCKT&)>& after)
    {
        onWindow<Dialog>(fn);
        openOrdering(tableId, [&](FrmDCKT& w) {
            if (open)
                open(w);
            if (after)
                after(w);
        });
    }

    // The cells of a line of the ordering window, "|"-joined from the entry text on.
    static QString lineText(const FrmDCKT& w, int row)
    {
        QStringList cells{w.ListView1->text(row)};
        for (int c = 1; c <= 10; ++c)
            cells << w.ListView1->subItem(row, c);
        return cells.join(u'|');
    }
    static QStringList linesOf(const FrmDCKT& w)
    {
        QStringList out;
        for (int r = 0; r < w.ListView1->count(); ++r)
            out << lineText(w, r);
        return out;
    }

    // The usual floor with the linked drinks, and a cashier logged in.
    void drinksFloor()
    {
        standardFloor();
        linkedDrinks();
        Module1::OperatorCode = QStringLiteral("SYSTEM");
    }
    // Drinks linked to goods: 可乐 (6, goods 1001) and 青岛啤酒 (12.5, goods 1002).
    void linkedDrinks()
    {
        category(QStringLiteral("3"), QStringLiteral("酒水"), QStringLiteral("0"));
        category(QStringLiteral("301"), QStringLiteral("饮料"), QStringLiteral("3"));
        dish(QStringLiteral("8"), QStringLiteral("可乐"), QStringLiteral("301"), 6, {}, QStringLiteral("1001"),
             QStringLiteral("KL"), QStringLiteral("听"), QStringLiteral("吧台"));
        dish(QStringLiteral("9"), QStringLiteral("青岛啤酒"), QStringLiteral("301"), 12.5, {}, QStringLiteral("1002"),
             QStringLiteral("QDPJ"), QStringLiteral("瓶"), QStringLiteral("吧台"));
    }

    // As a user: types the dish's code, takes the first hit with Enter,
    // types the quantity and presses Enter.
    static void order(FrmDCKT& w, const QString& code, int quantity)
    {
        w.Text1->setText(code);
        QTest::keyClick(w.Text1, Qt::Key_Return);
        w.TxtSL->setText(QString::number(quantity));
        QTest::keyClick(w.TxtSL, Qt::Key_Return);
    }
    // Fills a seating dialog's diners, waiter and order taker (entry indexes,
    // -1 for none), presses its first button and returns what it said.
    static QStringList submitSeating(SeatingForm& d, const QString& diners, int waiter, int taker)
    {
        MessageSeam::clear();
        d.TxtJCRS->setText(diners);
        d.CmbFWY->setCurrentIndex(waiter);
        d.CmbDCY->setCurrentIndex(taker);
        d.Command1->click();
        return MessageSeam::texts();
    }
    // Places the order with button 4, answering Yes to the confirmation.
    static void place(FrmDCKT& w)
    {
        MessageSeam::answer(Msg::Yes);
        w.Toolbar1->click(FrmDCKT::BtnPlace);
    }

    // The stored lines of a seating, one text per row in fsxh order.
    QStringList storedLines(const QString& seatingId)
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT fsxh, food_code, food_name, unit, food_num, price, send_addr, state, STS, account_sts, "
                               "memo, strink_mess_id FROM strink_mess_200505 WHERE use_table_id = ? ORDER BY fsxh, rowid"),
                {seatingId});
        QStringList out;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            QStringList cells;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const QVariant v = rs.field(i);
                cells << (v.isNull() ? QStringLiteral("~")
                          : v.typeId() == QMetaType::Double ? Money::fromVariant(v).plain() : v.toString());
            }
            cells[11] = cells[11] == seatingId + cells[1] ? QStringLiteral("id") : cells[11];
            out << cells.join(u'|');
        }
        return out;
    }
    // Every stock bill with its line, and the counters, as text.
    QStringList stock()
    {
        QStringList out;
        for (const char* q : {"SELECT 'out ' || b.stock_bill_id || '|' || b.demo || '|' || l.code || '|' || printf('%g', l.num) "
                              "|| '|' || printf('%g', l.price) FROM stock_out_bill b "
                              "LEFT JOIN ckgl2004 l ON l.stock_bill_id = b.stock_bill_id ORDER BY b.rowid",
                              "SELECT 'in ' || b.stock_bill_id || '|' || b.demo || '|' || l.code || '|' || printf('%g', l.num) "
                              "|| '|' || printf('%g', l.price) || '|' || printf('%g', l.je) FROM stock_in_bill b "
                              "LEFT JOIN rkgl2004 l ON l.stock_bill_id = b.stock_bill_id ORDER BY b.rowid",
                              "SELECT 'store ' || code || '|' || printf('%g', rks) || '|' || printf('%g', cks) || '|' || "
                              "printf('%g', zje) || '|' || CASE WHEN ckje IS NULL THEN '~' ELSE printf('%g', ckje) END "
                              "FROM store ORDER BY code"}) {
            Recordset rs;
            rs.open(QString::fromUtf8(q));
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
                out << rs.field(0).toString();
        }
        return out;
    }

    // Another till working on the same database file.
    void onOtherTill(const QString& statement, const QVariantList& params = {})
    {
        if (!m_otherTill)
            m_otherTill = std::make_unique<OtherTill>(dbPath());
        m_otherTill->exec(statement, params);
    }
    void TearDown() override
    {
        m_otherTill.reset();
        BoardFixture::TearDown();
    }

    std::unique_ptr<OtherTill> m_otherTill;
    QString inUse, continued, settled;
};

// The ordering tests on the usual floor.
class FloorFixture : public OrderingFixture {
protected:
    void SetUp() override
    {
        OrderingFixture::SetUp();
        standardFloor();
    }
};
