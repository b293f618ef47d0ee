#include "reports/DlgXSMX.h"

#include <QStyle>
#include "db/Database.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "reports/FrmXSMX.h"
#include "reports/SeatingTotals.h"

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

// The grid rows of the sales detail and its totals row, each cell's text
// made when it is shown.
class SalesDetailRows : public RowSource {
public:
    SeatingTotals::SalesDetail detail;
    std::vector<qint8> marks;   // the column each row's payment method marks
    QStringList total;

    int rowCount() const override { return int(detail.rows.size()) + 1; }
    QString cell(int row, int column) const override
    {
        if (row == int(detail.rows.size()))
            return total.value(column);
        const SeatingTotals::SalesDetail::Row& r = detail.rows[size_t(row)];
        if (column != 0 && column == marks[size_t(row)])
            return Mark;
        switch (column) {
        case FrmXSMX::ColTable: return detail.texts[r.table];
        case FrmXSMX::ColName: return detail.texts[r.name];
        case FrmXSMX::ColDiners: return detail.dinerValues[r.diners].toString();
        case FrmXSMX::ColFee: return amountText(r.fee);
        case FrmXSMX::ColDiscount: return amountText(r.discount);
        case FrmXSMX::ColReceived: return amountText(r.received);
        case FrmXSMX::ColWaived: return r.fee != r.received ? amountText(r.waived) : QString();
        default: return QString();
        }
    }
};

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

    // A year holds some hundred thousand rows: the bills of the period are
    // read once and grouped in the program into plain values, which the
    // grid shows as they are.
    auto shown = std::make_unique<SalesDetailRows>();
    SeatingTotals::SalesDetail& detail = shown->detail;
    const bool read = RunDbAction([&] { detail = SeatingTotals::salesDetail(period); });
    if (!read) {
        Unload();
        return;
    }
    if (detail.rows.empty()) {
        Unload();
        MsgBox(QStringLiteral("没有该时间范围的记录!"), Msg::Information);
        return;
    }

    // A seating paid by two methods has two rows; its diners count once.
    qint64 diners = 0;
    Money fee, discount, received;
    int marked[FrmXSMX::ColumnCount] = {};
    std::vector<int> markOfText(detail.texts.size(), -1);
    shown->marks.reserve(detail.rows.size());
    for (const SeatingTotals::SalesDetail::Row& r : detail.rows) {
        if (r.firstOfSeating)
            diners += detail.dinerValues[r.diners].toLongLong();
        fee += r.fee;
        discount += r.discount;
        received += r.received;
        int& column = markOfText[r.pay];
        if (column < 0)
            column = markedColumn(detail.texts[r.pay]);
        shown->marks.push_back(qint8(column));
        ++marked[column];
    }
    QStringList& total = shown->total;
    for (int c = 0; c < FrmXSMX::ColumnCount; ++c)
        total << QString();
    total[FrmXSMX::ColName] = QStringLiteral("合  计:");
    total[FrmXSMX::ColDiners] = QString::number(diners);
    total[FrmXSMX::ColFee] = amountText(fee);
    total[FrmXSMX::ColDiscount] = amountText(discount);
    total[FrmXSMX::ColReceived] = amountText(received);
    for (int c = FrmXSMX::ColWaived; c < FrmXSMX::ColumnCount; ++c)
        total[c] = QString::number(marked[c]);
    grid->showRows(std::move(shown));
    Unload();
}
