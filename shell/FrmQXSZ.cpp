#include "shell/FrmQXSZ.h"

#include <QStyle>
#include <QTreeWidgetItemIterator>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/FrmXGYH.h"
#include "shell/FrmZJYH.h"

TABULOR_REGISTER_FORM(FrmQXSZ);

FrmQXSZ::FrmQXSZ()
{
    setWindowTitle(QStringLiteral("权限设置"));
    setClientSizeTwips(8400, 6600);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 8400, 840);
    Toolbar1->addButton(QStringLiteral("增加"), {}, style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), {}, style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, style()->standardIcon(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("帮助"), {}, style()->standardIcon(QStyle::SP_DialogHelpButton));
    Toolbar1->addButton(QStringLiteral("退出"), {}, style()->standardIcon(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(4, false);

    Label1 = new QLabel(QStringLiteral("操作员列表:"), this);
    Twips::place(Label1, 120, 960, 3000, 300);
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 120, 1290, 3600, 5160);
    TreeView1->setRootIsDecorated(true);

    Label2 = new QLabel(QStringLiteral("权限设置:"), this);
    Twips::place(Label2, 3900, 960, 3000, 300);
    TreeView2 = new TreeView(this);
    TreeView2->setCheckboxes(true);
    Twips::place(TreeView2, 3900, 1290, 4380, 5160);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmQXSZ::Toolbar1_ButtonClick);
    connect(TreeView1, &TreeView::nodeClick, this, &FrmQXSZ::TreeView1_NodeClick);
    connect(TreeView2, &TreeView::nodeCheck, this, &FrmQXSZ::TreeView2_NodeCheck);
}

namespace {

const int UserCodeRole = Qt::UserRole + 10;
const int UserNameRole = Qt::UserRole + 11;

} // namespace

bool FrmQXSZ::isUserNode(const QTreeWidgetItem* node)
{
    return node && node->data(0, UserCodeRole).isValid();
}

QString FrmQXSZ::userCodeOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, UserCodeRole).toString() : QString();
}

QString FrmQXSZ::userNameOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, UserNameRole).toString() : QString();
}

void FrmQXSZ::Form_Load()
{
    TreeView2Init();
    // The first activation, when the window is first shown.
    Form_Activate();
}

void FrmQXSZ::Form_Activate()
{
    TreeView1Init();
}

void FrmQXSZ::TreeView2Init()
{
    TreeView2->clearNodes();
    // The groups and their functions in one read; a tree that could not be
    // read whole stays empty, so no save can drop the functions it lacks.
    Recordset rows;
    m_treeComplete = RunDbAction([&] {
        rows.open(QStringLiteral(
            "select g.rowid as group_row, g.code as gcode, g.content as gcontent, f.code as fcode, f.content as fcontent "
            "from sysmcwh g left join sysmcwh f on trim(f.parentid) = trim(g.code) "
            "where g.class = 'CDL' and g.parentid = '0' order by g.code, g.rowid, f.code, f.rowid"));
    });
    if (!m_treeComplete)
        return;
    QVariant group;   // the row id of the group whose node was added last
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        const QString groupKey = QStringLiteral("G") + rows.field(QStringLiteral("gcode")).toString();
        if (rows.field(QStringLiteral("group_row")) != group) {
            group = rows.field(QStringLiteral("group_row"));
            TreeView2->addNode({}, groupKey, rows.field(QStringLiteral("gcontent")).toString());
        }
        if (!rows.field(QStringLiteral("fcode")).isNull())
            TreeView2->addNode(groupKey, QStringLiteral("F") + rows.field(QStringLiteral("fcode")).toString(),
                               rows.field(QStringLiteral("fcontent")).toString());
    }
    TreeView2->expandAll();
    if (TreeView2->topLevelItemCount() > 0) {
        const QSignalBlocker block(TreeView2);
        TreeView2->setCurrentItem(TreeView2->topLevelItem(0));
    }
}

