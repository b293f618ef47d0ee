#pragma once
// The goods pickers of the stock line dialogs: goods classes in a tree, the
// goods of the chosen class with their stock on hand in a list; a choice is
// written into the line dialog that opened the picker.
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"

class GoodsPicker : public Form {
    Q_OBJECT
public:
    TreeView* TreeView1;
    ListView* ListView1;
    QPushButton* Command1;   // 选择(&S)
    QPushButton* Command2;   // 退出(&Q)

    void Form_Load() override;
    void TreeViewInit();
    void ListViewInit();
    // Reloads the goods of the class selected in the tree.
    void ListViewDetail();
    void Command1_Click();
    void Command2_Click();

protected:
    // onlyCounted: only goods that have a stock counter row are offered.
    // buttons: Enter chooses and Esc closes. dialog: the line dialog that
    // opens the picker and takes the choice.
    GoodsPicker(const QString& caption, bool onlyCounted, bool buttons, const QString& dialog);

private:
    // Writes the goods of a list row into the line dialog.
    void writeChoice(int row);
    bool m_onlyCounted;
    QString m_dialog;
};
