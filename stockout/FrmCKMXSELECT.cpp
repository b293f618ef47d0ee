#include "stockout/FrmCKMXSELECT.h"

TABULOR_REGISTER_FORM(FrmCKMXSELECT);

FrmCKMXSELECT::FrmCKMXSELECT() : GoodsPicker(QStringLiteral("出库选择"), true, false, QStringLiteral("FrmCKMXADD")) {}
