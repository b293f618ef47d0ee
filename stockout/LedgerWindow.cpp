#include "platform/Pictures.h"
#include "stockout/LedgerWindow.h"

#include <QComboBox>
#include <QStyle>
#include "db/Database.h"
#include "platform/KeyFilters.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RecordBlocks.h"
#include "stockin/StockCommon.h"

TABULOR_REGISTER_FORM(FrmRKTZ);
TABULOR_REGISTER_FORM(FrmCKTZ);
TABULOR_REGISTER_FORM(FrmSPLS);

const QString LedgerWindow::AllGoods = QStringLiteral("所有商品类别");

namespace {

constexpr int WindowWidth = 11640, WindowHeight = 7560;
constexpr Qt::Alignment Left = Qt::AlignLeft, Right = Qt::AlignRight, Centre = Qt::AlignHCenter;


// A price or an amount as the ledgers show it: two decimals, with blanks in
// front up to ten characters where the window pads it.
QString money(Decimal value, bool padded)
{
    const QString text = StockText::twoDecimals(value);
    return padded ? StockText::padded(text) : text;
}

// The amount of a row as listed: quantity × price to two decimals.
Decimal listedAmount(const LedgerRows& rows, int row)
{
    return Decimal::parse(StockText::twoDecimals(rows.price(row).times(rows.num(row))));
}

// The quantity and amount totals of the stock-in and stock-out ledgers.
QString quantityAndAmountTotals(const LedgerRows& rows)
{
    Decimal quantity, amount;
    for (int r = 0; r < rows.size(); ++r) {
        quantity += rows.num(r);
        amount += listedAmount(rows, r);
    }
    return QStringLiteral("数量合计：      ") + quantity.plain() + QStringLiteral("\r\n") +
           QStringLiteral("金额合计：      ") + amount.plain();
}

// A cell of the stock-in and stock-out ledgers, which list the same columns
// (column 6 the supplier or the department).
QString billLineCell(const LedgerRows& rows, int row, int column, bool padded)
{
    switch (column) {
    case 0: return rows.number(row);
    case 1: return rows.day(row);
    case 2: return rows.code(row);
    case 3: return rows.goods(row).name;
    case 4: return rows.goods(row).cls;
    case 5: return rows.party(row);
    case 6: return rows.goods(row).spec;
    case 7: return rows.goods(row).unit;
    case 8: return rows.num(row).plain();
    case 9: return money(rows.price(row), padded);
    case 10: return money(rows.price(row).times(rows.num(row)), padded);
    case 11: return rows.warehouse(row);
    case 12: return rows.way(row);
    default: return QString();
    }
}

// An exact match of the box text with a goods record's class or name, letter
// case and blanks counting.
const QString ExactClassOrName = QStringLiteral("(g.zl = ? COLLATE BINARY OR g.bran_name = ? COLLATE BINARY)");

} // namespace

