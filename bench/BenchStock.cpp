// Stock on hand, the stock-in and stock-out windows with every bill, and the
// stock-in and stock-out ledgers and the running account of goods for a day,
// a month and a year at the end of the history: each window on screen, its
// days set in its pickers, its query button clicked. The floor reads the
// goods and the bill lines of the days bare.
#include "bench/BenchOperations.h"
#include "db/Database.h"
#include "platform/Form.h"
#include "stockin/FrmKCCX.h"
#include "stockin/FrmRKGL.h"
#include "stockout/FrmCKGL.h"
#include "stockout/LedgerWindow.h"

namespace Bench {

namespace {

using PeriodOf = Period (Context::*)() const;

// The lines of one direction's bills of the days, with their bills, and the
// goods they are listed with.
long ledgerFloor(bool in, const Period& p)
{
    const QString day = in ? QStringLiteral("stock_in_date") : QStringLiteral("stock_out_date");
    readerRows(5, QStringLiteral("SELECT code, bran_name, zl, type, unit FROM brand ORDER BY rowid"));
    return readerRows(10, QStringLiteral("SELECT b.rowid, l.rowid, b.stock_bill_id, b.%1, b.repr_name, b.ckh, b.fs, l.code,"
                                    " l.num, l.price FROM %2 b JOIN %3 l ON l.stock_bill_id = b.stock_bill_id"
                                    " WHERE b.%1 >= ? AND b.%1 <= ?")
                         .arg(day, in ? QStringLiteral("stock_in_bill") : QStringLiteral("stock_out_bill"),
                              in ? QStringLiteral("rkgl2004") : QStringLiteral("ckgl2004")),
                     {p.from.toString(QStringLiteral("yyyy-MM-dd 00:00:00")),
                      p.to.toString(QStringLiteral("yyyy-MM-dd 00:00:00"))});
}

template <class Window> Operation ledger(const QString& name, PeriodOf p, bool in, bool out)
{
    Operation op{name + QStringLiteral(", ") + (Context().*p)().label,
                 [p](Context& ctx) {
                     Window& w = shown<Window>(ctx);
                     w.DTPicker1->setDate((ctx.*p)().from);
                     w.DTPicker2->setDate((ctx.*p)().to);
                 },
                 [](Context&) -> long {
                     Window& w = Forms::get<Window>();
                     w.Toolbar1->click(LedgerWindow::BtnQuery);
                     settle();
                     return w.ListView1->count();
                 },
                 [](Context&) { failOnDatabaseMessages(); },
                 [p, in, out](Context& ctx) -> long {
                     return (in ? ledgerFloor(true, (ctx.*p)()) : 0) + (out ? ledgerFloor(false, (ctx.*p)()) : 0);
                 }};
    // A year of ledger lines is some 360,000 rows, listed whole.
    op.targetMs = p == &Context::year ? 1000 : (Context().*p)().targetMs;
    op.rowsMatchFloor = true;
    return op;
}

// A stock bill window opened: its list of every bill, of which it reads the
// first rows at once and the others as it is scrolled.
template <class Window> Operation billWindow(const QString& name, const QString& table)
{
    Operation op{name, loggedIn,
                 [](Context& ctx) -> long {
                     Window& w = shown<Window>(ctx);
                     settle();
                     return w.ListView2->count();
                 },
                 [](Context&) { failOnDatabaseMessages(); },
                 [table](Context&) -> long {
                     return readerRows(1, QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT %2").arg(table).arg(BillRows::FetchRows));
                 }};
    op.rowsMatchFloor = true;
    return op;
}

} // namespace

std::vector<Operation> stockOperations()
{
    std::vector<Operation> ops;
    ops.push_back({QStringLiteral("stock on hand, all goods"),
                   [](Context& ctx) { shown<FrmKCCX>(ctx); },
                   [](Context&) -> long {
                       FrmKCCX& w = Forms::get<FrmKCCX>();
                       w.ListView1Query();
                       settle();
                       return w.ListView1->count();
                   },
                   [](Context&) { failOnDatabaseMessages(); },
                   [](Context&) -> long {
                       return floorRows(QStringLiteral("select s.code, g.bran_name, g.zl, g.unit, s.rks, s.cks from brand g"
                                                       " join store s on s.code = g.code order by g.rowid"));
                   }});
    ops.back().targetMs = 50;
    ops.back().rowsMatchFloor = true;
    // The bill windows open on every bill there is.
    ops.push_back(billWindow<FrmRKGL>(QStringLiteral("stock-in window open (every bill)"), QStringLiteral("stock_in_bill")));
    ops.push_back(billWindow<FrmCKGL>(QStringLiteral("stock-out window open (every bill)"), QStringLiteral("stock_out_bill")));
    ops.back().targetMs = 100;
    for (PeriodOf p : {&Context::day, &Context::month, &Context::year}) {
        ops.push_back(ledger<FrmRKTZ>(QStringLiteral("stock-in ledger"), p, true, false));
        ops.push_back(ledger<FrmCKTZ>(QStringLiteral("stock-out ledger"), p, false, true));
        ops.push_back(ledger<FrmSPLS>(QStringLiteral("running account"), p, true, true));
    }
    return ops;
}

} // namespace Bench
