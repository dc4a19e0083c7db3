#include "frmorganiza.h"

#include "app/application.h"
#include "core/flags.h"
#include "core/wholenumber.h"
#include "groups.h"
#include "plan/frmingresodatos1.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QLineEdit>

TFRMorganiza::TFRMorganiza(QWidget* parent)
    : Form(QStringLiteral("FRMorganiza"), QStringLiteral("Grupo indigena"), parent) {
    Label10 = screenNumber(QStringLiteral("Label10"), QStringLiteral("23"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Grupos indigenas"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    TDTM* dtm = Application::instance()->DTM();
    grupos = new GroupLinks(dtm->connection(), this);
    grupos->setObjectName(QStringLiteral("grupos"));
    DSOquery1 = new DataSource(grupos->ADOQuery1, this);
    DSOquery1->setObjectName(QStringLiteral("DSOquery1"));

    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Grupos de indigenas"));
    DBLookupComboBox1 = make<DBLookupComboBox>(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setListSource(dtm->DSOorga, QStringLiteral("cod_orga"),
                                     QStringLiteral("org_descr"));
    DBLookupComboBox1->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 40);
    body()->addLayout(fields({{Label4, DBLookupComboBox1}}));

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOquery1);
    DBGrid1->setColumns({{QStringLiteral("org_sigla"), QStringLiteral("Sigla"), 90},
                         {QStringLiteral("org_descr"), QStringLiteral("Descripción"), 380}});
    DBGrid1->setMinimumWidth(520);
    body()->addWidget(DBGrid1, 1);

    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Grabar"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Eliminar"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Salir"));
    row({BitBtn2, BitBtn3, BitBtn1}, Qt::AlignHCenter);

    keys(nullptr, BitBtn1);
    handle(BitBtn2, &QPushButton::clicked, &TFRMorganiza::BitBtn2Click);
    handle(BitBtn3, &QPushButton::clicked, &TFRMorganiza::BitBtn3Click);
    handle(BitBtn1, &QPushButton::clicked, &TFRMorganiza::BitBtn1Click);
}

ProductKey TFRMorganiza::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void TFRMorganiza::FormActivate() {
    Table* groups = Application::instance()->DTM()->ADOTorga;
    groups->close();
    groups->open();
    grupos->list(product());
}

void TFRMorganiza::BitBtn2Click() {
    // The group the list shows.
    const int chosen = DBLookupComboBox1->currentIndex();
    if (chosen < 0) {
        DBLookupComboBox1->setFocus();
        inform(QStringLiteral("Seleccione primero un grupo indigena"));
        return;
    }
    const ProductKey key = product();
    const Table* groups = Application::instance()->DTM()->ADOTorga;
    grupos->store(
        key, groups->valueAt(chosen, groups->fieldIndex(QStringLiteral("cod_orga"))).toLongLong());
    grupos->list(key);
}

void TFRMorganiza::BitBtn3Click() {
    const Query* listed = grupos->ADOQuery1;
    if (listed->rowCount() == 0) {
        BitBtn2->setFocus();
        inform(QStringLiteral("No se puede eliminar registros"));
        return;
    }
    const ProductKey key = product();
    grupos->remove(
        {listed->text("cod_unidad"), listed->integer("cod_producto"), listed->text("gestion")},
        listed->integer("cod_orga"), listed->integer("correlativo"));
    grupos->list(key);
}

void TFRMorganiza::BitBtn1Click() {
    Application::instance()->FRMingresodatos1()->EDIorga->setText(
        flags::flag(grupos->ADOQuery1->rowCount() > 0));
    Application::instance()->DTM()->ADOTorga->close();
    close();
}
