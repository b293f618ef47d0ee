// Employee records (the employee window with its three modes, save and
// delete) and the employee query.
#include <QApplication>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include "shell/FrmMain.h"
#include "staff/FrmYGCX.h"
#include "staff/FrmYGDA.h"
#include "tests/TestSupport.h"

namespace {

const QDateTime Now(QDate(2026, 3, 10), QTime(9, 30, 15));
const QString Stamp = QStringLiteral("202603100930150");
const QString Title = QStringLiteral("信息提示");

class EmployeeTest : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        Clock::fix(Now);
        openDb();
    }

    // An employee with a name, an identity number and what else the case needs.
    void addEmployee(const QString& code, const QString& name, const QVariantMap& more = {},
                     const QString& useType = QStringLiteral("1"))
    {
        QVariantMap row{{"code", code}, {"name", name}, {"certi_nbr", QStringLiteral("ID-") + code}, {"use_type", useType}};
        row.insert(more);
        insertRow(QStringLiteral("cust"), row);
    }
    QVariant column(const QString& code, const QString& name)
    {
        return value(QStringLiteral("SELECT %1 FROM cust WHERE code = ?").arg(name), {code});
    }
    void addSeating(const QString& id, const QString& orderTaker, const QString& waiter)
    {
        sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, cust_code, serv_code, sts)"
                           " VALUES (?, '101', ?, ?, 'A')"),
            {id, orderTaker, waiter});
    }
    FrmYGDA& window()
    {
        FrmYGDA& w = Forms::get<FrmYGDA>();
        w.show();
        processEvents();
        return w;
    }
    static QStringList treeTexts(const FrmYGDA& w)
    {
        QStringList texts;
        for (QTreeWidgetItemIterator it(w.TreeView1); *it; ++it)
            texts << (*it)->text(0);
        return texts;
    }
    static std::vector<QWidget*> fieldsInTabOrder(const FrmYGDA& w)
    {
        return {w.Text1, w.Text2, w.Text3, w.Combo1, w.Combo2, w.DTPicker1, w.Combo3, w.Combo4, w.Combo5,
                w.DTPicker2, w.Text4, w.Combo6, w.Text5, w.Text6, w.Text7, w.Text8, w.Combo7, w.Text9,
                w.Combo8, w.Text11, w.DTPicker3, w.DTPicker4, w.Combo10, w.Combo9, w.Text10, w.Text12,
                w.DTPicker5, w.DTPicker6, w.Text13, w.Text14};
    }
    static bool hasFocus(const FrmYGDA& w, QWidget* field)
    {
        QWidget* f = w.focusWidget();
        return f && (f == field || field->isAncestorOf(f));
    }
    static void expectBrowseMode(const FrmYGDA& w)
    {
        EXPECT_EQ(w.Toolbar1->caption(FrmYGDA::BtnAdd), QStringLiteral("新增"));
        EXPECT_EQ(w.Toolbar1->caption(FrmYGDA::BtnEdit), QStringLiteral("修改"));
        for (int b = 1; b <= 6; ++b)
            EXPECT_EQ(w.Toolbar1->buttonEnabled(b), b != FrmYGDA::BtnSave) << b;
        for (QWidget* f : fieldsInTabOrder(w))
            EXPECT_FALSE(f->isEnabled()) << qPrintable(f->objectName());
    }
    // Runs the employee query with the given set-up of the dialog.
    void query(FrmYGDA& w, const std::function<void(FrmYGCX&)>& fill)
    {
        Forms::onModal(QStringLiteral("FrmYGCX"), [&](Form& f) { fill(static_cast<FrmYGCX&>(f)); });
        w.Toolbar1->click(FrmYGDA::BtnQuery);
        EXPECT_FALSE(Forms::isLoaded<FrmYGCX>());
    }
};

} // namespace

