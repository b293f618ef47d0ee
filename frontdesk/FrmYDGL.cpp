#include "frontdesk/FrmYDGL.h"

#include <QStyle>
#include <QTreeWidgetItemIterator>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Money.h"
#include "frontdesk/FrmFT.h"
#include "frontdesk/FrmSYGL.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RecordBlocks.h"

TABULOR_REGISTER_FORM(FrmYDGL);

namespace {

const QString InfoTitle = QStringLiteral("信息提示");
const QString Title = QStringLiteral("提示");

// Cell of a stored value: its text, trimmed; a Null gives empty text.
QString cellText(const Recordset& rs, const QString& name)
{
    return rs.text(name);
}

} // namespace

FrmYDGL::FrmYDGL()
{
    setWindowTitle(QStringLiteral("预定管理"));
    setClientSizeTwips(10935, 7665);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 10935, 900);
    Toolbar1->setIconSize(QSize(24, 24));
    QStyle* st = style();
    const struct { const char* caption; QStyle::StandardPixmap icon; } buttons[] = {
        {"预订", QStyle::SP_FileDialogNewFolder}, {"修改", QStyle::SP_FileDialogDetailedView},
        {"取消", QStyle::SP_DialogDiscardButton}, {"查询", QStyle::SP_FileDialogContentsView},
        {"房台", QStyle::SP_DirHomeIcon},          {"接待单", QStyle::SP_FileIcon},
        {"打印", QStyle::SP_DriveFDIcon},          {"帮助", QStyle::SP_DialogHelpButton},
        {"退出", QStyle::SP_DialogCloseButton},
    };
    for (const auto& b : buttons)
        Toolbar1->addButton(QString::fromUtf8(b.caption), {}, st->standardIcon(b.icon));
    // The print and help buttons are not shown; the query button is.
    Toolbar1->setButtonVisible(BtnPrint, false);
    Toolbar1->setButtonVisible(BtnHelp, false);

    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 60, 1020, 2130, 6495);
    ListView1 = new ListView(this);
    Twips::place(ListView1, 2310, 1020, 8490, 6495);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmYDGL::Toolbar1_ButtonClick);
    connect(TreeView1, &TreeView::nodeClick, this, [this] { TreeView1_NodeClick(); });
}

QString FrmYDGL::todayMidnight()
{
    // As text: where a clock change skips midnight a local QDateTime of it is invalid.
    return DateTimeText::formatDate(Clock::today()) + QStringLiteral(" 00:00:00");
}

void FrmYDGL::Form_Load()
{
    ListView1Init();
    TreeView1Init();
    clearStaleReservationMarks();
}

void FrmYDGL::ListView1Init()
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    const struct { const char* caption; int width; } columns[] = {
        {"预定人", 800},    {"登记时间", 0}, {"用餐时间", 1800}, {"用餐班次", 1000},
        {"预定人数", 1000}, {"联系电话", 1000}, {"押金", 700},   {"服务员", 0},
        {"预定房台", 1000}, {"预定台数", 0}, {"备注", 1500},
    };
    bool first = true;
    for (const auto& c : columns) {
        ListView1->addColumn(QString::fromUtf8(c.caption), c.width, first ? Qt::AlignLeft : Qt::AlignHCenter);
        first = false;
    }
}

void FrmYDGL::TreeView1Init()
{
    {
        const QSignalBlocker block(TreeView1);
        TreeView1->clearNodes();
        // Types and their tables in one read: a tree that could not be read
        // whole stays empty rather than lacking tables.
        Recordset rows;
        const bool read = RunDbAction([&] {
            rows.open(QStringLiteral(
                "select b.rowid as type_row, b.fcode, b.fname, t.table_id, t.house_name from house_bm b "
                "left join house_table t on t.house_bmid = b.fcode order by b.rowid, t.rowid"));
        });
        QVariant type;   // the row id of the type whose node was added last
        for (rows.MoveFirst(); read && !rows.isEOF(); rows.MoveNext()) {
            const QString typeKey = QStringLiteral("F") + rows.field(QStringLiteral("fcode")).toString();
            if (rows.field(QStringLiteral("type_row")) != type) {
                type = rows.field(QStringLiteral("type_row"));
                TreeView1->addNode({}, typeKey, rows.text(QStringLiteral("fname")));
            }
            if (!rows.field(QStringLiteral("table_id")).isNull())
                TreeView1->addNode(typeKey, QStringLiteral("S") + rows.field(QStringLiteral("table_id")).toString(),
                                   rows.text(QStringLiteral("house_name")));
        }
        if (TreeView1->topLevelItemCount() > 0) {
            TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
            TreeView1->expandAll();
        }
    }
    ListView1Detail();
}

