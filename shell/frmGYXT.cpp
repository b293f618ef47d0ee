#include "shell/frmGYXT.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include "platform/ProgramStart.h"
#include "platform/Registry.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(frmGYXT);

namespace {

const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoValue = QStringLiteral("PATH");
const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoLocationValue = QStringLiteral("MSINFO");
const QString SysInfoProgram = QStringLiteral("MSINFO32.EXE");

} // namespace

frmGYXT::frmGYXT()
{
    setWindowTitle(QStringLiteral("关于我的应用程序"));
    setClientSizeTwips(6000, 3600);

    Image1 = new QLabel(this);
    Twips::place(Image1, 0, 0, 6000, 3600);
    Image1->setPixmap(Pictures::titledBackdrop(QSize(Twips::toPixels(6000), Twips::toPixels(3600)), QColor(255, 246, 228),
                                              QColor(236, 178, 120), AppTitle, QColor(140, 30, 14)));

    lblVersion = new QLabel(QStringLiteral("5.0"), this);
    QFont f(QStringLiteral("华文新魏"));
    f.setPointSizeF(21.75);
    lblVersion->setFont(f);
    lblVersion->setAlignment(Qt::AlignCenter);
    lblVersion->setStyleSheet(QStringLiteral("background: transparent; color: #6d160a;"));
    Twips::place(lblVersion, 1800, 1500, 2400, 600);

    cmdSysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    Twips::place(cmdSysInfo, 2520, 2850, 1740, 420);
    CmdExit = new QPushButton(QStringLiteral("退出(&X)"), this);
    Twips::place(CmdExit, 4440, 2850, 1320, 420);
    cmdSysInfo->setAutoDefault(false);
    CmdExit->setAutoDefault(false);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmGYXT::cmdSysInfo_Click);
    connect(CmdExit, &QPushButton::clicked, this, &frmGYXT::cmdExit_Click);

    // Centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmGYXT::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmGYXT::cmdExit_Click()
{
    Unload();
}

bool frmGYXT::GetKeyValue(unsigned int keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal)
{
    QString value;
    if (!Registry::readValue(keyRoot, keyName, subKeyRef, value)) {
        keyVal.clear();
        return false;
    }
    keyVal = value;
    return true;
}

void frmGYXT::StartSysInfo()
{
    QString program;
    if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, SysInfoKey, SysInfoValue, program)) {
        QString folder;
        bool found = false;
        if (GetKeyValue(Registry::HKEY_LOCAL_MACHINE, SysInfoLocationKey, SysInfoLocationValue, folder)) {
            program = QDir(folder).filePath(SysInfoProgram);
            found = QFileInfo::exists(program);
        }
        if (!found) {
            MsgBox(QStringLiteral("此时系统信息不可用"), Msg::OKOnly);
            return;
        }
    }
    // The path from the first value is started as it stands, without a test.
    if (!ProgramStartSeam::start(program))
        MsgBox(QStringLiteral("此时系统信息不可用"), Msg::OKOnly);
}
