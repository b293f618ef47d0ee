#include "reports/FrmDDTJ.h"

#include <QLabel>
#include <QStyle>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "platform/Pickers.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "reports/ReportQueries.h"
#include "reports/SalesTotals.h"
#include "reports/ReportSupport.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmDDTJ);

using ReportQueries::DishLevel;
using ReportQueries::TableFilter;

namespace {

const QString RootKey = QStringLiteral("ROOT");

QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* l = new QLabel(text, parent);
    Twips::place(l, left, top, width, 270);
    return l;
}

QDateTimeEdit* dateTimePicker(QWidget* parent)
{
    auto* p = new DateTimePicker(parent);
    p->setDisplayFormat(DateTimeText::Format);
    p->setCalendarPopup(true);
    return p;
}

} // namespace

FrmDDTJ::FrmDDTJ()
{
    setWindowTitle(QStringLiteral("房台点单统计"));
    setClientSizeTwips(10350, 7230);

    Toolbar1 = makeReportToolbar(this, 10350, {
        {"查询", "", QStyle::SP_FileDialogContentsView},
        {"打印", "", QStyle::SP_DriveFDIcon, false, false},
        {"帮助", "", QStyle::SP_DialogHelpButton, false, false},
        {"退出", "", QStyle::SP_DialogCloseButton},
    });

    // One strip under the toolbar: 开始时间, start, 至, end, 类型:, type, 值:, value.
    caption(this, QStringLiteral("开始时间"), 120, 1035, 840);
    DateStart = dateTimePicker(this);
    Twips::place(DateStart, 960, 975, 2400, 345);
    caption(this, QStringLiteral("至"), 3450, 1035, 240);
    DateEnd = dateTimePicker(this);
    Twips::place(DateEnd, 3720, 975, 2400, 345);
    caption(this, QStringLiteral("类型:"), 6240, 1035, 540);
    ComboQueryType = new QComboBox(this);
    Twips::place(ComboQueryType, 6780, 975, 1260, 345);
    caption(this, QStringLiteral("值:"), 8160, 1035, 360);
    ComboValue = new QComboBox(this);
    Twips::place(ComboValue, 8520, 975, 1710, 345);

    caption(this, QStringLiteral("菜品酒水列表"), 120, 1440, 2550);
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 120, 1710, 2550, 5415);
    caption(this, QStringLiteral("分类销售排行"), 2790, 1440, 2550);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 2790, 1710, 7380, 5415);

    ImageList3.add(style()->standardIcon(QStyle::SP_DirClosedIcon).pixmap(16));
    ImageList3.add(style()->standardIcon(QStyle::SP_DirOpenIcon).pixmap(16));

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmDDTJ::Toolbar1_ButtonClick);
    connect(ComboQueryType, &QComboBox::activated, this, [this] { ComboQueryType_Click(); });
    connect(TreeView1, &TreeView::nodeClick, this, [this] { TreeView1_NodeClick(); });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
        // The picture of a node changes with its selection; dishes have one picture.
        for (QTreeWidgetItem* item : {before, now}) {
            if (item && !TreeView::keyOf(item).startsWith(u'T'))
                item->setIcon(0, ImageList3.icon(item == now ? 2 : 1));
        }
    });
}

void FrmDDTJ::Form_Load()
{
    ComboQueryTypeInit();
    const QDate today = Clock::today();
    DateStart->setDateTime(QDateTime(today, QTime(0, 0, 0)));
    DateEnd->setDateTime(QDateTime(today, QTime(23, 59, 59)));
    TreeViewInit();
    ListView1Init();
}

void FrmDDTJ::ComboQueryTypeInit()
{
    ComboQueryType->clear();
    ComboQueryType->addItems({ByType, BySpecification});
    ComboQueryType->setCurrentIndex(0);
    ComboQueryType_Click();
}

void FrmDDTJ::ComboQueryType_Click()
{
    ComboValueFill();
}

void FrmDDTJ::ComboValueFill()
{
    ComboValue->clear();
    const QString type = ComboQueryType->currentText().trimmed();
    const QString statement = type == ByType ? ReportQueries::tableTypes() : ReportQueries::tableSpecifications();
    RunDbAction([&] {
        Recordset rs;
        rs.open(statement);
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            ComboValue->addItem(rs.text(QStringLiteral("fname")), rs.field(QStringLiteral("fcode")));
    });
    if (ComboValue->count() > 0)
        ComboValue->setCurrentIndex(0);
}

