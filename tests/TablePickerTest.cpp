// The table picker: its lists by mode, select, transfer and merge.
#include "frontdesk/FrmFTXZ.h"
#include "frontdesk/FrmSYGL.h"
#include "shell/Module1.h"
#include "tests/BoardFixture.h"

namespace {
QStringList entries(const FrmFTXZ& p)
{
    QStringList out;
    for (int i = 0; i < p.List1->count(); ++i)
        out << p.List1->item(i)->text();
    return out;
}
} // namespace

class TablePicker : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        type(QStringLiteral("01"), QStringLiteral("大厅"));
        type(QStringLiteral("02"), QStringLiteral("包间"));
        table(QStringLiteral("101"), QStringLiteral("大厅1"), QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("B"));
        table(QStringLiteral("102"), QStringLiteral("大厅2"), QStringLiteral("01"), QStringLiteral("A"));
        table(QStringLiteral("103"), QStringLiteral("大厅3"), QStringLiteral("01"), QStringLiteral("C"));
        table(QStringLiteral("104"), QStringLiteral("大厅4"), QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("B"));
        table(QStringLiteral("105"), QStringLiteral("大厅5"), QStringLiteral("01"), QStringLiteral("D"));
        table(QStringLiteral("106"), QStringLiteral("大厅6"), QStringLiteral("01"), QStringLiteral("P"));
        table(QStringLiteral("201"), QStringLiteral("牡丹"), QStringLiteral("02"), QStringLiteral("E"));
        table(QStringLiteral("202"), QStringLiteral("芙蓉"), QStringLiteral("02"), QStringLiteral("A"));
        source = seat(QStringLiteral("101"), QStringLiteral("2026-05-01 12:00:00"), 3);
        target = seat(QStringLiteral("102"), QStringLiteral("2026-05-01 11:00:00"), 4);
        seat(QStringLiteral("105"), QStringLiteral("2026-05-01 10:00:00"), 2, QStringLiteral("D"));
        seat(QStringLiteral("201"), QStringLiteral("2026-05-01 09:00:00"), 5, QStringLiteral("D"));
        bare = seat(QStringLiteral("202"), QStringLiteral("2026-05-01 12:30:00"), 1);
        for (int i = 0; i < 5; ++i)
            line(target, i, 10 + i, 1, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("目标%1").arg(i));
        line(source, 0, 30, 2, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("甲"));
        line(source, 1, 20, 1, QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("乙"));
        line(source, 2, 15, -1, QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("丙"));
    }

    // Opens the picker from the board button with the given table selected
    // and runs fn on it.
    void pick(int button, const QString& selectedTable, const std::function<void(FrmFTXZ&)>& fn)
    {
        FrmSYGL& w = board();
        clickRow(w.ListView1, rowOf(selectedTable));
        Forms::onModal(QStringLiteral("FrmFTXZ"), [fn](Form& f) { fn(static_cast<FrmFTXZ&>(f)); });
        w.Toolbar1_ButtonClick(button);   // button 4 is hidden: its handler still runs
    }

    QString source, target, bare;
};

