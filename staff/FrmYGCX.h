#pragma once
// The employee query: employed employees by a prefix of their code, a prefix
// of their name or a range of hiring days; the hits replace the employee
// window's tree. The dialog closes after every query.
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include "platform/Form.h"

class FrmYGCX : public Form {
    Q_OBJECT
public:
    FrmYGCX();

    std::array<QRadioButton*, 3> Option1;   // 编码, 姓名, 入职时间
    QLineEdit* Text1;        // code prefix
    QLineEdit* Text2;        // name prefix
    QDateEdit* DTPicker1;    // first hiring day
    QDateEdit* DTPicker2;    // last hiring day
    QPushButton* Command1;   // query
    QPushButton* Command2;   // back

    void Form_Load() override;
    void Option1_Click(int index);
    void Command1_Click();
    void Command2_Click();
};
