#pragma once
// New reservation for the table selected in the manager's tree.
#include "frontdesk/ReservationDialog.h"

class FrmYD : public ReservationDialog {
    Q_OBJECT
public:
    FrmYD();

    void Form_Load() override;
    void Form_Unload() override;
    void DTPicker1_LostFocus();
    void CmdYD_Click();
    void CmdXZ_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A past dining date is refused and set back to today.
    bool checkDate();
    bool m_closing = false;
};
