#pragma once
// Shared test fixture: a fresh database file made from the schema and the
// seed in a temporary folder, every seam scripted, and a few builders.
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <thread>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "tests/RowClicks.h"

class TabulorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Path of this test's database file (built in SetUp, not yet opened).
    QString dbPath() const { return m_dbPath; }
    QString tempPath(const QString& name) const { return m_dir.filePath(name); }
    // The program folder as the program sees it in this test.
    QString programFolder() const { return m_dir.filePath(QStringLiteral("program")); }

    // Opens the shared connection on this test's database.
    void openDb();
    // Runs statements on the shared connection (opening it if needed).
    void sql(const QString& statement, const QVariantList& params = {});
    QVariant value(const QString& query, const QVariantList& params = {});
    int count(const QString& table, const QString& where = {}, const QVariantList& params = {});
    // Inserts one row with the given column values.
    void insertRow(const QString& table, const QVariantMap& columns);

    // Adds a user with the given password and menu codes.
    void addUser(const QString& code, const QString& password, const QStringList& menuCodes);
    // Writes the path file that names this test's database beside the program.
    void writePathFile();
    // Starts the program and logs in through the login window.
    void startAndLogIn(const QString& user, const QString& password);

    // Messages asked so far.
    QStringList messages() const { return MessageSeam::texts(); }
    const MessageRecord& lastMessage() const;

    // Renders a widget offscreen to build/screenshots/<name>.png and returns
    // the image; fails the test when it is blank (one colour).
    QImage screenshot(QWidget* w, const QString& name);

    QTemporaryDir m_dir;
    QString m_dbPath;
    RecordingPrinter* printer = nullptr;
};

// Texts in failure messages as text, not as lists of characters. Declared
// here, where every test file sees them, so one printer serves every test.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "[\"" << l.join(QStringLiteral("\", \"")).toStdString() << "\"]";
}

// Lets queued events run (deferred deletes, focus changes).
void processEvents();

// Types text into a widget key by key, as a user would (any characters).
void typeKeys(QWidget* w, const QString& text);
// Replaces a field's text as a user would: select all, Backspace, type.
void retypeKeys(QLineEdit* e, const QString& text);

// Another copy of the program working on the same database file (a second
// till): a connection of its own, with the same pragmas. A failing statement
// fails the test.
class OtherTill {
public:
    explicit OtherTill(const QString& path);
    ~OtherTill();
    void exec(const QString& statement, const QVariantList& params = {});
    QVariant value(const QString& query, const QVariantList& params = {});
    OtherTill(const OtherTill&) = delete;
    OtherTill& operator=(const OtherTill&) = delete;

private:
    QString m_name;
};

// Another till in the middle of a write: on a thread of its own it begins a
// write transaction, runs the statements and commits after holdMs. The
// constructor returns once the lock is held; the destructor waits for the
// commit.
class TillWriting {
public:
    TillWriting(const QString& path, const QStringList& statements, int holdMs);
    ~TillWriting();
    TillWriting(const TillWriting&) = delete;
    TillWriting& operator=(const TillWriting&) = delete;

private:
    std::thread m_thread;
};

// Makes a file or folder read-only for the program until destroyed: by its
// permission bits, or, for root, whom permission bits do not stop, by the
// immutable attribute. ok() is false when the system allows neither.
class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(const QString& path);
    ~ReadOnlyGuard();
    bool ok() const { return m_ok; }
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;

private:
    QString m_path;
    bool m_ok = false;
    bool m_immutable = false;
    int m_mode = 0;
};
