#include "frmfinanciero.h"

#include "app/application.h"
#include "budgetmath.h"
#include "core/error.h"
#include "core/kind.h"
#include "core/today.h"
#include "core/wholenumber.h"
#include "programming.h"
#include "store/table.h"
#include "store/tdtm.h"
#include "ui/keyfilter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTableWidget>
#include <limits>

namespace {

const Session& session() {
    return Application::instance()->session();
}

// The funding sources the list offers; each entry ends with a tab, as it always has.
const char* const fuentes[] = {
    "ACDI - Agencia Canadiense de Desarrollo Internacional",
    "AECID - Agencia Española de Cooperación Internacional para el Desarrollo",
    "COSUDE - Agencia Suiza para el Desarrollo y la Cooperación",
    "BM - Banco Mundial",
    "DANIDA - Agencia Danesa de Cooperación Internacional",
    "JICA - Agencia de Cooperación Internacional del Japón",
    "ASDI - Agencia Sueca de Cooperación Internacional para el Desarrollo",
    "DFID - Departamento para el Desarrollo Internacional del Reino Unido",
    "UNFPA - Fondo de Población de las Naciones Unidas",
    "GTZ - Cooperación Técnica Alemana",
    "UNICEF - Fondo de las Naciones Unidas para la Infancia",
    "PADEP - Programa de Apoyo a la Gestión Pública Descentralizada y Lucha contra la Pobreza",
    "PROFIN - Fundación para el Desarrollo Productivo y Financiero",
    "PMA - Programa Mundial de Alimentos",
    "USAID - Bolivia",
    "USAID - Desarrollo Alternativo",
    "USAID - Salud",
    "USAID - Democracia",
    "USAID - Medio Ambiente",
    "USAID - Oportunidades Económicas",
};

// An amount box read as money; a text that is none names its box.
Money monto(const QLineEdit* box) {
    if (const auto m = Money::tryParse(box->text()))
        return *m;
    throw ConversionError(
        QStringLiteral("%1: \"%2\" no es un monto válido").arg(box->accessibleName(), box->text()));
}

// A percentage box read as a whole number within [min, max]; a text that is none names its
// box.
qint64 porcentaje(const QLineEdit* box, qint64 min = std::numeric_limits<qint64>::min(),
                  qint64 max = std::numeric_limits<qint64>::max()) {
    return readPercentage(box->text(), box->accessibleName(), min, max);
}

} // namespace

