#pragma once
// The database file and the one shared connection.
//
// Opening never creates a file: a missing file, or a file that is not a
// database, is a failed open. Every connection runs with WAL, synchronous
// FULL and a busy timeout. Statements take their values as bound parameters.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), text(message) {}
    QString text;
};

namespace Db {

// Opens a short-lived connection to test that path names a usable database;
// closes it again. Returns false, with the reason in *error, on any failure.
bool probe(const QString& path, QString* error = nullptr);

// Replaces the shared connection with a new one opened on path.
// Throws DbError when it cannot be opened.
void openShared(const QString& path);
bool isOpen();
QString path();
QSqlDatabase shared();
void closeShared();

// Prepares and runs one statement with bound values on the shared
// connection. Throws DbError on failure.
QSqlQuery run(const QString& sql, const QVariantList& params = {});
// Runs one statement with bound values on the shared connection; returns the
// number of rows changed. Throws DbError on failure.
int exec(const QString& sql, const QVariantList& params = {});
// The first column of the first row, or an invalid QVariant when no row.
QVariant scalar(const QString& sql, const QVariantList& params = {});

// Runs a script of statements separated by ";" (comments "--" allowed) on a
// connection. Throws DbError naming the statement that failed.
void runScript(QSqlDatabase db, const QString& script);

// Builds a new database file at path from the schema and the seed, and the
// demo rows when withDemo. Fails when the file exists.
void buildDatabaseFile(const QString& path, bool withDemo);

// The texts of the three scripts built into the program.
QString schemaScript();
QString seedScript();
QString demoScript();

} // namespace Db

// One transaction on the shared connection. Nested transactions become
// savepoints. Destroyed without commit(), it rolls back.
class Transaction {
public:
    Transaction();
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    bool m_done = false;
    int m_level = 0;
};

// Runs a user action that writes; a database error rolls back whatever the
// action had begun (its Transaction objects unwind) and shows the error with
// the title "信息提示". Returns false when the action failed.
bool RunDbAction(const std::function<void()>& action);
