#include "staff/FrmYGDA.h"

#include <QKeyEvent>
#include <QStyle>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Pickers.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmYGDA);

namespace {

const QString Title = QStringLiteral("信息提示");
const QString RootKey = QStringLiteral("Grandfather");
const QString Cancel = QStringLiteral("取消");
const QString Employed = QStringLiteral("聘用");
const QString Dismissed = QStringLiteral("解聘");

// A picker at this moment shows no date: the stored date was empty.
const QDateTime NoDate(QDate(1900, 1, 1), QTime(0, 0));

// Columns of cust in the order the save writes them; the fields feed them in
// this order: Text1..Text14, DTPicker1..DTPicker6, Combo1..Combo10, then id.
const char* const Columns[] = {
    "code", "name", "eng_name", "school", "certi_nbr", "long_addr", "addr", "home_acc", "home_phone",
    "conn_phone", "base_money", "use_acc", "remark_love", "work_hst",
    "birt", "scho_date", "end_work_date", "work_date", "zzsj", "modify_date",
    "mz", "sex", "cult_deg", "marr_sts", "scho_type", "certi_num", "use_type", "work_leve", "sylevel", "parent_name",
    "id",
};
constexpr int TextCount = 14, DateCount = 6, ComboCount = 10;
constexpr int UseTypeCombo = 6;   // Combo7

// Text field limits in characters (0: none).
const int TextLimits[TextCount] = {6, 5, 10, 20, 20, 20, 20, 7, 12, 12, 6, 8, 20, 0};
// The code list of each list combo (Combo7 has fixed items).
const char* const ComboClasses[ComboCount] = {"mzl", "xbl", "whcd", "hyzkl", "zyl", "zjl", nullptr, "zwl", "zcl", "bml"};


QString columnName(int i) { return QString::fromLatin1(Columns[i]); }

QDateTime nowToTheSecond()
{
    const QDateTime now = Clock::now();
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

} // namespace

FrmYGDA::FrmYGDA()
{
    setWindowTitle(QStringLiteral("员工档案"));
    setClientSizeTwips(11520, 7080);

    Image1 = new QLabel(this);
    Twips::place(Image1, 0, 0, 11520, 7080);
    Image1->setPixmap(Pictures::backdrop(Image1->size(), QColor(236, 242, 250), QColor(200, 214, 234)));

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 11520, 900);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("查询"), {}, Pictures::standardFace(QStyle::SP_FileDialogContentsView));
    Toolbar1->addButton(QStringLiteral("新增"), {}, Pictures::standardFace(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), {}, Pictures::standardFace(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, Pictures::standardFace(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("保存"), {}, Pictures::standardFace(QStyle::SP_DialogSaveButton));
    Toolbar1->addButton(QStringLiteral("退出"), {}, Pictures::standardFace(QStyle::SP_DialogCloseButton));

    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 120, 1020, 2640, 5940);
    TreeView1->setRootIsDecorated(true);

    for (int i = 0; i < TextCount; ++i)
        m_texts.push_back(new QLineEdit(this));
    for (int i = 0; i < DateCount; ++i) {
        auto* d = new DateTimePicker(this);
        d->setDisplayFormat(DateTimeText::DateFormat);
        d->setCalendarPopup(true);
        d->setMinimumDateTime(NoDate);
        d->setSpecialValueText(QStringLiteral(" "));
        m_dates.push_back(d);
    }
    for (int i = 0; i < ComboCount; ++i)
        m_combos.push_back(new QComboBox(this));
    QLineEdit** texts[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7,
                           &Text8, &Text9, &Text10, &Text11, &Text12, &Text13, &Text14};
    for (int i = 0; i < TextCount; ++i) {
        *texts[i] = m_texts[i];
        if (TextLimits[i] > 0)
            MaxLengthFilter(m_texts[i], TextLimits[i]);
    }
    QDateTimeEdit** dates[] = {&DTPicker1, &DTPicker2, &DTPicker3, &DTPicker4, &DTPicker5, &DTPicker6};
    for (int i = 0; i < DateCount; ++i)
        *dates[i] = m_dates[i];
    QComboBox** combos[] = {&Combo1, &Combo2, &Combo3, &Combo4, &Combo5, &Combo6, &Combo7, &Combo8, &Combo9, &Combo10};
    for (int i = 0; i < ComboCount; ++i)
        *combos[i] = m_combos[i];
    Combo7->addItems({Employed, Dismissed});
    DigitKeyFilter(Text11);

    // The fields in rows of three, two or one, each with its label to its
    // left; the order is the tab order, in which Enter moves too.
    enum Span { Third, Half, Whole };
    const struct { QWidget* field; const char* label; int row; int column; Span span; } layout[] = {
        {Text1, "编　　码*", 0, 0, Third},    {Text2, "姓　　名*", 0, 1, Third},   {Text3, "英文名称", 0, 2, Third},
        {Combo1, "民　　族", 1, 0, Third},    {Combo2, "性　　别", 1, 1, Third},   {DTPicker1, "出生日期", 1, 2, Third},
        {Combo3, "文化程度", 2, 0, Third},    {Combo4, "婚姻状况", 2, 1, Third},   {Combo5, "专　　业", 2, 2, Third},
        {DTPicker2, "毕业时间", 3, 0, Half},  {Text4, "毕业院校", 3, 1, Half},
        {Combo6, "证件类型", 4, 0, Half},     {Text5, "身份证号*", 4, 1, Half},
        {Text6, "常住地址", 5, 0, Half},      {Text7, "家庭地址", 5, 1, Half},
        {Text8, "邮政编码", 6, 0, Third},     {Combo7, "聘用状况", 6, 1, Third},   {Text9, "家庭电话", 6, 2, Third},
        {Combo8, "职　　务", 7, 0, Third},    {Text11, "基本工资", 7, 1, Third},   {DTPicker3, "离职时间", 7, 2, Third},
        {DTPicker4, "入职时间", 8, 0, Third}, {Combo10, "所属部门*", 8, 1, Third}, {Combo9, "职　　称", 8, 2, Third},
        {Text10, "联系电话", 9, 0, Third},    {Text12, "工　　号", 9, 1, Third},   {DTPicker5, "转正时间", 9, 2, Third},
        {DTPicker6, "修改时间", 10, 0, Half}, {Text13, "特长爱好", 10, 1, Half},
        {Text14, "工作简历", 11, 0, Whole},
    };
    const int left = 2880, top = 1080, pitch = 480, labelWidth = 960, areaWidth = 8520;
    for (const auto& f : layout) {
        const int cellWidth = f.span == Third ? areaWidth / 3 : f.span == Half ? areaWidth / 2 : areaWidth;
        const int x = left + f.column * cellWidth;
        const int y = top + f.row * pitch;
        auto* label = new QLabel(QString::fromUtf8(f.label), this);
        Twips::place(label, x, y + 45, labelWidth, 270);
        Twips::place(f.field, x + labelWidth, y, cellWidth - labelWidth - 120, 330);
        m_fields.push_back(f.field);
    }
    for (size_t i = 1; i < m_fields.size(); ++i)
        setTabOrder(m_fields[i - 1], m_fields[i]);
    setTabOrder(m_fields.back(), TreeView1);
    Image1->lower();

    connect(Toolbar1, &Toolbar::buttonClick, this, &FrmYGDA::Toolbar1_ButtonClick);
    connect(TreeView1, &TreeView::nodeClick, this, [this] { TreeView1_Click(); });
}

