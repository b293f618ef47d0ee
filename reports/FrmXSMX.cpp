#include "reports/FrmXSMX.h"

#include <QStyle>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "reports/DlgTJHZ.h"
#include "reports/ReportQueries.h"

TABULOR_REGISTER_FORM(FrmXSMX);

FrmXSMX::FrmXSMX()
{
    setWindowTitle(QStringLiteral("销售明细查询"));
    setClientSizeTwips(10215, 7110);

    Toolbar1 = makeReportToolbar(this, 10215, {
        {"查询", "tbq", QStyle::SP_FileDialogContentsView},
        {"统计", "tbt", QStyle::SP_FileDialogInfoView},
        {"明细", "tbd", QStyle::SP_FileDialogDetailedView, false, false},
        {"打印", "tbp", QStyle::SP_DriveFDIcon, false, false},
        {"帮助", "tbf1", QStyle::SP_DialogHelpButton, false},
        {"退出", "exit", QStyle::SP_DialogCloseButton},
    });

    m_periodLine = makePeriodLine(this, QRect(150, 960, 9915, 555), 1830, 1905);
    const PeriodLine& line = m_periodLine;
    Picture1 = line.strip;
    Label1[0] = line.time;
    Label2[0] = line.start;
    Label1[1] = line.to;
    Label2[1] = line.end;
    Label1[2] = line.total;
    Label2[2] = line.days;
    Label1[3] = line.dayUnit;

    MSHFlexGrid1 = new FlexGrid(this);
    Twips::place(MSHFlexGrid1, 150, 1500, 9915, 5460);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmXSMX::Toolbar1_ButtonClick);
}

void FrmXSMX::Form_Load()
{
    MSHFlexGrid1->setCols(ColumnCount);
    const QStringList headers{QStringLiteral("房台号"), QStringLiteral("房台名称"), QStringLiteral("就餐人数"),
                              QStringLiteral("应收金额"), QStringLiteral("折扣金额"), QStringLiteral("实收金额"),
                              QStringLiteral("免收"), QStringLiteral("现金"), QStringLiteral("支票"),
                              QStringLiteral("信用卡"), QStringLiteral("其它"), QStringLiteral("挂帐")};
    for (int c = 0; c < headers.size(); ++c)
        MSHFlexGrid1->setTextMatrix(0, c + 1, headers[c]);
    MSHFlexGrid1->setColWidth(0, 250);
    MSHFlexGrid1->setColAlignment(ColName, Qt::AlignLeft);
}

void FrmXSMX::showPeriod(const ReportPeriod& period)
{
    m_period = period;
    m_periodLine.show(period);
}

void FrmXSMX::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnQuery:
        Forms::showModalByName(QStringLiteral("DlgXSMX"));
        break;
    case BtnTotals:
        ShowPeriodTotals();
        break;
    case BtnExit:
        Unload();
        break;
    default:
        break;
    }
}

void FrmXSMX::ShowPeriodTotals()
{
    if (m_period.isNull()) {
        MsgBox(QStringLiteral("请您先进行查询操作!"), Msg::Exclamation);
        return;
    }
    // Every showing starts from the design texts.
    Forms::unload<DlgTJHZ>();
    DlgTJHZ& totals = Forms::get<DlgTJHZ>();
    const bool read = RunDbAction([&] {
        // Seatings by their checkout time, each counted once.
        Recordset seatings;
        seatings.open(ReportQueries::periodSeatings(), m_period.bounds());
        if (!seatings.empty()) {
            totals.Label2[DlgTJHZ::Seatings]->setText(QString::number(seatings.field(QStringLiteral("seatings")).toLongLong()));
            totals.Label2[DlgTJHZ::Diners]->setText(QString::number(seatings.field(QStringLiteral("diners")).toLongLong()));
        }
        Recordset amounts;
        amounts.open(ReportQueries::periodAmounts(), m_period.bounds());
        if (amounts.empty())
            return;
        auto money = [&](const char* name) { return Money::fromVariant(amounts.field(QString::fromLatin1(name))); };
        const struct { DlgTJHZ::Line line; const char* column; } lines[] = {
            {DlgTJHZ::Fee, "fee"},          {DlgTJHZ::Received, "received"}, {DlgTJHZ::Discount, "discount"},
            {DlgTJHZ::Waived, "waived"},    {DlgTJHZ::Cash, "cash"},         {DlgTJHZ::Cheque, "cheque"},
            {DlgTJHZ::Card, "card"},        {DlgTJHZ::Other, "other"},       {DlgTJHZ::OnAccount, "on_account"},
        };
        for (const auto& l : lines)
            totals.Label2[l.line]->setText(amountText(money(l.column)));
        // Business income: what every payment method but the free bill took in.
        const Money income = money("cash") + money("cheque") + money("card") + money("other") + money("on_account");
        totals.Label2[DlgTJHZ::Income]->setText(income.plain());
    });
    if (!read) {
        Forms::unload<DlgTJHZ>();
        return;
    }
    Forms::showModal(totals);
}
