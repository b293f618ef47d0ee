#include "stockin/FrmSPCX.h"

#include "db/Database.h"
#include "db/LikePattern.h"
#include "db/Recordset.h"
#include "platform/PositionBesideMain.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "stockin/FrmSPDA.h"
#include "stockin/StockCommon.h"

TABULOR_REGISTER_FORM(FrmSPCX);

namespace {
const QString AllClasses = QStringLiteral("所有种类");

FrmSPDA* goodsWindow()
{
    return static_cast<FrmSPDA*>(Forms::find(QStringLiteral("FrmSPDA")));
}
} // namespace

FrmSPCX::FrmSPCX()
{
    setWindowTitle(QStringLiteral("商品查询"));
    setClientSizeTwips(4200, 2460);

    auto field = [this](const char* label, QWidget* box, int top) {
        StockUi::field(this, QString::fromUtf8(label), box, 240, top, 1020, 2700);
    };
    Text1 = new QLineEdit;
    MaxLengthFilter(Text1, 8);
    Text2 = new QLineEdit;
    MaxLengthFilter(Text2, 8);
    Combo1 = new QComboBox;
    field("商品编码", Text1, 240);
    field("商品名称", Text2, 720);
    field("商品种类", Combo1, 1200);

    Command1 = new QPushButton(QStringLiteral("查询(&C)"), this);
    Twips::place(Command1, 1260, 1800, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command2, 2760, 1800, 1200, 420);
    Command1->setDefault(true);
    defaultButton = Command1;
    cancelButton = Command2;

    connect(Command1, &QPushButton::clicked, this, &FrmSPCX::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmSPCX::Command2_Click);
}

void FrmSPCX::Form_Load()
{
    PositionBesideMain(this);
    ComboInit();
}

void FrmSPCX::ComboInit()
{
    Combo1->addItem(AllClasses);
    RunDbAction([&] { Combo1->addItems(GoodsClassNames()); });
    // The class selected in the goods window's tree; none when it is not listed.
    const FrmSPDA* owner = goodsWindow();
    Combo1->setCurrentIndex(owner ? Combo1->findText(owner->TreeView1->selectedText()) : 0);
}

void FrmSPCX::Command1_Click()
{
    // Both fragments must occur anywhere in code and name, taken literally;
    // the result is in the order of the specification.
    const QString cls = Combo1->currentText();
    QString sql = QStringLiteral("select %1 from brand where code like ? escape '\\' and bran_name like ? escape '\\'")
                      .arg(FrmSPDA::ListColumns);
    QVariantList params{LikePattern::fragment(Text1->text()), LikePattern::fragment(Text2->text())};
    if (cls != AllClasses) {
        sql += QStringLiteral(" and zl = ?");
        params << cls;
    }
    sql += QStringLiteral(" order by type, rowid");
    Recordset rows;
    if (!RunDbAction([&] { rows.open(sql, params); }))
        return;
    FrmSPDA* owner = goodsWindow();
    if (owner)
        owner->selectClassNode(cls);
    if (rows.empty())
        MsgBox(QStringLiteral("没有满足条件的记录!"), Msg::Exclamation, QStringLiteral("提示"));
    if (owner)
        owner->listGoods(rows);
    Unload();
}

void FrmSPCX::Command2_Click()
{
    Unload();
}
