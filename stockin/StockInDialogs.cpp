#include "stockin/StockInDialogs.h"

#include <QLabel>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "stockin/FrmRKGL.h"
#include "stockin/StockCommon.h"

TABULOR_REGISTER_FORM(FrmRKDADD);
TABULOR_REGISTER_FORM(FrmRKDEDIT);
TABULOR_REGISTER_FORM(FrmRKDQUERY);
TABULOR_REGISTER_FORM(FrmRKMXADD);
TABULOR_REGISTER_FORM(FrmRKMXEDIT);

namespace {

const QString Hint = QStringLiteral("提示");
const QString ManualStockIn = QStringLiteral("手工入库");

FrmRKGL* owner() { return static_cast<FrmRKGL*>(Forms::find(QStringLiteral("FrmRKGL"))); }

QVariant textValue(const QLineEdit* box) { return box->text(); }

} // namespace

// ---- bill header ----------------------------------------------------------------

StockInBillDialog::StockInBillDialog(const QString& caption) : StockBillDialog(caption, 4440)
{
    TxtRKDH = row(QStringLiteral("入库单号"), new QLineEdit, 240);
    MakeFixedBox(TxtRKDH);
    TxtDJZS = hiddenPaperCount();
    CmbGHDW = row(QStringLiteral("供货单位"), new QComboBox, 660);
    CmbGHDW->setEditable(true);
    CmbGHDW->setInsertPolicy(QComboBox::NoInsert);
    TxtRKRQ = row(QStringLiteral("入库日期"), new QLineEdit, 1080);
    MakeFixedBox(TxtRKRQ);
    CmbCGY = row(QStringLiteral("采 购 员"), new QComboBox, 1500);
    CmbZFFS = row(QStringLiteral("支付方式"), new QComboBox, 1920);
    CmbYSR = row(QStringLiteral("验 收 人"), new QComboBox, 2340);
    CmbCFCK = row(QStringLiteral("存放仓库"), new QComboBox, 2760);
    TxtBZ = row(QStringLiteral("备    注"), new QLineEdit, 3180);
    addButtons(3780);
    defaultButton = Save;
    cancelButton = Quit;
}

void StockInBillDialog::fillLists()
{
    RunLoadRead(*this, [this] {
        Recordset suppliers;
        suppliers.open(QStringLiteral("select name from gysda order by rowid"));
        for (suppliers.MoveFirst(); !suppliers.isEOF(); suppliers.MoveNext())
            CmbGHDW->addItem(suppliers.field(0).toString());
        CodeNameList::fill(CmbCFCK, QStringLiteral("select code, content from sysmcwh where class = 'KFH' order by rowid"));
        CodeNameList::fill(CmbZFFS, QStringLiteral("select code, content from sysmcwh where class = 'JFFS' order by rowid"));
        CodeNameList::fillStaff(CmbCGY);
        CodeNameList::fillStaff(CmbYSR);
    });
    for (QComboBox* list : {CmbGHDW, CmbCGY, CmbZFFS, CmbYSR, CmbCFCK})
        list->setCurrentIndex(-1);
}

FrmRKDADD::FrmRKDADD() : StockInBillDialog(QStringLiteral("入库单添加")) {}

void FrmRKDADD::Form_Load()
{
    fillLists();
    startNewBill(TxtRKDH, TxtDJZS, TxtRKRQ, {CmbGHDW, CmbCGY, CmbZFFS, CmbYSR, CmbCFCK});
}

void FrmRKDADD::Save_Click()
{
    if (FrmRKGL* w = owner())
        w->ListView2Save();
}

StockPosting::InBill FrmRKDADD::bill() const
{
    StockPosting::InBill b;
    b.stock_bill_id = TxtRKDH->text().trimmed();
    b.bill_num = Money::leadingValue(TxtDJZS->text()).toVariant();
    b.stock_in_date = storedDayOf(TxtRKRQ);
    b.in_man = CodeNameList::code(CmbYSR);
    b.in_man_name = CodeNameList::name(CmbYSR);
    b.pay_style = CodeNameList::name(CmbZFFS);
    b.buy_man = CodeNameList::code(CmbCGY);
    b.buy_man_name = CodeNameList::name(CmbCGY);
    b.demo = TxtBZ->text();
    b.ckh = CodeNameList::name(CmbCFCK);
    b.fs = ManualStockIn;
    b.repr_name = CmbGHDW->currentText();
    return b;
}

FrmRKDEDIT::FrmRKDEDIT() : StockInBillDialog(QStringLiteral("入库单修改")) {}

