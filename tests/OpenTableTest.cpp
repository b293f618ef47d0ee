// The open-table dialog: its fields, its refusals, the seating it writes and
// what it hands to the ordering window, on one till and on two.
#include <QTest>
#include "ordering/FrmKTXX.h"
#include "platform/KeyFilters.h"
#include "tests/OrderingFixture.h"

namespace {

class OpenTable : public FloorFixture {
protected:
    // Opens the ordering window for a table and runs fn in the open-table
    // dialog that comes by itself; then runs after in the window.
    void openTable(const QString& tableId, const std::function<void(FrmKTXX&)>& fn,
                   const std::function<void(FrmDCKT&)>& after = {})
    {
        openDialog<FrmKTXX>(tableId, {}, fn, after);
    }
    QString seatingRow(const QString& id)
    {
        Recordset rs;
        rs.open(QStringLiteral("SELECT use_table_id, house_table_id, start_date, coalesce(end_date, '~'), acc_date, "
                               "strink_num, strink_def, serv_code, serv_name, cust_code, cust_name, house_class, memo, "
                               "man_type, use_table_man_id, sts FROM use_table_200505 WHERE use_table_id = ?"),
                {id});
        if (rs.empty())
            return QStringLiteral("none");
        QStringList out;
        for (int i = 0; i < rs.fieldCount(); ++i)
            out << rs.field(i).toString();
        return out.join(u'|');
    }
};

} // namespace

TEST_F(OpenTable, TheDialogProposesTheSeatingOfTheMomentItAppears)
{
    openTable(QStringLiteral("102"), [&](FrmKTXX& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("开台信息"));
        EXPECT_EQ(d.TxtXTBH->text(), QStringLiteral("20260501123000"));
        EXPECT_EQ(d.TxtKTSJ->text(), QStringLiteral("2026-05-01 12:30:00"));
        EXPECT_EQ(d.TxtFTMC->text(), QStringLiteral("大厅2"));
        EXPECT_EQ(d.TxtSSBM->text(), QStringLiteral("大厅"));
        EXPECT_EQ(d.CmbBC->currentText(), QStringLiteral("早班"));
        EXPECT_EQ(d.CmbBC->count(), 3);
        // Every employee, in the staff table's order, the system user first.
        const QStringList staff{QStringLiteral("系统管理员"), QStringLiteral("张丽"), QStringLiteral("王强"),
                                QStringLiteral("李娜")};
        for (QComboBox* list : {d.CmbFWY, d.CmbDCY}) {
            QStringList names;
            for (int i = 0; i < list->count(); ++i)
                names << list->itemText(i);
            EXPECT_EQ(names, staff);
            EXPECT_EQ(list->currentIndex(), 0);
        }
        EXPECT_EQ(d.TxtJCRS->text(), QStringLiteral("1"));
        EXPECT_EQ(MaxLengthOf(d.TxtJCRS), 3);
        EXPECT_TRUE(d.TxtBZ->text().isEmpty());
        EXPECT_EQ(d.labelOf(d.CmbBC), QStringLiteral("班    次"));
        EXPECT_EQ(d.labelOf(d.CmbFWY), QStringLiteral("服 务 员"));
        EXPECT_EQ(d.labelOf(d.CmbDCY), QStringLiteral("点 菜 员"));
        EXPECT_EQ(d.labelOf(d.TxtBZ), QStringLiteral("备　　注"));
        EXPECT_EQ(d.Command1->text() + d.Command2->text(), QStringLiteral("开台(&S)取消(&C)"));
        // It opens in the shift, the first field of the Tab order; the boxes
        // that only show the seating are not in it.
        processEvents();
        EXPECT_EQ(QApplication::focusWidget(), d.CmbBC);
        QWidget* const tabOrder[] = {d.CmbBC, d.CmbFWY, d.TxtJCRS, d.CmbDCY, d.TxtBZ, d.Command1, d.Command2, d.CmbBC};
        for (size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), tabOrder[i + 1]) << i;
        }
        screenshot(&d, QStringLiteral("open-table"));
        d.Command2->click();
        EXPECT_FALSE(Forms::isLoaded<FrmKTXX>());
    });
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE house_table_id = '102'")), 0);
}

