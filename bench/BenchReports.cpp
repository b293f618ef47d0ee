// The sales reports for a day, a month and a year at the end of the
// history (the summary also for five years): each window on screen, its
// period set in its own pickers, its query button clicked, its list shown.
// The floor reads the rows of the window's statements bare.
#include <QComboBox>
#include <QDateEdit>
#include <QTimeEdit>
#include "bench/BenchOperations.h"
#include "db/Database.h"
#include "platform/FlexGrid.h"
#include "platform/Form.h"
#include "reports/DlgTJHZ.h"
#include "reports/DlgXSMX.h"
#include "reports/DlgXSPH.h"
#include "reports/FrmDDTJ.h"
#include "reports/FrmFTXS.h"
#include "reports/FrmXSHZ.h"
#include "reports/FrmXSMX.h"
#include "reports/FrmXSPH.h"
#include "reports/ReportQueries.h"

namespace Bench {

namespace {

void setPickers(QDateEdit* fromDate, QTimeEdit* fromTime, QDateEdit* toDate, QTimeEdit* toTime, const Period& p)
{
    fromDate->setDate(p.from);
    fromTime->setTime(QTime(0, 0, 0));
    toDate->setDate(p.to);
    toTime->setTime(QTime(23, 59, 59));
}

using PeriodOf = Period (Context::*)() const;
const PeriodOf DayMonthYear[] = {&Context::day, &Context::month, &Context::year};

QString name(const QString& report, const Context& ctx, PeriodOf p)
{
    return report + QStringLiteral(", ") + (ctx.*p)().label;
}

// The source floors: the period's rows a report is made from, read once
// through the best index there is and summed without grouping.
struct Source {
    int columns;
    const char* sql;
};
// The bills dated in the period, each with its seating (the summary by table,
// the detail, the ranking): a bill has its table, waiter and diners only
// through its seating, found by the seating's key. The amounts and diners
// are summed; the payment method, table and waiter are read along.
const Source PeriodBillsWithSeatings{
    5, "SELECT a.fee_price, a.discount_price, a.account_price, a.no_account_price, s.strink_num,"
       " a.pay_sts, s.house_table_id, s.serv_name FROM ACCOUNT_200606 a"
       " JOIN use_table_200505 s ON s.use_table_id = a.use_table_id"
       " WHERE a.account_date >= ? AND a.account_date <= ?"};
// The order lines settled by the bills of the period (the summaries by category and by dish).
const Source PeriodSettledLines{2, "SELECT l.food_num, l.price FROM ACCOUNT_200606 a"
                                   " JOIN strink_mess_200505 l ON l.account_id = a.account_id"
                                   " WHERE a.account_date >= ? AND a.account_date <= ?"};
// The order lines placed in the period (dish sales).
const Source PeriodPlacedLines{2, "SELECT food_num, price FROM strink_mess_200505 WHERE bill_time >= ? AND bill_time <= ?"};
// The seatings that ended in the period, with their lines or their bills (table sales, the detail's totals).
const Source PeriodSeatingLines{3, "SELECT s.strink_num, l.food_num, l.price FROM use_table_200505 s"
                                   " JOIN strink_mess_200505 l ON l.use_table_id = s.use_table_id"
                                   " WHERE s.end_date >= ? AND s.end_date <= ?"};
const Source PeriodSeatingBills{2, "SELECT s.strink_num, a.account_price FROM use_table_200505 s"
                                   " JOIN ACCOUNT_200606 a ON a.use_table_id = s.use_table_id"
                                   " WHERE s.end_date >= ? AND s.end_date <= ?"};

std::function<long(Context&)> sourceFloor(const Source& source, PeriodOf p)
{
    return [source, p](Context& ctx) { return sumRows(source.columns, QString::fromUtf8(source.sql), (ctx.*p)().bounds()); };
}

// A grid's rows of data: all rows but the heading and the totals row.
long gridRows(const FlexGrid* g) { return std::max(0, g->Rows() - 2); }

} // namespace

std::vector<Operation> reportOperations()
{
    std::vector<Operation> ops;
    const Context names;   // only the period labels are read

    // Sales summary, each mode; five years as well. The statements of some
    // modes depend on the period's length.
    const struct {
        QString mode;
        QString (*statement)(const ReportPeriod&);
        Source source;
    } modes[] = {{FrmXSHZ::ByTable, [](const ReportPeriod&) { return ReportQueries::salesByTable(); },
                  PeriodBillsWithSeatings},
                 {FrmXSHZ::ByCategory, ReportQueries::salesByCategory, PeriodSettledLines},
                 {FrmXSHZ::ByDish, ReportQueries::salesByDish, PeriodSettledLines}};
    for (const auto& m : modes) {
        for (PeriodOf p : {&Context::day, &Context::month, &Context::year, &Context::allYears}) {
            const QString mode = m.mode;
            auto statement = m.statement;
            ops.push_back({name(QStringLiteral("sales summary ") + mode, names, p),
                           [mode, p](Context& ctx) {
                               FrmXSHZ& w = shown<FrmXSHZ>(ctx);
                               w.Combo1->setCurrentText(mode);
                               setPickers(w.DTPFrom, w.DTPicker2[0], w.DTPTo, w.DTPicker2[1], (ctx.*p)());
                           },
                           [](Context&) -> long {
                               FrmXSHZ& w = Forms::get<FrmXSHZ>();
                               w.cmdQuery->click();
                               settle();
                               return std::max(0, w.ListView1->count() - 1);
                           },
                           [](Context&) { failOnDatabaseMessages(); },
                           [statement, p](Context& ctx) -> long {
                               const Period period = (ctx.*p)();
                               return floorRows(statement(periodOf(QDateTime(period.from, QTime(0, 0, 0)),
                                                                   QDateTime(period.to, QTime(23, 59, 59)))),
                                                period.bounds());
                           }});
            ops.back().targetMs = (names.*p)().targetMs;
            ops.back().rowsMatchFloor = true;
            ops.back().sourceFloor = sourceFloor(m.source, p);
        }
    }

    // Sales detail through its query dialog, then its period totals.
    for (PeriodOf p : DayMonthYear) {
        ops.push_back({name(QStringLiteral("sales detail"), names, p),
                       [](Context& ctx) { shown<FrmXSMX>(ctx); },
                       [p](Context& ctx) -> long {
                           FrmXSMX& w = Forms::get<FrmXSMX>();
                           onWindow<DlgXSMX>([&](DlgXSMX& d) {
                               setPickers(d.DTPicker1[0], d.DTPicker2[0], d.DTPicker1[1], d.DTPicker2[1], (ctx.*p)());
                               ctx.start();
                               d.Command1[0]->click();
                           });
                           w.Toolbar1->click(FrmXSMX::BtnQuery);
                           settle();
                           ctx.stop();
                           return gridRows(w.MSHFlexGrid1);
                       },
                       [](Context&) { failOnDatabaseMessages(); },
                       [p](Context& ctx) -> long { return floorRows(ReportQueries::salesDetail(), (ctx.*p)().bounds()); }});
        ops.back().targetMs = (names.*p)().targetMs;
        ops.back().rowsMatchFloor = true;
        ops.back().sourceFloor = sourceFloor(PeriodBillsWithSeatings, p);
        ops.push_back({name(QStringLiteral("sales detail totals"), names, p),
                       [p](Context& ctx) {
                           FrmXSMX& w = shown<FrmXSMX>(ctx);
                           onWindow<DlgXSMX>([&](DlgXSMX& d) {
                               setPickers(d.DTPicker1[0], d.DTPicker2[0], d.DTPicker1[1], d.DTPicker2[1], (ctx.*p)());
                               d.Command1[0]->click();
                           });
                           w.Toolbar1->click(FrmXSMX::BtnQuery);
                       },
                       [](Context&) -> long {
                           long seatings = 0;
                           onWindow<DlgTJHZ>([&](DlgTJHZ& d) {
                               seatings = d.Label2[DlgTJHZ::Seatings]->text().toLong();
                           });
                           Forms::get<FrmXSMX>().Toolbar1->click(FrmXSMX::BtnTotals);
                           return seatings;
                       },
                       [](Context&) { failOnDatabaseMessages(); },
                       [p](Context& ctx) -> long {
                           return floorRows(ReportQueries::periodSeatings(), (ctx.*p)().bounds())
                               + floorRows(ReportQueries::periodAmounts(), (ctx.*p)().bounds());
                       }});
        ops.back().targetMs = (names.*p)().targetMs;
        ops.back().sourceFloor = sourceFloor(PeriodSeatingBills, p);
    }

    // Waiter ranking through its query dialog.
    for (PeriodOf p : DayMonthYear) {
        ops.push_back({name(QStringLiteral("waiter ranking"), names, p),
                       [](Context& ctx) { shown<FrmXSPH>(ctx); },
                       [p](Context& ctx) -> long {
                           FrmXSPH& w = Forms::get<FrmXSPH>();
                           onWindow<DlgXSPH>([&](DlgXSPH& d) {
                               setPickers(d.DTPicker1[0], d.DTPicker2[0], d.DTPicker1[1], d.DTPicker2[1], (ctx.*p)());
                               ctx.start();
                               d.OKButton->click();
                           });
                           w.Toolbar1->click(FrmXSPH::BtnQuery);
                           settle();
                           ctx.stop();
                           return gridRows(w.MSHFlexGrid1);
                       },
                       [](Context&) { failOnDatabaseMessages(); },
                       [p](Context& ctx) -> long { return floorRows(ReportQueries::waiterRanking(), (ctx.*p)().bounds()); }});
        ops.back().targetMs = (names.*p)().targetMs;
        ops.back().rowsMatchFloor = true;
        ops.back().sourceFloor = sourceFloor(PeriodBillsWithSeatings, p);
    }

    // Table sales: the detail text of every ticked table, and the summary box.
    const struct {
        QString name;
        int button;
        QStringList (*statements)();
        Source source;
        int readerColumns;   // the window reads its statements through Db::RowReader (0: through Qt SQL)
    } tableSales[] = {
        {QStringLiteral("table sales detail"), FrmFTXS::BtnDetail,
         [] { return QStringList{ReportQueries::settledSeatings(), ReportQueries::settledSeatingLines()}; },
         PeriodSeatingLines, 7},
        {QStringLiteral("table sales summary"), FrmFTXS::BtnSummary,
         [] { return QStringList{ReportQueries::receivedByTableName()}; }, PeriodSeatingBills, 0},
    };
    for (PeriodOf p : DayMonthYear) {
        for (const auto& t : tableSales) {
            const int button = t.button;
            auto statements = t.statements;
            const int readerColumns = t.readerColumns;
            ops.push_back({name(t.name, names, p),
                           [p](Context& ctx) {
                               FrmFTXS& w = shown<FrmFTXS>(ctx);
                               setPickers(w.DTPicker1[0], w.DTPicker2[0], w.DTPicker1[1], w.DTPicker2[1], (ctx.*p)());
                           },
                           [button](Context&) -> long {
                               FrmFTXS& w = Forms::get<FrmFTXS>();
                               w.Toolbar1->click(button);
                               settle();
                               return w.Text1->blockCount();
                           },
                           [](Context&) { failOnDatabaseMessages(); },
                           [p, statements, readerColumns](Context& ctx) -> long {
                               long rows = 0;
                               for (const QString& statement : statements())
                                   rows += readerColumns > 0 ? readerRows(readerColumns, statement, (ctx.*p)().bounds())
                                                             : floorRows(statement, (ctx.*p)().bounds());
                               return rows;
                           }});
            // A year of the seatings as text is some 2.5 million lines.
            const bool yearOfText = t.name == QStringLiteral("table sales detail") && p == &Context::year;
            ops.back().targetMs = yearOfText ? 1500 : (names.*p)().targetMs;
            ops.back().sourceFloor = sourceFloor(t.source, p);
        }
    }

    // Dish sales of every dish at the tables of the first type.
    for (PeriodOf p : DayMonthYear) {
        ops.push_back({name(QStringLiteral("dish sales"), names, p),
                       [p](Context& ctx) {
                           FrmDDTJ& w = shown<FrmDDTJ>(ctx);
                           const Period period = (ctx.*p)();
                           w.DateStart->setDateTime(QDateTime(period.from, QTime(0, 0, 0)));
                           w.DateEnd->setDateTime(QDateTime(period.to, QTime(23, 59, 59)));
                       },
                       [](Context&) -> long {
                           FrmDDTJ& w = Forms::get<FrmDDTJ>();
                           w.Toolbar1->click(FrmDDTJ::BtnQuery);
                           settle();
                           return std::max(0, w.ListView1->count() - 1);
                       },
                       [](Context&) { failOnDatabaseMessages(); },
                       [p](Context& ctx) -> long {
                           QVariantList params = (ctx.*p)().bounds();
                           params << Forms::get<FrmDDTJ>().ComboValue->currentData();
                           return floorRows(ReportQueries::dishSales(ReportQueries::DishLevel::All,
                                                                     ReportQueries::TableFilter::Type),
                                            params);
                       }});
        ops.back().targetMs = (names.*p)().targetMs;
        ops.back().rowsMatchFloor = true;
        ops.back().sourceFloor = sourceFloor(PeriodPlacedLines, p);
    }
    return ops;
}

} // namespace Bench
