#include "reports/FrmXSPH.h"

#include <QStyle>
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmXSPH);

FrmXSPH::FrmXSPH()
{
    setWindowTitle(QStringLiteral("员工销售排行"));
    setClientSizeTwips(10260, 7500);

    Toolbar1 = makeReportToolbar(this, 10260, {
        {"查询", "query", QStyle::SP_FileDialogContentsView},
        {"打印", "print", QStyle::SP_DriveFDIcon, false, false},
        {"帮助", "help", QStyle::SP_DialogHelpButton, false, false},
        {"退出", "exit", QStyle::SP_DialogCloseButton},
    });

    m_periodLine = makePeriodLine(this, QRect(195, 1005, 9870, 735), 2025, 2145);
    const PeriodLine& line = m_periodLine;
    Picture1 = line.strip;
    Label1[0] = line.time;
    Label2[0] = line.start;
    Label1[1] = line.to;
    Label2[1] = line.end;
    Label1[4] = line.total;
    Label2[4] = line.days;
    Label1[5] = line.dayUnit;

    MSHFlexGrid1 = new FlexGrid(this);
    Twips::place(MSHFlexGrid1, 195, 1725, 9870, 5595);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmXSPH::Toolbar1_ButtonClick);
}

void FrmXSPH::Form_Load()
{
    MSHFlexGrid1->setCols(ColumnCount);
    const QStringList headers{QStringLiteral("名次"), QStringLiteral("服务员"), QStringLiteral("销售金额"),
                              QStringLiteral("就餐人数")};
    MSHFlexGrid1->setColWidth(0, 250);
    for (int c = 0; c < headers.size(); ++c) {
        MSHFlexGrid1->setTextMatrix(0, c + 1, headers[c]);
        MSHFlexGrid1->setColWidth(c + 1, 1500);
    }
}

void FrmXSPH::showPeriod(const ReportPeriod& period)
{
    m_periodLine.show(period);
}

void FrmXSPH::Toolbar1_ButtonClick(int index)
{
    if (index == BtnQuery)
        Forms::showModalByName(QStringLiteral("DlgXSPH"));
    else if (index == BtnExit)
        Unload();
}
