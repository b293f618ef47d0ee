// Print settings: the receipt's head and foot lines, the printer type and the
// line order, and the shared reading rule of the rows in force.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include "shell/DlgDYSZ.h"
#include "shell/FrmMain.h"
#include "shell/PrintSet.h"
#include "platform/KeyFilters.h"
#include "tests/TestSupport.h"

namespace {

class PrintSetTest : public TabulorTest {
protected:
    DlgDYSZ& open()
    {
        openDb();
        return Forms::get<DlgDYSZ>();
    }
    QStringList boxes(DlgDYSZ& d)
    {
        return {d.Text1->text(), d.Text2->text(), d.Text3->text(), d.Text4->text(), d.Text5->text(), d.Text6->text()};
    }
    // Rows as "HEAD STATE RESTNAME PRINTER" in insertion order.
    QStringList rows()
    {
        QStringList out;
        Recordset rs;
        rs.open(QStringLiteral("SELECT HEAD, STATE, RESTNAME, PRINTER FROM PRINTSET ORDER BY ID"));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            out << QStringLiteral("%1 %2 %3 %4").arg(rs.text(QStringLiteral("HEAD")), rs.text(QStringLiteral("STATE")),
                                                     rs.text(QStringLiteral("RESTNAME")), rs.text(QStringLiteral("PRINTER")));
        return out;
    }
    QString orders() { return value(QStringLiteral("SELECT XTCS_VALUE || '/' || XTCS_MS FROM SYSXTCS WHERE XTCS_NAME = 'Orders'")).toString(); }
    // One save as a user: open, fill, OK, Yes.
    void save(const QStringList& lines, int printer, bool byEntry)
    {
        DlgDYSZ& d = open();
        QLineEdit* edits[] = {d.Text1, d.Text2, d.Text3, d.Text4, d.Text5, d.Text6};
        for (int i = 0; i < 6; ++i)
            edits[i]->setText(lines.value(i));
        d.Option1[printer]->click();
        (byEntry ? d.Option3 : d.Option2)->click();
        MessageSeam::answer(Msg::Yes);
        d.OKButton->click();
        processEvents();
    }
};

} // namespace

TEST_F(PrintSetTest, ThreeSavesFromAnEmptyTable)
{
    DlgDYSZ& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("打印设置"));
    EXPECT_EQ(boxes(d), QStringList(6, QString()));
    EXPECT_TRUE(d.Option1[0]->isChecked());
    EXPECT_TRUE(d.Option2->isChecked());
    EXPECT_EQ(MaxLengthOf(d.Text1), 20);
    screenshot(&d, QStringLiteral("DlgDYSZ"));
    Forms::unloadAll();

    save({QStringLiteral("小馆"), QStringLiteral(" 电话 1 "), {}, {}, {}, {}}, 0, false);
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("您确定进行打印机设置么？"), QStringLiteral("打印设置完成！")}));
    EXPECT_EQ(MessageSeam::messages()[0].buttons, int(Msg::YesNo));
    EXPECT_EQ(MessageSeam::messages()[0].icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_FALSE(Forms::isLoaded<DlgDYSZ>());
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1 1 小馆|电话 1| 0"), QStringLiteral("0 1 || 0")}));
    EXPECT_EQ(orders(), QStringLiteral("Class/打印排序方式"));

    save({QStringLiteral("小馆"), {}, {}, QStringLiteral("谢谢"), {}, {}}, 1, true);
    save({QStringLiteral("新馆"), {}, {}, QStringLiteral("再见"), QStringLiteral("欢迎"), {}}, 1, true);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1 1 新馆|| 1"), QStringLiteral("0 0 || 0"),
                                   QStringLiteral("0 0 谢谢|| 1"), QStringLiteral("0 1 再见|欢迎| 1")}));
    EXPECT_EQ(orders(), QStringLiteral("Order/打印排序方式"));
    EXPECT_EQ(count(QStringLiteral("SYSXTCS"), QStringLiteral("WHERE XTCS_NAME = 'Orders'")), 1);

    // The next opening shows what is in force.
    DlgDYSZ& again = open();
    EXPECT_EQ(boxes(again), (QStringList{QStringLiteral("新馆"), {}, {}, QStringLiteral("再见"), QStringLiteral("欢迎"), {}}));
    EXPECT_TRUE(again.Option1[1]->isChecked());
    EXPECT_TRUE(again.Option3->isChecked());
}

