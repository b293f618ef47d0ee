#pragma once
// The stock-in window: the stock-in bills above, the lines of the selected
// bill below. Its dialogs add, edit and query bills and add and edit lines,
// calling back the procedures here; saving a line moves the goods' stock
// counter in the same transaction.
#include <QLabel>
#include "stockin/StockBillWindow.h"

class FrmRKGL : public StockBillWindow {
    Q_OBJECT
public:
    FrmRKGL();

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
    void ListView1Detail() override;
    void ListView1Save();    // FrmRKMXADD's save
    void ListView1Edit();    // FrmRKMXEDIT's save
    void Command1_Click();
    void Command2_Click();
};
