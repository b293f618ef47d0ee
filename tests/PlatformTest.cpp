// The platform layer: window registry, modal seam, key filters, controls.
#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include "platform/Controls.h"
#include "platform/KeyFilters.h"
#include "platform/Pictures.h"
#include "platform/Twips.h"
#include "tests/TestSupport.h"
#include <sys/stat.h>

namespace {

class ProbeForm : public Form {
    Q_OBJECT
public:
    static inline int loads = 0;
    static inline int unloads = 0;
    bool refuse = false;
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(bool& cancel, int) override { cancel = refuse; }
    void Form_Unload() override { ++unloads; }
};
TABULOR_REGISTER_FORM(ProbeForm);

} // namespace

TEST_F(TabulorTest, RegistryLoadsOnFirstTouchAndUnloadsOnClose)
{
    ProbeForm::loads = ProbeForm::unloads = 0;
    EXPECT_FALSE(Forms::isLoaded<ProbeForm>());   // looking creates nothing
    EXPECT_EQ(ProbeForm::loads, 0);
    ProbeForm& a = Forms::get<ProbeForm>();
    EXPECT_EQ(&Forms::get<ProbeForm>(), &a);
    EXPECT_EQ(Forms::getByName(QStringLiteral("ProbeForm")), &a);
    EXPECT_EQ(ProbeForm::loads, 1);

    a.refuse = true;
    EXPECT_FALSE(a.Unload());
    EXPECT_TRUE(Forms::isLoaded<ProbeForm>());
    a.refuse = false;
    EXPECT_TRUE(a.Unload());
    EXPECT_FALSE(Forms::isLoaded<ProbeForm>());
    EXPECT_EQ(ProbeForm::unloads, 1);
    processEvents();
    Forms::get<ProbeForm>();   // a fresh instance loads again
    EXPECT_EQ(ProbeForm::loads, 2);
    EXPECT_EQ(Forms::getByName(QStringLiteral("NoSuchWindow")), nullptr);
    EXPECT_FALSE(Forms::showModalByName(QStringLiteral("NoSuchWindow")));
}

TEST_F(TabulorTest, ModalSeamRunsScriptInTheWindowsOwnLoopAndClosesItAfterwards)
{
    int seen = 0;
    QPointer<Form> shown;
    Forms::onModal(QStringLiteral("ProbeForm"), [&](Form& f) {
        ++seen;
        shown = &f;
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.isShownModally());
        EXPECT_EQ(f.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(QThread::currentThread()->loopLevel(), 1);   // its own loop runs
    });
    EXPECT_TRUE(Forms::showModalByName(QStringLiteral("ProbeForm")));
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(Forms::isLoaded<ProbeForm>());
    EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("ProbeForm")});
    processEvents();
    EXPECT_TRUE(shown.isNull());
}

// A window that unloads itself and then shows a message box, as a save does:
// the box's loop deletes what was closed before it, but not the window whose
// own modal loop is still running below the box; its show deletes it once
// that loop has ended.
TEST_F(TabulorTest, AWindowUnloadedInItsOwnLoopLivesUntilTheLoopEnds)
{
    QPointer<QObject> closedBefore;
    QPointer<Form> shown;
    bool aliveAfterTheBox = false;
    Forms::onModal(QStringLiteral("ProbeForm"), [&](Form& f) {
        shown = &f;
        closedBefore = new QObject;
        closedBefore->deleteLater();
        bool posted = false;
        QTimer::singleShot(0, [&] { posted = true; });
        MessageSeam::answerWith([&] {
            EXPECT_TRUE(posted);                // the box runs what was posted before it
            EXPECT_TRUE(closedBefore.isNull()); // and the deletions
            return Msg::No;
        });
        EXPECT_TRUE(f.Unload());
        EXPECT_EQ(MsgBox(QStringLiteral("?"), Msg::YesNo), Msg::No);
        aliveAfterTheBox = !shown.isNull() && !f.isVisible();
    });
    EXPECT_TRUE(Forms::showModalByName(QStringLiteral("ProbeForm")));
    EXPECT_TRUE(aliveAfterTheBox);
    EXPECT_FALSE(Forms::isLoaded<ProbeForm>());
    processEvents();
    EXPECT_TRUE(shown.isNull());
}

