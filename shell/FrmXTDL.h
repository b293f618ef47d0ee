#pragma once
// The login window: opens the shared connection, checks user and password,
// enables the main window's functions the user may use.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmXTDL : public Form {
    Q_OBJECT
public:
    FrmXTDL();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label1Shadow;
    QLabel* Label3;
    QComboBox* Combo1;
    QLabel* Label4;
    QLineEdit* Text2;
    QPushButton* Command1;
    QPushButton* Command2;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Command1_Click();
    void Command2_Click();
    void DisableMainMenuButtons();
};
