#pragma once
// Builders for the checkout tests: a table in use with its seating and order
// lines, the menu those lines come from, print settings, and the checkout
// window opened from the board as a cashier opens it.
#include <QLineEdit>
#include <QTest>
#include <functional>
#include "checkout/FrmJZGL.h"
#include "print/RawPrintJob.h"
#include "print/TextWidth.h"
#include "shell/Module1.h"
#include "tests/BoardFixture.h"

class CheckoutFixture : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        spooler = &SpoolerSeam::record();
        Printers::script({QStringLiteral("Recorder")});
        Clock::fix(QDateTime(QDate(2026, 5, 1), QTime(12, 45, 30)));
        Module1::OperatorCode = QStringLiteral("001");
        sql(QStringLiteral("INSERT INTO cpclass (code, cname, parentcode) VALUES ('1', '热菜', '0'), ('101', '川菜', '1'), "
                           "('3', '主食酒水', '0'), ('301', '主食', '3'), ('302', '饮料', '3')"));
        dish(QStringLiteral("4"), QStringLiteral("鱼香肉丝"), QStringLiteral("101"), 28);
        dish(QStringLiteral("14"), QStringLiteral("米饭"), QStringLiteral("301"), 2);
        dish(QStringLiteral("16"), QStringLiteral("酸梅汤"), QStringLiteral("302"), 8);
        type(QStringLiteral("01"), QStringLiteral("大厅"));
    }
    void TearDown() override
    {
        TextMeasurer::stopScripting();
        SpoolerSeam::stopScripting();
        BoardFixture::TearDown();
    }

    void dish(const QString& code, const QString& name, const QString& category, double price)
    {
        sql(QStringLiteral("INSERT INTO cpdetail (code, cpname, cp_classid, cp_price) VALUES (?, ?, ?, ?)"),
            {code, name, category, price});
    }
    // One order line; kind 0 ordered, 1 returned, 2 free; settled '1' for a
    // line a former checkout settled.
    void orderLine(const QString& seating, int fsxh, const QString& code, const QString& name, double price, double num,
                   const QString& kind = QStringLiteral("0"), const QString& settled = QStringLiteral("0"))
    {
        sql(QStringLiteral("INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, "
                           "price, food_num, STS, state, account_sts, bill_time) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?)"),
            {seating + QString::number(fsxh), seating, fsxh, code, name, price, num, kind, settled,
             QStringLiteral("2026-05-01 11:40:00")});
    }
    // Table 101 "大厅1" in use with the seating of the acceptance case:
    // 2 × 28 ordered, 1 × 8 free, −1 × 28 returned, and a line a former
    // checkout settled. Its receivable is 28.
    QString tableInUse(const QString& tableId = QStringLiteral("101"), const QString& name = QStringLiteral("大厅1"),
                       const QString& start = QStringLiteral("2026-05-01 11:30:05"))
    {
        table(tableId, name, QStringLiteral("01"), QStringLiteral("A"));
        const QString s = seat(tableId, start, 4);
        orderLine(s, 0, QStringLiteral("16"), QStringLiteral("酸梅汤"), 8, 1, QStringLiteral("2"));
        orderLine(s, 1, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, 2);
        orderLine(s, 2, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, -1, QStringLiteral("1"));
        orderLine(s, 3, QStringLiteral("14"), QStringLiteral("米饭"), 2, 3, QStringLiteral("0"), QStringLiteral("1"));
        return s;
    }
    void printSettings(const QString& printer, const QString& order = QStringLiteral("Class"))
    {
        sql(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES "
                           "(1, 1, 'Tabulor 小馆|电话 010-12345678|欢迎光临', ?), (1, 0, '谢谢惠顾|欢迎再次光临|', ?)"),
            {printer, printer});
        sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS) VALUES ('Orders', ?, '打印排序方式')"),
            {order});
    }

    // Opens the checkout from the board's button 7 on the table's row and runs
    // the cashier's steps while it is open.
    void checkout(const QString& tableId, const std::function<void(FrmJZGL&)>& steps)
    {
        FrmSYGL& b = board();
        b.ListView1Detail();   // the board as it stands now
        clickRow(b.ListView1, rowOf(tableId));
        Forms::onModal(QStringLiteral("FrmJZGL"), [&](Form& f) {
            processEvents();
            steps(static_cast<FrmJZGL&>(f));
        });
        b.Toolbar1->click(7);
    }
    // Types into a box as a cashier does: into the box (the focus selects its
    // text), then the new text over the old.
    static void typeInto(QLineEdit* box, const QString& text)
    {
        box->setFocus(Qt::TabFocusReason);
        processEvents();
        retypeKeys(box, text);
    }
    static void enter(QWidget* w)
    {
        QTest::keyClick(w, Qt::Key_Return);
        processEvents();
    }
    // The usual cashier: waived, Enter, tendered, Enter.
    static void pay(FrmJZGL& w, const QString& waived, const QString& tendered)
    {
        typeInto(w.TxtMSJE, waived);
        enter(w.TxtMSJE);
        typeInto(w.TxtKRFKJE, tendered);
        enter(w.TxtKRFKJE);
    }

    int bills(const QString& seating)
    {
        return count(QStringLiteral("ACCOUNT_200606"), QStringLiteral("WHERE use_table_id = ?"), {seating});
    }

    RecordingSpooler* spooler = nullptr;
};
