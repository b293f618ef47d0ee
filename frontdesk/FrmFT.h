#pragma once
// The reservation manager's popup of the tables that bear the reserved
// table's name. It keeps no data: the manager fills its list before showing it.
#include <QPushButton>
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmFT : public Form {
    Q_OBJECT
public:
    FrmFT();

    ListView* ListView1;
    QPushButton* Command1;

    void Form_Load() override;
    void Command1_Click();
};
