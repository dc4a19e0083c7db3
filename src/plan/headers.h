#pragma once

#include "goalmath.h"

#include <QObject>

class Connection;
class Query;
class Table;

// The headers of a unit's products in a year, as the register browser keeps them: each
// new header takes a number of its unit and year that no row holds yet and is written
// active, a header is changed in place, every header of the unit and year can be made
// active again, and deleting a header removes its product row and its goals with it (its
// progress reports, attributes and budget stay).
//
// Each operation is meant to run inside one user action.
class ProductHeaders : public QObject {
    Q_OBJECT
public:
    explicit ProductHeaders(Connection* connection, QObject* parent = nullptr);

    // The goals the product has: a header with goals has had its data entered.
    qint64 goalCount(const ProductKey& key);
    // The number a new header of the unit and year takes: the highest plus one, 1 for the
    // first, and above every number the rows of deleted headers of the unit and year still
    // carry (their progress reports, attributes and budget), so that a new product never
    // shows another's rows. Taken inside the action that writes the header.
    qint64 newNumber(const QString& unit, const QString& year);

    struct Texts {
        QString descorta;
        QString descripcion;
        QString resultado;
        QString ok;
        bool operator==(const Texts&) const = default;
    };
    // "Agregar registro": `headers` shows the unit's headers of the year, with a new row
    // being typed at its end.
    static void beginNew(Table* headers, const QString& unit, const QString& year);
    // "Grabar registro": writes the new header, appended to `headers` (the row being typed,
    // or a new one), with the next number of the unit and year, active ("S") whatever
    // `texts.ok` holds. Returns its number.
    qint64 add(Table* headers, const QString& unit, const QString& year, const Texts& texts);
    // Writes the header's texts and its active flag.
    void modify(const ProductKey& key, const Texts& texts);
    // Every header of the unit and year active ("S") again.
    void reactivate(const QString& unit, const QString& year);
    // The header, then the product row of `productUnit` (the unit the browser lists), then
    // the goals; a goal being stored on the product at another workstation is waited for
    // and deleted with them.
    void remove(const ProductKey& key, const QString& productUnit);

    Query* Qmuestrametas;
    Query* Qmodifica;
    Query* Qupdate;
    Query* Qdelprod;
    Query* Qdelpro;
    Query* Qdelmeta;

private:
    Query* query(const char* name, const char* sql);

    Connection* m_connection;
};
