#pragma once
// Changing a user's password; the user is the one selected in the user tree.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmXGYH : public Form {
    Q_OBJECT
public:
    FrmXGYH();

    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit* Text4;   // user code
    QLineEdit* Text1;   // user name
    QLineEdit* Text2;   // new password
    QLineEdit* Text3;   // new password again
    QPushButton* Command1;   // save
    QPushButton* Command2;   // close

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();

private:
    QString m_code;   // the user being changed, exactly as stored
};
