#include "ordering/FrmDCKT.h"

#include <QFont>
#include <QRegularExpression>
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/StockPosting.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/TableState.h"
#include "ordering/OrderingData.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmDCKT);

namespace {

const QString Prompt = QStringLiteral("提示");
const QString InfoTitle = QStringLiteral("信息提示");
// The words of an ordered and a free line (read when used: the word table
// lives in another file).
QString orderedWord() { return Ordering::lineKindWord(Ordering::KindOrdered); }
QString freeWord() { return Ordering::lineKindWord(Ordering::KindFree); }
const QString SeatingGone = QStringLiteral("本台的开台记录已不在（可能已被清台或并台），没有保存。请关闭本窗口，在房台列表中重新打开。");
const QString TotalCaption = QStringLiteral("点菜金额合计：");

QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* l = new QLabel(text, parent);
    Twips::place(l, left, top, width, 300);
    return l;
}

QLabel* heading(QWidget* parent, const QString& text, int left, int top, int width)
{
    QLabel* l = caption(parent, text, left, top, width);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

FrmSYGL& board() { return Forms::get<FrmSYGL>(); }

// The othersts of a seated table's board word; empty for any other word.
QString stateOfWord(const QString& word)
{
    if (word == TableWord::InUse)
        return QStringLiteral("A");
    if (word == TableWord::Continued)
        return QStringLiteral("E");
    if (word == TableWord::Settled)
        return QStringLiteral("D");
    return {};
}

// The board's row of a table, -1 when the board does not show it: a board
// reload does not keep the selected row, so commands find their table's row.
int boardRowOf(const QString& tableId)
{
    const ListView* rows = board().ListView1;
    for (int r = 0; r < rows->count(); ++r)
        if (rows->subItem(r, FrmSYGL::ColTableId).trimmed() == tableId.trimmed())
            return r;
    return -1;
}

// The seating a board row names: its table's seating opened at the row's open
// time; with current, only while the table has not been cleared of it.
Recordset boardRowSeating(const QString& tableId, const QString& openTime, bool current)
{
    Recordset seating;
    seating.open(QStringLiteral("select use_table_id, serv_name, cust_name from use_table_200505 "
                                "where house_table_id = ? and start_date = ? ")
                     + (current ? QStringLiteral("and sts <> 'P' ") : QString())
                     + QStringLiteral("order by rowid limit 1"),
                 {tableId, openTime});
    return seating;
}

// The table of a seating as stored (invalid when there is no such seating);
// with current, only while the seating has not been cleared.
QVariant seatingTable(const QString& seatingId, bool current)
{
    return Db::scalar(QStringLiteral("select house_table_id from use_table_200505 where use_table_id = ? ")
                          + (current ? QStringLiteral("and sts <> 'P' ") : QString())
                          + QStringLiteral("order by rowid limit 1"),
                      {seatingId});
}

} // namespace

FrmDCKT* FrmDCKT::ifOpen()
{
    return qobject_cast<FrmDCKT*>(Forms::find(QStringLiteral("FrmDCKT")));
}

