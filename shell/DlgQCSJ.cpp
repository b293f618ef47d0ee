#include "shell/DlgQCSJ.h"

#include <QStyle>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "platform/Pickers.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(DlgQCSJ);

namespace {

QLabel* bracket(QWidget* parent, int left, int top, int height)
{
    auto* l = new QLabel(QStringLiteral("}"), parent);
    QFont f = l->font();
    f.setPixelSize(qMax(12, Twips::toPixels(height)));
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    Twips::place(l, left, top, 300, height);
    return l;
}

// A stock bill table, its date column and its lines.
struct BillTables {
    const char* bills;
    const char* date;
    const char* lines;
};

// The bills whose date, read as SQLite reads a date-time (a stored text that
// is none is compared as it stands), lies in a range. Every spelling that
// begins with its day ("yyyy-MM-dd", "yyyy-MM-ddTHH:mm", "yyyy-MM-dd HH:mm",
// fractions of a second, a zone of up to a day) lies on the date index within
// a week of the range's days; the spellings that do not begin with a day (a
// time alone, a day number, "now") are few and found through the index of
// odd dates. Both parts keep the exact condition.
struct DatedWithin {
    QString bills, date;
    QVariantList params;
    QString select(const QString& column) const
    {
        const QString exact = QStringLiteral("coalesce(datetime(%1), %1) between ? and ?").arg(date);
        return QStringLiteral("select %1 from %2 where %3 >= ? and %3 < ? and %4"
                              " union all select %1 from %2 where (%5) and %4")
            .arg(column, bills, date, exact, DateTimeText::oddStoredDate(date));
    }
};

DatedWithin datedWithin(const BillTables& t, const QDateTime& start, const QDateTime& end)
{
    const QString from = DateTimeText::format(start), to = DateTimeText::format(end);
    return {QString::fromLatin1(t.bills), QString::fromLatin1(t.date),
            {DateTimeText::formatDate(start.date().addDays(-7)), DateTimeText::formatDate(end.date().addDays(8)), from,
             to, from, to}};
}

// A clearing rewrites tens of thousands of index entries scattered over the
// dish and goods indexes: a larger page cache for its transaction keeps them
// from being spilled and read again. The connection's own size comes back
// after it.
class LargerPageCache {
public:
    LargerPageCache() : m_before(Db::scalar(QStringLiteral("PRAGMA cache_size")).toLongLong())
    {
        Db::exec(QStringLiteral("PRAGMA cache_size = -65536"));
    }
    ~LargerPageCache()
    {
        try {
            Db::exec(QStringLiteral("PRAGMA cache_size = %1").arg(m_before));
        } catch (const DbError&) {
        }
    }
    LargerPageCache(const LargerPageCache&) = delete;
    LargerPageCache& operator=(const LargerPageCache&) = delete;

private:
    qint64 m_before;
};

} // namespace

