// Writes years of a busy restaurant's history into a new Tabulor database:
// tables, staff, menu, goods, suppliers, the switches and print settings,
// and every day of service: deliveries and kitchen issues, seatings with
// their placings, free dishes and returns, checkouts (continued bills
// among them) with their payment and bill rows, the stock bills that
// placing and returning book for linked dishes, and reservations.
//
// A day is played as the tills would play it: its events (a table opened,
// an order placed, a dish given free or returned, a bill settled) run in
// time order, so rows land in the order and with the values the windows
// write them, and stock bill numbers step a second at a time as the
// allocator does. Counters equal the sums of their lines. Every table ends
// free and unreserved.
//
//   tabulor-gen [--years N] [--tables N] [--days N] [--seed N] [--end yyyy-MM-dd] FILE
#include <QCoreApplication>
#include <QDate>
#include <QStringList>
#include <sqlite3.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <queue>
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

// A moment as whole seconds from the start of a Julian day: times of a day
// are plain arithmetic, and texts are made without a time zone in the way.
struct Moment {
    long long abs = 0;
    static Moment at(const QDate& d, int secondsOfDay) { return {d.toJulianDay() * 86400 + secondsOfDay}; }
    Moment plus(long long seconds) const { return {abs + seconds}; }
    QDate date() const { return QDate::fromJulianDay(abs / 86400); }
    bool operator<(const Moment& o) const { return abs < o.abs; }
};

// The texts of moments, with the day's part made once per day.
class Texts {
public:
    // "yyyy-MM-dd HH:mm:ss"
    std::string stamp(Moment m) { return dayText(m) + ' ' + clock(m, true); }
    // "yyyyMMddHHmmss", the seating and stock bill numbers
    std::string id(Moment m) { return dayDigits(m) + clock(m, false); }
    // The day's midnight, as the stock bill dates hold it.
    std::string midnight(Moment m) { return dayText(m) + " 00:00:00"; }
    std::string yyyymmdd(Moment m) { return dayDigits(m); }
    std::string yyyymm(Moment m) { return dayDigits(m).substr(0, 6); }

private:
    void cache(Moment m)
    {
        const long long day = m.abs / 86400;
        if (day == m_day)
            return;
        m_day = day;
        const QDate d = QDate::fromJulianDay(day);
        m_text = s(d.toString(QStringLiteral("yyyy-MM-dd")));
        m_digits = s(d.toString(QStringLiteral("yyyyMMdd")));
    }
    const std::string& dayText(Moment m) { cache(m); return m_text; }
    const std::string& dayDigits(Moment m) { cache(m); return m_digits; }
    static std::string clock(Moment m, bool colons)
    {
        const int t = int(m.abs % 86400);
        char buf[16];
        std::snprintf(buf, sizeof buf, colons ? "%02d:%02d:%02d" : "%02d%02d%02d", t / 3600, t / 60 % 60, t % 60);
        return buf;
    }
    long long m_day = -1;
    std::string m_text, m_digits;
};

struct Dish {
    std::string code, name, unit, part, classId;
    double price = 0;
    std::string goods;   // linked goods code, empty when none
};
struct Goods {
    std::string code, name, unit, spec, cls;
    double price = 0;
};
struct Table {
    std::string id, name, typeCode, typeName;
    int seats = 4;
};
struct Person {
    std::string code, name;
};
struct Counter {
    double rks = 0, cks = 0, zje = 0, ckje = 0;
    std::string ckh, yearmonth;
    bool exists = false;
};

// One stay of a party at a table while the day is played.
struct Seating {
    const Table* table = nullptr;
    std::string id;
    Moment open, firstCheckout, end;
    bool continued = false;
    int fsxh = 0;
    double openFee = 0;   // what the open lines come to
    struct Placed {
        const Dish* dish;
        double quantity;
        double left;      // not yet returned
    };
    std::vector<Placed> placed;
};

enum class Happening { Open, Place, Free, Return, Checkout };
struct Event {
    Moment when;
    long long seq;
    Happening what;
    int seating;
    int count = 0;   // lines of a placing; the placed line of a return
    bool operator>(const Event& o) const { return when.abs != o.when.abs ? when.abs > o.when.abs : seq > o.seq; }
};

