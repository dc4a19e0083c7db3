#include "frmverpro.h"

#include "app/application.h"
#include "core/wholenumber.h"
#include "frmvermetasex.h"
#include "frmverproducto.h"
#include "pickers/frmgeografico.h"
#include "pickers/frmindica.h"
#include "pickers/frmorganiza.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmsector.h"
#include "pickers/frmunisectorial.h"
#include "pickers/handover.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/dbgrid.h"
#include "ui/headerboxes.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

TDTM* dtm() {
    return Application::instance()->DTM();
}

const QColor linkColour(0, 82, 164);

void reload(Query* query, const QVariantList& params) {
    query->close();
    query->setParams(params);
    query->open();
}

} // namespace

TFRMverpro::TFRMverpro(QWidget* parent)
    : Form(QStringLiteral("FRMverpro"), QStringLiteral("Información acción territorial"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Información sobre acciones territoriales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    Connection* conn = dtm()->connection();
    auto query = [this, conn](const char* name, const char* sql) {
        return Query::make(conn, name, sql, this);
    };
    // The unit's names in the session year: the unit, its component and its entity of that
    // year, each level joined on its whole key.
    ADOQunidad = query(
        "ADOQunidad",
        "SELECT t_vicemin.vicmin_nombre, t_direccion.dir_nombre, t_unidad.cod_unidad, "
        "t_unidad.uni_nombre from t_vicemin, t_direccion, t_unidad where t_vicemin.cod_vicemin "
        "= t_unidad.cod_vicemin and t_direccion.cod_direc = t_unidad.cod_direc and "
        "t_unidad.cod_unidad = :unidad and t_unidad.uni_gestion = :gestion and "
        "t_vicemin.cod_min = t_unidad.cod_min and t_vicemin.vicmin_gestion = "
        "t_unidad.uni_gestion and t_direccion.cod_min = t_unidad.cod_min and "
        "t_direccion.cod_vicemin = t_unidad.cod_vicemin and t_direccion.dir_gestion = "
        "t_unidad.uni_gestion");
    Qindica =
        query("Qindica", "select a.num_indica, a.cantidad, b.ind_descripcion from p_uniindi a, "
                         "t_indicador b where a.cod_indicador = b.cod_indicador and a.ok = 'S' and "
                         "a.cod_unidad = :uni and a.cod_producto = :prod and a.gestion = :ges");
    Qmun = query("Qmun", "select b.depto_nombre, c.prov_nombre , d.mun_nombre from p_unimun a, "
                         "t_depar b, t_provin c, t_muni d where a.cod_mun = d.cod_mun and "
                         "a.cod_prov = c.cod_prov and a.cod_depto = b.cod_depto and a.ok = 'S' "
                         "and a.cod_unidad = :unidad and a.cod_producto = :prod and a.gestion = "
                         ":ges order by b.depto_nombre , c.prov_nombre , d.mun_nombre");
    Qorga = query("Qorga", "select * from p_uniorga a, t_organizacion b where a.cod_orga = "
                           "b.cod_orga and a.ok = 'S' and a.cod_unidad = :uni and a.cod_producto "
                           "= :prod and a.gestion = :ges");
    Qsector = query("Qsector", "select * from p_unisector a, t_sector b, t_grupo c where "
                               "a.cod_grupo = c.cod_grupo and c.cod_sector = b.cod_sector and "
                               "a.ok = 'S' and a.cod_unidad = :uni and a.cod_producto = :prod and "
                               "a.gestion = :ges");
    // Each attached programme once: the programme is found by its policy and its number.
    Qsectorial = query(
        "Qsectorial",
        "SELECT p_unisectorial.*, t_politica.*, t_sectorial.*, p_unisectorial.cod_unidad, "
        "p_unisectorial.cod_producto, p_unisectorial.gestion FROM (p_unisectorial INNER JOIN "
        "t_politica ON p_unisectorial.cod_politica = t_politica.cod_politica) INNER JOIN "
        "t_sectorial ON t_politica.cod_politica = t_sectorial.cod_politica AND "
        "p_unisectorial.cod_programa = t_sectorial.cod_programa WHERE "
        "(((p_unisectorial.cod_unidad)= :unidad) AND ((p_unisectorial.cod_producto)= :prod) AND "
        "((p_unisectorial.gestion)= :gestion));");
    Qresp = query("Qresp", "Select * from p_responsable a, t_responsable b where "
                           "a.cod_responsable = b.cod_responsable and a.ok = 'S' and "
                           "a.cod_unidad = :uni and a.cod_producto = :prod and a.gestion = :ges");
    auto source = [this](const char* name, Dataset* d) {
        auto* s = new DataSource(d, this);
        s->setObjectName(QString::fromLatin1(name));
        return s;
    };
    DSOindica = source("DSOindica", Qindica);
    DSOmun = source("DSOmun", Qmun);
    DSOorga = source("DSOorga", Qorga);
    DSOsector = source("DSOsector", Qsector);
    DSOsectorial = source("DSOsectorial", Qsectorial);
    DSOresp = source("DSOresp", Qresp);

    // The action's header, read-only: the organisation on the left, the action on the right.
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Entidad desconcentrada"));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Componente"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Acción territorial"));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Indicadores especifivos"));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"), 3);
    Label21 = make<ClickLabel>(QStringLiteral("Label21"), QStringLiteral("Ver mas"));
    Label21->setTextColour(linkColour);
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas"));
    auto* header = new QHBoxLayout;
    header->addLayout(
        fields({{Label4, EDIvicemin}, {LBLdireccion, EDIdirecc}, {LBLunidad, EDIunidad}}), 2);
    QFormLayout* action = fields({{LBLvicemin, EDIproyecto}, {Label5, MEMresultado}});
    auto* more = new QHBoxLayout;
    more->addStretch(1);
    more->addWidget(Label21);
    more->addWidget(Image1);
    action->addRow(more);
    header->addLayout(action, 3);
    body()->addLayout(header);

    // The six sections, read in rows of three.
    auto link = [this](const char* name, const char* text) {
        auto* l = make<ClickLabel>(QString::fromLatin1(name), QString::fromUtf8(text));
        l->setTextColour(linkColour);
        return l;
    };
    auto* sections = new QWidget;
    sections->setObjectName(QStringLiteral("secciones"));
    auto* grid = new QGridLayout(sections);
    grid->setContentsMargins(0, 0, 0, 0);
    int place = 0;
    auto section = [&](const char* name, const char* text, DBGrid*& list, const char* listName,
                       DataSource* rows, const QList<DBGrid::Column>& columns, ClickLabel* add,
                       ClickLabel* again) {
        auto* box = make<QGroupBox>(QString::fromLatin1(name), QString::fromUtf8(text));
        list = make<DBGrid>(QString::fromLatin1(listName));
        list->setDataSource(rows);
        list->setColumns(columns);
        list->verticalHeader()->setVisible(false);
        list->horizontalHeader()->setStretchLastSection(true);
        list->setAccessibleName(box->title().trimmed());
        auto* inside = new QVBoxLayout(box);
        inside->addWidget(list, 1);
        auto* links = new QHBoxLayout;
        links->addWidget(add);
        links->addStretch(1);
        links->addWidget(again);
        inside->addLayout(links);
        grid->addWidget(box, place / 3, place % 3);
        ++place;
        return box;
    };
    Label8 = link("Label8", "Agregar / Elimina");
    Label9 = link("Label9", "Actualizar");
    GroupBox1 = section("GroupBox1", "Indicadores generales", DBGrid3, "DBGrid3", DSOindica,
                        {{QStringLiteral("num_indica"), QStringLiteral("Núm."), 44},
                         {QStringLiteral("cantidad"), QStringLiteral("Cantidad"), 70},
                         {QStringLiteral("ind_descripcion"), QStringLiteral("Descripcion")}},
                        Label8, Label9);
    Label10 = link("Label10", "Agregar / Elimina");
    Label11 = link("Label11", "Actualiza");
    GroupBox2 = section("GroupBox2", "Municipios", DBGrid1, "DBGrid1", DSOmun,
                        {{QStringLiteral("depto_nombre"), QStringLiteral("Departamento"), 110},
                         {QStringLiteral("prov_nombre"), QStringLiteral("Provincia"), 140},
                         {QStringLiteral("mun_nombre"), QStringLiteral("Municipio")}},
                        Label10, Label11);
    Label14 = link("Label14", "Agregar/Modifica");
    Label15 = link("Label15", "Actualiza");
    GroupBox3 = section("GroupBox3", "  Grupos indígenas", DBGrid4, "DBGrid4", DSOorga,
                        {{QStringLiteral("org_descr"), QStringLiteral("Grupos"), 260},
                         {QStringLiteral("org_sigla"), QStringLiteral("Sigla")}},
                        Label14, Label15);
    Label16 = link("Label16", "Agregar/Modifica");
    Label17 = link("Label17", "Actualiza");
    GroupBox4 = section("GroupBox4", "Sector y Sub sector", DBGrid5, "DBGrid5", DSOsector,
                        {{QStringLiteral("correlativo"), QStringLiteral("Núm."), 44},
                         {QStringLiteral("sector_nombre"), QStringLiteral("Sector")}},
                        Label16, Label17);
    Label19 = link("Label19", "Agregar/Modifica");
    Label20 = link("Label20", "Actualiza");
    GroupBox5 = section("GroupBox5", "Plan sectorial", DBGrid6, "DBGrid6", DSOsectorial,
                        {{QStringLiteral("poli_descri"), QStringLiteral("Politica"), 230},
                         {QStringLiteral("pro_descri"), QStringLiteral("Programa")}},
                        Label19, Label20);
    Label12 = link("Label12", "Agregar / Elimina");
    Label13 = link("Label13", "Actualiza");
    GroupBox6 = section("GroupBox6", "Responsable", DBGrid2, "DBGrid2", DSOresp,
                        {{QStringLiteral("res_nombre"), QStringLiteral("Responsable"), 220},
                         {QStringLiteral("res_cargo"), QStringLiteral("Cargo")}},
                        Label12, Label13);
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 1);
    // On a small screen the sections scroll; the header and the buttons stay in sight.
    auto* scroll = make<QScrollArea>(QStringLiteral("SCRsecciones"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the sections, which it scrolls to
    scroll->setWidget(sections);
    sections->setMinimumSize(3 * 300, 2 * 190);
    body()->addWidget(scroll, 1);

    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Metas"));
    BTNcerrar = button(QStringLiteral("BTNcerrar"), QStringLiteral("Salir"));
    row({BitBtn2, BTNcerrar}, Qt::AlignRight);
    setOpeningSize(1260, 680);

    keys(nullptr, BTNcerrar);
    handle(Label8, &ClickLabel::clicked, &TFRMverpro::Label8Click);
    handle(Label9, &ClickLabel::clicked, &TFRMverpro::Label9Click);
    handle(Label10, &ClickLabel::clicked, &TFRMverpro::Label10Click);
    handle(Label11, &ClickLabel::clicked, &TFRMverpro::Label11Click);
    handle(Label14, &ClickLabel::clicked, &TFRMverpro::Label14Click);
    handle(Label15, &ClickLabel::clicked, &TFRMverpro::Label15Click);
    handle(Label16, &ClickLabel::clicked, &TFRMverpro::Label16Click);
    handle(Label17, &ClickLabel::clicked, &TFRMverpro::Label17Click);
    handle(Label19, &ClickLabel::clicked, &TFRMverpro::Label19Click);
    handle(Label20, &ClickLabel::clicked, &TFRMverpro::Label20Click);
    handle(Label12, &ClickLabel::clicked, &TFRMverpro::Label12Click);
    handle(Label13, &ClickLabel::clicked, &TFRMverpro::Label13Click);
    handle(Label21, &ClickLabel::clicked, &TFRMverpro::Label21Click);
    handle(Image1, &ClickLabel::clicked, &TFRMverpro::Label21Click);
    handle(BitBtn2, &QPushButton::clicked, &TFRMverpro::BitBtn2Click);
    handle(BTNcerrar, &QPushButton::clicked, &TFRMverpro::BTNcerrarClick);
}

void TFRMverpro::FormActivate() {
    const QString year = Application::instance()->session().year();
    reload(ADOQunidad, {LBLcodigo->text(), year});
    EDIvicemin->setText(ADOQunidad->text(QStringLiteral("vicmin_nombre")));
    EDIdirecc->setText(ADOQunidad->text(QStringLiteral("dir_nombre")));
    EDIunidad->setText(ADOQunidad->text(QStringLiteral("uni_nombre")));
    // The shared header query: the goal sheets' "Ver mas" reads what it holds now.
    Query* header = dtm()->ADOQprores;
    reload(header, {LBLcodigo->text(), LBLproy->text(), year});
    EDIproyecto->setText(header->text(QStringLiteral("proy_descorta")));
    MEMresultado->setPlainText(header->text(QStringLiteral("proy_resultado")));
    abre_indica();
    abre_mun();
    abre_orga();
    abre_resp();
    abre_sectorial();
    abre_sector();
}

void TFRMverpro::abre_indica() {
    reload(Qindica,
           {LBLcodigo->text(), LBLproy->text(), Application::instance()->session().year()});
}

void TFRMverpro::abre_mun() {
    reload(Qmun, {LBLcodigo->text(), LBLproy->text(), Application::instance()->session().year()});
}

void TFRMverpro::abre_orga() {
    reload(Qorga, {LBLcodigo->text(), LBLproy->text(), Application::instance()->session().year()});
}

void TFRMverpro::abre_sector() {
    reload(Qsector,
           {LBLcodigo->text(), LBLproy->text(), Application::instance()->session().year()});
}

void TFRMverpro::abre_sectorial() {
    reload(Qsectorial, {LBLcodigo->text(), parseInteger(LBLproy->text()),
                        Application::instance()->session().year()});
}

void TFRMverpro::abre_resp() {
    reload(Qresp, {LBLcodigo->text(), LBLproy->text(), Application::instance()->session().year()});
}

template <typename Picker> void TFRMverpro::openPicker(Picker* picker) {
    handProduct(picker, LBLcodigo->text(), LBLproy->text());
    open(picker);
}

void TFRMverpro::Label8Click() {
    openPicker(Application::instance()->FRMindica());
}

void TFRMverpro::Label10Click() {
    Table* departments = dtm()->ADOTdepto;
    departments->close();
    departments->open();
    openPicker(Application::instance()->FRMgeografico());
}

void TFRMverpro::Label14Click() {
    openPicker(Application::instance()->FRMorganiza());
}

void TFRMverpro::Label16Click() {
    openPicker(Application::instance()->FRMsector());
}

void TFRMverpro::Label19Click() {
    openPicker(Application::instance()->FRMunisectorial());
}

void TFRMverpro::Label12Click() {
    openPicker(Application::instance()->FRMresponsable());
}

void TFRMverpro::Label9Click() {
    abre_indica();
}

void TFRMverpro::Label11Click() {
    abre_mun();
}

void TFRMverpro::Label15Click() {
    abre_orga();
}

void TFRMverpro::Label17Click() {
    abre_sector();
}

void TFRMverpro::Label20Click() {
    abre_sectorial();
}

void TFRMverpro::Label13Click() {
    abre_resp();
}

void TFRMverpro::Label21Click() {
    const Query* header = dtm()->ADOQprores;
    TFRMverproducto* viewer = Application::instance()->FRMverproducto();
    viewer->MEMproducto->setPlainText(header->isOpen() && header->currentRow() >= 0
                                          ? header->text(QStringLiteral("proy_descripcion"))
                                          : QString());
    open(viewer);
}

void TFRMverpro::BitBtn2Click() {
    TFRMvermetasex* w = Application::instance()->FRMvermetasex();
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLproy->setText(LBLproy->text());
    showHeader(w, headerTexts(this));
    open(w);
}

void TFRMverpro::BTNcerrarClick() {
    close();
}
