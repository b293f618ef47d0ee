#pragma once
// The reservation query: the reservations of one booker whose meal falls on
// the days of a date range, for one shift or all, put into the manager's list.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmCX : public Form {
    Q_OBJECT
public:
    FrmCX();

    QLabel* Image1;
    QDateEdit* DTPicker1;   // first day
    QDateEdit* DTPicker2;   // last day
    QLineEdit* Text1;       // booker
    QComboBox* Combo1;      // shift
    QPushButton* CmdCX;
    QPushButton* CmdQX;

    void Form_Load() override;
    void CmdCX_Click();
    void CmdQX_Click();
};
