#pragma once
// The waiter ranking: per waiter the received amount and the diners of the
// bills settled in a period, largest amount first, with a totals row.
#include <QFrame>
#include <QLabel>
#include "platform/Controls.h"
#include "platform/FlexGrid.h"
#include "platform/Form.h"
#include "reports/ReportSupport.h"

class FrmXSPH : public Form {
    Q_OBJECT
public:
    FrmXSPH();

    Toolbar* Toolbar1;
    QFrame* Picture1;
    // The period line: Label1 0 "时间", 1 "至", 4 "共计", 5 "天"; Label2 0
    // start, 1 end, 4 number of days. The other indexes are not used.
    QLabel* Label1[6] = {};
    QLabel* Label2[5] = {};
    FlexGrid* MSHFlexGrid1;

    enum Button { BtnQuery = 1, BtnPrint, BtnHelp, BtnExit };
    enum Column { ColRank = 1, ColWaiter, ColAmount, ColDiners, ColumnCount };

    void Form_Load() override;
    void Toolbar1_ButtonClick(int index);
    void showPeriod(const ReportPeriod& period);

private:
    PeriodLine m_periodLine;
};
