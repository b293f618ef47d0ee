// The sales summary by table, the waiter ranking and the sales detail,
// grouped in the program over the period's bills with their seatings, give
// every cell of the statements they replace, in their order: seatings with
// several bills and payment methods, continued after the period or still
// open, ended before their bills or never; seating ids spelled in other
// letter cases on the bills; tables and waiters spelled in several cases;
// seatings of a missing table or of none; bills of a missing seating or of
// none; diners and amounts stored as whole and fractional numbers, as text
// and as Null; bill numbers that run against their dates.
#include <QRandomGenerator>
#include <QSet>
#include "db/RowReader.h"
#include "reports/ReportQueries.h"
#include "reports/SeatingTotals.h"
#include "tests/ReportsFixture.h"

namespace {

class SeatingTotalsTest : public ReportsFixture {
protected:
    // Some 420 days of seatings up to 10 March 2026 and their bills, drawn at random.
    void history(quint32 seed)
    {
        QRandomGenerator rnd(seed);
        sql(QStringLiteral("PRAGMA synchronous=OFF"));   // thousands of rows, one commit each
        auto pick = [&](const QVariantList& from) { return from[int(rnd.bounded(quint32(from.size())))]; };
        table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("A2"), QStringLiteral("Hall"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("a3"), QStringLiteral("hALL"), QStringLiteral("01"), QStringLiteral("四人台"));
        table(QStringLiteral("201"), QStringLiteral("牡丹厅"), QStringLiteral("02"), QStringLiteral("十人台"));
        sql(QStringLiteral("INSERT INTO house_table (table_id, house_name) VALUES ('b4', NULL), (NULL, 'x')"));
        const QVariantList tables{QStringLiteral("101"), QStringLiteral("a2"), QStringLiteral("A2"), QStringLiteral("A3"),
                                  QStringLiteral("a3"), QStringLiteral("201"), QStringLiteral("B4"),
                                  QStringLiteral("999"), QVariant()};
        const QVariantList waiters{QStringLiteral("bob"), QStringLiteral("BOB"), QStringLiteral("Bob"),
                                   QStringLiteral("ann"), QStringLiteral("Ann"), QStringLiteral("黄静"),
                                   QStringLiteral(""), QVariant()};
        const QVariantList diners{4, 2, 10, 0, 7, QVariant(), QStringLiteral("3"), 2.5, 0.1, QStringLiteral("x")};
        const QVariantList pays{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral(" 0"),
                                QStringLiteral("1"), QStringLiteral("2 "), QStringLiteral("3"), QStringLiteral("4"),
                                QStringLiteral("5"), QString(""), QVariant(), QStringLiteral("0\t"),
                                QStringLiteral("x"), QStringLiteral("X")};
        const QVariantList amounts{100, 100, 12.5, 0.00005, 7.333, -3.3333, QVariant(), QStringLiteral("abc"), 0};
        const QDateTime first(QDate(2025, 1, 15), QTime(0, 0, 0));
        for (int s = 0; s < 600; ++s) {
            // Ids whose NOCASE order differs from their byte order.
            const QString seating = (s % 3 ? QStringLiteral("s%1") : QStringLiteral("S%1")).arg(s * 37 % 600);
            const QDateTime at = first.addSecs(qint64(rnd.bounded(420 * 86400)));
            const int bills = 1 + int(rnd.bounded(4));
            QDateTime last = at;
            for (int b = 0; b < bills; ++b) {
                // Bill numbers do not follow the dates; some bills spell the
                // seating's id in another case, and a continued seating is
                // settled again days later.
                last = last.addSecs(qint64(rnd.bounded(b > 0 && rnd.bounded(4) == 0 ? 20 * 86400 : 7200)));
                const qint64 id = 100000 - s * 16 + b * 4 + qint64(rnd.bounded(3));
                const QVariant spelled = s % 97 == 5 ? QVariant() : QVariant(s % 5 == 1 ? seating.toLower() : seating);
                sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (account_id, use_table_id, account_date, fee_price, "
                                   "discount_price, account_price, no_account_price, pay_sts) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                    {id, spelled, DateTimeText::format(last), pick(amounts), pick(amounts), pick(amounts),
                     pick(amounts), pick(pays)});
            }
            if (s % 50 == 7)
                continue;   // the bills of a seating that is not stored
            // Ended at the last checkout, mostly; or later (continued after
            // it), or before its bills, or not yet.
            QVariant end = DateTimeText::format(last);
            switch (rnd.bounded(10)) {
            case 0: end = DateTimeText::format(last.addDays(40)); break;
            case 1: end = QVariant(); break;
            case 2: end = DateTimeText::format(at.addDays(-2)); break;
            default: break;
            }
            sql(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, end_date, "
                               "strink_num, serv_name, sts) VALUES (?, ?, ?, ?, ?, ?, 'P')"),
                {seating, pick(tables), DateTimeText::format(at), end, pick(diners), pick(waiters)});
        }
    }

    // A row of the sales detail as shown.
    struct DetailRow {
        QString table, name, pay;
        QVariant diners;
        Money fee, discount, received, waived;
        bool firstOfSeating;
    };
    // The rows of the sales detail statement as the window read them before
    // it grouped the bills itself; a seating's first row is the first of its
    // id (without regard to case).
    static std::vector<DetailRow> statementRows(const ReportPeriod& p)
    {
        std::vector<DetailRow> rows;
        QSet<QString> seatings;
        Db::RowReader r(ReportQueries::salesDetail(), p.bounds());
        while (r.next()) {
            const QString seating = r.text(3).toLower();
            rows.push_back({r.text(0), r.text(1), r.text(4).trimmed(), r.variant(2), r.money(5), r.money(6),
                            r.money(7), r.money(8), !seatings.contains(seating)});
            seatings.insert(seating);
        }
        return rows;
    }
    static std::vector<DetailRow> programRows(const ReportPeriod& p)
    {
        const SeatingTotals::SalesDetail detail = SeatingTotals::salesDetail(p);
        std::vector<DetailRow> rows;
        for (const SeatingTotals::SalesDetail::Row& r : detail.rows)
            rows.push_back({detail.texts.at(r.table), detail.texts.at(r.name), detail.texts.at(r.pay),
                            detail.dinerValues.at(r.diners), r.fee, r.discount, r.received, r.waived,
                            r.firstOfSeating});
        return rows;
    }
};

} // namespace

