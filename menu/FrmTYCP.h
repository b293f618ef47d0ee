#pragma once
// Disabling a dish: the reason, then OK or cancel. Opens beside the main
// window and acts on the dish manager's selected dish.
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmTYCP : public Form {
    Q_OBJECT
public:
    FrmTYCP();

    QGroupBox* Frame1;
    QPlainTextEdit* Text1;   // the reason, as typed
    QPushButton* Command1;
    QPushButton* Command2;

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();
};
