// Writes years of a busy restaurant's history into a new Tabulor database:
// tables, staff, menu, goods, seatings with their order lines (free and
// returned lines, continued bills), payment and bill rows, the stock bills
// that sales, returns, deliveries and kitchen issues write, and
// reservations. The rows are those the windows write, with the same codes
// and the same stock posting rules, so counters equal the sums of their
// lines. Every table ends free and unreserved.
//
//   tabulor-gen [--years N] [--tables N] [--days N] [--seed N] [--end yyyy-MM-dd] FILE
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <sqlite3.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>
#include "db/Database.h"

namespace {

struct Options {
    int years = 5;
    int days = 0;          // when set, overrides years
    int tables = 200;
    unsigned seed = 20261210;
    QDate end = QDate::currentDate().addDays(-1);
    QString file;
};

// A prepared statement of the raw connection.
class Stmt {
public:
    Stmt(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + ": " + sql);
    }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt& text(const std::string& s)
    {
        sqlite3_bind_text(m_stmt, ++m_i, s.data(), int(s.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& num(double v)
    {
        sqlite3_bind_double(m_stmt, ++m_i, v);
        return *this;
    }
    Stmt& integer(long long v)
    {
        sqlite3_bind_int64(m_stmt, ++m_i, v);
        return *this;
    }
    Stmt& null()
    {
        sqlite3_bind_null(m_stmt, ++m_i);
        return *this;
    }
    long long run()
    {
        const int rc = sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_i = 0;
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
        return sqlite3_last_insert_rowid(sqlite3_db_handle(m_stmt));
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_i = 0;
};

void exec(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "error";
        sqlite3_free(err);
        throw std::runtime_error(msg + ": " + sql);
    }
}

std::string s(const QString& q) { return q.toStdString(); }
std::string num(long long v) { return std::to_string(v); }

// Money at four decimals, as the windows store it.
double money(double v) { return std::round(v * 10000.0) / 10000.0; }

std::string stamp(const QDateTime& t) { return s(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))); }
std::string day(const QDate& d) { return s(d.toString(QStringLiteral("yyyy-MM-dd"))) + " 00:00:00"; }
long long idOf(const QDateTime& t) { return t.toString(QStringLiteral("yyyyMMddHHmmss")).toLongLong(); }

struct Dish {
    std::string code, name, unit, part, classId;
    double price = 0;
    std::string goods;   // linked goods code, empty when none
};
struct Goods {
    std::string code, name, unit, cls;
    double price = 0;
};
struct Table {
    std::string id, name, typeCode, typeName;
    int seats = 4;
};
struct Counter {
    double rks = 0, cks = 0, zje = 0, ckje = 0;
    std::string ckh, yearmonth;
    bool exists = false;
};

class Generator {
public:
    Generator(sqlite3* db, const Options& o) : m_db(db), m_o(o), m_rng(o.seed) {}