TEST_F(EmployeeTest, OpensFromTheMainWindowShowingTheFirstEmployee)
{
    addEmployee(QStringLiteral("A01"), QStringLiteral("张三"),
                {{"mz", "回族"}, {"birt", "1990-05-06 07:08:09"}, {"base_money", "3000"}, {"parent_name", "厨房部"}});
    addEmployee(QStringLiteral("B02"), QStringLiteral("离职者"), {}, QStringLiteral("0"));
    startAndLogIn(QStringLiteral("SYSTEM"), QStringLiteral("admin"));
    bool seen = false;
    Forms::onModal(QStringLiteral("FrmYGDA"), [&](Form& f) {
        seen = true;
        auto& w = static_cast<FrmYGDA&>(f);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("员工档案"));
        const QStringList captions{"查询", "新增", "修改", "删除", "保存", "退出"};
        ASSERT_EQ(w.Toolbar1->buttonCount(), 6);
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(w.Toolbar1->caption(i), captions[i - 1]);
        expectBrowseMode(w);
        // Employed employees only, in the order they were entered; the first one shown.
        EXPECT_EQ(treeTexts(w), (QStringList{"员工档案", "[SYSTEM]系统管理员", "[A01]张三"}));
        EXPECT_EQ(w.TreeView1->selectedKey(), QStringLiteral("FSYSTEM"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("SYSTEM"));
        EXPECT_EQ(w.Text2->text(), QStringLiteral("系统管理员"));
        // The code lists, the departments from class 'BML' whatever its letter case.
        EXPECT_EQ(w.Combo1->count(), 9);
        EXPECT_EQ(w.Combo1->itemText(0), QStringLiteral("汉族"));
        EXPECT_EQ(w.Combo2->count(), 2);
        EXPECT_EQ(w.Combo10->itemText(1), QStringLiteral("厨房部"));
        EXPECT_EQ(w.Combo7->count(), 2);
        EXPECT_EQ(w.Combo7->itemText(1), QStringLiteral("解聘"));

        clickNode(w.TreeView1, QStringLiteral("FA01"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("A01"));
        EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("回族"));
        EXPECT_EQ(w.Combo10->currentText(), QStringLiteral("厨房部"));
        EXPECT_EQ(w.Combo7->currentText(), QStringLiteral("聘用"));
        EXPECT_EQ(w.Text11->text(), QStringLiteral("3000"));
        EXPECT_EQ(w.DTPicker1->dateTime(), QDateTime(QDate(1990, 5, 6), QTime(7, 8, 9)));
        w.Toolbar1->click(FrmYGDA::BtnExit);
        EXPECT_FALSE(Forms::isLoaded<FrmYGDA>());
    });
    FrmMain& main = Forms::get<FrmMain>();
    main.CmdRSGL->click();
    main.CmdYGXX->click();
    EXPECT_TRUE(seen);
}

TEST_F(EmployeeTest, NewEmployeeStartsWithItsDefaultsAndIsWrittenInColumnOrder)
{
    FrmYGDA& w = window();
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    EXPECT_EQ(w.Toolbar1->caption(FrmYGDA::BtnAdd), QStringLiteral("取消"));
    for (int b = 1; b <= 6; ++b)
        EXPECT_EQ(w.Toolbar1->buttonEnabled(b), b == FrmYGDA::BtnAdd || b == FrmYGDA::BtnSave) << b;
    for (QWidget* f : fieldsInTabOrder(w))
        EXPECT_TRUE(f->isEnabled());
    for (QLineEdit* e : {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6, w.Text7, w.Text8, w.Text9, w.Text10,
                         w.Text12, w.Text13, w.Text14})
        EXPECT_TRUE(e->text().isEmpty());
    EXPECT_EQ(w.Text11->text(), QStringLiteral("0"));
    const QStringList firsts{"汉族", "男", "小学", "未婚", "烹饪", "身份证", "聘用", "总经理", "无", "前厅部"};
    const QComboBox* combos[] = {w.Combo1, w.Combo2, w.Combo3, w.Combo4, w.Combo5,
                                 w.Combo6, w.Combo7, w.Combo8, w.Combo9, w.Combo10};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(combos[i]->currentText(), firsts[i]) << i;
    for (const QDateTimeEdit* d : {w.DTPicker1, w.DTPicker2, w.DTPicker3, w.DTPicker4, w.DTPicker5, w.DTPicker6})
        EXPECT_EQ(d->dateTime(), Now);
    EXPECT_TRUE(hasFocus(w, w.Text1));

    typeKeys(w.Text1, QStringLiteral("A02"));
    typeKeys(w.Text2, QStringLiteral("李四"));
    typeKeys(w.Text5, QStringLiteral("110105"));
    retypeKeys(w.Text11, QStringLiteral("12a3.5"));   // digits only
    EXPECT_EQ(w.Text11->text(), QStringLiteral("1235"));
    w.Combo2->setCurrentIndex(1);
    // A picked day keeps the time of day the picker held.
    w.DTPicker4->setFocus();
    QTest::keyClick(w.DTPicker4, Qt::Key_Up);
    const QDateTime hired = w.DTPicker4->dateTime();
    EXPECT_NE(hired.date(), Now.date());
    EXPECT_EQ(hired.time(), Now.time());
    w.Toolbar1->click(FrmYGDA::BtnSave);

    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    const QString now = QStringLiteral("2026-03-10 09:30:15");
    const QVariantList expected{"A02", "李四", "", "", "110105", "", "", "", "", "", "1235", "", "", "",
                                now, now, now, hired.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), now, now,
                                "汉族", "女", "小学", "未婚", "烹饪", "身份证", "1", "总经理", "无", "前厅部", Stamp};
    Recordset row;
    row.open(QStringLiteral("SELECT * FROM cust WHERE code = 'A02'"));
    ASSERT_EQ(row.RecordCount(), 1);
    ASSERT_EQ(row.fieldCount(), 31);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(row.field(i).toString(), expected[i].toString()) << qPrintable(row.fieldName(i));
    // Back in browse mode on the first employee of the tree, not the one saved.
    expectBrowseMode(w);
    EXPECT_EQ(treeTexts(w), (QStringList{"员工档案", "[SYSTEM]系统管理员", "[A02]李四"}));
    EXPECT_EQ(w.Text1->text(), QStringLiteral("SYSTEM"));
}