LedgerWindow::LedgerWindow(const Design& design) : m_design(design)
{
    setWindowTitle(design.caption);
    setClientSizeTwips(WindowWidth, WindowHeight);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, WindowWidth, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("查询"), {}, Pictures::standardFace(QStyle::SP_FileDialogContentsView));
    Toolbar1->addButton(QStringLiteral("统计"), {}, Pictures::standardFace(QStyle::SP_FileDialogInfoView));
    Toolbar1->addButton(QStringLiteral("打印"), {}, Pictures::standardFace(QStyle::SP_DriveFDIcon));
    Toolbar1->addButton(QStringLiteral("帮助"), {}, Pictures::standardFace(QStyle::SP_DialogHelpButton));
    Toolbar1->addButton(QStringLiteral("退出"), {}, Pictures::standardFace(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(BtnHelp, false);

    StockUi::label(this, QStringLiteral("时间"), 120, 1005, 480);
    DTPicker1 = StockUi::datePicker(this, 600, 960, 1500);
    StockUi::label(this, QStringLiteral("至"), 2220, 1005, 300);
    DTPicker2 = StockUi::datePicker(this, 2520, 960, 1500);
    StockUi::label(this, QStringLiteral("商品类别或名称"), 4200, 1005, 1440);
    Text2 = new QLineEdit(AllGoods, this);
    Twips::place(Text2, 5640, 960, 2160, 330);
    if (!design.boxTyped)
        ReadOnlyKeyFilter(Text2);
    Command1 = new QPushButton(QStringLiteral("↓"), this);
    Twips::place(Command1, 7800, 960, 330, 330);
    Command1->setAutoDefault(false);

    Label2 = new QLabel(design.title, this);
    Twips::place(Label2, 120, 1440, 3000, 300);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    ListView1 = new ModelListView(this);
    Twips::place(ListView1, 120, 1800, WindowWidth - 240, WindowHeight - 1920);

    // The tree drops down under its button, over the list.
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 5640, 1290, 2490, 3600);
    TreeView1->setRootIsDecorated(true);
    TreeView1->setVisible(false);

    connect(Toolbar1, &Toolbar::buttonClick, this, &LedgerWindow::Toolbar1_ButtonClick);
    connect(Command1, &QPushButton::clicked, this, &LedgerWindow::Command1_Click);
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView1_DblClick(); });
}

void LedgerWindow::Form_Load()
{
    DTPicker1->setDate(Clock::today());
    DTPicker2->setDate(Clock::today());
    treeInit();
    LedgerListInit();
}

void LedgerWindow::treeInit()
{
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    QTreeWidgetItem* root = TreeView1->addNode(QString(), AllGoods, AllGoods);
    QTreeWidgetItem* firstClass = nullptr;
    // Under each class the goods of its name.
    RunDbAction([&] {
        firstClass = AddClassTree(TreeView1, root, QStringLiteral("g.zl = c.content"), m_design.classKeyPrefix);
    });
    root->setExpanded(true);
    if (firstClass)
        TreeView1->setCurrentItem(firstClass);
}

void LedgerWindow::LedgerListInit()
{
    m_rows.clear();
    ListView1->setSource(nullptr);
    ListView1->clearColumns();
    for (const Column& c : m_design.columns)
        ListView1->addColumn(QString::fromUtf8(c.caption), c.width, c.align);
    ListView1->setSource(this);
}

void LedgerWindow::Command1_Click()
{
    TreeView1->setVisible(!TreeView1->isVisible());
    if (TreeView1->isVisible())
        TreeView1->raise();
}

void LedgerWindow::TreeView1_DblClick()
{
    if (const QTreeWidgetItem* node = TreeView1->currentItem())
        Text2->setText(node->text(0));
    TreeView1->setVisible(false);
}

void LedgerWindow::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnQuery:
        LedgerQuery();
        break;
    case BtnTotals:
        ShowTotals();
        break;
    case BtnPrint:
        if (!printerReady())
            return;
        if (rowCount() == 0) {
            MsgBox(QStringLiteral("没有可打印的明细!"));
            return;
        }
        PrintLedger();
        break;
    case BtnHelp:
        ShowHelp();
        break;
    case BtnExit:
        CloseForm();
        break;
    default:
        break;
    }
}

void LedgerWindow::LedgerQuery()
{
    m_rows.clear();
    ListView1->reload();
    const QDate from = DTPicker1->date(), to = DTPicker2->date();
    if (to < from) {
        MsgBox(QStringLiteral("查询日期输入有误，请重新输入"), Msg::Exclamation, QStringLiteral("提示"));
        DTPicker1->setFocus();
        return;
    }
    if (!RunDbAction([&] { readRows(from, to); }))
        m_rows.clear();   // a list cut short would pass for the whole
    ListView1->reload();
    ListView1->select(rowCount() > 0 ? 0 : -1);
}

