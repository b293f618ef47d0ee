// Times the daily work and the reports on a database of generated history
// (tabulor-gen), driving the real windows offscreen with scripted message
// boxes and modal shows and the recording printer, and prints one table:
// operation, rows, median and max of the runs, for the reports and lists
// the floor (the same result rows read by bare prepared statements over the
// same connection) and the ratio to it, the target, and the resident memory
// of the process with the operation's window still loaded after its last run.
// A report over a period also has a source floor: the period's source rows
// (order lines or bills) read once through the best index the schema has and
// summed without grouping, and the ratio to it.
// An operation fails when it throws, when a window says the database failed,
// or when a report shows other rows than its floor reads.
//
//   tabulor-bench [--runs N] [--only PATTERN] DB
//
// --only runs the operations whose name matches the regular expression.
//
// The database is changed by the write operations (they open, order and
// settle on one of its free tables); data clearing works on a copy of its
// own. The reports run over the last day, month and year of the history:
// the day of the last bill before today.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <malloc.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>
#include "bench/BenchOperations.h"
#include "db/Database.h"
#include "platform/Form.h"
#include "platform/Locale.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "print/RawPrintJob.h"
#include "shell/Module1.h"

namespace {

// A figure of /proc/self/status in kB: VmHWM the peak, VmRSS the present
// resident memory.
long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray name = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The last day of the history: the day of the last bill before today.
QDate lastDayOfHistory()
{
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
    const QString last =
        Db::scalar(QStringLiteral("select max(account_date) from ACCOUNT_200606 where account_date < ?"), {today}).toString();
    return QDate::fromString(last.left(10), QStringLiteral("yyyy-MM-dd"));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useProgramLocale();
    QApplication::setQuitOnLastWindowClosed(false);
    int runs = 5;
    QString only, path;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i];
        else
            path = args[i];
    }
    if (path.isEmpty() || !QFile::exists(path)) {
        std::fprintf(stderr, "usage: tabulor-bench [--runs N] [--only PATTERN] DB\n");
        return 2;
    }

    // Every seam scripted, as in the tests: no box or modal loop blocks,
    // nothing reaches a real printer.
    MessageSeam::script();
    Forms::scriptModals();
    FileDialogSeam::script();
    ProcessSeam::script();
    Printers::script({QStringLiteral("Recorder")});
    RecordingPrinter& printer = PrinterSeam::record();
    SpoolerSeam::record();

    Bench::Context ctx;
    ctx.dbPath = QFileInfo(path).absoluteFilePath();
    QTemporaryDir program;
    ctx.programFolder = program.path();
    ProgramFolder::setForTest(ctx.programFolder);
    try {
        Db::openShared(ctx.dbPath);
        ctx.lastDay = lastDayOfHistory();
    } catch (const DbError& e) {
        std::fprintf(stderr, "tabulor-bench: %s\n", qPrintable(e.text));
        return 2;
    }
    if (!ctx.lastDay.isValid()) {
        std::fprintf(stderr, "tabulor-bench: the database holds no settled bill before today\n");
        return 2;
    }
    std::printf("history ends %s; %d run(s) each\n", qPrintable(ctx.lastDay.toString(Qt::ISODate)), runs);
    std::printf("%-48s %8s %9s %9s %9s %6s %8s %6s %7s %7s\n", "operation", "rows", "median ms", "max ms", "floor ms",
                "ratio", "source ms", "ratio", "target", "rss MB");
    int failures = 0, misses = 0;
    for (const Bench::Operation& op : Bench::operations()) {
        if (!only.isEmpty() && !op.name.contains(QRegularExpression(only)))
            continue;
        std::vector<double> times, floors, sources;
        long rows = 0, residentKb = 0;
        QString error;
        for (int r = 0; r < runs && error.isEmpty(); ++r) {
            try {
                MessageSeam::clear();
                Forms::clearModalShows();
                printer.documents.clear();
                printer.discarded.clear();
                if (op.setUp)
                    op.setUp(ctx);
                ctx.resetClock();
                QElapsedTimer t;
                t.start();
                rows = op.run(ctx);
                const qint64 whole = t.nsecsElapsed();
                times.push_back((ctx.measuredNs() >= 0 ? ctx.measuredNs() : whole) / 1e6);
                residentKb = statusKb("VmRSS");
                if (op.tearDown)
                    op.tearDown(ctx);
                if (op.floor) {
                    QElapsedTimer f;
                    f.start();
                    const long floorRows = op.floor(ctx);
                    floors.push_back(f.nsecsElapsed() / 1e6);
                    if (op.rowsMatchFloor && floorRows != rows)
                        error = QStringLiteral("the window shows %1 rows, its statements read %2").arg(rows).arg(floorRows);
                }
                if (op.sourceFloor) {
                    QElapsedTimer f;
                    f.start();
                    op.sourceFloor(ctx);
                    sources.push_back(f.nsecsElapsed() / 1e6);
                }
            } catch (const DbError& e) {
                error = e.text;
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
            Forms::unloadAll();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            // What the operation freed goes back to the system, so that the
            // next one's resident memory is its own.
            malloc_trim(0);
        }
        if (!error.isEmpty()) {
            std::printf("%-48s FAILED: %s\n", qPrintable(op.name), qPrintable(error));
            std::fflush(stdout);
            ++failures;
            continue;
        }
        const double m = median(times), mx = *std::max_element(times.begin(), times.end());
        const bool miss = op.targetMs > 0 && m > op.targetMs;
        misses += miss;
        const QString target = op.targetMs > 0 ? QString::number(op.targetMs) + (miss ? QStringLiteral("!") : QString())
                                               : QString();
        const QString floor = floors.empty() ? QString() : QString::number(median(floors), 'f', 1);
        const QString ratio = floors.empty() || median(floors) <= 0 ? QString()
                                                                    : QString::number(m / median(floors), 'f', 1);
        const QString source = sources.empty() ? QString() : QString::number(median(sources), 'f', 1);
        const QString sourceRatio = sources.empty() || median(sources) <= 0
            ? QString()
            : QString::number(m / median(sources), 'f', 1);
        std::printf("%-48s %8ld %9.1f %9.1f %9s %6s %8s %6s %7s %7.0f\n", qPrintable(op.name), rows, m, mx,
                    qPrintable(floor), qPrintable(ratio), qPrintable(source), qPrintable(sourceRatio), qPrintable(target),
                    residentKb / 1024.0);
        std::fflush(stdout);
    }
    Db::closeShared();
    std::printf("peak resident memory: %.1f MB; %d operation(s) over target, %d failed\n", statusKb("VmHWM") / 1024.0,
                misses, failures);
    return failures == 0 ? 0 : 1;
}