TEST_F(EmployeeTest, SaveRefusalsComeInOrderMoveTheFocusAndWriteNothing)
{
    addEmployee(QStringLiteral("A01"), QStringLiteral("张三"));
    FrmYGDA& w = window();
    const struct { const char* code; const char* name; const char* identity; const char* message; int focus; } cases[] = {
        {"", "李四", "110", "编码不可为空!", 1},
        {"  ", "", "", "编码不可为空!", 1},
        {"a01", "李四", "110", "重复的编码!", 1},   // letter case ignored
        {"a01", "", "", "重复的编码!", 1},          // before the name test
        {"A02", "", "", "姓名不可为空!", 2},
        {"A02", " ", "110", "姓名不可为空!", 2},
        {"A02", "李四", "", "身份证号不可为空!", 5},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        w.Toolbar1->click(FrmYGDA::BtnAdd);
        typeKeys(w.Text1, QString::fromUtf8(c.code));
        typeKeys(w.Text2, QString::fromUtf8(c.name));
        typeKeys(w.Text5, QString::fromUtf8(c.identity));
        w.Toolbar1->click(FrmYGDA::BtnSave);
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)}) << c.code << c.name;
        EXPECT_EQ(lastMessage().icon, int(Msg::Information));
        EXPECT_EQ(lastMessage().title, Title);
        QWidget* focus = c.focus == 1 ? w.Text1 : c.focus == 2 ? static_cast<QWidget*>(w.Text2) : w.Text5;
        EXPECT_TRUE(hasFocus(w, focus)) << c.message;
        if (QString::fromUtf8(c.message) == QStringLiteral("重复的编码!"))
            EXPECT_EQ(w.Text1->selectedText(), QStringLiteral("a01"));
        EXPECT_EQ(count(QStringLiteral("cust")), 2);
        EXPECT_TRUE(w.inAddMode());
        EXPECT_EQ(w.Text2->text(), QString::fromUtf8(c.name));   // the fields stay as typed
        w.Toolbar1->click(FrmYGDA::BtnAdd);   // cancel
        EXPECT_FALSE(w.inAddMode());
    }
    // Cancelling shows the selected employee again, in browse mode.
    expectBrowseMode(w);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("SYSTEM"));
}