TEST_F(PrintSetTest, RefusalsWriteNothing)
{
    // No at the confirmation closes the window.
    DlgDYSZ& d = open();
    d.Text1->setText(QStringLiteral("小馆"));
    MessageSeam::answer(Msg::No);
    d.OKButton->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<DlgDYSZ>());
    EXPECT_EQ(count(QStringLiteral("PRINTSET")), 0);
    EXPECT_EQ(count(QStringLiteral("SYSXTCS"), QStringLiteral("WHERE XTCS_NAME = 'Orders'")), 0);

    // An empty shop name keeps the window open, whatever the answer.
    MessageSeam::clear();
    DlgDYSZ& e = open();
    e.Text4->setText(QStringLiteral("谢谢"));
    MessageSeam::answer(Msg::Yes);
    MessageSeam::answer(Msg::Yes);
    e.OKButton->click();
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("您确定进行打印机设置么？"), QStringLiteral("请输入您的店名！")}));
    EXPECT_EQ(lastMessage().buttons, int(Msg::YesNo));
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_TRUE(Forms::isLoaded<DlgDYSZ>());
    EXPECT_EQ(count(QStringLiteral("PRINTSET")), 0);

    // A name of blanks only is a name: stored as an empty first line.
    MessageSeam::clear();
    e.Text1->setText(QStringLiteral("  "));
    e.OKButton->click();
    EXPECT_EQ(value(QStringLiteral("SELECT RESTNAME FROM PRINTSET WHERE HEAD = 1")).toString(), QStringLiteral("||"));
}

// The lines of a row are stored joined by "|": a bar can neither be typed nor
// pasted into a line, so every line comes back, and prints, as it was saved.
TEST_F(PrintSetTest, EveryLineComesBackAsSavedForNoBarReachesALine)
{
    save({QStringLiteral("小馆"), QStringLiteral("电话 010-1234"), QStringLiteral("欢迎光临"), QStringLiteral("谢谢"),
          QStringLiteral("再见"), QStringLiteral("　下次再来")},
         0, false);
    DlgDYSZ& d = open();
    d.Text1->setFocus();
    d.Text1->selectAll();
    QTest::keyClicks(d.Text1, QStringLiteral("Tel|123 Joe's"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("Tel123 Joes"));   // the keys are dropped
    d.Text4->setFocus();
    d.Text4->end(false);
    QApplication::clipboard()->setText(QStringLiteral("谢|谢"));
    QTest::keyClick(d.Text4, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.Text4->text(), QStringLiteral("谢谢"));           // refused whole
    QApplication::clipboard()->setText(QStringLiteral("惠顾"));
    QTest::keyClick(d.Text4, Qt::Key_V, Qt::ControlModifier);
    const QStringList shown = boxes(d);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Tel123 Joes"), QStringLiteral("电话 010-1234"), QStringLiteral("欢迎光临"),
                                  QStringLiteral("谢谢惠顾"), QStringLiteral("再见"), QStringLiteral("　下次再来")}));
    MessageSeam::clear();
    MessageSeam::answer(Msg::Yes);
    d.OKButton->click();
    processEvents();
    EXPECT_EQ(lastMessage().text, QStringLiteral("打印设置完成！"));

    EXPECT_EQ(boxes(open()), shown);
    // What the receipt prints above and below its lines.
    const PrintSetLines lines = ReadPrintSet();
    EXPECT_EQ(lines.head + lines.foot, shown);

    // Text that reaches a box some other way is stored exactly, never as SQL.
    DlgDYSZ& again = open();
    again.Text5->setText(QStringLiteral("x'); DELETE FROM t;"));
    MessageSeam::answer(Msg::Yes);
    again.OKButton->click();
    processEvents();
    EXPECT_EQ(ReadPrintSet().foot[1], QStringLiteral("x'); DELETE FROM t;"));
}

TEST_F(PrintSetTest, ReadPrintSetTakesTheRowsInForce)
{
    sql(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES"
                       " (0, 1, 'old|x|y', '0'), (1, 1, 'A|B|C|D', '1'), (1, 0, 'f1', '1'), (1, 0, NULL, '1'),"
                       " (1, 1, 'Z', '1')"));
    const PrintSetLines lines = ReadPrintSet();
    EXPECT_TRUE(lines.anyRow);
    EXPECT_EQ(lines.head, (QStringList{QStringLiteral("Z"), QString(), QString()}));   // the last read wins
    EXPECT_EQ(lines.foot, (QStringList{QString(), QString(), QString()}));            // a Null line set
    EXPECT_EQ(lines.printer, QStringLiteral("1"));

    sql(QStringLiteral("UPDATE PRINTSET SET STATE = 0 WHERE RESTNAME = 'Z' OR RESTNAME IS NULL"));
    sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE) VALUES ('Orders', 'class')"));
    EXPECT_EQ(ReadPrintSet().head, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    DlgDYSZ& d = open();
    EXPECT_EQ(boxes(d), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                     QStringLiteral("f1"), QString(), QString()}));
    EXPECT_TRUE(d.Option1[1]->isChecked());
    EXPECT_TRUE(d.Option3->isChecked());   // only "Class" exactly is by category
}

TEST_F(PrintSetTest, AFailingStatementLeavesTheSettingsAsTheyWere)
{
    save({QStringLiteral("小馆"), {}, {}, {}, {}, {}}, 0, false);
    const QStringList before = rows();
    sql(QStringLiteral("CREATE TRIGGER no_orders BEFORE UPDATE ON SYSXTCS BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    MessageSeam::clear();
    save({QStringLiteral("新馆"), {}, {}, {}, {}, {}}, 1, true);
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(orders(), QStringLiteral("Class/打印排序方式"));
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].contains(QStringLiteral("disk full")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_TRUE(Forms::isLoaded<DlgDYSZ>());
}
