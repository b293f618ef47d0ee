#pragma once
// The database file and the one shared connection.
//
// Opening never creates a file: a missing file, or a file that is not a
// database, is a failed open. Every connection runs with WAL, synchronous
// FULL and a busy timeout. Statements take their values as bound parameters.
//
// Errors come as DbError. An error of the database itself carries its kind
// and a text that leads with a plain Chinese sentence (what failed, what to
// do) followed by the technical detail; a full disk, a read-only file or
// folder, a database locked by another till and a damaged file each have a
// sentence of their own.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <stdexcept>

class Form;

class DbError : public std::runtime_error {
public:
    enum Kind {
        Other,      // a text of the window's own (a refusal inside an action)
        Open,       // the database file cannot be opened
        Read,       // a query failed or stopped before its last row
        Write,      // a change could not be stored
        Busy,       // another till held the database past the busy timeout
        DiskFull,   // no room left on the disk
        ReadOnly,   // the file or its folder cannot be written
        Damaged,    // the file is damaged or is no database of ours
        Changed,    // what the action acts on changed since the window read it
    };

    // A window's own text, shown as it is.
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), text(message) {}
    // An error of a kind: its sentence, then the technical detail.
    DbError(Kind kind, const QString& detail);

    // The plain sentence that leads the message of a kind.
    static QString sentence(Kind kind);

    QString text;     // what the user is shown
    Kind kind = Other;
    QString detail;   // the technical detail (empty for Other)
};

namespace Db {

// Opens a short-lived connection to test that path names a usable database;
// closes it again. Returns false, with the reason in *error, on any failure.
bool probe(const QString& path, QString* error = nullptr);

// What a probe found out about a database file.
struct ProbeResult {
    bool ok = false;          // a usable database of ours
    bool readOnly = false;    // usable, but nothing can be saved to it
    DbError::Kind kind = DbError::Other;   // why it is not usable
    QString error;            // the message for the failure
};
ProbeResult probeFile(const QString& path);

// Replaces the shared connection with a new one opened on path. The new
// database is opened and checked first: when that fails the connection held
// before stays in use, and DbError says why.
void openShared(const QString& path);
bool isOpen();
QString path();
QSqlDatabase shared();
void closeShared();
// Closes every connection the process holds, the shared one and any other.
// The last connection to a file folds its journal into the file and removes
// it, so the file alone then holds every saved row; while another copy of the
// program has the file open, that copy does so when it closes.
void closeAll();

// Prepares and runs one statement with bound values on the shared
// connection. Throws DbError on failure. A change run outside a Transaction
// runs in a transaction of its own, so it waits for another till's lock the
// same way.
QSqlQuery run(const QString& sql, const QVariantList& params = {});
// Steps a query from run() to its next row. Returns false after the last row;
// throws DbError when a row cannot be read, so a short result never passes
// for a complete one. Every loop over a query's rows steps with it.
bool next(QSqlQuery& query);
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

// How long a statement waits for another till's lock before it gives up
// (5000 ms). Tests shorten it.
void setBusyTimeout(int milliseconds);

// Tests: the next query whose text contains sqlPart (any query when empty)
// fails as if its row-th row (counted from 1) could not be read.
void injectReadFault(int row, const QString& sqlPart = {});
void clearFaults();
// Throws the injected read fault when it is armed for this row (from 1) of
// this statement; every reader of rows calls it once per row.
void checkReadFault(const QString& sql, int row);

// The DbError for a failed SQLite call on the shared connection: its result
// code and message, read or change as the statement was.
DbError sqliteError(int code, const QString& message, bool change);

} // namespace Db

// One transaction on the shared connection. Nested transactions become
// savepoints. Destroyed without commit(), it rolls back.
//
// The outermost one begins with BEGIN IMMEDIATE, so it holds the write lock
// from its first statement: what an action reads inside it cannot be changed
// by another till before it commits. While it waits for that lock the wait
// cursor shows; when the wait times out it throws DbError Busy.
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

// Runs one read of a window's load as RunDbAction does; when it fails the
// window's load is marked failed, so the window closes instead of showing
// and nothing it could not read is ever saved. Returns whether it read.
bool RunLoadRead(Form& form, const std::function<void()>& read);
