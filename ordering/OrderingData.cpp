#include "ordering/OrderingData.h"

#include <QRegularExpression>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "platform/Seams.h"

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

std::optional<TableRow> tableRow(const QString& tableId)
{
    Recordset table;
    table.open(QStringLiteral("select t.house_name, t.othersts, b.fname from house_table t "
                              "left join house_bm b on b.fcode = t.house_bmid "
                              "where t.table_id = ? order by t.rowid, b.rowid limit 1"),
               {tableId});
    if (table.empty())
        return std::nullopt;
    return TableRow{table.text(QStringLiteral("house_name")), table.text(QStringLiteral("fname")),
                    table.text(QStringLiteral("othersts"))};
}

bool tableHasSeating(const QString& tableId)
{
    return Db::scalar(QStringLiteral("select 1 from use_table_200505 where house_table_id = ? and sts <> 'P' limit 1"),
                      {tableId})
        .isValid();
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

Money lineAmount(Money price, Money quantity)
{
    const Money exact = price.times(quantity);   // four decimals, exact for whole quantities
    const int64_t units = exact.units();
    const int64_t cent = Money::Scale / 100;
    int64_t cents = units / cent;
    const int64_t rest = units % cent;
    const int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > cent || (twice == cent && cents % 2 != 0))
        cents += units < 0 ? -1 : 1;
    return Money::fromUnits(cents * cent);
}

SeatingSeen seeSeating(const QString& seatingId)
{
    Recordset seating;
    seating.open(QStringLiteral("select s.house_table_id, s.sts, s.end_date, t.othersts, t.house_name "
                                "from use_table_200505 s left join house_table t on t.table_id = s.house_table_id "
                                "where s.use_table_id = ? order by s.rowid, t.rowid limit 1"),
                 {seatingId});
    SeatingSeen seen;
    seen.seatingId = seatingId;
    if (seating.empty())
        return seen;
    seen.tableId = seating.text(QStringLiteral("house_table_id"));
    seen.tableName = seating.text(QStringLiteral("house_name"));
    seen.sts = seating.text(QStringLiteral("sts")).toUpper();
    seen.tableState = seating.text(QStringLiteral("othersts")).toUpper();
    seen.endDate = seating.field(QStringLiteral("end_date"));
    return seen;
}

QString seatingChange(const SeatingSeen& seen)
{
    const SeatingSeen now = seeSeating(seen.seatingId);
    const auto refusal = [&](const char* what) {
        return QStringLiteral("房台%1的这次消费已经在别处%2，请重新打开。").arg(seen.tableName, QString::fromUtf8(what));
    };
    if (seen.seatingId.isEmpty() || now.tableId.isEmpty() || now.sts == u"P")
        return refusal("清台或并台");
    if (now.tableId != seen.tableId)
        return refusal("转到其他房台");
    const bool sameEnd = now.endDate.isNull() == seen.endDate.isNull() && now.endDate.toString() == seen.endDate.toString();
    const bool seatingSame = now.sts == seen.sts && sameEnd;
    const bool tableSame = now.tableState == seen.tableState;
    if (seatingSame && tableSame)
        return {};
    if ((!seatingSame && now.sts == u"D") || (!tableSame && now.tableState == u"D"))
        return refusal("结帐");
    if (!tableSame && now.tableState == u"E")
        return refusal("续单");
    return refusal("改变");
}

int nextLineNumber(const QString& seatingId)
{
    return Db::scalar(QStringLiteral("select coalesce(max(fsxh), -1) + 1 from strink_mess_200505 where use_table_id = ?"),
                      {seatingId})
        .toInt();
}

void insertLine(const StoredLine& l)
{
    Db::exec(QStringLiteral("insert into strink_mess_200505 (bill_time, account_sts, food_code, food_name, food_num, fsxh, "
                            "memo, price, send_addr, state, strink_mess_id, sts, unit, use_table_id) "
                            "values (?, '0', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {DateTimeText::format(Clock::now()), storedText(l.dishCode), storedText(l.dishName),
              l.quantity.toVariant(), l.fsxh, storedText(l.memo), l.price.toVariant(), storedText(l.dept),
              l.state, l.seatingId + l.dishCode, l.kind.isEmpty() ? QVariant() : QVariant(l.kind),
              storedText(l.unit), l.seatingId});
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
