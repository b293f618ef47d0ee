#include "db/RowReader.h"

#include <QSqlDriver>
#include <sqlite3.h>
#include "db/Database.h"

namespace Db {

namespace {

// The SQLite handle under the shared connection.
sqlite3* sharedHandle()
{
    const QVariant h = shared().driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        throw DbError(DbError::Open, QStringLiteral("no SQLite handle"));
    sqlite3* db = *static_cast<sqlite3* const*>(h.constData());
    if (!db)
        throw DbError(DbError::Open, QStringLiteral("no SQLite handle"));
    return db;
}

QString lastMessage(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

void bind(sqlite3* db, sqlite3_stmt* stmt, int index, const QVariant& v)
{
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt, index, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, index, v.toDouble());
            break;
        default: {
            const QString s = v.toString();
            rc = sqlite3_bind_text16(stmt, index, s.utf16(), int(s.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        throw sqliteError(rc, lastMessage(db), false);
}

} // namespace

RowReader::RowReader(const QString& sql, const QVariantList& params) : m_sql(sql)
{
    sqlite3* db = sharedHandle();
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const DbError e = sqliteError(rc, lastMessage(db), false);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw e;
    }
    try {
        for (int i = 0; i < params.size(); ++i)
            bind(db, m_stmt, i + 1, params[i]);
    } catch (...) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw;
    }
}

void RowReader::rerun(const QVariantList& params)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_row = 0;
    for (int i = 0; i < params.size(); ++i)
        bind(sqlite3_db_handle(m_stmt), m_stmt, i + 1, params[i]);
}

RowReader::~RowReader()
{
    sqlite3_finalize(m_stmt);
}

bool RowReader::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        checkReadFault(m_sql, ++m_row);
        return true;
    }
    if (rc == SQLITE_DONE)
        return false;
    throw sqliteError(rc, lastMessage(sqlite3_db_handle(m_stmt)), false);
}

bool RowReader::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

int RowReader::type(int column) const
{
    return sqlite3_column_type(m_stmt, column);
}

double RowReader::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

qint64 RowReader::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

Decimal RowReader::decimal(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER: return Decimal::whole(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT: return Decimal::fromDouble(sqlite3_column_double(m_stmt, column));
    case SQLITE_NULL: return {};
    default: {
        bool ok = false;
        const Decimal d = Decimal::parse(text(column), &ok);
        return ok ? d : Decimal{};
    }
    }
}

Money RowReader::money(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER: return Money::fromUnits(sqlite3_column_int64(m_stmt, column) * Money::Scale);
    case SQLITE_FLOAT: return Money::fromDouble(sqlite3_column_double(m_stmt, column));
    case SQLITE_NULL: return {};
    default: {
        bool ok = false;
        const Money m = Money::parse(text(column), &ok);
        return ok ? m : Money{};
    }
    }
}

QString RowReader::text(int column) const
{
    const void* data = sqlite3_column_text16(m_stmt, column);
    if (!data)
        return QString();
    const int bytes = sqlite3_column_bytes16(m_stmt, column);
    return QString(static_cast<const QChar*>(data), bytes / int(sizeof(QChar)));
}

QStringView RowReader::utf16(int column) const
{
    const void* data = sqlite3_column_text16(m_stmt, column);
    if (!data)
        return QStringView();
    return QStringView(static_cast<const char16_t*>(data), sqlite3_column_bytes16(m_stmt, column) / int(sizeof(char16_t)));
}

QByteArrayView RowReader::utf8(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
}

QVariant RowReader::variant(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_NULL: return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
    }
    default: return QVariant(text(column));
    }
}

Cell RowReader::cell(int column) const
{
    // The value stays owned by the statement and is read on the thread that
    // steps it, so its accessors are used directly.
    sqlite3_value* v = sqlite3_column_value(m_stmt, column);
    Cell c;
    c.type = sqlite3_value_type(v);
    switch (c.type) {
    case SQLITE_INTEGER:
        c.integer = sqlite3_value_int64(v);
        c.real = double(c.integer);
        break;
    case SQLITE_FLOAT:
        c.real = sqlite3_value_double(v);
        break;
    case SQLITE_TEXT:
        c.bytes = reinterpret_cast<const char*>(sqlite3_value_text(v));
        c.size = sqlite3_value_bytes(v);
        break;
    case SQLITE_BLOB:
        c.bytes = static_cast<const char*>(sqlite3_value_blob(v));
        c.size = sqlite3_value_bytes(v);
        break;
    default:
        break;
    }
    return c;
}

} // namespace Db