FrmDCKT::FrmDCKT()
{
    setWindowTitle(QStringLiteral("点菜开台"));
    setClientSizeTwips(12600, 7860);
    setFixedSize(size());

    // Toolbar: ten buttons by index; each face carries its caption.
    Toolbar1 = new Toolbar(this);
    Toolbar1->setIconSize(QSize(ImageList1.imageSize(), ImageList1.imageSize()));
    const struct { const char* key; const char* caption; const char* symbol; QColor colour; } buttons[] = {
        {"开台", "开台", "开", QColor(40, 150, 60)},   {"转台", "转台", "转", QColor(230, 130, 0)},
        {"并台", "并台", "并", QColor(140, 80, 190)},  {"落单", "落单", "落", QColor(60, 120, 200)},
        {"退赠单", "退/赠单", "退", QColor(200, 90, 40)}, {"起菜", "起菜", "起", QColor(90, 90, 90)},
        {"说明", "说明", "说", QColor(90, 90, 90)},    {"结账", "结帐", "结", QColor(200, 40, 40)},
        {"续单", "续单", "续", QColor(170, 0, 170)},   {"退出", "退出", "出", QColor(110, 110, 110)},
    };
    for (const auto& b : buttons) {
        const int i = ImageList1.add(Pictures::badge(QString::fromUtf8(b.symbol), b.colour, ImageList1.imageSize()));
        Toolbar1->addButton(QString::fromUtf8(b.caption), QString::fromUtf8(b.key), ImageList1.icon(i));
    }
    Toolbar1->addButtonMenu(BtnReturnFree, QStringLiteral("退单"), QStringLiteral("退单"));
    Toolbar1->addButtonMenu(BtnReturnFree, QStringLiteral("赠单"), QStringLiteral("赠单"));
    for (int hidden : {BtnTransfer, BtnMerge, BtnStart, BtnNote})
        Toolbar1->setButtonVisible(hidden, false);
    Toolbar1->setButtonEnabled(BtnStart, false);
    Twips::place(Toolbar1, 0, 0, 12600, 900);
    connect(Toolbar1, &Toolbar::buttonClick, this, [this](int index) { Toolbar1_ButtonClick(index); });

    // Seating header, left.
    Label7 = heading(this, QStringLiteral("开台信息"), 60, 960, 3300);
    const char* headerLabels[] = {"系统编号", "房台名称", "所属部门", "服 务 员", "点 菜 员"};
    QLineEdit** headerBoxes[] = {&TxtXTBH, &TxtFTMC, &TxtSSBM, &TxtFWY, &TxtDCY};
    for (int i = 0; i < 5; ++i) {
        caption(this, QString::fromUtf8(headerLabels[i]), 120, 1305 + i * 390, 900);
        auto* box = new QLineEdit(this);
        ReadOnlyKeyFilter(box);
        Twips::place(box, 1020, 1275 + i * 390, 2280, 345);
        *headerBoxes[i] = box;
    }
    KTXQ = new QPushButton(QStringLiteral("开台详情(&X)"), this);
    KTXQ->setEnabled(false);
    Twips::place(KTXQ, 120, 3270, 1560, 420);
    Command4 = new QPushButton(QStringLiteral("汇 总"), this);
    Twips::place(Command4, 1740, 3270, 1560, 420);
    for (QPushButton* b : {KTXQ, Command4})
        b->setAutoDefault(false);
    connect(KTXQ, &QPushButton::clicked, this, [this] { KTXQ_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // Menu tree, left below.
    Label4 = heading(this, QStringLiteral("菜    谱"), 60, 3780, 3300);
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 60, 4080, 3300, 3660);

    // Lines, right.
    Label6 = heading(this, QStringLiteral("消费信息"), 3480, 960, 9060);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 3480, 1260, 9060, 5340);

    // Entry boxes under the lines.
    caption(this, QStringLiteral("编码查询"), 3480, 6750, 900);
    Text1 = new QLineEdit(this);
    Twips::place(Text1, 4380, 6720, 1800, 345);
    QuoteKeyFilter(Text1);
    caption(this, QStringLiteral("名    称"), 6360, 6750, 900);
    TxtMC = new QLineEdit(this);
    Twips::place(TxtMC, 7260, 6720, 2400, 345);
    ReadOnlyKeyFilter(TxtMC);
    caption(this, QStringLiteral("数    量"), 9840, 6750, 900);
    TxtSL = new QLineEdit(this);
    Twips::place(TxtSL, 10740, 6720, 900, 345);
    MaxLengthFilter(TxtSL, 3);
    DigitKeyFilter(TxtSL);
    Txtbm = new QLineEdit(this);
    Txtbm->setVisible(false);

    // The search list stands over the lines, just above the quick-code box.
    ListView2 = new ListView(this);
    Twips::place(ListView2, 4380, 4140, 2640, 2520);
    ListView2->setVisible(false);

    LabCPJE = new QLabel(QStringLiteral("消费金额总计："), this);
    Twips::place(LabCPJE, 3480, 7230, 4500, 420);
    QFont total = LabCPJE->font();
    total.setBold(true);
    total.setPointSize(total.pointSize() + 3);
    LabCPJE->setFont(total);
    LabCPJE->setStyleSheet(QStringLiteral("color: #b00000;"));
    Label11 = caption(this, QStringLiteral("金额共计："), 8280, 7290, 2000);
    Label9 = caption(this, QStringLiteral("洒水共计："), 10380, 7290, 2000);

    setTabOrder(Text1, TxtSL);

    connect(Toolbar1, &Toolbar::buttonMenuClick, this, [this](int, int item) { Toolbar1_ButtonMenuClick(item); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    OnEnter(Text1, [this] { Text1_Enter(); });
    connect(ListView2, &ListView::itemClick, this, [this](int) { ListView2_Click(); });
    OnEnter(ListView2->reportView(), [this] { ListView2_Click(); });
    connect(TreeView1, &TreeView::nodeClick, this, [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });
    OnEnter(TxtSL, [this] { TxtSL_Enter(); });
    connect(ListView1, &ListView::itemDoubleClick, this, [this](int) { ListView1_DblClick(); });
}

// ---- load and activation -----------------------------------------------------

void FrmDCKT::Form_Load()
{
    m_AutoOpenPending = true;
    m_SeatingSeen = {};
    RunDbAction([&] {
        // Letter case counts here, though the column compares without it.
        Recordset rs;
        rs.open(QStringLiteral("select XTCS_VALUE from SYSXTCS where XTCS_NAME = 'Associate' order by rowid"));
        m_StockLinked = rs.empty() || (!rs.field(0).isNull() && rs.field(0).toString() == u"Yes");
    });
    Module1::TableOpened = false;
    DishTreeInit();
    ListViewColumnsInit();
    const QString word = board().current(FrmSYGL::ColState);
    m_tableId = board().current(FrmSYGL::ColTableId);
    enableByWord(word.trimmed());
    if (Module1::TransferTableMode)
        transferLoad();
    else
        normalLoad(word);
    Text1->setFocus();
}

void FrmDCKT::Form_Shown()
{
    Form_Activate();
}

void FrmDCKT::Form_Activate()
{
    m_AlreadyPlaced = false;
    if (Toolbar1->buttonEnabled(BtnOpen) && m_AutoOpenPending) {
        m_AutoOpenPending = false;
        showOwnDialog(QStringLiteral("FrmKTXX"));
    }
}

void FrmDCKT::showOwnDialog(const QString& name)
{
    Forms::showModalByName(name);
    if (ifOpen() == this)
        Form_Activate();
}

void FrmDCKT::enableByWord(const QString& word)
{
    const bool free = word == TableWord::Free || word == TableWord::Reserved;
    const bool settled = word == TableWord::Settled;
    const bool seated = !free && !settled;
    Toolbar1->setButtonEnabled(BtnOpen, free);
    Toolbar1->setButtonEnabled(BtnPlace, seated);
    Toolbar1->setButtonEnabled(BtnReturnFree, seated);
    Toolbar1->setButtonEnabled(BtnCheckout, seated);
    Toolbar1->setButtonEnabled(BtnContinue, settled);
}

void FrmDCKT::normalLoad(const QString& word)
{
    if (word == TableWord::Free) {
        loadLines();   // no seating: no line, a total of 0
        return;
    }
    if (word == TableWord::Reserved)
        return;
    Module1::TableOpened = true;
    FrmSYGL& b = board();
    const QString tableId = b.current(FrmSYGL::ColTableId);
    const QString openTime = b.current(FrmSYGL::ColOpenTime);
    bool found = false;
    const bool read = RunDbAction([&] {
        const Recordset seating = boardRowSeating(tableId, openTime, false);
        if (seating.empty())
            return;
        if (const auto table = Ordering::tableRow(tableId)) {
            TxtFTMC->setText(table->name);
            TxtSSBM->setText(table->typeName);
        }
        TxtXTBH->setText(seating.text(QStringLiteral("use_table_id")));
        TxtFWY->setText(seating.text(QStringLiteral("serv_name")));
        TxtDCY->setText(seating.text(QStringLiteral("cust_name")));
        m_SeatingSeen = Ordering::seeSeating(TxtXTBH->text());
        // The window acts on the word the board showed: a table stored in
        // another state by now has been changed since.
        const QString shown = stateOfWord(word.trimmed());
        if (!shown.isEmpty())
            m_SeatingSeen.tableState = shown;
        found = true;
    });
    if (!found) {
        showNoSeating();
        if (read)
            MsgBox(QStringLiteral("找不到本房台的开台记录，请关闭本窗口，在房台列表中刷新后再试。"), Msg::Exclamation, Prompt);
        return;
    }
    KTXQ->setEnabled(true);
    Toolbar1->setButtonEnabled(BtnOpen, false);
    loadLines();
}

// The board named a seating that is not there (cleared or moved by another
// till): nothing can be ordered or settled here.
void FrmDCKT::showNoSeating()
{
    Module1::TableOpened = false;
    for (QLineEdit* box : {TxtXTBH, TxtFTMC, TxtSSBM, TxtFWY, TxtDCY})
        box->clear();
    KTXQ->setEnabled(false);
    for (int button : {BtnPlace, BtnReturnFree, BtnCheckout, BtnContinue})
        Toolbar1->setButtonEnabled(button, false);
}

void FrmDCKT::transferLoad()
{
    FrmSYGL& b = board();
    const QString source = b.current(FrmSYGL::ColTableId);
    const QString openTime = b.current(FrmSYGL::ColOpenTime);
    const QString target = Module1::TargetTableId;
    QString refusal, failure;
    QString seatingId, waiter, taker, targetName, targetType;
    Ordering::SeatingSeen seen;
    try {
        Transaction tx;
        const Recordset seating = boardRowSeating(source, openTime, true);
        const auto table = Ordering::tableRow(target);
        if (seating.empty()) {
            refusal = QStringLiteral("找不到本房台的开台记录，转台没有完成，房台没有转移。");
        } else if (!table || table->state.toUpper() != u"C" || Ordering::tableHasSeating(target)) {
            // A table that looks free can still hold a seating (settled, not cleared).
            refusal = QStringLiteral("所选房台已不是空闲房台，转台没有完成，房台没有转移。");
        } else {
            seatingId = seating.text(QStringLiteral("use_table_id"));
            waiter = seating.text(QStringLiteral("serv_name"));
            taker = seating.text(QStringLiteral("cust_name"));
            targetName = table->name;
            targetType = table->typeName;
            Db::exec(QStringLiteral("update house_table set othersts = 'A' where table_id = ?"), {target});
            Db::exec(QStringLiteral("update use_table_200505 set house_table_id = ?, house_class = ? where use_table_id = ?"),
                     {target, targetType, seating.field(QStringLiteral("use_table_id"))});
            Db::exec(QStringLiteral("update house_table set othersts = 'C' where table_id = ?"), {source});
            seen = Ordering::seeSeating(seatingId);
            tx.commit();
        }
    } catch (const DbError& e) {
        failure = QStringLiteral("转台没有完成，房台没有转移。\n") + e.text;
    }
    if (!refusal.isEmpty() || !failure.isEmpty()) {
        // The picker has already said "转台成功!": say plainly that it did not happen.
        if (!refusal.isEmpty())
            MsgBox(refusal, Msg::Exclamation, Prompt);
        else
            MsgBox(failure, Msg::Exclamation, QStringLiteral("信息提示"));
        showNoSeating();
        b.ListView1Detail();
        Unload();
        return;
    }
    m_tableId = target;
    m_SeatingSeen = seen;
    TxtFTMC->setText(targetName);
    TxtSSBM->setText(targetType);
    TxtXTBH->setText(seatingId);
    TxtFWY->setText(waiter);
    TxtDCY->setText(taker);
    KTXQ->setEnabled(true);
    loadLines();
    b.ListView1Detail();
    Module1::TableOpened = true;
    Toolbar1->setButtonEnabled(BtnOpen, false);
}

void FrmDCKT::loadLines()
{
    ListView1->clear();
    const QString seatingId = TxtXTBH->text();
    RunDbAction([&] {
        Recordset lines;
        lines.open(QStringLiteral("select * from strink_mess_200505 where use_table_id = ? order by fsxh, rowid"),
                   {seatingId});
        for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext()) {
            const QString kind = lines.text(QStringLiteral("sts"));
            const Money quantity = Money::fromVariant(lines.field(QStringLiteral("food_num")));
            const Money price = Money::fromVariant(lines.field(QStringLiteral("price")));
            const auto number = [&](const char* column) {
                const QVariant v = lines.field(QString::fromLatin1(column));
                return v.isNull() ? QString() : Money::fromVariant(v).plain();
            };
            const QStringList cells = {
                lines.text(QStringLiteral("food_name")),
                lines.text(QStringLiteral("unit")),
                number("food_num"),
                number("price"),
                kind == Ordering::KindFree ? QStringLiteral("0") : price.times(quantity).plain(),
                lines.text(QStringLiteral("send_addr")),
                Ordering::NotServed,
                Ordering::lineKindWord(kind),
                Ordering::serveStateWord(lines.field(QStringLiteral("state"))),
                lines.text(QStringLiteral("memo")),
            };
            const QVariant fsxh = lines.field(QStringLiteral("fsxh"));
            appendLine(cells, lines.text(QStringLiteral("food_code")), fsxh.isNull() ? QVariant(-1) : fsxh);
        }
    });
    RenumberLines();
    ShowRunningTotal();
}

// ---- menu tree and lists --------------------------------------------------------

void FrmDCKT::DishTreeInit()
{
    TreeView1->clearNodes();
    RunDbAction([&] {
        // Categories in text order of their codes, each with its active
        // dishes; dishes filed under a top category itself are not listed.
        Recordset rs;
        rs.open(QStringLiteral(
            "select c.rowid as class_row, c.code as class_code, c.cname, c.parentcode, d.code as dish_code, d.cpname "
            "from cpclass c left join cpdetail d on d.cp_classid = c.code and coalesce(c.parentcode, '') <> '0' "
            "and (trim(d.cp_status) <> '1' or d.cp_status is null) "
            "order by c.code, c.rowid, d.rowid"));
        const QSignalBlocker block(TreeView1);
        QString lastTop, category;
        QVariant lastRow;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            if (rs.field(QStringLiteral("class_row")) != lastRow) {
                lastRow = rs.field(QStringLiteral("class_row"));
                const QString code = rs.field(QStringLiteral("class_code")).toString();
                const QVariant cname = rs.field(QStringLiteral("cname"));
                if (rs.field(QStringLiteral("parentcode")).toString() == u"0") {
                    lastTop = QStringLiteral("F") + code;
                    category.clear();
                    TreeView1->addNode({}, lastTop, rs.text(QStringLiteral("cname")));
                } else {
                    // A sub-category goes under the top category read last
                    // before it; one that sorts before every top category
                    // stands at the root.
                    category = QStringLiteral("S") + code;
                    TreeView1->addNode(lastTop, category, cname.isNull() ? QString() : cname.toString());
                }
            }
            const QVariant dish = rs.field(QStringLiteral("dish_code"));
            if (!dish.isNull() && !category.isEmpty()) {
                const QVariant name = rs.field(QStringLiteral("cpname"));
                TreeView1->addNode(category, QStringLiteral("T") + dish.toString(),
                                   name.isNull() ? QString() : name.toString());
            }
        }
        TreeView1->expandToDepth(0);
        // A current node from the start: the tree taking the focus picks no dish.
        if (TreeView1->topLevelItemCount() > 0)
            TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
    });
}

