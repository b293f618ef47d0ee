#include "frontdesk/FrmFTSZ.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "frontdesk/TableMasterDialogs.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "frontdesk/TableState.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmFTSZ);

namespace {

const QString TypesTab = QStringLiteral("房台类型");
const QString SpecsTab = QStringLiteral("房台规格");
const QString TablesTab = QStringLiteral("房台列表");
const QString TreeKeyPrefix = QStringLiteral("key");
const QString Hint = QStringLiteral("提示");
const QString InfoHint = QStringLiteral("信息提示");
const QString Saved = QStringLiteral("保存成功!");


// The stored capacity: the digits typed, as a number when they make one.
QVariant capacityValue(const QString& digits)
{
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(digits);
}

QString cellText(const Recordset& rs, const QString& field)
{
    const QVariant v = rs.field(field);
    return v.isNull() ? QString() : v.toString();
}

} // namespace

FrmFTSZ::FrmFTSZ()
{
    setWindowTitle(QStringLiteral("房台设置"));
    setClientSizeTwips(10200, 7200);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 10200, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("增加"), {}, Pictures::standardFace(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), {}, Pictures::standardFace(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, Pictures::standardFace(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("帮助"), {}, Pictures::standardFace(QStyle::SP_DialogHelpButton));
    Toolbar1->addButton(QStringLiteral("退出"), {}, Pictures::standardFace(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(4, false);

    SSTab1 = new TabControl(this);
    Twips::place(SSTab1, 120, 900, 9960, 6180);
    QWidget* typesPage = SSTab1->addPage(TypesTab);
    QWidget* specsPage = SSTab1->addPage(SpecsTab);
    QWidget* tablesPage = SSTab1->addPage(TablesTab);

    ListView1 = new ListView(typesPage);
    Twips::place(ListView1, 120, 120, 9600, 5460);
    ListView2 = new ListView(specsPage);
    Twips::place(ListView2, 120, 120, 9600, 5460);

    Frame1 = new QGroupBox(TypesTab, tablesPage);
    Twips::place(Frame1, 120, 60, 2280, 5580);
    TreeView1 = new TreeView(Frame1);
    Twips::place(TreeView1, 120, 300, 2040, 5160);
    TreeView1->setRootIsDecorated(true);

    Frame2 = new QGroupBox(QStringLiteral("房台详情"), tablesPage);
    Twips::place(Frame2, 2520, 60, 7320, 4920);
    ListView3 = new ListView(Frame2);
    Twips::place(ListView3, 120, 300, 7080, 4500);

    Command1 = new QPushButton(Pictures::standardFace(QStyle::SP_DialogNoButton), QStringLiteral("停用"), tablesPage);
    Twips::place(Command1, 6600, 5100, 1500, 480);
    Command2 = new QPushButton(Pictures::standardFace(QStyle::SP_DialogYesButton), QStringLiteral("取消"), tablesPage);
    Twips::place(Command2, 8280, 5100, 1500, 480);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmFTSZ::Toolbar1_ButtonClick);
    connect(Command1, &QPushButton::clicked, this, &FrmFTSZ::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmFTSZ::Command2_Click);
    connect(TreeView1, &TreeView::nodeClick, this, &FrmFTSZ::TreeView1_NodeClick);
    // A row chosen with the keyboard counts as clicked, so the state buttons
    // always follow the row they would act on.
    connect(ListView3, &ListView::selectionChanged, this, &FrmFTSZ::ListView3_ItemClick);
}

void FrmFTSZ::Form_Load()
{
    RunDbAction([this] {
        TreeView1Init();
        ListView1Init();
        ListView2Init();
        ListView3Init();
    });
    SSTab1->setTab(0);
}

// ---- toolbar --------------------------------------------------------------------

void FrmFTSZ::Toolbar1_ButtonClick(int index)
{
    const QString tab = SSTab1->currentCaption();
    switch (index) {
    case 1:
        if (tab == TypesTab)
            addType();
        else if (tab == SpecsTab)
            addSpec();
        else if (tab == TablesTab)
            addTable();
        break;
    case 2:
        if (tab == TypesTab)
            editType();
        else if (tab == SpecsTab)
            editSpec();
        else if (tab == TablesTab)
            editTable();
        break;
    case 3:
        if (tab == TypesTab)
            deleteTypeChecked();
        else if (tab == SpecsTab)
            deleteSpecChecked();
        else if (tab == TablesTab)
            deleteTableChecked();
        break;
    case 5:
        Unload();
        break;
    default:
        break;   // help has no action
    }
}

// ---- table types and table specifications ---------------------------------------
// Both tabs list a code and a name from their own table and are kept the same
// way; they differ only in what CodeNameTab holds.

struct FrmFTSZ::CodeNameTab {
    ListView* list;
    QString table;
    QString codeCaption;
    QString nameCaption;
    QString nothingToEdit;
    QString nothingToDelete;
    QString codeTaken;
    // Tables that still use an entry: the House_table condition, and the list
    // column whose text it is matched against.
    QString inUseWhere;
    int inUseColumn;
    QString inUse;
    // The tree on the tables tab lists the types: it follows their changes.
    bool reloadsTree;
    // Tables carry the entry's name (not its code): a new name is carried
    // over to them.
    bool tablesCarryName;
};

FrmFTSZ::CodeNameTab FrmFTSZ::typesTab() const
{
    return {.list = ListView1,
            .table = QStringLiteral("house_bm"),
            .codeCaption = QStringLiteral("类型编码"),
            .nameCaption = QStringLiteral("类型名称"),
            .nothingToEdit = QStringLiteral("没有可修改的房台类型!"),
            .nothingToDelete = QStringLiteral("没有可删除的房台类型!"),
            .codeTaken = QStringLiteral("编码输入有误，请重新输入!"),
            .inUseWhere = QStringLiteral("Where House_BMID = ?"),
            .inUseColumn = 0,
            .inUse = QStringLiteral("请选删除此类型的所有方台，再进行删除此类型!"),
            .reloadsTree = true,
            .tablesCarryName = false};
}

FrmFTSZ::CodeNameTab FrmFTSZ::specsTab() const
{
    // Tables carry the specification's name, so the in-use check goes by name.
    return {.list = ListView2,
            .table = QStringLiteral("house_kinds"),
            .codeCaption = QStringLiteral("规格编码"),
            .nameCaption = QStringLiteral("规格名称"),
            .nothingToEdit = QStringLiteral("没有可修改的房台规格!"),
            .nothingToDelete = QStringLiteral("没有可删除的房台规格!"),
            .codeTaken = QStringLiteral("编码输入有误，请重新输入"),
            .inUseWhere = QStringLiteral("Where CLASS = ?"),
            .inUseColumn = 1,
            .inUse = QStringLiteral("请选删除此规格的所有方台，再进行删除此规格!"),
            .reloadsTree = false,
            .tablesCarryName = true};
}

void FrmFTSZ::ListView1Init() { initCodeNames(typesTab()); }
void FrmFTSZ::ListView1Detail() { fillCodeNames(typesTab()); }
void FrmFTSZ::addType() { addCodeName(Forms::get<Frmbmadd>()); }
void FrmFTSZ::editType() { editCodeName(typesTab(), Forms::get<Frmbmedit>); }

void FrmFTSZ::ListView1Save()
{
    if (Forms::isLoaded<Frmbmadd>())
        saveNewCodeName(typesTab(), Forms::get<Frmbmadd>());
}

void FrmFTSZ::ListView1Edit()
{
    if (Forms::isLoaded<Frmbmedit>())
        saveChangedCodeName(typesTab(), Forms::get<Frmbmedit>());
}

void FrmFTSZ::deleteTypeChecked() { deleteCodeNameChecked(typesTab()); }
void FrmFTSZ::DeleteType() { deleteCodeName(typesTab()); }

void FrmFTSZ::ListView2Init() { initCodeNames(specsTab()); }
void FrmFTSZ::ListView2Detail() { fillCodeNames(specsTab()); }
void FrmFTSZ::addSpec() { addCodeName(Forms::get<Frmlbadd>()); }
void FrmFTSZ::editSpec() { editCodeName(specsTab(), Forms::get<Frmlbedit>); }

void FrmFTSZ::ListView2Save()
{
    if (Forms::isLoaded<Frmlbadd>())
        saveNewCodeName(specsTab(), Forms::get<Frmlbadd>());
}

void FrmFTSZ::listview2edit()
{
    if (Forms::isLoaded<Frmlbedit>())
        saveChangedCodeName(specsTab(), Forms::get<Frmlbedit>());
}

void FrmFTSZ::deleteSpecChecked() { deleteCodeNameChecked(specsTab()); }
void FrmFTSZ::DeleteSpec() { deleteCodeName(specsTab()); }

void FrmFTSZ::initCodeNames(const CodeNameTab& tab)
{
    tab.list->clear();
    tab.list->clearColumns();
    tab.list->setView(ListView::Report);
    tab.list->addColumn(tab.codeCaption);
    tab.list->addColumn(tab.nameCaption);
    fillCodeNames(tab);
}

void FrmFTSZ::fillCodeNames(const CodeNameTab& tab)
{
    tab.list->clear();
    Module1::SharedRecordset = Recordset();
    Module1::SharedRecordset.openTable(tab.table);
    Recordset& rs = Module1::SharedRecordset;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        const int row = tab.list->add(cellText(rs, QStringLiteral("fcode")));
        tab.list->setSubItem(row, 1, cellText(rs, QStringLiteral("fname")));
    }
    if (tab.list->count() > 0)
        tab.list->select(0);
}

void FrmFTSZ::addCodeName(CodeNameDialog& d)
{
    d.Text1->clear();
    d.Text2->clear();
    Forms::showModal(d);
}

void FrmFTSZ::editCodeName(const CodeNameTab& tab, const std::function<CodeNameDialog&()>& dialog)
{
    const int row = tab.list->selectedRow();
    if (tab.list->count() == 0 || row < 0) {
        MsgBox(tab.nothingToEdit);
        return;
    }
    CodeNameDialog& d = dialog();
    d.Text1->setText(tab.list->text(row));
    d.Text2->setText(tab.list->subItem(row, 1));
    Forms::showModal(d);
}

// Stores the code and name of an add dialog; a code already stored is refused.
void FrmFTSZ::saveNewCodeName(const CodeNameTab& tab, CodeNameDialog& d)
{
    const QString code = d.Text1->text().trimmed();
    const QString name = d.Text2->text().trimmed();
    bool stored = false;
    bool taken = false;
    RunDbAction([&] {
        // The code is tested and stored under one lock: another till cannot
        // store it in between.
        Transaction tx;
        Module1::SharedRecordset = Recordset();
        Recordset& rs = Module1::SharedRecordset;
        rs.openTable(tab.table, QStringLiteral("where fcode = ?"), {code});
        if (!rs.isEOF()) {
            taken = true;
            return;
        }
        rs.AddNew();
        rs.setField(QStringLiteral("fcode"), code);
        rs.setField(QStringLiteral("fname"), name);
        rs.Update();
        tx.commit();
        stored = true;
        fillCodeNames(tab);
    });
    if (taken) {
        MsgBox(tab.codeTaken, Msg::Exclamation, Hint);
        d.Text1->setFocus();
    }
    if (stored)
        codeNameSaved(tab, d);
}

// Stores the name of an edit dialog under its code.
void FrmFTSZ::saveChangedCodeName(const CodeNameTab& tab, CodeNameDialog& d)
{
    const QString code = d.Text1->text().trimmed();
    const QString name = d.Text2->text().trimmed();
    bool carried = false;
    const bool stored = RunDbAction([&] {
        Transaction tx;
        Module1::SharedRecordset = Recordset();
        Recordset& rs = Module1::SharedRecordset;
        rs.openTable(tab.table, QStringLiteral("where fcode = ?"), {code});
        // An entry removed meanwhile is stored again under its code.
        if (rs.isEOF())
            rs.AddNew();
        else if (tab.tablesCarryName)
            carried = carryNameToTables(rs.field(QStringLiteral("fname")), name);
        rs.setField(QStringLiteral("fcode"), code);
        rs.setField(QStringLiteral("fname"), name);
        rs.Update();
        tx.commit();
        fillCodeNames(tab);
        if (carried)
            ListView3Detail();   // the tables tab shows each table's specification
    });
    if (stored)
        codeNameSaved(tab, d);
}

// A specification's tables carry its name: they take its new name, or the
// delete check, the table dialogs and the reports by specification would
// lose them. Another specification of the same old name may be the one they
// mean, so then they are left as they are.
bool FrmFTSZ::carryNameToTables(const QVariant& oldName, const QString& newName)
{
    if (oldName.isNull() || oldName.toString() == newName)
        return false;
    if (Db::scalar(QStringLiteral("select count(*) from house_kinds where fname = ?"), {oldName}).toInt() != 1)
        return false;
    Db::exec(QStringLiteral("update house_table set class = ? where class = ?"), {newName, oldName});
    return true;
}

void FrmFTSZ::codeNameSaved(const CodeNameTab& tab, CodeNameDialog& d)
{
    d.Unload();
    if (tab.reloadsTree)
        reloadTypeTree();
    MsgBox(Saved, Msg::Information, Hint);
}

QString FrmFTSZ::inUseKey(const CodeNameTab& tab, int row)
{
    // An empty cell is empty text, as the tables hold it (a specification
    // renamed to blanks alone leaves its tables an empty name): an empty list
    // cell reads as null text, which would be bound as NULL and match no table.
    const QString key = tab.list->subItem(row, tab.inUseColumn).trimmed();
    return key.isNull() ? QStringLiteral("") : key;
}

void FrmFTSZ::deleteCodeNameChecked(const CodeNameTab& tab)
{
    const int row = tab.list->selectedRow();
    if (tab.list->count() == 0 || row < 0) {
        MsgBox(tab.nothingToDelete);
        return;
    }
    bool inUse = true;
    if (!RunDbAction([&] {
            Module1::SharedRecordset2 = Recordset();
            Module1::SharedRecordset2.openTable(QStringLiteral("House_table"), tab.inUseWhere, {inUseKey(tab, row)});
            inUse = !Module1::SharedRecordset2.isEOF();
        }))
        return;
    if (inUse) {
        MsgBox(tab.inUse, Msg::Information, InfoHint);
        return;
    }
    deleteCodeName(tab);
    if (tab.reloadsTree)
        reloadTypeTree();
}

void FrmFTSZ::reloadTypeTree()
{
    // The rebuilt tree selects its first type, and the table list shows that
    // type's tables: a table added next goes under the type the list shows.
    RunDbAction([this] {
        TreeView1Init();
        ListView3Detail();
    });
}

void FrmFTSZ::deleteCodeName(const CodeNameTab& tab)
{
    const int row = tab.list->selectedRow();
    if (row < 0)
        return;
    const QString code = tab.list->text(row);
    if (MsgBox(QStringLiteral("是否确认删除“") + tab.list->subItem(row, 1) + QStringLiteral("”吗？"),
               int(Msg::OKCancel) + Msg::Exclamation, Hint) != Msg::OK)
        return;
    bool inUse = false;
    RunDbAction([&] {
        Transaction tx;
        // A table may have been given this entry on another till since the
        // check before the question.
        if (!tab.inUseWhere.isEmpty()) {
            Recordset tables;
            tables.open(QStringLiteral("select table_id from House_table ") + tab.inUseWhere + QStringLiteral(" limit 1"),
                        {inUseKey(tab, row)});
            if (!tables.isEOF()) {
                inUse = true;
                return;
            }
        }
        Module1::SharedRecordset = Recordset();
        Recordset& rs = Module1::SharedRecordset;
        rs.openTable(tab.table, QStringLiteral("where fcode = ?"), {code});
        if (!rs.isEOF())
            rs.Delete();
        tx.commit();
        fillCodeNames(tab);
    });
    if (inUse)
        MsgBox(tab.inUse, Msg::Information, InfoHint);
}

// ---- tables ------------------------------------------------------------------------

void FrmFTSZ::TreeView1Init()
{
    TreeView1->clearNodes();
    Recordset rs;
    rs.openTable(QStringLiteral("house_bm"));
    const QIcon picture = Pictures::standardFace(QStyle::SP_DirIcon);
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        QTreeWidgetItem* node = TreeView1->addNode({}, TreeKeyPrefix + cellText(rs, QStringLiteral("fcode")),
                                                   cellText(rs, QStringLiteral("fname")));
        node->setIcon(0, picture);
    }
    // The first type is selected; the table list is not reloaded here.
    if (TreeView1->topLevelItemCount() > 0)
        TreeView1->selectKey(TreeView::keyOf(TreeView1->topLevelItem(0)));
}

