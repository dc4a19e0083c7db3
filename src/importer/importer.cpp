#include "importer.h"

#include "core/money.h"
#include "jetfile.h"
#include "store/bulkrows.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/schema.h"
#include "store/values.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// How a table of the store takes the file's rows.
enum class Kind {
    Organisation, // kept per year: the file's years replace the store's
    Catalogue,    // one for every year: the file's replaces the store's
    Accounts,     // per year, added; a year with accounts of its own is refused
    Plan,         // per year, added; a year with plan rows is refused
};

const QStringList yearColumns = {QStringLiteral("gestion"), QStringLiteral("uni_gestion"),
                                 QStringLiteral("pro_gestion"), QStringLiteral("vicmin_gestion"),
                                 QStringLiteral("dir_gestion")};

QString yearColumnOf(const TableDef& t) {
    for (const QString& c : yearColumns)
        if (t.column(c))
            return c;
    return {};
}

Kind kindOf(const TableDef& t) {
    static const QSet<QString> organisation = {
        QStringLiteral("t_vicemin"), QStringLiteral("t_direccion"), QStringLiteral("t_unidad")};
    if (organisation.contains(t.name))
        return Kind::Organisation;
    if (t.name == QLatin1String("t_usuario"))
        return Kind::Accounts;
    return yearColumnOf(t).isEmpty() ? Kind::Catalogue : Kind::Plan;
}

bool derived(const QString& table) {
    for (const DerivedTable& d : derivedTables())
        if (d.table == table)
            return true;
    return false;
}

QString shown(const QVariant& v) {
    if (v.isNull())
        return QStringLiteral("(vacío)");
    if (v.typeId() == qMetaTypeId<Money>())
        return v.value<Money>().toStorageText();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

// A value of the file as the column holds it; an empty optional when it does not fit.
std::optional<QVariant> converted(const QVariant& v, const ColumnDef& c, QString& why) {
    if (v.isNull())
        return QVariant(); // NULL
    const bool isMoney = v.typeId() == qMetaTypeId<Money>();
    switch (c.type) {
    case ColumnType::Text:
    case ColumnType::Memo: {
        QString text;
        if (isMoney)
            text = v.value<Money>().toStorageText();
        else if (v.typeId() == QMetaType::QDateTime)
            text = v.toDateTime().toString(QStringLiteral("dd/MM/yyyy"));
        else if (v.typeId() == QMetaType::Bool)
            text = v.toBool() ? QStringLiteral("S") : QStringLiteral("N");
        else if (v.typeId() == QMetaType::Double)
            text = QString::number(v.toDouble(), 'g', 15);
        else
            text = v.toString();
        if (c.type == ColumnType::Text && text.size() > c.size) {
            why = QStringLiteral("tiene %1 caracteres y la columna admite %2")
                      .arg(text.size())
                      .arg(c.size);
            return std::nullopt;
        }
        return QVariant(text);
    }
    case ColumnType::Integer: {
        bool ok = true;
        qlonglong n = 0;
        if (v.typeId() == QMetaType::Double) {
            const double d = v.toDouble();
            ok = d == std::floor(d) && std::abs(d) < 1e12;
            n = qlonglong(d);
        } else if (v.typeId() == QMetaType::Bool) {
            n = v.toBool() ? 1 : 0;
        } else if (isMoney) {
            const Money m = v.value<Money>();
            ok = m.units() % Money::scale == 0;
            n = m.units() / Money::scale;
        } else {
            n = v.toString().trimmed().toLongLong(&ok);
        }
        if (!ok || n < std::numeric_limits<qint32>::min() ||
            n > std::numeric_limits<qint32>::max()) {
            why = QStringLiteral("no es un número entero que la columna admita");
            return std::nullopt;
        }
        return QVariant(n);
    }
    case ColumnType::Float: {
        if (isMoney)
            return QVariant(double(v.value<Money>().units()) / Money::scale);
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong)
            return QVariant(v.toDouble());
        bool ok = false;
        const double d = v.toString().toDouble(&ok);
        if (!ok) {
            why = QStringLiteral("no es un número");
            return std::nullopt;
        }
        return QVariant(d);
    }
    case ColumnType::DateTime: {
        if (v.typeId() == QMetaType::QDateTime && v.toDateTime().isValid())
            return toBound(v);
        const QDateTime t = variantDateTime(v);
        if (!t.isValid()) {
            why = QStringLiteral("no es una fecha");
            return std::nullopt;
        }
        return toBound(QVariant(t));
    }
    case ColumnType::Money: {
        if (isMoney)
            return QVariant(v.value<Money>().toStorageText());
        if (v.typeId() == QMetaType::LongLong)
            return QVariant(Money::fromWhole(v.toLongLong()).toStorageText());
        const auto m = Money::tryParse(v.toString());
        if (!m) {
            why = QStringLiteral("no es un monto");
            return std::nullopt;
        }
        return QVariant(m->toStorageText());
    }
    }
    return v;
}

} // namespace

