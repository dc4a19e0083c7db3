#include "goalentryform.h"

#include "app/application.h"
#include "core/wholenumber.h"
#include "frmverproducto.h"
#include "goalentry.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"
#include "ui/headerboxes.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

GoalEntryForm::GoalEntryForm(const QString& objectName, Kind kind, const Captions& captions,
                             QWidget* parent)
    : Form(objectName, captions.caption, parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), captions.screenNumber);
    LBLtitulo = title(QStringLiteral("LBLtitulo"), captions.title);
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"),
                          kind == Kind::MN ? QStringLiteral("LBL") : QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    TDTM* dtm = Application::instance()->DTM();
    metas = new GoalEntry(dtm->connection(), dtm->ADOTproducto, kind, this);
    metas->setObjectName(QStringLiteral("metas"));
    DSOhito = new DataSource(metas->ADOQhito, this);
    DSOhito->setObjectName(QStringLiteral("DSOhito"));
    Qprodacc = new Query(dtm->connection(),
                         QStringLiteral("select * from t_prodaccion where cod_unidad = :area and "
                                        "id_proyecto = :proy and uni_gestion = :gestion"),
                         this);
    Qprodacc->setObjectName(QStringLiteral("Qprodacc"));

    // The product: its unit, name and indicators, read-only.
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), captions.level1);
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdireccion =
        make<QLabel>(QStringLiteral("LBLdireccion"),
                     kind == Kind::MN ? QStringLiteral("Direccion") : QStringLiteral("Componente"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLunieje = make<QLabel>(QStringLiteral("LBLunieje"), QStringLiteral("Unidad ejecutora"));
    EDIunieje = readOnlyBox(QStringLiteral("EDIunieje"));
    Label4 = make<QLabel>(QStringLiteral("Label4"), captions.item);
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    Label5 = make<QLabel>(QStringLiteral("Label5"), captions.indicators);
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"));
    body()->addLayout(fields({{LBLvicemin, EDIvicemin},
                              {LBLdireccion, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {LBLunieje, EDIunieje},
                              {Label4, EDIproyecto},
                              {Label5, MEMresultado}}));
    m_moreRow = row({}, Qt::AlignRight);

    // The product's dates and the buttons of the entry.
    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Fecha inicio"));
    DTPdesde = make<DatePicker>(QStringLiteral("DTPdesde"));
    caption(Label1, DTPdesde);
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Fecha de conclusión"));
    DTPhasta = make<DatePicker>(QStringLiteral("DTPhasta"));
    caption(Label2, DTPhasta);
    row({Label1, DTPdesde, Label2, DTPhasta});
    BTNagrega = button(QStringLiteral("BTNagrega"),
                       kind == Kind::MN ? QStringLiteral("Agregar") : QStringLiteral("&Agregar"));
    BTNcancela =
        button(QStringLiteral("BTNcancela"),
               kind == Kind::MN ? QStringLiteral("Cancelar") : QStringLiteral("&Cancelar"));
    m_entryButtons = row({BTNagrega, BTNcancela});

    // The goal being entered and the goal list.
    Label17 = make<QLabel>(QStringLiteral("Label17"), captions.goalsHeading);
    QFont bold = Label17->font();
    bold.setBold(true);
    Label17->setFont(bold);
    body()->addWidget(Label17);
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Meta"));
    Edit3 = make<QLineEdit>(QStringLiteral("Edit3"));
    Edit3->setMaxLength(255);
    Edit3->setEnabled(false);
    caption(Label3, Edit3);
    Label6 = make<QLabel>(QStringLiteral("Label6"), captions.goalStart);
    DTMdesde = make<DatePicker>(QStringLiteral("DTMdesde"));
    DTMdesde->setEnabled(false);
    caption(Label6, DTMdesde);
    Label18 = make<QLabel>(QStringLiteral("Label18"), kind == Kind::MN
                                                          ? QStringLiteral("fecha de conclusión")
                                                          : QStringLiteral("Fecha de conclusión"));
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
                         {QStringLiteral("hito_porpro"), captions.percentage}});
    body()->addWidget(DBGrid1, 1);
    BitBtn5 = button(QStringLiteral("BitBtn5"), QStringLiteral("Salir"));
    row({BitBtn5}, Qt::AlignRight);
    setOpeningSize(780, 720);

    // What a message box or a picker leaves on closing is not an activation.
    setReactivation(false, false);

    keys(nullptr, BitBtn5);
    handle(BTNgrabhit, &QPushButton::clicked, &GoalEntryForm::BTNgrabhitClick);
    handle(BTNdeshacer, &QPushButton::clicked, &GoalEntryForm::BTNdeshacerClick);
    handle(BitBtn5, &QPushButton::clicked, &GoalEntryForm::BitBtn5Click);
}

ProductKey GoalEntryForm::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void GoalEntryForm::abre_hito() {
    metas->abre_hito(product());
}

void GoalEntryForm::prepare(const QString& unit, const QString& number, const QString& year) {
    DTPdesde->setEnabled(true);
    DTPhasta->setEnabled(true);
    // The goal list of this product: the window's unit and number first.
    LBLcodigo->setText(unit);
    LBLproy->setText(number);
    abre_hito();
    DTPdesde->setDate(yearStart(year));
    DTPhasta->setDate(yearEnd(year));
}

void GoalEntryForm::showProduct(const HeaderTexts& header, const QString& number,
                                const QString& programa, bool ex) {
    d_botones();
    showHeader(this, header);
    LBLproy->setText(number);
    EDIunieje->setVisible(false);
    LBLunieje->setVisible(false);
    EDIunieje->setText(programa);
    LBLvicemin->setText(ex ? QStringLiteral("Entidad desconcentrada")
                           : QStringLiteral("Viceministerio"));
    LBLdireccion->setText(ex ? QStringLiteral("Componente") : QStringLiteral("Dirección"));
    LBLunidad->setText(QStringLiteral("Unidad"));
    Edit3->setEnabled(false);
    DTMdesde->setEnabled(false);
    DTMhasta->setEnabled(false);
}

void GoalEntryForm::startGoal() {
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

void GoalEntryForm::BTNgrabhitClick() {
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
        // The goal stays as typed, to be stored once the product's dates are corrected; its
        // end may follow the corrected product end, which no limit of the refused one holds.
        DTMhasta->setLatest(DTPhasta->maximumDate());
        DTPdesde->setEnabled(true);
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

void GoalEntryForm::goalEntryDone() {
    DTPdesde->setEnabled(true);
    DTMhasta->setEnabled(true);
    BTNagrehit->setEnabled(true);
    BTNgrabhit->setEnabled(false);
    Edit3->clear();
}

void GoalEntryForm::BTNdeshacerClick() {
    if (metas->undo(product()) == GoalEntry::Undone::Product) {
        Edit3->clear();
        DTMdesde->setDate(DTPdesde->date());
        DTMhasta->setDate(DTPhasta->date());
    }
}

void GoalEntryForm::showActivities() {
    const ProductKey key = product();
    Qprodacc->setParams({key.unit, key.number, key.year});
    Qprodacc->open();
    TFRMverproducto* viewer = Application::instance()->FRMverproducto();
    viewer->MEMproducto->setPlainText(Qprodacc->text("proy_descripcion"));
    open(viewer);
}

void GoalEntryForm::BitBtn5Click() {
    close();
}
