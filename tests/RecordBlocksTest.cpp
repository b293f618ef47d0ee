// Record-block printing into the recording printer: the standard listing of
// the warehouse windows and the sheet form of the reception sheets.
#include <QFile>
#include "platform/Controls.h"
#include "print/RecordBlocks.h"
#include "tests/TestSupport.h"

namespace {

const QDateTime Now(QDate(2026, 3, 10), QTime(14, 5, 0));

class RecordBlocksTest : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        Clock::fix(Now);
    }
    QStringList printed(size_t document = 0) const
    {
        QStringList lines;
        if (document < printer->documents.size())
            for (const PrintedLine& l : printer->documents[document])
                lines << l.text;
        return lines;
    }
};

const std::vector<RecordField> GoodsFields{
    {QStringLiteral("商品名称：    "), 2}, {QStringLiteral("规    格：    "), 3}, {QStringLiteral("单    位：    "), 4}};

} // namespace

TEST_F(RecordBlocksTest, OneRowListingWithAnEmptyCell)
{
    printer->printLine(QStringLiteral("left over from a print that never ended"));
    const std::vector<QStringList> rows{{"1001", "可乐", "", "听"}};
    RecordBlockOptions start;
    start.start = true;
    PrintRecordBlocks(rows, QStringLiteral("        入库单"), 32, GoodsFields, start);

    const QString rule(32, u'=');
    EXPECT_EQ(printed(), (QStringList{QStringLiteral("        入库单"), rule, QStringLiteral("商品名称：    可乐"),
                                      QStringLiteral("规    格：    "), QStringLiteral("单    位：    听"), rule,
                                      QString(), QStringLiteral("打印日期：2026-03-10")}));
    // The start operation came first and dropped the unfinished document.
    EXPECT_EQ(printer->starts, 1);
    ASSERT_EQ(printer->discarded.size(), 1u);
    EXPECT_EQ(printer->documents.size(), 1u);
    EXPECT_TRUE(printer->current.empty());
    // No font is set: every line in the printer's own font.
    for (const PrintedLine& l : printer->documents[0]) {
        EXPECT_EQ(l.fontSize, 9.0);
        EXPECT_FALSE(l.bold);
    }
}

TEST_F(RecordBlocksTest, RuleWidthTitleAndStartFollowTheCaller)
{
    const struct { const char* title; int rule; bool start; } callers[] = {
        {"        出库台帐", 29, false},
        {"       商品流水帐", 32, false},
        {"        出库单", 32, true},
    };
    const std::vector<QStringList> rows{{"1001", "可乐", "330ml", "听"}, {"2001", "大米", "25kg", "袋"}};
    for (const auto& c : callers) {
        printer = &PrinterSeam::record();
        RecordBlockOptions o;
        o.start = c.start;
        PrintRecordBlocks(rows, QString::fromUtf8(c.title), c.rule, {{QStringLiteral("商品名称：    "), 2}}, o);
        const QString rule(c.rule, u'=');
        EXPECT_EQ(printed(), (QStringList{QString::fromUtf8(c.title), rule, QStringLiteral("商品名称：    可乐"), rule,
                                          QString(), rule, QStringLiteral("商品名称：    大米"), rule, QString(),
                                          QStringLiteral("打印日期：2026-03-10")}))
            << c.title;
        EXPECT_EQ(printer->starts, c.start ? 1 : 0) << c.title;
    }
}

TEST_F(RecordBlocksTest, SheetFormHasFontSizesAndRulesOnlyAroundTheBlocks)
{
    printer->setBold(true);
    const std::vector<QStringList> rows{{"甲", "x", "18:00"}, {"乙", "y", "12:00"}};
    const std::vector<RecordField> fields{{QStringLiteral("预 订 人："), 1}, {QStringLiteral("用餐时间："), 3}};
    PrintRecordBlocks(rows, QStringLiteral("迎宾接待单"), 42, fields, RecordBlockOptions::sheet());

    const QString rule(42, u'=');
    EXPECT_EQ(printed(), (QStringList{QStringLiteral("迎宾接待单"), rule, QStringLiteral("预 订 人：甲"),
                                      QStringLiteral("用餐时间：18:00"), QString(), QStringLiteral("预 订 人：乙"),
                                      QStringLiteral("用餐时间：12:00"), QString(), rule,
                                      QStringLiteral("打印日期：2026-03-10")}));
    EXPECT_EQ(printer->starts, 1);
    const auto& doc = printer->documents[0];
    for (size_t i = 0; i < doc.size(); ++i) {
        EXPECT_EQ(doc[i].fontSize, i == 0 ? 12.0 : 10.0) << i;
        EXPECT_FALSE(doc[i].bold) << i;
    }
}

TEST_F(RecordBlocksTest, EmptyListPrintsTitleAndDate)
{
    PrintRecordBlocks(std::vector<QStringList>{}, QStringLiteral("        库存查询"), 32, GoodsFields);
    EXPECT_EQ(printed(), (QStringList{QStringLiteral("        库存查询"), QStringLiteral("打印日期：2026-03-10")}));
    printer = &PrinterSeam::record();
    PrintRecordBlocks(std::vector<QStringList>{}, QStringLiteral("迎宾接待单"), 42, {}, RecordBlockOptions::sheet());
    const QString rule(42, u'=');
    EXPECT_EQ(printed(), (QStringList{QStringLiteral("迎宾接待单"), rule, rule, QStringLiteral("打印日期：2026-03-10")}));
}

TEST_F(RecordBlocksTest, ListRowsTakeTheCellsAsTheListShowsThem)
{
    ListView list;
    list.addColumn(QStringLiteral("编码"));
    list.addColumn(QStringLiteral("名称"));
    list.addColumn(QStringLiteral("隐藏"), 0);
    list.addColumn(QStringLiteral("单位"));
    const int r = list.add(QStringLiteral("1001"));
    list.setSubItem(r, 1, QStringLiteral("可乐"));
    list.setSubItem(r, 2, QStringLiteral("hidden"));
    list.add(QStringLiteral("2001"));   // no sub-items: empty cells
    PrintRecordBlocks(list, QStringLiteral("T"), 3, {{QStringLiteral("a："), 3}, {QStringLiteral("b："), 4}, {QStringLiteral("c："), 1}});
    EXPECT_EQ(printed(), (QStringList{"T", "===", "a：hidden", "b：", "c：1001", "===", "", "===", "a：", "b：",
                                      "c：2001", "===", "", QStringLiteral("打印日期：2026-03-10")}));
}

TEST_F(RecordBlocksTest, ThePrinterObjectDropsAnUnfinishedDocumentAndPrintsTheListing)
{
    const QString pdf = tempPath(QStringLiteral("listing.pdf"));
    qputenv("TABULOR_PRINT_TO", pdf.toUtf8());
    PrinterSeam::stopScripting();   // the program's own printer object
    PrinterSeam::printer().printLine(QStringLiteral("left over"));
    RecordBlockOptions start;
    start.start = true;
    PrintRecordBlocks(std::vector<QStringList>{{"1001", "可乐", "330ml", "听"}}, QStringLiteral("        出库单"), 32,
                      GoodsFields, start);
    qunsetenv("TABULOR_PRINT_TO");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 500);
}
