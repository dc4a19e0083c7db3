#include "frmingresomn.h"

#include "app/application.h"
#include "core/wholenumber.h"
#include "frmverproducto.h"
#include "goalentry.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmunisectorial.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"
#include "ui/focushighlight.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>

TFRMingresoMN::TFRMingresoMN(QWidget* parent)
    : Form(QStringLiteral("FRMingresoMN"), QStringLiteral("Seguimiento a unidades del Ministerio"),
           parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), QStringLiteral("4"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de datos iniciales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"), QStringLiteral("LBL"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    TDTM* dtm = Application::instance()->DTM();
    metas = new GoalEntry(dtm->connection(), dtm->ADOTproducto, Kind::MN, this);
    metas->setObjectName(QStringLiteral("metas"));
    DSOhito = new DataSource(metas->ADOQhito, this);
    DSOhito->setObjectName(QStringLiteral("DSOhito"));
    Qprodacc = new Query(dtm->connection(),
                         QStringLiteral("select * from t_prodaccion where cod_unidad = :area and "
                                        "id_proyecto = :proy and uni_gestion = :gestion"),
                         this);
    Qprodacc->setObjectName(QStringLiteral("Qprodacc"));

    // The product: its unit, name and indicators, read-only.
    auto readOnly = [this](const char* name) {
        auto* box = make<QLineEdit>(QString::fromLatin1(name));
        box->setReadOnly(true);
        return box;
    };
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Viceministerio"));
    EDIvicemin = readOnly("EDIvicemin");
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Direccion"));
    EDIdirecc = readOnly("EDIdirecc");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnly("EDIunidad");
    LBLunieje = make<QLabel>(QStringLiteral("LBLunieje"), QStringLiteral("Unidad ejecutora"));
    EDIunieje = readOnly("EDIunieje");
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Producto"));
    EDIproyecto = readOnly("EDIproyecto");
    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Indicadores "));
    MEMresultado = make<QPlainTextEdit>(QStringLiteral("MEMresultado"));
    MEMresultado->setReadOnly(true);
    MEMresultado->setMaximumHeight(fontMetrics().lineSpacing() * 4);
    Label34 = make<ClickLabel>(QStringLiteral("Label34"), QStringLiteral("Ver mas "));
    Label34->setTextColour(QColor(0, 82, 164));
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas "));
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
    row({Label34, Image1}, Qt::AlignRight);

    // The product's dates and the buttons of the entry.
    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Fecha inicio"));
    DTPdesde = make<DatePicker>(QStringLiteral("DTPdesde"));
    caption(Label1, DTPdesde);
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Fecha de conclusión"));
    DTPhasta = make<DatePicker>(QStringLiteral("DTPhasta"));
    caption(Label2, DTPhasta);
    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("Cancelar"));
    BTNrespon = button(QStringLiteral("BTNrespon"), QStringLiteral("Responsable"));
    BTNsector = button(QStringLiteral("BTNsector"), QStringLiteral("Plan sectorial"));
    BitBtn5 = button(QStringLiteral("BitBtn5"), QStringLiteral("Salir"));
    row({Label1, DTPdesde, Label2, DTPhasta});
    row({BTNagrega, BTNcancela, BTNrespon, BTNsector});

    // The goal being entered and the goal list.
    Label17 =
        make<QLabel>(QStringLiteral("Label17"), QStringLiteral("Descripcion de Metas intermedias"));
    QFont bold = Label17->font();
    bold.setBold(true);
    Label17->setFont(bold);
    body()->addWidget(Label17);
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Meta"));
    Edit3 = make<QLineEdit>(QStringLiteral("Edit3"));
    Edit3->setMaxLength(255);
    Edit3->setEnabled(false);
    caption(Label3, Edit3);
    Label6 = make<QLabel>(QStringLiteral("Label6"), QStringLiteral("fecha de inicio"));
    DTMdesde = make<DatePicker>(QStringLiteral("DTMdesde"));
    DTMdesde->setEnabled(false);
    caption(Label6, DTMdesde);
    Label7 = make<QLabel>(QStringLiteral("Label7"), QStringLiteral("fecha de conclusión"));
    DTMhasta = make<DatePicker>(QStringLiteral("DTMhasta"));
    DTMhasta->setEnabled(false);
    caption(Label7, DTMhasta);
    auto* goal = new QGridLayout;
    goal->addWidget(Label3, 0, 0);
    goal->addWidget(Edit3, 0, 1, 1, 3);
    goal->addWidget(Label6, 1, 0);
    goal->addWidget(DTMdesde, 1, 1);
    goal->addWidget(Label7, 1, 2);
    goal->addWidget(DTMhasta, 1, 3);
    goal->setColumnStretch(4, 1);
    body()->addLayout(goal);
    BTNagrehit = button(QStringLiteral("BTNagrehit"), QStringLiteral("Agregar meta"));
    BTNagrehit->setEnabled(false);
    BTNgrabhit = button(QStringLiteral("BTNgrabhit"), QStringLiteral("Grabar meta"));
    BTNgrabhit->setEnabled(false);
    BTNdeshacer = button(QStringLiteral("BTNdeshacer"), QStringLiteral("Deshacer"));
    row({BTNagrehit, BTNgrabhit, BTNdeshacer});

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOhito);
    DBGrid1->setColumns({{QStringLiteral("cod_hito"), QStringLiteral("No.")},
                         {QStringLiteral("hito_descr"), QStringLiteral("Meta intermedia"), 320},
                         {QStringLiteral("hito_fecini"), QStringLiteral("Fecha inicio")},
                         {QStringLiteral("hito_fecfin"), QStringLiteral("Fecha final")},
                         {QStringLiteral("hito_porpro"), QStringLiteral("Esperado (%)")}});
    body()->addWidget(DBGrid1, 1);
    row({BitBtn5}, Qt::AlignRight);
    resize(760, 720);

    // What a message box or a picker leaves on closing is not an activation.
    setReactivation(false, false);

    handle(BTNagrega, &QPushButton::clicked, &TFRMingresoMN::BTNagregaClick);
    handle(DTPdesde, &QDateEdit::dateChanged, &TFRMingresoMN::DTPdesdeChange);
    handleLeave(DTPdesde, &TFRMingresoMN::DTPdesdeExit);
    handle(DTPhasta, &QDateEdit::dateChanged, &TFRMingresoMN::DTPhastaChange);
    handleLeave(DTPhasta, &TFRMingresoMN::DTPhastaExit);
    handle(BTNagrehit, &QPushButton::clicked, &TFRMingresoMN::BTNagrehitClick);
    handle(BTNgrabhit, &QPushButton::clicked, &TFRMingresoMN::BTNgrabhitClick);
    handle(BTNdeshacer, &QPushButton::clicked, &TFRMingresoMN::BTNdeshacerClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMingresoMN::BTNcancelaClick);
    handle(BTNrespon, &QPushButton::clicked, &TFRMingresoMN::BTNresponClick);
    handle(BTNsector, &QPushButton::clicked, &TFRMingresoMN::BTNsectorClick);
    handle(Label34, &ClickLabel::clicked, &TFRMingresoMN::Label34Click);
    handle(Image1, &ClickLabel::clicked, &TFRMingresoMN::Label34Click);
    handle(BitBtn5, &QPushButton::clicked, &TFRMingresoMN::BitBtn5Click);
    handle(Edit3, &QLineEdit::textChanged, &TFRMingresoMN::Edit3Change);
}

