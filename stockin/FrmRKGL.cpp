#include "stockin/FrmRKGL.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/StockPosting.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RecordBlocks.h"
#include "stockin/StockInDialogs.h"

TABULOR_REGISTER_FORM(FrmRKGL);

namespace {

const QString Hint = QStringLiteral("提示");
const QString Saved = QStringLiteral("保存成功!");

} // namespace

FrmRKGL::FrmRKGL()
    : StockBillWindow({QStringLiteral("入库管理"), QStringLiteral("入库单"), QStringLiteral("入库明细"),
                       QStringLiteral("入库(&A)"), QStringLiteral("stock_in_bill"), QStringLiteral("stock_in_date"),
                       {{"入库单号", 1400, "stock_bill_id", BillRows::Text},
                        {"单据张数", 0, "bill_num", BillRows::Number},
                        {"供货单位", 1500, "repr_name", BillRows::Text},
                        {"入库日期", 1500, "stock_in_date", BillRows::Day},
                        {"采购员", 900, "buy_man_name", BillRows::Text},
                        {"支付方式", 900, "pay_style", BillRows::Text},
                        {"验收人", 900, "in_man_name", BillRows::Text},
                        {"存放仓库", 900, "ckh", BillRows::Text},
                        {"备注", 1500, "demo", BillRows::Text}},
                       QStringLiteral("FrmRKDADD"), QStringLiteral("FrmRKDEDIT"), QStringLiteral("FrmRKDQUERY"),
                       QStringLiteral("FrmRKMXADD"), QStringLiteral("FrmRKMXEDIT"), Saved,
                       QStringLiteral("同类商品不可在同一个入库单内出现两次!"), QString()})
{
    Command3 = new QPushButton(QStringLiteral("删除明细(&D)"), Frame2);
    Twips::place(Command3, 8760, 1440, 1290, 420);
    Command3->setAutoDefault(false);
    Command3->setVisible(false);
    Image1 = new QLabel(Frame2);
    Twips::place(Image1, 8940, 2280, 960, 960);
    Image1->setPixmap(Pictures::badge(QStringLiteral("入"), QColor(40, 120, 200), Twips::toPixels(960)));
}

// ---- bills ----------------------------------------------------------------------

void FrmRKGL::ListView2Save()
{
    FrmRKDADD* dialog = openDialog<FrmRKDADD>("FrmRKDADD");
    if (!dialog)
        return;
    const StockPosting::InBill bill = dialog->bill();
    bool added = false;
    if (!RunDbAction([&] {
            Transaction t;
            added = StockPosting::addInBill(bill);
            t.commit();
        }))
        return;
    if (!added) {
        // The number was taken meanwhile (a dish return booked in the same
        // second): the dialog goes, and a new one takes a new number.
        MsgBox(QStringLiteral("错误的编号!"), Msg::Information, Hint);
        dialog->Unload();
        return;
    }
    dialog->Unload();
    ListView2Detail();
    MsgBox(Saved, Msg::Information, Hint);
}

void FrmRKGL::listview2edit()
{
    FrmRKDEDIT* dialog = openDialog<FrmRKDEDIT>("FrmRKDEDIT");
    if (!dialog || !dialog->storedBill())
        return;
    const StockPosting::InBill bill = dialog->bill();
    const StockPosting::InBill opened = *dialog->storedBill();
    bool found = false;
    if (!RunDbAction([&] {
            Transaction t;
            const auto now = StockPosting::storedInBill(bill.stock_bill_id);
            if (!now)
                return;
            if (!(*now == opened))
                throw DbError(DbError::Changed,
                              QStringLiteral("入库单%1已在另一台收银机上被修改，修改没有保存。").arg(bill.stock_bill_id));
            StockPosting::rewriteInBill(bill);
            t.commit();
            found = true;
        }))
        return;
    if (!found)
        return;   // the bill is gone: nothing to write, the dialog stays
    dialog->Unload();
    ListView2Detail();
    MsgBox(Saved, Msg::Information, Hint);
}

void FrmRKGL::ListView2Query()
{
    if (FrmRKDQUERY* dialog = openDialog<FrmRKDQUERY>("FrmRKDQUERY"))
        queryBills(dialog->Date1->date(), dialog->Date2->date(), *dialog);
}

void FrmRKGL::PrintStockInBill()
{
    if (ListView1->count() == 0) {
        MsgBox(QStringLiteral("明细为空不可打印！"), Msg::Information, Hint);
        return;
    }
    RecordBlockOptions options;
    options.start = true;
    PrintRecordBlocks(*ListView1, QStringLiteral("        入库单"), 32,
                      {{QStringLiteral("商品名称：    "), 2},
                       {QStringLiteral("规    格：    "), 3},
                       {QStringLiteral("批    号：    "), 4},
                       {QStringLiteral("件装数量：    "), 5},
                       {QStringLiteral("过期时间：    "), 6},
                       {QStringLiteral("生 产 商：    "), 7},
                       {QStringLiteral("单    位：    "), 8},
                       {QStringLiteral("数    量：    "), 9},
                       {QStringLiteral("单    价：    "), 10},
                       {QStringLiteral("金    额：    "), 11}},
                      options);
}

// ---- lines ----------------------------------------------------------------------

void FrmRKGL::ListView1Init()
{
    lineListInit({{"商品编码", 900}, {"商品名称", 1000}, {"规格", 900}, {"批次号", 900}, {"件装数量", 1000},
                  {"过期时间", 1300}, {"生产商", 1300}, {"单位", 700}, {"数量", 700}, {"单价", 700}, {"金额", 700}});
}

void FrmRKGL::ListView1Detail()
{
    // The goods record gives the name, specification and unit as they are now.
    listLines(QStringLiteral("SELECT l.code, g.code AS goods, g.bran_name, g.type, l.pch, l.jzsl, l.gqsj, l.scs, g.unit,"
                             " l.num, l.price, l.je FROM rkgl2004 l LEFT JOIN brand g ON g.code = l.code"
                             " WHERE l.stock_bill_id = ? ORDER BY l.rowid"),
              [this](int row, const Recordset& line) {
                  const char* texts[] = {"bran_name", "type", "pch", "jzsl", "gqsj", "scs", "unit"};
                  for (int c = 0; c < 7; ++c)
                      ListView1->setSubItem(row, c + 1, StockText::shown(line.field(QString::fromLatin1(texts[c]))));
                  const char* numbers[] = {"num", "price", "je"};
                  for (int c = 0; c < 3; ++c)
                      ListView1->setSubItem(row, c + 8, StockText::shownNumber(line.field(QString::fromLatin1(numbers[c]))));
              });
}

void FrmRKGL::ListView1Save()
{
    FrmRKMXADD* dialog = openDialog<FrmRKMXADD>("FrmRKMXADD");
    if (!dialog)
        return;
    const StockPosting::InLine line = dialog->line(currentBill());
    saveLine(*dialog, [&] { return StockPosting::addStockInLine(line); });
}

void FrmRKGL::ListView1Edit()
{
    FrmRKMXEDIT* dialog = openDialog<FrmRKMXEDIT>("FrmRKMXEDIT");
    if (!dialog)
        return;
    const StockPosting::InLine line = dialog->line(currentBill());
    saveLine(*dialog, [&] { return StockPosting::editStockInLine(line); });
}
