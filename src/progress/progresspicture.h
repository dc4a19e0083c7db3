#pragma once

#include "plan/goalmath.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <optional>

class Connection;
class Query;

// What the picture of a product's year shows, in days and percentages:
// - the programmed progress, a step line that holds each goal's cumulative percentage
//   from that goal's end to the next goal's end (0 % from the product's start);
// - the progress expected from elapsed time, straight from 0 % on the first day to 100 %
//   on the last;
// - each goal's end on the step line, closed or not;
// - every progress report at its day and percentage, marked when it closed its goal;
// - today, when it falls on the days shown.
// A product without reports has nothing to show: every list is empty.
struct ProgressPicture {
    struct Point {
        QDate day;
        qint64 percentage = 0;
        bool operator==(const Point&) const = default;
    };
    struct Goal {
        qint64 number = 0;
        QDate end;
        qint64 percentage = 0;
        bool closed = false;
    };
    struct Report {
        QDate day;
        qint64 percentage = 0;
        qint64 goal = 0;
        bool closesGoal = false;
    };

    QList<Point> programmed;
    QList<Point> expected;
    QList<Goal> goals;
    QList<Report> reports;
    std::optional<QDate> today;
    // The days shown: the product's, widened to every report outside them.
    QDate from;
    QDate to;

    bool isEmpty() const { return reports.isEmpty(); }

    // The picture of a product with these dates, goals and reports on `today`. Goals come
    // in any order; they are shown by the end day, then number. A report closes its goal
    // when the goal is closed and the report reaches the goal's percentage.
    static ProgressPicture of(const QDate& start, const QDate& end, QList<Goal> goals,
                              QList<Report> reports, const QDate& today);
};

// Reads a product's picture from the store: its dates, goals and reports of the year.
class ProgressPictures : public QObject {
    Q_OBJECT
public:
    explicit ProgressPictures(Connection* connection, QObject* parent = nullptr);

    ProgressPicture read(const ProductKey& key, const QDate& today);

    Query* Qfechas;
    Query* Qmetas;
    Query* Qinformes;
};
