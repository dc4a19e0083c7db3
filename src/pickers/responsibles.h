#pragma once

#include "plan/goalmath.h"

#include <QObject>

class Connection;
class Query;

// The responsible persons of a product (p_responsable). Lines are numbered per product
// after the highest number ever used, removed lines included, so that a removed line
// keeps its number. Removing a line marks it removed (ok "N"); the row stays.
//
// Each operation is meant to run inside one user action.
class ResponsibleLinks : public QObject {
    Q_OBJECT
public:
    explicit ResponsibleLinks(Connection* connection, QObject* parent = nullptr);

    // Reads the product's listed persons into ADOQuery1.
    void list(const ProductKey& key);
    // Stores the person with the product's next line number (taken so that two
    // workstations never share one) and returns that number. `inCharge` is the row's
    // "responsable" flag.
    qint64 store(const ProductKey& key, const QString& person, bool inCharge);
    // Marks the line removed. Returns the rows marked.
    int remove(const ProductKey& key, qint64 line);

    Query* ADOQuery1;
    Query* Qagrresp;
    Query* Qelimina;

private:
    Connection* m_connection;
};
