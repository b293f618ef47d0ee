#include "frontdesk/ReservationDialog.h"

#include "db/DateTimeText.h"
#include "platform/KeyFilters.h"
#include "platform/Pickers.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

namespace {
const QString Title = QStringLiteral("提示");
}

ReservationDialog::ReservationDialog(const QString& saveCaption)
{
    setClientSizeTwips(6600, 4560);

    // Left column then right column, row by row.
    const int l1 = 240, f1 = 1200, l2 = 3420, f2 = 4380, w = 1980, h = 330;
    label(QStringLiteral("预 定 人"), l1, 300);
    TxtYDR = new QLineEdit(this);
    Twips::place(TxtYDR, f1, 240, w, h);
    MaxLengthFilter(TxtYDR, 5);
    label(QStringLiteral("联系电话"), l2, 300);
    TxtLXDH = new QLineEdit(this);
    Twips::place(TxtLXDH, f2, 240, w, h);
    MaxLengthFilter(TxtLXDH, 11);
    PhoneKeyFilter(TxtLXDH);

    label(QStringLiteral("登记时间"), l1, 780);
    TxtDJSJ = new QLineEdit(this);
    Twips::place(TxtDJSJ, f1, 720, w, h);
    TxtDJSJ->setReadOnly(true);
    TxtDJSJ->setFocusPolicy(Qt::NoFocus);
    TxtDJSJ->setStyleSheet(QStringLiteral("background: #d4d0c8;"));
    label(QStringLiteral("用餐班次"), l2, 780);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(false);
    Combo1->addItems({QStringLiteral("早班"), QStringLiteral("中班"), QStringLiteral("晚班")});
    Twips::place(Combo1, f2, 720, w, h);

    label(QStringLiteral("用餐日期"), l1, 1260);
    DTPicker1 = new DatePicker(this);
    DTPicker1->setDisplayFormat(DateTimeText::DateFormat);
    DTPicker1->setCalendarPopup(true);
    Twips::place(DTPicker1, f1, 1200, w, h);
    label(QStringLiteral("用餐时间"), l2, 1260);
    DTPicker2 = new TimePicker(this);
    DTPicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    Twips::place(DTPicker2, f2, 1200, w, h);

    label(QStringLiteral("订餐人数"), l1, 1740);
    TxtDCRS = new QLineEdit(this);
    Twips::place(TxtDCRS, f1, 1680, w, h);
    MaxLengthFilter(TxtDCRS, 6);
    label(QStringLiteral("押    金"), l2, 1740);
    TxtYJ = new QLineEdit(this);
    Twips::place(TxtYJ, f2, 1680, w, h);
    MaxLengthFilter(TxtYJ, 6);
    PhoneKeyFilter(TxtYJ);

    label(QStringLiteral("备    注"), l1, 2220);
    TxtBZ = new QLineEdit(this);
    Twips::place(TxtBZ, f1, 2160, f2 + w - f1, 1320);
    MaxLengthFilter(TxtBZ, 50);
    TxtBZ->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CmdYD = new QPushButton(saveCaption, this);
    Twips::place(CmdYD, 3060, 3840, 1500, 420);
    CmdXZ = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(CmdXZ, 4860, 3840, 1500, 420);
    CmdYD->setAutoDefault(false);
    CmdXZ->setAutoDefault(false);
    defaultButton = CmdYD;

    setTabOrder(TxtYDR, TxtLXDH);
    setTabOrder(TxtLXDH, Combo1);
    setTabOrder(Combo1, DTPicker1);
    setTabOrder(DTPicker1, DTPicker2);
    setTabOrder(DTPicker2, TxtDCRS);
    setTabOrder(TxtDCRS, TxtYJ);
    setTabOrder(TxtYJ, TxtBZ);
    setTabOrder(TxtBZ, CmdYD);
    setTabOrder(CmdYD, CmdXZ);
}

QLabel* ReservationDialog::label(const QString& text, int left, int top)
{
    auto* l = new QLabel(text, this);
    Twips::place(l, left, top, 900, 270);
    return l;
}

bool ReservationDialog::checkRequired()
{
    // Empty means no character at all.
    const struct { QLineEdit* field; const char* message; } required[] = {
        {TxtYDR, "请输入预定人"}, {TxtLXDH, "请输入联系电话"}, {TxtDCRS, "请输入订餐人数"},
    };
    for (const auto& r : required) {
        if (r.field->text().isEmpty()) {
            MsgBox(QString::fromUtf8(r.message), Msg::Exclamation, Title);
            r.field->setFocus();
            return false;
        }
    }
    return true;
}

bool ReservationDialog::checkNumbers()
{
    // The guest count is a whole number, the deposit an amount; neither below 0.
    const QString guests = TxtDCRS->text().trimmed();
    bool guestsOk = !guests.isEmpty();
    for (QChar c : guests)
        guestsOk = guestsOk && c >= u'0' && c <= u'9';
    if (!guestsOk) {
        MsgBox(QStringLiteral("订餐人数必须是不小于0的整数"), Msg::Exclamation, Title);
        TxtDCRS->setFocus();
        return false;
    }
    const QString deposit = TxtYJ->text().trimmed();
    if (!TxtYJ->text().isEmpty()) {
        bool ok = false;
        const Money m = Money::parse(deposit, &ok);
        if (!ok || m < Money{}) {
            MsgBox(QStringLiteral("押金必须是不小于0的数字"), Msg::Exclamation, Title);
            TxtYJ->setFocus();
            return false;
        }
    }
    return true;
}

QString ReservationDialog::mealTime() const
{
    // Joined as text: a local QDateTime of an hour skipped by a clock change
    // would be invalid and format as nothing.
    return DateTimeText::formatDate(DTPicker1->date()) + u' ' + DTPicker2->time().toString(QStringLiteral("HH:mm:ss"));
}

ReservationDialog::Values ReservationDialog::values() const
{
    Values v;
    v.booker = TxtYDR->text();
    v.phone = TxtLXDH->text();
    v.guests = TxtDCRS->text().trimmed();
    v.shift = Combo1->currentText();
    v.remark = TxtBZ->text();
    v.mealTime = mealTime();
    // An empty deposit box stores 0.
    v.deposit = TxtYJ->text().isEmpty() ? Money{} : Money::parse(TxtYJ->text());
    return v;
}
