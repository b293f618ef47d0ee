#include "stockout/StockOutDialogs.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "stockin/StockCommon.h"
#include "stockout/FrmCKGL.h"

TABULOR_REGISTER_FORM(FrmCKDADD);
TABULOR_REGISTER_FORM(FrmCKDEDIT);
TABULOR_REGISTER_FORM(FrmCKDQUERY);
TABULOR_REGISTER_FORM(FrmCKMXADD);
TABULOR_REGISTER_FORM(FrmCKMXEDIT);

const QString StockShortMessage = QStringLiteral("出库数量大于当前库存量\r\n请从新输入出库数量!");

namespace {

const QString Hint = QStringLiteral("提示");

FrmCKGL* owner() { return static_cast<FrmCKGL*>(Forms::find(QStringLiteral("FrmCKGL"))); }

} // namespace

// ---- bill header ----------------------------------------------------------------

StockOutBillDialog::StockOutBillDialog(const QString& caption) : StockBillDialog(caption, 4020)
{
    TxtCKDH = row(QStringLiteral("出库单号"), new QLineEdit, 240);
    MakeFixedBox(TxtCKDH);
    TxtDJZS = hiddenPaperCount();
    CmbTQBM = row(QStringLiteral("提取部门"), new QComboBox, 660);
    TxtCKRQ = row(QStringLiteral("出库日期"), new QLineEdit, 1080);
    MakeFixedBox(TxtCKRQ);
    CmbTHR = row(QStringLiteral("提 货 人"), new QComboBox, 1500);
    CmbCZY = row(QStringLiteral("操 作 员"), new QComboBox, 1920);
    CmbCFCK = row(QStringLiteral("存放仓库"), new QComboBox, 2340);
    TxtBZ = row(QStringLiteral("备    注"), new QLineEdit, 2760);
    addButtons(3360);
}

void StockOutBillDialog::fillLists()
{
    RunLoadRead(*this, [this] {
        CodeNameList::fill(CmbCFCK, QStringLiteral("select code, content from sysmcwh where class = 'KFH' order by rowid"));
        CodeNameList::fill(CmbTQBM, QStringLiteral("select code, content from sysmcwh where class = 'BML' order by rowid"));
        CodeNameList::fillStaff(CmbTHR);
        CodeNameList::fillStaff(CmbCZY);
    });
    for (QComboBox* list : {CmbTQBM, CmbTHR, CmbCZY, CmbCFCK})
        list->setCurrentIndex(-1);
}

FrmCKDADD::FrmCKDADD() : StockOutBillDialog(QStringLiteral("出库单添加")) {}

void FrmCKDADD::Form_Load()
{
    fillLists();
    startNewBill(TxtCKDH, TxtDJZS, TxtCKRQ, {CmbTQBM, CmbTHR, CmbCZY, CmbCFCK});
}

void FrmCKDADD::Save_Click()
{
    if (FrmCKGL* w = owner())
        w->ListView2Save();
}

StockPosting::OutBill FrmCKDADD::bill() const
{
    StockPosting::OutBill b;
    b.stock_bill_id = TxtCKDH->text().trimmed();
    b.bill_num = Money::leadingValue(TxtDJZS->text()).toVariant();
    b.repr_name = CodeNameList::name(CmbTQBM);
    b.stock_out_date = storedDayOf(TxtCKRQ);
    b.get_man = CodeNameList::code(CmbTHR);
    b.get_man_name = CodeNameList::name(CmbTHR);
    b.val_man = CodeNameList::code(CmbCZY);
    b.val_man_name = CodeNameList::name(CmbCZY);
    b.ckh = CodeNameList::name(CmbCFCK);
    b.demo = TxtBZ->text();
    b.fs = QStringLiteral("手动出库");
    return b;
}

FrmCKDEDIT::FrmCKDEDIT() : StockOutBillDialog(QStringLiteral("出库单修改")) {}

void FrmCKDEDIT::Form_Load()
{
    const FrmCKGL* w = owner();
    const QString number = w ? w->currentBill() : QString();
    fillLists();
    RunLoadRead(*this, [&] { m_stored = StockPosting::storedOutBill(number); });
    TxtCKDH->setText(number);
    if (!m_stored)
        return;
    const StockPosting::OutBill& b = *m_stored;
    showStoredBill(TxtCKDH, TxtDJZS, TxtCKRQ, b.stock_bill_id, b.bill_num, b.stock_out_date);
    TxtBZ->setText(b.demo.toString());
    // Where several entries carry the bill's name, the last of them.
    CmbTQBM->setCurrentIndex(m_department = CodeNameList::findName(CmbTQBM, b.repr_name.toString(), true));
    CmbTHR->setCurrentIndex(m_picker = CodeNameList::findName(CmbTHR, b.get_man_name.toString().trimmed(), true));
    CmbCZY->setCurrentIndex(m_operator = CodeNameList::findName(CmbCZY, b.val_man_name.toString(), true));
    CmbCFCK->setCurrentIndex(m_warehouse = CodeNameList::findName(CmbCFCK, b.ckh.toString(), true));
}

void FrmCKDEDIT::Save_Click()
{
    if (FrmCKGL* w = owner())
        w->listview2edit();
}

