// The database layer: opening, result sets, transactions, money and dates.
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <QSqlQuery>
#include "db/DateTimeText.h"
#include "db/Decimal.h"
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
    EXPECT_EQ(value(QStringLiteral("PRAGMA threads")).toInt(), 2);   // large sorts of the reports
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
    // Rounding to the shown decimals, half away from zero; no sign on a zero.
    EXPECT_EQ(Money::parse(QStringLiteral("-0.004")).format(2), QStringLiteral("0.00"));
    EXPECT_EQ(Money::parse(QStringLiteral("-0.005")).format(2), QStringLiteral("-0.01"));
    EXPECT_EQ(Money::parse(QStringLiteral("12.5")).format(0), QStringLiteral("13"));
    EXPECT_EQ(Money::parse(QStringLiteral("-1234567890123.0405")).format(4), QStringLiteral("-1234567890123.0405"));
    EXPECT_EQ(Money::parse(QStringLiteral("100")).format(1), QStringLiteral("100.0"));
}

TEST(Decimal, KeepsTypedStockNumbersExactly)
{
    struct Case { const char* text; bool ok; const char* plain; const char* two; };
    const Case cases[] = {
        {"0.12345", true, "0.12345", "0.12"},
        {".1234567", true, "0.1234567", "0.12"},
        {"-3", true, "-3", "-3.00"},
        {"0.000000000000005", true, "0.00000000000001", "0.00"},   // past the last place: rounded
        {"99999999999999999999", true, "100000000000000000000", "99999999999999999999.00"},
        {"123456789012345678901", false, "0", "0.00"},   // out of range
        {"12.3.4", false, "0", "0.00"},
        {"1e3", false, "0", "0.00"},
        {"", false, "0", "0.00"},
        {"-0.004", true, "-0.004", "0.00"},
    };
    for (const Case& c : cases) {
        bool ok = false;
        const Decimal d = Decimal::parse(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_EQ(d.plain(), QString::fromLatin1(c.plain)) << c.text;
        EXPECT_EQ(d.format(2), QString::fromLatin1(c.two)) << c.text;
    }
    const auto dec = [](const char* text) { return Decimal::parse(QString::fromLatin1(text)); };
    EXPECT_EQ(Decimal::leadingValue(QStringLiteral("3kg")), dec("3"));
    EXPECT_EQ(Decimal::leadingValue(QStringLiteral("12.5.3")), dec("12.5"));
    EXPECT_EQ(Decimal::leadingValue(QStringLiteral(".")), Decimal{});

    // Products of two typed values are exact; the display keeps 15
    // significant digits.
    EXPECT_EQ(dec("3").times(dec("0.12345")).plain(), QStringLiteral("0.37035"));
    EXPECT_EQ(dec(".1234567").times(dec("99999999")).plain(), QStringLiteral("12345669.8765433"));
    EXPECT_EQ(dec("99999999").times(dec("99999999")), dec("9999999800000001"));
    EXPECT_EQ(dec("99999999").times(dec("99999999")).plain(), QStringLiteral("9999999800000000"));
    EXPECT_EQ(dec("-0.5").times(dec("3")), dec("-1.5"));
    EXPECT_GT(dec("99999999999999999999").times(dec("99999999999999999999")), dec("99999999999999999999"));
    EXPECT_EQ(dec("0.49995").format(0), QStringLiteral("0"));
    EXPECT_EQ(dec("2.5").format(0), QStringLiteral("3"));

    // What a REAL column stores reads back as the same value, and sums of
    // stored values are exact.
    for (const char* text : {"0.37035", "10.2469", "1234567.1234567", "0.00001", "-7.25", "11.3579969"}) {
        EXPECT_EQ(Decimal::fromDouble(dec(text).toDouble()), dec(text)) << text;
        EXPECT_EQ(Decimal::fromVariant(dec(text).toVariant()), dec(text)) << text;
    }
    Decimal sum;
    for (int i = 0; i < 10; ++i)
        sum += Decimal::fromVariant(QVariant(0.1));
    EXPECT_EQ(sum, dec("1"));
    EXPECT_EQ(Decimal::fromVariant(QVariant(qlonglong(42))), dec("42"));
    EXPECT_EQ(Decimal::fromVariant(QStringLiteral("abc")), Decimal{});
    EXPECT_EQ(Decimal::fromDouble(std::numeric_limits<double>::infinity()), Decimal{});
    EXPECT_EQ(Decimal::fromDouble(1e300), Decimal{});
    // Money converts without loss.
    EXPECT_EQ(Decimal(Money::parse(QStringLiteral("-12.3457"))), dec("-12.3457"));
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
    // Read as the general parser reads them: blanks around, the shorter
    // forms, and impossible dates and times.
    EXPECT_EQ(DateTimeText::parse(QStringLiteral(" 2026-12-10 09:05:07 ")), t);
    EXPECT_EQ(DateTimeText::format(DateTimeText::parse(QStringLiteral("2026-12-10 09:05"))), QStringLiteral("2026-12-10 09:05:00"));
    for (const char* wrong : {"2026-13-10 09:05:07", "2026-02-30 09:05:07", "2026-12-10 24:00:00", "2026-12-10 09:60:00",
                              "2026-12-1x 09:05:07", "2026-12-10T09:05:07"})
        EXPECT_FALSE(DateTimeText::parse(QString::fromLatin1(wrong)).isValid()) << wrong;
    EXPECT_EQ(DateTimeText::format(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59))), QStringLiteral("2024-02-29 23:59:59"));
    EXPECT_EQ(DateTimeText::format(QDateTime(QDate(999, 1, 2), QTime(3, 4, 5))), QStringLiteral("0999-01-02 03:04:05"));
    EXPECT_EQ(DateTimeText::format(QDateTime()), QString());
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

