#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include "platform/Seams.h"

namespace {

const QString SharedName = QStringLiteral("tabulor-shared");
QString g_path;
int g_txLevel = 0;

QSqlDatabase openConnection(const QString& name, const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // Read-write only (mode=rw): SQLite never creates a file that is not there.
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    db.setDatabaseName(uri + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    return db;
}

void applyPragmas(QSqlDatabase& db)
{
    QSqlQuery q(db);
    for (const char* p : {"PRAGMA busy_timeout=5000", "PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL",
                          "PRAGMA foreign_keys=OFF"}) {
        if (!q.exec(QString::fromLatin1(p)))
            throw DbError(q.lastError().text());
    }
}

// A database file is a readable file whose schema SQLite can read.
void openChecked(QSqlDatabase& db, const QString& path)
{
    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.exists() || !info.isFile())
        throw DbError(QStringLiteral("数据库文件不存在: ") + path);
    // SQLite would take an empty file for a new database and write into it.
    if (info.size() == 0)
        throw DbError(QStringLiteral("不是有效的数据库文件"));
    if (!db.open())
        throw DbError(db.lastError().text());
    {
        // A database of ours holds the users table; another program's
        // database would only lead to a login that can never succeed.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'level_user' COLLATE NOCASE"))
            || !q.next())
            throw DbError(q.lastError().text().isEmpty() ? QStringLiteral("不是有效的数据库文件") : q.lastError().text());
        const bool ours = q.value(0).toInt() > 0;
        // The read must end before the journal mode can change.
        q.finish();
        if (!ours)
            throw DbError(QStringLiteral("不是有效的数据库文件"));
    }
    applyPragmas(db);
}

QString readResource(const QString& name)
{
    QFile f(QStringLiteral(":/db/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("missing built-in script ") + name);
    return QString::fromUtf8(f.readAll());
}

// The scripts of one folder, one file per subsystem, joined in name order.
QString readFolder(const QString& folder)
{
    QStringList names = QDir(QStringLiteral(":/db/") + folder).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        throw DbError(QStringLiteral("missing built-in scripts ") + folder);
    QString script;
    for (const QString& name : names)
        script += readResource(folder + u'/' + name) + QStringLiteral(";\n");
    return script;
}

// Splits a script into statements at ";" outside quotes and comments.
QStringList splitStatements(const QString& script)
{
    QStringList out;
    QString cur;
    bool inQuote = false;
    for (int i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!inQuote && c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
            while (i < script.size() && script[i] != u'\n')
                ++i;
            cur += u'\n';
            continue;
        }
        if (c == u'\'')
            inQuote = !inQuote;
        if (c == u';' && !inQuote) {
            if (!cur.trimmed().isEmpty())
                out << cur.trimmed();
            cur.clear();
            continue;
        }
        cur += c;
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

} // namespace

namespace Db {

bool probe(const QString& path, QString* error)
{
    const QString name = QStringLiteral("tabulor-probe-") + QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = openConnection(name, path);
        try {
            openChecked(db, path);
        } catch (const DbError& e) {
            ok = false;
            if (error)
                *error = e.text;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

void openShared(const QString& path)
{
    closeShared();
    QSqlDatabase db = openConnection(SharedName, path);
    try {
        openChecked(db, path);
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(SharedName);
        throw;
    }
    g_path = path;
    g_txLevel = 0;
}

bool isOpen()
{
    return QSqlDatabase::contains(SharedName) && QSqlDatabase::database(SharedName, false).isOpen();
}

QString path() { return g_path; }

QSqlDatabase shared()
{
    if (!QSqlDatabase::contains(SharedName))
        throw DbError(QStringLiteral("数据库没有打开"));
    return QSqlDatabase::database(SharedName, false);
}

void closeShared()
{
    if (QSqlDatabase::contains(SharedName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(SharedName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(SharedName);
    }
    g_path.clear();
    g_txLevel = 0;
}

QSqlQuery run(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(shared());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(q.lastError().text());
    for (const QVariant& v : params)
        q.addBindValue(v);
    if (!q.exec())
        throw DbError(q.lastError().text());
    return q;
}

int exec(const QString& sql, const QVariantList& params)
{
    return run(sql, params).numRowsAffected();
}

QVariant scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = run(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

void runScript(QSqlDatabase db, const QString& script)
{
    QSqlQuery q(db);
    for (const QString& statement : splitStatements(script)) {
        if (!q.exec(statement))
            throw DbError(q.lastError().text() + QStringLiteral("\n") + statement);
    }
}

QString schemaScript() { return readResource(QStringLiteral("schema.sql")); }
QString seedScript() { return readFolder(QStringLiteral("seed")); }
QString demoScript() { return readFolder(QStringLiteral("demo")); }

void buildDatabaseFile(const QString& path, bool withDemo)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("file exists: ") + path);
    const QString name = QStringLiteral("tabulor-build-") + QUuid::createUuid().toString();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            try {
                runScript(db, QStringLiteral("PRAGMA journal_mode=WAL"));
                runScript(db, QStringLiteral("BEGIN"));
                runScript(db, schemaScript());
                runScript(db, seedScript());
                if (withDemo)
                    runScript(db, demoScript());
                runScript(db, QStringLiteral("COMMIT"));
            } catch (const DbError& e) {
                failure = e.text;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isEmpty()) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        throw DbError(failure);
    }
}

} // namespace Db

Transaction::Transaction()
{
    m_level = ++g_txLevel;
    try {
        if (m_level == 1)
            Db::exec(QStringLiteral("BEGIN IMMEDIATE"));
        else
            Db::exec(QStringLiteral("SAVEPOINT sp%1").arg(m_level));
    } catch (...) {
        --g_txLevel;
        throw;
    }
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        if (m_level == 1) {
            Db::exec(QStringLiteral("ROLLBACK"));
        } else {
            Db::exec(QStringLiteral("ROLLBACK TO sp%1").arg(m_level));
            Db::exec(QStringLiteral("RELEASE sp%1").arg(m_level));
        }
    } catch (...) {
        // The connection is gone or the transaction already ended; nothing
        // more can be undone here.
    }
    --g_txLevel;
}

void Transaction::commit()
{
    if (m_done)
        return;
    if (m_level == 1)
        Db::exec(QStringLiteral("COMMIT"));
    else
        Db::exec(QStringLiteral("RELEASE sp%1").arg(m_level));
    m_done = true;
    --g_txLevel;
}

bool RunDbAction(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const DbError& e) {
        MsgBox(e.text, Msg::Exclamation, QStringLiteral("信息提示"));
        return false;
    }
}
