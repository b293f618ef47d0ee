#pragma once
// The ordering window ("点菜开台"). It opens empty until ordering is built.
#include "platform/Form.h"

class FrmDCKT : public Form {
    Q_OBJECT
public:
    FrmDCKT();
};
