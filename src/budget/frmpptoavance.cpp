#include "frmpptoavance.h"

#include "app/application.h"
#include "budgetmath.h"
#include "core/datetext.h"
#include "core/error.h"
#include "core/today.h"
#include "core/wholenumber.h"
#include "execution.h"
#include "store/tdtm.h"
#include "ui/keyfilter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

const Session& session() {
    return Application::instance()->session();
}

constexpr int totalRow = monthCount + 1;

} // namespace

TFRMpptoavance::TFRMpptoavance(QWidget* parent)
    : Form(QStringLiteral("FRMpptoavance"), QStringLiteral("Avance presupuestario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("24"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Avance presupuestario"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    ejecucion = new BudgetExecution(Application::instance()->DTM()->connection(), this);
    ejecucion->setObjectName(QStringLiteral("ejecucion"));

    // The product's header, read-only: the same captions whatever the kind.
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Entidad externa"));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdirecc = make<QLabel>(QStringLiteral("LBLdirecc"), QStringLiteral("Direccion"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLproyecto = make<QLabel>(QStringLiteral("LBLproyecto"), QStringLiteral("Acción terriorial"));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    // Beside the description, with nothing behind it.
    LBLvermas = make<QLabel>(QStringLiteral("LBLvermas"), QStringLiteral("Ver mas "));
    LBLresultado = make<QLabel>(QStringLiteral("LBLresultado"), QStringLiteral("Indicadores"));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"), 2);
    auto* description = new QHBoxLayout;
    description->addWidget(EDIproyecto, 1);
    description->addWidget(LBLvermas);
    QFormLayout* header = fields({{LBLvicemin, EDIvicemin},
                                  {LBLdirecc, EDIdirecc},
                                  {LBLunidad, EDIunidad},
                                  {LBLresultado, MEMresultado}});
    caption(LBLproyecto, EDIproyecto);
    header->insertRow(3, LBLproyecto, description);
    body()->addLayout(header);

    // The months: a title row, twelve months and the totals.
    STGmes = make<QTableWidget>(QStringLiteral("STGmes"), totalRow + 1, 4);
    STGmes->horizontalHeader()->setVisible(false);
    STGmes->verticalHeader()->setVisible(false);
    STGmes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    STGmes->setSelectionMode(QAbstractItemView::NoSelection);
    STGmes->setFocusPolicy(Qt::NoFocus);
    STGmes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    STGmes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int digit = fontMetrics().horizontalAdvance(u'0');
    for (const auto& [column, width] : {std::pair{0, 6}, {1, 12}, {2, 16}, {3, 16}})
        STGmes->setColumnWidth(column, digit * width);
    for (int r = 0; r <= totalRow; ++r)
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (r == 0) {
                // The title row looks like the grid's fixed row.
                item->setBackground(palette().button());
                item->setTextAlignment(Qt::AlignCenter);
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            STGmes->setItem(r, c, item);
        }
    int width = 2 * STGmes->frameWidth();
    for (int c = 0; c < 4; ++c)
        width += STGmes->columnWidth(c);
    STGmes->setFixedSize(width,
                         2 * STGmes->frameWidth() +
                             (totalRow + 1) * STGmes->verticalHeader()->defaultSectionSize());

    // The report being entered and the figures of the current one.
    auto* LBLmes =
        make<QLabel>(QStringLiteral("LBLmes"), QStringLiteral("Ingrese mes de informe:"));
    CBXmes = make<QComboBox>(QStringLiteral("CBXmes"));
    CBXmes->setEditable(true);
    CBXmes->setInsertPolicy(QComboBox::NoInsert);
    CBXmes->addItems(monthNames());
    CBXmes->setCurrentText(QStringLiteral("Enero"));
    auto* LBLmonto =
        make<QLabel>(QStringLiteral("LBLmonto"), QStringLiteral("Ingrese monto ejecutado:"));
    EDImonto = make<QLineEdit>(QStringLiteral("EDImonto"));
    // Whole Bolivianos, as many digits as an amount column holds.
    setKeyFilter(EDImonto, KeyFilter::digits, 15);
    EDImonto->setAlignment(Qt::AlignRight);
    auto* LBLfecact =
        make<QLabel>(QStringLiteral("LBLfecact"), QStringLiteral("Fecha de ultimo informe"));
    EDIfecact = make<QLineEdit>(QStringLiteral("EDIfecact"));
    auto* LBLejepor = make<QLabel>(QStringLiteral("LBLejepor"), QStringLiteral("Ejecutado"));
    EDIejepor = make<QLineEdit>(QStringLiteral("EDIejepor"));
    auto* LBLejebs = make<QLabel>(QStringLiteral("LBLejebs"), QStringLiteral("Ejecutado"));
    EDIejebs = make<QLineEdit>(QStringLiteral("EDIejebs"));
    for (QLineEdit* b : {EDImonto, EDIfecact, EDIejepor, EDIejebs})
        b->setMaximumWidth(digit * 18);
    for (QLineEdit* b : {EDIejepor, EDIejebs})
        b->setAlignment(Qt::AlignRight);
    auto* entry = new QGridLayout;
    const QList<std::tuple<QLabel*, QWidget*, QString>> lines{
        {LBLmes, CBXmes, QString()},
        {LBLmonto, EDImonto, QStringLiteral("Bs.")},
        {LBLfecact, EDIfecact, QString()},
        {LBLejepor, EDIejepor, QStringLiteral("%")},
        {LBLejebs, EDIejebs, QStringLiteral("Bs.")}};
    int line = 0;
    for (const auto& [label, box, unit] : lines) {
        caption(label, box);
        entry->addWidget(label, line, 0);
        entry->addWidget(box, line, 1);
        if (!unit.isEmpty()) {
            auto* after = make<QLabel>(label->objectName() + QStringLiteral("unidad"), unit);
            entry->addWidget(after, line, 2);
            box->setAccessibleName(label->text() + u' ' + unit);
        }
        ++line;
    }
    entry->setRowStretch(line, 1);
    auto* figures = new QHBoxLayout;
    figures->addWidget(STGmes);
    figures->addSpacing(digit * 3);
    figures->addLayout(entry, 1);
    body()->addLayout(figures, 1);

    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Registrar avance"));
    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar avance"));
    BTNmuestra = button(QStringLiteral("BTNmuestra"), QStringLiteral("Ultimo avance"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("Cancelar"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNagrega, BTNgraba, BTNmuestra, BTNcancela})->addWidget(BTNsalir);
    setOpeningSize(900, 680);

    keys(nullptr, BTNsalir);
    handle(BTNagrega, &QPushButton::clicked, &TFRMpptoavance::BTNagregaClick);
    handle(BTNgraba, &QPushButton::clicked, &TFRMpptoavance::BTNgrabaClick);
    handle(BTNmuestra, &QPushButton::clicked, &TFRMpptoavance::BTNmuestraClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMpptoavance::BTNcancelaClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMpptoavance::BTNsalirClick);
}

ProductKey TFRMpptoavance::product() const {
    return {LBLcodigo->text(), parseWhole(LBLprod->text()), session().year()};
}

QString TFRMpptoavance::celda(int row, int column) const {
    const QTableWidgetItem* item = STGmes->item(row, column);
    return item ? item->text() : QString();
}

void TFRMpptoavance::setCelda(int row, int column, const QString& text) {
    STGmes->item(row, column)->setText(text);
}

void TFRMpptoavance::botones(bool registrando) {
    BTNagrega->setEnabled(!registrando);
    for (QPushButton* b : {BTNgraba, BTNmuestra, BTNcancela})
        b->setEnabled(registrando);
}

void TFRMpptoavance::FormActivate() {
    botones(true);
    const QStringList titles{QStringLiteral("Núm."), QStringLiteral("Mes"),
                             QStringLiteral("Monto (Bs.)"), QStringLiteral("Ejecutado(Bs.)")};
    for (int c = 0; c < titles.size(); ++c)
        setCelda(0, c, titles.at(c));
    llena_grilla();
}

void TFRMpptoavance::llena_grilla() {
    // Nothing of another product stays on show.
    for (int r = 1; r <= totalRow; ++r)
        for (int c = 0; c < 4; ++c)
            setCelda(r, c, QString());
    for (QLineEdit* b : {EDIfecact, EDIejepor, EDIejebs})
        b->clear();

    const auto figures = ejecucion->current(product());
    if (!figures)
        return;
    for (int m = 1; m <= monthCount; ++m) {
        setCelda(m, 0, QString::number(m));
        setCelda(m, 1, monthNames().at(m - 1));
        setCelda(m, 2, figures->programmed[m - 1].toString());
        setCelda(m, 3, figures->executed[m - 1].toString());
    }
    EDIfecact->setText(showDate(figures->reportDay));
    EDIejepor->setText(figures->executedShare.toString());
    EDIejebs->setText(figures->executedTotal.toString());
    setCelda(totalRow, 1, QStringLiteral("Total"));
    setCelda(totalRow, 2, figures->programmedTotal.toString());
    setCelda(totalRow, 3, figures->executedTotal.toString());
}

void TFRMpptoavance::BTNagregaClick() {
    for (QPushButton* b : {BTNgraba, BTNmuestra, BTNcancela})
        b->setEnabled(true);
    CBXmes->setFocus();
}

void TFRMpptoavance::BTNgrabaClick() {
    // The month and the amount are checked before anything changes.
    const ProductKey key = product();
    const auto month = monthNumber(CBXmes->currentText());
    if (!month)
        throw ConversionError(
            QStringLiteral("\"%1\" no es un mes: elija el mes de informe de la lista")
                .arg(CBXmes->currentText()));
    if (EDImonto->text().trimmed().isEmpty())
        throw ConversionError(QStringLiteral("Ingrese el monto ejecutado"));
    const Money amount = Money::parse(EDImonto->text());
    botones(false);
    ejecucion->report(key, *month, amount, today(), session().loginName());
}

void TFRMpptoavance::BTNmuestraClick() {
    botones(false);
}

void TFRMpptoavance::BTNcancelaClick() {
    botones(false);
}

void TFRMpptoavance::BTNsalirClick() {
    close();
}