TEST_F(TablePicker, ListsByMode)
{
    FrmSYGL& w = board();
    QStringList selectList, transferList, mergeList;
    QString text1;
    pick(4, QStringLiteral("101"), [&](FrmFTXZ& p) {
        EXPECT_EQ(p.windowTitle(), QStringLiteral("选择房台"));
        EXPECT_EQ(p.Label1[0]->text() + p.Label1[1]->text() + p.Label1[2]->text(),
                  QStringLiteral("房台编号房台名称房台状态"));
        selectList = entries(p);
        text1 = p.Text1->text();
        EXPECT_TRUE(p.Command1->isEnabled());
        screenshot(&p, QStringLiteral("table-picker"));
    });
    EXPECT_EQ(selectList.size(), w.ListView1->count());   // every row, disabled ones too
    EXPECT_EQ(selectList.first(),
              QStringLiteral("101            ") + QStringLiteral("  |  ") + QStringLiteral("大厅             ") +
                  QStringLiteral("  |  ") + QStringLiteral("在用"));
    EXPECT_EQ(text1, QStringLiteral("101              "));   // 17 characters, untrimmed
    EXPECT_TRUE(selectList.contains(FrmFTXZ::entryText(QStringLiteral("106"), QStringLiteral("大厅"), QStringLiteral("禁用"))));

    pick(5, QStringLiteral("101"), [&](FrmFTXZ& p) { transferList = entries(p); });
    EXPECT_EQ(transferList, QStringList{FrmFTXZ::entryText(QStringLiteral("103"), QStringLiteral("大厅"), QStringLiteral("空闲"))});

    pick(6, QStringLiteral("101"), [&](FrmFTXZ& p) { mergeList = entries(p); });
    EXPECT_EQ(mergeList, (QStringList{FrmFTXZ::entryText(QStringLiteral("102"), QStringLiteral("大厅"), QStringLiteral("在用")),
                                      FrmFTXZ::entryText(QStringLiteral("201"), QStringLiteral("包间"), QStringLiteral("续单")),
                                      FrmFTXZ::entryText(QStringLiteral("202"), QStringLiteral("包间"), QStringLiteral("在用"))}));

    // No free table: nothing to offer, OK disabled, Exit closes with nothing written.
    sql(QStringLiteral("UPDATE house_table SET othersts = 'P' WHERE table_id = '103'"));
    w.ListView1Detail();
    const QString before = dump();
    pick(5, QStringLiteral("101"), [&](FrmFTXZ& p) {
        EXPECT_EQ(p.List1->count(), 0);
        EXPECT_FALSE(p.Command1->isEnabled());
        p.Command2->click();
    });
    EXPECT_FALSE(Forms::isLoaded<FrmFTXZ>());
    EXPECT_EQ(dump(), before);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TablePicker, SelectModeOpensOrderingForTheTypedTable)
{
    FrmSYGL& w = board();
    QString seenTable;
    bool selectMode = false;
    Forms::onModal(QStringLiteral("FrmDCKT"), [&](Form&) {
        seenTable = w.current(FrmSYGL::ColTableId);
        selectMode = Module1::SelectTableMode;
        EXPECT_TRUE(Forms::isLoaded<FrmFTXZ>());
    });
    pick(4, QStringLiteral("101"), [&](FrmFTXZ& p) {
        p.Text1->setText(QStringLiteral("106"));   // a bare number lacks the trailing blanks
        p.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("房台编号输入有误，请重新输入")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_TRUE(Forms::isLoaded<FrmFTXZ>());
        EXPECT_EQ(Forms::modalShows(), std::vector<QString>{QStringLiteral("FrmFTXZ")});

        p.Text1->setText(QStringLiteral("106").leftJustified(17, u' '));
        p.Command1->click();
    });
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmFTXZ", "FrmDCKT"}));
    EXPECT_EQ(seenTable, QStringLiteral("106"));
    EXPECT_TRUE(selectMode);
    EXPECT_EQ(Module1::TargetTableId, QStringLiteral("106"));
    EXPECT_FALSE(Forms::isLoaded<FrmFTXZ>());
}

// The picked entry stays highlighted through every stray gesture, checked
// after each one, and 确定 opens the ordering window for it.
TEST_F(TablePicker, ThePickedTableStaysHighlightedThroughStrayGestures)
{
    FrmSYGL& w = board();
    QString seenTable;
    Forms::onModal(QStringLiteral("FrmDCKT"), [&](Form&) { seenTable = w.current(FrmSYGL::ColTableId); });
    pick(4, QStringLiteral("101"), [&](FrmFTXZ& p) {
        const int row = int(entries(p).indexOf(FrmFTXZ::entryText(QStringLiteral("103"), QStringLiteral("大厅"),
                                                                  QStringLiteral("空闲"))));
        ASSERT_GT(row, 0);   // not the entry the picker starts on
        clickRow(p.List1, row);
        for (ListGesture g : EveryListGesture) {
            SCOPED_TRACE(gestureName(g));
            perform(g, p.List1);
            EXPECT_EQ(p.List1->currentRow(), row);
            EXPECT_EQ(p.List1->selectedItems(), QList<QListWidgetItem*>{p.List1->item(row)});
            EXPECT_EQ(p.Text1->text().trimmed(), QStringLiteral("103"));
        }
        p.Command1->click();
    });
    EXPECT_EQ(seenTable, QStringLiteral("103"));
    EXPECT_EQ(messages(), QStringList{});
}

