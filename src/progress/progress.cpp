#include "progress.h"

#include "core/days.h"
#include "core/rounding.h"
#include "store/numbers.h"
#include "store/query.h"

qint64 expectedProgress(const QDate& day, const QDate& start, const QDate& end) {
    const qint64 span = daysInclusive(start, end);
    if (span <= 0)
        return 0;
    return roundHalfEven(daysInclusive(start, day) * 100, span);
}

bool passesExitCheck(qint64 percentage, qint64 lastReported) {
    return percentage >= lastReported && percentage <= 100;
}

bool acceptable(qint64 percentage, qint64 lastReported, qint64 goalPercentage) {
    return lastReported <= percentage && percentage <= goalPercentage;
}

ProgressReports::ProgressReports(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qmaxfecha = query("Qmaxfecha", "select Max(fecha_avance) as fecha from t_avancepor where "
                                   "cod_area = :area and id_producto = :prod and gestion = :ges");
    Qmaxporava = query("Qmaxporava",
                       "select MAX(por_avance) as maximo from t_avancepor where cod_area = :area "
                       "and id_producto = :prod and gestion = :ges");
    Qminmeta =
        query("Qminmeta", "select MIN(cod_hito) as metamin from t_hito where cod_area = :UNI and "
                          "id_producto = :PROD and gestion = :GES and ava_registro = 'N'");
    Qinsert =
        query("Qinsert",
              "insert into t_avancepor(cod_area,id_producto,gestion,cod_hito,correla,fecha_avance,"
              "por_avance,usuario,descr,aclara, avance_dia) values(:area,:prod,:ges,:cod,:correla,"
              ":fecha,:por,:usuario,:descr,:aclara,:ava)");
    Qupdateregistro =
        query("Qupdateregistro", "update t_hito set ava_registro = 'S' where cod_area =:area and "
                                 "id_producto = :prod and gestion = :gestion and cod_hito = :hito");
}

Query* ProgressReports::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

std::optional<qint64> ProgressReports::openGoal(const ProductKey& key) {
    Qminmeta->setParams({key.unit, key.number, key.year});
    Qminmeta->open();
    std::optional<qint64> goal;
    if (!Qminmeta->isNull("metamin"))
        goal = Qminmeta->integer("metamin");
    Qminmeta->close();
    return goal;
}

qint64 ProgressReports::lastPercentage(const ProductKey& key) {
    Qmaxporava->setParams({key.unit, key.number, key.year});
    Qmaxporava->open();
    const qint64 last = Qmaxporava->integer("maximo");
    Qmaxporava->close();
    return last;
}

std::optional<QDate> ProgressReports::lastReportDate(const ProductKey& key) {
    Qmaxfecha->setParams({key.unit, key.number, key.year});
    Qmaxfecha->open();
    std::optional<QDate> day;
    if (!Qmaxfecha->isNull("fecha"))
        day = Qmaxfecha->date("fecha");
    Qmaxfecha->close();
    return day;
}

ProgressReports::Outcome ProgressReports::store(const ProductKey& key, const Report& report,
                                                qint64* number) {
    // The number first: it keeps the other workstations from reporting on the product until
    // this action ends, so that the open goal and the last percentage read next stay so.
    const qint64 correla =
        newNumber(*m_connection, QStringLiteral("t_avancepor"), QStringLiteral("correla"),
                  Filter::equals(QStringLiteral("cod_area"), key.unit)
                      .andEquals(QStringLiteral("id_producto"), QString::number(key.number))
                      .andEquals(QStringLiteral("gestion"), key.year)
                      .andEquals(QStringLiteral("cod_hito"), QString::number(report.goal)));
    if (openGoal(key) != report.goal)
        return Outcome::NotOpen;
    if (!acceptable(report.percentage, lastPercentage(key), report.goalPercentage))
        return Outcome::Refused;
    // A report keeps the first ten characters of its user's name, all its column holds:
    // a longer login name must not keep its user from reporting.
    Qinsert->setParams({key.unit, key.number, key.year, report.goal, correla, report.day,
                        report.percentage, report.user.left(10), report.description,
                        report.clarification, report.expected});
    Qinsert->exec();
    if (number)
        *number = correla;
    if (report.percentage != report.goalPercentage)
        return Outcome::Stored;
    Qupdateregistro->setParams({key.unit, key.number, key.year, report.goal});
    Qupdateregistro->exec();
    return Outcome::StoredAndClosed;
}
