#include "statement.h"

#include "connection.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>

namespace {

void bindAll(QSqlQuery& q, const QVariantList& params) {
    for (const QVariant& p : params)
        q.addBindValue(toBound(p));
}

} // namespace

QSqlQuery runStatement(Connection& connection, const QString& sql, const QVariantList& params) {
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    bool ok = q.prepare(sql);
    if (ok) {
        bindAll(q, params);
        ok = q.exec();
    }
    if (!ok) {
        connection.statementFailed();
        throw StoreError(engineMessage(q.lastError()));
    }
    return q;
}
