// The checkout window and its commit: totals, amounts and their checks,
// payment methods and the member card, the rows written, continued bills,
// two tills, a missing printer and a failing database.
#include <QApplication>
#include <QClipboard>
#include "db/Database.h"
#include "frontdesk/FrmSYGL.h"
#include "ordering/FrmDCKT.h"
#include "tests/CheckoutFixture.h"

namespace {
const QString WaivedWrong = QStringLiteral("免收金额输入有误!");
}

class CheckoutTest : public CheckoutFixture {};

TEST_F(CheckoutTest, OpensOnTheBoardsTableWithTheTotalOfItsOpenLines)
{
    const QString s = tableInUse();
    sql(QStringLiteral("UPDATE use_table_200505 SET use_table_man_id = 'M-7' WHERE use_table_id = ?"), {s});
    bool ran = false;
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        ran = true;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("结帐管理"));
        EXPECT_EQ(w.CheckoutSeatingId, s);
        EXPECT_EQ(w.TxtFTMC->text(), QStringLiteral("大厅1"));
        EXPECT_EQ(w.TxtKTSJ->text(), QStringLiteral("2026-05-01 11:30:05"));
        EXPECT_EQ(w.TxtJCRS->text(), QStringLiteral("4"));
        EXPECT_EQ(w.TxtFTBM->text(), QStringLiteral("101"));
        EXPECT_EQ(w.TxtSGDH->text(), QStringLiteral("M-7"));
        // 2 × 28 − 1 × 28; the free line and the line settled before do not count.
        for (QLabel* l : {w.LblYSJE, w.LblSSJE, w.LblYSJEHJ, w.LblJCXFJE, w.LblJCJEXJ})
            EXPECT_EQ(l->text(), QStringLiteral("28"));
        EXPECT_TRUE(w.Command6->isEnabled());

        QStringList methods;
        for (int i = 0; i < w.CmbFZFS->count(); ++i)
            methods << w.CmbFZFS->itemText(i);
        EXPECT_EQ(methods, (QStringList{"现金", "支票", "信用卡", "其它", "挂帐", "免单"}));
        EXPECT_EQ(w.CmbFZFS->currentText(), QStringLiteral("现金"));
        EXPECT_EQ(w.TxtMSJE->text(), QStringLiteral("0"));
        EXPECT_EQ(w.TxtKRFKJE->text(), QStringLiteral("0"));

        // The waived box has the focus, the tendered box is next in tab order.
        EXPECT_EQ(QApplication::focusWidget(), w.TxtMSJE);
        QTest::keyClick(w.TxtMSJE, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w.TxtKRFKJE);
        // Hidden: the table id, the bill number, 明细. Out of sight but still
        // tab stops: the member card, the other buttons.
        EXPECT_FALSE(w.TxtFTBM->isVisible());
        EXPECT_FALSE(w.TxtSGDH->isVisible());
        EXPECT_FALSE(w.Command4->isVisible());
        const QRect client = w.rect();
        for (QWidget* c : {static_cast<QWidget*>(w.TxtHYKH), static_cast<QWidget*>(w.Command5),
                           static_cast<QWidget*>(w.Command1), static_cast<QWidget*>(w.LblZBJE),
                           static_cast<QWidget*>(w.Picture1)}) {
            EXPECT_TRUE(c->isVisible());
            const QRect shown(c->mapTo(&w, QPoint(0, 0)), c->size());
            EXPECT_FALSE(client.intersects(shown) && c->parentWidget()->rect().intersects(c->geometry()))
                << qPrintable(c->objectName());
        }
        w.Command5->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), w.Command5);
        EXPECT_TRUE(w.TxtHYKH->isReadOnly());
        screenshot(&w, QStringLiteral("checkout"));

        // 发票 only says so; 退出 closes without a write.
        w.Command5->click();
        EXPECT_EQ(lastMessage().text, QStringLiteral("暂时不能打印发票"));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_EQ(lastMessage().icon, Msg::Exclamation);
        w.Command8->click();
    });
    ASSERT_TRUE(ran);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());
    EXPECT_EQ(bills(s), 0);
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE account_sts = '0'")), 3);
}

