// Start-up, the path file and the path set-up window.
#include <QDir>
#include <QFile>
#include "shell/FrmPathSetup.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"
#include <QTest>
#include "tests/TestSupport.h"

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a test body with the current directory set to a folder of its own.
class InFolder {
public:
    explicit InFolder(const QString& folder) : m_old(QDir::currentPath())
    {
        QDir().mkpath(folder);
        QDir::setCurrent(folder);
    }
    ~InFolder() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

} // namespace

TEST_F(TabulorTest, StartWithoutPathFileOpensEmptyPathSetupSilently)
{
    InFolder here(tempPath(QStringLiteral("cwd")));
    EXPECT_EQ(Module1::Main(), QStringLiteral("FrmPathSetup"));
    ASSERT_TRUE(Forms::isLoaded<FrmPathSetup>());
    EXPECT_TRUE(Forms::get<FrmPathSetup>().TxtPath->text().isEmpty());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(Forms::isLoaded<FrmXTDL>());
}

TEST_F(TabulorTest, StartWithBadPathWarnsThenPathSetupAndCreatesNoFile)
{
    InFolder here(tempPath(QStringLiteral("cwd")));
    const QString missing = tempPath(QStringLiteral("gone/nothing.db"));
    const struct { const char* name; QByteArray content; } cases[] = {
        {"missing file", missing.toUtf8() + "\r\n"},
        {"empty path file", QByteArray()},
        {"blank line", "\r\n"},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        writeFile(QStringLiteral("DataBasePath.txt"), c.content);
        EXPECT_EQ(Module1::Main(), QStringLiteral("FrmPathSetup")) << c.name;
        ASSERT_EQ(messages(), QStringList{QStringLiteral("路径设置有误!")}) << c.name;
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_FALSE(QFile::exists(missing));
        EXPECT_EQ(readFile(QStringLiteral("DataBasePath.txt")), c.content) << "path file unchanged";
        Forms::unloadAll();
    }
}

TEST_F(TabulorTest, StartReadsPathFileFromCurrentFolderThenProgramFolder)
{
    InFolder here(tempPath(QStringLiteral("cwd")));
    writeFile(QDir(programFolder()).filePath(QStringLiteral("DataBasePath.txt")), dbPath().toUtf8() + "\r\n");
    EXPECT_EQ(Module1::Main(), QStringLiteral("FrmXTDL"));
    EXPECT_EQ(Module1::DatabasePath, dbPath());
    Forms::unloadAll();

    // The current folder's file wins.
    writeFile(QStringLiteral("DataBasePath.txt"), tempPath(QStringLiteral("other.db")).toUtf8() + "\r\n");
    EXPECT_EQ(Module1::Main(), QStringLiteral("FrmPathSetup"));
}

TEST_F(TabulorTest, PathSetupWritesProgramFolderFileAndDeletesCurrentOne)
{
    InFolder here(tempPath(QStringLiteral("cwd")));
    writeFile(QStringLiteral("databasepath.TXT"), "old\r\n");
    Module1::Main();
    FrmPathSetup& w = Forms::get<FrmPathSetup>();

    // Cancelling the dialog empties the box; setting then asks for a path.
    w.TxtPath->setText(QStringLiteral("x"));
    w.CmdSelectPath->click();
    EXPECT_EQ(FileDialogSeam::titles(), QStringList{QStringLiteral("选择数据库文件")});
    EXPECT_TRUE(w.TxtPath->text().isEmpty());
    MessageSeam::clear();
    w.CmdSetup->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选择有效的路径!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));

    // A file that is no database: the platform's error, nothing written.
    const QString bogus = tempPath(QStringLiteral("bogus.db"));
    writeFile(bogus, "not a database at all, only text that is long enough");
    FileDialogSeam::answer(bogus);
    w.CmdSelectPath->click();
    MessageSeam::clear();
    w.CmdSetup->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(Module1::DatabasePath, bogus);
    EXPECT_TRUE(QFile::exists(QStringLiteral("databasepath.TXT")));
    EXPECT_FALSE(QFile::exists(QDir(programFolder()).filePath(QStringLiteral("DataBasePath.txt"))));

    FileDialogSeam::answer(QStringLiteral("  ") + dbPath() + QStringLiteral(" "));
    w.CmdSelectPath->click();
    MessageSeam::clear();
    w.CmdSetup->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("路径设置成功!")});
    EXPECT_EQ(readFile(QDir(programFolder()).filePath(QStringLiteral("DataBasePath.txt"))), dbPath().toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists(QStringLiteral("databasepath.TXT")));
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmPathSetup>());
}

