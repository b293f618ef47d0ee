// Placing, free dishes and returns write only while the seating is still as
// the ordering window last saw it: another till that settled, cleared,
// continued or moved it in the meantime means nothing is written.
#include "ordering/DlgTD.h"
#include "tests/OrderingFixture.h"

namespace {

class SeatingChangedElsewhere : public OrderingFixture {
public:
    using OrderingFixture::inUse;
    using OrderingFixture::onOtherTill;

    void SetUp() override
    {
        OrderingFixture::SetUp();
        drinksFloor();
        counter(QStringLiteral("1001"), 10, 2, 100, 12);
        param(QStringLiteral("AllowRefundment"), 1);
        storedLine(inUse, 0, QStringLiteral("8"), QStringLiteral("可乐"), 6, 2);
        storedLine(settled, 0, QStringLiteral("8"), QStringLiteral("可乐"), 6, 2, QStringLiteral("0"), 0,
                   QStringLiteral(""), QStringLiteral("1"));
    }

    // Another till's checkout of a seating on its table.
    void checkOutElsewhere(const QString& seatingId, const QString& tableId)
    {
        onOtherTill(QStringLiteral("UPDATE use_table_200505 SET sts = 'D', end_date = '2026-05-01 12:31:00' "
                                   "WHERE use_table_id = ?"), {seatingId});
        onOtherTill(QStringLiteral("UPDATE strink_mess_200505 SET account_sts = '1' WHERE use_table_id = ?"), {seatingId});
        onOtherTill(QStringLiteral("UPDATE house_table SET othersts = 'D' WHERE table_id = ?"), {tableId});
    }
    QString everything() { return dump() + stock().join(u'\n'); }
    // Places on a settled table, where button 4 is off: Enter in the empty
    // quick-code box, Yes to both questions.
    static void placeOnSettled(FrmDCKT& w)
    {
        MessageSeam::answer(Msg::Yes);
        MessageSeam::answer(Msg::Yes);
        QTest::keyClick(w.Text1, Qt::Key_Return);
    }

    enum Command { Place, Free, Return };
    // Runs a command in the window: placing a new 可乐, giving a new 可乐
    // free, or returning one of the first line's. change runs just before
    // the command writes (for a return, while its dialog is open).
    void run(FrmDCKT& w, Command command, const std::function<void()>& change)
    {
        if (command == Return) {
            onWindow<DlgTD>([&](DlgTD& d) {
                d.Text1[3]->setText(QStringLiteral("1"));
                change();
                MessageSeam::clear();
                d.OKButton->click();
                if (Forms::isLoaded<DlgTD>())
                    d.CancelButton->click();
            });
            w.ListView1->select(0);
            w.Toolbar1->click(FrmDCKT::BtnReturnFree);   // the confirmation answers Yes
            return;
        }
        order(w, QStringLiteral("8"), 1);
        change();
        MessageSeam::clear();
        if (command == Place) {
            place(w);
        } else {
            w.ListView1->select(w.ListView1->count() - 1);
            w.Toolbar1->clickMenu(FrmDCKT::BtnReturnFree, 2);
        }
    }
};

// What another till did to table 103's seating meanwhile, and what the window says.
struct Change {
    const char* name;
    const char* message;
    void (*apply)(SeatingChangedElsewhere&);
};
const Change Changes[] = {
    {"CheckedOut", "房台大厅3的这次消费已经在别处结帐，请重新打开。",
     [](SeatingChangedElsewhere& t) { t.checkOutElsewhere(t.inUse, QStringLiteral("103")); }},
    {"CheckedOutAndContinued", "房台大厅3的这次消费已经在别处结帐，请重新打开。",
     [](SeatingChangedElsewhere& t) {
         t.checkOutElsewhere(t.inUse, QStringLiteral("103"));
         t.onOtherTill(QStringLiteral("UPDATE house_table SET othersts = 'E' WHERE table_id = '103'"));
     }},
    {"CheckedOutAndCleared", "房台大厅3的这次消费已经在别处清台或并台，请重新打开。",
     [](SeatingChangedElsewhere& t) {
         t.checkOutElsewhere(t.inUse, QStringLiteral("103"));
         t.onOtherTill(QStringLiteral("UPDATE use_table_200505 SET sts = 'P' WHERE use_table_id = ?"), {t.inUse});
         t.onOtherTill(QStringLiteral("UPDATE house_table SET othersts = 'C' WHERE table_id = '103'"));
     }},
    {"Moved", "房台大厅3的这次消费已经在别处转到其他房台，请重新打开。",
     [](SeatingChangedElsewhere& t) {
         t.onOtherTill(QStringLiteral("UPDATE house_table SET othersts = 'A' WHERE table_id = '201'"));
         t.onOtherTill(QStringLiteral("UPDATE use_table_200505 SET house_table_id = '201' WHERE use_table_id = ?"),
                       {t.inUse});
         t.onOtherTill(QStringLiteral("UPDATE house_table SET othersts = 'C' WHERE table_id = '103'"));
     }},
};

class SeatingChangedCases : public SeatingChangedElsewhere,
                            public testing::WithParamInterface<std::tuple<int, SeatingChangedElsewhere::Command>> {};

TEST_P(SeatingChangedCases, NothingIsWrittenAndTheWindowKeepsItsLines)
{
    const Change& c = Changes[std::get<0>(GetParam())];
    const Command command = std::get<1>(GetParam());
    QString before, lines;
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        run(w, command, [&] {
            c.apply(*this);
            before = everything();
            lines = linesOf(w).join(u'\n');
        });
        QStringList expected;
        if (command == Place)
            expected << QStringLiteral("确定要落单吗?");
        expected << QString::fromUtf8(c.message);
        EXPECT_EQ(messages(), expected);
        EXPECT_EQ(lastMessage().icon, int(Msg::Exclamation));
        EXPECT_EQ(lastMessage().title, QStringLiteral("提示"));
        EXPECT_EQ(linesOf(w).join(u'\n'), lines);
        if (command != Return)
            EXPECT_FALSE(w.lineStored(w.ListView1->count() - 1));
        EXPECT_FALSE(w.m_OrderPlaced);
    });
    EXPECT_FALSE(before.isEmpty());
    EXPECT_EQ(everything(), before);
}