TEST_F(CheckoutTest, SettlesTheSeatingFromTheBoard)
{
    const QString s = tableInUse();
    sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, sts) "
                       "VALUES ('20260501113005X', '101', '2026-05-01 11:30:05', 'P')"));   // an old, cleared one
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        typeInto(w.TxtMSJE, QStringLiteral("20"));
        enter(w.TxtMSJE);
        EXPECT_EQ(QApplication::focusWidget(), w.TxtKRFKJE);
        EXPECT_EQ(w.LblSSJE->text(), QStringLiteral("8"));
        EXPECT_TRUE(messages().isEmpty());
        typeInto(w.TxtKRFKJE, QStringLiteral("10"));
        enter(w.TxtKRFKJE);
    });
    ASSERT_EQ(messages(), QStringList{QStringLiteral("请找补金额2.00")});
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());

    Recordset pay;
    pay.open(QStringLiteral("SELECT * FROM account_mess_200505"));
    ASSERT_EQ(pay.RecordCount(), 1);
    EXPECT_EQ(pay.text(QStringLiteral("use_table_id")), s);
    EXPECT_EQ(Money::fromVariant(pay.field(QStringLiteral("pay_money"))), Money::parse(QStringLiteral("8")));
    EXPECT_EQ(pay.text(QStringLiteral("pay_sts")), QStringLiteral("0"));
    EXPECT_EQ(pay.text(QStringLiteral("pay_sts_name")), QStringLiteral("现金"));

    Recordset bill;
    bill.open(QStringLiteral("SELECT * FROM ACCOUNT_200606"));
    ASSERT_EQ(bill.RecordCount(), 1);
    EXPECT_EQ(bill.text(QStringLiteral("use_table_id")), s);
    EXPECT_EQ(bill.text(QStringLiteral("account_date")), QStringLiteral("2026-05-01 12:45:30"));
    EXPECT_EQ(bill.text(QStringLiteral("account_man")), QStringLiteral("001"));
    const struct { const char* column; const char* amount; } amounts[] = {
        {"fee_price", "28"}, {"account_price", "8"}, {"no_account_price", "20"}, {"discount_price", "0"}};
    for (const auto& a : amounts)
        EXPECT_EQ(Money::fromVariant(bill.field(QString::fromLatin1(a.column))), Money::parse(QString::fromLatin1(a.amount)))
            << a.column;
    EXPECT_EQ(bill.text(QStringLiteral("discount_rule_id")), QString());
    EXPECT_EQ(bill.text(QStringLiteral("pay_sts")), QStringLiteral("0"));
    const qint64 billId = bill.field(QStringLiteral("account_id")).toLongLong();

    EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '101'")).toString(), QStringLiteral("D"));
    EXPECT_EQ(value(QStringLiteral("SELECT sts || '|' || end_date FROM use_table_200505 WHERE use_table_id = ?"), {s}).toString(),
              QStringLiteral("D|2026-05-01 12:45:30"));
    EXPECT_EQ(value(QStringLiteral("SELECT sts FROM use_table_200505 WHERE use_table_id = '20260501113005X'")).toString(),
              QStringLiteral("P"));
    // The open lines, the free and the returned one included, point at the
    // bill; the line settled before keeps its state.
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE account_sts = '1' AND account_id = ?"), {billId}),
              3);
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE fsxh = 3 AND account_id IS NULL")), 1);

    // The board shows the table settled, and the receipt went to the printer object.
    EXPECT_EQ(board().ListView1->subItem(rowOf(QStringLiteral("101")), FrmSYGL::ColState), QStringLiteral("结帐"));
    EXPECT_EQ(printer->documents.size(), 1u);
}

