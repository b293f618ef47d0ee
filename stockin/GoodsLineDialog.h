#pragma once
// What the line dialogs of the stock-in and stock-out windows share: the
// goods boxes a picker fills (code, name, specification, unit, price), the
// quantity, the amount that follows quantity and price, the save button and
// the cancel button, and in the new-line dialogs the "↓" button beside the
// code box that opens the goods picker.
#include <QLineEdit>
#include <QPushButton>
#include "db/Decimal.h"
#include "platform/Form.h"

class GoodsLineDialog : public Form {
    Q_OBJECT
public:
    QLineEdit* TxtSPBM;   // goods code (fixed)
    QLineEdit* TxtSPMC;   // name (fixed)
    QLineEdit* TxtGG;     // specification (fixed)
    QLineEdit* TxtDW;     // unit
    QLineEdit* TxtSL;     // quantity
    QLineEdit* TxtDJ;     // price
    QLineEdit* TxtJE;     // amount (fixed, computed)
    QLineEdit* TxtDQKC = nullptr;   // stock on hand, where the dialog shows it
    QPushButton* Save;
    QPushButton* Command1 = nullptr;   // ↓: the goods picker of a new line

    // The amount follows the quantity and the price.
    void Amount_Change();
    // ↓: opens the goods picker.
    void Command1_Click();
    virtual void Save_Click() = 0;

    // Quantity and price by their numeric values.
    Decimal quantity() const { return Decimal::leadingValue(TxtSL->text()); }
    Decimal price() const { return Decimal::leadingValue(TxtDJ->text()); }

protected:
    // The code box stands at the top left, in the same place in every line
    // dialog; the other boxes are placed by the dialog.
    GoodsLineDialog(const QString& caption, int width, int height);
    // Save and cancel at the bottom right; returns the cancel button.
    QPushButton* addButtons(int top);
    // The "↓" button beside the code box, opening the named picker.
    void addPicker(const QString& picker);
    // A new line starts with quantity 1 and price 0.
    void startNewLine();
    // Says so when no goods are chosen yet; true when they are.
    bool goodsChosen();

    static constexpr int LabelWidth = 960, BoxWidth = 2160, Left1 = 240, Left2 = 3840;

private:
    virtual QString amountText(Decimal amount) const = 0;
    QString m_picker;
};