QString FrmFTSZ::selectedTypeCode() const
{
    // Types are told apart by code: two types may carry the same name.
    const QString key = TreeView1->selectedKey();
    return key.startsWith(TreeKeyPrefix) ? key.mid(TreeKeyPrefix.size()) : QString();
}

void FrmFTSZ::ListView3Init()
{
    ListView3->clear();
    ListView3->clearColumns();
    ListView3->setView(ListView::Report);
    ListView3->addColumn(QStringLiteral("状  态"), 750);
    ListView3->addColumn(QStringLiteral("房台编码"), 900);
    ListView3->addColumn(QStringLiteral("房台名称"), 900);
    ListView3->addColumn(QStringLiteral("容纳人数"), 900);
    ListView3->addColumn(QStringLiteral("房台规格"), 900);
    ListView3->addColumn(QStringLiteral("备    注"), 3000);
    ListView3Detail();
}

void FrmFTSZ::ListView3Detail()
{
    if (TreeView1->nodeCount() > 0) {
        const QSignalBlocker block(ListView3);
        ListView3->clear();
        Recordset rs;
        rs.openTable(QStringLiteral("house_table"), QStringLiteral("where house_bmid = ?"), {selectedTypeCode()});
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const int row = ListView3->add(TableStateWord(cellText(rs, QStringLiteral("othersts")),
                                                          cellText(rs, QStringLiteral("sts"))));
            ListView3->setSubItem(row, 1, cellText(rs, QStringLiteral("table_id")));
            ListView3->setSubItem(row, 2, cellText(rs, QStringLiteral("house_name")));
            ListView3->setSubItem(row, 3, cellText(rs, QStringLiteral("house_num")));
            ListView3->setSubItem(row, 4, cellText(rs, QStringLiteral("class")));
            ListView3->setSubItem(row, 5, cellText(rs, QStringLiteral("fbz")));
        }
        if (ListView3->count() > 0)
            ListView3->select(0);
    }
    setStateButtonsByWord(0);
}

