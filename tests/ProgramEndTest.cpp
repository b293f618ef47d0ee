// The end of the program: however it ends normally, the database file alone
// holds every saved row and no journal is left beside it, so a user who
// backs the database up or moves it by copying that one file loses nothing.
// Each end runs in a copy of the test program started afresh (a death test
// in its "threadsafe" style), which shares no SQLite state with this one.
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <optional>
#include "shell/FrmMain.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"
#include "stockin/FrmRKGL.h"
#include "stockin/StockInDialogs.h"
#include "tests/TestSupport.h"

namespace {

// The database of the test, handed to the copy that ends.
const char* const EndingDatabase = "TABULOR_TEST_ENDING_DATABASE";

enum class Ending { ExitButton, CloseBox, LoginClosed };

class EndingCopy : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        m_style = GTEST_FLAG_GET(death_test_style);
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        // The copy runs the test again from its start: it works on the
        // database of the test that started it.
        const QByteArray given = qgetenv(EndingDatabase);
        m_inEndingCopy = !given.isEmpty();
        if (m_inEndingCopy)
            m_dbPath = QString::fromLocal8Bit(given);
        else
            qputenv(EndingDatabase, m_dbPath.toLocal8Bit());
    }
    void TearDown() override
    {
        if (!m_inEndingCopy)
            qunsetenv(EndingDatabase);
        GTEST_FLAG_SET(death_test_style, m_style);
        TabulorTest::TearDown();
    }

    // In the copy: the user saves three stock-in bills (入库管理, 新增,
    // 保存, three times), or before anyone logged in three users are stored
    // on the login's connection, then ends the program as the case says.
    void saveAndEnd(Ending ending)
    {
        if (ending == Ending::LoginClosed) {
            writePathFile();
            ASSERT_EQ(Module1::Main(), QStringLiteral("FrmXTDL"));
            for (const char* user : {"e1", "e2", "e3"})
                Db::exec(QStringLiteral("INSERT INTO level_user (usercode, username, password, setfun) "
                                        "VALUES (?, ?, '', '000')"),
                         {QString::fromLatin1(user), QString::fromLatin1(user)});
            endNow();
            Forms::get<FrmXTDL>().Command2->click();
            return;
        }
        startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
        Forms::onModal(QStringLiteral("FrmRKDADD"),
                       [](Form& d) { QTest::mouseClick(static_cast<FrmRKDADD&>(d).Save, Qt::LeftButton); });
        Forms::onModal(QStringLiteral("FrmRKGL"), [](Form& w) {
            // A bill a minute: each takes its own number.
            for (int i = 0; i < 3; ++i) {
                Clock::fix(QDateTime(QDate(2026, 12, 11), QTime(10, i, 0)));
                static_cast<StockBillWindow&>(w).Toolbar1->click(StockBillWindow::BtnNew);
            }
        });
        FrmMain& main = Forms::get<FrmMain>();
        main.CmdKFGL->click();
        main.CmdRKGL->click();
        ASSERT_EQ(messages().count(QStringLiteral("保存成功!")), 3);
        endNow();
        MessageSeam::answer(Msg::OK);   // 是否退出系统?
        if (ending == Ending::ExitButton)
            main.CmdXTTC->click();
        else
            main.close();
    }

    // The next end ends the copy. Its own folder goes first: no tear-down
    // runs after the end.
    void endNow()
    {
        ProcessSeam::stopScripting();
        m_dir.remove();
    }

    // What the rows saved in the copy leave in the table they went to.
    static QString savedTable(Ending ending)
    {
        return ending == Ending::LoginClosed ? QStringLiteral("level_user") : QStringLiteral("stock_in_bill");
    }

    // The rows of a table in a copy of the database file alone, as a user
    // copies it to back it up; -1 when the copy cannot be read.
    int rowsInCopyOfTheFileAlone(const QString& table)
    {
        const QString copy = tempPath(QStringLiteral("backup-%1.db").arg(++m_copies));
        if (!QFile::copy(m_dbPath, copy))
            return -1;
        int rows = -1;
        const QString name = QStringLiteral("backup-copy");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(copy);
            if (db.open()) {
                QSqlQuery q(db);
                if (q.exec(QStringLiteral("SELECT count(*) FROM ") + table) && q.next())
                    rows = q.value(0).toInt();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return rows;
    }
    bool journalBesideTheFile() const
    {
        return QFile::exists(m_dbPath + QStringLiteral("-wal")) || QFile::exists(m_dbPath + QStringLiteral("-shm"));
    }
    // The rows of the table before the copy saved its three.
    int rowsBefore(const QString& table)
    {
        const int n = count(table);
        Db::closeShared();   // the test's own connection is no other copy of the program
        return n;
    }

    bool m_inEndingCopy = false;
    std::string m_style;
    int m_copies = 0;
};

class ProgramEnd : public EndingCopy, public ::testing::WithParamInterface<Ending> {};

} // namespace

TEST_P(ProgramEnd, TheFileAloneHoldsEverySavedRowAndNoJournalIsLeft)
{
    const Ending ending = GetParam();
    const QString table = savedTable(ending);
    const int before = m_inEndingCopy ? 0 : rowsBefore(table);

    EXPECT_EXIT(saveAndEnd(ending), ::testing::ExitedWithCode(0), "");

    EXPECT_FALSE(journalBesideTheFile());
    EXPECT_EQ(rowsInCopyOfTheFileAlone(table), before + 3);
}

// Another copy of the program still working on the file when this one ends:
// it goes on reading and saving, and when it ends in its turn the file alone
// holds the rows of both.
TEST_F(EndingCopy, AnotherCopyStillOnTheFileGoesOnAndTheLastToEndLeavesTheFileWhole)
{
    const Ending ending = Ending::ExitButton;
    const QString table = savedTable(ending);
    const int before = m_inEndingCopy ? 0 : rowsBefore(table);
    std::optional<OtherTill> other;
    if (!m_inEndingCopy)
        other.emplace(m_dbPath);

    EXPECT_EXIT(saveAndEnd(ending), ::testing::ExitedWithCode(0), "");

    ASSERT_TRUE(other);
    EXPECT_EQ(other->value(QStringLiteral("SELECT count(*) FROM ") + table).toInt(), before + 3);
    other->exec(QStringLiteral("INSERT INTO cust (code, name, use_type) VALUES ('E9', '赵六', '1')"));
    other.reset();
    EXPECT_FALSE(journalBesideTheFile());
    EXPECT_EQ(rowsInCopyOfTheFileAlone(table), before + 3);
    EXPECT_EQ(rowsInCopyOfTheFileAlone(QStringLiteral("cust WHERE code = 'E9'")), 1);
}

INSTANTIATE_TEST_SUITE_P(EachEnd, ProgramEnd,
                         ::testing::Values(Ending::ExitButton, Ending::CloseBox, Ending::LoginClosed),
                         [](const ::testing::TestParamInfo<Ending>& info) {
                             switch (info.param) {
                             case Ending::ExitButton: return std::string("ExitButton");
                             case Ending::CloseBox: return std::string("CloseBox");
                             case Ending::LoginClosed: return std::string("LoginClosed");
                             }
                             return std::string();
                         });
