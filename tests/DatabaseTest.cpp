// The database layer: opening, result sets, transactions, money and dates.
#include <QFile>
#include <QFileInfo>
#include "db/DateTimeText.h"
#include "db/Money.h"
#include "shell/PasswordHash.h"
#include "tests/TestSupport.h"

TEST_F(TabulorTest, ProbeFailsForMissingOrNonDatabaseFileAndCreatesNothing)
{
    const QString missing = tempPath(QStringLiteral("nowhere.db"));
    EXPECT_FALSE(Db::probe(missing));
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = tempPath(QStringLiteral("notes.txt"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is no database, just some words in a file\n");
    f.close();
    EXPECT_FALSE(Db::probe(text));
    // An empty file is no database either, and probing leaves it empty.
    const QString empty = tempPath(QStringLiteral("empty.db"));
    QFile e(empty);
    ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    e.close();
    EXPECT_FALSE(Db::probe(empty));
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    // Another program's database (no users table) is refused and left as it was.
    const QString foreign = tempPath(QStringLiteral("foreign.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        db.setDatabaseName(foreign);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE notes (t TEXT)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    QString why;
    EXPECT_FALSE(Db::probe(foreign, &why));
    EXPECT_TRUE(why.startsWith(DbError::sentence(DbError::Damaged) + u'\n')) << qPrintable(why);
    EXPECT_TRUE(why.contains(QStringLiteral("不是有效的数据库文件"))) << qPrintable(why);
    EXPECT_FALSE(QFile::exists(foreign + QStringLiteral("-wal")));
    EXPECT_FALSE(Db::probe(QString()));
    EXPECT_FALSE(Db::probe(tempPath(QString())));   // a folder

    EXPECT_TRUE(Db::probe(dbPath()));
}

TEST_F(TabulorTest, DatabaseInAnotherJournalModeOpensInWal)
{
    // A copy kept in the rollback journal mode (as other tools leave it).
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain"));
        db.setDatabaseName(dbPath());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("plain"));
    QString why;
    EXPECT_TRUE(Db::probe(dbPath(), &why)) << qPrintable(why);
    openDb();
    EXPECT_EQ(value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
}

TEST_F(TabulorTest, SharedConnectionRunsWithWalAndFullSync)
{
    openDb();
    EXPECT_EQ(value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(value(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    EXPECT_EQ(value(QStringLiteral("PRAGMA busy_timeout")).toInt(), 5000);
}

TEST_F(TabulorTest, RecordsetMovesReadsCaseInsensitiveAndChangesRows)
{
    sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('2', 'b'), ('10', 'c'), ('1', 'a')"));
    Recordset rs;
    rs.openTable(QStringLiteral("house_bm"));
    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.field(QStringLiteral("FCODE")).toString(), QStringLiteral("2"));   // insertion order
    rs.MoveLast();
    EXPECT_EQ(rs.text(QStringLiteral("fname")), QStringLiteral("a"));
    rs.MovePrevious();
    EXPECT_EQ(rs.text(QStringLiteral("fname")), QStringLiteral("c"));
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.isEOF());
    EXPECT_THROW(rs.field(QStringLiteral("fname")), DbError);
    rs.MoveFirst();
    EXPECT_THROW(rs.field(QStringLiteral("nosuch")), DbError);

    // change, add, delete through the result set; values are bound as typed
    rs.setField(QStringLiteral("fname"), QStringLiteral("O'Brien"));
    rs.Update();
    rs.AddNew();
    rs.setField(QStringLiteral("fcode"), QStringLiteral("001"));
    rs.setField(QStringLiteral("fname"), QStringLiteral("x"));
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 4);
    rs.Move(1);   // the row of "10"
    rs.Delete();

    Recordset back;
    back.open(QStringLiteral("SELECT fcode, fname FROM house_bm WHERE fcode IN (?, ?) ORDER BY fcode"),
              {QStringLiteral("2"), QStringLiteral("001")});
    ASSERT_EQ(back.RecordCount(), 2);
    EXPECT_EQ(back.text(QStringLiteral("fcode")), QStringLiteral("001"));   // "001" is not "1"
    back.MoveNext();
    EXPECT_EQ(back.text(QStringLiteral("fname")), QStringLiteral("O'Brien"));
    EXPECT_EQ(count(QStringLiteral("house_bm")), 3);
    EXPECT_EQ(count(QStringLiteral("house_bm"), QStringLiteral("WHERE fcode = '10'")), 0);
    // text compares without regard to letter case
    EXPECT_EQ(count(QStringLiteral("house_bm"), QStringLiteral("WHERE fname = 'o''brien'")), 1);
}

TEST_F(TabulorTest, TransactionRollsBackUnlessCommittedAndActionReportsError)
{
    openDb();
    {
        Transaction tx;
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
    }
    EXPECT_EQ(count(QStringLiteral("house_bm")), 0);

    const bool ok = RunDbAction([&] {
        Transaction tx;
        Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
        {
            Transaction inner;
            Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('2', 'b')"));
            inner.commit();
        }
        Db::exec(QStringLiteral("INSERT INTO no_such_table VALUES (1)"));
        tx.commit();
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(count(QStringLiteral("house_bm")), 0);
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));

    {
        Transaction tx;
        sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
        tx.commit();
    }
    EXPECT_EQ(count(QStringLiteral("house_bm")), 1);
}

TEST(Money, ParsesFormatsAndAddsExactly)
{
    struct Case { const char* text; bool ok; const char* two; const char* plain; };
    const Case cases[] = {
        {"125.5", true, "125.50", "125.5"},
        {"0", true, "0.00", "0"},
        {"-3", true, "-3.00", "-3"},
        {"0.005", true, "0.01", "0.005"},
        {"12.34567", true, "12.35", "12.3457"},
        {"1e3", false, "0.00", "0"},
        {"", false, "0.00", "0"},
        {"12.3.4", false, "0.00", "0"},
        {".5", true, "0.50", "0.5"},
    };
    for (const Case& c : cases) {
        bool ok = false;
        const Money m = Money::parse(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_EQ(m.format(2), QString::fromLatin1(c.two)) << c.text;
        EXPECT_EQ(m.plain(), QString::fromLatin1(c.plain)) << c.text;
    }
    Money sum;
    for (int i = 0; i < 10; ++i)
        sum += Money::fromVariant(QVariant(0.1));
    EXPECT_EQ(sum, Money::parse(QStringLiteral("1")));
    EXPECT_EQ(Money::parse(QStringLiteral("18.8")).times(-2).plain(), QStringLiteral("-37.6"));
    EXPECT_EQ(Money::fromVariant(QVariant()).plain(), QStringLiteral("0"));
    EXPECT_EQ(Money::fromVariant(QStringLiteral("abc")).plain(), QStringLiteral("0"));
}

TEST(DateTimeText, ShownTimeConvertsBackToStoredValueAndId)
{
    const QString stored = QStringLiteral("2026-12-10 09:05:07");
    const QDateTime t = DateTimeText::parse(stored);
    ASSERT_TRUE(t.isValid());
    EXPECT_EQ(DateTimeText::format(t), stored);
    EXPECT_EQ(DateTimeText::toId(t), QStringLiteral("20261210090507"));
    EXPECT_EQ(DateTimeText::fromId(QStringLiteral("20261210090507")), t);
    EXPECT_EQ(DateTimeText::format(DateTimeText::parse(QStringLiteral("2026-12-10"))), QStringLiteral("2026-12-10 00:00:00"));
    EXPECT_FALSE(DateTimeText::parse(QStringLiteral("10/12/2026")).isValid());
}

TEST_F(TabulorTest, SeedHoldsSystemUserWithEveryFunctionAndRoleMaxId)
{
    EXPECT_EQ(count(QStringLiteral("level_user"), QStringLiteral("WHERE usercode = 'SYSTEM'")), 1);
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("admin"),
                                     value(QStringLiteral("SELECT password FROM level_user WHERE usercode = 'SYSTEM'")).toString()));
    EXPECT_EQ(count(QStringLiteral("sysmcwh"), QStringLiteral("WHERE class = 'CDL' AND parentid = '0'")), 4);
    EXPECT_EQ(count(QStringLiteral("level_info"), QStringLiteral("WHERE usercode = 'SYSTEM'")), 24);
    EXPECT_EQ(value(QStringLiteral("SELECT XTCS_VALUE FROM SYSXTCS WHERE XTCS_NAME = 'rolemaxid'")).toString(),
              value(QStringLiteral("SELECT CAST(max(id) AS TEXT) FROM level_info")).toString());
}

TEST_F(TabulorTest, DemoDatabaseBuilds)
{
    const QString demo = tempPath(QStringLiteral("demo.db"));
    Db::buildDatabaseFile(demo, true);
    EXPECT_TRUE(Db::probe(demo));
    // No password of the demo is stored in clear.
    Db::openShared(demo);
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT count(*) FROM level_user WHERE password NOT LIKE 'pbkdf2-sha256$%'")).toInt(), 0);
    // The logins the README names.
    for (const auto& [user, password] : {std::pair{"SYSTEM", "admin"}, std::pair{"001", "1234"}})
        EXPECT_TRUE(PasswordHash::verify(QString::fromLatin1(password),
                                         Db::scalar(QStringLiteral("SELECT password FROM level_user WHERE usercode = ?"),
                                                    {QString::fromLatin1(user)}).toString())) << user;
    Db::closeShared();
    EXPECT_THROW(Db::buildDatabaseFile(demo, true), DbError);   // never overwrites
}
