#include "frmavaunidad.h"

#include "app/application.h"
#include "core/kind.h"
#include "core/today.h"
#include "progress/frmvermas.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/schema.h"
#include "store/table.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace {

TDTM* dtm() {
    return Application::instance()->DTM();
}

// The key of a shared table's current row; empty when it has none.
QString claveActual(const Table* table, const char* field) {
    if (!table->isOpen() || table->currentRow() < 0)
        return {};
    return table->text(QString::fromLatin1(field));
}

// The report's columns; the first is titled by kind. The last two, the financial
// progress, have no data behind them.
QList<DBGrid::Column> columnas(Kind kind) {
    return {{QStringLiteral("vicmin_sigla"),
             kind == Kind::EX ? QStringLiteral("Entidad desc.") : QStringLiteral("Vicemin.")},
            {QStringLiteral("dir_sigla"), QStringLiteral("Direcc.")},
            {QStringLiteral("uni_sigla"), QStringLiteral("Unidad")},
            {QStringLiteral("proy_descorta"), QStringLiteral("Descripcion"), 320},
            {QStringLiteral("MáxDefecha_avance"), QStringLiteral("Ultimo inf.")},
            {QStringLiteral("MáxDepor_avance"), QStringLiteral("Avance ")},
            {QStringLiteral("ejemplo"), QStringLiteral("Dif (%)")},
            {QStringLiteral("fin_avance"), QStringLiteral("Avance ")},
            {QStringLiteral("fin_dif"), QStringLiteral("Dif(%)")}};
}

// The report's columns, in the order of the grouping it stands for, from the units chosen
// (`unit`: t_unidad, or the query that reads them with their direction and vice-ministry).
QString reportColumns(const char* unit) {
    const QString u = QLatin1String(unit);
    const bool tables = u == QLatin1String("t_unidad");
    return QStringLiteral("avance.cod_area, avance.id_producto, avance.gestion, avance.hito_max "
                          "AS MáxDecod_hito, avance.por_max AS MáxDepor_avance, "
                          "avance.fecha_max AS MáxDefecha_avance, t_prodaccion.proy_descorta, "
                          "%1.uni_sigla, %2.dir_sigla, %3.vicmin_sigla, %1.cod_vicemin, "
                          "%2.cod_direc, %1.cod_unidad, t_producto.pro_fecini AS pro_fecini, "
                          "t_producto.pro_fecfin AS pro_fecfin, %1.tipo")
        .arg(u, tables ? QStringLiteral("t_direccion") : u,
             tables ? QStringLiteral("t_vicemin") : u);
}

// Each unit with its direction and vice-ministry, and the levels chosen: a level at "Todos"
// ("%") is no condition at all.
const char* const organisation =
    "(t_unidad.uni_gestion = t_direccion.dir_gestion) AND (t_unidad.cod_direc = "
    "t_direccion.cod_direc) AND (t_unidad.cod_vicemin = t_direccion.cod_vicemin) AND "
    "(t_direccion.dir_gestion = t_vicemin.vicmin_gestion) AND (t_direccion.cod_vicemin = "
    "t_vicemin.cod_vicemin) AND (:vicmin = '%' or t_unidad.cod_vicemin like :vicmin) and "
    "(:dirmin = '%' or t_direccion.cod_direc like :dirmin) and (:unimin = '%' or "
    "t_unidad.cod_unidad like :unimin) and t_unidad.tipo = :tipo";

// The units chosen first, then each one's products found by key.
QString reportStatement() {
    return QStringLiteral("SELECT %1 FROM t_unidad CROSS JOIN t_direccion CROSS JOIN t_vicemin "
                          "CROSS JOIN t_avanceresumen avance CROSS JOIN t_prodaccion CROSS JOIN "
                          "t_producto WHERE %2 AND (avance.cod_area = t_unidad.cod_unidad) AND "
                          "(avance.gestion = t_unidad.uni_gestion) AND (t_prodaccion.cod_unidad "
                          "= avance.cod_area) AND (t_prodaccion.uni_gestion = avance.gestion) "
                          "AND (t_prodaccion.id_proyecto = avance.id_producto) AND "
                          "(t_producto.cod_area = avance.cod_area) AND (t_producto.pro_gestion = "
                          "avance.gestion) AND (t_producto.id_producto = avance.id_producto)")
        .arg(reportColumns("t_unidad"), QLatin1String(organisation));
}

