#include "statement.h"

#include "connection.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>

namespace {

StatementObserver& observer() {
    static StatementObserver o;
    return o;
}

} // namespace

void setStatementObserver(StatementObserver o) {
    observer() = std::move(o);
}

void reportStatement(const Connection& connection, const QString& sql, const QVariantList& bound) {
    if (observer())
        observer()(connection, sql, bound);
}

QSqlQuery runStatement(Connection& connection, const QString& sql, const QVariantList& params) {
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    QVariantList bound;
    bound.reserve(params.size());
    for (const QVariant& p : params)
        bound.append(toBound(p));
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& b : bound)
            q.addBindValue(b);
        ok = q.exec();
    }
    if (!ok) {
        connection.statementFailed();
        throw StoreError(engineMessage(q.lastError()));
    }
    reportStatement(connection, sql, bound);
    return q;
}
