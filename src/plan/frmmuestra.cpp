#include "frmmuestra.h"

#include "app/application.h"
#include "budget/frmpptoavance.h"
#include "frmingresodatos1.h"
#include "frmingresomn.h"
#include "frmverpro.h"
#include "frmverpromn.h"
#include "goalentry.h"
#include "headers.h"
#include "store/datasource.h"
#include "store/tdtm.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"
#include "ui/headerboxes.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>

namespace {

TDTM* dtm() {
    return Application::instance()->DTM();
}

const Session& session() {
    return Application::instance()->session();
}

bool isEX() {
    return session().kind() == QLatin1String("EX");
}

} // namespace

TFRMmuestra::TFRMmuestra(QWidget* parent)
    : Form(QStringLiteral("FRMmuestra"), QStringLiteral("Seguimiento a unidades del Ministerio"),
           parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("3"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de productos"));
    LBLestado1 = parameter(QStringLiteral("LBLestado1"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    LBLnomvic = parameter(QStringLiteral("LBLnomvic"));
    LBLnomdir = parameter(QStringLiteral("LBLnomdir"));
    LBLnomuni = parameter(QStringLiteral("LBLnomuni"));

    TDTM* module = dtm();
    Connection* conn = module->connection();
    Qprodacc =
        new HeaderList(conn,
                       QStringLiteral("select * from t_prodaccion where cod_unidad = :unidad "
                                      "and uni_gestion = :ges and proy_ok = 'S' order by "
                                      "id_proyecto desc"),
                       this);
    Qprodacc->setObjectName(QStringLiteral("Qprodacc"));
    DSOqprodacc = new DataSource(Qprodacc, this);
    DSOqprodacc->setObjectName(QStringLiteral("DSOqprodacc"));
    registros = new ProductHeaders(conn, this);
    registros->setObjectName(QStringLiteral("registros"));

    // The unit: lookup lists for a type 1 user, the own unit's names for the others; each
    // pair shares its cell, one of the two shown.
    auto readOnly = [](DBEdit* box, DataSource* source, const char* field) {
        box->setReadOnly(true);
        box->setDataSource(source, QString::fromLatin1(field));
        return box;
    };
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Viceministerio"));
    DBLvicemin = make<DBLookupComboBox>(QStringLiteral("DBLvicemin"));
    DBLvicemin->setListSource(module->DSOvicemin, QStringLiteral("cod_vicemin"),
                              QStringLiteral("vicmin_nombre"));
    DBEdit2 =
        readOnly(make<DBEdit>(QStringLiteral("DBEdit2")), module->DSOqunidad, "vicmin_nombre");
    LBLdirecc = make<QLabel>(QStringLiteral("LBLdirecc"), QStringLiteral("Direccion"));
    DBLdirecc = make<DBLookupComboBox>(QStringLiteral("DBLdirecc"));
    DBLdirecc->setListSource(module->DSOdirecc, QStringLiteral("cod_direc"),
                             QStringLiteral("dir_nombre"));
    DBEdit3 = readOnly(make<DBEdit>(QStringLiteral("DBEdit3")), module->DSOqunidad, "dir_nombre");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    DBLunidad = make<DBLookupComboBox>(QStringLiteral("DBLunidad"));
    DBLunidad->setListSource(module->DSOunidad, QStringLiteral("uni_nombre"),
                             QStringLiteral("uni_nombre"));
    DBEdit4 = readOnly(make<DBEdit>(QStringLiteral("DBEdit4")), module->DSOqunidad, "uni_nombre");
    EDIunidad = make<QLineEdit>(QStringLiteral("EDIunidad"));
    EDIunidad->setReadOnly(true);
    EDIunidad->setAccessibleName(QStringLiteral("Unidad elegida"));
    LBLprograma = make<QLabel>(QStringLiteral("LBLprograma"), QStringLiteral("Unidad ejecutora"));
    DBEprograma =
        readOnly(make<DBEdit>(QStringLiteral("DBEprograma")), module->DSOqunidad, "cod_programa");
    caption(LBLprograma, DBEprograma);
    auto* unit = new QGridLayout;
    int line = 0;
    for (auto [label, list, box] :
         {std::tuple<QLabel*, QWidget*, DBEdit*>{LBLvicemin, DBLvicemin, DBEdit2},
          {LBLdirecc, DBLdirecc, DBEdit3},
          {LBLunidad, DBLunidad, DBEdit4}}) {
        unit->addWidget(label, line, 0);
        unit->addWidget(list, line, 1, 1, list == DBLunidad ? 1 : 2);
        unit->addWidget(box, line++, 1, 1, 2);
    }
    unit->addWidget(EDIunidad, 2, 2);
    unit->addWidget(LBLprograma, 3, 0);
    unit->addWidget(DBEprograma, 3, 1);
    unit->setColumnStretch(1, 1);
    unit->setColumnStretch(2, 1);
    body()->addLayout(unit);

    DBGmuestra = make<DBGrid>(QStringLiteral("DBGmuestra"));
    DBGmuestra->setDataSource(DSOqprodacc);
    DBGmuestra->setColumns({{QStringLiteral("proy_descorta"), QStringLiteral("Producto")}});
    DBGmuestra->horizontalHeader()->setStretchLastSection(true);

    auto memo = [this](const char* name, DataSource* source, const char* field) {
        auto* m = make<DBMemo>(QString::fromLatin1(name));
        m->setDataSource(source, QString::fromLatin1(field));
        return m;
    };
    auto panel = [this](const char* name) {
        auto* p = make<QFrame>(QString::fromLatin1(name));
        p->setFrameShape(QFrame::StyledPanel);
        return p;
    };

    PNLmuestra = panel("PNLmuestra");
    LBLnomprod1 = make<QLabel>(QStringLiteral("LBLnomprod1"), QStringLiteral("Producto"));
    DBEdescorta = make<DBEdit>(QStringLiteral("DBEdescorta"));
    DBEdescorta->setDataSource(DSOqprodacc, QStringLiteral("proy_descorta"));
    LBLnomact1 = make<QLabel>(QStringLiteral("LBLnomact1"), QStringLiteral("Actividades"));
    DBMemo2 = memo("DBMemo2", DSOqprodacc, "proy_descripcion");
    LBLnomindi1 = make<QLabel>(QStringLiteral("LBLnomindi1"), QStringLiteral("Indicadores "));
    DBMemo1 = memo("DBMemo1", DSOqprodacc, "proy_resultado");
    LBLactivo = make<QLabel>(QStringLiteral("LBLactivo"), QStringLiteral("Activo"));
    DBEactivo = make<DBEdit>(QStringLiteral("DBEactivo"));
    DBEactivo->setDataSource(DSOqprodacc, QStringLiteral("proy_ok"));
    DBEactivo->setMaximumWidth(fontMetrics().horizontalAdvance(u'M') * 3);
    PNLmuestra->setLayout(fields({{LBLnomprod1, DBEdescorta},
                                  {LBLnomact1, DBMemo2},
                                  {LBLnomindi1, DBMemo1},
                                  {LBLactivo, DBEactivo}}));
    editable(false);
    LBLactivo->setVisible(false);
    DBEactivo->setVisible(false);

    PNLgraba = panel("PNLgraba");
    LBLnomprod = make<QLabel>(QStringLiteral("LBLnomprod"), QStringLiteral("Producto"));
    DBEdit1 = make<DBEdit>(QStringLiteral("DBEdit1"));
    DBEdit1->setDataSource(module->DSOprodacc, QStringLiteral("proy_descorta"));
    LBLnomact = make<QLabel>(QStringLiteral("LBLnomact"), QStringLiteral("Actividades"));
    DBMemo3 = memo("DBMemo3", module->DSOprodacc, "proy_descripcion");
    LBLnomindi = make<QLabel>(QStringLiteral("LBLnomindi"), QStringLiteral("Indicadores"));
    DBMemo4 = memo("DBMemo4", module->DSOprodacc, "proy_resultado");
    PNLgraba->setLayout(
        fields({{LBLnomprod, DBEdit1}, {LBLnomact, DBMemo3}, {LBLnomindi, DBMemo4}}));
    PNLgraba->setVisible(false);

    auto* panels = new QVBoxLayout;
    panels->addWidget(PNLmuestra);
    panels->addWidget(PNLgraba);
    auto* middle = new QHBoxLayout;
    middle->addWidget(DBGmuestra, 2);
    middle->addLayout(panels, 3);
    body()->addLayout(middle, 1);

    BTNmuestra = button(QStringLiteral("BTNmuestra"), QStringLiteral("Mostrar datos"));
    BTNmetas = button(QStringLiteral("BTNmetas"), QStringLiteral("Agregar datos"));
    BTNmodifi = button(QStringLiteral("BTNmodifi"), QStringLiteral("Grabar modificación"));
    BTNmodifi->setMinimumWidth(BTNmodifi->sizeHint().width()); // wide enough for every caption
    BTNmodifi->setText(QStringLiteral("Modificar registro"));
    BTNagreprod = button(QStringLiteral("BTNagreprod"), QStringLiteral("A&gregar  registro"));
    BTNgrabaprod = button(QStringLiteral("BTNgrabaprod"), QStringLiteral("Grabar registro"));
    BTNgrabaprod->setVisible(false);
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("Cancelar registro"));
    BTNelimina = button(QStringLiteral("BTNelimina"), QStringLiteral("Eliminar registro"));
    BTNppto = button(QStringLiteral("BTNppto"), QStringLiteral("Presupuesto"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNagreprod, BTNgrabaprod, BTNmodifi, BTNcancela, BTNelimina});
    row({BTNmuestra, BTNmetas, BTNppto})->addWidget(BTNsalir);
    setOpeningSize(900, 640);

    // LBLprod holds the number of the row the grid shows selected; before the list leaves
    // a row whose boxes were edited, the edit is written.
    connect(Qprodacc, &Dataset::currentChanged, this, &TFRMmuestra::sigueFila);
    connect(Qprodacc, &Dataset::closed, this, &TFRMmuestra::sigueFila);
    Qprodacc->beforeLeavingRow = [this] {
        if (filaEditada())
            graba_fila();
    };

    keys(nullptr, BTNsalir);
    handle(DBLvicemin, &DBLookupComboBox::picked, &TFRMmuestra::DBLviceminClick);
    handle(DBLdirecc, &DBLookupComboBox::picked, &TFRMmuestra::DBLdireccClick);
    handle(DBLunidad, &DBLookupComboBox::picked, &TFRMmuestra::DBLunidadClick);
    // A click on the grid or a move by the keys selects the row.
    handle(DBGmuestra, &QAbstractItemView::clicked, &TFRMmuestra::seleccion);
    handle(DBGmuestra, &DBGrid::keyDown, &TFRMmuestra::seleccion);
    handle(DBGmuestra, &DBGrid::keyUp, &TFRMmuestra::seleccion);
    handle(BTNmuestra, &QPushButton::clicked, &TFRMmuestra::BTNmuestraClick);
    handle(BTNmetas, &QPushButton::clicked, &TFRMmuestra::BTNmetasClick);
    handle(BTNppto, &QPushButton::clicked, &TFRMmuestra::BTNpptoClick);
    handle(BTNagreprod, &QPushButton::clicked, &TFRMmuestra::BTNagreprodClick);
    handle(BTNgrabaprod, &QPushButton::clicked, &TFRMmuestra::BTNgrabaprodClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMmuestra::BTNcancelaClick);
    handle(BTNmodifi, &QPushButton::clicked, &TFRMmuestra::BTNmodifiClick);
    handleLeave(DBEactivo, &TFRMmuestra::DBEactivoExit);
    handle(BTNelimina, &QPushButton::clicked, &TFRMmuestra::BTNeliminaClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMmuestra::BTNsalirClick);
}

void TFRMmuestra::titulos() {
    const bool ex = isEX();
    setWindowTitle(ex ? QStringLiteral("Seguimiento a entidades desconcentradas")
                      : QStringLiteral("Seguimiento a unidades del Ministerio"));
    LBLtitulo->setText(ex ? QStringLiteral("Registro de acciones territoriales")
                          : QStringLiteral("Registro de productos"));
    LBLvicemin->setText(ex ? QStringLiteral("Entidad desconcentrada")
                           : QStringLiteral("Viceministerio"));
    LBLdirecc->setText(ex ? QStringLiteral("Componente") : QStringLiteral("Direccion"));
    DBGmuestra->setColumns(
        {{QStringLiteral("proy_descorta"),
          ex ? QStringLiteral("Acción Terrirorial") : QStringLiteral("Producto")}});
    const QString item = ex ? QStringLiteral("Acción territorial") : QStringLiteral("Producto");
    LBLnomprod->setText(item);
    LBLnomprod1->setText(item);
    LBLnomindi->setText(ex ? QStringLiteral("Indicadores ") : QStringLiteral("Indicadores"));
    LBLnomindi1->setText(ex ? QStringLiteral("Indicadores") : QStringLiteral("Indicadores "));
    for (const auto& [label, box] :
         std::initializer_list<std::pair<QLabel*, QWidget*>>{{LBLnomprod, DBEdit1},
                                                             {LBLnomprod1, DBEdescorta},
                                                             {LBLnomindi, DBMemo4},
                                                             {LBLnomindi1, DBMemo1}})
        caption(label, box);
    dtm()->showHierarchy(session().kind(), session().year());
}

void TFRMmuestra::FormActivate() {
    const Session& s = session();
    const QString mode = LBLestado1->text();
    if (mode == QLatin1String("A")) {
        m_modificando = false;
        PNLmuestra->setVisible(true);
        PNLgraba->setVisible(false);
        LBLactivo->setVisible(false);
        DBEactivo->setVisible(false);
        DBGmuestra->setEnabled(true);
    }
    if (mode == QLatin1String("A") || mode == QLatin1String("M")) {
        const bool ex = isEX();
        LBLprograma->setVisible(ex);
        DBEprograma->setVisible(ex);
        BTNppto->setEnabled(ex);
    }
    const bool chooses = s.userType() == 1;
    if (chooses) {
        titulos();
        dtm()->showHierarchy(s.accountKind(), s.year());
    } else {
        abre_lista(s.unitCode());
        recarga_unidad(s.unitCode());
        const Query* u = dtm()->Qunidad;
        LBLnomvic->setText(u->text(QStringLiteral("vicmin_nombre")));
        LBLnomdir->setText(u->text(QStringLiteral("dir_nombre")));
        LBLnomuni->setText(u->text(QStringLiteral("uni_nombre")));
        // The listed headers are those of the account's unit, also when its unit has no row
        // in the year to name it.
        LBLcodigo->setText(u->currentRow() >= 0 ? u->text(QStringLiteral("cod_unidad"))
                                                : s.unitCode());
        titulos();
    }
    for (QWidget* w : {static_cast<QWidget*>(DBLvicemin), static_cast<QWidget*>(DBLdirecc),
                       static_cast<QWidget*>(DBLunidad), static_cast<QWidget*>(EDIunidad)})
        w->setVisible(chooses);
    for (DBEdit* w : {DBEdit2, DBEdit3, DBEdit4})
        w->setVisible(!chooses);
    caption(LBLvicemin, chooses ? static_cast<QWidget*>(DBLvicemin) : DBEdit2);
    caption(LBLdirecc, chooses ? static_cast<QWidget*>(DBLdirecc) : DBEdit3);
    caption(LBLunidad, chooses ? static_cast<QWidget*>(DBLunidad) : DBEdit4);

    BTNgrabaprod->setEnabled(false);
    BTNagreprod->setEnabled(false);
    BTNagreprod->setVisible(false);
    for (QPushButton* b : {BTNmodifi, BTNelimina, BTNmuestra, BTNsalir})
        b->setEnabled(true);
    BTNmetas->setEnabled(false);
    BTNcancela->setEnabled(false);
}

void TFRMmuestra::abre_lista(const QString& unit) {
    Qprodacc->close();
    Qprodacc->setParams({unit, session().year()});
    Qprodacc->open();
}

void TFRMmuestra::recarga_unidad(const QString& unit) {
    Query* u = dtm()->Qunidad;
    u->close();
    u->setParams({unit, session().year()});
    u->open();
}

bool TFRMmuestra::hayFila() const {
    return Qprodacc->currentRow() >= 0;
}

void TFRMmuestra::sigueFila() {
    LBLprod->setText(hayFila() ? Qprodacc->text(QStringLiteral("id_proyecto")) : QString());
}

void TFRMmuestra::DBLviceminClick() {
    Table* direcc = dtm()->ADOTdirecc;
    direcc->close();
    direcc->open();
    LBLnomvic->setText(DBLvicemin->currentText());
}

void TFRMmuestra::DBLdireccClick() {
    Table* unidad = dtm()->ADOTunidad;
    unidad->close();
    unidad->open();
    LBLnomdir->setText(DBLdirecc->currentText());
}

void TFRMmuestra::DBLunidadClick() {
    const Table* unidad = dtm()->ADOTunidad;
    if (!unidad->isOpen() || unidad->currentRow() < 0)
        return;
    EDIunidad->setText(unidad->text(QStringLiteral("uni_nombre")));
    LBLcodigo->setText(unidad->text(QStringLiteral("cod_unidad")));
    LBLnomuni->setText(unidad->text(QStringLiteral("uni_nombre")));
    recarga_unidad(LBLcodigo->text());
    abre_lista(LBLcodigo->text());
    if (LBLestado1->text() != QLatin1String("A"))
        return;
    BTNagreprod->setEnabled(true);
    BTNagreprod->setVisible(true);
    BTNsalir->setEnabled(true);
    BTNelimina->setEnabled(false);
    BTNcancela->setEnabled(false);
    if (Qprodacc->rowCount() > 0) {
        BTNgrabaprod->setVisible(false);
        for (QPushButton* b : {BTNmodifi, BTNmetas, BTNmuestra})
            b->setEnabled(true);
    } else {
        // Nothing to show, change or add data to: only a new header or leaving.
        for (QPushButton* b : {BTNmodifi, BTNmuestra, BTNmetas})
            b->setEnabled(false);
    }
}

void TFRMmuestra::seleccion() {
    if (!hayFila())
        return;
    LBLprod->setText(Qprodacc->text(QStringLiteral("id_proyecto")));
    // A header whose goals exist already has had its data entered.
    BTNmetas->setEnabled(registros->goalCount({Qprodacc->text(QStringLiteral("cod_unidad")),
                                               Qprodacc->integer(QStringLiteral("id_proyecto")),
                                               session().year()}) == 0);
}

HeaderTexts TFRMmuestra::selectedHeader() const {
    return {LBLnomvic->text(), LBLnomdir->text(), LBLnomuni->text(),
            Qprodacc->text(QStringLiteral("proy_descorta")),
            Qprodacc->text(QStringLiteral("proy_resultado"))};
}

void TFRMmuestra::BTNmuestraClick() {
    if (!hayFila())
        return;
    Application* app = Application::instance();
    if (isEX()) {
        TFRMverpro* w = app->FRMverpro();
        showHeader(w, selectedHeader());
        w->LBLcodigo->setText(LBLcodigo->text());
        w->LBLproy->setText(LBLprod->text());
        open(w);
        return;
    }
    TFRMverproMN* w = app->FRMverproMN();
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLproy->setText(Qprodacc->text(QStringLiteral("id_proyecto")));
    w->LBLdireccion->setText(QStringLiteral("Dirección"));
    w->Label4->setText(QStringLiteral("Producto"));
    w->LBLproducto->setText(QStringLiteral("Indicadores"));
    showHeader(w, selectedHeader());
    w->showGoals(false);
    open(w);
}

void TFRMmuestra::BTNmetasClick() {
    if (!hayFila())
        return;
    TDTM* module = dtm();
    module->Qunidadprograma->close();
    module->Qunidadprograma->setParams({LBLcodigo->text()});
    module->Qunidadprograma->open();

    const bool ex = isEX();
    Application* app = Application::instance();
    TFRMingresoMN* mn = ex ? nullptr : app->FRMingresoMN();
    TFRMingresodatos1* tx = ex ? app->FRMingresodatos1() : nullptr;
    GoalEntryForm* w = ex ? static_cast<GoalEntryForm*>(tx) : mn;
    const QString unit = LBLcodigo->text();
    const QString number = Qprodacc->text(QStringLiteral("id_proyecto"));
    w->prepare(unit, number, session().year());
    if (LBLestado1->text() != QLatin1String("A"))
        return;
    // The product's dates where its row of the session year is stored.
    if (const auto dates = w->metas->storedDates({unit, number.toLongLong(), session().year()})) {
        if (dates->start.isValid())
            w->DTPdesde->setDate(dates->start);
        if (dates->end.isValid())
            w->DTPhasta->setDate(dates->end);
    }

    HeaderTexts header = selectedHeader();
    if (ex) {
        const Query* u = module->Qunidad;
        header.vicemin = u->text(QStringLiteral("vicmin_nombre"));
        header.direcc = u->text(QStringLiteral("dir_nombre"));
        header.unidad = u->text(QStringLiteral("uni_nombre"));
        if (header.vicemin.isEmpty()) {
            header.vicemin = DBLvicemin->currentText();
            header.direcc = DBLdirecc->currentText();
            header.unidad = DBLunidad->currentText();
        }
    }
    module->ADOTproducto->close();
    const QString programa = module->Qunidadprograma->text(QStringLiteral("pro_nombre"));
    w->showProduct(header, number, programa, ex);
    if (ex) {
        tx->BTNplan->setEnabled(false);
        open(tx);
        return;
    }
    mn->BTNagrega->setEnabled(true);
    open(mn);
}

void TFRMmuestra::BTNpptoClick() {
    if (!hayFila())
        return;
    TFRMpptoavance* w = Application::instance()->FRMpptoavance();
    w->LBLcodigo->setText(LBLcodigo->text());
    w->LBLprod->setText(LBLprod->text());
    showHeader(w, selectedHeader());
    open(w);
}

void TFRMmuestra::BTNagreprodClick() {
    BTNcancela->setEnabled(true);
    for (QPushButton* b : {BTNmetas, BTNmuestra, BTNmodifi})
        b->setEnabled(false);
    BTNsalir->setEnabled(true);
    ProductHeaders::beginNew(dtm()->ADOTprodacc, LBLcodigo->text(), session().year());
    BTNagreprod->setEnabled(false);
    BTNagreprod->setVisible(false);
    BTNgrabaprod->setVisible(true);
    BTNgrabaprod->setEnabled(true);
    DBGmuestra->setEnabled(false);
    PNLmuestra->setVisible(false);
    PNLgraba->setVisible(true);
    DBEdit1->setFocus();
}

void TFRMmuestra::BTNgrabaprodClick() {
    const QString unit = LBLcodigo->text();
    const QString year = session().year();
    const QString descorta = DBEdit1->text();
    const QString descripcion = DBMemo3->toPlainText();
    const QString resultado = DBMemo4->toPlainText();
    Table* headers = dtm()->ADOTprodacc;
    registros->add(headers, unit, year, {descorta, descripcion, resultado, QString()});
    headers->refresh();
    abre_lista(unit);
    inform(QStringLiteral("Registro grabado en la Base de Datos"));

    PNLgraba->setVisible(false);
    PNLmuestra->setVisible(true);
    DBGmuestra->setEnabled(true);
    BTNagreprod->setEnabled(true);
    BTNagreprod->setVisible(true);
    BTNgrabaprod->setVisible(false);
    BTNgrabaprod->setEnabled(false);
    for (QPushButton* b : {BTNelimina, BTNmetas, BTNmuestra, BTNmodifi, BTNsalir})
        b->setEnabled(true);
    BTNcancela->setEnabled(false);
    LBLactivo->setVisible(false);
    DBEactivo->setVisible(false);
}

void TFRMmuestra::BTNcancelaClick() {
    inform(QStringLiteral("Registro cancelado !!!!"));
    Table* headers = dtm()->ADOTprodacc;
    if (headers->state() == Table::State::Insert || headers->state() == Table::State::Edit)
        headers->cancel();
    BTNcancela->setEnabled(false);
    for (QPushButton* b : {BTNmetas, BTNmuestra, BTNmodifi, BTNsalir, BTNelimina})
        b->setEnabled(true);
    BTNgrabaprod->setVisible(false);
    BTNagreprod->setEnabled(true);
    BTNagreprod->setVisible(true);
    DBGmuestra->setEnabled(true);
    PNLmuestra->setVisible(true);
    PNLgraba->setVisible(false);
    // Reading the list again drops an edit of the selected header.
    abre_lista(LBLcodigo->text());
    recarga_unidad(LBLcodigo->text());
}

void TFRMmuestra::editable(bool on) {
    for (DBEdit* box : {DBEdescorta, DBEactivo})
        box->setReadOnly(!on);
    for (DBMemo* box : {DBMemo2, DBMemo1})
        box->setReadOnly(!on);
}

ProductHeaders::Texts TFRMmuestra::typedTexts() const {
    return {DBEdescorta->text(), DBMemo2->toPlainText(), DBMemo1->toPlainText(), DBEactivo->text()};
}

bool TFRMmuestra::filaEditada() const {
    return hayFila() && !DBEdescorta->isReadOnly() && typedTexts() != Qprodacc->currentTexts();
}

void TFRMmuestra::graba_fila() {
    const ProductHeaders::Texts texts = typedTexts();
    registros->modify(Qprodacc->currentKey(), texts);
    Qprodacc->setCurrentTexts(texts);
}

void TFRMmuestra::BTNmodifiClick() {
    if (!m_modificando) {
        if (!hayFila())
            return;
        for (QPushButton* b : {BTNcancela, BTNmuestra, BTNmodifi, BTNsalir})
            b->setEnabled(true);
        for (QPushButton* b : {BTNmetas, BTNgrabaprod, BTNagreprod})
            b->setEnabled(false);
        editable(true);
        DBEdescorta->setFocus();
        LBLactivo->setVisible(true);
        DBEactivo->setVisible(true);
        m_modificando = true;
        BTNmodifi->setText(QStringLiteral("Grabar modificación"));
        return;
    }
    // The list may have lost its rows meanwhile: then there is nothing to write.
    if (hayFila()) {
        graba_fila();
        inform(QStringLiteral("Registro modificado"));
    }
    for (QPushButton* b : {BTNgrabaprod, BTNagreprod, BTNmetas, BTNmuestra, BTNmodifi, BTNsalir})
        b->setEnabled(true);
    BTNcancela->setEnabled(false);
    editable(false);
    m_modificando = false;
    BTNmodifi->setText(QStringLiteral("M&odificar"));
}

void TFRMmuestra::DBEactivoExit() {
    registros->reactivate(LBLcodigo->text(), session().year());
    BTNcancela->setEnabled(false);
    for (QPushButton* b : {BTNmetas, BTNmuestra, BTNmodifi, BTNsalir})
        b->setEnabled(true);
}

void TFRMmuestra::BTNeliminaClick() {
    if (!hayFila())
        return;
    // The header as selected now: the question's closing reads the list again.
    const QString unidad = Qprodacc->text(QStringLiteral("cod_unidad"));
    const qint64 numero = Qprodacc->integer(QStringLiteral("id_proyecto"));
    const QString gestion = Qprodacc->text(QStringLiteral("uni_gestion"));
    const QString codigo = LBLcodigo->text();
    if (!confirm(QStringLiteral("Desea eliminar el producto?")))
        return;
    registros->remove({unidad, numero, gestion}, codigo);
    abre_lista(codigo);
}

void TFRMmuestra::BTNsalirClick() {
    TDTM* module = dtm();
    // A new header not saved is dropped, so that no later use of the shared table writes it.
    if (module->ADOTprodacc->state() == Table::State::Insert)
        module->ADOTprodacc->cancel();
    for (Table* t :
         {module->ADOTproducto, module->ADOTvicemin, module->ADOTdirecc, module->ADOTmuni})
        t->close();
    close();
}
