#include "rowreader.h"

#include "connection.h"
#include "sqltext.h"
#include "statement.h"
#include "storeerror.h"
#include "values.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QSqlError>
#include <QSqlRecord>
#include <cstring>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

// Whether the driver would bind the value as NULL: a null value, or a null text, bytes or
// date inside one.
bool boundAsNull(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString().isNull();
    case QMetaType::QByteArray:
        return v.toByteArray().isNull();
    case QMetaType::QDate:
        return v.toDate().isNull();
    case QMetaType::QDateTime:
        return v.toDateTime().isNull();
    default:
        return v.isNull();
    }
}

// Binds the values in order as Qt's driver binds them: bytes as a blob, whole numbers and
// truth values as integers, real numbers as such, anything else as its text.
int bindAll(sqlite3_stmt* s, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        const int at = i + 1;
        int result = SQLITE_OK;
        if (boundAsNull(v)) {
            result = sqlite3_bind_null(s, at);
        } else {
            switch (v.typeId()) {
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                result = sqlite3_bind_blob64(s, at, bytes.constData(), sqlite3_uint64(bytes.size()),
                                             SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Long:
            case QMetaType::ULong:
                result = sqlite3_bind_int64(s, at, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                result = sqlite3_bind_double(s, at, v.toDouble());
                break;
            default: {
                const QByteArray text = v.toString().toUtf8();
                result = sqlite3_bind_text64(s, at, text.constData(), sqlite3_uint64(text.size()),
                                             SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (result != SQLITE_OK)
            return result;
    }
    return SQLITE_OK;
}

} // namespace

RowReader::RowReader(Connection& connection, const QString& sql, const QVariantList& params)
    : m_connection(connection) {
    sqlite3* embedded = connection.sqliteLink();
    pg_conn* server = embedded ? nullptr : connection.postgresLink();
    if (!embedded && !server) {
        m_query = runStatement(connection, sql, params);
        const QSqlRecord record = m_query.record();
        for (int i = 0; i < record.count(); ++i)
            m_names.append(record.fieldName(i));
        return;
    }
    QVariantList bound;
    bound.reserve(params.size());
    for (const QVariant& p : params)
        bound.append(toBound(p));
    if (server)
        runOnServer(server, sql, bound);
    else
        runEmbedded(embedded, sql, bound);
    reportStatement(connection, sql, bound);
}

void RowReader::runEmbedded(sqlite3* link, const QString& sql, const QVariantList& bound) {
    const QByteArray text = sql.toUtf8();
    const char* rest = nullptr;
    int result = sqlite3_prepare_v2(link, text.constData(), int(text.size()), &m_statement, &rest);
    QString failure;
    // One statement at a time, as Qt's driver runs them; nothing but spaces may follow it.
    if (result == SQLITE_OK &&
        (!m_statement || !QByteArrayView(rest, text.constEnd() - rest).trimmed().isEmpty()))
        failure = QStringLiteral("Se esperaba una sola instrucción: %1").arg(sql);
    else if (result == SQLITE_OK && sqlite3_bind_parameter_count(m_statement) != bound.size())
        failure = QStringLiteral("La instrucción lleva %1 parámetros, no %2")
                      .arg(sqlite3_bind_parameter_count(m_statement))
                      .arg(bound.size());
    if (failure.isEmpty() && result == SQLITE_OK)
        result = bindAll(m_statement, bound);
    if (failure.isEmpty() && result == SQLITE_OK) {
        result = sqlite3_step(m_statement);
        m_pending = result == SQLITE_ROW;
        m_done = result == SQLITE_DONE;
    }
    if (!m_pending && !m_done) {
        if (failure.isEmpty())
            failure = QString::fromUtf8(sqlite3_errmsg(link));
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        m_connection.statementFailed();
        throw StoreError(failure);
    }
    // Named as Qt's driver names them: without the quotes of a quoted name.
    for (int i = 0; i < sqlite3_column_count(m_statement); ++i)
        m_names.append(QString::fromUtf8(sqlite3_column_name(m_statement, i)).remove(u'"'));
    m_last.resize(m_names.size());
}

void RowReader::runOnServer(pg_conn* link, const QString& sql, const QVariantList& bound) {
    // Every value goes as its text, the server reading it as the type it finds for its
    // place in the statement, as for a statement Qt's driver prepares; bytes go as such.
    QList<QByteArray> texts;
    QVector<const char*> values;
    QVector<int> lengths, formats;
    for (const QVariant& v : bound) {
        if (boundAsNull(v)) {
            texts.append(QByteArray());
            formats.append(0);
        } else if (v.typeId() == QMetaType::QByteArray) {
            texts.append(v.toByteArray());
            formats.append(1);
        } else if (v.typeId() == QMetaType::Bool) {
            texts.append(v.toBool() ? QByteArrayLiteral("true") : QByteArrayLiteral("false"));
            formats.append(0);
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            texts.append(QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest));
            formats.append(0);
        } else {
            texts.append(v.toString().toUtf8());
            formats.append(0);
        }
    }
    for (qsizetype i = 0; i < bound.size(); ++i) {
        values.append(boundAsNull(bound[i]) ? nullptr : texts[i].constData());
        lengths.append(int(texts[i].size()));
    }
    const QByteArray text = numberedParameters(sql).toUtf8();
    m_result = PQexecParams(link, text.constData(), int(bound.size()), nullptr, values.constData(),
                            lengths.constData(), formats.constData(), 0);
    const ExecStatusType status = m_result ? PQresultStatus(m_result) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        const QString message =
            QString::fromUtf8(m_result ? PQresultErrorMessage(m_result) : PQerrorMessage(link))
                .trimmed();
        PQclear(m_result);
        m_result = nullptr;
        m_connection.statementFailed();
        throw StoreError(message);
    }
    m_rows = PQntuples(m_result);
    for (int i = 0; i < PQnfields(m_result); ++i) {
        m_names.append(QString::fromUtf8(PQfname(m_result, i)));
        m_types.append(PQftype(m_result, i));
    }
    m_last.resize(m_names.size());
}

RowReader::~RowReader() {
    // Keep no statement active: an unfinished read holds a lock on the embedded store.
    if (m_statement)
        sqlite3_finalize(m_statement);
    else if (m_result)
        PQclear(m_result);
    else
        m_query.finish();
}

bool RowReader::next() {
    if (m_result)
        return ++m_row < m_rows;
    if (!m_statement) {
        if (m_query.next())
            return true;
        if (m_query.lastError().isValid()) {
            m_connection.statementFailed();
            throw StoreError(engineMessage(m_query.lastError()));
        }
        return false;
    }
    if (m_pending) {
        m_pending = false;
        return true;
    }
    if (m_done)
        return false;
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    m_done = true;
    if (result == SQLITE_DONE)
        return false;
    m_connection.statementFailed();
    throw StoreError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement))));
}