void FrmDCKT::ListViewColumnsInit()
{
    const Qt::Alignment centre = Qt::AlignHCenter;
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const struct { const char* caption; int width; } columns[] = {
        {"序号", 600}, {"菜品名称", 1600}, {"单位", 700}, {"数量", 700}, {"单价", 700}, {"金额", 700},
        {"出品", 700}, {"传菜", 0},       {"类别", 700}, {"状态", 700}, {"说明", 1400},
    };
    bool first = true;
    for (const auto& c : columns) {
        ListView1->addColumn(QString::fromUtf8(c.caption), c.width, first ? Qt::AlignLeft : centre);
        first = false;
    }
    ListView2->clear();
    ListView2->clearColumns();
    ListView2->setView(ListView::Report);
    ListView2->addColumn(QStringLiteral("菜品编码"), 900);
    ListView2->addColumn(QStringLiteral("菜品名称"), 1600, centre);
}

// ---- lines ------------------------------------------------------------------------

int FrmDCKT::appendLine(const QStringList& cells, const QString& dishCode, const QVariant& storedFsxh)
{
    const int row = ListView1->add(QString::number(ListView1->count() + 1), dishCode);
    for (int c = 0; c < cells.size(); ++c)
        ListView1->setSubItem(row, c + 1, cells[c]);
    if (storedFsxh.isValid())
        ListView1->setTag(row, storedFsxh.toInt());
    return row;
}

