#pragma once
// The new-goods dialog: writes a new goods row itself, refusing a code or a
// name that is taken, then reloads the goods list and closes.
#include "stockin/GoodsDialog.h"

class FrmSPLR : public GoodsDialog {
    Q_OBJECT
public:
    FrmSPLR();

    void Form_Load() override;
    void Command1_Click() override;
};
