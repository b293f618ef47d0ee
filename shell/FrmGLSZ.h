#pragma once
// The sales-to-stock switch (parameter Associate).
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include "platform/Form.h"

class FrmGLSZ : public Form {
    Q_OBJECT
public:
    FrmGLSZ();

    QGroupBox* Frame1;
    QRadioButton* Option1;   // linked
    QRadioButton* Option2;   // not linked
    QPushButton* Command1;   // save
    QPushButton* Command2;   // close
    QLabel* Image1;

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();
};
