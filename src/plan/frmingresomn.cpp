#include "frmingresomn.h"

#include "app/application.h"
#include "goalentry.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmunisectorial.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/focushighlight.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>

TFRMingresoMN::TFRMingresoMN(QWidget* parent)
    : GoalEntryForm(QStringLiteral("FRMingresoMN"), Kind::MN,
                    {QStringLiteral("Seguimiento a unidades del Ministerio"), QStringLiteral("4"),
                     QStringLiteral("Registro de datos iniciales"),
                     QStringLiteral("Viceministerio"), QStringLiteral("Producto"),
                     QStringLiteral("Indicadores "),
                     QStringLiteral("Descripcion de Metas intermedias"),
                     QStringLiteral("fecha de inicio"), QStringLiteral("Esperado (%)")},
                    parent) {
    Label34 = make<ClickLabel>(QStringLiteral("Label34"), QStringLiteral("Ver mas "));
    Label34->setTextColour(QColor(0, 82, 164));
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas "));
    moreRow()->addWidget(Label34);
    moreRow()->addWidget(Image1);
    BTNrespon = button(QStringLiteral("BTNrespon"), QStringLiteral("Responsable"));
    BTNsector = button(QStringLiteral("BTNsector"), QStringLiteral("Plan sectorial"));
    entryButtons()->insertWidget(entryButtons()->count() - 1, BTNrespon);
    entryButtons()->insertWidget(entryButtons()->count() - 1, BTNsector);

    handle(BTNagrega, &QPushButton::clicked, &TFRMingresoMN::BTNagregaClick);
    handle(DTPdesde, &QDateEdit::dateChanged, &TFRMingresoMN::DTPdesdeChange);
    handleLeave(DTPdesde, &TFRMingresoMN::DTPdesdeExit);
    // The product end the user changes; a date set by a caller or by "Cancelar" offers no
    // goal before "Agregar".
    handle(DTPhasta, &DatePicker::dateEdited, &TFRMingresoMN::DTPhastaChange);
    handleLeave(DTPhasta, &TFRMingresoMN::DTPhastaExit);
    handle(BTNagrehit, &QPushButton::clicked, &TFRMingresoMN::BTNagrehitClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMingresoMN::BTNcancelaClick);
    handle(BTNrespon, &QPushButton::clicked, &TFRMingresoMN::BTNresponClick);
    handle(BTNsector, &QPushButton::clicked, &TFRMingresoMN::BTNsectorClick);
    handle(Label34, &ClickLabel::clicked, &TFRMingresoMN::Label34Click);
    handle(Image1, &ClickLabel::clicked, &TFRMingresoMN::Label34Click);
    handle(Edit3, &QLineEdit::textChanged, &TFRMingresoMN::Edit3Change);
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
    // Goals are entered after "Agregar", whatever an earlier opening left.
    BTNagrehit->setEnabled(false);
    BTNgrabhit->setEnabled(false);
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
    startGoal();
}

void TFRMingresoMN::BTNcancelaClick() {
    if (!confirm(QStringLiteral("Desea cancelar el registro de datos....!!!!")))
        return;
    metas->cancel(product());
    BTNagrega->setEnabled(true);
    BTNcancela->setEnabled(false);
    BTNrespon->setEnabled(false);
    // No goal is entered again before "Agregar".
    BTNagrehit->setEnabled(false);
    BTNgrabhit->setEnabled(false);
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
    showActivities();
}

void TFRMingresoMN::Edit3Change() {
    paintBox(Edit3, QPalette::Base, FocusHighlight::colour());
}
