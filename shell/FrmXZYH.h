#pragma once
// The employee picker of the add-user dialog: employed staff, searched by the
// beginning of their code or name.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmXZYH : public Form {
    Q_OBJECT
public:
    FrmXZYH();

    QLabel* Label1;
    QLineEdit* Text1;        // search text
    QPushButton* Command1;   // search
    ListView* ListView1;
    QPushButton* Command2;   // choose (also Esc)
    QPushButton* Command3;   // close

    void Form_Load() override;
    void EmployeePickerInit();
    void EmployeePickerLoad(const QString& searchText = {});
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void ListView1_DblClick();
};
