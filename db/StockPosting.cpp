#include "db/StockPosting.h"

#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include <QStringList>
#include <initializer_list>
#include <utility>

namespace StockPosting {

namespace {

const QString GeneralStore = QStringLiteral("综合库");

QString billTableName(BillTable table)
{
    return table == BillTable::In ? QStringLiteral("stock_in_bill") : QStringLiteral("stock_out_bill");
}

QVariant nullable(const QString& text) { return text.isNull() ? QVariant() : QVariant(text); }
// A text the sales and returns store: an empty text rather than Null.
QString filled(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

// Writes the named columns of a counter row and no other: each counter rule
// changes only its own columns, the rest keep what is stored (an empty
// column stays empty).
void writeCounterColumns(const QString& goodsCode, std::initializer_list<std::pair<const char*, QVariant>> columns)
{
    QStringList sets;
    QVariantList values;
    for (const auto& [name, value] : columns) {
        sets << QStringLiteral("%1 = ?").arg(QLatin1String(name));
        values << value;
    }
    values << goodsCode;
    Db::exec(QStringLiteral("UPDATE store SET %1 WHERE code = ?").arg(sets.join(QStringLiteral(", "))), values);
}

// A counter row made from the stored lines of a goods code, summed exactly
// in one read of its lines.
Counter counterFromLines(const QString& goodsCode)
{
    Counter c;
    c.code = goodsCode;
    c.ckh = QString();
    Recordset lines;
    lines.open(QStringLiteral("SELECT 1 AS incoming, num, je FROM rkgl2004 WHERE code = ?"
                              " UNION ALL SELECT 0, num, NULL FROM ckgl2004 WHERE code = ?"),
               {goodsCode, goodsCode});
    for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext()) {
        const Decimal num = Decimal::fromVariant(lines.field(QStringLiteral("num")));
        if (lines.field(QStringLiteral("incoming")).toInt() == 1) {
            c.rks += num;
            c.zje += Decimal::fromVariant(lines.field(QStringLiteral("je")));
        } else {
            c.cks += num;
        }
    }
    return c;
}

// A new counter row. A dish return's row writes nothing issued (`cks`
// stays empty); the other writers start it at what they count.
enum class Issued { Written, Empty };
void insertCounter(const Counter& c, Issued issued = Issued::Written)
{
    Db::exec(QStringLiteral("INSERT INTO store (code, ckh, rks, cks, zje, ckje, yearmonth) VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {c.code, nullable(c.ckh), c.rks.toVariant(), issued == Issued::Written ? c.cks.toVariant() : QVariant(),
              c.zje.toVariant(), c.ckje.units() == 0 ? QVariant() : c.ckje.toVariant(), nullable(c.yearmonth)});
}

QString today(const char* format) { return Clock::today().toString(QString::fromLatin1(format)); }

} // namespace

QString allocateBillNumber(BillTable table)
{
    QDateTime t = Clock::now();
    QString id = DateTimeText::toId(t);
    while (billExists(table, id)) {
        t = t.addSecs(1);
        id = DateTimeText::toId(t);
    }
    return id;
}

bool billExists(BillTable table, const QString& number)
{
    return Db::scalar(QStringLiteral("SELECT 1 FROM %1 WHERE stock_bill_id = ?").arg(billTableName(table)),
                      {number.trimmed()})
        .isValid();
}

QString storedDay(const QDate& day) { return DateTimeText::formatDay(day); }

void insertInBill(const InBill& b)
{
    Db::exec(QStringLiteral("INSERT INTO stock_in_bill (stock_bill_id, bill_num, stock_in_date, in_man, in_man_name,"
                            " pay_style, buy_man, buy_man_name, demo, ckh, fs, repr_name)"
                            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {b.stock_bill_id, b.bill_num, b.stock_in_date, b.in_man, b.in_man_name, b.pay_style, b.buy_man,
              b.buy_man_name, b.demo, b.ckh, b.fs, b.repr_name});
}

void insertInLine(const InLine& l)
{
    Db::exec(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, id, code, name, type, pch, jzsl, gqsj, scs, unit,"
                            " num, price, je) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {l.stock_bill_id, l.id, l.code, l.name, l.type, l.pch, l.jzsl, l.gqsj, l.scs, l.unit,
              l.num.toVariant(), l.price.toVariant(), l.je.toVariant()});
}

void insertOutBill(const OutBill& b)
{
    Db::exec(QStringLiteral("INSERT INTO stock_out_bill (stock_bill_id, bill_num, repr_name, stock_out_date, get_man,"
                            " get_man_name, val_man, val_man_name, ckh, demo, fs)"
                            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {b.stock_bill_id, b.bill_num, b.repr_name, b.stock_out_date, b.get_man, b.get_man_name, b.val_man,
              b.val_man_name, b.ckh, b.demo, b.fs});
}

void insertOutLine(const OutLine& l)
{
    Db::exec(QStringLiteral("INSERT INTO ckgl2004 (stock_bill_id, id, code, num, price, zhks) VALUES (?, ?, ?, ?, ?, ?)"),
             {l.stock_bill_id, l.id, l.code, l.num.toVariant(), l.price.toVariant(), l.zhks.toVariant()});
}

std::optional<Counter> counter(const QString& goodsCode)
{
    Recordset rs;
    rs.open(QStringLiteral("SELECT code, ckh, rks, cks, zje, ckje, yearmonth FROM store WHERE code = ?"), {goodsCode});
    if (rs.empty())
        return std::nullopt;
    Counter c;
    c.code = rs.field(QStringLiteral("code")).toString();
    c.ckh = rs.field(QStringLiteral("ckh")).toString();
    c.rks = Decimal::fromVariant(rs.field(QStringLiteral("rks")));
    c.cks = Decimal::fromVariant(rs.field(QStringLiteral("cks")));
    c.zje = Decimal::fromVariant(rs.field(QStringLiteral("zje")));
    c.ckje = Decimal::fromVariant(rs.field(QStringLiteral("ckje")));
    c.yearmonth = rs.field(QStringLiteral("yearmonth")).toString();
    return c;
}

bool postSale(const QString& goodsCode, Decimal quantity, Decimal unitPrice)
{
    auto c = counter(goodsCode);
    if (!c)
        return false;
    writeCounterColumns(goodsCode, {{"ckh", GeneralStore},
                                    {"cks", (c->cks + quantity).toVariant()},
                                    {"ckje", (c->zje + unitPrice).toVariant()}});
    return true;
}

void postReturn(const QString& goodsCode, Decimal quantity, Decimal unitPrice)
{
    const Decimal amount = unitPrice.times(quantity);
    if (auto c = counter(goodsCode)) {
        writeCounterColumns(goodsCode, {{"ckh", GeneralStore},
                                        {"rks", (c->rks + quantity).toVariant()},
                                        {"zje", (c->zje + amount).toVariant()},
                                        {"yearmonth", today("yyyyMM")}});
        return;
    }
    Counter c;
    c.code = goodsCode;
    c.ckh = GeneralStore;
    c.rks = quantity;
    c.zje = amount;
    c.yearmonth = today("yyyyMM");
    insertCounter(c, Issued::Empty);
}

QString bookSale(const QString& goodsCode, Decimal quantity, Decimal unitPrice, const QString& note, const Booker& by)
{
    if (!counter(goodsCode))
        return {};
    const QString number = allocateBillNumber(BillTable::Out);
    OutBill bill;
    bill.stock_bill_id = number;
    bill.bill_num = 2;
    bill.stock_out_date = storedDay(Clock::today());
    bill.get_man = bill.val_man = filled(by.id);
    bill.get_man_name = bill.val_man_name = filled(by.name);
    bill.demo = filled(note);
    bill.ckh = GeneralStore;
    bill.fs = QStringLiteral("销售出库");
    bill.repr_name = QStringLiteral("吧台");
    insertOutBill(bill);
    OutLine line;
    line.stock_bill_id = number;
    line.id = 1;
    line.code = goodsCode;
    line.num = quantity;
    line.price = unitPrice;
    insertOutLine(line);
    postSale(goodsCode, quantity, unitPrice);
    return number;
}

QString bookReturn(const QString& goodsLink, Decimal quantity, Decimal unitPrice, const QString& reason, const Booker& by)
{
    if (!counter(goodsLink))
        return {};
    const QString code = goodsLink.trimmed();
    const QString number = allocateBillNumber(BillTable::In);
    InBill bill;
    bill.stock_bill_id = number;
    bill.bill_num = 2;
    bill.stock_in_date = storedDay(Clock::today());
    bill.in_man = bill.buy_man = filled(by.id);
    bill.in_man_name = bill.buy_man_name = filled(by.name);
    bill.pay_style = QStringLiteral("001");
    bill.demo = filled(reason);
    bill.ckh = GeneralStore;
    bill.fs = QStringLiteral("销售入库");
    bill.repr_name = QStringLiteral("吧台");
    insertInBill(bill);
    InLine line;
    line.stock_bill_id = number;
    line.id = 1;
    line.code = code;
    line.num = quantity;
    line.price = unitPrice;
    line.jzsl = 1;
    line.je = unitPrice.times(quantity);
    insertInLine(line);
    postReturn(code, quantity, unitPrice);
    return number;
}

void postStockIn(const QString& goodsCode, const QString& warehouse, Decimal quantity, Decimal amount)
{
    if (auto c = counter(goodsCode)) {
        writeCounterColumns(goodsCode, {{"ckh", nullable(warehouse)},
                                        {"rks", (c->rks + quantity).toVariant()},
                                        {"zje", (c->zje + amount).toVariant()},
                                        {"yearmonth", today("yyyyMMdd")}});
        return;
    }
    Counter c;
    c.code = goodsCode;
    c.ckh = warehouse;
    c.rks = quantity;
    c.zje = amount;
    c.yearmonth = today("yyyyMMdd");
    insertCounter(c);
}

void postStockInEdit(const QString& goodsCode, Decimal quantityDelta, Decimal amountDelta)
{
    if (auto c = counter(goodsCode)) {
        writeCounterColumns(goodsCode, {{"rks", (c->rks + quantityDelta).toVariant()},
                                        {"zje", (c->zje + amountDelta).toVariant()},
                                        {"yearmonth", today("yyyyMMdd")}});
        return;
    }
    Counter c = counterFromLines(goodsCode);
    c.yearmonth = today("yyyyMMdd");
    insertCounter(c);
}

bool postStockOut(const QString& goodsCode, const QString& warehouse, Decimal quantity, Decimal amount)
{
    auto c = counter(goodsCode);
    if (!c)
        return false;
    writeCounterColumns(goodsCode, {{"ckh", nullable(warehouse)},
                                    {"cks", (c->cks + quantity).toVariant()},
                                    {"ckje", (c->zje + amount).toVariant()}});
    return true;
}

void postStockOutEdit(const QString& goodsCode, Decimal quantityDelta, Decimal amountDelta)
{
    if (auto c = counter(goodsCode)) {
        writeCounterColumns(goodsCode, {{"cks", (c->cks + quantityDelta).toVariant()},
                                        {"ckje", (c->zje + amountDelta).toVariant()}});
        return;
    }
    Counter c = counterFromLines(goodsCode);
    insertCounter(c);
}

// ---- bills and lines of the stock-in and stock-out windows ------------------

namespace {

QVariant stored(const Recordset& rs, const char* name) { return rs.field(QString::fromLatin1(name)); }

const QString InBillColumns = QStringLiteral(
    "stock_bill_id, bill_num, stock_in_date, in_man, in_man_name, pay_style, buy_man, buy_man_name, demo, ckh, fs,"
    " repr_name");
const QString OutBillColumns = QStringLiteral(
    "stock_bill_id, bill_num, repr_name, stock_out_date, get_man, get_man_name, val_man, val_man_name, ckh, demo, fs");

// The warehouse of a stored bill; DbError Changed when the bill is gone.
QString billWarehouse(BillTable table, const QString& number)
{
    Recordset rs;
    rs.open(QStringLiteral("SELECT ckh FROM %1 WHERE stock_bill_id = ? ORDER BY rowid LIMIT 1").arg(billTableName(table)),
            {number.trimmed()});
    if (rs.empty())
        throw DbError(DbError::Changed, (table == BillTable::In ? QStringLiteral("入库单%1已不存在。")
                                                                 : QStringLiteral("出库单%1已不存在。"))
                                            .arg(number.trimmed()));
    return rs.field(QStringLiteral("ckh")).toString();
}

// The row id and values of the first stored line of a bill and goods code.
struct StoredIn {
    qint64 rowid = 0;
    InLine line;
};
struct StoredOut {
    qint64 rowid = 0;
    OutLine line;
};

std::optional<StoredIn> findInLine(const QString& billNumber, const QString& goodsCode)
{
    Recordset rs;
    rs.open(QStringLiteral("SELECT rowid AS line_row, stock_bill_id, id, code, name, type, pch, jzsl, gqsj, scs, unit,"
                           " num, price, je FROM rkgl2004 WHERE stock_bill_id = ? AND code = ? ORDER BY rowid LIMIT 1"),
            {billNumber.trimmed(), goodsCode.trimmed()});
    if (rs.empty())
        return std::nullopt;
    StoredIn s;
    s.rowid = stored(rs, "line_row").toLongLong();
    InLine& l = s.line;
    l.stock_bill_id = stored(rs, "stock_bill_id").toString();
    l.id = stored(rs, "id").toInt();
    l.code = stored(rs, "code").toString();
    l.name = stored(rs, "name");
    l.type = stored(rs, "type");
    l.pch = stored(rs, "pch");
    l.jzsl = stored(rs, "jzsl");
    l.gqsj = stored(rs, "gqsj");
    l.scs = stored(rs, "scs");
    l.unit = stored(rs, "unit");
    l.num = Decimal::fromVariant(stored(rs, "num"));
    l.price = Decimal::fromVariant(stored(rs, "price"));
    l.je = Decimal::fromVariant(stored(rs, "je"));
    return s;
}

std::optional<StoredOut> findOutLine(const QString& billNumber, const QString& goodsCode)
{
    Recordset rs;
    rs.open(QStringLiteral("SELECT rowid AS line_row, stock_bill_id, id, code, num, price, zhks FROM ckgl2004"
                           " WHERE stock_bill_id = ? AND code = ? ORDER BY rowid LIMIT 1"),
            {billNumber.trimmed(), goodsCode.trimmed()});
    if (rs.empty())
        return std::nullopt;
    StoredOut s;
    s.rowid = stored(rs, "line_row").toLongLong();
    OutLine& l = s.line;
    l.stock_bill_id = stored(rs, "stock_bill_id").toString();
    l.id = stored(rs, "id").toInt();
    l.code = stored(rs, "code").toString();
    l.num = Decimal::fromVariant(stored(rs, "num"));
    l.price = Decimal::fromVariant(stored(rs, "price"));
    l.zhks = Decimal::fromVariant(stored(rs, "zhks"));
    return s;
}

// On hand of a code: by its counter row, or, without one, by its lines.
Decimal onHandOrFromLines(const QString& goodsCode)
{
    if (auto c = counter(goodsCode))
        return c->onHand();
    const Counter fromLines = counterFromLines(goodsCode);
    return fromLines.rks - fromLines.cks;
}

} // namespace

std::optional<InBill> storedInBill(const QString& number)
{
    Recordset rs;
    rs.open(QStringLiteral("SELECT %1 FROM stock_in_bill WHERE stock_bill_id = ? ORDER BY rowid LIMIT 1").arg(InBillColumns),
            {number.trimmed()});
    if (rs.empty())
        return std::nullopt;
    InBill b;
    b.stock_bill_id = stored(rs, "stock_bill_id").toString();
    b.bill_num = stored(rs, "bill_num");
    b.stock_in_date = stored(rs, "stock_in_date").toString();
    b.in_man = stored(rs, "in_man");
    b.in_man_name = stored(rs, "in_man_name");
    b.pay_style = stored(rs, "pay_style");
    b.buy_man = stored(rs, "buy_man");
    b.buy_man_name = stored(rs, "buy_man_name");
    b.demo = stored(rs, "demo");
    b.ckh = stored(rs, "ckh");
    b.fs = stored(rs, "fs");
    b.repr_name = stored(rs, "repr_name");
    return b;
}

std::optional<OutBill> storedOutBill(const QString& number)
{
    Recordset rs;
    rs.open(QStringLiteral("SELECT %1 FROM stock_out_bill WHERE stock_bill_id = ? ORDER BY rowid LIMIT 1").arg(OutBillColumns),
            {number.trimmed()});
    if (rs.empty())
        return std::nullopt;
    OutBill b;
    b.stock_bill_id = stored(rs, "stock_bill_id").toString();
    b.bill_num = stored(rs, "bill_num");
    b.repr_name = stored(rs, "repr_name");
    b.stock_out_date = stored(rs, "stock_out_date").toString();
    b.get_man = stored(rs, "get_man");
    b.get_man_name = stored(rs, "get_man_name");
    b.val_man = stored(rs, "val_man");
    b.val_man_name = stored(rs, "val_man_name");
    b.ckh = stored(rs, "ckh");
    b.demo = stored(rs, "demo");
    b.fs = stored(rs, "fs");
    return b;
}

bool addInBill(const InBill& bill)
{
    if (billExists(BillTable::In, bill.stock_bill_id))
        return false;
    insertInBill(bill);
    return true;
}

bool addOutBill(const OutBill& bill)
{
    if (billExists(BillTable::Out, bill.stock_bill_id))
        return false;
    insertOutBill(bill);
    return true;
}

void rewriteInBill(const InBill& b)
{
    Db::exec(QStringLiteral("UPDATE stock_in_bill SET bill_num = ?, stock_in_date = ?, in_man = ?, in_man_name = ?,"
                            " pay_style = ?, buy_man = ?, buy_man_name = ?, demo = ?, ckh = ?, fs = ?, repr_name = ?"
                            " WHERE stock_bill_id = ?"),
             {b.bill_num, b.stock_in_date, b.in_man, b.in_man_name, b.pay_style, b.buy_man, b.buy_man_name, b.demo,
              b.ckh, b.fs, b.repr_name, b.stock_bill_id.trimmed()});
}

void rewriteOutBill(const OutBill& b)
{
    Db::exec(QStringLiteral("UPDATE stock_out_bill SET bill_num = ?, repr_name = ?, stock_out_date = ?, get_man = ?,"
                            " get_man_name = ?, val_man = ?, val_man_name = ?, ckh = ?, demo = ?, fs = ?"
                            " WHERE stock_bill_id = ?"),
             {b.bill_num, b.repr_name, b.stock_out_date, b.get_man, b.get_man_name, b.val_man, b.val_man_name, b.ckh,
              b.demo, b.fs, b.stock_bill_id.trimmed()});
}

std::optional<InLine> storedInLine(const QString& billNumber, const QString& goodsCode)
{
    if (auto s = findInLine(billNumber, goodsCode))
        return s->line;
    return std::nullopt;
}

std::optional<OutLine> storedOutLine(const QString& billNumber, const QString& goodsCode)
{
    if (auto s = findOutLine(billNumber, goodsCode))
        return s->line;
    return std::nullopt;
}

LineSave addStockInLine(const InLine& line)
{
    const QString warehouse = billWarehouse(BillTable::In, line.stock_bill_id);
    if (findInLine(line.stock_bill_id, line.code))
        return LineSave::Duplicate;
    insertInLine(line);
    postStockIn(line.code, warehouse, line.num, line.je);
    return LineSave::Saved;
}

LineSave editStockInLine(const InLine& line)
{
    const auto old = findInLine(line.stock_bill_id, line.code);
    if (!old)
        return LineSave::NoLine;
    Db::exec(QStringLiteral("UPDATE rkgl2004 SET id = ?, code = ?, name = ?, type = ?, pch = ?, jzsl = ?, gqsj = ?,"
                            " scs = ?, unit = ?, num = ?, price = ?, je = ? WHERE rowid = ?"),
             {line.id, line.code, line.name, line.type, line.pch, line.jzsl, line.gqsj, line.scs, line.unit,
              line.num.toVariant(), line.price.toVariant(), line.je.toVariant(), old->rowid});
    // The line is stored first: a counter row made afresh adds it up.
    postStockInEdit(line.code, line.num - old->line.num, line.je - old->line.je);
    return LineSave::Saved;
}

Decimal stockForEditedLine(const QString& billNumber, const QString& goodsCode)
{
    const auto line = findOutLine(billNumber, goodsCode);
    return onHandOrFromLines(goodsCode.trimmed()) + (line ? line->line.num : Decimal{});
}

LineSave addStockOutLine(const OutLine& line)
{
    const QString warehouse = billWarehouse(BillTable::Out, line.stock_bill_id);
    if (findOutLine(line.stock_bill_id, line.code))
        return LineSave::Duplicate;
    const auto c = counter(line.code);
    if (!c || c->onHand() < line.num)
        return LineSave::ShortOfStock;
    insertOutLine(line);
    postStockOut(line.code, warehouse, line.num, line.price.times(line.num));
    return LineSave::Saved;
}

LineSave editStockOutLine(const OutLine& line)
{
    const auto old = findOutLine(line.stock_bill_id, line.code);
    if (!old)
        return LineSave::NoLine;
    if (onHandOrFromLines(line.code) + old->line.num < line.num)
        return LineSave::ShortOfStock;
    Db::exec(QStringLiteral("UPDATE ckgl2004 SET num = ?, price = ? WHERE rowid = ?"),
             {line.num.toVariant(), line.price.toVariant(), old->rowid});
    const Decimal oldAmount = old->line.price.times(old->line.num);
    postStockOutEdit(line.code, line.num - old->line.num, line.price.times(line.num) - oldAmount);
    return LineSave::Saved;
}

} // namespace StockPosting
