#pragma once
// The charge summary ("收费汇总") of the ordering window's seating: one row
// per dish with its current menu price, the net quantity ordered and the
// amount, read-only.
#include <QPushButton>
#include <QTableWidget>
#include "platform/Form.h"

class FrmSFHZ : public Form {
    Q_OBJECT
public:
    FrmSFHZ();

    QTableWidget* DataGrid1;
    QPushButton* Command1;   // 确定

    void Form_Load() override;
    void Command1_Click();
};
