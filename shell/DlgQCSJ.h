#pragma once
// Data clearing: deletes the working data by kind, all of it or the sales and
// stock bills of a time range.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include "platform/Form.h"

class DlgQCSJ : public Form {
    Q_OBJECT
public:
    DlgQCSJ();

    QGroupBox* FrameData;   // "数据选项"
    QCheckBox* CheckXSSJ;   // sales data
    QCheckBox* CheckKCSJ;   // stock data
    QCheckBox* CheckYGXX;   // staff
    QCheckBox* CheckFTXX;   // tables
    QCheckBox* CheckCPXX;   // dishes
    QCheckBox* CheckSPDA;   // goods
    QGroupBox* FrameMode;   // "清除方式"
    QRadioButton* Option1;  // everything
    QRadioButton* Option2;  // by time range
    QDateTimeEdit* DateStart;
    QDateTimeEdit* DateEnd;
    QPushButton* Command1;  // clear
    QPushButton* Command2;  // close
    QLabel* Image1;

    void Form_Load() override;
    void Option1_Click();
    void Option2_Click();
    void CheckXSSJ_Click();
    void CheckCPXX_Click();
    void CheckKCSJ_Click();
    void Command1_Click();
    void Command2_Click();

private:
    void goodsRule();
};
