#include "checkout/FrmJZGL.h"

TABULOR_REGISTER_FORM(FrmJZGL);

FrmJZGL::FrmJZGL()
{
    setWindowTitle(QStringLiteral("结帐管理"));
}
