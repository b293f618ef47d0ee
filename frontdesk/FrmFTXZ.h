#pragma once
// The table picker ("选择房台"), opened by the board in one of three modes
// (the process-wide SelectTableMode, TransferTableMode, MergeTableMode):
// select a table and open the ordering window for it, move the board's
// selected seating to a free table, or merge it into another open seating.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "platform/Form.h"

class FrmFTXZ : public Form {
    Q_OBJECT
public:
    FrmFTXZ();

    QLabel* Label1[3];      // headings over the list
    QListWidget* List1;     // one entry per offered table
    QLineEdit* Text1;       // first field of the chosen entry; may be edited
    QPushButton* Command1;  // 确定
    QPushButton* Command2;  // 退出

    void Form_Load() override;
    void List1_Click();
    void Command1_Click();
    void Command2_Click();

    // One list entry: the table number and the type name each filled with
    // blanks to 15 characters, then the state word, separated by "  |  ".
    static QString entryText(const QString& tableId, const QString& typeName, const QString& word);
    // The first "|"-field of an entry, untrimmed.
    static QString firstField(const QString& entry);

private:
    void selectOk();
    void transferOk();
    void mergeOk();
    void alignHeadings();
    // Board row of each list entry.
    std::vector<int> m_boardRows;
};
