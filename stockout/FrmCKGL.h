#pragma once
// The stock-out window: the stock-out bills above, the lines of the selected
// bill below. Its dialogs add, edit and query bills and add and edit lines,
// calling back the procedures here; a line is taken out only within the
// goods' stock on hand, and saving it moves the goods' stock counter in the
// same transaction.
#include <QLabel>
#include <QLineEdit>
#include "stockin/StockBillWindow.h"

class FrmCKGL : public StockBillWindow {
    Q_OBJECT
public:
    FrmCKGL();

    QLabel* Image1;          // the background picture
    QLabel* Label1;          // 合计金额
    QLineEdit* TxtHJJE;      // below the window's design height; nothing writes it

    void Form_Resize();

    // Bills.
    void ListView2Save();    // FrmCKDADD's save
    void listview2edit();    // FrmCKDEDIT's save
    void ListView2Query();   // FrmCKDQUERY's query
    void PrintStockOutBill();

    // Lines.
    void ListView1Init() override;
    void ListView1Detail() override;
    void ListView1Save();    // FrmCKMXADD's save
    void ListView1Edit();    // FrmCKMXEDIT's save

protected:
    void printCurrentBill() override { PrintStockOutBill(); }
    void resizeEvent(QResizeEvent* event) override;
};