void FrmFTSZ::setStateButtonsByWord(int row)
{
    if (ListView3->count() == 0 || row < 0) {
        Command1->setEnabled(false);
        Command2->setEnabled(false);
        return;
    }
    const QString word = ListView3->text(row).trimmed();
    Command1->setEnabled(word == QStringLiteral("空闲"));
    Command2->setEnabled(word == QStringLiteral("禁用"));
}

void FrmFTSZ::UpdateStateButtons()
{
    setStateButtonsByWord(ListView3->selectedRow());
}

void FrmFTSZ::TreeView1_NodeClick()
{
    RunDbAction([this] { ListView3Detail(); });
    UpdateStateButtons();
}

void FrmFTSZ::ListView3_ItemClick() { UpdateStateButtons(); }

void FrmFTSZ::addTable()
{
    if (TreeView1->nodeCount() == 0) {
        MsgBox(QStringLiteral("没有房台类型!"), Msg::Information, InfoHint);
        return;
    }
    FrmFTADD& d = Forms::get<FrmFTADD>();
    d.Text1->clear();
    d.Text2->clear();
    d.Text3->clear();
    d.Text4->clear();
    d.Combo1->clear();
    if (!RunDbAction([&] {
            Recordset rs;
            rs.openTable(QStringLiteral("house_kinds"));
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
                d.Combo1->addItem(cellText(rs, QStringLiteral("fname")));
        })) {
        d.Unload();
        return;
    }
    d.Combo1->setCurrentIndex(-1);
    d.Combo1->setEditText(QString());
    Forms::showModal(d);
    UpdateStateButtons();
}

