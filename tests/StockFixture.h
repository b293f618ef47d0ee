#pragma once
// Shared fixture of the stock window tests: a fixed clock, staff, suppliers,
// goods classes and goods, stock bills and lines written as their writers
// write them, the counter rows, and what the ordering window books.
#include <functional>
#include "db/Money.h"
#include "db/StockPosting.h"
#include "platform/Controls.h"
#include "platform/ModelListView.h"
#include "tests/TestSupport.h"

class StockTest : public TabulorTest {
protected:
    static inline const QDateTime Now{QDate(2026, 12, 10), QTime(9, 30, 0)};

    void SetUp() override
    {
        TabulorTest::SetUp();
        openDb();
        Clock::fix(Now);
    }

    static Money m(const char* text) { return Money::parse(QString::fromUtf8(text)); }

    void addStaff(const QString& code, const QString& name, const QString& useType = QStringLiteral("1"))
    {
        insertRow(QStringLiteral("cust"), {{"code", code}, {"name", name}, {"use_type", useType}});
    }
    void addSupplier(const QString& name)
    {
        insertRow(QStringLiteral("gysda"), {{"code", name}, {"name", name}});
    }
    void addClass(const QString& code, const QString& name)
    {
        insertRow(QStringLiteral("BrandClass"), {{"class", "SPZL"}, {"CODE", code}, {"CONTENT", name}, {"sts", "A"}});
    }
    void addGoods(const QString& code, const QString& name, const QString& cls, double price = 2.5,
                  const QString& type = QString(), const QString& unit = QStringLiteral("瓶"))
    {
        insertRow(QStringLiteral("brand"), {{"code", code}, {"bran_name", name}, {"zl", cls}, {"unit", unit},
                                            {"in_price", price}, {"type", type.isNull() ? QStringLiteral("规格") + code : type}});
    }
    // Two classes and three goods: 1001 可乐 (2.5, 330ml, 听) and 1002 啤酒
    // (4, 600ml, 瓶) in 酒水, 2001 大米 (65, 25kg, 袋) in 粮油.
    void addGoodsOfTwoClasses()
    {
        addClass(QStringLiteral("1"), QStringLiteral("酒水"));
        addClass(QStringLiteral("2"), QStringLiteral("粮油"));
        addGoods(QStringLiteral("1001"), QStringLiteral("可乐"), QStringLiteral("酒水"), 2.5, QStringLiteral("330ml"),
                 QStringLiteral("听"));
        addGoods(QStringLiteral("1002"), QStringLiteral("啤酒"), QStringLiteral("酒水"), 4, QStringLiteral("600ml"));
        addGoods(QStringLiteral("2001"), QStringLiteral("大米"), QStringLiteral("粮油"), 65, QStringLiteral("25kg"),
                 QStringLiteral("袋"));
    }
    void setCounter(const QString& code, double rks, double cks, double zje = 0)
    {
        sql(QStringLiteral("DELETE FROM store WHERE code = ?"), {code});
        insertRow(QStringLiteral("store"), {{"code", code}, {"ckh", "综合库"}, {"rks", rks}, {"cks", cks}, {"zje", zje}});
    }
    // A stock-in bill as the window writes it, on a day of its own.
    void addInBill(const QString& number, const QDate& day, const QString& warehouse = QStringLiteral("综合库"),
                   const QString& supplier = QStringLiteral("华联超市"))
    {
        StockPosting::InBill b;
        b.stock_bill_id = number;
        b.bill_num = 1;
        b.stock_in_date = StockPosting::storedDay(day);
        b.in_man = QStringLiteral("E1");
        b.in_man_name = QStringLiteral("张三");
        b.pay_style = QStringLiteral("现金");
        b.buy_man = QStringLiteral("E1");
        b.buy_man_name = QStringLiteral("张三");
        b.demo = QString();
        b.ckh = warehouse;
        b.fs = QStringLiteral("手工入库");
        b.repr_name = supplier;
        StockPosting::insertInBill(b);
    }
    void addInLine(const QString& bill, const QString& code, double num, double price)
    {
        insertRow(QStringLiteral("rkgl2004"), {{"stock_bill_id", bill}, {"id", 1}, {"code", code}, {"num", num},
                                               {"price", price}, {"je", num * price}});
    }
    // A stock-out bill as the window writes it.
    void addOutBill(const QString& number, const QDate& day, const QString& department = QStringLiteral("厨房部"),
                    const QString& warehouse = QStringLiteral("综合库"))
    {
        StockPosting::OutBill b;
        b.stock_bill_id = number;
        b.bill_num = 1;
        b.repr_name = department;
        b.stock_out_date = StockPosting::storedDay(day);
        b.get_man = QStringLiteral("E1");
        b.get_man_name = QStringLiteral("张三");
        b.val_man = QStringLiteral("E1");
        b.val_man_name = QStringLiteral("张三");
        b.ckh = warehouse;
        b.demo = QString();
        b.fs = QStringLiteral("手动出库");
        StockPosting::insertOutBill(b);
    }
    void addOutLine(const QString& bill, const QString& code, double num, double price)
    {
        insertRow(QStringLiteral("ckgl2004"), {{"stock_bill_id", bill}, {"id", 1}, {"code", code}, {"num", num},
                                               {"price", price}, {"zhks", 0}});
    }

