#include "stockin/GoodsPicker.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "stockin/GoodsLineDialog.h"
#include "platform/Twips.h"
#include "stockin/StockCommon.h"

namespace {
const QString RootKey = QStringLiteral("R");
const QString AllClasses = QStringLiteral("所有种类");

} // namespace

GoodsPicker::GoodsPicker(const QString& caption, bool onlyCounted, bool buttons, const QString& dialog)
    : m_onlyCounted(onlyCounted), m_dialog(dialog)
{
    setWindowTitle(caption);
    setClientSizeTwips(9480, 5160);
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 120, 120, 2040, 4320);
    TreeView1->setRootIsDecorated(true);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 2280, 120, 7080, 4320);
    Command1 = new QPushButton(QStringLiteral("选择(&S)"), this);
    Twips::place(Command1, 6720, 4560, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command2, 8100, 4560, 1200, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    if (buttons) {
        defaultButton = Command1;
        cancelButton = Command2;
    }
    connect(TreeView1, &TreeView::nodeClick, this, [this] { ListViewDetail(); });
    connect(ListView1, &ListView::itemDoubleClick, this, [this](int) { Command1_Click(); });
    connect(Command1, &QPushButton::clicked, this, &GoodsPicker::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &GoodsPicker::Command2_Click);
}

void GoodsPicker::Form_Load()
{
    TreeViewInit();
    ListViewInit();
}

void GoodsPicker::TreeViewInit()
{
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    QTreeWidgetItem* root = TreeView1->addNode(QString(), RootKey, AllClasses);
    RunDbAction([&] {
        for (const QString& name : GoodsClassNames())
            TreeView1->addChildNode(root, QString(), name);
    });
    root->setExpanded(true);
    TreeView1->setCurrentItem(root);
}

void GoodsPicker::ListViewInit()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const struct { const char* caption; int width; } columns[] = {
        {"商品编码", 1000}, {"商品名称", 1400}, {"单位", 800}, {"单价", 800},
        {"商品规格", 1000}, {"商品种类", 1000}, {"当前库存", 1000},
    };
    for (const auto& c : columns)
        ListView1->addColumn(QString::fromUtf8(c.caption), c.width, Qt::AlignLeft);
    ListViewDetail();
}

void GoodsPicker::ListViewDetail()
{
    ListView1->clear();
    const QTreeWidgetItem* node = TreeView1->currentItem();
    const QString cls = node ? node->text(0) : AllClasses;
    // Goods in the order of their 规格 (type) text, matched to the class by name.
    QString sql = QStringLiteral("select g.code, g.bran_name, g.unit, g.in_price, g.type, g.zl, s.rks, s.cks from brand g %1"
                                 " join store s on s.code = g.code")
                      .arg(m_onlyCounted ? QString() : QStringLiteral("left"));
    QVariantList params;
    if (cls != AllClasses) {
        sql += QStringLiteral(" where g.zl = ?");
        params << cls;
    }
    sql += QStringLiteral(" order by g.type, g.rowid");
    Recordset goods;
    if (!RunDbAction([&] { goods.open(sql, params); }))
        return;
    for (goods.MoveFirst(); !goods.isEOF(); goods.MoveNext()) {
        const QString code = StockText::shown(goods.field(0));
        const int row = ListView1->add(code, code);
        ListView1->setSubItem(row, 1, StockText::shown(goods.field(1)));
        ListView1->setSubItem(row, 2, StockText::shown(goods.field(2)));
        ListView1->setSubItem(row, 3, StockText::shownNumber(goods.field(3)));
        ListView1->setSubItem(row, 4, StockText::shown(goods.field(4)));
        ListView1->setSubItem(row, 5, StockText::shown(goods.field(5)));
        // A goods item never received has no counter row: nothing on hand.
        const Decimal onHand = Decimal::fromVariant(goods.field(6)) - Decimal::fromVariant(goods.field(7));
        ListView1->setSubItem(row, 6, StockText::plain(onHand));
    }
    ListView1->select(ListView1->count() > 0 ? 0 : -1);
}

void GoodsPicker::Command1_Click()
{
    const int row = ListView1->selectedRow();
    if (ListView1->count() == 0 || row < 0) {
        MsgBox(QStringLiteral("没有可选择的任何商品!"));
        return;
    }
    writeChoice(row);
    Unload();
}

void GoodsPicker::writeChoice(int row)
{
    auto* dialog = qobject_cast<GoodsLineDialog*>(Forms::find(m_dialog));
    if (!dialog)
        return;
    dialog->TxtSPBM->setText(ListView1->text(row));
    dialog->TxtSPMC->setText(ListView1->subItem(row, 1));
    dialog->TxtDW->setText(ListView1->subItem(row, 2));
    // A price longer than the box takes by typing is written whole.
    SetStoredText(dialog->TxtDJ, ListView1->subItem(row, 3), 8);
    dialog->TxtGG->setText(ListView1->subItem(row, 4));
    if (dialog->TxtDQKC)
        dialog->TxtDQKC->setText(ListView1->subItem(row, 6));
}

void GoodsPicker::Command2_Click()
{
    Unload();
}