TEST_F(TabulorTest, AReadThatFailsPartWayIsAnErrorNotAShortResult)
{
    sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a'), ('2', 'b'), ('3', 'c'), ('4', 'd')"));
    const QString all = QStringLiteral("SELECT * FROM house_bm ORDER BY rowid");

    // The third row fails to read: the result set throws and holds nothing.
    Recordset rs;
    rs.open(all);
    Db::injectReadFault(3, QStringLiteral("house_bm"));
    try {
        rs.open(all);
        ADD_FAILURE() << "a short read passed for a whole one";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind, DbError::Read);
        EXPECT_TRUE(e.text.startsWith(DbError::sentence(DbError::Read) + u'\n')) << qPrintable(e.text);
    }
    EXPECT_EQ(rs.RecordCount(), 0);
    rs.open(all);   // the fault was used up
    EXPECT_EQ(rs.RecordCount(), 4);

    // A loop of its own over a query steps with Db::next and stops the same way.
    Db::injectReadFault(3);
    QSqlQuery q = Db::run(all);
    int read = 0;
    EXPECT_THROW(while (Db::next(q)) ++read, DbError);
    EXPECT_EQ(read, 2);
    Db::injectReadFault(1, QStringLiteral("count"));
    EXPECT_THROW(Db::scalar(QStringLiteral("SELECT count(*) FROM house_bm")), DbError);

    // A real error of SQLite at the third row (an integer overflow there).
    EXPECT_THROW(rs.open(QStringLiteral("SELECT CASE WHEN fcode = '3' THEN abs(-9223372036854775807 - 1) ELSE 1 END"
                                        " FROM house_bm ORDER BY rowid")),
                 DbError);
    EXPECT_EQ(rs.RecordCount(), 0);
}

TEST_F(TabulorTest, AWriteWaitsForAnotherTillUnderTheWaitCursorThenSaysNothingWasSaved)
{
    Db::setBusyTimeout(300);
    openDb();
    OtherTill other(dbPath());
    other.exec(QStringLiteral("BEGIN IMMEDIATE"));
    other.exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('9', 'other')"));

    // A two-row action and a single change: both give up after the wait.
    const std::function<void()> actions[] = {
        [] {
            Transaction tx;
            Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
            Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('2', 'b')"));
            tx.commit();
        },
        [] { Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('3', 'c')")); },
    };
    for (const auto& action : actions) {
        MessageSeam::clear();
        WaitCursor::resetCount();
        EXPECT_FALSE(RunDbAction(action));
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::Busy) + u'\n')) << qPrintable(messages()[0]);
        EXPECT_TRUE(messages()[0].contains(QStringLiteral("没有保存任何数据")));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(WaitCursor::timesShown(), 1);
        EXPECT_FALSE(WaitCursor::showing());
    }
    other.exec(QStringLiteral("COMMIT"));
    EXPECT_EQ(count(QStringLiteral("house_bm")), 1);   // only the other till's row
    EXPECT_EQ(value(QStringLiteral("PRAGMA busy_timeout")).toInt(), 300);

    // Free again: the same action stores its rows without waiting.
    WaitCursor::resetCount();
    EXPECT_TRUE(RunDbAction(actions[0]));
    EXPECT_EQ(count(QStringLiteral("house_bm")), 3);
    EXPECT_EQ(WaitCursor::timesShown(), 0);
}