void FrmQXSZ::TreeView1Init()
{
    // Rebuilding is no selection by the user: no click logic runs.
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    TreeView1->addNode({}, RootKey, RootText);
    Recordset users;
    if (RunDbAction([&] { users.openTable(QStringLiteral("level_user")); })) {
        for (users.MoveFirst(); !users.isEOF(); users.MoveNext()) {
            const QString code = users.field(QStringLiteral("usercode")).toString();
            const QString name = users.field(QStringLiteral("username")).toString();
            const QString entry = CodeNameEntry(code, name);
            QTreeWidgetItem* node = TreeView1->addNode(RootKey, entry, entry);
            node->setData(0, UserCodeRole, code);
            node->setData(0, UserNameRole, name);
        }
    }
    QTreeWidgetItem* root = TreeView1->node(RootKey);
    root->setExpanded(true);
    // The first user becomes current; with no user left the root is selected
    // and nobody's permissions can be changed.
    TreeView1->setCurrentItem(root->childCount() > 0 ? root->child(0) : root);
    m_CurrentUser = TreeView1->selectedText();
    m_CurrentUserCode = selectedUserCode();
    TreeView2LoadChecks();
}

void FrmQXSZ::lockFor(const QTreeWidgetItem* node)
{
    TreeView2->setEnabled(isUserNode(node) && m_treeComplete && m_ticksComplete
                          && !node->text(0).toUpper().contains(QStringLiteral("SYSTEM")));
}

void FrmQXSZ::clearChecks()
{
    QTreeWidgetItemIterator it(TreeView2);
    for (; *it; ++it)
        TreeView2->setChecked(*it, false);
}

void FrmQXSZ::TreeView2LoadChecks()
{
    clearChecks();
    m_ticksComplete = false;
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (isUserNode(node)) {
        Recordset rows;
        m_ticksComplete = RunDbAction([&] {
            rows.open(QStringLiteral("select menu_code from level_info where usercode = ? order by rowid"),
                      {userCodeOf(node)});
        });
        for (rows.MoveFirst(); m_ticksComplete && !rows.isEOF(); rows.MoveNext()) {
            const QString menuCode = rows.field(0).toString();
            QTreeWidgetItemIterator it(TreeView2);
            for (; *it; ++it)
                if (TreeView::keyOf(*it).mid(1) == menuCode)
                    TreeView2->setChecked(*it, true);
        }
    }
    lockFor(node);
}

void FrmQXSZ::TreeView2Save()
{
    const QString code = m_CurrentUserCode;
    // Ticks read whole: after a read error they are not all the user's
    // permissions, and saving them would drop the rest.
    const bool complete = m_treeComplete && m_ticksComplete;
    m_CurrentUser = TreeView1->selectedText();
    m_CurrentUserCode = selectedUserCode();
    // Ticks shown while no user is current belong to nobody: nothing is written.
    if (!code.isEmpty() && complete) {
        RunDbAction([&] {
            Transaction tx;
            // The user may have been deleted on another till meanwhile.
            if (Db::scalar(QStringLiteral("select count(*) from level_user where usercode = ?"), {code}).toInt() == 0)
                throw DbError(DbError::Changed, QStringLiteral("用户“%1”已被删除，权限没有保存。").arg(code));
            Recordset param;
            param.openTable(QStringLiteral("SYSXTCS"), QStringLiteral("where xtcs_name = 'rolemaxid'"));
            bool haveBase = false;
            qint64 base = 0;
            if (!param.empty())
                base = param.text(QStringLiteral("XTCS_VALUE")).toLongLong(&haveBase);
            if (!haveBase) {
                // A missing or unreadable counter starts again from the highest
                // id handed out, so ids stay unique.
                base = Db::scalar(QStringLiteral("select coalesce(max(id), 0) from level_info")).toLongLong();
                if (param.empty())
                    Db::exec(QStringLiteral("insert into SYSXTCS (XTCS_NAME, XTCS_VALUE) values ('rolemaxid', ?)"),
                             {QString::number(base)});
                else
                    Db::exec(QStringLiteral("update SYSXTCS set XTCS_VALUE = ? where xtcs_name = 'rolemaxid'"),
                             {QString::number(base)});
            }
            Db::exec(QStringLiteral("delete from level_info where usercode = ?"), {code});
            qint64 last = -1;
            int position = 0;
            QTreeWidgetItemIterator it(TreeView2);
            for (; *it; ++it) {
                ++position;
                const QString key = TreeView::keyOf(*it);
                if (key.startsWith(u'G') || !TreeView2->checked(*it))
                    continue;
                last = base + position;
                Db::exec(QStringLiteral("insert into level_info (usercode, menu_code, parent_code, id) values (?, ?, ?, ?)"),
                         {code, key.mid(1), TreeView::keyOf((*it)->parent()).mid(1), last});
            }
            if (last >= 0)
                Db::exec(QStringLiteral("update SYSXTCS set XTCS_VALUE = ? where xtcs_name = 'rolemaxid'"),
                         {QString::number(last)});
            tx.commit();
        });
    }
    clearChecks();
    m_ticksComplete = false;
}