void FrmYGDA::Form_Load()
{
    // The first activation shows the first employee. A window that could not
    // read its tree, its lists or that employee closes after the message.
    if (!EmployeeTreeInit() || !ComboInit() || !ShowEmployee()) {
        markLoadFailed();
        return;
    }
    DisableFields();
    setBrowseButtons();
}

void FrmYGDA::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}

bool FrmYGDA::inAddMode() const { return Toolbar1->caption(BtnAdd) == Cancel; }
bool FrmYGDA::inEditMode() const { return Toolbar1->caption(BtnEdit) == Cancel; }

bool FrmYGDA::showsNoDate(const QDateTimeEdit* picker) { return picker->dateTime() == NoDate; }

// ---- tree and lists -----------------------------------------------------------

bool FrmYGDA::EmployeeTreeInit()
{
    Recordset rows;
    if (!RunDbAction([&] { rows.open(QStringLiteral("select code, name from cust where use_type = '1' order by rowid")); }))
        return false;
    EmployeeTreeFill(rows);
    return true;
}

void FrmYGDA::EmployeeTreeFill(Recordset& rows)
{
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    QTreeWidgetItem* root = TreeView1->addNode({}, RootKey, QStringLiteral("员工档案"));
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        const QString code = rows.field(QStringLiteral("code")).toString();
        TreeView1->addNode(RootKey, QStringLiteral("F") + code,
                           CodeNameEntry(code, rows.field(QStringLiteral("name")).toString()));
    }
    TreeView1->expandAll();
    TreeView1->setCurrentItem(root->childCount() > 0 ? root->child(0) : root);
}

