// Tabulor: the program entry.
//
// With TABULOR_STARTUP_REPORT set in the environment the program starts as
// ever and, once its first window is on screen, writes one line to standard
// output: the window's name and the milliseconds since the process started,
// "FrmXTDL 157.0"; then it quits, with 0 when that window is the login
// window. The benchmark times start-up so.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include "platform/Form.h"
#include "platform/Locale.h"
#include "platform/Seams.h"
#include "shell/Module1.h"

namespace {

// Milliseconds since the process was started (its start time in clock ticks
// since boot, from /proc), or -1 when it cannot be told.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The fields after the program's name, which is in parentheses; the
    // start time is the 22nd field, the 20th after the name.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startSeconds = fields[19].toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startSeconds) * 1000.0;
}

void reportWhenShown(QApplication& app, const QString& shown)
{
    auto* poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&app, poll, shown] {
        Form* f = Forms::find(shown);
        if (!f || !f->isVisible() || !f->windowHandle() || !f->windowHandle()->isExposed())
            return;
        poll->stop();
        std::printf("%s %.1f\n", qPrintable(shown), msSinceProcessStart());
        std::fflush(stdout);
        app.exit(shown == QLatin1String("FrmXTDL") ? 0 : 1);
    });
    poll->start(0);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    useProgramLocale();
    QApplication::setApplicationName(QStringLiteral("Tabulor"));
    QFont f = QApplication::font();
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), f.family()});
    QApplication::setFont(f);
    QApplication::setQuitOnLastWindowClosed(false);
    Forms::quitWhenNoneLoaded(true);
    const QString shown = Module1::Main();
    if (qEnvironmentVariableIsSet("TABULOR_STARTUP_REPORT"))
        reportWhenShown(app, shown);
    const int code = app.exec();
    // However the event loop ended (the last window closed at start-up, the
    // start-up report), the program ends as it does from its exit button.
    ProcessSeam::end(code);
    return code;
}
