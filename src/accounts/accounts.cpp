#include "accounts.h"

#include "store/numbers.h"
#include "store/query.h"

AccessLevel AccessLevel::of(bool level1, bool level2, bool level3, const Nodes& nodes) {
    if (level1 && level2 && level3)
        return {3, nodes.unidad};
    if (level1 && level2)
        return {2, nodes.direccion};
    if (level1 && !level3)
        return {1, nodes.vicemin};
    return {};
}

Accounts::Accounts(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qbusca = Query::make(m_connection, "Qbusca",
                         "select usuario from t_usuario where usuario = :usuario and gestion = "
                         ":ges",
                         this);
    Qtipo_usuario = Query::make(m_connection, "Qtipo_usuario",
                                "select * from tipo_usuario where cod_tipo = :tipo", this);
    Qtipo = Query::make(m_connection, "Qtipo", "select * from t_tipo where tipo = :tipo", this);
}

bool Accounts::loginTaken(const QString& login, const QString& year) {
    Qbusca->close();
    Qbusca->setParams({login, year});
    Qbusca->open();
    const bool taken = !Qbusca->isEmpty();
    Qbusca->close();
    return taken;
}

qint64 Accounts::newNumber(const QString& year) {
    return ::newNumber(*m_connection, QStringLiteral("t_usuario"), QStringLiteral("cod_usuario"),
                       Filter::equals(QStringLiteral("gestion"), year),
                       NumberRule::HighestAsNumber);
}

QString Accounts::firstText(Query* query, const QVariantList& params, const QString& field) {
    query->close();
    query->setParams(params);
    query->open();
    return query->isEmpty() ? QString() : query->text(field);
}

QString Accounts::typeName(qint64 type) {
    return firstText(Qtipo_usuario, {type}, QStringLiteral("tipo"));
}

QString Accounts::kindName(const QString& kind) {
    return firstText(Qtipo, {kind}, QStringLiteral("nombre"));
}

void Accounts::keepHashed(const QString& login, const QString& year, const QString& clear,
                          const QString& hashed) {
    Query update(m_connection, QStringLiteral("update t_usuario set contra = :nuevo where "
                                              "usuario = :usu and gestion = :ges and contra = "
                                              ":viejo"));
    update.setParams({hashed, login, year, clear});
    update.exec();
}
