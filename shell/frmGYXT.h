#pragma once
// The about box: the version, and a button that starts the system
// information program named in the registry.
#include <QLabel>
#include <QPushButton>
#include "platform/Form.h"

class frmGYXT : public Form {
    Q_OBJECT
public:
    frmGYXT();

    QLabel* Image1;
    QLabel* lblVersion;
    QPushButton* cmdSysInfo;
    QPushButton* CmdExit;

    void Form_Load() override {}
    void cmdSysInfo_Click();
    void cmdExit_Click();

    // Finds and starts the system information program, or says that it is
    // unavailable.
    static void StartSysInfo();
    // One registry value; true when it was read.
    static bool GetKeyValue(unsigned int keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal);
};
