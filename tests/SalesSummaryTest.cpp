// Sales summary: the three modes over one day of sales, the period rule, the
// messages, and the two print layouts.
#include "print/CodePage936.h"
#include "print/RawPrintJob.h"
#include "db/Recordset.h"
#include "reports/FrmXSHZ.h"
#include "reports/ReportQueries.h"
#include "tests/CheckedFiles.h"
#include "shell/Module1.h"
#include "tests/ReportsFixture.h"

namespace {

class SalesSummaryTest : public ReportsFixture {
protected:
    FrmXSHZ& window() { return Forms::get<FrmXSHZ>(); }
    void query(const QString& mode)
    {
        FrmXSHZ& w = window();
        w.Combo1->setCurrentText(mode);
        w.cmdQuery->click();
    }
    void setPeriod(const QDateTime& from, const QDateTime& to)
    {
        FrmXSHZ& w = window();
        w.DTPFrom->setDate(from.date());
        w.DTPicker2[0]->setTime(from.time());
        w.DTPTo->setDate(to.date());
        w.DTPicker2[1]->setTime(to.time());
    }
};

} // namespace

TEST_F(SalesSummaryTest, OpensOnTodayWithTheTableHeadersAndNoRows)
{
    FrmXSHZ& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("销售查询"));
    EXPECT_EQ(w.DTPFrom->date(), QDate(2026, 3, 10));
    EXPECT_EQ(w.DTPTo->date(), QDate(2026, 3, 10));
    EXPECT_EQ(w.DTPicker2[0]->time(), QTime(0, 0, 0));
    EXPECT_EQ(w.DTPicker2[1]->time(), QTime(23, 59, 59));
    EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("按房台"));
    EXPECT_FALSE(w.Combo1->isEditable());
    EXPECT_EQ(w.Label1->text(), QStringLiteral("按房台"));
    EXPECT_EQ(text(headers(w.ListView1)), text({"房台号", "房台名称", "就餐人数", "应收金额", "实收金额", "免收金额"}));
    for (int c = 0; c < 6; ++c) {
        EXPECT_NEAR(w.ListView1->columnWidthTwips(c), 1500, 15);
        EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(c)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    EXPECT_EQ(w.ListView1->count(), 0);
}

TEST_F(SalesSummaryTest, ByTableCountsEachSeatingsDinersOnceAndTheBoundarySeconds)
{
    salesDay();
    query(QStringLiteral("按房台"));
    FrmXSHZ& w = window();
    EXPECT_EQ(text(rows(w.ListView1)), text({
                                     "101|大厅1|2|38.00|38.00|0.00",
                                     "102|大厅2|7|134.00|131.50|2.50",
                                     "201|牡丹厅|6|76.00|0.00|76.00",
                                     "合    计|3|15|248.00|169.50|78.50",
                                 }));
    EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(0)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(w.ListView1->model()->horizontalHeaderItem(3)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(Module1::ReportStartTime, QDateTime(QDate(2026, 3, 10), QTime(0, 0, 0)));
    EXPECT_EQ(Module1::ReportEndTime, QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59)));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SalesSummaryTest, ByCategoryMatchesDishCodesAndCountsLinesInThePeriodOfTheirBill)
{
    salesDay();
    query(QStringLiteral("按分类"));
    FrmXSHZ& w = window();
    EXPECT_EQ(text(headers(w.ListView1)), text({"名类名称", "金    额", "赠单金额", "应收金额"}));
    // 宫保鸡丁 of 川菜 and of 粤菜 each count in their own sub-category; the
    // lines of the continued bill's first checkout (the 9th) and the open
    // seating count nowhere; 凉拌 sold nothing that day.
    EXPECT_EQ(text(rows(w.ListView1)), text({
                                     "川菜|162.00|0.00|162.00",
                                     "粤菜|40.00|0.00|40.00",
                                     "凉拌|0.00|0.00|0.00",
                                     "饮料|54.00|8.00|46.00",
                                     "合    计|256.00|8.00|248.00",
                                 }));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("按分类"));
}

