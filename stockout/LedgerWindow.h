#pragma once
// The window design the stock-in ledger, the stock-out ledger and the running
// account of goods share: two day pickers, a class/goods box with its
// drop-down tree, a list filled by the query button, totals in a message box,
// printing, a hidden help button and a close button. Each window says what it
// lists, how it narrows, totals and prints.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/ModelListView.h"
#include "stockout/LedgerRows.h"

class LedgerWindow : public Form, public RowSource {
    Q_OBJECT
public:
    enum Button { BtnQuery = 1, BtnTotals, BtnPrint, BtnHelp, BtnExit };

    QLabel* Label2;          // the title over the list
    QDateEdit* DTPicker1;
    QDateEdit* DTPicker2;
    QLineEdit* Text2;        // the class or goods
    QPushButton* Command1;   // ↓: shows and hides the tree
    TreeView* TreeView1;
    ModelListView* ListView1;
    Toolbar* Toolbar1;

    void Form_Load() override;
    void Command1_Click();
    void TreeView1_DblClick();
    void Toolbar1_ButtonClick(int index);
    void LedgerListInit();
    // Fills the list from the two days and the choices.
    void LedgerQuery();
    void ShowTotals();
    void PrintLedger();
    void ShowHelp();
    void CloseForm();

    int rowCount() const override { return m_rows.size(); }

protected:
    struct Column {
        const char* caption;
        int width;
        Qt::Alignment align;
    };
    struct Design {
        QString caption;
        QString title;           // Label2
        QString classKeyPrefix;  // before a class node's name and code
        bool boxTyped;           // the class/goods box takes typing
        std::vector<Column> columns;
        QString printTitle;
        int rule;
        std::vector<std::pair<const char*, int>> printed;   // label (without "：    "), column
    };
    explicit LedgerWindow(const Design& design);

    // Reads the rows of the days into m_rows (throws DbError).
    virtual void readRows(const QDate& from, const QDate& to) = 0;
    // The two totals' labels and sums.
    virtual QString totalsText() const = 0;
    // The printer check before the list check: true when printing may go on.
    virtual bool printerReady() const;

    static const QString AllGoods;   // the root of the tree: "所有商品类别"
    LedgerRows m_rows;

private:
    void treeInit();
    Design m_design;
};

// The stock-in ledger: every stock-in line of the days.
class FrmRKTZ : public LedgerWindow {
    Q_OBJECT
public:
    FrmRKTZ();
    QString cell(int row, int column) const override;

protected:
    void readRows(const QDate& from, const QDate& to) override;
    QString totalsText() const override;
    bool printerReady() const override;

private:
    bool m_padded = false;   // a class or goods chosen: prices and amounts padded
};

// The stock-out ledger: every stock-out line of the days, of all departments
// or one.
class FrmCKTZ : public LedgerWindow {
    Q_OBJECT
public:
    FrmCKTZ();
    QComboBox* CmbTQBM;   // 所有部门, then the departments
    void Form_Load() override;
    QString cell(int row, int column) const override;

protected:
    void readRows(const QDate& from, const QDate& to) override;
    QString totalsText() const override;
};

// The running account of goods: the stock-in lines of the days, then their
// stock-out lines, quantities only.
class FrmSPLS : public LedgerWindow {
    Q_OBJECT
public:
    FrmSPLS();
    QString cell(int row, int column) const override;

protected:
    void readRows(const QDate& from, const QDate& to) override;
    QString totalsText() const override;
};
