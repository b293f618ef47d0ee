#include "ordering/FrmSFHZ.h"

#include <QHeaderView>
#include "db/Database.h"
#include "db/Money.h"
#include "ordering/FrmDCKT.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmSFHZ);

FrmSFHZ::FrmSFHZ()
{
    setWindowTitle(QStringLiteral("收费汇总"));
    setClientSizeTwips(6300, 4500);
    setFixedSize(size());
    DataGrid1 = new QTableWidget(this);
    Twips::place(DataGrid1, 120, 120, 6060, 3540);
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->verticalHeader()->setDefaultSectionSize(Twips::toPixels(330));
    Command1 = new QPushButton(QStringLiteral("确定(&E)"), this);
    Twips::place(Command1, 4980, 3840, 1200, 420);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void FrmSFHZ::Form_Load()
{
    const QStringList headers = {QStringLiteral("菜品名称"), QStringLiteral("单价"), QStringLiteral("数量"),
                                 QStringLiteral("金额")};
    DataGrid1->setColumnCount(headers.size());
    DataGrid1->setHorizontalHeaderLabels(headers);
    DataGrid1->setColumnWidth(0, Twips::toPixels(1600));
    DataGrid1->setColumnWidth(1, Twips::toPixels(1200));
    DataGrid1->setColumnWidth(2, Twips::toPixels(1200));
    FrmDCKT* owner = FrmDCKT::ifOpen();
    const QString seatingId = owner ? owner->TxtXTBH->text() : QString();
    RunDbAction([&] {
        // Ordered and returned lines only (kinds below "2"), at the price
        // each line was ordered at, which is what the guest is billed (a
        // market-price dish, a menu price changed since); a dish returned
        // in full drops out.
        Recordset& rs = Module1::SharedRecordset2;
        rs = Recordset();
        rs.open(QStringLiteral(
            "select d.cpname as 菜品名称, s.price as 单价, sum(s.food_num) as 数量 "
            "from strink_mess_200505 s inner join cpdetail d on s.food_code = d.code "
            "where s.sts < '2' and s.use_table_id = ? "
            "group by d.cpname, s.price, d.cp_classid having sum(s.food_num) > 0 "
            "order by d.cp_classid, min(s.rowid)"),
            {seatingId});
        DataGrid1->setRowCount(rs.RecordCount());
        int row = 0;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext(), ++row) {
            const QVariant name = rs.field(0);
            const Money price = Money::fromVariant(rs.field(1));
            const Money quantity = Money::fromVariant(rs.field(2));
            const QString cells[] = {name.isNull() ? QString() : name.toString(),
                                     rs.field(1).isNull() ? QString() : price.plain(), quantity.plain(),
                                     price.times(quantity).plain()};
            for (int c = 0; c < 4; ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (c > 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                DataGrid1->setItem(row, c, item);
            }
        }
    });
}

void FrmSFHZ::Command1_Click()
{
    Unload();
}
