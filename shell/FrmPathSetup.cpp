#include "shell/FrmPathSetup.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
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
    // The new path file is written beside the one it replaces and takes its
    // place in one step: either the old file or the new one stands, whatever
    // fails.
    const QDir programFolder(AppPath.isEmpty() ? ProgramFolder::path() : AppPath);
    const QString target = programFolder.filePath(PathFileName);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write((DatabasePath + QStringLiteral("\r\n")).toUtf8()) < 0
        || !out.commit()) {
        MsgBox(QStringLiteral("无法写入路径文件，原来的路径设置保持不变。请检查程序所在文件夹是否可以写入。\n")
                   + target + QStringLiteral("\n") + out.errorString(),
               Msg::Exclamation, title);
        return;
    }
    // A path file of the current directory would be read first at the next
    // start: it goes now that the new one is written.
    QDir here = QDir::current();
    for (const QString& entry : here.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(PathFileName, Qt::CaseInsensitive) != 0)
            continue;
        const QString stale = here.absoluteFilePath(entry);
        if (QFileInfo(stale).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
            continue;
        if (!here.remove(entry)) {
            MsgBox(QStringLiteral("新的路径已写入，但无法删除当前文件夹中的旧路径文件，下次启动仍会使用旧路径。请手动删除该文件。\n")
                       + stale,
                   Msg::Exclamation, title);
            return;
        }
    }
    MsgBox(QStringLiteral("路径设置成功!"), Msg::Information, title);
    Unload();
}

void FrmPathSetup::CmdClose_Click()
{
    Unload();
}
