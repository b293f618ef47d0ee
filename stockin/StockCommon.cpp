#include "stockin/StockCommon.h"

#include <QDateEdit>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "db/RowReader.h"
#include "platform/Controls.h"
#include "platform/Pickers.h"

namespace StockText {

QString shown(const QVariant& stored) { return stored.isNull() ? QString() : stored.toString(); }

QString shownNumber(const QVariant& stored) { return stored.isNull() ? QString() : Decimal::fromVariant(stored).plain(); }

QString plain(Decimal value) { return value.plain(); }

QString plainNoLeadingZero(Decimal value)
{
    QString s = value.plain();
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString twoDecimals(Decimal value) { return value.format(2); }

QString padded(const QString& text, int width)
{
    return text.size() >= width ? text : QString(width - text.size(), u' ') + text;
}

QString shownDay(const QString& stored)
{
    const QDateTime t = DateTimeText::parse(stored);
    if (!t.isValid())
        return stored;
    return t.time() == QTime(0, 0) ? DateTimeText::formatDate(t.date()) : DateTimeText::format(t);
}

} // namespace StockText

namespace CodeNameList {

namespace {
constexpr int CodeRole = Qt::UserRole + 1;
constexpr int NameRole = Qt::UserRole + 2;
} // namespace

void fill(QComboBox* list, const QString& sql)
{
    Recordset rows;
    rows.open(sql);
    const QSignalBlocker block(list);
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        const QVariant c = rows.field(0), n = rows.field(1);
        const QString code = c.isNull() ? QString() : c.toString();
        const QString name = n.isNull() ? QString() : n.toString();
        list->addItem(CodeNameEntry(code, name));
        list->setItemData(list->count() - 1, code, CodeRole);
        list->setItemData(list->count() - 1, name, NameRole);
    }
}

void fillStaff(QComboBox* list)
{
    fill(list, QStringLiteral("select code, name from cust where use_type = '1' order by rowid"));
}

QString code(const QComboBox* list)
{
    return list->currentIndex() < 0 ? QString() : list->currentData(CodeRole).toString();
}

QString name(const QComboBox* list)
{
    return list->currentIndex() < 0 ? QString() : list->currentData(NameRole).toString();
}

int findName(const QComboBox* list, const QString& name, bool last)
{
    int found = -1;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemData(i, NameRole).toString() == name) {
            found = i;
            if (!last)
                break;
        }
    }
    return found;
}

} // namespace CodeNameList

QStringList GoodsClassNames()
{
    Recordset classes;
    classes.open(QStringLiteral("select content from BrandClass where class = 'SPZL' order by rowid"));
    QStringList names;
    for (classes.MoveFirst(); !classes.isEOF(); classes.MoveNext())
        names << StockText::shown(classes.field(0));
    return names;
}

QTreeWidgetItem* AddClassTree(TreeView* tree, QTreeWidgetItem* root, const QString& goodsOfClass,
                              const QString& classKeyPrefix)
{
    Recordset rows;
    rows.open(QStringLiteral("select c.rowid as class_row, c.content, c.code as class_code, g.bran_name, g.code"
                             " from BrandClass c left join brand g on %1"
                             " where c.class = 'spzl' order by c.rowid, g.rowid")
                  .arg(goodsOfClass));
    qint64 lastClass = -1;
    QTreeWidgetItem* classNode = nullptr;
    QTreeWidgetItem* firstClass = nullptr;
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        const qint64 classRow = rows.field(0).toLongLong();
        if (classRow != lastClass) {
            lastClass = classRow;
            const QString name = StockText::shown(rows.field(1));
            classNode = tree->addChildNode(root, classKeyPrefix + name + StockText::shown(rows.field(2)), name);
            if (!firstClass)
                firstClass = classNode;
        }
        if (!rows.field(4).isNull())
            tree->addChildNode(classNode, QStringLiteral("Index") + StockText::shown(rows.field(4)),
                               StockText::shown(rows.field(3)));
    }
    return firstClass;
}

void MakeFixedBox(QLineEdit* box)
{
    box->setEnabled(false);
    QPalette p = box->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, QColor(224, 224, 224));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0, 0, 0));
    box->setPalette(p);
}

// ---- BillRows -------------------------------------------------------------------

namespace {
constexpr int PageRows = 64;
constexpr int PagesKept = 64;
} // namespace

BillRows::BillRows(const QString& table, const QString& dayColumn, std::vector<Column> columns)
    : m_table(table), m_dayColumn(dayColumn), m_columns(std::move(columns))
{
}

