#pragma once
// Stock on hand: goods with their stock counters (total in, total out, book
// stock) for all goods, one class or one goods name chosen in FrmKCQUERY.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmKCCX : public Form {
    Q_OBJECT
public:
    FrmKCCX();

    enum Button { BtnQuery = 1, BtnPrint, BtnHelp, BtnExit };

    QLabel* Label1;
    QLabel* Image1;
    ListView* ListView1;
    Toolbar* Toolbar1;

    void Form_Load() override;
    void StockListInit();
    // FrmKCQUERY's query: lists the goods of its choice that have a counter.
    void ListView1Query();
    void Toolbar1_ButtonClick(int index);
    void ShowHelp();
    void PrintStockList();
};

class FrmKCQUERY : public Form {
    Q_OBJECT
public:
    FrmKCQUERY();

    QLabel* Label2;
    TreeView* TreeView1;
    QPushButton* Command2;   // 查询(&C)
    QPushButton* Command3;   // 退出(&Q)
    QLabel* Image1;
    QLineEdit* Text1;        // "True" for a class node, else "False" (hidden)
    QLineEdit* Text2;        // the chosen node's text (hidden)

    void Form_Load() override;
    void TreeView1_Click();
    void TreeView1_DblClick();
    void Command2_Click();
    void Command3_Click();
};
