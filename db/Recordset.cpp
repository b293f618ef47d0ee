#include "db/Recordset.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include "db/Database.h"


void Recordset::open(const QString& sql, const QVariantList& params)
{
    *this = Recordset();
    QSqlQuery q = Db::run(sql, params);
    const QSqlRecord rec = q.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    // Every row or an error: a read that fails part-way throws, and the
    // result set stays empty rather than holding the rows read so far.
    std::vector<QVariantList> rows;
    while (Db::next(q)) {
        QVariantList row;
        row.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row << q.value(i);
        rows.push_back(std::move(row));
    }
    m_names = names;
    m_rows = std::move(rows);
}

Recordset Recordset::fromRows(const QStringList& names, std::vector<QVariantList> rows)
{
    Recordset rs;
    rs.m_names = names;
    rs.m_rows = std::move(rows);
    return rs;
}

void Recordset::openTable(const QString& table, const QString& where, const QVariantList& params)
{
    QString sql = QStringLiteral("SELECT rowid AS \"__rowid\", * FROM ") + table;
    if (!where.trimmed().isEmpty())
        sql += u' ' + where;
    if (!where.contains(QStringLiteral("order by"), Qt::CaseInsensitive))
        sql += QStringLiteral(" ORDER BY rowid");
    open(sql, params);
    m_table = table;
    // Move the row id out of the visible fields.
    m_names.removeFirst();
    for (auto& row : m_rows) {
        m_rowIds.push_back(row.takeFirst().toLongLong());
    }
}

int Recordset::indexOf(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Recordset::requireRow() const
{
    if (m_pos < 0 || m_pos >= int(m_rows.size()))
        throw DbError(QStringLiteral("没有当前记录"));
}

void Recordset::requireTable() const
{
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("结果集不可更新"));
}

QVariant Recordset::field(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        throw DbError(QStringLiteral("字段不存在: ") + name);
    return field(i);
}

QVariant Recordset::field(int index) const
{
    if ((m_adding || !m_edit.isEmpty()) && index >= 0 && index < m_edit.size())
        return m_edit[index];
    requireRow();
    return m_rows[m_pos].value(index);
}

QString Recordset::text(const QString& name) const
{
    const QVariant v = field(name);
    return v.isNull() ? QString() : v.toString().trimmed();
}

qint64 Recordset::rowId() const
{
    requireTable();
    requireRow();
    return m_rowIds[m_pos];
}

void Recordset::AddNew()
{
    requireTable();
    m_adding = true;
    m_edit = QVariantList();
    for (int i = 0; i < m_names.size(); ++i)
        m_edit << QVariant();
    m_dirty.assign(m_names.size(), false);
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    requireTable();
    const int i = indexOf(name);
    if (i < 0)
        throw DbError(QStringLiteral("字段不存在: ") + name);
    if (!m_adding && m_edit.isEmpty()) {
        requireRow();
        m_edit = m_rows[m_pos];
        m_dirty.assign(m_names.size(), false);
    }
    m_edit[i] = value;
    m_dirty[i] = true;
}

void Recordset::Update()
{
    requireTable();
    if (m_adding) {
        QStringList cols, marks;
        QVariantList values;
        for (int i = 0; i < m_names.size(); ++i) {
            if (!m_dirty[i])
                continue;
            cols << u'"' + m_names[i] + u'"';
            marks << QStringLiteral("?");
            values << m_edit[i];
        }
        const QString sql = cols.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_table, cols.join(u','), marks.join(u','));
        Db::exec(sql, values);
        const qint64 id = Db::scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
        // Read the stored row back so defaults show as the database holds them.
        Recordset fresh;
        fresh.open(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(m_table), {id});
        m_rows.push_back(fresh.empty() ? m_edit : fresh.m_rows.front());
        m_rowIds.push_back(id);
        m_pos = int(m_rows.size()) - 1;
    } else if (!m_edit.isEmpty()) {
        requireRow();
        QStringList sets;
        QVariantList values;
        for (int i = 0; i < m_names.size(); ++i) {
            if (!m_dirty[i])
                continue;
            sets << u'"' + m_names[i] + QStringLiteral("\" = ?");
            values << m_edit[i];
        }
        if (!sets.isEmpty()) {
            values << m_rowIds[m_pos];
            Db::exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(m_table, sets.join(u',')), values);
        }
        m_rows[m_pos] = m_edit;
    }
    CancelUpdate();
}

void Recordset::CancelUpdate()
{
    m_adding = false;
    m_edit.clear();
    m_dirty.clear();
}

void Recordset::Delete()
{
    requireTable();
    requireRow();
    Db::exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_table), {m_rowIds[m_pos]});
    m_rows.erase(m_rows.begin() + m_pos);
    m_rowIds.erase(m_rowIds.begin() + m_pos);
}
