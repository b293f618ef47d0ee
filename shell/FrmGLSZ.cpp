#include "shell/FrmGLSZ.h"

#include <QStyle>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/FrmMain.h"

TABULOR_REGISTER_FORM(FrmGLSZ);

FrmGLSZ::FrmGLSZ()
{
    setWindowTitle(QStringLiteral("关联设置"));
    setClientSizeTwips(4800, 2400);
    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(40, 40));
    Twips::place(Image1, 240, 360, 720, 720);
    Frame1 = new QGroupBox(QStringLiteral("关联选项"), this);
    Twips::place(Frame1, 1080, 180, 3480, 1260);
    Option1 = new QRadioButton(QStringLiteral("售货关联"), Frame1);
    Twips::place(Option1, 240, 360, 2400, 330);
    Option2 = new QRadioButton(QStringLiteral("售货不关联"), Frame1);
    Twips::place(Option2, 240, 780, 2400, 330);
    Command1 = new QPushButton(QStringLiteral("确定(&O)"), this);
    Twips::place(Command1, 1560, 1740, 1320, 420);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(Command2, 3120, 1740, 1320, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &FrmGLSZ::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmGLSZ::Command2_Click);

    // Centred on the main window.
    if (Form* main = Forms::find(QStringLiteral("FrmMain")))
        move(main->geometry().center() - rect().center());
}

void FrmGLSZ::Form_Load()
{
    RunDbAction([&] {
        Recordset row;
        row.open(QStringLiteral("SELECT XTCS_VALUE FROM SYSXTCS WHERE XTCS_NAME = 'Associate' ORDER BY rowid"));
        // Only "Yes" exactly is linked; without a row sales count as linked.
        if (row.empty() || row.field(0).toString() == QStringLiteral("Yes"))
            Option1->setChecked(true);
        else
            Option2->setChecked(true);
    });
}

void FrmGLSZ::Command1_Click()
{
    const QString value = Option1->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No");
    const bool saved = RunDbAction([&] {
        if (Db::scalar(QStringLiteral("SELECT count(*) FROM SYSXTCS WHERE XTCS_NAME = 'Associate'")).toInt() > 0)
            Db::exec(QStringLiteral("UPDATE SYSXTCS SET XTCS_VALUE = ? WHERE XTCS_NAME = 'Associate'"), {value});
        else
            Db::exec(QStringLiteral("INSERT INTO SYSXTCS (XTCS_VALUE, XTCS_MS, XTCS_NAME) VALUES (?, '售货关联与否', 'Associate')"),
                     {value});
    });
    if (!saved)
        return;
    MsgBox(QStringLiteral("设置成功！"), Msg::Information, QStringLiteral("信息提示"));
    Unload();
}

void FrmGLSZ::Command2_Click()
{
    Unload();
}
