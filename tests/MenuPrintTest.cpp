// The printed menu: header, per category a rule, the bold name and a rule,
// the dish lines padded to measured widths; and when nothing is printed.
#include <QFile>
#include "print/CodePage936.h"
#include "print/TextWidth.h"
#include "tests/MenuFixture.h"

namespace {

const QString Rule = QStringLiteral("━━━━━━━━━━━");
const QString Header = QStringLiteral("名    称        单  价");

class MenuPrintTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        Printers::script({QStringLiteral("Recorder")});
        // Widths without fonts: a half-width column is 90 twips, a Chinese
        // character two of them; a few names are measured as given.
        TextMeasurer::script([](const QString& s) {
            if (s == QStringLiteral("半"))
                return 45;      // 15.5 blanks: 16
            if (s == QStringLiteral("半半"))
                return 135;     // 14.5 blanks: 14
            if (s == QStringLiteral("超长的菜名字啊"))
                return 2000;    // wider than its column
            int w = 0;
            for (QChar c : s)
                w += c.unicode() < 0x80 ? 90 : 180;
            return w;
        });
    }
    void TearDown() override
    {
        TextMeasurer::stopScripting();
        qunsetenv("TABULOR_PRINT_TO");
        MenuTest::TearDown();
    }
    static QString line(const QString& name, int nameBlanks, int priceBlanks, const QString& price)
    {
        return name + QString(nameBlanks, u' ') + QString(priceBlanks, u' ') + price;
    }
    void print()
    {
        manager().Toolbar1->click(FrmCPGL::BtnPrint);
    }
};

} // namespace

TEST_F(MenuPrintTest, CategoriesInCodeOrderWithPaddedDishLines)
{
    addCategories();
    const struct { const char* code; const char* name; const char* category; double price; } dishes[] = {
        {"1", "宫保鸡丁", "101", 38},   {"5", "半", "101", 9},       {"7", "超长的菜名字啊", "101", 12},
        {"2", "白切鸡", "102", 1280},   {"6", "半半", "102", 9},     {"3", "可乐", "201", 6.5},
        {"4", "孤菜", "999", 5},        // no category row: not printed
    };
    for (const auto& d : dishes)
        addDish({QString::fromUtf8(d.code), QString::fromUtf8(d.name), QString::fromUtf8(d.category), d.price});
    sql(QStringLiteral("UPDATE cpdetail SET cp_status = '1', cpname = ' 白切鸡 ' WHERE code = '2'"));   // disabled, blanks
    print();
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    ASSERT_EQ(printer->documents.size(), 1u);
    const std::vector<std::pair<QString, bool>> expected{
        {Header, false},
        {Rule, false}, {QStringLiteral("川菜"), true}, {Rule, false},
        {line(QStringLiteral("宫保鸡丁"), 8, 1, QStringLiteral("38.00")), false},
        {line(QStringLiteral("半"), 16, 2, QStringLiteral("9.00")), false},
        {line(QStringLiteral("超长的菜名字啊"), 0, 1, QStringLiteral("12.00")), false},
        {Rule, false}, {QStringLiteral("粤菜"), true}, {Rule, false},
        {line(QStringLiteral("白切鸡"), 10, 0, QStringLiteral("1280.00")), false},
        {line(QStringLiteral("半半"), 14, 2, QStringLiteral("9.00")), false},
        {Rule, false}, {QStringLiteral("饮料"), true}, {Rule, false},
        {line(QStringLiteral("可乐"), 12, 2, QStringLiteral("6.50")), false},
    };
    const auto& printed = printer->documents[0];
    ASSERT_EQ(printed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(printed[i].text, expected[i].first) << i;
        EXPECT_EQ(printed[i].bold, expected[i].second) << i;
        EXPECT_EQ(printed[i].fontSize, 9) << i;   // the printer's font is not changed
    }
    EXPECT_EQ(AnsiTextWidth(Header), 22);   // "价" above the last digit of a price at column 22
}

TEST_F(MenuPrintTest, NothingToPrintOrNoPrinter)
{
    addCategories();
    addDish({QStringLiteral("4"), QStringLiteral("孤菜"), QStringLiteral("999")});
    print();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("无任何菜品!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));

    addDish({QStringLiteral("1"), QStringLiteral("宫保鸡丁"), QStringLiteral("101")});
    const struct { QStringList printers; const char* text; int icon; const char* title; } cases[] = {
        {{}, "您没有安装打印机!", Msg::Information, "信息提示"},
        {{QStringLiteral("  ")}, "系统没有安装打印机，请在[控制面板]中安装打印机！", Msg::Exclamation, ""},
    };
    for (const auto& c : cases) {
        MessageSeam::clear();
        Printers::script(c.printers);
        print();
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.text)});
        EXPECT_EQ(lastMessage().icon, c.icon);
        EXPECT_EQ(lastMessage().title, QString::fromUtf8(c.title));
    }
    EXPECT_TRUE(printer->documents.empty());
    EXPECT_TRUE(printer->current.empty());
}

// The demo menu printed to a PDF file in the window's own font, for a look by eye.
TEST_F(MenuPrintTest, DemoMenuToAPdfFile)
{
    const QString demo = tempPath(QStringLiteral("demo.db"));
    Db::closeShared();
    Db::buildDatabaseFile(demo, true);
    Db::openShared(demo);
    const QString pdf = QStringLiteral(TABULOR_SCREENSHOT_DIR "/menu-print.pdf");
    QDir().mkpath(QStringLiteral(TABULOR_SCREENSHOT_DIR));
    QFile::remove(pdf);
    qputenv("TABULOR_PRINT_TO", pdf.toLocal8Bit());
    TextMeasurer::stopScripting();
    PrinterSeam::stopScripting();
    Printers::script({pdf});
    print();
    PrinterSeam::stopScripting();   // the document is finished and closed
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(u'|'));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(4) == "%PDF");
    EXPECT_GT(f.size(), 1000);
}
