#pragma once
// The return dialog ("退单"): returns some or all of the dish of the ordering
// window's selected line with a reason, as a stored line of negative
// quantity, and books the goods of a linked dish back into stock.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class DlgTD : public Form {
    Q_OBJECT
public:
    DlgTD();

    QLineEdit* Text1[4];      // dish code, dish name, quantity still ordered, quantity to return
    QLabel* Label1[5];
    QComboBox* Combo1;        // the reason, picked or typed
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QGroupBox* Frame1;        // 菜单信息
    QGroupBox* Frame2;        // 退单信息

    void Form_Load() override;
    void OKButton_Click();
    void CancelButton_Click();

private:
    int m_row = -1;           // the ordering window's line being returned
};
