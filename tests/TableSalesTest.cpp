// Table sales detail: the table list and its ticks, the detail text of the
// settled seatings, the summary box, the print and the messages.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include "db/Recordset.h"
#include "print/CodePage936.h"
#include "print/TextWidth.h"
#include "reports/FrmFTXS.h"
#include "tests/ReportsFixture.h"

namespace {

const QString Rule(16, QChar(0x2500));

class TableSalesTest : public ReportsFixture {
protected:
    void SetUp() override
    {
        ReportsFixture::SetUp();
        // A single-byte column is 90 twips, a double-byte one 180.
        TextMeasurer::script([](const QString& t) { return AnsiTextWidth(t) * 90; });
    }
    void TearDown() override
    {
        TextMeasurer::stopScripting();
        ReportsFixture::TearDown();
    }
    FrmFTXS& window() { return Forms::get<FrmFTXS>(); }
    // The report text as lines, without their CR LF.
    QStringList textLines()
    {
        QString t = window().reportText();
        EXPECT_TRUE(t.isEmpty() || t.endsWith(QStringLiteral("\r\n")));
        t.chop(2);
        return t.isEmpty() ? QStringList() : t.split(QStringLiteral("\r\n"));
    }
    // The lines of one seating as the detail writes them.
    static QStringList seatingLines(const QString& start, const QStringList& lines, const QString& end,
                                    const QString& billAmount, const QString& received)
    {
        QStringList out{QStringLiteral("开台时间：") + start + u' ', QString()};
        if (!lines.isEmpty())
            out << Rule << QStringLiteral("品名\t\t数量\t金额") << Rule << lines << Rule;
        out << QString() << QStringLiteral("结帐时间：") + end << QStringLiteral("结帐金额：") + billAmount + u'元';
        if (!received.isEmpty())
            out << QStringLiteral("实收金额：") + received + u'元' << QString();
        out << Rule << QString() << QString();
        return out;
    }
};

} // namespace

TEST_F(TableSalesTest, ListsEveryTableThatHadASeatingTicked)
{
    salesDay();
    table(QStringLiteral("301"), QStringLiteral("雅座"), QStringLiteral("09"), QStringLiteral("八人台"));
    seating(QStringLiteral("301"), QStringLiteral("2026-03-01 12:00:00"), QString(), 2, QStringLiteral("王强"));
    FrmFTXS& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("房台销售明细"));
    EXPECT_EQ(text(headers(w.ListView1)), text({"名称", "类型", "部门", "编码"}));
    EXPECT_NEAR(w.ListView1->columnWidthTwips(1), 700, 15);
    // A table whose type and specification are unknown shows them empty.
    EXPECT_EQ(text(rows(w.ListView1)), text({"大厅1|四人台|大厅|101", "大厅2|四人台|大厅|102", "牡丹厅|十人台|包间|201",
                                             "芙蓉厅|十人台|包间|202", "雅座|||301"}));
    for (int r = 0; r < w.ListView1->count(); ++r)
        EXPECT_TRUE(w.ticked(r));
    EXPECT_EQ(w.DTPicker2[0]->time(), QTime(0, 0, 0));
    EXPECT_EQ(w.DTPicker2[1]->time(), QTime(23, 59, 59));
    EXPECT_FALSE(w.Toolbar1->buttonVisible(FrmFTXS::BtnHelp));
    EXPECT_TRUE(w.Text1->isReadOnly());

    w.setTicked(1, false);
    w.Command1[1]->click();   // 返选
    EXPECT_TRUE(w.ticked(1));
    EXPECT_FALSE(w.ticked(0));
    w.Command1[2]->click();   // 清除
    for (int r = 0; r < w.ListView1->count(); ++r)
        EXPECT_FALSE(w.ticked(r));
    w.Command1[0]->click();   // 全选
    for (int r = 0; r < w.ListView1->count(); ++r)
        EXPECT_TRUE(w.ticked(r));
}

