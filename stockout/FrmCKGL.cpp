#include "stockout/FrmCKGL.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/StockPosting.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RecordBlocks.h"
#include "stockout/StockOutDialogs.h"

TABULOR_REGISTER_FORM(FrmCKGL);

namespace {

const QString Hint = QStringLiteral("提示");
const QString Saved = QStringLiteral("保存成功！");
const QString WrongNumber = QStringLiteral("错误的编号！");

} // namespace

FrmCKGL::FrmCKGL()
    : StockBillWindow({QStringLiteral("出库管理"), QStringLiteral("出库单"), QStringLiteral("出库明细"),
                       QStringLiteral("出库(&A)"), QStringLiteral("stock_out_bill"), QStringLiteral("stock_out_date"),
                       {{"出库单号", 1500, "stock_bill_id", BillRows::Text},
                        {"单据张数", 0, "bill_num", BillRows::Number},
                        {"提取部门", 1100, "repr_name", BillRows::Text},
                        {"出库日期", 1100, "stock_out_date", BillRows::Day},
                        {"提货人", 1100, "get_man_name", BillRows::Text},
                        {"操作员", 1100, "val_man_name", BillRows::Text},
                        {"存放仓库", 1100, "ckh", BillRows::Text},
                        {"备注", 1800, "demo", BillRows::Text}},
                       QStringLiteral("FrmCKDADD"), QStringLiteral("FrmCKDEDIT"), QStringLiteral("FrmCKDQUERY"),
                       QStringLiteral("FrmCKMXADD"), QStringLiteral("FrmCKMXEDIT"), Saved,
                       QStringLiteral("同样的商品不能在一个出库单内出现两次!"), StockShortMessage})
{
    Image1 = new QLabel(this);
    Image1->setScaledContents(true);
    Image1->setPixmap(Pictures::backdrop(QSize(700, 500), QColor(232, 240, 250), QColor(196, 214, 236)));
    Image1->lower();
    // Below the lower frame, past the window's design height.
    Label1 = StockUi::label(this, QStringLiteral("合计金额"), 6600, 10125, 960);
    TxtHJJE = new QLineEdit(this);
    Twips::place(TxtHJJE, 7560, 10080, 1800, 330);
    Form_Resize();
}

void FrmCKGL::resizeEvent(QResizeEvent* event)
{
    StockBillWindow::resizeEvent(event);
    Form_Resize();
}

void FrmCKGL::Form_Resize()
{
    Twips::place(Image1, -50, 0, Twips::width(this), Twips::height(this) - 350);
}

// ---- bills ----------------------------------------------------------------------

void FrmCKGL::ListView2Save()
{
    auto* d = openDialog<FrmCKDADD>("FrmCKDADD");
    if (!d)
        return;
    const StockPosting::OutBill bill = d->bill();
    bool added = false;
    if (!RunDbAction([&] {
            Transaction t;
            added = StockPosting::addOutBill(bill);
            t.commit();
        }))
        return;
    if (!added) {
        // The number was taken meanwhile (a sale booked in the same second);
        // the dialog stays, and only a new one takes a new number.
        MsgBox(WrongNumber, Msg::Information, Hint);
        return;
    }
    ListView2Detail();
    d->Unload();
    MsgBox(Saved, Msg::Information, Hint);
}

void FrmCKGL::listview2edit()
{
    auto* d = openDialog<FrmCKDEDIT>("FrmCKDEDIT");
    if (!d)
        return;
    const StockPosting::OutBill bill = d->bill();
    bool found = false;
    if (!RunDbAction([&] {
            Transaction t;
            const auto now = StockPosting::storedOutBill(bill.stock_bill_id);
            if (!now)
                return;
            found = true;
            if (!d->storedBill() || !(*now == *d->storedBill()))
                throw DbError(DbError::Changed,
                              QStringLiteral("出库单%1已在另一台收银机上被修改，修改没有保存。").arg(bill.stock_bill_id));
            StockPosting::rewriteOutBill(bill);
            t.commit();
        }))
        return;
    if (!found) {
        MsgBox(WrongNumber, Msg::Information, Hint);
        return;
    }
    ListView2Detail();
    d->Unload();
    MsgBox(Saved, Msg::Information, Hint);
}

void FrmCKGL::ListView2Query()
{
    if (auto* d = openDialog<FrmCKDQUERY>("FrmCKDQUERY"))
        queryBills(d->Date1->date(), d->Date2->date(), *d);
}

void FrmCKGL::PrintStockOutBill()
{
    // A bill without lines prints its title and date line.
    RecordBlockOptions options;
    options.start = true;
    PrintRecordBlocks(*ListView1, QStringLiteral("        出库单"), 32,
                      {{QStringLiteral("商品名称：    "), 2},
                       {QStringLiteral("规    格：    "), 3},
                       {QStringLiteral("单    位：    "), 4},
                       {QStringLiteral("数    量：    "), 5},
                       {QStringLiteral("单    价：    "), 6},
                       {QStringLiteral("金    额：    "), 7}},
                      options);
}

// ---- lines ----------------------------------------------------------------------

void FrmCKGL::ListView1Init()
{
    lineListInit({{"商品编码", 1000}, {"商品名称", 1000}, {"规格", 1000}, {"单位", 1000}, {"数量", 1000},
                  {"单价", 1000}, {"金额", 1000}});
}

void FrmCKGL::ListView1Detail()
{
    listLines(QStringLiteral("SELECT l.code, g.code AS goods, g.bran_name, g.type, g.unit, l.num, l.price"
                             " FROM ckgl2004 l LEFT JOIN brand g ON g.code = l.code"
                             " WHERE l.stock_bill_id = ? ORDER BY l.rowid"),
              [this](int row, const Recordset& line) {
                  const char* texts[] = {"bran_name", "type", "unit"};
                  for (int c = 0; c < 3; ++c)
                      ListView1->setSubItem(row, c + 1, StockText::shown(line.field(QString::fromLatin1(texts[c]))));
                  const QVariant num = line.field(QStringLiteral("num")), price = line.field(QStringLiteral("price"));
                  ListView1->setSubItem(row, 4, StockText::shownNumber(num));
                  ListView1->setSubItem(row, 5, StockText::shownNumber(price));
                  // The line holds no amount: quantity × price.
                  ListView1->setSubItem(row, 6, StockText::plain(Decimal::fromVariant(price).times(Decimal::fromVariant(num))));
              });
}

void FrmCKGL::ListView1Save()
{
    auto* d = openDialog<FrmCKMXADD>("FrmCKMXADD");
    if (!d)
        return;
    const StockPosting::OutLine line = d->line(currentBill());
    saveLine(*d, [&] { return StockPosting::addStockOutLine(line); });
}

void FrmCKGL::ListView1Edit()
{
    auto* d = openDialog<FrmCKMXEDIT>("FrmCKMXEDIT");
    if (!d)
        return;
    const StockPosting::OutLine line = d->line(currentBill());
    saveLine(*d, [&] { return StockPosting::editStockOutLine(line); });
}