void FrmQXSZ::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    (void)node;   // the clicked node is the selected one
    TreeView2Save();
    TreeView2LoadChecks();
}

void FrmQXSZ::TreeView2_NodeCheck(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const QString key = TreeView::keyOf(node);
    if (key.startsWith(u'G')) {
        const bool on = TreeView2->checked(node);
        QTreeWidgetItemIterator it(TreeView2);
        for (++it; *it; ++it)
            if (TreeView::keyOf(*it).startsWith(u'F') && TreeView::keyOf((*it)->parent()) == key)
                TreeView2->setChecked(*it, on);
    }
    TreeView2Save();
    TreeView2LoadChecks();
}

void FrmQXSZ::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case 1: AddUser(); break;
    case 2: EditUser(); break;
    case 3: DeleteUser(); break;
    case 5: Unload(); break;
    default: break;
    }
}

void FrmQXSZ::AddUser()
{
    Forms::showModal(Forms::get<FrmZJYH>());
    Form_Activate();
}

void FrmQXSZ::EditUser()
{
    if (!isUserNode(TreeView1->currentItem())) {
        MsgBox(QStringLiteral("请选择具体的员工,再进行修改操作!"), Msg::Information, QStringLiteral("提示"));
        return;
    }
    Forms::showModal(Forms::get<FrmXGYH>());
    Form_Activate();
}

void FrmQXSZ::DeleteUser()
{
    const QString entry = TreeView1->selectedText();
    if (!isUserNode(TreeView1->currentItem())) {
        MsgBox(QStringLiteral("请选择具体的用户再进行删除操作!"), Msg::Exclamation, QStringLiteral("信息提示"));
        return;
    }
    const QString code = selectedUserCode();
    if (code.compare(QStringLiteral("system"), Qt::CaseInsensitive) == 0) {
        MsgBox(QStringLiteral("此用户为系统管理员,不可以删除!"), Msg::Information, QStringLiteral("提示"));
        return;
    }
    if (MsgBox(QStringLiteral("是否确认删除") + entry + QStringLiteral("用户"), int(Msg::OKCancel) + Msg::Exclamation,
               QStringLiteral("提示")) != Msg::OK)
        return;
    // The user's permissions go with it, so a later user with the same code
    // starts without them.
    const bool done = RunDbAction([&] {
        Transaction tx;
        Db::exec(QStringLiteral("delete from level_user where usercode = ?"), {code});
        Db::exec(QStringLiteral("delete from level_info where usercode = ?"), {code});
        tx.commit();
    });
    if (done)
        TreeView1Init();
}