TEST_F(EmployeeTest, EditingKeepsStoredValuesTheListsAndPickersCannotShow)
{
    addEmployee(QStringLiteral("A01"), QStringLiteral("张三"),
                {{"mz", "回族"}, {"sex", "女"}, {"parent_name", "厨房部"}, {"birt", "1990-05-06 07:08:09"},
                 {"scho_date", "2010-07-01 00:00:00"}, {"conn_phone", "13900000000"}});
    addEmployee(QStringLiteral("B02"), QStringLiteral("李四"),
                {{"mz", "土家族"}, {"parent_name", "销售部"}, {"birt", ""}, {"work_date", "2019-02-03 04:05:06"},
                 {"eng_name", "Christopher Long"}, {"base_money", "007"}, {"conn_phone", "13800000000"},
                 {"id", "201901010000000"}});
    FrmYGDA& w = window();
    clickNode(w.TreeView1, QStringLiteral("FA01"));
    clickNode(w.TreeView1, QStringLiteral("FB02"));
    // Nothing is taken over from the employee shown before.
    EXPECT_EQ(w.Combo1->currentIndex(), -1);
    EXPECT_EQ(w.Combo2->currentIndex(), -1);
    EXPECT_EQ(w.Combo10->currentIndex(), -1);
    EXPECT_TRUE(FrmYGDA::showsNoDate(w.DTPicker1));
    EXPECT_TRUE(FrmYGDA::showsNoDate(w.DTPicker2));
    EXPECT_EQ(w.Text3->text(), QStringLiteral("Christopher Long"));   // longer than its field allows

    w.Toolbar1->click(FrmYGDA::BtnEdit);
    EXPECT_TRUE(w.inEditMode());
    EXPECT_FALSE(w.Text1->isEnabled());
    EXPECT_TRUE(w.Text2->isEnabled());
    for (int b = 1; b <= 6; ++b)
        EXPECT_EQ(w.Toolbar1->buttonEnabled(b), b == FrmYGDA::BtnEdit || b == FrmYGDA::BtnSave) << b;
    retypeKeys(w.Text10, QStringLiteral("13911112222"));
    w.Toolbar1->click(FrmYGDA::BtnSave);
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));

    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("conn_phone")).toString(), QStringLiteral("13911112222"));
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("mz")).toString(), QStringLiteral("土家族"));
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("parent_name")).toString(), QStringLiteral("销售部"));
    EXPECT_TRUE(column(QStringLiteral("B02"), QStringLiteral("sex")).isNull());
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("birt")).toString(), QString());
    EXPECT_FALSE(column(QStringLiteral("B02"), QStringLiteral("birt")).isNull());
    EXPECT_TRUE(column(QStringLiteral("B02"), QStringLiteral("scho_date")).isNull());
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("work_date")).toString(), QStringLiteral("2019-02-03 04:05:06"));
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("eng_name")).toString(), QStringLiteral("Christopher Long"));
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("base_money")).toString(), QStringLiteral("007"));
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("use_type")).toString(), QStringLiteral("1"));
    // The stamp is rewritten by an edit too; the employee shown before is untouched.
    EXPECT_EQ(column(QStringLiteral("B02"), QStringLiteral("id")).toString(), Stamp);
    EXPECT_EQ(column(QStringLiteral("A01"), QStringLiteral("mz")).toString(), QStringLiteral("回族"));
    EXPECT_TRUE(column(QStringLiteral("A01"), QStringLiteral("id")).isNull());
    expectBrowseMode(w);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("SYSTEM"));

    // A new employee's fields have their own limits again.
    clickNode(w.TreeView1, QStringLiteral("FB02"));
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    typeKeys(w.Text3, QStringLiteral("Christopher Long"));
    EXPECT_EQ(w.Text3->text(), QStringLiteral("Christophe"));
    w.Toolbar1->click(FrmYGDA::BtnAdd);

    // Cancelling an edit drops the changes.
    clickNode(w.TreeView1, QStringLiteral("FA01"));
    w.Toolbar1->click(FrmYGDA::BtnEdit);
    retypeKeys(w.Text2, QStringLiteral("改名"));
    w.Toolbar1->click(FrmYGDA::BtnEdit);
    EXPECT_EQ(w.Text2->text(), QStringLiteral("张三"));
    expectBrowseMode(w);
}

