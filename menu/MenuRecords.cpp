#include "menu/MenuRecords.h"

#include <QSet>
#include <vector>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Money.h"
#include "db/Recordset.h"
#include "platform/Controls.h"
#include "platform/Seams.h"

namespace Menu {

QString categoryCodeOfKey(const QString& key)
{
    if (key.startsWith(TopPrefix) || key.startsWith(SubPrefix))
        return key.mid(1);
    return {};
}

QString codeNameEntry(const QString& code, const QString& name)
{
    return u'[' + code + u']' + name;
}

int fillCategoryTree(TreeView* tree, bool codeInText)
{
    tree->clearNodes();
    tree->addNode({}, RootKey, RootText);
    Recordset rs;
    rs.open(QStringLiteral("select code, cname, parentcode from cpclass order by code, rowid"));
    struct Row {
        QString code, name;
        bool top;
    };
    std::vector<Row> rows;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        rows.push_back({rs.text(QStringLiteral("code")), rs.text(QStringLiteral("cname")),
                        rs.text(QStringLiteral("parentcode")) == QStringLiteral("0")});
    // Top categories first, so that every sub-category finds its parent
    // whatever order the codes come in.
    QSet<QString> keys;
    for (const bool topPass : {true, false}) {
        for (const Row& r : rows) {
            if (r.top != topPass || r.code.isEmpty())
                continue;
            const QString key = (r.top ? TopPrefix : SubPrefix) + r.code;
            if (keys.contains(key))
                continue;
            keys.insert(key);
            QString parent = RootKey;
            if (!r.top) {
                const QString topKey = TopPrefix + r.code.left(1);
                if (keys.contains(topKey))
                    parent = topKey;
            }
            tree->addNode(parent, key, codeInText ? codeNameEntry(r.code, r.name) : r.name);
        }
    }
    return int(rows.size());
}

QString nextTopCategoryCode()
{
    Recordset rs;
    rs.open(QStringLiteral("select distinct substr(trim(code), 1, 1) as first from cpclass"));
    QSet<QString> taken;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        taken.insert(rs.text(QStringLiteral("first")));
    for (char d = '1'; d <= '9'; ++d)
        if (!taken.contains(QString(QLatin1Char(d))))
            return QString(QLatin1Char(d));
    return {};
}

QString nextSubCategoryCode(const QString& parent)
{
    Recordset rs;
    rs.open(QStringLiteral("select trim(code) as code from cpclass where substr(trim(code), 1, length(?)) = ?"),
            {parent, parent});
    qint64 highest = 0;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        const QString code = rs.text(QStringLiteral("code"));
        if (code.size() <= parent.size())
            continue;
        bool ok = false;
        const qint64 seq = code.mid(parent.size()).toLongLong(&ok);
        if (ok && seq > highest)
            highest = seq;
    }
    const qint64 next = highest + 1;
    return parent + (next < 10 ? u'0' + QString::number(next) : QString::number(next));
}

QString priceCell(const QVariant& price)
{
    if (price.isNull() || !price.isValid())
        return {};
    bool ok = true;
    if (price.typeId() == QMetaType::QString)
        Money::parse(price.toString(), &ok);
    return ok ? Money::fromVariant(price).format(2) : QString();
}

QString plainNumberText(double value)
{
    return QString::number(value, 'g', 15);
}

QString rateCell(const QVariant& rate)
{
    if (rate.isNull() || !rate.isValid())
        return {};
    bool ok = false;
    const double v = rate.toDouble(&ok);
    if (!ok)
        return {};
    const QString digits = plainNumberText(v * 100);
    return (digits.startsWith(u'-') ? digits : u' ' + digits) + u'%';
}

bool isFlagSet(const QVariant& flag)
{
    return !flag.isNull() && flag.toString().trimmed() == QStringLiteral("1");
}

QString todayStamp()
{
    return DateTimeText::formatDate(Clock::today()) + QStringLiteral(" 00:00:00");
}

} // namespace Menu
