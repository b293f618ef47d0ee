#include "ordering/FrmDCKT.h"

TABULOR_REGISTER_FORM(FrmDCKT);

FrmDCKT::FrmDCKT()
{
    setWindowTitle(QStringLiteral("点菜开台"));
}
