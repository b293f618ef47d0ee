#include "bench/BenchOperations.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include "db/Database.h"
#include "db/RowReader.h"
#include "platform/Seams.h"
#include "shell/Module1.h"

namespace Bench {

QString Period::start() const { return from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }
QString Period::end() const { return to.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59"); }

Period Context::day() const { return {QStringLiteral("day"), lastDay, lastDay, 30}; }
Period Context::month() const { return {QStringLiteral("month"), lastDay.addMonths(-1).addDays(1), lastDay, 100}; }
Period Context::year() const { return {QStringLiteral("year"), lastDay.addYears(-1).addDays(1), lastDay, 400}; }
Period Context::allYears() const
{
    return {QStringLiteral("5 years"), lastDay.addYears(-5).addDays(1), lastDay, 1500};
}

void Context::start() { m_clock.start(); }

void Context::stop()
{
    if (m_clock.isValid())
        m_measured = m_clock.nsecsElapsed();
}

void Context::resetClock()
{
    m_clock.invalidate();
    m_measured = -1;
}

void loggedIn(Context& ctx)
{
    if (!Db::isOpen() || Db::path() != ctx.dbPath)
        Db::openShared(ctx.dbPath);
    Module1::OperatorCode = QStringLiteral("SYSTEM");
    Module1::LoggedIn = true;
}

long floorRows(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(Db::shared());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(DbError::Read, q.lastError().text());
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DbError(DbError::Read, q.lastError().text());
    const int columns = q.record().count();
    long rows = 0;
    while (q.next()) {
        for (int c = 0; c < columns; ++c)
            (void)q.value(c);
        ++rows;
    }
    if (q.lastError().isValid())
        throw DbError(DbError::Read, q.lastError().text());
    return rows;
}

long sumRows(int columns, const QString& sql, const QVariantList& params)
{
    Db::RowReader rows(sql, params);
    long count = 0;
    Money sum;
    while (rows.next()) {
        for (int c = 0; c < columns; ++c)
            sum = sum + rows.money(c);
        ++count;
    }
    (void)sum;
    return count;
}

long readerRows(int columns, const QString& sql, const QVariantList& params)
{
    Db::RowReader rows(sql, params);
    long count = 0;
    while (rows.next()) {
        for (int c = 0; c < columns; ++c)
            (void)rows.utf8(c);
        ++count;
    }
    return count;
}

void failOnDatabaseMessages()
{
    for (const MessageRecord& m : MessageSeam::messages())
        for (int kind = DbError::Open; kind <= DbError::Changed; ++kind)
            if (m.text.startsWith(DbError::sentence(DbError::Kind(kind))))
                throw DbError(QStringLiteral("the window said: ") + m.text);
}

void check(bool condition, const QString& what)
{
    if (!condition)
        throw DbError(what);
}

void settle()
{
    QCoreApplication::processEvents();
}

std::vector<Operation> operations()
{
    std::vector<Operation> all;
    for (auto group : {dailyWork, reportOperations, stockOperations, maintenanceOperations}) {
        std::vector<Operation> ops = group();
        all.insert(all.end(), ops.begin(), ops.end());
    }
    return all;
}

} // namespace Bench
