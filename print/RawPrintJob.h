#pragma once
// Plain text straight to a printer queue: one document of one page whose bytes
// are the lines in code page 936, with nothing added (no escape codes, no form
// feed). In the program the spooler is CUPS (a raw document on the named
// destination); tests record the calls instead.
//
//   RawPrintJob job;
//   if (!job.open(printerName)) return;      // has said so already
//   job.startDocument("餐饮收费");
//   job.writeLine("...\r\n");                // one write per line
//   job.finish();                            // end page, end document, close
//
// A job that was opened is closed on every path (at the latest when the
// object goes).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// One opened printer of the spooler, from the open to the close.
class SpoolerConnection {
public:
    virtual ~SpoolerConnection() = default;
    // Each call returns false when the spooler refused it.
    virtual bool startDoc(const QString& documentName) = 0;
    virtual bool startPage() = 0;
    virtual bool write(const QByteArray& bytes) = 0;
    virtual bool endPage() = 0;
    virtual bool endDoc() = 0;
    // Releases the printer; a document that was started and not ended is
    // withdrawn.
    virtual void close() = 0;
};

class Spooler {
public:
    virtual ~Spooler() = default;
    // The printer of that name (the default destination for an empty name),
    // or nullptr when the spooler does not know it.
    virtual std::unique_ptr<SpoolerConnection> open(const QString& printerName) = 0;
};

// The spooler tests use: it knows the printers named in `printers`, keeps
// every job with its calls in order and the bytes written, and can be told to
// refuse writes.
class RecordingSpooler : public Spooler {
public:
    struct Job {
        QString printer;
        QString document;
        QStringList calls;                 // "startDoc", "startPage", "write 12", "endPage", "endDoc", "close"
        std::vector<QByteArray> writes;
        bool closed = false;
        QByteArray bytes() const;          // every write, in order
    };

    std::unique_ptr<SpoolerConnection> open(const QString& printerName) override;

    QStringList printers{QStringLiteral("Recorder")};
    bool refuseWrites = false;
    QStringList opensAsked;                // every name asked, known or not
    std::vector<Job> jobs;                 // one per successful open
};

class SpoolerSeam {
public:
    // The spooler of the process (CUPS unless a test records).
    static Spooler& spooler();
    // Tests: replace the spooler with a fresh recorder and return it.
    static RecordingSpooler& record();
    static void stopScripting();
};

class RawPrintJob {
public:
    RawPrintJob() = default;
    ~RawPrintJob();
    RawPrintJob(const RawPrintJob&) = delete;
    RawPrintJob& operator=(const RawPrintJob&) = delete;

    // Opens the printer. An unknown printer gives "The Printer Name you typed
    // wasn't recognized." (no icon, the application's title) and false;
    // nothing is sent then and there is nothing to close.
    bool open(const QString& printerName);
    bool isOpen() const { return m_connection != nullptr; }
    // Starts the named document and its one page.
    void startDocument(const QString& documentName);
    // Writes one line (which already ends with CR LF) as its code page 936
    // bytes, AnsiTextWidth of the line in number.
    void writeLine(const QString& line);
    // Ends the page and the document and closes the printer.
    void finish();
    // Closes the printer (withdrawing a document not finished).
    void close();

    // Whether a spooler call after the open was refused: the job may not
    // have printed. The remaining calls are made all the same.
    bool failed() const { return m_failed; }

private:
    std::unique_ptr<SpoolerConnection> m_connection;
    bool m_pageOpen = false;
    bool m_docOpen = false;
    bool m_failed = false;
};