TEST_F(SalesSummaryTest, ByDishGroupsByCodeNameAndPrice)
{
    salesDay();
    // A dish at a second price is a row of its own; a dish returned in full is not listed.
    const QString late = DateTimeText::toId(QDateTime(QDate(2026, 3, 10), QTime(21, 0, 0)));
    seating(QStringLiteral("102"), QStringLiteral("2026-03-10 21:00:00"), QStringLiteral("2026-03-10 22:00:00"), 1,
            QStringLiteral("李娜"));
    const qint64 lateBill = bill(late, QStringLiteral("2026-03-10 22:00:00"), 12, 12, 0, QStringLiteral("0"));
    line(late, QStringLiteral("19"), QStringLiteral("青岛啤酒"), 1, 12, QStringLiteral("0"), QStringLiteral("2026-03-10 21:05:00"), lateBill);
    line(late, QStringLiteral("11"), QStringLiteral("拍黄瓜"), 1, 12, QStringLiteral("0"), QStringLiteral("2026-03-10 21:05:00"), lateBill);
    line(late, QStringLiteral("11"), QStringLiteral("拍黄瓜"), -1, 12, QStringLiteral("1"), QStringLiteral("2026-03-10 21:06:00"), lateBill);

    query(QStringLiteral("按品名"));
    FrmXSHZ& w = window();
    EXPECT_EQ(text(headers(w.ListView1)), text({"品    名", "数    量", "单    价", "金    额", "赠单金额", "应收金额"}));
    EXPECT_EQ(text(rows(w.ListView1)), text({
                                     "宫保鸡丁|3|38.00|114.00|0.00|114.00",
                                     "酸梅汤|3|8.00|24.00|8.00|16.00",
                                     "青岛啤酒|3|10.00|30.00|0.00|30.00",
                                     "青岛啤酒|1|12.00|12.00|0.00|12.00",
                                     "水煮牛肉|1|48.00|48.00|0.00|48.00",
                                     "宫保鸡丁|1|40.00|40.00|0.00|40.00",
                                     "合    计| | |268.00|8.00|260.00",
                                 }));
}

// Over more than a year the summary by category and by dish reads the
// order lines another way (in dish order, every line once, keeping those of
// the period's bills): it gives the rows of the plan of shorter periods.
TEST_F(SalesSummaryTest, LongPeriodsGiveTheRowsOfTheShortPlan)
{
    salesDay();
    // A year earlier: a settled beer. On the day: a dish whose code the line
    // holds in other letters, at a second price of beer.
    const QString earlier = seating(QStringLiteral("101"), QStringLiteral("2025-01-05 12:00:00"),
                                    QStringLiteral("2025-01-05 13:00:00"), 2, QStringLiteral("王强"));
    const qint64 earlierBill = bill(earlier, QStringLiteral("2025-01-05 13:00:00"), 10, 10, 0, QStringLiteral("0"));
    line(earlier, QStringLiteral("19"), QStringLiteral("青岛啤酒"), 1, 10, QStringLiteral("0"),
         QStringLiteral("2025-01-05 12:05:00"), earlierBill);
    category(QStringLiteral("9"), QStringLiteral("其他"), QStringLiteral("0"));
    category(QStringLiteral("901"), QStringLiteral("小吃"), QStringLiteral("9"));
    dish(QStringLiteral("A1"), QStringLiteral("春卷"), QStringLiteral("901"), 6);
    const QString late = seating(QStringLiteral("102"), QStringLiteral("2026-03-10 21:00:00"),
                                 QStringLiteral("2026-03-10 22:00:00"), 1, QStringLiteral("李娜"));
    const qint64 lateBill = bill(late, QStringLiteral("2026-03-10 22:00:00"), 24, 24, 0, QStringLiteral("0"));
    line(late, QStringLiteral("a1"), QStringLiteral("春卷"), 2, 6, QStringLiteral("0"), QStringLiteral("2026-03-10 21:05:00"), lateBill);
    line(late, QStringLiteral("19"), QStringLiteral("青岛啤酒"), 1, 12, QStringLiteral("0"), QStringLiteral("2026-03-10 21:05:00"), lateBill);

    setPeriod(QDateTime(QDate(2024, 3, 1), QTime(0, 0)), QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59)));
    query(QStringLiteral("按分类"));
    FrmXSHZ& w = window();
    ASSERT_GT(w.resultPeriod().days, 366);
    // The day's figures, with the 9th's checkouts (E's first bill, G) and the
    // earlier beer; D, settled on the 11th, and the open seating count nowhere.
    EXPECT_EQ(text(rows(w.ListView1)), text({
                                     "川菜|248.00|0.00|248.00",
                                     "粤菜|40.00|0.00|40.00",
                                     "凉拌|12.00|0.00|12.00",
                                     "饮料|76.00|8.00|68.00",
                                     "小吃|12.00|0.00|12.00",
                                     "合    计|388.00|8.00|380.00",
                                 }));

    // Every cell of both modes as the plan of a shorter period reads the same bounds.
    ReportPeriod shortPlan = w.resultPeriod();
    shortPlan.days = 1;
    auto cells = [](const QString& statement, const ReportPeriod& period) {
        Recordset rs;
        rs.open(statement, period.bounds());
        QStringList out;
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            QStringList row;
            for (int c = 0; c < rs.fieldCount(); ++c)
                row << rs.field(c).toString();
            out << row.join(u'|');
        }
        return out;
    };
    for (auto statement : {ReportQueries::salesByCategory, ReportQueries::salesByDish}) {
        const QStringList longRows = cells(statement(w.resultPeriod()), w.resultPeriod());
        EXPECT_GE(longRows.size(), 5);
        EXPECT_EQ(text(longRows), text(cells(statement(shortPlan), shortPlan)));
    }
    query(QStringLiteral("按品名"));
    EXPECT_EQ(rows(w.ListView1).last(), QStringLiteral("合    计| | |388.00|8.00|380.00"));
}

