#pragma once
// The sales summary by sub-category and by dish, summed in the program over
// one read of the period's settled lines: the bills of the period in date
// order, each with its lines from the covering bill index. Sorting a year of
// lines to group them costs several times that read, and the groups are few.
//
// The figures, the grouping, the order and the spelling shown are those of
// the statements ReportQueries::salesByCategory and salesByDish: codes and
// names grouped without regard to ASCII letter case, prices by their stored
// value, sums exact in ten-thousandths rounded line by line, and of the
// spellings of one group the one the statement shows for that period length.
#include <vector>
#include "db/Money.h"
#include "db/Recordset.h"
#include "reports/ReportQueries.h"
#include "reports/ReportSupport.h"

namespace SalesTotals {

// 分类名称, 金额, 赠单金额: every sub-category in the order of the category table.
Recordset byCategory(const ReportPeriod& period);
// 品名, 数量, 单价, 金额, 赠单金额 per dish code, name and price, the net
// quantity above 0, in code, name and price order.
Recordset byDish(const ReportPeriod& period);
// The dish sales list: food_code, food_name, price, quantity, amount, as
// ReportQueries::dishSales gives them, over its parameters.
Recordset dishSales(ReportQueries::DishLevel level, ReportQueries::TableFilter filter, const QVariantList& params);

// CAST(ROUND(x * 10000) AS INTEGER) as SQLite works it out for a double x.
// False when x is out of the range worked out here (SQLite then rounds
// through text): the caller asks SQLite.
bool unitsOf(double x, qint64& units);

} // namespace SalesTotals