TEST_F(TabulorTest, KeyFiltersDropDisallowedKeysAndPastedCharacters)
{
    // The number filters refuse such a paste whole (below); the others drop
    // the characters they would not take typed.
    struct Case { void (*install)(QLineEdit*); const char* typed; const char* kept; const char* pasted; };
    const Case cases[] = {
        {DigitKeyFilter, "a1.2-3", "123", ""},
        {DecimalKeyFilter, "a1.2-3", "1.23", ""},
        {PhoneKeyFilter, "0571-8:8/9a", "05718:8/9", "05718:8/9"},
        {QuoteKeyFilter, "O'Brien", "OBrien", "OBrien"},
        {ReadOnlyKeyFilter, "abc", "", ""},
    };
    for (const Case& c : cases) {
        QLineEdit typed, pasted;
        c.install(&typed);
        c.install(&pasted);
        QTest::keyClicks(&typed, QString::fromLatin1(c.typed));
        EXPECT_EQ(typed.text(), QString::fromLatin1(c.kept)) << c.typed;

        QApplication::clipboard()->setText(QString::fromLatin1(c.typed));
        QTest::keyClick(&pasted, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(pasted.text(), QString::fromLatin1(c.pasted)) << "pasted " << c.typed;
    }
    QLineEdit digits;
    DigitKeyFilter(&digits);
    QTest::keyClicks(&digits, QStringLiteral("12"));
    QTest::keyClick(&digits, Qt::Key_Backspace);
    EXPECT_EQ(digits.text(), QStringLiteral("1"));
}

namespace {

// Drops text on a field from outside it, as a drag from another program does.
void dropText(QLineEdit* edit, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(edit->width() - 2, edit->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &drop);
}

} // namespace

TEST_F(TabulorTest, NumberAndJoinedLineFiltersTakeAPasteWholeOrLeaveTheFieldAsItWas)
{
    struct Case { void (*install)(QLineEdit*); int limit; const char* start; const char* inserted; const char* result; };
    const Case cases[] = {
        // A quantity box: digits, at most 3.
        {DigitKeyFilter, 3, "", "12", "12"},
        {DigitKeyFilter, 3, "", "1.5", ""},
        {DigitKeyFilter, 3, "", "-5", ""},
        {DigitKeyFilter, 3, "", "1e9", ""},
        {DigitKeyFilter, 3, "", "1234", ""},
        {DigitKeyFilter, 3, "7", "12", "712"},
        {DigitKeyFilter, 3, "78", "12", "78"},
        // A price box: digits and points, at most 8; a second point is what typing gives too.
        {DecimalKeyFilter, 8, "", "12.50", "12.50"},
        {DecimalKeyFilter, 8, "", "1.2.3", "1.2.3"},
        {DecimalKeyFilter, 8, "", "-20", ""},
        {DecimalKeyFilter, 8, "", "abc", ""},
        {DecimalKeyFilter, 8, "", " 12", ""},
        {DecimalKeyFilter, 8, "", "123456789", ""},
        // A receipt line, stored joined to others by "|".
        {JoinedLineKeyFilter, 20, "Tel", " 123", "Tel 123"},
        {JoinedLineKeyFilter, 20, "Tel", "|123", "Tel"},
        {JoinedLineKeyFilter, 20, "", "Joe's", ""},
    };
    for (const Case& c : cases) {
        const QString start = QString::fromLatin1(c.start), inserted = QString::fromLatin1(c.inserted),
                      result = QString::fromLatin1(c.result);
        SCOPED_TRACE(std::string(c.start) + " + " + c.inserted);
        QLineEdit typed, pasted, dropped;
        for (QLineEdit* e : {&typed, &pasted, &dropped}) {
            MaxLengthFilter(e, c.limit);
            c.install(e);
            e->setText(start);
            e->end(false);
        }
        QApplication::clipboard()->setText(inserted);
        QTest::keyClick(&pasted, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(pasted.text(), result);
        dropText(&dropped, inserted);
        EXPECT_EQ(dropped.text(), result);
        // What every character typed would give, the paste gives when it is taken.
        QTest::keyClicks(&typed, inserted);
        if (result != start)
            EXPECT_EQ(typed.text(), result);
    }

    QLineEdit quantity;
    MaxLengthFilter(&quantity, 3);
    DigitKeyFilter(&quantity);
    // A paste replaces the selection; the result must fit without it.
    quantity.setText(QStringLiteral("1"));
    quantity.selectAll();
    QApplication::clipboard()->setText(QStringLiteral("123"));
    QTest::keyClick(&quantity, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(quantity.text(), QStringLiteral("123"));
    // The context menu's paste is guarded the same way.
    quantity.setText(QStringLiteral("4"));
    QApplication::clipboard()->setText(QStringLiteral("-5"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), quantity.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&quantity, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* a : menu->actions())
        if (a->text().startsWith(QLineEdit::tr("&Paste")))
            paste = a;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(quantity.text(), QStringLiteral("4"));
    QApplication::clipboard()->setText(QStringLiteral("56"));
    paste->trigger();
    EXPECT_EQ(quantity.text(), QStringLiteral("456"));
    menu->close();
    // Text set by the program keeps its cut to the limit.
    quantity.setText(QStringLiteral("1234"));
    EXPECT_EQ(quantity.text(), QStringLiteral("123"));
}

TEST_F(TabulorTest, MaxLengthCountsCharactersAndNeverSplitsOne)
{
    const QString smile = QString::fromUtf8("😀");   // one character, two UTF-16 units
    struct Case { const char* name; QString start; int cursor; QString inserted; QString kept; };
    const Case cases[] = {
        {"an emoji at the limit is kept", QStringLiteral("abc"), 3, smile, QStringLiteral("abc") + smile},
        {"an emoji past the limit is dropped whole", QStringLiteral("abcd"), 4, smile, QStringLiteral("abcd")},
        {"a paste keeps what fits", QStringLiteral("ab"), 2, smile + smile + smile, QStringLiteral("ab") + smile + smile},
        {"an insertion inside keeps the text after it", QStringLiteral("ac"), 1, QStringLiteral("b") + smile + QStringLiteral("x"),
         QStringLiteral("ab") + smile + QStringLiteral("c")},
        {"ideographs count one each", QStringLiteral("一二三"), 3, QStringLiteral("四五"), QStringLiteral("一二三四")},
    };
    for (const Case& c : cases) {
        QLineEdit edit;
        MaxLengthFilter(&edit, 4);
        edit.setText(c.start);
        edit.setCursorPosition(c.cursor);
        QApplication::clipboard()->setText(c.inserted);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit.text(), c.kept) << c.name;
        EXPECT_LE(CharacterCount(edit.text()), 4) << c.name;
    }
    // Text set by code is held to the limit the same way; typing at the
    // limit adds nothing; key filters still apply.
    QLineEdit code;
    MaxLengthFilter(&code, 3);
    EXPECT_EQ(MaxLengthOf(&code), 3);
    code.setText(QStringLiteral("ab") + smile + smile);
    EXPECT_EQ(code.text(), QStringLiteral("ab") + smile);
    QTest::keyClicks(&code, QStringLiteral("z"));
    EXPECT_EQ(code.text(), QStringLiteral("ab") + smile);
    QLineEdit digits;
    DigitKeyFilter(&digits);
    MaxLengthFilter(&digits, 3);
    QTest::keyClicks(&digits, QStringLiteral("1a2b34"));
    EXPECT_EQ(digits.text(), QStringLiteral("123"));
    EXPECT_EQ(MaxLengthOf(&digits), 3);
    QLineEdit plain;
    EXPECT_EQ(MaxLengthOf(&plain), 0);   // a field without a limit has none
}

TEST_F(TabulorTest, DialogDefaultAndCancelButtons)
{
    Form dlg;
    auto* ok = new QPushButton(QStringLiteral("OK"), &dlg);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dlg);
    auto* edit = new QLineEdit(&dlg);
    int oks = 0, cancels = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++oks; });
    QObject::connect(cancel, &QPushButton::clicked, [&] { ++cancels; });
    dlg.show();
    edit->setFocus();
    // without default and cancel buttons Enter and Esc do nothing
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(oks + cancels, 0);
    EXPECT_TRUE(dlg.isVisible());
    dlg.defaultButton = ok;
    dlg.cancelButton = cancel;
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(cancels, 1);
}

