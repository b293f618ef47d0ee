#pragma once
// What the new-dish and change-dish dialogs share: the two frames with their
// boxes, the sale price that follows the base price and the rate, the goods
// link boxes, and the goods picker tree shown over the dialog from the goods
// code box.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVariant>
#include "platform/Controls.h"
#include "platform/Form.h"

class DishDialog : public Form {
    Q_OBJECT
public:
    QGroupBox* Frame1;        // "菜品基本信息"
    QGroupBox* Frame2;        // "菜品其他信息"
    // Labels, in the order of their boxes: category, code, name, unit, base
    // price, rate, sale price, department, memo, quick code, market price,
    // goods code, ratio.
    QLabel* Label[13];
    QComboBox* Combo1;        // category
    QLineEdit* Text1;         // code
    QLineEdit* Text2;         // name
    QComboBox* Combo2;        // unit
    QLineEdit* Text9;         // base price
    QLineEdit* Text10;        // rate in percent
    QLineEdit* Text3;         // sale price, set by the price rule only
    QComboBox* Combo3;        // production department
    QLineEdit* Text7;         // quick code, not shown
    QRadioButton* Option1;    // market price "是", not shown
    QRadioButton* Option2;    // fixed price "否", not shown
    QCheckBox* Check2;        // "定义库存商品关联"
    QLineEdit* Text8[2];      // goods code, link ratio
    TreeView* TreeView1;      // goods picker, hidden until summoned
    QPushButton* Command1;
    QPushButton* Command2;

    void Text9_Change();
    void Text10_Change();
    void Check2_Click();
    // Any key in the goods code box shows the picker.
    void Text8_KeyPress();
    void TreeView1_DblClick();
    // keyAscii 13 (Enter) or 27 (Esc).
    void TreeView1_KeyPress(int keyAscii);
    void Command2_Click();

    // The goods classes and their goods, keyed so that every class shows,
    // each goods item under the first class whose code or name it carries.
    void TreeView1Init();

protected:
    DishDialog(const QString& caption, const QString& codeLabel);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Fills a list with the contents of a code list of sysmcwh, in stored order;
    // a list that cannot be read marks the load failed.
    void fillCodeList(QComboBox* combo, const QString& codeClass);
    // Refuses a base price or a ratio that is not a number; says so.
    bool numbersAreValid(bool withRatio);
    // The values a save binds: numbers only.
    QVariant basePriceValue() const;
    double rateFraction() const;
    QVariant ratioValue() const;
    // The goods code as stored: without surrounding blanks, unless it is
    // blanks only (a cleared link written again).
    QString goodsCodeValue() const;

    void placeBox(QWidget* box, int row, bool right);
    int rowTop(int row) const { return 330 + row * 480; }

private:
    void pickGoods(bool selectRatio);
};

// A number as a save binds it, from a box that passed numbersAreValid.
QVariant numberValue(const QString& text);
