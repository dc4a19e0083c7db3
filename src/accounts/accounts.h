#pragma once

#include <QObject>
#include <QString>
#include <optional>

class Connection;
class Query;

// The access an account gives: its level (1 vice-ministry or entity, 2 directorate or
// component, 3 unit) and the code of the node at that level, which the login takes for
// the user's unit. Levels are ticked from the top: level 1 alone, 1 and 2, or all three;
// any other choice gives no level and no node.
struct AccessLevel {
    std::optional<int> nivel;
    QString unidad;

    struct Nodes {
        QString vicemin;
        QString direccion;
        QString unidad;
    };
    static AccessLevel of(bool level1, bool level2, bool level3, const Nodes& nodes);
};

// The rules of user accounts beyond their typed fields: whether a login name is taken in
// a year, the number of a new account, and the names of a type and of a kind.
//
// Each operation is meant to run inside one user action.
class Accounts : public QObject {
    Q_OBJECT
public:
    explicit Accounts(Connection* connection, QObject* parent = nullptr);

    // Whether an account of the year already has this login name.
    bool loginTaken(const QString& login, const QString& year);
    // The number of a new account of the year: the highest, compared as numbers, plus one;
    // 1 for the first. Taken inside the action that stores the account, so that two
    // administrators never give the same number.
    qint64 newNumber(const QString& year);
    // The name of a user type ("Administrador") and of a kind ("Ministerio"); empty when
    // there is none.
    QString typeName(qint64 type);
    QString kindName(const QString& kind);
    // Replaces a password still kept as typed by its hash, in the accounts of the login
    // name and year that keep it so.
    void keepHashed(const QString& login, const QString& year, const QString& clear,
                    const QString& hashed);

    Query* Qbusca;
    Query* Qtipo_usuario;
    Query* Qtipo;

private:
    QString firstText(Query* query, const QVariantList& params, const QString& field);

    Connection* m_connection;
};