void FrmRKDEDIT::Form_Load()
{
    const FrmRKGL* w = owner();
    const QString number = w ? w->currentBill() : QString();
    RunLoadRead(*this, [&] { m_stored = StockPosting::storedInBill(number); });
    fillLists();
    TxtRKDH->setText(number);
    if (!m_stored)
        return;
    const StockPosting::InBill& b = *m_stored;
    showStoredBill(TxtRKDH, TxtDJZS, TxtRKRQ, b.stock_bill_id, b.bill_num, b.stock_in_date);
    // The supplier as stored, listed or not.
    const int supplier = CmbGHDW->findText(b.repr_name.toString(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (supplier >= 0)
        CmbGHDW->setCurrentIndex(supplier);
    else
        CmbGHDW->setEditText(b.repr_name.toString());
    CmbCFCK->setCurrentIndex(m_warehouse = CodeNameList::findName(CmbCFCK, b.ckh.toString()));
    CmbZFFS->setCurrentIndex(m_payment = CodeNameList::findName(CmbZFFS, b.pay_style.toString()));
    CmbCGY->setCurrentIndex(m_buyer = CodeNameList::findName(CmbCGY, b.buy_man_name.toString()));
    CmbYSR->setCurrentIndex(m_receiver = CodeNameList::findName(CmbYSR, b.in_man_name.toString()));
    TxtBZ->setText(b.demo.toString());
}

void FrmRKDEDIT::Save_Click()
{
    if (FrmRKGL* w = owner())
        w->listview2edit();
}

StockPosting::InBill FrmRKDEDIT::bill() const
{
    StockPosting::InBill b = m_stored.value_or(StockPosting::InBill{});
    b.stock_bill_id = TxtRKDH->text().trimmed();
    if (CmbGHDW->currentText() != b.repr_name.toString())
        b.repr_name = CmbGHDW->currentText();
    if (CmbCGY->currentIndex() != m_buyer) {
        b.buy_man = CodeNameList::code(CmbCGY);
        b.buy_man_name = CodeNameList::name(CmbCGY);
    }
    if (CmbZFFS->currentIndex() != m_payment)
        b.pay_style = CodeNameList::name(CmbZFFS);
    if (CmbYSR->currentIndex() != m_receiver) {
        b.in_man = CodeNameList::code(CmbYSR);
        b.in_man_name = CodeNameList::name(CmbYSR);
    }
    if (CmbCFCK->currentIndex() != m_warehouse)
        b.ckh = CodeNameList::name(CmbCFCK);
    if (TxtBZ->text() != b.demo.toString())
        b.demo = TxtBZ->text();
    b.fs = ManualStockIn;
    return b;
}

// ---- bill query -----------------------------------------------------------------

FrmRKDQUERY::FrmRKDQUERY() : BillQueryDialog(QStringLiteral("入库单查询"), QStringLiteral("入库日期"), 2520)
{
    Check1 = new QCheckBox(QStringLiteral("采购员"), this);
    Twips::place(Check1, 240, 780, 1080, 300);
    Combo1 = new QComboBox(this);
    Twips::place(Combo1, 1320, 750, 1680, 330);
    Check2 = new QCheckBox(QStringLiteral("验收人"), this);
    Twips::place(Check2, 240, 1260, 1080, 300);
    Combo2 = new QComboBox(this);
    Twips::place(Combo2, 1320, 1230, 1680, 330);
    connect(Check1, &QCheckBox::clicked, this, &FrmRKDQUERY::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &FrmRKDQUERY::Check2_Click);
}

void FrmRKDQUERY::Form_Load()
{
    BillQueryDialog::Form_Load();
    Combo1->setEnabled(false);
    Combo2->setEnabled(false);
}

void FrmRKDQUERY::Check1_Click()
{
    Combo1->setEnabled(Check1->isChecked());
}

void FrmRKDQUERY::Check2_Click()
{
    Combo2->setEnabled(Check2->isChecked());
}

void FrmRKDQUERY::Command1_Click()
{
    if (FrmRKGL* w = owner())
        w->ListView2Query();
}

// ---- lines ----------------------------------------------------------------------

StockInLineDialog::StockInLineDialog(const QString& caption, bool adding)
    : GoodsLineDialog(caption, 7320, 3420)
{
    StockUi::field(this, QStringLiteral("商品名称"), TxtSPMC, Left1, 660, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("规    格"), TxtGG, Left1, 1080, LabelWidth, BoxWidth);
    TxtPCH = StockUi::field(this, QStringLiteral("批 次 号"), new QLineEdit, Left1, 1500, LabelWidth, BoxWidth);
    TxtJZSL = StockUi::field(this, QStringLiteral("件装数量"), new QLineEdit, Left1, 1920, LabelWidth, BoxWidth);
    TxtGQSJ = StockUi::field(this, QStringLiteral("过期时间"), new QLineEdit, Left1, 2340, LabelWidth, BoxWidth);
    TxtSCS = StockUi::field(this, QStringLiteral("生 产 商"), new QLineEdit, Left2, 240, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("单    位"), TxtDW, Left2, 660, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("数    量"), TxtSL, Left2, 1080, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("单    价"), TxtDJ, Left2, 1500, LabelWidth, BoxWidth);
    StockUi::field(this, QStringLiteral("金    额"), TxtJE, Left2, 1920, LabelWidth, BoxWidth);
    MakeFixedBox(TxtDW);
    if (adding)
        MaxLengthFilter(TxtPCH, 10);
    MaxLengthFilter(TxtJZSL, 8);
    DecimalKeyFilter(TxtJZSL);
    MaxLengthFilter(TxtGQSJ, 10);
    MaxLengthFilter(TxtSCS, 20);
    MaxLengthFilter(TxtSL, 8);
    DigitKeyFilter(TxtSL);
    MaxLengthFilter(TxtDJ, 8);
    DecimalKeyFilter(TxtDJ);
    quit = addButtons(2820);
    defaultButton = Save;
    cancelButton = quit;
}

QString StockInLineDialog::amountText(Decimal amount) const
{
    return StockText::plainNoLeadingZero(amount);
}

bool StockInLineDialog::quantityGiven()
{
    if (TxtSL->text().trimmed().isEmpty() || quantity() < Decimal::whole(1)) {
        MsgBox(QStringLiteral("数量至少为1!"), Msg::Information, Hint);
        return false;
    }
    return true;
}

StockPosting::InLine StockInLineDialog::line(const QString& billNumber) const
{
    StockPosting::InLine l;
    l.stock_bill_id = billNumber.trimmed();
    l.id = 1;
    l.code = TxtSPBM->text().trimmed();
    l.name = textValue(TxtSPMC);
    l.type = textValue(TxtGG);
    l.pch = textValue(TxtPCH);
    l.jzsl = textValue(TxtJZSL);
    l.gqsj = textValue(TxtGQSJ);
    l.scs = textValue(TxtSCS);
    l.unit = textValue(TxtDW);
    l.num = quantity();
    l.price = price();
    l.je = l.price.times(l.num);
    return l;
}

FrmRKMXADD::FrmRKMXADD() : StockInLineDialog(QStringLiteral("入库明细添加"), true)
{
    addPicker(QStringLiteral("FrmSPDASELECT"));
}

void FrmRKMXADD::Form_Load()
{
    startNewLine();
}

void FrmRKMXADD::Save_Click()
{
    if (!goodsChosen() || !quantityGiven())
        return;
    if (FrmRKGL* w = owner())
        w->ListView1Save();
}

FrmRKMXEDIT::FrmRKMXEDIT() : StockInLineDialog(QStringLiteral("入库明细修改"), false) {}

void FrmRKMXEDIT::Form_Load()
{
    const FrmRKGL* w = owner();
    const QString bill = w ? w->currentBill() : QString();
    const QString code = w ? w->selectedLineCode() : QString();
    TxtSPBM->setText(code);
    // Quantity and price as stored: the list shows nothing of a line whose
    // goods record is gone. Name, specification and unit as the goods record
    // has them now, else as the line keeps them.
    RunLoadRead(*this, [&] {
        const auto line = StockPosting::storedInLine(bill, code);
        if (!line)
            return;
        Recordset goods;
        goods.open(QStringLiteral("select bran_name, type, unit from brand where code = ?"), {line->code});
        const bool known = !goods.empty();
        TxtSPBM->setText(line->code);
        TxtSPMC->setText(known ? goods.field(QStringLiteral("bran_name")).toString() : line->name.toString());
        TxtGG->setText(known ? goods.field(QStringLiteral("type")).toString() : line->type.toString());
        TxtDW->setText(known ? goods.field(QStringLiteral("unit")).toString() : line->unit.toString());
        TxtPCH->setText(line->pch.toString());
        SetStoredText(TxtJZSL, line->jzsl.toString(), 8);
        SetStoredText(TxtGQSJ, line->gqsj.toString(), 10);
        SetStoredText(TxtSCS, line->scs.toString(), 20);
        SetStoredText(TxtSL, line->num.plain(), 8);
        SetStoredText(TxtDJ, line->price.plain(), 8);
    });
    Amount_Change();
}

void FrmRKMXEDIT::Save_Click()
{
    if (!quantityGiven())
        return;
    if (FrmRKGL* w = owner())
        w->ListView1Edit();
}
