#include "frmhistorial.h"

#include "app/application.h"
#include "core/today.h"
#include "plan/frmverpro.h"
#include "plan/frmverproex.h"
#include "plan/frmverpromn.h"
#include "progress/progresspicture.h"
#include "reports/frmavaunidad.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/daychart.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/headerboxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>

TFRMhistorial::TFRMhistorial(QWidget* parent)
    : Form(QStringLiteral("FRMhistorial"), QStringLiteral("Historial"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("12"));
    LBLtitulo =
        title(QStringLiteral("LBLtitulo"), QStringLiteral("Historial de informes de avance"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    LBLorigen = parameter(QStringLiteral("LBLorigen"));

    Connection* conn = Application::instance()->DTM()->connection();
    auto query = [this, conn](const char* name, const char* sql) {
        return Query::make(conn, name, sql, this);
    };
    qhistorial = query(
        "qhistorial",
        "SELECT t_avancepor.cod_area, t_avancepor.id_producto, t_avancepor.gestion, "
        "t_hito.cod_hito, t_hito.hito_descr, t_avancepor.fecha_avance, t_avancepor.por_avance, "
        "t_avancepor.descr, t_avancepor.aclara, t_avancepor.avance_dia, t_avancepor.correla "
        "FROM t_hito INNER JOIN t_avancepor ON (t_hito.cod_hito = t_avancepor.cod_hito) AND "
        "(t_hito.id_producto = t_avancepor.id_producto) AND (t_hito.gestion = "
        "t_avancepor.gestion) AND (t_hito.cod_area = t_avancepor.cod_area) where "
        "t_avancepor.cod_area = :area and t_avancepor.id_producto = :prod and "
        "t_avancepor.gestion = :ges order by t_avancepor.fecha_avance, "
        "t_avancepor.por_avance,t_hito.cod_hito asc");
    Qproacc = query("Qproacc", "select * from t_prodaccion where cod_unidad = :uni and "
                               "id_proyecto = :proy and uni_gestion = :ges");
    qproducto = query("qproducto", "select pro_fecini, pro_fecfin from t_producto where cod_area "
                                   "= :area and id_producto = :prod and pro_gestion = :gestion");
    DSOhistorial = new DataSource(qhistorial, this);
    DSOhistorial->setObjectName(QStringLiteral("DSOhistorial"));
    DSOproducto = new DataSource(qproducto, this);
    DSOproducto->setObjectName(QStringLiteral("DSOproducto"));

    auto etiqueta = [this](const char* name, const char* text) {
        return make<QLabel>(QString::fromLatin1(name), QString::fromUtf8(text));
    };
    LBLvicemin = etiqueta("LBLvicemin", "Viceministerio");
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdirecc = etiqueta("LBLdirecc", "Dirección");
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = etiqueta("LBLunidad", "Unidad");
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLproducto = etiqueta("LBLproducto", "Producto");
    EDIproducto1 = readOnlyBox(QStringLiteral("EDIproducto1"));
    LBLactividad = etiqueta("LBLactividad", "Indicadores");
    MEMindica = readOnlyMemo(QStringLiteral("MEMindica"), 3);
    body()->addLayout(fields({{LBLvicemin, EDIvicemin},
                              {LBLdirecc, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {LBLproducto, EDIproducto1},
                              {LBLactividad, MEMindica}}));

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOhistorial);
    DBGrid1->setColumns({{QStringLiteral("correla"), QStringLiteral("Inf.")},
                         {QStringLiteral("cod_hito"), QStringLiteral("No.")},
                         {QStringLiteral("hito_descr"), QStringLiteral("Meta"), 200},
                         {QStringLiteral("fecha_avance"), QStringLiteral("Fecha inf.")},
                         {QStringLiteral("por_avance"), QStringLiteral("Avance (%)")},
                         {QStringLiteral("avance_dia"), QStringLiteral("Esperado (%)")}});
    GRFavance = make<DayChart>(QStringLiteral("GRFavance"));
    GRFavance->setAccessibleName(QStringLiteral("Gráfico del avance"));
    GRFavance->setEmptyText(QStringLiteral("Sin informes de avance"));
    GRFavance->setMinimumWidth(380);
    auto* informes = new QHBoxLayout;
    informes->addWidget(DBGrid1, 3);
    informes->addWidget(GRFavance, 2);
    body()->addLayout(informes, 1);
    m_pictures = new ProgressPictures(conn, this);

    // What the reporter wrote for the grid's row: shown, never written back.
    auto memo = [this](const char* name, const char* field) {
        auto* m = make<DBMemo>(QString::fromLatin1(name));
        m->setDataSource(DSOhistorial, QString::fromLatin1(field));
        m->setReadOnly(true);
        m->setMaximumHeight(fontMetrics().lineSpacing() * 5);
        return m;
    };
    Label1 = etiqueta("Label1", "Descripción de informes");
    LBLdescr = etiqueta("LBLdescr", "Descripción del avance");
    DBMemo2 = memo("DBMemo2", "descr");
    LBLaclara = etiqueta("LBLaclara", "Aclaración ");
    DBMemo3 = memo("DBMemo3", "aclara");
    caption(LBLdescr, DBMemo2);
    caption(LBLaclara, DBMemo3);
    body()->addWidget(Label1);
    auto* memos = new QGridLayout;
    memos->addWidget(LBLdescr, 0, 0);
    memos->addWidget(LBLaclara, 0, 1);
    memos->addWidget(DBMemo2, 1, 0);
    memos->addWidget(DBMemo3, 1, 1);
    body()->addLayout(memos);

    auto fecha = [this](const char* name, const char* field) {
        auto* box = make<DBEdit>(QString::fromLatin1(name));
        box->setDataSource(DSOproducto, QString::fromLatin1(field));
        box->setReadOnly(true);
        return box;
    };
    LBLfecini = etiqueta("LBLfecini", "Fecha de inicio ");
    DBEdit1 = fecha("DBEdit1", "pro_fecini");
    LBLfecfin = etiqueta("LBLfecfin", "Fecha de conclusión");
    DBEdit2 = fecha("DBEdit2", "pro_fecfin");
    caption(LBLfecini, DBEdit1);
    caption(LBLfecfin, DBEdit2);

    Label2 = make<ClickLabel>(QStringLiteral("Label2"), QStringLiteral("Ver mas"));
    Label2->setCursor(Qt::PointingHandCursor);
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas"));
    Image1->setCursor(Qt::PointingHandCursor);
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Ver mas"));
    BitBtn2->setVisible(false);
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Acerca de"));
    BTNimprime = button(QStringLiteral("BTNimprime"), QStringLiteral("Imprimir"));
    BTNexporta = button(QStringLiteral("BTNexporta"), QStringLiteral("Exportar"));
    BTNgrafico = button(QStringLiteral("BTNgrafico"), QStringLiteral("Guardar gráfico"));
    Volver = button(QStringLiteral("Volver"), QStringLiteral("Salir"));
    row({LBLfecini, DBEdit1, LBLfecfin, DBEdit2, Label2, Image1});
    QHBoxLayout* botones = row({BTNimprime, BTNexporta, BTNgrafico});
    botones->addWidget(BitBtn2);
    botones->addWidget(BitBtn1);
    botones->addWidget(Volver);
    setOpeningSize(1240, 700);

    keys(nullptr, Volver);
    handle(Label2, &ClickLabel::clicked, &TFRMhistorial::Label2Click);
    handle(Image1, &ClickLabel::clicked, &TFRMhistorial::Label2Click);   // Image1Click
    handle(BitBtn2, &QPushButton::clicked, &TFRMhistorial::Label2Click); // hidden twin
    handle(BitBtn1, &QPushButton::clicked, &TFRMhistorial::BitBtn1Click);
    handle(BTNimprime, &QPushButton::clicked, &TFRMhistorial::BTNimprimeClick);
    handle(BTNexporta, &QPushButton::clicked, &TFRMhistorial::BTNexportaClick);
    handle(BTNgrafico, &QPushButton::clicked, &TFRMhistorial::BTNgraficoClick);
    handle(Volver, &QPushButton::clicked, &TFRMhistorial::VolverClick);
}

QString TFRMhistorial::tipoReporte() const {
    return Application::instance()->FRMavaunidad()->LBLtipo->text();
}

void TFRMhistorial::FormActivate() {
    const QString tipo = tipoReporte();
    if (tipo == QLatin1String("EX") || tipo == QLatin1String("MN")) {
        const bool ex = tipo == QLatin1String("EX");
        LBLvicemin->setText(ex ? QStringLiteral("Entidad desconcentrada")
                               : QStringLiteral("Viceministerio"));
        LBLdirecc->setText(QStringLiteral("Dirección"));
        LBLunidad->setText(QStringLiteral("Unidad"));
        LBLproducto->setText(ex ? QStringLiteral("Acción territorial")
                                : QStringLiteral("Producto"));
        LBLactividad->setText(QStringLiteral("Indicadores"));
    }
    const QVariantList producto{LBLcodigo->text(), LBLprod->text(),
                                Application::instance()->session().year()};
    for (Query* q : {qhistorial, Qproacc, qproducto}) {
        q->close();
        q->setParams(producto);
        q->open();
    }
    MEMindica->setPlainText(
        Qproacc->currentRow() >= 0 ? Qproacc->text(QStringLiteral("proy_resultado")) : QString());
    dibuja_avance();
}

void TFRMhistorial::dibuja_avance() {
    const ProgressPicture p = m_pictures->read({LBLcodigo->text(), LBLprod->text().toLongLong(),
                                                Application::instance()->session().year()},
                                               today());
    if (p.isEmpty()) {
        GRFavance->setChart({}, {}, {});
        return;
    }
    // Colours told apart by everyone (blue, vermilion, bluish green), each series also by
    // its dash and marker.
    const QColor azul(0, 114, 178);
    const QColor bermellon(213, 94, 0);
    const QColor verde(0, 158, 115);
    auto puntos = [](const auto& list, auto&& keep) {
        QList<DayChart::Point> out;
        for (const auto& item : list)
            if (keep(item))
                out.append({item.day, double(item.percentage)});
        return out;
    };
    auto todos = [](const auto&) { return true; };
    QList<DayChart::Point> cerradas;
    QList<DayChart::Point> abiertas;
    for (const ProgressPicture::Goal& g : p.goals)
        (g.closed ? cerradas : abiertas).append({g.end, double(g.percentage)});
    QList<DayChart::Series> series;
    series.append({QStringLiteral("Programado"), puntos(p.programmed, todos), azul, Qt::SolidLine,
                   2.5, DayChart::Marker::None, true});
    series.append({QStringLiteral("Esperado por tiempo"), puntos(p.expected, todos), bermellon,
                   Qt::DashLine, 2, DayChart::Marker::None, true});
    series.append({QStringLiteral("Meta cumplida"), cerradas, azul, Qt::NoPen, 0,
                   DayChart::Marker::Diamond, true});
    series.append({QStringLiteral("Meta pendiente"), abiertas, azul, Qt::NoPen, 0,
                   DayChart::Marker::Diamond, false});
    series.append({QStringLiteral("Informe"),
                   puntos(p.reports, [](const auto& r) { return !r.closesGoal; }), verde, Qt::NoPen,
                   0, DayChart::Marker::Circle, true});
    series.append({QStringLiteral("Informe que cumple la meta"),
                   puntos(p.reports, [](const auto& r) { return r.closesGoal; }), verde, Qt::NoPen,
                   0, DayChart::Marker::Square, true});
    // A series with nothing to show takes no place in the legend.
    series.removeIf([](const DayChart::Series& s) { return s.points.isEmpty(); });
    GRFavance->setChart(p.from, p.to, series, p.today, QStringLiteral("Hoy"));
}

Sheet TFRMhistorial::hoja() const {
    Sheet sheet = Sheet::ofGrid(*DBGrid1);
    sheet.title = LBLtitulo->text();
    for (auto [label, box] : {std::pair{LBLvicemin, EDIvicemin},
                              {LBLdirecc, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {LBLproducto, EDIproducto1},
                              {LBLfecini, static_cast<QLineEdit*>(DBEdit1)},
                              {LBLfecfin, static_cast<QLineEdit*>(DBEdit2)}})
        sheet.heading.append(QStringLiteral("%1: %2").arg(label->text().trimmed(), box->text()));
    const Session& session = Application::instance()->session();
    sheet.heading += Sheet::madeBy(session.loginName(), today());
    // What each reporter wrote goes with the report.
    sheet.columns << LBLdescr->text().trimmed() << LBLaclara->text().trimmed();
    for (int r = 0; r < sheet.rows.size(); ++r)
        for (const char* field : {"descr", "aclara"})
            sheet.rows[r].append(
                {qhistorial->valueAt(r, qhistorial->fieldIndex(QString::fromLatin1(field)))
                     .toString(),
                 std::nullopt, false});
    if (!GRFavance->isEmpty())
        sheet.picture = GRFavance->picture(QSize(900, 420));
    return sheet;
}

void TFRMhistorial::BTNimprimeClick() {
    printSheet(hoja());
}

void TFRMhistorial::BTNexportaClick() {
    exportSheet(hoja(), QStringLiteral("historial-%1-%2").arg(LBLcodigo->text(), LBLprod->text()));
}

void TFRMhistorial::BTNgraficoClick() {
    const QString path =
        chooseFile(QStringLiteral("Guardar gráfico"),
                   QStringLiteral("avance-%1-%2").arg(LBLcodigo->text(), LBLprod->text()),
                   QStringLiteral("Imagen PNG (*.png);;PDF (*.pdf)"));
    if (!path.isEmpty())
        GRFavance->save(path,
                        QStringLiteral("%1: %2").arg(LBLproducto->text(), EDIproducto1->text()));
}

void TFRMhistorial::Label2Click() {
    const QString tipo = tipoReporte();
    GoalSheetForm* w = nullptr;
    Application* app = Application::instance();
    if (tipo == QLatin1String("EX")) {
        w = app->FRMverproEX();
        w->Label4->setText(QStringLiteral("Acción territorial"));
        w->LBLdireccion->setText(QStringLiteral("Componente"));
        w->LBLunidad->setText(QStringLiteral("Unidad"));
    } else if (tipo == QLatin1String("MN")) {
        w = app->FRMverproMN();
        w->LBLdireccion->setText(QStringLiteral("Dirección"));
        w->Label4->setText(QStringLiteral("Producto"));
    } else {
        return;
    }
    w->LBLproducto->setText(QStringLiteral("Indicadores"));
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLproy->setText(LBLprod->text());
    showHeader(w, historyHeader());
    // The ministry's sheet opens for reading only.
    w->showGoals(tipo != QLatin1String("MN"));
    open(w);
}

HeaderTexts TFRMhistorial::historyHeader() const {
    return {EDIvicemin->text(), EDIdirecc->text(), EDIunidad->text(), EDIproducto1->text(),
            MEMindica->toPlainText()};
}

void TFRMhistorial::BitBtn1Click() {
    TFRMverpro* w = Application::instance()->FRMverpro();
    showHeader(w, historyHeader());
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLproy->setText(LBLprod->text());
    open(w);
}

void TFRMhistorial::VolverClick() {
    qhistorial->close();
    close();
}
