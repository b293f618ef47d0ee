// Data clearing: the kinds of data, the two modes, the table check, and one
// transaction over all statements.
#include "db/DateTimeText.h"
#include "shell/DlgQCSJ.h"
#include "shell/Module1.h"
#include "tests/TestSupport.h"

namespace {

class ClearTest : public TabulorTest {
protected:
    // Four seatings around the range 2026-12-10 12:00:00 .. 13:00:00 (before,
    // the start second, inside, the end second), each with an order line, a
    // bill and a payment; stock bills at the start, inside, at the end and
    // after, each with a line; two counters; three tables (free, disabled,
    // never reserved); staff, goods and dishes.
    void fill()
    {
        for (const char* id : {"20261209000000", "20261210120000", "20261210123000", "20261210130000"}) {
            const QString s = QString::fromLatin1(id);
            sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, sts) VALUES (?, 'T1', 'P')"), {s});
            sql(QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, fsxh) VALUES (?, 0)"), {s});
            sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (USE_TABLE_ID) VALUES (?)"), {s});
            sql(QStringLiteral("INSERT INTO account_mess_200505 (USE_TABLE_ID) VALUES (?)"), {s});
        }
        const char* bills[][2] = {{"B1", "2026-12-10 12:00:00"}, {"B2", "2026-12-10 12:30:00"},
                                  {"B3", "2026-12-10 13:00:00"}, {"B4", "2026-12-10 13:00:01"}};
        for (auto& b : bills) {
            const QVariantList v{QString::fromLatin1(b[0]), QString::fromLatin1(b[1])};
            sql(QStringLiteral("INSERT INTO stock_in_bill (stock_bill_id, stock_in_date) VALUES (?, ?)"), v);
            sql(QStringLiteral("INSERT INTO stock_out_bill (stock_bill_id, stock_Out_date) VALUES (?, ?)"), v);
            sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, code) VALUES (?, 'g1')"), {v[0]});
            sql(QStringLiteral("INSERT INTO ckgl2004 (stock_bill_id, code) VALUES (?, 'g1')"), {v[0]});
        }
        sql(QStringLiteral("INSERT INTO store (code) VALUES ('g1'), ('g2')"));
        sql(QStringLiteral("INSERT INTO house_table (table_id, othersts, sts) VALUES ('T1', 'C', 'C'), ('T2', 'P', 'C'), ('T3', 'C', NULL)"));
        sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('001', 'a', '1'), ('002', 'b', '0')"));
        sql(QStringLiteral("INSERT INTO brand (code) VALUES ('g1')"));
        sql(QStringLiteral("INSERT INTO cpdetail (code) VALUES ('c1')"));
    }
    QString ids(const QString& sql_)
    {
        QStringList out;
        Recordset rs;
        rs.open(sql_);
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            out << rs.text(QStringLiteral("k"));
        return out.join(u',');
    }
    // What is left, in one line.
    QString summary()
    {
        auto n = [&](const char* t) { return QString::number(count(QString::fromLatin1(t))); };
        return QStringLiteral("seat=") + ids(QStringLiteral("SELECT substr(use_table_id, 7) AS k FROM use_table_200505 ORDER BY 1"))
            + QStringLiteral(" lines=") + ids(QStringLiteral("SELECT substr(use_table_id, 7) AS k FROM strink_mess_200505 ORDER BY 1"))
            + QStringLiteral(" bills=") + ids(QStringLiteral("SELECT substr(USE_TABLE_ID, 7) AS k FROM ACCOUNT_200606 ORDER BY 1"))
            + QStringLiteral(" pay=") + ids(QStringLiteral("SELECT substr(USE_TABLE_ID, 7) AS k FROM account_mess_200505 ORDER BY 1"))
            + QStringLiteral(" in=") + ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_in_bill ORDER BY 1"))
            + QStringLiteral(" rk=") + ids(QStringLiteral("SELECT stock_bill_id AS k FROM rkgl2004 ORDER BY 1"))
            + QStringLiteral(" out=") + ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_out_bill ORDER BY 1"))
            + QStringLiteral(" ck=") + ids(QStringLiteral("SELECT stock_bill_id AS k FROM ckgl2004 ORDER BY 1"))
            + QStringLiteral(" store=") + n("store")
            + QStringLiteral(" cust=") + ids(QStringLiteral("SELECT code AS k FROM cust ORDER BY rowid"))
            + QStringLiteral(" tables=") + ids(QStringLiteral("SELECT table_id || ':' || coalesce(othersts, '') || coalesce(sts, '') AS k FROM house_table ORDER BY rowid"))
            + QStringLiteral(" brand=") + n("brand") + QStringLiteral(" cp=") + n("cpdetail");
    }
};

