#include "print/CodePage936.h"

#include <QList>
#include <QStringView>
#include <iconv.h>
#include <mutex>

namespace {

// One converter for the process; iconv descriptors are not shared between
// threads, and all printing runs on the user-interface thread, but the lock
// keeps it safe anyway.
struct Converter {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    std::mutex lock;
    Converter() { cd = iconv_open("CP936", "UTF-32LE"); }
    ~Converter()
    {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
};

Converter& converter()
{
    static Converter c;
    return c;
}

} // namespace

namespace Cp936 {

QByteArray encodeChar(char32_t c)
{
    if (c < 0x80)
        return QByteArray(1, char(c));
    Converter& conv = converter();
    if (conv.cd == reinterpret_cast<iconv_t>(-1))
        return QByteArrayLiteral("?");
    const std::lock_guard<std::mutex> guard(conv.lock);
    char in[4] = {char(c & 0xff), char((c >> 8) & 0xff), char((c >> 16) & 0xff), char((c >> 24) & 0xff)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = sizeof in, outLeft = sizeof out;
    iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);   // reset the state
    const size_t r = iconv(conv.cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int n = int(outPtr - out);
    if (r == size_t(-1) || inLeft != 0 || n < 1 || n > 2)
        return QByteArrayLiteral("?");
    return QByteArray(out, n);
}

QByteArray encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const uint c : text.toUcs4())
        bytes += encodeChar(c);
    return bytes;
}

} // namespace Cp936

int AnsiTextWidth(const QString& text)
{
    int width = 0;
    for (const uint c : text.toUcs4())
        width += c < 0x80 ? 1 : int(Cp936::encodeChar(c).size());
    return width;
}

namespace {

// The first character of each letter in GB2312 level 1 (sorted by reading),
// by its code page 936 code. I, U and V begin no reading.
struct InitialBoundary {
    int code;
    char letter;
};
constexpr InitialBoundary InitialBoundaries[] = {
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
};

QChar initialOf(char32_t c)
{
    const QByteArray bytes = Cp936::encodeChar(c);
    if (bytes.size() == 2) {
        const int code = (uchar(bytes[0]) << 8) | uchar(bytes[1]);
        char letter = '0';
        for (const InitialBoundary& b : InitialBoundaries) {
            if (code < b.code)
                break;
            letter = b.letter;
        }
        return QLatin1Char(letter);
    }
    const char32_t upper = QChar::toUpper(c);
    return (upper >= 'A' && upper <= 'Z') ? QChar(char16_t(upper)) : QLatin1Char('0');
}

} // namespace

QString PinyinInitials(const QString& name)
{
    QString code;
    code.reserve(name.size());
    for (const char32_t c : name.toUcs4())
        code += initialOf(c);
    return code;
}
