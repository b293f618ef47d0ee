#pragma once
// The board of tables. (Placeholder until the board is built: other windows
// already call its reload.)
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmSYGL : public Form {
    Q_OBJECT
public:
    FrmSYGL();
    ListView* ListView1;
    // Rebuilds the board from the database.
    void ListView1Detail();
};
