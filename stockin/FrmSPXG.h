#pragma once
// The modify-goods dialog: shows the goods of the goods list's selected row
// and rewrites its name, unit, price, specification, class, note and
// stock-take flags; the code and the warehouse figures stay as stored.
#include <QVariant>
#include "stockin/GoodsDialog.h"

class FrmSPXG : public GoodsDialog {
    Q_OBJECT
public:
    FrmSPXG();

    void Form_Load() override;
    void LoadSelectedGoods();
    void Command1_Click() override;

private:
    QString m_code;   // the goods code, as the list row carries it
    // Stored class, class code and unit: written back while the lists show
    // no choice (the stored value is not among their entries).
    QVariant m_storedClass, m_storedClassCode, m_storedUnit;
};