void FrmFTSZ::ListView3Save()
{
    if (!Forms::isLoaded<FrmFTADD>())
        return;
    FrmFTADD& d = Forms::get<FrmFTADD>();
    const QString code = d.Text1->text().trimmed();
    const QString name = d.Text2->text().trimmed();
    const QString capacity = d.Text3->text().trimmed();
    const QString spec = d.Combo1->currentText().trimmed();
    const QString remark = d.Text4->text().trimmed();
    if (code.isEmpty() || name.isEmpty() || capacity.isEmpty() || spec.isEmpty()) {
        MsgBox(QStringLiteral("信息录入不完整，请确认信息的完整性"), Msg::Exclamation, Hint);
        return;
    }
    bool stored = false;
    bool taken = false;
    RunDbAction([&] {
        Transaction tx;
        Recordset rs;
        rs.openTable(QStringLiteral("house_table"), QStringLiteral("where table_id = ?"), {code});
        if (!rs.isEOF()) {
            taken = true;
            return;
        }
        // The new table belongs to the type selected in the tree; it is free,
        // and its reservation mark stays Null until it is first reserved.
        rs.AddNew();
        rs.setField(QStringLiteral("table_id"), code);
        rs.setField(QStringLiteral("house_name"), name);
        rs.setField(QStringLiteral("house_num"), capacityValue(capacity));
        rs.setField(QStringLiteral("class"), spec);
        rs.setField(QStringLiteral("house_bmid"), selectedTypeCode());
        rs.setField(QStringLiteral("othersts"), QStringLiteral("C"));
        rs.setField(QStringLiteral("fbz"), remark);
        rs.Update();
        tx.commit();
        stored = true;
        ListView3Detail();
    });
    if (taken)
        MsgBox(QStringLiteral("房台编码已存在，请重新输入"), Msg::Exclamation, Hint);
    if (!stored)
        return;
    d.Unload();
    MsgBox(Saved, Msg::Information, Hint);
}

