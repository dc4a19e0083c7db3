#include "statement.h"

#include "connection.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>

QSqlQuery runStatement(Connection& connection, const QString& sql, const QVariantList& params) {
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!q.prepare(sql))
        throw StoreError(engineMessage(q.lastError()));
    for (const QVariant& p : params)
        q.addBindValue(toBound(p));
    if (!q.exec())
        throw StoreError(engineMessage(q.lastError()));
    return q;
}
