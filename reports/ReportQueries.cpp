#include "reports/ReportQueries.h"

#include "reports/ReportSupport.h"

using ReportSql::exactSum;
using ReportSql::units;

namespace ReportQueries {

namespace {

// The bills of the period summed per seating; each seating then joins once.
QString billsPerSeating()
{
    return QStringLiteral("SELECT use_table_id, SUM(%1) AS fee, SUM(%2) AS received "
                          "FROM ACCOUNT_200606 WHERE account_date >= ? AND account_date <= ? "
                          "GROUP BY use_table_id")
        .arg(units(QStringLiteral("fee_price")), units(QStringLiteral("account_price")));
}

// The order lines with the bill recorded on them (the checkout that settled
// them), and the condition that the bill lies in the period.
const QString SettledLines = QStringLiteral(
    "FROM ACCOUNT_200606 a JOIN strink_mess_200505 l ON l.account_id = a.account_id ");
const QString PeriodOfBill = QStringLiteral("WHERE a.account_date >= ? AND a.account_date <= ? ");

// For a long period the lines are read in dish order, every line once,
// keeping those settled by a bill of the period; shorter periods go from
// each bill to its lines. The sums by category take that plan sooner (after
// some ten months) than the rows by dish (after a year). The "+" keeps the
// bill index out of the plan. The windows no longer run these two
// statements: they are what the program's sums are checked against, on a
// dish index (food_code, food_name, price, account_id, food_num, STS) that
// the schema held while the windows ran them and that the checks create.
constexpr int CategoriesReadEveryLineAfterDays = 300;
constexpr int DishesReadEveryLineAfterDays = 366;
bool readsEveryLine(const ReportPeriod& period, int afterDays) { return period.days > afterDays; }
const QString SettledInPeriodInDishOrder = QStringLiteral(
    "WHERE +l.account_id IN (SELECT a.account_id FROM ACCOUNT_200606 a "
    "WHERE a.account_date >= ? AND a.account_date <= ?) ");

const QString LineAmount = QStringLiteral("l.food_num * l.price");
const QString FreeLineAmount = QStringLiteral("CASE WHEN l.STS = '2' THEN l.food_num * l.price ELSE 0 END");

} // namespace

QString salesByTable()
{
    return QStringLiteral(
               "SELECT s.house_table_id AS 房台号, h.house_name AS 房台名称, SUM(s.strink_num) AS 就餐人数, "
               "SUM(b.fee) / 10000.0 AS 应收金额, SUM(b.received) / 10000.0 AS 实收金额, "
               "(SUM(b.fee) - SUM(b.received)) / 10000.0 AS 免收金额 "
               "FROM (%1) b JOIN use_table_200505 s ON s.use_table_id = b.use_table_id "
               "JOIN house_table h ON h.table_id = s.house_table_id "
               "GROUP BY s.house_table_id, h.house_name ORDER BY h.house_name, s.house_table_id")
        .arg(billsPerSeating());
}

QString salesByCategory(const ReportPeriod& period)
{
    // The lines summed per sub-category code first, so that only those sums
    // meet the category table.
    const QString perClass = readsEveryLine(period, CategoriesReadEveryLineAfterDays)
        ? QStringLiteral("SELECT d.cp_classid AS class_code, SUM(f.amount) AS amount, SUM(f.free) AS free "
                         "FROM (SELECT l.food_code, SUM(%1) AS amount, SUM(%2) AS free FROM strink_mess_200505 l "
                         "%3GROUP BY l.food_code) f JOIN cpdetail d ON d.code = f.food_code GROUP BY d.cp_classid")
              .arg(units(LineAmount), units(FreeLineAmount), SettledInPeriodInDishOrder)
        : QStringLiteral("SELECT d.cp_classid AS class_code, SUM(%1) AS amount, SUM(%2) AS free "
                         "%3JOIN cpdetail d ON d.code = l.food_code %4GROUP BY d.cp_classid")
              .arg(units(LineAmount), units(FreeLineAmount), SettledLines, PeriodOfBill);
    return QStringLiteral(
               "SELECT trim(c.cname) AS 分类名称, COALESCE(SUM(x.amount), 0) / 10000.0 AS 金额, "
               "COALESCE(SUM(x.free), 0) / 10000.0 AS 赠单金额 "
               "FROM cpclass c LEFT JOIN (%1) x ON x.class_code = trim(c.code) "
               "WHERE c.parentcode <> '0' GROUP BY c.rowid ORDER BY c.rowid")
        .arg(perClass);
}

QString salesByDish(const ReportPeriod& period)
{
    const QString lines = readsEveryLine(period, DishesReadEveryLineAfterDays)
        ? QStringLiteral("FROM strink_mess_200505 l ") + SettledInPeriodInDishOrder
        : SettledLines + PeriodOfBill;
    return QStringLiteral("SELECT l.food_name AS 品名, %1 AS 数量, l.price AS 单价, %2 AS 金额, %3 AS 赠单金额 "
                          "%4"
                          "GROUP BY l.food_code, l.food_name, l.price HAVING SUM(%5) > 0 "
                          "ORDER BY l.food_code, l.food_name, l.price")
        .arg(exactSum(QStringLiteral("l.food_num")), exactSum(LineAmount), exactSum(FreeLineAmount), lines,
             units(QStringLiteral("l.food_num")));
}

bool salesByDishReadsDishIndex(const ReportPeriod& period)
{
    return readsEveryLine(period, DishesReadEveryLineAfterDays);
}

QString salesDetail()
{
    return QStringLiteral(
               "SELECT s.house_table_id, h.house_name, s.strink_num, b.use_table_id, b.pay_sts, "
               "b.fee / 10000.0 AS fee_price1, b.discount / 10000.0 AS discount_price1, "
               "b.received / 10000.0 AS account_price1, b.waived / 10000.0 AS NO_ACCOUNT_PRICE1 "
               "FROM (SELECT use_table_id, trim(pay_sts) AS pay_sts, SUM(%1) AS fee, SUM(%2) AS discount, "
               "SUM(%3) AS received, SUM(%4) AS waived, MIN(account_id) AS first_bill "
               "FROM ACCOUNT_200606 WHERE account_date >= ? AND account_date <= ? "
               "GROUP BY use_table_id, trim(pay_sts)) b "
               "JOIN use_table_200505 s ON s.use_table_id = b.use_table_id "
               "JOIN house_table h ON h.table_id = s.house_table_id "
               "ORDER BY b.first_bill")
        .arg(units(QStringLiteral("fee_price")), units(QStringLiteral("discount_price")),
             units(QStringLiteral("account_price")), units(QStringLiteral("no_account_price")));
}

QString periodBills()
{
    return QStringLiteral("SELECT account_id, use_table_id, trim(pay_sts), fee_price, discount_price, account_price, "
                          "no_account_price FROM ACCOUNT_200606 WHERE account_date >= ? AND account_date <= ?");
}

QString seatingsEndedInPeriod()
{
    return QStringLiteral("SELECT use_table_id, house_table_id, strink_num, serv_name FROM use_table_200505 "
                          "WHERE end_date >= ? AND end_date <= ?");
}

QString seatingById()
{
    return QStringLiteral("SELECT use_table_id, house_table_id, strink_num, serv_name FROM use_table_200505 "
                          "WHERE use_table_id = ?");
}

QString tableNames()
{
    return QStringLiteral("SELECT table_id, house_name FROM house_table");
}

QString periodSeatings()
{
    return QStringLiteral("SELECT COUNT(*) AS seatings, COALESCE(SUM(strink_num), 0) AS diners "
                          "FROM use_table_200505 WHERE end_date >= ? AND end_date <= ?");
}

QString periodAmounts()
{
    auto received = [](const char* code) {
        return exactSum(QStringLiteral("CASE WHEN trim(pay_sts) = '%1' THEN account_price END").arg(QLatin1String(code)));
    };
    return QStringLiteral("SELECT %1 AS fee, %2 AS received, %3 AS discount, %4 AS waived, "
                          "%5 AS cash, %6 AS cheque, %7 AS card, %8 AS other, %9 AS on_account "
                          "FROM ACCOUNT_200606 WHERE account_date >= ? AND account_date <= ?")
        .arg(exactSum(QStringLiteral("fee_price")), exactSum(QStringLiteral("account_price")),
             exactSum(QStringLiteral("discount_price")), exactSum(QStringLiteral("no_account_price")),
             received("0"), received("1"), received("2"), received("5"), received("3"));
}

QString waiterRanking()
{
    return QStringLiteral("SELECT s.serv_name, SUM(b.received) / 10000.0 AS received, SUM(s.strink_num) AS diners "
                          "FROM (%1) b JOIN use_table_200505 s ON s.use_table_id = b.use_table_id "
                          "GROUP BY s.serv_name ORDER BY SUM(b.received) DESC, s.serv_name")
        .arg(billsPerSeating());
}

QString tablesWithSeatings()
{
    return QStringLiteral(
        "SELECT h.table_id, h.house_name, "
        "(SELECT k.fname FROM house_kinds k WHERE k.fname = h.class ORDER BY k.rowid LIMIT 1) AS kind_name, "
        "(SELECT b.fname FROM house_bm b WHERE b.fcode = h.house_bmid ORDER BY b.rowid LIMIT 1) AS type_name "
        "FROM house_table h "
        "WHERE EXISTS (SELECT 1 FROM use_table_200505 u WHERE u.house_table_id = h.table_id) "
        "ORDER BY h.rowid");
}

QString settledSeatings()
{
    // In the order of the checkout-time index: the seatings are put in
    // table order by the program, and their bills summed there.
    return QStringLiteral("SELECT s.rowid, s.use_table_id, s.house_table_id, s.start_date, s.end_date, a.account_id, %1 "
                          "FROM use_table_200505 s LEFT JOIN ACCOUNT_200606 a ON a.use_table_id = s.use_table_id "
                          "WHERE s.end_date >= ? AND s.end_date <= ? "
                          "ORDER BY s.end_date, s.rowid")
        .arg(units(QStringLiteral("a.account_price")));
}

QString settledSeatingCount()
{
    return QStringLiteral("SELECT COUNT(*) FROM use_table_200505 s WHERE s.end_date >= ? AND s.end_date <= ?");
}

QString settledSeatingLines()
{
    // In the order of the checkout-time index, so that the lines come
    // seating by seating without sorting the lines of the whole range.
    return QStringLiteral("SELECT s.rowid, l.rowid, l.food_code, l.food_name, l.food_num, l.price, l.STS "
                          "FROM use_table_200505 s JOIN strink_mess_200505 l ON l.use_table_id = s.use_table_id "
                          "WHERE s.end_date >= ? AND s.end_date <= ? "
                          "ORDER BY s.end_date, s.rowid");
}

QString receivedByTableName()
{
    return QStringLiteral("SELECT h.house_name, %1 AS received "
                          "FROM use_table_200505 s JOIN ACCOUNT_200606 a ON a.use_table_id = s.use_table_id "
                          "JOIN house_table h ON h.table_id = s.house_table_id "
                          "WHERE s.end_date >= ? AND s.end_date <= ? "
                          "GROUP BY h.house_name ORDER BY h.house_name")
        .arg(exactSum(QStringLiteral("a.account_price")));
}

QString tableTypes()
{
    return QStringLiteral("SELECT fcode, fname FROM house_bm ORDER BY rowid");
}

QString tableSpecifications()
{
    return QStringLiteral("SELECT fcode, fname FROM house_kinds ORDER BY rowid");
}

QString categoriesByCode()
{
    return QStringLiteral("SELECT trim(code) AS code, trim(cname) AS cname, trim(parentcode) AS parentcode "
                          "FROM cpclass ORDER BY code");
}

QString subCategoryDishes()
{
    return QStringLiteral("SELECT d.code, d.cpname, trim(d.cp_classid) AS cp_classid FROM cpdetail d "
                          "WHERE EXISTS (SELECT 1 FROM cpclass c WHERE c.code = d.cp_classid AND c.parentcode <> '0') "
                          "ORDER BY d.rowid");
}

namespace {

// The tables of the chosen type or specification, found once (the "+"
// keeps the lines of the period, not every seating of those tables, in the
// lead): a table counts when its type and its specification exist, and the
// chosen one is matched by its code, so two entries of one name never count
// a line twice.
QString tablesOf(TableFilter filter)
{
    return filter == TableFilter::Type
        ? QStringLiteral("SELECT h.table_id FROM house_table h WHERE h.house_bmid = ? "
                         "AND EXISTS (SELECT 1 FROM house_kinds k WHERE k.fname = h.class)")
        : QStringLiteral("SELECT h.table_id FROM house_table h "
                         "WHERE EXISTS (SELECT 1 FROM house_kinds k WHERE k.fcode = ? AND k.fname = h.class) "
                         "AND EXISTS (SELECT 1 FROM house_bm b WHERE b.fcode = h.house_bmid)");
}

QString atTables(TableFilter filter)
{
    return QStringLiteral("+s.house_table_id IN (%1) ").arg(tablesOf(filter));
}

QString ofLevel(DishLevel level)
{
    switch (level) {
    case DishLevel::All:
        break;
    case DishLevel::TopCategory:
        // The top category's own dishes and those of its sub-categories.
        return QStringLiteral("AND (d.cp_classid = ? OR d.cp_classid IN "
                              "(SELECT c.code FROM cpclass c WHERE c.parentcode = ?)) ");
    case DishLevel::SubCategory:
        return QStringLiteral("AND d.cp_classid = ? ");
    case DishLevel::Dish:
        return QStringLiteral("AND l.food_code = ? ");
    }
    return {};
}

} // namespace

QString dishSales(DishLevel level, TableFilter filter)
{
    return QStringLiteral("SELECT l.food_code, l.food_name, l.price, %1 AS quantity, %2 AS amount "
                          "FROM strink_mess_200505 l "
                          "JOIN use_table_200505 s ON s.use_table_id = l.use_table_id "
                          "JOIN cpdetail d ON d.code = l.food_code "
                          "WHERE l.bill_time >= ? AND l.bill_time <= ? AND l.STS IN ('0', '1') AND %3%4"
                          "GROUP BY l.food_code, l.food_name, l.price "
                          "HAVING SUM(CASE WHEN l.STS = '0' THEN 1 ELSE 0 END) > 0 "
                          "ORDER BY l.food_code, l.food_name, l.price")
        .arg(exactSum(QStringLiteral("l.food_num")), exactSum(LineAmount), atTables(filter), ofLevel(level));
}

QString dishSalesLines(DishLevel level)
{
    // The covering time index alone; the dishes of the level are matched in
    // the program, but one dish is read from the dish code index.
    return QStringLiteral("SELECT l.bill_time, 0, l.food_code, l.food_name, l.price, l.food_num, l.STS, "
                          "l.use_table_id FROM strink_mess_200505 l "
                          "WHERE l.bill_time >= ? AND l.bill_time <= ? AND l.STS IN ('0', '1') ")
        + (level == DishLevel::Dish ? QStringLiteral("AND l.food_code = ?") : QString());
}

QString dishSalesLinesAtTime()
{
    return QStringLiteral("SELECT l.bill_time, l.rowid, l.food_code, l.food_name, l.price, l.food_num, l.STS, "
                          "l.use_table_id FROM strink_mess_200505 l "
                          "WHERE l.bill_time = ? AND l.STS IN ('0', '1') ORDER BY l.rowid");
}

QString dishSalesDishes(DishLevel level)
{
    return QStringLiteral("SELECT d.code FROM cpdetail d WHERE 1 ")
        + (level == DishLevel::Dish ? QStringLiteral("AND d.code = ?") : ofLevel(level));
}

QString dishSalesTables(TableFilter filter)
{
    return tablesOf(filter);
}

QString dishSalesSeatings()
{
    // A seating's lines are placed while it lasts, so those that count in
    // the period begin in it or shortly before.
    return QStringLiteral("SELECT use_table_id, house_table_id FROM use_table_200505 "
                          "WHERE start_date >= datetime(?, '-1 day') AND start_date <= ?");
}

QString tableOfSeating()
{
    return QStringLiteral("SELECT house_table_id FROM use_table_200505 WHERE use_table_id = ?");
}

} // namespace ReportQueries