TEST_F(TableSalesTest, DetailListsTheSeatingsSettledInThePeriod)
{
    salesDay();
    FrmFTXS& w = window();
    w.Toolbar1->click(FrmFTXS::BtnDetail);
    // A opened the day before and settled at midnight; E opened the day
    // before and settled in the morning; G settled a second before the day
    // and D a second after it; H is still open.
    QStringList expected{QStringLiteral("大厅1："), QString(), QString()};
    expected << seatingLines(QStringLiteral("2026-03-09 23:30:00"), {QStringLiteral("宫保鸡丁\t1\t38.00")},
                             QStringLiteral("2026-03-10 00:00:00"), QStringLiteral("38.00"), QStringLiteral("38.00"));
    expected << QStringLiteral("大厅2：") << QString() << QString();
    expected << seatingLines(QStringLiteral("2026-03-09 21:00:00"),
                             {QStringLiteral("拍黄瓜\t\t1\t12.00"), QStringLiteral("青岛啤酒\t3\t30.00"),
                              QStringLiteral("水煮牛肉\t1\t48.00")},
                             QStringLiteral("2026-03-10 10:00:00"), QStringLiteral("90.00"), QStringLiteral("90.00"));
    expected << seatingLines(QStringLiteral("2026-03-10 12:00:00"),
                             {QStringLiteral("酸梅汤\t\t2\t16.00"), QStringLiteral("水煮牛肉\t1\t48.00"),
                              QStringLiteral("宫保鸡丁\t1\t40.00")},
                             QStringLiteral("2026-03-10 13:00:00"), QStringLiteral("104.00"), QStringLiteral("101.50"));
    expected << QStringLiteral("牡丹厅：") << QString() << QString();
    expected << seatingLines(QStringLiteral("2026-03-10 18:00:00"),
                             {QStringLiteral("宫保鸡丁\t2\t76.00"), QStringLiteral("酸梅汤\t\t1\t0.00"),
                              QStringLiteral("水煮牛肉\t1\t48.00"), QStringLiteral("水煮牛肉\t-1\t-48.00")},
                             QStringLiteral("2026-03-10 23:59:59"), QStringLiteral("76.00"), QStringLiteral("0.00"));
    EXPECT_EQ(text(textLines()), text(expected));
    EXPECT_TRUE(messages().isEmpty());
    // The text area shows the same lines.
    EXPECT_EQ(w.Text1->toPlainText().split(u'\n').size(), expected.size());

    // Only ticked tables are reported.
    w.Command1[2]->click();
    w.setTicked(2, true);
    w.Toolbar1->click(FrmFTXS::BtnDetail);
    EXPECT_EQ(textLines().first(), QStringLiteral("牡丹厅："));
}

TEST_F(TableSalesTest, OrderLinesAndSeatingsWithoutLinesOrBills)
{
    floorAndMenu();
    const QString s = seating(QStringLiteral("101"), QStringLiteral("2026-03-10 12:00:00"),
                              QStringLiteral("2026-03-10 13:00:00"), 2, QStringLiteral("王强"));
    const struct { const char* name; double num; double price; const char* kind; } lines[] = {
        {"啤酒", 1, 8, "2"},
        {"宫保鸡丁", 2, 28, "0"},
        {"红烧狮子头", 3, 25, "0"},
        {"宫保鸡丁", -1, 28, "1"},
        {"特色大盘鸡加面加蛋", 1, 45, "0"},
        {"1234567", 1, 1, "0"},
        {"12345678", 1, 1, "0"},
        {"123456789012345", 1, 1, "0"},
        {"1234567890123456", 1, 1, "0"},
        {"半斤", 12345678, 0.5, "0"},
        {"送", 12345678, 0.5, "2"},
    };
    int code = 0;
    for (const auto& l : lines)
        line(s, QStringLiteral("%1").arg(++code, 2, 10, QLatin1Char('0')), QString::fromUtf8(l.name), l.num, l.price,
             QString::fromLatin1(l.kind), QStringLiteral("2026-03-10 12:10:00"));
    // A seating without lines, and one without a bill.
    const QString empty = seating(QStringLiteral("102"), QStringLiteral("2026-03-10 14:00:00"),
                                  QStringLiteral("2026-03-10 14:30:00"), 2, QStringLiteral("王强"));
    bill(empty, QStringLiteral("2026-03-10 14:30:00"), 0, 0, 0, QStringLiteral("0"));
    window().Toolbar1->click(FrmFTXS::BtnDetail);

    QStringList expected{QStringLiteral("大厅1："), QString(), QString()};
    expected << seatingLines(QStringLiteral("2026-03-10 12:00:00"),
                             {QStringLiteral("啤酒\t\t1\t0.00"), QStringLiteral("宫保鸡丁\t2\t56.00"),
                              QStringLiteral("红烧狮子头\t3\t75.00"), QStringLiteral("宫保鸡丁\t-1\t-28.00"),
                              QStringLiteral("特色大盘鸡加面加蛋1\t45.00"), QStringLiteral("1234567\t\t1\t1.00"),
                              QStringLiteral("12345678\t1\t1.00"), QStringLiteral("123456789012345\t1\t1.00"),
                              QStringLiteral("12345678901234561\t1.00"), QStringLiteral("半斤\t\t123456786172839"),
                              QStringLiteral("送\t\t123456780.00")},
                             QStringLiteral("2026-03-10 13:00:00"), QStringLiteral("6172991.00"), QString());
    expected << QStringLiteral("大厅2：") << QString() << QString();
    expected << seatingLines(QStringLiteral("2026-03-10 14:00:00"), {}, QStringLiteral("2026-03-10 14:30:00"),
                             QStringLiteral("0.00"), QStringLiteral("0.00"));
    EXPECT_EQ(text(textLines()), text(expected));
}

