#include "stockin/StockInDialogs.h"

#include <QLabel>
#include "db/Database.h"
#include "db/DateTimeText.h"
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

StockInBillDialog::StockInBillDialog(const QString& caption)
{
    setWindowTitle(caption);
    setClientSizeTwips(4800, 4440);
    setFixedSize(size());

    constexpr int Left = 240, LabelWidth = 1080, BoxWidth = 3240;
    TxtRKDH = StockUi::field(this, QStringLiteral("入库单号"), new QLineEdit, Left, 240, LabelWidth, BoxWidth);
    MakeFixedBox(TxtRKDH);
    // The count of paper documents is kept, never shown.
    QLabel* paperLabel = StockUi::label(this, QStringLiteral("单据张数"), Left, 285, LabelWidth);
    paperLabel->setVisible(false);
    TxtDJZS = new QLineEdit(this);
    Twips::place(TxtDJZS, Left + LabelWidth, 240, BoxWidth, 330);
    TxtDJZS->setVisible(false);
    CmbGHDW = StockUi::field(this, QStringLiteral("供货单位"), new QComboBox, Left, 660, LabelWidth, BoxWidth);
    CmbGHDW->setEditable(true);
    CmbGHDW->setInsertPolicy(QComboBox::NoInsert);
    TxtRKRQ = StockUi::field(this, QStringLiteral("入库日期"), new QLineEdit, Left, 1080, LabelWidth, BoxWidth);
    MakeFixedBox(TxtRKRQ);
    CmbCGY = StockUi::field(this, QStringLiteral("采 购 员"), new QComboBox, Left, 1500, LabelWidth, BoxWidth);
    CmbZFFS = StockUi::field(this, QStringLiteral("支付方式"), new QComboBox, Left, 1920, LabelWidth, BoxWidth);
    CmbYSR = StockUi::field(this, QStringLiteral("验 收 人"), new QComboBox, Left, 2340, LabelWidth, BoxWidth);
    CmbCFCK = StockUi::field(this, QStringLiteral("存放仓库"), new QComboBox, Left, 2760, LabelWidth, BoxWidth);
    TxtBZ = StockUi::field(this, QStringLiteral("备    注"), new QLineEdit, Left, 3180, LabelWidth, BoxWidth);

    Save = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Save, 1800, 3780, 1200, 420);
    Quit = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Quit, 3240, 3780, 1200, 420);
    Save->setAutoDefault(false);
    Quit->setAutoDefault(false);
    defaultButton = Save;
    cancelButton = Quit;

    connect(Save, &QPushButton::clicked, this, [this] { Save_Click(); });
    connect(Quit, &QPushButton::clicked, this, &StockInBillDialog::Quit_Click);
}