    void run()
    {
        prepare();
        exec(m_db, "BEGIN");
        masterData();
        exec(m_db, "COMMIT");
        const int days = m_o.days > 0 ? m_o.days : m_o.years * 365;
        const QDate first = m_o.end.addDays(1 - days);
        const auto t0 = std::chrono::steady_clock::now();
        exec(m_db, "BEGIN");
        for (int i = 0; i < days; ++i) {
            const QDate d = first.addDays(i);
            serviceDay(d);
            if (d.day() == 1 || i == days - 1) {
                exec(m_db, "COMMIT");
                const double sec = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
                std::printf("%s  %8lld seatings %9lld lines %8lld stock-out bills  %6.1f s\n",
                            qPrintable(d.toString(QStringLiteral("yyyy-MM"))), m_seatings, m_lines, m_outBills, sec);
                std::fflush(stdout);
                exec(m_db, "BEGIN");
            }
        }
        writeCounters();
        exec(m_db, "UPDATE house_table SET othersts = 'C', sts = 'C'");
        exec(m_db, "COMMIT");
    }

private:
    void prepare()
    {
        auto make = [this](const char* sql) { return std::make_unique<Stmt>(m_db, sql); };
        m_inBill = make("INSERT INTO stock_in_bill (stock_bill_id, bill_num, stock_in_date, in_man, in_man_name,"
                        " pay_style, buy_man, buy_man_name, demo, ckh, fs, repr_name) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        m_inLine = make("INSERT INTO rkgl2004 (stock_bill_id, id, code, name, type, pch, jzsl, gqsj, scs, unit,"
                        " num, price, je) VALUES (?, 1, ?, ?, '标准', ?, '', '', '', ?, ?, ?, ?)");
        m_outBill = make("INSERT INTO stock_out_bill (stock_bill_id, bill_num, repr_name, stock_out_date, get_man,"
                         " get_man_name, val_man, val_man_name, ckh, demo, fs) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        m_outLine = make("INSERT INTO ckgl2004 (stock_bill_id, id, code, num, price, zhks) VALUES (?, 1, ?, ?, ?, 0)");
        m_reservation = make("INSERT INTO pre_strink (pre_strink_id, pre_man, pre_man_num, phone, pre_date, endtime, fbc,"
                             " paymoney, fbz, pre_house, bmid, serials, server_man) VALUES (1, ?, ?, ?, ?, ?, ?, ?, '', ?, ?, ?, NULL)");
        m_seat = make("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, acc_date,"
                      " strink_num, strink_def, serv_code, serv_name, cust_code, cust_name, house_class, memo,"
                      " man_type, use_table_man_id, sts) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '', NULL, '', 'P')");
        m_line = make("INSERT INTO strink_mess_200505 (strink_mess_id, use_table_id, fsxh, food_code, food_name,"
                      " unit, food_num, price, send_addr, state, STS, account_sts, memo, bill_time, account_id)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, '1', ?, ?, ?)");
        m_pay = make("INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts, pay_sts_name) VALUES (?, ?, ?, ?)");
        m_bill = make("INSERT INTO ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price,"
                      " discount_rule_id, no_account_price, account_price, pay_sts) VALUES (?, ?, ?, ?, 0, '', ?, ?, ?)");
        // Lines are written before their bill; the bill's id then goes onto them.
        m_settle = make("UPDATE strink_mess_200505 SET account_id = ? WHERE use_table_id = ? AND account_id = -1");
    }

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    template <class T> const T& pick(const std::vector<T>& v) { return v[size_t(uniform(0, int(v.size()) - 1))]; }

    void masterData()
    {
        const char* types[][2] = {{"01", "大厅"}, {"02", "包间"}, {"03", "雅座"}, {"04", "露台"}, {"05", "宴会厅"}};
        Stmt bm(m_db, "INSERT INTO house_bm (fcode, fname) VALUES (?, ?)");
        for (auto& t : types)
            bm.text(t[0]).text(t[1]).run();
        const char* kinds[][2] = {{"01", "二人台"}, {"02", "四人台"}, {"03", "六人台"}, {"04", "十人台"}, {"05", "十二人台"}};
        const int kindSeats[] = {2, 4, 6, 10, 12};
        Stmt kd(m_db, "INSERT INTO house_kinds (fcode, fname) VALUES (?, ?)");
        for (auto& k : kinds)
            kd.text(k[0]).text(k[1]).run();
        Stmt tb(m_db, "INSERT INTO house_table (table_id, house_name, house_num, class, house_bmid, othersts, sts, fbz)"
                      " VALUES (?, ?, ?, ?, ?, 'C', 'C', '')");
        for (int i = 0; i < m_o.tables; ++i) {
            const int type = i % 10 < 5 ? 0 : i % 10 < 7 ? 1 : i % 10 < 8 ? 2 : i % 10 < 9 ? 3 : 4;
            const int kind = type == 1 || type == 4 ? 3 + (i % 2) : i % 3;
            Table t;
            t.id = num(1000 + i + 1);
            t.typeCode = types[type][0];
            t.typeName = types[type][1];
            t.name = t.typeName + num(i + 1);
            t.seats = kindSeats[kind];
            tb.text(t.id).text(t.name).integer(t.seats).text(kinds[kind][1]).text(t.typeCode).run();
            m_tables.push_back(t);
        }

        const char* surnames[] = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴"};
        const char* given[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳"};
        Stmt cu(m_db, "INSERT INTO cust (code, name, use_type, sex, parent_name, work_date, id) VALUES (?, ?, '1', ?, ?, ?, ?)");
        for (int i = 0; i < 80; ++i) {
            const std::string code = "E" + std::string(i < 9 ? "00" : "0") + num(i + 1);
            const std::string name = std::string(surnames[i % 10]) + given[(i / 10 + i) % 12] + (i >= 60 ? given[i % 12] : "");
            cu.text(code).text(name).text(i % 2 ? "男" : "女").text(i < 40 ? "前厅部" : "厨房部")
                .text(day(m_o.end.addYears(-6))).text(code).run();
            m_staff.push_back({code, name});
        }

        // Goods: ten classes of sixty goods.
        const char* classes[] = {"酒水饮料", "粮油副食", "肉禽", "水产", "蔬菜", "调味品", "干货", "冻品", "乳制品", "杂品"};
        const char* goodsUnits[] = {"瓶", "袋", "斤", "条", "斤", "瓶", "包", "箱", "盒", "个"};
        Stmt bc(m_db, "INSERT INTO BrandClass (class, CODE, CONTENT, sts, CODEFJ) VALUES ('SPZL', ?, ?, 'A', '')");
        Stmt br(m_db, "INSERT INTO brand (code, bran_name, unit, in_price, type, zl, zl_code, low_alert, high_alert,"
                      " norm_price, save_num, sum_num, sum_price, zhks, bz, proper) VALUES (?, ?, ?, ?, ?, ?, ?, 10, 100, ?, 0, 0, 0, 0, '', '100')");
        for (int c = 0; c < 10; ++c) {
            bc.text(num(c + 1)).text(classes[c]).run();
            for (int g = 0; g < 60; ++g) {
                Goods gd;
                gd.code = num(c * 60 + g + 1);
                gd.name = std::string(classes[c]) + num(g + 1) + "号";
                gd.unit = goodsUnits[c];
                gd.cls = classes[c];
                gd.price = money(uniform(150, 9000) / 100.0);
                br.text(gd.code).text(gd.name).text(gd.unit).num(gd.price).text("标准").text(gd.cls).text(num(c + 1))
                    .num(gd.price).run();
                m_goods.push_back(gd);
            }
        }

        // Menu: five top categories of five sub-categories, 300 dishes; every
        // third dish sells a goods item of its own.
        const char* tops[] = {"热菜", "凉菜", "汤羹", "主食", "酒水"};
        const char* parts[] = {"热菜间", "凉菜间", "热菜间", "面点间", "吧台"};
        const char* methods[][2] = {{"红烧", "HS"}, {"清蒸", "QZ"}, {"干煸", "GB"}, {"爆炒", "BC"}, {"香煎", "XJ"},
                                    {"白灼", "BZ"}, {"酱爆", "JB"}, {"糖醋", "TC"}, {"麻辣", "ML"}, {"椒盐", "JY"},
                                    {"蒜蓉", "SR"}, {"葱油", "CY"}, {"鱼香", "YX"}, {"宫保", "GB"}, {"水煮", "SZ"}};
        const char* foods[][2] = {{"排骨", "PG"}, {"鸡丁", "JD"}, {"牛肉", "NR"}, {"鱼片", "YP"}, {"虾仁", "XR"},
                                  {"豆腐", "DF"}, {"茄子", "QZ"}, {"肉丝", "RS"}, {"鸭掌", "YZ"}, {"里脊", "LJ"},
                                  {"鸡翅", "JC"}, {"土豆", "TD"}, {"青菜", "QC"}, {"蘑菇", "MG"}, {"羊肉", "YR"},
                                  {"猪肚", "ZD"}, {"鱿鱼", "YY"}, {"扇贝", "SB"}, {"花蛤", "HG"}, {"藕片", "OP"}};
        const char* units[] = {"份", "盘", "例", "碗", "瓶"};
        Stmt cc(m_db, "INSERT INTO cpclass (code, cname, parentcode) VALUES (?, ?, ?)");
        Stmt cp(m_db, "INSERT INTO cpdetail (code, cpname, spellcode, cp_classid, cp_type, base_price, cp_danwei, cp_price,"
                      " real_price, cp_part, cp_memo, cp_status, cp_spgl, cp_glbl) VALUES (?, ?, ?, ?, ?, ?, 1, ?, '0', ?, '', ?, ?, ?)");
        int dishNo = 0;
        for (int t = 0; t < 5; ++t) {
            cc.text(num(t + 1)).text(tops[t]).text("0").run();
            for (int sub = 0; sub < 5; ++sub) {
                const std::string code = num(t + 1) + "0" + num(sub + 1);
                cc.text(code).text(std::string(tops[t]) + num(sub + 1) + "类").text(num(t + 1)).run();
                m_classes.push_back(code);
                for (int k = 0; k < 12; ++k, ++dishNo) {
                    Dish d;
                    d.code = num(dishNo + 1);
                    const auto& m = methods[dishNo % 15];
                    const auto& f = foods[(dishNo / 15) % 20];
                    d.name = std::string(m[0]) + f[0];
                    d.classId = code;
                    d.unit = units[t];
                    d.part = parts[t];
                    d.price = t == 3 ? uniform(2, 30) : t == 4 ? uniform(6, 200) : uniform(12, 168);
                    if (dishNo % 3 == 0)
                        d.goods = m_goods[size_t(dishNo / 3) % m_goods.size()].code;
                    cp.text(d.code).text(d.name).text(std::string(m[1]) + f[1]).text(code).text(d.unit).num(d.price)
                        .num(d.price).text(d.part).text(dishNo % 97 == 5 ? "1" : "0");
                    if (d.goods.empty())
                        cp.null().null();
                    else
                        cp.text(d.goods).num(1);
                    cp.run();
                    if (dishNo % 97 != 5)
                        m_dishes.push_back(d);
                }
            }
        }
        for (const Goods& g : m_goods)
            m_counters[g.code];
    }

    // The next free stock bill number at or after the moment.
    std::string billNumber(std::unordered_set<long long>& used, QDateTime t)
    {
        long long id = idOf(t);
        while (used.count(id)) {
            t = t.addSecs(1);
            id = idOf(t);
        }
        used.insert(id);
        return num(id);
    }

    void stockIn(const QDateTime& when, const std::string& wh, const std::string& fs, const std::string& demo,
                 const std::string& supplier, const std::vector<std::pair<const Goods*, double>>& lines,
                 bool fromReturn, double returnPrice = 0)
    {
        Stmt* bill = m_inBill.get();
        Stmt* line = m_inLine.get();
        const std::string id = billNumber(m_inIds, when);
        const auto& buyer = m_staff[size_t(uniform(40, 79))];
        bill->text(id).num(fromReturn ? 2 : 1).text(day(when.date()));
        if (fromReturn)
            bill->text("").text("SYSTEM").text("001").text("").text("SYSTEM");
        else
            bill->text(buyer.first).text(buyer.second).text("现金").text(buyer.first).text(buyer.second);
        bill->text(demo).text(wh).text(fs).text(supplier).run();
        for (const auto& [g, q] : lines) {
            const double price = fromReturn ? returnPrice : g->price;
            const double je = money(price * q);
            line->text(id).text(g->code).text(g->name).text(fromReturn ? "" : s(when.toString(QStringLiteral("yyyyMMdd"))))
                .text(g->unit).num(q).num(price).num(je).run();
            Counter& c = m_counters[g->code];
            c.exists = true;
            c.ckh = wh;
            c.rks += q;
            c.zje = money(c.zje + je);
            c.yearmonth = s(when.toString(fromReturn ? QStringLiteral("yyyyMM") : QStringLiteral("yyyyMMdd")));
        }
        ++m_inBills;
    }

    bool stockOut(const QDateTime& when, const std::string& wh, const std::string& fs, const std::string& demo,
                  const std::string& dept, const Goods& g, double q, double price, bool sale)
    {
        Stmt* bill = m_outBill.get();
        Stmt* line = m_outLine.get();
        Counter& c = m_counters[g.code];
        if (!c.exists)
            return false;
        const std::string id = billNumber(m_outIds, when);
        const auto& taker = m_staff[size_t(uniform(40, 79))];
        bill->text(id).num(sale ? 2 : 1).text(dept).text(day(when.date()));
        if (sale)
            bill->text("").text("SYSTEM").text("").text("SYSTEM");
        else
            bill->text(taker.first).text(taker.second).text(taker.first).text(taker.second);
        bill->text(wh).text(demo).text(fs).run();
        line->text(id).text(g.code).num(q).num(price).run();
        c.ckh = wh;
        c.cks += q;
        c.ckje = money(c.zje + (sale ? price : money(price * q)));
        ++m_outBills;
        return true;
    }

    void serviceDay(const QDate& d)
    {
        // Deliveries every third day: a bill per goods class with the goods
        // that run low, filled up again; the first day stocks every goods.
        if (m_firstDay || d.dayOfYear() % 3 == 0) {
            for (int c = 0; c < 10; ++c) {
                std::vector<std::pair<const Goods*, double>> lines;
                for (int g = 0; g < 60; ++g) {
                    const Goods& goods = m_goods[size_t(c * 60 + g)];
                    const Counter& counter = m_counters[goods.code];
                    const double onHand = counter.rks - counter.cks;
                    if (m_firstDay || onHand < 120)
                        lines.push_back({&goods, double(uniform(250, 350)) - std::max(0.0, std::floor(onHand))});
                }
                if (!lines.empty())
                    stockIn(QDateTime(d, QTime(8, 30 + c)), "综合库", "手工入库", "", "供应商" + num(c + 1), lines, false);
            }
            m_firstDay = false;
        }
        // Kitchen issues: two manual stock-out bills of one line each per department.
        for (int k = 0; k < 4; ++k) {
            const Goods& g = m_goods[size_t(uniform(60, int(m_goods.size()) - 1))];
            stockOut(QDateTime(d, QTime(9, 10 + k)), "综合库", "手动出库", "领料", k % 2 ? "热菜间" : "凉菜间", g,
                     uniform(1, 5), g.price, false);
        }

        std::unordered_set<long long> usedSeconds;
        for (const Table& t : m_tables) {
            int turns = 0;
            const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
            turns = r < 0.12 ? 0 : r < 0.55 ? 1 : r < 0.93 ? 2 : 3;
            for (int k = 0; k < turns; ++k) {
                const int base = k == 0 ? 11 * 3600 : k == 1 ? 17 * 3600 : 20 * 3600 + 1800;
                QDateTime open(d, QTime(0, 0));
                open = open.addSecs(base + uniform(0, 5400));
                while (usedSeconds.count(idOf(open)))
                    open = open.addSecs(1);
                usedSeconds.insert(idOf(open));
                seating(t, open);
            }
        }
        // Reservations made a few days ahead for about a tenth of the tables.
        Stmt* res = m_reservation.get();
        for (int i = 0; i < m_o.tables / 10; ++i) {
            const Table& t = pick(m_tables);
            const QDateTime made = QDateTime(d.addDays(-uniform(1, 5)), QTime(uniform(9, 20), uniform(0, 59)));
            const QDateTime meal(d, i % 2 ? QTime(18, 0) : QTime(12, 0));
            res->text("客人" + num(i + 1)).text(num(uniform(2, t.seats))).text("139" + num(10000000 + uniform(0, 89999999)))
                .text(stamp(made)).text(stamp(meal)).text(i % 2 ? "晚班" : "中班").num(i % 3 ? 0 : 200).text(t.id)
                .text(t.typeCode).text(num(idOf(made))).run();
        }
    }

    void seating(const Table& t, const QDateTime& open)
    {
        Stmt* seat = m_seat.get();
        Stmt* line = m_line.get();
        Stmt* pay = m_pay.get();
        Stmt* bill = m_bill.get();
        Stmt* settle = m_settle.get();
        const std::string id = num(idOf(open));
        const auto& waiter = m_staff[size_t(uniform(0, 39))];
        const auto& taker = m_staff[size_t(uniform(0, 39))];
        const bool continued = chance(0.03);
        const QDateTime firstEnd = open.addSecs(uniform(45, 140) * 60);
        const QDateTime end = continued ? firstEnd.addSecs(uniform(20, 60) * 60) : firstEnd;
        const int hour = open.time().hour();
        seat->text(id).text(t.id).text(stamp(open)).text(stamp(end)).text(id.substr(0, 8)).integer(uniform(1, t.seats))
            .text(hour < 15 ? "中班" : "晚班").text(waiter.first).text(waiter.second).text(taker.first).text(taker.second)
            .text(t.typeName).run();
        ++m_seatings;

        int fsxh = 0;
        auto addLines = [&](int count, const QDateTime& from, const QDateTime& until) {
            double fee = 0;
            const int span = std::max(60, int(from.secsTo(until)) - 600);
            for (int i = 0; i < count; ++i) {
                const Dish& dish = pick(m_dishes);
                const QDateTime when = from.addSecs(uniform(0, span));
                const double q = chance(0.8) ? 1 : uniform(2, 4);
                const bool free = chance(0.02);
                line->text(id + dish.code).text(id).integer(fsxh++).text(dish.code).text(dish.name).text(dish.unit).num(q)
                    .num(dish.price).text(dish.part).text(free ? "2" : "0").text("").text(stamp(when)).integer(-1).run();
                ++m_lines;
                if (!free)
                    fee += dish.price * q;
                const Goods* goods = dish.goods.empty() ? nullptr : &goodsByCode(dish.goods);
                if (goods)
                    stockOut(when, "综合库", "销售出库", free ? "赠单" : "吧台销售", "吧台", *goods, q, dish.price, true);
                if (!free && chance(0.015)) {
                    const QDateTime back = when.addSecs(uniform(60, 600));
                    line->text(id + dish.code).text(id).integer(fsxh++).text(dish.code).text(dish.name).text(dish.unit)
                        .num(-1).num(dish.price).text(dish.part).text("1").text("上菜太慢").text(stamp(back)).integer(-1).run();
                    ++m_lines;
                    fee -= dish.price;
                    if (goods)
                        stockIn(back, "综合库", "销售入库", "上菜太慢", "吧台", {{goods, 1.0}}, true, dish.price);
                }
            }
            return money(fee);
        };
        auto settleBill = [&](double fee, const QDateTime& when) {
            const double waived = fee > 100 && chance(0.2) ? std::fmod(fee, 10.0) : 0;
            const double account = money(fee - waived);
            static const char* methods[][2] = {{"0", "现金"}, {"2", "信用卡"}, {"3", "挂帐"}, {"1", "支票"}, {"4", "免单"}, {"5", "其它"}};
            const double r = std::uniform_real_distribution<double>(0, 1)(m_rng);
            const int m = r < 0.5 ? 0 : r < 0.8 ? 1 : r < 0.85 ? 2 : r < 0.87 ? 3 : r < 0.88 ? 4 : 5;
            const long long billId = bill->text(id).text(stamp(when)).text(pick(m_staff).first).num(fee).num(money(waived))
                                         .num(account).text(methods[m][0]).run();
            if (chance(0.05) && account > 20) {
                const double part = money(std::floor(account / 2));
                pay->text(id).num(part).text(methods[m][0]).text(methods[m][1]).run();
                pay->text(id).num(money(account - part)).text("0").text("现金").run();
            } else {
                pay->text(id).num(account).text(methods[m][0]).text(methods[m][1]).run();
            }
            settle->integer(billId).text(id).run();
        };
        const double fee = addLines(uniform(4, 16), open, firstEnd);
        settleBill(fee, firstEnd);
        if (continued)
            settleBill(addLines(uniform(1, 4), firstEnd, end), end);
    }

    const Goods& goodsByCode(const std::string& code) { return m_goods[size_t(std::stoi(code) - 1)]; }

    void writeCounters()
    {
        Stmt st(m_db, "INSERT INTO store (code, ckh, rks, cks, zje, ckje, yearmonth) VALUES (?, ?, ?, ?, ?, ?, ?)");
        for (const auto& [code, c] : m_counters)
            if (c.exists)
                st.text(code).text(c.ckh).num(c.rks).num(c.cks).num(c.zje).num(c.ckje).text(c.yearmonth).run();
    }

    sqlite3* m_db;
    Options m_o;
    std::unique_ptr<Stmt> m_inBill, m_inLine, m_outBill, m_outLine, m_reservation, m_seat, m_line, m_pay, m_bill, m_settle;
    std::mt19937_64 m_rng;
    std::vector<Table> m_tables;
    std::vector<std::pair<std::string, std::string>> m_staff;
    std::vector<Goods> m_goods;
    std::vector<Dish> m_dishes;
    std::vector<std::string> m_classes;
    std::map<std::string, Counter> m_counters;
    std::unordered_set<long long> m_inIds, m_outIds;
    bool m_firstDay = true;
    long long m_seatings = 0, m_lines = 0, m_outBills = 0, m_inBills = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Options o;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--years")) {
            o.years = next.toInt();
            ++i;
        } else if (a == QLatin1String("--days")) {
            o.days = next.toInt();
            ++i;
        } else if (a == QLatin1String("--tables")) {
            o.tables = next.toInt();
            ++i;
        } else if (a == QLatin1String("--seed")) {
            o.seed = next.toUInt();
            ++i;
        } else if (a == QLatin1String("--end")) {
            o.end = QDate::fromString(next, QStringLiteral("yyyy-MM-dd"));
            ++i;
        } else if (o.file.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            o.file = a;
        } else {
            o.file.clear();
            break;
        }
    }
    if (o.file.isEmpty() || (o.years < 1 && o.days < 1) || o.tables < 1 || !o.end.isValid()) {
        std::fprintf(stderr, "usage: tabulor-gen [--years N | --days N] [--tables N] [--seed N] [--end yyyy-MM-dd] FILE\n");
        return 2;
    }
    try {
        Db::buildDatabaseFile(o.file, false);
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(o.file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + o.file.toStdString());
        exec(db, "PRAGMA journal_mode=OFF");
        exec(db, "PRAGMA synchronous=OFF");
        exec(db, "PRAGMA cache_size=-262144");
        Generator(db, o).run();
        exec(db, "PRAGMA journal_mode=WAL");
        sqlite3_close(db);
    } catch (const DbError& e) {
        std::fprintf(stderr, "tabulor-gen: %s\n", qPrintable(e.text));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tabulor-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