TEST_F(OpenTable, RefusalsComeInOrderAndWriteNothing)
{
    // A settled seating that was never cleared still holds the free-looking table.
    seatAt(QStringLiteral("201"), QStringLiteral("2026-04-30 20:00:00"), 2, QStringLiteral("D"));
    board().ListView1Detail();
    const QString before = dump();
    openTable(QStringLiteral("201"), [&](FrmKTXX& d) {
        d.TxtJCRS->clear();
        d.CmbFWY->setCurrentIndex(-1);
        d.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("房台已被占用，请清台后再开台")});
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_TRUE(Forms::isLoaded<FrmKTXX>());
    });
    EXPECT_EQ(dump(), before);

    MessageSeam::clear();
    const struct { const char* diners; int waiter; int taker; const char* message; const char* focus; } cases[] = {
        {"   ", 0, 0, "请输入就餐人数", "TxtJCRS"},
        {"abc", 0, 0, "请输入就餐人数", "TxtJCRS"},
        {"-1", 0, 0, "请输入就餐人数", "TxtJCRS"},
        {"1.5", 0, 0, "请输入就餐人数", "TxtJCRS"},
        {"", -1, -1, "请输入就餐人数", "TxtJCRS"},
        {" 4 ", -1, -1, "请选择服务员", "CmbFWY"},
        {"4", 1, -1, "请选择点菜员", "CmbDCY"},
    };
    openTable(QStringLiteral("101"), [&](FrmKTXX& d) {
        d.show();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.diners);
            EXPECT_EQ(submitSeating(d, QString::fromLatin1(c.diners), c.waiter, c.taker),
                      QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
            EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
            processEvents();
            ASSERT_TRUE(QApplication::focusWidget());
            const QWidget* expected = QString::fromLatin1(c.focus) == u"TxtJCRS"
                                          ? static_cast<QWidget*>(d.TxtJCRS)
                                          : QString::fromLatin1(c.focus) == u"CmbFWY" ? static_cast<QWidget*>(d.CmbFWY)
                                                                                     : d.CmbDCY;
            EXPECT_EQ(QApplication::focusWidget(), expected);
        }
        EXPECT_EQ(d.TxtXTBH->text(), QStringLiteral("20260501123000"));
    }, [&](FrmDCKT& w) {
        EXPECT_TRUE(w.TxtXTBH->text().isEmpty());
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnOpen));
        EXPECT_FALSE(Module1::TableOpened);
    });
    EXPECT_EQ(dump(), before);
}

TEST_F(OpenTable, OpeningWritesTheSeatingAndHandsItToTheWindow)
{
    // Two employees of one name: the first row's code is stored.
    employee(QStringLiteral("009"), QStringLiteral("王强"));
    bool boardShowedInUse = false;
    openTable(QStringLiteral("102"), [&](FrmKTXX& d) {
        // The user fills the dialog a few minutes after it appeared.
        Clock::fix(Now.addSecs(200));
        d.CmbBC->setCurrentIndex(2);
        d.CmbFWY->setCurrentText(QStringLiteral("王强"));
        d.CmbDCY->setCurrentText(QStringLiteral("李娜"));
        d.TxtJCRS->setText(QStringLiteral(" 6 "));
        d.TxtBZ->setText(QStringLiteral("生日 '宴'"));
        d.Command1->click();
        EXPECT_FALSE(Forms::isLoaded<FrmKTXX>());
        boardShowedInUse = board().ListView1->subItem(rowOf(QStringLiteral("102")), FrmSYGL::ColState) == u"在用";
    }, [&](FrmDCKT& w) {
        EXPECT_EQ(w.TxtXTBH->text(), QStringLiteral("20260501123000"));
        EXPECT_EQ(w.TxtFTMC->text(), QStringLiteral("大厅2"));
        EXPECT_EQ(w.TxtSSBM->text(), QStringLiteral("大厅"));
        EXPECT_EQ(w.TxtFWY->text(), QStringLiteral("王强"));
        EXPECT_EQ(w.TxtDCY->text(), QStringLiteral("李娜"));
        EXPECT_TRUE(w.KTXQ->isEnabled());
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnOpen));
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnPlace));
        EXPECT_TRUE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnReturnFree));
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnCheckout));
        EXPECT_FALSE(w.Toolbar1->buttonEnabled(FrmDCKT::BtnContinue));
        EXPECT_TRUE(Module1::TableOpened);
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("开台完成!")});
    EXPECT_EQ(lastMessage().icon, int(Msg::Information));
    EXPECT_EQ(lastMessage().title, QString());
    EXPECT_EQ(seatingRow(QStringLiteral("20260501123000")),
              QStringLiteral("20260501123000|102|2026-05-01 12:30:00|~|20260501|6|晚班|002|王强|003|李娜|大厅|生日 '宴'|01||A"));
    // Occupied, still reserved; the board showed it before the window came back.
    EXPECT_EQ(value(QStringLiteral("SELECT othersts || sts FROM house_table WHERE table_id = '102'")).toString(),
              QStringLiteral("AB"));
    EXPECT_TRUE(boardShowedInUse);
    EXPECT_EQ(Forms::modalShows(), (std::vector<QString>{"FrmDCKT", "FrmKTXX"}));
}

