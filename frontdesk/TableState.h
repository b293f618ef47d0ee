#pragma once
// A table's two state columns and the word the front desk shows for them:
// othersts A in use, C free, D settled, E continued bill, P disabled; a free
// table whose reservation mark sts is 'B' shows as reserved.
#include <QString>

namespace TableWord {
inline const QString Free = QStringLiteral("空闲");
inline const QString Reserved = QStringLiteral("预订");
inline const QString InUse = QStringLiteral("在用");
inline const QString Settled = QStringLiteral("结帐");
inline const QString Continued = QStringLiteral("续单");
inline const QString Disabled = QStringLiteral("禁用");
} // namespace TableWord

inline QString TableStateWord(const QString& othersts, const QString& sts)
{
    const QString state = othersts.trimmed().toUpper();
    if (state == u"A")
        return TableWord::InUse;
    if (state == u"C")
        return sts.trimmed().toUpper() == u"B" ? TableWord::Reserved : TableWord::Free;
    if (state == u"D")
        return TableWord::Settled;
    if (state == u"E")
        return TableWord::Continued;
    if (state == u"P")
        return TableWord::Disabled;
    return {};   // no part of the system writes another code
}