TEST_F(EmployeeTest, DismissedEmployeeStaysStoredButLeavesTreeAndQuery)
{
    addEmployee(QStringLiteral("A01"), QStringLiteral("张三"));
    addEmployee(QStringLiteral("A02"), QStringLiteral("李四"));
    FrmYGDA& w = window();
    clickNode(w.TreeView1, QStringLiteral("FA02"));
    w.Toolbar1->click(FrmYGDA::BtnEdit);
    w.Combo7->setCurrentIndex(w.Combo7->findText(QStringLiteral("解聘")));
    w.Toolbar1->click(FrmYGDA::BtnSave);
    EXPECT_EQ(column(QStringLiteral("A02"), QStringLiteral("use_type")).toString(), QStringLiteral("0"));
    EXPECT_EQ(treeTexts(w), (QStringList{"员工档案", "[SYSTEM]系统管理员", "[A01]张三"}));
    query(w, [](FrmYGCX& q) { q.Command1->click(); });   // empty code prefix: every employed employee
    EXPECT_EQ(treeTexts(w), (QStringList{"员工档案", "[SYSTEM]系统管理员", "[A01]张三"}));
}

TEST_F(EmployeeTest, DeleteChecksComeInOrderAndRunAgainUnderTheWriteLock)
{
    addEmployee(QStringLiteral("A01"), QStringLiteral("张三"));      // order taker of a seating
    addEmployee(QStringLiteral("B02"), QStringLiteral("李四"));      // waiter only
    addEmployee(QStringLiteral("C03"), QStringLiteral("System管"));  // "SYSTEM" in any letter case
    addEmployee(QStringLiteral("D04"), QStringLiteral("王五"));
    addEmployee(QStringLiteral("E05"), QStringLiteral("赵六"));
    addSeating(QStringLiteral("20260301120000"), QStringLiteral("A01"), QStringLiteral("B02"));
    FrmYGDA& w = window();
    const QString taken = QStringLiteral("此员工已有销售记录，不可删除!");
    const struct { const char* node; int answer; QStringList messages; bool deleted; } cases[] = {
        {"FA01", Msg::Yes, {taken}, false},
        {"FC03", Msg::Yes, {QStringLiteral("此为系统管理员,不可删除!")}, false},
        {"FSYSTEM", Msg::Yes, {QStringLiteral("此为系统管理员,不可删除!")}, false},
        {"FB02", Msg::No, {QStringLiteral("确定要删除[B02]李四吗?")}, false},
        {"FB02", Msg::Yes, {QStringLiteral("确定要删除[B02]李四吗?")}, true},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        clickNode(w.TreeView1, QString::fromLatin1(c.node));
        const QString code = QString::fromLatin1(c.node).mid(1);
        MessageSeam::answer(c.answer);
        w.Toolbar1->click(FrmYGDA::BtnDelete);
        EXPECT_EQ(messages(), c.messages) << c.node;
        EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = ?"), {code}), c.deleted ? 0 : 1) << c.node;
        EXPECT_EQ(lastMessage().title, Title);
    }
    const auto& question = MessageSeam::messages().back();
    EXPECT_EQ(question.buttons, int(Msg::YesNo));
    EXPECT_EQ(question.icon, int(Msg::Question));
    // After a deletion the tree is rebuilt and shows its first employee.
    EXPECT_EQ(treeTexts(w), (QStringList{"员工档案", "[SYSTEM]系统管理员", "[A01]张三", "[C03]System管", "[D04]王五", "[E05]赵六"}));
    EXPECT_EQ(w.Text1->text(), QStringLiteral("SYSTEM"));

    // With the root selected the shown employee is tested for seatings first.
    MessageSeam::clear();
    clickNode(w.TreeView1, QStringLiteral("FA01"));
    clickNode(w.TreeView1, QStringLiteral("Grandfather"));
    EXPECT_EQ(w.Text1->text(), QStringLiteral("A01"));
    w.Toolbar1->click(FrmYGDA::BtnDelete);
    EXPECT_EQ(messages(), QStringList{taken});
    MessageSeam::clear();
    clickNode(w.TreeView1, QStringLiteral("FD04"));
    clickNode(w.TreeView1, QStringLiteral("Grandfather"));
    w.Toolbar1->click(FrmYGDA::BtnDelete);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请选择具体的用户再进行删除操作!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = 'D04'")), 1);

    // Another till opens a seating with D04 as order taker while the
    // question is open: the delete is refused.
    MessageSeam::clear();
    clickNode(w.TreeView1, QStringLiteral("FD04"));
    MessageSeam::answerWith([&] {
        OtherTill other(dbPath());
        other.exec(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, cust_code, serv_code, sts)"
                                  " VALUES ('20260310093000', '101', 'D04', 'E05', 'A')"));
        return int(Msg::Yes);
    });
    w.Toolbar1->click(FrmYGDA::BtnDelete);
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("确定要删除[D04]王五吗?"), taken}));
    EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = 'D04'")), 1);
}

