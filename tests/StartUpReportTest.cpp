// The start-up report: with TABULOR_STARTUP_REPORT set, the program file
// started from a folder says which window it showed first and after how long,
// and quits; 0 only for the login window.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "db/Database.h"
#include "shell/Module1.h"

namespace {

struct Started {
    QString line;
    int exitCode = -1;
};

// Starts a copy of the program in the folder, as a user starts it.
Started startIn(const QString& folder)
{
    const QString copy = QDir(folder).filePath(QStringLiteral("tabulor"));
    if (!QFile::exists(copy))
        EXPECT_TRUE(QFile::copy(QStringLiteral(TABULOR_PROGRAM), copy));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TABULOR_STARTUP_REPORT"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(copy, {});
    EXPECT_TRUE(program.waitForFinished(60000));
    return {QString::fromUtf8(program.readAllStandardOutput()).trimmed(), program.exitCode()};
}

} // namespace

TEST(StartUpReport, SaysTheFirstWindowAndItsTimeThenQuits)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    // No path file yet: the path setup comes first, which is no start-up to the login window.
    Started run = startIn(folder.path());
    EXPECT_TRUE(run.line.startsWith(QStringLiteral("FrmPathSetup "))) << run.line.toStdString();
    EXPECT_EQ(run.exitCode, 1);

    // A database named in the path file: the login window, reported with its time.
    const QString db = QDir(folder.path()).filePath(QStringLiteral("start.db"));
    Db::buildDatabaseFile(db, false);
    QFile path(QDir(folder.path()).filePath(Module1::PathFileName));
    ASSERT_TRUE(path.open(QIODevice::WriteOnly));
    path.write((db + QStringLiteral("\r\n")).toUtf8());
    path.close();
    run = startIn(folder.path());
    const QStringList words = run.line.split(u' ');
    ASSERT_EQ(words.size(), 2) << run.line.toStdString();
    EXPECT_EQ(words[0], QStringLiteral("FrmXTDL"));
    bool number = false;
    const double ms = words[1].toDouble(&number);
    EXPECT_TRUE(number && ms > 0 && ms < 60000) << run.line.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    // The login's connection was closed on the way out: no journal is left.
    EXPECT_FALSE(QFile::exists(db + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(db + QStringLiteral("-shm")));
}