StockPosting::OutBill FrmCKDEDIT::bill() const
{
    StockPosting::OutBill b = m_stored.value_or(StockPosting::OutBill{});
    b.stock_bill_id = TxtCKDH->text().trimmed();
    if (CmbTQBM->currentIndex() != m_department)
        b.repr_name = CodeNameList::name(CmbTQBM);
    if (CmbTHR->currentIndex() != m_picker) {
        b.get_man = CodeNameList::code(CmbTHR);
        b.get_man_name = CodeNameList::name(CmbTHR);
    }
    if (CmbCZY->currentIndex() != m_operator) {
        b.val_man = CodeNameList::code(CmbCZY);
        b.val_man_name = CodeNameList::name(CmbCZY);
    }
    if (CmbCFCK->currentIndex() != m_warehouse)
        b.ckh = CodeNameList::name(CmbCFCK);
    if (TxtBZ->text() != b.demo.toString())
        b.demo = TxtBZ->text();
    b.fs = QStringLiteral("手工出库");
    return b;
}

// ---- bill query -----------------------------------------------------------------

FrmCKDQUERY::FrmCKDQUERY() : BillQueryDialog(QStringLiteral("出库单查询"), QStringLiteral("出库日期"), 1560) {}

void FrmCKDQUERY::Command1_Click()
{
    if (FrmCKGL* w = owner())
        w->ListView2Query();
}

// ---- lines ----------------------------------------------------------------------

StockOutLineDialog::StockOutLineDialog(const QString& caption, const QString& quantityLabel, bool adding)
    : GoodsLineDialog(caption, 7320, 2580)
{
    StockUi::field(this, QStringLiteral("商品名称"), TxtSPMC, Left1, 660, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("规    格"), TxtGG, Left1, 1080, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("单    位"), TxtDW, Left1, 1500, LabelWidth, BoxWidth);
    TxtDQKC = StockUi::field(this, QStringLiteral("当前库存"), new QLineEdit, Left2, 240, LabelWidth, BoxWidth);
    StockUi::field(this, quantityLabel, TxtSL, Left2, 660, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("单    价"), TxtDJ, Left2, 1080, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("金    额"), TxtJE, Left2, 1500, LabelWidth, BoxWidth);
    MakeFixedBox(TxtDQKC);
    if (!adding)
        MakeFixedBox(TxtDW);
    for (QLineEdit* typed : {TxtSL, TxtDJ}) {
        MaxLengthFilter(typed, 8);
        DecimalKeyFilter(typed);
    }
    Quit = addButtons(1980);
}

QString StockOutLineDialog::amountText(Decimal amount) const
{
    return StockText::plain(amount);
}

bool StockOutLineDialog::quantityFits()
{
    if (quantity() <= Decimal{}) {
        MsgBox(QStringLiteral("出库数量必须大于0!"), Msg::Exclamation);
        return false;
    }
    if (Decimal::leadingValue(TxtDQKC->text()) < quantity()) {
        MsgBox(StockShortMessage, Msg::Information, Hint);
        return false;
    }
    return true;
}

StockPosting::OutLine StockOutLineDialog::line(const QString& billNumber) const
{
    StockPosting::OutLine l;
    l.stock_bill_id = billNumber.trimmed();
    l.id = 1;
    l.code = TxtSPBM->text().trimmed();
    l.num = quantity();
    l.price = price();
    return l;
}

FrmCKMXADD::FrmCKMXADD() : StockOutLineDialog(QStringLiteral("出库明细添加"), QStringLiteral("出库数量"), true)
{
    addPicker(QStringLiteral("FrmCKMXSELECT"));
}

void FrmCKMXADD::Form_Load()
{
    startNewLine();
}

void FrmCKMXADD::Save_Click()
{
    if (!goodsChosen() || !quantityFits())
        return;
    if (FrmCKGL* w = owner())
        w->ListView1Save();
}

FrmCKMXEDIT::FrmCKMXEDIT() : StockOutLineDialog(QStringLiteral("出库明细修改"), QStringLiteral("数    量"), false) {}

void FrmCKMXEDIT::Form_Load()
{
    const FrmCKGL* w = owner();
    const QString bill = w ? w->currentBill() : QString();
    const QString code = w ? w->selectedLineCode() : QString();
    TxtSPBM->setText(code);
    // Quantity and price as stored; the stock the line may take counts its
    // own quantity as available again. Name, specification and unit as the
    // goods record has them.
    RunLoadRead(*this, [&] {
        const auto line = StockPosting::storedOutLine(bill, code);
        if (!line)
            return;
        Recordset goods;
        goods.open(QStringLiteral("select bran_name, type, unit from brand where code = ?"), {line->code});
        if (!goods.empty()) {
            TxtSPMC->setText(goods.field(QStringLiteral("bran_name")).toString());
            TxtGG->setText(goods.field(QStringLiteral("type")).toString());
            TxtDW->setText(goods.field(QStringLiteral("unit")).toString());
        }
        SetStoredText(TxtSL, line->num.plain(), 8);
        SetStoredText(TxtDJ, line->price.plain(), 8);
        TxtDQKC->setText(StockText::plain(StockPosting::stockForEditedLine(bill, code)));
    });
    Amount_Change();
}

void FrmCKMXEDIT::Save_Click()
{
    if (!quantityFits())
        return;
    if (FrmCKGL* w = owner())
        w->ListView1Edit();
}
