#include "frontdesk/FrmSYGL.h"

TABULOR_REGISTER_FORM(FrmSYGL);

FrmSYGL::FrmSYGL()
{
    setWindowTitle(QStringLiteral("收银管理"));
    ListView1 = new ListView(this);
}

void FrmSYGL::ListView1Detail() {}
