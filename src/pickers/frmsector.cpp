#include "frmsector.h"

#include "app/application.h"
#include "core/wholenumber.h"
#include "sectors.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QCheckBox>

namespace {

TDTM* dtm() {
    return Application::instance()->DTM();
}

} // namespace

TFRMsector::TFRMsector(QWidget* parent)
    : Form(QStringLiteral("FRMsector"), QStringLiteral("Sector"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("15"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral("Sector y subsector"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    sectores = new SectorLinks(dtm()->connection(), this);
    sectores->setObjectName(QStringLiteral("sectores"));
    DSOsector = new DataSource(sectores->Qsector, this);
    DSOsector->setObjectName(QStringLiteral("DSOsector"));

    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Seleccione sector"));
    DBLsector = make<DBLookupComboBox>(QStringLiteral("DBLsector"));
    DBLsector->setListSource(dtm()->DSOsector1, QStringLiteral("cod_sector"),
                             QStringLiteral("sector_nombre"));
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Seleccione sub-sector"));
    DBLsubsec = make<DBLookupComboBox>(QStringLiteral("DBLsubsec"));
    DBLsubsec->setListSource(dtm()->DSOsubsec1, QStringLiteral("cod_grupo"),
                             QStringLiteral("grupo_nombre"));
    for (DBLookupComboBox* list : {DBLsector, DBLsubsec})
        list->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 36);
    CHBtodos = make<QCheckBox>(QStringLiteral("CHBtodos"), QStringLiteral("Todos"));
    CHBtodos->setChecked(true);
    DBLsubsec->setEnabled(false); // "Todos" stores every sub-sector
    QFormLayout* choice = fields({{Label2, DBLsector}, {Label3, DBLsubsec}});
    choice->addRow(QString(), CHBtodos);
    body()->addLayout(choice);

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOsector);
    DBGrid1->setColumns({{QStringLiteral("sector_nombre"), QStringLiteral("Sector"), 220},
                         {QStringLiteral("grupo_nombre"), QStringLiteral("Subsector"), 260}});
    DBGrid1->setMinimumWidth(530);
    body()->addWidget(DBGrid1, 1);

    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("Eliminar"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNgraba, BTNcancela, BTNsalir}, Qt::AlignHCenter);

    keys(nullptr, BTNsalir);
    handle(DBLsector, &DBLookupComboBox::picked, &TFRMsector::DBLsectorClick);
    handle(CHBtodos, &QCheckBox::clicked, &TFRMsector::CHBtodosClick);
    handleLeave(CHBtodos, &TFRMsector::CHBtodosExit);
    handle(BTNgraba, &QPushButton::clicked, &TFRMsector::BTNgrabaClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMsector::BTNcancelaClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMsector::BTNsalirClick);
}

ProductKey TFRMsector::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void TFRMsector::FormActivate() {
    dtm()->t_sector->close();
    dtm()->t_sector->open();
    dtm()->t_subsec->close();
    dtm()->t_subsec->open();
    // The sector the list still shows from an earlier choice is the one whose sub-sectors
    // are listed.
    if (DBLsector->currentIndex() >= 0)
        dtm()->t_sector->moveTo(DBLsector->currentIndex());
    sectores->list(product());
}

void TFRMsector::DBLsectorClick() {
    dtm()->t_subsec->close();
    dtm()->t_subsec->open();
}

void TFRMsector::CHBtodosClick() {
    if (CHBtodos->isChecked()) {
        DBLsubsec->setEnabled(false);
        return;
    }
    DBLsubsec->setEnabled(true);
    DBLsubsec->setFocus();
}

void TFRMsector::CHBtodosExit() {
    CHBtodosClick();
}

void TFRMsector::BTNgrabaClick() {
    const ProductKey key = product();
    if (CHBtodos->isChecked()) {
        // The sector the list shows.
        const int chosen = DBLsector->currentIndex();
        if (chosen < 0) {
            DBLsector->setFocus();
            inform(QStringLiteral("Seleccione primero un sector"));
            return;
        }
        const Table* sectors = dtm()->t_sector;
        sectores->storeSector(
            key,
            sectors->valueAt(chosen, sectors->fieldIndex(QStringLiteral("cod_sector"))).toString());
    } else {
        const int chosen = DBLsubsec->currentIndex();
        if (chosen < 0) {
            DBLsubsec->setFocus();
            inform(QStringLiteral("Seleccione primero un sub-sector"));
            return;
        }
        const Table* subsectors = dtm()->t_subsec;
        sectores->storeOne(
            key, subsectors->valueAt(chosen, subsectors->fieldIndex(QStringLiteral("cod_grupo")))
                     .toString());
    }
    sectores->list(key);
}

void TFRMsector::BTNcancelaClick() {
    const ProductKey key = product();
    const Query* listed = sectores->Qsector;
    if (listed->rowCount() > 0)
        sectores->remove(key, listed->integer("correlativo"), listed->text("cod_grupo"));
    sectores->list(key);
}

void TFRMsector::BTNsalirClick() {
    dtm()->Tunisector->close();
    dtm()->t_sector->close();
    dtm()->t_subsec->close();
    close();
}