bool FrmYGDA::ComboInit()
{
    QVariantList classes;
    for (const char* c : ComboClasses)
        if (c)
            classes << QString::fromLatin1(c);
    Recordset rows;
    if (!RunDbAction([&] {
            rows.open(QStringLiteral("select class, content from sysmcwh where class in (?, ?, ?, ?, ?, ?, ?, ?, ?)"
                                     " order by rowid"),
                      classes);
        }))
        return false;
    for (int i = 0; i < ComboCount; ++i)
        if (i != UseTypeCombo)
            m_combos[i]->clear();
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        const QString cls = rows.field(0).toString();
        for (int i = 0; i < ComboCount; ++i)
            if (ComboClasses[i] && cls.compare(QLatin1String(ComboClasses[i]), Qt::CaseInsensitive) == 0)
                m_combos[i]->addItem(rows.field(1).toString());
    }
    return true;
}

void FrmYGDA::TreeView1_Click()
{
    ShowEmployee();
}

// ---- showing ------------------------------------------------------------------

bool FrmYGDA::ShowEmployee()
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (node && TreeView::keyOf(node) == RootKey && node->childCount() == 0) {
        // No employee left to show: the fields show none.
        m_shownCode.clear();
        m_stored.clear();
        for (QLineEdit* e : m_texts)
            e->clear();
        for (QDateTimeEdit* d : m_dates)
            d->setDateTime(NoDate);
        for (QComboBox* c : m_combos)
            c->setCurrentIndex(-1);
        return true;
    }
    if (!node || node->childCount() > 0 || TreeView::keyOf(node) == RootKey)
        return true;
    const QString code = TreeView::keyOf(node).mid(1);
    Recordset rs;
    if (!RunDbAction([&] { rs.open(QStringLiteral("select * from cust where code = ? order by rowid"), {code}); }))
        return false;
    if (rs.isEOF())
        return true;   // deleted meanwhile: the fields keep what they showed
    m_shownCode = rs.field(QStringLiteral("code")).toString();
    m_stored.clear();
    for (int i = 0; i < rs.fieldCount(); ++i)
        m_stored.insert(rs.fieldName(i).toLower(), rs.field(i));

    for (int i = 0; i < TextCount; ++i)
        SetStoredText(m_texts[i], rs.field(columnName(i)).toString(), TextLimits[i]);
    for (int i = 0; i < DateCount; ++i) {
        const QDateTime t = DateTimeText::fromVariant(rs.field(columnName(TextCount + i)));
        m_dates[i]->setDateTime(t.isValid() ? t : NoDate);
    }
    for (int i = 0; i < ComboCount; ++i) {
        const QString stored = rs.field(columnName(TextCount + DateCount + i)).toString();
        if (i == UseTypeCombo)
            m_combos[i]->setCurrentIndex(stored == QStringLiteral("0") ? 1 : 0);
        else
            m_combos[i]->setCurrentIndex(m_combos[i]->findText(stored));   // -1: no choice
    }
    return true;
}

// ---- modes --------------------------------------------------------------------

bool FrmYGDA::ClearForNew()
{
    if (!ComboInit())
        return false;
    for (int i = 0; i < TextCount; ++i) {
        SetStoredText(m_texts[i], QString(), TextLimits[i]);   // the designed limit again
        m_texts[i]->setEnabled(true);
    }
    Text11->setText(QStringLiteral("0"));
    for (QComboBox* c : m_combos)
        c->setEnabled(true);
    for (QDateTimeEdit* d : m_dates)
        d->setEnabled(true);
    DatesToToday();
    m_stored.clear();
    return true;
}

void FrmYGDA::DatesToToday()
{
    const QDateTime now = nowToTheSecond();
    for (QDateTimeEdit* d : m_dates)
        d->setDateTime(now);
}

void FrmYGDA::EnableForEdit()
{
    for (QWidget* w : m_fields)
        w->setEnabled(w != Text1);
}

