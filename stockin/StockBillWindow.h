#pragma once
// What the stock-in and stock-out windows share: the toolbar, the bill list
// above (every bill, or those of a range of days, read as they are shown),
// the line list of the current bill below with its two line buttons, and
// saving a line with its counter change.
#include <QGroupBox>
#include <QPushButton>
#include <functional>
#include "db/Recordset.h"
#include "db/StockPosting.h"
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

    void Form_Load() override;
    // Sets up the bill list, then loads it.
    void ListView2Init();
    // Loads every bill; the first is the current one, with its lines.
    void ListView2Detail();
    void ListView2_Click();
    void Toolbar1_ButtonClick(int index);
    void Command1_Click();
    void Command2_Click();
    // Sets up the line list.
    virtual void ListView1Init() = 0;
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
    struct Design {
        QString caption, billFrame, lineFrame, newLineCaption;
        QString table, dayColumn;
        std::vector<BillColumn> columns;
        // The dialogs: bill add, edit and query; line add and edit.
        QString addDialog, editDialog, queryDialog, lineAddDialog, lineEditDialog;
        // The messages of a line: saved, the goods twice, short of stock.
        QString saved, duplicateLine, shortOfStock;
    };
    explicit StockBillWindow(const Design& design);

    // The dialog of that name while it is open, else nullptr.
    template <class D> static D* openDialog(const char* name)
    {
        return static_cast<D*>(Forms::find(QString::fromLatin1(name)));
    }

    // Prints the lines of the current bill.
    virtual void printCurrentBill() = 0;
    // Lists the bills of the days of the query dialog and says how many;
    // the dialog closes first.
    void queryBills(const QDate& from, const QDate& to, Form& dialog);
    // Saves a line and its counter change in one transaction (save runs
    // inside it). Saved: the line list reloads, the dialog closes and the
    // window says so; otherwise it says what stopped the save, or says
    // nothing when the line is gone, and the dialog stays.
    void saveLine(Form& dialog, const std::function<StockPosting::LineSave()>& save);
    // Lists the lines of the current bill: linesOfBill reads them (the goods
    // code as "code", the goods record's own code as "goods", the bill's
    // number its one value), fill puts the columns after the code of a line
    // whose goods record is there; a line without one shows its code alone.
    void listLines(const QString& linesOfBill, const std::function<void(int row, const Recordset& line)>& fill);
    // Sets up the line list; its first column is left-aligned, the rest centred.
    void lineListInit(const std::vector<std::pair<const char*, int>>& columns);
    // The line buttons: none without bills, a new line for a bill without
    // lines, both otherwise.
    void enableLineButtons(bool anyBill, bool anyLine);

    BillRows m_bills;

private:
    // Loads the bills with load and shows them with the first one current.
    // A failed read shows no bill unless keepOnFailure; returns false.
    bool showBills(const std::function<void()>& load, bool keepOnFailure);
    // The toolbar after the bill list changed: edit and print need a bill.
    void enableBillButtons();

    Design m_design;
};
