#include "frontdesk/FrmFT.h"

#include <QStyle>
#include "platform/PositionBesideMain.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmFT);

FrmFT::FrmFT()
{
    setWindowTitle(QStringLiteral("房台"));
    setClientSizeTwips(4785, 3150);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 120, 120, 4545, 2415);
    Command1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("退出"), this);
    Twips::place(Command1, 3585, 2640, 1080, 420);
    cancelButton = Command1;
    connect(Command1, &QPushButton::clicked, this, &FrmFT::Command1_Click);
}

void FrmFT::Form_Load()
{
    PositionBesideMain(this);
}

void FrmFT::Command1_Click()
{
    Unload();
}