QString FrmDCKT::lineDishCode(int row) const { return ListView1->key(row); }

bool FrmDCKT::lineStored(int row) const { return ListView1->tag(row).isValid(); }

int FrmDCKT::lineFsxh(int row) const { return lineStored(row) ? ListView1->tag(row).toInt() : -1; }

void FrmDCKT::markLineStored(int row, int fsxh) { ListView1->setTag(row, fsxh); }

void FrmDCKT::RenumberLines()
{
    for (int r = 0; r < ListView1->count(); ++r)
        ListView1->setText(r, QString::number(r + 1));
}

void FrmDCKT::ShowRunningTotal()
{
    Money sum;
    for (int r = 0; r < ListView1->count(); ++r)
        sum += Money::parse(ListView1->subItem(r, ColAmount));
    LabCPJE->setText(TotalCaption + sum.plain());
}

// ---- dish entry -------------------------------------------------------------------

void FrmDCKT::Text1_Change()
{
    const QString text = Text1->text();
    if (text.isEmpty()) {
        ListView2->setVisible(false);   // the hits stay for the next search
        return;
    }
    ListView2->clear();
    ListView2->setVisible(true);
    ListView2->raise();
    // Digits are searched in code order, letters in name order. The text
    // goes into the pattern as typed: "%" and "_" are wildcards.
    static const QRegularExpression numeric(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    const bool byCode = numeric.match(text.trimmed()).hasMatch();
    const QString pattern = text + u'%';
    RunDbAction([&] {
        Recordset hits;
        hits.open(QStringLiteral("select code, cpname from cpdetail where (spellcode like ? or code like ?) "
                                 "and (trim(cp_status) <> '1' or cp_status is null) order by ")
                      + (byCode ? QStringLiteral("rtrim(code)") : QStringLiteral("rtrim(cpname)"))
                      + QStringLiteral(", rowid"),
                  {pattern, pattern});
        for (hits.MoveFirst(); !hits.isEOF(); hits.MoveNext()) {
            const int row = ListView2->add(hits.text(QStringLiteral("code")), hits.field(QStringLiteral("code")).toString());
            ListView2->setSubItem(row, 1, hits.text(QStringLiteral("cpname")));
        }
    });
}

void FrmDCKT::Text1_Enter()
{
    if (ListView2->isVisible() && ListView2->count() == 0)
        return;
    if (Text1->text().trimmed().isEmpty()) {
        // Enter in the empty box places the order, whether or not button 4 is enabled.
        Toolbar1_ButtonClick(BtnPlace);
        return;
    }
    if (ListView2->count() > 0)
        takeDish(ListView2->key(0));
}

void FrmDCKT::ListView2_Click()
{
    const int row = ListView2->selectedRow();
    if (ListView2->count() == 0 || row < 0)
        return;
    takeDish(ListView2->key(row));
}

// Makes a dish the current dish and proposes one portion; false when the dish
// is no longer on the menu (the current dish is then none).
bool FrmDCKT::takeDish(const QString& code)
{
    m_DishCode.clear();
    m_DishName.clear();
    m_DishUnit.clear();
    m_DishDept.clear();
    m_DishPrice = Money();
    bool found = false;
    RunDbAction([&] {
        Recordset dish;
        dish.open(QStringLiteral("select code, cpname, cp_type, cp_price, cp_part from cpdetail where code = ? "
                                 "order by rowid limit 1"),
                  {code});
        if (dish.empty())
            return;
        const auto raw = [&](const char* column) {
            const QVariant v = dish.field(QString::fromLatin1(column));
            return v.isNull() ? QString() : v.toString();
        };
        m_DishCode = raw("code");
        m_DishName = raw("cpname");
        m_DishUnit = raw("cp_type");
        m_DishDept = raw("cp_part");
        m_DishPrice = Money::fromVariant(dish.field(QStringLiteral("cp_price")));
        found = true;
    });
    Txtbm->setText(m_DishCode);
    TxtMC->setText(m_DishName);
    if (!found)
        return false;
    TxtSL->setText(QStringLiteral("1"));
    ListView2->setVisible(false);
    TxtSL->setFocus();
    TxtSL->selectAll();
    return true;
}

void FrmDCKT::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    if (!node || node->childCount() > 0)
        return;
    if (!Module1::TableOpened) {
        MsgBox(QStringLiteral("只有开台状态下才能点菜"), Msg::Exclamation, Prompt);
        return;
    }
    const QString key = TreeView::keyOf(node);
    if (!key.startsWith(u'T') || !takeDish(key.mid(1))) {
        MsgBox(QStringLiteral("没有该类菜品信息！"), Msg::Exclamation);
        return;
    }
    TxtSL_Enter();
}

