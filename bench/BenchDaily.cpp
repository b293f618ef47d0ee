// The daily work at the front desk: start-up, the board, the reservation
// manager, and one table's service through the ordering and checkout
// windows as a cashier works them (opening, placing, a dish given free, a
// return, the checkout with its receipt).
#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include "bench/BenchOperations.h"
#include "checkout/FrmJZGL.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/FrmYDGL.h"
#include "frontdesk/TableState.h"
#include "ordering/DlgTD.h"
#include "ordering/FrmDCKT.h"
#include "ordering/FrmKTXX.h"
#include "platform/Form.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "shell/Module1.h"
#include "tests/RowClicks.h"

namespace Bench {

namespace {

// The program file beside the benchmark's, copied into the benchmark's
// program folder with a path file naming the benchmark's database: the
// program reads both from its own folder.
QString programCopy(const Context& ctx)
{
    const QString copy = QDir(ctx.programFolder).filePath(QStringLiteral("tabulor"));
    if (!QFile::exists(copy))
        check(QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tabulor")), copy),
              QStringLiteral("the program file could not be copied"));
    QFile f(QDir(ctx.programFolder).filePath(Module1::PathFileName));
    check(f.open(QIODevice::WriteOnly | QIODevice::Truncate), QStringLiteral("the path file could not be written"));
    f.write((ctx.dbPath + QStringLiteral("\r\n")).toUtf8());
    return copy;
}

// The board on screen, as after a login.
FrmSYGL& board(Context& ctx) { return shown<FrmSYGL>(ctx); }

int boardRow(FrmSYGL& b, const QString& tableId)
{
    for (int r = 0; r < b.ListView1->count(); ++r)
        if (b.ListView1->subItem(r, FrmSYGL::ColTableId) == tableId)
            return r;
    throw DbError(QStringLiteral("table %1 is not on the board").arg(tableId));
}

QString boardWord(Context& ctx)
{
    FrmSYGL& b = board(ctx);
    return b.ListView1->subItem(boardRow(b, ctx.tableId), FrmSYGL::ColState).trimmed();
}

// Opens the ordering window for the table as the board's double-click
// does; fn runs while it is open.
void openOrdering(Context& ctx, const std::function<void(FrmDCKT&)>& fn)
{
    FrmSYGL& b = board(ctx);
    onWindow<FrmDCKT>(fn);
    doubleClickRow(b.ListView1, boardRow(b, ctx.tableId));
}

// Dishes the benchmark orders: three plain and two linked to goods.
struct Dishes {
    QStringList plain, linked;
};
const Dishes& dishes()
{
    static Dishes d;
    if (d.plain.isEmpty()) {
        const QString active = QStringLiteral("coalesce(trim(cp_status), '') <> '1'");
        Recordset rs;
        rs.open(QStringLiteral("select code from cpdetail where (cp_spgl is null or trim(cp_spgl) = '') and %1 "
                               "order by rowid limit 8").arg(active));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            d.plain << rs.text(QStringLiteral("code"));
        rs.open(QStringLiteral("select code from cpdetail where trim(cp_spgl) <> '' and %1 order by rowid limit 2")
                    .arg(active));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            d.linked << rs.text(QStringLiteral("code"));
        check(d.plain.size() == 8 && d.linked.size() == 2, QStringLiteral("the menu lacks plain or linked dishes"));
    }
    return d;
}

// As a cashier: the dish's code in the quick-code box, Enter takes the
// first hit, the quantity, Enter adds the line.
void enterDish(FrmDCKT& w, const QString& code, int quantity)
{
    w.Text1->setText(code);
    QTest::keyClick(w.Text1, Qt::Key_Return);
    w.TxtSL->setText(QString::number(quantity));
    QTest::keyClick(w.TxtSL, Qt::Key_Return);
}

int storedLines(const QString& seatingId)
{
    return Db::scalar(QStringLiteral("select count(*) from strink_mess_200505 where use_table_id = ?"), {seatingId}).toInt();
}

// ---- the table's state, brought about through the windows (not timed) ----

void openTable(Context& ctx)
{
    onWindow<FrmKTXX>([](FrmKTXX& d) { d.Command1->click(); });
    openOrdering(ctx, [](FrmDCKT&) {});
    check(boardWord(ctx) == TableWord::InUse, QStringLiteral("the table did not open"));
}

void placeOrder(Context& ctx, const QStringList& codes)
{
    openOrdering(ctx, [&](FrmDCKT& w) {
        for (const QString& code : codes)
            enterDish(w, code, 1);
        w.Toolbar1->click(FrmDCKT::BtnPlace);
    });
}

void checkout(Context& ctx, const std::function<void(FrmJZGL&)>& commit)
{
    FrmSYGL& b = board(ctx);
    clickRow(b.ListView1, boardRow(b, ctx.tableId));
    onWindow<FrmJZGL>([&](FrmJZGL& w) {
        w.TxtKRFKJE->setText(w.LblYSJE->text());
        commit(w);
    });
    b.Toolbar1->click(7);
}

void clearTable(Context& ctx)
{
    FrmSYGL& b = board(ctx);
    clickRow(b.ListView1, boardRow(b, ctx.tableId));
    b.Toolbar1->click(8);
}

// The table free, whatever the last run left on it: settled when it has
// open lines, then cleared.
void tableFree(Context& ctx)
{
    QString word = boardWord(ctx);
    if (word == TableWord::InUse || word == TableWord::Continued) {
        const int open = Db::scalar(QStringLiteral("select count(*) from use_table_200505 u join strink_mess_200505 l "
                                                   "on l.use_table_id = u.use_table_id where u.house_table_id = ? "
                                                   "and u.sts <> 'P' and l.account_sts = '0'"),
                                    {ctx.tableId})
                             .toInt();
        if (open > 0)
            checkout(ctx, [](FrmJZGL& w) { w.Command6->click(); });
        word = boardWord(ctx);
    }
    if (word != TableWord::Free)
        clearTable(ctx);
    check(boardWord(ctx) == TableWord::Free, QStringLiteral("the table could not be freed: ") + boardWord(ctx));
}

// The table in use with the lines of a usual party: eight dishes placed.
void tableInUse(Context& ctx)
{
    const QString word = boardWord(ctx);
    if (word == TableWord::InUse)
        return;
    tableFree(ctx);
    openTable(ctx);
    const Dishes& d = dishes();
    placeOrder(ctx, d.plain + d.linked);
}

QString currentSeating(Context& ctx)
{
    return Db::scalar(QStringLiteral("select use_table_id from use_table_200505 where house_table_id = ? and sts <> 'P'"),
                      {ctx.tableId})
        .toString();
}

void prepareDaily(Context& ctx)
{
    MessageSeam::clear();
    Forms::clearModalShows();
    loggedIn(ctx);
    if (ctx.tableId.isEmpty()) {
        // The last table of the board's first type: free at the end of the history.
        ctx.tableId = Db::scalar(QStringLiteral("select table_id from house_table where othersts = 'C' "
                                                "order by house_bmid, table_id desc limit 1"))
                          .toString();
        check(!ctx.tableId.isEmpty(), QStringLiteral("no free table"));
    }
}

// An action in the ordering window on the table in use: prepare readies
// the window (not timed), act is the click that is timed, and the seating
// must then hold the given number of lines more.
Operation orderingAction(const QString& name, int lines, const std::function<void(FrmDCKT&)>& prepare,
                         const std::function<void(FrmDCKT&)>& act, const std::function<void(Context&)>& after = {})
{
    Operation op{name,
                 [](Context& ctx) {
                     prepareDaily(ctx);
                     tableInUse(ctx);
                 },
                 [=](Context& ctx) -> long {
                     const QString seating = currentSeating(ctx);
                     const int before = storedLines(seating);
                     openOrdering(ctx, [&](FrmDCKT& w) {
                         prepare(w);
                         ctx.start();
                         act(w);
                         ctx.stop();
                     });
                     check(storedLines(seating) == before + lines, QStringLiteral("the lines were not stored"));
                     return lines;
                 },
                 [after](Context& ctx) {
                     failOnDatabaseMessages();
                     if (after)
                         after(ctx);
                 },
                 {}};
    op.targetMs = 20;
    return op;
}

} // namespace

std::vector<Operation> dailyWork()
{
    std::vector<Operation> ops;
    // The real program started as a user starts it, on the benchmark's
    // database: from the process's start to its login window on screen.
    ops.push_back({QStringLiteral("start-up to the login window"),
                   [](Context& ctx) { programCopy(ctx); },
                   [](Context& ctx) -> long {
                       QProcess program;
                       QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                       env.insert(QStringLiteral("TABULOR_STARTUP_REPORT"), QStringLiteral("1"));
                       program.setProcessEnvironment(env);
                       program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
                       ctx.start();
                       program.start(programCopy(ctx), {});
                       QByteArray line;
                       while (!line.contains('\n') && program.waitForReadyRead(30000))
                           line += program.readAllStandardOutput();
                       ctx.stop();
                       program.waitForFinished(30000);
                       check(line.startsWith("FrmXTDL ") && program.exitStatus() == QProcess::NormalExit
                                 && program.exitCode() == 0,
                             QStringLiteral("start-up showed ") + QString::fromUtf8(line.trimmed()));
                       return 1;
                   },
                   {}, {}});
    ops.back().targetMs = 300;
    // The board already on screen and painted: the reload is timed, not its first showing.
    ops.push_back({QStringLiteral("board reload"),
                   [](Context& ctx) {
                       board(ctx);
                       settle();
                   },
                   [](Context&) -> long {
                       FrmSYGL& b = Forms::get<FrmSYGL>();
                       b.ListView1Detail();
                       settle();
                       return b.ListView1->count();
                   },
                   {}, {}});
    ops.back().targetMs = 8;
    ops.push_back({QStringLiteral("reservation manager open"), loggedIn,
                   [](Context&) -> long {
                       FrmYDGL& manager = Forms::get<FrmYDGL>();
                       Forms::show(manager);
                       settle();
                       return manager.ListView1->count();
                   },
                   {}, {}});

    ops.push_back({QStringLiteral("open-table commit"),
                   [](Context& ctx) {
                       prepareDaily(ctx);
                       tableFree(ctx);
                   },
                   [](Context& ctx) -> long {
                       // From the dialog's OK to the ordering window showing the new seating.
                       onWindow<FrmKTXX>([&](FrmKTXX& d) {
                           ctx.start();
                           d.Command1->click();
                       });
                       QString shownSeating;
                       openOrdering(ctx, [&](FrmDCKT& w) {
                           settle();
                           ctx.stop();
                           shownSeating = w.TxtXTBH->text().trimmed();
                       });
                       check(boardWord(ctx) == TableWord::InUse, QStringLiteral("the table did not open"));
                       check(!shownSeating.isEmpty() && shownSeating == currentSeating(ctx),
                             QStringLiteral("the ordering window showed seating %1").arg(shownSeating));
                       return 1;
                   },
                   [](Context&) { failOnDatabaseMessages(); }, {}});
    // The commit (20 ms) and the ordering window's load (50 ms).
    ops.back().targetMs = 70;

    ops.push_back(orderingAction(
        QStringLiteral("place an order of five lines (two linked)"), 5,
        [](FrmDCKT& w) {
            const Dishes& d = dishes();
            for (const QString& code : d.plain.mid(0, 3) + d.linked)
                enterDish(w, code, 1);
        },
        [](FrmDCKT& w) { w.Toolbar1->click(FrmDCKT::BtnPlace); }));
    ops.push_back(orderingAction(
        QStringLiteral("give a line free"), 1,
        [](FrmDCKT& w) {
            enterDish(w, dishes().linked.value(1), 1);
            w.ListView1->select(w.ListView1->count() - 1);
        },
        [](FrmDCKT& w) { w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2); }));
    ops.push_back(orderingAction(
        QStringLiteral("return a line (menu to dialog closed)"), 1,
        [](FrmDCKT& w) {
            // A linked dish still ordered: its return books the goods back in.
            const QString linked = dishes().linked.value(0);
            int row = -1;
            for (int r = w.ListView1->count() - 1; r >= 0 && row < 0; --r)
                if (w.lineDishCode(r) == linked && Money::parse(w.ListView1->subItem(r, FrmDCKT::ColQuantity)) > Money())
                    row = r;
            check(row >= 0, QStringLiteral("no linked line to return"));
            w.ListView1->select(row);
            onWindow<DlgTD>([](DlgTD& dialog) { dialog.OKButton->click(); });
        },
        [](FrmDCKT& w) { w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 1); },
        // Another party at the table next time: the linked dish is ordered again.
        tableFree));

    ops.push_back({QStringLiteral("ordering window load (occupied table)"),
                   [](Context& ctx) {
                       prepareDaily(ctx);
                       tableInUse(ctx);
                   },
                   [](Context& ctx) -> long {
                       FrmSYGL& b = board(ctx);
                       const int row = boardRow(b, ctx.tableId);
                       long lines = 0;
                       onWindow<FrmDCKT>([&](FrmDCKT& w) {
                           settle();
                           ctx.stop();
                           lines = w.ListView1->count();
                       });
                       ctx.start();
                       doubleClickRow(b.ListView1, row);
                       check(lines > 0, QStringLiteral("the ordering window showed no line"));
                       return lines;
                   },
                   {}, {}});
    ops.back().targetMs = 50;

    ops.push_back({QStringLiteral("checkout commit (click to closed, receipt)"),
                   [](Context& ctx) {
                       prepareDaily(ctx);
                       tableInUse(ctx);
                   },
                   [](Context& ctx) -> long {
                       const QString seating = currentSeating(ctx);
                       checkout(ctx, [&](FrmJZGL& w) {
                           ctx.start();
                           w.Command6->click();
                           ctx.stop();
                       });
                       check(!Forms::isLoaded<FrmJZGL>(), QStringLiteral("the checkout window stayed open"));
                       const auto* recorder = dynamic_cast<RecordingPrinter*>(&PrinterSeam::printer());
                       check(recorder && !recorder->documents.empty(), QStringLiteral("no receipt was printed"));
                       check(boardWord(ctx) == TableWord::Settled, QStringLiteral("the table was not settled"));
                       return Db::scalar(QStringLiteral("select count(*) from strink_mess_200505 where use_table_id = ?"),
                                         {seating})
                           .toInt();
                   },
                   [](Context& ctx) {
                       failOnDatabaseMessages();
                       // The waiter clears the table once the guests have gone.
                       clearTable(ctx);
                   },
                   {}});
    ops.back().targetMs = 20;
    return ops;
}

} // namespace Bench

