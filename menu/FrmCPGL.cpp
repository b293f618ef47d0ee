#include "menu/FrmCPGL.h"

#include <QStyle>
#include "db/Database.h"
#include "db/LikePattern.h"
#include "db/Recordset.h"
#include "menu/MenuRecords.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/TextWidth.h"

TABULOR_REGISTER_FORM(FrmCPGL);

namespace {

const QString Title = QStringLiteral("提示");
const QString InfoTitle = QStringLiteral("信息提示");

// The dish list reads every dish with its category's name in one statement.
const QString DishQuery = QStringLiteral(
    "select d.code, d.cpname, d.cp_type, d.base_price, d.cp_danwei, d.cp_price, d.real_price, d.cp_status, "
    "c.cname, d.ty_reason, d.cp_memo from cpdetail d left join cpclass c on c.code = d.cp_classid ");

} // namespace

FrmCPGL::FrmCPGL()
{
    setWindowTitle(QStringLiteral("菜品管理"));
    setClientSizeTwips(12660, 8460);
    // The window's font is the 9-point CJK face whose half-width column is
    // 90 twips: the printed menu is measured in it (the list keeps its own).
    QFont windowFont(QStringLiteral("Noto Sans Mono CJK SC"));
    windowFont.setPointSize(9);
    setFont(windowFont);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 12660, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    QStyle* st = style();
    const struct { const char* caption; QStyle::StandardPixmap icon; } buttons[] = {
        {"类别", QStyle::SP_DirIcon},           {"新增", QStyle::SP_FileDialogNewFolder},
        {"修改", QStyle::SP_FileDialogDetailedView}, {"删除", QStyle::SP_TrashIcon},
        {"停用", QStyle::SP_BrowserStop},        {"启用", QStyle::SP_DialogApplyButton},
        {"构成", QStyle::SP_FileDialogListView}, {"打印", QStyle::SP_DriveFDIcon},
        {"帮助", QStyle::SP_DialogHelpButton},   {"退出", QStyle::SP_DialogCloseButton},
    };
    for (const auto& b : buttons)
        Toolbar1->addButton(QString::fromUtf8(b.caption), {}, st->standardIcon(b.icon));
    Toolbar1->setButtonVisible(BtnMakeup, false);
    Toolbar1->setButtonVisible(BtnHelp, false);

    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 60, 960, 2655, 7440);
    TreeView1->setRootIsDecorated(true);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 2775, 960, 9825, 7440);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmCPGL::Toolbar1_ButtonClick);
    connect(TreeView1, &TreeView::nodeClick, this, [this] { TreeView1_NodeClick(); });
    // Buttons 5 and 6 describe the selected dish however the selection moved
    // (a click, the keys, a drag across the rows).
    connect(ListView1, &ListView::selectionChanged, this, &FrmCPGL::ListView1_ItemClick);
}

void FrmCPGL::Form_Load()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const struct { const char* caption; int width; Qt::Alignment align; } columns[] = {
        {"编码", 700, Qt::AlignLeft},     {"名称", 1200, Qt::AlignLeft},    {"单位", 600, Qt::AlignLeft},
        {"基本价位", 900, Qt::AlignRight}, {"打折率", 800, Qt::AlignRight},  {"售价", 800, Qt::AlignRight},
        {"是否时价", 0, Qt::AlignLeft},    {"是否停用", 900, Qt::AlignLeft}, {"类别", 900, Qt::AlignLeft},
        {"停用原因", 1500, Qt::AlignLeft}, {"备注", 1500, Qt::AlignLeft},
    };
    for (const auto& c : columns)
        ListView1->addColumn(QString::fromUtf8(c.caption), c.width, c.align);
    TreeViewInit();
}

void FrmCPGL::TreeViewInit()
{
    {
        const QSignalBlocker block(TreeView1);
        RunDbAction([&] { Menu::fillCategoryTree(TreeView1, false); });
        if (TreeView1->nodeCount() == 0)   // the read failed before the root was added
            TreeView1->addNode({}, Menu::RootKey, Menu::RootText);
        TreeView1->selectKey(Menu::RootKey);
    }
    // With no category at all this lists nothing, unless dishes lost theirs.
    TreeViewDetail();
    TreeView1->expandAll();
}

