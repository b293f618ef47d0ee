#include "shell/FrmXGYH.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/FrmQXSZ.h"
#include "shell/FrmZJYH.h"
#include "shell/PasswordHash.h"

TABULOR_REGISTER_FORM(FrmXGYH);

FrmXGYH::FrmXGYH()
{
    setWindowTitle(QStringLiteral("修改用户"));
    setClientSizeTwips(4800, 3300);
    layOutUserBoxes(this, Label1, Text4, Label2, Text1, Label3, Text2, Label4, Text3);
    addUserDialogButtons(this, Command1, Command2);
    connect(Command1, &QPushButton::clicked, this, &FrmXGYH::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmXGYH::Command2_Click);
}

void FrmXGYH::Form_Load()
{
    Form* owner = Forms::find(QStringLiteral("FrmQXSZ"));
    if (!owner)
        return;
    // The selected user as its node carries it, not as its text reads.
    const auto* users = static_cast<FrmQXSZ*>(owner);
    if (!FrmQXSZ::isUserNode(users->TreeView1->currentItem()))
        return;
    m_code = users->selectedUserCode();
    Text4->setText(m_code);
    Text1->setText(users->selectedUserName());
}

void FrmXGYH::Command1_Click()
{
    const QString password = Text2->text().trimmed();
    if (password.isEmpty() || password != Text3->text().trimmed()) {
        MsgBox(QStringLiteral("请确认信息录入正确性"), Msg::Exclamation, QStringLiteral("提示"));
        return;
    }
    bool stored = false;
    const bool ok = RunDbAction([&] {
        Transaction tx;
        Recordset user;
        user.openTable(QStringLiteral("level_user"), QStringLiteral("where usercode = ?"), {m_code});
        if (user.isEOF())
            return;
        user.setField(QStringLiteral("username"), Text1->text());
        // The hash of the trimmed password: the login trims what is typed.
        user.setField(QStringLiteral("password"), PasswordHash::make(password));
        user.Update();
        tx.commit();
        stored = true;
    });
    if (!ok)
        return;   // the error was shown; the dialog stays open
    if (stored)
        MsgBox(QStringLiteral("密码更新成功，请注意保管好您的密码"), Msg::OKOnly);
    Unload();
}

void FrmXGYH::Command2_Click()
{
    Unload();
}