void LedgerWindow::ShowTotals()
{
    MsgBox(totalsText(), Msg::OKOnly, QStringLiteral("统计汇总"));
}

bool LedgerWindow::printerReady() const
{
    return !PrinterMissingCheck();
}

void LedgerWindow::PrintLedger()
{
    std::vector<RecordField> fields;
    for (const auto& [label, column] : m_design.printed)
        fields.push_back({QString::fromUtf8(label) + QStringLiteral("：    "), column});
    PrintRecordBlocks(*this, m_design.printTitle, m_design.rule, fields);
}

void LedgerWindow::ShowHelp()
{
    MsgBox(QStringLiteral("帮助文件"));
}

void LedgerWindow::CloseForm()
{
    Unload();
}

// ---- stock-in ledger ------------------------------------------------------------

FrmRKTZ::FrmRKTZ()
    : LedgerWindow({QStringLiteral("入库台帐"), QStringLiteral("入库台帐"), QStringLiteral("F"), false,
                    {{"入库单号", 1000, Left}, {"入库日期", 1000, Left}, {"商品编码", 1000, Left},
                     {"商品名称", 1000, Left}, {"商品种类", 1000, Left}, {"供货商", 1500, Left}, {"规格", 600, Left},
                     {"单位", 800, Left}, {"数量", 800, Right}, {"单价", 800, Right}, {"金额", 800, Right},
                     {"库房", 1000, Right}, {"入库方式", 1000, Right}},
                    QStringLiteral("        入库台帐"), 32,
                    {{"入库单号", 1}, {"入库日期", 2}, {"商品名称", 4}, {"商品种类", 5}, {"供 货 商", 6},
                     {"规    格", 7}, {"单    位", 8}, {"数    量", 9}, {"单    价", 10}, {"金    额", 11},
                     {"库    房", 12}, {"入库方式", 13}}})
{
}

void FrmRKTZ::readRows(const QDate& from, const QDate& to)
{
    const QString box = Text2->text(), t = box.trimmed();
    m_padded = t != AllGoods;
    if (!m_padded) {
        m_rows.read(LedgerRows::In, from, to);
        return;
    }
    // The class or name as the database compares it, and as the box shows it.
    m_rows.read(LedgerRows::In, from, to, {},
                {QStringLiteral("(g.zl = ? OR g.bran_name = ?) AND ") + ExactClassOrName, {t, t, box, box}});
}

QString FrmRKTZ::cell(int row, int column) const
{
    return billLineCell(m_rows, row, column, m_padded);
}

QString FrmRKTZ::totalsText() const
{
    return quantityAndAmountTotals(m_rows);
}

bool FrmRKTZ::printerReady() const
{
    if (!Printers::installed().isEmpty())
        return true;
    MsgBox(QStringLiteral("没有安装打印机!"));
    return false;
}

// ---- stock-out ledger -----------------------------------------------------------

FrmCKTZ::FrmCKTZ()
    : LedgerWindow({QStringLiteral("出库台帐"), QStringLiteral("出库台帐:"), QString(), true,
                    {{"出库单号", 1150, Left}, {"出库日期", 1150, Centre}, {"商品编码", 1150, Centre},
                     {"商品名称", 1150, Centre}, {"商品种类", 1150, Centre}, {"提取部门", 1150, Centre},
                     {"规格", 1150, Centre}, {"单位", 1150, Centre}, {"数量", 1150, Centre}, {"单价", 1150, Centre},
                     {"金额", 1150, Centre}, {"库房", 1150, Centre}, {"出库方式", 1150, Centre}},
                    QStringLiteral("        出库台帐"), 29,
                    {{"出库单号", 1}, {"出库日期", 2}, {"商品名称", 4}, {"商品种类", 5}, {"提取部门", 6},
                     {"规    格", 7}, {"单    位", 8}, {"数    量", 9}, {"单    价", 10}, {"金    额", 11},
                     {"库    房", 12}, {"出库方式", 13}}})
{
    StockUi::label(this, QStringLiteral("提取部门"), 8400, 1005, 900);
    CmbTQBM = new QComboBox(this);
    Twips::place(CmbTQBM, 9300, 960, 2220, 330);
}

