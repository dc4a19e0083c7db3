#include "frmunisectorial.h"

#include "app/application.h"
#include "core/wholenumber.h"
#include "sectorialplan.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QLineEdit>

namespace {

TDTM* dtm() {
    return Application::instance()->DTM();
}

} // namespace

TFRMunisectorial::TFRMunisectorial(QWidget* parent)
    : Form(QStringLiteral("FRMunisectorial"), QStringLiteral("Plan sectorial"), parent) {
    Label7 = screenNumber(QStringLiteral("Label7"), QStringLiteral("7"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Plan sectorial"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));

    plan = new SectorialPlanLinks(dtm()->connection(), this);
    plan->setObjectName(QStringLiteral("plan"));
    DSOsector = new DataSource(plan->Qsector, this);
    DSOsector->setObjectName(QStringLiteral("DSOsector"));

    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Politica"));
    DBLpolitica = make<DBLookupComboBox>(QStringLiteral("DBLpolitica"));
    DBLpolitica->setListSource(dtm()->DSOpolitica, QStringLiteral("cod_politica"),
                               QStringLiteral("poli_descri"));
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Programa"));
    DBLprograma = make<DBLookupComboBox>(QStringLiteral("DBLprograma"));
    DBLprograma->setListSource(dtm()->DSOqsectorial, QStringLiteral("cod_programa"),
                               QStringLiteral("pro_descri"));
    for (DBLookupComboBox* list : {DBLpolitica, DBLprograma})
        list->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 44);
    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Estrategia"));
    Edit1 = make<QLineEdit>(QStringLiteral("Edit1"));
    body()->addLayout(fields({{Label2, DBLpolitica}, {Label3, DBLprograma}, {Label1, Edit1}}));

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOsector);
    DBGrid1->setColumns({{QStringLiteral("poli_descri"), QStringLiteral("Politica"), 300},
                         {QStringLiteral("pro_descri"), QStringLiteral("Programa"), 260}});
    DBGrid1->setMinimumWidth(600);
    body()->addWidget(DBGrid1, 1);

    // "Agregar" is left as each caller sets it.
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Agregar"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Eliminar"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Salir"));
    row({BitBtn1, BitBtn2, BitBtn3}, Qt::AlignHCenter);

    keys(nullptr, BitBtn3);
    handle(DBLpolitica, &DBLookupComboBox::picked, &TFRMunisectorial::DBLpoliticaClick);
    handle(BitBtn1, &QPushButton::clicked, &TFRMunisectorial::BitBtn1Click);
    handle(BitBtn2, &QPushButton::clicked, &TFRMunisectorial::BitBtn2Click);
    handle(BitBtn3, &QPushButton::clicked, &TFRMunisectorial::BitBtn3Click);
}

ProductKey TFRMunisectorial::product() const {
    return {LBLcodigo->text(), parseWhole(LBLprod->text()),
            Application::instance()->session().year()};
}

void TFRMunisectorial::FormActivate() {
    dtm()->t_politica->close();
    dtm()->t_politica->open();
    dtm()->t_sectorial->close();
    dtm()->t_sectorial->open();
    plan->list(product());
}

void TFRMunisectorial::DBLpoliticaClick() {
    Query* programmes = dtm()->Qsectorial;
    programmes->close();
    programmes->setParams({dtm()->t_politica->integer("cod_politica")});
    programmes->open();
}

void TFRMunisectorial::BitBtn1Click() {
    // The programme the list shows, with its own policy.
    const int chosen = DBLprograma->currentIndex();
    const Query* programmes = dtm()->Qsectorial;
    if (chosen < 0 || !programmes->isOpen()) {
        DBLprograma->setFocus();
        inform(QStringLiteral("Seleccione primero un programa"));
        return;
    }
    const auto field = [&](const char* name) {
        return programmes->valueAt(chosen, programmes->fieldIndex(QString::fromLatin1(name)))
            .toLongLong();
    };
    const ProductKey key = product();
    plan->store(key, field("cod_politica"), field("cod_programa"));
    plan->list(key);
    inform(QStringLiteral("Registro grabado......"));
}

void TFRMunisectorial::BitBtn2Click() {
    // The selected row, read before the question: closing the box lists the rows again.
    const Query* listed = plan->Qsector;
    const bool selected = listed->rowCount() > 0;
    const qint64 policy = selected ? listed->integer("cod_politica") : 0;
    const qint64 programme = selected ? listed->integer("cod_programa") : 0;
    if (!confirm(QStringLiteral("Desea eliminar el registro ?")) || !selected)
        return;
    const ProductKey key = product();
    plan->remove(key, policy, programme);
    plan->list(key);
    inform(QStringLiteral("Se elimino el registro"));
}

void TFRMunisectorial::BitBtn3Click() {
    close();
}