TEST_F(TablePicker, TransferHandsTheTargetToTheOrderingWindow)
{
    QString target;
    bool transfer = false, merge = true, pickerHidden = false;
    QStringList messagesBefore;
    Forms::onModal(QStringLiteral("FrmDCKT"), [&](Form&) {
        target = Module1::TargetTableId;
        transfer = Module1::TransferTableMode;
        merge = Module1::MergeTableMode;
        messagesBefore = messages();
        if (Form* p = Forms::find(QStringLiteral("FrmFTXZ")))
            pickerHidden = !p->isVisible();
    });
    pick(5, QStringLiteral("202"), [&](FrmFTXZ& p) { p.Command1->click(); });
    EXPECT_EQ(messagesBefore, QStringList{QStringLiteral("转台成功!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
    EXPECT_TRUE(pickerHidden);
    EXPECT_EQ(target, QStringLiteral("103"));
    // The ordering window moved the board's selected table's seating.
    EXPECT_EQ(value(QStringLiteral("SELECT house_table_id FROM use_table_200505 WHERE use_table_id = ?"), {bare}).toString(),
              QStringLiteral("103"));
    EXPECT_TRUE(transfer);
    EXPECT_FALSE(merge);
    EXPECT_FALSE(Forms::isLoaded<FrmFTXZ>());
    // The flags keep their values until the board's next command.
    EXPECT_TRUE(Module1::TransferTableMode);
}

TEST_F(TablePicker, MergeMovesLinesAndDinersAndFreesTheSource)
{
    FrmSYGL& w = board();
    Recordset before;
    before.open(QStringLiteral("SELECT * FROM strink_mess_200505 WHERE use_table_id = ? ORDER BY fsxh"), {source});
    pick(6, QStringLiteral("101"), [&](FrmFTXZ& p) {
        p.List1->setCurrentRow(0);   // table 102
        p.Command1->click();
    });
    ASSERT_EQ(messages(), (QStringList{"2026-05-01 12:00:00", "并台成功!"}));
    const auto& shown = MessageSeam::messages();
    EXPECT_EQ(shown[0].buttons, int(Msg::OKOnly));
    EXPECT_EQ(shown[0].icon, int(Msg::NoIcon));
    EXPECT_EQ(shown[0].title, QString());
    EXPECT_EQ(shown[1].icon, int(Msg::Information));
    EXPECT_EQ(shown[1].title, QStringLiteral("提示"));
    EXPECT_EQ(Module1::TargetTableId, QStringLiteral("102"));
    EXPECT_EQ(Module1::TargetOpenTime, QStringLiteral("2026-05-01 11:00:00"));

    // Lines 5, 6, 7 under the target's id in their old order, all else unchanged.
    Recordset moved;
    moved.open(QStringLiteral("SELECT * FROM strink_mess_200505 WHERE use_table_id = ? AND fsxh >= 5 ORDER BY fsxh"), {target});
    ASSERT_EQ(moved.RecordCount(), 3);
    int i = 0;
    for (before.MoveFirst(), moved.MoveFirst(); !moved.isEOF(); before.MoveNext(), moved.MoveNext(), ++i) {
        EXPECT_EQ(moved.field(QStringLiteral("fsxh")).toInt(), 5 + i);
        for (int f = 0; f < before.fieldCount(); ++f) {
            const QString name = before.fieldName(f);
            if (name != u"fsxh" && name != u"use_table_id")
                EXPECT_EQ(moved.field(name), before.field(name)) << qPrintable(name);
        }
    }
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {target}), 8);
    EXPECT_EQ(value(QStringLiteral("SELECT strink_num FROM use_table_200505 WHERE use_table_id = ?"), {target}).toInt(), 7);
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE use_table_id = ?"), {source}), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT othersts || sts FROM house_table WHERE table_id = '101'")).toString(),
              QStringLiteral("CB"));   // the reservation mark stays
    EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '102'")).toString(), QStringLiteral("A"));
    EXPECT_EQ(w.ListView1->subItem(rowOf(QStringLiteral("101")), 1), QStringLiteral("预订"));
    EXPECT_FALSE(Forms::isLoaded<FrmFTXZ>());
}

