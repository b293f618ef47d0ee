// Times the daily work and the reports on a database of generated history
// (tabulor-gen), driving the real windows offscreen with scripted message
// boxes and modal shows and the recording printer, and prints one table:
// operation, rows, median and max of the runs, and for the reports the
// ratio to a floor (the same result rows read by one bare prepared
// statement over the same connection).
//
//   tabulor-bench [--runs N] [--only TEXT] DB
//
// The database is changed by the write operations (they open, order and
// settle on its free tables); data clearing works on a copy of its own.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>
#include "bench/BenchOperations.h"
#include "db/Database.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "shell/Module1.h"

namespace {

long peakResidentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
        std::fprintf(stderr, "usage: tabulor-bench [--runs N] [--only TEXT] DB\n");
        return 2;
    }

    // Every seam scripted, as in the tests: no box or modal loop blocks.
    MessageSeam::script();
    Forms::scriptModals();
    FileDialogSeam::script();
    ProcessSeam::script();
    Printers::script({QStringLiteral("Recorder")});
    PrinterSeam::record();

    Bench::Context ctx;
    ctx.dbPath = QFileInfo(path).absoluteFilePath();
    QTemporaryDir program;
    ctx.programFolder = program.path();
    ProgramFolder::setForTest(ctx.programFolder);

    std::printf("%-46s %9s %10s %10s %10s %7s\n", "operation", "rows", "median ms", "max ms", "floor ms", "ratio");
    int failures = 0;
    for (const Bench::Operation& op : Bench::operations()) {
        if (!only.isEmpty() && !op.name.contains(only))
            continue;
        std::vector<double> times, floors;
        long rows = 0;
        QString error;
        for (int r = 0; r < runs && error.isEmpty(); ++r) {
            try {
                if (op.setUp)
                    op.setUp(ctx);
                QElapsedTimer t;
                t.start();
                rows = op.run(ctx);
                times.push_back(t.nsecsElapsed() / 1e6);
                if (op.tearDown)
                    op.tearDown(ctx);
                if (op.floor) {
                    QElapsedTimer f;
                    f.start();
                    op.floor(ctx);
                    floors.push_back(f.nsecsElapsed() / 1e6);
                }
            } catch (const DbError& e) {
                error = e.text;
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
            Forms::unloadAll();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
        if (!error.isEmpty()) {
            std::printf("%-46s FAILED: %s\n", qPrintable(op.name), qPrintable(error));
            ++failures;
            continue;
        }
        const double m = median(times), mx = *std::max_element(times.begin(), times.end());
        if (floors.empty()) {
            std::printf("%-46s %9ld %10.1f %10.1f %10s %7s\n", qPrintable(op.name), rows, m, mx, "", "");
        } else {
            const double fl = median(floors);
            std::printf("%-46s %9ld %10.1f %10.1f %10.1f %7.1f\n", qPrintable(op.name), rows, m, mx, fl,
                        fl > 0 ? m / fl : 0.0);
        }
        std::fflush(stdout);
    }
    Db::closeShared();
    std::printf("peak resident memory: %.1f MB\n", peakResidentKb() / 1024.0);
    return failures == 0 ? 0 : 1;
}
