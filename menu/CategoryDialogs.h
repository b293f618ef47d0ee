#pragma once
// The add and rename dialogs of the category window. Each checks its two
// fields and hands the save to the category window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class CategoryDialog : public Form {
    Q_OBJECT
public:
    QLabel* Label1;
    QComboBox* Combo1;   // the parent: entry 0 the root, then the top categories
    QLabel* Label2;
    QLineEdit* Text1;    // the name
    QPushButton* Command1;
    QPushButton* Command2;

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();

    // The code of the chosen parent: "0" for the root entry, empty for none.
    QString parentCode() const;

protected:
    explicit CategoryDialog(const QString& caption);
    // The owner's save procedure for this dialog.
    virtual void callOwner() = 0;
};

class FrmCDLBADD : public CategoryDialog {
    Q_OBJECT
public:
    FrmCDLBADD();

protected:
    void callOwner() override;
};

class FrmCDLBEDIT : public CategoryDialog {
    Q_OBJECT
public:
    FrmCDLBEDIT();
    void Form_Load() override;

protected:
    void callOwner() override;
};
