#pragma once
// Adding a user: an employee chosen in the picker, with a password typed twice.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class FrmZJYH : public Form {
    Q_OBJECT
public:
    FrmZJYH();

    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit* Text4;   // user code, filled by the picker
    QLineEdit* Text1;   // user name, filled by the picker
    QLineEdit* Text2;   // password
    QLineEdit* Text3;   // password again
    QPushButton* Command3;   // opens the picker
    QPushButton* Command1;   // save
    QPushButton* Command2;   // close

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};

// The four boxes of the user dialogs: code and name grey and disabled, the
// two password boxes masked and at most 8 characters.
void layOutUserBoxes(QWidget* form, QLabel*& label1, QLineEdit*& code, QLabel*& label2, QLineEdit*& name,
                     QLabel*& label3, QLineEdit*& password, QLabel*& label4, QLineEdit*& confirmation);
// Their two buttons: save (Enter) and close (Esc).
void addUserDialogButtons(Form* form, QPushButton*& save, QPushButton*& close);
