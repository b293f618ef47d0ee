#pragma once
// The table sales detail: for the ticked tables, each seating settled in a
// period with its order lines, bill amount and received amount, as text;
// the received amount per table name as a box with a total; and the print
// of that text on the printer object.
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "reports/ReportSupport.h"

class FrmFTXS : public Form {
    Q_OBJECT
public:
    FrmFTXS();

    Toolbar* Toolbar1;
    QLabel* Label2[2];          // "开始时间", "终止时间"
    QDateEdit* DTPicker1[2];    // start date, end date
    QTimeEdit* DTPicker2[2];    // start time, end time
    QLabel* Label1[2];          // "房台列表", "房台消费情况明细"
    ListView* ListView1;        // the tables, each with a tick
    QPushButton* Command1[3];   // "全选", "返选", "清除"
    QPlainTextEdit* Text1;      // the report text, read only

    enum Button { BtnDetail = 1, BtnSummary, BtnPrint, BtnHelp, BtnExit };
    enum Column { ColName, ColKind, ColType, ColCode };

    void Form_Load() override;
    void ListView1Init();
    void Command1_Click(int index);
    void Toolbar1_ButtonClick(int index);
    void ShowTableSalesDetail();
    void ShowTableSalesSummary();

    // The report text as printed: lines ended by CR LF, TABs kept.
    QString reportText() const { return m_text; }

    bool ticked(int row) const;
    void setTicked(int row, bool on);

private:
    void loadTables();
    void setRangeFromPickers();
    void setReportText(const QString& text);
    ReportPeriod m_range;
    QString m_text;
};
