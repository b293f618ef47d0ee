#pragma once
// The add and edit dialogs of the table setup window. None of them stores
// anything itself: each checks what it must and calls its owner's procedure.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

// What every dialog here has: two boxes to begin with (a code and a name),
// and the save and cancel buttons.
class MasterDialog : public Form {
    Q_OBJECT
public:
    QLabel* Label1;
    QLineEdit* Text1;   // code
    QLabel* Label2;
    QLineEdit* Text2;   // name
    QPushButton* Command1;
    QPushButton* Command2;

    virtual void Command1_Click();   // calls the owner
    void Command2_Click();

protected:
    // Save and cancel at that height; Enter and Esc press them.
    void addButtons(int saveLeft, int cancelLeft, int top);
    // The owner's save procedure for this dialog.
    virtual void callOwner() = 0;
};

// A code and a name: table types and table specifications.
class CodeNameDialog : public MasterDialog {
    Q_OBJECT
public:
    void Command1_Click() override;

protected:
    CodeNameDialog(const QString& caption, const QString& codeLabel, const QString& nameLabel,
                   int maxLength, bool editing);

private:
    bool m_editing;
};

class Frmbmadd : public CodeNameDialog {
    Q_OBJECT
public:
    Frmbmadd();
protected:
    void callOwner() override;
};

class Frmbmedit : public CodeNameDialog {
    Q_OBJECT
public:
    Frmbmedit();
protected:
    void callOwner() override;
};

class Frmlbadd : public CodeNameDialog {
    Q_OBJECT
public:
    Frmlbadd();
protected:
    void callOwner() override;
};

class Frmlbedit : public CodeNameDialog {
    Q_OBJECT
public:
    Frmlbedit();
protected:
    void callOwner() override;
};

// One table's master data: code, name, capacity, specification, remark.
// The owner tests the fields; the dialog makes no check of its own.
class TableDialog : public MasterDialog {
    Q_OBJECT
public:
    QLabel* Label3;
    QLineEdit* Text3;   // capacity
    QLabel* Label4;
    QComboBox* Combo1;  // specification
    QLabel* Label5;
    QLineEdit* Text4;   // remark

protected:
    TableDialog(const QString& caption, int capacityLength, bool editing);
};

class FrmFTADD : public TableDialog {
    Q_OBJECT
public:
    FrmFTADD();
protected:
    void callOwner() override;
};

class FrmFTEDIT : public TableDialog {
    Q_OBJECT
public:
    FrmFTEDIT();
protected:
    void callOwner() override;
};
