#include "tests/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QSqlError>
#include <QTest>
#include <QUuid>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/ProgramStart.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"

void processEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void typeKeys(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void retypeKeys(QLineEdit* e, const QString& text)
{
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    typeKeys(e, text);
}

void TabulorTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_dbPath = m_dir.filePath(QStringLiteral("test.db"));
    Db::buildDatabaseFile(m_dbPath, false);
    QDir(m_dir.path()).mkpath(QStringLiteral("program"));
    ProgramFolder::setForTest(programFolder());
    Module1::resetForNewProcess();
    Module1::DatabasePath = m_dbPath;
    MessageSeam::script();
    Forms::scriptModals();
    FileDialogSeam::script();
    ProcessSeam::script();
    ProgramStartSeam::script();
    Printers::script({});
    printer = &PrinterSeam::record();
    Clock::release();
    Db::clearFaults();
    WaitCursor::resetCount();
}

void TabulorTest::TearDown()
{
    Forms::unloadAll();
    processEvents();
    Db::closeShared();
    Db::clearFaults();
    Db::setBusyTimeout(5000);
    MessageSeam::stopScripting();
    Forms::stopScripting();
    FileDialogSeam::stopScripting();
    ProcessSeam::stopScripting();
    ProgramStartSeam::stopScripting();
    Printers::stopScripting();
    PrinterSeam::stopScripting();
    ProgramFolder::setForTest({});
    Clock::release();
    Module1::resetForNewProcess();
}

void TabulorTest::openDb()
{
    if (!Db::isOpen())
        Db::openShared(m_dbPath);
}

void TabulorTest::sql(const QString& statement, const QVariantList& params)
{
    openDb();
    Db::exec(statement, params);
}

QVariant TabulorTest::value(const QString& query, const QVariantList& params)
{
    openDb();
    return Db::scalar(query, params);
}

int TabulorTest::count(const QString& table, const QString& where, const QVariantList& params)
{
    return value(QStringLiteral("SELECT count(*) FROM ") + table + u' ' + where, params).toInt();
}

void TabulorTest::insertRow(const QString& table, const QVariantMap& columns)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.keys().join(u','), marks.join(u',')),
        columns.values());
}

void TabulorTest::addUser(const QString& code, const QString& password, const QStringList& menuCodes)
{
    sql(QStringLiteral("INSERT INTO level_user (usercode, username, password, setfun) VALUES (?, ?, ?, '000')"),
        {code, code, password});
    int id = value(QStringLiteral("SELECT coalesce(max(id), 0) FROM level_info")).toInt();
    for (const QString& m : menuCodes)
        sql(QStringLiteral("INSERT INTO level_info (usercode, menu_code, parent_code, id) VALUES (?, ?, ?, ?)"),
            {code, m, m.left(1) + QStringLiteral("00"), ++id});
}

void TabulorTest::writePathFile()
{
    QDir(programFolder()).remove(Module1::PathFileName);
    QFile f(QDir(programFolder()).filePath(Module1::PathFileName));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((m_dbPath + QStringLiteral("\r\n")).toUtf8());
}

void TabulorTest::startAndLogIn(const QString& user, const QString& password)
{
    writePathFile();
    ASSERT_EQ(Module1::Main(), QStringLiteral("FrmXTDL"));
    FrmXTDL& login = Forms::get<FrmXTDL>();
    const int i = login.Combo1->findText(user);
    ASSERT_GE(i, 0) << qPrintable(user);
    login.Combo1->setCurrentIndex(i);
    login.Text2->setText(password);
    login.Command1->click();
    processEvents();
    ASSERT_TRUE(Module1::LoggedIn) << qPrintable(messages().join(u'|'));
}

const MessageRecord& TabulorTest::lastMessage() const
{
    static const MessageRecord none;
    const auto& all = MessageSeam::messages();
    return all.empty() ? none : all.back();
}

QImage TabulorTest::screenshot(QWidget* w, const QString& name)
{
    w->show();
    processEvents();
    const QImage img = w->grab().toImage();
    QDir().mkpath(QStringLiteral(TABULOR_SCREENSHOT_DIR));
    img.save(QStringLiteral(TABULOR_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    bool varied = false;
    const QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height() && !varied; y += 3)
        for (int x = 0; x < img.width() && !varied; x += 3)
            varied = img.pixel(x, y) != first;
    EXPECT_TRUE(varied) << "blank screenshot " << qPrintable(name);
    return img;
}

OtherTill::OtherTill(const QString& path) : m_name(QStringLiteral("other-till-") + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    EXPECT_TRUE(db.open()) << qPrintable(db.lastError().text());
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
}

OtherTill::~OtherTill()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void OtherTill::exec(const QString& statement, const QVariantList& params)
{
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    EXPECT_TRUE(q.prepare(statement)) << qPrintable(q.lastError().text() + u' ' + statement);
    for (const QVariant& v : params)
        q.addBindValue(v);
    EXPECT_TRUE(q.exec()) << qPrintable(q.lastError().text() + u' ' + statement);
}

QVariant OtherTill::value(const QString& query, const QVariantList& params)
{
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    EXPECT_TRUE(q.prepare(query)) << qPrintable(q.lastError().text());
    for (const QVariant& v : params)
        q.addBindValue(v);
    EXPECT_TRUE(q.exec()) << qPrintable(q.lastError().text());
    return q.next() ? q.value(0) : QVariant();
}

TillWriting::TillWriting(const QString& path, const QStringList& statements, int holdMs)
{
    std::promise<void> locked;
    std::future<void> held = locked.get_future();
    m_thread = std::thread([path, statements, holdMs, &locked] {
        const QString name = QStringLiteral("till-writing-") + QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            for (const QString& s : statements)
                q.exec(s);
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            q.exec(QStringLiteral("COMMIT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    held.wait();
}

TillWriting::~TillWriting()
{
    if (m_thread.joinable())
        m_thread.join();
}

namespace {

bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace

ReadOnlyGuard::ReadOnlyGuard(const QString& path) : m_path(path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return;
    m_mode = int(st.st_mode & 07777);
    if (::geteuid() == 0) {
        m_ok = m_immutable = setImmutable(path, true);
    } else {
        m_ok = ::chmod(QFile::encodeName(path).constData(), mode_t(m_mode & ~0222)) == 0;
    }
}

ReadOnlyGuard::~ReadOnlyGuard()
{
    if (m_immutable)
        setImmutable(m_path, false);
    else if (m_ok)
        ::chmod(QFile::encodeName(m_path).constData(), mode_t(m_mode));
}
