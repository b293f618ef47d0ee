#include "print/RawPrintJob.h"

#include <cups/cups.h>
#include "platform/Seams.h"
#include "print/CodePage936.h"

namespace {

// A destination of the CUPS server the client library is pointed at
// (CUPS_SERVER, client.conf, or the local scheduler), on a connection of its
// own. The document goes as raw data: the queue hands the bytes to the
// printer as they are.
class CupsConnection : public SpoolerConnection {
public:
    CupsConnection(http_t* http, cups_dest_t* dest) : m_http(http), m_dest(dest) {}
    ~CupsConnection() override { close(); }

    bool startDoc(const QString& documentName) override
    {
        const QByteArray title = documentName.toUtf8();
        m_job = cupsCreateJob(m_http, m_dest->name, title.constData(), 0, nullptr);
        if (m_job <= 0)
            return false;
        m_sending = cupsStartDocument(m_http, m_dest->name, m_job, title.constData(), CUPS_FORMAT_RAW, 1)
                    == HTTP_STATUS_CONTINUE;
        return m_sending;
    }
    // A raw document has no pages of its own: the one page is the document.
    bool startPage() override { return m_sending; }
    bool write(const QByteArray& bytes) override
    {
        return m_sending && cupsWriteRequestData(m_http, bytes.constData(), size_t(bytes.size())) == HTTP_STATUS_CONTINUE;
    }
    bool endPage() override { return m_sending; }
    bool endDoc() override
    {
        if (!m_sending)
            return false;
        m_sending = false;
        m_finished = cupsFinishDocument(m_http, m_dest->name) <= IPP_STATUS_OK_EVENTS_COMPLETE;
        return m_finished;
    }
    void close() override
    {
        if (!m_http)
            return;
        // A job that did not get its whole document is not left in the queue.
        if (m_job > 0 && !m_finished)
            cupsCancelJob2(m_http, m_dest->name, m_job, 0);
        cupsFreeDests(1, m_dest);
        httpClose(m_http);
        m_http = nullptr;
        m_dest = nullptr;
    }

private:
    http_t* m_http;
    cups_dest_t* m_dest;
    int m_job = 0;
    bool m_sending = false;
    bool m_finished = false;
};

class CupsSpooler : public Spooler {
public:
    std::unique_ptr<SpoolerConnection> open(const QString& printerName) override
    {
        http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
        if (!http)
            return nullptr;
        const QByteArray name = printerName.trimmed().toUtf8();
        cups_dest_t* dest = cupsGetNamedDest(http, name.isEmpty() ? nullptr : name.constData(), nullptr);
        if (!dest) {
            httpClose(http);
            return nullptr;
        }
        return std::make_unique<CupsConnection>(http, dest);
    }
};

class RecordingConnection : public SpoolerConnection {
public:
    RecordingConnection(RecordingSpooler& spooler, size_t job) : m_spooler(spooler), m_job(job) {}
    bool startDoc(const QString& documentName) override
    {
        job().document = documentName;
        job().calls << QStringLiteral("startDoc");
        return true;
    }
    bool startPage() override { return log(QStringLiteral("startPage")); }
    bool write(const QByteArray& bytes) override
    {
        job().calls << QStringLiteral("write %1").arg(bytes.size());
        if (m_spooler.refuseWrites)
            return false;
        job().writes.push_back(bytes);
        return true;
    }
    bool endPage() override { return log(QStringLiteral("endPage")); }
    bool endDoc() override { return log(QStringLiteral("endDoc")); }
    void close() override
    {
        log(QStringLiteral("close"));
        job().closed = true;
    }

private:
    RecordingSpooler::Job& job() { return m_spooler.jobs[m_job]; }
    bool log(const QString& call)
    {
        job().calls << call;
        return true;
    }
    RecordingSpooler& m_spooler;
    size_t m_job;
};

std::unique_ptr<Spooler>& spoolerInstance()
{
    static std::unique_ptr<Spooler> s;
    return s;
}

} // namespace

QByteArray RecordingSpooler::Job::bytes() const
{
    QByteArray all;
    for (const QByteArray& w : writes)
        all += w;
    return all;
}

std::unique_ptr<SpoolerConnection> RecordingSpooler::open(const QString& printerName)
{
    opensAsked << printerName;
    if (!printers.contains(printerName))
        return nullptr;
    jobs.push_back(Job{printerName, {}, {}, {}, false, });
    return std::make_unique<RecordingConnection>(*this, jobs.size() - 1);
}

Spooler& SpoolerSeam::spooler()
{
    auto& s = spoolerInstance();
    if (!s)
        s = std::make_unique<CupsSpooler>();
    return *s;
}

RecordingSpooler& SpoolerSeam::record()
{
    auto r = std::make_unique<RecordingSpooler>();
    RecordingSpooler& ref = *r;
    spoolerInstance() = std::move(r);
    return ref;
}

void SpoolerSeam::stopScripting() { spoolerInstance().reset(); }

RawPrintJob::~RawPrintJob() { close(); }

bool RawPrintJob::open(const QString& printerName)
{
    close();
    m_failed = false;
    m_connection = SpoolerSeam::spooler().open(printerName);
    if (!m_connection) {
        MsgBox(QStringLiteral("The Printer Name you typed wasn't recognized."));
        return false;
    }
    return true;
}

void RawPrintJob::startDocument(const QString& documentName)
{
    if (!m_connection)
        return;
    m_failed = !m_connection->startDoc(documentName) || m_failed;
    m_docOpen = true;
    m_failed = !m_connection->startPage() || m_failed;
    m_pageOpen = true;
}

void RawPrintJob::writeLine(const QString& line)
{
    if (!m_connection)
        return;
    // The byte count of a line is its width in single-byte columns: every
    // character becomes one byte, or two for a double-byte character.
    const QByteArray bytes = Cp936::encode(line);
    Q_ASSERT(bytes.size() == AnsiTextWidth(line));
    m_failed = !m_connection->write(bytes) || m_failed;
}

void RawPrintJob::finish()
{
    if (!m_connection)
        return;
    if (m_pageOpen)
        m_failed = !m_connection->endPage() || m_failed;
    if (m_docOpen)
        m_failed = !m_connection->endDoc() || m_failed;
    m_pageOpen = m_docOpen = false;
    close();
}

void RawPrintJob::close()
{
    if (!m_connection)
        return;
    m_connection->close();
    m_connection.reset();
    m_pageOpen = m_docOpen = false;
}