void FrmCPGL::addDishRow(const Recordset& rs)
{
    const QString code = rs.field(QStringLiteral("code")).toString();
    const int row = ListView1->add(code.trimmed(), code);
    const QVariant reason = rs.field(QStringLiteral("ty_reason"));
    const QString cells[] = {
        rs.text(QStringLiteral("cpname")),
        rs.text(QStringLiteral("cp_type")),
        Menu::priceCell(rs.field(QStringLiteral("base_price"))),
        Menu::rateCell(rs.field(QStringLiteral("cp_danwei"))),
        Menu::priceCell(rs.field(QStringLiteral("cp_price"))),
        Menu::yesNo(Menu::isFlagSet(rs.field(QStringLiteral("real_price")))),
        Menu::yesNo(Menu::isFlagSet(rs.field(QStringLiteral("cp_status")))),
        rs.text(QStringLiteral("cname")),
        reason.isNull() ? QStringLiteral("   ") : reason.toString().trimmed(),
        rs.text(QStringLiteral("cp_memo")),
    };
    for (int c = ColName; c <= ColMemo; ++c)
        ListView1->setSubItem(row, c, cells[c - 1]);
}

void FrmCPGL::TreeViewDetail()
{
    ListView1->clear();
    const QString key = TreeView1->selectedKey();
    const QString category = Menu::categoryCodeOfKey(key);
    RunDbAction([&] {
        Recordset rs;
        if (category.isEmpty()) {
            rs.open(DishQuery + QStringLiteral("order by d.code, d.rowid"));
        } else if (Menu::isTopKey(key)) {
            // A top category lists the dishes of all its sub-categories.
            rs.open(DishQuery + QStringLiteral("where d.cp_classid like ? escape '\\' order by d.code, d.rowid"),
                    {LikePattern::prefix(category)});
        } else {
            rs.open(DishQuery + QStringLiteral("where d.cp_classid = ? order by d.code, d.rowid"), {category});
        }
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            addDishRow(rs);
    });
    const bool any = ListView1->count() > 0;
    for (int b : {BtnEdit, BtnDelete, BtnDisable, BtnEnable})
        Toolbar1->setButtonEnabled(b, any);
    if (any) {
        ListView1->select(0);
        setButtonsFromRow(0);
    }
}

// A disabled dish can be enabled, any other disabled.
void FrmCPGL::setButtonsFromRow(int row)
{
    if (row < 0 || row >= ListView1->count())
        return;
    const bool disabled = ListView1->subItem(row, ColDisabled) == QStringLiteral("是");
    Toolbar1->setButtonEnabled(BtnDisable, !disabled);
    Toolbar1->setButtonEnabled(BtnEnable, disabled);
}

void FrmCPGL::Form_Activate()
{
    if (ListView1->count() > 0)
        setButtonsFromRow(ListView1->selectedRow());
}

void FrmCPGL::ListView1_ItemClick(int row)
{
    setButtonsFromRow(row);
}

void FrmCPGL::TreeView1_NodeClick()
{
    TreeViewDetail();
}

QString FrmCPGL::selectedDishCode() const
{
    const int row = ListView1->selectedRow();
    return row < 0 ? QString() : ListView1->key(row);
}

void FrmCPGL::Toolbar1_ButtonClick(int index)
{
    const bool noDish = selectedDishCode().isEmpty();
    switch (index) {
    case BtnCategories:
        Forms::showModalByName(QStringLiteral("FrmLBSZ"));
        Form_Activate();
        break;
    case BtnNew:
        Forms::showModalByName(QStringLiteral("FrmXZCP"));
        Form_Activate();
        break;
    case BtnEdit:
        if (noDish) {
            MsgBox(QStringLiteral("您还没有选择要修改的菜品啊！"), Msg::Information);
            break;
        }
        Forms::showModalByName(QStringLiteral("FrmXGCP"));
        Form_Activate();
        break;
    case BtnDelete:
        if (noDish) {
            MsgBox(QStringLiteral("您还没有选择要删除的菜品啊！"), Msg::Information);
            break;
        }
        DeleteDish();
        TreeViewDetail();
        break;
    case BtnDisable:
        if (noDish) {
            MsgBox(QStringLiteral("没有选择任何菜品!"));
            break;
        }
        Forms::showModalByName(QStringLiteral("FrmTYCP"));
        Form_Activate();
        break;
    case BtnEnable:
        if (noDish) {
            MsgBox(QStringLiteral("没有选择任何菜品!"));
            break;
        }
        EnableDish();
        break;
    case BtnPrint:
        if (!PrinterMissingCheck())
            PrintMenu();
        break;
    case BtnExit:
        Unload();
        break;
    default:   // 构成 and 帮助 are hidden and do nothing
        break;
    }
}

