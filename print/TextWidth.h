#pragma once
// Padding of printed columns by measured width. A column is W twips wide; a
// blank is 90 twips; the padding after a text is (W - width of the text) / 90
// blanks, rounded to the nearest whole number with a half going to the even
// neighbour, and never negative.
#include <QFont>
#include <QString>
#include <functional>

// The width of a text in twips in a font, as the window that prints
// measures it. Tests replace the measure so that widths are exact without
// fonts.
class TextMeasurer {
public:
    static int widthTwips(const QString& text, const QFont& font);
    // Tests: measure with the given function instead of the font.
    static void script(std::function<int(const QString&)> measure);
    static void stopScripting();
};

// Blanks that fill a column of columnTwips after text, measured in font.
int TextWidthPadding(const QString& text, int columnTwips, const QFont& font);
// The same rule on a width already measured.
int paddingForWidth(int textTwips, int columnTwips);
