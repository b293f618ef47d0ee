// Builds a Tabulor database file from the schema and the seed rows, with the
// demo rows when asked: tabulor-mkdb [--demo] FILE
// A demo database also gets its sales of goods-linked dishes booked in stock
// and, beside FILE, the dish-code counter file "AutoCode.text".
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Money.h"
#include "db/Recordset.h"
#include "db/StockPosting.h"
#include "menu/AutoCodeFile.h"
#include "ordering/OrderingData.h"
#include "platform/Seams.h"

namespace {

// The demo's order lines of dishes linked to goods, booked through the stock
// posting as placing the order, giving a dish free and taking a return book
// them, each at the time of its line (so the bill's number and day are
// those of the sale). The demo's cashier books them.
void bookDemoSales()
{
    Recordset lines;
    lines.open(QStringLiteral("SELECT l.bill_time, l.food_num, l.price, l.STS, l.memo, d.cp_spgl"
                              "  FROM strink_mess_200505 l JOIN cpdetail d ON d.code = l.food_code"
                              " WHERE coalesce(d.cp_spgl, '') <> ''"
                              " ORDER BY l.bill_time, l.use_table_id, l.fsxh"));
    const StockPosting::Booker cashier{QString(), QStringLiteral("001")};
    Transaction tx;
    for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext()) {
        Clock::fix(DateTimeText::parse(lines.text(QStringLiteral("bill_time"))));
        const QString goods = lines.field(QStringLiteral("cp_spgl")).toString();
        const Money quantity = Money::fromVariant(lines.field(QStringLiteral("food_num")));
        const Money price = Money::fromVariant(lines.field(QStringLiteral("price")));
        const QString kind = lines.text(QStringLiteral("STS"));
        if (kind == Ordering::KindReturned)
            StockPosting::bookReturn(goods, -quantity, price, lines.text(QStringLiteral("memo")), cashier);
        else
            StockPosting::bookSale(goods, quantity, price,
                                   kind == Ordering::KindFree ? Ordering::lineKindWord(Ordering::KindFree)
                                                              : QStringLiteral("吧台销售"),
                                   cashier);
    }
    tx.commit();
    Clock::release();
}

// The counter file beside the demo database holds the highest demo dish
// code, so the new-dish dialog proposes a code no demo dish has.
void writeDemoAutoCode(const QString& databasePath)
{
    const QString highest =
        Db::scalar(QStringLiteral("SELECT CAST(max(CAST(code AS INTEGER)) AS TEXT) FROM cpdetail")).toString();
    const QString file = AutoCodeFile::pathIn(QFileInfo(databasePath).absolutePath());
    if (!AutoCodeFile::writeFile(file, highest))
        throw DbError(QStringLiteral("cannot write ") + file);
}

void removeDatabaseFile(const QString& path)
{
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const char* const usage = "usage: tabulor-mkdb [--demo] FILE\n";
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(usage, stdout);
        return 0;
    }
    const bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    // An option it does not know is never taken for the file to create.
    for (const QString& arg : args) {
        if (arg.startsWith(u'-')) {
            std::fprintf(stderr, "tabulor-mkdb: unknown option %s\n%s", qPrintable(arg), usage);
            return 2;
        }
    }
    if (args.size() != 1) {
        std::fputs(usage, stderr);
        return 2;
    }
    const QString path = args.first();
    try {
        Db::buildDatabaseFile(path, demo);
    } catch (const DbError& e) {
        std::fprintf(stderr, "tabulor-mkdb: %s\n", qPrintable(e.text));
        return 1;
    }
    if (!demo)
        return 0;
    try {
        Db::openShared(path);
        bookDemoSales();
        writeDemoAutoCode(path);
        Db::closeShared();
    } catch (const DbError& e) {
        Clock::release();
        Db::closeShared();
        removeDatabaseFile(path);
        std::fprintf(stderr, "tabulor-mkdb: %s\n", qPrintable(e.text));
        return 1;
    }
    return 0;
}
