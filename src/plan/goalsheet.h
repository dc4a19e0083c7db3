#pragma once

#include "goalmath.h"

#include <QDate>
#include <QObject>

class Connection;
class Query;

// The goals of one product as the goal sheets show and correct them. Saving a goal keeps
// the goals and the product consistent: the product row takes its dates from the goals,
// every goal starts the day after the goal numbered before it ends, and every goal's
// programmed percentage is the running sum of the goals' shares of the product's days.
// Removing deletes every goal of the product and the product row, and nothing else.
//
// The chaining and the running sum go in ascending goal number. Each operation is meant to
// run inside one user action: its statements run in order and an error stops it, leaving
// the action to undo what it wrote.
class GoalSheet : public QObject {
    Q_OBJECT
public:
    explicit GoalSheet(Connection* connection, QObject* parent = nullptr);

    // The goal list (what the grid shows) and the earliest goal start and latest goal end.
    void abre_metas(const ProductKey& key);
    // Reloads the goal list.
    void abre_hito(const ProductKey& key);
    // Reads the earliest goal start and the latest goal end again.
    void lee_fechas(const ProductKey& key);
    // What the last reading found; no date when the product has no goals.
    QDate firstStart() const;
    QDate lastEnd() const;

    // The current goal of the list as the user corrected it.
    struct GoalEdit {
        QString description;
        QDate start;
        QDate end;
    };
    // "Grabar metas": writes the description and dates into the current goal of the list,
    // gives the product row the earliest goal start and the latest goal end, chains the
    // starts and recomputes the percentages. A product without goals has no current goal
    // and no span: nothing is written and its stored dates stay. Throws ConversionError,
    // having written nothing that the action keeps, when the goals span no day (the
    // latest end is the day before the earliest start): no share can be computed.
    void graba_meta(const ProductKey& key, const GoalEdit& edit);

    // "Eliminar metas": every goal of the product, then the product row. Its attributes,
    // budget rows and progress reports stay.
    void elimina_metas(const ProductKey& key);

    // The goal list; the current row is the goal being corrected.
    Query* Qhito;
    // The earliest goal start and latest goal end of the product.
    Query* Qminhito;
    Query* Qmaxhito;
    // The product row's own dates.
    Query* Qminprod;
    Query* Qmaxprod;
    // The statements, as the save and the removal run them.
    Query* Qupdate;
    Query* Qupdatepor;
    Query* Qupdatefechas;
    Query* Qupdateprod;
    Query* Qupdatemaxprod;
    Query* Qdelhito;
    Query* Qdelpro;

private:
    Query* query(const char* name, const char* sql);
    void run(Query* q, const ProductKey& key);
    // Every goal starts the day after the goal numbered before it ends.
    void actualiza_fechas(const ProductKey& key);
    // Every goal's percentage: the running sum of the shares of `span` days.
    void actualiza_porcentajes(const ProductKey& key, qint64 span);

    Connection* m_connection;
};