// Two pictures, red and blue, in a list's small and large image lists.
struct TwoPictures {
    ImageList small{16}, large{32};
    explicit TwoPictures(ListView& lv)
    {
        for (const QColor& c : {QColor(Qt::red), QColor(Qt::blue)}) {
            QPixmap p(32, 32);
            p.fill(c);
            small.add(p.scaled(16, 16));
            large.add(p);
        }
        lv.setIcons(&large);
        lv.setSmallIcons(&small);
    }
};

TEST_F(TabulorTest, ListViewKeepsColumnsKeysAndHiddenData)
{
    ListView lv;
    lv.addColumn(QStringLiteral("名称"), 1500);
    lv.addColumn(QStringLiteral("编号"), 0);
    lv.addColumn(QStringLiteral("状态"));
    const int r = lv.add(QStringLiteral("大厅1"), QStringLiteral("k101"));
    lv.setSubItem(r, 1, QStringLiteral("101"));
    lv.setSubItem(r, 2, QStringLiteral("空闲"));
    EXPECT_EQ(lv.columnWidthTwips(0), 1500);
    EXPECT_EQ(lv.columnWidthTwips(1), 0);
    EXPECT_TRUE(lv.columnHidden(1));
    EXPECT_EQ(lv.subItem(r, 1), QStringLiteral("101"));
    EXPECT_EQ(lv.findKey(QStringLiteral("k101")), r);
    EXPECT_EQ(lv.selectedRow(), -1);
    int clicked = -1;
    QObject::connect(&lv, &ListView::itemClick, [&](int row) { clicked = row; });
    clickRow(&lv, r);
    EXPECT_EQ(clicked, r);
    EXPECT_EQ(lv.selectedRow(), r);
    lv.setView(ListView::Icon);
    EXPECT_EQ(lv.selectedRow(), r);   // one selection for both views

    // A row given whole: its sub-items in column order, aligned as their
    // columns, its pictures as setPictures gives them; a fourth sub-item
    // makes room for itself.
    const TwoPictures pictures(lv);
    const int whole = lv.addWithPictures(QStringLiteral("大厅2"), QStringLiteral("k102"), 2, 1,
                                         {QStringLiteral("102"), QStringLiteral("在用"), QStringLiteral("x")});
    const int pieces = lv.addWithPictures(QStringLiteral("大厅3"), QStringLiteral("k103"), 2, 1);
    lv.setSubItem(pieces, 1, QStringLiteral("103"));
    EXPECT_EQ(lv.key(whole), QStringLiteral("k102"));
    EXPECT_EQ(lv.subItem(whole, 2), QStringLiteral("在用"));
    EXPECT_EQ(lv.subItem(whole, 3), QStringLiteral("x"));
    EXPECT_EQ(lv.model()->item(whole, 2)->textAlignment(), lv.model()->item(pieces, 2)->textAlignment());
    EXPECT_EQ(lv.iconIndex(whole), 2);
    EXPECT_EQ(lv.smallIconIndex(whole), 1);
    EXPECT_EQ(lv.shownPicture(whole).cacheKey(), lv.shownPicture(pieces).cacheKey());
    lv.setView(ListView::Report);
    EXPECT_EQ(lv.shownPicture(whole).cacheKey(), lv.shownPicture(pieces).cacheKey());
    EXPECT_EQ(lv.add(QStringLiteral("大厅4"), {}, {}, {QStringLiteral("104")}), 3);
    EXPECT_EQ(lv.subItem(3, 1), QStringLiteral("104"));
}

