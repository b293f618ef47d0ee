#pragma once
// The one text form of stored and shown date-times: "yyyy-MM-dd HH:mm:ss".
// A shown time converts back to exactly the stored value.
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace DateTimeText {

inline const QString Format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
inline const QString DateFormat = QStringLiteral("yyyy-MM-dd");

namespace Detail {
// The digits of n into the buffer, width of them, zero-padded.
inline void digits(char16_t* at, int n, int width)
{
    for (int i = width - 1; i >= 0; --i, n /= 10)
        at[i] = char16_t(u'0' + n % 10);
}
} // namespace Detail

// Lists show a date-time on every row: the text is made from the numbers
// directly, as the format would make it.
inline QString format(const QDateTime& t)
{
    if (!t.isValid())
        return {};
    const QDate d = t.date();
    const QTime c = t.time();
    if (d.year() < 1000 || d.year() > 9999)
        return t.toString(Format);
    char16_t b[19] = {0, 0, 0, 0, u'-', 0, 0, u'-', 0, 0, u' ', 0, 0, u':', 0, 0, u':', 0, 0};
    Detail::digits(b, d.year(), 4);
    Detail::digits(b + 5, d.month(), 2);
    Detail::digits(b + 8, d.day(), 2);
    Detail::digits(b + 11, c.hour(), 2);
    Detail::digits(b + 14, c.minute(), 2);
    Detail::digits(b + 17, c.second(), 2);
    return QString(reinterpret_cast<const QChar*>(b), 19);
}
inline QString formatDate(const QDate& d) { return d.isValid() ? d.toString(DateFormat) : QString(); }
// A day as the day-only columns store it: its midnight.
inline QString formatDay(const QDate& d) { return d.isValid() ? formatDate(d) + QStringLiteral(" 00:00:00") : QString(); }

// Accepts the stored form, the date alone (midnight), and "yyyy-MM-dd HH:mm".
inline QDateTime parse(const QString& text)
{
    const QString t = text.trimmed();
    // The stored form, read from its digits (the general parser is slow
    // for a list of a year's rows); anything else takes the general way.
    if (t.size() == 19 && t[4] == u'-' && t[7] == u'-' && t[10] == u' ' && t[13] == u':' && t[16] == u':') {
        const auto number = [&t](int from, int width) {
            int n = 0;
            for (int i = from; i < from + width; ++i) {
                const char16_t c = t[i].unicode();
                if (c < u'0' || c > u'9')
                    return -1;
                n = n * 10 + (c - u'0');
            }
            return n;
        };
        const int y = number(0, 4), mo = number(5, 2), d = number(8, 2), h = number(11, 2), mi = number(14, 2),
                  s = number(17, 2);
        const QDate date(y, mo, d);
        const QTime time(h, mi, s);
        if (y >= 0 && mo >= 0 && d >= 0 && h >= 0 && mi >= 0 && s >= 0 && date.isValid() && time.isValid()) {
            const QDateTime v(date, time);
            if (v.isValid())
                return v;
        }
    }
    QDateTime v = QDateTime::fromString(t, Format);
    if (!v.isValid())
        v = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!v.isValid()) {
        const QDate d = QDate::fromString(t, DateFormat);
        if (d.isValid())
            v = QDateTime(d, QTime(0, 0));
    }
    return v;
}

inline QDateTime fromVariant(const QVariant& v)
{
    if (v.isNull())
        return {};
    return parse(v.toString());
}

// The 14-digit id of a moment ("yyyyMMddHHmmss") and back.
// The condition of a stored date that does not begin with its day
// "yyyy-MM-dd": the partial indexes of odd bill dates hold exactly these rows,
// and a statement finds them through those indexes only when it states the
// condition in these words.
inline QString oddStoredDate(const QString& column)
{
    return QStringLiteral("%1 NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]*' OR typeof(%1) = 'blob'").arg(column);
}

inline QString toId(const QDateTime& t) { return t.toString(QStringLiteral("yyyyMMddHHmmss")); }
inline QDateTime fromId(const QString& id) { return QDateTime::fromString(id, QStringLiteral("yyyyMMddHHmmss")); }

} // namespace DateTimeText
