#pragma once
// What the new-goods dialog (FrmSPLR) and the modify-goods dialog (FrmSPXG)
// share: the same fields and lists, the class-code list kept parallel to the
// class list, and the checks of code, name and price. The warehouse settings
// lie beyond the window's right edge and are never seen, so in use they keep
// their initial values.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Form.h"

class GoodsDialog : public Form {
    Q_OBJECT
public:
    QGroupBox* Frame1;   // 商品基本信息
    QGroupBox* Frame2;   // 商品库房信息设置 (not seen)
    QLineEdit* Text1;    // code
    QLineEdit* Text2;    // name
    QComboBox* Combo1;   // class names
    QComboBox* Combo2;   // units
    QComboBox* Combo3;   // class codes, parallel to Combo1 (not seen)
    QLineEdit* Text3;    // specification
    QLineEdit* Text4;    // price
    QLineEdit* Text12;   // note
    QLineEdit *Text5, *Text6, *Text7, *Text8, *Text9, *Text10, *Text11;   // warehouse figures
    QCheckBox *Check1, *Check2, *Check3;   // 日盘, 周盘, 月盘
    QPushButton* Command1;   // save
    QPushButton* Command2;   // cancel

    // Fills the class, class-code and unit lists; the new-goods dialog also
    // selects their first entries.
    void ComboInit(bool selectFirst);
    void Combo1_Click();
    bool ValidateInput();
    virtual void Command1_Click() = 0;
    void Command2_Click();

protected:
    // entry: the new-goods dialog (its required unit and price are starred).
    GoodsDialog(const QString& caption, bool entry);
    // The stock-take flags: 日盘, 周盘, 月盘 as "0"/"1" each.
    QString properFromChecks() const;
    void checksFromProper(const QString& proper);
    // The owner's list is reloaded after a save.
    static void reloadGoodsList();
};