TFRMfinanciero::TFRMfinanciero(QWidget* parent)
    : Form(QStringLiteral("FRMfinanciero"), QStringLiteral("Montos presupuestados"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("21"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Montos presupuestados"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    presupuesto = new BudgetProgramming(Application::instance()->DTM()->connection(), this);
    presupuesto->setObjectName(QStringLiteral("presupuesto"));
    // Messages do not show the stored version again over what is being typed.
    setReactivation(false, true);

    // The product; the captions follow the kind on activation.
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Viceministerio"));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdirecc = make<QLabel>(QStringLiteral("LBLdirecc"), QStringLiteral("Dirección"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLproyecto = make<QLabel>(QStringLiteral("LBLproyecto"), QStringLiteral("Producto"));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    LBLresultado = make<QLabel>(QStringLiteral("LBLresultado"), QStringLiteral("Indicadores"));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"), 2);
    body()->addLayout(fields({{LBLvicemin, EDIvicemin},
                              {LBLdirecc, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {LBLproyecto, EDIproyecto},
                              {LBLresultado, MEMresultado}}));

    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000000000,0000"));
    const int percentWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000"));
    auto box = [&](const QString& name, bool readOnly, int width) {
        auto* b = readOnly ? readOnlyBox(name) : make<QLineEdit>(name);
        b->setText(QStringLiteral("0"));
        b->setAlignment(Qt::AlignRight);
        b->setMaximumWidth(width);
        return b;
    };
    auto columnTitle = [this](const char* name, const QString& text) {
        auto* l = make<QLabel>(QString::fromLatin1(name), text);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };

    // The months, each with its amount and its share of the total.
    GRBflujo = make<QGroupBox>(QStringLiteral("GRBflujo"), QStringLiteral("Flujo de fondos"));
    auto* flujo = new QGridLayout(GRBflujo);
    flujo->setVerticalSpacing(2);
    flujo->addWidget(columnTitle("LBLmes", QStringLiteral("Mes")), 0, 0);
    flujo->addWidget(columnTitle("LBLmontobs", QStringLiteral("Monto Bs.")), 0, 1);
    flujo->addWidget(columnTitle("LBLpor", QStringLiteral("%")), 0, 2);
    const char* const monthBoxes[] = {"EDIene", "EDIfeb", "EDImar", "EDIabr", "EDImay", "EDIjun",
                                      "EDIjul", "EDIago", "EDIsep", "EDIoct", "EDInov", "EDIdic"};
    std::array<QLineEdit**, 12> monthMembers{&EDIene, &EDIfeb, &EDImar, &EDIabr, &EDImay, &EDIjun,
                                             &EDIjul, &EDIago, &EDIsep, &EDIoct, &EDInov, &EDIdic};
    for (int i = 0; i < monthCount; ++i) {
        const QString month = monthNames().at(i);
        auto* label = make<QLabel>(QStringLiteral("LBLmes%1").arg(i + 1), month);
        QLineEdit* amount = box(QString::fromLatin1(monthBoxes[i]), false, numberWidth);
        setKeyFilter(amount, KeyFilter::amount, -1, KeyFilter::OtherKeys::DeleteBefore);
        caption(label, amount);
        *monthMembers[i] = amount;
        EDIpor[i] = box(QStringLiteral("EDIpor%1").arg(i + 1), true, percentWidth);
        EDIpor[i]->setAccessibleName(month + QStringLiteral(" %"));
        flujo->addWidget(label, i + 1, 0);
        flujo->addWidget(amount, i + 1, 1);
        flujo->addWidget(EDIpor[i], i + 1, 2);
    }
    auto* LBLtotalmes = columnTitle("LBLtotalmes", QStringLiteral("Total"));
    EDImonto = box(QStringLiteral("EDImonto"), false, numberWidth);
    caption(LBLtotalmes, EDImonto);
    EDIportotal = box(QStringLiteral("EDIportotal"), true, percentWidth);
    EDIportotal->setAccessibleName(QStringLiteral("Total %"));
    flujo->addWidget(LBLtotalmes, monthCount + 1, 0);
    flujo->addWidget(EDImonto, monthCount + 1, 1);
    flujo->addWidget(EDIportotal, monthCount + 1, 2);
    flujo->setRowStretch(monthCount + 2, 1);

    // The total and what of it the months leave unprogrammed.
    auto* LBLmontotot = make<QLabel>(QStringLiteral("LBLmontotot"),
                                     QStringLiteral("Total monto presupuestado (Bs.)"));
    EDImontotot = box(QStringLiteral("EDImontotot"), false, numberWidth);
    setKeyFilter(EDImontotot, KeyFilter::amount, -1, KeyFilter::OtherKeys::DeleteBefore);
    auto* LBLdif = make<QLabel>(QStringLiteral("LBLdif"), QStringLiteral("Diferencia (Bs.)"));
    EDIdif = box(QStringLiteral("EDIdif"), true, numberWidth);
    QFormLayout* totales = fields({{LBLmontotot, EDImontotot}, {LBLdif, EDIdif}});

    // The split of the total by type of support.
    GRBdistribucion = make<QGroupBox>(QStringLiteral("GRBdistribucion"),
                                      QStringLiteral("Distribución según tipo de apoyo"));
    auto* distribucion = new QGridLayout(GRBdistribucion);
    distribucion->addWidget(columnTitle("LBLpordis", QStringLiteral("%")), 0, 1);
    distribucion->addWidget(columnTitle("LBLbsdis", QStringLiteral("Bs.")), 0, 2);
    EDIporinv = box(QStringLiteral("EDIporinv"), false, percentWidth);
    EDIbsinv = box(QStringLiteral("EDIbsinv"), true, numberWidth);
    EDIporat = box(QStringLiteral("EDIporat"), false, percentWidth);
    EDIbsat = box(QStringLiteral("EDIbsat"), true, numberWidth);
    EDIportot = box(QStringLiteral("EDIportot"), true, percentWidth);
    EDItotbs = box(QStringLiteral("EDItotbs"), true, numberWidth);
    const QList<std::tuple<const char*, QString, QLineEdit*, QLineEdit*>> splitRows{
        {"LBLinfra", QStringLiteral("Infraestructura"), EDIporinv, EDIbsinv},
        {"LBLasistencia", QStringLiteral("Asistencia Tecnica"), EDIporat, EDIbsat},
        {"LBLtotaldis", QStringLiteral("Total"), EDIportot, EDItotbs}};
    int r = 1;
    for (const auto& [name, text, percentage, amount] : splitRows) {
        auto* label = make<QLabel>(QString::fromLatin1(name), text);
        caption(label, percentage);
        percentage->setAccessibleName(text + QStringLiteral(" %"));
        amount->setAccessibleName(text + QStringLiteral(" Bs."));
        distribucion->addWidget(label, r, 0);
        distribucion->addWidget(percentage, r, 1);
        distribucion->addWidget(amount, r, 2);
        ++r;
    }

    // Funding sources: a list, two boxes and a grid that nothing reads or fills.
    GRBfuente =
        make<QGroupBox>(QStringLiteral("GRBfuente"), QStringLiteral("Fuente de financiamiento"));
    auto* fuente = new QGridLayout(GRBfuente);
    CBXfuente = make<QComboBox>(QStringLiteral("CBXfuente"));
    for (const char* f : fuentes)
        CBXfuente->addItem(QString::fromUtf8(f) + u'\t');
    CBXfuente->setMinimumContentsLength(24);
    CBXfuente->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    EDIfuentemonto = make<QLineEdit>(QStringLiteral("EDIfuentemonto"));
    EDIfuentepor = make<QLineEdit>(QStringLiteral("EDIfuentepor"));
    EDIfuentemonto->setMaximumWidth(numberWidth);
    EDIfuentepor->setMaximumWidth(percentWidth);
    STGfuente = make<QTableWidget>(QStringLiteral("STGfuente"), 4, 3);
    STGfuente->setHorizontalHeaderLabels({QStringLiteral("Entidad"), QStringLiteral("Monto (Bs)"),
                                          QStringLiteral("Porcentaje (%)")});
    STGfuente->verticalHeader()->setVisible(false);
    STGfuente->setAccessibleName(GRBfuente->title());
    STGfuente->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    STGfuente->setMaximumHeight(STGfuente->horizontalHeader()->sizeHint().height() +
                                4 * STGfuente->verticalHeader()->defaultSectionSize() + 4);
    fuente->addWidget(CBXfuente, 0, 0);
    fuente->addWidget(EDIfuentemonto, 0, 1);
    fuente->addWidget(EDIfuentepor, 0, 2);
    fuente->addWidget(STGfuente, 1, 0, 1, 3);

    auto* right = new QVBoxLayout;
    right->addLayout(totales);
    right->addWidget(GRBdistribucion);
    right->addWidget(GRBfuente);
    right->addStretch(1);
    auto* figures = new QHBoxLayout;
    figures->addWidget(GRBflujo);
    figures->addLayout(right, 1);
    body()->addLayout(figures, 1);

    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar"));
    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Mostrar"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("Cancelar"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Modificar"));
    BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("Salir"));
    row({BTNagrega, BTNgraba, BitBtn1, BTNcancela, BitBtn2})->addWidget(BitBtn4);
    setOpeningSize(960, 740);

    for (QLineEdit* m : meses())
        handle(m, &QLineEdit::textChanged, &TFRMfinanciero::EDImesChange);
    for (QLineEdit* p : EDIpor)
        handle(p, &QLineEdit::textChanged, &TFRMfinanciero::EDIporChange);
    keys(nullptr, BitBtn4);
    handleLeave(EDIporinv, &TFRMfinanciero::EDIporinvExit);
    handleLeave(EDIporat, &TFRMfinanciero::EDIporatExit);
    handle(BTNagrega, &QPushButton::clicked, &TFRMfinanciero::BTNagregaClick);
    handle(BTNgraba, &QPushButton::clicked, &TFRMfinanciero::BTNgrabaClick);
    handle(BitBtn1, &QPushButton::clicked, &TFRMfinanciero::BitBtn1Click);
    handle(BTNcancela, &QPushButton::clicked, &TFRMfinanciero::BTNcancelaClick);
    handle(BitBtn4, &QPushButton::clicked, &TFRMfinanciero::BitBtn4Click);
    // "Modificar" does nothing.
}