TEST_F(TabulorTest, AWriteThatGetsTheLockWithinTheWaitIsStored)
{
    openDb();
    bool stored = false;
    {
        TillWriting other(dbPath(), {QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('9', 'other')")}, 300);
        stored = RunDbAction([] {
            Transaction tx;
            Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
            tx.commit();
        });
    }
    EXPECT_TRUE(stored) << qPrintable(messages().join(u'|'));
    EXPECT_EQ(WaitCursor::timesShown(), 1);
    EXPECT_EQ(count(QStringLiteral("house_bm")), 2);
}

TEST_F(TabulorTest, AFullDiskAndAReadOnlyFileEachHaveTheirOwnMessage)
{
    // Full: the database may not grow by a single page.
    openDb();
    sql(QStringLiteral("PRAGMA max_page_count = ") + value(QStringLiteral("PRAGMA page_count")).toString());
    EXPECT_FALSE(RunDbAction([] {
        Transaction tx;
        Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
        Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('2', hex(randomblob(100000)))"));
        tx.commit();
    }));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::DiskFull) + u'\n')) << qPrintable(messages()[0]);
    Db::closeShared();   // the page limit goes with the connection
    EXPECT_EQ(count(QStringLiteral("house_bm")), 0);
    Db::closeShared();

    // Read-only file: it opens and reads, and a save says why it cannot store.
    ReadOnlyGuard readOnly(dbPath());
    if (!readOnly.ok())
        GTEST_SKIP() << "cannot make a file read-only here";
    const Db::ProbeResult probe = Db::probeFile(dbPath());
    EXPECT_TRUE(probe.ok) << qPrintable(probe.error);
    EXPECT_TRUE(probe.readOnly);
    MessageSeam::clear();
    EXPECT_EQ(count(QStringLiteral("level_user")), 1);
    EXPECT_FALSE(RunDbAction([] { Db::exec(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')")); }));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(DbError::sentence(DbError::ReadOnly) + u'\n')) << qPrintable(messages()[0]);
    EXPECT_FALSE(Db::probeFile(tempPath(QStringLiteral("x.db"))).readOnly);
}

TEST_F(TabulorTest, AReadOnlyFolderAndADamagedFileAreToldApart)
{
    EXPECT_FALSE(Db::probeFile(dbPath()).readOnly);
    {
        // Without its folder no WAL file can be made beside the database.
        ReadOnlyGuard folder(m_dir.path());
        if (!folder.ok())
            GTEST_SKIP() << "cannot make a folder read-only here";
        const Db::ProbeResult r = Db::probeFile(dbPath());
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.kind, DbError::ReadOnly);
        EXPECT_TRUE(r.error.startsWith(DbError::sentence(DbError::ReadOnly) + u'\n')) << qPrintable(r.error);
    }

    // Damaged: the header, or a page of the users table, overwritten.
    const QByteArray original = [&] {
        QFile f(dbPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_GT(original.size(), 4096 * 3);
    const struct { const char* name; qsizetype from; qsizetype length; } damages[] = {
        {"header", 0, 100},
        {"every page after the first", 4096, original.size() - 4096},
    };
    for (const auto& d : damages) {
        const QString copy = tempPath(QStringLiteral("damaged-%1.db").arg(d.from));
        QByteArray bytes = original;
        bytes.replace(d.from, d.length, QByteArray(d.length, '\x5a'));
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const Db::ProbeResult r = Db::probeFile(copy);
        EXPECT_FALSE(r.ok) << d.name;
        EXPECT_EQ(r.kind, DbError::Damaged) << d.name << ' ' << qPrintable(r.error);
        EXPECT_TRUE(r.error.startsWith(DbError::sentence(DbError::Damaged) + u'\n')) << d.name;
    }
    // Each kind has a sentence of its own.
    QStringList sentences;
    for (DbError::Kind k : {DbError::Open, DbError::Read, DbError::Write, DbError::Busy, DbError::DiskFull,
                            DbError::ReadOnly, DbError::Damaged, DbError::Changed})
        sentences << DbError::sentence(k);
    sentences.removeDuplicates();
    EXPECT_EQ(sentences.size(), 8);
}

TEST_F(TabulorTest, ANewConnectionThatFailsKeepsTheOneInUse)
{
    openDb();
    sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('1', 'a')"));
    EXPECT_THROW(Db::openShared(tempPath(QStringLiteral("nowhere.db"))), DbError);
    EXPECT_TRUE(Db::isOpen());
    EXPECT_EQ(Db::path(), dbPath());
    EXPECT_EQ(count(QStringLiteral("house_bm")), 1);
    sql(QStringLiteral("INSERT INTO house_bm (fcode, fname) VALUES ('2', 'b')"));

    // A good one replaces it.
    const QString second = tempPath(QStringLiteral("second.db"));
    Db::buildDatabaseFile(second, false);
    Db::openShared(second);
    EXPECT_EQ(Db::path(), second);
    EXPECT_EQ(count(QStringLiteral("house_bm")), 0);
}