TEST_F(SalesSummaryTest, NothingFoundKeepsTheListAndTheModeOfTheEarlierResult)
{
    salesDay();
    query(QStringLiteral("按房台"));
    const QStringList before = rows(window().ListView1);
    setPeriod(QDateTime(QDate(2026, 4, 1), QTime(0, 0)), QDateTime(QDate(2026, 4, 1), QTime(23, 59, 59)));
    query(QStringLiteral("按品名"));
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("无指定条件的记录返回!"));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_EQ(text(rows(window().ListView1)), text(before));
    EXPECT_EQ(window().Label1->text(), QStringLiteral("按房台"));
    // The summary of that result cannot be printed: it holds no row.
    Printers::script({QStringLiteral("Recorder")});
    window().cmdPrint->click();
    EXPECT_EQ(lastMessage().text, QStringLiteral("无可打印内容，请查询后继续!"));
    EXPECT_TRUE(printer->documents.empty());

    // By category a day without sales still lists every sub-category.
    query(QStringLiteral("按分类"));
    EXPECT_EQ(rows(window().ListView1).last(), QStringLiteral("合    计|0.00|0.00|0.00"));
    EXPECT_EQ(window().ListView1->count(), 5);
}

TEST_F(SalesSummaryTest, ClosingReleasesTheResult)
{
    salesDay();
    query(QStringLiteral("按房台"));
    EXPECT_FALSE(Module1::SharedRecordset2.empty());
    window().cmdExit->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<FrmXSHZ>());
    EXPECT_TRUE(Module1::SharedRecordset2.empty());
}

namespace {

class SalesSummaryPrintTest : public SalesSummaryTest {
protected:
    void SetUp() override
    {
        SalesSummaryTest::SetUp();
        Module1::OperatorCode = QStringLiteral("SYSTEM");
        Printers::script({QStringLiteral("Recorder")});
    }
    // Tables whose names are 7, 8, 15 and 16 single-byte columns wide, each
    // with one bill of the day.
    void namesOfEveryWidth()
    {
        floorAndMenu();
        const struct { const char* id; const char* name; double amount; } tables[] = {
            {"901", "大厅12A", 10}, {"902", "大厅1234", 20.5}, {"903", "牡丹厅123456789", 30}, {"904", "牡丹厅1234567890", 40}};
        int minute = 0;
        for (const auto& t : tables) {
            table(QString::fromLatin1(t.id), QString::fromUtf8(t.name), QStringLiteral("01"), QStringLiteral("四人台"));
            const QString start = QStringLiteral("2026-03-10 12:%1:00").arg(minute++, 2, 10, QLatin1Char('0'));
            const QString id = seating(QString::fromLatin1(t.id), start, QStringLiteral("2026-03-10 14:00:00"), 2,
                                       QStringLiteral("王强"));
            bill(id, QStringLiteral("2026-03-10 14:00:00"), t.amount, t.amount, 0, QStringLiteral("0"));
        }
    }
    QStringList printedLines() const
    {
        QStringList out;
        if (printer->documents.size() != 1)
            return out;
        for (const PrintedLine& l : printer->documents.front())
            out << l.text;
        return out;
    }
};

} // namespace

