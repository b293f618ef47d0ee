#pragma once
// The dialogs of the stock-out window: a bill's header (add, edit), the bill
// query by days, and a line (add, edit) with the stock check. None writes
// anything itself: each calls its owner, FrmCKGL, which reads its boxes.
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include "db/StockPosting.h"
#include "platform/Form.h"
#include "stockin/StockBillDialog.h"
#include "stockin/GoodsLineDialog.h"

// The header of a stock-out bill.
class StockOutBillDialog : public StockBillDialog {
    Q_OBJECT
public:
    QLineEdit* TxtCKDH;   // number (fixed)
    QLineEdit* TxtDJZS;   // paper documents (hidden)
    QComboBox* CmbTQBM;   // department
    QLineEdit* TxtCKRQ;   // day (fixed)
    QComboBox* CmbTHR;    // who picked the goods up
    QComboBox* CmbCZY;    // operator
    QComboBox* CmbCFCK;   // warehouse
    QLineEdit* TxtBZ;     // note

protected:
    explicit StockOutBillDialog(const QString& caption);
    void fillLists();
};

class FrmCKDADD : public StockOutBillDialog {
    Q_OBJECT
public:
    FrmCKDADD();
    void Form_Load() override;
    void Save_Click() override;
    StockPosting::OutBill bill() const;
};

class FrmCKDEDIT : public StockOutBillDialog {
    Q_OBJECT
public:
    FrmCKDEDIT();
    void Form_Load() override;
    void Save_Click() override;
    const std::optional<StockPosting::OutBill>& storedBill() const { return m_stored; }
    // The bill the boxes describe: a list the user left as it opened keeps
    // the stored values, even those its entries do not hold.
    StockPosting::OutBill bill() const;

private:
    std::optional<StockPosting::OutBill> m_stored;
    int m_department = -1, m_picker = -1, m_operator = -1, m_warehouse = -1;
};

class FrmCKDQUERY : public BillQueryDialog {
    Q_OBJECT
public:
    FrmCKDQUERY();
    void Command1_Click() override;
};

// A line of a stock-out bill.
class StockOutLineDialog : public GoodsLineDialog {
    Q_OBJECT
public:
    QPushButton* Quit;

    // The line the boxes describe, on the given bill: quantity and price by
    // their numeric values.
    StockPosting::OutLine line(const QString& billNumber) const;

protected:
    StockOutLineDialog(const QString& caption, const QString& quantityLabel, bool adding);
    // The checks both dialogs make before the owner's: a quantity above 0,
    // within the stock shown. True when they pass.
    bool quantityFits();

private:
    QString amountText(Decimal amount) const override;
};

class FrmCKMXADD : public StockOutLineDialog {
    Q_OBJECT
public:
    FrmCKMXADD();
    void Form_Load() override;
    void Save_Click() override;
};

class FrmCKMXEDIT : public StockOutLineDialog {
    Q_OBJECT
public:
    FrmCKMXEDIT();
    void Form_Load() override;
    void Save_Click() override;
};

// The two-line refusal of a quantity above the stock.
extern const QString StockShortMessage;