// Rows given all at once replace the rows there were, whether the list
// keeps its shape (the cells change in place) or not (the rows are made
// anew); either way nothing is selected after, and the list says so.
TEST_F(TabulorTest, ListViewRowsGivenAllAtOnceReplaceTheRowsThereWere)
{
    ListView lv;
    for (const char* caption : {"名称", "状态", "编号"})
        lv.addColumn(QString::fromUtf8(caption), 1000);
    const TwoPictures pictures(lv);
    const auto shown = [&] {
        QStringList out;
        for (int r = 0; r < lv.count(); ++r)
            out << QStringList{lv.text(r), lv.subItem(r, 1), lv.subItem(r, 2), lv.key(r),
                               QString::number(lv.iconIndex(r)), QString::number(lv.smallIconIndex(r))}
                       .join(u'|');
        return out;
    };
    int lastSelection = -2;
    QObject::connect(&lv, &ListView::selectionChanged, [&](int row) { lastSelection = row; });
    const std::vector<ListView::PictureRow> first{{QStringLiteral("大厅1"), QStringLiteral("k1"), 1, 1, {QStringLiteral("空闲"), QStringLiteral("101")}},
                                                  {QStringLiteral("大厅2"), {}, 2, 2, {QStringLiteral("在用")}}};
    lv.setRowsWithPictures(first);
    EXPECT_EQ(shown(), (QStringList{"大厅1|空闲|101|k1|1|1", "大厅2|在用|||2|2"}));
    lv.select(1);
    EXPECT_EQ(lastSelection, 1);

    // The same shape: one cell, one key and one picture change.
    const std::vector<ListView::PictureRow> second{{QStringLiteral("大厅1"), QStringLiteral("k1"), 1, 1, {QStringLiteral("空闲"), QStringLiteral("101")}},
                                                   {QStringLiteral("大厅2"), QStringLiteral("k2"), 1, 2, {QStringLiteral("结帐"), QStringLiteral("102")}}};
    lv.setRowsWithPictures(second);
    EXPECT_EQ(shown(), (QStringList{"大厅1|空闲|101|k1|1|1", "大厅2|结帐|102|k2|1|2"}));
    EXPECT_EQ(lv.selectedRow(), -1);
    EXPECT_EQ(lastSelection, -1);
    lv.setView(ListView::Icon);
    EXPECT_EQ(lv.shownPicture(1).cacheKey(), lv.shownPicture(0).cacheKey());

    // Another number of rows: made anew.
    lv.select(0);
    lv.setRowsWithPictures({{QStringLiteral("包间"), {}, 2, 1, {}}});
    EXPECT_EQ(shown(), QStringList{"包间||||2|1"});
    EXPECT_EQ(lv.selectedRow(), -1);
    EXPECT_EQ(lastSelection, -1);
}