namespace {

QDate yearStart(const QString& year) {
    return QDate(year.toInt(), 1, 1);
}

QDate yearEnd(const QString& year) {
    return QDate(year.toInt(), 12, 31);
}

} // namespace

ProductKey TFRMingresoMN::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void TFRMingresoMN::abre_hito() {
    metas->abre_hito(product());
}

void TFRMingresoMN::d_botones() {
    for (DatePicker* p : {DTPdesde, DTPhasta, DTMdesde, DTMhasta})
        p->setEnabled(false);
}

void TFRMingresoMN::FormActivate() {
    setWindowTitle(Application::instance()->session().kind() == QLatin1String("MN")
                       ? QStringLiteral("Seguimiento a unidades del Ministerio")
                       : QStringLiteral("Seguimiento a entidades externas"));
    metas->begin();
    BTNcancela->setEnabled(false);
    BTNrespon->setEnabled(false);
    BTNsector->setEnabled(false);
    abre_hito();
    BTNagrega->setFocus();
}

void TFRMingresoMN::BTNagregaClick() {
    for (QWidget* w : std::initializer_list<QWidget*>{DTPdesde, DTPhasta, BTNagrehit, BTNsector,
                                                      BTNcancela, BTNrespon})
        w->setEnabled(true);
    BTNagrega->setEnabled(false);
    const QString year = Application::instance()->session().year();
    for (DatePicker* p : {DTPdesde, DTPhasta}) {
        p->setEarliest(yearStart(year));
        p->setLatest(yearEnd(year));
    }
    DTPhasta->setDate(yearEnd(year));
}

void TFRMingresoMN::DTPdesdeChange() {
    DTMdesde->setDate(DTPdesde->date());
    DTMhasta->setDate(yearEnd(Application::instance()->session().year()));
}

void TFRMingresoMN::DTPdesdeExit() {
    DTMdesde->setDate(DTPdesde->date());
}

void TFRMingresoMN::DTPhastaChange() {
    DTMhasta->setDate(DTPhasta->date());
    BTNagrehit->setEnabled(true);
}

