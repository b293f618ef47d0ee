// Data clearing of one old month (sales and stock bills) on a fresh copy of
// the database, through the clearing dialog.
#include <QDir>
#include <QFile>
#include "bench/BenchOperations.h"
#include "db/Database.h"
#include "platform/Form.h"
#include "platform/Seams.h"
#include "shell/DlgQCSJ.h"

namespace Bench {

namespace {

QString copyPath(const Context& ctx) { return QDir(ctx.programFolder).filePath(QStringLiteral("clearing-copy.db")); }

// The first whole month of the history.
QDate oldestMonth()
{
    const QDate first = QDate::fromString(
        Db::scalar(QStringLiteral("select substr(min(start_date), 1, 10) from use_table_200505")).toString(),
        QStringLiteral("yyyy-MM-dd"));
    check(first.isValid(), QStringLiteral("no seating in the history"));
    return first.day() == 1 ? first : QDate(first.year(), first.month(), 1).addMonths(1);
}

void dropCopy(const Context& ctx)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(copyPath(ctx) + QString::fromLatin1(suffix));
}

} // namespace

std::vector<Operation> maintenanceOperations()
{
    std::vector<Operation> ops;
    ops.push_back({QStringLiteral("data clearing of one old month (copy)"),
                   [](Context& ctx) {
                       loggedIn(ctx);
                       // Everything committed goes into the main file before it is copied.
                       Db::scalar(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
                       Db::closeShared();
                       dropCopy(ctx);
                       check(QFile::copy(ctx.dbPath, copyPath(ctx)), QStringLiteral("the database could not be copied"));
                       Db::openShared(copyPath(ctx));
                       check(Db::scalar(QStringLiteral("select count(*) from house_table where othersts in ('A', 'D', 'E')"))
                                     .toInt() == 0,
                             QStringLiteral("a table is still in use: the clearing would refuse"));
                       MessageSeam::clear();
                       const QDate month = oldestMonth();
                       DlgQCSJ& d = Forms::get<DlgQCSJ>();
                       Forms::show(d);
                       d.CheckXSSJ->click();
                       d.CheckKCSJ->click();
                       d.Option2->click();
                       d.DateStart->setDateTime(QDateTime(month, QTime(0, 0, 0)));
                       d.DateEnd->setDateTime(QDateTime(month.addMonths(1).addDays(-1), QTime(23, 59, 59)));
                   },
                   [](Context&) -> long {
                       const long seatings = Db::scalar(QStringLiteral("select count(*) from use_table_200505")).toLongLong();
                       Forms::get<DlgQCSJ>().Command1->click();
                       check(MessageSeam::texts().contains(QStringLiteral("数据清除完毕！")),
                             QStringLiteral("the clearing did not finish: ") + MessageSeam::texts().join(u'|'));
                       return seatings - Db::scalar(QStringLiteral("select count(*) from use_table_200505")).toLongLong();
                   },
                   [](Context& ctx) {
                       failOnDatabaseMessages();
                       Db::closeShared();
                       dropCopy(ctx);
                       Db::openShared(ctx.dbPath);
                   },
                   {}});
    ops.back().targetMs = 2000;
    return ops;
}

} // namespace Bench
