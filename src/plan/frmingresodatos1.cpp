#include "frmingresodatos1.h"

#include "app/application.h"
#include "core/wholenumber.h"
#include "goalentry.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

TFRMingresodatos1::TFRMingresodatos1(QWidget* parent)
    : Form(QStringLiteral("FRMingresodatos1"),
           QStringLiteral("Datos iniciales acciones territoriales"), parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), QStringLiteral("26"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Datos iniciales de acciones territoriales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"), QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    TDTM* dtm = Application::instance()->DTM();
    metas = new GoalEntry(dtm->connection(), dtm->ADOTproducto, Kind::EX, this);
    metas->setObjectName(QStringLiteral("metas"));
    DSOhito = new DataSource(metas->ADOQhito, this);
    DSOhito->setObjectName(QStringLiteral("DSOhito"));

    auto readOnly = [this](const char* name) {
        auto* box = make<QLineEdit>(QString::fromLatin1(name));
        box->setReadOnly(true);
        return box;
    };
    LBLvicemin =
        make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Entidad desconcentrada"));
    EDIvicemin = readOnly("EDIvicemin");
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Componente"));
    EDIdirecc = readOnly("EDIdirecc");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnly("EDIunidad");
    LBLunieje = make<QLabel>(QStringLiteral("LBLunieje"), QStringLiteral("Unidad ejecutora"));
    EDIunieje = readOnly("EDIunieje");
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Acción territorial"));
    EDIproyecto = readOnly("EDIproyecto");
    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Indicadores"));
    MEMresultado = make<QPlainTextEdit>(QStringLiteral("MEMresultado"));
    MEMresultado->setReadOnly(true);
    MEMresultado->setMaximumHeight(fontMetrics().lineSpacing() * 4);
    auto* header = new QFormLayout;
    for (const auto& [label, box] :
         std::initializer_list<std::pair<QLabel*, QWidget*>>{{LBLvicemin, EDIvicemin},
                                                             {LBLdireccion, EDIdirecc},
                                                             {LBLunidad, EDIunidad},
                                                             {LBLunieje, EDIunieje},
                                                             {Label4, EDIproyecto},
                                                             {Label5, MEMresultado}}) {
        caption(label, box);
        header->addRow(label, box);
    }
    body()->addLayout(header);

    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Fecha inicio"));
    DTPdesde = make<DatePicker>(QStringLiteral("DTPdesde"));
    caption(Label1, DTPdesde);
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Fecha de conclusión"));
    DTPhasta = make<DatePicker>(QStringLiteral("DTPhasta"));
    DTPhasta->setEnabled(false);
    caption(Label2, DTPhasta);
    row({Label1, DTPdesde, Label2, DTPhasta});
    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("&Agregar"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("&Cancelar"));
    BTNmun = button(QStringLiteral("BTNmun"), QStringLiteral("Municipios"));
    BTNresp = button(QStringLiteral("BTNresp"), QStringLiteral("Responsables"));
    BTNefecto = button(QStringLiteral("BTNefecto"), QStringLiteral("Efecto e impactos"));
    BTNefecto->setEnabled(false);
    BTNorga = button(QStringLiteral("BTNorga"), QStringLiteral("Grupos indigenas"));
    BTNsector = button(QStringLiteral("BTNsector"), QStringLiteral("Sector"));
    BTNindica = button(QStringLiteral("BTNindica"), QStringLiteral("Indicadores"));
    BTNplan = button(QStringLiteral("BTNplan"), QStringLiteral("Plan sectorial"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Presupuesto"));
    row({BTNagrega, BTNcancela, BitBtn2});
    row({BTNmun, BTNresp, BTNorga, BTNsector, BTNindica, BTNplan, BTNefecto});

    Label17 =
        make<QLabel>(QStringLiteral("Label17"), QStringLiteral("Descripción de Metas intermedias"));
    body()->addWidget(Label17);
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Meta"));
    Edit3 = make<QLineEdit>(QStringLiteral("Edit3"));
    Edit3->setMaxLength(255);
    Edit3->setEnabled(false);
    caption(Label3, Edit3);
    Label6 = make<QLabel>(QStringLiteral("Label6"), QStringLiteral("Fecha de inicio"));
    DTMdesde = make<DatePicker>(QStringLiteral("DTMdesde"));
    DTMdesde->setEnabled(false);
    caption(Label6, DTMdesde);
    Label18 = make<QLabel>(QStringLiteral("Label18"), QStringLiteral("Fecha de conclusión"));
    DTMhasta = make<DatePicker>(QStringLiteral("DTMhasta"));
    DTMhasta->setEnabled(false);
    caption(Label18, DTMhasta);
    auto* goal = new QGridLayout;
    goal->addWidget(Label3, 0, 0);
    goal->addWidget(Edit3, 0, 1, 1, 3);
    goal->addWidget(Label6, 1, 0);
    goal->addWidget(DTMdesde, 1, 1);
    goal->addWidget(Label18, 1, 2);
    goal->addWidget(DTMhasta, 1, 3);
    goal->setColumnStretch(4, 1);
    body()->addLayout(goal);

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOhito);
    DBGrid1->setColumns({{QStringLiteral("cod_hito"), QStringLiteral("No.")},
                         {QStringLiteral("hito_descr"), QStringLiteral("Meta intermedia"), 320},
                         {QStringLiteral("hito_fecini"), QStringLiteral("Fecha inicio")},
                         {QStringLiteral("hito_fecfin"), QStringLiteral("Fecha final")},
                         {QStringLiteral("hito_porpro"), QStringLiteral("Esperado(%)")}});
    body()->addWidget(DBGrid1, 1);
    resize(820, 720);
    setReactivation(false, false);
}

void TFRMingresodatos1::abre_hito() {
    metas->abre_hito({LBLcodigo->text(), parseWhole(LBLproy->text()),
                      Application::instance()->session().year()});
}

void TFRMingresodatos1::d_botones() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{BTNindica, DTPdesde, DTPhasta, DTMdesde, DTMhasta, BTNorga,
                                         BTNresp, BTNsector, BTNmun, BTNplan, BTNefecto})
        w->setEnabled(false);
}
