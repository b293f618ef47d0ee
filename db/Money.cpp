#include "db/Money.h"

#include <cmath>
#include <iterator>

Money Money::fromDouble(double v)
{
    return fromUnits(static_cast<int64_t>(std::llround(v * Scale)));
}

Money Money::parse(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    bool good = !t.isEmpty();
    int i = 0;
    bool negative = false;
    if (good && (t[0] == u'-' || t[0] == u'+')) {
        negative = t[0] == u'-';
        i = 1;
    }
    int64_t whole = 0, frac = 0;
    int fracDigits = 0, digits = 0;
    bool inFrac = false;
    bool roundUp = false;
    for (; good && i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && !inFrac) {
            inFrac = true;
        } else if (c.isDigit() && c.unicode() < 128) {
            ++digits;
            const int d = c.unicode() - '0';
            if (!inFrac) {
                if (whole > (INT64_MAX / Scale - 9) / 10)
                    good = false;
                whole = whole * 10 + d;
            } else if (fracDigits < 4) {
                frac = frac * 10 + d;
                ++fracDigits;
            } else if (fracDigits == 4) {
                roundUp = d >= 5;
                ++fracDigits;
            }
        } else {
            good = false;
        }
    }
    if (digits == 0)
        good = false;
    if (ok)
        *ok = good;
    if (!good)
        return {};
    for (int k = std::min(fracDigits, 4); k < 4; ++k)
        frac *= 10;
    int64_t units = whole * Scale + frac + (roundUp ? 1 : 0);
    return fromUnits(negative ? -units : units);
}

QString leadingNumberText(const QString& text)
{
    const QString t = text.trimmed();
    int end = 0;
    bool point = false;
    for (; end < t.size(); ++end) {
        const QChar c = t[end];
        if (c == u'.' && !point)
            point = true;
        else if (!(c.isDigit() && c.unicode() < 128))
            break;
    }
    return t.left(end);
}

Money Money::leadingValue(const QString& text)
{
    bool ok = false;
    const Money m = parse(leadingNumberText(text), &ok);
    return ok ? m : Money{};
}

Money Money::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return fromUnits(v.toLongLong() * Scale);
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(v.toDouble());
    default: {
        bool ok = false;
        Money m = parse(v.toString(), &ok);
        return ok ? m : Money{};
    }
    }
}

QString Money::format(int decimals) const
{
    int64_t scale = 1;
    for (int k = decimals; k < 4; ++k)
        scale *= 10;
    // Round half away from zero to the shown decimals.
    int64_t a = m_units < 0 ? -m_units : m_units;
    a = (a + scale / 2) / scale;
    int64_t div = 1;
    for (int k = 0; k < decimals; ++k)
        div *= 10;
    // Written from the last digit backwards into one buffer: reports format
    // a few amounts for each of a year's rows.
    char16_t buf[64];
    int start = int(std::size(buf));
    if (decimals > 0) {
        int64_t frac = a % div;
        for (int k = 0; k < decimals && start > 1; ++k, frac /= 10)
            buf[--start] = char16_t(u'0' + frac % 10);
        buf[--start] = u'.';
    }
    int64_t whole = a / div;
    do {
        buf[--start] = char16_t(u'0' + whole % 10);
        whole /= 10;
    } while (whole > 0 && start > 1);
    if (m_units < 0 && a != 0)
        buf[--start] = u'-';
    return QString(reinterpret_cast<const QChar*>(buf + start), qsizetype(std::size(buf)) - start);
}

QString Money::plain() const
{
    QString s = format(4);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

Money Money::times(double quantity) const
{
    const long double v = static_cast<long double>(m_units) * quantity;
    return fromUnits(static_cast<int64_t>(std::llround(static_cast<double>(v))));
}

Money Money::times(Money quantity) const
{
    const __int128 p = static_cast<__int128>(m_units) * quantity.m_units;
    const __int128 a = p < 0 ? -p : p;
    const __int128 r = (a + Scale / 2) / Scale;
    return fromUnits(static_cast<int64_t>(p < 0 ? -r : r));
}
