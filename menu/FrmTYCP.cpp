#include "menu/FrmTYCP.h"

#include "db/Database.h"
#include "menu/FrmCPGL.h"
#include "menu/MenuRecords.h"
#include "platform/KeyFilters.h"
#include "platform/PositionBesideMain.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmTYCP);

FrmTYCP::FrmTYCP()
{
    setWindowTitle(QStringLiteral("停用菜品"));
    setClientSizeTwips(4680, 2820);
    setFixedSize(size());

    Frame1 = new QGroupBox(QStringLiteral("停用原因"), this);
    Twips::place(Frame1, 120, 60, 4440, 1980);
    Text1 = new QPlainTextEdit(Frame1);
    Twips::place(Text1, 120, 300, 4200, 1560);
    Text1->setTabChangesFocus(true);

    Command1 = new QPushButton(QStringLiteral("确定(&O)"), this);
    Twips::place(Command1, 1920, 2220, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(Command2, 3360, 2220, 1200, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    defaultButton = Command1;
    cancelButton = Command2;
    // The reason box is a text box of several lines: Enter in it is still the OK.
    OnEnter(Text1, [this] { Command1->click(); });

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    connect(Command1, &QPushButton::clicked, this, &FrmTYCP::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmTYCP::Command2_Click);
}

void FrmTYCP::Form_Load()
{
    PositionBesideMain(this);
    Text1->setFocus();
}

void FrmTYCP::Command1_Click()
{
    auto* manager = static_cast<FrmCPGL*>(Forms::find(QStringLiteral("FrmCPGL")));
    const QString code = manager ? manager->selectedDishCode() : QString();
    // Without a selected dish there is none to disable, as when it was deleted.
    Menu::Refusal refusal{Menu::DishGoneMessage, Msg::Exclamation, QStringLiteral("提示")};
    if (!code.isEmpty() && !RunDbAction([&] { refusal = Menu::setDishDisabled(code, true, Text1->toPlainText()); }))
        return;   // the error is shown; the dialog stays open
    if (manager)
        manager->TreeViewDetail();
    Unload();
    if (refusal.any())
        refusal.show();
    else
        MsgBox(QStringLiteral("停用成功!"), Msg::Information, QStringLiteral("提示"));
}

void FrmTYCP::Command2_Click()
{
    Unload();
}
