#pragma once
// The refund-after-checkout switch (parameter AllowRefundment) and the
// process-wide flag that follows it.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include "platform/Form.h"

class DlgTKSZ : public Form {
    Q_OBJECT
public:
    DlgTKSZ();

    QGroupBox* Frame1;
    QRadioButton* OptAllowRefundment;
    QRadioButton* OptDisAllowRefundment;
    QPushButton* cmdOK;
    QPushButton* cmdCannel;
    QLabel* Image1;

    void Form_Load() override;
    void cmdOK_Click();
    void cmdCannel_Click();
};