TEST_F(CheckoutTest, AmountChecksAsACashierMeetsThem)
{
    enum Leave { ByEnter, ByPaying, ByClickingCheckout };
    const struct {
        bool negative;          // returns above orders: receivable −28
        const char* waived;
        const char* tendered;
        Leave leave;
        const char* message;
        const char* title;
        bool written;
        const char* toCollect;  // LblSSJE afterwards
    } cases[] = {
        {false, "", "", ByEnter, "免收金额输入有误!", "提示:", false, "28"},
        {false, "30", "", ByEnter, "免收金额输入有误!", "提示:", false, "28"},
        {true, "5", "", ByEnter, "免收金额输入有误!", "提示:", false, "-28"},
        // The button checks the waived amount itself, box left or not.
        {false, "30", "", ByClickingCheckout, "免收金额输入有误!", "提示:", false, "28"},
        {true, "0", "0", ByPaying, "请找补金额28.00", "提示", true, "-28"},
        {true, "0", "3", ByPaying, "请找补金额31.00", "提示", true, "-28"},
        {false, "20", "", ByPaying, "付款金额输入有误!", "提示:", false, "8"},
        {false, "20", "7.99", ByPaying, "付款金额输入有误", "提示", false, "8"},
        {false, "20", "8", ByPaying, "请找补金额0.00", "提示", true, "8"},
        {false, "28", "0", ByPaying, "请找补金额0.00", "提示", true, "0"},
        {false, "1.2.3", "30", ByPaying, "请找补金额3.20", "提示", true, "26.8"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n);
        const QString t = QString::number(200 + n);
        const QString start = QStringLiteral("2026-05-01 10:%1:00").arg(n, 2, 10, QLatin1Char('0'));
        QString s;
        if (c.negative) {
            table(t, t, QStringLiteral("01"), QStringLiteral("A"));
            s = seat(t, start, 2);
            orderLine(s, 0, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, 1);
            orderLine(s, 1, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, -2, QStringLiteral("1"));
        } else {
            s = tableInUse(t, t, start);
        }
        ++n;
        MessageSeam::clear();
        QWidget* focusAfter = nullptr;
        QLineEdit* expectedFocus = nullptr;
        QString shownToCollect;
        checkout(t, [&](FrmJZGL& w) {
            // Read before acting: paying closes the window.
            expectedFocus = c.leave == ByPaying ? w.TxtKRFKJE : w.TxtMSJE;
            if (c.leave == ByEnter) {
                typeInto(w.TxtMSJE, QString::fromUtf8(c.waived));
                enter(w.TxtMSJE);
            } else if (c.leave == ByClickingCheckout) {
                typeInto(w.TxtMSJE, QString::fromUtf8(c.waived));
                w.Command6->click();
            } else {
                pay(w, QString::fromUtf8(c.waived), QString::fromUtf8(c.tendered));
            }
            processEvents();
            if (Forms::isLoaded<FrmJZGL>()) {
                focusAfter = QApplication::focusWidget();
                shownToCollect = w.LblSSJE->text();
            }
        });
        ASSERT_FALSE(messages().isEmpty());
        EXPECT_EQ(messages().front(), QString::fromUtf8(c.message));
        EXPECT_EQ(MessageSeam::messages().front().title, QString::fromUtf8(c.title));
        EXPECT_EQ(MessageSeam::messages().front().icon, c.written ? Msg::Information : Msg::Exclamation);
        EXPECT_EQ(bills(s), c.written ? 1 : 0);
        EXPECT_EQ(count(QStringLiteral("account_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {s}), c.written ? 1 : 0);
        if (c.written) {
            EXPECT_EQ(Money::fromVariant(value(QStringLiteral("SELECT account_price FROM ACCOUNT_200606 WHERE use_table_id = ?"), {s})),
                      Money::parse(QString::fromUtf8(c.toCollect)));
        } else {
            EXPECT_EQ(messages().size(), 1) << qPrintable(messages().join(u'|'));
            EXPECT_EQ(focusAfter, expectedFocus);
            EXPECT_EQ(shownToCollect, QString::fromUtf8(c.toCollect));
            EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ? AND account_sts = '1'"), {s}),
                      c.negative ? 0 : 1);
        }
    }
}

TEST_F(CheckoutTest, AmountsAreExactAndPastedNegativesAreRefused)
{
    table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("A"));
    const QString s = seat(QStringLiteral("101"), QStringLiteral("2026-05-01 11:30:05"), 2);
    orderLine(s, 0, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 12.3, 1);
    orderLine(s, 1, QStringLiteral("14"), QStringLiteral("米饭"), 0.1, 3);
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("12.6"));
        for (QLineEdit* box : {w.TxtMSJE, w.TxtKRFKJE}) {
            box->setFocus(Qt::TabFocusReason);
            processEvents();
            QApplication::clipboard()->setText(QStringLiteral("-20"));
            box->selectAll();
            box->paste();
            EXPECT_EQ(box->text(), QStringLiteral("0"));
            QTest::keyClicks(box, QStringLiteral("-a,"));
            EXPECT_EQ(box->text(), QStringLiteral("0"));
            QApplication::clipboard()->setText(QStringLiteral("0.5"));   // an amount pastes as usual
            box->selectAll();
            box->paste();
            EXPECT_EQ(box->text(), QStringLiteral("0.5"));
        }
        pay(w, QStringLiteral("0.3"), QStringLiteral("12.3"));
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请找补金额0.00")});
    Recordset bill;
    bill.open(QStringLiteral("SELECT fee_price, no_account_price, account_price FROM ACCOUNT_200606"));
    ASSERT_EQ(bill.RecordCount(), 1);
    EXPECT_EQ(Money::fromVariant(bill.field(0)), Money::parse(QStringLiteral("12.6")));
    EXPECT_EQ(Money::fromVariant(bill.field(1)), Money::parse(QStringLiteral("0.3")));
    EXPECT_EQ(Money::fromVariant(bill.field(2)), Money::parse(QStringLiteral("12.3")));
}

