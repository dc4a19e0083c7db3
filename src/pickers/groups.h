#pragma once

#include "plan/goalmath.h"

#include <QObject>

class Connection;
class Query;

// The indigenous groups of a product (p_uniorga). Each group's lines are numbered on their
// own: the same group stored again takes its highest line plus one, another group starts
// at 1. Removing a line deletes its row.
//
// Each operation is meant to run inside one user action.
class GroupLinks : public QObject {
    Q_OBJECT
public:
    explicit GroupLinks(Connection* connection, QObject* parent = nullptr);

    // Reads the product's listed groups into ADOQuery1.
    void list(const ProductKey& key);
    // Stores the group with its next line number (taken so that two workstations never
    // share one) and returns that number.
    qint64 store(const ProductKey& key, qint64 group);
    // Deletes one line of a group. Returns the rows deleted.
    int remove(const ProductKey& key, qint64 group, qint64 line);

    Query* ADOQuery1;
    Query* Qagrorga;
    Query* Qdelete;

private:
    Connection* m_connection;
};