// Codes that differ only in letter case are one code, in every script, not
// only A to Z.
TEST_F(EmployeeTest, ACodeDifferingOnlyInLetterCaseIsRefusedInAnyScript)
{
    addEmployee(QStringLiteral("ä01"), QStringLiteral("张三"));
    addEmployee(QStringLiteral("ω1"), QStringLiteral("李四"));
    addEmployee(QStringLiteral("Abc"), QStringLiteral("王五"));
    FrmYGDA& w = window();
    const struct { const char* code; bool refused; } cases[] = {
        {"Ä01", true}, {"ä01", true}, {"Ω1", true}, {"ABC", true}, {"abc", true},
        {"a01", false}, {"Ö01", false}, {"ω2", false},
    };
    for (const auto& c : cases) {
        const QString code = QString::fromUtf8(c.code);
        SCOPED_TRACE(c.code);
        MessageSeam::clear();
        const int before = count(QStringLiteral("cust"));
        w.Toolbar1->click(FrmYGDA::BtnAdd);
        typeKeys(w.Text1, code);
        ASSERT_EQ(w.Text1->text(), code);
        typeKeys(w.Text2, QStringLiteral("赵六"));
        typeKeys(w.Text5, QStringLiteral("110"));
        w.Toolbar1->click(FrmYGDA::BtnSave);
        if (c.refused) {
            EXPECT_EQ(messages(), QStringList{QStringLiteral("重复的编码!")});
            EXPECT_EQ(count(QStringLiteral("cust")), before);
            ASSERT_TRUE(w.inAddMode());
            w.Toolbar1->click(FrmYGDA::BtnAdd);   // cancel
        } else {
            EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
            EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = '%1'").arg(code)), 1);
        }
    }
}

TEST_F(EmployeeTest, AddingWhileAnotherTillTakesTheCodeIsRefused)
{
    FrmYGDA& w = window();
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    typeKeys(w.Text1, QStringLiteral("A01"));
    typeKeys(w.Text2, QStringLiteral("李四"));
    typeKeys(w.Text5, QStringLiteral("110"));
    // Another till adds the code in another letter case after the fields were filled.
    OtherTill(dbPath()).exec(QStringLiteral("INSERT INTO cust (code, name, certi_nbr, use_type) VALUES ('a01', '别人', '1', '1')"));
    w.Toolbar1->click(FrmYGDA::BtnSave);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("重复的编码!")});
    EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = 'A01'")), 1);
    EXPECT_EQ(column(QStringLiteral("A01"), QStringLiteral("name")).toString(), QStringLiteral("别人"));

    // An edit of a row another till deleted meanwhile says so and writes nothing.
    MessageSeam::clear();
    w.Toolbar1->click(FrmYGDA::BtnAdd);   // cancel
    Forms::unload<FrmYGDA>();
    FrmYGDA& again = window();
    clickNode(again.TreeView1, QStringLiteral("Fa01"));
    again.Toolbar1->click(FrmYGDA::BtnEdit);
    OtherTill(dbPath()).exec(QStringLiteral("DELETE FROM cust WHERE code = 'a01'"));
    again.Toolbar1->click(FrmYGDA::BtnSave);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("未知错误!")});
    EXPECT_TRUE(again.inEditMode());
    EXPECT_EQ(count(QStringLiteral("cust")), 1);
}

