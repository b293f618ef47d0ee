#include "db/Decimal.h"

#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using Units = Decimal::Units;
using Magnitude = unsigned __int128;

constexpr Units MaxUnits = std::numeric_limits<Units>::max();
constexpr int MaxWholeDigits = 20;

// The digits of a magnitude, most significant first ("0" for zero).
QByteArray digitsOf(Magnitude m)
{
    char buf[48];
    int start = int(sizeof buf);
    do {
        buf[--start] = char('0' + int(m % 10));
        m /= 10;
    } while (m > 0);
    return QByteArray(buf + start, int(sizeof buf) - start);
}

// Adds one to a digit string, carrying ("999" becomes "1000").
void incrementDigits(QByteArray& digits)
{
    int i = digits.size() - 1;
    for (; i >= 0 && digits[i] == '9'; --i)
        digits[i] = '0';
    if (i < 0)
        digits.prepend('1');
    else
        digits[i] = char(digits[i] + 1);
}

// The digit string of a magnitude in units as a number: the point put in
// front of the last Places digits, trailing decimal zeros (and a bare
// point) dropped.
QString placePoint(QByteArray digits, bool negative)
{
    if (digits.size() <= Decimal::Places)
        digits.prepend(QByteArray(Decimal::Places + 1 - digits.size(), '0'));
    QByteArray whole = digits.left(digits.size() - Decimal::Places);
    QByteArray frac = digits.right(Decimal::Places);
    while (frac.endsWith('0'))
        frac.chop(1);
    QByteArray out = whole;
    if (!frac.isEmpty())
        out += '.' + frac;
    if (negative && out != "0")
        out.prepend('-');
    return QString::fromLatin1(out);
}

// Parses a decimal number with an optional sign and, for stored doubles'
// texts, an exponent ("1e-05"). Rounds past Places half away from zero.
bool parseNumber(const QString& text, bool allowExponent, Units* out)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    QByteArray digits;   // every digit, leading zeros dropped
    int pointAt = -1;    // digits before the point
    int seen = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && pointAt < 0) {
            pointAt = digits.size();
        } else if (c.unicode() >= '0' && c.unicode() <= '9') {
            ++seen;
            if (!(digits.isEmpty() && c == u'0' && pointAt < 0))
                digits += char(c.unicode());
        } else {
            break;
        }
    }
    if (seen == 0)
        return false;
    if (pointAt < 0)
        pointAt = digits.size();
    int exponent = 0;
    if (i < t.size() && allowExponent && (t[i] == u'e' || t[i] == u'E')) {
        bool ok = false;
        exponent = t.mid(i + 1).toInt(&ok);
        if (!ok || exponent > 100 || exponent < -400)
            return false;
        i = int(t.size());
    }
    if (i != t.size())
        return false;
    // digits × 10^(exponent - decimals), wanted as units of 10^-Places.
    const int decimals = int(digits.size()) - pointAt - exponent;
    int shift = Decimal::Places - decimals;   // > 0: append zeros; < 0: cut and round
    bool roundUp = false;
    if (shift < 0) {
        const int cut = -shift;
        if (cut > digits.size()) {
            digits.clear();
        } else {
            roundUp = digits[digits.size() - cut] >= '5';
            digits.chop(cut);
        }
        shift = 0;
    }
    // Leading zeros after the point were kept: drop them now.
    int lead = 0;
    while (lead < digits.size() && digits[lead] == '0')
        ++lead;
    digits.remove(0, lead);
    if (digits.size() + shift > MaxWholeDigits + Decimal::Places)
        return false;
    Magnitude m = 0;
    for (char d : digits)
        m = m * 10 + Magnitude(d - '0');
    for (int k = 0; k < shift; ++k)
        m *= 10;
    if (roundUp)
        ++m;
    *out = negative ? -Units(m) : Units(m);
    return true;
}

Magnitude magnitude(Units u) { return u < 0 ? Magnitude(0) - Magnitude(u) : Magnitude(u); }

