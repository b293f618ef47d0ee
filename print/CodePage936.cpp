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