// The user every till is logged in as: sales and returns are booked under
// this code, with no operator id.
const std::string Operator = "SYSTEM";
const std::string GeneralStore = "综合库";
const char* const ReturnReasons[] = {"菜品质量问题", "上菜太慢", "客人不要了", "点错菜"};

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
                            qPrintable(d.toString(QStringLiteral("yyyy-MM-dd"))), m_seatings, m_lines, m_outBills, sec);
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
                        " num, price, je) VALUES (?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        m_outBill = make("INSERT INTO stock_out_bill (stock_bill_id, bill_num, repr_name, stock_out_date, get_man,"
                         " get_man_name, val_man, val_man_name, ckh, demo, fs) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        m_outLine = make("INSERT INTO ckgl2004 (stock_bill_id, id, code, num, price, zhks) VALUES (?, 1, ?, ?, ?, 0)");
        m_reservation = make("INSERT INTO pre_strink (pre_strink_id, pre_man, pre_man_num, phone, pre_date, endtime, fbc,"
                             " paymoney, fbz, pre_house, bmid, serials) VALUES (1, ?, ?, ?, ?, ?, ?, ?, '', ?, ?, ?)");
        // The seating row as the open-table dialog writes it; its closing
        // values (end time, cleared) are known when the day is planned.
        m_seat = make("INSERT INTO use_table_200505 (acc_date, cust_code, cust_name, house_class, house_table_id, memo,"
                      " serv_code, serv_name, start_date, strink_def, strink_num, sts, use_table_id, use_table_man_id,"
                      " man_type, end_date) VALUES (?, ?, ?, ?, ?, '', ?, ?, ?, ?, ?, 'P', ?, '', '01', ?)");
        m_line = make("INSERT INTO strink_mess_200505 (bill_time, account_sts, food_code, food_name, food_num, fsxh,"
                      " memo, price, send_addr, state, strink_mess_id, sts, unit, use_table_id)"
                      " VALUES (?, '0', ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?)");
        m_pay = make("INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts, pay_sts_name) VALUES (?, ?, ?, ?)");
        m_bill = make("INSERT INTO ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price,"
                      " discount_rule_id, no_account_price, account_price, pay_sts) VALUES (?, ?, ?, ?, 0, '', ?, ?, ?)");
        m_settle = make("UPDATE strink_mess_200505 SET account_sts = '1', account_id = ? "
                        "WHERE use_table_id = ? AND account_sts = '0'");
    }

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double real() { return std::uniform_real_distribution<double>(0, 1)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }
    template <class T> const T& pick(const std::vector<T>& v) { return v[size_t(uniform(0, int(v.size()) - 1))]; }

    void masterData()
    {
        // The switches and print settings of a till in service: sales linked
        // to stock, receipts by category on the printer object.
        exec(m_db, "INSERT INTO SYSXTCS (XTCS_NAME, XTCS_VALUE, XTCS_MS) VALUES ('Orders', 'Class', '打印排序方式'),"
                   " ('Associate', 'Yes', '售货关联与否'), ('AllowRefundment', '0', '允许结帐后退款')");
        exec(m_db, "INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES"
                   " (1, 1, '食府|电话 010-88886666|欢迎光临', '0'), (1, 0, '谢谢惠顾|欢迎再次光临|', '0')");

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
                .text(s(m_o.end.addYears(-6).toString(QStringLiteral("yyyy-MM-dd"))) + " 00:00:00").text(code).run();
            m_staff.push_back({code, name});
        }

        Stmt sp(m_db, "INSERT INTO gysda (code, name) VALUES (?, ?)");
        const char* suppliers[] = {"华联超市", "新发地蔬菜批发", "燕京啤酒经销部", "鑫源肉类批发", "海鲜码头",
                                   "粮油批发中心", "调味品商行", "干货市场", "冷链配送", "乳业公司"};
        for (int i = 0; i < 10; ++i) {
            sp.text((i < 9 ? "0" : "") + num(i + 1)).text(suppliers[i]).run();
            m_suppliers.push_back(suppliers[i]);
        }

        // Goods: ten classes of sixty goods.
        const char* classes[] = {"酒水饮料", "粮油副食", "肉禽", "水产", "蔬菜", "调味品", "干货", "冻品", "乳制品", "杂品"};
        const char* goodsUnits[] = {"瓶", "袋", "斤", "条", "斤", "瓶", "包", "箱", "盒", "个"};
        const char* specs[] = {"500ml", "5kg", "散装", "活鲜", "散装", "500g", "250g", "10kg", "250ml", "标准"};
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
                gd.spec = specs[c];
                gd.cls = classes[c];
                gd.price = money(uniform(150, 9000) / 100.0);
                br.text(gd.code).text(gd.name).text(gd.unit).num(gd.price).text(gd.spec).text(gd.cls).text(num(c + 1))
                    .num(gd.price).run();
                m_goods.push_back(gd);
            }
        }

        // Menu: five top categories of five sub-categories, 300 dishes; every
        // third dish sells a goods item of its own. A few dishes are disabled.
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
                      " real_price, cp_part, cp_memo, cp_status, ty_date, cp_spgl, cp_glbl) VALUES (?, ?, ?, ?, ?, ?, 1, ?, '0', ?, '', ?, ?, ?, ?)");
        int dishNo = 0;
        for (int t = 0; t < 5; ++t) {
            cc.text(num(t + 1)).text(tops[t]).text("0").run();
            for (int sub = 0; sub < 5; ++sub) {
                const std::string code = num(t + 1) + "0" + num(sub + 1);
                cc.text(code).text(std::string(tops[t]) + num(sub + 1) + "类").text(num(t + 1)).run();
                for (int k = 0; k < 12; ++k, ++dishNo) {
                    Dish d;
                    d.code = num(dishNo + 1);
                    const auto& m = methods[dishNo % 15];
                    const auto& f = foods[(dishNo / 15) % 20];
                    d.name = std::string(m[0]) + f[0];
                    d.classId = code;
                    d.unit = units[t];
                    d.part = parts[t];
                    d.price = t == 3 ? uniform(2, 30) : t == 4 ? uniform(6, 200) : uniform(24, 336) / 2.0;
                    if (dishNo % 3 == 0)
                        d.goods = m_goods[size_t(dishNo / 3) % m_goods.size()].code;
                    const bool disabled = dishNo % 97 == 5;
                    cp.text(d.code).text(d.name).text(std::string(m[1]) + f[1]).text(code).text(d.unit).num(d.price)
                        .num(d.price).text(d.part).text(disabled ? "1" : "0");
                    if (disabled)
                        cp.text(s(m_o.end.addYears(-1).toString(QStringLiteral("yyyy-MM-dd"))) + " 00:00:00");
                    else
                        cp.null();
                    if (d.goods.empty())
                        cp.null().null();
                    else
                        cp.text(d.goods).num(1);
                    cp.run();
                    if (!disabled)
                        m_dishes.push_back(d);
                }
            }
        }
    }

    // The next free stock bill number at or after the moment, stepped a
    // second at a time as the allocator steps.
    std::string billNumber(std::unordered_set<long long>& used, Moment& t)
    {
        while (used.count(t.abs))
            t = t.plus(1);
        used.insert(t.abs);
        return m_texts.id(t);
    }

    // A delivery: a stock-in bill of the stock-in window with its lines.
    void delivery(Moment when, const std::string& supplier, const std::vector<std::pair<const Goods*, double>>& lines)
    {
        const std::string id = billNumber(m_inIds, when);
        const Person& receiver = m_staff[size_t(uniform(40, 79))];
        const Person& buyer = m_staff[size_t(uniform(40, 79))];
        static const char* payments[] = {"现金", "支票", "转帐", "赊购"};
        m_inBill->text(id).num(1).text(m_texts.midnight(when)).text(receiver.code).text(receiver.name)
            .text(payments[uniform(0, 3)]).text(buyer.code).text(buyer.name).text("").text(GeneralStore)
            .text("手工入库").text(supplier).run();
        for (const auto& [g, q] : lines) {
            const double je = money(g->price * q);
            m_inLine->text(id).text(g->code).text(g->name).text(g->spec).text(m_texts.yyyymmdd(when)).text("")
                .text("").text("").text(g->unit).num(q).num(g->price).num(je).run();
            Counter& c = m_counters[g->code];
            c.exists = true;
            c.ckh = GeneralStore;
            c.rks += q;
            c.zje = money(c.zje + je);
            c.yearmonth = m_texts.yyyymmdd(when);
        }
        ++m_inBills;
    }

    // A kitchen issue: a stock-out bill of the stock-out window, one line.
    void issue(Moment when, const std::string& dept, const Goods& g, double q)
    {
        Counter& c = m_counters[g.code];
        if (!c.exists)
            return;
        const std::string id = billNumber(m_outIds, when);
        const Person& taker = m_staff[size_t(uniform(40, 79))];
        const Person& keeper = m_staff[size_t(uniform(40, 79))];
        m_outBill->text(id).num(1).text(dept).text(m_texts.midnight(when)).text(taker.code).text(taker.name)
            .text(keeper.code).text(keeper.name).text(GeneralStore).text("领料").text("手动出库").run();
        m_outLine->text(id).text(g.code).num(q).num(g.price).run();
        c.ckh = GeneralStore;
        c.cks += q;
        c.ckje = money(c.zje + money(g.price * q));
        ++m_outBills;
    }

    // What placing and giving free book for a linked dish: a stock-out bill
    // of one line, then the sale's counter rule. Nothing without a counter.
    void bookSale(Moment when, const Goods& g, double q, double price, const std::string& note)
    {
        Counter& c = m_counters[g.code];
        if (!c.exists)
            return;
        const std::string id = billNumber(m_outIds, when);
        m_outBill->text(id).num(2).text("吧台").text(m_texts.midnight(when)).text("").text(Operator).text("")
            .text(Operator).text(GeneralStore).text(note).text("销售出库").run();
        m_outLine->text(id).text(g.code).num(q).num(price).run();
        c.ckh = GeneralStore;
        c.cks += q;
        c.ckje = money(c.zje + price);
        ++m_outBills;
    }

    // What a return books for a linked dish: a stock-in bill of one line,
    // then the return's counter rule.
    void bookReturn(Moment when, const Goods& g, double q, double price, const std::string& reason)
    {
        Counter& c = m_counters[g.code];
        if (!c.exists)
            return;
        const std::string id = billNumber(m_inIds, when);
        const double je = money(price * q);
        m_inBill->text(id).num(2).text(m_texts.midnight(when)).text("").text(Operator).text("001").text("")
            .text(Operator).text(reason).text(GeneralStore).text("销售入库").text("吧台").run();
        m_inLine->text(id).text(g.code).null().null().null().text("1").null().null().null().num(q).num(price).num(je)
            .run();
        c.ckh = GeneralStore;
        c.rks += q;
        c.zje = money(c.zje + je);
        c.yearmonth = m_texts.yyyymm(when);
        ++m_inBills;
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
                    delivery(Moment::at(d, 8 * 3600 + 1800 + 60 * c), m_suppliers[size_t(c)], lines);
            }
            m_firstDay = false;
        }
        // Issues to the departments: four stock-out bills of the stock-out
        // window, one line each.
        for (int k = 0; k < 4; ++k) {
            const Goods& g = m_goods[size_t(uniform(60, int(m_goods.size()) - 1))];
            issue(Moment::at(d, 9 * 3600 + 600 + 60 * k), k % 2 ? "前厅部" : "厨房部", g, uniform(1, 5));
        }

        // Reservations taken today for the coming days (none past the end).
        for (int i = 0; i < m_o.tables / 10; ++i) {
            const Table& t = pick(m_tables);
            const QDate meal = d.addDays(uniform(1, 5));
            if (meal > m_o.end)
                continue;
            Moment made = Moment::at(d, uniform(9 * 3600, 21 * 3600));
            m_reservation->text("客人" + num(i + 1)).text(num(uniform(2, t.seats)))
                .text("139" + num(10000000 + uniform(0, 89999999))).text(m_texts.stamp(made))
                .text(m_texts.stamp(Moment::at(meal, i % 2 ? 18 * 3600 : 12 * 3600))).text(i % 2 ? "晚班" : "中班")
                .num(i % 3 ? 0 : 200).text(t.id).text(t.typeCode).text(m_texts.id(made)).run();
        }

        // The day's seatings: up to three turns a table; two never open in
        // the same second.
        m_day.clear();
        m_events = {};
        std::unordered_set<long long> usedSeconds;
        for (const Table& t : m_tables) {
            const double r = real();
            const int turns = r < 0.12 ? 0 : r < 0.55 ? 1 : r < 0.93 ? 2 : 3;
            for (int k = 0; k < turns; ++k) {
                const int base = k == 0 ? 11 * 3600 : k == 1 ? 17 * 3600 : 20 * 3600 + 1800;
                Moment open = Moment::at(d, base + uniform(0, 5400));
                while (usedSeconds.count(open.abs))
                    open = open.plus(1);
                usedSeconds.insert(open.abs);
                planSeating(t, open);
            }
        }
        while (!m_events.empty()) {
            const Event e = m_events.top();
            m_events.pop();
            play(e);
        }
    }

    void schedule(Moment when, Happening what, int seating, int count = 0)
    {
        m_events.push({when, m_seq++, what, seating, count});
    }

    // A seating's day: opened, one to three placings, perhaps a dish given
    // free, settled; a continued bill places once more and settles again.
    void planSeating(const Table& t, Moment open)
    {
        Seating st;
        st.table = &t;
        st.open = open;
        st.id = m_texts.id(open);
        st.continued = chance(0.03);
        st.firstCheckout = open.plus(uniform(45, 140) * 60);
        st.end = st.continued ? st.firstCheckout.plus(uniform(20, 60) * 60) : st.firstCheckout;
        const int index = int(m_day.size());
        m_day.push_back(st);
        schedule(open, Happening::Open, index);

        int lines = uniform(4, 16);
        const int rounds = std::min(lines, 1 + int(chance(0.5)) + int(chance(0.2)));
        Moment at = open.plus(uniform(2, 10) * 60);
        const long long last = st.firstCheckout.abs - 600;
        for (int r = 0; r < rounds; ++r) {
            const int count = r == rounds - 1 ? lines : std::max(1, lines / 2);
            lines -= count;
            schedule(Moment{std::min(at.abs, last)}, Happening::Place, index, count);
            at = at.plus(uniform(15, 40) * 60);
        }
        if (chance(0.2))
            schedule(Moment{std::min(open.plus(uniform(15, 60) * 60).abs, last)}, Happening::Free, index);
        schedule(st.firstCheckout, Happening::Checkout, index);
        if (st.continued) {
            schedule(st.firstCheckout.plus(uniform(5, 15) * 60), Happening::Place, index, uniform(1, 4));
            schedule(st.end, Happening::Checkout, index);
        }
    }

    void insertLine(Seating& st, Moment when, const Dish& dish, double q, const char* kind, const std::string& memo)
    {
        m_line->text(m_texts.stamp(when)).text(dish.code).text(dish.name).num(q).integer(st.fsxh++).text(memo)
            .num(dish.price).text(dish.part).text(st.id + dish.code).text(kind).text(dish.unit).text(st.id).run();
        ++m_lines;
    }

    const Goods* linkedGoods(const Dish& dish)
    {
        return dish.goods.empty() ? nullptr : &m_goods[size_t(std::stoi(dish.goods) - 1)];
    }

    void play(const Event& e)
    {
        Seating& st = m_day[size_t(e.seating)];
        switch (e.what) {
        case Happening::Open: {
            const Person& waiter = m_staff[size_t(uniform(0, 39))];
            const Person& taker = m_staff[size_t(uniform(0, 39))];
            const int hour = int(st.open.abs % 86400 / 3600);
            m_seat->text(st.id.substr(0, 8)).text(taker.code).text(taker.name).text(st.table->typeName)
                .text(st.table->id).text(waiter.code).text(waiter.name).text(m_texts.stamp(st.open))
                .text(hour < 15 ? "中班" : "晚班").integer(uniform(1, st.table->seats)).text(st.id)
                .text(m_texts.stamp(st.end)).run();
            ++m_seatings;
            break;
        }
        case Happening::Place:
            // One placing stores its lines in the same second; each linked
            // line books a stock-out bill of its own.
            for (int i = 0; i < e.count; ++i) {
                const Dish& dish = pick(m_dishes);
                const double q = chance(0.8) ? 1 : uniform(2, 4);
                insertLine(st, e.when, dish, q, "0", "");
                st.openFee += dish.price * q;
                st.placed.push_back({&dish, q, q});
                if (const Goods* g = linkedGoods(dish))
                    bookSale(e.when, *g, q, dish.price, "吧台销售");
                // Now and then a dish goes back before the bill.
                // A settled line is not returned (refunds after checkout are off).
                const long long latest = (e.when < st.firstCheckout ? st.firstCheckout : st.end).abs - 60;
                if (chance(0.015) && e.when.abs + 120 < latest)
                    schedule(Moment{std::min(e.when.abs + uniform(2, 15) * 60, latest)}, Happening::Return, e.seating,
                             int(st.placed.size()) - 1);
            }
            break;
        case Happening::Free: {
            const Dish& dish = pick(m_dishes);
            insertLine(st, e.when, dish, 1, "2", "");
            if (const Goods* g = linkedGoods(dish))
                bookSale(e.when, *g, 1, dish.price, "赠单");
            break;
        }
        case Happening::Return: {
            Seating::Placed& p = st.placed[size_t(e.count)];
            if (p.left <= 0)
                break;
            const double q = chance(0.7) ? p.left : std::max(1.0, std::floor(p.left / 2));
            p.left -= q;
            const std::string reason = ReturnReasons[uniform(0, 3)];
            insertLine(st, e.when, *p.dish, -q, "1", reason);
            st.openFee -= p.dish->price * q;
            if (const Goods* g = linkedGoods(*p.dish))
                bookReturn(e.when, *g, q, p.dish->price, reason);
            break;
        }
        case Happening::Checkout: {
            // One payment row and one bill row; the bill's id goes onto
            // every line it settles.
            const double fee = money(st.openFee);
            st.openFee = 0;
            const double waived = fee > 100 && chance(0.2) ? std::fmod(fee, 10.0) : 0;
            const double collect = money(fee - waived);
            static const char* methods[][2] = {{"0", "现金"}, {"2", "信用卡"}, {"3", "挂帐"}, {"1", "支票"}, {"4", "免单"}, {"5", "其它"}};
            const double r = real();
            const int m = r < 0.5 ? 0 : r < 0.8 ? 1 : r < 0.85 ? 2 : r < 0.87 ? 3 : r < 0.88 ? 4 : 5;
            m_pay->text(st.id).num(collect).text(methods[m][0]).text(methods[m][1]).run();
            const long long billId = m_bill->text(st.id).text(m_texts.stamp(e.when)).text(Operator).num(fee)
                                         .num(money(waived)).num(collect).text(methods[m][0]).run();
            m_settle->integer(billId).text(st.id).run();
            break;
        }
        }
    }

    void writeCounters()
    {
        Stmt st(m_db, "INSERT INTO store (code, ckh, rks, cks, zje, ckje, yearmonth) VALUES (?, ?, ?, ?, ?, ?, ?)");
        for (const auto& [code, c] : m_counters)
            if (c.exists)
                st.text(code).text(c.ckh).num(c.rks).num(c.cks).num(c.zje).num(c.ckje).text(c.yearmonth).run();
    }

    sqlite3* m_db;
    Options m_o;
    Texts m_texts;
    std::unique_ptr<Stmt> m_inBill, m_inLine, m_outBill, m_outLine, m_reservation, m_seat, m_line, m_pay, m_bill, m_settle;
    std::mt19937_64 m_rng;
    std::vector<Table> m_tables;
    std::vector<Person> m_staff;
    std::vector<std::string> m_suppliers;
    std::vector<Goods> m_goods;
    std::vector<Dish> m_dishes;
    std::map<std::string, Counter> m_counters;
    std::unordered_set<long long> m_inIds, m_outIds;
    std::vector<Seating> m_day;
    std::priority_queue<Event, std::vector<Event>, std::greater<Event>> m_events;
    long long m_seq = 0;
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
