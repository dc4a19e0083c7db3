#include "frmingresodatos1.h"

#include "app/application.h"
#include "budget/frmfinanciero.h"
#include "goalentry.h"
#include "pickers/frmgeografico.h"
#include "pickers/frmindica.h"
#include "pickers/frmorganiza.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmsector.h"
#include "pickers/frmunisectorial.h"
#include "pickers/handover.h"
#include "store/tdtm.h"
#include "territorialaction.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/headerboxes.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyle>

TFRMingresodatos1::TFRMingresodatos1(QWidget* parent)
    : GoalEntryForm(QStringLiteral("FRMingresodatos1"), Kind::EX,
                    {QStringLiteral("Datos iniciales acciones territoriales"), QStringLiteral("26"),
                     QStringLiteral("Datos iniciales de acciones territoriales"),
                     QStringLiteral("Entidad desconcentrada"), QStringLiteral("Acción territorial"),
                     QStringLiteral("Indicadores"),
                     QStringLiteral("Descripción de Metas intermedias"),
                     QStringLiteral("Fecha de inicio"), QStringLiteral("Esperado(%)")},
                    parent) {
    accion = new TerritorialAction(Application::instance()->DTM()->connection(), this);
    accion->setObjectName(QStringLiteral("accion"));

    Label20 = make<ClickLabel>(QStringLiteral("Label20"), QStringLiteral("Ver mas"));
    Label20->setTextColour(QColor(0, 82, 164));
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas"));
    moreRow()->addWidget(Label20);
    moreRow()->addWidget(Image1);

    DTPhasta->setEnabled(false);
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Presupuesto"));
    entryButtons()->insertWidget(entryButtons()->count() - 1, BitBtn2);
    BTNmun = button(QStringLiteral("BTNmun"), QStringLiteral("Municipios"));
    BTNresp = button(QStringLiteral("BTNresp"), QStringLiteral("Responsables"));
    BTNorga = button(QStringLiteral("BTNorga"), QStringLiteral("Grupos indigenas"));
    BTNsector = button(QStringLiteral("BTNsector"), QStringLiteral("Sector"));
    BTNindica = button(QStringLiteral("BTNindica"), QStringLiteral("Indicadores"));
    BTNplan = button(QStringLiteral("BTNplan"), QStringLiteral("Plan sectorial"));
    BTNefecto = button(QStringLiteral("BTNefecto"), QStringLiteral("Efecto e impactos"));
    BTNefecto->setEnabled(false);
    auto* attributes = new QHBoxLayout;
    for (QPushButton* b : {BTNmun, BTNresp, BTNorga, BTNsector, BTNindica, BTNplan, BTNefecto})
        attributes->addWidget(b);
    attributes->addStretch(1);
    body()->insertLayout(body()->indexOf(entryButtons()) + 1, attributes);

    const auto flag = [this](const QString& name) {
        QLineEdit* box = readOnlyBox(name);
        box->setText(QStringLiteral("N"));
        box->setVisible(false);
        return box;
    };
    EDImun = flag(QStringLiteral("EDImun"));
    EDIorga = flag(QStringLiteral("EDIorga"));
    EDIresp = flag(QStringLiteral("EDIresp"));
    EDIindica = flag(QStringLiteral("EDIindica"));
    EDIsector = flag(QStringLiteral("EDIsector"));
    EDIefecto = flag(QStringLiteral("EDIefecto"));

    handle(BTNagrega, &QPushButton::clicked, &TFRMingresodatos1::BTNagregaClick);
    handle(DTPdesde, &QDateEdit::dateChanged, &TFRMingresodatos1::DTPdesdeChange);
    handleLeave(DTPdesde, &TFRMingresodatos1::DTPdesdeExit);
    handle(DTPhasta, &DatePicker::clicked, &TFRMingresodatos1::DTPhastaClick);
    handleLeave(DTPhasta, &TFRMingresodatos1::DTPhastaExit);
    handle(BTNagrehit, &QPushButton::clicked, &TFRMingresodatos1::BTNagrehitClick);
    handle(DTMhasta, &DatePicker::clicked, &TFRMingresodatos1::DTMhastaClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMingresodatos1::BTNcancelaClick);
    handle(BTNmun, &QPushButton::clicked, &TFRMingresodatos1::BTNmunClick);
    handle(BTNresp, &QPushButton::clicked, &TFRMingresodatos1::BTNrespClick);
    handle(BTNorga, &QPushButton::clicked, &TFRMingresodatos1::BTNorgaClick);
    handle(BTNsector, &QPushButton::clicked, &TFRMingresodatos1::BTNsectorClick);
    handle(BTNindica, &QPushButton::clicked, &TFRMingresodatos1::BTNindicaClick);
    handle(BTNplan, &QPushButton::clicked, &TFRMingresodatos1::BTNplanClick);
    handle(BitBtn2, &QPushButton::clicked, &TFRMingresodatos1::BitBtn2Click);
    handle(Label20, &ClickLabel::clicked, &TFRMingresodatos1::Label20Click);
    handle(Image1, &ClickLabel::clicked, &TFRMingresodatos1::Label20Click);
}

void TFRMingresodatos1::d_botones() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{BTNindica, DTPdesde, DTPhasta, DTMdesde, DTMhasta, BTNorga,
                                         BTNresp, BTNsector, BTNmun, BTNplan, BTNefecto})
        w->setEnabled(false);
}

ActionFlags TFRMingresodatos1::flags() const {
    return {EDImun->text(),    EDIorga->text(),   EDIresp->text(),
            EDIindica->text(), EDIsector->text(), EDIefecto->text()};
}

