#pragma once
// The operations the benchmark times. Each drives the real windows through
// their controls and procedures; run() returns the number of rows it shows
// (or writes), floor() reads the same rows with bare prepared statements
// over the same connection.
#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>
#include "platform/Form.h"

namespace Bench {

// A period at the end of the history: whole days, both ends included.
struct Period {
    QString label;   // "day", "month", "year", "5 years"
    QDate from, to;
    double targetMs = 0;
    QString start() const;   // "yyyy-MM-dd 00:00:00"
    QString end() const;     // "yyyy-MM-dd 23:59:59"
    QVariantList bounds() const { return {start(), end()}; }
};

struct Context {
    QString dbPath;
    QString programFolder;
    QDate lastDay;            // the last day of the history
    QString tableId;          // the table the daily work runs on

    Period day() const;
    Period month() const;
    Period year() const;
    Period allYears() const;   // five years

    // An operation that times only a part of its run marks it; otherwise
    // the whole run is timed.
    void start();
    void stop();
    void resetClock();
    qint64 measuredNs() const { return m_measured; }

private:
    QElapsedTimer m_clock;
    qint64 m_measured = -1;
};

struct Operation {
    QString name;
    std::function<void(Context&)> setUp;      // not timed
    std::function<long(Context&)> run;        // timed
    std::function<void(Context&)> tearDown;   // not timed
    std::function<long(Context&)> floor;      // timed separately, may be empty; returns its rows
    // The period's source rows (lines or bills) read once and summed without
    // grouping, the least any statement of the report can do; timed
    // separately, may be empty.
    std::function<long(Context&)> sourceFloor;
    double targetMs = 0;                      // the figure it should stay under (0: none)
    bool rowsMatchFloor = false;              // the window shows exactly the floor's rows
};


// Every operation, in the order they run.
std::vector<Operation> operations();

// The groups, each in its own file.
std::vector<Operation> dailyWork();
std::vector<Operation> reportOperations();
std::vector<Operation> stockOperations();
std::vector<Operation> maintenanceOperations();

// ---- shared by the operations ---------------------------------------------

// The program as after a login: the shared connection open on the
// benchmark's database, the operator set.
void loggedIn(Context& ctx);
// Reads every row of a statement with one bare prepared statement on the
// shared connection, every value touched; returns the number of rows.
long floorRows(const QString& sql, const QVariantList& params = {});
// Reads every row of a statement through Db::RowReader, as the windows read
// long lists, and sums every value of it as money, without grouping;
// returns the number of rows.
long sumRows(int columns, const QString& sql, const QVariantList& params = {});
// Reads every value of the given number of columns of a statement through
// Db::RowReader (the floor of a window that reads its rows so).
long readerRows(int columns, const QString& sql, const QVariantList& params = {});
// Throws when a message box said that the database failed.
void failOnDatabaseMessages();
// Throws with the text when the condition does not hold.
void check(bool condition, const QString& what);
// Lets the windows lay out and paint what they were given.
void settle();

// A window on screen, as after a login.
template <class Window> Window& shown(Context& ctx)
{
    loggedIn(ctx);
    Window& w = Forms::get<Window>();
    if (!w.isVisible())
        Forms::show(w);
    return w;
}

// Scripts the modal shows of a window: fn runs in it while it is open.
template <class Window> void onWindow(const std::function<void(Window&)>& fn)
{
    Forms::onModal(QString::fromLatin1(Window::staticMetaObject.className()),
                   [fn](Form& f) { fn(static_cast<Window&>(f)); });
}

} // namespace Bench