QVariant RowReader::shared(int column, const char* text, int size) {
    LastText& last = m_last[column];
    if (last.value.isValid() && last.bytes.size() == size &&
        std::memcmp(last.bytes.constData(), text, size_t(size)) == 0)
        return last.value;
    last.bytes.resize(size); // within the capacity of the texts before it
    std::memcpy(last.bytes.data(), text, size_t(size));
    last.value = QString::fromUtf8(text, size);
    return last.value;
}

QVariant RowReader::value(int column) {
    if (m_result)
        return serverValue(column);
    if (!m_statement)
        return m_query.value(column);
    sqlite3_value* value = sqlite3_column_value(m_statement, column);
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_value_int64(value)));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_value_blob(value)),
                          sqlite3_value_bytes(value));
    default: // texts, and real numbers as their exact text
        return shared(column, reinterpret_cast<const char*>(sqlite3_value_text(value)),
                      sqlite3_value_bytes(value));
    }
}

QVariant RowReader::serverValue(int column) {
    if (PQgetisnull(m_result, m_row, column))
        return QVariant();
    const char* text = PQgetvalue(m_result, m_row, column);
    const int size = PQgetlength(m_result, m_row, column);
    // The server's type numbers (pg_type) of the values read otherwise than as texts.
    switch (m_types[column]) {
    case 16: // boolean
        return QVariant(text[0] == 't');
    case 21: // smallint
    case 23: // integer
        return QVariant(QByteArrayView(text, size).toInt());
    case 20: // bigint
        return QVariant(QByteArrayView(text, size).toLongLong());
    case 1082: // date
    case 1114: // timestamp
        // The server writes them as ISO texts (DateStyle ISO), read as the day and time
        // they show: no time zone is applied.
        return variantDateTime(QString::fromLatin1(text, size));
    case 17: { // bytea
        size_t length = 0;
        unsigned char* bytes =
            PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &length);
        const QByteArray value(reinterpret_cast<const char*>(bytes), qsizetype(length));
        PQfreemem(bytes);
        return value;
    }
    default: // texts, and decimal numbers as their exact text
        return shared(column, text, size);
    }
}