TEST_F(SalesSummaryPrintTest, PrinterObjectLinesFollowTheTabRuleAndThePeriodOfTheQuery)
{
    namesOfEveryWidth();
    query(QStringLiteral("按房台"));
    // Pickers moved after the query do not change the printed period.
    setPeriod(QDateTime(QDate(2026, 5, 1), QTime(8, 0)), QDateTime(QDate(2026, 5, 2), QTime(9, 0)));
    window().Combo1->setCurrentText(QStringLiteral("按品名"));
    window().cmdPrint->click();
    EXPECT_TRUE(messages().isEmpty());
    const QString rule(34, u'-');
    const QString heavy(17, QChar(0x2501));
    EXPECT_EQ(text(printedLines()), text({
                                  QStringLiteral("  　销售额统计"),
                                  rule,
                                  QStringLiteral("从：2026-03-10 00:00:00\r\n"),
                                  QStringLiteral("到：2026-03-10 23:59:59\r\n"),
                                  rule,
                                  QStringLiteral("房台名称\t\t金额"),
                                  heavy,
                                  QStringLiteral("大厅1234\t\t20.50"),
                                  QStringLiteral("大厅12A\t\t\t10.00"),
                                  QStringLiteral("牡丹厅123456789\t\t30.00"),
                                  QStringLiteral("牡丹厅1234567890\t40.00"),
                                  QStringLiteral("\r\n"),
                                  QStringLiteral("合计：\t\t\t100.50"),
                                  heavy,
                                  QStringLiteral("结算人：SYSTEM"),
                              }));
    ASSERT_FALSE(printer->documents.empty());
    EXPECT_EQ(printer->documents.front().front().fontSize, 9);
}

TEST_F(SalesSummaryPrintTest, PrinterObjectTitlesAndTotalsOfTheOtherModes)
{
    salesDay();
    // A thermal printer type prints on the printer object too.
    sql(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES (1, 1, '', '0')"));
    query(QStringLiteral("按分类"));
    window().cmdPrint->click();
    QStringList lines = printedLines();
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[5], QStringLiteral("分类名称\t\t金额"));
    EXPECT_EQ(lines.mid(7, 4), QStringList({"川菜\t\t\t162.00", "粤菜\t\t\t40.00", "凉拌\t\t\t0.00", "饮料\t\t\t46.00"}));
    EXPECT_EQ(lines[12], QStringLiteral("合计：\t\t\t248.00"));

    printer->documents.clear();
    query(QStringLiteral("按品名"));
    window().cmdPrint->click();
    lines = printedLines();
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[5], QStringLiteral("商品名称\t\t金额"));
    EXPECT_EQ(lines[8], QStringLiteral("酸梅汤\t\t\t16.00"));
    EXPECT_EQ(lines[13], QStringLiteral("合计：\t\t\t248.00"));
}

TEST_F(SalesSummaryPrintTest, NothingToPrintOrNoPrinterSaysSo)
{
    salesDay();
    // Before any query of this window, even with a result another window left behind.
    Module1::SharedRecordset2.open(QStringLiteral("SELECT 'x' AS 房台名称, 1 AS 实收金额"));
    window().cmdPrint->click();
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("无可打印内容，请查询后继续!"));
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_EQ(lastMessage().icon, Msg::NoIcon);

    query(QStringLiteral("按房台"));
    Printers::script({});
    window().cmdPrint->click();
    EXPECT_EQ(lastMessage().text, QStringLiteral("您没有安装打印机!"));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    EXPECT_TRUE(printer->documents.empty());
}

TEST_F(SalesSummaryTest, AReadThatFailsPartWayShowsNoRowsAndPrintsNothing)
{
    salesDay();
    query(QStringLiteral("按房台"));
    const QStringList before = rows(window().ListView1);
    // The bills of the period, and the seatings that ended in it.
    for (const QString& read : {ReportQueries::periodBills(), ReportQueries::seatingsEndedInPeriod()}) {
        MessageSeam::clear();
        Db::injectReadFault(2, read);
        query(QStringLiteral("按房台"));
        Db::clearFaults();
        ASSERT_EQ(MessageSeam::messages().size(), 1u) << read.toStdString();
        EXPECT_TRUE(lastMessage().text.startsWith(DbError::sentence(DbError::Read)));
        EXPECT_EQ(text(rows(window().ListView1)), text(before));
    }
    Printers::script({QStringLiteral("Recorder")});
    window().cmdPrint->click();
    EXPECT_EQ(lastMessage().text, QStringLiteral("无可打印内容，请查询后继续!"));
    EXPECT_TRUE(printer->documents.empty());
}

