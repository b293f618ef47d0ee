#pragma once
// Users and their permissions: the user tree on the left, the functions the
// selected user may use, with tick boxes, on the right. Every tick change is
// stored at once.
#include <QLabel>
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmQXSZ : public Form {
    Q_OBJECT
public:
    FrmQXSZ();

    Toolbar* Toolbar1;
    QLabel* Label1;
    QLabel* Label2;
    TreeView* TreeView1;
    TreeView* TreeView2;

    // The entry ("[code]name") whose permissions the permission tree shows and
    // for whom the next save writes.
    QString m_CurrentUser;

    void Form_Load() override;
    void Form_Activate();
    void TreeView1Init();
    void TreeView2Init();
    void TreeView2LoadChecks();
    void TreeView2Save();
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void TreeView2_NodeCheck(QTreeWidgetItem* node);
    void Toolbar1_ButtonClick(int index);
    void AddUser();
    void EditUser();
    void DeleteUser();

    // The code of an entry: the text between its leading "[" and its first "]".
    static QString entryCode(const QString& entry);
    // An entry of a user (not the root, not nothing).
    static bool isUserEntry(const QString& entry);

    static inline const QString RootKey = QStringLiteral("Grandfather");
    static inline const QString RootText = QStringLiteral("员工列表");

private:
    void lockFor(const QString& entry);
    void clearChecks();
};
