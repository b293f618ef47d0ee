#include "frontdesk/FrmSYGL.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPointer>
#include <QShowEvent>
#include <QTreeView>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Money.h"
#include "frontdesk/FrmFTXZ.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "frontdesk/TableState.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmSYGL);

namespace {

using namespace TableWord;

const QString Prompt = QStringLiteral("提示");
const QString NoTables = QStringLiteral("没有任何可供选择的房台!");
const QString OnlySettledClears = QStringLiteral("只有“结帐”状态下才能清台");
const QString UnbilledLinesLeft = QStringLiteral("本桌还有未结帐的菜品，请先续单并结帐！");

// A stored value as the board shows it: trimmed text, a whole number without
// decimals, Null as empty text.
QString cellText(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString().trimmed();
}

} // namespace

QString FrmSYGL::openTimeText(const QVariant& v)
{
    const QDateTime t = DateTimeText::fromVariant(v);
    return t.isValid() ? DateTimeText::format(t) : cellText(v);
}

int FrmSYGL::statePicture(const QString& word)
{
    const QString w = word.trimmed();
    if (w == Free) return PicFree;
    if (w == Reserved) return PicReserved;
    if (w == InUse) return PicInUse;
    if (w == Settled) return PicSettled;
    if (w == Continued) return PicContinued;
    if (w == Disabled) return PicDisabled;
    return 0;
}

FrmSYGL::FrmSYGL()
{
    setWindowTitle(QStringLiteral("收银管理"));
    setClientSizeTwips(11910, 8625);
    setFixedSize(size());   // the layout is designed for this size
    buildPictures();

    Image1 = new QLabel(this);
    Image1->setScaledContents(true);
    Twips::place(Image1, -60, 195, 12060, 8520);
    Image1->setPixmap(Pictures::backdrop(Image1->size(), QColor(222, 232, 244), QColor(156, 178, 206)));

    Toolbar1 = new Toolbar(this);
    Toolbar1->setIconSize(QSize(ImageList1.imageSize(), ImageList1.imageSize()));
    const char* captions[] = {"显示", "查询", "预订", "选台", "转台", "并台", "结帐", "清台", "帮助", "退出"};
    for (int i = 0; i < 10; ++i)
        Toolbar1->addButton(QString::fromUtf8(captions[i]), {}, ImageList1.icon(i + 1));
    for (int hidden : {2, 4, 9})
        Toolbar1->setButtonVisible(hidden, false);
    Twips::place(Toolbar1, 0, 0, 11910, 900);
    connect(Toolbar1, &Toolbar::buttonClick, this, [this](int index) { Toolbar1_ButtonClick(index); });

    ListView1 = new ListView(this);
    Twips::place(ListView1, 120, 975, 9240, 7545);
    ListView1->setIcons(&ImageList5);
    ListView1->setSmallIcons(&ImageList4);
    ListView1->reportView()->setAlternatingRowColors(true);
    // A row can be dragged with the left button held; no window takes the drop.
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(ListView1->reportView()),
                                 static_cast<QAbstractItemView*>(ListView1->iconView())}) {
        v->setDragEnabled(true);
        v->setDragDropMode(QAbstractItemView::DragOnly);
    }
    connect(ListView1, &ListView::itemClick, this, [this](int) { ListView1_Click(); });
    // The detail panel follows the selection however it moves (keys, a click
    // beside the tiles, another window selecting the table it acts on).
    connect(ListView1->reportView()->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_reloading)
            showSelectedTable();
    });
    connect(ListView1, &ListView::itemDoubleClick, this, [this](int) { ListView1_DblClick(); });
    // A double-click between or below the rows acts on the selected row too.
    ListView1->reportView()->viewport()->installEventFilter(this);
    ListView1->iconView()->viewport()->installEventFilter(this);

    ListView4 = new ListView(this);
    Twips::place(ListView4, 9330, 975, 2475, 3870);
    ListView4->setSmallIcons(&ImageList4);

    ListView2 = new ListView(this);
    Twips::place(ListView2, 9330, 4830, 2475, 3690);
    // The panels' texts take a slightly smaller face than the lists'.
    QFont listFont = ListView1->font();
    listFont.setPointSizeF(8.5);
    for (ListView* panel : {ListView4, ListView2})
        panel->setFont(listFont);
    for (ListView* panel : {ListView4, ListView2}) {
        panel->reportView()->setSelectionMode(QAbstractItemView::NoSelection);
        panel->reportView()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void FrmSYGL::buildPictures()
{
    // Large tiles: the state's character on one dark green tile.
    const QColor tile(20, 90, 45);
    struct { const char* ch; QColor ink; QColor mark; bool markIsCharacter; } states[] = {
        {"闲", QColor(144, 238, 144), QColor(255, 220, 0), false},
        {"订", QColor(0, 255, 255), QColor(0, 120, 200), true},
        {"用", QColor(255, 40, 40), QColor(220, 0, 0), false},
        {"结", QColor(255, 235, 0), QColor(150, 150, 150), false},
        {"续", QColor(255, 0, 255), QColor(0, 170, 0), false},
        {"禁", QColor(0, 0, 0), QColor(0, 0, 0), false},
    };
    for (const auto& s : states) {
        const QString ch = QString::fromUtf8(s.ch);
        ImageList5.add(Pictures::characterTile(ch, s.ink, tile, ImageList5.imageSize()));
        ImageList4.add(s.markIsCharacter ? Pictures::character(ch, s.mark, ImageList4.imageSize())
                                         : Pictures::square(s.mark, ImageList4.imageSize()));
    }
    // Toolbar faces, one per button in button order.
    struct { const char* symbol; QColor colour; } faces[] = {
        {"显", QColor(60, 120, 200)}, {"查", QColor(90, 90, 90)}, {"订", QColor(0, 150, 170)},
        {"选", QColor(90, 90, 90)}, {"转", QColor(230, 130, 0)}, {"并", QColor(140, 80, 190)},
        {"结", QColor(200, 40, 40)}, {"清", QColor(40, 150, 60)}, {"帮", QColor(90, 90, 90)},
        {"退", QColor(110, 110, 110)},
    };
    for (const auto& f : faces)
        ImageList1.add(Pictures::badge(QString::fromUtf8(f.symbol), f.colour, ImageList1.imageSize()));
}

void FrmSYGL::Form_Load()
{
    ListView1Init();
    ListView1Detail();
    ListView4Init();
    if (ListView1->count() > 0)
        ListView4Detail();
    ListView2Init();
    if (ListView4->count() > 0)
        ListView2Detail();
    m_loaded = true;
}

void FrmSYGL::showEvent(QShowEvent* event)
{
    // A board that another window prepared while it was not on screen shows
    // the tables as they are now when it is opened.
    if (!m_everShown && !event->spontaneous()) {
        m_everShown = true;
        if (m_preparedHidden)
            ListView1Detail();
    }
    Form::showEvent(event);
}

bool FrmSYGL::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(ListView1->reportView()),
                                     static_cast<QAbstractItemView*>(ListView1->iconView())}) {
            if (watched == v->viewport()
                && !v->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid()) {
                ListView1_DblClick();
                return true;
            }
        }
    }
    return Form::eventFilter(watched, event);
}