// A seating's lines stand in the order of their dish codes as the database
// compares them (letters without regard to case, digits as text), lines of
// one code in the order they were entered.
TEST_F(TableSalesTest, OrderLinesFollowTheirDishCodesAsStored)
{
    floorAndMenu();
    const QString s = seating(QStringLiteral("101"), QStringLiteral("2026-03-10 12:00:00"),
                              QStringLiteral("2026-03-10 13:00:00"), 2, QStringLiteral("王强"));
    bill(s, QStringLiteral("2026-03-10 13:00:00"), 7, 7, 0, QStringLiteral("0"));
    const struct { const char* code; const char* name; } lines[] = {
        {"b2", "菜b2"}, {"B1", "菜B1"}, {"a", "菜a"}, {"9", "菜9"}, {"10", "菜10"}, {"", "菜空"}, {"b1", "菜b1"},
    };
    for (const auto& l : lines)
        line(s, QString::fromLatin1(l.code), QString::fromUtf8(l.name), 1, 1, QStringLiteral("0"),
             QStringLiteral("2026-03-10 12:10:00"));
    window().Toolbar1->click(FrmFTXS::BtnDetail);
    QStringList names;
    for (const QString& l : textLines()) {
        if (l.startsWith(u'菜'))
            names << l.section(u'\t', 0, 0);
    }
    EXPECT_EQ(text(names), text({"菜空", "菜10", "菜9", "菜a", "菜B1", "菜b1", "菜b2"}));
    // As the database orders them.
    QStringList stored;
    Recordset rs;
    rs.open(QStringLiteral("SELECT food_name FROM strink_mess_200505 ORDER BY food_code, rowid"));
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        stored << rs.field(0).toString();
    EXPECT_EQ(text(names), text(stored));
}

// A table's seatings stand as the database orders them by table code,
// opening time and id (each without regard to letter case); times are shown
// without their blanks, whatever their form.
TEST_F(TableSalesTest, SeatingsStandInTheOrderOfTheirTableCodeOpeningTimeAndId)
{
    floorAndMenu();
    table(QStringLiteral("A1"), QStringLiteral("雅座"), QStringLiteral("01"), QStringLiteral("四人台"));
    const struct { const char* id; const char* table; const char* start; const char* end; } seatings[] = {
        {"b2", "101", "2026-03-10 12:00:00", "2026-03-10 13:00:00"},
        {"B1", "101", "2026-03-10 12:00:00", "2026-03-10 13:30:00"},
        {"c", "101", " 2026-03-10 11:00:00", "2026-03-10 12:30:00 "},
        {"d", "101", "2026-3-10 9:00", "2026-03-10 10:00:00"},
        {"e", "101", nullptr, "2026-03-10 10:30:00"},
        {"f", "101", "2026-03-10 08:00:00", "2026-03-10 09:00:00"},
        {"g", "a1", "2026-03-10 15:00:00", "2026-03-10 16:00:00"},
        {"h", "A1", "2026-03-10 14:00:00", "2026-03-10 16:30:00"},
        {"i", "a1", "2026-03-10 14:00:00", "2026-03-10 17:00:00"},
    };
    for (const auto& st : seatings)
        sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, sts) "
                           "VALUES (?, ?, ?, ?, 'P')"),
            {QString::fromLatin1(st.id), QString::fromLatin1(st.table),
             st.start ? QVariant(QString::fromLatin1(st.start)) : QVariant(), QString::fromLatin1(st.end)});
    window().Toolbar1->click(FrmFTXS::BtnDetail);

    QStringList shown;
    for (const QString& l : textLines()) {
        if (l.startsWith(QStringLiteral("开台时间：")) || l.startsWith(QStringLiteral("结帐时间：")) || l.endsWith(u'：'))
            shown << l;
    }
    // As the database orders them, the list's tables in turn.
    QStringList stored;
    for (const char* table : {"101", "a1"}) {
        stored << (QString::fromLatin1(table) == u"101" ? QStringLiteral("大厅1：") : QStringLiteral("雅座："));
        Recordset rs;
        rs.open(QStringLiteral("SELECT start_date, end_date FROM use_table_200505 WHERE house_table_id = ? "
                               "ORDER BY house_table_id, start_date, use_table_id"),
                {QString::fromLatin1(table)});
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            stored << QStringLiteral("开台时间：") + rs.field(0).toString().trimmed() + u' '
                   << QStringLiteral("结帐时间：") + rs.field(1).toString().trimmed();
    }
    EXPECT_EQ(text(shown), text(stored));
    EXPECT_EQ(text(shown.mid(0, 7)),
              text({"大厅1：", "开台时间： ", "结帐时间：2026-03-10 10:30:00", "开台时间：2026-03-10 11:00:00 ",
                    "结帐时间：2026-03-10 12:30:00", "开台时间：2026-03-10 08:00:00 ", "结帐时间：2026-03-10 09:00:00"}));
}

