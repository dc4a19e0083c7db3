#include "frmresponsable.h"

#include "app/application.h"
#include "core/flags.h"
#include "core/wholenumber.h"
#include "plan/frmingresodatos1.h"
#include "responsibles.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QComboBox>
#include <QLineEdit>

TFRMresponsable::TFRMresponsable(QWidget* parent)
    : Form(QStringLiteral("FRMresponsable"),
           QStringLiteral("Responsables productos o acciones territoriales"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("6"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral("Responsables"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    TDTM* dtm = Application::instance()->DTM();
    responsables = new ResponsibleLinks(dtm->connection(), this);
    responsables->setObjectName(QStringLiteral("responsables"));
    DSOquery1 = new DataSource(responsables->ADOQuery1, this);
    DSOquery1->setObjectName(QStringLiteral("DSOquery1"));

    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Nombre de personal"));
    DBLookupComboBox2 = make<DBLookupComboBox>(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setListSource(dtm->DSOrespon, QStringLiteral("cod_responsable"),
                                     QStringLiteral("res_nombre"));
    DBLookupComboBox2->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 40);
    body()->addLayout(fields({{Label2, DBLookupComboBox2}}));

    Label7 = make<QLabel>(QStringLiteral("Label7"), QStringLiteral("Es responsable del grupo"));
    CBXrespon = make<QComboBox>(QStringLiteral("CBXrespon"));
    CBXrespon->addItems({QStringLiteral("NO"), QStringLiteral("SI")});
    CBXrespon->setCurrentIndex(0);
    caption(Label7, CBXrespon);
    Label7->setVisible(false);
    CBXrespon->setVisible(false);

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOquery1);
    DBGrid1->setColumns({{QStringLiteral("res_nombre"), QStringLiteral("Nombre y Apellidos"), 260},
                         {QStringLiteral("res_cargo"), QStringLiteral("Cargo"), 220}});
    DBGrid1->setMinimumWidth(530);
    body()->addWidget(DBGrid1, 1);

    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Agregar"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Eliminar"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Salir"));
    row({BitBtn1, BitBtn2, BitBtn3}, Qt::AlignHCenter);

    keys(nullptr, BitBtn3);
    handle(BitBtn1, &QPushButton::clicked, &TFRMresponsable::BitBtn1Click);
    handle(BitBtn2, &QPushButton::clicked, &TFRMresponsable::BitBtn2Click);
    handle(BitBtn3, &QPushButton::clicked, &TFRMresponsable::BitBtn3Click);
}

ProductKey TFRMresponsable::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void TFRMresponsable::FormActivate() {
    // "Agregar" keeps the state the last addition or removal left.
    Table* persons = Application::instance()->DTM()->ADOTrespon;
    persons->close();
    persons->open();
    responsables->list(product());
}

void TFRMresponsable::BitBtn1Click() {
    // The person the list shows.
    const int chosen = DBLookupComboBox2->currentIndex();
    if (chosen < 0) {
        DBLookupComboBox2->setFocus();
        inform(QStringLiteral("Seleccione primero el nombre del personal"));
        return;
    }
    const ProductKey key = product();
    const Table* persons = Application::instance()->DTM()->ADOTrespon;
    responsables->store(
        key,
        persons->valueAt(chosen, persons->fieldIndex(QStringLiteral("cod_responsable"))).toString(),
        CBXrespon->currentText() == QLatin1String("SI"));
    responsables->list(key);
    BitBtn1->setEnabled(false);
}

void TFRMresponsable::BitBtn2Click() {
    const ProductKey key = product();
    const Query* listed = responsables->ADOQuery1;
    if (listed->rowCount() > 0)
        responsables->remove(key, listed->integer("correlativo"));
    responsables->list(key);
    BitBtn1->setEnabled(true);
}

void TFRMresponsable::BitBtn3Click() {
    Application::instance()->FRMingresodatos1()->EDIresp->setText(
        flags::flag(responsables->ADOQuery1->rowCount() > 0));
    close();
}
