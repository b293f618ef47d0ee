// The look-ups that windows repeat on the history tables (seatings, order
// lines, reservations) each seek through an index: none reads a whole
// table, and a table's current seating is found without its history.
#include "tests/TestSupport.h"

TEST_F(TabulorTest, RepeatedLookupsOfHistoryTablesUseAnIndex)
{
    openDb();
    const struct { const char* query; const char* index; } lookups[] = {
        // the board: each table's current seating, its reservations, the clicked table's lines
        {"select * from use_table_200505 where house_table_id = ? and sts <> 'P' order by rowid", "use_table_current"},
        {"select * from pre_strink where pre_house = ? order by rowid", "pre_strink_house"},
        {"select * from strink_mess_200505 where use_table_id = ? and use_table_id in (select use_table_id from "
         "use_table_200505 where house_table_id = ? and sts <> 'P') order by fsxh, rowid", "strink_mess_seating"},
        // the reservation manager: current reservations by table and by type
        {"select count(*) from pre_strink where endtime > ? and pre_house = ?", "pre_strink_house_time"},
        {"SELECT rowid, * FROM pre_strink where bmid = ? and endtime >= ? ORDER BY rowid", "pre_strink_type_time"},
        {"SELECT rowid, * FROM pre_strink where pre_house = ? and endtime >= ? ORDER BY rowid", "pre_strink_house_time"},
        // the ordering window and its dialogs
        {"select use_table_id from use_table_200505 where house_table_id = ? and start_date = ? order by rowid limit 1",
         "use_table_table"},
        {"select 1 from use_table_200505 where house_table_id = ? and sts <> 'P' limit 1", "use_table_current"},
        {"select 1 from use_table_200505 where use_table_id = ? or start_date = ? limit 1", "use_table_start"},
        {"select * from use_table_200505 where use_table_id = ?", "sqlite_autoindex_use_table_200505_1"},
        {"select * from strink_mess_200505 where use_table_id = ? order by fsxh, rowid", "strink_mess_seating"},
        {"select 1 from strink_mess_200505 where use_table_id = ? and fsxh = ?", "strink_mess_seating"},
        // clearing a table and checkout find the seating by its open time
        {"select * from use_table_200505 where start_date = ?", "use_table_start"},
    };
    for (const auto& l : lookups) {
        const QString query = QString::fromLatin1(l.query);
        Recordset plan;
        QVariantList params;
        for (int i = 0; i < query.count(u'?'); ++i)
            params << QString();
        plan.open(QStringLiteral("EXPLAIN QUERY PLAN ") + query, params);
        QStringList steps;
        for (plan.MoveFirst(); !plan.isEOF(); plan.MoveNext())
            steps << plan.field(QStringLiteral("detail")).toString();
        const QString text = steps.join(QStringLiteral(" / "));
        EXPECT_FALSE(text.contains(QStringLiteral("SCAN"))) << qPrintable(query) << "\n" << qPrintable(text);
        EXPECT_TRUE(text.contains(QString::fromLatin1(l.index))) << qPrintable(query) << "\n" << qPrintable(text);
    }
}
