// The demo database as run.sh makes it with tabulor-mkdb: its sales of dishes
// linked to goods are booked in stock as placing them books them, and the
// new-dish dialog proposes a code that no demo dish has.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include "menu/FrmXZCP.h"
#include "tests/TestSupport.h"

namespace {

class DemoDatabaseTest : public TabulorTest {
protected:
    // Builds the demo database beside the program, as run.sh does.
    QString buildDemoBesideTheProgram()
    {
        QDir().mkpath(programFolder());
        const QString demo = QDir(programFolder()).filePath(QStringLiteral("demo.db"));
        QProcess mkdb;
        mkdb.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tabulor-mkdb")),
                   {QStringLiteral("--demo"), demo});
        EXPECT_TRUE(mkdb.waitForFinished(60000));
        EXPECT_EQ(mkdb.exitCode(), 0) << mkdb.readAllStandardError().toStdString();
        return demo;
    }
    // Rows of a grouped query as "key=value" texts, in the query's order.
    static QStringList rows(const QString& query)
    {
        QStringList out;
        QSqlQuery q = Db::run(query);
        while (Db::next(q))
            out << q.value(0).toString() + u'=' + q.value(1).toString();
        return out;
    }
};

TEST_F(DemoDatabaseTest, SalesOfLinkedDishesAreBookedInStockAndTheNextDishCodeIsFree)
{
    const QString demo = buildDemoBesideTheProgram();
    Db::openShared(demo);

    // Sold (ordered or given free) and returned quantities of each linked goods.
    const QString linked = QStringLiteral(
        "SELECT d.cp_spgl, sum(%1) FROM strink_mess_200505 l JOIN cpdetail d ON d.code = l.food_code"
         " WHERE coalesce(d.cp_spgl, '') <> '' GROUP BY d.cp_spgl HAVING sum(%1) <> 0 ORDER BY d.cp_spgl");
    const QStringList sold = rows(linked.arg(QStringLiteral("CASE WHEN l.STS <> '1' THEN l.food_num ELSE 0 END")));
    const QStringList returned = rows(linked.arg(QStringLiteral("CASE WHEN l.STS = '1' THEN -l.food_num ELSE 0 END")));
    ASSERT_EQ(sold.size(), 2);       // the cola and the beer, with three weeks of sales
    ASSERT_EQ(returned.size(), 1);   // beer sent back
    EXPECT_EQ(rows(QStringLiteral("SELECT l.code, sum(l.num) FROM ckgl2004 l"
                                  " JOIN stock_out_bill b ON b.stock_bill_id = l.stock_bill_id"
                                  " WHERE b.fs = '销售出库' GROUP BY l.code ORDER BY l.code")),
              sold);
    EXPECT_EQ(rows(QStringLiteral("SELECT l.code, sum(l.num) FROM rkgl2004 l"
                                  " JOIN stock_in_bill b ON b.stock_bill_id = l.stock_bill_id"
                                  " WHERE b.fs = '销售入库' GROUP BY l.code ORDER BY l.code")),
              returned);
    // One bill per line, as placing books them.
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT count(*) FROM strink_mess_200505 l JOIN cpdetail d ON d.code = l.food_code"
                                        " WHERE coalesce(d.cp_spgl, '') <> ''")).toInt(),
              Db::scalar(QStringLiteral("SELECT (SELECT count(*) FROM stock_out_bill WHERE fs = '销售出库')"
                                        " + (SELECT count(*) FROM stock_in_bill WHERE fs = '销售入库')")).toInt());
    // Every counter adds up its goods' lines, and no goods is short.
    EXPECT_EQ(Db::scalar(QStringLiteral(
                  "SELECT count(*) FROM store s"
                  " WHERE s.rks <> (SELECT coalesce(sum(num), 0) FROM rkgl2004 WHERE code = s.code)"
                  "    OR s.cks <> (SELECT coalesce(sum(num), 0) FROM ckgl2004 WHERE code = s.code)"
                  "    OR s.rks < s.cks")).toInt(), 0);

    // The new-dish dialog on the demo proposes a code that no dish has.
    const QString proposed = Forms::get<FrmXZCP>().Text1->text();
    EXPECT_FALSE(proposed.isEmpty());
    EXPECT_EQ(Db::scalar(QStringLiteral("SELECT count(*) FROM cpdetail WHERE code = ?"), {proposed}).toInt(), 0)
        << qPrintable(proposed);
    Forms::unload<FrmXZCP>();
    Db::closeShared();
}

} // namespace

// The tool prints its usage for --help and -h and refuses any other option
// with it; in neither case does it create a file, "--help" least of all.
TEST_F(DemoDatabaseTest, MkdbTakesNoOptionForAFileName)
{
    const QString folder = QDir(programFolder()).filePath(QStringLiteral("mkdb"));
    QDir().mkpath(folder);
    const struct { QStringList args; int exitCode; bool usageOnStdout; } cases[] = {
        {{"--help"}, 0, true},
        {{"-h"}, 0, true},
        {{"--demo", "--help"}, 0, true},
        {{"--verbose"}, 2, false},
        {{"-x", "new.db"}, 2, false},
        {{"--demo"}, 2, false},
        {{}, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        QProcess mkdb;
        mkdb.setWorkingDirectory(folder);
        mkdb.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tabulor-mkdb")), c.args);
        ASSERT_TRUE(mkdb.waitForFinished(60000));
        EXPECT_EQ(mkdb.exitCode(), c.exitCode);
        const QString out = QString::fromUtf8(c.usageOnStdout ? mkdb.readAllStandardOutput() : mkdb.readAllStandardError());
        EXPECT_TRUE(out.contains(QStringLiteral("usage: tabulor-mkdb [--demo] FILE"))) << out.toStdString();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{});
    }
}
