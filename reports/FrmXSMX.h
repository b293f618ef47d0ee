#pragma once
// The sales detail: the settled bills of a period, one grid row per seating
// and payment method with a totals row, the query dialog that fills it, and
// the period totals of the last query.
#include <QFrame>
#include <QLabel>
#include "platform/Controls.h"
#include "platform/FlexGrid.h"
#include "platform/Form.h"
#include "reports/ReportSupport.h"

class FrmXSMX : public Form {
    Q_OBJECT
public:
    FrmXSMX();

    Toolbar* Toolbar1;
    QFrame* Picture1;
    QLabel* Label1[4];   // "时间", "至", "共计", "天"
    QLabel* Label2[3];   // start, end, number of days
    FlexGrid* MSHFlexGrid1;

    enum Button { BtnQuery = 1, BtnTotals, BtnDetail, BtnPrint, BtnHelp, BtnExit };
    // Grid columns.
    enum Column { ColTable = 1, ColName, ColDiners, ColFee, ColDiscount, ColReceived, ColWaived,
                  ColCash, ColCheque, ColCard, ColOther, ColOnAccount, ColumnCount };

    void Form_Load() override;
    void Toolbar1_ButtonClick(int index);
    void ShowPeriodTotals();

    // Writes the period line and keeps the period for the totals.
    void showPeriod(const ReportPeriod& period);

private:
    PeriodLine m_periodLine;
    ReportPeriod m_period;
};
