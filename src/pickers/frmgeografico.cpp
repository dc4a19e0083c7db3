#include "frmgeografico.h"

#include "app/application.h"
#include "core/flags.h"
#include "core/wholenumber.h"
#include "municipalities.h"
#include "plan/frmingresodatos1.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QCheckBox>
#include <QLineEdit>

TFRMgeografico::TFRMgeografico(QWidget* parent)
    : Form(QStringLiteral("FRMgeografico"), QStringLiteral("Municipios"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("14"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Municipios"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    Label10 = parameter(QStringLiteral("Label10"));

    TDTM* dtm = Application::instance()->DTM();
    municipios = new MunicipalityLinks(dtm->connection(), this);
    municipios->setObjectName(QStringLiteral("municipios"));
    DSOgeo = new DataSource(municipios->Qgeo, this);
    DSOgeo->setObjectName(QStringLiteral("DSOgeo"));
    DSOmuni = new DataSource(municipios->Qmuni, this);
    DSOmuni->setObjectName(QStringLiteral("DSOmuni"));

    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Departamento"));
    DBLdepto = make<DBLookupComboBox>(QStringLiteral("DBLdepto"));
    DBLdepto->setListSource(dtm->DSOdepto, QStringLiteral("COD_DEPTO"),
                            QStringLiteral("DEPTO_NOMBRE"));
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Municipio"));
    DBLmuni = make<DBLookupComboBox>(QStringLiteral("DBLmuni"));
    DBLmuni->setListSource(DSOmuni, QStringLiteral("COD_MUN"), QStringLiteral("MUN_NOMBRE"));
    for (DBLookupComboBox* list : {DBLdepto, DBLmuni})
        list->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 30);
    CHBmuni = make<QCheckBox>(QStringLiteral("CHBmuni"), QStringLiteral("Todos"));
    QFormLayout* choice = fields({{Label2, DBLdepto}, {Label3, DBLmuni}});
    choice->addRow(QString(), CHBmuni);
    body()->addLayout(choice);

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOgeo);
    DBGrid1->setColumns({{QStringLiteral("depto_nombre"), QStringLiteral("Departamento"), 120},
                         {QStringLiteral("prov_nombre"), QStringLiteral("Provincia"), 200},
                         {QStringLiteral("mun_nombre"), QStringLiteral("Municipio"), 200}});
    DBGrid1->setMinimumWidth(560);
    body()->addWidget(DBGrid1, 1);

    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Grabar"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Eliminar"));
    BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("Salir"));
    row({BitBtn2, BitBtn3, BitBtn4}, Qt::AlignHCenter);

    // The window's second number, small, in the bottom corner.
    Label7 = make<QLabel>(QStringLiteral("Label7"), QStringLiteral("23"));
    Label7->setFont(Label5->font());
    row({Label7}, Qt::AlignRight);

    keys(nullptr, BitBtn4);
    handle(DBLdepto, &DBLookupComboBox::picked, &TFRMgeografico::DBLdeptoClick);
    handle(BitBtn2, &QPushButton::clicked, &TFRMgeografico::BitBtn2Click);
    handle(BitBtn3, &QPushButton::clicked, &TFRMgeografico::BitBtn3Click);
    handle(BitBtn4, &QPushButton::clicked, &TFRMgeografico::BitBtn4Click);
}

ProductKey TFRMgeografico::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void TFRMgeografico::FormActivate() {
    // The department list stands on the shared table its caller opens; opened here too,
    // where no caller did, without moving it.
    Table* departments = Application::instance()->DTM()->ADOTdepto;
    if (!departments->isOpen())
        departments->open();
    municipios->list(product());
}

void TFRMgeografico::DBLdeptoClick() {
    Label10->setText(Application::instance()->DTM()->ADOTdepto->text("COD_DEPTO"));
    municipios->municipalitiesOf(Label10->text());
}

void TFRMgeografico::BitBtn2Click() {
    const ProductKey key = product();
    if (Label10->text().isEmpty()) {
        DBLdepto->setFocus();
        inform(QStringLiteral("Seleccione primero un departamento"));
        return;
    }
    if (CHBmuni->isChecked()) {
        municipios->storeDepartment(key, Label10->text());
    } else {
        // The municipality the list shows.
        const int chosen = DBLmuni->currentIndex();
        if (chosen < 0) {
            DBLmuni->setFocus();
            inform(QStringLiteral("Seleccione primero un municipio"));
            return;
        }
        const Query* towns = municipios->Qmuni;
        const auto field = [&](const char* name) {
            return towns->valueAt(chosen, towns->fieldIndex(QString::fromLatin1(name))).toString();
        };
        municipios->storeOne(key, Label10->text(), field("COD_PROV"), field("COD_MUN"));
    }
    municipios->list(key);
}

void TFRMgeografico::BitBtn3Click() {
    const Query* listed = municipios->Qgeo;
    if (listed->rowCount() == 0) {
        BitBtn2->setFocus();
        inform(QStringLiteral("No existe registros para eliminar"));
        return;
    }
    const ProductKey key = product();
    municipios->remove(key, listed->text("cod_mun"));
    municipios->list(key);
    inform(QStringLiteral("Registro eliminado"));
}

void TFRMgeografico::BitBtn4Click() {
    Application::instance()->FRMingresodatos1()->EDImun->setText(
        flags::flag(municipios->Qgeo->rowCount() > 0));
    close();
}