void FrmDDTJ::TreeViewInit()
{
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    TreeView1->setRootIsDecorated(true);
    TreeView1->setHeaderHidden(true);
    QTreeWidgetItem* root = TreeView1->addNode({}, RootKey, QStringLiteral("所有菜品"));
    root->setIcon(0, ImageList3.icon(1));
    RunDbAction([&] {
        Recordset categories;
        categories.open(ReportQueries::categoriesByCode());
        // Top categories first, so that every sub-category finds its parent
        // whatever the order of the codes.
        for (categories.MoveFirst(); !categories.isEOF(); categories.MoveNext()) {
            if (categories.text(QStringLiteral("parentcode")) != u"0")
                continue;
            TreeView1->addNode(RootKey, u'F' + categories.text(QStringLiteral("code")),
                               categories.text(QStringLiteral("cname")))
                ->setIcon(0, ImageList3.icon(1));
        }
        for (categories.MoveFirst(); !categories.isEOF(); categories.MoveNext()) {
            const QString parent = categories.text(QStringLiteral("parentcode"));
            if (parent == u"0")
                continue;
            // A sub-category whose parent is missing hangs under the root.
            const QString parentKey = TreeView1->node(u'F' + parent) ? u'F' + parent : RootKey;
            TreeView1->addNode(parentKey, u'S' + categories.text(QStringLiteral("code")),
                               categories.text(QStringLiteral("cname")))
                ->setIcon(0, ImageList3.icon(1));
        }
        Recordset dishes;
        dishes.open(ReportQueries::subCategoryDishes());
        for (dishes.MoveFirst(); !dishes.isEOF(); dishes.MoveNext()) {
            const QString parentKey = u'S' + dishes.text(QStringLiteral("cp_classid"));
            if (!TreeView1->node(parentKey))
                continue;
            TreeView1->addNode(parentKey, u'T' + dishes.field(QStringLiteral("code")).toString(),
                               dishes.field(QStringLiteral("cpname")).toString())
                ->setIcon(0, ImageList3.icon(1));
        }
    });
    TreeView1->collapseAll();
    TreeView1->selectKey(RootKey);
    root->setIcon(0, ImageList3.icon(2));
}

void FrmDDTJ::ListView1Init()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    ListView1->addColumn(QStringLiteral("编码"), 800);
    ListView1->addColumn(QStringLiteral("名称"), 1500);
    ListView1->addColumn(QStringLiteral("单价"), 800, Qt::AlignRight);
    ListView1->addColumn(QStringLiteral("销量"), 800, Qt::AlignRight);
    ListView1->addColumn(QStringLiteral("金额(元)"), 900, Qt::AlignRight);
}

void FrmDDTJ::Toolbar1_ButtonClick(int index)
{
    if (index == BtnQuery) {
        setReportPeriod(periodOf(DateStart->dateTime(), DateEnd->dateTime()));
        ListView1Query();
    } else if (index == BtnExit) {
        Unload();
    }
}

void FrmDDTJ::ListView1Query()
{
    ListView1->clear();
    if (ComboValue->currentIndex() < 0)
        return;   // no type or specification to count for
    const ReportPeriod period = periodOf(Module1::ReportStartTime, Module1::ReportEndTime);
    const QString key = TreeView1->selectedKey();
    const QString code = key.mid(1);
    DishLevel level = DishLevel::All;
    QVariantList params = period.bounds();
    params << ComboValue->currentData();
    if (key.startsWith(u'F')) {
        level = DishLevel::TopCategory;
        params << code << code;
    } else if (key.startsWith(u'S')) {
        level = DishLevel::SubCategory;
        params << code;
    } else if (key.startsWith(u'T')) {
        level = DishLevel::Dish;
        params << code;
    }
    const TableFilter filter =
        ComboQueryType->currentText().trimmed() == ByType ? TableFilter::Type : TableFilter::Specification;

    Recordset rs;
    if (!RunDbAction([&] { rs = SalesTotals::dishSales(level, filter, params); }) || rs.empty())
        return;
    Money total;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        const QString amount = amountText(Money::fromVariant(rs.field(QStringLiteral("amount"))));
        const int row = ListView1->add(rs.field(QStringLiteral("food_code")).toString());
        ListView1->setSubItem(row, 1, rs.field(QStringLiteral("food_name")).toString());
        ListView1->setSubItem(row, 2, amountText(Money::fromVariant(rs.field(QStringLiteral("price")))));
        ListView1->setSubItem(row, 3, Money::fromVariant(rs.field(QStringLiteral("quantity"))).plain());
        ListView1->setSubItem(row, 4, amount);
        // The total adds the amounts as shown, so it equals the sum of the rows.
        total += Money::parse(amount);
    }
    const int row = ListView1->add(QStringLiteral("合计"));
    for (int c = 1; c <= 3; ++c)
        ListView1->setSubItem(row, c, QStringLiteral(" "));
    ListView1->setSubItem(row, 4, amountText(total));
}

void FrmDDTJ::TreeView1_NodeClick()
{
    // Choosing a node changes nothing until the query runs.
}