TEST_F(TabulorTest, PathSetupKeysAndReadOnlyBox)
{
    FrmPathSetup& w = Forms::get<FrmPathSetup>();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("路径设置"));
    EXPECT_TRUE(w.TxtPath->isReadOnly());
    EXPECT_EQ(w.CmdSetup->text(), QStringLiteral("设置(&S)"));
    EXPECT_EQ(w.CmdClose->text(), QStringLiteral("关闭(&C)"));
    EXPECT_EQ(w.defaultButton, w.CmdSetup);
    EXPECT_EQ(w.cancelButton, w.CmdClose);
    Forms::show(w);
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选择有效的路径!")});
    QTest::keyClick(&w, Qt::Key_Escape);
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmPathSetup>());
}

TEST_F(TabulorTest, CheckPrinterInstalledNeedsANonBlankDeviceName)
{
    Printers::script({QStringLiteral("  "), QStringLiteral("Receipt")});
    EXPECT_TRUE(CheckPrinterInstalled());
    EXPECT_TRUE(messages().isEmpty());

    Printers::script({});
    EXPECT_FALSE(CheckPrinterInstalled());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("系统没有安装打印机，请在[控制面板]中安装打印机！")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_TRUE(lastMessage().title.isEmpty());   // shows the application title
}

TEST_F(TabulorTest, PathSetupThatCannotWriteKeepsTheOldPathFileAndSaysSo)
{
    // The old path file in the current folder, the program folder not writable.
    InFolder here(tempPath(QStringLiteral("cwd")));
    const QByteArray old = dbPath().toUtf8() + "\r\n";
    writeFile(QStringLiteral("DataBasePath.txt"), old);
    const QString second = tempPath(QStringLiteral("second.db"));
    Db::buildDatabaseFile(second, false);
    Module1::AppPath = programFolder();
    FrmPathSetup& w = Forms::get<FrmPathSetup>();
    FileDialogSeam::answer(second);
    w.CmdSelectPath->click();
    {
        ReadOnlyGuard locked(programFolder());
        if (!locked.ok())
            GTEST_SKIP() << "cannot make a folder read-only here";
        w.CmdSetup->click();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("无法写入路径文件，原来的路径设置保持不变。")));
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(readFile(QStringLiteral("DataBasePath.txt")), old);   // byte for byte
        EXPECT_TRUE(QDir(programFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        EXPECT_TRUE(Forms::isLoaded<FrmPathSetup>());
    }
    // The next start still finds the old database.
    Forms::unloadAll();
    processEvents();
    EXPECT_EQ(Module1::Main(), QStringLiteral("FrmXTDL"));
    EXPECT_EQ(Module1::DatabasePath, dbPath());
    Forms::unloadAll();
    processEvents();

    // Writable again: exactly the new file stands, nothing beside it.
    FrmPathSetup& again = Forms::get<FrmPathSetup>();
    FileDialogSeam::answer(second);
    again.CmdSelectPath->click();
    MessageSeam::clear();
    again.CmdSetup->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("路径设置成功!")});
    EXPECT_EQ(QDir(programFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("DataBasePath.txt")});
    EXPECT_EQ(readFile(QDir(programFolder()).filePath(QStringLiteral("DataBasePath.txt"))), second.toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists(QStringLiteral("DataBasePath.txt")));
}

TEST_F(TabulorTest, AReadOnlyDatabaseIsReportedAtStart)
{
    InFolder here(tempPath(QStringLiteral("cwd")));
    writeFile(QStringLiteral("DataBasePath.txt"), dbPath().toUtf8() + "\r\n");
    ASSERT_FALSE(QFile::exists(dbPath() + QStringLiteral("-wal")));
    {
        // Its folder, without which the database cannot even be read (no WAL
        // file can be made beside it): said, then path set-up.
        ReadOnlyGuard folder(m_dir.path());
        if (!folder.ok())
            GTEST_SKIP() << "cannot make a folder read-only here";
        EXPECT_EQ(Module1::Main(), QStringLiteral("FrmPathSetup"));
        EXPECT_EQ(messages(), QStringList{Module1::ReadOnlyAtStart + u'\n' + dbPath()});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        Forms::unloadAll();
        processEvents();
    }
    {
        // The file itself: said, and the login follows; data can be read.
        MessageSeam::clear();
        ReadOnlyGuard file(dbPath());
        ASSERT_TRUE(file.ok());
        EXPECT_EQ(Module1::Main(), QStringLiteral("FrmXTDL"));
        EXPECT_EQ(messages(), QStringList{Module1::ReadOnlyAtStart + u'\n' + dbPath()});
        EXPECT_GT(Forms::get<FrmXTDL>().Combo1->count(), 0);
        Forms::unloadAll();
        processEvents();
        Db::closeShared();
    }
    // A writable database starts without a word.
    MessageSeam::clear();
    EXPECT_EQ(Module1::Main(), QStringLiteral("FrmXTDL"));
    EXPECT_TRUE(messages().isEmpty());
}
