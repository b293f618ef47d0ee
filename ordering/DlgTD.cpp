#include "ordering/DlgTD.h"

#include <QRegularExpression>
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/StockPosting.h"
#include "ordering/FrmDCKT.h"
#include "ordering/OrderingData.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(DlgTD);

namespace {

const QString Wrong = QStringLiteral("退单数量输入不正确！");

// What is still ordered of a dish on a seating: its stored lines, ordered
// minus returned, free lines not counted.
Money stillOrdered(const QString& seatingId, const QString& dishCode)
{
    return Money::fromVariant(Db::scalar(QStringLiteral("select total(food_num) from strink_mess_200505 "
                                                        "where use_table_id = ? and food_code = ? and sts <> '2'"),
                                         {seatingId, dishCode}));
}

} // namespace

DlgTD::DlgTD()
{
    setWindowTitle(QStringLiteral("退单"));
    setClientSizeTwips(4560, 4200);
    setFixedSize(size());

    Frame1 = new QGroupBox(QStringLiteral("菜单信息"), this);
    Twips::place(Frame1, 120, 60, 4320, 1620);
    Frame2 = new QGroupBox(QStringLiteral("退单信息"), this);
    Twips::place(Frame2, 120, 1740, 4320, 1200);
    const char* labels[] = {"菜单编码:", "菜单名称:", "已点菜数量:", "退单数量:", "退单原因:"};
    for (int i = 0; i < 5; ++i) {
        QGroupBox* frame = i < 3 ? Frame1 : Frame2;
        const int top = 300 + (i < 3 ? i : i - 3) * 420;
        Label1[i] = new QLabel(QString::fromUtf8(labels[i]), frame);
        Twips::place(Label1[i], 120, top + 30, 1200, 300);
        QWidget* field;
        if (i < 4) {
            Text1[i] = new QLineEdit(frame);
            field = Text1[i];
        } else {
            Combo1 = new QComboBox(frame);
            Combo1->setEditable(true);
            field = Combo1;
        }
        Twips::place(field, 1380, top, 2760, 345);
        Label1[i]->setBuddy(field);
    }
    for (int i = 0; i < 3; ++i)
        ReadOnlyKeyFilter(Text1[i]);
    MaxLengthFilter(Text1[3], 2);

    OKButton = new QPushButton(QStringLiteral("确定(&O)"), this);
    CancelButton = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(OKButton, 1800, 3180, 1200, 420);
    Twips::place(CancelButton, 3240, 3180, 1200, 420);
    for (QPushButton* b : {OKButton, CancelButton})
        b->setAutoDefault(false);   // neither is the default or the cancel button
    setTabOrder(Text1[3], Combo1);
    setTabOrder(Combo1, OKButton);
    setTabOrder(OKButton, CancelButton);
    for (QWidget* w : {static_cast<QWidget*>(Text1[3]), static_cast<QWidget*>(Combo1)})
        EnterAsTab(w);
    OnEnter(OKButton, [this] { OKButton_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void DlgTD::Form_Load()
{
    FrmDCKT* owner = FrmDCKT::ifOpen();
    m_row = owner ? owner->ListView1->selectedRow() : -1;
    if (m_row < 0)
        return;
    const QString code = owner->lineDishCode(m_row);
    const QString seatingId = owner->TxtXTBH->text();
    RunDbAction([&] {
        // The dish by the line's own code: a dish renamed since keeps its code.
        Recordset dish;
        dish.open(QStringLiteral("select code from cpdetail where code = ? order by rowid limit 1"), {code});
        if (dish.empty())
            return;
        Text1[0]->setText(dish.field(QStringLiteral("code")).toString());
        Text1[1]->setText(owner->ListView1->subItem(m_row, FrmDCKT::ColName));
        const QString ordered = stillOrdered(seatingId, Text1[0]->text()).plain();
        Text1[2]->setText(ordered);
        Text1[3]->setText(ordered);   // by default all that is still ordered
        Recordset reasons;
        reasons.open(QStringLiteral("select content from sysmcwh where class = 'TDYY' order by rowid"));
        for (reasons.MoveFirst(); !reasons.isEOF(); reasons.MoveNext())
            Combo1->addItem(reasons.text(QStringLiteral("content")));
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(QString());
    });
    Text1[3]->setFocus();
    Text1[3]->selectAll();
}

void DlgTD::CancelButton_Click()
{
    Unload();
}

void DlgTD::OKButton_Click()
{
    const QString typed = Text1[3]->text().trimmed();
    if (typed.isEmpty()) {
        MsgBox(QStringLiteral("请输入退单数量！"), Msg::Exclamation);
        return;
    }
    // A whole number from 1 to what is still ordered.
    static const QRegularExpression whole(QStringLiteral("^[0-9]+$"));
    const Money ordered = Money::parse(Text1[2]->text());
    const Money quantity = Money::parse(typed);
    if (!whole.match(typed).hasMatch() || quantity <= Money() || quantity > ordered) {
        MsgBox(Wrong, Msg::Exclamation);
        return;
    }
    FrmDCKT* owner = FrmDCKT::ifOpen();
    if (!owner || m_row < 0 || m_row >= owner->ListView1->count())
        return;
    ListView* lines = owner->ListView1;
    const QString reason = Combo1->currentText();
    Ordering::StoredLine line;
    const Ordering::SeatingSeen seen = owner->m_SeatingSeen;
    line.seatingId = seen.seatingId;
    line.dishCode = Text1[0]->text();
    line.dishName = Text1[1]->text();
    line.unit = lines->subItem(m_row, FrmDCKT::ColUnit);
    line.quantity = -quantity;
    line.price = Money::parse(lines->subItem(m_row, FrmDCKT::ColPrice));
    line.dept = lines->subItem(m_row, FrmDCKT::ColDept);
    line.kind = Ordering::KindReturned;
    line.state = 0;
    line.memo = reason;
    QString refusal, changed;
    const bool stored = RunDbAction([&] {
        Transaction tx;
        changed = Ordering::seatingChange(seen);
        if (!changed.isEmpty())
            return;
        // Decided again on what is stored now: another till may have returned some.
        if (stillOrdered(line.seatingId, line.dishCode) < quantity) {
            refusal = Wrong;
            return;
        }
        line.fsxh = Ordering::nextLineNumber(line.seatingId);
        Ordering::insertLine(line);
        Recordset dish;
        dish.open(QStringLiteral("select cp_spgl from cpdetail where code = ? order by rowid limit 1"), {line.dishCode});
        if (!dish.empty() && !dish.text(QStringLiteral("cp_spgl")).isEmpty())
            StockPosting::bookReturn(dish.field(QStringLiteral("cp_spgl")).toString(), quantity, line.price, reason,
                                     {Module1::OperatorId, Module1::OperatorCode});
        tx.commit();
    });
    if (!changed.isEmpty()) {
        MsgBox(changed, Msg::Exclamation, QStringLiteral("提示"));
        return;
    }
    if (!refusal.isEmpty()) {
        MsgBox(refusal, Msg::Exclamation);
        return;
    }
    if (!stored)
        return;
    owner->appendLine({line.dishName.trimmed(), line.unit, line.quantity.plain(), lines->subItem(m_row, FrmDCKT::ColPrice),
                       line.price.times(line.quantity).plain(), line.dept, Ordering::NotServed,
                       Ordering::lineKindWord(Ordering::KindReturned), Ordering::serveStateWord(0), reason},
                      line.dishCode, line.fsxh);
    owner->ShowRunningTotal();
    Unload();
}
