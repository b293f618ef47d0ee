#include "platform/Printer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <optional>
#include "platform/Seams.h"

namespace {

std::optional<QStringList>& scriptedPrinters()
{
    static std::optional<QStringList> list;
    return list;
}

// The printer object over QPrinter: lines are laid down one under another,
// a new page starts when the next line would not fit.
class QtPrinterObject : public PrinterObject {
public:
    QString deviceName() const override
    {
        const QString pdf = qEnvironmentVariable("TABULOR_PRINT_TO");
        if (!pdf.isEmpty())
            return pdf;
        return QPrinterInfo::defaultPrinterName();
    }
    void setFontSize(double p) override { m_size = p; }
    double fontSize() const override { return m_size; }
    void setBold(bool b) override { m_bold = b; }
    bool bold() const override { return m_bold; }

    void startDoc() override
    {
        if (m_started) {
            m_printer.abort();
            if (m_painter.isActive())
                m_painter.end();
        }
        m_started = false;
        m_y = 0;
    }

    void printLine(const QString& text) override
    {
        begin();
        if (!m_painter.isActive())
            return;
        QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
        font.setPointSizeF(m_size);
        font.setBold(m_bold);
        m_painter.setFont(font);
        const QFontMetrics fm(font, &m_printer);
        const int pageHeight = m_printer.pageLayout().paintRectPixels(m_printer.resolution()).height();
        // A CR LF inside the text starts a new line, so a text that ends with
        // one leaves an empty line after it; a TAB moves to the next tab stop,
        // one every 720 twips (half an inch).
        const int tabStop = std::max(1, m_printer.resolution() / 2);
        for (const QString& row : text.split(QStringLiteral("\r\n"))) {
            if (m_y + fm.height() > pageHeight && m_y > 0) {
                m_printer.newPage();
                m_y = 0;
            }
            int x = 0;
            const QStringList pieces = row.split(u'\t');
            for (int i = 0; i < pieces.size(); ++i) {
                if (i > 0)
                    x = (x / tabStop + 1) * tabStop;
                m_painter.drawText(x, m_y + fm.ascent(), pieces[i]);
                x += fm.horizontalAdvance(pieces[i]);
            }
            m_y += fm.height();
        }
    }

    void endDoc() override
    {
        if (m_painter.isActive())
            m_painter.end();
        m_started = false;
        m_y = 0;
    }

private:
    void begin()
    {
        if (m_started)
            return;
        m_started = true;
        const QString pdf = qEnvironmentVariable("TABULOR_PRINT_TO");
        if (!pdf.isEmpty()) {
            m_printer.setOutputFormat(QPrinter::PdfFormat);
            m_printer.setOutputFileName(pdf);
        } else {
            m_printer.setPrinterName(QPrinterInfo::defaultPrinterName());
        }
        m_painter.begin(&m_printer);
    }

    QPrinter m_printer{QPrinter::HighResolution};
    QPainter m_painter;
    bool m_started = false;
    int m_y = 0;
    double m_size = 9;
    bool m_bold = false;
};

std::unique_ptr<PrinterObject>& printerObject()
{
    static std::unique_ptr<PrinterObject> p;
    return p;
}

} // namespace

QStringList Printers::installed()
{
    if (scriptedPrinters())
        return *scriptedPrinters();
    QStringList names = QPrinterInfo::availablePrinterNames();
    if (!qEnvironmentVariable("TABULOR_PRINT_TO").isEmpty())
        names.prepend(qEnvironmentVariable("TABULOR_PRINT_TO"));
    return names;
}
void Printers::script(const QStringList& names) { scriptedPrinters() = names; }
void Printers::stopScripting() { scriptedPrinters().reset(); }

PrinterObject& PrinterSeam::printer()
{
    auto& p = printerObject();
    if (!p)
        p = std::make_unique<QtPrinterObject>();
    return *p;
}

RecordingPrinter& PrinterSeam::record()
{
    auto r = std::make_unique<RecordingPrinter>();
    RecordingPrinter& ref = *r;
    printerObject() = std::move(r);
    return ref;
}

void PrinterSeam::stopScripting() { printerObject().reset(); }

bool CheckPrinterInstalled()
{
    for (const QString& name : Printers::installed())
        if (!name.trimmed().isEmpty())
            return true;
    MsgBox(QStringLiteral("系统没有安装打印机，请在[控制面板]中安装打印机！"), Msg::Exclamation);
    return false;
}

bool PrinterMissingCheck()
{
    if (!Printers::installed().isEmpty())
        return false;
    MsgBox(QStringLiteral("您没有安装打印机!"), Msg::Information, QStringLiteral("信息提示"));
    return true;
}
