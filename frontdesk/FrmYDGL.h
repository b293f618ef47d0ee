#pragma once
// The reservation manager: tables grouped by type in a tree, the current
// reservations of the selected type or table in a list, and a toolbar to
// reserve, change, cancel, query, show the table, print reception sheets and
// leave (which reloads the board).
#include "db/Recordset.h"
#include "platform/Controls.h"
#include "platform/Form.h"

class FrmYDGL : public Form {
    Q_OBJECT
public:
    FrmYDGL();

    Toolbar* Toolbar1;
    TreeView* TreeView1;
    ListView* ListView1;

    // Toolbar buttons, counted from 1 as designed.
    enum Button { BtnReserve = 1, BtnEdit, BtnCancel, BtnQuery, BtnTable, BtnReception, BtnPrint, BtnHelp, BtnExit };

    void Form_Load() override;
    void Toolbar1_ButtonClick(int index);
    void TreeView1_NodeClick();

    void ListView1Init();
    void TreeView1Init();
    // Reloads the list for the selected tree node.
    void ListView1Detail();
    void NewReservation();
    void CancelReservation();
    void ShowReservationQuery();
    void ShowReservedTable();
    void PrintReception();
    void ExitManager();

    // Adds one reservation row (the current row of rs, a pre_strink row) to
    // the list, as the first row or after the last. The row's key is the
    // reservation's own id. Also used by the reservation query.
    void listReservation(const Recordset& rs, bool asFirstRow);
    // The id of the reservation in the selected list row; 0 without one.
    qint64 selectedReservationId() const;
    // Selects the row of a reservation id, or the first row.
    void selectReservationRow(qint64 id);

    // Midnight at the start of today in the stored text form.
    static QString todayMidnight();

private:
    void clearStaleReservationMarks();
};