int FrmDCKT::unplacedLineOf(const QString& dishCode) const
{
    for (int r = 0; r < ListView1->count(); ++r)
        if (!lineStored(r) && lineDishCode(r) == dishCode)
            return r;
    return -1;
}

void FrmDCKT::TxtSL_Enter()
{
    if (!Module1::TableOpened) {
        MsgBox(QStringLiteral("只有“在用”或“续单”状态下才能点菜"), Msg::Exclamation, Prompt);
        return;
    }
    if (TxtSL->text().isEmpty() || (Txtbm->text().isEmpty() && TxtMC->text().isEmpty())) {
        MsgBox(QStringLiteral("商品信息输入不全，请您确认!"), Msg::Information);
        return;
    }
    const int quantity = TxtSL->text().trimmed().toInt();   // digits only, 0 to 999
    const int target = unplacedLineOf(m_DishCode);
    if (IsAssociateOn() && stockRefuses(target, quantity))
        return;
    const Money portions = Money::fromUnits(quantity * Money::Scale);
    const Money amount = Ordering::lineAmount(m_DishPrice, portions);
    if (target < 0) {
        appendLine({TxtMC->text().trimmed(), m_DishUnit.trimmed(), QString::number(quantity), m_DishPrice.plain(),
                    amount.plain(), m_DishDept.trimmed(), Ordering::NotServed, orderedWord(), Ordering::serveStateWord(0), QString()},
                   m_DishCode);
    } else {
        ListView1->setSubItem(target, ColQuantity,
                              (Money::parse(ListView1->subItem(target, ColQuantity)) + portions).plain());
        ListView1->setSubItem(target, ColAmount, (Money::parse(ListView1->subItem(target, ColAmount)) + amount).plain());
    }
    ShowRunningTotal();
    m_OrderPlaced = false;
    m_AlreadyPlaced = false;
    Txtbm->clear();
    TxtMC->clear();
    TxtSL->clear();
    Text1->clear();
    Text1->setFocus();
}

