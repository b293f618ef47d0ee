#include "platform/Pictures.h"
#include "stockin/FrmSPDA.h"

#include <QStyle>
#include <QTreeWidgetItemIterator>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "stockin/StockCommon.h"

TABULOR_REGISTER_FORM(FrmSPDA);

const QString FrmSPDA::ListColumns = QStringLiteral("code, bran_name, unit, in_price, type, zl, bz");

namespace {

const QString Title = QStringLiteral("信息提示");
const QString RootKey = QStringLiteral("R");
const QString AllClasses = QStringLiteral("所有种类");
// Class nodes carry this prefix and the class name as their key.
const QChar ClassKeyPrefix = u'C';

// The refusal for deleting goods that stock-in lines or dishes still use;
// empty when nothing uses them.
QString goodsInUse(const QString& code)
{
    if (Db::scalar(QStringLiteral("select count(*) from rkgl2004 where code = ?"), {code}).toInt() > 0)
        return QStringLiteral("此商品档案已有入库记录,不可删除!");
    if (Db::scalar(QStringLiteral("select count(*) from cpdetail where cp_spgl = ?"), {code}).toInt() > 0)
        return QStringLiteral("已有菜品与此商品关联，不可删除!");
    return {};
}

} // namespace

FrmSPDA::FrmSPDA()
{
    setWindowTitle(QStringLiteral("商品档案"));
    setClientSizeTwips(10200, 6960);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 10200, 900);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("查询"), {}, Pictures::standardFace(QStyle::SP_FileDialogContentsView));
    Toolbar1->addButton(QStringLiteral("增加"), {}, Pictures::standardFace(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), {}, Pictures::standardFace(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, Pictures::standardFace(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("打印"), {}, Pictures::standardFace(QStyle::SP_DriveFDIcon));
    Toolbar1->addButton(QStringLiteral("帮助"), {}, Pictures::standardFace(QStyle::SP_DialogHelpButton));
    Toolbar1->addButton(QStringLiteral("退出"), {}, Pictures::standardFace(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(BtnPrint, false);
    Toolbar1->setButtonVisible(BtnHelp, false);

    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 120, 1020, 1920, 5820);
    TreeView1->setRootIsDecorated(true);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 2160, 1020, 7920, 5820);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmSPDA::Toolbar1_ButtonClick);
    connect(TreeView1, &TreeView::nodeClick, this, [this] { TreeView1_NodeClick(); });
    connect(ListView1, &ListView::itemDoubleClick, this, [this](int) {
        if (Toolbar1->buttonEnabled(BtnModify))
            OpenGoodsModify();
    });
}

void FrmSPDA::Form_Load()
{
    TreeViewInit();
    ListViewInit();
}

void FrmSPDA::TreeViewInit()
{
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    QTreeWidgetItem* root = TreeView1->addNode({}, RootKey, AllClasses);
    RunDbAction([&] {
        for (const QString& name : GoodsClassNames())
            TreeView1->addNode(RootKey, ClassKeyPrefix + name, name);
    });
    root->setExpanded(true);
    TreeView1->setCurrentItem(root);
}

void FrmSPDA::ListViewInit()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const struct { const char* caption; int width; } columns[] = {
        {"商品编码", 1000}, {"商品名称", 1000}, {"单位", 800}, {"单价", 800},
        {"商品规格", 1000}, {"商品种类", 1000}, {"备注", -1},
    };
    for (const auto& c : columns)
        ListView1->addColumn(QString::fromUtf8(c.caption), c.width, Qt::AlignLeft);
    ListViewDetail();
}

void FrmSPDA::ListViewDetail()
{
    const QString key = TreeView1->selectedKey();
    Recordset rows;
    // Goods in the numeric order of their codes: 9 before 10.
    const bool read = RunDbAction([&] {
        if (key == RootKey || key.isEmpty())
            rows.open(QStringLiteral("select %1 from brand order by cast(code as real), rowid").arg(ListColumns));
        else
            rows.open(QStringLiteral("select %1 from brand where zl = ? order by cast(code as real), rowid").arg(ListColumns),
                      {key.mid(1)});
    });
    if (!read)
        rows = Recordset();   // a failed read lists nothing rather than a part
    listGoods(rows);
}

void FrmSPDA::listGoods(Recordset& rows)
{
    ListView1->clear();
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        const QString code = StockText::shown(rows.field(QStringLiteral("code")));
        const int row = ListView1->add(code, code);
        const char* cells[] = {"bran_name", "unit", "in_price", "type", "zl", "bz"};
        for (int c = 0; c < 6; ++c)
            ListView1->setSubItem(row, c + 1, StockText::shown(rows.field(QString::fromLatin1(cells[c]))));
    }
    ListView1->select(ListView1->count() > 0 ? 0 : -1);
    const bool any = ListView1->count() > 0;
    for (int b : {BtnModify, BtnDelete, BtnPrint})
        Toolbar1->setButtonEnabled(b, any);
}

void FrmSPDA::selectClassNode(const QString& name)
{
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if ((*it)->text(0) == name) {
            const QSignalBlocker block(TreeView1);
            TreeView1->setCurrentItem(*it);
            return;
        }
    }
}

QString FrmSPDA::selectedCode() const
{
    const int row = ListView1->selectedRow();
    return row < 0 ? QString() : ListView1->key(row);
}

void FrmSPDA::TreeView1_NodeClick()
{
    ListViewDetail();
}

void FrmSPDA::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnQuery:
        OpenGoodsQuery();
        break;
    case BtnAdd:
        OpenGoodsEntry();
        break;
    case BtnModify:
        OpenGoodsModify();
        break;
    case BtnDelete:
        DeleteCommand();
        break;
    case BtnExit:
        Unload();
        break;
    default:
        break;   // print and help are not shown and do nothing
    }
}

void FrmSPDA::OpenGoodsQuery()
{
    Forms::showModalByName(QStringLiteral("FrmSPCX"));
}

void FrmSPDA::OpenGoodsEntry()
{
    Forms::showModalByName(QStringLiteral("FrmSPLR"));
}

void FrmSPDA::OpenGoodsModify()
{
    // Acts on the selected row; without one there is nothing to modify.
    if (ListView1->selectedRow() >= 0)
        Forms::showModalByName(QStringLiteral("FrmSPXG"));
}

void FrmSPDA::DeleteCommand()
{
    DeleteGoods();
}

bool FrmSPDA::CanDeleteGoods()
{
    QString refusal;
    if (!RunDbAction([&] { refusal = goodsInUse(selectedCode().trimmed()); }))
        return false;
    if (refusal.isEmpty())
        return true;
    MsgBox(refusal, Msg::Information, Title);
    return false;
}

void FrmSPDA::DeleteGoods()
{
    const QString code = selectedCode();
    if (ListView1->selectedRow() < 0 || !CanDeleteGoods())
        return;
    if (MsgBox(QStringLiteral("确定要删除此项吗?"), int(Msg::YesNo) + Msg::Question, Title) != Msg::Yes)
        return;
    // A stock-in line or a dish link may have come from another till while
    // the question was open: the checks run again under the write lock.
    QString refusal;
    if (!RunDbAction([&] {
            Transaction t;
            refusal = goodsInUse(code.trimmed());
            if (!refusal.isEmpty())
                return;
            Db::exec(QStringLiteral("delete from brand where code = ?"), {code});
            t.commit();
        }))
        return;
    if (!refusal.isEmpty())
        MsgBox(refusal, Msg::Information, Title);
    ListViewDetail();
}
