// Receipts of a checkout: the text layout as code page 936 bytes through the
// spooler, the printer-object layout line by line, and what a missing,
// unknown or failing printer costs.
#include <QFile>
#include <QFileInfo>
#include <unistd.h>
#include "checkout/Receipt.h"
#include "print/CodePage936.h"
#include "print/TextWidth.h"
#include "tests/CheckedFiles.h"
#include "tests/CheckoutFixture.h"
#include "tests/PrivateCups.h"

class ReceiptTest : public CheckoutFixture {
protected:
    // The acceptance seating and more: a dish no longer on the menu, a line
    // of nothing, a name wider than its column, a second free line of the same
    // dish, a name with blanks around it, and a menu price changed since.
    QString receiptSeating()
    {
        const QString s = tableInUse();
        dish(QStringLiteral("21"), QStringLiteral("特级秘制蜜汁叉烧拼盘大份"), QStringLiteral("101"), 68);
        orderLine(s, 4, QStringLiteral("99"), QStringLiteral("时令野菜"), 12.5, 1);
        orderLine(s, 5, QStringLiteral("4"), QStringLiteral("鱼香肉丝"), 28, 0);
        orderLine(s, 6, QStringLiteral("21"), QStringLiteral("特级秘制蜜汁叉烧拼盘大份"), 68, 1);
        orderLine(s, 7, QStringLiteral("16"), QStringLiteral(" 酸梅汤 "), 8, 1, QStringLiteral("2"));
        sql(QStringLiteral("UPDATE cpdetail SET cp_price = 30 WHERE code = '4'"));
        return s;
    }
    void settle()
    {
        checkout(QStringLiteral("101"), [&](FrmJZGL& w) {
            EXPECT_EQ(w.LblYSJE->text(), QStringLiteral("108.5"));
            pay(w, QStringLiteral("8.5"), QStringLiteral("100"));
        });
    }
};

TEST_F(ReceiptTest, TextReceiptIsTheCheckedBytesInBothLineOrders)
{
    for (const QString& order : {QStringLiteral("Class"), QStringLiteral("Order")}) {
        SCOPED_TRACE(order.toStdString());
        sql(QStringLiteral("DELETE FROM house_table"));
        sql(QStringLiteral("DELETE FROM use_table_200505"));
        sql(QStringLiteral("DELETE FROM strink_mess_200505"));
        sql(QStringLiteral("DELETE FROM cpdetail WHERE code = '21'"));
        sql(QStringLiteral("DELETE FROM PRINTSET"));
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'Orders'"));
        printSettings(QStringLiteral("1"), order);
        receiptSeating();
        spooler->jobs.clear();
        settle();
        ASSERT_EQ(spooler->jobs.size(), 1u);
        const RecordingSpooler::Job& job = spooler->jobs[0];
        EXPECT_EQ(job.printer, QStringLiteral("Recorder"));
        EXPECT_EQ(job.document, QStringLiteral("餐饮收费"));
        EXPECT_TRUE(job.closed);
        // One document of one page, one write per line, the feed last in one write.
        ASSERT_GE(job.calls.size(), 6);
        EXPECT_EQ(job.calls.mid(0, 2), (QStringList{"startDoc", "startPage"}));
        EXPECT_EQ(job.calls.mid(job.calls.size() - 3), (QStringList{"endPage", "endDoc", "close"}));
        EXPECT_EQ(job.writes.back(), QByteArrayLiteral("\r\n").repeated(10));
        for (const QByteArray& w : job.writes)
            EXPECT_TRUE(w.endsWith("\r\n"));
        expectCheckedFile(job.bytes(), order == QStringLiteral("Class") ? QStringLiteral("receipt-class.gbk")
                                                                        : QStringLiteral("receipt-order.gbk"));
        EXPECT_TRUE(printer->documents.empty());
        EXPECT_EQ(messages(), QStringList{QStringLiteral("请找补金额0.00")});
        MessageSeam::clear();
    }
}