const QString Full = QStringLiteral(
    "seat=09000000,10120000,10123000,10130000 lines=09000000,10120000,10123000,10130000"
    " bills=09000000,10120000,10123000,10130000 pay=09000000,10120000,10123000,10130000"
    " in=B1,B2,B3,B4 rk=B1,B2,B3,B4 out=B1,B2,B3,B4 ck=B1,B2,B3,B4 store=2 cust=SYSTEM,001,002"
    " tables=T1:CC,T2:PC,T3:C brand=1 cp=1");

} // namespace

TEST_F(ClearTest, ClearingCases)
{
    struct Case {
        const char* name;
        const char* setup;      // extra statement, or nullptr
        const char* boxes;      // S sales, K stock, Y staff, F tables, C dishes, G goods (clicked in this order)
        bool range;
        const char* message;
        QString after;          // empty: nothing changed
    };
    const Case cases[] = {
        {"nothing ticked", nullptr, "", false, "没有选择任何清除的数据选!", {}},
        {"reserved table blocks sales", "UPDATE house_table SET sts = 'B' WHERE table_id = 'T3'", "S", false,
         "有未清台的房台或预定房台!", {}},
        {"table in use blocks tables", "UPDATE house_table SET othersts = 'A' WHERE table_id = 'T1'", "F", false,
         "有未清台的房台或预定房台!", {}},
        {"settled table blocks", "UPDATE house_table SET othersts = 'D' WHERE table_id = 'T1'", "S", true,
         "有未清台的房台或预定房台!", {}},
        {"continued bill blocks", "UPDATE house_table SET othersts = 'E' WHERE table_id = 'T3'", "S", false,
         "有未清台的房台或预定房台!", {}},
        {"staff alone skips the table check", "UPDATE house_table SET othersts = 'A' WHERE table_id = 'T1'", "Y", false,
         "数据清除完毕！",
         QString(Full).replace(QStringLiteral("cust=SYSTEM,001,002"), QStringLiteral("cust=SYSTEM"))
             .replace(QStringLiteral("T1:CC"), QStringLiteral("T1:AC"))},
        {"all sales; disabled table stays disabled", "UPDATE house_table SET sts = 'B' WHERE table_id = 'T2'", "S", false,
         "数据清除完毕！",
         QStringLiteral("seat= lines= bills= pay= in=B1,B2,B3,B4 rk=B1,B2,B3,B4 out=B1,B2,B3,B4 ck=B1,B2,B3,B4 store=2"
                        " cust=SYSTEM,001,002 tables=T1:CC,T2:PC,T3:CC brand=1 cp=1")},
        {"all stock", nullptr, "K", false, "数据清除完毕！",
         QString(Full).replace(QStringLiteral("in=B1,B2,B3,B4 rk=B1,B2,B3,B4 out=B1,B2,B3,B4 ck=B1,B2,B3,B4 store=2"),
                               QStringLiteral("in= rk= out= ck= store=0"))},
        {"range keeps boundary seatings, deletes bills at both ends", nullptr, "SK", true, "数据清除完毕！",
         QStringLiteral("seat=09000000,10120000,10130000 lines=09000000,10120000,10130000 bills=09000000,10120000,10130000"
                        " pay=09000000,10120000,10130000 in=B4 rk=B4 out=B4 ck=B4 store=2 cust=SYSTEM,001,002"
                        " tables=T1:CC,T2:PC,T3:C brand=1 cp=1")},
        {"everything", "UPDATE cust SET code = 'system' WHERE code = 'SYSTEM'", "SKCGYF", false, "数据清除完毕！",
         QStringLiteral("seat= lines= bills= pay= in= rk= out= ck= store=0 cust=system tables= brand=0 cp=0")},
        {"mixed-case system survives", "UPDATE cust SET code = 'System' WHERE code = 'SYSTEM'", "Y", true, "数据清除完毕！",
         QString(Full).replace(QStringLiteral("cust=SYSTEM,001,002"), QStringLiteral("cust=System"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Forms::unloadAll();
        processEvents();
        for (const char* t : {"use_table_200505", "strink_mess_200505", "ACCOUNT_200606", "account_mess_200505",
                              "stock_in_bill", "stock_out_bill", "rkgl2004", "ckgl2004", "store", "house_table", "brand",
                              "cpdetail"})
            sql(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
        sql(QStringLiteral("DELETE FROM cust"));
        sql(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('SYSTEM', '系统管理员', '1')"));
        fill();
        ASSERT_EQ(summary(), Full);
        if (c.setup)
            sql(QString::fromLatin1(c.setup));
        const QString before = summary();
        MessageSeam::clear();

        Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        DlgQCSJ& d = Forms::get<DlgQCSJ>();
        if (c.range) {
            d.Option2->click();
            d.DateStart->setDateTime(QDateTime(QDate(2026, 12, 10), QTime(12, 0, 0)));
            d.DateEnd->setDateTime(QDateTime(QDate(2026, 12, 10), QTime(13, 0, 0)));
        }
        for (const char* b = c.boxes; *b; ++b) {
            QCheckBox* box = *b == 'S' ? d.CheckXSSJ : *b == 'K' ? d.CheckKCSJ : *b == 'Y' ? d.CheckYGXX
                           : *b == 'F' ? d.CheckFTXX : *b == 'C' ? d.CheckCPXX : d.CheckSPDA;
            ASSERT_TRUE(box->isEnabled()) << *b;
            box->click();
        }
        d.Command1->click();
        processEvents();
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
        const bool done = QString::fromUtf8(c.message) == QStringLiteral("数据清除完毕！");
        EXPECT_EQ(Forms::isLoaded<DlgQCSJ>(), !done);
        EXPECT_EQ(summary(), c.after.isEmpty() ? before : c.after);
        if (QString::fromUtf8(c.message) == QStringLiteral("有未清台的房台或预定房台!")) {
            EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
            EXPECT_EQ(lastMessage().title, QString());
        } else {
            EXPECT_EQ(lastMessage().icon, int(Msg::Information));
            EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        }
    }
}

TEST_F(ClearTest, AStatementFailingMidwayLeavesTheDatabaseUnchanged)
{
    fill();
    sql(QStringLiteral("CREATE TRIGGER keep_dishes BEFORE DELETE ON cpdetail BEGIN SELECT RAISE(ABORT, 'dishes locked'); END"));
    const QString before = summary();
    DlgQCSJ& d = Forms::get<DlgQCSJ>();
    for (QCheckBox* b : {d.CheckXSSJ, d.CheckKCSJ, d.CheckCPXX, d.CheckSPDA, d.CheckYGXX, d.CheckFTXX})
        b->click();
    d.Command1->click();
    EXPECT_EQ(summary(), before);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("dishes locked")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_TRUE(Forms::isLoaded<DlgQCSJ>());
}

TEST_F(ClearTest, OpeningStateAndBoxDependencies)
{
    openDb();
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    DlgQCSJ& d = Forms::get<DlgQCSJ>();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("清除数据"));
    EXPECT_EQ(d.DateStart->dateTime(), QDateTime(QDate(2026, 12, 10), QTime(0, 0, 0)));
    EXPECT_EQ(d.DateEnd->dateTime(), QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59)));
    EXPECT_EQ(d.DateStart->displayFormat(), QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    EXPECT_TRUE(d.Option1->isChecked());
    EXPECT_TRUE(d.DateStart->isEnabled());   // until the first click of an option
    for (QCheckBox* b : {d.CheckXSSJ, d.CheckKCSJ, d.CheckYGXX, d.CheckFTXX, d.CheckCPXX, d.CheckSPDA}) {
        EXPECT_TRUE(b->isEnabled());
        EXPECT_FALSE(b->isChecked());
    }
    screenshot(&d, QStringLiteral("DlgQCSJ"));

    d.Option1->click();
    EXPECT_FALSE(d.DateStart->isEnabled());
    EXPECT_FALSE(d.DateEnd->isEnabled());
    d.Option2->click();
    EXPECT_TRUE(d.DateEnd->isEnabled());

    d.CheckXSSJ->click();
    d.CheckKCSJ->click();
    d.CheckYGXX->click();
    d.CheckCPXX->click();
    EXPECT_TRUE(d.CheckSPDA->isEnabled());
    d.CheckSPDA->click();
    // Unticking sales unticks and disables staff, tables and dishes, and
    // through the dishes rule the goods.
    d.CheckXSSJ->click();
    for (QCheckBox* b : {d.CheckYGXX, d.CheckFTXX, d.CheckCPXX, d.CheckSPDA}) {
        EXPECT_FALSE(b->isEnabled());
        EXPECT_FALSE(b->isChecked());
    }
    d.CheckXSSJ->click();
    d.CheckCPXX->click();
    EXPECT_TRUE(d.CheckSPDA->isEnabled());
    d.CheckKCSJ->click();
    EXPECT_FALSE(d.CheckSPDA->isEnabled());

    d.Command2->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<DlgQCSJ>());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ClearTest, StockBillsDatedByTheDayAloneCountAsThatDaysMidnight)
{
    openDb();
    for (const char* day : {"2026-12-09", "2026-12-10", "2026-12-11"}) {
        const QVariantList v{QString::fromLatin1(day), QString::fromLatin1(day)};
        sql(QStringLiteral("INSERT INTO stock_in_bill (stock_bill_id, stock_in_date) VALUES (?, ?)"), v);
        sql(QStringLiteral("INSERT INTO stock_out_bill (stock_bill_id, stock_Out_date) VALUES (?, ?)"), v);
        sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, code) VALUES (?, 'g1')"), {v[0]});
    }
    // The day's default range, 00:00:00 to 23:59:59, takes the bills of that day.
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    DlgQCSJ& d = Forms::get<DlgQCSJ>();
    d.Option2->click();
    d.CheckKCSJ->click();
    d.Command1->click();
    processEvents();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("数据清除完毕！")});
    EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_in_bill ORDER BY 1")),
              QStringLiteral("2026-12-09,2026-12-11"));
    EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_out_bill ORDER BY 1")),
              QStringLiteral("2026-12-09,2026-12-11"));
    EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM rkgl2004 ORDER BY 1")),
              QStringLiteral("2026-12-09,2026-12-11"));
}

