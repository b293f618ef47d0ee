#include "stockout/StockOutDialogs.h"

#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
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

StockOutBillDialog::StockOutBillDialog(const QString& caption)
{
    setWindowTitle(caption);
    setClientSizeTwips(4800, 4020);
    setFixedSize(size());

    constexpr int Left = 240, LabelWidth = 1080, BoxWidth = 3240;
    TxtCKDH = StockUi::field(this, QStringLiteral("出库单号"), new QLineEdit, Left, 240, LabelWidth, BoxWidth);
    MakeFixedBox(TxtCKDH);
    // The count of paper documents is kept, never shown.
    StockUi::label(this, QStringLiteral("单据张数"), Left, 285, LabelWidth)->setVisible(false);
    TxtDJZS = new QLineEdit(this);
    Twips::place(TxtDJZS, Left + LabelWidth, 240, BoxWidth, 330);
    TxtDJZS->setVisible(false);
    CmbTQBM = StockUi::field(this, QStringLiteral("提取部门"), new QComboBox, Left, 660, LabelWidth, BoxWidth);
    TxtCKRQ = StockUi::field(this, QStringLiteral("出库日期"), new QLineEdit, Left, 1080, LabelWidth, BoxWidth);
    MakeFixedBox(TxtCKRQ);
    CmbTHR = StockUi::field(this, QStringLiteral("提 货 人"), new QComboBox, Left, 1500, LabelWidth, BoxWidth);
    CmbCZY = StockUi::field(this, QStringLiteral("操 作 员"), new QComboBox, Left, 1920, LabelWidth, BoxWidth);
    CmbCFCK = StockUi::field(this, QStringLiteral("存放仓库"), new QComboBox, Left, 2340, LabelWidth, BoxWidth);
    TxtBZ = StockUi::field(this, QStringLiteral("备    注"), new QLineEdit, Left, 2760, LabelWidth, BoxWidth);

    Save = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Save, 1800, 3360, 1200, 420);
    Quit = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Quit, 3240, 3360, 1200, 420);
    Save->setAutoDefault(false);
    Quit->setAutoDefault(false);

    connect(Save, &QPushButton::clicked, this, [this] { Save_Click(); });
    connect(Quit, &QPushButton::clicked, this, &StockOutBillDialog::Quit_Click);
}

void StockOutBillDialog::fillLists()
{
    RunDbAction([this] {
        CodeNameList::fill(CmbCFCK, QStringLiteral("select code, content from sysmcwh where class = 'KFH' order by rowid"));
        CodeNameList::fill(CmbTQBM, QStringLiteral("select code, content from sysmcwh where class = 'BML' order by rowid"));
        CodeNameList::fillStaff(CmbTHR);
        CodeNameList::fillStaff(CmbCZY);
    });
    for (QComboBox* list : {CmbTQBM, CmbTHR, CmbCZY, CmbCFCK})
        list->setCurrentIndex(-1);
}

void StockOutBillDialog::Quit_Click()
{
    Unload();
}

FrmCKDADD::FrmCKDADD() : StockOutBillDialog(QStringLiteral("出库单添加")) {}

void FrmCKDADD::Form_Load()
{
    TxtCKDH->setText(TimestampId());
    TxtDJZS->setText(QStringLiteral("1"));
    fillLists();
    TxtCKRQ->setText(DateTimeText::formatDate(Clock::today()));
    for (QComboBox* list : {CmbTQBM, CmbTHR, CmbCZY, CmbCFCK})
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
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
    b.stock_out_date = StockPosting::storedDay(DateTimeText::parse(TxtCKRQ->text()).date());
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
    RunDbAction([&] { m_stored = StockPosting::storedOutBill(number); });
    TxtCKDH->setText(number);
    if (!m_stored)
        return;
    const StockPosting::OutBill& b = *m_stored;
    TxtCKDH->setText(b.stock_bill_id);
    TxtDJZS->setText(b.bill_num.isNull() ? QString() : Money::fromVariant(b.bill_num).plain());
    TxtCKRQ->setText(StockText::shownDay(b.stock_out_date));
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
    b.demo = TxtBZ->text();
    b.fs = QStringLiteral("手工出库");
    return b;
}

// ---- bill query -----------------------------------------------------------------

FrmCKDQUERY::FrmCKDQUERY()
{
    setWindowTitle(QStringLiteral("出库单查询"));
    setClientSizeTwips(5400, 1560);
    setFixedSize(size());
    StockUi::label(this, QStringLiteral("出库日期"), 240, 285, 960);
    Date1 = StockUi::datePicker(this, 1200, 240, 1800);
    StockUi::label(this, QStringLiteral("至"), 3120, 285, 300);
    Date2 = StockUi::datePicker(this, 3420, 240, 1800);
    Command1 = new QPushButton(QStringLiteral("查询(&C)"), this);
    Twips::place(Command1, 2580, 900, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command2, 3960, 900, 1200, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &FrmCKDQUERY::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmCKDQUERY::Command2_Click);
}