TEST_F(EmployeeTest, CodesWithBracketsOrApostrophesAreKeptWhole)
{
    addEmployee(QStringLiteral("A"), QStringLiteral("乙"), {{"conn_phone", "111"}});
    addEmployee(QStringLiteral("A]1"), QStringLiteral("甲"), {{"conn_phone", "222"}});
    addEmployee(QStringLiteral("B'2"), QStringLiteral("丙"), {{"conn_phone", "333"}});
    FrmYGDA& w = window();
    EXPECT_EQ(treeTexts(w), (QStringList{"员工档案", "[SYSTEM]系统管理员", "[A]乙", "[A]1]甲", "[B'2]丙"}));
    clickNode(w.TreeView1, QStringLiteral("FA]1"));
    EXPECT_EQ(w.Text1->text(), QStringLiteral("A]1"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("甲"));
    w.Toolbar1->click(FrmYGDA::BtnEdit);
    retypeKeys(w.Text10, QStringLiteral("999"));
    w.Toolbar1->click(FrmYGDA::BtnSave);
    EXPECT_EQ(column(QStringLiteral("A]1"), QStringLiteral("conn_phone")).toString(), QStringLiteral("999"));
    EXPECT_EQ(column(QStringLiteral("A"), QStringLiteral("conn_phone")).toString(), QStringLiteral("111"));

    clickNode(w.TreeView1, QStringLiteral("FB'2"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("丙"));
    w.Toolbar1->click(FrmYGDA::BtnDelete);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("确定要删除[B'2]丙吗?")});
    clickNode(w.TreeView1, QStringLiteral("FA]1"));
    w.Toolbar1->click(FrmYGDA::BtnDelete);
    EXPECT_EQ(count(QStringLiteral("cust")), 2);
    EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = 'A'")), 1);
}

TEST_F(EmployeeTest, ADatabaseErrorRollsBackAndLeavesTheWindowUsable)
{
    addEmployee(QStringLiteral("A01"), QStringLiteral("张三"));
    FrmYGDA& w = window();
    sql(QStringLiteral("CREATE TRIGGER cust_full BEFORE INSERT ON cust BEGIN SELECT RAISE(ABORT, 'disk is full'); END"));
    sql(QStringLiteral("CREATE TRIGGER cust_locked BEFORE DELETE ON cust BEGIN SELECT RAISE(ABORT, 'file is locked'); END"));
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    typeKeys(w.Text1, QStringLiteral("A02"));
    typeKeys(w.Text2, QStringLiteral("李四"));
    typeKeys(w.Text5, QStringLiteral("110"));
    w.Toolbar1->click(FrmYGDA::BtnSave);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains(QStringLiteral("disk is full"))) << qPrintable(messages().first());
    EXPECT_EQ(lastMessage().title, Title);
    EXPECT_TRUE(w.inAddMode());
    EXPECT_EQ(w.Text1->text(), QStringLiteral("A02"));
    EXPECT_EQ(count(QStringLiteral("cust")), 2);

    MessageSeam::clear();
    w.Toolbar1->click(FrmYGDA::BtnAdd);   // cancel
    clickNode(w.TreeView1, QStringLiteral("FA01"));
    w.Toolbar1->click(FrmYGDA::BtnDelete);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().contains(QStringLiteral("file is locked")));
    EXPECT_EQ(count(QStringLiteral("cust"), QStringLiteral("WHERE code = 'A01'")), 1);
    // Still usable: the user can save once the fault is gone.
    sql(QStringLiteral("DROP TRIGGER cust_full"));
    MessageSeam::clear();
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    typeKeys(w.Text1, QStringLiteral("A02"));
    typeKeys(w.Text2, QStringLiteral("李四"));
    typeKeys(w.Text5, QStringLiteral("110"));
    w.Toolbar1->click(FrmYGDA::BtnSave);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(count(QStringLiteral("cust")), 3);
}

TEST_F(EmployeeTest, EnterMovesThroughTheFieldsInTabOrder)
{
    FrmYGDA& w = window();
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    std::vector<QWidget*> order = fieldsInTabOrder(w);
    order.push_back(w.TreeView1);
    ASSERT_TRUE(hasFocus(w, order[0]));
    for (size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(hasFocus(w, order[i])) << i << " " << qPrintable(w.focusWidget()->metaObject()->className());
    }
    // Enter changed no value on its way.
    EXPECT_EQ(w.Text11->text(), QStringLiteral("0"));
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
}