TEST_F(TablePicker, MergeIntoATargetWithoutLinesNumbersFromZero)
{
    board();
    sql(QStringLiteral("UPDATE house_table SET sts = NULL WHERE table_id = '101'"));
    board().ListView1Detail();
    pick(6, QStringLiteral("101"), [&](FrmFTXZ& p) {
        p.List1->setCurrentRow(2);   // table 202, no lines
        p.Command1->click();
    });
    ASSERT_EQ(messages().last(), QStringLiteral("并台成功!"));
    Recordset rs;
    rs.open(QStringLiteral("SELECT fsxh, food_name FROM strink_mess_200505 WHERE use_table_id = ? ORDER BY fsxh"), {bare});
    QStringList got;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
        got << rs.text(QStringLiteral("fsxh")) + rs.text(QStringLiteral("food_name"));
    EXPECT_EQ(got, (QStringList{"0甲", "1乙", "2丙"}));
    EXPECT_EQ(board().ListView1->subItem(rowOf(QStringLiteral("101")), 1), QStringLiteral("空闲"));
}

TEST_F(TablePicker, AFailedMergeLeavesBothSeatingsAsTheyWere)
{
    board();
    sql(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON use_table_200505 BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    const QString before = dump();
    pick(6, QStringLiteral("101"), [&](FrmFTXZ& p) {
        p.Command1->click();
        EXPECT_TRUE(Forms::isLoaded<FrmFTXZ>());   // the picker stays open
    });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().contains(QStringLiteral("locked")));
    EXPECT_EQ(lastMessage().title, QStringLiteral("信息提示"));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(board().ListView1->subItem(rowOf(QStringLiteral("101")), 1), QStringLiteral("在用"));
}

