#pragma once

#include "plan/goalmath.h"

#include <QObject>

class Connection;
class Query;

// The sub-sectors of a product (p_unisector). A sub-sector is stored alone or with every
// other sub-sector of its sector; each new line takes the highest number of the product's
// lines plus one, removed lines included, so that no two lines share a number. Removing a
// line marks it removed (ok "N"); the row stays.
//
// Each operation is meant to run inside one user action.
class SectorLinks : public QObject {
    Q_OBJECT
public:
    explicit SectorLinks(Connection* connection, QObject* parent = nullptr);

    // Reads the product's listed sub-sectors into Qsector.
    void list(const ProductKey& key);

    // One sub-sector; returns its line number.
    qint64 storeOne(const ProductKey& key, const QString& subsector);
    // Every sub-sector of the sector (read into Qsubsec, in code order), each numbered after
    // the lines listed before it. Returns how many were stored.
    int storeSector(const ProductKey& key, const QString& sector);
    // Marks the line with that number and sub-sector removed. Returns the rows marked: one,
    // but for two lines that an earlier numbering gave the same number and sub-sector.
    int remove(const ProductKey& key, qint64 line, const QString& subsector);

    Query* Qsector;
    Query* Qsubsec;
    Query* Qagrsector;
    Query* Qelimina;

private:
    Connection* m_connection;
};