void BillRows::loadAll()
{
    // The first rows only: the rest are read as the list is scrolled to
    // them, so opening takes the same time however many bills there are.
    std::vector<qint64> ids = readIds(0);
    m_ids.swap(ids);
    m_more = int(m_ids.size()) == FetchRows;
    m_fetched.clear();
    m_pages.clear();
}

void BillRows::loadDays(const QDate& from, const QDate& to)
{
    std::vector<qint64> ids;
    Db::RowReader rows(QStringLiteral("SELECT rowid FROM %1 WHERE %2 >= ? AND %2 < ? ORDER BY rowid").arg(m_table, m_dayColumn),
                       {DateTimeText::formatDate(from) + QStringLiteral(" 00:00:00"),
                        DateTimeText::formatDate(to.addDays(1)) + QStringLiteral(" 00:00:00")});
    while (rows.next())
        ids.push_back(rows.integer(0));
    m_ids.swap(ids);
    m_more = false;
    m_fetched.clear();
    m_pages.clear();
}

void BillRows::clear()
{
    m_ids.clear();
    m_more = false;
    m_fetched.clear();
    m_pages.clear();
}

std::vector<qint64> BillRows::readIds(qint64 after) const
{
    std::vector<qint64> ids;
    ids.reserve(FetchRows);
    Db::RowReader rows(QStringLiteral("SELECT rowid FROM %1 WHERE rowid > ? ORDER BY rowid LIMIT %2").arg(m_table).arg(FetchRows),
                       {after});
    while (rows.next())
        ids.push_back(rows.integer(0));
    return ids;
}

int BillRows::readMore() const
{
    m_fetched.clear();
    if (!m_more)
        return 0;
    try {
        m_fetched = readIds(m_ids.empty() ? 0 : m_ids.back());
    } catch (...) {
        // The list ends where the read failed, and says why.
        m_more = false;
        throw;
    }
    m_more = int(m_fetched.size()) == FetchRows;
    return int(m_fetched.size());
}

void BillRows::takeMore() const
{
    // A page that ended with the rows read so far is read again whole.
    if (m_ids.size() % PageRows != 0)
        m_pages.remove(int(m_ids.size() / PageRows));
    m_ids.insert(m_ids.end(), m_fetched.begin(), m_fetched.end());
    m_fetched.clear();
}

const QStringList& BillRows::rowCells(int row) const
{
    const int page = row / PageRows;
    auto it = m_pages.find(page);
    if (it == m_pages.end()) {
        const int first = page * PageRows;
        const int last = qMin(first + PageRows, rowCount());
        QStringList names;
        for (const Column& c : m_columns)
            names << c.name;
        QStringList marks;
        QVariantList ids;
        for (int r = first; r < last; ++r) {
            marks << QStringLiteral("?");
            ids << m_ids[size_t(r)];
        }
        QHash<qint64, QStringList> byId;
        Db::RowReader rows(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                               .arg(names.join(QStringLiteral(", ")), m_table, marks.join(u',')),
                           ids);
        while (rows.next()) {
            QStringList cells;
            for (int c = 0; c < int(m_columns.size()); ++c) {
                const int at = c + 1;
                switch (m_columns[size_t(c)].kind) {
                case Text: cells << rows.text(at); break;
                case Number: cells << (rows.isNull(at) ? QString() : StockText::plain(rows.money(at))); break;
                case Day: cells << StockText::shownDay(rows.text(at)); break;
                }
            }
            byId.insert(rows.integer(0), cells);
        }
        if (m_pages.size() >= PagesKept)
            m_pages.clear();
        std::vector<QStringList> cells;
        cells.reserve(size_t(last - first));
        // A bill removed since the list was loaded shows empty.
        for (int r = first; r < last; ++r)
            cells.push_back(byId.value(m_ids[size_t(r)], QStringList()));
        it = m_pages.insert(page, std::move(cells));
    }
    return it.value()[size_t(row - page * PageRows)];
}

QString BillRows::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    return rowCells(row).value(column);
}

namespace StockUi {

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* l = new QLabel(text, parent);
    Twips::place(l, left, top, width, height);
    return l;
}

QDateEdit* datePicker(QWidget* parent, int left, int top, int width)
{
    auto* d = new DatePicker(parent);
    d->setDisplayFormat(DateTimeText::DateFormat);
    d->setCalendarPopup(true);
    Twips::place(d, left, top, width, 330);
    return d;
}


} // namespace StockUi
