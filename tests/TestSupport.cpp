#include "tests/TestSupport.h"

#include <QApplication>
#include <QDir>
#include "platform/ProgramStart.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"

void processEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
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
}

void TabulorTest::TearDown()
{
    Forms::unloadAll();
    processEvents();
    Db::closeShared();
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

void TabulorTest::addUser(const QString& code, const QString& password, const QStringList& menuCodes)
{
    sql(QStringLiteral("INSERT INTO level_user (usercode, username, password, setfun) VALUES (?, ?, ?, '000')"),
        {code, code, password});
    int id = value(QStringLiteral("SELECT coalesce(max(id), 0) FROM level_info")).toInt();
    for (const QString& m : menuCodes)
        sql(QStringLiteral("INSERT INTO level_info (usercode, menu_code, parent_code, id) VALUES (?, ?, ?, ?)"),
            {code, m, m.left(1) + QStringLiteral("00"), ++id});
}

void TabulorTest::startAndLogIn(const QString& user, const QString& password)
{
    QDir(programFolder()).remove(Module1::PathFileName);
    QFile f(QDir(programFolder()).filePath(Module1::PathFileName));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((m_dbPath + QStringLiteral("\r\n")).toUtf8());
    f.close();
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
