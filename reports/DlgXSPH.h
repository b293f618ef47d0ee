#pragma once
// The query dialog of the waiter ranking: takes the period, fills the
// ranking's period line and grid, and closes.
#include <QLabel>
#include <QPushButton>
#include "platform/Form.h"
#include "reports/ReportSupport.h"

class DlgXSPH : public Form {
    Q_OBJECT
public:
    DlgXSPH();

    QLabel* Label1[2];          // "起始日期", "终止日期"
    QDateEdit* DTPicker1[2];    // start date, end date
    QTimeEdit* DTPicker2[2];    // start time, end time
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void Form_Load() override;
    void OKButton_Click();
    void CancelButton_Click();
};