TEST_F(CheckoutTest, NothingOpenDisablesCheckoutAndFreeOnlySettlesAtZero)
{
    table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("A"));
    const QString settled = seat(QStringLiteral("101"), QStringLiteral("2026-05-01 11:30:05"), 2);
    orderLine(settled, 0, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, 1, QStringLiteral("0"), QStringLiteral("1"));
    table(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"), QStringLiteral("E"));
    const QString free = seat(QStringLiteral("102"), QStringLiteral("2026-05-01 11:31:00"), 2, QStringLiteral("D"));
    orderLine(free, 0, QStringLiteral("16"), QStringLiteral("酸梅汤"), 8, 2, QStringLiteral("2"));

    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("0"));
        EXPECT_FALSE(w.Command6->isEnabled());
        typeInto(w.TxtKRFKJE, QStringLiteral("5"));
        enter(w.TxtKRFKJE);
        EXPECT_TRUE(Forms::isLoaded<FrmJZGL>());
    });
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(bills(settled), 0);

    checkout(QStringLiteral("102"), [&](FrmJZGL& w) {
        EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("0"));
        EXPECT_TRUE(w.Command6->isEnabled());
        pay(w, QStringLiteral("0"), QStringLiteral("0"));
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请找补金额0.00")});
    EXPECT_EQ(value(QStringLiteral("SELECT fee_price || '|' || account_price || '|' || no_account_price FROM ACCOUNT_200606 "
                                   "WHERE use_table_id = ?"), {free}).toString(),
              QStringLiteral("0.0|0.0|0.0"));
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ? AND account_sts = '1'"), {free}), 1);
}

TEST_F(CheckoutTest, PaymentMethodsAndTheMemberCard)
{
    sql(QStringLiteral("INSERT INTO custom (card_num, code, name, flag, phone, gzjelimit, gzje) VALUES "
                       "('8001', 'M01', '李先生', 'VIP', '13800000000', 5000, 1200.5)"));
    const QStringList methods = {"现金", "支票", "信用卡", "其它", "挂帐", "免单"};
    const QStringList codes = {"0", "1", "2", "5", "3", "4"};
    for (int i = 0; i < methods.size(); ++i) {
        const QString t = QString::number(300 + i);
        const QString s = tableInUse(t, t, QStringLiteral("2026-05-01 09:0%1:00").arg(i));
        checkout(t, [&](FrmJZGL& w) {
            w.CmbFZFS->setCurrentIndex(i);
            if (methods[i] == QStringLiteral("挂帐")) {
                // On account: the card box opens and takes the focus.
                EXPECT_FALSE(w.TxtHYKH->isReadOnly());
                EXPECT_EQ(QApplication::focusWidget(), w.TxtHYKH);
                QTest::keyClicks(w.TxtHYKH, QStringLiteral("8001"));
                enter(w.TxtHYKH);
                EXPECT_EQ((QStringList{w.TxtHYDM->text(), w.TxtHYMC->text(), w.TxtHYLX->text(), w.TxtLXDH->text(),
                                       w.TxtGZSX->text(), w.TxtLJGZJE->text(), w.TxtKGJE->text()}),
                          (QStringList{"M01", "李先生", "VIP", "13800000000", "5000", "1200.5", "3799.5"}));
                // Unknown cards, one with an apostrophe too: said, the member shown stays.
                for (const QString& card : {QStringLiteral("9999"), QStringLiteral("8001' OR '1'='1")}) {
                    w.TxtHYKH->setText(card);
                    enter(w.TxtHYKH);
                    EXPECT_EQ(lastMessage().text, QStringLiteral("会员卡号输入有误，请重新输入"));
                    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
                    EXPECT_EQ(lastMessage().icon, Msg::Exclamation);
                    EXPECT_EQ(QApplication::focusWidget(), w.TxtHYKH);
                    EXPECT_EQ(w.TxtHYMC->text(), QStringLiteral("李先生"));
                }
                // Back to cash empties the member and keeps the card; then on account again.
                w.CmbFZFS->setCurrentIndex(0);
                EXPECT_TRUE(w.TxtHYKH->isReadOnly());
                EXPECT_EQ(w.TxtHYKH->text(), QStringLiteral("8001' OR '1'='1"));
                for (QLineEdit* e : {w.TxtHYDM, w.TxtHYMC, w.TxtHYLX, w.TxtLXDH, w.TxtGZSX, w.TxtLJGZJE, w.TxtKGJE})
                    EXPECT_TRUE(e->text().isEmpty());
                w.CmbFZFS->setCurrentIndex(i);
                MessageSeam::clear();
            } else {
                EXPECT_TRUE(w.TxtHYKH->isReadOnly());
            }
            pay(w, QStringLiteral("0"), QStringLiteral("28"));
        });
        EXPECT_EQ(value(QStringLiteral("SELECT pay_sts || '|' || pay_sts_name FROM account_mess_200505 WHERE use_table_id = ?"), {s})
                      .toString(),
                  codes[i] + u'|' + methods[i]);
        EXPECT_EQ(value(QStringLiteral("SELECT pay_sts FROM ACCOUNT_200606 WHERE use_table_id = ?"), {s}).toString(), codes[i]);
    }
    // Nothing about the member is written anywhere.
    EXPECT_EQ(value(QStringLiteral("SELECT gzje FROM custom")).toDouble(), 1200.5);
}

