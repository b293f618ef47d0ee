#include "ordering/FrmKTXX.h"

#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "frontdesk/FrmSYGL.h"
#include "ordering/FrmDCKT.h"
#include "ordering/OrderingData.h"
#include "platform/Seams.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmKTXX);

namespace {

const QString Occupied = QStringLiteral("房台已被占用，请清台后再开台");

// Two seatings never share an opening second: a second already taken, by
// another table opened in it or by another till, passes to the next one.
QDateTime freeSecond(QDateTime at)
{
    while (Db::scalar(QStringLiteral("select 1 from use_table_200505 where use_table_id = ? or start_date = ? limit 1"),
                      {DateTimeText::toId(at), DateTimeText::format(at)})
               .isValid())
        at = at.addSecs(1);
    return at;
}

} // namespace

FrmKTXX::FrmKTXX() : SeatingForm(QStringLiteral("开台信息"), QStringLiteral("开台(&S)"))
{
    defaultButton = Command1;
    cancelButton = Command2;
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void FrmKTXX::Form_Load()
{
    m_tableId = Forms::get<FrmSYGL>().current(FrmSYGL::ColTableId);
    // The clock is read once: the seating number and the open time are the same second.
    const QDateTime now = Clock::now();
    m_shownAt = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    TxtXTBH->setText(DateTimeText::toId(m_shownAt));
    TxtKTSJ->setText(DateTimeText::format(m_shownAt));
    CmbBC->setCurrentIndex(0);
    TxtJCRS->setText(QStringLiteral("1"));
    RunLoadRead(*this, [&] {
        if (const auto table = Ordering::tableRow(m_tableId)) {
            TxtFTMC->setText(table->name);
            TxtSSBM->setText(table->typeName);
        }
        fillEmployees();
    });
    CmbFWY->setCurrentIndex(CmbFWY->count() > 0 ? 0 : -1);
    CmbDCY->setCurrentIndex(CmbDCY->count() > 0 ? 0 : -1);
}

void FrmKTXX::Command2_Click()
{
    Unload();
}

void FrmKTXX::Command1_Click()
{
    const QString title = QStringLiteral("提示");
    bool occupied = false;
    if (!RunDbAction([&] { occupied = Ordering::tableHasSeating(m_tableId); }))
        return;
    if (occupied) {
        MsgBox(Occupied, Msg::Exclamation, title);
        return;
    }
    if (!checkFields())
        return;

    const QString waiter = CmbFWY->currentText();
    const QString taker = CmbDCY->currentText();
    QString refusal;
    QString seatingId;
    Ordering::SeatingSeen seen;
    const bool written = RunDbAction([&] {
        Transaction tx;
        // Decided again under the write lock: another till may have opened
        // the table since the check above.
        if (Ordering::tableHasSeating(m_tableId)) {
            refusal = Occupied;
            return;
        }
        if (!Db::scalar(QStringLiteral("select 1 from house_table where table_id = ?"), {m_tableId}).isValid()) {
            refusal = QStringLiteral("找不到该房台，请关闭窗口后在房台列表中重新选择。");
            return;
        }
        const QDateTime at = freeSecond(m_shownAt);
        const QString id = DateTimeText::toId(at);
        Db::exec(QStringLiteral("update house_table set othersts = 'A' where table_id = ?"), {m_tableId});
        Db::exec(QStringLiteral("insert into use_table_200505 (acc_date, cust_code, cust_name, house_class, "
                                "house_table_id, memo, serv_code, serv_name, start_date, strink_def, strink_num, "
                                "sts, use_table_id, use_table_man_id, man_type) "
                                "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'A', ?, '', '01')"),
                 {id.left(8), Ordering::employeeCode(taker), taker, Ordering::storedText(TxtSSBM->text()), m_tableId,
                  Ordering::storedText(TxtBZ->text()), Ordering::employeeCode(waiter), waiter,
                  DateTimeText::format(at), Ordering::storedText(CmbBC->currentText()), diners(), id});
        seen = Ordering::seeSeating(id);
        tx.commit();
        seatingId = id;
    });
    if (!refusal.isEmpty()) {
        MsgBox(refusal, Msg::Exclamation, title);
        return;
    }
    if (!written)
        return;

    Module1::TableOpened = true;
    TxtXTBH->setText(seatingId);
    if (FrmDCKT* w = FrmDCKT::ifOpen()) {
        w->TxtXTBH->setText(seatingId);
        w->TxtFTMC->setText(TxtFTMC->text());
        w->TxtSSBM->setText(TxtSSBM->text());
        w->TxtFWY->setText(waiter);
        w->TxtDCY->setText(taker);
        w->KTXQ->setEnabled(true);
        w->m_SeatingSeen = seen;
    }
    Unload();
    MsgBox(QStringLiteral("开台完成!"), Msg::Information);
    if (FrmDCKT* w = FrmDCKT::ifOpen()) {
        w->Toolbar1->setButtonEnabled(FrmDCKT::BtnOpen, false);
        w->Toolbar1->setButtonEnabled(FrmDCKT::BtnPlace, true);
        w->Toolbar1->setButtonEnabled(FrmDCKT::BtnReturnFree, true);
    }
    if (Forms::isLoaded<FrmSYGL>())
        Forms::get<FrmSYGL>().ListView1Detail();
}