std::array<QLineEdit*, 12> TFRMfinanciero::meses() const {
    return {EDIene, EDIfeb, EDImar, EDIabr, EDImay, EDIjun,
            EDIjul, EDIago, EDIsep, EDIoct, EDInov, EDIdic};
}

ProductKey TFRMfinanciero::product() const {
    return {LBLcodigo->text(), parseWhole(LBLprod->text()), session().year()};
}

void TFRMfinanciero::FormActivate() {
    const bool ex = session().accountKind() == QLatin1String("EX");
    const KindCaptions captions = kindCaptions(ex ? Kind::EX : Kind::MN);
    LBLvicemin->setText(captions.level1);
    LBLdirecc->setText(captions.level2);
    LBLunidad->setText(captions.level3);
    LBLproyecto->setText(captions.item);
    LBLresultado->setText(QStringLiteral("Indicadores"));
    for (QLabel* l : {LBLvicemin, LBLdirecc, LBLunidad, LBLproyecto, LBLresultado})
        caption(l, l->buddy());
    // An entity's user starts every use at "Agregar", whatever the last use left: one who
    // pressed it and left without saving is never left with neither button.
    if (ex) {
        BTNgraba->setEnabled(false);
        BTNagrega->setEnabled(true);
    }
    muestra();
}

