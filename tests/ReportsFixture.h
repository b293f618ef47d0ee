#pragma once
// Builders for the sales report tests: tables, menu, seatings, order lines
// and bill rows written directly, and the one day of sales that every
// report reads (SalesDay).
#include <string>
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "platform/Controls.h"
#include "platform/FlexGrid.h"
#include "reports/ReportSupport.h"
#include "tests/TestSupport.h"

// The dish index the sales summary's long-period statements read through
// while the windows ran them; the schema no longer holds it, and the tests
// that compare the program's sums with those statements create it.
inline const QString FormerDishIndex = QStringLiteral(
    "CREATE INDEX strink_mess_dish ON strink_mess_200505(food_code, food_name, price, account_id, food_num, STS)");

class ReportsFixture : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        // The report day of the fixture: 10 March 2026.
        Clock::fix(QDateTime(QDate(2026, 3, 10), QTime(9, 0, 0)));
        openDb();
    }

    // The last days of the history up to the fixture's report day.
    static ReportPeriod lastDays(int days, QTime start = QTime(0, 0, 0), QTime end = QTime(23, 59, 59))
    {
        const QDate last(2026, 3, 10);
        return periodOf(QDateTime(last.addDays(1 - days), start), QDateTime(last, end));
    }

    // Every cell of the program's rows against the statement's, in order.
    static void expectSame(const Recordset& expected, const Recordset& actual, const std::string& what)
    {
        ASSERT_EQ(expected.fieldCount(), actual.fieldCount()) << what;
        for (int c = 0; c < expected.fieldCount(); ++c)
            EXPECT_EQ(expected.fieldName(c), actual.fieldName(c)) << what;
        ASSERT_EQ(expected.RecordCount(), actual.RecordCount()) << what;
        Recordset e = expected, a = actual;
        for (e.MoveFirst(), a.MoveFirst(); !e.isEOF(); e.MoveNext(), a.MoveNext()) {
            for (int c = 0; c < e.fieldCount(); ++c) {
                const QVariant x = e.field(c), y = a.field(c);
                const std::string where = what + " row " + std::to_string(e.AbsolutePosition()) + " column "
                    + e.fieldName(c).toStdString();
                ASSERT_EQ(x.isNull(), y.isNull()) << where;
                if (x.isNull())
                    continue;
                EXPECT_EQ(x.typeId(), y.typeId()) << where;
                EXPECT_EQ(x.toString(), y.toString()) << where;
            }
        }
    }

    void tableType(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES (?, ?)"), {code, name});
    }
    void tableKind(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO house_kinds (fcode, fname) VALUES (?, ?)"), {code, name});
    }
    void table(const QString& id, const QString& name, const QString& typeCode, const QString& kind)
    {
        sql(QStringLiteral("INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts) "
                           "VALUES (?, ?, 4, ?, ?, 'C', 'C')"),
            {id, name, kind, typeCode});
    }
    void category(const QString& code, const QString& name, const QString& parent)
    {
        sql(QStringLiteral("INSERT INTO cpclass (code, cname, parentcode) VALUES (?, ?, ?)"), {code, name, parent});
    }
    void dish(const QString& code, const QString& name, const QString& classId, double price)
    {
        sql(QStringLiteral("INSERT INTO cpdetail (code, cpname, cp_classid, cp_price) VALUES (?, ?, ?, ?)"),
            {code, name, classId, price});
    }
    // A seating opened at start and settled at end (empty: still open);
    // its id is the opening second.
    QString seating(const QString& tableId, const QString& start, const QString& end, int diners, const QString& waiter)
    {
        const QString id = DateTimeText::toId(DateTimeText::parse(start));
        sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, strink_num, "
                           "serv_name, cust_code, sts) VALUES (?, ?, ?, ?, ?, ?, '001', ?)"),
            {id, tableId, start, end.isEmpty() ? QVariant() : QVariant(end), diners, waiter,
             end.isEmpty() ? QStringLiteral("A") : QStringLiteral("P")});
        return id;
    }
    // A bill row and its payment row; returns the bill's account_id.
    qint64 bill(const QString& seatingId, const QString& date, double fee, double received, double waived,
                const QString& pay)
    {
        sql(QStringLiteral("INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts, pay_sts_name) "
                           "VALUES (?, ?, ?, '')"),
            {seatingId, received, pay});
        sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price, "
                           "discount_rule_id, no_account_price, account_price, pay_sts) VALUES (?, ?, '', ?, 0, '', ?, ?, ?)"),
            {seatingId, date, fee, waived, received, pay});
        return value(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    }
    // An order line; a settled line carries the bill that settled it.
    void line(const QString& seatingId, const QString& code, const QString& name, double num, double price,
              const QString& kind, const QString& billTime, qint64 accountId = 0)
    {
        const int fsxh = value(QStringLiteral("SELECT count(*) FROM strink_mess_200505 WHERE use_table_id = ?"),
                               {seatingId}).toInt();
        sql(QStringLiteral("INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, "
                           "food_num, price, state, STS, account_sts, bill_time, account_id) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?)"),
            {seatingId + QString::number(fsxh), seatingId, fsxh, code, name, num, price, kind,
             accountId ? QStringLiteral("1") : QStringLiteral("0"), billTime,
             accountId ? QVariant(accountId) : QVariant()});
    }

    // The floor and the menu of the sales day.
    void floorAndMenu()
    {
        tableType(QStringLiteral("01"), QStringLiteral("大厅"));
        tableType(QStringLiteral("02"), QStringLiteral("包间"));
        tableKind(QStringLiteral("01"), QStringLiteral("四人台"));
        tableKind(QStringLiteral("02"), QStringLiteral("十人台"));
        table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("201"), QStringLiteral("牡丹厅"), QStringLiteral("02"), QStringLiteral("十人台"));
        table(QStringLiteral("202"), QStringLiteral("芙蓉厅"), QStringLiteral("02"), QStringLiteral("十人台"));
        category(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
        category(QStringLiteral("101"), QStringLiteral("川菜"), QStringLiteral("1"));
        category(QStringLiteral("102"), QStringLiteral("粤菜"), QStringLiteral("1"));
        category(QStringLiteral("2"), QStringLiteral("凉菜"), QStringLiteral("0"));
        category(QStringLiteral("201"), QStringLiteral("凉拌"), QStringLiteral("2"));
        category(QStringLiteral("3"), QStringLiteral("酒水"), QStringLiteral("0"));
        category(QStringLiteral("301"), QStringLiteral("饮料"), QStringLiteral("3"));
        // Two sub-categories share the dish name 宫保鸡丁.
        dish(QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101"), 38);
        dish(QStringLiteral("2"), QStringLiteral("水煮牛肉"), QStringLiteral("101"), 48);
        dish(QStringLiteral("5"), QStringLiteral("宫保鸡丁"), QStringLiteral("102"), 40);
        dish(QStringLiteral("11"), QStringLiteral("拍黄瓜"), QStringLiteral("201"), 12);
        dish(QStringLiteral("16"), QStringLiteral("酸梅汤"), QStringLiteral("301"), 8);
        dish(QStringLiteral("19"), QStringLiteral("青岛啤酒"), QStringLiteral("301"), 10);
    }

    // The sales around 10 March 2026, the report day:
    //  E 大厅2 opened on the 9th, a continued bill: cash 60 on the 9th at
    //    22:00, on account 30 on the 10th at 10:00.
    //  G 牡丹厅 settled on the 9th at 23:59:59, a second before the day.
    //  A 大厅1 opened on the 9th at 23:30, settled at 00:00:00 of the 10th.
    //  B 大厅2 paid with two methods: cash 85.5 (2.5 waived) and card 16.
    //  C 牡丹厅 a free bill at 23:59:59, with a free and a returned line.
    //  D 大厅1 settled at 00:00:00 of the 11th, a second after the day.
    //  H 芙蓉厅 still open, its line never settled.
    void salesDay()
    {
        floorAndMenu();
        const QString kb = QStringLiteral("宫保鸡丁"), sz = QStringLiteral("水煮牛肉"), smt = QStringLiteral("酸梅汤");
        const QString e = seating(QStringLiteral("102"), QStringLiteral("2026-03-09 21:00:00"),
                                  QStringLiteral("2026-03-10 10:00:00"), 3, QStringLiteral("张丽"));
        const QString g = seating(QStringLiteral("201"), QStringLiteral("2026-03-09 19:00:00"),
                                  QStringLiteral("2026-03-09 23:59:59"), 5, QStringLiteral("王强"));
        const QString a = seating(QStringLiteral("101"), QStringLiteral("2026-03-09 23:30:00"),
                                  QStringLiteral("2026-03-10 00:00:00"), 2, QStringLiteral("王强"));
        const QString b = seating(QStringLiteral("102"), QStringLiteral("2026-03-10 12:00:00"),
                                  QStringLiteral("2026-03-10 13:00:00"), 4, QStringLiteral("李娜"));
        const QString c = seating(QStringLiteral("201"), QStringLiteral("2026-03-10 18:00:00"),
                                  QStringLiteral("2026-03-10 23:59:59"), 6, QStringLiteral("王强"));
        const QString d = seating(QStringLiteral("101"), QStringLiteral("2026-03-10 20:00:00"),
                                  QStringLiteral("2026-03-11 00:00:00"), 2, QStringLiteral("张丽"));
        const QString h = seating(QStringLiteral("202"), QStringLiteral("2026-03-10 19:00:00"), QString(), 4,
                                  QStringLiteral("李娜"));
        const qint64 e1 = bill(e, QStringLiteral("2026-03-09 22:00:00"), 60, 60, 0, QStringLiteral("0"));
        const qint64 gBill = bill(g, QStringLiteral("2026-03-09 23:59:59"), 38, 38, 0, QStringLiteral("0"));
        const qint64 aBill = bill(a, QStringLiteral("2026-03-10 00:00:00"), 38, 38, 0, QStringLiteral("0"));
        const qint64 e2 = bill(e, QStringLiteral("2026-03-10 10:00:00"), 30, 30, 0, QStringLiteral("3"));
        const qint64 b1 = bill(b, QStringLiteral("2026-03-10 12:40:00"), 88, 85.5, 2.5, QStringLiteral("0"));
        const qint64 b2 = bill(b, QStringLiteral("2026-03-10 13:00:00"), 16, 16, 0, QStringLiteral("2"));
        const qint64 cBill = bill(c, QStringLiteral("2026-03-10 23:59:59"), 76, 0, 76, QStringLiteral("4"));
        const qint64 dBill = bill(d, QStringLiteral("2026-03-11 00:00:00"), 48, 48, 0, QStringLiteral("0"));

        line(e, QStringLiteral("2"), sz, 1, 48, QStringLiteral("0"), QStringLiteral("2026-03-09 21:05:00"), e1);
        line(e, QStringLiteral("11"), QStringLiteral("拍黄瓜"), 1, 12, QStringLiteral("0"), QStringLiteral("2026-03-09 21:05:00"), e1);
        line(e, QStringLiteral("19"), QStringLiteral("青岛啤酒"), 3, 10, QStringLiteral("0"), QStringLiteral("2026-03-10 09:30:00"), e2);
        line(g, QStringLiteral("1"), kb, 1, 38, QStringLiteral("0"), QStringLiteral("2026-03-09 19:05:00"), gBill);
        line(a, QStringLiteral("1"), kb, 1, 38, QStringLiteral("0"), QStringLiteral("2026-03-09 23:35:00"), aBill);
        line(b, QStringLiteral("2"), sz, 1, 48, QStringLiteral("0"), QStringLiteral("2026-03-10 12:05:00"), b1);
        line(b, QStringLiteral("5"), kb, 1, 40, QStringLiteral("0"), QStringLiteral("2026-03-10 12:05:00"), b1);
        line(b, QStringLiteral("16"), smt, 2, 8, QStringLiteral("0"), QStringLiteral("2026-03-10 12:50:00"), b2);
        line(c, QStringLiteral("1"), kb, 2, 38, QStringLiteral("0"), QStringLiteral("2026-03-10 18:05:00"), cBill);
        line(c, QStringLiteral("16"), smt, 1, 8, QStringLiteral("2"), QStringLiteral("2026-03-10 18:05:00"), cBill);
        line(c, QStringLiteral("2"), sz, 1, 48, QStringLiteral("0"), QStringLiteral("2026-03-10 18:05:00"), cBill);
        line(c, QStringLiteral("2"), sz, -1, 48, QStringLiteral("1"), QStringLiteral("2026-03-10 18:20:00"), cBill);
        line(d, QStringLiteral("2"), sz, 1, 48, QStringLiteral("0"), QStringLiteral("2026-03-10 20:05:00"), dBill);
        line(h, QStringLiteral("1"), kb, 1, 38, QStringLiteral("0"), QStringLiteral("2026-03-10 19:05:00"));
    }

    // Lines as one text, so that a failed comparison shows them readably.
    static std::string text(const QStringList& lines) { return lines.join(u'\n').toStdString(); }

    // The rows of a list, each as its cells joined by "|".
    static QStringList rows(const ListView* list)
    {
        QStringList out;
        for (int r = 0; r < list->count(); ++r) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << list->subItem(r, c);
            out << cells.join(u'|');
        }
        return out;
    }
    static QStringList headers(const ListView* list)
    {
        QStringList out;
        for (int c = 0; c < list->columnCount(); ++c)
            out << list->columnCaption(c);
        return out;
    }
    // The rows of a grid from row 1, each as its cells from column 1 joined by "|".
    static QStringList rows(const FlexGrid* grid)
    {
        QStringList out;
        for (int r = 1; r < grid->Rows(); ++r)
            out << grid->rowTexts(r).mid(1).join(u'|');
        return out;
    }
};
