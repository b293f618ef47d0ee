#include "stockout/FrmCKMXSELECT.h"

#include "platform/KeyFilters.h"
#include "stockout/StockOutDialogs.h"

TABULOR_REGISTER_FORM(FrmCKMXSELECT);

FrmCKMXSELECT::FrmCKMXSELECT() : GoodsPicker(QStringLiteral("出库选择"), true, false) {}

void FrmCKMXSELECT::writeChoice(int row)
{
    auto* dialog = static_cast<FrmCKMXADD*>(Forms::find(QStringLiteral("FrmCKMXADD")));
    if (!dialog)
        return;
    dialog->TxtSPBM->setText(ListView1->text(row));
    dialog->TxtSPMC->setText(ListView1->subItem(row, 1));
    dialog->TxtDW->setText(ListView1->subItem(row, 2));
    // A price longer than the box takes by typing is written whole.
    SetStoredText(dialog->TxtDJ, ListView1->subItem(row, 3), 8);
    dialog->TxtGG->setText(ListView1->subItem(row, 4));
    dialog->TxtDQKC->setText(ListView1->subItem(row, 6));
}