// The stock check of an entry while sales are linked to stock: the goods of
// a linked dish must cover the line's quantity after the entry. One portion
// is one unit of goods.
bool FrmDCKT::stockRefuses(int target, int quantity)
{
    QString refusal;
    const bool read = RunDbAction([&] {
        Recordset link;
        link.open(QStringLiteral("select cp_spgl, cp_glbl from cpdetail where code = ? order by rowid limit 1"),
                  {Txtbm->text().trimmed()});
        if (link.empty() || link.text(QStringLiteral("cp_spgl")).isEmpty())
            return;
        const auto counter = StockPosting::counter(link.field(QStringLiteral("cp_spgl")).toString());
        if (!m_StockLinked)
            return;
        if (!counter) {
            refusal = QStringLiteral("没有商品入库信息！");
            return;
        }
        Money wanted = Money::fromUnits(quantity * Money::Scale);
        if (target >= 0)
            wanted += Money::parse(ListView1->subItem(target, ColQuantity));
        if (counter->onHand() < wanted)
            refusal = QStringLiteral("没有足够商品可以出售！");
    });
    if (!refusal.isEmpty())
        MsgBox(refusal, Msg::Exclamation);
    return !read || !refusal.isEmpty();
}

bool FrmDCKT::IsAssociateOn()
{
    bool on = false;
    RunDbAction([&] {
        Recordset rs;
        rs.open(QStringLiteral("select XTCS_VALUE from SYSXTCS where XTCS_NAME = 'Associate' order by rowid"));
        on = !rs.empty() && rs.text(QStringLiteral("XTCS_VALUE")) == u"Yes";
    });
    return on;
}

void FrmDCKT::ListView1_DblClick()
{
    const int row = ListView1->selectedRow();
    if (ListView1->count() == 0 || row < 0)
        return;
    if (lineStored(row)) {
        MsgBox(QStringLiteral("此菜已落单，不能删除！"), Msg::Exclamation);
        return;
    }
    if (MsgBox(QStringLiteral("是否确认移除此项"), Msg::OKCancel + Msg::Exclamation, Prompt) != Msg::OK)
        return;
    // Only the shown numbers change: a stored line keeps its stored fsxh.
    ListView1->remove(row);
    RenumberLines();
    ShowRunningTotal();
}

// ---- placing the order and free dishes ----------------------------------------------

