#pragma once
// The reports made from the period's bills with their seatings: the sales
// summary by table, the waiter ranking and the sales detail. A bill has its
// table, waiter and diners only through its seating. The bills of the period
// are read once from the date index, and each bill's seating is found among
// the seatings that ended in the period, read once from the checkout-time
// index into memory (a seating ends at its last checkout); only the seatings
// of the few other bills (continued after the period) are looked up by their
// id. The grouping is done here, over exact sums in ten-thousandths, and the
// few groups sorted at the end.
//
// The figures, the groups, their order and the spellings shown are those of
// the statements ReportQueries::salesByTable, waiterRanking and salesDetail:
// seatings, tables and waiters matched and grouped without regard to ASCII
// letter case; of several spellings of one table or waiter, that of the
// seating whose id comes first in that order (the first the statement
// meets); each seating's diners counted once; bills without a seating (and,
// where the table is shown, seatings without a table) left out.
#include <vector>
#include "db/Money.h"
#include "db/Recordset.h"
#include "reports/ReportSupport.h"

namespace SeatingTotals {

// 房台号, 房台名称, 就餐人数, 应收金额, 实收金额, 免收金额 per table, by table
// name and id.
Recordset byTable(const ReportPeriod& period);

// serv_name, received, diners per waiter, the largest amount first, equal
// amounts by name.
Recordset waiterRanking(const ReportPeriod& period);

// The sales detail: a row per seating and payment method, in the order of
// their first bill. The texts and diners the rows show are kept once each.
struct SalesDetail {
    struct Row {
        uint32_t table, name, pay;   // in texts; pay trimmed
        uint32_t diners;             // in dinerValues
        Money fee, discount, received, waived;
        // The seating's first row: a seating paid by two methods has two
        // rows, and its diners count once.
        bool firstOfSeating;
    };
    std::vector<Row> rows;
    std::vector<QString> texts;
    std::vector<QVariant> dinerValues;
};
SalesDetail salesDetail(const ReportPeriod& period);

} // namespace SeatingTotals
