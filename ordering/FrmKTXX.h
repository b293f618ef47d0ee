#pragma once
// The open-table dialog ("开台信息"): opens the board's selected table for a
// new seating, marks the table occupied and hands the seating to the
// ordering window.
#include <QDateTime>
#include "ordering/SeatingForm.h"

class FrmKTXX : public SeatingForm {
    Q_OBJECT
public:
    FrmKTXX();

    void Form_Load() override;
    void Command1_Click();   // 开台
    void Command2_Click();   // 取消

private:
    QString m_tableId;
    QDateTime m_shownAt;     // the moment the dialog appeared, to the second
};