bool FrmDCKT::storeLines(const std::vector<int>& rows, const QString& kind, const QString& note)
{
    if (rows.empty())
        return true;
    const QString seatingId = m_SeatingSeen.seatingId;
    QString refusal;
    std::vector<int> numbers;
    const bool stored = RunDbAction([&] {
        Transaction tx;
        refusal = Ordering::seatingChange(m_SeatingSeen);
        if (!refusal.isEmpty())
            return;
        // Numbered on from the seating's stored lines, whatever the list shows.
        int next = Ordering::nextLineNumber(seatingId);
        for (int r : rows) {
            Ordering::StoredLine line;
            line.seatingId = seatingId;
            line.fsxh = next++;
            line.dishCode = lineDishCode(r);
            line.dishName = ListView1->subItem(r, ColName);
            line.unit = ListView1->subItem(r, ColUnit);
            line.quantity = Money::parse(ListView1->subItem(r, ColQuantity));
            line.price = Money::parse(ListView1->subItem(r, ColPrice));
            line.kind = kind.isEmpty() ? Ordering::lineKindCode(ListView1->subItem(r, ColKind)) : kind;
            line.state = Ordering::serveStateCode(ListView1->subItem(r, ColState));
            line.memo = ListView1->subItem(r, ColMemo);
            Recordset dish;
            dish.open(QStringLiteral("select cp_part, cp_spgl from cpdetail where code = ? order by rowid limit 1"),
                      {line.dishCode});
            line.dept = dish.empty() ? ListView1->subItem(r, ColDept) : dish.text(QStringLiteral("cp_part"));
            Ordering::insertLine(line);
            // Linked goods are booked out whatever the sales-to-stock switch says.
            if (!dish.empty() && !dish.text(QStringLiteral("cp_spgl")).isEmpty())
                StockPosting::bookSale(dish.field(QStringLiteral("cp_spgl")).toString(), line.quantity, line.price, note,
                                       {Module1::OperatorId, Module1::OperatorCode});
            numbers.push_back(line.fsxh);
        }
        tx.commit();
    });
    if (!refusal.isEmpty()) {
        MsgBox(refusal, Msg::Exclamation, Prompt);
        return false;
    }
    if (!stored)
        return false;
    for (size_t i = 0; i < rows.size(); ++i)
        markLineStored(rows[i], numbers[i]);
    return true;
}

void FrmDCKT::PlaceOrder()
{
    std::vector<int> unplaced;
    for (int r = 0; r < ListView1->count(); ++r)
        if (!lineStored(r))
            unplaced.push_back(r);
    // All or nothing: on a failure the flags and button 8 stay as they were.
    if (!storeLines(unplaced, {}, QStringLiteral("吧台销售")))
        return;
    m_OrderPlaced = true;
    MsgBox(QStringLiteral("落单完成!"), Msg::Information);
    m_AlreadyPlaced = true;
    Toolbar1->setButtonEnabled(BtnCheckout, true);
}

void FrmDCKT::GiveSelectedLineFree()
{
    const int row = ListView1->selectedRow();
    if (row < 0 || !storeLines({row}, Ordering::KindFree, freeWord()))
        return;
    ListView1->setSubItem(row, ColAmount, QStringLiteral("0"));
    ListView1->setSubItem(row, ColKind, freeWord());
    ShowRunningTotal();
}

// ---- commands ---------------------------------------------------------------------

void FrmDCKT::Command4_Click()
{
    showOwnDialog(QStringLiteral("FrmSFHZ"));
}

void FrmDCKT::KTXQ_Click()
{
    showOwnDialog(QStringLiteral("FrmKTXQ"));
}

void FrmDCKT::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnOpen:
        showOwnDialog(QStringLiteral("FrmKTXX"));
        break;
    case BtnPlace:
        placeOrderCommand();
        break;
    case BtnReturnFree:
        returnCommand();
        break;
    case BtnCheckout:
        checkoutCommand();
        break;
    case BtnContinue:
        continueCommand();
        break;
    case BtnExit:
        Unload();
        break;
    default:   // 2, 3, 6 and 7 do nothing
        break;
    }
}

void FrmDCKT::Toolbar1_ButtonMenuClick(int item)
{
    if (item == 1)
        returnCommand();
    else if (item == 2)
        freeCommand();
}

// The board's word for this window's own table.
QString FrmDCKT::ownBoardWord() const
{
    const int row = boardRowOf(m_tableId);
    return row < 0 ? QString() : board().ListView1->subItem(row, FrmSYGL::ColState).trimmed();
}

void FrmDCKT::placeOrderCommand()
{
    if (ownBoardWord() == TableWord::Settled) {
        if (!Module1::RefundAllowed) {
            MsgBox(QStringLiteral("已结帐，不能落单"), Msg::Exclamation, Prompt);
            return;
        }
        if (MsgBox(QStringLiteral("本桌已经结帐完毕，是否仍要落单"), Msg::YesNo) != Msg::Yes)
            return;
    }
    if (!Module1::TableOpened) {
        MsgBox(QStringLiteral("只有“在用”或“续单”状态下才能点菜"), Msg::Exclamation, Prompt);
        return;
    }
    if (ListView1->count() == 0) {
        MsgBox(QStringLiteral("只有点菜后才可落单!"), Msg::Information, Prompt);
        return;
    }
    if (m_AlreadyPlaced) {
        MsgBox(QStringLiteral("已执行完落单操做!"), Msg::Information, InfoTitle);
        return;
    }
    if (MsgBox(QStringLiteral("确定要落单吗?"), Msg::YesNo + Msg::Question, InfoTitle) == Msg::Yes)
        PlaceOrder();
}

