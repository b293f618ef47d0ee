#pragma once
// The stock-in window: the stock-in bills above, the lines of the selected
// bill below. Its dialogs add, edit and query bills and add and edit lines,
// calling back the procedures here; saving a line moves the goods' stock
// counter in the same transaction.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/ModelListView.h"
#include "stockin/StockCommon.h"

class FrmRKGL : public Form {
    Q_OBJECT
public:
    FrmRKGL();

    // Toolbar buttons, counted from 1 as designed; 删除 is never shown.
    enum Button { BtnNew = 1, BtnEdit, BtnDelete, BtnQuery, BtnPrint, BtnExit };

    Toolbar* Toolbar1;
    QGroupBox* Frame1;       // 入库单
    ModelListView* ListView2;   // the bills
    QGroupBox* Frame2;       // 入库明细
    ListView* ListView1;     // the lines of the current bill
    QPushButton* Command1;   // 入库(&A)
    QPushButton* Command2;   // 修改明细(&E)
    QPushButton* Command3;   // 删除明细(&D), never shown
    QLabel* Image1;

    void Form_Load() override;

    // Bills.
    void ListView2Init();
    void ListView2Detail();
    void ListView2Save();    // FrmRKDADD's save
    void listview2edit();    // FrmRKDEDIT's save
    void ListView2Query();   // FrmRKDQUERY's query
    void ListView2_Click();
    void Toolbar1_ButtonClick(int index);
    void PrintStockInBill();

    // Lines.
    void ListView1Init();
    void ListView1Detail();
    void ListView1Save();    // FrmRKMXADD's save
    void ListView1Edit();    // FrmRKMXEDIT's save
    void Command1_Click();
    void Command2_Click();

    // The number of the current bill (the selected bill row), without
    // surrounding blanks; empty when no bill is selected.
    QString currentBill() const;
    // The goods code of the selected line; empty without one.
    QString selectedLineCode() const;

private:
    void setBillButtons(bool any);
    BillRows m_bills;
};