// ---- board -----------------------------------------------------------------

void FrmSYGL::ListView1Init()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const Qt::Alignment centre = Qt::AlignHCenter;
    ListView1->addColumn(QStringLiteral("状态/名称"), 1300);
    ListView1->addColumn(QStringLiteral("状态说明"), 1000, centre);
    ListView1->addColumn(QStringLiteral("规格"), 650, centre);
    ListView1->addColumn(QStringLiteral("房台编号"), 0, centre);
    ListView1->addColumn(QStringLiteral("房台类型"), 1000, centre);
    ListView1->addColumn(QStringLiteral("客人人数"), 900, centre);
    ListView1->addColumn(QStringLiteral("开台时间"), 1800, centre);
    ListView1->addColumn(QStringLiteral("服务员"), 1000, centre);
    ListView1->addColumn(QStringLiteral("点菜员"), 1000, centre);
}

void FrmSYGL::ListView1Detail()
{
    if (m_loaded && !isVisible())
        m_preparedHidden = true;

    // Everything is read before the board changes: a read that fails leaves
    // the board and its counts as they were, never a part of the tables.
    struct BoardRow {
        QString name, word, spec, tableId, type, diners, openTime, waiter, orderTaker;
        int picture = 0;
    };
    std::vector<BoardRow> rows;
    Counters count;
    const bool read = RunDbAction([&] {
        // One statement for the whole board: each table with its type, its
        // current seating (the first row with sts <> 'P') and, for a table
        // without one, the meal time of its first reservation row, whatever
        // its date.
        Recordset& tables = Module1::SharedRecordset;
        tables = Recordset();
        tables.open(QStringLiteral(
            "select t.*, b.fname, u.rowid as seating_row, u.strink_num, u.start_date, u.serv_name, u.cust_name, "
            "  (select p.endtime from pre_strink p where p.pre_house = trim(t.table_id) order by p.rowid limit 1) "
            "    as first_endtime "
            "from house_table t inner join house_bm b on b.fcode = t.house_bmid "
            "left join use_table_200505 u on u.rowid = "
            "  (select s.rowid from use_table_200505 s where s.house_table_id = trim(t.table_id) and s.sts <> 'P' "
            "   order by s.rowid limit 1) "
            "order by t.house_bmid desc, t.table_id desc"));
        count.total = tables.RecordCount();
        // Walked from the last row: types and their tables in ascending text order.
        for (tables.MoveLast(); !tables.isBOF(); tables.MovePrevious()) {
            BoardRow r;
            r.word = TableStateWord(tables.text(QStringLiteral("othersts")), tables.text(QStringLiteral("sts")));
            r.picture = statePicture(r.word);
            switch (r.picture) {
            case PicFree: ++count.free; break;
            case PicReserved: ++count.reserved; break;
            case PicInUse: ++count.inUse; break;
            case PicSettled: ++count.settled; break;
            case PicContinued: ++count.continued; break;
            case PicDisabled: ++count.disabled; break;
            default: continue;   // an unknown state: counted in the total only
            }
            r.name = tables.text(QStringLiteral("house_name"));
            r.spec = tables.text(QStringLiteral("class"));
            r.tableId = tables.text(QStringLiteral("table_id"));
            r.type = tables.text(QStringLiteral("fname"));
            if (!tables.field(QStringLiteral("seating_row")).isNull()) {
                const QVariant diners = tables.field(QStringLiteral("strink_num"));
                r.diners = cellText(diners);
                r.openTime = openTimeText(tables.field(QStringLiteral("start_date")));
                r.waiter = cellText(tables.field(QStringLiteral("serv_name")));
                r.orderTaker = cellText(tables.field(QStringLiteral("cust_name")));
                count.guests += diners.toDouble();
            } else {
                r.diners = QStringLiteral("0");
                const QVariant meal = tables.field(QStringLiteral("first_endtime"));
                if (!meal.isNull())
                    r.openTime = openTimeText(meal);
            }
            rows.push_back(std::move(r));
        }
    });
    if (!read)
        return;
    m_count = count;
    m_reloading = true;   // the panel is shown once, for the row the reload selects
    if (count.total == 0) {
        ListView1->clear();
        m_reloading = false;
        showSelectedTable();
        return;   // the statistics panel keeps what it showed
    }
    std::vector<ListView::PictureRow> shown;
    shown.reserve(rows.size());
    for (BoardRow& r : rows)
        shown.push_back({std::move(r.name), {}, r.picture, r.picture,
                         {r.word, r.spec, r.tableId, r.type, r.diners, r.openTime, r.waiter, r.orderTaker}});
    ListView1->setRowsWithPictures(shown);
    // The list selects its first row by itself.
    ListView1->select(ListView1->count() > 0 ? 0 : -1);
    m_reloading = false;
    ListView4Detail();
    showSelectedTable();
}

