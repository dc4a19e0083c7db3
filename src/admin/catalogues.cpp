#include "catalogues.h"

#include "core/csv.h"
#include "core/error.h"
#include "store/bulkrows.h"
#include "store/numbers.h"
#include "store/query.h"
#include "store/schema.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <limits>

namespace {

struct Use {
    QString table;
    // The keys of the catalogue's rows that plan data uses, in the key's column order.
    QString sql;
};

// What the plan holds of each catalogue: a row it uses is not removed by an import.
const QList<Use>& uses() {
    static const QList<Use> list = {
        {QStringLiteral("t_vicemin"),
         QStringLiteral("select distinct u.cod_min, u.cod_vicemin, u.uni_gestion from t_unidad u "
                        "join t_prodaccion p on p.cod_unidad = u.cod_unidad and p.uni_gestion = "
                        "u.uni_gestion")},
        {QStringLiteral("t_direccion"),
         QStringLiteral("select distinct u.cod_min, u.cod_vicemin, u.cod_direc, u.uni_gestion from "
                        "t_unidad u join t_prodaccion p on p.cod_unidad = u.cod_unidad and "
                        "p.uni_gestion = u.uni_gestion")},
        {QStringLiteral("t_unidad"),
         QStringLiteral("select cod_unidad, uni_gestion from t_prodaccion union select cod_area, "
                        "pro_gestion from t_producto")},
        {QStringLiteral("t_responsable"),
         QStringLiteral("select distinct cod_responsable from p_responsable")},
        {QStringLiteral("t_organizacion"),
         QStringLiteral("select distinct cod_orga from p_uniorga")},
        {QStringLiteral("t_sector"),
         QStringLiteral("select distinct g.cod_sector from p_unisector s join t_grupo g on "
                        "g.cod_grupo = s.cod_grupo")},
        {QStringLiteral("t_grupo"), QStringLiteral("select distinct cod_grupo from p_unisector")},
        {QStringLiteral("t_sectorial"),
         QStringLiteral("select distinct cod_politica, cod_programa from p_unisectorial")},
        {QStringLiteral("t_indicador"),
         QStringLiteral("select distinct cod_indicador from p_uniindi")},
    };
    return list;
}

QString orderByKey(const Catalogue& c) {
    QStringList key;
    for (const QString& k : c.key())
        key.append(quotedName(k));
    return key.join(QStringLiteral(", "));
}

// A key's value as the engines compare it: texts without regard to case, numbers as
// numbers.
QString keyPart(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        return QString::number(value.toLongLong());
    return value.toString().toLower();
}

QString keyOf(const QVariantList& values) {
    QStringList parts;
    for (const QVariant& v : values)
        parts.append(keyPart(v));
    return parts.join(QChar(0x1f));
}

QString shownKey(const QVariantList& values) {
    QStringList parts;
    for (const QVariant& v : values)
        parts.append(v.toString());
    return parts.join(QStringLiteral(" / "));
}

// The keys of the rows a query gives, each as keyOf() makes it, with how they show.
QHash<QString, QString> keysOf(Connection* connection, const QString& sql,
                               const QList<ColumnType>& types) {
    Query q(connection, sql);
    q.open();
    QHash<QString, QString> keys;
    for (int r = 0; r < q.rowCount(); ++r) {
        QVariantList values;
        for (int c = 0; c < q.fieldCount(); ++c) {
            QVariant v = q.valueAt(r, c);
            if (c < types.size() && types[c] == ColumnType::Integer && !v.isNull())
                v = QVariant(v.toLongLong());
            values.append(v);
        }
        keys.insert(keyOf(values), shownKey(values));
    }
    return keys;
}

QString numberText(const QVariant& v, ColumnType type) {
    if (v.isNull())
        return {};
    switch (type) {
    case ColumnType::Integer:
        return QString::number(v.toLongLong());
    case ColumnType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

} // namespace

const TableDef& Catalogue::definition() const {
    return *findTable(table);
}

QStringList Catalogue::key() const {
    for (const IndexDef& index : definition().indexes)
        if (index.name == table + QStringLiteral("_clave"))
            return index.columns;
    return definition().indexes.first().columns;
}

const QList<Catalogue>& catalogues() {
    static const QList<Catalogue> list = {
        {QStringLiteral("Viceministerios y entidades"), QStringLiteral("t_vicemin"),
         QStringLiteral("vicmin_gestion")},
        {QStringLiteral("Direcciones y componentes"), QStringLiteral("t_direccion"),
         QStringLiteral("dir_gestion")},
        {QStringLiteral("Unidades"), QStringLiteral("t_unidad"), QStringLiteral("uni_gestion")},
        {QStringLiteral("Programas"), QStringLiteral("t_programa"), {}},
        {QStringLiteral("Responsables"), QStringLiteral("t_responsable"), {}},
        {QStringLiteral("Pueblos indígenas"), QStringLiteral("t_organizacion"), {}},
        {QStringLiteral("Sectores"), QStringLiteral("t_sector"), {}},
        {QStringLiteral("Sub-sectores"), QStringLiteral("t_grupo"), {}},
        {QStringLiteral("Plan sectorial"), QStringLiteral("t_sectorial"), {}},
        {QStringLiteral("Indicadores"), QStringLiteral("t_indicador"), {}},
        {QStringLiteral("Rangos de avance"), QStringLiteral("t_rango"), {}},
    };
    return list;
}

const Catalogue* findCatalogue(const QString& title) {
    for (const Catalogue& c : catalogues())
        if (c.title == title)
            return &c;
    return nullptr;
}

Catalogues::Catalogues(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    for (const Catalogue& c : catalogues()) {
        auto* q = new Query(
            connection,
            QStringLiteral("select * from %1 order by %2").arg(quotedName(c.table), orderByKey(c)),
            this);
        q->setObjectName(QStringLiteral("Q") + c.table);
        m_rows.append(q);
    }
}

Query* Catalogues::rows(const Catalogue& catalogue) {
    return m_rows.at(int(&catalogue - catalogues().constData()));
}

QByteArray Catalogues::exportCsv(const Catalogue& catalogue) {
    const TableDef& def = catalogue.definition();
    Query q(m_connection, QStringLiteral("select * from %1 order by %2")
                              .arg(quotedName(def.name), orderByKey(catalogue)));
    q.open();
    QList<int> places;
    for (const ColumnDef& c : def.columns)
        places.append(q.fieldIndex(c.name));
    QList<QStringList> lines;
    for (int r = 0; r < q.rowCount(); ++r) {
        QStringList line;
        for (int i = 0; i < def.columns.size(); ++i)
            line.append(places[i] < 0 ? QString()
                                      : numberText(q.valueAt(r, places[i]), def.columns[i].type));
        lines.append(line);
    }
    return writeCsv(def.columnNames(), lines);
}

Catalogues::Replaced Catalogues::importCsv(const Catalogue& catalogue, const QByteArray& bytes,
                                           const QString& fileName) {
    const TableDef& def = catalogue.definition();
    const auto fault = [&fileName](int line, const QString& what) {
        return ConversionError(QStringLiteral("%1, línea %2: %3\nNo se cambió nada.")
                                   .arg(fileName)
                                   .arg(line)
                                   .arg(what));
    };
    CsvTable csv;
    try {
        csv = parseSpreadsheetCsv(bytes);
    } catch (const ConversionError& e) {
        throw ConversionError(
            QStringLiteral("%1: %2\nNo se cambió nada.").arg(fileName, e.message()));
    }
    if (csv.rows.isEmpty())
        throw ConversionError(
            QStringLiteral("%1: el archivo no tiene filas\nNo se cambió nada.").arg(fileName));

    // The header: columns of the table, each once, the key's all there.
    QList<const ColumnDef*> columns;
    for (int i = 0; i < csv.header.size(); ++i) {
        const QString name = csv.header[i].trimmed();
        const ColumnDef* column = def.column(name);
        const QString where = QStringLiteral("columna %1 (\"%2\")").arg(i + 1).arg(name);
        if (!column)
            throw fault(csv.headerLine, QStringLiteral("%1: la tabla %2 (%3) no tiene esa columna")
                                            .arg(where, catalogue.title, def.name));
        if (columns.contains(column))
            throw fault(csv.headerLine, QStringLiteral("%1: la columna está repetida").arg(where));
        columns.append(column);
    }
    const QStringList key = catalogue.key();
    QList<int> keyPlaces;
    for (const QString& k : key) {
        int place = -1;
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i]->name.compare(k, Qt::CaseInsensitive) == 0)
                place = i;
        if (place < 0)
            throw fault(csv.headerLine,
                        QStringLiteral("falta la columna %1, parte de la clave de %2")
                            .arg(k, catalogue.title));
        keyPlaces.append(place);
    }
    const int yearPlace =
        catalogue.yearColumn.isEmpty() ? -1 : keyPlaces.at(key.indexOf(catalogue.yearColumn));

