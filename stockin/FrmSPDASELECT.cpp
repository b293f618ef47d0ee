#include "stockin/FrmSPDASELECT.h"

#include "platform/KeyFilters.h"
#include "stockin/StockInDialogs.h"

TABULOR_REGISTER_FORM(FrmSPDASELECT);

FrmSPDASELECT::FrmSPDASELECT() : GoodsPicker(QStringLiteral("商品选择"), false, true) {}

void FrmSPDASELECT::writeChoice(int row)
{
    auto* dialog = static_cast<FrmRKMXADD*>(Forms::find(QStringLiteral("FrmRKMXADD")));
    if (!dialog)
        return;
    dialog->TxtSPBM->setText(ListView1->text(row));
    dialog->TxtSPMC->setText(ListView1->subItem(row, 1));
    dialog->TxtDW->setText(ListView1->subItem(row, 2));
    // A price longer than the box takes by typing is written whole.
    SetStoredText(dialog->TxtDJ, ListView1->subItem(row, 3), 8);
    dialog->TxtGG->setText(ListView1->subItem(row, 4));
}