// A table keeps its reservation mark only while it has a reservation for a
// meal after midnight at the start of today.
void FrmYDGL::clearStaleReservationMarks()
{
    const QString midnight = todayMidnight();
    RunDbAction([&] {
        Transaction t;
        for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
            const QString key = TreeView::keyOf(*it);
            if (!key.startsWith(u'S'))
                continue;
            const QString tableId = key.mid(1);
            const int current = Db::scalar(QStringLiteral("select count(*) from pre_strink where endtime > ? and pre_house = ?"),
                                           {midnight, tableId}).toInt();
            if (current == 0)
                Db::exec(QStringLiteral("update house_table set sts = 'C' where table_id = ?"), {tableId});
        }
        t.commit();
    });
}

void FrmYDGL::listReservation(const Recordset& rs, bool asFirstRow)
{
    const QString id = rs.field(QStringLiteral("reservation_id")).toString();
    const int row = asFirstRow ? ListView1->insert(0, cellText(rs, QStringLiteral("pre_man")), id)
                               : ListView1->add(cellText(rs, QStringLiteral("pre_man")), id);
    const QVariant deposit = rs.field(QStringLiteral("paymoney"));
    // A reservation whose table was deleted shows an empty table name.
    const QVariant tableName = Db::scalar(QStringLiteral("select house_name from house_table where table_id = ?"),
                                          {rs.field(QStringLiteral("pre_house"))});
    const QString cells[] = {
        cellText(rs, QStringLiteral("pre_date")),
        cellText(rs, QStringLiteral("endtime")),
        cellText(rs, QStringLiteral("fbc")),
        cellText(rs, QStringLiteral("pre_man_num")),
        cellText(rs, QStringLiteral("phone")),
        deposit.isNull() ? QString() : Money::fromVariant(deposit).plain(),
        cellText(rs, QStringLiteral("server_man")),
        tableName.isNull() ? QString() : tableName.toString().trimmed(),
        cellText(rs, QStringLiteral("pre_strink_id")),
        cellText(rs, QStringLiteral("fbz")),
    };
    for (int c = 0; c < 10; ++c)
        ListView1->setSubItem(row, c + 1, cells[c]);
}

qint64 FrmYDGL::selectedReservationId() const
{
    const int row = ListView1->selectedRow();
    return row < 0 ? 0 : ListView1->key(row).toLongLong();
}

void FrmYDGL::selectReservationRow(qint64 id)
{
    const int row = id > 0 ? ListView1->findKey(QString::number(id)) : -1;
    ListView1->select(row >= 0 ? row : (ListView1->count() > 0 ? 0 : -1));
}

void FrmYDGL::ListView1Detail()
{
    const qint64 wasSelected = selectedReservationId();
    ListView1->clear();
    if (TreeView1->nodeCount() == 0)
        return;
    const QString key = TreeView1->selectedKey();
    const QString code = key.mid(1);
    RunDbAction([&] {
        Recordset rs;
        if (key.startsWith(u'F')) {
            // A reservation belongs to the type stored with it, in entry order.
            rs.openTable(QStringLiteral("pre_strink"), QStringLiteral("where bmid = ? and endtime >= ?"),
                         {code, todayMidnight()});
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
                listReservation(rs, false);
        } else {
            // A table's reservations, latest entry first.
            rs.openTable(QStringLiteral("pre_strink"), QStringLiteral("where pre_house = ? and endtime >= ?"),
                         {code, todayMidnight()});
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
                listReservation(rs, true);
        }
    });
    selectReservationRow(wasSelected);
    const bool any = ListView1->count() > 0;
    for (int b : {BtnEdit, BtnCancel, BtnTable, BtnReception})
        Toolbar1->setButtonEnabled(b, any);
}

void FrmYDGL::TreeView1_NodeClick()
{
    ListView1Detail();
}

void FrmYDGL::Toolbar1_ButtonClick(int index)
{
    const bool hasNodes = TreeView1->nodeCount() > 0;
    switch (index) {
    case BtnReserve:
        NewReservation();
        break;
    case BtnEdit:
        if (!hasNodes) {
            MsgBox(QStringLiteral("没有任何可选择的房台!"), Msg::Information, InfoTitle);
        } else if (selectedReservationId() == 0) {
            // The list can be empty while the button is on (a query found nothing).
            MsgBox(QStringLiteral("没有预定信息!"), Msg::Information);
        } else {
            Forms::showModalByName(QStringLiteral("FrmYDEDIT"));
        }
        break;
    case BtnCancel:
        if (!hasNodes)
            MsgBox(QStringLiteral("没有任何可选择的房台!"), Msg::Information, InfoTitle);
        else
            CancelReservation();
        break;
    case BtnQuery:
        ShowReservationQuery();
        break;
    case BtnTable:
        ShowReservedTable();
        break;
    case BtnReception:
        if (!hasNodes)
            MsgBox(QStringLiteral("没有任何可打印的接待单!"), Msg::Information, InfoTitle);
        else
            PrintReception();
        break;
    case BtnExit:
        ExitManager();
        break;
    default:
        break;
    }
}