void FrmYGDA::DisableFields()
{
    for (QWidget* w : m_fields)
        w->setEnabled(false);
}

void FrmYGDA::SelectFirstItems()
{
    for (QComboBox* c : m_combos)
        if (c->count() > 0)
            c->setCurrentIndex(0);
}

void FrmYGDA::setBrowseButtons()
{
    for (int b = BtnQuery; b <= BtnExit; ++b)
        Toolbar1->setButtonEnabled(b, b != BtnSave);
    Toolbar1->setButtonFace(BtnAdd, QStringLiteral("新增"), Pictures::standardFace(QStyle::SP_FileDialogNewFolder));
    Toolbar1->setButtonFace(BtnEdit, QStringLiteral("修改"), Pictures::standardFace(QStyle::SP_FileDialogDetailedView));
}

void FrmYGDA::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnQuery:
        ShowEmployeeQuery();
        break;
    case BtnAdd:
        if (inAddMode()) {
            ClearForNew();
            setBrowseButtons();
            ShowEmployee();
            DisableFields();
        } else {
            // A new employee is made only with lists read whole.
            if (!ClearForNew())
                break;
            for (int b = BtnQuery; b <= BtnExit; ++b)
                Toolbar1->setButtonEnabled(b, b == BtnAdd || b == BtnSave);
            Toolbar1->setButtonFace(BtnAdd, Cancel, Pictures::standardFace(QStyle::SP_DialogCancelButton));
            SelectFirstItems();
            Text1->setFocus();
        }
        break;
    case BtnEdit:
        if (inEditMode()) {
            setBrowseButtons();
            ShowEmployee();
            DisableFields();
        } else if (!m_shownCode.isEmpty()) {
            EnableForEdit();
            for (int b = BtnQuery; b <= BtnExit; ++b)
                Toolbar1->setButtonEnabled(b, b == BtnEdit || b == BtnSave);
            Toolbar1->setButtonFace(BtnEdit, Cancel, Pictures::standardFace(QStyle::SP_DialogCancelButton));
        }
        break;
    case BtnDelete:
        DeleteEmployee();
        break;
    case BtnSave:
        SaveEmployee();
        break;
    case BtnExit:
        CloseForm();
        break;
    default:
        break;
    }
}

// ---- saving -------------------------------------------------------------------

// Columns 2 to 31 (and the code first when asked) from the fields. A list or
// date field that shows no choice writes back the value stored in the shown
// row; a new employee has none, so it writes empty text.
QVariantList FrmYGDA::fieldValues(bool withCode) const
{
    auto stored = [this](int column) { return m_stored.value(columnName(column), QString()); };
    QVariantList values;
    for (int i = withCode ? 0 : 1; i < TextCount; ++i)
        values << m_texts[i]->text();
    for (int i = 0; i < DateCount; ++i) {
        const int column = TextCount + i;
        const QDateTime shown = m_dates[i]->dateTime();
        const QVariant was = stored(column);
        // Unchanged dates keep their stored text to the letter.
        if (showsNoDate(m_dates[i]) || shown == DateTimeText::fromVariant(was))
            values << was;
        else
            values << DateTimeText::format(shown);
    }
    for (int i = 0; i < ComboCount; ++i) {
        const int column = TextCount + DateCount + i;
        if (i == UseTypeCombo)
            values << (m_combos[i]->currentText() == Employed ? QStringLiteral("1") : QStringLiteral("0"));
        else if (m_combos[i]->currentIndex() < 0)
            values << stored(column);
        else
            values << m_combos[i]->currentText();
    }
    values << TimestampId() + u'0';
    return values;
}

namespace {

// Whether an employee has the code in any letter case: the upper-cased codes
// are compared here, as SQLite's NOCASE and upper() fold only A to Z.
bool codeTaken(const QString& code)
{
    const QString wanted = code.toUpper();
    Recordset rs;
    rs.open(QStringLiteral("select code from cust"));
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        if (rs.field(QStringLiteral("code")).toString().toUpper() == wanted)
            return true;
    return false;
}

} // namespace

