#include "print/TextWidth.h"

#include <QFontMetricsF>
#include <cmath>
#include "platform/Twips.h"

namespace {

std::function<int(const QString&)>& scriptedMeasure()
{
    static std::function<int(const QString&)> f;
    return f;
}

} // namespace

int TextMeasurer::widthTwips(const QString& text, const QFont& font)
{
    if (scriptedMeasure())
        return scriptedMeasure()(text);
    return int(std::lround(QFontMetricsF(font).horizontalAdvance(text) * Twips::PerPixel));
}

void TextMeasurer::script(std::function<int(const QString&)> measure) { scriptedMeasure() = std::move(measure); }
void TextMeasurer::stopScripting() { scriptedMeasure() = nullptr; }

int paddingForWidth(int textTwips, int columnTwips)
{
    const double blanks = std::nearbyint(double(columnTwips - textTwips) / 90.0);   // half to even
    return blanks < 0 ? 0 : int(blanks);
}

int TextWidthPadding(const QString& text, int columnTwips, const QFont& font)
{
    return paddingForWidth(TextMeasurer::widthTwips(text, font), columnTwips);
}