// a × b / Scale for magnitudes, rounded half up, through a 256-bit product;
// false when the result does not fit.
bool mulScaled(Magnitude a, Magnitude b, Magnitude* out)
{
    const uint64_t a0 = uint64_t(a), a1 = uint64_t(a >> 64), b0 = uint64_t(b), b1 = uint64_t(b >> 64);
    // 256-bit product in four 64-bit limbs, least significant first.
    uint64_t limb[4] = {0, 0, 0, 0};
    auto addAt = [&](int at, Magnitude v) {
        for (int k = at; k < 4 && v != 0; ++k) {
            const Magnitude sum = Magnitude(limb[k]) + uint64_t(v);
            limb[k] = uint64_t(sum);
            v = (v >> 64) + (sum >> 64);
        }
    };
    addAt(0, Magnitude(a0) * b0);
    addAt(1, Magnitude(a0) * b1);
    addAt(1, Magnitude(a1) * b0);
    addAt(2, Magnitude(a1) * b1);
    // Long division by Scale, which is below 2^64.
    const uint64_t divisor = uint64_t(Decimal::Scale);
    uint64_t quotient[4];
    Magnitude rem = 0;
    for (int k = 3; k >= 0; --k) {
        const Magnitude cur = (rem << 64) | limb[k];
        quotient[k] = uint64_t(cur / divisor);
        rem = cur % divisor;
    }
    if (quotient[3] != 0 || quotient[2] != 0)
        return false;
    Magnitude q = (Magnitude(quotient[1]) << 64) | quotient[0];
    if (rem * 2 >= divisor)
        ++q;
    if (q > Magnitude(MaxUnits))
        return false;
    *out = q;
    return true;
}

} // namespace

Decimal Decimal::parse(const QString& text, bool* ok)
{
    Units u = 0;
    const bool good = parseNumber(text, false, &u);
    if (ok)
        *ok = good;
    return good ? fromUnits(u) : Decimal{};
}

Decimal Decimal::leadingValue(const QString& text)
{
    bool ok = false;
    const Decimal d = parse(leadingNumberText(text), &ok);
    return ok ? d : Decimal{};
}

Decimal Decimal::fromDouble(double v)
{
    if (!std::isfinite(v))
        return {};
    // Most stored values were typed with a few decimals: the first count of
    // decimals k whose whole number c gives back v as c / 10^k is the value
    // (no other decimal of 15 significant digits is as near to v). Else the
    // value's text decides.
    if (std::fabs(v) < 1e8) {
        double power = 1;
        for (int k = 0; k <= 7; ++k, power *= 10) {
            const double c = std::nearbyint(v * power);
            if (c / power == v) {
                Units u = Units(static_cast<int64_t>(c));
                for (int z = k; z < Places; ++z)
                    u *= 10;
                return fromUnits(u);
            }
        }
    }
    Units u = 0;
    return parseNumber(QString::fromLatin1(QByteArray::number(v, 'g', 15)), true, &u) ? fromUnits(u) : Decimal{};
}

Decimal Decimal::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return fromUnits(Units(v.toLongLong()) * Scale);
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return fromUnits(Units(v.toULongLong()) * Scale);
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(v.toDouble());
    default: {
        bool ok = false;
        const Decimal d = parse(v.toString(), &ok);
        return ok ? d : Decimal{};
    }
    }
}

double Decimal::toDouble() const
{
    // The full decimal text, converted with correct rounding.
    QString text = placePoint(digitsOf(magnitude(m_units)), m_units < 0);
    return text.toDouble();
}

QString Decimal::plain() const
{
    QByteArray digits = digitsOf(magnitude(m_units));
    constexpr int Significant = 15;
    if (digits.size() > Significant) {
        const int cut = int(digits.size()) - Significant;
        const bool up = digits[Significant] >= '5';
        digits.truncate(Significant);
        if (up)
            incrementDigits(digits);
        digits.append(QByteArray(cut, '0'));
    }
    return placePoint(digits, m_units < 0);
}

QString Decimal::format(int decimals) const
{
    decimals = qBound(0, decimals, Places);
    Magnitude step = 1;
    for (int k = decimals; k < Places; ++k)
        step *= 10;
    const Magnitude m = (magnitude(m_units) + step / 2) / step;
    QByteArray digits = digitsOf(m);
    if (digits.size() <= decimals)
        digits.prepend(QByteArray(decimals + 1 - digits.size(), '0'));
    QByteArray out = digits.left(digits.size() - decimals);
    if (decimals > 0)
        out += '.' + digits.right(decimals);
    if (m_units < 0 && m != 0)
        out.prepend('-');
    return QString::fromLatin1(out);
}

Decimal Decimal::times(Decimal o) const
{
    Magnitude p = 0;
    if (!mulScaled(magnitude(m_units), magnitude(o.m_units), &p))
        p = Magnitude(MaxUnits);
    const bool negative = (m_units < 0) != (o.m_units < 0);
    return fromUnits(negative ? -Units(p) : Units(p));
}