TEST_F(ReceiptTest, UnknownOrFailingPrinterCostsAMessageNotTheCheckout)
{
    printSettings(QStringLiteral("1"));
    const QString s = receiptSeating();
    spooler->printers = {QStringLiteral("Kitchen")};
    settle();
    EXPECT_EQ(messages(), (QStringList{"请找补金额0.00", "The Printer Name you typed wasn't recognized."}));
    EXPECT_EQ(lastMessage().title, QString());   // the application's title
    EXPECT_EQ(lastMessage().icon, Msg::NoIcon);
    EXPECT_EQ(lastMessage().buttons, Msg::OKOnly);
    EXPECT_EQ(spooler->opensAsked, QStringList{QStringLiteral("Recorder")});
    EXPECT_TRUE(spooler->jobs.empty());
    EXPECT_EQ(bills(s), 1);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());

    // A queue that refuses the data: said once, the job closed all the same.
    const QString s2 = tableInUse(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("2026-05-01 11:50:00"));
    spooler->printers = {QStringLiteral("Recorder")};
    spooler->refuseWrites = true;
    MessageSeam::clear();
    checkout(QStringLiteral("102"), [&](FrmJZGL& w) { pay(w, QStringLiteral("0"), QStringLiteral("28")); });
    EXPECT_EQ(messages(), (QStringList{"请找补金额0.00", "收据打印失败，请检查打印机!"}));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(lastMessage().icon, Msg::Information);
    ASSERT_EQ(spooler->jobs.size(), 1u);
    EXPECT_TRUE(spooler->jobs[0].closed);
    EXPECT_EQ(spooler->jobs[0].calls.back(), QStringLiteral("close"));
    EXPECT_EQ(bills(s2), 1);
    EXPECT_FALSE(Forms::isLoaded<FrmJZGL>());
}

TEST_F(ReceiptTest, PrinterObjectReceiptLineByLine)
{
    // Widths as drawn in the window's font: 720 twips takes one TAB, 719 two.
    TextMeasurer::script([](const QString& s) {
        if (s == QStringLiteral("时令野菜")) return 720;
        if (s == QStringLiteral("鱼香肉丝")) return 719;
        if (s == QStringLiteral("酸梅汤")) return 540;
        return 1500;
    });
    printSettings(QStringLiteral("0"));
    receiptSeating();
    settle();
    ASSERT_EQ(printer->documents.size(), 1u);
    QStringList seen;
    for (const PrintedLine& l : printer->documents[0])
        seen << QStringLiteral("%1|%2|%3").arg(l.fontSize).arg(l.bold ? 1 : 0).arg(l.text);
    const QString rule = QString(17, QChar(0x2501));
    const QStringList expected = {
        "11|0|Tabulor 小馆", "11|0|电话 010-12345678", "11|0|欢迎光临",
        "9|0|----------------------------------",
        "9|0|营业日期：2026-05-01",
        "9|0|房台名称：大厅1",
        "9|0|开台时间：11:30",
        "9|0|结帐时间：12:45",
        "9|0|结帐员：001",
        "9|0|付款方式：现金\r\n",
        "9|0|项目\t\t数量\t 金额",
        "9|0|" + rule,
        "9|0|时令野菜\t   1    12.50",
        "9|0|鱼香肉丝\t\t   2    56.00",
        "9|0|鱼香肉丝\t\t  -1   -28.00",
        "9|0|特级秘制蜜汁叉烧拼盘大份\t   1    68.00",
        "9|0|酸梅汤\t\t   1     0.00",
        "9|0|酸梅汤\t\t   1     0.00",
        "9|0|" + rule + "\r\n",
        "9|0|应收金额：108.50元",
        "9|0|免收金额：8.50元",
        "13|1|实收：100.00元\r\n",
        "11|0|谢谢惠顾", "11|0|欢迎再次光临", "11|0|",
    };
    EXPECT_EQ(seen, expected) << qPrintable(seen.join(u'\n'));
    EXPECT_EQ(printer->starts, 1);
    EXPECT_TRUE(printer->current.empty());   // the document was ended
    EXPECT_TRUE(spooler->jobs.empty());
}

