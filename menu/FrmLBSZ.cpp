#include "menu/FrmLBSZ.h"

#include <QStyle>
#include "db/Database.h"
#include "menu/CategoryDialogs.h"
#include "menu/FrmCPGL.h"
#include "menu/MenuRecords.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmLBSZ);

namespace {

const QString Title = QStringLiteral("提示");
const QString InfoTitle = QStringLiteral("信息提示");
const QString NameTaken = QStringLiteral("此类别已经存在,请更换其它类别!");

// A name in use at either level, compared trimmed and without letter case.
bool nameTaken(const QString& name)
{
    return Db::scalar(QStringLiteral("select count(*) from cpclass where trim(cname) = ? collate nocase"), {name}).toInt() > 0;
}

// What keeps a category from being deleted; nothing when nothing does.
Menu::Refusal deleteRefusal(const QString& code, bool top, const QString& nodeText)
{
    // A top category owns every code that begins with its own.
    const int subs = top
        ? Db::scalar(QStringLiteral("select count(*) from cpclass where trim(code) <> ? and "
                                    "(trim(parentcode) = ? or substr(trim(code), 1, length(?)) = ?)"),
                     {code, code, code, code}).toInt()
        : Db::scalar(QStringLiteral("select count(*) from cpclass where trim(code) <> ? and trim(parentcode) = ?"),
                     {code, code}).toInt();
    if (subs > 0)
        return {QStringLiteral("请先删除") + nodeText + QStringLiteral("下面所有项目"), Msg::Exclamation, Title};
    // A top category holds the dishes the dish manager lists under it.
    const int dishes = top
        ? Db::scalar(QStringLiteral("select count(*) from cpdetail where substr(cp_classid, 1, length(?)) = ?"),
                     {code, code}).toInt()
        : Db::scalar(QStringLiteral("select count(*) from cpdetail where cp_classid = ?"), {code}).toInt();
    if (dishes > 0)
        return {QStringLiteral("请先删除此类别下的所有菜品，再删除此类别!"), Msg::Information, InfoTitle};
    return {};
}

} // namespace

FrmLBSZ::FrmLBSZ()
{
    setWindowTitle(QStringLiteral("类别设置"));
    setClientSizeTwips(4920, 6600);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 4920, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    QStyle* st = style();
    Toolbar1->addButton(QStringLiteral("新增"), {}, st->standardIcon(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), {}, st->standardIcon(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, st->standardIcon(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("退出"), {}, st->standardIcon(QStyle::SP_DialogCloseButton));

    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 60, 960, 4800, 5580);
    TreeView1->setRootIsDecorated(true);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmLBSZ::Toolbar1_ButtonClick);
}

void FrmLBSZ::Form_Load()
{
    TreeViewInit();
}

void FrmLBSZ::TreeViewInit(const QString& selectKey)
{
    if (auto* manager = static_cast<FrmCPGL*>(Forms::find(QStringLiteral("FrmCPGL"))))
        manager->TreeViewInit();
    const QSignalBlocker block(TreeView1);
    RunDbAction([&] { Menu::fillCategoryTree(TreeView1, true); });
    if (TreeView1->nodeCount() == 0)   // the read failed before the root was added
        TreeView1->addNode({}, Menu::RootKey, Menu::RootText);
    TreeView1->expandAll();
    if (selectKey.isEmpty() || !TreeView1->selectKey(selectKey))
        TreeView1->selectKey(Menu::RootKey);
}

void FrmLBSZ::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnAdd:
        Forms::showModalByName(QStringLiteral("FrmCDLBADD"));
        break;
    case BtnEdit:
        if (TreeView1->selectedKey().isEmpty())
            break;
        if (TreeView1->selectedKey() == Menu::RootKey) {
            MsgBox(QStringLiteral("菜品总类不可以修改!"), Msg::Information, Title);
            break;
        }
        Forms::showModalByName(QStringLiteral("FrmCDLBEDIT"));
        break;
    case BtnDelete:
        TreeViewDelete();
        break;
    case BtnExit:
        Unload();
        break;
    default:
        break;
    }
}