TEST_F(CheckoutTest, EveryCheckoutOfAContinuedBillWritesItsOwnRows)
{
    const QString s = tableInUse();
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) { pay(w, QStringLiteral("0"), QStringLiteral("28")); });
    const qint64 first = value(QStringLiteral("SELECT account_id FROM ACCOUNT_200606")).toLongLong();

    // Continued bill: the table shows 续单, the seating stays settled, new lines come.
    sql(QStringLiteral("UPDATE house_table SET othersts = 'E' WHERE table_id = '101'"));
    orderLine(s, 4, QStringLiteral("14"), QStringLiteral("米饭"), 2, 5);
    board().ListView1Detail();
    Clock::fix(QDateTime(QDate(2026, 5, 1), QTime(13, 10, 0)));
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("10"));
        pay(w, QStringLiteral("0"), QStringLiteral("10"));
    });

    // Settled again while the board still says 结帐 (the ordering window
    // opens checkout after placing an order there).
    orderLine(s, 5, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, 1);
    board().ListView1Detail();
    Clock::fix(QDateTime(QDate(2026, 5, 1), QTime(13, 40, 0)));
    FrmSYGL& b = board();
    clickRow(b.ListView1, rowOf(QStringLiteral("101")));
    ASSERT_EQ(b.current(FrmSYGL::ColState), QStringLiteral("结帐"));
    Forms::onModal(QStringLiteral("FrmJZGL"), [&](Form& f) {
        processEvents();
        pay(static_cast<FrmJZGL&>(f), QStringLiteral("3"), QStringLiteral("30"));
    });
    ASSERT_TRUE(Forms::showModalByName(QStringLiteral("FrmJZGL")));

    Recordset rows;
    rows.open(QStringLiteral("SELECT a.account_id, a.account_date, a.fee_price, a.no_account_price, a.account_price, m.pay_money "
                             "FROM ACCOUNT_200606 a JOIN account_mess_200505 m ON m.account_mess_id = a.account_id "
                             "WHERE a.use_table_id = ? ORDER BY a.account_id"),
              {s});
    QStringList seen;
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        QStringList r;
        r << rows.text(QStringLiteral("account_date"));
        for (const char* c : {"fee_price", "no_account_price", "account_price", "pay_money"})
            r << Money::fromVariant(rows.field(QString::fromLatin1(c))).plain();
        seen << r.join(u'|');
    }
    EXPECT_EQ(seen, (QStringList{"2026-05-01 12:45:30|28|0|28|28", "2026-05-01 13:10:00|10|0|10|10",
                                 "2026-05-01 13:40:00|28|3|25|25"}));
    EXPECT_EQ(count(QStringLiteral("account_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {s}), 3);
    // Each line points at the bill that settled it.
    EXPECT_EQ(value(QStringLiteral("SELECT group_concat(fsxh || ':' || coalesce(account_id - ?, '-'), ' ') FROM "
                                   "(SELECT fsxh, account_id FROM strink_mess_200505 WHERE use_table_id = ? ORDER BY fsxh)"),
                    {first, s}).toString(),
              QStringLiteral("0:0 1:0 2:0 3:- 4:1 5:2"));
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE account_sts = '0'")), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT end_date FROM use_table_200505 WHERE use_table_id = ?"), {s}).toString(),
              QStringLiteral("2026-05-01 13:40:00"));
}