void FrmCKDQUERY::Form_Load()
{
    Date1->setDate(Clock::today());
    Date2->setDate(Clock::today());
}

void FrmCKDQUERY::Command1_Click()
{
    if (FrmCKGL* w = owner())
        w->ListView2Query();
}

void FrmCKDQUERY::Command2_Click()
{
    Unload();
}

// ---- lines ----------------------------------------------------------------------

StockOutLineDialog::StockOutLineDialog(const QString& caption, const QString& quantityLabel, bool adding)
{
    setWindowTitle(caption);
    setClientSizeTwips(7320, 2580);
    setFixedSize(size());

    constexpr int LabelWidth = 960, BoxWidth = 2160;
    constexpr int Left1 = 240, Left2 = 3840;
    TxtSPBM = StockUi::field(this, QStringLiteral("商品编码"), new QLineEdit, Left1, 240, LabelWidth, BoxWidth - 360);
    TxtSPMC = StockUi::field(this, QStringLiteral("商品名称"), new QLineEdit, Left1, 660, LabelWidth, BoxWidth);
    TxtGG = StockUi::field(this, QStringLiteral("规    格"), new QLineEdit, Left1, 1080, LabelWidth, BoxWidth);
    TxtDW = StockUi::field(this, QStringLiteral("单    位"), new QLineEdit, Left1, 1500, LabelWidth, BoxWidth);
    TxtDQKC = StockUi::field(this, QStringLiteral("当前库存"), new QLineEdit, Left2, 240, LabelWidth, BoxWidth);
    TxtSL = StockUi::field(this, quantityLabel, new QLineEdit, Left2, 660, LabelWidth, BoxWidth);
    TxtDJ = StockUi::field(this, QStringLiteral("单    价"), new QLineEdit, Left2, 1080, LabelWidth, BoxWidth);
    TxtJE = StockUi::field(this, QStringLiteral("金    额"), new QLineEdit, Left2, 1500, LabelWidth, BoxWidth);
    for (QLineEdit* fixed : {TxtDQKC, TxtSPBM, TxtSPMC, TxtGG, TxtJE})
        MakeFixedBox(fixed);
    if (!adding)
        MakeFixedBox(TxtDW);
    for (QLineEdit* typed : {TxtSL, TxtDJ}) {
        MaxLengthFilter(typed, 8);
        DecimalKeyFilter(typed);
    }

    Save = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Save, 4560, 1980, 1200, 420);
    Quit = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Quit, 5940, 1980, 1200, 420);
    Save->setAutoDefault(false);
    Quit->setAutoDefault(false);

    connect(TxtSL, &QLineEdit::textChanged, this, &StockOutLineDialog::Amount_Change);
    connect(TxtDJ, &QLineEdit::textChanged, this, &StockOutLineDialog::Amount_Change);
    connect(Save, &QPushButton::clicked, this, [this] { Save_Click(); });
    connect(Quit, &QPushButton::clicked, this, &StockOutLineDialog::Quit_Click);
}

void StockOutLineDialog::Amount_Change()
{
    const Money amount = Money::leadingValue(TxtDJ->text()).times(Money::leadingValue(TxtSL->text()));
    TxtJE->setText(StockText::plain(amount));
}

void StockOutLineDialog::Quit_Click()
{
    Unload();
}

bool StockOutLineDialog::quantityFits()
{
    const Money quantity = Money::leadingValue(TxtSL->text());
    if (quantity <= Money{}) {
        MsgBox(QStringLiteral("出库数量必须大于0!"), Msg::Exclamation);
        return false;
    }
    if (Money::leadingValue(TxtDQKC->text()) < quantity) {
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
    l.num = Money::leadingValue(TxtSL->text());
    l.price = Money::leadingValue(TxtDJ->text());
    return l;
}

FrmCKMXADD::FrmCKMXADD() : StockOutLineDialog(QStringLiteral("出库明细添加"), QStringLiteral("出库数量"), true)
{
    Command1 = new QPushButton(QStringLiteral("↓"), this);
    Twips::place(Command1, 240 + 960 + 2160 - 330, 240, 330, 330);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &FrmCKMXADD::Command1_Click);
}

void FrmCKMXADD::Form_Load()
{
    TxtSL->setText(QStringLiteral("1"));
    TxtDJ->setText(QStringLiteral("0"));
    Amount_Change();
}

void FrmCKMXADD::Command1_Click()
{
    Forms::showModalByName(QStringLiteral("FrmCKMXSELECT"));
}

void FrmCKMXADD::Save_Click()
{
    if (TxtSPBM->text().isEmpty()) {
        MsgBox(QStringLiteral("请选择商品编码!"), Msg::Information, Hint);
        return;
    }
    if (!quantityFits())
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
    RunDbAction([&] {
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
