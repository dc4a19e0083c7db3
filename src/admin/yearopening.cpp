#include "yearopening.h"

#include "core/error.h"
#include "store/numbers.h"
#include "store/query.h"
#include "store/schema.h"

#include <QRegularExpression>

YearOpening::YearOpening(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qgestiones = Query::make(connection, "Qgestiones",
                             "select vicmin_gestion as gestion from t_vicemin union select "
                             "dir_gestion from t_direccion union select uni_gestion from t_unidad",
                             this);
    Qgestiones->setRowOrder({QStringLiteral("gestion")});
    Qorganizacion = Query::make(
        connection, "Qorganizacion",
        "select (select count(*) from t_vicemin where vicmin_gestion = :a) + (select count(*) "
        "from t_direccion where dir_gestion = :b) + (select count(*) from t_unidad where "
        "uni_gestion = :c) as filas",
        this);
    Qcuentas = Query::make(connection, "Qcuentas",
                           "select count(*) as filas from t_usuario where gestion = :ges", this);
}

QStringList YearOpening::sourceYears() {
    Qgestiones->close();
    Qgestiones->open();
    QStringList years;
    for (int r = 0; r < Qgestiones->rowCount(); ++r) {
        const QString year = Qgestiones->valueAt(r, 0).toString();
        if (!year.trimmed().isEmpty() && !years.contains(year, Qt::CaseInsensitive))
            years.append(year);
    }
    return years;
}

YearOpening::Opened YearOpening::open(const QString& source, const QString& target,
                                      bool withAccounts) {
    if (source.isEmpty())
        throw ConversionError(QStringLiteral("Elija la gestión de la que se copia"));
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    if (!fourDigits.match(target).hasMatch())
        throw ConversionError(
            QStringLiteral("La nueva gestión \"%1\" no es un año de cuatro dígitos").arg(target));
    if (target == source)
        throw ConversionError(
            QStringLiteral("La nueva gestión es la misma de la que se copia: %1").arg(source));

    // Another workstation opening a year, or storing an account, waits until this action
    // ends, so that what is read here stays true until the rows are written.
    lockForOwnNumbers(*m_connection, QStringLiteral("t_vicemin"));
    lockForOwnNumbers(*m_connection, QStringLiteral("t_usuario"));
    Qorganizacion->close();
    Qorganizacion->setParams({target, target, target});
    Qorganizacion->open();
    if (Qorganizacion->integer(QStringLiteral("filas")) > 0)
        throw ConversionError(
            QStringLiteral("La gestión %1 ya tiene organización: no se abre otra vez").arg(target));
    Qcuentas->close();
    Qcuentas->setParams({target});
    Qcuentas->open();
    if (Qcuentas->integer(QStringLiteral("filas")) > 0)
        throw ConversionError(
            QStringLiteral("La gestión %1 ya tiene cuentas de usuario: no se abre otra vez")
                .arg(target));

    Opened opened;
    copy(QStringLiteral("t_vicemin"), QStringLiteral("vicmin_gestion"), source, target);
    copy(QStringLiteral("t_direccion"), QStringLiteral("dir_gestion"), source, target);
    opened.units = copy(QStringLiteral("t_unidad"), QStringLiteral("uni_gestion"), source, target);
    if (withAccounts)
        opened.accounts =
            copy(QStringLiteral("t_usuario"), QStringLiteral("gestion"), source, target);
    return opened;
}

int YearOpening::copy(const QString& table, const QString& yearColumn, const QString& source,
                      const QString& target) {
    const TableDef* def = findTable(table);
    QStringList columns, values;
    for (const ColumnDef& c : def->columns) {
        columns.append(quotedName(c.name));
        values.append(c.name == yearColumn ? QStringLiteral("?") : quotedName(c.name));
    }
    Query insert(m_connection, QStringLiteral("insert into %1 (%2) select %3 from %1 where %4 = ?")
                                   .arg(quotedName(table), columns.join(QStringLiteral(", ")),
                                        values.join(QStringLiteral(", ")), quotedName(yearColumn)));
    insert.setParams({target, source});
    return insert.exec();
}

QString YearOpening::openedMessage(const QString& year, const Opened& opened) {
    return QStringLiteral("Gestión %1 abierta: %2 unidades, %3 cuentas")
        .arg(year)
        .arg(opened.units)
        .arg(opened.accounts);
}
