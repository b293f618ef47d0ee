// Quick codes of dish names: pinyin initials by the code page 936 code of
// each character.
#include "platform/KeyFilters.h"
#include "print/CodePage936.h"
#include "tests/TestSupport.h"

TEST(MenuQuickCode, InitialsCharacterByCharacter)
{
    const struct { const char* name; const char* code; } cases[] = {
        {"宫保鸡丁", "GBJD"},
        {"鱼香肉丝", "YXRS"},
        {"水煮鱼", "SZY"},
        {"可乐2", "KL0"},            // a digit gives "0", not itself
        {"啤酒 500ml", "PJ0000ML"},  // the blank and each digit give "0"
        {"Ａ套餐", "0TC"},           // full-width letters lie below the first range
        {"鳜鱼", "ZY"},              // level 2 falls in the open Z range
        {"Soda", "SODA"},
        {"ñ", "0"},                  // the code page lacks it
        {"啊", "A"},                 // first and last of A
        {"澳", "A"},
        {"芭", "B"},
        {"孕", "Y"},                 // the last before Z
        {"匝", "Z"},
        {"座", "Z"},                 // the last level-1 character
        {"西红柿炒鸡蛋", "XHSCJD"},
        {"a😀b", "A0B"},             // beyond the basic plane: one character
        {"", ""},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        const QString code = PinyinInitials(name);
        EXPECT_EQ(code, QString::fromUtf8(c.code)) << c.name;
        EXPECT_EQ(code.size(), CharacterCount(name)) << c.name;
    }
}

class MenuDemoTest : public TabulorTest {};

// The demo menu stores the quick codes the new-dish dialog would compute.
TEST_F(MenuDemoTest, DemoDishesCarryTheirComputedQuickCodes)
{
    const QString demo = tempPath(QStringLiteral("demo.db"));
    Db::buildDatabaseFile(demo, true);
    Db::openShared(demo);
    Recordset rs;
    rs.open(QStringLiteral("SELECT cpname, spellcode FROM cpdetail"));
    ASSERT_GE(rs.RecordCount(), 20);
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        EXPECT_EQ(rs.text(QStringLiteral("spellcode")), PinyinInitials(rs.text(QStringLiteral("cpname"))))
            << qPrintable(rs.text(QStringLiteral("cpname")));
}