void FrmSYGL::showSelectedTable()
{
    // The detail panel describes the selected row as the board shows it now,
    // never another table or a table as it was before a reload: the commands
    // act on the selected row. Before the window has loaded, its load fills
    // the panel.
    if (m_loaded)
        ListView2Detail();
}

// ---- statistics panel ------------------------------------------------------

void FrmSYGL::ListView4Init()
{
    ListView4->clearColumns();
    ListView4->setView(ListView::Report);
    ListView4->addColumn(QStringLiteral("       统计信息"), 2475);
}

void FrmSYGL::ListView4Detail()
{
    const struct { const char* label; double value; int picture; } rows[] = {
        {"房 台  总 数：  ", double(m_count.total), 0},
        {"空闲房台总数：  ", double(m_count.free), PicFree},
        {"预订房台总数：  ", double(m_count.reserved), PicReserved},
        {"在用房台总数：  ", double(m_count.inUse), PicInUse},
        {"结帐房台总数：  ", double(m_count.settled), PicSettled},
        {"续单房台总数：  ", double(m_count.continued), PicContinued},
        {"禁用房台总数：  ", double(m_count.disabled), PicDisabled},
        {"客 人  总 数：  ", m_count.guests, 0},
    };
    std::vector<ListView::PictureRow> shown;
    for (const auto& r : rows)
        shown.push_back({(QString::fromUtf8(r.label) + QString::number(r.value, 'g', 15)).trimmed(), {}, 0, r.picture, {}});
    ListView4->setRowsWithPictures(shown);
}

