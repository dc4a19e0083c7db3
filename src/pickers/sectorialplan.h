#pragma once

#include "plan/goalmath.h"

#include <QObject>

class Connection;
class Query;

// The programmes of the sectorial plan a product follows (p_unisectorial): policy and
// programme pairs, stored and deleted outright, without line numbers. A programme stored
// twice is listed twice.
//
// Each operation is meant to run inside one user action.
class SectorialPlanLinks : public QObject {
    Q_OBJECT
public:
    explicit SectorialPlanLinks(Connection* connection, QObject* parent = nullptr);

    // Reads the product's programmes into Qsector.
    void list(const ProductKey& key);
    void store(const ProductKey& key, qint64 policy, qint64 programme);
    // Deletes every row of that programme of that policy: programme codes repeat across
    // policies, so the same code under another policy stays. Returns the rows deleted.
    int remove(const ProductKey& key, qint64 policy, qint64 programme);

    Query* Qsector;
    Query* Qinsert;
    Query* qdele;
};