TEST_F(ClearTest, ATableOpenedOnAnotherTillWhileTheClearingWaitsIsSeen)
{
    fill();
    openDb();
    const QString before = summary();
    // The other till opens T1 for guests; its write is under way when
    // "清  除" is pressed and done while the clearing waits for the lock.
    {
        TillWriting other(dbPath(),
                          {QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, sts) VALUES ('20261210180000', 'T1', 'A')"),
                           QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, fsxh) VALUES ('20261210180000', 0)"),
                           QStringLiteral("UPDATE house_table SET othersts = 'A' WHERE table_id = 'T1'")},
                          300);
        DlgQCSJ& d = Forms::get<DlgQCSJ>();
        d.CheckXSSJ->click();
        d.Command1->click();
    }
    EXPECT_EQ(messages(), QStringList{QStringLiteral("有未清台的房台或预定房台!")});
    EXPECT_EQ(WaitCursor::timesShown(), 1);
    EXPECT_EQ(summary(), QString(before)
                             .replace(QStringLiteral("seat=09000000,10120000,10123000,10130000"),
                                      QStringLiteral("seat=09000000,10120000,10123000,10130000,10180000"))
                             .replace(QStringLiteral("lines=09000000,10120000,10123000,10130000"),
                                      QStringLiteral("lines=09000000,10120000,10123000,10130000,10180000"))
                             .replace(QStringLiteral("T1:CC"), QStringLiteral("T1:AC")));
    EXPECT_TRUE(Forms::isLoaded<DlgQCSJ>());
}

