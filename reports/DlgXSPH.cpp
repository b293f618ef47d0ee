#include "reports/DlgXSPH.h"

#include <QStyle>
#include "db/Recordset.h"
#include "platform/Twips.h"
#include "reports/FrmXSPH.h"
#include "reports/SeatingTotals.h"

TABULOR_REGISTER_FORM(DlgXSPH);

DlgXSPH::DlgXSPH()
{
    setWindowTitle(QStringLiteral("员工销售排行"));
    setClientSizeTwips(5400, 1950);

    const char* captions[] = {"起始日期", "终止日期"};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(QString::fromUtf8(captions[i]), this);
        Twips::place(Label1[i], 240, 300 + 480 * i, 960, 270);
        DTPicker1[i] = reportDatePicker(this);
        Twips::place(DTPicker1[i], 1260, 240 + 480 * i, 2100, 345);
        DTPicker2[i] = reportTimePicker(this);
        Twips::place(DTPicker2[i], 3480, 240 + 480 * i, 1740, 345);
    }
    QStyle* st = style();
    OKButton = new QPushButton(st->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定"), this);
    Twips::place(OKButton, 2580, 1320, 1200, 420);
    CancelButton = new QPushButton(st->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("取消"), this);
    Twips::place(CancelButton, 3960, 1320, 1200, 420);
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);
    defaultButton = OKButton;
    cancelButton = CancelButton;
    connect(OKButton, &QPushButton::clicked, this, &DlgXSPH::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &DlgXSPH::CancelButton_Click);
}

void DlgXSPH::Form_Load()
{
    setDayRange(DTPicker1[0], DTPicker2[0], DTPicker1[1], DTPicker2[1]);
}

void DlgXSPH::OKButton_Click()
{
    FrmXSPH& window = Forms::get<FrmXSPH>();
    FlexGrid* grid = window.MSHFlexGrid1;
    grid->clearToOneEmptyRow();
    const ReportPeriod period = periodFromPickers(DTPicker1[0], DTPicker2[0], DTPicker1[1], DTPicker2[1]);
    window.showPeriod(period);
    setReportPeriod(period);

    Recordset rs;
    if (!runDialogQuery(*this, rs, [&] { return SeatingTotals::waiterRanking(period); }, QStringLiteral("没有查到记录!")))
        return;
    // The rows come ranked: the largest amount first, equal amounts by name.
    Money amount;
    qint64 diners = 0;
    int rank = 0;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        const int row = grid->Rows() - 1;
        const Money rowAmount = Money::fromVariant(rs.field(QStringLiteral("received")));
        const qint64 rowDiners = rs.field(QStringLiteral("diners")).toLongLong();
        grid->setTextMatrix(row, FrmXSPH::ColRank, QString::number(++rank));
        grid->setTextMatrix(row, FrmXSPH::ColWaiter, rs.field(QStringLiteral("serv_name")).toString());
        grid->setTextMatrix(row, FrmXSPH::ColAmount, amountText(rowAmount));
        grid->setTextMatrix(row, FrmXSPH::ColDiners, QString::number(rowDiners));
        amount += rowAmount;
        diners += rowDiners;
        grid->setRows(grid->Rows() + 1);
    }
    const int total = grid->Rows() - 1;
    grid->setTextMatrix(total, FrmXSPH::ColWaiter, QStringLiteral("合  计:"));
    grid->setTextMatrix(total, FrmXSPH::ColAmount, amountText(amount));
    grid->setTextMatrix(total, FrmXSPH::ColDiners, QString::number(diners));
    Unload();
}

void DlgXSPH::CancelButton_Click()
{
    Unload();
}