Money TFRMfinanciero::sumaMeses() const {
    MonthAmounts amounts;
    const auto boxes = meses();
    for (int i = 0; i < monthCount; ++i)
        amounts[i] = monto(boxes[i]);
    return sum(amounts);
}

void TFRMfinanciero::muestra() {
    const ProductKey key = product();
    const BudgetProgramming::Flow flow = presupuesto->currentFlow(key);
    const BudgetProgramming::Distribution distribution = presupuesto->currentDistribution(key);
    {
        // Shown as stored: the months' percentages are not worked out again from the
        // amounts, and no message interrupts the showing.
        QScopedValueRollback<bool> cargando(m_cargando, true);
        const auto boxes = meses();
        for (int i = 0; i < monthCount; ++i) {
            boxes[i]->setText(flow.amounts[i].toString());
            EDIpor[i]->setText(QString::number(flow.percentages[i]));
        }
    }
    EDImonto->setText(sum(flow.amounts).toString());
    EDIportotal->setText(QString::number(percentageTotal(flow.percentages)));
    const Money split = distribution.infrastructure + distribution.technicalAssistance;
    EDItotbs->setText(split.toString());
    EDImontotot->setText(distribution.total.toString());
    EDIdif->setText((split - distribution.total).toString());
    // The split this version holds, so that a save without a new split keeps it; zeros
    // where it holds none.
    const auto percentages =
        splitPercentages(distribution.infrastructure, distribution.technicalAssistance);
    EDIporinv->setText(QString::number(percentages ? percentages->share : 0));
    EDIbsinv->setText(distribution.infrastructure.toString());
    EDIporat->setText(QString::number(percentages ? percentages->other : 0));
    EDIbsat->setText(distribution.technicalAssistance.toString());
    EDIportot->setText(percentages ? QStringLiteral("100") : QStringLiteral("0"));
}