void FrmYGDA::SaveEmployee()
{
    const bool adding = inAddMode();
    const QString code = adding ? Text1->text() : m_shownCode;
    // A refused save: its message and the field that gets the focus.
    QString refusal;
    QLineEdit* refusedField = nullptr;
    auto refuse = [&](const char* message, QLineEdit* field) {
        refusal = QString::fromUtf8(message);
        refusedField = field;
    };
    bool saved = false;
    if (adding && code.trimmed().isEmpty()) {
        refuse("编码不可为空!", Text1);
    } else {
        // The code test, the checks and the write stand in one transaction,
        // so another till cannot take the code or remove the row in between.
        RunDbAction([&] {
            Transaction t;
            if (adding && codeTaken(code))
                refuse("重复的编码!", Text1);
            else if (!adding && Db::scalar(QStringLiteral("select count(*) from cust where code = ?"), {code}).toInt() == 0)
                refuse("未知错误!", nullptr);
            else if (Text2->text().trimmed().isEmpty())
                refuse("姓名不可为空!", Text2);
            else if (Text5->text().trimmed().isEmpty())
                refuse("身份证号不可为空!", Text5);
            if (!refusal.isEmpty())
                return;
            if (adding) {
                QStringList names, marks;
                for (const char* c : Columns) {
                    names << QString::fromLatin1(c);
                    marks << QStringLiteral("?");
                }
                Db::exec(QStringLiteral("insert into cust (%1) values (%2)").arg(names.join(u','), marks.join(u',')),
                         fieldValues(true));
            } else {
                QStringList sets;
                for (size_t i = 1; i < std::size(Columns); ++i)
                    sets << QString::fromLatin1(Columns[i]) + QStringLiteral(" = ?");
                QVariantList values = fieldValues(false);
                values << code;
                Db::exec(QStringLiteral("update cust set %1 where code = ?").arg(sets.join(QStringLiteral(", "))), values);
            }
            t.commit();
            saved = true;
        });
    }
    if (!refusal.isEmpty()) {
        MsgBox(refusal, Msg::Information, Title);
        if (refusedField) {
            refusedField->selectAll();
            refusedField->setFocus();
        }
        return;
    }
    if (!saved)
        return;
    // Back in browse mode on the first employee of the tree, whichever was saved.
    EmployeeTreeInit();
    ShowEmployee();
    setBrowseButtons();
    DisableFields();
}

// ---- deleting -----------------------------------------------------------------

namespace {

bool isOrderTaker(const QString& code)
{
    return Db::scalar(QStringLiteral("select count(*) from use_table_200505 where cust_code = ?"), {code}).toInt() > 0;
}

} // namespace

void FrmYGDA::DeleteEmployee()
{
    const QString takenMessage = QStringLiteral("此员工已有销售记录，不可删除!");
    // The seating test comes first and goes by the shown row, even with the
    // root selected.
    const QString code = m_shownCode.trimmed();
    bool taken = false;
    if (!code.isEmpty() && !RunDbAction([&] { taken = isOrderTaker(code); }))
        return;
    if (taken) {
        MsgBox(takenMessage, Msg::Information, Title);
        return;
    }
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node || TreeView::keyOf(node) == RootKey || m_shownCode.isEmpty()) {
        MsgBox(QStringLiteral("请选择具体的用户再进行删除操作!"), Msg::Exclamation, Title);
        return;
    }
    const QString text = node->text(0);
    if (text.toUpper().contains(QStringLiteral("SYSTEM"))) {
        MsgBox(QStringLiteral("此为系统管理员,不可删除!"), Msg::Information, Title);
        return;
    }
    if (MsgBox(QStringLiteral("确定要删除") + text + QStringLiteral("吗?"), int(Msg::YesNo) + Msg::Question, Title) != Msg::Yes)
        return;
    // Another till may have opened a seating with this order taker while the
    // question was open: the test is made again under the write lock.
    if (!RunDbAction([&] {
            Transaction t;
            taken = isOrderTaker(code);
            if (taken)
                return;
            Db::exec(QStringLiteral("delete from cust where code = ?"), {m_shownCode});
            t.commit();
        }))
        return;
    if (taken) {
        MsgBox(takenMessage, Msg::Information, Title);
        return;
    }
    EmployeeTreeInit();
    ShowEmployee();
}

// ---- other windows ------------------------------------------------------------

void FrmYGDA::ShowEmployeeQuery()
{
    Forms::showModalByName(QStringLiteral("FrmYGCX"));
    // Active again: the selected employee (the first hit) is shown.
    ShowEmployee();
}

void FrmYGDA::CloseForm()
{
    Unload();
}