namespace {

class SalesSummarySpoolerTest : public SalesSummaryPrintTest {
protected:
    void SetUp() override
    {
        SalesSummaryPrintTest::SetUp();
        spooler = &SpoolerSeam::record();
        // The dot-matrix printer.
        sql(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES (1, 1, '', '1')"));
    }
    void TearDown() override
    {
        SpoolerSeam::stopScripting();
        SalesSummaryPrintTest::TearDown();
    }
    RecordingSpooler* spooler = nullptr;
};

} // namespace

TEST_F(SalesSummarySpoolerTest, EachModePrintsTheCheckedBytes)
{
    salesDay();
    const struct { const char* mode; const char* file; } cases[] = {
        {"按房台", "summary-table.gbk"}, {"按分类", "summary-category.gbk"}, {"按品名", "summary-dish.gbk"}};
    for (const auto& c : cases) {
        query(QString::fromUtf8(c.mode));
        window().cmdPrint->click();
        ASSERT_EQ(spooler->jobs.size(), 1u) << c.mode;
        const RecordingSpooler::Job& job = spooler->jobs.front();
        EXPECT_EQ(job.document, QStringLiteral("Tabulor"));
        EXPECT_EQ(job.printer, QStringLiteral("Recorder"));
        EXPECT_TRUE(job.closed);
        // One write per line, each counted by its own width.
        EXPECT_EQ(job.writes.size(), size_t(window().spoolerLines().size()));
        expectCheckedFile(job.bytes(), QString::fromLatin1(c.file));
        spooler->jobs.clear();
    }
    EXPECT_TRUE(printer->documents.empty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SalesSummarySpoolerTest, NamesAreSetToColumn28)
{
    namesOfEveryWidth();
    // A name wider than the column keeps one blank before its amount; a name
    // stored with a blank after it prints without it, its blanks counted as
    // stored.
    const struct { const char* id; const char* name; double amount; } more[] = {
        {"905", "豪华宴会厅ABCDEFGHIJKLMNOPQRST", 100}, {"906", "大厅9 ", 7}, {"907", "ABCDEFGHIJKLMNOPQRSTUVWXYZ12", 1}};
    for (const auto& t : more) {
        table(QString::fromLatin1(t.id), QString::fromUtf8(t.name), QStringLiteral("01"), QStringLiteral("四人台"));
        const QString id = seating(QString::fromLatin1(t.id), QStringLiteral("2026-03-10 13:") + QString::fromLatin1(t.id).right(2)
                                       + QStringLiteral(":00"),
                                   QStringLiteral("2026-03-10 14:00:00"), 2, QStringLiteral("王强"));
        bill(id, QStringLiteral("2026-03-10 14:00:00"), t.amount, t.amount, 0, QStringLiteral("0"));
    }
    query(QStringLiteral("按房台"));
    window().cmdPrint->click();
    ASSERT_EQ(spooler->jobs.size(), 1u);
    expectCheckedFile(spooler->jobs.front().bytes(), QStringLiteral("summary-widths.gbk"));
}

// Only ASCII blanks are trimmed from a name: its full-width blanks print, and
// the spooler row still counts its blanks from the name as stored.
TEST_F(SalesSummarySpoolerTest, FullWidthBlanksAroundANamePrint)
{
    floorAndMenu();
    const QString hall = QStringLiteral("　大厅　");   // ideographic spaces, 8 columns
    table(QStringLiteral("908"), hall, QStringLiteral("01"), QStringLiteral("四人台"));
    const QString id = seating(QStringLiteral("908"), QStringLiteral("2026-03-10 12:00:00"),
                               QStringLiteral("2026-03-10 14:00:00"), 2, QStringLiteral("王强"));
    bill(id, QStringLiteral("2026-03-10 14:00:00"), 12, 12, 0, QStringLiteral("0"));
    query(QStringLiteral("按房台"));
    window().cmdPrint->click();
    ASSERT_EQ(spooler->jobs.size(), 1u);
    EXPECT_TRUE(spooler->jobs.front().bytes().contains(Cp936::encode(hall + QString(20, u' ') + QStringLiteral("12\r\n"))));

    sql(QStringLiteral("UPDATE PRINTSET SET PRINTER = '0'"));   // the printer object
    window().cmdPrint->click();
    EXPECT_TRUE(printedLines().contains(hall + QStringLiteral("\t\t12.00"))) << qPrintable(printedLines().join(u'|'));
}

TEST_F(SalesSummarySpoolerTest, AnUnknownPrinterOrNoPrinterPrintsNothing)
{
    salesDay();
    query(QStringLiteral("按房台"));
    spooler->printers.clear();
    window().cmdPrint->click();
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("The Printer Name you typed wasn't recognized."));
    EXPECT_EQ(lastMessage().icon, Msg::NoIcon);
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_TRUE(spooler->jobs.empty());

    Printers::script({});
    window().cmdPrint->click();
    EXPECT_EQ(lastMessage().text, QStringLiteral("您没有安装打印机!"));
    EXPECT_EQ(spooler->opensAsked.size(), 1u);
}
