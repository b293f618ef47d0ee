#include "tests/PrivateCups.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString Cupsd = QStringLiteral("/usr/sbin/cupsd");
const QString ServerBin = QStringLiteral("/usr/lib/cups");

// A loopback port nobody listens on right now.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

bool writeFile(const QString& path, const QString& text, QFileDevice::Permissions permissions = {})
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(text.toUtf8());
    f.close();
    return permissions ? f.setPermissions(permissions) : true;
}

// Points the client library at the server named by CUPS_SERVER (or back at
// the default when it is unset).
void rereadServer()
{
    cupsSetServer(nullptr);
}

} // namespace

PrivateCups::~PrivateCups() { stop(); }

QString PrivateCups::start(const QString& queue)
{
    if (!QFileInfo::exists(Cupsd))
        return QStringLiteral("%1 is missing (scripts/install-deps.sh installs cups-daemon)").arg(Cupsd);
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder: ") + m_dir.errorString();
    // The scheduler's user lp runs the backend and writes the received bytes.
    const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                      | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(m_dir.path(), open);
    QDir root(m_dir.path());
    for (const char* folder : {"etc", "spool", "spool/tmp", "cache", "run", "log", "out"})
        root.mkpath(QString::fromLatin1(folder));
    for (const char* shared : {"out", "spool/tmp"})
        QFile::setPermissions(path(QString::fromLatin1(shared)), open | QFileDevice::WriteGroup | QFileDevice::WriteOther);
    if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), ServerBin, path(QStringLiteral("lib"))}) != 0)
        return QStringLiteral("cannot copy %1").arg(ServerBin);
    if (!writeFile(path(QStringLiteral("lib/backend/capture")),
                   QStringLiteral("#!/bin/sh\n"
                                  "[ $# -eq 0 ] && exit 0\n"
                                  "cat ${6:+\"$6\"} >> \"${DEVICE_URI#capture:}\"\n"),
                   open))
        return QStringLiteral("cannot write the capture backend");

    m_port = freePort();
    if (m_port == 0)
        return QStringLiteral("no free loopback port");
    const QString r = m_dir.path();
    bool written = writeFile(path(QStringLiteral("etc/cups-files.conf")),
                             QStringLiteral("ServerRoot %1/etc\nServerBin %1/lib\nDataDir /usr/share/cups\n"
                                            "RequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                            "StateDir %1/run\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                            "PageLog %1/log/page_log\nUser lp\nGroup lp\nSystemGroup root\n")
                                 .arg(r));
    written = written && writeFile(path(QStringLiteral("etc/cupsd.conf")),
                                   QStringLiteral("Listen 127.0.0.1:%1\nLogLevel info\nBrowsing No\nWebInterface No\n"
                                                  "DefaultAuthType None\n"
                                                  "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                                  "<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n"
                                                  "</Policy>\n")
                                       .arg(m_port));
    // A queue without a driver is a raw queue: the bytes go to the device as sent.
    written = written && writeFile(path(QStringLiteral("etc/printers.conf")),
                                   QStringLiteral("<DefaultPrinter %1>\nInfo Tabulor test receipt printer\n"
                                                  "DeviceURI capture:%2/out/received.bin\nState Idle\nAccepting Yes\n"
                                                  "Shared No\n</DefaultPrinter>\n")
                                       .arg(queue, r));
    if (!written)
        return QStringLiteral("cannot write the scheduler's configuration");

    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(Cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("etc/cupsd.conf")),
                          QStringLiteral("-s"), path(QStringLiteral("etc/cups-files.conf"))});
    if (!m_cupsd.waitForStarted(5000))
        return QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();

    qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(m_port).toUtf8());
    rereadServer();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        if (m_cupsd.state() == QProcess::NotRunning)
            return QStringLiteral("cupsd ended: ") + QString::fromLocal8Bit(m_cupsd.readAll()) + log();
        if (http_t* http = httpConnect2("127.0.0.1", m_port, nullptr, AF_INET, HTTP_ENCRYPTION_NEVER, 1, 500, nullptr)) {
            cups_dest_t* dest = cupsGetNamedDest(http, queue.toUtf8().constData(), nullptr);
            httpClose(http);
            if (dest) {
                cupsFreeDests(1, dest);
                return {};
            }
        }
        QThread::msleep(100);
    }
    return QStringLiteral("the queue did not come up within 20 s: ") + log();
}

void PrivateCups::stop()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(2000);
        }
    }
    if (m_port != 0) {
        qunsetenv("CUPS_SERVER");
        rereadServer();
        m_port = 0;
    }
}

QByteArray PrivateCups::waitForBytes(qsizetype size, int milliseconds) const
{
    QElapsedTimer waited;
    waited.start();
    const QString file = path(QStringLiteral("out/received.bin"));
    while (QFileInfo(file).size() < size && waited.elapsed() < milliseconds)
        QThread::msleep(50);
    QThread::msleep(200);   // anything after the receipt would show too
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString PrivateCups::log() const
{
    QFile f(path(QStringLiteral("log/error_log")));
    return f.open(QIODevice::ReadOnly) ? QStringLiteral("\n--- cupsd error_log ---\n") + QString::fromLocal8Bit(f.readAll().right(4000))
                                       : QString();
}
