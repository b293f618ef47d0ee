#include <gtest/gtest.h>
#include "print/CodePage936.h"
#include "print/TextWidth.h"

TEST(CodePage936, BytesAndWidthsCharacterByCharacter)
{
    const struct { QString text; QByteArray bytes; int width; } cases[] = {
        {QString(), QByteArray(), 0},
        {QStringLiteral("abc"), QByteArrayLiteral("abc"), 3},
        {QStringLiteral("项目"), QByteArray::fromHex("cfeec4bf"), 4},
        {QStringLiteral("项目\r\n"), QByteArray::fromHex("cfeec4bf0d0a"), 6},
        {QStringLiteral("："), QByteArray::fromHex("a3ba"), 2},
        {QStringLiteral("　"), QByteArray::fromHex("a1a1"), 2},
        {QStringLiteral("━"), QByteArray::fromHex("a9a5"), 2},
        {QStringLiteral("┈"), QByteArray::fromHex("a9ac"), 2},
        {QStringLiteral("•"), QByteArrayLiteral("?"), 1},
        // Characters the code page lacks: one "?" each, also beyond the BMP.
        {QStringLiteral("ñ"), QByteArrayLiteral("?"), 1},
        {QStringLiteral("a😀b"), QByteArrayLiteral("a?b"), 3},
        {QString::number(12.5), QByteArrayLiteral("12.5"), 4},
        {QStringLiteral("\r\n").repeated(10), QByteArrayLiteral("\r\n").repeated(10), 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp936::encode(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(AnsiTextWidth(c.text), c.width) << c.text.toStdString();
    }
}

TEST(TextWidthPadding, BlanksToTheColumnWidthHalvesToEvenNeverNegative)
{
    const struct { int text; int column; int blanks; } cases[] = {
        {1440, 1440, 0},
        {0, 1440, 16},
        {45, 1440, 16},      // 15.5 blanks become 16
        {135, 1440, 14},     // 14.5 blanks become 14
        {540, 540, 0},
        {2000, 1440, 0},     // wider than the column: no blanks, never negative
    };
    for (const auto& c : cases)
        EXPECT_EQ(paddingForWidth(c.text, c.column), c.blanks) << c.text << " in " << c.column;

    TextMeasurer::script([](const QString& s) { return int(s.size()) * 180; });
    EXPECT_EQ(TextWidthPadding(QStringLiteral("宫保鸡丁"), 1440, QFont()), 8);
    TextMeasurer::stopScripting();
}
