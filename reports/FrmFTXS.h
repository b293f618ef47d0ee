#pragma once
// The table sales detail: for the ticked tables, each seating settled in a
// period with its order lines, bill amount and received amount, as text;
// the received amount per table name as a box with a total; and the print
// of that text on the printer object.
#include <QLabel>
#include <QPushButton>
#include <memory>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/TextLinesView.h"
#include "reports/ReportSupport.h"

class TableSalesLines;

class FrmFTXS : public Form {
    Q_OBJECT
public:
    FrmFTXS();
    ~FrmFTXS() override;

    Toolbar* Toolbar1;
    QLabel* Label2[2];          // "开始时间", "终止时间"
    QDateEdit* DTPicker1[2];    // start date, end date
    QTimeEdit* DTPicker2[2];    // start time, end time
    QLabel* Label1[2];          // "房台列表", "房台消费情况明细"
    ListView* ListView1;        // the tables, each with a tick
    QPushButton* Command1[3];   // "全选", "返选", "清除"
    TextLinesView* Text1;       // the report text, read only, line by line

    enum Button { BtnDetail = 1, BtnSummary, BtnPrint, BtnHelp, BtnExit };
    enum Column { ColName, ColKind, ColType, ColCode };

    void Form_Load() override;
    void ListView1Init();
    void Command1_Click(int index);
    void Toolbar1_ButtonClick(int index);
    void ShowTableSalesDetail();
    void ShowTableSalesSummary();

    // The report text as printed: lines ended by CR LF, TABs kept.
    QString reportText() const;

    bool ticked(int row) const;
    void setTicked(int row, bool on);

private:
    void loadTables();
    void setRangeFromPickers();
    // Shows the lines now held (none: the text is empty).
    void showReportLines();
    ReportPeriod m_range;
    // The report's lines: a year of seatings comes to millions of lines, so
    // they are held as seatings and order lines and made when shown.
    std::unique_ptr<TableSalesLines> m_lines;
};
