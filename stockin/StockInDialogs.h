#pragma once
// The dialogs of the stock-in window: a bill's header (add, edit), the bill
// query by days, and a line (add, edit). None writes anything itself: each
// calls its owner, FrmRKGL, which reads the dialog's boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include "db/StockPosting.h"
#include "platform/Form.h"
#include "stockin/StockBillDialog.h"
#include "stockin/GoodsLineDialog.h"

// The header of a stock-in bill.
class StockInBillDialog : public StockBillDialog {
    Q_OBJECT
public:
    QLineEdit* TxtRKDH;   // number (fixed)
    QLineEdit* TxtDJZS;   // paper documents (hidden)
    QComboBox* CmbGHDW;   // supplier: picked or typed
    QLineEdit* TxtRKRQ;   // day (fixed)
    QComboBox* CmbCGY;    // buyer
    QComboBox* CmbZFFS;   // payment method
    QComboBox* CmbYSR;    // receiver
    QComboBox* CmbCFCK;   // warehouse
    QLineEdit* TxtBZ;     // note

protected:
    explicit StockInBillDialog(const QString& caption);
    // Fills the five lists as both dialogs do.
    void fillLists();
};

class FrmRKDADD : public StockInBillDialog {
    Q_OBJECT
public:
    FrmRKDADD();
    void Form_Load() override;
    void Save_Click() override;
    // The bill the boxes describe.
    StockPosting::InBill bill() const;
};

class FrmRKDEDIT : public StockInBillDialog {
    Q_OBJECT
public:
    FrmRKDEDIT();
    void Form_Load() override;
    void Save_Click() override;
    // The bill as stored when the dialog opened; nothing when it was gone.
    const std::optional<StockPosting::InBill>& storedBill() const { return m_stored; }
    // The bill the boxes describe: a list the user left as it opened keeps
    // the stored values, even those its entries do not hold.
    StockPosting::InBill bill() const;

private:
    std::optional<StockPosting::InBill> m_stored;
    int m_buyer = -1, m_payment = -1, m_receiver = -1, m_warehouse = -1;
};

class FrmRKDQUERY : public BillQueryDialog {
    Q_OBJECT
public:
    FrmRKDQUERY();
    QCheckBox* Check1;   // 采购员
    QCheckBox* Check2;   // 验收人
    QComboBox* Combo1;
    QComboBox* Combo2;

    void Form_Load() override;
    void Check1_Click();
    void Check2_Click();
    void Command1_Click() override;
};

// A line of a stock-in bill.
class StockInLineDialog : public GoodsLineDialog {
    Q_OBJECT
public:
    QLineEdit* TxtPCH;    // batch
    QLineEdit* TxtJZSL;   // pieces per case
    QLineEdit* TxtGQSJ;   // expiry
    QLineEdit* TxtSCS;    // manufacturer
    QPushButton* quit;

    // The line the boxes describe, on the given bill: quantity and price by
    // their numeric values, the amount their product as shown.
    StockPosting::InLine line(const QString& billNumber) const;

protected:
    StockInLineDialog(const QString& caption, bool adding);
    // The quantity check of both dialogs; true when it passes.
    bool quantityGiven();

private:
    QString amountText(Decimal amount) const override;
};

class FrmRKMXADD : public StockInLineDialog {
    Q_OBJECT
public:
    FrmRKMXADD();
    void Form_Load() override;
    void Save_Click() override;
};

class FrmRKMXEDIT : public StockInLineDialog {
    Q_OBJECT
public:
    FrmRKMXEDIT();
    void Form_Load() override;
    void Save_Click() override;
};