DlgQCSJ::DlgQCSJ()
{
    setWindowTitle(QStringLiteral("清除数据"));
    setClientSizeTwips(6900, 4740);

    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_TrashIcon).pixmap(48, 48));
    Twips::place(Image1, 240, 240, 900, 900);

    FrameData = new QGroupBox(QStringLiteral("数据选项"), this);
    Twips::place(FrameData, 1200, 120, 5520, 2160);
    CheckXSSJ = new QCheckBox(QStringLiteral("销售数据(&S)"), FrameData);
    Twips::place(CheckXSSJ, 240, 600, 1800, 330);
    CheckKCSJ = new QCheckBox(QStringLiteral("库存数据(&K)"), FrameData);
    Twips::place(CheckKCSJ, 240, 1620, 1800, 330);
    bracket(FrameData, 2100, 300, 1080);
    CheckYGXX = new QCheckBox(QStringLiteral("员工信息(&Y)"), FrameData);
    Twips::place(CheckYGXX, 2520, 300, 1800, 330);
    CheckFTXX = new QCheckBox(QStringLiteral("房台信息(&F)"), FrameData);
    Twips::place(CheckFTXX, 2520, 660, 1800, 330);
    CheckCPXX = new QCheckBox(QStringLiteral("菜品信息(&C)"), FrameData);
    Twips::place(CheckCPXX, 2520, 1020, 1800, 330);
    bracket(FrameData, 2100, 1500, 480);
    CheckSPDA = new QCheckBox(QStringLiteral("商品档案(&C)"), FrameData);
    Twips::place(CheckSPDA, 2520, 1620, 1800, 330);
    bracket(FrameData, 4260, 1020, 930);

    FrameMode = new QGroupBox(QStringLiteral("清除方式"), this);
    Twips::place(FrameMode, 1200, 2400, 5520, 1440);
    Option1 = new QRadioButton(QStringLiteral("全部"), FrameMode);
    Twips::place(Option1, 240, 360, 1200, 330);
    Option2 = new QRadioButton(QStringLiteral("按时间范围"), FrameMode);
    Twips::place(Option2, 240, 840, 1500, 330);
    DateStart = new DateTimePicker(FrameMode);
    DateStart->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    Twips::place(DateStart, 1920, 300, 3360, 375);
    DateEnd = new DateTimePicker(FrameMode);
    DateEnd->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    Twips::place(DateEnd, 1920, 780, 3360, 375);

    Command1 = new QPushButton(QStringLiteral("清  除"), this);
    Twips::place(Command1, 3600, 4020, 1440, 450);
    Command2 = new QPushButton(QStringLiteral("取  消"), this);
    Twips::place(Command2, 5280, 4020, 1440, 450);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    connect(Option1, &QRadioButton::clicked, this, &DlgQCSJ::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &DlgQCSJ::Option2_Click);
    connect(CheckXSSJ, &QCheckBox::clicked, this, &DlgQCSJ::CheckXSSJ_Click);
    connect(CheckCPXX, &QCheckBox::clicked, this, &DlgQCSJ::CheckCPXX_Click);
    connect(CheckKCSJ, &QCheckBox::clicked, this, &DlgQCSJ::CheckKCSJ_Click);
    connect(Command1, &QPushButton::clicked, this, &DlgQCSJ::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DlgQCSJ::Command2_Click);

    // Centred on the main window.
    if (Form* main = Forms::find(QStringLiteral("FrmMain")))
        move(main->geometry().center() - rect().center());
}

void DlgQCSJ::Form_Load()
{
    const QDate today = Clock::today();
    DateStart->setDateTime(QDateTime(today, QTime(0, 0, 0)));
    DateEnd->setDateTime(QDateTime(today, QTime(23, 59, 59)));
    // "全部" is selected while both pickers are still enabled; they follow
    // the mode from the first click of an option button.
    Option1->setChecked(true);
}

void DlgQCSJ::Option1_Click()
{
    DateStart->setEnabled(false);
    DateEnd->setEnabled(false);
}

void DlgQCSJ::Option2_Click()
{
    DateStart->setEnabled(true);
    DateEnd->setEnabled(true);
}

void DlgQCSJ::CheckXSSJ_Click()
{
    const bool on = CheckXSSJ->isChecked();
    for (QCheckBox* b : {CheckYGXX, CheckFTXX, CheckCPXX}) {
        b->setEnabled(on);
        if (!on)
            b->setChecked(false);
    }
    if (!on)
        goodsRule();
}

void DlgQCSJ::CheckCPXX_Click() { goodsRule(); }
void DlgQCSJ::CheckKCSJ_Click() { goodsRule(); }

void DlgQCSJ::goodsRule()
{
    const bool both = CheckCPXX->isChecked() && CheckKCSJ->isChecked();
    CheckSPDA->setEnabled(both);
    if (!both)
        CheckSPDA->setChecked(false);
}

