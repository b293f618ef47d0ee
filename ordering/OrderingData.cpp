#include "ordering/OrderingData.h"

#include <QRegularExpression>
#include "db/Database.h"
#include "db/Recordset.h"

namespace Ordering {

namespace {
const QString KindWords[] = {QStringLiteral("点单"), QStringLiteral("退单"), QStringLiteral("赠单"), QStringLiteral("加单")};
const QString StateWords[] = {QStringLiteral("点单"), QStringLiteral("叫单"), QStringLiteral("催单"),
                              QStringLiteral("急催"), QStringLiteral("外卖")};
} // namespace

QString lineKindWord(const QString& code)
{
    const QString c = code.trimmed();
    for (int i = 0; i < 4; ++i)
        if (c == QString::number(i))
            return KindWords[i];
    return {};
}

QString lineKindCode(const QString& word)
{
    for (int i = 0; i < 4; ++i)
        if (word == KindWords[i])
            return QString::number(i);
    return {};
}

QString serveStateWord(const QVariant& state)
{
    if (state.isNull() || !state.isValid())
        return {};
    bool ok = false;
    const double v = state.toString().trimmed().toDouble(&ok);
    for (int i = 0; ok && i < 5; ++i)
        if (v == i)
            return StateWords[i];
    return {};
}

QVariant serveStateCode(const QString& word)
{
    for (int i = 0; i < 5; ++i)
        if (word == StateWords[i])
            return i;
    return {};
}

QStringList employeeNames()
{
    Recordset staff;
    staff.open(QStringLiteral("select name from cust order by rowid"));
    QStringList names;
    for (staff.MoveFirst(); !staff.isEOF(); staff.MoveNext()) {
        const QVariant name = staff.field(0);
        names << (name.isNull() ? QString() : name.toString());
    }
    return names;
}

QVariant employeeCode(const QString& name)
{
    Recordset staff;
    staff.open(QStringLiteral("select code from cust where name = ? order by rowid limit 1"), {name});
    return staff.empty() ? QVariant() : staff.field(0);
}

bool parseDiners(const QString& text, int* diners)
{
    static const QRegularExpression whole(QStringLiteral("^[0-9]{1,3}$"));
    const QString t = text.trimmed();
    if (!whole.match(t).hasMatch())
        return false;
    if (diners)
        *diners = t.toInt();
    return true;
}

} // namespace Ordering
