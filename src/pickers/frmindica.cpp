#include "frmindica.h"

#include "app/application.h"
#include "core/flags.h"
#include "core/wholenumber.h"
#include "indicators.h"
#include "plan/frmingresodatos1.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QLineEdit>
#include <QShowEvent>

namespace {

TDTM* dtm() {
    return Application::instance()->DTM();
}

} // namespace

TFRMindica::TFRMindica(QWidget* parent)
    : Form(QStringLiteral("FRMindica"), QStringLiteral("Indicadores generales"), parent) {
    Label1 = screenNumber(QStringLiteral("Label1"), QStringLiteral("22"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Indicadores generales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    indicadores = new IndicatorLinks(dtm()->connection(), this);
    indicadores->setObjectName(QStringLiteral("indicadores"));
    DSOquery1 = new DataSource(indicadores->ADOQuery1, this);
    DSOquery1->setObjectName(QStringLiteral("DSOquery1"));

    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Indicador"));
    DBLookupComboBox1 = make<DBLookupComboBox>(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setListSource(dtm()->DSOindica, QStringLiteral("cod_indicador"),
                                     QStringLiteral("ind_descripcion"));
    DBLookupComboBox1->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 40);
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Cantidad"));
    DBEdit1 = make<QLineEdit>(QStringLiteral("DBEdit1"));
    DBEdit1->setAlignment(Qt::AlignRight);
    DBEdit1->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000000000000")));
    body()->addLayout(fields({{Label5, DBLookupComboBox1}, {Label4, DBEdit1}}));

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOquery1);
    DBGrid1->setColumns({{QStringLiteral("ind_descripcion"), QStringLiteral("Descripcion"), 340},
                         {QStringLiteral("cantidad"), QStringLiteral("Cantidad"), 90}});
    DBGrid1->setMinimumWidth(480);
    body()->addWidget(DBGrid1, 1);

    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
    BTNelimina = button(QStringLiteral("BTNelimina"), QStringLiteral("Eliminar"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNgraba, BTNelimina, BTNsalir}, Qt::AlignHCenter);

    // The window's second number, small, in the bottom corner.
    Label10 = make<QLabel>(QStringLiteral("Label10"), QStringLiteral("23"));
    Label10->setFont(Label1->font());
    row({Label10}, Qt::AlignRight);

    keys(nullptr, BTNsalir);
    handle(DBLookupComboBox1, &DBLookupComboBox::picked, &TFRMindica::DBLookupComboBox1Click);
    handle(BTNgraba, &QPushButton::clicked, &TFRMindica::BTNgrabaClick);
    handle(BTNelimina, &QPushButton::clicked, &TFRMindica::BTNeliminaClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMindica::BTNsalirClick);
}

ProductKey TFRMindica::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void TFRMindica::showEvent(QShowEvent* event) {
    // A new opening: a line started and not stored in an earlier one is dropped.
    if (!event->spontaneous() && m_newLine) {
        m_newLine = false;
        DBEdit1->clear();
    }
    Form::showEvent(event);
}

void TFRMindica::FormActivate() {
    dtm()->ADOTindica->close();
    dtm()->ADOTindica->open();
    BTNgraba->setEnabled(true);
    BTNelimina->setEnabled(true);
    indicadores->list(LBLcodigo->text(), parseWhole(LBLproy->text()));
}

void TFRMindica::DBLookupComboBox1Click() {
    // A new line; one started before and not stored is dropped.
    m_newLine = true;
    DBEdit1->clear();
}

void TFRMindica::BTNgrabaClick() {
    // The indicator the list shows.
    const int chosen = DBLookupComboBox1->currentIndex();
    if (!m_newLine || chosen < 0) {
        DBLookupComboBox1->setFocus();
        inform(QStringLiteral("Seleccione primero un indicador"));
        return;
    }
    const auto quantity = indicatorQuantity(DBEdit1->text());
    if (!quantity) {
        DBEdit1->setFocus();
        inform(QStringLiteral("La cantidad debe ser un número entero"));
        return;
    }
    const ProductKey key = product();
    const Table* indicators = dtm()->ADOTindica;
    indicadores->store(
        key,
        indicators->valueAt(chosen, indicators->fieldIndex(QStringLiteral("cod_indicador")))
            .toLongLong(),
        *quantity);
    m_newLine = false;
    BTNgraba->setEnabled(true);
    BTNelimina->setEnabled(true);
    indicadores->list(key.unit, key.number);
}

void TFRMindica::BTNeliminaClick() {
    const Query* listed = indicadores->ADOQuery1;
    if (listed->rowCount() == 0) {
        inform(QStringLiteral("No se puede eliminar registros por que no existe alguno"));
        return;
    }
    BTNgraba->setEnabled(false);
    // The selected line in its own year: the list shows every year.
    indicadores->remove(
        {listed->text("cod_unidad"), listed->integer("cod_producto"), listed->text("gestion")},
        listed->integer("num_indica"));
    indicadores->list(LBLcodigo->text(), parseWhole(LBLproy->text()));
    inform(QStringLiteral("Se elimino el registro... "));
}

void TFRMindica::BTNsalirClick() {
    Application::instance()->FRMingresodatos1()->EDIindica->setText(
        flags::flag(indicadores->ADOQuery1->rowCount() > 0));
    close();
}