TEST_F(CheckoutTest, AnotherTillFirstMeansARefusalAndOneBill)
{
    const QString changed = DbError::sentence(DbError::Changed);
    const QString s = tableInUse();
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        // A second checkout window settles the seating first.
        auto* other = new FrmJZGL();
        other->Form_Load();
        pay(*other, QStringLiteral("0"), QStringLiteral("28"));
        EXPECT_EQ(bills(s), 1);
        MessageSeam::clear();
        pay(w, QStringLiteral("0"), QStringLiteral("28"));
    });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[1], changed + QStringLiteral("\n房台大厅1的这次消费已经结帐。"));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(bills(s), 1);
    EXPECT_EQ(count(QStringLiteral("account_mess_200505")), 1);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());

    // Another till settling the same seating while this one commits: this
    // commit waits for its write, then sees the lines settled.
    const QString s2 = tableInUse(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("2026-05-01 11:35:00"));
    MessageSeam::clear();
    checkout(QStringLiteral("102"), [&](FrmJZGL& w) {
        TillWriting till(dbPath(),
                         {QStringLiteral("INSERT INTO ACCOUNT_200606 (use_table_id, fee_price, account_price) VALUES ('%1', 28, 28)").arg(s2),
                          QStringLiteral("UPDATE strink_mess_200505 SET account_sts = '1', account_id = last_insert_rowid() "
                                         "WHERE use_table_id = '%1' AND account_sts = '0'").arg(s2),
                          QStringLiteral("UPDATE use_table_200505 SET sts = 'D' WHERE use_table_id = '%1'").arg(s2)},
                         300);
        pay(w, QStringLiteral("0"), QStringLiteral("28"));
    });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[1], changed + QStringLiteral("\n房台大厅2的这次消费已经结帐。"));
    EXPECT_EQ(bills(s2), 1);
    EXPECT_EQ(count(QStringLiteral("account_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {s2}), 0);

    // A line ordered on another till while the window is open: refused, and
    // the next opening totals it.
    const QString s3 = tableInUse(QStringLiteral("103"), QStringLiteral("大厅3"), QStringLiteral("2026-05-01 11:40:00"));
    MessageSeam::clear();
    checkout(QStringLiteral("103"), [&](FrmJZGL& w) {
        OtherTill till(dbPath());
        till.exec(QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, fsxh, food_code, food_name, price, food_num, "
                                 "STS, account_sts) VALUES (?, 9, '14', '米饭', 2, 1, '0', '0')"),
                  {s3});
        pay(w, QStringLiteral("0"), QStringLiteral("28"));
    });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[1], changed + QStringLiteral("\n房台大厅3的点单已经改变，请重新结帐。"));
    EXPECT_EQ(bills(s3), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '103'")).toString(), QStringLiteral("A"));
    checkout(QStringLiteral("103"), [&](FrmJZGL& w) { EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("30")); });
}

