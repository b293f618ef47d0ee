#pragma once
// The table setup window: table types, table specifications and the tables
// themselves, one tab each, under one toolbar that acts on the tab in front.
// Its dialogs store what they edit through the window's public procedures.
#include <functional>
#include <QGroupBox>
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/TabControl.h"

class CodeNameDialog;

class FrmFTSZ : public Form {
    Q_OBJECT
public:
    FrmFTSZ();

    Toolbar* Toolbar1;
    TabControl* SSTab1;
    ListView* ListView1;    // tab "房台类型"
    ListView* ListView2;    // tab "房台规格"
    QGroupBox* Frame1;      // "房台类型", holds the type tree
    TreeView* TreeView1;
    QGroupBox* Frame2;      // "房台详情", holds the table list
    ListView* ListView3;
    QPushButton* Command1;  // 停用
    QPushButton* Command2;  // 取消

    void Form_Load() override;
    void Toolbar1_ButtonClick(int index);
    void Command1_Click();
    void Command2_Click();
    void TreeView1_NodeClick();
    void ListView3_ItemClick();

    // Called back by the dialogs.
    void ListView1Detail();
    void ListView1Save();
    void ListView1Edit();
    void ListView2Save();
    void listview2edit();
    void ListView3Save();
    void ListView3Edit();

    // Used inside the window.
    void ListView1Init();
    void ListView2Init();
    void ListView2Detail();
    void DeleteType();
    void DeleteSpec();
    void DeleteTable();
    void TreeView1Init();
    void ListView3Init();
    void ListView3Detail();
    void UpdateStateButtons();

    // The type code of the selected tree node ("key" + code), empty without one.
    QString selectedTypeCode() const;

private:
    struct CodeNameTab;
    CodeNameTab typesTab() const;
    CodeNameTab specsTab() const;
    void initCodeNames(const CodeNameTab& tab);
    void fillCodeNames(const CodeNameTab& tab);
    void addCodeName(CodeNameDialog& d);
    void editCodeName(const CodeNameTab& tab, const std::function<CodeNameDialog&()>& dialog);
    void saveNewCodeName(const CodeNameTab& tab, CodeNameDialog& d);
    void saveChangedCodeName(const CodeNameTab& tab, CodeNameDialog& d);
    void codeNameSaved(const CodeNameTab& tab, CodeNameDialog& d);
    // Whether the tables were given the new name.
    bool carryNameToTables(const QVariant& oldName, const QString& newName);
    void deleteCodeNameChecked(const CodeNameTab& tab);
    // The text the tables of a type or specification hold for the selected row.
    static QString inUseKey(const CodeNameTab& tab, int row);
    void deleteCodeName(const CodeNameTab& tab);
    // Rebuilds the type tree after a type changed; the table list follows it.
    void reloadTypeTree();

    void addType();
    void editType();
    void deleteTypeChecked();
    void addSpec();
    void editSpec();
    void deleteSpecChecked();
    void addTable();
    void editTable();
    void deleteTableChecked();
    void setStateOfSelectedTable(const QString& state);
    void setStateButtonsByWord(int row);
};
