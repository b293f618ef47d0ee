#include "ordering/FrmKTXQ.h"

#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "frontdesk/FrmSYGL.h"
#include "ordering/FrmDCKT.h"
#include "ordering/OrderingData.h"
#include "platform/Seams.h"

TABULOR_REGISTER_FORM(FrmKTXQ);

namespace {

// Selects the first entry equal to text, or none.
void selectEqual(QComboBox* list, const QString& text)
{
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace

FrmKTXQ::FrmKTXQ() : SeatingForm(QStringLiteral("开台详情"), QStringLiteral("保存(&S)"))
{
    // Neither button answers Enter or Esc.
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void FrmKTXQ::Form_Load()
{
    FrmDCKT* owner = FrmDCKT::ifOpen();
    if (!owner)
        return;
    const QString id = owner->TxtXTBH->text();
    RunLoadRead(*this, [&] {
        fillEmployees();
        Recordset seating;
        seating.open(QStringLiteral("select * from use_table_200505 where use_table_id = ? order by rowid limit 1"), {id});
        selectEqual(CmbDCY, owner->TxtDCY->text());
        selectEqual(CmbFWY, owner->TxtFWY->text());
        TxtFTMC->setText(owner->TxtFTMC->text());
        TxtSSBM->setText(owner->TxtSSBM->text());
        if (seating.empty()) {
            CmbBC->setCurrentIndex(-1);
            return;
        }
        TxtXTBH->setText(seating.text(QStringLiteral("use_table_id")));
        const QDateTime start = DateTimeText::fromVariant(seating.field(QStringLiteral("start_date")));
        TxtKTSJ->setText(start.isValid() ? DateTimeText::format(start) : seating.text(QStringLiteral("start_date")));
        const QVariant shift = seating.field(QStringLiteral("strink_def"));
        selectEqual(CmbBC, shift.isNull() ? QString() : shift.toString());
        const QVariant diners = seating.field(QStringLiteral("strink_num"));
        TxtJCRS->setText(diners.isNull() ? QString() : Money::fromVariant(diners).plain());
        const QVariant memo = seating.field(QStringLiteral("memo"));
        TxtBZ->setText(memo.isNull() ? QString() : memo.toString());
    });
}

void FrmKTXQ::Command2_Click()
{
    Unload();
}

void FrmKTXQ::Command1_Click()
{
    if (!checkFields())
        return;
    const QString id = TxtXTBH->text();
    const QString waiter = CmbFWY->currentText();
    const QString taker = CmbDCY->currentText();
    bool missing = false;
    const bool saved = RunDbAction([&] {
        Transaction tx;
        // Only a seating still at its table: one cleared on another till
        // (state P) is closed, and its details stay as they were.
        if (!Db::scalar(QStringLiteral("select 1 from use_table_200505 where use_table_id = ? and sts <> 'P'"), {id})
                 .isValid()) {
            missing = true;
            return;
        }
        // An unknown stored shift shows no entry and is saved empty.
        Db::exec(QStringLiteral("update use_table_200505 set cust_code = ?, cust_name = ?, memo = ?, serv_code = ?, "
                                "serv_name = ?, strink_def = ?, strink_num = ? where use_table_id = ?"),
                 {Ordering::employeeCode(taker), taker, Ordering::storedText(TxtBZ->text()),
                  Ordering::employeeCode(waiter), waiter, Ordering::storedText(CmbBC->currentText()), diners(), id});
        tx.commit();
    });
    if (missing) {
        MsgBox(QStringLiteral("找不到这次开台的记录（可能已被并台或清除），没有保存。"), Msg::Exclamation,
               QStringLiteral("提示"));
        return;
    }
    if (!saved)
        return;
    if (FrmDCKT* w = FrmDCKT::ifOpen()) {
        w->TxtXTBH->setText(TxtXTBH->text());
        w->TxtFTMC->setText(TxtFTMC->text());
        w->TxtSSBM->setText(TxtSSBM->text());
        w->TxtFWY->setText(waiter);
        w->TxtDCY->setText(taker);
    }
    if (Forms::isLoaded<FrmSYGL>())
        Forms::get<FrmSYGL>().ListView1Detail();
    Unload();
    MsgBox(QStringLiteral("保存成功!"), Msg::Information, QStringLiteral("提示"));
}
