#include "frmingresodatos1.h"

#include "ui/datepicker.h"

#include <QHBoxLayout>
#include <QLineEdit>

TFRMingresodatos1::TFRMingresodatos1(QWidget* parent)
    : GoalEntryForm(QStringLiteral("FRMingresodatos1"), Kind::EX,
                    {QStringLiteral("Datos iniciales acciones territoriales"), QStringLiteral("26"),
                     QStringLiteral("Datos iniciales de acciones territoriales"),
                     QStringLiteral("Entidad desconcentrada"), QStringLiteral("Acción territorial"),
                     QStringLiteral("Indicadores"),
                     QStringLiteral("Descripción de Metas intermedias"),
                     QStringLiteral("Fecha de inicio"), QStringLiteral("Esperado(%)")},
                    parent) {
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
}

void TFRMingresodatos1::d_botones() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{BTNindica, DTPdesde, DTPhasta, DTMdesde, DTMhasta, BTNorga,
                                         BTNresp, BTNsector, BTNmun, BTNplan, BTNefecto})
        w->setEnabled(false);
}
