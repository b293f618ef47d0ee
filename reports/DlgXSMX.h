#pragma once
// The query dialog of the sales detail: takes the period, fills the sales
// detail window's period line and grid, and closes.
#include <QLabel>
#include <QPushButton>
#include "platform/Form.h"
#include "reports/ReportSupport.h"

class DlgXSMX : public Form {
    Q_OBJECT
public:
    DlgXSMX();

    QLabel* Label1[3];          // 1 "日期", 2 "至"
    QDateEdit* DTPicker1[2];    // start date, end date
    QTimeEdit* DTPicker2[2];    // start time, end time
    QPushButton* Command1[2];   // 0 query, 1 cancel

    void Form_Load() override;
    void Command1_Click(int index);
    void QuerySalesDetail();
};