TEST_F(OpenTable, ASecondSeatingInTheSameSecondTakesTheNextSecond)
{
    auto openWith = [&](const QString& table) {
        openTable(table, [](FrmKTXX& d) { d.Command1->click(); });
    };
    // Two tables opened in the same second on this till.
    openWith(QStringLiteral("101"));
    openWith(QStringLiteral("201"));
    EXPECT_EQ(value(QStringLiteral("SELECT use_table_id || ' ' || start_date FROM use_table_200505 "
                                   "WHERE house_table_id = '101'")).toString(),
              QStringLiteral("20260501123000 2026-05-01 12:30:00"));
    EXPECT_EQ(value(QStringLiteral("SELECT use_table_id || ' ' || start_date FROM use_table_200505 "
                                   "WHERE house_table_id = '201'")).toString(),
              QStringLiteral("20260501123001 2026-05-01 12:30:01"));

    // Another till opens a table in the second this till's dialog appeared
    // and commits first.
    Clock::fix(Now.addSecs(2));
    openTable(QStringLiteral("102"), [&](FrmKTXX& d) {
        EXPECT_EQ(d.TxtXTBH->text(), QStringLiteral("20260501123002"));
        onOtherTill(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, sts) "
                                   "VALUES ('20260501123002', '999', '2026-05-01 12:30:02', 'A')"));
        d.Command1->click();
    }, [&](FrmDCKT& w) { EXPECT_EQ(w.TxtXTBH->text(), QStringLiteral("20260501123003")); });
    EXPECT_EQ(value(QStringLiteral("SELECT start_date FROM use_table_200505 WHERE house_table_id = '102'")).toString(),
              QStringLiteral("2026-05-01 12:30:03"));
}

TEST_F(OpenTable, TwoTillsOpeningOneTableGetOneSeating)
{
    openTable(QStringLiteral("101"), [&](FrmKTXX& d) {
        // The other till opens the same table while this dialog is up.
        onOtherTill(QStringLiteral("INSERT INTO use_table_200505 (use_table_id, house_table_id, start_date, sts) "
                                   "VALUES ('20260501123000', '101', '2026-05-01 12:30:00', 'A')"));
        onOtherTill(QStringLiteral("UPDATE house_table SET othersts = 'A' WHERE table_id = '101'"));
        d.Command1->click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("房台已被占用，请清台后再开台")});
        EXPECT_TRUE(Forms::isLoaded<FrmKTXX>());
    }, [&](FrmDCKT& w) {
        EXPECT_TRUE(w.TxtXTBH->text().isEmpty());
        EXPECT_FALSE(Module1::TableOpened);
    });
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE house_table_id = '101'")), 1);
}

TEST_F(OpenTable, EnterOpensAndEscCancels)
{
    openTable(QStringLiteral("101"), [&](FrmKTXX& d) {
        d.show();
        d.CmbBC->setFocus();
        QTest::keyClick(d.CmbBC, Qt::Key_Escape);
        EXPECT_FALSE(Forms::isLoaded<FrmKTXX>());
    });
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE house_table_id = '101'")), 0);
    Forms::clearModalShows();
    openTable(QStringLiteral("101"), [&](FrmKTXX& d) {
        d.show();
        d.TxtJCRS->setFocus();
        QTest::keyClick(d.TxtJCRS, Qt::Key_Return);
        EXPECT_FALSE(Forms::isLoaded<FrmKTXX>());
    });
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE house_table_id = '101'")), 1);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("开台完成!")});
}

TEST_F(OpenTable, WithoutAnOpenOrderingWindowNothingIsWrittenIntoIt)
{
    // The dialog opened on its own over the board: the table is opened, and
    // no ordering window is loaded to take the header.
    clickRow(board().ListView1, rowOf(QStringLiteral("101")));
    Forms::onModal(QStringLiteral("FrmKTXX"), [](Form& f) { static_cast<FrmKTXX&>(f).Command1->click(); });
    Forms::showModalByName(QStringLiteral("FrmKTXX"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("开台完成!")});
    EXPECT_EQ(count(QStringLiteral("use_table_200505"), QStringLiteral("WHERE house_table_id = '101'")), 1);
    EXPECT_FALSE(Forms::isLoaded<FrmDCKT>());
}
