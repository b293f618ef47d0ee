#include "shell/FrmXTDL.h"

#include "db/Database.h"
#include "platform/KeyFilters.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/FrmMain.h"
#include "shell/Module1.h"
#include "shell/PasswordHash.h"

TABULOR_REGISTER_FORM(FrmXTDL);

namespace {

QPushButton* pictureButton(const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; font-weight: bold; border: 1px solid #ffd9a0; border-radius: 4px;"
        " background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #d8502a, stop:1 #8c1e0e); }"
        "QPushButton:pressed { background: #6d160a; }"
        "QPushButton:focus { border: 2px solid #fff2c0; }"));
    return b;
}

} // namespace

FrmXTDL::FrmXTDL()
{
    setWindowTitle(QStringLiteral("系统登录"));
    setClientSizeTwips(6000, 4200);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    Image1 = new QLabel(this);
    Twips::place(Image1, 0, 0, 6000, 4200);
    Image1->setPixmap(Pictures::titledBackdrop(QSize(Twips::toPixels(6000), Twips::toPixels(4200)), QColor(120, 20, 10),
                                              QColor(230, 120, 60), AppTitle, QColor(255, 220, 160, 120)));

    QFont titleFont = font();
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    // The title drawn twice: a dark copy 45 twips right and down as its shadow.
    Label1Shadow = new QLabel(QStringLiteral("登     录"), this);
    Label1Shadow->setFont(titleFont);
    Label1Shadow->setStyleSheet(QStringLiteral("color: #401008; background: transparent;"));
    Twips::place(Label1Shadow, 1845, 1245, 2400, 540);
    Label1 = new QLabel(QStringLiteral("登     录"), this);
    Label1->setFont(titleFont);
    Label1->setStyleSheet(QStringLiteral("color: #fff2c0; background: transparent;"));
    Twips::place(Label1, 1800, 1200, 2400, 540);

    const QString labelStyle = QStringLiteral("color: white; background: transparent;");
    Label3 = new QLabel(QStringLiteral("用户账号"), this);
    Label3->setStyleSheet(labelStyle);
    Twips::place(Label3, 960, 2010, 1080, 300);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(false);
    Twips::place(Combo1, 2100, 1950, 2760, 375);

    Label4 = new QLabel(QStringLiteral("用户口令"), this);
    Label4->setStyleSheet(labelStyle);
    Twips::place(Label4, 960, 2550, 1080, 300);
    Text2 = new QLineEdit(this);
    Text2->setEchoMode(QLineEdit::Password);
    Text2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));   // typed characters show as "*"
    Twips::place(Text2, 2100, 2490, 2760, 375);
    // What the user dialogs can store can be typed here in full.
    MaxLengthFilter(Text2, PasswordMaxLength);

    Command1 = pictureButton(QStringLiteral("进入"), this);
    Twips::place(Command1, 1800, 3240, 1080, 450);
    Command2 = pictureButton(QStringLiteral("退出"), this);
    Twips::place(Command2, 3240, 3240, 1080, 450);

    OnEnter(Text2, [this] { Command1_Click(); });
    connect(Command1, &QPushButton::clicked, this, &FrmXTDL::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmXTDL::Command2_Click);
    setTabOrder(Combo1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Command2);
}

void FrmXTDL::Form_Load()
{
    using namespace Module1;
    // A fresh shared connection each time the login loads; the one held
    // before (switch of user) is released once the new one is open. When the
    // new one cannot be opened, work goes on with the old one.
    try {
        Db::openShared(DatabasePath);
    } catch (const DbError& e) {
        const QString message = Db::isOpen()
            ? QStringLiteral("无法打开新选择的数据库，程序继续使用原来的数据库：") + Db::path()
                  + QStringLiteral("\n请在“路径设置”中重新选择数据库文件。\n") + e.text
            : e.text;
        MsgBox(message, Msg::Exclamation, QStringLiteral("信息提示"));
    }
    if (Db::isOpen()) {
        RunDbAction([&] {
            SharedRecordset = Recordset();
            SharedRecordset.openTable(QStringLiteral("level_user"));
            for (SharedRecordset.MoveFirst(); !SharedRecordset.isEOF(); SharedRecordset.MoveNext())
                Combo1->addItem(SharedRecordset.field(QStringLiteral("usercode")).toString());
        });
    }
    if (Combo1->count() > 0)
        Combo1->setCurrentIndex(0);
    Text2->clear();
}

void FrmXTDL::Command1_Click()
{
    using namespace Module1;
    const QString title = QStringLiteral("提示");
    RunDbAction([&] {
        Recordset user;
        user.openTable(QStringLiteral("level_user"), QStringLiteral("where usercode = ?"),
                       {Combo1->currentText().trimmed()});
        if (user.isEOF()) {
            MsgBox(QStringLiteral("用户不存在"), Msg::Exclamation, title);
            return;
        }
        // Passwords are stored as salted hashes of the trimmed text. A row
        // from an old database still holds the clear text (a Null password
        // counts as empty text; letter case counts), compared trimmed as the
        // typed text is: it is accepted once and rewritten as a hash.
        const QString typed = Text2->text().trimmed();
        const QString stored = user.field(QStringLiteral("password")).toString();
        const bool hashed = PasswordHash::isHash(stored);
        const bool matches = hashed ? PasswordHash::verify(typed, stored) : stored.trimmed() == typed;
        if (!matches) {
            MsgBox(QStringLiteral("密码不正确"), Msg::Exclamation, title);
            Text2->setSelection(0, int(typed.size()));
            Text2->setFocus();
            return;
        }
        if (!hashed) {
            try {
                // Only while the row still holds the clear text read here: a
                // password changed on another till meanwhile stays.
                Db::exec(QStringLiteral("update level_user set password = ? where rowid = ? and password is ?"),
                         {PasswordHash::make(typed), user.rowId(), user.field(QStringLiteral("password"))});
            } catch (const DbError&) {
                // The row stays as it was and is rewritten at the next login;
                // the user is not kept out for it.
            }
        }
        OperatorCode = Combo1->currentText();
        SharedRecordset3 = Recordset();
        SharedRecordset3.openTable(QStringLiteral("level_info"), QStringLiteral("where usercode = ?"),
                                   {user.field(QStringLiteral("usercode"))});

        FrmMain& main = Forms::get<FrmMain>();   // loads the main window on first touch
        DisableMainMenuButtons();
        for (SharedRecordset3.MoveFirst(); !SharedRecordset3.isEOF(); SharedRecordset3.MoveNext()) {
            if (QPushButton* b = main.menuButton(SharedRecordset3.field(QStringLiteral("menu_code")).toString()))
                b->setEnabled(true);
        }
        LoggedIn = true;
        Unload();
        Forms::show(main);
    });
}

void FrmXTDL::Command2_Click()
{
    Unload();
}

void FrmXTDL::Form_QueryUnload(bool& cancel, int)
{
    if (!Module1::LoggedIn) {
        ProcessSeam::end();
        cancel = true;   // reached only when a test records the end
    }
}

void FrmXTDL::DisableMainMenuButtons()
{
    for (const auto& entry : FrmMain::MenuButtons)
        if (QPushButton* b = Forms::get<FrmMain>().menuButton(QString::fromLatin1(entry.menuCode)))
            b->setEnabled(false);
}
