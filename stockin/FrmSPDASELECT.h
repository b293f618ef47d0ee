#pragma once
// The goods picker of a new stock-in line: every goods item, also one never
// received, with its stock on hand.
#include "stockin/GoodsPicker.h"

class FrmSPDASELECT : public GoodsPicker {
    Q_OBJECT
public:
    FrmSPDASELECT();
};
