#pragma once

#include "goalmath.h"

#include <QObject>
#include <QVariantHash>
#include <optional>

class Connection;
class Query;

// Which attributes a territorial action has: one "S" / "N" flag each, as its row keeps them.
struct ActionFlags {
    QString municipio = QStringLiteral("N");
    QString organizacion = QStringLiteral("N");
    QString responsable = QStringLiteral("N");
    QString indicador = QStringLiteral("N");
    QString sector = QStringLiteral("N");
    QString efecto = QStringLiteral("N");

    // A stored column counts as "S" unless it is "N" or empty.
    static QString fromStored(const QString& value);
    // The six columns of the action's row, for the row written with its first goal.
    QVariantHash columns() const;

    bool operator==(const ActionFlags&) const = default;
};

// A territorial action beyond its goals: the attribute flags of its row and its rows in the
// six attribute tables.
//
// Each operation is meant to run inside one user action.
class TerritorialAction : public QObject {
    Q_OBJECT
public:
    explicit TerritorialAction(Connection* connection, QObject* parent = nullptr);

    // The flags of the action's row; none when the action has no row in the year.
    std::optional<ActionFlags> storedFlags(const ProductKey& key);
    // Writes five flags back to the action's row (the effects flag stays as stored).
    void writeFlags(const ProductKey& key, const ActionFlags& flags);
    // Removes the action's rows of the year in the six attribute tables.
    void removeAttributes(const ProductKey& key);

    Query* Qflags;
    Query* Qupdateprod;
    Query* qdelsector;
    Query* Qdelmun;
    Query* Qdelindi;
    Query* Qdelresp;
    Query* qdelplan;
    Query* Qdelorga;

private:
    Query* query(const char* name, const char* sql);

    Connection* m_connection;
};