bool FrmDCKT::CanReturnSelectedLine()
{
    const int row = ListView1->selectedRow();
    if (row < 0)
        return false;
    QString settleMark;
    bool stored = false;
    if (lineStored(row)) {
        RunDbAction([&] {
            Recordset line;
            line.open(QStringLiteral("select account_sts from strink_mess_200505 where use_table_id = ? and fsxh = ? "
                                     "order by rowid limit 1"),
                      {TxtXTBH->text(), lineFsxh(row)});
            stored = !line.empty();
            if (stored)
                settleMark = line.text(QStringLiteral("account_sts"));
        });
    }
    if (!stored) {
        MsgBox(QStringLiteral("没有落单!"), Msg::Information, InfoTitle);
        return false;
    }
    if (settleMark == u"0")
        return true;
    // A settled line: returns after checkout follow the refund switch.
    bool found = false;
    QString value;
    RunDbAction([&] {
        Recordset rs;
        rs.open(QStringLiteral("select XTCS_VALUE from SYSXTCS where XTCS_NAME = 'AllowRefundment' order by rowid"));
        found = !rs.empty();
        if (found)
            value = rs.text(QStringLiteral("XTCS_VALUE"));
    });
    if (!found)
        return Module1::RefundAllowed;
    bool number = false;
    const double v = value.toDouble(&number);
    if (number && v == 1) {
        Module1::RefundAllowed = true;
        return true;
    }
    Module1::RefundAllowed = false;
    MsgBox(QStringLiteral("结帐后不可以退款!"), Msg::Information, InfoTitle);
    return false;
}

void FrmDCKT::returnCommand()
{
    if (ListView1->count() == 0) {
        MsgBox(QStringLiteral("只有“落单”之后才能退菜！"), Msg::Exclamation);
        return;
    }
    const int row = ListView1->selectedRow();
    if (row < 0 || !CanReturnSelectedLine())
        return;
    if (ListView1->subItem(row, ColKind) == freeWord()) {
        MsgBox(QStringLiteral("此菜为赠单！"), Msg::Exclamation, Prompt);
        return;
    }
    if (MsgBox(QStringLiteral("确认是否所有菜品都已落单？"), Msg::YesNo + Msg::Exclamation) == Msg::Yes)
        showOwnDialog(QStringLiteral("DlgTD"));
}

void FrmDCKT::freeCommand()
{
    const int row = ListView1->selectedRow();
    if (ListView1->count() == 0 || row < 0)
        return;
    if (lineStored(row)) {
        MsgBox(QStringLiteral("此菜已落单，不能改为赠单！"), Msg::Exclamation);
        return;
    }
    GiveSelectedLineFree();
}

void FrmDCKT::checkoutCommand()
{
    if (!Module1::TableOpened) {
        MsgBox(QStringLiteral("只有”在用“或“续单”状态下才能结帐!"), Msg::Information, Prompt);
        return;
    }
    // Checkout finds its seating through the board's selected row: select the
    // seating's own table first.
    QString table;
    bool found = false;
    RunDbAction([&] {
        const QVariant stored = seatingTable(TxtXTBH->text().trimmed(), false);
        found = stored.isValid();
        table = stored.toString().trimmed();
    });
    const int row = found ? boardRowOf(table) : -1;
    if (row < 0) {
        MsgBox(SeatingGone, Msg::Exclamation, Prompt);
        return;
    }
    ListView* rows = board().ListView1;
    rows->select(row);
    const QString word = rows->subItem(row, FrmSYGL::ColState).trimmed();
    if (word != TableWord::Continued && word != TableWord::InUse && !m_OrderPlaced) {
        MsgBox(QStringLiteral("只有“在用”或“续单”状态下才能结帐!"), Msg::Exclamation, Prompt);
        return;
    }
    Forms::showModalByName(QStringLiteral("FrmJZGL"));
    Unload();
}

void FrmDCKT::continueCommand()
{
    bool gone = false;
    Ordering::SeatingSeen seen;
    const bool saved = RunDbAction([&] {
        Transaction tx;
        // The seating's own table, whichever board row is selected.
        const QVariant table = seatingTable(TxtXTBH->text(), true);
        if (!table.isValid()) {
            gone = true;
            return;
        }
        Db::exec(QStringLiteral("update house_table set othersts = 'E' where table_id = ?"), {table});
        seen = Ordering::seeSeating(TxtXTBH->text());
        tx.commit();
    });
    if (gone) {
        MsgBox(SeatingGone, Msg::Exclamation, Prompt);
        return;
    }
    if (!saved)
        return;
    m_SeatingSeen = seen;
    MsgBox(QStringLiteral("续单成功!"), Msg::Information, Prompt);
    Toolbar1->setButtonEnabled(BtnPlace, true);
    Toolbar1->setButtonEnabled(BtnReturnFree, true);
    Toolbar1->setButtonEnabled(BtnCheckout, true);
    Toolbar1->setButtonEnabled(BtnContinue, false);
    board().ListView1Detail();
}
