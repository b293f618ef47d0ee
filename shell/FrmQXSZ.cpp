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

QString FrmQXSZ::entryCode(const QString& entry)
{
    const int close = int(entry.indexOf(u']'));
    if (!entry.startsWith(u'[') || close < 0)
        return {};
    return entry.mid(1, close - 1);
}

bool FrmQXSZ::isUserEntry(const QString& entry)
{
    return entry.startsWith(u'[') && entry.contains(u']');
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
    RunDbAction([&] {
        Recordset groups;
        groups.open(QStringLiteral("select * from sysmcwh where class='CDL' and parentid ='0' order by code"));
        for (groups.MoveFirst(); !groups.isEOF(); groups.MoveNext()) {
            const QString groupKey = QStringLiteral("G") + groups.field(QStringLiteral("code")).toString();
            TreeView2->addNode({}, groupKey, groups.field(QStringLiteral("content")).toString());
            Recordset functions;
            functions.open(QStringLiteral("select * from sysmcwh where trim(parentid) = ? order by code"),
                           {groups.text(QStringLiteral("code"))});
            for (functions.MoveFirst(); !functions.isEOF(); functions.MoveNext())
                TreeView2->addNode(groupKey, QStringLiteral("F") + functions.field(QStringLiteral("code")).toString(),
                                   functions.field(QStringLiteral("content")).toString());
        }
    });
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
    RunDbAction([&] {
        Recordset users;
        users.openTable(QStringLiteral("level_user"));
        for (users.MoveFirst(); !users.isEOF(); users.MoveNext()) {
            const QString entry = u'[' + users.field(QStringLiteral("usercode")).toString() + u']'
                + users.field(QStringLiteral("username")).toString();
            TreeView1->addNode(RootKey, entry, entry);
        }
    });
    QTreeWidgetItem* root = TreeView1->node(RootKey);
    root->setExpanded(true);
    // The first user becomes current; with no user left the root is selected
    // and nobody's permissions can be changed.
    const QString first = root->childCount() > 0 ? TreeView::keyOf(root->child(0)) : RootKey;
    TreeView1->selectKey(first);
    m_CurrentUser = TreeView1->selectedText();
    lockFor(m_CurrentUser);
    TreeView2LoadChecks();
}

void FrmQXSZ::lockFor(const QString& entry)
{
    TreeView2->setEnabled(isUserEntry(entry) && !entry.toUpper().contains(QStringLiteral("SYSTEM")));
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
    const QString entry = TreeView1->selectedText();
    if (!isUserEntry(entry))
        return;
    RunDbAction([&] {
        Recordset rows;
        rows.open(QStringLiteral("select menu_code from level_info where usercode = ? order by rowid"),
                  {entryCode(entry)});
        for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
            const QString menuCode = rows.field(0).toString();
            QTreeWidgetItemIterator it(TreeView2);
            for (; *it; ++it)
                if (TreeView::keyOf(*it).mid(1) == menuCode)
                    TreeView2->setChecked(*it, true);
        }
    });
}

void FrmQXSZ::TreeView2Save()
{
    const QString previous = m_CurrentUser;
    m_CurrentUser = TreeView1->selectedText();
    // Ticks shown while no user is current belong to nobody: nothing is written.
    if (isUserEntry(previous)) {
        const QString code = entryCode(previous);
        RunDbAction([&] {
            Transaction tx;
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
}

void FrmQXSZ::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    TreeView2Save();
    TreeView2LoadChecks();
    lockFor(node ? node->text(0) : QString());
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
    if (!isUserEntry(TreeView1->selectedText())) {
        MsgBox(QStringLiteral("请选择具体的员工,再进行修改操作!"), Msg::Information, QStringLiteral("提示"));
        return;
    }
    Forms::showModal(Forms::get<FrmXGYH>());
    Form_Activate();
}

void FrmQXSZ::DeleteUser()
{
    const QString entry = TreeView1->selectedText();
    if (!isUserEntry(entry)) {
        MsgBox(QStringLiteral("请选择具体的用户再进行删除操作!"), Msg::Exclamation, QStringLiteral("信息提示"));
        return;
    }
    const QString code = entryCode(entry);
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