void FrmFTSZ::editTable()
{
    const int row = ListView3->selectedRow();
    if (ListView3->count() == 0 || row < 0) {
        MsgBox(QStringLiteral("没有可修改的房台信息!"));
        return;
    }
    FrmFTEDIT& d = Forms::get<FrmFTEDIT>();
    d.Text1->setText(ListView3->subItem(row, 1));
    d.Text2->setText(ListView3->subItem(row, 2));
    d.Text3->setText(ListView3->subItem(row, 3));
    d.Combo1->clear();
    if (!RunDbAction([&] {
            Recordset rs;
            rs.openTable(QStringLiteral("house_kinds"));
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
                d.Combo1->addItem(cellText(rs, QStringLiteral("fname")));
        })) {
        d.Unload();
        return;
    }
    d.Combo1->setCurrentIndex(d.Combo1->findText(ListView3->subItem(row, 4), Qt::MatchExactly));
    d.Combo1->setEditText(ListView3->subItem(row, 4));
    d.Text4->setText(ListView3->subItem(row, 5));
    Forms::showModal(d);
}

void FrmFTSZ::ListView3Edit()
{
    if (!Forms::isLoaded<FrmFTEDIT>())
        return;
    FrmFTEDIT& d = Forms::get<FrmFTEDIT>();
    const QString code = d.Text1->text().trimmed();
    const QString name = d.Text2->text().trimmed();
    const QString capacity = d.Text3->text().trimmed();
    const QString spec = d.Combo1->currentText().trimmed();
    const QString remark = d.Text4->text().trimmed();
    if (code.isEmpty() || name.isEmpty() || capacity.isEmpty() || spec.isEmpty()) {
        MsgBox(QStringLiteral("信息录入不完整，请确认信息的完整性"), Msg::Exclamation, Hint);
        return;
    }
    bool found = false;
    const bool done = RunDbAction([&] {
        // The state is read and written under one lock: a table opened on
        // another till meanwhile keeps its state.
        Transaction tx;
        Recordset rs;
        rs.openTable(QStringLiteral("house_table"), QStringLiteral("where table_id = ?"), {code});
        if (!rs.isEOF()) {
            found = true;
            rs.setField(QStringLiteral("house_name"), name);
            rs.setField(QStringLiteral("house_num"), capacityValue(capacity));
            rs.setField(QStringLiteral("class"), spec);
            rs.setField(QStringLiteral("fbz"), remark);
            // The table keeps its own type: the dialog has no type field, and
            // the tree may have been rebuilt since the list was filled.
            // Changing a table puts a disabled one back in service; a table
            // with a seating in progress keeps its state.
            const QString state = rs.text(QStringLiteral("othersts")).toUpper();
            if (state == u'C' || state == u'P')
                rs.setField(QStringLiteral("othersts"), QStringLiteral("C"));
            rs.Update();
        }
        tx.commit();
        ListView3Detail();
    });
    if (!done)
        return;
    d.Unload();
    if (found)
        MsgBox(Saved, Msg::Information, Hint);
    else
        MsgBox(QStringLiteral("没有可修改的房台信息!"));
}

