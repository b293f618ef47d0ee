#pragma once
// Changes the reservation selected in the manager's list.
#include "frontdesk/ReservationDialog.h"

class FrmYDEDIT : public ReservationDialog {
    Q_OBJECT
public:
    FrmYDEDIT();

    void Form_Load() override;
    void CmdYD_Click();
    void CmdXZ_Click();

    // The reservation being changed (the list row's own id).
    qint64 reservationId() const { return m_id; }

private:
    qint64 m_id = 0;
};
