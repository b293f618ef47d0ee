#pragma once
// The fields shared by the open-table dialog and the seating-details dialog:
// two columns of labelled boxes (seating number, table, type, open time,
// shift, diners, waiter, order taker), the remark across both columns and
// two buttons at the bottom.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include "platform/Form.h"

class SeatingForm : public Form {
    Q_OBJECT
public:
    SeatingForm(const QString& caption, const QString& okCaption);

    QLineEdit* TxtXTBH;    // 系统编号
    QLineEdit* TxtFTMC;    // 房台名称
    QLineEdit* TxtSSBM;    // 所属部门
    QLineEdit* TxtKTSJ;    // 开台时间
    QComboBox* CmbBC;      // 班次
    QComboBox* CmbFWY;     // 服务员
    QComboBox* CmbDCY;     // 点菜员
    QLineEdit* TxtJCRS;    // 就餐人数, at most 3 characters
    QLineEdit* TxtBZ;      // 备注, no length limit
    QPushButton* Command1;
    QPushButton* Command2;

    // The label shown beside a field.
    QString labelOf(const QWidget* field) const;

protected:
    // Fills the waiter and order-taker lists with every employee's name.
    void fillEmployees();
    // The checks before a seating is written: diners a whole number 0-999,
    // a waiter and an order taker chosen. Shows the refusal and moves the
    // focus; returns false when refused.
    bool checkFields();
    // The diners as checked by checkFields().
    int diners() const;

private:
    std::vector<std::pair<QLabel*, QWidget*>> m_labels;
};
