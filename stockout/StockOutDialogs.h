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

// The header of a stock-out bill.
class StockOutBillDialog : public Form {
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
    QPushButton* Save;
    QPushButton* Quit;

    virtual void Save_Click() = 0;
    void Quit_Click();

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

class FrmCKDQUERY : public Form {
    Q_OBJECT
public:
    FrmCKDQUERY();
    QDateEdit* Date1;
    QDateEdit* Date2;
    QPushButton* Command1;   // 查询(&C)
    QPushButton* Command2;   // 退出(&Q)

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();
};

// A line of a stock-out bill.
class StockOutLineDialog : public Form {
    Q_OBJECT
public:
    QLineEdit* TxtDQKC;   // stock on hand (fixed)
    QLineEdit* TxtSPBM;   // goods code (fixed)
    QLineEdit* TxtSPMC;   // name (fixed)
    QLineEdit* TxtGG;     // specification (fixed)
    QLineEdit* TxtDW;     // unit
    QLineEdit* TxtSL;     // quantity
    QLineEdit* TxtDJ;     // price
    QLineEdit* TxtJE;     // amount (fixed, computed)
    QPushButton* Save;
    QPushButton* Quit;

    void Amount_Change();
    virtual void Save_Click() = 0;
    void Quit_Click();
    // The line the boxes describe, on the given bill: quantity and price by
    // their numeric values.
    StockPosting::OutLine line(const QString& billNumber) const;

protected:
    StockOutLineDialog(const QString& caption, const QString& quantityLabel, bool adding);
    // The checks both dialogs make before the owner's: a quantity above 0,
    // within the stock shown. True when they pass.
    bool quantityFits();
};

class FrmCKMXADD : public StockOutLineDialog {
    Q_OBJECT
public:
    FrmCKMXADD();
    QPushButton* Command1;   // ↓: the goods picker
    void Form_Load() override;
    void Command1_Click();
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