// ---- detail panel ----------------------------------------------------------

void FrmSYGL::ListView2Init()
{
    ListView2->clearColumns();
    ListView2->setView(ListView::Report);
    ListView2->addColumn(QStringLiteral("       房台信息"), 2475 - 10);
}

void FrmSYGL::ListView2Detail()
{
    if (ListView1->selectedRow() < 0) {
        ListView2->clear();   // no table selected: nothing to describe
        return;
    }
    // A failed read is said and the amount left out: the panel never shows
    // the sum of a part of the lines as the seating's amount.
    Money amount;
    bool amountRead = true;
    const QString openTime = current(ColOpenTime);
    if (!openTime.isEmpty()) {
        amountRead = RunDbAction([&] {
            const QString seatingId = DateTimeText::toId(DateTimeText::parse(openTime));
            Recordset& lines = Module1::SharedRecordset;
            lines = Recordset();
            // Only the table's own current seating counts: a free table shows
            // a reservation time here, which may equal another seating's id.
            lines.open(QStringLiteral("select * from strink_mess_200505 where use_table_id = ? and use_table_id in "
                                      "(select use_table_id from use_table_200505 where house_table_id = ? "
                                      "and sts <> 'P') order by fsxh, rowid"),
                       {seatingId, current(ColTableId)});
            for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext()) {
                if (lines.text(QStringLiteral("STS")) == u"2")
                    continue;   // free lines cost nothing
                amount += Money::fromVariant(lines.field(QStringLiteral("price")))
                              .times(lines.field(QStringLiteral("food_num")).toDouble());
            }
        });
    }
    ListView2->clear();
    const struct { const char* label; int column; } rows[] = {
        {"编    号：", ColTableId}, {"房    台：", ColType}, {"类    别：", ColSpec},
        {"状    态：", ColState}, {"就餐人数：", ColDiners}, {"开台时间：", ColOpenTime},
        {"服 务 员：", ColWaiter}, {"点 菜 员：", ColOrderTaker},
    };
    for (const auto& r : rows)
        ListView2->add(QString::fromUtf8(r.label) + current(r.column));
    ListView2->add(amountRead ? QStringLiteral("金    额：") + amount.plain() + QStringLiteral("元")
                              : QStringLiteral("金    额："));
    ListView2->update();
}

QString FrmSYGL::current(int column) const
{
    const int row = ListView1->selectedRow();
    if (row < 0)
        return {};
    return column == ColName ? ListView1->text(row) : ListView1->subItem(row, column);
}

void FrmSYGL::recheckTable(const QString& tableId, const QString& word, const QString& openTime, Recordset& table,
                           Recordset& seating)
{
    table.openTable(QStringLiteral("house_table"), QStringLiteral("where table_id = ?"), {tableId});
    seating.openTable(QStringLiteral("use_table_200505"), QStringLiteral("where house_table_id = ? and sts <> 'P'"),
                      {tableId});
    if (table.empty())
        throw DbError(DbError::Changed, QStringLiteral("房台%1已不存在。").arg(tableId));
    const QString now = TableStateWord(table.text(QStringLiteral("othersts")), table.text(QStringLiteral("sts")));
    const QString opened = seating.empty() ? QString() : openTimeText(seating.field(QStringLiteral("start_date")));
    if (now != word || opened != openTime)
        throw DbError(DbError::Changed,
                      opened.isEmpty() ? QStringLiteral("房台%1现在是“%2”，没有开台。").arg(tableId, now)
                                       : QStringLiteral("房台%1现在是“%2”，开台时间%3。").arg(tableId, now, opened));
}

// ---- user actions ----------------------------------------------------------

void FrmSYGL::ListView1_Click()
{
    if (ListView1->count() > 0)
        ListView2Detail();
}

void FrmSYGL::ListView1_DblClick()
{
    // No window opens for no table.
    if (ListView1->selectedRow() < 0)
        return;
    if (current(ColState).trimmed() == Disabled) {
        MsgBox(QStringLiteral("本台处于禁用状态!"), Msg::Exclamation, Prompt);
        return;
    }
    Module1::TransferTableMode = false;
    Module1::MergeTableMode = false;
    // The ordering window loads afresh for each opening.
    if (Form* stale = Forms::find(QStringLiteral("FrmDCKT")))
        stale->Unload();
    showOver([] { Forms::showModalByName(QStringLiteral("FrmDCKT")); });
}

