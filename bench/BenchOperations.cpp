#include "bench/BenchOperations.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include "db/Database.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/FrmYDGL.h"
#include "stockin/FrmKCCX.h"
#include "stockin/FrmRKGL.h"
#include "stockout/FrmCKGL.h"
#include "stockout/LedgerWindow.h"
#include "platform/Form.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"

namespace Bench {

namespace {

void writePathFile(const Context& ctx)
{
    QFile f(QDir(ctx.programFolder).filePath(Module1::PathFileName));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write((ctx.dbPath + QStringLiteral("\r\n")).toUtf8());
}

// The program as after a login: the shared connection open, the operator set.
void loggedIn(Context& ctx)
{
    if (!Db::isOpen() || Db::path() != ctx.dbPath)
        Db::openShared(ctx.dbPath);
    Module1::OperatorCode = QStringLiteral("SYSTEM");
    Module1::LoggedIn = true;
}

// The last day of the generated history: the day before the newest bill's
// day plus one, read from the stock-out bills.
QDate historyEnd()
{
    return QDate::fromString(Db::scalar(QStringLiteral("SELECT substr(max(stock_out_date), 1, 10) FROM stock_out_bill"))
                                 .toString(),
                             QStringLiteral("yyyy-MM-dd"));
}

// Reads the rows of a statement with one bare prepared statement, every
// value of every row, as the floor of a list.
void bareRead(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(Db::shared());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : params)
        q.addBindValue(v);
    q.exec();
    const int columns = 16;
    while (q.next())
        for (int c = 0; c < columns; ++c)
            (void)q.value(c);
}

QString ledgerFloorSql(bool in)
{
    return QStringLiteral("SELECT b.rowid, l.rowid, g.rowid, b.stock_bill_id, b.%1, b.repr_name, b.ckh, b.fs, l.code,"
                          " l.num, l.price, g.code, g.bran_name, g.zl, g.type, g.unit"
                          " FROM %2 b JOIN %3 l ON l.stock_bill_id = b.stock_bill_id JOIN brand g ON g.code = l.code"
                          " WHERE b.%1 >= ? AND b.%1 <= ?")
        .arg(in ? QStringLiteral("stock_in_date") : QStringLiteral("stock_out_date"),
             in ? QStringLiteral("stock_in_bill") : QStringLiteral("stock_out_bill"),
             in ? QStringLiteral("rkgl2004") : QStringLiteral("ckgl2004"));
}

void addStockOperations(std::vector<Operation>& ops)
{
    ops.push_back({QStringLiteral("stock on hand, all goods"),
                   [](Context& ctx) {
                       loggedIn(ctx);
                       Forms::get<FrmKCCX>();
                   },
                   [](Context&) -> long {
                       FrmKCCX& w = Forms::get<FrmKCCX>();
                       w.ListView1Query();
                       return w.ListView1->count();
                   },
                   {}, {}});
    ops.push_back({QStringLiteral("stock-in window open"), loggedIn,
                   [](Context&) -> long { return Forms::get<FrmRKGL>().ListView2->count(); }, {}, {}});
    ops.push_back({QStringLiteral("stock-out window open"), loggedIn,
                   [](Context&) -> long { return Forms::get<FrmCKGL>().ListView2->count(); }, {}, {}});
    struct Span {
        const char* name;
        int days;
    };
    for (const Span span : {Span{"day", 1}, Span{"month", 30}, Span{"year", 365}}) {
        const auto ledger = [span](const char* name, auto* tag, bool in, bool out) {
            using W = std::remove_pointer_t<decltype(tag)>;
            return Operation{
                QStringLiteral("%1, one %2").arg(QString::fromUtf8(name), QString::fromLatin1(span.name)),
                [](Context& ctx) {
                    loggedIn(ctx);
                    Forms::get<W>();
                },
                [span](Context&) -> long {
                    W& w = Forms::get<W>();
                    const QDate end = historyEnd();
                    w.DTPicker1->setDate(end.addDays(1 - span.days));
                    w.DTPicker2->setDate(end);
                    w.Text2->setText(QStringLiteral("所有商品类别"));
                    w.Toolbar1->click(LedgerWindow::BtnQuery);
                    return w.ListView1->count();
                },
                {},
                [span, in, out](Context&) {
                    const QDate end = historyEnd();
                    const QVariantList range{end.addDays(1 - span.days).toString(QStringLiteral("yyyy-MM-dd 00:00:00")),
                                             end.toString(QStringLiteral("yyyy-MM-dd 00:00:00"))};
                    if (in)
                        bareRead(ledgerFloorSql(true), range);
                    if (out)
                        bareRead(ledgerFloorSql(false), range);
                }};
        };
        ops.push_back(ledger("stock-in ledger", static_cast<FrmRKTZ*>(nullptr), true, false));
        ops.push_back(ledger("stock-out ledger", static_cast<FrmCKTZ*>(nullptr), false, true));
        ops.push_back(ledger("running account", static_cast<FrmSPLS*>(nullptr), true, true));
    }
}

std::vector<Operation> build()
{
    std::vector<Operation> ops;
    ops.push_back({QStringLiteral("start-up to the login window"),
                   [](Context& ctx) {
                       Db::closeShared();
                       Module1::resetForNewProcess();
                       writePathFile(ctx);
                   },
                   [](Context&) -> long {
                       const QString shown = Module1::Main();
                       if (shown != QLatin1String("FrmXTDL"))
                           throw DbError(QStringLiteral("start-up showed ") + shown);
                       return 1;
                   },
                   {}, {}});
    ops.push_back({QStringLiteral("board reload"),
                   [](Context& ctx) {
                       loggedIn(ctx);
                       Forms::get<FrmSYGL>();
                   },
                   [](Context&) -> long {
                       FrmSYGL& board = Forms::get<FrmSYGL>();
                       board.ListView1Detail();
                       return board.ListView1->count();
                   },
                   {}, {}});
    ops.push_back({QStringLiteral("reservation manager open"), loggedIn,
                   [](Context&) -> long {
                       FrmYDGL& manager = Forms::get<FrmYDGL>();
                       return manager.ListView1->count();
                   },
                   {}, {}});
    addStockOperations(ops);
    return ops;
}

} // namespace

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> ops = build();
    return ops;
}

} // namespace Bench
