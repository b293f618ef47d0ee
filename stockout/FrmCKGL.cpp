#include "stockout/FrmCKGL.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/StockPosting.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RecordBlocks.h"
#include "stockout/StockOutDialogs.h"

TABULOR_REGISTER_FORM(FrmCKGL);

namespace {

const QString Hint = QStringLiteral("提示");
const QString Saved = QStringLiteral("保存成功！");
const QString WrongNumber = QStringLiteral("错误的编号！");

template <class D> D* dialog(const char* name) { return static_cast<D*>(Forms::find(QString::fromLatin1(name))); }

QString shown(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }
QString shownNumber(const QVariant& v) { return v.isNull() ? QString() : StockText::plain(Money::fromVariant(v)); }

} // namespace

FrmCKGL::FrmCKGL()
    : StockBillWindow(QStringLiteral("出库管理"), QStringLiteral("出库单"), QStringLiteral("出库明细"),
                      QStringLiteral("出库(&A)"), QStringLiteral("stock_out_bill"), QStringLiteral("stock_out_date"),
                      {{"出库单号", 1500, "stock_bill_id", BillRows::Text},
                       {"单据张数", 0, "bill_num", BillRows::Number},
                       {"提取部门", 1100, "repr_name", BillRows::Text},
                       {"出库日期", 1100, "stock_out_date", BillRows::Day},
                       {"提货人", 1100, "get_man_name", BillRows::Text},
                       {"操作员", 1100, "val_man_name", BillRows::Text},
                       {"存放仓库", 1100, "ckh", BillRows::Text},
                       {"备注", 1800, "demo", BillRows::Text}})
{
    Image1 = new QLabel(this);
    Image1->setScaledContents(true);
    Image1->setPixmap(Pictures::backdrop(QSize(700, 500), QColor(232, 240, 250), QColor(196, 214, 236)));
    Image1->lower();
    // Below the lower frame, past the window's design height.
    Label1 = StockUi::label(this, QStringLiteral("合计金额"), 6600, 10125, 960);
    TxtHJJE = new QLineEdit(this);
    Twips::place(TxtHJJE, 7560, 10080, 1800, 330);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmCKGL::Toolbar1_ButtonClick);
    connect(Command1, &QPushButton::clicked, this, &FrmCKGL::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmCKGL::Command2_Click);
    Form_Resize();
}

void FrmCKGL::Form_Load()
{
    ListView1Init();
    ListView2Init();
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

void FrmCKGL::ListView2Init()
{
    billListInit();
    ListView2Detail();
}

void FrmCKGL::ListView2Detail()
{
    showBills([this] { m_bills.loadAll(); }, false);
    enableBillButtons();
    ListView1Detail();
}

void FrmCKGL::ListView2_Click()
{
    ListView1Detail();
}

void FrmCKGL::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnNew:
        Forms::showModalByName(QStringLiteral("FrmCKDADD"));
        break;
    case BtnEdit:
        if (ListView2->selectedRow() >= 0)
            Forms::showModalByName(QStringLiteral("FrmCKDEDIT"));
        break;
    case BtnQuery:
        Forms::showModalByName(QStringLiteral("FrmCKDQUERY"));
        break;
    case BtnPrint:
        if (!PrinterMissingCheck())
            PrintStockOutBill();
        break;
    case BtnExit:
        Unload();
        break;
    default:
        break;   // 删除 is never shown
    }
}

