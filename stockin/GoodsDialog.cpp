#include "stockin/GoodsDialog.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "stockin/FrmSPDA.h"
#include "stockin/StockCommon.h"

GoodsDialog::GoodsDialog(const QString& caption, bool entry)
{
    setWindowTitle(caption);
    setClientSizeTwips(4800, 4260);
    setFixedSize(size());

    Frame1 = new QGroupBox(QStringLiteral("商品基本信息"), this);
    Twips::place(Frame1, 120, 60, 4560, 3480);
    auto field = [](QWidget* parent, const QString& label, QWidget* box, int top, int left = 180, int labelWidth = 1140,
                     int width = 3000) { StockUi::field(parent, label, box, left, top, labelWidth, width); };
    Text1 = new QLineEdit;
    Text2 = new QLineEdit;
    Combo1 = new QComboBox;
    Combo2 = new QComboBox;
    Text3 = new QLineEdit;
    Text4 = new QLineEdit(QStringLiteral("0"));
    Text12 = new QLineEdit;
    field(Frame1, QStringLiteral("商品编码*"), Text1, 360);
    field(Frame1, QStringLiteral("商品名称*"), Text2, 810);
    field(Frame1, QStringLiteral("商品种类*"), Combo1, 1260);
    field(Frame1, entry ? QStringLiteral("单    位*") : QStringLiteral("单    位"), Combo2, 1710);
    field(Frame1, QStringLiteral("规格"), Text3, 2160);
    field(Frame1, entry ? QStringLiteral("单价(元)*") : QStringLiteral("单价(元)"), Text4, 2610);
    field(Frame1, QStringLiteral("备   注"), Text12, 3060);
    DecimalKeyFilter(Text4);

    // Beyond the right edge of the fixed window: never seen.
    Combo3 = new QComboBox(this);
    Twips::place(Combo3, 9000, 600, 1200, 330);
    Frame2 = new QGroupBox(QStringLiteral("商品库房信息设置"), this);
    Twips::place(Frame2, 4920, 60, 4560, 4080);
    QLineEdit** figures[] = {&Text5, &Text6, &Text7, &Text8, &Text9, &Text10, &Text11};
    const char* figureLabels[] = {"库存警戒最小数量", "最大警戒数量", "初始库存数", "累计入库数",
                                  "累计入库金额", "平均单价(元)", "每标准单位折合克数(克)"};
    for (int i = 0; i < 7; ++i) {
        *figures[i] = new QLineEdit(QStringLiteral("0"));
        MaxLengthFilter(*figures[i], 6);
        field(Frame2, QString::fromUtf8(figureLabels[i]), *figures[i], 300 + i * 420, 120, 2400, 1800);
    }
    auto* stockTake = new QGroupBox(QStringLiteral("盘存设置"), Frame2);
    Twips::place(stockTake, 120, 3240, 4320, 720);
    Check1 = new QCheckBox(QStringLiteral("日盘"), stockTake);
    Check2 = new QCheckBox(QStringLiteral("周盘"), stockTake);
    Check3 = new QCheckBox(QStringLiteral("月盘"), stockTake);
    Twips::place(Check1, 240, 300, 1000, 300);
    Twips::place(Check2, 1560, 300, 1000, 300);
    Twips::place(Check3, 2880, 300, 1000, 300);

    Command1 = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Command1, 1560, 3720, 1320, 420);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(Command2, 3120, 3720, 1320, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Combo1);
    setTabOrder(Combo1, Combo2);
    setTabOrder(Combo2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Text12);
    setTabOrder(Text12, Command1);
    setTabOrder(Command1, Command2);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int) { Combo1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &GoodsDialog::Command2_Click);
}

void GoodsDialog::ComboInit(bool selectFirst)
{
    RunLoadRead(*this, [&] {
        Recordset classes;
        classes.open(QStringLiteral("select content, code from BrandClass where class = 'SPZL' order by rowid"));
        Recordset units;
        units.open(QStringLiteral("select content from sysmcwh where class = 'DWL' order by rowid"));
        const QSignalBlocker block(Combo1);
        // A class without a code gives an empty entry, so both lists keep
        // the same length and order.
        for (classes.MoveFirst(); !classes.isEOF(); classes.MoveNext()) {
            Combo1->addItem(classes.field(0).toString());
            Combo3->addItem(classes.field(1).toString());
        }
        for (units.MoveFirst(); !units.isEOF(); units.MoveNext())
            Combo2->addItem(units.field(0).toString());
        Combo1->setCurrentIndex(-1);
        Combo2->setCurrentIndex(-1);
        Combo3->setCurrentIndex(-1);
    });
    if (selectFirst) {
        if (Combo1->count() > 0)
            Combo1->setCurrentIndex(0);
        if (Combo2->count() > 0)
            Combo2->setCurrentIndex(0);
    }
}

void GoodsDialog::Combo1_Click()
{
    Combo3->setCurrentIndex(Combo1->currentIndex());
}

bool GoodsDialog::ValidateInput()
{
    const struct { QLineEdit* box; const char* message; } required[] = {
        {Text1, "请输入商品编码!"}, {Text2, "请输入商品名称!"}, {Text4, "请输入商品单价!"},
    };
    for (const auto& r : required) {
        if (r.box->text().trimmed().isEmpty()) {
            MsgBox(QString::fromUtf8(r.message), Msg::Information, QStringLiteral("信息提示"));
            r.box->setFocus();
            return false;
        }
    }
    return true;
}

void GoodsDialog::Command2_Click()
{
    Unload();
}

QString GoodsDialog::properFromChecks() const
{
    QString flags;
    for (const QCheckBox* c : {Check1, Check2, Check3})
        flags += c->isChecked() ? u'1' : u'0';
    return flags;
}

void GoodsDialog::checksFromProper(const QString& proper)
{
    QCheckBox* checks[] = {Check1, Check2, Check3};
    for (int i = 0; i < 3; ++i)
        checks[i]->setChecked(i < proper.size() && proper[i] == u'1');
}

void GoodsDialog::reloadGoodsList()
{
    if (Form* owner = Forms::find(QStringLiteral("FrmSPDA")))
        static_cast<FrmSPDA*>(owner)->ListViewDetail();
}
