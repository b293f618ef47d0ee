#pragma once
// The goods records: goods classes in a tree on the left, the goods of the
// selected class (or of all classes) in a list on the right, and a toolbar to
// query, add, modify and delete goods.
#include "platform/Controls.h"
#include "platform/Form.h"

class Recordset;

class FrmSPDA : public Form {
    Q_OBJECT
public:
    FrmSPDA();

    // Toolbar buttons, counted from 1 as designed; print and help are not shown.
    enum Button { BtnQuery = 1, BtnAdd, BtnModify, BtnDelete, BtnPrint, BtnHelp, BtnExit };

    Toolbar* Toolbar1;
    TreeView* TreeView1;
    ListView* ListView1;

    void Form_Load() override;
    void TreeViewInit();
    void ListViewInit();
    // Reloads the list for the class selected in the tree and sets the buttons.
    void ListViewDetail();
    void TreeView1_NodeClick();
    void Toolbar1_ButtonClick(int index);
    void OpenGoodsQuery();
    void OpenGoodsEntry();
    void OpenGoodsModify();
    void DeleteCommand();
    void DeleteGoods();
    bool CanDeleteGoods();

    // Fills the list from goods rows (code, bran_name, unit, in_price, type,
    // zl, bz), selects the first and enables 修改 and 删除 when there are rows.
    // The goods query fills the list this way too.
    void listGoods(Recordset& rows);
    // Selects, without reloading the list, the first tree node whose text is
    // the given class name ("所有种类" is the root).
    void selectClassNode(const QString& name);
    // The goods code of the selected list row; empty without one.
    QString selectedCode() const;

    // The columns the goods list shows, for the statements that fill it.
    static const QString ListColumns;
};
