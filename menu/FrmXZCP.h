#pragma once
// The new-dish dialog: a dish of a sub-category with its proposed code, quick
// code, unit, prices, department and memo, and optionally a goods link, picked
// by hand or made from the dish itself. Saves itself, then has the dish
// manager reload its list.
#include "menu/DishDialog.h"

class FrmXZCP : public DishDialog {
    Q_OBJECT
public:
    FrmXZCP();

    QLineEdit* Text6;    // memo
    QCheckBox* Check3;   // "自动库存商品关联 "

    void Form_Load() override;
    void ComboInit();
    // Proposes the next dish code from the counter file.
    void AutoCode();
    void Combo1_Click();
    void Check3_Click();
    void Command1_Click();

protected:
    // Leaving the name box proposes the quick code from the name.
    bool eventFilter(QObject* watched, QEvent* event) override;
};
