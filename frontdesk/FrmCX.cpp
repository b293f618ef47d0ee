#include "frontdesk/FrmCX.h"

#include <QPainter>
#include <QStyle>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "frontdesk/FrmYDGL.h"
#include "platform/KeyFilters.h"
#include "platform/Pickers.h"
#include "platform/PositionBesideMain.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmCX);

namespace {

const QString AllShifts = QStringLiteral("所有班次");

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* l = new QLabel(text, parent);
    Twips::place(l, left, top, width, 270);
    return l;
}

QDateEdit* datePicker(QWidget* parent)
{
    auto* d = new DatePicker(parent);
    d->setDisplayFormat(DateTimeText::DateFormat);
    d->setCalendarPopup(true);
    return d;
}

} // namespace

FrmCX::FrmCX()
{
    setWindowTitle(QStringLiteral("查询"));
    setClientSizeTwips(5850, 2070);

    Image1 = new QLabel(this);
    Twips::place(Image1, 120, 180, 600, 600);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(Twips::toPixels(600)));

    label(this, QStringLiteral("时  间"), 840, 240, 660);
    DTPicker1 = datePicker(this);
    Twips::place(DTPicker1, 1500, 180, 1800, 330);
    label(this, QStringLiteral("至"), 3420, 240, 300);
    DTPicker2 = datePicker(this);
    Twips::place(DTPicker2, 3780, 180, 1800, 330);

    label(this, QStringLiteral("预定人"), 840, 720, 660);
    Text1 = new QLineEdit(this);
    Twips::place(Text1, 1500, 660, 1440, 330);
    // As long as a booker may be entered.
    MaxLengthFilter(Text1, 5);
    label(this, QStringLiteral("班次"), 3060, 720, 600);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->addItems({AllShifts, QStringLiteral("早班"), QStringLiteral("中班"), QStringLiteral("晚班")});
    Twips::place(Combo1, 3780, 660, 1800, 330);

    CmdCX = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定"), this);
    Twips::place(CmdCX, 2700, 1380, 1260, 450);
    CmdQX = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("取消"), this);
    Twips::place(CmdQX, 4320, 1380, 1260, 450);
    CmdCX->setAutoDefault(false);
    CmdQX->setAutoDefault(false);
    defaultButton = CmdCX;
    cancelButton = CmdQX;

    setTabOrder(DTPicker1, DTPicker2);
    setTabOrder(DTPicker2, Text1);
    setTabOrder(Text1, Combo1);
    setTabOrder(Combo1, CmdCX);
    setTabOrder(CmdCX, CmdQX);
    connect(CmdCX, &QPushButton::clicked, this, &FrmCX::CmdCX_Click);
    connect(CmdQX, &QPushButton::clicked, this, &FrmCX::CmdQX_Click);
}

void FrmCX::Form_Load()
{
    PositionBesideMain(this);
    Combo1->setCurrentIndex(0);
    Combo1->setEditText(Combo1->itemText(0));
    DTPicker1->setDate(Clock::today());
    DTPicker2->setDate(Clock::today());
}

void FrmCX::CmdCX_Click()
{
    // Whole days: from the first day at 00:00:00 to the last day at 23:59:59.
    const QString from = DateTimeText::formatDate(DTPicker1->date()) + QStringLiteral(" 00:00:00");
    const QString to = DateTimeText::formatDate(DTPicker2->date()) + QStringLiteral(" 23:59:59");
    const QString shift = Combo1->currentText();
    QString where = QStringLiteral("where (endtime >= ? and endtime <= ? and pre_man = ?");
    QVariantList params{from, to, Text1->text().trimmed()};
    if (shift == AllShifts) {
        where += QStringLiteral(" and fbc like '%')");
    } else {
        where += QStringLiteral(" and fbc = ?)");
        params << shift;
    }
    FrmYDGL& manager = Forms::get<FrmYDGL>();
    manager.ListView1->clear();
    RunDbAction([&] {
        Recordset rs;
        rs.openTable(QStringLiteral("pre_strink"), where, params);
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            manager.listReservation(rs, true);
    });
    manager.selectReservationRow(0);
    Unload();
}

void FrmCX::CmdQX_Click()
{
    Unload();
}