// Only ASCII blanks are trimmed from a dish name: full-width blanks print,
// the columns after the name follow its printed width, and the free dishes
// are summed by the name as printed.
TEST_F(ReceiptTest, FullWidthBlanksAroundADishNamePrint)
{
    const QString tofu = QStringLiteral("　豆腐　");   // ideographic spaces, 8 columns
    auto seating = [&](const QString& tableId, const QString& printerType, const QString& start) {
        sql(QStringLiteral("DELETE FROM PRINTSET"));
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'Orders'"));
        printSettings(printerType);
        const QString s = tableInUse(tableId, tableId, start);
        orderLine(s, 4, QStringLiteral("30"), tofu, 10, 1);
        orderLine(s, 5, QStringLiteral("30"), tofu, 10, 1, QStringLiteral("2"));
        orderLine(s, 6, QStringLiteral("30"), QStringLiteral("豆腐"), 10, 1, QStringLiteral("2"));
        orderLine(s, 7, QStringLiteral("30"), QStringLiteral(" 豆腐 "), 10, 1, QStringLiteral("2"));
        checkout(tableId, [&](FrmJZGL& w) { pay(w, QStringLiteral("0"), QStringLiteral("38")); });
    };
    dish(QStringLiteral("30"), QStringLiteral("豆腐"), QStringLiteral("101"), 10);

    seating(QStringLiteral("101"), QStringLiteral("1"), QStringLiteral("2026-05-01 11:30:05"));
    ASSERT_EQ(spooler->jobs.size(), 1u);
    const QByteArray bytes = spooler->jobs[0].bytes();
    const QString b10(10, u' '), b14(14, u' '), b8(8, u' '), b7(7, u' ');
    const QStringList printed = {
        tofu + b10 + "10" + b8 + "1" + b7 + "10",            // the ordered line
        tofu + b10 + "0" + "         " + "1" + b7 + "0",     // its free line
        "豆腐" + b14 + "0" + "         " + "1" + b7 + "0",   // " 豆腐 " prints as 豆腐
        tofu + b10 + "10" + b8 + "1" + b7 + "0.00",          // free dishes: two entries
        "豆腐" + b14 + "10" + b8 + "2" + b7 + "0.00",
    };
    for (const QString& line : printed)
        EXPECT_TRUE(bytes.contains("\r\n" + Cp936::encode(line) + "\r\n")) << qPrintable(line);
    EXPECT_FALSE(bytes.contains(Cp936::encode("豆腐" + b14 + "10" + b8 + "3"))) << "summed across names";

    TextMeasurer::script([&](const QString& s) { return s == tofu ? 720 : 360; });
    seating(QStringLiteral("102"), QStringLiteral("0"), QStringLiteral("2026-05-01 11:40:05"));
    ASSERT_EQ(printer->documents.size(), 1u);
    QStringList seen;
    for (const PrintedLine& l : printer->documents[0])
        if (l.text.contains(QStringLiteral("豆腐")))
            seen << l.text;
    EXPECT_EQ(seen, (QStringList{tofu + "\t   1    10.00", tofu + "\t   1     0.00", "豆腐\t\t   1     0.00",
                                 "豆腐\t\t   1     0.00"}));
}

TEST_F(ReceiptTest, TheProgramsPrinterObjectDrawsTheReceiptIntoAPdf)
{
    const QString pdf = tempPath(QStringLiteral("receipt.pdf"));
    qputenv("TABULOR_PRINT_TO", pdf.toUtf8());
    PrinterSeam::stopScripting();   // the printer object of the program
    printer = nullptr;
    Printers::script({pdf});
    printSettings(QStringLiteral("0"));
    receiptSeating();
    settle();
    qunsetenv("TABULOR_PRINT_TO");
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请找补金额0.00")});
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(5), QByteArrayLiteral("%PDF-"));
    EXPECT_GT(f.size(), 1000);
}

TEST_F(ReceiptTest, PrinterTypeChoosesTheLayout)
{
    // No print setting in force: the printer object with empty head and foot
    // lines. A type of no layout: no receipt, the checkout stands.
    const struct { const char* printer; size_t documents; size_t jobs; } cases[] = {
        {nullptr, 1, 0}, {"0", 1, 0}, {"1", 0, 1}, {"1.0", 0, 1}, {"2", 0, 0}, {"abc", 0, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n);
        sql(QStringLiteral("DELETE FROM PRINTSET"));
        if (c.printer)
            printSettings(QString::fromLatin1(c.printer));
        const QString t = QString::number(400 + n);
        const QString s = tableInUse(t, t, QStringLiteral("2026-05-01 08:%1:00").arg(n, 2, 10, QLatin1Char('0')));
        ++n;
        printer->documents.clear();
        spooler->jobs.clear();
        checkout(t, [&](FrmJZGL& w) { pay(w, QStringLiteral("0"), QStringLiteral("28")); });
        EXPECT_EQ(printer->documents.size(), c.documents);
        EXPECT_EQ(spooler->jobs.size(), c.jobs);
        EXPECT_EQ(UseRawPrinting(), c.jobs == 1);
        EXPECT_EQ(bills(s), 1);
        if (!c.printer) {
            ASSERT_EQ(printer->documents.size(), 1u);
            EXPECT_EQ(printer->documents[0][0].text, QString());
            EXPECT_EQ(printer->documents[0].back().text, QString());
        }
    }
}