    // Every line, read into the values it stores, before anything is written.
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    QList<QVariantList> values;
    QHash<QString, int> lineOfKey;
    QStringList years;
    for (int r = 0; r < csv.rows.size(); ++r) {
        const int line = csv.lines[r];
        QVariantList row;
        for (int i = 0; i < columns.size(); ++i) {
            const ColumnDef& column = *columns[i];
            const QString& text = csv.rows[r][i];
            const auto wrong = [&](const QString& what) {
                return fault(
                    line, QStringLiteral("columna %1 (%2): %3").arg(i + 1).arg(column.name, what));
            };
            const bool inKey = keyPlaces.contains(i);
            if (text.trimmed().isEmpty()) {
                if (inKey)
                    throw wrong(QStringLiteral("falta el valor, parte de la clave"));
                row.append(QVariant()); // NULL
                continue;
            }
            switch (column.type) {
            case ColumnType::Integer: {
                bool ok = false;
                const qlonglong n = text.trimmed().toLongLong(&ok);
                if (!ok || n < std::numeric_limits<qint32>::min() ||
                    n > std::numeric_limits<qint32>::max())
                    throw wrong(QStringLiteral("\"%1\" no es un número entero").arg(text));
                row.append(QVariant(n));
                break;
            }
            case ColumnType::Float: {
                QString t = text.trimmed();
                if (!t.contains(u'.'))
                    t.replace(u',', u'.');
                bool ok = false;
                const double d = t.toDouble(&ok);
                if (!ok)
                    throw wrong(QStringLiteral("\"%1\" no es un número").arg(text));
                row.append(QVariant(d));
                break;
            }
            case ColumnType::Text:
                if (column.size > 0 && text.size() > column.size)
                    throw wrong(
                        QStringLiteral("el texto tiene %1 caracteres y la columna admite %2")
                            .arg(text.size())
                            .arg(column.size));
                if (i == yearPlace && !fourDigits.match(text).hasMatch())
                    throw wrong(QStringLiteral("\"%1\" no es un año de cuatro dígitos").arg(text));
                if (!catalogue.yearColumn.isEmpty() && column.name == QLatin1String("tipo") &&
                    text.compare(QLatin1String("MN"), Qt::CaseInsensitive) != 0 &&
                    text.compare(QLatin1String("EX"), Qt::CaseInsensitive) != 0)
                    throw wrong(QStringLiteral("\"%1\" no es MN ni EX").arg(text));
                row.append(text);
                break;
            default:
                row.append(text);
            }
        }
        QVariantList keyValues;
        for (int place : keyPlaces)
            keyValues.append(row[place]);
        const QString k = keyOf(keyValues);
        if (lineOfKey.contains(k))
            throw fault(line, QStringLiteral("la clave %1 ya está en la línea %2")
                                  .arg(shownKey(keyValues))
                                  .arg(lineOfKey.value(k)));
        lineOfKey.insert(k, line);
        if (yearPlace >= 0 && !years.contains(row[yearPlace].toString()))
            years.append(row[yearPlace].toString());
        values.append(row);
    }
    years.sort();

