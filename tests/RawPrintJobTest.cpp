// Raw print jobs on the recording spooler: the spooler calls in their order,
// the bytes of each line, and the close on every path.
#include <gtest/gtest.h>
#include "platform/Seams.h"
#include "print/RawPrintJob.h"

class RawPrintJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageSeam::script();
        spooler = &SpoolerSeam::record();
    }
    void TearDown() override
    {
        SpoolerSeam::stopScripting();
        MessageSeam::stopScripting();
    }
    RecordingSpooler* spooler = nullptr;
};

TEST_F(RawPrintJobTest, OneDocumentOfOnePageWithAWritePerLine)
{
    {
        RawPrintJob job;
        ASSERT_TRUE(job.open(QStringLiteral("Recorder")));
        job.startDocument(QStringLiteral("Tabulor"));
        job.writeLine(QStringLiteral("项目\r\n"));
        job.writeLine(QStringLiteral("• 12.5\r\n"));
        job.finish();
        EXPECT_FALSE(job.failed());
        EXPECT_FALSE(job.isOpen());
    }
    ASSERT_EQ(spooler->jobs.size(), 1u);
    const auto& job = spooler->jobs[0];
    EXPECT_EQ(job.document, QStringLiteral("Tabulor"));
    EXPECT_EQ(job.calls, (QStringList{"startDoc", "startPage", "write 6", "write 8", "endPage", "endDoc", "close"}));
    EXPECT_EQ(job.bytes(), QByteArray::fromHex("cfeec4bf0d0a") + QByteArrayLiteral("? 12.5\r\n"));
    EXPECT_TRUE(MessageSeam::messages().empty());
}

TEST_F(RawPrintJobTest, ClosedOnEveryPathAndAnUnknownPrinterSaysSoOnce)
{
    {
        RawPrintJob job;   // left before it was finished: withdrawn and closed
        ASSERT_TRUE(job.open(QStringLiteral("Recorder")));
        job.startDocument(QStringLiteral("餐饮收费"));
        job.writeLine(QStringLiteral("a\r\n"));
    }
    {
        RawPrintJob job;   // opened and closed without a document
        ASSERT_TRUE(job.open(QStringLiteral("Recorder")));
        job.close();
    }
    ASSERT_EQ(spooler->jobs.size(), 2u);
    EXPECT_EQ(spooler->jobs[0].calls, (QStringList{"startDoc", "startPage", "write 3", "close"}));
    EXPECT_EQ(spooler->jobs[1].calls, QStringList{"close"});

    {
        RawPrintJob job;
        EXPECT_FALSE(job.open(QStringLiteral("Nobody")));
        job.startDocument(QStringLiteral("Tabulor"));
        job.writeLine(QStringLiteral("a\r\n"));
        job.finish();
    }
    EXPECT_EQ(spooler->jobs.size(), 2u);
    ASSERT_EQ(MessageSeam::messages().size(), 1u);
    EXPECT_EQ(MessageSeam::messages()[0].text, QStringLiteral("The Printer Name you typed wasn't recognized."));
    EXPECT_EQ(MessageSeam::messages()[0].title, QString());
    EXPECT_EQ(MessageSeam::messages()[0].icon, Msg::NoIcon);

    // A refused write is remembered; the remaining calls are still made.
    spooler->refuseWrites = true;
    RawPrintJob job;
    ASSERT_TRUE(job.open(QStringLiteral("Recorder")));
    job.startDocument(QStringLiteral("Tabulor"));
    job.writeLine(QStringLiteral("a\r\n"));
    job.writeLine(QStringLiteral("b\r\n"));
    job.finish();
    EXPECT_TRUE(job.failed());
    EXPECT_EQ(spooler->jobs[2].calls,
              (QStringList{"startDoc", "startPage", "write 3", "write 3", "endPage", "endDoc", "close"}));
}
