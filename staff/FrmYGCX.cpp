#include "staff/FrmYGCX.h"

#include <QLabel>
#include <QStyle>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/LikePattern.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Pickers.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "staff/FrmYGDA.h"

TABULOR_REGISTER_FORM(FrmYGCX);

FrmYGCX::FrmYGCX()
{
    setWindowTitle(QStringLiteral("员工查询"));
    setClientSizeTwips(5280, 2820);

    const char* options[] = {"编码", "姓名", "入职时间"};
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(QString::fromUtf8(options[i]), this);
        Twips::place(Option1[i], 240 + i * 1620, 180, 1440, 300);
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }

    auto label = [this](const char* text, int left, int top, int width) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        Twips::place(l, left, top + 45, width, 270);
    };
    label("编码", 240, 660, 900);
    Text1 = new QLineEdit(this);
    MaxLengthFilter(Text1, 8);
    Twips::place(Text1, 1200, 660, 1560, 330);
    label("姓名", 2940, 660, 540);
    Text2 = new QLineEdit(this);
    MaxLengthFilter(Text2, 8);
    Twips::place(Text2, 3480, 660, 1560, 330);

    label("入职时间", 240, 1140, 960);
    DTPicker1 = new DatePicker(this);
    Twips::place(DTPicker1, 1200, 1140, 1680, 330);
    label("至", 3000, 1140, 300);
    DTPicker2 = new DatePicker(this);
    Twips::place(DTPicker2, 3360, 1140, 1680, 330);
    for (QDateEdit* d : {DTPicker1, DTPicker2}) {
        d->setDisplayFormat(DateTimeText::DateFormat);
        d->setCalendarPopup(true);
    }

    Command1 = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("查询"), this);
    Twips::place(Command1, 1620, 1920, 1320, 480);
    Command2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("返回"), this);
    Twips::place(Command2, 3240, 1920, 1320, 480);
    Command1->setDefault(true);
    defaultButton = Command1;
    cancelButton = Command2;

    connect(Command1, &QPushButton::clicked, this, &FrmYGCX::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmYGCX::Command2_Click);
}

void FrmYGCX::Form_Load()
{
    DTPicker1->setDate(Clock::today());
    DTPicker2->setDate(Clock::today());
    Option1[0]->setChecked(true);
    Option1_Click(0);
}

void FrmYGCX::Option1_Click(int index)
{
    Text1->setEnabled(index == 0);
    Text2->setEnabled(index == 1);
    DTPicker1->setEnabled(index == 2);
    DTPicker2->setEnabled(index == 2);
}

void FrmYGCX::Command1_Click()
{
    // Only employed employees; a typed "%" or "_" is a plain character.
    QString where;
    QVariantList params;
    if (Option1[0]->isChecked()) {
        where = QStringLiteral("code like ? escape '\\'");
        params << LikePattern::prefix(Text1->text());
    } else if (Option1[1]->isChecked()) {
        where = QStringLiteral("name like ? escape '\\'");
        params << LikePattern::prefix(Text2->text());
    } else {
        // Strictly after 00:00:01 of the first day, strictly before 23:59:59
        // of the last.
        where = QStringLiteral("work_date > ? and work_date < ?");
        params << DateTimeText::formatDate(DTPicker1->date()) + QStringLiteral(" 00:00:01")
               << DateTimeText::formatDate(DTPicker2->date()) + QStringLiteral(" 23:59:59");
    }
    Recordset hits;
    if (!RunDbAction([&] {
            hits.open(QStringLiteral("select code, name from cust where ") + where
                          + QStringLiteral(" and use_type = '1' order by rowid"),
                      params);
        }))
        return;
    if (hits.empty()) {
        MsgBox(QStringLiteral("没有您想要查询的记录返回"), Msg::Exclamation, QStringLiteral("提示"));
    } else if (Form* owner = Forms::find(QStringLiteral("FrmYGDA"))) {
        static_cast<FrmYGDA*>(owner)->EmployeeTreeFill(hits);
    }
    Unload();
}

void FrmYGCX::Command2_Click()
{
    Unload();
}