void TFRMfinanciero::EDImesChange() {
    if (m_cargando)
        return;
    for (QLineEdit* m : meses())
        if (m->text().isEmpty()) {
            m->setText(QStringLiteral("0")); // which runs the rule again
            return;
        }
    const Money total = monto(EDImontotot);
    MonthAmounts amounts;
    const auto boxes = meses();
    for (int i = 0; i < monthCount; ++i)
        amounts[i] = monto(boxes[i]);
    const MonthFigures figures = monthRule(amounts, total);
    EDImonto->setText(figures.sum.toString());
    if (figures.percentages)
        for (int i = 0; i < monthCount; ++i)
            EDIpor[i]->setText(QString::number((*figures.percentages)[i]));
    EDIdif->setText(figures.difference.toString());
    if (total.isZero()) {
        EDImontotot->setFocus();
        inform(QStringLiteral("Instroduzca Monto total presupuestado !!!"));
    }
}

void TFRMfinanciero::EDIporChange() {
    if (m_cargando)
        return;
    MonthPercentages percentages;
    for (int i = 0; i < monthCount; ++i)
        percentages[i] = porcentaje(EDIpor[i]);
    const qint64 total = percentageTotal(percentages);
    EDIportotal->setText(QString::number(total));
    EDImonto->setText(sumaMeses().toString());
    if (exceedsWhole(total))
        inform(QStringLiteral("El valor no puede exeder los 100"));
}

void TFRMfinanciero::reparte(QLineEdit* percentage, QLineEdit* amount, QLineEdit* otherPercentage,
                             QLineEdit* otherAmount) {
    const Money total = monto(EDImontotot);
    const auto split = splitBySupport(porcentaje(percentage), total);
    if (!split) {
        for (QLineEdit* b : {EDIbsinv, EDIporat, EDIbsat, EDItotbs, EDIportot})
            b->setText(QStringLiteral("0"));
        EDIporinv->setFocus();
        inform(QStringLiteral("El porcentaje mo debe exceder a 100%"));
        return;
    }
    amount->setText(split->share.toString());
    otherPercentage->setText(QString::number(split->otherPercentage));
    otherAmount->setText(split->other.toString());
    EDItotbs->setText(EDImontotot->text());
    EDIportot->setText(QStringLiteral("100"));
}

void TFRMfinanciero::EDIporinvExit() {
    reparte(EDIporinv, EDIbsinv, EDIporat, EDIbsat);
}

void TFRMfinanciero::EDIporatExit() {
    reparte(EDIporat, EDIbsat, EDIporinv, EDIbsinv);
}

void TFRMfinanciero::BTNagregaClick() {
    EDIene->setFocus();
    BTNgraba->setEnabled(true);
    BTNagrega->setEnabled(false);
}

void TFRMfinanciero::BTNgrabaClick() {
    // Every box is read before anything is written: a box that cannot be read stops the
    // save with the stored versions as they were.
    const ProductKey key = product();
    BudgetProgramming::Flow flow;
    const auto boxes = meses();
    for (int i = 0; i < monthCount; ++i) {
        flow.amounts[i] = monto(boxes[i]);
        // A whole percent as an integer column holds it.
        flow.percentages[i] = porcentaje(EDIpor[i], std::numeric_limits<qint32>::min(),
                                         std::numeric_limits<qint32>::max());
    }
    const BudgetProgramming::Distribution distribution{monto(EDIbsinv), monto(EDIbsat),
                                                       monto(EDImontotot)};
    presupuesto->save(key, flow, distribution, today());
    BTNagrega->setEnabled(true);
    BTNgraba->setEnabled(false);
    inform(QStringLiteral("Registros grabados"));
}

void TFRMfinanciero::BitBtn1Click() {
    muestra();
}

void TFRMfinanciero::BTNcancelaClick() {
    // Pending edits of the data module's amount tables are dropped; this window edits none.
    TDTM* d = Application::instance()->DTM();
    d->tmonto->cancel();
    d->tmontopre->cancel();
}

void TFRMfinanciero::BitBtn4Click() {
    close();
}
