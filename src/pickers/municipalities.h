#pragma once

#include "plan/goalmath.h"

#include <QObject>

class Connection;
class Query;

// The municipalities of a product (p_unimun). A municipality is stored alone or with every
// other municipality of its department; the lines of one store are numbered from 1, so
// that numbers repeat within a product. Removing a municipality marks every listed line of
// it removed (ok "N"); the rows stay.
//
// Each operation is meant to run inside one user action.
class MunicipalityLinks : public QObject {
    Q_OBJECT
public:
    explicit MunicipalityLinks(Connection* connection, QObject* parent = nullptr);

    // Reads the product's listed municipalities into Qgeo.
    void list(const ProductKey& key);
    // Reads the municipalities of a department, in name order, into Qmuni.
    void municipalitiesOf(const QString& department);

    // One municipality, as line 1.
    void storeOne(const ProductKey& key, const QString& department, const QString& province,
                  const QString& municipality);
    // Every municipality of the department, lines 1 to n in name order (Qmuni is read again
    // for it). Returns n.
    int storeDepartment(const ProductKey& key, const QString& department);
    // Every line of the municipality marked removed. Returns the lines marked.
    int remove(const ProductKey& key, const QString& municipality);

    Query* Qgeo;
    Query* Qmuni;
    Query* Qagrmun;
    Query* qelimina;

private:
    void insert(const ProductKey& key, qint64 line, const QString& department,
                const QString& province, const QString& municipality);
};
