#include "frmvermas.h"

#include "app/application.h"
#include "frmhistorial.h"
#include "plan/frmverpro.h"
#include "plan/frmverproex.h"
#include "plan/frmverpromn.h"
#include "reports/frmavaunidad.h"
#include "store/query.h"
#include "store/tdtm.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const Session& session() {
    return Application::instance()->session();
}

} // namespace

TFRMvermas::TFRMvermas(QWidget* parent)
    : Form(QStringLiteral("FRMvermas"), QStringLiteral("Historial, ver mas"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("11"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));

    Connection* conn = Application::instance()->DTM()->connection();
    Qunidad = new Query(
        conn,
        QStringLiteral(
            "SELECT t_vicemin.cod_vicemin, t_vicemin.vicmin_nombre, t_direccion.cod_direc, "
            "t_direccion.dir_nombre, t_unidad.cod_unidad, t_unidad.uni_nombre FROM t_vicemin "
            "INNER JOIN (t_direccion INNER JOIN t_unidad ON (t_direccion.dir_gestion = "
            "t_unidad.uni_gestion) AND (t_direccion.cod_direc = t_unidad.cod_direc) AND "
            "(t_direccion.cod_vicemin = t_unidad.cod_vicemin) AND (t_direccion.cod_min = "
            "t_unidad.cod_min)) ON (t_vicemin.cod_vicemin = t_direccion.cod_vicemin) AND "
            "(t_vicemin.cod_min = t_direccion.cod_min) WHERE t_unidad.cod_unidad = :UNI AND "
            "t_unidad.uni_gestion =:GES"),
        this);
    Qunidad->setObjectName(QStringLiteral("Qunidad"));
    Qproaccion = new Query(conn,
                           QStringLiteral("SELECT * FROM t_prodaccion WHERE cod_unidad = :UNI "
                                          "AND id_proyecto = :PROY AND uni_gestion = :GES"),
                           this);
    Qproaccion->setObjectName(QStringLiteral("Qproaccion"));

    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Historial"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Metas intermedias"));
    BTNdatosgral = button(QStringLiteral("BTNdatosgral"), QStringLiteral("Datos generales"));
    BTNdatosgral->setEnabled(false);
    body()->addStretch(1);
    row({BitBtn1, BitBtn2, BTNdatosgral}, Qt::AlignCenter);
    body()->addStretch(1);

    escapeCloses();
    handle(BitBtn1, &QPushButton::clicked, &TFRMvermas::BitBtn1Click);
    handle(BitBtn2, &QPushButton::clicked, &TFRMvermas::BitBtn2Click);
    handle(BTNdatosgral, &QPushButton::clicked, &TFRMvermas::BTNdatosgralClick);
}

void TFRMvermas::FormActivate() {
    BTNdatosgral->setEnabled(false);
    if (session().accountKind() == QLatin1String("EX"))
        BTNdatosgral->setEnabled(true);
}

void TFRMvermas::abre_unidad(Query* unidad) {
    unidad->close();
    unidad->setParams({LBLcodigo->text(), session().year()});
    unidad->open();
}

void TFRMvermas::abre_producto() {
    Qproaccion->close();
    Qproaccion->setParams({LBLcodigo->text(), LBLprod->text(), session().year()});
    Qproaccion->open();
}

namespace {

QString campo(const Query* q, const char* field) {
    return q->currentRow() >= 0 ? q->text(QString::fromLatin1(field)) : QString();
}

} // namespace

void TFRMvermas::BitBtn1Click() {
    Application* app = Application::instance();
    Query* unidad = app->DTM()->Qunidad;
    abre_unidad(unidad);
    TFRMhistorial* w = app->FRMhistorial();
    w->EDIvicemin->setText(campo(unidad, "vicmin_nombre"));
    w->EDIdirecc->setText(campo(unidad, "dir_nombre"));
    w->EDIunidad->setText(campo(unidad, "uni_nombre"));
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLprod->setText(LBLprod->text());
    w->LBLorigen->setText(QStringLiteral("H"));
    const Query* reporte = app->FRMavaunidad()->Qavaunidad;
    w->EDIproducto1->setText(reporte->isOpen() ? campo(reporte, "proy_descorta") : QString());
    open(w);
}

void TFRMvermas::BitBtn2Click() {
    Application* app = Application::instance();
    const QString entidad = session().accountKind();
    GoalSheetForm* w = nullptr;
    if (entidad == QLatin1String("EX"))
        w = app->FRMverproEX();
    else if (entidad == QLatin1String("MN"))
        w = app->FRMverproMN();
    else
        return;
    const bool ex = entidad == QLatin1String("EX");
    Query* unidad = app->DTM()->Qunidad;
    abre_unidad(unidad);
    abre_producto();
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLproy->setText(LBLprod->text());
    w->LBLproducto->setText(ex ? QStringLiteral("Acción territorial") : QStringLiteral("Producto"));
    w->EDIvicemin->setText(campo(unidad, "vicmin_nombre"));
    w->EDIdirecc->setText(campo(unidad, "dir_nombre"));
    w->EDIunidad->setText(campo(unidad, "uni_nombre"));
    w->EDIproyecto->setText(campo(Qproaccion, ex ? "proy_descripcion" : "proy_descorta"));
    w->MEMresultado->setPlainText(campo(Qproaccion, "proy_resultado"));
    w->showGoals(true);
    open(w);
}

void TFRMvermas::BTNdatosgralClick() {
    abre_unidad(Qunidad);
    abre_producto();
    TFRMverpro* w = Application::instance()->FRMverpro();
    w->EDIvicemin->setText(campo(Qunidad, "vicmin_nombre"));
    w->EDIdirecc->setText(campo(Qunidad, "dir_nombre"));
    w->EDIunidad->setText(campo(Qunidad, "uni_nombre"));
    w->EDIproyecto->setText(campo(Qproaccion, "proy_descorta"));
    w->MEMresultado->setPlainText(campo(Qproaccion, "proy_descripcion"));
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLproy->setText(LBLprod->text());
    open(w);
}
