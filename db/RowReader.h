#pragma once
// Reads the rows of one statement on the shared connection straight from
// SQLite, value by value as the caller asks for them, with no QVariant per
// value: for lists that can hold hundreds of thousands of rows (a year of
// stock-out lines). Everything else reads through Db::run and Recordset.
//
// The same rules as Db::run and Db::next: values enter as bound parameters,
// a statement that fails or a row that cannot be read is a DbError, so a
// short result never passes for a whole one; the tests' injected read faults
// apply here too.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVariantList>
#include "db/Decimal.h"
#include "db/Money.h"

struct sqlite3_stmt;

namespace Db {

// One value of a row as a whole: its storage class and its number or its
// bytes (text as stored, UTF-8; valid until the next step).
struct Cell {
    int type = 5;   // SQLITE_NULL
    qint64 integer = 0;   // an integer (a float: 0)
    double real = 0;      // a number as a double (an integer converted)
    const char* bytes = nullptr;
    int size = 0;
};

class RowReader {
public:
    explicit RowReader(const QString& sql, const QVariantList& params = {});
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // Steps to the next row; false after the last one. Throws DbError.
    bool next();
    // Runs the same statement again from its first row with other parameters.
    void rerun(const QVariantList& params);

    bool isNull(int column) const;
    // The value's storage class: SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT,
    // SQLITE_BLOB or SQLITE_NULL.
    int type(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    // A stored number (or numeric text) as Money, rounded as Money::fromVariant
    // rounds it; Null and non-numbers are 0.
    Money money(int column) const;
    // A stored number (or numeric text) as the exact Decimal it was written
    // from, as Decimal::fromVariant reads it; Null and non-numbers are 0.
    Decimal decimal(int column) const;
    // The value as text; Null is an empty text.
    QString text(int column) const;
    // The value's text as stored (UTF-8), valid until the next step.
    QByteArrayView utf8(int column) const;
    // The value as text() gives it, without a copy: valid until the next
    // step or until the column is read as UTF-8.
    QStringView utf16(int column) const;
    // The value as Qt SQL reads it (a number, a text or Null): for the few
    // values that are kept.
    QVariant variant(int column) const;
    // The value in one look-up: for rows read by the million, where asking
    // for the type and then the value column by column costs more than the
    // reading.
    Cell cell(int column) const;


private:
    QString m_sql;
    sqlite3_stmt* m_stmt = nullptr;
    int m_row = 0;
};

} // namespace Db
