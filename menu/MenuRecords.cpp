#include "menu/MenuRecords.h"

#include <QSet>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Money.h"
#include "db/Recordset.h"
#include "platform/Controls.h"
#include "platform/Seams.h"

namespace Menu {

void Refusal::show() const
{
    MsgBox(text, icon, title);
}

QString categoryCodeOfKey(const QString& key)
{
    if (key.startsWith(TopPrefix) || key.startsWith(SubPrefix))
        return key.mid(1);
    return {};
}

QString codeNameEntry(const QString& code, const QString& name) { return CodeNameEntry(code, name); }

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

double leadingNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    QString number;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            number += c;
        else if (c == u'.' && !point)
            number += c, point = true;
        else
            break;
    }
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok ? v : 0;
}

QString formatTwoDecimalsHalfEven(double value)
{
    // The exact decimal expansion of the double decides: only a value that
    // really is a half goes to the even digit.
    std::string digits(1500, '\0');
    const int n = std::snprintf(digits.data(), digits.size(), "%.1100f", std::fabs(value));
    digits.resize(n > 0 ? size_t(n) : 0);
    const size_t dot = digits.find('.');
    std::string kept = digits.substr(0, dot) + digits.substr(dot + 1, 2);   // hundredths as whole digits
    const std::string rest = digits.substr(dot + 3);
    bool up = false;
    if (!rest.empty() && rest[0] > '5') {
        up = true;
    } else if (!rest.empty() && rest[0] == '5') {
        const bool moreThanHalf = rest.find_first_not_of('0', 1) != std::string::npos;
        up = moreThanHalf || (kept.back() - '0') % 2 == 1;
    }
    if (up) {
        int k = int(kept.size()) - 1;
        while (k >= 0 && kept[size_t(k)] == '9')
            kept[size_t(k--)] = '0';
        if (k < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[size_t(k)];
    }
    const size_t start = std::min(kept.find_first_not_of('0'), kept.size() - 3);
    QString text = QString::fromStdString(kept.substr(start, kept.size() - 2 - start) + '.' + kept.substr(kept.size() - 2));
    if (value < 0 && text != QStringLiteral("0.00"))
        text.prepend(u'-');
    return text;
}

QString SalePriceRule(const QString& basePrice, const QString& rate)
{
    return formatTwoDecimalsHalfEven(leadingNumber(basePrice) * leadingNumber(rate) / 100);
}

QString todayStamp()
{
    return DateTimeText::formatDay(Clock::today());
}

Refusal setDishDisabled(const QString& code, bool disabled, const QString& reason)
{
    const QString title = QStringLiteral("提示");
    Transaction t;
    Recordset dish;
    dish.open(QStringLiteral("select cp_status from cpdetail where code = ? order by rowid limit 1"), {code});
    if (dish.empty())
        return {DishGoneMessage, Msg::Exclamation, title};
    if (isFlagSet(dish.field(QStringLiteral("cp_status"))) == disabled)
        return {disabled ? QStringLiteral("此菜品已停用!") : QStringLiteral("此菜品已启用!"), Msg::Exclamation, title};
    // An empty reason is stored as the empty text, never as Null (which the list shows as three blanks).
    const QString storedReason = disabled && !reason.isNull() ? reason : QStringLiteral("");
    Db::exec(QStringLiteral("update cpdetail set cp_status = ?, ty_date = ?, ty_reason = ? where code = ?"),
             {disabled ? QStringLiteral("1") : QStringLiteral("0"), todayStamp(), storedReason, code});
    t.commit();
    return {};
}

} // namespace Menu
