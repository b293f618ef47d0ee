#include "stockin/FrmSPDASELECT.h"

TABULOR_REGISTER_FORM(FrmSPDASELECT);

FrmSPDASELECT::FrmSPDASELECT() : GoodsPicker(QStringLiteral("商品选择"), false, true, QStringLiteral("FrmRKMXADD")) {}
