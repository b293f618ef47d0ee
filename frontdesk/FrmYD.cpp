#include "frontdesk/FrmYD.h"

#include <QFocusEvent>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "frontdesk/FrmYDGL.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"

TABULOR_REGISTER_FORM(FrmYD);

FrmYD::FrmYD() : ReservationDialog(QStringLiteral("预订(&S)"))
{
    setWindowTitle(QStringLiteral("预定"));
    PhoneKeyFilter(TxtDCRS);
    cancelButton = CmdXZ;
    DTPicker1->installEventFilter(this);
    connect(CmdYD, &QPushButton::clicked, this, &FrmYD::CmdYD_Click);
    connect(CmdXZ, &QPushButton::clicked, this, &FrmYD::CmdXZ_Click);
}

void FrmYD::Form_Load()
{
    const QDateTime now = Clock::now();
    TxtDJSJ->setText(DateTimeText::formatDate(now.date()));
    DTPicker1->setDate(now.date());
    DTPicker2->setTime(now.time());
    Combo1->setCurrentIndex(0);
}

void FrmYD::Form_Unload()
{
    m_closing = true;   // the date field loses the focus as the window goes
}

bool FrmYD::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DTPicker1 && event->type() == QEvent::FocusOut && !m_closing) {
        // Opening the calendar or switching to another program is no leaving.
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why != Qt::PopupFocusReason && why != Qt::ActiveWindowFocusReason)
            DTPicker1_LostFocus();
    }
    return ReservationDialog::eventFilter(watched, event);
}

bool FrmYD::checkDate()
{
    if (DTPicker1->date() >= Clock::today())
        return true;
    MsgBox(QStringLiteral("时间有误"), Msg::Exclamation, QStringLiteral("提示"));
    DTPicker1->setDate(Clock::today());
    return false;
}

void FrmYD::DTPicker1_LostFocus()
{
    checkDate();
}

void FrmYD::CmdYD_Click()
{
    if (!checkRequired())
        return;
    // Enter with the focus on the date saves without leaving the field.
    if (!checkDate()) {
        DTPicker1->setFocus();
        return;
    }
    if (!checkNumbers())
        return;
    FrmYDGL& manager = Forms::get<FrmYDGL>();
    const QString tableId = manager.TreeView1->selectedKey().mid(1);
    const Values v = values();
    const QDateTime now = Clock::now();
    bool saved = false;
    // The reservation and the table's mark are written together.
    RunDbAction([&] {
        Transaction t;
        Recordset table;
        table.openTable(QStringLiteral("house_table"), QStringLiteral("where table_id = ?"), {tableId});
        if (table.isEOF())
            throw DbError(QStringLiteral("房台不存在: ") + tableId);
        Recordset rs;
        rs.openTable(QStringLiteral("pre_strink"), QStringLiteral("where 0"));
        rs.AddNew();
        rs.setField(QStringLiteral("endtime"), v.mealTime);
        rs.setField(QStringLiteral("pre_strink_id"), 1);
        rs.setField(QStringLiteral("pre_man"), v.booker);
        rs.setField(QStringLiteral("pre_man_num"), v.guests);
        rs.setField(QStringLiteral("pre_date"), DateTimeText::format(now));
        rs.setField(QStringLiteral("fbz"), v.remark);
        rs.setField(QStringLiteral("pre_house"), tableId);
        rs.setField(QStringLiteral("phone"), v.phone);
        rs.setField(QStringLiteral("fbc"), v.shift);
        rs.setField(QStringLiteral("bmid"), table.field(QStringLiteral("house_bmid")));
        rs.setField(QStringLiteral("paymoney"), v.deposit.toVariant());
        rs.setField(QStringLiteral("serials"), DateTimeText::toId(now));
        rs.Update();
        table.setField(QStringLiteral("sts"), QStringLiteral("B"));
        table.Update();
        t.commit();
        saved = true;
    });
    if (!saved)
        return;
    Unload();
    manager.ListView1Detail();
}

void FrmYD::CmdXZ_Click()
{
    Unload();
}