TEST_F(TablePicker, AMergeWithASeatingChangedOnAnotherTillIsRefused)
{
    // Source 101 into target 102; the other till acts while the picker is open.
    const struct {
        const char* name;
        std::vector<const char*> otherTill;
    } cases[] = {
        {"target settled and cleared",
         {"UPDATE house_table SET othersts = 'C' WHERE table_id = '102'",
          "UPDATE use_table_200505 SET sts = 'P' WHERE house_table_id = '102'"}},
        {"target settled",
         {"UPDATE house_table SET othersts = 'D' WHERE table_id = '102'",
          "UPDATE use_table_200505 SET sts = 'D' WHERE house_table_id = '102'"}},
        {"source cleared",
         {"UPDATE house_table SET othersts = 'C' WHERE table_id = '101'",
          "UPDATE use_table_200505 SET sts = 'P' WHERE house_table_id = '101'"}},
        {"source cleared and opened again",
         {"UPDATE use_table_200505 SET sts = 'P' WHERE house_table_id = '101'",
          "INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, strink_num, sts) "
          "VALUES ('20260501130000', '101', '2026-05-01 13:00:00', 2, 'A')"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sql(QStringLiteral("DELETE FROM use_table_200505 WHERE use_table_id = '20260501130000'"));
        sql(QStringLiteral("UPDATE house_table SET othersts = 'A' WHERE table_id IN ('101', '102')"));
        sql(QStringLiteral("UPDATE use_table_200505 SET sts = 'A' WHERE house_table_id IN ('101', '102')"));
        board().ListView1Detail();
        MessageSeam::clear();
        QString afterOtherTill;
        pick(6, QStringLiteral("101"), [&](FrmFTXZ& p) {
            p.List1->setCurrentRow(0);   // table 102
            {
                OtherTill other(dbPath());
                for (const char* statement : c.otherTill)
                    other.exec(QString::fromLatin1(statement));
            }
            afterOtherTill = dump();
            p.Command1->click();
        });
        ASSERT_EQ(messages().size(), 2);
        EXPECT_TRUE(messages()[1].startsWith(DbError::sentence(DbError::Changed) + u'\n')) << qPrintable(messages()[1]);
        EXPECT_EQ(dump(), afterOtherTill);
        EXPECT_FALSE(Forms::isLoaded<FrmFTXZ>());   // its list and source were out of date
    }
}

TEST_F(TablePicker, AMergeWhoseReadFailsChangesNothing)
{
    board();
    const QString before = dump();
    // Without its line numbers the moved lines would take numbers the
    // target already has.
    Db::injectReadFault(1, QStringLiteral("max(fsxh)"));
    pick(6, QStringLiteral("101"), [&](FrmFTXZ& p) {
        p.List1->setCurrentRow(0);
        p.Command1->click();
        EXPECT_TRUE(Forms::isLoaded<FrmFTXZ>());
    });
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].startsWith(DbError::sentence(DbError::Read) + u'\n'));
    EXPECT_FALSE(messages().contains(QStringLiteral("并台成功!")));
    EXPECT_EQ(dump(), before);
}

TEST_F(TablePicker, MergingAContinuedBillTakesItsPaymentAndBillRowsAlong)
{
    // Table 201 was settled (a bill row and two payments) and continued.
    const QString continued = QStringLiteral("20260501090000");
    line(continued, 0, 30, 1, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("丁"));
    line(continued, 1, 25.5, 1, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("戊"));
    line(continued, 2, 12, 1, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("己"));   // after continuing
    sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (use_table_id, fee_price, account_price, pay_sts) VALUES (?, 55.5, 55.5, '0')"),
        {continued});
    sql(QStringLiteral("INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts) VALUES (?, 30, '0'), (?, 25.5, '2')"),
        {continued, continued});
    sql(QStringLiteral("INSERT INTO ACCOUNT_200606 (use_table_id, fee_price, account_price, pay_sts) VALUES ('20260401090000', 8, 8, '0')"));
    sql(QStringLiteral("INSERT INTO account_mess_200505 (use_table_id, pay_money, pay_sts) VALUES ('20260401090000', 8, '0')"));
    const auto sums = [&] {
        return value(QStringLiteral("SELECT sum(account_price) FROM ACCOUNT_200606")).toString() + u'/'
            + value(QStringLiteral("SELECT sum(pay_money) FROM account_mess_200505")).toString();
    };
    const QString before = sums();
    ASSERT_EQ(before, QStringLiteral("63.5/63.5"));

    pick(6, QStringLiteral("201"), [&](FrmFTXZ& p) {
        p.List1->setCurrentRow(0);   // table 101
        p.Command1->click();
    });
    ASSERT_EQ(messages().last(), QStringLiteral("并台成功!"));
    for (const char* t : {"use_table_200505", "strink_mess_200505", "ACCOUNT_200606", "account_mess_200505"})
        EXPECT_EQ(count(QString::fromLatin1(t), QStringLiteral("WHERE use_table_id = ?"), {continued}), 0) << t;
    EXPECT_EQ(sums(), before);
    EXPECT_EQ(count(QStringLiteral("ACCOUNT_200606"), QStringLiteral("WHERE use_table_id = ?"), {source}), 1);
    EXPECT_EQ(count(QStringLiteral("account_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {source}), 2);
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {source}), 6);
    EXPECT_EQ(value(QStringLiteral("SELECT othersts FROM house_table WHERE table_id = '201'")).toString(), QStringLiteral("C"));
}