    // No other workstation changes the catalogue between what is read here and the end.
    lockForOwnNumbers(*m_connection, def.name);
    QList<ColumnType> keyTypes;
    QStringList keyColumns;
    for (const QString& k : key) {
        keyTypes.append(def.column(k)->type);
        keyColumns.append(quotedName(k));
    }
    QSet<QString> fileYears;
    for (const QString& y : years)
        fileYears.insert(y.toLower());
    for (const Use& use : uses()) {
        if (use.table != def.name)
            continue;
        const QHash<QString, QString> used = keysOf(m_connection, use.sql, keyTypes);
        const QHash<QString, QString> present =
            keysOf(m_connection,
                   QStringLiteral("select %1 from %2")
                       .arg(keyColumns.join(QStringLiteral(", ")), def.name),
                   keyTypes);
        QStringList removedInUse;
        const int yearInKey = key.indexOf(catalogue.yearColumn);
        for (auto it = present.cbegin(); it != present.cend(); ++it) {
            if (lineOfKey.contains(it.key()) || !used.contains(it.key()))
                continue;
            if (yearInKey >= 0 && !fileYears.contains(it.key().split(QChar(0x1f)).value(yearInKey)))
                continue; // a year the file leaves as it is
            removedInUse.append(it.value());
        }
        if (!removedInUse.isEmpty()) {
            removedInUse.sort();
            const int shown = 20;
            QString list = removedInUse.mid(0, shown).join(u'\n');
            if (removedInUse.size() > shown)
                list += QStringLiteral("\n... y %1 más").arg(removedInUse.size() - shown);
            throw ConversionError(
                QStringLiteral(
                    "%1: el archivo quita de %2 filas que el plan todavía usa (%3):\n%4\n"
                    "No se cambió nada.")
                    .arg(fileName, catalogue.title, key.join(QStringLiteral(" / ")), list));
        }
    }

    if (yearPlace >= 0) {
        Query remove(m_connection,
                     QStringLiteral("delete from %1 where %2 = ?")
                         .arg(quotedName(def.name), quotedName(catalogue.yearColumn)));
        for (const QString& year : years) {
            remove.setParams({year});
            remove.exec();
        }
    } else {
        Query(m_connection, QStringLiteral("delete from %1").arg(quotedName(def.name))).exec();
    }
    QStringList names;
    for (const ColumnDef* c : columns)
        names.append(quotedName(c->name));
    BulkRows insert(*m_connection, quotedName(def.name), names);
    for (const QVariantList& row : values)
        insert.add(row);
    insert.flush();
    return {int(values.size()), years};
}

QString Catalogues::replacedMessage(const Catalogue& catalogue, const Replaced& replaced) {
    if (catalogue.yearColumn.isEmpty())
        return QStringLiteral("%1: %2 filas importadas").arg(catalogue.title).arg(replaced.rows);
    return QStringLiteral("%1: %2 filas importadas para la gestión %3")
        .arg(catalogue.title)
        .arg(replaced.rows)
        .arg(replaced.years.join(QStringLiteral(", ")));
}