TEST_F(EmployeeTest, QueryFindsEmployedEmployeesByPrefixOrHiringDays)
{
    const struct { const char* code; const char* name; const char* hired; const char* use; } rows[] = {
        {"A01", "张三", "2026-03-01 00:00:00", "1"},   // first day at midnight: out
        {"BA1", "李四", "2026-03-01 00:00:01", "1"},   // first day, 00:00:01: out
        {"A02", "张小", "2026-03-01 00:00:02", "1"},   // in
        {"A03", "王五", "2026-03-05 23:59:59", "1"},   // last day, 23:59:59: out
        {"A04", "赵六", "2026-03-05 23:59:58", "1"},   // in
        {"A%5", "张%", "2026-02-01 00:00:00", "1"},
        {"A'6", "钱七", "2026-02-01 00:00:00", "1"},
        {"A07", "张离", "2026-03-02 12:00:00", "0"},   // not employed: never found
    };
    for (const auto& r : rows)
        addEmployee(QString::fromUtf8(r.code), QString::fromUtf8(r.name), {{"work_date", QString::fromUtf8(r.hired)}},
                    QString::fromLatin1(r.use));
    FrmYGDA& w = window();
    const struct { int option; const char* text; QStringList hits; } cases[] = {
        {0, "A", {"A01", "A02", "A03", "A04", "A%5", "A'6"}},
        {0, "A%", {"A%5"}},
        {0, "A'", {"A'6"}},
        {0, "_", {}},
        {1, "张", {"A01", "A02", "A%5"}},
        {1, "张%", {"A%5"}},
        {2, "", {"A02", "A04"}},
    };
    for (const auto& c : cases) {
        query(w, [&](FrmYGCX& q) {
            EXPECT_EQ(q.windowTitle(), QStringLiteral("员工查询"));
            EXPECT_TRUE(q.Option1[0]->isChecked());
            EXPECT_EQ(q.DTPicker1->date(), Now.date());
            EXPECT_EQ(q.DTPicker2->date(), Now.date());
            q.Option1[c.option]->click();
            EXPECT_EQ(q.Text1->isEnabled(), c.option == 0);
            EXPECT_EQ(q.Text2->isEnabled(), c.option == 1);
            EXPECT_EQ(q.DTPicker1->isEnabled(), c.option == 2);
            typeKeys(c.option == 0 ? q.Text1 : q.Text2, QString::fromUtf8(c.text));
            q.DTPicker1->setDate(QDate(2026, 3, 1));
            q.DTPicker2->setDate(QDate(2026, 3, 5));
            if (c.option == 2)
                q.Command1->click();
            else
                QTest::keyClick(c.option == 1 ? q.Text2 : q.Text1, Qt::Key_Return);   // Enter runs the query
        });
        if (c.hits.isEmpty()) {
            EXPECT_EQ(messages(), QStringList{QStringLiteral("没有您想要查询的记录返回")}) << c.text;
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            MessageSeam::clear();
            continue;
        }
        EXPECT_TRUE(messages().isEmpty()) << c.text;
        QStringList codes;
        for (int i = 0; i < w.TreeView1->topLevelItem(0)->childCount(); ++i)
            codes << TreeView::keyOf(w.TreeView1->topLevelItem(0)->child(i)).mid(1);
        EXPECT_EQ(codes, c.hits) << c.text;
        // The first hit is selected and shown.
        EXPECT_EQ(w.Text1->text(), c.hits.first()) << c.text;
    }
    // No hits: the tree keeps what it listed, and so do the fields.
    const QStringList before = treeTexts(w);
    query(w, [](FrmYGCX& q) {
        typeKeys(q.Text1, QStringLiteral("Z"));
        q.Command1->click();
    });
    EXPECT_EQ(treeTexts(w), before);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("A02"));
    // Back closes the dialog and changes nothing.
    MessageSeam::clear();
    query(w, [](FrmYGCX& q) {
        typeKeys(q.Text1, QStringLiteral("B"));
        QTest::keyClick(q.Text1, Qt::Key_Escape);
    });
    EXPECT_EQ(treeTexts(w), before);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EmployeeTest, ScreenshotsOfTheWindowAndTheQuery)
{
    ASSERT_NO_THROW(Db::runScript(Db::shared(), Db::demoScript()));
    FrmYGDA& w = window();
    clickNode(w.TreeView1, QStringLiteral("F001"));
    screenshot(&w, QStringLiteral("employee-records"));
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    screenshot(&w, QStringLiteral("employee-records-add"));
    w.Toolbar1->click(FrmYGDA::BtnAdd);
    Forms::onModal(QStringLiteral("FrmYGCX"), [&](Form& f) { screenshot(&f, QStringLiteral("employee-query")); });
    w.Toolbar1->click(FrmYGDA::BtnQuery);
}
