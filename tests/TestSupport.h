#pragma once
// Shared test fixture: a fresh database file made from the schema and the
// seed in a temporary folder, every seam scripted, and a few builders.
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/Seams.h"

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

    // Adds a user with the given password and menu codes.
    void addUser(const QString& code, const QString& password, const QStringList& menuCodes);
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
