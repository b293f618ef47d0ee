#include "menu/CategoryDialogs.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "menu/FrmLBSZ.h"
#include "menu/MenuRecords.h"
#include "platform/Controls.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmCDLBADD);
TABULOR_REGISTER_FORM(FrmCDLBEDIT);

namespace {

const QString Title = QStringLiteral("提示");

QLabel* label(const QString& caption, QWidget* parent, int top)
{
    auto* l = new QLabel(caption, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Twips::place(l, 120, top, 1080, 300);
    return l;
}

} // namespace

CategoryDialog::CategoryDialog(const QString& caption)
{
    setWindowTitle(caption);
    setClientSizeTwips(4200, 2100);
    setFixedSize(size());

    Label1 = label(QStringLiteral("属    于:"), this, 300);
    Combo1 = new QComboBox(this);
    Twips::place(Combo1, 1320, 270, 2640, 360);
    Label2 = label(QStringLiteral("类别名称:"), this, 840);
    Text1 = new QLineEdit(this);
    Twips::place(Text1, 1320, 810, 2640, 360);
    MaxLengthFilter(Text1, 5);

    Command1 = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Command1, 1320, 1470, 1200, 400);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(Command2, 2760, 1470, 1200, 400);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    defaultButton = Command1;
    cancelButton = Command2;

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Combo1);
    connect(Command1, &QPushButton::clicked, this, &CategoryDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CategoryDialog::Command2_Click);
}

// The parent list: the root, then the top categories in code order, each
// carrying its code.
void CategoryDialog::Form_Load()
{
    Text1->clear();
    Combo1->clear();
    Combo1->addItem(Menu::RootText, QStringLiteral("0"));
    RunLoadRead(*this, [&] {
        Recordset rs;
        rs.open(QStringLiteral("select code, cname from cpclass where trim(parentcode) = '0' order by code, rowid"));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const QString code = rs.text(QStringLiteral("code"));
            Combo1->addItem(Menu::codeNameEntry(code, rs.text(QStringLiteral("cname"))), code);
        }
    });
    Combo1->setCurrentIndex(0);
    Text1->setFocus();
}

QString CategoryDialog::parentCode() const
{
    return Combo1->currentIndex() < 0 ? QString() : Combo1->currentData().toString();
}

void CategoryDialog::Command1_Click()
{
    if (Combo1->currentIndex() < 0) {
        MsgBox(QStringLiteral("请选择属于的类别!"), Msg::Information, Title);
        return;
    }
    if (Text1->text().trimmed().isEmpty()) {
        MsgBox(QStringLiteral("请输入类别名称!"), Msg::Information, Title);
        Text1->setFocus();
        return;
    }
    callOwner();
}

void CategoryDialog::Command2_Click()
{
    Unload();
}

FrmCDLBADD::FrmCDLBADD() : CategoryDialog(QStringLiteral("菜单类别添加")) {}

void FrmCDLBADD::callOwner()
{
    if (auto* owner = static_cast<FrmLBSZ*>(Forms::find(QStringLiteral("FrmLBSZ"))))
        owner->TreeViewSave();
}

FrmCDLBEDIT::FrmCDLBEDIT() : CategoryDialog(QStringLiteral("菜单类别修改"))
{
    Combo1->setEnabled(false);   // a category keeps its parent
}

// The selected category's name, and its parent shown in the list.
void FrmCDLBEDIT::Form_Load()
{
    CategoryDialog::Form_Load();
    auto* owner = static_cast<FrmLBSZ*>(Forms::find(QStringLiteral("FrmLBSZ")));
    const QTreeWidgetItem* node = owner ? owner->TreeView1->currentItem() : nullptr;
    if (!node)
        return;
    const QString text = node->text(0).trimmed();
    Text1->setText(text.mid(text.indexOf(u']') + 1));
    const QString parent = Menu::categoryCodeOfKey(TreeView::keyOf(node->parent()));
    const int entry = parent.isEmpty() ? 0 : Combo1->findData(parent);
    Combo1->setCurrentIndex(entry < 0 ? 0 : entry);
    Text1->setFocus();
}

void FrmCDLBEDIT::callOwner()
{
    if (auto* owner = static_cast<FrmLBSZ*>(Forms::find(QStringLiteral("FrmLBSZ"))))
        owner->TreeViewEdit();
}