// A dish that has been ordered (a returned line counts too) is kept: it can
// only be disabled. The check is made again inside the delete, where another
// till's order would show.
void FrmCPGL::DeleteDish()
{
    const int row = ListView1->selectedRow();
    const QString code = ListView1->key(row);
    const QString orderedSql = QStringLiteral("select count(*) from strink_mess_200505 where food_code = ?");
    const QString refusal = QStringLiteral("此菜品已有销售记录,不可删除!");
    bool ordered = false;
    if (!RunDbAction([&] { ordered = Db::scalar(orderedSql, {code}).toInt() > 0; }))
        return;
    if (ordered) {
        MsgBox(refusal, Msg::Information, InfoTitle);
        return;
    }
    const QString question = QStringLiteral("是否删除[") + ListView1->subItem(row, ColName) + u']';
    if (MsgBox(question, Msg::OKCancel + Msg::Exclamation, Title) != Msg::OK)
        return;
    RunDbAction([&] {
        Transaction t;
        ordered = Db::scalar(orderedSql, {code}).toInt() > 0;
        if (ordered)
            return;
        Db::exec(QStringLiteral("delete from cpdetail where code = ?"), {code});
        t.commit();
    });
    if (ordered)
        MsgBox(refusal, Msg::Information, InfoTitle);
}

void FrmCPGL::EnableDish()
{
    Menu::Refusal refusal;
    if (!RunDbAction([&] { refusal = Menu::setDishDisabled(selectedDishCode(), false); }))
        return;
    // The reload selects the first row, and the buttons follow it.
    TreeViewDetail();
    if (refusal.any())
        refusal.show();
    else
        MsgBox(QStringLiteral("启用成功!"), Msg::Information, Title);
}

// The page is laid out in half-width columns of 90 twips: names fill 16 of
// them, prices 6, right-aligned under "单  价".
void FrmCPGL::PrintMenu()
{
    if (!CheckPrinterInstalled())
        return;
    struct Line {
        QString category, categoryName, name, price;
    };
    std::vector<Line> lines;
    if (!RunDbAction([&] {
            Recordset rs;
            rs.open(QStringLiteral("select d.cp_classid, c.cname, d.cpname, d.cp_price from cpdetail d "
                                   "join cpclass c on c.code = d.cp_classid order by d.cp_classid, d.code, d.rowid"));
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
                lines.push_back({rs.field(QStringLiteral("cp_classid")).toString(), rs.text(QStringLiteral("cname")),
                                 rs.text(QStringLiteral("cpname")), Menu::priceCell(rs.field(QStringLiteral("cp_price")))});
        }))
        return;
    if (lines.empty()) {
        MsgBox(QStringLiteral("无任何菜品!"), Msg::Exclamation, Title);
        return;
    }
    const QString rule = QStringLiteral("━━━━━━━━━━━");
    PrinterObject& p = PrinterSeam::printer();
    p.printLine(QStringLiteral("名    称 ") + QStringLiteral("       单  价"));
    const Line* previous = nullptr;
    for (const Line& line : lines) {
        if (!previous || previous->category != line.category) {
            p.printLine(rule);
            p.setBold(true);
            p.printLine(line.categoryName);
            p.setBold(false);
            p.printLine(rule);
        }
        p.printLine(line.name + QString(TextWidthPadding(line.name, 1440, font()), u' ')
                    + QString(TextWidthPadding(line.price, 540, font()), u' ') + line.price);
        previous = &line;
    }
    p.endDoc();
}
