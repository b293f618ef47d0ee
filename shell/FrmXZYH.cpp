#include "shell/FrmXZYH.h"

#include "db/Database.h"
#include "db/LikePattern.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Twips.h"
#include "shell/FrmZJYH.h"

TABULOR_REGISTER_FORM(FrmXZYH);

FrmXZYH::FrmXZYH()
{
    setWindowTitle(QStringLiteral("选择用户"));
    setClientSizeTwips(4560, 4800);

    Label1 = new QLabel(QStringLiteral("输入编码或名称"), this);
    Twips::place(Label1, 120, 180, 1400, 300);
    Text1 = new QLineEdit(this);
    MaxLengthFilter(Text1, 8);
    Twips::place(Text1, 1560, 120, 1560, 345);
    Command1 = new QPushButton(QStringLiteral("查询(&C)"), this);
    Twips::place(Command1, 3240, 105, 1080, 375);

    ListView1 = new ListView(this);
    Twips::place(ListView1, 120, 600, 4320, 3480);

    Command2 = new QPushButton(QStringLiteral("选择(&S)"), this);
    Twips::place(Command2, 1320, 4230, 1320, 420);
    Command3 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command3, 2880, 4230, 1320, 420);
    // No default button; Esc takes the selected row.
    Command2->setAutoDefault(false);
    Command3->setAutoDefault(false);
    Command1->setAutoDefault(false);
    cancelButton = Command2;

    connect(Command1, &QPushButton::clicked, this, &FrmXZYH::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmXZYH::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmXZYH::Command3_Click);
    connect(ListView1, &ListView::itemDoubleClick, this, [this](int) { ListView1_DblClick(); });
}

void FrmXZYH::Form_Load()
{
    EmployeePickerInit();
    EmployeePickerLoad();
}

void FrmXZYH::EmployeePickerInit()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    ListView1->addColumn(QStringLiteral("编　　码"), 1500);
    ListView1->addColumn(QStringLiteral("名　　称"), 2000, Qt::AlignHCenter);
}

void FrmXZYH::EmployeePickerLoad(const QString& searchText)
{
    ListView1->clear();
    RunDbAction([&] {
        Recordset rows;
        if (searchText.isEmpty()) {
            rows.open(QStringLiteral("select code, name from cust where use_type = '1' order by rowid"));
        } else {
            // The text is a prefix as typed: "%" and "_" are plain characters.
            const QString pattern = LikePattern::prefix(searchText);
            rows.open(QStringLiteral("select code, name from cust where (code like ? escape '\\' or name like ? escape '\\')"
                                     " and use_type = '1' order by rowid"),
                      {pattern, pattern});
        }
        for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
            const int row = ListView1->add(rows.field(0).toString());
            ListView1->setSubItem(row, 1, rows.field(1).toString());
        }
    });
}

void FrmXZYH::Command1_Click()
{
    EmployeePickerLoad(Text1->text());
}

void FrmXZYH::Command2_Click()
{
    // With no row selected there is nothing to take; the picker just closes.
    const int row = ListView1->selectedRow();
    if (row >= 0) {
        if (Form* owner = Forms::find(QStringLiteral("FrmZJYH"))) {
            auto* add = static_cast<FrmZJYH*>(owner);
            add->Text4->setText(ListView1->text(row));
            add->Text1->setText(ListView1->subItem(row, 1));
        }
    }
    Unload();
}

void FrmXZYH::ListView1_DblClick()
{
    Command2_Click();
}

void FrmXZYH::Command3_Click()
{
    Unload();
}
