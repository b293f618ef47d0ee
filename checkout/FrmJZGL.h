#pragma once
// The checkout window ("结帐管理"). It opens empty until checkout is built.
#include "platform/Form.h"

class FrmJZGL : public Form {
    Q_OBJECT
public:
    FrmJZGL();
};