void DlgQCSJ::Command1_Click()
{
    const QString info = QStringLiteral("信息提示");
    const bool sales = CheckXSSJ->isChecked();
    const bool stock = CheckKCSJ->isChecked();
    const bool staff = CheckYGXX->isChecked();
    const bool tables = CheckFTXX->isChecked();
    const bool dishes = CheckCPXX->isChecked();
    const bool goods = CheckSPDA->isChecked();
    if (!sales && !stock && !staff && !tables && !dishes && !goods) {
        MsgBox(QStringLiteral("没有选择任何清除的数据选!"), Msg::Information, info);
        return;
    }
    const bool everything = Option1->isChecked();
    const QDateTime start = DateStart->dateTime();
    const QDateTime end = DateEnd->dateTime();

    bool blocked = false;
    const bool done = RunDbAction([&] {
        // The check runs under the write lock: a table opened on another till
        // a moment ago is seen, and none can be opened until the clearing ends.
        const LargerPageCache cache;
        Transaction tx;
        if (sales || tables) {
            // A table in use, settled or continued, or reserved, still has
            // business on it; a disabled table has none.
            const int busy = Db::scalar(QStringLiteral(
                "SELECT count(*) FROM house_table WHERE othersts IN ('A', 'D', 'E')"
                " OR (sts = 'B' AND coalesce(othersts, '') <> 'P')")).toInt();
            if (busy > 0) {
                blocked = true;
                return;
            }
        }
        if (everything) {
            if (sales) {
                Db::exec(QStringLiteral("delete from ACCOUNT_200606"));
                Db::exec(QStringLiteral("delete from ACCOUNT_MESS_200505"));
                Db::exec(QStringLiteral("delete from STRINK_MESS_200505"));
                Db::exec(QStringLiteral("delete from USE_TABLE_200505"));
                // Every table is free and unreserved again; a disabled table
                // stays disabled.
                Db::exec(QStringLiteral("update house_table set sts = 'C'"));
                Db::exec(QStringLiteral("update house_table set othersts = 'C' where coalesce(othersts, '') <> 'P'"));
            }
            if (stock) {
                Db::exec(QStringLiteral("delete from rkgl2004"));
                Db::exec(QStringLiteral("delete from ckgl2004"));
                Db::exec(QStringLiteral("delete from Stock_in_Bill"));
                Db::exec(QStringLiteral("delete from Stock_out_Bill"));
                Db::exec(QStringLiteral("delete from Store"));
            }
        } else {
            if (sales) {
                // Seatings opened strictly inside the range, with everything
                // keyed by their id.
                const QVariantList ids{DateTimeText::toId(start), DateTimeText::toId(end)};
                for (const char* table : {"ACCOUNT_200606", "ACCOUNT_MESS_200505", "STRINK_MESS_200505", "USE_TABLE_200505"})
                    Db::exec(QStringLiteral("delete from %1 where USE_TABLE_ID > ? and USE_TABLE_ID < ?")
                                 .arg(QString::fromLatin1(table)),
                             ids);
            }
            if (stock) {
                // Bills dated within the range, both ends included, with their
                // lines. The stock counters stay: the goods on the shelf did
                // not change. A bill dated by the day alone counts as that
                // day's midnight.
                for (const BillTables& t : {BillTables{"stock_in_bill", "stock_in_date", "rkgl2004"},
                                            BillTables{"stock_out_bill", "stock_out_date", "ckgl2004"}}) {
                    // A file made before the odd-date indexes gets its own now,
                    // once: building it reads the dates once, where finding the
                    // odd dates without it reads them for each statement.
                    Db::exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_odd_date ON %1(%2) WHERE %3")
                                 .arg(QString::fromLatin1(t.bills), QString::fromLatin1(t.date),
                                      DateTimeText::oddStoredDate(QString::fromLatin1(t.date))));
                    const DatedWithin within = datedWithin(t, start, end);
                    Db::exec(QStringLiteral("delete from %1 where stock_bill_id in (%2)")
                                 .arg(QString::fromLatin1(t.lines), within.select(QStringLiteral("stock_bill_id"))),
                             within.params);
                    Db::exec(QStringLiteral("delete from %1 where rowid in (%2)")
                                 .arg(QString::fromLatin1(t.bills), within.select(QStringLiteral("rowid"))),
                             within.params);
                }
            }
        }
        if (staff)
            Db::exec(QStringLiteral("delete from Cust where Code <> 'SYSTEM'"));
        if (tables)
            Db::exec(QStringLiteral("delete from House_Table"));
        if (goods)
            Db::exec(QStringLiteral("delete from Brand"));
        if (dishes)
            Db::exec(QStringLiteral("delete from Cpdetail"));
        tx.commit();
    });
    if (blocked) {
        MsgBox(QStringLiteral("有未清台的房台或预定房台!"), Msg::OKOnly);
        return;
    }
    if (!done)
        return;
    MsgBox(QStringLiteral("数据清除完毕！"), Msg::Information, info);
    Unload();
}

void DlgQCSJ::Command2_Click()
{
    Unload();
}
