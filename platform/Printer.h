#pragma once
// The printers collection and the printer object: print a line, font size and
// bold, end the document; pages break by themselves. In the program the object
// prints to the default printer (or to the PDF file named by TABULOR_PRINT_TO);
// tests use a recording printer and a scripted printers list.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class Printers {
public:
    // Device names of the installed printers, in their order.
    static QStringList installed();
    static void script(const QStringList& deviceNames);   // tests
    static void stopScripting();
};

class PrinterObject {
public:
    virtual ~PrinterObject() = default;
    virtual QString deviceName() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual double fontSize() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual bool bold() const = 0;
    // The start operation: discards a document that was begun and never
    // ended, so that what follows is a document of its own.
    virtual void startDoc() = 0;
    // Prints one line and moves to the next; an empty text prints an empty line.
    // A CR LF inside the text starts a new line; a TAB moves to the next tab
    // stop (one every 720 twips).
    virtual void printLine(const QString& text) = 0;
    // Ends the document and sends it to the printer.
    virtual void endDoc() = 0;
};

struct PrintedLine {
    QString text;
    double fontSize = 0;
    bool bold = false;
};

class RecordingPrinter : public PrinterObject {
public:
    QString deviceName() const override { return device; }
    void setFontSize(double p) override { m_size = p; }
    double fontSize() const override { return m_size; }
    void setBold(bool b) override { m_bold = b; }
    bool bold() const override { return m_bold; }
    void startDoc() override
    {
        ++starts;
        if (!current.empty())
            discarded.push_back(current);
        current.clear();
    }
    void printLine(const QString& text) override { current.push_back({text, m_size, m_bold}); }
    void endDoc() override
    {
        documents.push_back(current);
        current.clear();
    }

    QString device = QStringLiteral("Recorder");          // the device name it answers
    std::vector<PrintedLine> current;                     // lines of the open document
    std::vector<std::vector<PrintedLine>> documents;      // ended documents
    std::vector<std::vector<PrintedLine>> discarded;      // begun, then dropped by startDoc
    int starts = 0;                                       // start operations issued
private:
    double m_size = 9;
    bool m_bold = false;
};

class PrinterSeam {
public:
    // The printer object of the process.
    static PrinterObject& printer();
    // Tests: replace the printer object with a fresh recorder and return it.
    static RecordingPrinter& record();
    static void stopScripting();
};

// True when an installed printer has a device name that is not blank;
// otherwise says so and returns false. Callers print only on true.
bool CheckPrinterInstalled();

// Before a print: with no installed printer at all, says "您没有安装打印机!"
// (information, title "信息提示") and returns true; the caller then prints
// nothing. Returns false when a printer is installed.
bool PrinterMissingCheck();
