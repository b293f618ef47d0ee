#pragma once
// Path set-up: picks the database file, tests it and rewrites the path file.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmPathSetup : public Form {
    Q_OBJECT
public:
    FrmPathSetup();

    QGroupBox* Frame1;
    QLineEdit* TxtPath;
    QPushButton* CmdSelectPath;
    QPushButton* CmdSetup;
    QPushButton* CmdClose;

    void CmdSelectPath_Click();
    void CmdSetup_Click();
    void CmdClose_Click();
};
