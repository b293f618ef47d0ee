#pragma once
// The goods picker of a new stock-out line: only goods that have a stock
// counter row, with their stock on hand.
#include "stockin/GoodsPicker.h"

class FrmCKMXSELECT : public GoodsPicker {
    Q_OBJECT
public:
    FrmCKMXSELECT();
};
