// The about box and the registry stand-in it reads.
#include <QDir>
#include <QFile>
#include "platform/ProgramStart.h"
#include "platform/Registry.h"
#include "shell/frmGYXT.h"
#include "tests/TestSupport.h"

namespace {

class AboutTest : public TabulorTest {
protected:
    void writeStore(const QString& text)
    {
        QFile f(Registry::storeFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }
    QStringList pressSysInfo()
    {
        MessageSeam::clear();
        ProgramStartSeam::script();
        frmGYXT& box = Forms::get<frmGYXT>();
        box.cmdSysInfo->click();
        return ProgramStartSeam::started();
    }
};

} // namespace

TEST_F(AboutTest, NoStoredValuesMeansUnavailableAndNothingStarts)
{
    frmGYXT& box = Forms::get<frmGYXT>();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于我的应用程序"));
    EXPECT_EQ(box.lblVersion->text(), QStringLiteral("5.0"));
    EXPECT_EQ(box.lblVersion->font().family(), QStringLiteral("华文新魏"));
    EXPECT_DOUBLE_EQ(box.lblVersion->font().pointSizeF(), 21.75);
    EXPECT_EQ(box.cmdSysInfo->text(), QStringLiteral("系统信息(&S)..."));
    EXPECT_EQ(box.CmdExit->text(), QStringLiteral("退出(&X)"));
    screenshot(&box, QStringLiteral("frmGYXT"));

    EXPECT_TRUE(pressSysInfo().isEmpty());   // no store file at all
    writeStore(QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\nPATH=/bin/true\n"));
    EXPECT_TRUE(pressSysInfo().isEmpty());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("此时系统信息不可用")});
    EXPECT_EQ(lastMessage().buttons, int(Msg::OKOnly));
    EXPECT_EQ(lastMessage().icon, int(Msg::NoIcon));
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_TRUE(Forms::isLoaded<frmGYXT>());

    box.CmdExit->click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<frmGYXT>());
}

TEST_F(AboutTest, TheFirstValueIsStartedAsItStands)
{
    // Key paths and names compare without regard to letter case.
    writeStore(QStringLiteral("; system information\n"
                              "[hkey_local_machine\\software\\microsoft\\shared tools\\msinfo]\n"
                              "path = /opt/sysinfo/run\n"
                              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n"
                              "MSINFO=/nowhere\n"));
    EXPECT_EQ(pressSysInfo(), QStringList{QStringLiteral("/opt/sysinfo/run")});
    EXPECT_TRUE(messages().isEmpty());

    // A start that fails says the program is unavailable.
    ProgramStartSeam::script();
    ProgramStartSeam::answer(false);
    Forms::get<frmGYXT>().cmdSysInfo->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("此时系统信息不可用")});
}

TEST_F(AboutTest, TheSecondValueNamesAFolderThatMustHoldTheProgram)
{
    const QString folder = tempPath(QStringLiteral("tools"));
    QDir().mkpath(folder);
    writeStore(QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=") + folder + u'\n');
    EXPECT_TRUE(pressSysInfo().isEmpty());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("此时系统信息不可用")});

    QFile exe(QDir(folder).filePath(QStringLiteral("MSINFO32.EXE")));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    EXPECT_EQ(pressSysInfo(), QStringList{QDir(folder).filePath(QStringLiteral("MSINFO32.EXE"))});
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(AboutTest, GetKeyValueReadsTextAndNumbersAndRefusesOversizedValues)
{
    writeStore(QStringLiteral("[HKEY_LOCAL_MACHINE\\K]\nText=\"a b\"\nNum=dword:0000001a\nLong=") + QString(1024, u'x')
               + QStringLiteral("\nFits=") + QString(1023, u'y') + u'\n');
    struct Case { const char* name; bool found; QString value; };
    const Case cases[] = {{"text", true, QStringLiteral("a b")}, {"Num", true, QStringLiteral("26")},
                          {"Long", false, {}}, {"Fits", true, QString(1023, u'y')}, {"None", false, {}}};
    for (const Case& c : cases) {
        QString v = QStringLiteral("before");
        EXPECT_EQ(frmGYXT::GetKeyValue(Registry::HKEY_LOCAL_MACHINE, QStringLiteral("K"), QString::fromLatin1(c.name), v),
                  c.found) << c.name;
        EXPECT_EQ(v, c.value) << c.name;
    }
    QString v;
    EXPECT_FALSE(frmGYXT::GetKeyValue(Registry::HKEY_CURRENT_USER, QStringLiteral("K"), QStringLiteral("Text"), v));
}
