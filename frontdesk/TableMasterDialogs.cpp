#include "frontdesk/TableMasterDialogs.h"

#include "frontdesk/FrmFTSZ.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(Frmbmadd);
TABULOR_REGISTER_FORM(Frmbmedit);
TABULOR_REGISTER_FORM(Frmlbadd);
TABULOR_REGISTER_FORM(Frmlbedit);
TABULOR_REGISTER_FORM(FrmFTADD);
TABULOR_REGISTER_FORM(FrmFTEDIT);

namespace {

QLabel* label(const QString& caption, QWidget* parent, int top)
{
    auto* l = new QLabel(caption, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Twips::place(l, 240, top, 1080, 300);
    return l;
}

QLineEdit* textBox(QWidget* parent, int top, int width, int maxLength)
{
    auto* t = new QLineEdit(parent);
    Twips::place(t, 1440, top - 30, width, 360);
    if (maxLength > 0)
        MaxLengthFilter(t, maxLength);
    return t;
}

} // namespace

// ---- every dialog --------------------------------------------------------------

void MasterDialog::addButtons(int saveLeft, int cancelLeft, int top)
{
    Command1 = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Command1, saveLeft, top, 1095, 375);
    Command2 = new QPushButton(QStringLiteral("取消(&Q)"), this);
    Twips::place(Command2, cancelLeft, top, 1095, 375);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    defaultButton = Command1;
    cancelButton = Command2;
    connect(Command1, &QPushButton::clicked, this, &MasterDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MasterDialog::Command2_Click);
}

void MasterDialog::Command1_Click() { callOwner(); }

void MasterDialog::Command2_Click() { Unload(); }

// ---- code and name ------------------------------------------------------------

CodeNameDialog::CodeNameDialog(const QString& caption, const QString& codeLabel, const QString& nameLabel,
                               int maxLength, bool editing)
    : m_editing(editing)
{
    setWindowTitle(caption);
    setClientSizeTwips(4200, 2160);
    setFixedSize(size());

    Label1 = label(codeLabel, this, 360);
    Text1 = textBox(this, 360, 2280, maxLength);
    Label2 = label(nameLabel, this, 900);
    Text2 = textBox(this, 900, 2280, maxLength);
    DigitKeyFilter(Text1);
    // The code of a stored entry never changes: the edit dialogs only show it.
    Text1->setEnabled(!editing);

    addButtons(1080, 2400, 1500);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Command2);
    (editing ? Text2 : Text1)->setFocus();
}

void CodeNameDialog::Command1_Click()
{
    // The boxes are compared as typed: blanks alone pass.
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("请输入编码!"), Msg::Information, QStringLiteral("提示"));
        if (!m_editing)
            Text1->setFocus();
        return;
    }
    if (Text2->text().isEmpty()) {
        MsgBox(QStringLiteral("请输入名称!"), Msg::Information, QStringLiteral("提示"));
        Text2->setFocus();
        return;
    }
    callOwner();
}

Frmbmadd::Frmbmadd()
    : CodeNameDialog(QStringLiteral("房台类型添加"), QStringLiteral("类型编号:"), QStringLiteral("类型名称:"), 5, false)
{
}
void Frmbmadd::callOwner() { Forms::get<FrmFTSZ>().ListView1Save(); }

Frmbmedit::Frmbmedit()
    : CodeNameDialog(QStringLiteral("部门修改"), QStringLiteral("类型编号:"), QStringLiteral("类型名称:"), 5, true)
{
}
void Frmbmedit::callOwner() { Forms::get<FrmFTSZ>().ListView1Edit(); }

Frmlbadd::Frmlbadd()
    : CodeNameDialog(QStringLiteral("房台规格添加"), QStringLiteral("规格编号:"), QStringLiteral("规格名称:"), 8, false)
{
}
void Frmlbadd::callOwner() { Forms::get<FrmFTSZ>().ListView2Save(); }

Frmlbedit::Frmlbedit()
    : CodeNameDialog(QStringLiteral("修改类别"), QStringLiteral("规格编号:"), QStringLiteral("规格名称:"), 8, true)
{
}
void Frmlbedit::callOwner() { Forms::get<FrmFTSZ>().listview2edit(); }

// ---- tables --------------------------------------------------------------------

TableDialog::TableDialog(const QString& caption, int capacityLength, bool editing)
{
    setWindowTitle(caption);
    setClientSizeTwips(4560, 3960);
    setFixedSize(size());

    Label1 = label(QStringLiteral("房台编码:"), this, 360);
    Text1 = textBox(this, 360, 2640, 6);
    Label2 = label(QStringLiteral("房台名称:"), this, 900);
    Text2 = textBox(this, 900, 2640, 4);
    Label3 = label(QStringLiteral("容纳人数:"), this, 1440);
    Text3 = textBox(this, 1440, 2640, capacityLength);
    Label4 = label(QStringLiteral("房台规格:"), this, 1980);
    Combo1 = new QComboBox(this);
    // A drop-down box that also takes typed text: a table keeps showing the
    // specification name it was stored with even after that name changed.
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Twips::place(Combo1, 1440, 1950, 2640, 360);
    Label5 = label(QStringLiteral("备    注:"), this, 2520);
    Text4 = textBox(this, 2520, 2640, 0);

    DigitKeyFilter(Text1);
    DigitKeyFilter(Text3);
    // A table is found by its code when it is changed: the code only shows.
    if (editing)
        ReadOnlyKeyFilter(Text1);

    addButtons(1200, 2640, 3240);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Combo1);
    setTabOrder(Combo1, Text4);
    setTabOrder(Text4, Command1);
    setTabOrder(Command1, Command2);
    (editing ? Text2 : Text1)->setFocus();
}

FrmFTADD::FrmFTADD() : TableDialog(QStringLiteral("房台添加"), 3, false) {}
void FrmFTADD::callOwner() { Forms::get<FrmFTSZ>().ListView3Save(); }

FrmFTEDIT::FrmFTEDIT() : TableDialog(QStringLiteral("房台修改"), 8, true) {}
void FrmFTEDIT::callOwner() { Forms::get<FrmFTSZ>().ListView3Edit(); }