void StockInBillDialog::fillLists()
{
    RunDbAction([this] {
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

void StockInBillDialog::Quit_Click()
{
    Unload();
}

FrmRKDADD::FrmRKDADD() : StockInBillDialog(QStringLiteral("入库单添加")) {}

void FrmRKDADD::Form_Load()
{
    TxtRKDH->setText(TimestampId());
    TxtDJZS->setText(QStringLiteral("1"));
    fillLists();
    TxtRKRQ->setText(DateTimeText::formatDate(Clock::today()));
    for (QComboBox* list : {CmbGHDW, CmbCGY, CmbZFFS, CmbYSR, CmbCFCK})
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
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
    b.stock_in_date = StockPosting::storedDay(DateTimeText::parse(TxtRKRQ->text()).date());
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
    RunDbAction([&] { m_stored = StockPosting::storedInBill(number); });
    fillLists();
    TxtRKDH->setText(number);
    if (!m_stored)
        return;
    const StockPosting::InBill& b = *m_stored;
    TxtRKDH->setText(b.stock_bill_id);
    TxtDJZS->setText(b.bill_num.isNull() ? QString() : Money::fromVariant(b.bill_num).plain());
    TxtRKRQ->setText(StockText::shownDay(b.stock_in_date));
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
    b.demo = TxtBZ->text();
    b.fs = ManualStockIn;
    return b;
}

// ---- bill query -----------------------------------------------------------------

FrmRKDQUERY::FrmRKDQUERY()
{
    setWindowTitle(QStringLiteral("入库单查询"));
    setClientSizeTwips(5400, 2520);
    setFixedSize(size());

    StockUi::label(this, QStringLiteral("入库日期"), 240, 285, 960);
    Date1 = StockUi::datePicker(this, 1200, 240, 1800);
    StockUi::label(this, QStringLiteral("至"), 3120, 285, 300);
    Date2 = StockUi::datePicker(this, 3420, 240, 1800);
    Check1 = new QCheckBox(QStringLiteral("采购员"), this);
    Twips::place(Check1, 240, 780, 1080, 300);
    Combo1 = new QComboBox(this);
    Twips::place(Combo1, 1320, 750, 1680, 330);
    Check2 = new QCheckBox(QStringLiteral("验收人"), this);
    Twips::place(Check2, 240, 1260, 1080, 300);
    Combo2 = new QComboBox(this);
    Twips::place(Combo2, 1320, 1230, 1680, 330);

    Command1 = new QPushButton(QStringLiteral("查询(&C)"), this);
    Twips::place(Command1, 2580, 1860, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command2, 3960, 1860, 1200, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    connect(Check1, &QCheckBox::clicked, this, &FrmRKDQUERY::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &FrmRKDQUERY::Check2_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmRKDQUERY::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmRKDQUERY::Command2_Click);
}

void FrmRKDQUERY::Form_Load()
{
    Date1->setDate(Clock::today());
    Date2->setDate(Clock::today());
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

void FrmRKDQUERY::Command2_Click()
{
    Unload();
}

// ---- lines ----------------------------------------------------------------------

StockInLineDialog::StockInLineDialog(const QString& caption, bool adding)
{
    setWindowTitle(caption);
    setClientSizeTwips(7320, 3420);
    setFixedSize(size());

    constexpr int LabelWidth = 960, BoxWidth = 2160;
    constexpr int Left1 = 240, Left2 = 3840;
    TxtSPBM = StockUi::field(this, QStringLiteral("商品编码"), new QLineEdit, Left1, 240, LabelWidth, BoxWidth - 360);
    TxtSPMC = StockUi::field(this, QStringLiteral("商品名称"), new QLineEdit, Left1, 660, LabelWidth, BoxWidth);
    TxtGG = StockUi::field(this, QStringLiteral("规    格"), new QLineEdit, Left1, 1080, LabelWidth, BoxWidth);
    TxtPCH = StockUi::field(this, QStringLiteral("批 次 号"), new QLineEdit, Left1, 1500, LabelWidth, BoxWidth);
    TxtJZSL = StockUi::field(this, QStringLiteral("件装数量"), new QLineEdit, Left1, 1920, LabelWidth, BoxWidth);
    TxtGQSJ = StockUi::field(this, QStringLiteral("过期时间"), new QLineEdit, Left1, 2340, LabelWidth, BoxWidth);
    TxtSCS = StockUi::field(this, QStringLiteral("生 产 商"), new QLineEdit, Left2, 240, LabelWidth, BoxWidth);
    TxtDW = StockUi::field(this, QStringLiteral("单    位"), new QLineEdit, Left2, 660, LabelWidth, BoxWidth);
    TxtSL = StockUi::field(this, QStringLiteral("数    量"), new QLineEdit, Left2, 1080, LabelWidth, BoxWidth);
    TxtDJ = StockUi::field(this, QStringLiteral("单    价"), new QLineEdit, Left2, 1500, LabelWidth, BoxWidth);
    TxtJE = StockUi::field(this, QStringLiteral("金    额"), new QLineEdit, Left2, 1920, LabelWidth, BoxWidth);
    for (QLineEdit* fixed : {TxtSPBM, TxtSPMC, TxtGG, TxtDW, TxtJE})
        MakeFixedBox(fixed);
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

    Save = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Save, 4560, 2820, 1200, 420);
    quit = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(quit, 5940, 2820, 1200, 420);
    Save->setAutoDefault(false);
    quit->setAutoDefault(false);
    defaultButton = Save;
    cancelButton = quit;

    connect(TxtSL, &QLineEdit::textChanged, this, &StockInLineDialog::Amount_Change);
    connect(TxtDJ, &QLineEdit::textChanged, this, &StockInLineDialog::Amount_Change);
    connect(Save, &QPushButton::clicked, this, [this] { Save_Click(); });
    connect(quit, &QPushButton::clicked, this, &StockInLineDialog::quit_Click);
}

void StockInLineDialog::Amount_Change()
{
    const Money amount = Money::leadingValue(TxtDJ->text()).times(Money::leadingValue(TxtSL->text()));
    TxtJE->setText(StockText::plainNoLeadingZero(amount));
}

void StockInLineDialog::quit_Click()
{
    Unload();
}

bool StockInLineDialog::quantityGiven()
{
    if (TxtSL->text().trimmed().isEmpty() || Money::leadingValue(TxtSL->text()) < Money::fromUnits(Money::Scale)) {
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
    l.num = Money::leadingValue(TxtSL->text());
    l.price = Money::leadingValue(TxtDJ->text());
    l.je = l.price.times(l.num);
    return l;
}

FrmRKMXADD::FrmRKMXADD() : StockInLineDialog(QStringLiteral("入库明细添加"), true)
{
    Command1 = new QPushButton(QStringLiteral("↓"), this);
    Twips::place(Command1, 240 + 960 + 2160 - 330, 240, 330, 330);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &FrmRKMXADD::Command1_Click);
}

void FrmRKMXADD::Form_Load()
{
    TxtSL->setText(QStringLiteral("1"));
    TxtDJ->setText(QStringLiteral("0"));
    Amount_Change();
}

void FrmRKMXADD::Command1_Click()
{
    Forms::showModalByName(QStringLiteral("FrmSPDASELECT"));
}

void FrmRKMXADD::Save_Click()
{
    if (TxtSPBM->text().isEmpty()) {
        MsgBox(QStringLiteral("请选择商品编码!"), Msg::Information, Hint);
        return;
    }
    if (!quantityGiven())
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
    RunDbAction([&] {
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
