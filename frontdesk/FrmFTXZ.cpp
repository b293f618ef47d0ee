#include "frontdesk/FrmFTXZ.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/TableState.h"
#include "platform/Pictures.h"
#include "platform/RowKeeping.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmFTXZ);

namespace {
const QString Prompt = QStringLiteral("提示");
const QString Separator = QStringLiteral("  |  ");
} // namespace

QString FrmFTXZ::entryText(const QString& tableId, const QString& typeName, const QString& word)
{
    return tableId.leftJustified(15, u' ') + Separator + typeName.leftJustified(15, u' ') + Separator + word;
}

QString FrmFTXZ::firstField(const QString& entry)
{
    return entry.section(u'|', 0, 0);
}

FrmFTXZ::FrmFTXZ()
{
    setWindowTitle(QStringLiteral("选择房台"));
    setClientSizeTwips(5400, 4380);
    setFixedSize(size());

    const char* headings[] = {"房台编号", "房台名称", "房台状态"};
    const int headingLeft[] = {120, 1920, 3720};
    for (int i = 0; i < 3; ++i) {
        Label1[i] = new QLabel(QString::fromUtf8(headings[i]), this);
        Twips::place(Label1[i], headingLeft[i], 120, 1500, 300);
    }
    List1 = new RowKeepingView<QListWidget>(this);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    Twips::place(List1, 120, 450, 5160, 2700);
    Text1 = new QLineEdit(this);
    Twips::place(Text1, 120, 3270, 5160, 345);

    Command1 = new QPushButton(QIcon(Pictures::badge(QStringLiteral("✓"), QColor(40, 150, 60), 20)),
                               QStringLiteral("确定"), this);
    Command2 = new QPushButton(QIcon(Pictures::badge(QStringLiteral("×"), QColor(110, 110, 110), 20)),
                               QStringLiteral("退出"), this);
    Twips::place(Command1, 2280, 3780, 1380, 450);
    Twips::place(Command2, 3900, 3780, 1380, 450);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    defaultButton = Command1;
    cancelButton = Command2;

    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this](int) { List1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void FrmFTXZ::Form_Load()
{
    Command1->setEnabled(false);
    List1->clear();
    m_boardRows.clear();
    FrmSYGL& board = Forms::get<FrmSYGL>();
    ListView* rows = board.ListView1;
    const int source = rows->selectedRow();
    for (int r = 0; r < rows->count(); ++r) {
        const QString word = rows->subItem(r, FrmSYGL::ColState).trimmed();
        bool offered = false;
        if (Module1::SelectTableMode)
            offered = true;
        else if (Module1::TransferTableMode)
            offered = word == QStringLiteral("空闲");
        else if (Module1::MergeTableMode)
            offered = r != source && (word == TableWord::InUse || word == TableWord::Continued);
        if (!offered)
            continue;
        List1->addItem(entryText(rows->subItem(r, FrmSYGL::ColTableId), rows->subItem(r, FrmSYGL::ColType),
                                 rows->subItem(r, FrmSYGL::ColState)));
        m_boardRows.push_back(r);
    }
    if (List1->count() > 0) {
        alignHeadings();
        Command1->setEnabled(true);
        List1->setCurrentRow(0);
        List1_Click();
    }
}

void FrmFTXZ::alignHeadings()
{
    // The headings stand over the fields of the entries as the list's font
    // draws them.
    const QString first = List1->item(0)->text();
    const QFontMetrics metrics(List1->font());
    const int origin = List1->x() + List1->frameWidth() + List1->visualItemRect(List1->item(0)).x() + 3;
    int from = 0;
    for (int i = 1; i < 3; ++i) {
        from = first.indexOf(u'|', from) + 1;
        if (from <= 0)
            return;
        Label1[i]->move(origin + metrics.horizontalAdvance(first.left(from + 2)), Label1[i]->y());
    }
}

void FrmFTXZ::List1_Click()
{
    if (QListWidgetItem* item = List1->currentItem())
        Text1->setText(firstField(item->text()));
}

void FrmFTXZ::Command2_Click()
{
    Unload();
}

void FrmFTXZ::Command1_Click()
{
    if (Module1::SelectTableMode)
        selectOk();
    else if (Module1::TransferTableMode)
        transferOk();
    else if (Module1::MergeTableMode)
        mergeOk();
}

void FrmFTXZ::selectOk()
{
    int found = -1;
    for (int i = 0; i < List1->count(); ++i) {
        if (firstField(List1->item(i)->text()) == Text1->text()) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        MsgBox(QStringLiteral("房台编号输入有误，请重新输入"), Msg::Exclamation, Prompt);
        Text1->setFocus();
        return;
    }
    List1->setCurrentRow(found);
    ListView* board = Forms::get<FrmSYGL>().ListView1;
    const int row = m_boardRows[found];
    board->select(row);
    Module1::TargetTableId = board->subItem(row, FrmSYGL::ColTableId);
    if (Form* stale = Forms::find(QStringLiteral("FrmDCKT")))
        stale->Unload();
    Forms::showModalByName(QStringLiteral("FrmDCKT"));
    Unload();
}

void FrmFTXZ::transferOk()
{
    QListWidgetItem* chosen = List1->currentItem();
    if (!chosen)
        return;
    Module1::TargetTableId = firstField(chosen->text()).trimmed();
    hide();
    MsgBox(QStringLiteral("转台成功!"), Msg::Information, Prompt);
    // The ordering window moves the seating while it loads, so it must load
    // now: an instance left loaded from before is unloaded first.
    if (Form* stale = Forms::find(QStringLiteral("FrmDCKT")))
        stale->Unload();
    Forms::showModalByName(QStringLiteral("FrmDCKT"));
    Unload();
}

void FrmFTXZ::mergeOk()
{
    QListWidgetItem* chosen = List1->currentItem();
    if (!chosen)
        return;
    FrmSYGL& board = Forms::get<FrmSYGL>();
    ListView* rows = board.ListView1;
    const QString sourceTable = board.current(FrmSYGL::ColTableId);
    const QString sourceTime = board.current(FrmSYGL::ColOpenTime);
    const QString sourceWord = board.current(FrmSYGL::ColState).trimmed();

    Module1::TargetTableId = firstField(chosen->text()).trimmed();
    Module1::TargetOpenTime.clear();
    QString targetWord;
    for (int r = 0; r < rows->count(); ++r) {
        if (rows->subItem(r, FrmSYGL::ColTableId) == Module1::TargetTableId) {
            Module1::TargetOpenTime = rows->subItem(r, FrmSYGL::ColOpenTime);
            targetWord = rows->subItem(r, FrmSYGL::ColState).trimmed();
            break;
        }
    }
    const QString targetTable = Module1::TargetTableId;
    const QString targetTime = Module1::TargetOpenTime;

    MsgBox(sourceTime, Msg::OKOnly);

    bool changed = false;
    const bool merged = RunDbAction([&] {
        Transaction tx;
        // Both seatings as they are now, each the current one of its table:
        // another till may have settled, cleared or reopened either table
        // since the board was read.
        Recordset sourceTableRow, source, targetTableRow, target;
        try {
            FrmSYGL::recheckTable(sourceTable, sourceWord, sourceTime, sourceTableRow, source);
            FrmSYGL::recheckTable(targetTable, targetWord, targetTime, targetTableRow, target);
        } catch (const DbError& e) {
            changed = e.kind == DbError::Changed;
            throw;
        }
        const QVariant sourceId = source.field(QStringLiteral("use_table_id"));
        const QVariant targetId = target.field(QStringLiteral("use_table_id"));

        // The moved lines follow the target's lines without a gap, in their
        // own order; a target without lines takes them from 0.
        const QVariant last = Db::scalar(QStringLiteral("select max(fsxh) from strink_mess_200505 where use_table_id = ?"),
                                         {targetId});
        const int next = last.isNull() ? 0 : last.toInt() + 1;
        Db::exec(QStringLiteral(
                     "update strink_mess_200505 set use_table_id = ?, fsxh = ? + moved.n from "
                     "(select rowid as line, row_number() over (order by fsxh, rowid) - 1 as n "
                     " from strink_mess_200505 where use_table_id = ?) as moved "
                     "where strink_mess_200505.rowid = moved.line"),
                 {targetId, next, sourceId});
        // A continued bill's payment and bill rows go with its lines, so its
        // settled sale stays in every report.
        Db::exec(QStringLiteral("update account_mess_200505 set USE_TABLE_ID = ? where USE_TABLE_ID = ?"),
                 {targetId, sourceId});
        Db::exec(QStringLiteral("update ACCOUNT_200606 set USE_TABLE_ID = ? where USE_TABLE_ID = ?"),
                 {targetId, sourceId});

        Db::exec(QStringLiteral("update use_table_200505 set strink_num = coalesce(strink_num, 0) + ? where rowid = ?"),
                 {source.field(QStringLiteral("strink_num")).toDouble(), target.rowId()});
        Db::exec(QStringLiteral("delete from use_table_200505 where rowid = ?"), {source.rowId()});
        // The source table is free again; its reservation mark stays.
        sourceTableRow.setField(QStringLiteral("othersts"), QStringLiteral("C"));
        sourceTableRow.Update();
        tx.commit();
    });
    if (changed) {
        // The board showed the tables as they no longer are, and its source
        // row is gone with the reload: the picker cannot go on.
        board.ListView1Detail();
        Unload();
        return;
    }
    if (!merged)
        return;   // rolled back and reported; the picker stays open

    const int sourceRow = rows->selectedRow();
    if (sourceRow >= 0)
        rows->setSubItem(sourceRow, FrmSYGL::ColState, QStringLiteral("空闲"));
    board.ListView1Detail();
    MsgBox(QStringLiteral("并台成功!"), Msg::Information, Prompt);
    Unload();
}
