#include "reports/DlgXSMX.h"

#include <QSet>
#include <QStyle>
#include "db/Recordset.h"
#include "platform/Twips.h"
#include "reports/FrmXSMX.h"
#include "reports/ReportQueries.h"

TABULOR_REGISTER_FORM(DlgXSMX);

namespace {

const QString Mark = QStringLiteral("√   ");

// The grid column that a payment method marks; 0 for none.
int markedColumn(const QString& payCode)
{
    static const QHash<QString, int> columns{
        {QStringLiteral("0"), FrmXSMX::ColCash},  {QStringLiteral("1"), FrmXSMX::ColCheque},
        {QStringLiteral("2"), FrmXSMX::ColCard},  {QStringLiteral("3"), FrmXSMX::ColOnAccount},
        {QStringLiteral("4"), FrmXSMX::ColWaived}, {QStringLiteral("5"), FrmXSMX::ColOther},
    };
    return columns.value(payCode.trimmed(), 0);
}

} // namespace

DlgXSMX::DlgXSMX()
{
    setWindowTitle(QStringLiteral("销售明细查询"));
    setClientSizeTwips(5160, 1950);

    Label1[0] = nullptr;
    Label1[1] = new QLabel(QStringLiteral("日期"), this);
    Twips::place(Label1[1], 240, 300, 600, 270);
    Label1[2] = new QLabel(QStringLiteral("至"), this);
    Twips::place(Label1[2], 480, 780, 360, 270);
    for (int i = 0; i < 2; ++i) {
        DTPicker1[i] = reportDatePicker(this);
        Twips::place(DTPicker1[i], 960, 240 + 480 * i, 2100, 345);
        DTPicker2[i] = reportTimePicker(this);
        Twips::place(DTPicker2[i], 3180, 240 + 480 * i, 1740, 345);
    }
    QStyle* st = style();
    Command1[0] = new QPushButton(st->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("查询(&F)"), this);
    Twips::place(Command1[0], 2280, 1320, 1260, 420);
    Command1[1] = new QPushButton(st->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("取消(&C)"), this);
    Twips::place(Command1[1], 3660, 1320, 1260, 420);
    for (int i = 0; i < 2; ++i) {
        Command1[i]->setAutoDefault(false);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    defaultButton = Command1[0];
    cancelButton = Command1[1];
}

void DlgXSMX::Form_Load()
{
    setDayRange(DTPicker1[0], DTPicker2[0], DTPicker1[1], DTPicker2[1]);
}

void DlgXSMX::Command1_Click(int index)
{
    if (index == 0)
        QuerySalesDetail();
    else
        Unload();
}

void DlgXSMX::QuerySalesDetail()
{
    const ReportPeriod period = periodFromPickers(DTPicker1[0], DTPicker2[0], DTPicker1[1], DTPicker2[1]);
    setReportPeriod(period);
    FrmXSMX& window = Forms::get<FrmXSMX>();
    window.showPeriod(period);
    FlexGrid* grid = window.MSHFlexGrid1;
    grid->clearToOneEmptyRow();
    Recordset rs;
    if (!runDialogQuery(*this, rs, ReportQueries::salesDetail(), period, QStringLiteral("没有该时间范围的记录!")))
        return;

    QSet<QString> seatings;
    qint64 diners = 0;
    Money fee, discount, received;
    int marked[FrmXSMX::ColumnCount] = {};
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        grid->setRows(grid->Rows() + 1);
        const int row = grid->Rows() - 2;
        const Money rowFee = Money::fromVariant(rs.field(QStringLiteral("fee_price1")));
        const Money rowDiscount = Money::fromVariant(rs.field(QStringLiteral("discount_price1")));
        const Money rowReceived = Money::fromVariant(rs.field(QStringLiteral("account_price1")));
        const qint64 rowDiners = rs.field(QStringLiteral("strink_num")).toLongLong();
        grid->setTextMatrix(row, FrmXSMX::ColTable, rs.field(QStringLiteral("house_table_id")).toString());
        grid->setTextMatrix(row, FrmXSMX::ColName, rs.field(QStringLiteral("house_name")).toString());
        grid->setTextMatrix(row, FrmXSMX::ColDiners, rs.field(QStringLiteral("strink_num")).toString());
        grid->setTextMatrix(row, FrmXSMX::ColFee, amountText(rowFee));
        grid->setTextMatrix(row, FrmXSMX::ColDiscount, amountText(rowDiscount));
        grid->setTextMatrix(row, FrmXSMX::ColReceived, amountText(rowReceived));
        // A seating paid by two methods has two rows; its diners count once.
        if (!seatings.contains(rs.text(QStringLiteral("use_table_id")))) {
            seatings.insert(rs.text(QStringLiteral("use_table_id")));
            diners += rowDiners;
        }
        fee += rowFee;
        discount += rowDiscount;
        received += rowReceived;
        if (rowFee != rowReceived)
            grid->setTextMatrix(row, FrmXSMX::ColWaived,
                                amountText(Money::fromVariant(rs.field(QStringLiteral("NO_ACCOUNT_PRICE1")))));
        if (const int column = markedColumn(rs.text(QStringLiteral("pay_sts")))) {
            grid->setTextMatrix(row, column, Mark);
            ++marked[column];
        }
    }
    const int total = grid->Rows() - 1;
    grid->setTextMatrix(total, FrmXSMX::ColName, QStringLiteral("合  计:"));
    grid->setTextMatrix(total, FrmXSMX::ColDiners, QString::number(diners));
    grid->setTextMatrix(total, FrmXSMX::ColFee, amountText(fee));
    grid->setTextMatrix(total, FrmXSMX::ColDiscount, amountText(discount));
    grid->setTextMatrix(total, FrmXSMX::ColReceived, amountText(received));
    for (int c = FrmXSMX::ColWaived; c < FrmXSMX::ColumnCount; ++c)
        grid->setTextMatrix(total, c, QString::number(marked[c]));
    Unload();
}
