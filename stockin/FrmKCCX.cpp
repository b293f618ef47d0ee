#include "stockin/FrmKCCX.h"

#include <QStyle>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RecordBlocks.h"
#include "stockin/StockCommon.h"

TABULOR_REGISTER_FORM(FrmKCCX);
TABULOR_REGISTER_FORM(FrmKCQUERY);

namespace {

const QString AllGoods = QStringLiteral("所有商品类别");


// A quantity as the stock list shows it: the counter's exact value in the
// plain style of the other stock windows (goods taken in by weight hold
// fractions: 2.4, .5), blanks in front up to ten characters, so the figures
// line up in their centred columns.
QString quantityText(Decimal value) { return StockText::padded(StockText::plainNoLeadingZero(value)); }

FrmKCQUERY* queryDialog() { return static_cast<FrmKCQUERY*>(Forms::find(QStringLiteral("FrmKCQUERY"))); }

} // namespace

FrmKCCX::FrmKCCX()
{
    setWindowTitle(QStringLiteral("库存查询"));
    setClientSizeTwips(10170, 6780);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 10170, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("查询"), {}, Pictures::standardFace(QStyle::SP_FileDialogContentsView));
    Toolbar1->addButton(QStringLiteral("打印"), {}, Pictures::standardFace(QStyle::SP_DriveFDIcon));
    Toolbar1->addButton(QStringLiteral("帮助"), {}, Pictures::standardFace(QStyle::SP_DialogHelpButton));
    Toolbar1->addButton(QStringLiteral("退出"), {}, Pictures::standardFace(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(BtnHelp, false);

    Image1 = new QLabel(this);
    Twips::place(Image1, 120, 900, 480, 480);
    Image1->setPixmap(Pictures::badge(QStringLiteral("存"), QColor(40, 140, 90), Twips::toPixels(480)));
    Label1 = StockUi::label(this, QStringLiteral("当前库存信息:"), 720, 1020, 2400);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 120, 1440, 9930, 5220);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmKCCX::Toolbar1_ButtonClick);
}

void FrmKCCX::Form_Load()
{
    StockListInit();
}

void FrmKCCX::StockListInit()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const char* captions[] = {"商品编码", "商品名称", "商品种类", "单位", "合计入库", "合计出库", "帐面库存量"};
    for (int c = 0; c < 7; ++c)
        ListView1->addColumn(QString::fromUtf8(captions[c]), 1400, c == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
}

void FrmKCCX::ListView1Query()
{
    ListView1->clear();
    FrmKCQUERY* dialog = queryDialog();
    const QString choice = dialog ? dialog->Text2->text() : AllGoods;
    const bool classChosen = dialog && dialog->Text1->text().trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    // Goods in the order they were stored, each with its counter row; goods
    // without one have nothing to show. A class goes by its name, a goods
    // item by its name.
    QString sql = QStringLiteral("select s.code, g.bran_name, g.zl, g.unit, s.rks, s.cks from brand g"
                                 " join store s on s.code = g.code");
    QVariantList params;
    if (choice != AllGoods) {
        sql += classChosen ? QStringLiteral(" where g.zl = ?") : QStringLiteral(" where g.bran_name = ?");
        params << choice.trimmed();
    }
    sql += QStringLiteral(" order by g.rowid");
    Recordset goods;
    const bool read = RunDbAction([&] { goods.open(sql, params); });
    if (read) {
        for (goods.MoveFirst(); !goods.isEOF(); goods.MoveNext()) {
            const int row = ListView1->add(StockText::shown(goods.field(0)), StockText::shown(goods.field(0)));
            for (int c = 1; c <= 3; ++c)
                ListView1->setSubItem(row, c, StockText::shown(goods.field(c)));
            const Decimal in = Decimal::fromVariant(goods.field(4)), out = Decimal::fromVariant(goods.field(5));
            ListView1->setSubItem(row, 4, quantityText(in));
            ListView1->setSubItem(row, 5, quantityText(out));
            ListView1->setSubItem(row, 6, quantityText(in - out));
        }
        ListView1->select(ListView1->count() > 0 ? 0 : -1);
    }
    if (dialog)
        dialog->Unload();
    if (read && ListView1->count() == 0)
        MsgBox(QStringLiteral("查询结果为空!"), Msg::Information, QStringLiteral("提示"));
}