void FrmSYGL::showOver(const std::function<void()>& show)
{
    QPointer<FrmSYGL> self(this);
    show();
    // Placing dishes, giving them free and taking returns reload nothing
    // here, and another till may have ordered meanwhile: back on the board,
    // the panel describes the selected table with its amount as stored now.
    if (self)
        showSelectedTable();
}

void FrmSYGL::showNoTables()
{
    MsgBox(NoTables);
}

void FrmSYGL::Toolbar1_ButtonClick(int index)
{
    Module1::SelectTableMode = false;
    Module1::TransferTableMode = false;
    Module1::MergeTableMode = false;
    const bool empty = ListView1->count() == 0;
    const QString word = current(ColState).trimmed();
    const bool seated = word == InUse || word == Continued;

    auto openPicker = [this] {
        // The picker loads afresh every time.
        Forms::unload<FrmFTXZ>();
        showOver([] { Forms::showModal(Forms::get<FrmFTXZ>()); });
    };

    switch (index) {
    case 1:
        ListView1->setView(ListView1->view() == ListView::Report ? ListView::Icon : ListView::Report);
        break;
    case 3:
        if (empty)
            showNoTables();
        else
            showOver([] { Forms::showModalByName(QStringLiteral("FrmYDGL")); });
        break;
    case 4:
        if (empty) {
            showNoTables();
        } else {
            Module1::SelectTableMode = true;
            openPicker();
        }
        break;
    case 5:
    case 6:
        if (empty) {
            showNoTables();
        } else if (!seated) {
            MsgBox(index == 5 ? QStringLiteral("只有“在用”或“续单”状态下才能转台")
                              : QStringLiteral("只有“在用”或“续单”状态下才能并台"),
                   Msg::Exclamation, Prompt);
        } else {
            (index == 5 ? Module1::TransferTableMode : Module1::MergeTableMode) = true;
            openPicker();
        }
        break;
    case 7:
        if (empty)
            showNoTables();
        else if (!seated)
            MsgBox(QStringLiteral("只有“在用”或“续单”状态下才能结帐"), Msg::Exclamation, Prompt);
        else
            showOver([] { Forms::showModalByName(QStringLiteral("FrmJZGL")); });
        break;
    case 8:
        if (empty)
            showNoTables();
        else if (word == Disabled)
            MsgBox(QStringLiteral("禁用状态下不可以清台!"), Msg::Information, Prompt);
        else
            ClearTable();
        break;
    case 10:
        Unload();
        break;
    default:   // 2 and 9 do nothing
        break;
    }
}

void FrmSYGL::ClearTable()
{
    const QString word = current(ColState).trimmed();
    const QString tableId = current(ColTableId);
    const QString openTime = current(ColOpenTime);
    if (word != Settled && word != InUse && word != Continued) {
        MsgBox(OnlySettledClears, Msg::Exclamation, Prompt);
        return;
    }
    QString refusal;   // why the table cannot be cleared as it stands
    bool changed = false;
    const bool done = RunDbAction([&] {
        // Decided from the table and its seating as they are now, under the
        // write lock: another till may have continued the bill, cleared the
        // table or opened it again since the board was read.
        Transaction tx;
        Recordset table;
        Recordset& seating = Module1::SharedRecordset;
        seating = Recordset();
        try {
            recheckTable(tableId, word, openTime, table, seating);
        } catch (const DbError& e) {
            changed = e.kind == DbError::Changed;
            throw;
        }
        if (seating.empty()) {
            refusal = OnlySettledClears;   // a table without a seating has nothing to clear
            return;
        }
        // A table in use is cleared only while its own seating has no
        // unsettled order line (a table opened in error, say). A settled
        // table may have been given dishes after its checkout (refunds
        // allowed): clearing it then would leave those charges on no bill.
        if (Db::scalar(QStringLiteral("select count(*) from strink_mess_200505 where use_table_id = ? and Account_sts = '0'"),
                       {seating.field(QStringLiteral("use_table_id"))}).toInt() > 0) {
            refusal = word == Settled ? UnbilledLinesLeft : OnlySettledClears;
            return;
        }
        table.setField(QStringLiteral("othersts"), QStringLiteral("C"));
        table.Update();
        seating.setField(QStringLiteral("sts"), QStringLiteral("P"));
        seating.Update();
        tx.commit();
    });
    if (!refusal.isEmpty()) {
        MsgBox(refusal, Msg::Exclamation, Prompt);
        return;
    }
    // Cleared, or the board showed the table as it no longer is: it reloads.
    if (done || changed)
        ListView1Detail();
}
