#pragma once

#include <QObject>
#include <QStringList>

class Connection;
class Query;

// Opening a new management year: the organisation of a year that holds one (its
// vice-ministries or entities, directorates or components and units) and, when asked,
// its accounts with their numbers and passwords, copied into a year that holds neither.
// Plans, goals and reports are never copied: each year registers its own.
//
// Each operation is meant to run inside one user action.
class YearOpening : public QObject {
    Q_OBJECT
public:
    explicit YearOpening(Connection* connection, QObject* parent = nullptr);

    // The years that hold an organisation row, in order.
    QStringList sourceYears();

    struct Opened {
        int units = 0;
        int accounts = 0;
    };
    // Copies `source` into `target`. Refuses with ConversionError, writing nothing, when
    // the target is not a year of four digits, is the source, or already holds an
    // organisation row or an account; two workstations opening the same year do it one
    // after the other, and the second is refused.
    Opened open(const QString& source, const QString& target, bool withAccounts);

    // The message that tells the year is open.
    static QString openedMessage(const QString& year, const Opened& opened);

    Query* Qgestiones;
    Query* Qorganizacion;
    Query* Qcuentas;

private:
    int copy(const QString& table, const QString& yearColumn, const QString& source,
             const QString& target);

    Connection* m_connection;
};
