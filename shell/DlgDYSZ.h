#pragma once
// Print settings: the receipt's three head lines (the first is the shop's
// name) and three foot lines, the printer type and the order of the lines.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include "platform/Form.h"

class DlgDYSZ : public Form {
    Q_OBJECT
public:
    DlgDYSZ();

    QLabel *LabelHead, *LabelFoot;
    QLineEdit *Text1, *Text2, *Text3;   // head lines
    QLineEdit *Text4, *Text5, *Text6;   // foot lines
    QGroupBox* FramePrinter;
    std::array<QRadioButton*, 2> Option1;   // 0 thermal, 1 dot-matrix: the PRINTER value
    QGroupBox* FrameOrder;
    QRadioButton* Option2;   // by dish category ("Class")
    QRadioButton* Option3;   // in order of entry ("Order")
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QLabel* Image1;

    void Form_Load() override;
    void OKButton_Click();
    void CancelButton_Click();
};
