#pragma once

#include "plan/goalmath.h"

#include <QDate>
#include <QObject>
#include <optional>

class Connection;
class Query;

// The progress a product is expected to have made by `day`: the share of its days from
// `start` to `end` that has passed, x 100, rounded half to even. Not limited: 0 or below
// before the start, 100 on the end day, above it afterwards. A product whose end lies
// before its start has no span to measure against: 0.
qint64 expectedProgress(const QDate& day, const QDate& start, const QDate& end);

// Leaving the "Avance actual" box: a percentage below the last report's or above 100 is
// set back to the last report's.
bool passesExitCheck(qint64 percentage, qint64 lastReported);

// A report is accepted when it lies between the last report's percentage and the
// percentage the goal programmes, both included.
bool acceptable(qint64 percentage, qint64 lastReported, qint64 goalPercentage);

// The progress reports of a product's goals: each report is a row of t_avancepor,
// numbered within its goal; the report that reaches the goal's programmed percentage
// closes the goal, and the open goal is the lowest-numbered goal not yet closed.
//
// Each operation is meant to run inside one user action.
class ProgressReports : public QObject {
    Q_OBJECT
public:
    explicit ProgressReports(Connection* connection, QObject* parent = nullptr);

    // The lowest-numbered goal not yet closed; none when every goal is.
    std::optional<qint64> openGoal(const ProductKey& key);
    // The highest percentage reported on the product, 0 without reports.
    qint64 lastPercentage(const ProductKey& key);
    // The day of the product's latest report; none without reports.
    std::optional<QDate> lastReportDate(const ProductKey& key);

    struct Report {
        qint64 goal = 0;
        qint64 goalPercentage = 0;
        qint64 percentage = 0;
        QDate day;
        QString user;
        QString description;
        QString clarification;
        qint64 expected = 0;
    };
    enum class Outcome { Stored, StoredAndClosed, Refused, NotOpen };
    // "Grabar": refuses a report on a goal that is not the product's open goal as stored
    // now (NotOpen: a report has closed it, here or on another workstation, or an earlier
    // goal is still open) and a percentage outside [last report, goal's percentage]
    // (Refused); otherwise stores the report with the goal's next number (taken so that
    // two workstations reporting on the same goal never share one) and closes the goal
    // when the report reaches its percentage. `number`, when given, receives the stored
    // report's number.
    Outcome store(const ProductKey& key, const Report& report, qint64* number = nullptr);

    Query* Qmaxfecha;
    Query* Qmaxporava;
    Query* Qminmeta;
    Query* Qinsert;
    Query* Qupdateregistro;

private:
    Query* query(const char* name, const char* sql);

    Connection* m_connection;
};