void TFRMingresoMN::DTPhastaExit() {
    DTMhasta->setDate(DTPhasta->date());
    DTMhasta->setLatest(DTPhasta->date());
}

void TFRMingresoMN::BTNagrehitClick() {
    DTMdesde->setEnabled(true);
    DTMhasta->setEnabled(true);
    DTPdesde->setEnabled(false);
    DTPhasta->setEnabled(false);
    BTNagrehit->setEnabled(false);
    BTNgrabhit->setEnabled(true);
    if (metas->takeFirstGoal())
        DTMdesde->setDate(DTPdesde->date());
    DTMhasta->setLatest(DTPhasta->date().addDays(1));
    DTMhasta->setDate(DTPhasta->date());
    Edit3->setEnabled(true);
    Edit3->clear();
    Edit3->setFocus();
}

void TFRMingresoMN::BTNgrabhitClick() {
    const GoalEntry::NewGoal goal{DTPdesde->date(), DTPhasta->date(), Edit3->text(),
                                  DTMdesde->date(), DTMhasta->date()};
    switch (metas->storeGoal(product(), goal)) {
    case GoalEntry::Outcome::Stored:
        DTMdesde->setDate(goal.end.addDays(1));
        DTMhasta->setDate(goal.productEnd);
        goalEntryDone();
        inform(QStringLiteral("Registro grabado en la Base de Datos !!!!"));
        return;
    case GoalEntry::Outcome::StartAfterEnd:
        // The goal stays as typed, to be corrected.
        DTMhasta->setFocus();
        inform(QStringLiteral("la fecha de finalización debe ser mayo o igual a la fecha de "
                              "inicio"));
        return;
    case GoalEntry::Outcome::ProductEndsBeforeStart:
        goalEntryDone();
        DTPhasta->setEnabled(true);
        DTPhasta->setFocus();
        inform(QStringLiteral("La fecha de conclusión del PRODUCTO debe ser mayor o igual a su "
                              "fecha de inicio"));
        return;
    case GoalEntry::Outcome::OutsideProduct:
        goalEntryDone();
        DTMdesde->setFocus();
        inform(QStringLiteral("Las  fechas deben estar entre las fechas de inicio y "
                              "finalización del PRODUCTO..."));
        return;
    }
}

void TFRMingresoMN::goalEntryDone() {
    DTPdesde->setEnabled(true);
    DTMhasta->setEnabled(true);
    BTNagrehit->setEnabled(true);
    BTNgrabhit->setEnabled(false);
    Edit3->clear();
}

void TFRMingresoMN::BTNdeshacerClick() {
    if (metas->undo(product()) == GoalEntry::Undone::Product) {
        Edit3->clear();
        DTMdesde->setDate(DTPdesde->date());
        DTMhasta->setDate(DTPhasta->date());
    }
}

void TFRMingresoMN::BTNcancelaClick() {
    if (!confirm(QStringLiteral("Desea cancelar el registro de datos....!!!!")))
        return;
    metas->cancel(product());
    BTNagrega->setEnabled(true);
    BTNcancela->setEnabled(false);
    BTNrespon->setEnabled(false);
    const QString year = Application::instance()->session().year();
    DTPdesde->setDate(yearStart(year));
    DTPhasta->setDate(yearEnd(year));
    d_botones();
    inform(QStringLiteral("Registro cancelado"));
}

void TFRMingresoMN::BTNresponClick() {
    if (LBLcodigo->text() == QLatin1String("LBL")) {
        BTNagrega->setFocus();
        inform(QStringLiteral("Introduzca primero las metas"));
        return;
    }
    TFRMresponsable* picker = Application::instance()->FRMresponsable();
    picker->LBLcodigo->setText(LBLcodigo->text());
    picker->LBLproy->setText(LBLproy->text());
    open(picker);
}

void TFRMingresoMN::BTNsectorClick() {
    TFRMunisectorial* picker = Application::instance()->FRMunisectorial();
    picker->BitBtn1->setEnabled(true);
    picker->LBLcodigo->setText(LBLcodigo->text());
    picker->LBLprod->setText(LBLproy->text());
    open(picker);
}

void TFRMingresoMN::Label34Click() {
    const ProductKey key = product();
    Qprodacc->setParams({key.unit, key.number, key.year});
    Qprodacc->open();
    TFRMverproducto* viewer = Application::instance()->FRMverproducto();
    viewer->MEMproducto->setPlainText(Qprodacc->text("proy_descripcion"));
    open(viewer);
}

void TFRMingresoMN::BitBtn5Click() {
    close();
}

void TFRMingresoMN::Edit3Change() {
    QPalette p = Edit3->palette();
    p.setColor(QPalette::Base, FocusHighlight::colour());
    Edit3->setPalette(p);
}
