#include "shell/DlgTKSZ.h"

#include <QStyle>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(DlgTKSZ);

namespace {

// The stored switch allows refunds when its value is the number 1 ("1", " 1").
bool allowsRefund(const QVariant& value)
{
    bool ok = false;
    const double n = value.toString().trimmed().toDouble(&ok);
    return ok && n == 1;
}

} // namespace

DlgTKSZ::DlgTKSZ()
{
    setWindowTitle(QStringLiteral("退款设置"));
    setClientSizeTwips(4800, 2400);
    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(40, 40));
    Twips::place(Image1, 240, 360, 720, 720);
    Frame1 = new QGroupBox(QStringLiteral("退款设置"), this);
    Twips::place(Frame1, 1080, 180, 3480, 1260);
    OptAllowRefundment = new QRadioButton(QStringLiteral("允许结帐后退款"), Frame1);
    Twips::place(OptAllowRefundment, 240, 360, 2800, 330);
    OptDisAllowRefundment = new QRadioButton(QStringLiteral("不允许结帐后退款"), Frame1);
    Twips::place(OptDisAllowRefundment, 240, 780, 2800, 330);
    cmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    Twips::place(cmdOK, 1560, 1740, 1320, 420);
    cmdCannel = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(cmdCannel, 3120, 1740, 1320, 420);
    cmdOK->setAutoDefault(false);
    cmdCannel->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &DlgTKSZ::cmdOK_Click);
    connect(cmdCannel, &QPushButton::clicked, this, &DlgTKSZ::cmdCannel_Click);
}

void DlgTKSZ::Form_Load()
{
    using namespace Module1;
    RunDbAction([&] {
        SharedRecordset2 = Recordset();
        SharedRecordset2.openTable(QStringLiteral("SYSXTCS"), QStringLiteral("WHERE XTCS_NAME = 'AllowRefundment'"));
        if (!SharedRecordset2.empty()) {
            RefundAllowed = allowsRefund(SharedRecordset2.field(QStringLiteral("XTCS_VALUE")));
        } else {
            // Opening the window leaves the row present, also when it is cancelled.
            SharedRecordset2.AddNew();
            SharedRecordset2.setField(QStringLiteral("XTCS_VALUE"), QStringLiteral("0"));
            SharedRecordset2.setField(QStringLiteral("XTCS_MS"), QStringLiteral("允许结帐后退款"));
            SharedRecordset2.setField(QStringLiteral("XTCS_NAME"), QStringLiteral("AllowRefundment"));
            SharedRecordset2.Update();
            RefundAllowed = false;
        }
    });
    (RefundAllowed ? OptAllowRefundment : OptDisAllowRefundment)->setChecked(true);
}

void DlgTKSZ::cmdOK_Click()
{
    using namespace Module1;
    const bool allow = OptAllowRefundment->isChecked();
    const QString value = allow ? QStringLiteral("1") : QStringLiteral("0");
    // The chosen value is always written, so the stored switch and the flag
    // agree with what "设置成功" reports.
    const bool saved = RunDbAction([&] {
        Transaction tx;
        if (Db::exec(QStringLiteral("UPDATE SYSXTCS SET XTCS_VALUE = ? WHERE XTCS_NAME = 'AllowRefundment'"), {value}) == 0)
            Db::exec(QStringLiteral("INSERT INTO SYSXTCS (XTCS_VALUE, XTCS_MS, XTCS_NAME) VALUES (?, '允许结帐后退款', 'AllowRefundment')"),
                     {value});
        tx.commit();
    });
    if (!saved)
        return;
    RefundAllowed = allow;
    MsgBox(QStringLiteral("设置成功"), Msg::OKOnly);
    Unload();
}

void DlgTKSZ::cmdCannel_Click()
{
    Unload();
}