void FrmCKTZ::Form_Load()
{
    LedgerWindow::Form_Load();
    CmbTQBM->addItem(QStringLiteral("所有部门"));
    RunDbAction([this] {
        CodeNameList::fill(CmbTQBM, QStringLiteral("select code, content from sysmcwh where class = 'BML' order by rowid"));
    });
    CmbTQBM->setCurrentIndex(0);
}

void FrmCKTZ::readRows(const QDate& from, const QDate& to)
{
    LedgerRows::Condition department, goods;
    if (CmbTQBM->currentIndex() > 0)
        department = {QStringLiteral("b.repr_name = ?"), {CodeNameList::name(CmbTQBM)}};
    const QString box = Text2->text();   // as typed: blanks count
    if (box != AllGoods)
        goods = {ExactClassOrName, {box, box}};
    m_rows.read(LedgerRows::Out, from, to, department, goods);
}

QString FrmCKTZ::cell(int row, int column) const
{
    return billLineCell(m_rows, row, column, true);
}

QString FrmCKTZ::totalsText() const
{
    return quantityAndAmountTotals(m_rows);
}

// ---- running account ------------------------------------------------------------

FrmSPLS::FrmSPLS()
    : LedgerWindow({QStringLiteral("商品流水"), QStringLiteral("商品流水:"), QString(), true,
                    {{"日期", 1000, Left}, {"商品编码", 1000, Left}, {"商品名称", 1600, Left}, {"商品种类", 1000, Left},
                     {"规格", 600, Left}, {"单位", 600, Left}, {"入库数量", 1000, Right}, {"出库数量", 1000, Right},
                     {"库房", 1000, Left}, {"方式", 1000, Left}},
                    QStringLiteral("       商品流水帐"), 32,
                    {{"日    期", 1}, {"商品编码", 2}, {"商品名称", 3}, {"商品种类", 4}, {"规    格", 5},
                     {"单    位", 6}, {"入库数量", 7}, {"出库数量", 8}, {"库    房", 9}}})
{
}

void FrmSPLS::readRows(const QDate& from, const QDate& to)
{
    const QString t = Text2->text().trimmed();
    const LedgerRows::Condition goods =
        t == AllGoods ? LedgerRows::Condition{} : LedgerRows::Condition{ExactClassOrName, {t, t}};
    // Every stock-in row before every stock-out row.
    m_rows.read(LedgerRows::In, from, to, {}, goods);
    m_rows.read(LedgerRows::Out, from, to, {}, goods);
}

QString FrmSPLS::cell(int row, int column) const
{
    const bool in = m_rows.direction(row) == LedgerRows::In;
    switch (column) {
    case 0: return m_rows.day(row);
    case 1: return m_rows.code(row);
    case 2: return m_rows.goods(row).name;
    case 3: return m_rows.goods(row).cls;
    case 4: return m_rows.goods(row).spec;
    case 5: return m_rows.goods(row).unit;
    case 6: return in ? m_rows.num(row).plain() : QStringLiteral(" ");
    case 7: return in ? QStringLiteral(" ") : m_rows.num(row).plain();
    case 8: return m_rows.warehouse(row);
    case 9: return m_rows.way(row);
    default: return QString();
    }
}

QString FrmSPLS::totalsText() const
{
    Decimal in, out;
    for (int r = 0; r < m_rows.size(); ++r)
        (m_rows.direction(r) == LedgerRows::In ? in : out) += m_rows.num(r);
    return QStringLiteral("入库合计：      ") + in.plain() + QStringLiteral("\r\n") + QStringLiteral("出库合计：      ") +
           out.plain();
}
