#pragma once

#include "budgetmath.h"
#include "plan/goalmath.h"

#include <QDate>
#include <QObject>

class Connection;
class Query;

// The column of t_flujofondos that holds a month's programmed amount, January being 0.
QString flowAmountColumn(int monthIndex);

// The programmed budget of a product for a year, kept in versions: the cash flow
// (t_flujofondos: twelve amounts with their percentages) and its split by type of support
// (t_distribucion, the only place of the budgeted total). A save never changes a stored
// row: it marks every version of the product and year superseded and adds one new current
// version to each table, numbered as the count of the table's versions plus one.
//
// Each operation is meant to run inside one user action; the save needs one.
class BudgetProgramming : public QObject {
    Q_OBJECT
public:
    explicit BudgetProgramming(Connection* connection, QObject* parent = nullptr);

    struct Flow {
        MonthAmounts amounts{};
        MonthPercentages percentages{};
    };
    struct Distribution {
        Money infrastructure;      // monto_inv
        Money technicalAssistance; // monto_atec
        Money total;               // monto_total, the budgeted total
    };

    // The current version (the highest number among the current rows); zeros without one.
    Flow currentFlow(const ProductKey& key);
    Distribution currentDistribution(const ProductKey& key);

    struct Versions {
        qint64 flow = 0;
        qint64 distribution = 0;
    };
    // Stores a new current version of both, saved on `day`; returns their numbers. The
    // numbers are taken first, so that another workstation saving the same product waits
    // for this save and then supersedes what it stored.
    Versions save(const ProductKey& key, const Flow& flow, const Distribution& distribution,
                  const QDate& day);

    Query* Qmaxflujo;
    Query* Qflujofondos;
    Query* Qmaxdis;
    Query* Qdistribucion;
    Query* qupdateflujo;
    Query* Qupdatedistri;
    Query* Qmonto;
    Query* Qdistri;

private:
    Query* query(const char* name, const char* sql);
    // Opens `current` on the version `highest` names for the product; false without one.
    bool openCurrent(Query* highest, Query* current, const ProductKey& key);

    Connection* m_connection;
};
