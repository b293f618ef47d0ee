#pragma once
// The dish manager: the category tree on the left, the dishes of the selected
// node on the right, and a toolbar for categories, new and changed dishes,
// deleting, disabling and enabling dishes, and printing the menu.
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmCPGL : public Form {
    Q_OBJECT
public:
    FrmCPGL();

    Toolbar* Toolbar1;
    TreeView* TreeView1;
    ListView* ListView1;

    // Toolbar buttons, counted from 1 as designed.
    enum Button {
        BtnCategories = 1, BtnNew, BtnEdit, BtnDelete, BtnDisable, BtnEnable, BtnMakeup, BtnPrint, BtnHelp, BtnExit
    };
    // List columns.
    enum Column {
        ColCode = 0, ColName, ColUnit, ColBasePrice, ColRate, ColPrice, ColMarketPrice, ColDisabled, ColCategory,
        ColReason, ColMemo
    };

    void Form_Load() override;
    // Runs when the window is active again after one of its dialogs closed.
    void Form_Activate();
    void Toolbar1_ButtonClick(int index);
    void TreeView1_NodeClick();
    void ListView1_ItemClick(int row);

    // Rebuilds the category tree; ends with the root selected and every dish listed.
    void TreeViewInit();
    // Lists the dishes of the selected node and sets buttons 3 to 6.
    void TreeViewDetail();
    // Prints every dish with a category as a price list, by category.
    void PrintMenu();

    // The code of the dish in the selected row; empty without one.
    QString selectedDishCode() const;

private:
    void setButtonsFromRow(int row);
    void DeleteDish();
    void EnableDish();
    void addDishRow(const class Recordset& rs);
};
