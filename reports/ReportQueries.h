#pragma once
// The statements of the sales reports, one per figure. Every period bound is
// a parameter, start then end, and a moment counts when start <= it <= end.
// Amounts come back as exact sums in currency units (ReportSql::exactSum).
#include <QString>
#include "reports/ReportSupport.h"

namespace ReportQueries {

// Sales summary by table: 房台号, 房台名称, 就餐人数, 应收金额, 实收金额,
// 免收金额 of the bills settled in the period, by table name. Each seating's
// diners count once, however many bills it has. The window groups the bills
// in the program (reports/SeatingTotals.h); this statement gives the same rows.
QString salesByTable();
// The window sums the lines by category and by dish in the program
// (reports/SalesTotals.h); the two statements below give the same figures.
//
// Sales summary by sub-category: 分类名称, 金额, 赠单金额, every sub-category
// in the order of the category table. A line counts in the period of the
// bill recorded on it (the checkout that settled it), matched to its
// sub-category by dish code. The plan depends on the period's length.
QString salesByCategory(const ReportPeriod& period);
// Sales summary by dish: 品名, 数量, 单价, 金额, 赠单金额 per dish code, name
// and price of the lines settled by bills of the period, net quantity above 0.
// The plan depends on the period's length.
QString salesByDish(const ReportPeriod& period);
// Whether salesByDish reads the lines in the order of the dish index for
// this period (a long one) rather than bill by bill.
bool salesByDishReadsDishIndex(const ReportPeriod& period);

// Sales detail: one row per seating and payment method of the bills in the
// period, in the order of their first bill. The window groups the bills in
// the program (reports/SeatingTotals.h); this statement gives the same rows.
QString salesDetail();

// The sales summary by table, the waiter ranking and the sales detail group
// these rows in the program (reports/SeatingTotals.h):
// The bills of the period in the order of the date index: account_id,
// use_table_id, trim(pay_sts), fee_price, discount_price, account_price,
// no_account_price.
QString periodBills();
// The seatings that ended in the period (by checkout time): use_table_id,
// house_table_id, strink_num, serv_name.
QString seatingsEndedInPeriod();
// The same columns of one seating; the seating's id.
QString seatingById();
// Every table: table_id, house_name.
QString tableNames();
// Period totals: the seatings settled in the period (by checkout time).
QString periodSeatings();
// Period totals: the amounts of the bills in the period, with the received
// amount of each payment method.
QString periodAmounts();

// Waiter ranking: 服务员, 销售金额, 就餐人数, largest amount first. The window
// groups the bills in the program (reports/SeatingTotals.h); this statement
// gives the same rows.
QString waiterRanking();

// Table sales detail: the tables that ever had a seating, with the names of
// their specification and type.
QString tablesWithSeatings();
// The seatings settled in the period, each with its bills, by checkout time
// (a seating without bills once): seating rowid, use_table_id,
// house_table_id, start_date, end_date, the bill's account_id (Null: no
// bill) and its received amount in units.
QString settledSeatings();
// How many seatings were settled in the period.
QString settledSeatingCount();
// The order lines of those seatings, seating by seating in the same order,
// each seating's lines in no particular order: seating rowid, line rowid,
// food_code, food_name, food_num, price, STS.
QString settledSeatingLines();
// The received amount per table name of those seatings.
QString receivedByTableName();

// Dish sales: table types or specifications for the value list.
QString tableTypes();
QString tableSpecifications();
// The categories in code order, and the dishes of the sub-categories.
QString categoriesByCode();
QString subCategoryDishes();

// Dish sales list. The level condition narrows the dishes and the table
// condition the tables; their parameters follow the two period bounds.
enum class DishLevel { All, TopCategory, SubCategory, Dish };
enum class TableFilter { Type, Specification };
QString dishSales(DishLevel level, TableFilter filter);
// The same list in two parts, grouped in the program (reports/SalesTotals.h).
// The lines of the period, without regard to their dish (but for the one
// dish of that level) or table: bill_time, 0 (in the place of the rowid),
// food_code, food_name, price, food_num, STS, use_table_id; the two period
// bounds, then for one dish its code.
QString dishSalesLines(DishLevel level);
// The lines placed at one time (its parameter, compared as the column
// compares), with the same columns and the rowid, in the order stored.
QString dishSalesLinesAtTime();
// The dishes (code) of the level; the level's parameters.
QString dishSalesDishes(DishLevel level);
// The tables (table_id) of the chosen type or specification; its parameter.
QString dishSalesTables(TableFilter filter);
// The seatings (use_table_id, house_table_id) whose lines a period may hold,
// most of them: the two period bounds.
QString dishSalesSeatings();
// The table (house_table_id) of a seating; the seating's id.
QString tableOfSeating();

} // namespace ReportQueries