// The text is shown line by line: every line can be selected and copied.
TEST_F(TableSalesTest, TheTextLinesCanBeSelectedAndCopied)
{
    salesDay();
    FrmFTXS& w = window();
    EXPECT_EQ(w.Text1->blockCount(), 1);   // an empty text is one empty line
    w.Toolbar1->click(FrmFTXS::BtnDetail);
    const QStringList lines = textLines();
    ASSERT_EQ(w.Text1->lineCount(), lines.size());
    EXPECT_EQ(w.Text1->blockCount(), lines.size());
    EXPECT_EQ(w.Text1->toPlainText(), lines.join(u'\n'));
    // Ctrl+A, Ctrl+C: the whole text.
    w.Text1->setFocus();
    QTest::keyClick(w.Text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.Text1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), lines.join(u'\n'));
    // A click on a line and a Shift click on another take the lines between.
    w.Text1->clearSelection();
    auto clickLine = [&](int row, Qt::KeyboardModifiers keys) {
        w.Text1->scrollTo(w.Text1->model()->index(row, 0));
        QTest::mouseClick(w.Text1->viewport(), Qt::LeftButton, keys,
                          w.Text1->visualRect(w.Text1->model()->index(row, 0)).center());
    };
    clickLine(3, Qt::NoModifier);
    clickLine(5, Qt::ShiftModifier);
    QTest::keyClick(w.Text1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), lines.mid(3, 3).join(u'\n'));
    screenshot(&w, QStringLiteral("reports-table-detail-selected"));
    // Shown: End takes the last line, Up the one above it, scrolled into view.
    QTest::keyClick(w.Text1, Qt::Key_End);
    QTest::keyClick(w.Text1, Qt::Key_Up);
    QTest::keyClick(w.Text1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), lines[lines.size() - 2]);
    const QRect last = w.Text1->visualRect(w.Text1->model()->index(int(lines.size()) - 2, 0));
    EXPECT_TRUE(w.Text1->viewport()->rect().contains(QPoint(0, last.top())));
    EXPECT_EQ(w.Text1->indexAt(last.center()).row(), lines.size() - 2);
    // A new query shows its text from the top, nothing selected.
    w.Toolbar1->click(FrmFTXS::BtnSummary);
    EXPECT_EQ(w.Text1->selectedText(), QString());
    EXPECT_EQ(w.Text1->line(0), textLines().first());
    EXPECT_EQ(w.Text1->indexAt(QPoint(1, 1)).row(), 0);
}

TEST_F(TableSalesTest, SummaryBoxOfEveryTableName)
{
    salesDay();
    FrmFTXS& w = window();
    w.Command1[2]->click();   // the ticks play no part
    w.Toolbar1->click(FrmFTXS::BtnSummary);
    EXPECT_EQ(text(textLines()), text({
                                     "┌─────┬────────┐",
                                     "│ 房台名称 │\t  收费金额    │",
                                     "├─────┼────────┤",
                                     "│   大厅1  │\t       38.00元│",
                                     "├─────┼────────┤",
                                     "│   大厅2  │\t      191.50元│",
                                     "├─────┼────────┤",
                                     "│  牡丹厅  │\t        0.00元│",
                                     "├─────┼────────┤",
                                     "│ 合    计 │\t      229.50元│",
                                     "└─────┴────────┘",
                                 }));
    // Every line is 32 columns wide once its TAB has moved to column 16.
    for (const QString& l : textLines()) {
        QString spread = l;
        spread.replace(u'\t', QStringLiteral("  "));
        EXPECT_EQ(AnsiTextWidth(spread), 32) << l.toStdString();
    }
}

