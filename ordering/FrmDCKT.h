#pragma once
// The ordering window ("点菜开台"): the workplace of one seating of the
// board's selected table. Its header boxes hold the seating (TxtXTBH is its
// id), the tree holds the menu, ListView1 the seating's lines and LabCPJE
// their running total; the toolbar opens the table, places the order, takes
// returns and free dishes, hands the seating to checkout, continues a settled
// bill and closes. Opened for a free table it opens the open-table dialog by
// itself; opened in transfer mode its load moves the seating to the chosen
// table first.
//
// Each line of ListView1 keeps, hidden, its dish code (the row's key) and,
// once it is stored, its stored fsxh (the row's tag; no tag: on screen only).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "db/Money.h"
#include "ordering/OrderingData.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Pictures.h"

class FrmDCKT : public Form {
    Q_OBJECT
public:
    FrmDCKT();

    // The ordering window while it is open, or nullptr: other windows write
    // into it only then.
    static FrmDCKT* ifOpen();

    // Header boxes
    QLineEdit* TxtXTBH;   // 系统编号: the seating's use_table_id
    QLineEdit* TxtFTMC;   // 房台名称
    QLineEdit* TxtSSBM;   // 所属部门
    QLineEdit* TxtFWY;    // 服务员
    QLineEdit* TxtDCY;    // 点菜员
    QPushButton* KTXQ;    // 开台详情(&X)
    QPushButton* Command4;   // 汇 总
    Toolbar* Toolbar1;
    TreeView* TreeView1;  // the menu
    ListView* ListView1;  // the seating's lines
    ListView* ListView2;  // quick-search hits, hidden until a search runs
    QLabel* LabCPJE;      // the running total
    QLineEdit* Text1;     // 编码查询
    QLineEdit* TxtMC;     // 名称 (read only)
    QLineEdit* TxtSL;     // 数量
    QLineEdit* Txtbm;     // the current dish's code, never shown
    QLabel* Label4;
    QLabel* Label7;
    QLabel* Label6;
    QLabel* Label11;
    QLabel* Label9;
    ImageList ImageList1{32};   // toolbar faces

    // Toolbar buttons by index.
    enum Button { BtnOpen = 1, BtnTransfer, BtnMerge, BtnPlace, BtnReturnFree, BtnStart, BtnNote,
                  BtnCheckout, BtnContinue, BtnExit };
    // Columns of ListView1: the entry text is the line number.
    enum Column { ColNumber = 0, ColName, ColUnit, ColQuantity, ColPrice, ColAmount, ColDept, ColServed,
                  ColKind, ColState, ColMemo };

    // Window-level values; every opening starts with them False and empty.
    bool m_AutoOpenPending = false;
    bool m_StockLinked = false;
    bool m_AlreadyPlaced = false;
    bool m_OrderPlaced = false;
    QString m_DishCode, m_DishName, m_DishUnit, m_DishDept;
    Money m_DishPrice;
    // The seating as this window last saw it: at load, or after its own
    // opening, continued bill or transfer. Placing, free dishes and returns
    // write only while it is still so.
    Ordering::SeatingSeen m_SeatingSeen;

    void Form_Load() override;
    void Form_Shown() override;
    // Each time the window becomes active: when first shown and on every
    // return from one of its own dialogs (not after a message box).
    void Form_Activate();
    void DishTreeInit();
    void ListViewColumnsInit();
    void Command4_Click();
    void KTXQ_Click();

    // Dish entry
    void Text1_Change();            // quick search on every change
    void Text1_Enter();             // Enter in the quick-code box
    void ListView2_Click();         // a hit taken (click, or Enter in the list)
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void TxtSL_Enter();             // Enter in the quantity box: the line is added
    void ListView1_DblClick();      // removes an unplaced line
    // Sales linked to stock: the parameter Associate reads "Yes" once trimmed.
    bool IsAssociateOn();

    // Placing the order and free dishes
    void PlaceOrder();
    void GiveSelectedLineFree();

    // Commands
    void Toolbar1_ButtonClick(int index);
    void Toolbar1_ButtonMenuClick(int item);
    // Whether the selected line may be returned; refreshes RefundAllowed
    // for a settled line.
    bool CanReturnSelectedLine();

    // Recomputes LabCPJE from the amount column.
    void ShowRunningTotal();
    // Line numbers 1..n in list order.
    void RenumberLines();

    // A line of the list: columns 1 to 10 and its hidden identity.
    int appendLine(const QStringList& cells, const QString& dishCode, const QVariant& storedFsxh = {});
    QString lineDishCode(int row) const;
    bool lineStored(int row) const;
    int lineFsxh(int row) const;
    void markLineStored(int row, int fsxh);

private:
    void enableByWord(const QString& word);
    bool takeDish(const QString& code);
    bool stockRefuses(int target, int quantity);
    int unplacedLineOf(const QString& dishCode) const;
    void placeOrderCommand();
    void returnCommand();
    void freeCommand();
    void checkoutCommand();
    void continueCommand();
    QString ownBoardWord() const;
    // Stores the lines of the given rows in one transaction (placing, or a
    // line given free); false when nothing was stored.
    bool storeLines(const std::vector<int>& rows, const QString& kind, const QString& note);
    QString m_tableId;
    void normalLoad(const QString& word);
    void transferLoad();
    void showNoSeating();
    void loadLines();
    // Shows one of the window's own dialogs; the window is active again after it.
    void showOwnDialog(const QString& name);
};