QStringList Importer::Summary::lines() const {
    QStringList out;
    out.append(
        QStringLiteral("Gestiones del archivo: %1")
            .arg(years.isEmpty() ? QStringLiteral("ninguna") : years.join(QStringLiteral(", "))));
    for (const TableCount& t : tables)
        out.append(QStringLiteral("%1: %2 filas leídas, %3 escritas")
                       .arg(t.table)
                       .arg(t.read)
                       .arg(t.written));
    for (const QString& i : ignored)
        out.append(QStringLiteral("No se importa (el sistema no lo tiene): %1").arg(i));
    for (const QString& m : missing)
        out.append(QStringLiteral("Falta en el archivo: %1").arg(m));
    return out;
}

Importer::Importer(Connection& store, const QString& file)
    : m_store(store)
    , m_file(file) {}

Importer::Summary Importer::run(const Progress& progress) {
    JetFile file(m_file);
    Summary summary;
    m_store.ensureOpen();

    // The file's tables as the store names them.
    QHash<QString, QString> fileTables; // store table -> file table
    for (const QString& name : file.tables()) {
        const TableDef* t = findTable(name);
        if (!t || derived(t->name))
            summary.ignored.append(QStringLiteral("tabla %1").arg(name));
        else
            fileTables.insert(t->name, name);
    }
    if (fileTables.isEmpty())
        throw Error(QStringLiteral("%1 no tiene ninguna tabla del sistema de monitoreo. No se "
                                   "importó nada.")
                        .arg(m_file));
    for (const TableDef& t : schemaTables())
        if (!derived(t.name) && !fileTables.contains(t.name))
            summary.missing.append(QStringLiteral("tabla %1").arg(t.name));

    // The years the store holds plans or accounts of (the installation's administrator
    // aside): the file may not bring rows of them.
    QSet<QString> taken;
    for (const TableDef& t : schemaTables()) {
        const Kind kind = kindOf(t);
        if ((kind != Kind::Plan && kind != Kind::Accounts) || derived(t.name))
            continue;
        const QString year = quotedName(yearColumnOf(t));
        Query q(&m_store,
                kind == Kind::Accounts
                    ? QStringLiteral("select distinct gestion from t_usuario where not "
                                     "(usuario = 'Admin' and cod_usuario = '1')")
                    : QStringLiteral("select distinct %1 from %2").arg(year, quotedName(t.name)));
        q.open();
        for (int r = 0; r < q.rowCount(); ++r)
            taken.insert(q.valueAt(r, 0).toString().toLower());
    }

    // The organisation and accounts first, plans after, so that what is read last leans on
    // what is there; in the store's order of tables.
    QSet<QString> years;
    QSet<QString> refused;
    for (const TableDef& t : schemaTables()) {
        if (!fileTables.contains(t.name))
            continue;
        const QString source = fileTables.value(t.name);
        const QList<JetFile::Column> fileColumns = file.columns(source);
        // Column by column by name.
        QList<int> from; // place in the file's row of each column written
        QList<const ColumnDef*> to;
        QSet<QString> matched;
        for (int i = 0; i < fileColumns.size(); ++i) {
            const ColumnDef* c = t.column(fileColumns[i].name);
            if (!c) {
                summary.ignored.append(
                    QStringLiteral("columna %1.%2").arg(source, fileColumns[i].name));
                continue;
            }
            from.append(i);
            to.append(c);
            matched.insert(c->name);
        }
        for (const ColumnDef& c : t.columns)
            if (!matched.contains(c.name))
                summary.missing.append(QStringLiteral("columna %1.%2").arg(t.name, c.name));
        if (to.isEmpty())
            continue;
        QStringList names;
        for (const ColumnDef* c : to)
            names.append(quotedName(c->name));
        const Kind kind = kindOf(t);
        const QString yearColumn = yearColumnOf(t);
        const int yearPlace = int(to.indexOf(t.column(yearColumn)));
        QList<int> keyPlaces;
        for (const IndexDef& index : t.indexes)
            if (index.name == t.name + QStringLiteral("_clave"))
                for (const QString& k : index.columns)
                    keyPlaces.append(int(to.indexOf(t.column(k))));

        // What the file replaces: a catalogue whole; the organisation and the
        // installation's administrator, year by year as the rows come.
        if (kind == Kind::Catalogue)
            Query(&m_store, QStringLiteral("delete from %1").arg(quotedName(t.name))).exec();
        QSet<QString> cleared;
        Query clear(&m_store, QStringLiteral("delete from %1 where %2 = ?")
                                  .arg(quotedName(t.name), quotedName(yearColumn)));

        BulkRows rows(m_store, quotedName(t.name), names);
        const qint64 total = file.rowCount(source);
        TableCount count{t.name, 0, 0};
        if (progress && !progress(t.name, 0, total))
            throw ImportCancelled();
        file.readRows(source, [&](const QVariantList& values) {
            ++count.read;
            QVariantList row;
            row.reserve(to.size());
            for (int i = 0; i < to.size(); ++i) {
                QString why;
                const auto v = converted(values.value(from[i]), *to[i], why);
                if (!v) {
                    QStringList key;
                    for (int k : keyPlaces)
                        if (k >= 0)
                            key.append(shown(values.value(from[k])));
                    throw Error(QStringLiteral("Tabla %1, fila %2, columna %3: el valor \"%4\" %5. "
                                               "No se importó nada.")
                                    .arg(t.name, key.join(QStringLiteral(" / ")), to[i]->name,
                                         shown(values.value(from[i])).left(80), why));
                }
                row.append(*v);
            }
            if (yearPlace >= 0) {
                const QString year = row[yearPlace].toString();
                years.insert(year);
                if ((kind == Kind::Plan || kind == Kind::Accounts) &&
                    taken.contains(year.toLower()))
                    refused.insert(year);
                if ((kind == Kind::Organisation || kind == Kind::Accounts) &&
                    !cleared.contains(year.toLower())) {
                    cleared.insert(year.toLower());
                    clear.setParams({year});
                    clear.exec();
                }
            }
            if (!refused.isEmpty())
                return false;
            rows.add(row);
            ++count.written;
            if (progress && count.read % 500 == 0 && !progress(t.name, count.read, total))
                throw ImportCancelled();
            return true;
        });
        if (!refused.isEmpty()) {
            QStringList list(refused.cbegin(), refused.cend());
            list.sort();
            throw Error(
                QStringLiteral("La base de datos ya tiene planes o cuentas de la gestión %1, "
                               "que el archivo también trae. No se importó nada.")
                    .arg(list.join(QStringLiteral(", "))));
        }
        // A page that cannot be read ends the table early: the file is damaged.
        if (count.read != total)
            throw Error(QStringLiteral("El archivo está dañado: la tabla %1 dice tener %2 filas y "
                                       "solo se leyeron %3. No se importó nada.")
                            .arg(source)
                            .arg(total)
                            .arg(count.read));
        rows.flush();
        if (progress && !progress(t.name, count.read, total))
            throw ImportCancelled();
        summary.tables.append(count);
    }
    summary.years = QStringList(years.cbegin(), years.cend());
    summary.years.sort();
    return summary;
}
