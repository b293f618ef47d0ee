#pragma once
// The period totals of the sales detail: twelve figures of the period of
// the last query.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include "platform/Form.h"

class DlgTJHZ : public Form {
    Q_OBJECT
public:
    DlgTJHZ();

    QFrame* Picture1;
    QLabel* Label1[12];   // captions
    QLabel* Label2[12];   // values
    QPushButton* OKButton;

    enum Line { Seatings, Diners, Fee, Received, Discount, Waived, Cash, Cheque, Card, Other, OnAccount, Income };

    void OKButton_Click();
};
