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

    // Bills.
    void ListView2Save();    // FrmRKDADD's save
    void listview2edit();    // FrmRKDEDIT's save
    void ListView2Query();   // FrmRKDQUERY's query
    void PrintStockInBill();

    // Lines.
    void ListView1Init() override;
    void ListView1Detail() override;
    void ListView1Save();    // FrmRKMXADD's save
    void ListView1Edit();    // FrmRKMXEDIT's save

protected:
    void printCurrentBill() override { PrintStockInBill(); }
};