// A refused save is said and its dialog stays open; a done one rebuilds the
// trees, closes the dialog and says so.
void FrmLBSZ::finishSave(Form& dialog, bool ran, const QString& refusal, const QString& selectKey)
{
    if (!ran)
        return;
    if (!refusal.isEmpty()) {
        MsgBox(refusal, Msg::Information, Title);
        return;
    }
    TreeViewInit(selectKey);
    dialog.Unload();
    MsgBox(QStringLiteral("保存成功!"), Msg::Information, Title);
}

// A new category: top level takes the lowest free digit, a sub-category the
// next sequence number under its parent, so no code is ever given twice.
void FrmLBSZ::TreeViewSave()
{
    auto* dialog = static_cast<FrmCDLBADD*>(Forms::find(QStringLiteral("FrmCDLBADD")));
    if (!dialog)
        return;
    const QString name = dialog->Text1->text().trimmed();
    const QString parent = dialog->parentCode();
    QString refusal, code;
    const bool ran = RunDbAction([&] {
        Transaction t;
        if (nameTaken(name)) {
            refusal = NameTaken;
            return;
        }
        if (parent == QStringLiteral("0")) {
            code = Menu::nextTopCategoryCode();
            if (code.isEmpty()) {
                refusal = QStringLiteral("一级类别最多9个,不能再添加!");
                return;
            }
        } else {
            const int parentRows = Db::scalar(
                QStringLiteral("select count(*) from cpclass where trim(code) = ? and trim(parentcode) = '0'"), {parent}).toInt();
            if (parentRows == 0) {
                refusal = Menu::CategoryGoneMessage;
                return;
            }
            code = Menu::nextSubCategoryCode(parent);
        }
        Db::exec(QStringLiteral("insert into cpclass (code, cname, parentcode) values (?, ?, ?)"), {code, name, parent});
        t.commit();
    });
    finishSave(*dialog, ran, refusal, (parent == QStringLiteral("0") ? Menu::TopPrefix : Menu::SubPrefix) + code);
}

// Renames the selected category; its code, parent and dishes stay.
void FrmLBSZ::TreeViewEdit()
{
    auto* dialog = static_cast<FrmCDLBEDIT*>(Forms::find(QStringLiteral("FrmCDLBEDIT")));
    if (!dialog)
        return;
    const QString name = dialog->Text1->text().trimmed();
    const QString key = TreeView1->selectedKey();
    const QString code = Menu::categoryCodeOfKey(key);
    QString refusal;
    const bool ran = RunDbAction([&] {
        Transaction t;
        if (nameTaken(name)) {
            refusal = NameTaken;
            return;
        }
        if (code.isEmpty()
            || Db::exec(QStringLiteral("update cpclass set cname = ? where trim(code) = ?"), {name, code}) == 0) {
            refusal = Menu::CategoryGoneMessage;
            return;
        }
        t.commit();
    });
    finishSave(*dialog, ran, refusal, key);
}

// The checks run on the stored rows, and again inside the delete: another
// till may have added a sub-category or a dish meanwhile.
void FrmLBSZ::TreeViewDelete()
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node)
        return;
    const QString key = TreeView::keyOf(node);
    if (key == Menu::RootKey) {
        MsgBox(QStringLiteral("不可以删除总类!"), Msg::Information, Title);
        return;
    }
    const QString nodeText = node->text(0);
    if (node->childCount() > 0) {
        MsgBox(QStringLiteral("请先删除") + nodeText + QStringLiteral("下面所有项目"), Msg::Exclamation, Title);
        return;
    }
    const QString code = Menu::categoryCodeOfKey(key);
    const bool top = Menu::isTopKey(key);
    Menu::Refusal refusal;
    if (!RunDbAction([&] { refusal = deleteRefusal(code, top, nodeText); }))
        return;
    if (!refusal.any()) {
        if (MsgBox(QStringLiteral("确定要删除此类别吗?"), Msg::YesNo + Msg::Question, InfoTitle) != Msg::Yes)
            return;
        const bool ran = RunDbAction([&] {
            Transaction t;
            refusal = deleteRefusal(code, top, nodeText);
            if (refusal.any())
                return;
            Db::exec(QStringLiteral("delete from cpclass where trim(code) = ?"), {code});
            t.commit();
        });
        if (!ran)
            return;
    }
    if (refusal.any()) {
        refusal.show();
        return;
    }
    TreeViewInit();
}
