#include "stockin/GoodsLineDialog.h"

#include "platform/Seams.h"
#include "platform/Twips.h"
#include "stockin/StockCommon.h"

GoodsLineDialog::GoodsLineDialog(const QString& caption, int width, int height)
{
    setWindowTitle(caption);
    setClientSizeTwips(width, height);
    setFixedSize(size());
    TxtSPBM = StockUi::field(this, QStringLiteral("商品编码"), new QLineEdit, Left1, 240, LabelWidth, BoxWidth - 360);
    MakeFixedBox(TxtSPBM);
    TxtSPMC = new QLineEdit(this);
    TxtGG = new QLineEdit(this);
    TxtDW = new QLineEdit(this);
    TxtSL = new QLineEdit(this);
    TxtDJ = new QLineEdit(this);
    TxtJE = new QLineEdit(this);
    for (QLineEdit* fixed : {TxtSPMC, TxtGG, TxtJE})
        MakeFixedBox(fixed);
    connect(TxtSL, &QLineEdit::textChanged, this, &GoodsLineDialog::Amount_Change);
    connect(TxtDJ, &QLineEdit::textChanged, this, &GoodsLineDialog::Amount_Change);
}

QPushButton* GoodsLineDialog::addButtons(int top)
{
    Save = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Save, 4560, top, 1200, 420);
    auto* cancel = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(cancel, 5940, top, 1200, 420);
    Save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(Save, &QPushButton::clicked, this, [this] { Save_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Unload(); });
    return cancel;
}

void GoodsLineDialog::addPicker(const QString& picker)
{
    m_picker = picker;
    Command1 = new QPushButton(QStringLiteral("↓"), this);
    Twips::place(Command1, Left1 + LabelWidth + BoxWidth - 330, 240, 330, 330);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &GoodsLineDialog::Command1_Click);
}

void GoodsLineDialog::Command1_Click()
{
    Forms::showModalByName(m_picker);
}

void GoodsLineDialog::Amount_Change()
{
    TxtJE->setText(amountText(price().times(quantity())));
}

void GoodsLineDialog::startNewLine()
{
    TxtSL->setText(QStringLiteral("1"));
    TxtDJ->setText(QStringLiteral("0"));
    Amount_Change();
}

bool GoodsLineDialog::goodsChosen()
{
    if (!TxtSPBM->text().isEmpty())
        return true;
    MsgBox(QStringLiteral("请选择商品编码!"), Msg::Information, QStringLiteral("提示"));
    return false;
}