std::string caseName(const testing::TestParamInfo<SeatingChangedCases::ParamType>& info)
{
    const char* commands[] = {"Place", "Free", "Return"};
    return std::string(Changes[std::get<0>(info.param)].name) + commands[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Commands, SeatingChangedCases,
                         testing::Combine(testing::Range(0, int(std::size(Changes))),
                                          testing::Values(SeatingChangedElsewhere::Place, SeatingChangedElsewhere::Free,
                                                          SeatingChangedElsewhere::Return)),
                         caseName);

} // namespace

TEST_F(SeatingChangedElsewhere, ABoardThatShowedTheTableInUseWhenItWasSettledAlready)
{
    // The other till settles before the window opens; the board still shows 在用.
    board();
    checkOutElsewhere(inUse, QStringLiteral("103"));
    const QString before = everything();
    openOrdering(QStringLiteral("103"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("8"), 1);
        place(w);
        EXPECT_EQ(messages(), (QStringList{"确定要落单吗?", "房台大厅3的这次消费已经在别处结帐，请重新打开。"}));
    });
    EXPECT_EQ(everything(), before);
}

TEST_F(SeatingChangedElsewhere, ASettledTableContinuedOrSettledAgainElsewhereTakesNoOrder)
{
    Module1::RefundAllowed = true;
    const struct { const char* change; const char* undo; const char* message; } changes[] = {
        {"UPDATE house_table SET othersts = 'E' WHERE table_id = '105'",
         "UPDATE house_table SET othersts = 'D' WHERE table_id = '105'", "房台大厅5的这次消费已经在别处续单，请重新打开。"},
        {"UPDATE use_table_200505 SET end_date = '2026-05-01 12:31:00' WHERE house_table_id = '105'",
         "UPDATE use_table_200505 SET end_date = '2026-05-01 12:20:00' WHERE house_table_id = '105'",
         "房台大厅5的这次消费已经在别处结帐，请重新打开。"},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        QString before;
        openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
            order(w, QStringLiteral("8"), 1);
            onOtherTill(QString::fromUtf8(c.change));
            before = everything();
            MessageSeam::clear();
            placeOnSettled(w);
            EXPECT_EQ(messages(), (QStringList{"本桌已经结帐完毕，是否仍要落单", "确定要落单吗?", c.message}));
        });
        EXPECT_EQ(everything(), before);
        onOtherTill(QString::fromUtf8(c.undo));
    }
}

TEST_F(SeatingChangedElsewhere, TheWindowsOwnChangesKeepItWorking)
{
    // A settled table placed on after the Yes, refunds allowed.
    Module1::RefundAllowed = true;
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        order(w, QStringLiteral("8"), 1);
        placeOnSettled(w);
        EXPECT_EQ(messages(), (QStringList{"本桌已经结帐完毕，是否仍要落单", "确定要落单吗?", "落单完成!"}));
    });
    EXPECT_EQ(count(QStringLiteral("strink_mess_200505"), QStringLiteral("WHERE use_table_id = ?"), {settled}), 2);

    // After its own continued bill: placing, free and return.
    sql(QStringLiteral("UPDATE house_table SET othersts = 'D' WHERE table_id = '105'"));
    openOrdering(QStringLiteral("105"), [&](FrmDCKT& w) {
        w.Toolbar1->click(FrmDCKT::BtnContinue);
        for (Command command : {Place, Free, Return}) {
            SCOPED_TRACE(command);
            run(w, command, [] {});
            EXPECT_FALSE(messages().join(u'/').contains(QStringLiteral("请重新打开"))) << qPrintable(messages().join(u'/'));
        }
    });
    EXPECT_EQ(storedLines(settled).mid(2), (QStringList{"2|8|可乐|听|1|6|吧台|0|0|0||id", "3|8|可乐|听|1|6|吧台|0|2|0||id",
                                                         "4|8|可乐|份|-1|6|热菜间|0|1|0||id"}));
}