TEST_F(CheckoutTest, NoPrinterOrPrintSettingsStillSettlesAndClosesTheWindow)
{
    const QString s = tableInUse();
    Printers::script({});
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) { pay(w, QStringLiteral("20"), QStringLiteral("10")); });
    EXPECT_EQ(messages(), (QStringList{"请找补金额2.00", "您没有安装打印机!"}));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());
    EXPECT_EQ(bills(s), 1);
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE account_sts = '0'")), 0);
    EXPECT_EQ(board().ListView1->subItem(rowOf(QStringLiteral("101")), FrmSYGL::ColState), QStringLiteral("结帐"));
    EXPECT_TRUE(printer->documents.empty());
    EXPECT_TRUE(spooler->jobs.empty());

    // Print settings that cannot be read are the same: said, no receipt, settled.
    Printers::script({QStringLiteral("Recorder")});
    printSettings(QStringLiteral("0"));
    const QString s2 = tableInUse(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("2026-05-01 11:35:00"));
    MessageSeam::clear();
    checkout(QStringLiteral("102"), [&](FrmJZGL& w) {
        Db::injectReadFault(1, QStringLiteral("FROM PRINTSET"));
        pay(w, QStringLiteral("0"), QStringLiteral("28"));
    });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].startsWith(DbError::sentence(DbError::Read)));
    EXPECT_EQ(bills(s2), 1);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());
    EXPECT_TRUE(printer->documents.empty());
}

TEST_F(CheckoutTest, ADatabaseErrorWritesNothingAndLeavesTheWindowUsable)
{
    const QString s = tableInUse();
    sql(QStringLiteral("CREATE TRIGGER fail_bill BEFORE INSERT ON ACCOUNT_200606 BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        pay(w, QStringLiteral("20"), QStringLiteral("10"));
        ASSERT_EQ(messages().size(), 2);
        EXPECT_TRUE(messages()[1].contains(QStringLiteral("disk I/O error")));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_TRUE(Forms::isLoaded<FrmJZGL>());
        EXPECT_TRUE(w.isEnabled());
        EXPECT_EQ(count(QStringLiteral("account_mess_200505")), 0);
        EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE account_sts = '0' AND account_id IS NULL")), 3);
        EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table")).toString(), QStringLiteral("A"));
        EXPECT_EQ(value(QStringLiteral("SELECT sts || coalesce(end_date, '-') FROM use_table_200505")).toString(), QStringLiteral("A-"));
        EXPECT_TRUE(printer->documents.empty());

        // Once the fault is gone the same window settles.
        sql(QStringLiteral("DROP TRIGGER fail_bill"));
        enter(w.TxtKRFKJE);
    });
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());
    EXPECT_EQ(bills(s), 1);
    EXPECT_EQ(count(QStringLiteral("account_mess_200505")), 1);
}

TEST_F(CheckoutTest, AnOpeningThatCannotReadEveryLineOffersNoTotal)
{
    tableInUse();
    Db::injectReadFault(2, QStringLiteral("left join cpdetail c on c.code = s.food_code"));
    checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Read)));
        EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("0"));
        EXPECT_FALSE(w.Command6->isEnabled());
        enter(w.TxtKRFKJE);
    });
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(count(QStringLiteral("ACCOUNT_200606")), 0);
}

TEST_F(CheckoutTest, FromTheOrderingWindowItsButtonsTurnToAContinuedBill)
{
    const QString s = tableInUse();
    bool before = false, checkoutAfter = true, continueAfter = false, ran = false;
    Forms::onModal(QStringLiteral("FrmJZGL"), [&](Form& f) {
        processEvents();
        FrmDCKT* ordering = FrmDCKT::ifOpen();
        ASSERT_NE(ordering, nullptr);
        before = ordering->Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout)
                 && !ordering->Toolbar1->buttonEnabled(FrmDCKT::BtnContinue);
        pay(static_cast<FrmJZGL&>(f), QStringLiteral("20"), QStringLiteral("10"));
        ran = true;
        checkoutAfter = ordering->Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout);
        continueAfter = ordering->Toolbar1->buttonEnabled(FrmDCKT::BtnContinue);
    });
    Forms::onModal(QStringLiteral("FrmDCKT"), [](Form& f) {
        static_cast<FrmDCKT&>(f).Toolbar1->click(FrmDCKT::BtnCheckout);
    });
    FrmSYGL& b = board();
    b.ListView1Detail();
    doubleClickRow(b.ListView1, rowOf(QStringLiteral("101")));
    ASSERT_TRUE(ran);
    EXPECT_TRUE(before);
    EXPECT_FALSE(checkoutAfter);
    EXPECT_TRUE(continueAfter);
    EXPECT_EQ(bills(s), 1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请找补金额2.00")});
    EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());   // the ordering window closes after checkout
    EXPECT_EQ(b.ListView1->subItem(rowOf(QStringLiteral("101")), FrmSYGL::ColState), QStringLiteral("结帐"));
}