// The same rows on PostgreSQL. The units chosen are read on their own first: the planner
// cannot tell how many rows a LIKE keeps, and would otherwise join the vice-ministries to
// every product's row at the end. Each summary row's header and product are then found by
// their keys as plain lower-case texts, through indexes the store keeps for it: citext
// lower-cases both sides of every comparison of a look-up, several times the cost.
QString reportStatementPostgres() {
    const auto same = [](const char* a, const char* b) {
        return plainKey(QString::fromLatin1(a)) + QStringLiteral(" = ") +
               plainKey(QString::fromLatin1(b));
    };
    return QStringLiteral("SELECT %1 FROM (SELECT t_unidad.uni_sigla, t_direccion.dir_sigla, "
                          "t_vicemin.vicmin_sigla, t_unidad.cod_vicemin, t_direccion.cod_direc, "
                          "t_unidad.cod_unidad, t_unidad.uni_gestion, t_unidad.tipo FROM "
                          "t_unidad CROSS JOIN t_direccion CROSS JOIN t_vicemin WHERE %2 OFFSET "
                          "0) org CROSS JOIN t_avanceresumen avance CROSS JOIN t_prodaccion "
                          "CROSS JOIN t_producto WHERE (avance.cod_area = org.cod_unidad) AND "
                          "(avance.gestion = org.uni_gestion) AND (%3) AND (%4) AND "
                          "(t_prodaccion.id_proyecto = avance.id_producto) AND (%5) AND (%6) AND "
                          "(t_producto.id_producto = avance.id_producto)")
        .arg(reportColumns("org"), QLatin1String(organisation),
             same("t_prodaccion.cod_unidad", "avance.cod_area"),
             same("t_prodaccion.uni_gestion", "avance.gestion"),
             same("t_producto.cod_area", "avance.cod_area"),
             same("t_producto.pro_gestion", "avance.gestion"));
}

} // namespace