TEST_F(TabulorTest, TreeAndToolbarReachNodesByKeyAndButtonsByNumber)
{
    TreeView tv;
    tv.addNode({}, QStringLiteral("root"), QStringLiteral("全部"));
    tv.addNode(QStringLiteral("root"), QStringLiteral("F01"), QStringLiteral("大厅"));
    QString clicked;
    QObject::connect(&tv, &TreeView::nodeClick, [&](QTreeWidgetItem* i) { clicked = TreeView::keyOf(i); });
    clickNode(&tv, QStringLiteral("F01"));
    EXPECT_EQ(clicked, QStringLiteral("F01"));
    EXPECT_EQ(tv.selectedText(), QStringLiteral("大厅"));
    clicked.clear();
    clickNode(&tv, QStringLiteral("F01"));   // clicking the selected node again
    EXPECT_EQ(clicked, QStringLiteral("F01"));

    // With the mouse: one node click per click, on a new node or the selected one.
    tv.expandAll();
    tv.show();
    processEvents();
    int clicks = 0;
    QObject::connect(&tv, &TreeView::nodeClick, [&](QTreeWidgetItem*) { ++clicks; });
    auto clickAt = [&](const QString& key) {
        QTest::mouseClick(tv.viewport(), Qt::LeftButton, {}, tv.visualItemRect(tv.node(key)).center());
    };
    clickAt(QStringLiteral("root"));
    EXPECT_EQ(clicks, 1);
    clickAt(QStringLiteral("root"));
    EXPECT_EQ(clicks, 2);
    clickAt(QStringLiteral("F01"));
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(clicked, QStringLiteral("F01"));

    Toolbar tb;
    tb.addButton(QStringLiteral("增加"));
    tb.addButton(QStringLiteral("删除"));
    std::vector<int> pressed;
    QObject::connect(&tb, &Toolbar::buttonClick, [&](int i) { pressed.push_back(i); });
    tb.click(2);
    tb.setButtonVisible(1, false);
    tb.click(1);
    tb.setButtonEnabled(2, false);
    tb.click(2);
    EXPECT_EQ(pressed, std::vector<int>{2});
    EXPECT_EQ(tb.caption(1), QStringLiteral("增加"));
}

