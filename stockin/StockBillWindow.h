#pragma once
// What the stock-in and stock-out windows share: the toolbar, the bill list
// above (every bill, or those of a range of days, read as they are shown),
// the line list of the current bill below with its two line buttons.
#include <QGroupBox>
#include <QPushButton>
#include <functional>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/ModelListView.h"
#include "stockin/StockCommon.h"

class StockBillWindow : public Form {
    Q_OBJECT
public:
    // Toolbar buttons, counted from 1 as designed; 删除 is never shown.
    enum Button { BtnNew = 1, BtnEdit, BtnDelete, BtnQuery, BtnPrint, BtnExit };

    Toolbar* Toolbar1;
    QGroupBox* Frame1;          // the bills
    ModelListView* ListView2;   // the bills
    QGroupBox* Frame2;          // the lines
    ListView* ListView1;        // the lines of the current bill
    QPushButton* Command1;      // a new line
    QPushButton* Command2;      // 修改明细(&E)

    // Lists the lines of the current bill and sets the line buttons.
    virtual void ListView1Detail() = 0;

    // The number of the current bill (the selected bill row), without
    // surrounding blanks; empty when no bill is selected.
    QString currentBill() const;
    // The goods code of the selected line; empty without one.
    QString selectedLineCode() const;

protected:
    struct BillColumn {
        const char* caption;
        int width;   // twips; 0 hides the column
        const char* stored;
        BillRows::Kind kind;
    };
    StockBillWindow(const QString& caption, const QString& billFrame, const QString& lineFrame,
                    const QString& newLineCaption, const QString& table, const QString& dayColumn,
                    const std::vector<BillColumn>& columns);

    // Sets up the bill list's columns (the first left-aligned, the rest centred).
    void billListInit();
    // Loads the bills with load (all, or those of some days) and shows them
    // with the first one current, then its lines. A failed read shows no
    // bill when nothing is to be kept (keepOnFailure false); returns false.
    bool showBills(const std::function<void()>& load, bool keepOnFailure);
    // The toolbar after the bill list changed: edit and print need a bill.
    void enableBillButtons();
    // Sets up the line list; its first column is left-aligned, the rest centred.
    void lineListInit(const std::vector<std::pair<const char*, int>>& columns);
    // The line buttons: none without bills, a new line for a bill without
    // lines, both otherwise.
    void enableLineButtons(bool anyBill, bool anyLine);

    BillRows m_bills;

private:
    std::vector<BillColumn> m_columns;
};
