#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include "platform/Form.h"
#include "platform/Seams.h"

namespace {

int g_connectionSerial = 0;
QString g_sharedName;           // the connection in use; empty when none
QString g_path;
int g_txLevel = 0;
int g_busyTimeout = 5000;

struct ReadFault {
    bool armed = false;
    int row = 0;
    QString sqlPart;
};
ReadFault g_readFault;

// SQLite's primary result codes that have a message of their own.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, Full = 13, CantOpen = 14, NotADb = 26 };

QSqlDatabase openConnection(const QString& name, const QString& path)
{
    // However the program ends, it closes what it opened here first.
    ProcessSeam::setClosingStep(&Db::closeAll);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    // Read-write only (mode=rw): SQLite never creates a file that is not there.
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    db.setDatabaseName(uri + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(g_busyTimeout));
    return db;
}

// Whether a statement changes the database (as opposed to reading it).
bool isChange(const QString& sql)
{
    static const QRegularExpression change(
        QStringLiteral("^\\s*(insert|update|delete|replace|create|drop|alter|commit|end|release|rollback|begin|savepoint)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return change.match(sql).hasMatch();
}

bool isDataChange(const QString& sql)
{
    static const QRegularExpression change(QStringLiteral("^\\s*(insert|update|delete|replace)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return change.match(sql).hasMatch();
}

// Whether the folder that holds the database file can take new files (the
// WAL and shared-memory files live beside the database).
bool folderWritable(const QString& path)
{
    return QFileInfo(QFileInfo(path).absolutePath()).isWritable();
}

// The DbError for an SQLite result code (-1: none known) and its text.
DbError errorOfCode(int code, QString detail, bool change, const QString& path)
{
    if (code >= 0)
        detail += QStringLiteral(" [SQLite %1]").arg(code);
    switch (code) {
    case Busy:
    case Locked: return DbError(DbError::Busy, detail);
    case ReadOnly: return DbError(DbError::ReadOnly, detail);
    case Full: return DbError(DbError::DiskFull, detail);
    case Corrupt:
    case NotADb: return DbError(DbError::Damaged, detail);
    case CantOpen:
        if (!path.isEmpty() && QFileInfo::exists(path) && (!folderWritable(path) || !QFileInfo(path).isWritable()))
            return DbError(DbError::ReadOnly, detail);
        return DbError(DbError::Open, detail);
    default: return DbError(change ? DbError::Write : DbError::Read, detail);
    }
}

// The DbError for a failed statement or open on the database at path.
DbError errorOf(const QSqlError& e, bool change, const QString& path)
{
    bool numeric = false;
    const int code = e.nativeErrorCode().toInt(&numeric);
    return errorOfCode(numeric ? code : -1, e.text().trimmed(), change, path);
}

void execOn(QSqlDatabase& db, const QString& statement, const QString& path)
{
    QSqlQuery q(db);
    if (!q.exec(statement))
        throw errorOf(q.lastError(), isChange(statement), path);
}

void applyPragmas(QSqlDatabase& db, const QString& path)
{
    // Two sorter threads: a report that groups a year of order lines sorts
    // them in about half the time. Small sorts stay on one thread.
    for (const char* p : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=OFF",
                          "PRAGMA threads=2"})
        execOn(db, QString::fromLatin1(p), path);
    execOn(db, QStringLiteral("PRAGMA busy_timeout=%1").arg(g_busyTimeout), path);
}

// A database file is a readable file whose schema SQLite can read.
void openChecked(QSqlDatabase& db, const QString& path)
{
    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.exists() || !info.isFile())
        throw DbError(DbError::Open, QStringLiteral("数据库文件不存在: ") + path);
    // SQLite would take an empty file for a new database and write into it.
    if (info.size() == 0)
        throw DbError(DbError::Damaged, QStringLiteral("不是有效的数据库文件 (0 bytes): ") + path);
    if (!db.open())
        throw errorOf(db.lastError(), false, path);
    {
        // A database of ours holds the users table; another program's
        // database would only lead to a login that can never succeed.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'level_user' COLLATE NOCASE")))
            throw errorOf(q.lastError(), false, path);
        if (!q.next()) {
            if (q.lastError().isValid())
                throw errorOf(q.lastError(), false, path);
            throw DbError(DbError::Damaged, QStringLiteral("不是有效的数据库文件: ") + path);
        }
        const bool ours = q.value(0).toInt() > 0;
        // The read must end before the journal mode can change.
        q.finish();
        if (!ours)
            throw DbError(DbError::Damaged, QStringLiteral("不是有效的数据库文件（没有用户表）: ") + path);
    }
    applyPragmas(db, path);
}

// Whether an open connection can store anything: a change begun and rolled
// back, so nothing reaches the file. A database that another till is writing
// right now counts as writable.
bool canWrite(QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA busy_timeout=0"));
    bool writable = true;
    if (q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        if (!q.exec(QStringLiteral("CREATE TABLE main.tabulor_write_check (x)")))
            writable = q.lastError().nativeErrorCode().toInt() != ReadOnly;
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        writable = q.lastError().nativeErrorCode().toInt() != ReadOnly;
    }
    q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(g_busyTimeout));
    return writable;
}

void removeConnection(const QString& name)
{
    if (name.isEmpty() || !QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
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

QString composed(DbError::Kind kind, const QString& detail)
{
    return detail.isEmpty() ? DbError::sentence(kind) : DbError::sentence(kind) + u'\n' + detail;
}

} // namespace

DbError::DbError(Kind k, const QString& d)
    : std::runtime_error(composed(k, d).toStdString()), text(composed(k, d)), kind(k), detail(d)
{
}

QString DbError::sentence(Kind kind)
{
    switch (kind) {
    case Open: return QStringLiteral("无法打开数据库文件。请在“路径设置”中选择正确的数据库文件。");
    case Read: return QStringLiteral("读取数据失败，读到的数据不完整，所以没有使用。请稍后再试；如果一再出现，请检查数据库文件。");
    case Write: return QStringLiteral("保存数据失败，本次操作没有保存任何数据。请检查后再试。");
    case Busy:
        return QStringLiteral("数据库正被另一台收银机或另一个程序使用，等待超时。本次操作没有保存任何数据，请稍后再试。");
    case DiskFull: return QStringLiteral("磁盘已满，本次操作没有保存任何数据。请清理数据库所在磁盘的空间后再试。");
    case ReadOnly:
        return QStringLiteral("数据库文件或它所在的文件夹是只读的，本次操作没有保存任何数据。请让管理员开放该文件和文件夹的写入权限。");
    case Damaged:
        return QStringLiteral("数据库文件已损坏，或者不是本系统的数据库文件。请选择正确的数据库文件，或用最近的备份替换它。");
    case Changed:
        return QStringLiteral("数据已在另一台收银机上被改变，本次操作没有执行。请查看刷新后的数据再操作。");
    case Other: break;
    }
    return {};
}

namespace Db {

ProbeResult probeFile(const QString& path)
{
    ProbeResult result;
    const QString name = QStringLiteral("tabulor-probe-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = openConnection(name, path);
        try {
            openChecked(db, path);
            result.ok = true;
            result.readOnly = !canWrite(db);
        } catch (const DbError& e) {
            result.kind = e.kind;
            result.error = e.text;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

bool probe(const QString& path, QString* error)
{
    const ProbeResult r = probeFile(path);
    if (!r.ok && error)
        *error = r.error;
    return r.ok;
}

void openShared(const QString& path)
{
    // The new connection is opened beside the one in use; the old one goes
    // only when the new one works.
    const QString name = QStringLiteral("tabulor-shared-%1").arg(++g_connectionSerial);
    {
        QSqlDatabase db = openConnection(name, path);
        try {
            openChecked(db, path);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
    }
    removeConnection(g_sharedName);
    g_sharedName = name;
    g_path = path;
    g_txLevel = 0;
}

bool isOpen()
{
    return !g_sharedName.isEmpty() && QSqlDatabase::contains(g_sharedName)
        && QSqlDatabase::database(g_sharedName, false).isOpen();
}

QString path() { return g_path; }

QSqlDatabase shared()
{
    if (g_sharedName.isEmpty() || !QSqlDatabase::contains(g_sharedName))
        throw DbError(DbError::Open, QStringLiteral("数据库没有打开"));
    return QSqlDatabase::database(g_sharedName, false);
}

void closeShared()
{
    removeConnection(g_sharedName);
    g_sharedName.clear();
    g_path.clear();
    g_txLevel = 0;
}

void closeAll()
{
    closeShared();
    for (const QString& name : QSqlDatabase::connectionNames())
        removeConnection(name);
}

namespace {

QSqlQuery runNow(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(shared());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw errorOf(q.lastError(), isChange(sql), g_path);
    for (const QVariant& v : params)
        q.addBindValue(v);
    if (!q.exec())
        throw errorOf(q.lastError(), isChange(sql), g_path);
    return q;
}

} // namespace

QSqlQuery run(const QString& sql, const QVariantList& params)
{
    if (g_txLevel == 0 && isDataChange(sql)) {
        // A change on its own waits for the write lock like any transaction.
        Transaction tx;
        QSqlQuery q = runNow(sql, params);
        tx.commit();
        return q;
    }
    return runNow(sql, params);
}

void checkReadFault(const QString& sql, int row)
{
    if (g_readFault.armed && row == g_readFault.row
        && (g_readFault.sqlPart.isEmpty() || sql.contains(g_readFault.sqlPart, Qt::CaseInsensitive))) {
        g_readFault = ReadFault{};
        throw DbError(DbError::Read, QStringLiteral("disk I/O error: row %1 could not be read [injected]").arg(row));
    }
}

DbError sqliteError(int code, const QString& message, bool change)
{
    return errorOfCode(code, message.trimmed(), change, g_path);
}

bool next(QSqlQuery& query)
{
    if (query.next()) {
        checkReadFault(query.lastQuery(), query.at() + 1);
        return true;
    }
    if (query.lastError().isValid())
        throw errorOf(query.lastError(), false, g_path);
    return false;
}

int exec(const QString& sql, const QVariantList& params)
{
    return run(sql, params).numRowsAffected();
}

QVariant scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = run(sql, params);
    return next(q) ? q.value(0) : QVariant();
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

void setBusyTimeout(int milliseconds)
{
    g_busyTimeout = milliseconds;
    if (isOpen()) {
        QSqlDatabase db = shared();
        execOn(db, QStringLiteral("PRAGMA busy_timeout=%1").arg(milliseconds), g_path);
    }
}

void injectReadFault(int row, const QString& sqlPart)
{
    g_readFault = ReadFault{true, row, sqlPart};
}

void clearFaults() { g_readFault = ReadFault{}; }

} // namespace Db

namespace {

// BEGIN IMMEDIATE on the shared connection. A first try does not wait; when
// another till holds the lock, the wait cursor shows while the second try
// waits up to the busy timeout.
void beginImmediate()
{
    QSqlDatabase db = Db::shared();
    const QString wait = QStringLiteral("PRAGMA busy_timeout=%1");
    execOn(db, wait.arg(0), g_path);
    try {
        execOn(db, QStringLiteral("BEGIN IMMEDIATE"), g_path);
        execOn(db, wait.arg(g_busyTimeout), g_path);
        return;
    } catch (const DbError& e) {
        execOn(db, wait.arg(g_busyTimeout), g_path);
        if (e.kind != DbError::Busy)
            throw;
    }
    WaitCursor cursor;
    execOn(db, QStringLiteral("BEGIN IMMEDIATE"), g_path);
}

} // namespace

Transaction::Transaction()
{
    m_level = ++g_txLevel;
    try {
        if (m_level == 1)
            beginImmediate();
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

bool RunLoadRead(Form& form, const std::function<void()>& read)
{
    if (RunDbAction(read))
        return true;
    form.markLoadFailed();
    return false;
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