void TFRMingresodatos1::showFlags(const ActionFlags& flags) {
    EDImun->setText(flags.municipio);
    EDIorga->setText(flags.organizacion);
    EDIresp->setText(flags.responsable);
    EDIindica->setText(flags.indicador);
    EDIsector->setText(flags.sector);
    EDIefecto->setText(flags.efecto);
}

void TFRMingresodatos1::FormActivate() {
    abre_hito();
    metas->begin();
    const QString year = Application::instance()->session().year();
    for (DatePicker* p : {DTPdesde, DTPhasta}) {
        // Limiting the range is not the user changing the action's dates.
        const QSignalBlocker quiet(p);
        p->setEarliest(yearStart(year));
        p->setLatest(yearEnd(year));
    }
    BTNagrega->setEnabled(true);
    BTNagrega->setVisible(true);
    BTNagrega->setFocus();
}

void TFRMingresodatos1::BTNagregaClick() {
    for (QWidget* w : std::initializer_list<QWidget*>{BTNindica, BTNmun, DTPdesde, DTPhasta,
                                                      BTNorga, BTNresp, BTNsector, BTNplan})
        w->setEnabled(true);
    BTNefecto->setEnabled(false);
    BTNagrehit->setEnabled(true);
    BTNagrega->setEnabled(false);
    // A new entry can be cancelled again, also after an earlier cancellation.
    BTNcancela->setEnabled(true);
    // An action already stored keeps its flags; a new one starts without attributes, never
    // with those of the action handled before it.
    showFlags(accion->storedFlags(product()).value_or(ActionFlags{}));
    const QString year = Application::instance()->session().year();
    DTPdesde->setDate(yearStart(year));
    DTPhasta->setDate(yearEnd(year));
    DTMhasta->setLatest(DTPhasta->date());
}

void TFRMingresodatos1::DTPdesdeChange() {
    DTMdesde->setDate(DTPdesde->date());
    DTPhasta->setEnabled(true);
}

void TFRMingresodatos1::DTPdesdeExit() {
    DTPhasta->setEarliest(DTPdesde->date());
}

void TFRMingresodatos1::DTPhastaClick() {
    DTPhasta->setEarliest(DTPdesde->date().addDays(1));
}

void TFRMingresodatos1::DTPhastaExit() {
    DTMhasta->setDate(DTPhasta->date());
    DTMhasta->setLatest(DTPhasta->date());
}

void TFRMingresodatos1::BTNagrehitClick() {
    startGoal();
    DTMhasta->setEarliest(DTMdesde->date().addDays(-1));
}

void TFRMingresodatos1::DTMhastaClick() {
    DTMhasta->setEarliest(DTMdesde->date());
}

void TFRMingresodatos1::BTNgrabhitClick() {
    // The action's row, when this goal writes it, carries the attributes attached so far.
    metas->setProductColumns(flags().columns());
    GoalEntryForm::BTNgrabhitClick();
}

void TFRMingresodatos1::BTNdeshacerClick() {
    // The goal count is the one in the store, not the one last shown.
    abre_hito();
    GoalEntryForm::BTNdeshacerClick();
}

void TFRMingresodatos1::BTNcancelaClick() {
    if (!confirm(QStringLiteral("Desea cancelar el registro de datos....!!!!")))
        return;
    const ProductKey key = product();
    metas->cancel(key);
    accion->removeAttributes(key);
    BTNagrega->setEnabled(true);
    BTNcancela->setEnabled(false);
    d_botones();
    abre_hito();
    inform(QStringLiteral("Registro cancelado"));
}

void TFRMingresodatos1::BitBtn5Click() {
    // Only an action whose row this opening wrote gets the flags back; any other keeps
    // what is stored.
    if (metas->productPending() == QLatin1String("N"))
        accion->writeFlags(product(), flags());
    close();
}

template <typename Picker> void TFRMingresodatos1::openPicker(Picker* picker) {
    handProduct(picker, LBLcodigo->text(), LBLproy->text());
    open(picker);
}

void TFRMingresodatos1::BTNmunClick() {
    TDTM* dtm = Application::instance()->DTM();
    for (Table* t : {dtm->ADOTdepto, dtm->ADOTprovin, dtm->ADOTmuni}) {
        t->close();
        t->open();
    }
    openPicker(Application::instance()->FRMgeografico());
}

void TFRMingresodatos1::BTNrespClick() {
    openPicker(Application::instance()->FRMresponsable());
}

void TFRMingresodatos1::BTNorgaClick() {
    openPicker(Application::instance()->FRMorganiza());
}

void TFRMingresodatos1::BTNsectorClick() {
    Table* sectors = Application::instance()->DTM()->t_sector;
    sectors->close();
    sectors->open();
    openPicker(Application::instance()->FRMsector());
}

void TFRMingresodatos1::BTNindicaClick() {
    openPicker(Application::instance()->FRMindica());
}

void TFRMingresodatos1::BTNplanClick() {
    // The picker's "Agregar" keeps the state its last caller gave it.
    openPicker(Application::instance()->FRMunisectorial());
}

void TFRMingresodatos1::BitBtn2Click() {
    TFRMfinanciero* budget = Application::instance()->FRMfinanciero();
    budget->LBLcodigo->setText(LBLcodigo->text());
    budget->LBLprod->setText(LBLproy->text());
    showHeader(budget, headerTexts(this));
    open(budget);
}

void TFRMingresodatos1::Label20Click() {
    showActivities();
}
