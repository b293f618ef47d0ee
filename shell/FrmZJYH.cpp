#include "shell/FrmZJYH.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/FrmQXSZ.h"
#include "shell/FrmXZYH.h"
#include "shell/PasswordHash.h"

TABULOR_REGISTER_FORM(FrmZJYH);

void layOutUserBoxes(QWidget* form, QLabel*& label1, QLineEdit*& code, QLabel*& label2, QLineEdit*& name,
                     QLabel*& label3, QLineEdit*& password, QLabel*& label4, QLineEdit*& confirmation)
{
    const QString grey = QStringLiteral("QLineEdit { background: rgb(224, 224, 224); }");
    struct Row { QLabel*& label; QLineEdit*& box; const char* caption; };
    Row rows[] = {{label1, code, "用户代码"}, {label2, name, "用户名称"}, {label3, password, "登录口令"},
                  {label4, confirmation, "确认口令"}};
    int top = 300;
    for (Row& r : rows) {
        r.label = new QLabel(QString::fromUtf8(r.caption), form);
        Twips::place(r.label, 360, top + 60, 1000, 300);
        r.box = new QLineEdit(form);
        Twips::place(r.box, 1440, top, 2400, 345);
        top += 540;
    }
    for (QLineEdit* e : {code, name}) {
        e->setEnabled(false);
        e->setStyleSheet(grey);
    }
    for (QLineEdit* e : {password, confirmation}) {
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));   // "*"
        MaxLengthFilter(e, PasswordMaxLength);
    }
}

void addUserDialogButtons(Form* form, QPushButton*& save, QPushButton*& close)
{
    save = new QPushButton(QStringLiteral("保存(&S)"), form);
    Twips::place(save, 1080, 2580, 1200, 420);
    close = new QPushButton(QStringLiteral("退出(&Q)"), form);
    Twips::place(close, 2640, 2580, 1200, 420);
    save->setDefault(true);
    form->defaultButton = save;
    form->cancelButton = close;
}

FrmZJYH::FrmZJYH()
{
    setWindowTitle(QStringLiteral("增加用户"));
    setClientSizeTwips(4800, 3300);
    layOutUserBoxes(this, Label1, Text4, Label2, Text1, Label3, Text2, Label4, Text3);
    Command3 = new QPushButton(QStringLiteral("▼"), this);
    Twips::place(Command3, 3870, 300, 345, 345);

    addUserDialogButtons(this, Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, &FrmZJYH::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmZJYH::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmZJYH::Command3_Click);
}

void FrmZJYH::Command3_Click()
{
    Forms::showModal(Forms::get<FrmXZYH>());
}

void FrmZJYH::Command1_Click()
{
    const QString title = QStringLiteral("提示");
    if (Text4->text().isEmpty()) {
        MsgBox(QStringLiteral("请选择一个用户代码!"), Msg::Exclamation, title);
        return;
    }
    const QString password = Text2->text().trimmed();
    if (password.isEmpty() || password != Text3->text().trimmed()) {
        MsgBox(QStringLiteral("请确认信息录入正确性"), Msg::Exclamation, title);
        return;
    }
    bool saved = false;
    bool taken = false;
    RunDbAction([&] {
        Transaction tx;
        if (Db::scalar(QStringLiteral("select count(*) from level_user where usercode = ?"), {Text4->text().trimmed()})
                .toInt() > 0) {
            taken = true;
            return;
        }
        // A new user starts without permissions: rows left by an earlier user
        // of the same code are not inherited.
        Db::exec(QStringLiteral("delete from level_info where usercode = ?"), {Text4->text()});
        // The hash of the trimmed password: the login trims what is typed.
        Db::exec(QStringLiteral("insert into level_user (usercode, username, password, setfun) values (?, ?, ?, '000')"),
                 {Text4->text(), Text1->text(), PasswordHash::make(password)});
        tx.commit();
        saved = true;
    });
    if (taken)
        MsgBox(QStringLiteral("用户已存在，请重新选择"), Msg::Exclamation, title);
    if (!saved)
        return;
    if (Form* owner = Forms::find(QStringLiteral("FrmQXSZ")))
        static_cast<FrmQXSZ*>(owner)->TreeView1Init();
    Unload();
}

void FrmZJYH::Command2_Click()
{
    Unload();
}