TEST_F(TableSalesTest, SummaryMergesTablesOfOneNameAndPadsLongNames)
{
    floorAndMenu();
    table(QStringLiteral("103"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("四人台"));
    table(QStringLiteral("104"), QStringLiteral("豪华大包间VIP"), QStringLiteral("02"), QStringLiteral("十人台"));
    const struct { const char* table; const char* start; double amount; } sales[] = {
        {"101", "2026-03-10 11:00:00", 1234.5}, {"103", "2026-03-10 11:10:00", 10}, {"104", "2026-03-10 11:20:00", 5}};
    for (const auto& s : sales) {
        const QString id = seating(QString::fromLatin1(s.table), QString::fromLatin1(s.start),
                                   QStringLiteral("2026-03-10 12:00:00"), 2, QStringLiteral("王强"));
        bill(id, QStringLiteral("2026-03-10 12:00:00"), s.amount, s.amount, 0, QStringLiteral("0"));
    }
    window().Toolbar1->click(FrmFTXS::BtnSummary);
    const QStringList lines = textLines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[3].toStdString(), "│   大厅1  │\t     1244.50元│");
    // A name wider than its field keeps one blank before it.
    EXPECT_EQ(lines[5].toStdString(), "│ 豪华大包间VIP  │\t        5.00元│");
}

TEST_F(TableSalesTest, TheWindowFontMeasuresNinetyTwipsAColumn)
{
    TextMeasurer::stopScripting();
    const QFont font = window().Text1->font();
    EXPECT_EQ(TextMeasurer::widthTwips(QStringLiteral("大厅1"), font), 450);
    EXPECT_EQ(TextWidthPadding(QStringLiteral("大厅1"), 700, font), 3);
}

TEST_F(TableSalesTest, PrintsTheTextUnderItsTitle)
{
    salesDay();
    FrmFTXS& w = window();
    Printers::script({QStringLiteral("Recorder")});
    w.Toolbar1->click(FrmFTXS::BtnPrint);
    EXPECT_EQ(lastMessage().text, QStringLiteral("无可打印内容，请查询后继续!"));
    EXPECT_EQ(lastMessage().title, QString());

    w.Toolbar1->click(FrmFTXS::BtnSummary);
    w.Toolbar1->click(FrmFTXS::BtnPrint);
    ASSERT_EQ(printer->documents.size(), 1u);
    ASSERT_EQ(printer->documents[0].size(), 2u);
    EXPECT_EQ(printer->documents[0][0].text, QStringLiteral("房台销售明细"));
    EXPECT_EQ(printer->documents[0][1].text, w.reportText());

    Printers::script({});
    w.Toolbar1->click(FrmFTXS::BtnPrint);
    EXPECT_EQ(lastMessage().text, QStringLiteral("您没有安装打印机!"));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(printer->documents.size(), 1u);

    // Nothing ticked: the detail is empty and there is nothing to print.
    Printers::script({QStringLiteral("Recorder")});
    w.Command1[2]->click();
    w.Toolbar1->click(FrmFTXS::BtnDetail);
    EXPECT_EQ(w.reportText(), QString());
    w.Toolbar1->click(FrmFTXS::BtnPrint);
    EXPECT_EQ(lastMessage().text, QStringLiteral("无可打印内容，请查询后继续!"));
}

TEST_F(TableSalesTest, WithoutAnyTableEveryButtonButExitSaysSo)
{
    floorAndMenu();
    FrmFTXS& w = window();
    for (int b : {FrmFTXS::BtnDetail, FrmFTXS::BtnSummary, FrmFTXS::BtnPrint}) {
        MessageSeam::clear();
        w.Toolbar1->click(b);
        ASSERT_EQ(MessageSeam::messages().size(), 1u) << b;
        EXPECT_EQ(lastMessage().text, QStringLiteral("没有房台销售明细!"));
        EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
        EXPECT_EQ(lastMessage().icon, Msg::Information);
    }
    w.Toolbar1->click(FrmFTXS::BtnExit);
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmFTXS>());
}

TEST_F(TableSalesTest, AReadThatFailsPartWayLeavesTheTextEmpty)
{
    salesDay();
    FrmFTXS& w = window();
    w.Toolbar1->click(FrmFTXS::BtnDetail);
    ASSERT_FALSE(w.reportText().isEmpty());
    Db::injectReadFault(3, QStringLiteral("l.food_code"));
    w.Toolbar1->click(FrmFTXS::BtnDetail);
    Db::clearFaults();
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_TRUE(lastMessage().text.startsWith(DbError::sentence(DbError::Read)));
    EXPECT_EQ(w.reportText(), QString());
}