    // What the ordering window books for a dish linked to goods: a sale or a
    // free dish (a stock-out bill of its own) and a return (a stock-in bill
    // of its own). Nothing is booked for goods without a counter row.
    // Returns the bill number, or empty.
    QString orderingSale(const QString& code, Money quantity, Money price, bool free = false)
    {
        return orderingBooking(false, code, quantity, price, free ? QStringLiteral("赠单") : QStringLiteral("吧台销售"));
    }
    QString orderingReturn(const QString& code, Money quantity, Money price)
    {
        return orderingBooking(true, code, quantity, price, QStringLiteral("点错菜"));
    }

    // The counter row of a goods code as "ckh|rks|cks|zje|ckje|yearmonth".
    QString counterText(const QString& code)
    {
        const auto c = StockPosting::counter(code);
        if (!c)
            return QStringLiteral("none");
        return QStringList{c->ckh, c->rks.plain(), c->cks.plain(), c->zje.plain(), c->ckje.plain(), c->yearmonth}
            .join(u'|');
    }
    Money sumOf(const QString& sqlText, const QString& code) { return Money::fromVariant(value(sqlText, {code})); }

    template <class D> void onDialog(std::function<void(D&)> fn)
    {
        Forms::onModal(QString::fromLatin1(D::staticMetaObject.className()), [fn](Form& f) { fn(static_cast<D&>(f)); });
    }
    template <class W> W& window()
    {
        W& w = Forms::get<W>();
        w.show();
        processEvents();
        return w;
    }

    // Picks goods in the picker of an open new-line dialog.
    template <class Picker, class Dialog> void pickGoods(Dialog& d, const QString& code)
    {
        onDialog<Picker>([code](Picker& p) {
            const int r = rowOf(p.ListView1, code);
            ASSERT_GE(r, 0) << qPrintable(code);
            p.ListView1->select(r);
            p.Command1->click();
        });
        d.Command1->click();
    }
    // A line added to the current bill of a stock window through its
    // new-line dialog; the price as the picker gives it unless one is typed.
    template <class Picker, class Dialog, class W>
    void addLineThrough(W& w, const QString& code, const QString& quantity, const QString& price)
    {
        onDialog<Dialog>([&](Dialog& d) {
            pickGoods<Picker>(d, code);
            retypeKeys(d.TxtSL, quantity);
            if (!price.isNull())
                retypeKeys(d.TxtDJ, price);
            d.Save->click();
        });
        w.Command1->click();
    }
    // A line of the current bill changed through the edit dialog and saved.
    template <class Dialog, class W> void editLineThrough(W& w, const QString& code, std::function<void(Dialog&)> change)
    {
        w.ListView1->select(rowOf(w.ListView1, code));
        onDialog<Dialog>([change](Dialog& d) {
            change(d);
            d.Save->click();
        });
        w.Command2->click();
    }

    // Bills clicked with the mouse in turn, each with one line: each click
    // shows the clicked bill's own line, and 修改明细 on that line opens it.
    struct BillLine {
        QString bill;
        QString code;
        QString quantity;
    };
    template <class EditDialog, class W> void clickBillsInTurn(W& w, const std::vector<BillLine>& turns)
    {
        for (const BillLine& t : turns) {
            SCOPED_TRACE(t.bill.toStdString());
            const int r = rowOf(w.ListView2, t.bill);
            ASSERT_GE(r, 0);
            clickRow(w.ListView2, r);
            EXPECT_EQ(w.ListView2->selectedRow(), r);
            ASSERT_EQ(column(w.ListView1, 0), QStringList{t.code});
            clickRow(w.ListView1, 0);
            QString code, quantity;
            onDialog<EditDialog>([&](EditDialog& d) {
                code = d.TxtSPBM->text();
                quantity = d.TxtSL->text();
            });
            w.Command2->click();
            EXPECT_EQ(code, t.code);
            EXPECT_EQ(quantity, t.quantity);
        }
    }

    // The texts of one column of a list, first row to last.
    template <class L> static QStringList column(const L* list, int col)
    {
        QStringList out;
        for (int r = 0; r < list->count(); ++r)
            out << (col == 0 ? list->text(r) : list->subItem(r, col));
        return out;
    }
    template <class L> static QStringList row(const L* list, int r)
    {
        QStringList out;
        for (int c = 0; c < list->columnCount(); ++c)
            out << (c == 0 ? list->text(r) : list->subItem(r, c));
        return out;
    }
    template <class L> static int rowOf(const L* list, const QString& text)
    {
        for (int r = 0; r < list->count(); ++r)
            if (list->text(r) == text)
                return r;
        return -1;
    }

    QStringList printed(size_t document = 0) const
    {
        QStringList lines;
        if (document < printer->documents.size())
            for (const PrintedLine& l : printer->documents[document])
                lines << l.text;
        return lines;
    }

private:
    // The bookings the ordering window makes, by the operator SYSTEM, in a
    // transaction of their own as the window's.
    QString orderingBooking(bool in, const QString& code, Money quantity, Money price, const QString& note)
    {
        Transaction t;
        const StockPosting::Booker by{QStringLiteral(""), QStringLiteral("SYSTEM")};
        const QString number = in ? StockPosting::bookReturn(code, quantity, price, note, by)
                                  : StockPosting::bookSale(code, quantity, price, note, by);
        t.commit();
        return number;
    }
};