void FrmFTSZ::deleteTableChecked()
{
    const int row = ListView3->selectedRow();
    if (ListView3->count() == 0 || row < 0) {
        MsgBox(QStringLiteral("没有可删除的房台信息!"));
        return;
    }
    const QString code = ListView3->subItem(row, 1).trimmed();
    bool hasSeating = true;
    if (RunDbAction([&] {
            // Any seating at all, even one cleared long ago, keeps the table.
            Recordset rs;
            rs.open(QStringLiteral("select * from  use_table_200505 Where House_table_id = ? limit 1"), {code});
            hasSeating = !rs.isEOF();
        })) {
        if (hasSeating)
            MsgBox(QStringLiteral("此房台已有消售记录,不可删除!"), Msg::Information, InfoHint);
        else
            DeleteTable();
    }
    UpdateStateButtons();
}

void FrmFTSZ::DeleteTable()
{
    const int row = ListView3->selectedRow();
    if (row < 0)
        return;
    const QString code = ListView3->subItem(row, 1).trimmed();
    if (MsgBox(QStringLiteral("是否确认删除“") + code + QStringLiteral("”吗？"), int(Msg::OKCancel) + Msg::Exclamation,
               Hint) != Msg::OK)
        return;
    bool hasSeating = false;
    RunDbAction([&] {
        Transaction tx;
        // A table opened on another till since the check keeps its row.
        Recordset seatings;
        seatings.open(QStringLiteral("select * from  use_table_200505 Where House_table_id = ? limit 1"), {code});
        if (!seatings.isEOF()) {
            hasSeating = true;
            return;
        }
        Recordset rs;
        rs.openTable(QStringLiteral("house_table"), QStringLiteral("where table_id = ?"), {code});
        if (!rs.isEOF())
            rs.Delete();
        tx.commit();
        ListView3Detail();
    });
    if (hasSeating)
        MsgBox(QStringLiteral("此房台已有消售记录,不可删除!"), Msg::Information, InfoHint);
}