TEST_F(ReceiptTest, ReachesARealCupsQueueByteForByte)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root: the private cupsd runs as root (User lp) from its own ServerRoot";
    PrivateCups cups;
    const QString failure = cups.start(QStringLiteral("tabulor-receipt"));
    ASSERT_TRUE(failure.isEmpty()) << qPrintable(failure);

    SpoolerSeam::stopScripting();   // the spooler of the program: CUPS
    printer->device = QStringLiteral("tabulor-receipt");
    Printers::script({QStringLiteral("tabulor-receipt")});
    printSettings(QStringLiteral("1"), QStringLiteral("Class"));
    receiptSeating();
    settle();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("请找补金额0.00")});
    const QByteArray expected = readCheckedFile(QStringLiteral("receipt-class.gbk"));
    ASSERT_FALSE(expected.isEmpty());
    const QByteArray received = cups.waitForBytes(expected.size(), 20000);
    EXPECT_EQ(received, expected) << qPrintable(cups.log());

    // A queue the scheduler does not have: the one message, nothing sent.
    RawPrintJob unknown;
    EXPECT_FALSE(unknown.open(QStringLiteral("no-such-queue")));
    EXPECT_EQ(lastMessage().text, QStringLiteral("The Printer Name you typed wasn't recognized."));
    EXPECT_EQ(cups.waitForBytes(expected.size() + 1, 500), expected);
}

TEST_F(ReceiptTest, EntryOrderOnlyForExactlyOrder)
{
    // The fixture's first line is a drink (category 302), its second a dish (101).
    const struct { const char* orders; const char* firstLine; } cases[] = {
        {"Order", "酸梅汤"}, {"order", "鱼香肉丝"}, {"Class", "鱼香肉丝"}, {nullptr, "鱼香肉丝"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(n);
        sql(QStringLiteral("DELETE FROM SYSXTCS WHERE XTCS_NAME = 'Orders'"));
        if (c.orders)
            sql(QStringLiteral("INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE) VALUES ('Orders', ?)"), {QString::fromLatin1(c.orders)});
        const QString t = QString::number(500 + n);
        tableInUse(t, t, QStringLiteral("2026-05-01 07:%1:00").arg(n, 2, 10, QLatin1Char('0')));
        ++n;
        printer->documents.clear();
        checkout(t, [&](FrmJZGL& w) {
            EXPECT_EQ(w.GetBillLineOrder(), c.orders ? QString::fromLatin1(c.orders) : QStringLiteral("Class"));
            pay(w, QStringLiteral("0"), QStringLiteral("28"));
        });
        ASSERT_EQ(printer->documents.size(), 1u);
        // Head lines and the fixed part take the first 12 lines.
        EXPECT_TRUE(printer->documents[0][12].text.startsWith(QString::fromUtf8(c.firstLine)))
            << qPrintable(printer->documents[0][12].text);
    }
}

TEST(ReceiptFormats, ColumnsAndAmounts)
{
    EXPECT_EQ(setToColumn(QStringLiteral("米饭"), 6), QStringLiteral("米饭  "));
    EXPECT_EQ(setToColumn(QStringLiteral("一二三四五六七八九"), 18), QStringLiteral("一二三四五六七八九"));   // exactly full
    EXPECT_EQ(setToColumn(QStringLiteral("一二三四五六七八九十"), 18), QStringLiteral("一二三四五六七八九十 "));   // too wide
    const struct { const char* amount; const char* hashes; } amounts[] = {
        {"0", ".00"}, {"0.5", ".50"}, {"12.5", "12.50"}, {"-0.5", "-.50"}, {"-12", "-12.00"}, {"1234567.891", "1234567.89"},
    };
    for (const auto& a : amounts)
        EXPECT_EQ(formatHashes(Money::parse(QString::fromLatin1(a.amount))), QString::fromLatin1(a.hashes)) << a.amount;
}
