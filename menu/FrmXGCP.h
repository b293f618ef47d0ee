#pragma once
// The change-dish dialog: the dish of the dish manager's selected row, with
// its name, unit, prices, department, memo and goods link to change. Writes
// the dish and the changed values back into that row, without a reload.
#include <QPlainTextEdit>
#include "menu/DishDialog.h"

class FrmXGCP : public DishDialog {
    Q_OBJECT
public:
    FrmXGCP();

    QPlainTextEdit* Text6;   // memo, several lines, at most 50 characters
    QCheckBox* Check1;       // "清除库存商品关联"

    void Form_Load() override;
    void ComboInit();
    void Command1_Click();
    void ListView1UpdateRow();

    QString memoText() const { return Text6->toPlainText(); }

private:
    QString m_code;         // the dish's code as stored (the list row's key)
    QString m_storedPart;   // cp_part as stored
    QString m_storedMemo;
    bool m_found = false;
};