// ---- taking a table out of service -------------------------------------------------

void FrmFTSZ::setStateOfSelectedTable(const QString& state)
{
    const int row = ListView3->selectedRow();
    if (row < 0)
        return;
    const QString code = ListView3->subItem(row, 1);
    // Only a free table is taken out of service, and only a disabled one put
    // back: as the table is now, not as the list showed it.
    const QString from = state == u"P" ? TableWord::Free : TableWord::Disabled;
    bool changed = false;
    RunDbAction([&] {
        Transaction tx;
        Module1::SharedRecordset = Recordset();
        Recordset& rs = Module1::SharedRecordset;
        rs.openTable(QStringLiteral("house_table"), QStringLiteral("where table_id = ?"), {code});
        if (!rs.isEOF()) {
            const QString now = TableStateWord(rs.text(QStringLiteral("othersts")), rs.text(QStringLiteral("sts")));
            if (now != from) {
                changed = true;
                throw DbError(DbError::Changed, QStringLiteral("房台%1现在是“%2”。").arg(code, now));
            }
            rs.setField(QStringLiteral("othersts"), state);
            rs.Update();
        }
        tx.commit();
        ListView3Detail();
    });
    if (changed)
        RunDbAction([this] { ListView3Detail(); });
}

void FrmFTSZ::Command1_Click() { setStateOfSelectedTable(QStringLiteral("P")); }

void FrmFTSZ::Command2_Click() { setStateOfSelectedTable(QStringLiteral("C")); }