TFRMavaunidad::TFRMavaunidad(QWidget* parent)
    : Form(QStringLiteral("FRMavaunidad"),
           QStringLiteral("Avance productos, acciones territoriales"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("10"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral(""));
    LBLtipo = parameter(QStringLiteral("LBLtipo"));
    Label2 = parameter(QStringLiteral("Label2"));

    // The report shows, for every product with a progress report, its latest report date,
    // highest goal and highest percentage, with what the grid shows of its unit. The store
    // keeps exactly that grouping of the reports, one row per product (t_avanceresumen), so
    // the statement reads a row per product instead of every report; the units chosen are
    // read first and their products found by key. Joined rows that repeat (a unit's row
    // there twice with the same texts) are listed once, as grouping them would, and rows
    // come in the order of the grouping's keys. A level left at "Todos" ("%") is no
    // condition at all rather than a LIKE that every row passes: the engines cannot tell
    // how many rows such a LIKE keeps, and a join order made for a handful of units runs
    // for long on thousands. Each level's value is therefore given twice. The expected
    // progress at the latest report ("parcial1") and the difference from it ("ejemplo") are
    // not computed by the statement: engines differ in date arithmetic and rounding, so
    // both are worked out below for each row read.
    Qavaunidad = new Query(dtm()->connection(), reportStatement(), this);
    Qavaunidad->setTextFor(Engine::PostgreSQL, reportStatementPostgres());
    Qavaunidad->setObjectName(QStringLiteral("Qavaunidad"));
    Qavaunidad->setDistinctRows(true);
    Qavaunidad->setRowOrder(
        {QStringLiteral("cod_area"), QStringLiteral("id_producto"), QStringLiteral("gestion")});
    Qavaunidad->setFieldType(QStringLiteral("MáxDefecha_avance"), ColumnType::DateTime);
    Qavaunidad->setFieldType(QStringLiteral("MáxDepor_avance"), ColumnType::Integer);
    // A product without both dates has no expected progress and no difference.
    Qavaunidad->addComputedField(
        QStringLiteral("parcial1"), ColumnType::Integer, [](const Query::RowValues& row) {
            const QDate last = row.value(QStringLiteral("MáxDefecha_avance")).toDate();
            const QDate start = row.value(QStringLiteral("pro_fecini")).toDate();
            const QDate end = row.value(QStringLiteral("pro_fecfin")).toDate();
            if (!last.isValid() || !start.isValid() || !end.isValid())
                return QVariant();
            return QVariant(expectedAtLastReport(last, start, end));
        });
    Qavaunidad->addComputedField(
        QStringLiteral("ejemplo"), ColumnType::Integer, [](const Query::RowValues& row) {
            const QVariant expected = row.value(QStringLiteral("parcial1"));
            const QVariant reported = row.value(QStringLiteral("MáxDepor_avance"));
            if (expected.isNull() || reported.isNull())
                return QVariant();
            return QVariant(reported.toLongLong() - expected.toLongLong());
        });
    // The financial progress has no data behind it: its two columns show empty.
    for (const char* name : {"fin_avance", "fin_dif"})
        Qavaunidad->addComputedField(QString::fromLatin1(name), ColumnType::Integer,
                                     [](const Query::RowValues&) { return QVariant(); });
    DSOavaunidad = new DataSource(Qavaunidad, this);
    DSOavaunidad->setObjectName(QStringLiteral("DSOavaunidad"));

    TDTM* module = dtm();
    auto lista = [this](const char* name, DataSource* source, const char* key, const char* shown) {
        auto* l = make<DBLookupComboBox>(QString::fromLatin1(name));
        l->setListSource(source, QString::fromLatin1(key), QString::fromLatin1(shown));
        l->setMinimumContentsLength(30);
        return l;
    };
    auto todos = [this](const char* name) {
        auto* c = make<QCheckBox>(QString::fromLatin1(name), QStringLiteral("Todos"));
        c->setChecked(true);
        return c;
    };
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Viceministerio"));
    DBLvicemin = lista("DBLvicemin", module->DSOvicemin, "cod_vicemin", "vicmin_nombre");
    DBLvicemin->setEnabled(false);
    CHBtodvic = todos("CHBtodvic");
    LBLdirecc = make<QLabel>(QStringLiteral("LBLdirecc"), QStringLiteral("Direccion"));
    DBLdirecc = lista("DBLdirecc", module->DSOdirecc, "cod_direc", "dir_nombre");
    DBLdirecc->setEnabled(false);
    CHBtoddir = todos("CHBtoddir");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    DBLunidad = lista("DBLunidad", module->DSOunidad, "cod_unidad", "uni_nombre");
    CHBtoduni = todos("CHBtoduni");
    Edit4 = readOnlyBox(QStringLiteral("Edit4"));
    Edit4->setAccessibleName(QStringLiteral("Unidad elegida"));
    caption(LBLvicemin, DBLvicemin);
    caption(LBLdirecc, DBLdirecc);
    caption(LBLunidad, DBLunidad);
    auto* niveles = new QGridLayout;
    int line = 0;
    for (auto [label, list, box] :
         {std::tuple<QLabel*, QWidget*, QCheckBox*>{LBLvicemin, DBLvicemin, CHBtodvic},
          {LBLdirecc, DBLdirecc, CHBtoddir},
          {LBLunidad, DBLunidad, CHBtoduni}}) {
        niveles->addWidget(label, line, 0);
        niveles->addWidget(list, line, 1);
        niveles->addWidget(box, line, 2);
        ++line;
    }
    niveles->addWidget(Edit4, line, 1);
    niveles->setColumnStretch(1, 1);
    body()->addLayout(niveles);

    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Buscar"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Salir"));
    Label5 = make<ClickLabel>(QStringLiteral("Label5"), QStringLiteral("Ver mas"));
    Label5->setCursor(Qt::PointingHandCursor);
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas"));
    Image1->setCursor(Qt::PointingHandCursor);
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Fisico"));
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Financiero"));
    BTNimprime = button(QStringLiteral("BTNimprime"), QStringLiteral("Imprimir"));
    BTNexporta = button(QStringLiteral("BTNexporta"), QStringLiteral("Exportar"));
    QHBoxLayout* arriba = row({BitBtn1, Label5, Image1, BTNimprime, BTNexporta});
    arriba->addStretch(1);
    arriba->addWidget(Label3);
    arriba->addSpacing(fontMetrics().horizontalAdvance(u'x') * 12);
    arriba->addWidget(Label4);

    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOavaunidad);
    DBGrid1->setColumns(columnas(Kind::MN));
    DBGrid1->setColouring([this](int r, const QString&) { return colourOf(r); });
    body()->addWidget(DBGrid1, 1);
    row({BitBtn2}, Qt::AlignRight);
    setOpeningSize(980, 620);

    keys(BitBtn1, BitBtn2);
    handle(BitBtn1, &QPushButton::clicked, &TFRMavaunidad::BitBtn1Click);
    handle(BitBtn2, &QPushButton::clicked, &TFRMavaunidad::BitBtn2Click);
    handle(BTNimprime, &QPushButton::clicked, &TFRMavaunidad::BTNimprimeClick);
    handle(BTNexporta, &QPushButton::clicked, &TFRMavaunidad::BTNexportaClick);
    handle(Label5, &ClickLabel::clicked, &TFRMavaunidad::Label5Click);
    handle(Image1, &ClickLabel::clicked, &TFRMavaunidad::Label5Click); // Image1Click
    handle(CHBtodvic, &QCheckBox::clicked, &TFRMavaunidad::CHBtodvicClick);
    handle(CHBtoddir, &QCheckBox::clicked, &TFRMavaunidad::CHBtoddirClick);
    handle(CHBtoduni, &QCheckBox::clicked, &TFRMavaunidad::CHBtoduniClick);
    handle(DBLvicemin, &DBLookupComboBox::picked, &TFRMavaunidad::DBLviceminClick);
    handle(DBLdirecc, &DBLookupComboBox::picked, &TFRMavaunidad::DBLdireccClick);
    handle(DBLunidad, &DBLookupComboBox::picked, &TFRMavaunidad::DBLunidadClick);
}

