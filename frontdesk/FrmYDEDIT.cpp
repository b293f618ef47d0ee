#include "frontdesk/FrmYDEDIT.h"

#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "frontdesk/FrmYDGL.h"
#include "platform/Seams.h"

TABULOR_REGISTER_FORM(FrmYDEDIT);

FrmYDEDIT::FrmYDEDIT() : ReservationDialog(QStringLiteral("保存(&S)"))
{
    setWindowTitle(QStringLiteral("预定休息修改"));
    // Esc does not close this dialog.
    connect(CmdYD, &QPushButton::clicked, this, &FrmYDEDIT::CmdYD_Click);
    connect(CmdXZ, &QPushButton::clicked, this, &FrmYDEDIT::CmdXZ_Click);
}

void FrmYDEDIT::Form_Load()
{
    const FrmYDGL& manager = Forms::get<FrmYDGL>();
    const ListView* list = manager.ListView1;
    const int row = list->selectedRow();
    if (row < 0)
        return;
    m_id = manager.selectedReservationId();
    TxtYDR->setText(list->text(row));
    TxtLXDH->setText(list->subItem(row, 5));
    TxtDJSJ->setText(list->subItem(row, 1));
    const QString shift = list->subItem(row, 3);
    if (Combo1->findText(shift) < 0)
        Combo1->addItem(shift);   // an unlisted stored shift is kept as it is
    Combo1->setCurrentIndex(Combo1->findText(shift));
    TxtDCRS->setText(list->subItem(row, 4));
    // The meal-time cell is the date, a blank and the time; a meal time
    // without a time part is midnight.
    const QString meal = list->subItem(row, 2);
    const int blank = meal.indexOf(u' ');
    const QDate date = QDate::fromString(blank < 0 ? meal : meal.left(blank), DateTimeText::DateFormat);
    if (date.isValid())
        DTPicker1->setDate(date);
    QTime time(0, 0);
    if (blank >= 0) {
        const QString t = meal.mid(blank + 1).trimmed();
        time = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(t, QStringLiteral("HH:mm"));
        if (!time.isValid())
            time = QTime(0, 0);
    }
    DTPicker2->setTime(time);
    TxtYJ->setText(list->subItem(row, 6));
    TxtBZ->setText(list->subItem(row, 10));
}

void FrmYDEDIT::CmdYD_Click()
{
    if (!checkRequired() || !checkNumbers())
        return;
    const Values v = values();
    const QDateTime now = Clock::now();
    bool saved = false;
    // The table, its type and its mark stay as they were.
    RunDbAction([&] {
        // Read and changed under one lock: a reservation cancelled on another
        // till meanwhile is not reported as saved.
        Transaction tx;
        Recordset rs;
        rs.openTable(QStringLiteral("pre_strink"), QStringLiteral("where reservation_id = ?"), {m_id});
        if (rs.isEOF())
            throw DbError(QStringLiteral("该预定已不存在!"));
        rs.setField(QStringLiteral("endtime"), v.mealTime);
        rs.setField(QStringLiteral("pre_strink_id"), 1);
        rs.setField(QStringLiteral("pre_man"), v.booker);
        rs.setField(QStringLiteral("pre_man_num"), v.guests);
        rs.setField(QStringLiteral("fbz"), v.remark);
        rs.setField(QStringLiteral("phone"), v.phone);
        rs.setField(QStringLiteral("fbc"), v.shift);
        rs.setField(QStringLiteral("pre_date"), DateTimeText::format(now));
        rs.setField(QStringLiteral("paymoney"), v.deposit.toVariant());
        rs.setField(QStringLiteral("serials"), DateTimeText::toId(now));
        rs.Update();
        tx.commit();
        saved = true;
    });
    if (!saved)
        return;
    Unload();
    Forms::get<FrmYDGL>().ListView1Detail();
    MsgBox(QStringLiteral("保存成功!"), Msg::Information, QStringLiteral("提示"));
}

void FrmYDEDIT::CmdXZ_Click()
{
    Unload();
}
