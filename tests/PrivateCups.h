#pragma once
// A CUPS scheduler of the test's own: cupsd on a loopback port, with its own
// ServerRoot and a copy of the ServerBin folder whose extra backend appends
// every job's bytes to a file, and one raw queue on that backend. The client
// library is pointed at it through CUPS_SERVER while it runs.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class PrivateCups {
public:
    PrivateCups() = default;
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Starts the scheduler with a raw queue of that name. Returns the reason
    // when it cannot, empty text when the queue is ready.
    QString start(const QString& queue);
    void stop();

    // The bytes the queue's device has received, once there are at least
    // `size` of them or the time is up.
    QByteArray waitForBytes(qsizetype size, int milliseconds) const;
    // The scheduler's error log, for a failure message.
    QString log() const;

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir{QStringLiteral("/tmp/tabulor-cups-XXXXXX")};
    QProcess m_cupsd;
    int m_port = 0;
};
