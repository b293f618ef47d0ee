#pragma once
// The goods query: goods whose code and name contain the typed fragments,
// within one class or all, put into the goods records window's list.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmSPCX : public Form {
    Q_OBJECT
public:
    FrmSPCX();

    QLineEdit* Text1;        // code fragment
    QLineEdit* Text2;        // name fragment
    QComboBox* Combo1;       // "所有种类" and the class names
    QPushButton* Command1;   // query
    QPushButton* Command2;   // close

    void Form_Load() override;
    void ComboInit();
    void Command1_Click();
    void Command2_Click();
};