void TFRMavaunidad::lee_rangos() {
    m_bands = Bands::read(*dtm()->connection());
    DBGrid1->viewport()->update();
}

DBGrid::CellColours TFRMavaunidad::colourOf(int r) const {
    DBGrid::CellColours c;
    const int column = Qavaunidad->fieldIndex(QStringLiteral("ejemplo"));
    const QVariant difference = column < 0 ? QVariant() : Qavaunidad->valueAt(r, column);
    if (difference.isNull())
        return c;
    if (const std::optional<int> band = m_bands.bandOf(difference.toLongLong())) {
        const Bands::Rgb rgb = Bands::colour(*band);
        c.background = QColor(rgb.red, rgb.green, rgb.blue);
        c.text = QColor(Qt::black);
        c.bold = true;
    }
    return c;
}

void TFRMavaunidad::abre_reporte(const QString& vicmin, const QString& dirmin,
                                 const QString& unimin) {
    Qavaunidad->close();
    Qavaunidad->setParams({vicmin, vicmin, dirmin, dirmin, unimin, unimin, LBLtipo->text()});
    Qavaunidad->open();
}

void TFRMavaunidad::FormActivate() {
    lee_rangos();
    const QString any = QStringLiteral("%");
    abre_reporte(any, any, any);
    const Kind kind = LBLtipo->text() == QLatin1String("MN") ? Kind::MN : Kind::EX;
    if (kind == Kind::EX) {
        LBLvicemin->setText(QStringLiteral("Entidad desconcentrada "));
        LBLdirecc->setText(QStringLiteral("Componente "));
    } else {
        LBLvicemin->setText(QStringLiteral("Viceministerio"));
        LBLdirecc->setText(QStringLiteral("Dirección"));
    }
    LBLunidad->setText(QStringLiteral("Unidad"));
    // The report lists every year; its levels are named as in the session year.
    dtm()->showHierarchy(kindCode(kind), Application::instance()->session().year());
    DBGrid1->setColumns(columnas(kind));
    BitBtn1Click();
}

