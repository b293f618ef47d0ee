#pragma once
// A client-side result set: a snapshot of the rows of one query that can be
// counted, moved through forwards and backwards, and read by field name
// without regard to letter case. A result set opened on one table with
// openTable() can also add, change and delete rows of that table.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <vector>

class Recordset {
public:
    Recordset() = default;

    // Any query. Throws DbError on failure.
    void open(const QString& sql, const QVariantList& params = {});
    // "SELECT * FROM table <where>" with the rows' ids kept, so the rows can
    // be changed through the result set. Rows come in insertion order unless
    // the condition orders them.
    void openTable(const QString& table, const QString& where = {}, const QVariantList& params = {});
    // A result set of rows summed up in the program, under these column names.
    static Recordset fromRows(const QStringList& names, std::vector<QVariantList> rows);

    int RecordCount() const { return int(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    bool isEOF() const { return m_pos >= int(m_rows.size()) || m_rows.empty(); }
    bool isBOF() const { return m_pos < 0 || m_rows.empty(); }
    int AbsolutePosition() const { return m_pos; }   // from 0
    void MoveFirst() { m_pos = 0; }
    void MoveLast() { m_pos = int(m_rows.size()) - 1; }
    void MoveNext() { if (m_pos < int(m_rows.size())) ++m_pos; }
    void MovePrevious() { if (m_pos >= 0) --m_pos; }
    void Move(int pos) { m_pos = pos; }

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int i) const { return m_names.value(i); }
    bool hasField(const QString& name) const { return indexOf(name) >= 0; }
    // The current row's value; throws DbError for an unknown field or no row.
    QVariant field(const QString& name) const;
    QVariant field(int index) const;
    QVariant operator[](const QString& name) const { return field(name); }
    // The value as trimmed text; Null reads as empty text.
    QString text(const QString& name) const;

    // The current row's id in its table (openTable only), for a statement
    // that must change exactly that row.
    qint64 rowId() const;

    // Changing through the result set (openTable only).
    void AddNew();
    void setField(const QString& name, const QVariant& value);
    void Update();     // writes the added or changed row
    void CancelUpdate();
    void Delete();     // deletes the current row

private:
    int indexOf(const QString& name) const;
    void requireRow() const;
    void requireTable() const;

    QString m_table;
    QStringList m_names;                 // column names, without the row id
    std::vector<QVariantList> m_rows;
    std::vector<qint64> m_rowIds;
    int m_pos = 0;

    bool m_adding = false;
    QVariantList m_edit;                 // values of the row being changed
    std::vector<bool> m_dirty;
};