void FrmYDGL::NewReservation()
{
    if (TreeView1->nodeCount() == 0) {
        MsgBox(QStringLiteral("没有任何可选择的房台!"), Msg::Information, InfoTitle);
        return;
    }
    if (TreeView1->selectedKey().startsWith(u'F') || TreeView1->selectedKey().isEmpty()) {
        MsgBox(QStringLiteral("房台类型不可预定,请选择具体的房台！"), Msg::Information, Title);
        return;
    }
    if (ListView1->count() > 0) {
        QString times;
        for (int r = 0; r < ListView1->count(); ++r)
            times += u'[' + QString::number(r + 1) + QStringLiteral("] ") + ListView1->subItem(r, 2) + QStringLiteral("\r\n");
        const QString question = u'[' + TreeView1->selectedText() + QStringLiteral("]以被预订,预订时间分别为:\r\n") + times
            + QStringLiteral("再次预订可能会发生冲突,请问是否继续预订？");
        if (MsgBox(question, int(Msg::YesNo) + Msg::Question, Title) != Msg::Yes)
            return;
    }
    Forms::showModalByName(QStringLiteral("FrmYD"));
}

void FrmYDGL::CancelReservation()
{
    if (ListView1->count() == 0) {
        MsgBox(QStringLiteral("没有预定信息!"), Msg::Exclamation);
        return;
    }
    const qint64 id = selectedReservationId();
    if (id == 0)
        return;
    if (MsgBox(QStringLiteral("是否取消预定?"), int(Msg::YesNo) + Msg::Question, Title) != Msg::Yes)
        return;
    // The reservation goes first; the table loses its mark only when no
    // current reservation of it remains.
    RunDbAction([&] {
        Transaction t;
        Recordset rs;
        rs.openTable(QStringLiteral("pre_strink"), QStringLiteral("where reservation_id = ?"), {id});
        if (rs.isEOF())
            return;   // cancelled meanwhile: nothing left to do
        const QVariant house = rs.field(QStringLiteral("pre_house"));
        rs.Delete();
        const int remaining = Db::scalar(QStringLiteral("select count(*) from pre_strink where endtime >= ? and pre_house = ?"),
                                         {todayMidnight(), house}).toInt();
        if (remaining == 0)
            Db::exec(QStringLiteral("update house_table set sts = 'C' where table_id = ?"), {house});
        t.commit();
    });
    ListView1Detail();
}

void FrmYDGL::ShowReservationQuery()
{
    Forms::showModalByName(QStringLiteral("FrmCX"));
}

void FrmYDGL::ShowReservedTable()
{
    // The table of the reservation the user picked, never of another row.
    const int row = ListView1->selectedRow();
    if (row < 0) {
        MsgBox(QStringLiteral("没有预定信息!"), Msg::Information);
        return;
    }
    FrmFT& ft = Forms::get<FrmFT>();
    ListView* list = ft.ListView1;
    list->clear();
    list->clearColumns();
    list->setView(ListView::Report);
    list->addColumn(QStringLiteral("编码"));
    list->addColumn(QStringLiteral("房台名称"), -1, Qt::AlignHCenter);
    RunDbAction([&] {
        Recordset tables;
        tables.openTable(QStringLiteral("house_table"), QStringLiteral("where house_name = ?"), {ListView1->subItem(row, 8)});
        for (tables.MoveFirst(); !tables.isEOF(); tables.MoveNext()) {
            const int r = list->add(tables.text(QStringLiteral("table_id")));
            list->setSubItem(r, 1, tables.text(QStringLiteral("house_name")));
        }
    });
    Forms::showModal(ft);
}

void FrmYDGL::PrintReception()
{
    if (!CheckPrinterInstalled())
        return;
    // Each label is five Chinese characters wide; columns count from 1.
    const std::vector<RecordField> fields{
        {QStringLiteral("预 订 人："), 1}, {QStringLiteral("用餐时间："), 3}, {QStringLiteral("用餐班次："), 4},
        {QStringLiteral("用餐人数："), 5}, {QStringLiteral("联系电话："), 6}, {QStringLiteral("押    金："), 7},
        {QStringLiteral("预订房台："), 9}, {QStringLiteral("备    注："), 11},
    };
    PrintRecordBlocks(*ListView1, QStringLiteral("迎宾接待单"), 42, fields, RecordBlockOptions::sheet());
}

void FrmYDGL::ExitManager()
{
    // The board shows the marks set or cleared here at once; when the manager
    // was opened from the main window the board is prepared but not shown.
    Forms::get<FrmSYGL>().ListView1Detail();
    Unload();
}
