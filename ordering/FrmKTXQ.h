#pragma once
// The seating-details dialog ("开台详情"): shows the ordering window's seating
// and saves its waiter, order taker, shift, diners and remark.
#include "ordering/SeatingForm.h"

class FrmKTXQ : public SeatingForm {
    Q_OBJECT
public:
    FrmKTXQ();

    void Form_Load() override;
    void Command1_Click();   // 保存
    void Command2_Click();   // 取消
};