void FrmKCCX::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnQuery:
        Forms::showModalByName(QStringLiteral("FrmKCQUERY"));
        break;
    case BtnPrint:
        if (!PrinterMissingCheck())
            PrintStockList();
        break;
    case BtnHelp:
        ShowHelp();
        break;
    case BtnExit:
        Unload();
        break;
    default:
        break;
    }
}

void FrmKCCX::ShowHelp()
{
    MsgBox(QStringLiteral("help"));
}

void FrmKCCX::PrintStockList()
{
    if (ListView1->count() == 0) {
        MsgBox(QStringLiteral("查询结果为空不可打印"));
        return;
    }
    PrintRecordBlocks(*ListView1, QStringLiteral("        库存查询"), 32,
                      {{QStringLiteral("商品名称：    "), 2},
                       {QStringLiteral("商品种类：    "), 3},
                       {QStringLiteral("单    位：    "), 4},
                       {QStringLiteral("入库总数：    "), 5},
                       {QStringLiteral("出库总数：    "), 6},
                       {QStringLiteral("当前库存：    "), 7}});
}

// ---- conditions -----------------------------------------------------------------

FrmKCQUERY::FrmKCQUERY()
{
    setWindowTitle(QStringLiteral("查询条件"));
    setClientSizeTwips(4320, 5400);
    setFixedSize(size());

    Image1 = new QLabel(this);
    Twips::place(Image1, 120, 120, 480, 480);
    Image1->setPixmap(Pictures::badge(QStringLiteral("查"), QColor(40, 140, 90), Twips::toPixels(480)));
    Label2 = StockUi::label(this, QStringLiteral("双击选择商品类别或名称"), 720, 240, 3360);
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 120, 720, 4080, 3960);
    TreeView1->setRootIsDecorated(true);
    Command2 = new QPushButton(QStringLiteral("查询(&C)"), this);
    Twips::place(Command2, 1560, 4800, 1200, 420);
    Command3 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command3, 2940, 4800, 1200, 420);
    Command2->setAutoDefault(false);
    Command3->setAutoDefault(false);
    Text1 = new QLineEdit(QStringLiteral("False"), this);
    Text1->setVisible(false);
    Text2 = new QLineEdit(AllGoods, this);
    Text2->setVisible(false);

    connect(TreeView1, &TreeView::nodeClick, this, [this] { TreeView1_Click(); });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView1_DblClick(); });
    connect(Command2, &QPushButton::clicked, this, &FrmKCQUERY::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmKCQUERY::Command3_Click);
}

void FrmKCQUERY::Form_Load()
{
    const QSignalBlocker block(TreeView1);
    QTreeWidgetItem* root = TreeView1->addNode(QString(), QStringLiteral("F"), AllGoods);
    // Under each class the goods of its class code (an empty code and a
    // missing one count alike).
    RunDbAction([&] {
        AddClassTree(TreeView1, root, QStringLiteral("coalesce(g.zl_code, '') = coalesce(c.code, '')"),
                     QStringLiteral("S"));
    });
    root->setExpanded(true);
}

void FrmKCQUERY::TreeView1_Click()
{
    const QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node)
        return;
    Text2->setText(node->text(0));
    Text1->setText(TreeView::keyOf(node).startsWith(u'S') ? QStringLiteral("True") : QStringLiteral("False"));
}

void FrmKCQUERY::TreeView1_DblClick()
{
    Command2_Click();
}

void FrmKCQUERY::Command2_Click()
{
    if (auto* owner = static_cast<FrmKCCX*>(Forms::find(QStringLiteral("FrmKCCX"))))
        owner->ListView1Query();
}

void FrmKCQUERY::Command3_Click()
{
    Unload();
}
