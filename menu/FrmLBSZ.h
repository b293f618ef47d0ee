#pragma once
// Category settings: the two-level tree of dish categories, with adding,
// renaming and deleting. Every change rebuilds this tree and the dish
// manager's.
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmLBSZ : public Form {
    Q_OBJECT
public:
    FrmLBSZ();

    Toolbar* Toolbar1;
    TreeView* TreeView1;

    enum Button { BtnAdd = 1, BtnEdit, BtnDelete, BtnExit };

    void Form_Load() override;
    void Toolbar1_ButtonClick(int index);

    // Called by the add dialog: adds the category it names.
    void TreeViewSave();
    // Called by the rename dialog: renames the selected category.
    void TreeViewEdit();

private:
    // Rebuilds the dish manager's tree and this one; selects the node of key
    // (the root when it is gone).
    void TreeViewInit(const QString& selectKey = {});
    void TreeViewDelete();
    void finishSave(Form& dialog, bool ran, const QString& refusal, const QString& selectKey);
};