void TFRMavaunidad::BitBtn1Click() {
    lee_rangos();
    const QString any = QStringLiteral("%");
    TDTM* module = dtm();
    abre_reporte(CHBtodvic->isChecked() ? any : claveActual(module->ADOTvicemin, "cod_vicemin"),
                 CHBtoddir->isChecked() ? any : claveActual(module->ADOTdirecc, "cod_direc"),
                 CHBtoduni->isChecked() ? any : claveActual(module->ADOTunidad, "cod_unidad"));
    m_elegidos.clear();
    for (auto [label, todos, table, field] :
         {std::tuple{LBLvicemin, CHBtodvic, module->ADOTvicemin, "vicmin_nombre"},
          {LBLdirecc, CHBtoddir, module->ADOTdirecc, "dir_nombre"},
          {LBLunidad, CHBtoduni, module->ADOTunidad, "uni_nombre"}})
        m_elegidos.append(QStringLiteral("%1: %2").arg(
            label->text().trimmed(),
            todos->isChecked() ? QStringLiteral("Todos") : claveActual(table, field)));
}

Sheet TFRMavaunidad::hoja() const {
    // The financial columns have no data behind them: they are left out.
    QStringList fields;
    for (const DBGrid::Column& c : DBGrid1->columns())
        if (!c.field.startsWith(QLatin1String("fin_")))
            fields.append(c.field);
    Sheet sheet = Sheet::ofGrid(*DBGrid1, fields);
    sheet.title = Label1->text();
    sheet.heading = m_elegidos;
    sheet.heading += Sheet::madeBy(Application::instance()->session().loginName(), today());
    return sheet;
}

void TFRMavaunidad::BTNimprimeClick() {
    printSheet(hoja());
}

void TFRMavaunidad::BTNexportaClick() {
    exportSheet(hoja(), QStringLiteral("avance-%1-%2")
                            .arg(LBLtipo->text(), today().toString(QStringLiteral("yyyy-MM-dd"))));
}

void TFRMavaunidad::BitBtn2Click() {
    close();
}

void TFRMavaunidad::Label5Click() {
    if (!Qavaunidad->isOpen() || Qavaunidad->currentRow() < 0)
        return;
    TFRMvermas* w = Application::instance()->FRMvermas();
    w->LBLcodigo->setText(Qavaunidad->text(QStringLiteral("cod_area")));
    w->LBLprod->setText(Qavaunidad->text(QStringLiteral("id_producto")));
    open(w);
}

void TFRMavaunidad::CHBtodvicClick() {
    DBLvicemin->setEnabled(!CHBtodvic->isChecked());
}

void TFRMavaunidad::CHBtoddirClick() {
    DBLdirecc->setEnabled(!CHBtoddir->isChecked());
}

void TFRMavaunidad::CHBtoduniClick() {
    DBLunidad->setEnabled(!CHBtoduni->isChecked());
}

void TFRMavaunidad::DBLviceminClick() {
    CHBtodvic->setChecked(false);
    lee_rangos();
}

void TFRMavaunidad::DBLdireccClick() {
    lee_rangos();
}

void TFRMavaunidad::DBLunidadClick() {
    lee_rangos();
    const Table* unidad = dtm()->ADOTunidad;
    Edit4->setText(claveActual(unidad, "uni_nombre"));
    Label2->setText(claveActual(unidad, "cod_unidad"));
}
