#pragma once
// Builders for the board and table picker tests: table types, tables,
// seatings, order lines and reservations, and a dump of the front-desk rows.
#include "db/DateTimeText.h"
#include "frontdesk/FrmSYGL.h"
#include "tests/TestSupport.h"

class BoardFixture : public TabulorTest {
protected:
    void type(const QString& code, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES (?, ?)"), {code, name});
    }
    void table(const QString& id, const QString& name, const QString& typeCode, const QString& othersts,
               const QVariant& sts = QVariant(), const QString& spec = QStringLiteral("四人台"))
    {
        sql(QStringLiteral("INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts, fbz) "
                           "VALUES (?, ?, 4, ?, ?, ?, ?, '')"),
            {id, name, spec, typeCode, othersts, sts});
    }
    // A seating opened at the given time ("yyyy-MM-dd HH:mm:ss"); returns its id.
    QString seat(const QString& tableId, const QString& start, int diners, const QString& sts = QStringLiteral("A"),
                 const QString& waiter = QStringLiteral("王强"), const QString& taker = QStringLiteral("李娜"))
    {
        const QString id = DateTimeText::toId(DateTimeText::parse(start));
        sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, strink_num, "
                           "serv_name, cust_name, house_class, sts) VALUES (?, ?, ?, ?, ?, ?, '大厅', ?)"),
            {id, tableId, start, diners, waiter, taker, sts});
        return id;
    }
    void line(const QString& seatingId, int fsxh, double price, double num, const QString& kind = QStringLiteral("0"),
              const QString& settled = QStringLiteral("0"), const QString& name = QStringLiteral("菜"))
    {
        sql(QStringLiteral("INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name, "
                           "price, food_num, STS, state, account_sts) VALUES (?, ?, ?, 'F1', ?, ?, ?, ?, '0', ?)"),
            {seatingId + QString::number(fsxh), seatingId, fsxh, name, price, num, kind, settled});
    }
    void reservation(const QString& tableId, const QString& endtime)
    {
        sql(QStringLiteral("INSERT INTO pre_strink (pre_strink_id, pre_man, pre_date, endtime, pre_house) "
                           "VALUES (1, '周先生', '2026-01-01 09:00:00', ?, ?)"),
            {endtime, tableId});
    }

    FrmSYGL& board()
    {
        openDb();
        return Forms::get<FrmSYGL>();
    }
    int rowOf(const QString& tableId)
    {
        ListView* l = board().ListView1;
        for (int r = 0; r < l->count(); ++r)
            if (l->subItem(r, FrmSYGL::ColTableId) == tableId)
                return r;
        return -1;
    }
    // Every row of the tables the front desk writes, as text, for "nothing changed".
    QString dump()
    {
        QString out;
        for (const char* q : {"SELECT table_id, othersts, coalesce(sts, '~') FROM house_table ORDER BY rowid",
                              "SELECT use_table_id, house_table_id, start_date, strink_num, sts FROM use_table_200505 ORDER BY rowid",
                              "SELECT strink_mess_id, use_table_id, fsxh, price, food_num, STS, account_sts FROM strink_mess_200505 ORDER BY rowid"}) {
            Recordset rs;
            rs.open(QString::fromLatin1(q));
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
                for (int i = 0; i < rs.fieldCount(); ++i)
                    out += rs.field(i).toString() + u'|';
                out += u'\n';
            }
        }
        return out;
    }
};