// The clearing reads the bill dates through their indexes; it removes exactly
// the bills that reading every date as SQLite reads a date-time selects, for
// the stored form and every other spelling a file may hold.
TEST_F(ClearTest, StockBillsOfEverySpellingAreClearedAsTheirDateReads)
{
    openDb();
    // A file made before the indexes of odd dates gets them from its first clearing.
    sql(QStringLiteral("DROP INDEX stock_out_bill_odd_date"));
    const char* spellings[] = {
        "2026-12-10 12:00:00", "2026-12-10 11:59:59", "2026-12-10 13:00:01", "2026-12-10", "2026-12-10T12:30:00",
        "2026-12-10 12:30", "2026-12-10 12:59:59.999", "2026-12-10 13:00:00.5", "2026-12-10 20:30:00+08:00",
        "2026-12-09 23:30:00-13:00", "2026-12-11 01:00:00+13:00", "2026-12-10 12:30:00 ", "2026-12-10 12:3x",
        "2026-12-10 junk", " 2026-12-10 12:30:00", "2461020.0", "2461020.02", "02461020.02", "2.46102002e6",
        "12:30", "12:30:00", "2000-01-01 12:30:00", "1999-12-31", "now", "NOW", "", "junk", "2026/12/10 12:30:00",
        "2026-12-10t12:30:00", "2026-13-10 12:30:00", "2026-12-10 24:00:00"};
    int n = 0;
    for (const char* spelling : spellings)
        for (const char* table : {"stock_in_bill (stock_bill_id, stock_in_date)", "stock_out_bill (stock_bill_id, stock_out_date)"})
            sql(QStringLiteral("INSERT INTO %1 VALUES (?, ?)").arg(QString::fromLatin1(table)),
                {QStringLiteral("B%1").arg(n++, 2, 10, QChar(u'0')), QString::fromLatin1(spelling)});
    sql(QStringLiteral("INSERT INTO stock_out_bill (stock_bill_id, stock_out_date) VALUES ('BN', NULL), ('BB', CAST('2026-12-10 12:30:00' AS BLOB))"));
    sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, code) SELECT stock_bill_id, 'g1' FROM stock_in_bill"));
    sql(QStringLiteral("INSERT INTO ckgl2004 (stock_bill_id, code) SELECT stock_bill_id, 'g1' FROM stock_out_bill"));

    const struct {
        QDateTime start, end;
    } ranges[] = {{QDateTime(QDate(2026, 12, 10), QTime(12, 0)), QDateTime(QDate(2026, 12, 10), QTime(13, 0))},
                  {QDateTime(QDate(2000, 1, 1), QTime(0, 0)), QDateTime(QDate(2000, 1, 1), QTime(23, 59, 59))},
                  {QDateTime(QDate(2026, 12, 10), QTime(0, 0)), QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59))}};
    for (const auto& r : ranges) {
        SCOPED_TRACE(r.start.toString().toStdString());
        const QVariantList bounds{DateTimeText::format(r.start), DateTimeText::format(r.end)};
        // What stays: the bills the date read as a date-time leaves out.
        const auto staying = [&](const char* bills, const char* date) {
            return ids(QStringLiteral("SELECT stock_bill_id AS k FROM %1 WHERE NOT coalesce(coalesce(datetime(%2), %2)"
                                      " BETWEEN '%3' AND '%4', 0) ORDER BY 1")
                           .arg(QString::fromLatin1(bills), QString::fromLatin1(date), bounds[0].toString(),
                                bounds[1].toString()));
        };
        const QString in = staying("stock_in_bill", "stock_in_date"), out = staying("stock_out_bill", "stock_out_date");
        ASSERT_NE(in, ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_in_bill ORDER BY 1")));
        DlgQCSJ& d = Forms::get<DlgQCSJ>();
        d.Option2->click();
        d.CheckKCSJ->click();
        d.DateStart->setDateTime(r.start);
        d.DateEnd->setDateTime(r.end);
        d.Command1->click();
        processEvents();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("数据清除完毕！")});
        MessageSeam::clear();
        EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_in_bill ORDER BY 1")), in);
        EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM rkgl2004 ORDER BY 1")), in);
        EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM stock_out_bill ORDER BY 1")), out);
        EXPECT_EQ(ids(QStringLiteral("SELECT stock_bill_id AS k FROM ckgl2004 ORDER BY 1")), out);
    }
    EXPECT_EQ(count(QStringLiteral("sqlite_master"), QStringLiteral("WHERE name LIKE '%odd_date'")), 2);
}

