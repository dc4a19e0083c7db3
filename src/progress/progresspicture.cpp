#include "progresspicture.h"

#include "store/query.h"

#include <QSet>
#include <algorithm>

ProgressPicture ProgressPicture::of(const QDate& start, const QDate& end, QList<Goal> goals,
                                    QList<Report> reports, const QDate& today) {
    ProgressPicture picture;
    if (reports.isEmpty())
        return picture;

    std::stable_sort(reports.begin(), reports.end(), [](const Report& a, const Report& b) {
        return a.day < b.day || (a.day == b.day && a.percentage < b.percentage);
    });
    goals.erase(
        std::remove_if(goals.begin(), goals.end(), [](const Goal& g) { return !g.end.isValid(); }),
        goals.end());
    std::stable_sort(goals.begin(), goals.end(), [](const Goal& a, const Goal& b) {
        return a.end < b.end || (a.end == b.end && a.number < b.number);
    });
    for (Report& r : reports) {
        const auto goal = std::find_if(goals.cbegin(), goals.cend(),
                                       [&](const Goal& g) { return g.number == r.goal; });
        r.closesGoal = goal != goals.cend() && goal->closed && r.percentage >= goal->percentage;
    }

    const bool dated = start.isValid() && end.isValid() && start <= end;
    if (dated) {
        qint64 level = 0;
        picture.programmed.append({start, 0});
        for (const Goal& g : std::as_const(goals)) {
            picture.programmed.append({g.end, level});
            picture.programmed.append({g.end, g.percentage});
            level = g.percentage;
        }
        if (goals.isEmpty() || goals.last().end < end)
            picture.programmed.append({end, level});
        picture.expected = {{start, 0}, {end, 100}};
    }
    picture.goals = goals;

    picture.from = dated ? std::min(start, reports.first().day) : reports.first().day;
    picture.to = dated ? std::max(end, reports.last().day) : reports.last().day;
    for (const Goal& g : std::as_const(goals)) {
        picture.from = std::min(picture.from, g.end);
        picture.to = std::max(picture.to, g.end);
    }
    if (today.isValid() && today >= picture.from && today <= picture.to)
        picture.today = today;
    picture.reports = reports;
    return picture;
}

ProgressPictures::ProgressPictures(Connection* connection, QObject* parent)
    : QObject(parent) {
    Qfechas = Query::make(connection, "Qfechas",
                          "select pro_fecini, pro_fecfin from t_producto where cod_area = :area "
                          "and id_producto = :prod and pro_gestion = :gestion",
                          this);
    Qmetas = Query::make(connection, "Qmetas",
                         "select cod_hito, hito_fecfin, hito_porpro, ava_registro from t_hito "
                         "where cod_area = :area and id_producto = :prod and gestion = :ges",
                         this);
    Qinformes = Query::make(connection, "Qinformes",
                            "select cod_hito, fecha_avance, por_avance from t_avancepor where "
                            "cod_area = :area and id_producto = :prod and gestion = :ges",
                            this);
}

ProgressPicture ProgressPictures::read(const ProductKey& key, const QDate& today) {
    const QVariantList params{key.unit, key.number, key.year};
    for (Query* q : {Qfechas, Qmetas, Qinformes}) {
        q->close();
        q->setParams(params);
        q->open();
    }
    QDate start;
    QDate end;
    if (Qfechas->rowCount() > 0) {
        Qfechas->first();
        start = Qfechas->date("pro_fecini");
        end = Qfechas->date("pro_fecfin");
    }
    QList<ProgressPicture::Goal> goals;
    QSet<qint64> numbers;
    for (Qmetas->first(); !Qmetas->eof(); Qmetas->next()) {
        numbers.insert(Qmetas->integer("cod_hito"));
        goals.append(
            {Qmetas->integer("cod_hito"), Qmetas->date("hito_fecfin"),
             Qmetas->integer("hito_porpro"),
             Qmetas->text("ava_registro").compare(QLatin1String("S"), Qt::CaseInsensitive) == 0});
    }
    // As in the history, a report whose goal is gone is not shown.
    QList<ProgressPicture::Report> reports;
    for (Qinformes->first(); !Qinformes->eof(); Qinformes->next()) {
        const QDate day = Qinformes->date("fecha_avance");
        const qint64 goal = Qinformes->integer("cod_hito");
        if (day.isValid() && numbers.contains(goal))
            reports.append({day, Qinformes->integer("por_avance"), goal, false});
    }
    for (Query* q : {Qfechas, Qmetas, Qinformes})
        q->close();
    return ProgressPicture::of(start, end, goals, reports, today);
}