TEST_F(SeatingTotalsTest, SameCellsAsTheStatements)
{
    for (quint32 seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        if (seed > 1) {
            for (const char* t : {"ACCOUNT_200606", "use_table_200505", "house_table"})
                sql(QStringLiteral("DELETE FROM ") + QLatin1String(t));
        }
        history(seed);
        for (const ReportPeriod& p : {lastDays(1), lastDays(31), lastDays(366), lastDays(500),
                                      lastDays(200, QTime(10, 30, 0), QTime(9, 0, 0))}) {
            const std::string what = std::to_string(p.days) + " days";
            Recordset byTable, ranking;
            byTable.open(ReportQueries::salesByTable(), p.bounds());
            ranking.open(ReportQueries::waiterRanking(), p.bounds());
            if (p.days > 31) {
                ASSERT_EQ(byTable.RecordCount(), 5) << what;
                ASSERT_EQ(ranking.RecordCount(), 5) << what;
            }
            expectSame(byTable, SeatingTotals::byTable(p), "by table, " + what);
            expectSame(ranking, SeatingTotals::waiterRanking(p), "waiter ranking, " + what);

            const std::vector<DetailRow> expected = statementRows(p);
            const std::vector<DetailRow> actual = programRows(p);
            if (p.days > 31)
                ASSERT_GT(expected.size(), 100u) << what;
            ASSERT_EQ(expected.size(), actual.size()) << what;
            for (size_t i = 0; i < expected.size(); ++i) {
                const DetailRow &e = expected[i], &a = actual[i];
                const std::string where = "sales detail, " + what + " row " + std::to_string(i);
                EXPECT_EQ(e.table, a.table) << where;
                EXPECT_EQ(e.name, a.name) << where;
                EXPECT_EQ(e.pay, a.pay) << where;
                EXPECT_EQ(e.diners.typeId(), a.diners.typeId()) << where;
                EXPECT_EQ(e.diners.toString(), a.diners.toString()) << where;
                EXPECT_EQ(e.fee, a.fee) << where;
                EXPECT_EQ(e.discount, a.discount) << where;
                EXPECT_EQ(e.received, a.received) << where;
                EXPECT_EQ(e.waived, a.waived) << where;
                EXPECT_EQ(e.firstOfSeating, a.firstOfSeating) << where;
            }
        }
    }
}