void FrmCKGL::ListView2Save()
{
    auto* d = dialog<FrmCKDADD>("FrmCKDADD");
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
    auto* d = dialog<FrmCKDEDIT>("FrmCKDEDIT");
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
    auto* d = dialog<FrmCKDQUERY>("FrmCKDQUERY");
    if (!d)
        return;
    const QDate from = d->Date1->date(), to = d->Date2->date();
    if (!showBills([&] { m_bills.loadDays(from, to); }, true))
        return;   // the dialog stays for another try
    enableBillButtons();
    ListView1Detail();
    d->Unload();
    if (m_bills.rowCount() > 0)
        MsgBox(QStringLiteral("共查询到%1条记录!").arg(m_bills.rowCount()), Msg::Information, Hint);
    else
        MsgBox(QStringLiteral("查询结果为空!"), Msg::Information, Hint);
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
    ListView1->clear();
    if (ListView2->count() == 0) {
        enableLineButtons(false, false);
        return;
    }
    const QString bill = currentBill();
    Recordset lines;
    // A line whose goods record is gone shows its code alone.
    if (!RunDbAction([&] {
            lines.open(QStringLiteral("SELECT l.code, g.code AS goods, g.bran_name, g.type, g.unit, l.num, l.price"
                                      " FROM ckgl2004 l LEFT JOIN brand g ON g.code = l.code"
                                      " WHERE l.stock_bill_id = ? ORDER BY l.rowid"),
                       {bill});
        })) {
        enableLineButtons(false, false);
        return;
    }
    for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext()) {
        const QString code = shown(lines.field(QStringLiteral("code")));
        const int row = ListView1->add(code, code);
        if (lines.field(QStringLiteral("goods")).isNull())
            continue;
        ListView1->setSubItem(row, 1, shown(lines.field(QStringLiteral("bran_name"))));
        ListView1->setSubItem(row, 2, shown(lines.field(QStringLiteral("type"))));
        ListView1->setSubItem(row, 3, shown(lines.field(QStringLiteral("unit"))));
        ListView1->setSubItem(row, 4, shownNumber(lines.field(QStringLiteral("num"))));
        ListView1->setSubItem(row, 5, shownNumber(lines.field(QStringLiteral("price"))));
        const Money amount = Money::fromVariant(lines.field(QStringLiteral("price")))
                                 .times(Money::fromVariant(lines.field(QStringLiteral("num"))));
        ListView1->setSubItem(row, 6, StockText::plain(amount));
    }
    ListView1->select(ListView1->count() > 0 ? 0 : -1);
    enableLineButtons(true, ListView1->count() > 0);
}

void FrmCKGL::Command1_Click()
{
    Forms::showModalByName(QStringLiteral("FrmCKMXADD"));
}

void FrmCKGL::Command2_Click()
{
    if (ListView1->selectedRow() >= 0)
        Forms::showModalByName(QStringLiteral("FrmCKMXEDIT"));
}

namespace {

// Saves a line through the posting service; says what stopped it. True when saved.
bool saveLine(const std::function<StockPosting::LineSave()>& save)
{
    StockPosting::LineSave result = StockPosting::LineSave::NoLine;
    if (!RunDbAction([&] {
            Transaction t;
            result = save();
            if (result == StockPosting::LineSave::Saved)
                t.commit();
        }))
        return false;
    switch (result) {
    case StockPosting::LineSave::Saved: return true;
    case StockPosting::LineSave::Duplicate:
        MsgBox(QStringLiteral("同样的商品不能在一个出库单内出现两次!"), Msg::Information, Hint);
        return false;
    case StockPosting::LineSave::ShortOfStock:
        // Booked out since the dialog showed the stock (an order at the front desk).
        MsgBox(StockShortMessage, Msg::Information, Hint);
        return false;
    case StockPosting::LineSave::NoLine: return false;   // the line is gone: the dialog stays
    }
    return false;
}

} // namespace

void FrmCKGL::ListView1Save()
{
    auto* d = dialog<FrmCKMXADD>("FrmCKMXADD");
    if (!d)
        return;
    const StockPosting::OutLine line = d->line(currentBill());
    if (!saveLine([&] { return StockPosting::addStockOutLine(line); }))
        return;
    ListView1Detail();
    d->Unload();
    MsgBox(Saved, Msg::Information, Hint);
}

void FrmCKGL::ListView1Edit()
{
    auto* d = dialog<FrmCKMXEDIT>("FrmCKMXEDIT");
    if (!d)
        return;
    const StockPosting::OutLine line = d->line(currentBill());
    if (!saveLine([&] { return StockPosting::editStockOutLine(line); }))
        return;
    ListView1Detail();
    d->Unload();
    MsgBox(Saved, Msg::Information, Hint);
}
