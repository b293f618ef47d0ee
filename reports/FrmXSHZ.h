#pragma once
// The sales summary: the settled sales of a period by table, by dish
// sub-category or by dish, with a totals row, and its print on the spooler
// (dot-matrix printers) or on the printer object.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "reports/ReportSupport.h"

class FrmXSHZ : public Form {
    Q_OBJECT
public:
    FrmXSHZ();

    QGroupBox* FrameMode;
    QComboBox* Combo1;        // mode of the next query
    QLabel* Label1;           // not shown: mode of the result now held
    QGroupBox* FrameRange;
    QDateEdit* DTPFrom;
    QDateEdit* DTPTo;
    QTimeEdit* DTPicker2[2];  // 0 start time, 1 end time
    ListView* ListView1;
    QPushButton* cmdQuery;
    QPushButton* cmdPrint;
    QPushButton* cmdExit;

    static inline const QString ByTable = QStringLiteral("按房台");
    static inline const QString ByCategory = QStringLiteral("按分类");
    static inline const QString ByDish = QStringLiteral("按品名");

    void Form_Load() override;
    void Form_Unload() override;
    void cmdQuery_Click();
    void cmdPrint_Click();
    void cmdExit_Click();

    // The period of the result now held (empty before this window's first query).
    const ReportPeriod& resultPeriod() const { return m_resultPeriod; }

    // One printed row: the name as stored and its amount.
    struct PrintRow {
        QString name;
        Money amount;
    };
    // The rows of the held result as the print takes them, in the mode of Label1.
    std::vector<PrintRow> printRows() const;
    // The two layouts of the print, each line without its line end.
    QStringList spoolerLines() const;
    QStringList printerObjectLines() const;

private:
    void showResult(const QString& mode);
    void setHeaders(const QStringList& captions, bool firstLeftOthersRight);
    ReportPeriod m_resultPeriod;
};
