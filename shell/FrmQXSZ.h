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
    // for whom the next save writes, and that user's code (empty for none).
    QString m_CurrentUser;
    QString m_CurrentUserCode;

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

    // A user node of the user tree carries the user's code and name; the
    // shown "[code]name" is never read back (a code may hold "]").
    static bool isUserNode(const QTreeWidgetItem* node);
    static QString userCodeOf(const QTreeWidgetItem* node);
    static QString userNameOf(const QTreeWidgetItem* node);
    QString selectedUserCode() const { return userCodeOf(TreeView1->currentItem()); }
    QString selectedUserName() const { return userNameOf(TreeView1->currentItem()); }

    static inline const QString RootKey = QStringLiteral("Grandfather");
    static inline const QString RootText = QStringLiteral("员工列表");

private:
    void lockFor(const QTreeWidgetItem* node);
    void clearChecks();

    // Whether the permission tree holds every function, and the ticks shown
    // every stored permission of the current user. After a read error they
    // are not, and nothing is saved from them.
    bool m_treeComplete = false;
    bool m_ticksComplete = false;
};
