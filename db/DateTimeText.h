#pragma once
// The one text form of stored and shown date-times: "yyyy-MM-dd HH:mm:ss".
// A shown time converts back to exactly the stored value.
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace DateTimeText {

inline const QString Format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
inline const QString DateFormat = QStringLiteral("yyyy-MM-dd");

inline QString format(const QDateTime& t) { return t.isValid() ? t.toString(Format) : QString(); }
inline QString formatDate(const QDate& d) { return d.isValid() ? d.toString(DateFormat) : QString(); }

// Accepts the stored form, the date alone (midnight), and "yyyy-MM-dd HH:mm".
inline QDateTime parse(const QString& text)
{
    const QString t = text.trimmed();
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
inline QString toId(const QDateTime& t) { return t.toString(QStringLiteral("yyyyMMddHHmmss")); }
inline QDateTime fromId(const QString& id) { return QDateTime::fromString(id, QStringLiteral("yyyyMMddHHmmss")); }

} // namespace DateTimeText
