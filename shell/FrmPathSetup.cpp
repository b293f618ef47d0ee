#include "shell/FrmPathSetup.h"

#include <QDir>
#include <QFile>
#include "db/Database.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmPathSetup);

FrmPathSetup::FrmPathSetup()
{
    setWindowTitle(QStringLiteral("路径设置"));
    setClientSizeTwips(6480, 2070);

    Frame1 = new QGroupBox(QStringLiteral("当前数据库路径"), this);
    Twips::place(Frame1, 120, 90, 6240, 1035);
    TxtPath = new QLineEdit(Frame1);
    Twips::place(TxtPath, 150, 420, 5355, 375);
    ReadOnlyKeyFilter(TxtPath);   // only the file dialog fills it
    CmdSelectPath = new QPushButton(QStringLiteral("..."), Frame1);
    Twips::place(CmdSelectPath, 5595, 405, 480, 405);

    CmdSetup = new QPushButton(QStringLiteral("设置(&S)"), this);
    Twips::place(CmdSetup, 3600, 1380, 1215, 435);
    CmdClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    Twips::place(CmdClose, 5025, 1380, 1215, 435);
    defaultButton = CmdSetup;
    cancelButton = CmdClose;
    CmdSetup->setDefault(true);

    connect(CmdSelectPath, &QPushButton::clicked, this, &FrmPathSetup::CmdSelectPath_Click);
    connect(CmdSetup, &QPushButton::clicked, this, &FrmPathSetup::CmdSetup_Click);
    connect(CmdClose, &QPushButton::clicked, this, &FrmPathSetup::CmdClose_Click);
}

void FrmPathSetup::CmdSelectPath_Click()
{
    const QString name = FileDialogSeam::openFile(QStringLiteral("选择数据库文件"));
    TxtPath->setText(name.isEmpty() ? QString() : name);
}

void FrmPathSetup::CmdSetup_Click()
{
    using namespace Module1;
    const QString title = QStringLiteral("信息提示");
    if (TxtPath->text().trimmed().isEmpty()) {
        MsgBox(QStringLiteral("请选择有效的路径!"), Msg::Information, title);
        return;
    }
    DatabasePath = TxtPath->text().trimmed();

    QString error;
    if (!Db::probe(DatabasePath, &error)) {
        MsgBox(error, Msg::Exclamation, title);
        return;
    }
    // The path file of the current directory goes; the one beside the
    // program is the one that counts from now on.
    QDir here = QDir::current();
    for (const QString& entry : here.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(PathFileName, Qt::CaseInsensitive) == 0 && !here.remove(entry)) {
            MsgBox(QStringLiteral("无法删除文件: ") + here.filePath(entry), Msg::Exclamation, title);
            return;
        }
    }
    QFile out(QDir(AppPath.isEmpty() ? ProgramFolder::path() : AppPath).filePath(PathFileName));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write((DatabasePath + QStringLiteral("\r\n")).toUtf8()) < 0 || !out.flush()) {
        MsgBox(out.errorString(), Msg::Exclamation, title);
        return;
    }
    out.close();
    MsgBox(QStringLiteral("路径设置成功!"), Msg::Information, title);
    Unload();
}

void FrmPathSetup::CmdClose_Click()
{
    Unload();
}