namespace {

// This process's locks on a file, as the kernel lists them ("READ 128 128").
QStringList locksHeldOn(const QString& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    const QString inode = QString::number(quint64(st.st_ino));
    const QString pid = QString::number(QCoreApplication::applicationPid());
    QFile locks(QStringLiteral("/proc/locks"));
    EXPECT_TRUE(locks.open(QIODevice::ReadOnly));
    QStringList held;
    // "1: POSIX  ADVISORY  READ 28746 fe:00:10952796 128 128"
    for (const QString& line : QString::fromLatin1(locks.readAll()).split(u'\n')) {
        const QStringList f = line.simplified().split(u' ');
        if (f.size() == 8 && f[4] == pid && f[5].section(u':', 2) == inode)
            held << f[3] + u' ' + f[6] + u' ' + f[7];
    }
    return held;
}

} // namespace

// Choosing a database file in the folder of the open one: the dialog lists
// the files without reading them, so the program keeps its locks on the
// database and its journal (another copy of the program would otherwise take
// this one's journal for its own and delete it with the last commits).
TEST_F(TabulorTest, TheFileDialogLeavesTheOpenDatabaseAlone)
{
    sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE) VALUES ('probe', '1')"));
    const QString shm = dbPath() + QStringLiteral("-shm");
    const QStringList before = locksHeldOn(dbPath()) + locksHeldOn(shm);
    ASSERT_FALSE(locksHeldOn(shm).isEmpty());
    FileDialogSeam::stopScripting();
    QString typeShown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(QFileInfo(dbPath()).path());
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        // The listing is read in the background: wait until the database
        // file shows its icon and type.
        QTest::qWaitFor([&] {
            const QModelIndex file = model->index(dbPath(), 2);
            typeShown = model->data(file).toString();
            return !typeShown.isEmpty() && !model->data(file.siblingAtColumn(0), Qt::DecorationRole).isNull();
        }, 5000);
        QTest::qWait(200);
        dialog->reject();
    });
    EXPECT_EQ(FileDialogSeam::openFile(QStringLiteral("选择数据库文件")), QString());
    FileDialogSeam::script();
    EXPECT_EQ(typeShown, QStringLiteral("DB 文件"));
    EXPECT_EQ(locksHeldOn(dbPath()) + locksHeldOn(shm), before);
}

#include "PlatformTest.moc"
