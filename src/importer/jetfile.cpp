#include "jetfile.h"

#include "core/error.h"
#include "core/money.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <mdbtools.h>
#include <vector>

struct JetFile::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }
};

namespace {

// A long memo is read whole: a bound value holds this many bytes.
constexpr size_t bindSize = 4 * 1024 * 1024;

JetFile::Type typeOf(int columnType) {
    switch (columnType) {
    case MDB_TEXT:
        return JetFile::Type::Text;
    case MDB_MEMO:
        return JetFile::Type::Memo;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return JetFile::Type::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return JetFile::Type::Float;
    case MDB_DATETIME:
        return JetFile::Type::DateTime;
    case MDB_MONEY:
        return JetFile::Type::Money;
    case MDB_BOOL:
        return JetFile::Type::Boolean;
    default:
        return JetFile::Type::Other;
    }
}

// A value of the row as the page keeps it: little-endian.
template <typename T> T little(const unsigned char* raw) {
    T value;
    std::memcpy(&value, raw, sizeof value);
    return qFromLittleEndian(value);
}

qint64 integerAt(const unsigned char* raw, int size) {
    switch (size) {
    case 1:
        return raw[0]; // a byte column holds 0 to 255
    case 2:
        return little<qint16>(raw);
    default:
        return little<qint32>(raw);
    }
}

// A date-time: days since 30 December 1899, the fraction of a day the time, to the second.
QDateTime dateTimeOf(double days) {
    static const QDate origin(1899, 12, 30);
    const double whole = std::floor(days);
    qint64 seconds = qRound64((days - whole) * 86400.0);
    QDate day = origin.addDays(qint64(whole));
    if (seconds >= 86400) {
        day = day.addDays(1);
        seconds -= 86400;
    }
    return QDateTime(day, QTime(0, 0).addSecs(int(seconds)));
}

MdbCatalogEntry* userTable(MdbHandle* mdb, const QString& name) {
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry) &&
            QString::fromUtf8(entry->object_name) == name)
            return entry;
    }
    throw Error(QStringLiteral("El archivo no tiene la tabla %1").arg(name));
}

struct Table {
    MdbTableDef* def;
    explicit Table(MdbCatalogEntry* entry)
        : def(mdb_read_table(entry)) {
        if (!def)
            throw Error(QStringLiteral("No se puede leer la tabla %1 del archivo")
                            .arg(QString::fromUtf8(entry->object_name)));
        mdb_read_columns(def);
    }
    ~Table() { mdb_free_tabledef(def); }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
};

} // namespace

JetFile::JetFile(const QString& path)
    : m_handle(std::make_unique<Handle>())
    , m_path(path) {
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("No existe el archivo %1").arg(path));
    m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw Error(
            QStringLiteral("%1 no es un archivo de base de datos de Access (Jet) que se pueda leer")
                .arg(path));
    // A file is made of whole pages; one cut short (a copy that did not end) is damaged.
    const qint64 pageSize = m_handle->mdb->fmt->pg_size;
    if (pageSize <= 0 || QFileInfo(path).size() % pageSize != 0)
        throw Error(QStringLiteral("%1: el archivo está dañado (incompleto)").arg(path));
    mdb_set_bind_size(m_handle->mdb, bindSize);
    mdb_set_date_fmt(m_handle->mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(m_handle->mdb);
    if (!mdb_read_catalog(m_handle->mdb, MDB_ANY))
        throw Error(
            QStringLiteral("%1: no se puede leer la lista de tablas; el archivo está dañado")
                .arg(path));
}

JetFile::~JetFile() = default;

QStringList JetFile::tables() const {
    QStringList names;
    MdbHandle* mdb = m_handle->mdb;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names.append(QString::fromUtf8(entry->object_name));
    }
    return names;
}

QList<JetFile::Column> JetFile::columns(const QString& table) const {
    Table t(userTable(m_handle->mdb, table));
    QList<Column> list;
    for (guint i = 0; i < t.def->num_cols; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, i));
        const Type type = typeOf(col->col_type);
        // A text column's size is in bytes; Jet 4 keeps two per character.
        const int size =
            type == Type::Text && !IS_JET3(m_handle->mdb) ? col->col_size / 2 : col->col_size;
        list.append({QString::fromUtf8(col->name), type, size});
    }
    return list;
}

qint64 JetFile::rowCount(const QString& table) const {
    Table t(userTable(m_handle->mdb, table));
    return t.def->num_rows;
}

void JetFile::readRows(const QString& table,
                       const std::function<bool(const QVariantList& values)>& row) const {
    MdbHandle* mdb = m_handle->mdb;
    Table t(userTable(mdb, table));
    const int n = int(t.def->num_cols);
    // Texts and memos are read through libmdb, which decodes them (Jet 4's UCS-2, compressed
    // or not; a memo's pages of its own); other values are read as the page keeps them.
    std::vector<std::vector<char>> buffers(static_cast<size_t>(n));
    std::vector<int> lengths(size_t(n), 0);
    std::vector<Type> types;
    for (int i = 0; i < n; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, guint(i)));
        const Type type = typeOf(col->col_type);
        types.push_back(type);
        if (type == Type::Text || type == Type::Memo || type == Type::Other) {
            // A text holds at most 255 characters, three bytes each in UTF-8.
            buffers[size_t(i)].resize(type == Type::Text ? 1024 : bindSize + 1);
            mdb_bind_column(t.def, i + 1, buffers[size_t(i)].data(), &lengths[size_t(i)]);
        }
    }
    std::vector<MdbField> fields(MDB_MAX_COLS);
    mdb_rewind_table(t.def);
    QVariantList values;
    while (mdb_fetch_row(t.def)) {
        // Which values are NULL: the row as the page holds it (an empty text is not NULL).
        int start = 0;
        size_t size = 0;
        mdb_find_row(mdb, int(t.def->cur_row) - 1, &start, &size);
        mdb_crack_row(t.def, start, size, fields.data());
        values.clear();
        for (int i = 0; i < n; ++i) {
            const MdbField& field = fields[size_t(i)];
            const Type type = types[size_t(i)];
            if (type == Type::Boolean) { // kept in the null mask itself: set is yes
                values.append(QVariant(!field.is_null));
                continue;
            }
            if (field.is_null) {
                values.append(QVariant());
                continue;
            }
            const auto* raw = static_cast<const unsigned char*>(field.value);
            switch (type) {
            case Type::Integer:
                values.append(QVariant(qlonglong(integerAt(raw, field.siz))));
                break;
            case Type::Float:
                values.append(
                    QVariant(field.siz == 4 ? double(little<float>(raw)) : little<double>(raw)));
                break;
            case Type::Money:
                values.append(QVariant::fromValue(Money::fromUnits(little<qint64>(raw))));
                break;
            case Type::DateTime:
                values.append(QVariant(dateTimeOf(little<double>(raw))));
                break;
            default: // texts and memos, as libmdb decodes them
                if (size_t(lengths[size_t(i)]) >= buffers[size_t(i)].size() - 1)
                    throw Error(
                        QStringLiteral("La tabla %1 tiene en la columna %2 un texto de "
                                       "más de %3 MB, que no se lee entero")
                            .arg(table)
                            .arg(QString::fromUtf8(
                                static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, guint(i)))
                                    ->name))
                            .arg(bindSize / (1024 * 1024)));
                values.append(QString::fromUtf8(buffers[size_t(i)].data(), lengths[size_t(i)]));
            }
        }
        if (!row(values))
            return;
    }
}
