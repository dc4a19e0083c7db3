#include "frmavance.h"

#include "app/application.h"
#include "core/datetext.h"
#include "core/kind.h"
#include "core/today.h"
#include "core/wholenumber.h"
#include "frmhistorial.h"
#include "plan/frmverproducto.h"
#include "progress.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"
#include "ui/focushighlight.h"
#include "ui/keyfilter.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>

namespace {

const Session& session() {
    return Application::instance()->session();
}

TDTM* dtm() {
    return Application::instance()->DTM();
}

} // namespace

TFRMavance::TFRMavance(QWidget* parent)
    : Form(QStringLiteral("FRMavance"), QStringLiteral("Informe avance mensual"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Informe de avance mensual"));
    LBLfecha = make<QLabel>(QStringLiteral("LBLfecha"));
    row({LBLfecha}, Qt::AlignRight);
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    LBLindica = parameter(QStringLiteral("LBLindica"), QStringLiteral("0"));

    Connection* conn = dtm()->connection();
    auto query = [this, conn](const char* name, const char* sql) {
        return Query::make(conn, name, sql, this);
    };
    ADOQaccion = query("ADOQaccion", "select * from t_prodaccion where cod_unidad = :uni and "
                                     "uni_gestion = :gestion and proy_ok = 'S'");
    ADOQproducto = query("ADOQproducto", "select * from t_producto where cod_area = :area and "
                                         "id_producto = :prod and pro_gestion = :ges");
    ADOQhito = query("ADOQhito", "select * from t_hito where cod_area = :area and id_producto = "
                                 ":prod and gestion = :ges order by cod_hito asc");
    Qmuestrameta = query("Qmuestrameta", "select * from t_avancepor where cod_area = :area and "
                                         "id_producto = :prod and gestion = :gestion");
    // The last row is the latest report: the highest goal, then its highest number.
    Qmuestrameta->setRowOrder({QStringLiteral("cod_hito"), QStringLiteral("correla")});
    avances = new ProgressReports(conn, this);
    avances->setObjectName(QStringLiteral("avances"));
    auto source = [this](const char* name, Dataset* d) {
        auto* s = new DataSource(d, this);
        s->setObjectName(QString::fromLatin1(name));
        return s;
    };
    DSOaccion = source("DSOaccion", ADOQaccion);
    DSOproducto = source("DSOproducto", ADOQproducto);
    DSOhito = source("DSOhito", ADOQhito);

    // The unit: lookup lists for a type 1 user, the own unit's names for the others.
    auto lookup = [this](const char* name, DataSource* s, const char* key, const char* shown) {
        auto* list = make<DBLookupComboBox>(QString::fromLatin1(name));
        list->setListSource(s, QString::fromLatin1(key), QString::fromLatin1(shown));
        return list;
    };
    auto shownName = [this](const char* name, const char* field) {
        auto* box = make<DBEdit>(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setDataSource(dtm()->DSOqunidad, QString::fromLatin1(field));
        return box;
    };
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Viceministerio"));
    DBLvicemin = lookup("DBLvicemin", dtm()->DSOvicemin, "cod_vicemin", "vicmin_nombre");
    DBEdit5 = shownName("DBEdit5", "vicmin_nombre");
    Label9 = make<QLabel>(QStringLiteral("Label9"), QStringLiteral("Dirección"));
    DBLdirecc = lookup("DBLdirecc", dtm()->DSOdirecc, "cod_direc", "dir_nombre");
    DBEdit6 = shownName("DBEdit6", "dir_nombre");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    DBLunidad = lookup("DBLunidad", dtm()->DSOunidad, "cod_unidad", "uni_nombre");
    DBEdit7 = shownName("DBEdit7", "uni_nombre");
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLprograma = make<QLabel>(QStringLiteral("LBLprograma"), QStringLiteral("U. Ejecutora"));
    EDIprograma = readOnlyBox(QStringLiteral("EDIprograma"));
    LBLproducto = make<QLabel>(QStringLiteral("LBLproducto"), QStringLiteral("Producto"));
    DBLproducto = lookup("DBLproducto", DSOaccion, "id_proyecto", "proy_descorta");
    Label12 = make<QLabel>(QStringLiteral("Label12"), QStringLiteral("Indicadores"));
    DBMemo1 = make<DBMemo>(QStringLiteral("DBMemo1"));
    DBMemo1->setReadOnly(true);
    DBMemo1->setDataSource(DSOaccion, QStringLiteral("proy_resultado"));
    DBMemo1->setMaximumHeight(fontMetrics().lineSpacing() * 3 + 12);
    // Each level shows its list or its name box, whichever the user type uses.
    auto line = [](const QList<QWidget*>& boxes) {
        auto* l = new QHBoxLayout;
        for (QWidget* b : boxes)
            l->addWidget(b, 1);
        return l;
    };
    auto* unit = new QFormLayout;
    for (const auto& [label, boxes] :
         {std::pair<QLabel*, QList<QWidget*>>{LBLvicemin, {DBLvicemin, DBEdit5}},
          {Label9, {DBLdirecc, DBEdit6}},
          {LBLunidad, {DBLunidad, DBEdit7, EDIunidad}}}) {
        caption(label, boxes);
        unit->addRow(label, line(boxes));
    }
    for (const auto& [label, box] : {std::pair<QLabel*, QWidget*>{LBLprograma, EDIprograma},
                                     {LBLproducto, DBLproducto},
                                     {Label12, DBMemo1}}) {
        caption(label, box);
        unit->addRow(label, box);
    }
    body()->addLayout(unit);
    Label34 = make<ClickLabel>(QStringLiteral("Label34"), QStringLiteral("Ver mas "));
    Label34->setTextColour(QColor(0, 82, 164));
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas "));
    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Fecha de inicio"));
    DBEdit1 = make<DBEdit>(QStringLiteral("DBEdit1"));
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Fecha de conclusión"));
    DBEdit2 = make<DBEdit>(QStringLiteral("DBEdit2"));
    for (DBEdit* box : {DBEdit1, DBEdit2})
        box->setReadOnly(true);
    DBEdit1->setDataSource(DSOproducto, QStringLiteral("pro_fecini"));
    DBEdit2->setDataSource(DSOproducto, QStringLiteral("pro_fecfin"));
    caption(Label1, DBEdit1);
    caption(Label2, DBEdit2);
    row({Label1, DBEdit1, Label2, DBEdit2, Label34, Image1});

    // The goals.
    LBLnommet =
        make<QLabel>(QStringLiteral("LBLnommet"), QStringLiteral("Metas intermedias del producto"));
    body()->addWidget(LBLnommet);
    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOhito);
    DBGrid1->setColumns({{QStringLiteral("cod_hito"), QStringLiteral("No.")},
                         {QStringLiteral("hito_descr"), QStringLiteral("Meta"), 300},
                         {QStringLiteral("hito_fecini"), QStringLiteral("Fecha inicio")},
                         {QStringLiteral("hito_fecfin"), QStringLiteral("Fecha final")},
                         {QStringLiteral("hito_porpro"), QStringLiteral("Acum.(%)")}});
    // A closed goal is light orange, in bold.
    DBGrid1->setColouring([this](int row, const QString&) {
        DBGrid::CellColours colours;
        const int column = ADOQhito->fieldIndex(QStringLiteral("ava_registro"));
        if (column >= 0 && ADOQhito->valueAt(row, column).toString() == QLatin1String("S")) {
            colours.background = QColor(255, 221, 187);
            colours.text = Qt::black;
            colours.bold = true;
        }
        return colours;
    });
    body()->addWidget(DBGrid1, 1);

    // The last report, the expected progress and the new report.
    auto number = [this](const char* name, const QString& text) {
        auto* box = readOnlyBox(QString::fromLatin1(name));
        box->setText(text);
        box->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
        box->setAlignment(Qt::AlignRight);
        return box;
    };
    Edit3 = readOnlyBox(QStringLiteral("Edit3"));
    Edit3->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/mmm/00000")));
    EDImaxinf = number("EDImaxinf", QStringLiteral("0"));
    EDIavaesp = number("EDIavaesp", QStringLiteral("0"));
    EDIdif = number("EDIdif", QString());
    EDIavance = make<QLineEdit>(QStringLiteral("EDIavance"), QStringLiteral("0"));
    EDIavance->setMaximumWidth(EDImaxinf->maximumWidth());
    EDIavance->setAlignment(Qt::AlignRight);
    setKeyFilter(EDIavance, KeyFilter::digits, 9);
    auto* figures = new QGridLayout;
    int column = 0;
    for (const auto& [name, text, box] : {std::tuple<const char*, const char*, QLineEdit*>{
                                              "Label3", "Fecha de ultimo informe", Edit3},
                                          {"Label4", "Avance ultimo informe", EDImaxinf},
                                          {"Label5", "Avance  esperado a la fecha", EDIavaesp},
                                          {"Label6", "Diferencia", EDIdif},
                                          {"Label7", "Avance actual", EDIavance}}) {
        auto* label = make<QLabel>(QString::fromLatin1(name), QString::fromUtf8(text));
        caption(label, box);
        figures->addWidget(label, 0, column);
        if (box == Edit3) {
            figures->addWidget(box, 1, column);
        } else {
            // Percentages: "%" right of the box.
            auto* percent = new QHBoxLayout;
            percent->addWidget(box);
            percent->addWidget(make<QLabel>(QStringLiteral("LBLpor") + box->objectName().mid(3),
                                            QStringLiteral("%")));
            percent->addStretch(1);
            figures->addLayout(percent, 1, column);
        }
        ++column;
    }
    figures->setColumnStretch(column, 1);
    body()->addLayout(figures);
    auto memo = [this](const char* name) {
        auto* m = make<QPlainTextEdit>(QString::fromLatin1(name));
        m->setMaximumHeight(fontMetrics().lineSpacing() * 4 + 12);
        return m;
    };
    MEMavance = memo("MEMavance");
    MEMaclara = memo("MEMaclara");
    Memo3 = memo("Memo3");
    Memo5 = memo("Memo5");
    Memo6 = memo("Memo6");
    Memo7 = memo("Memo7");
    for (QPlainTextEdit* m : {MEMavance, MEMaclara})
        m->setReadOnly(true);
    auto* texts = new QGridLayout;
    const std::initializer_list<std::tuple<const char*, const char*, QPlainTextEdit*>> written{
        {"Label8", "Descripción del avance", MEMavance},
        {"Label10", "Aclaracion", MEMaclara},
        {"Label11", "Responsable superior", Memo3}};
    column = 0;
    for (const auto& [name, text, box] : written) {
        auto* label = make<QLabel>(QString::fromLatin1(name), QString::fromUtf8(text));
        caption(label, box);
        texts->addWidget(label, 0, column);
        texts->addWidget(box, 1, column);
        ++column;
    }
    BTNdir = button(QStringLiteral("BTNdir"), QStringLiteral("Comentario Director(a) General"));
    BTNvic = button(QStringLiteral("BTNvic"), QStringLiteral("Comentario  Viceministro (a)"));
    BTNmin = button(QStringLiteral("BTNmin"), QStringLiteral("Comentario  Ministro (a)"));
    column = 0;
    for (const auto& [memoBox, commentButton] :
         {std::pair<QPlainTextEdit*, QPushButton*>{Memo5, BTNdir},
          {Memo6, BTNvic},
          {Memo7, BTNmin}}) {
        // Comments of the superiors: not recorded by this system.
        memoBox->setEnabled(false);
        commentButton->setEnabled(false);
        texts->addWidget(memoBox, 2, column);
        texts->addWidget(commentButton, 3, column);
        ++column;
    }
    Memo3->setEnabled(false);
    body()->addLayout(texts);

    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar avance"));
    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Cancelar"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Historial"));
    BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("Salir"));
    BTNantes = button(QStringLiteral("BTNantes"), QStringLiteral("Ver anterior"));
    BTNsig = button(QStringLiteral("BTNsig"), QStringLiteral("Ver siguiente"));
    BTNantes->setVisible(false);
    BTNsig->setVisible(false);
    auto* buttons = row({BTNagrega, BTNgraba, BitBtn1, BitBtn3});
    buttons->addWidget(BitBtn4);
    setOpeningSize(980, 860);
    // The history and the text viewer activate the window again on closing; its own
    // messages do not, so that a report being typed survives them.
    setReactivation(false, true);

    keys(nullptr, BitBtn4);
    handle(DBLunidad, &DBLookupComboBox::picked, &TFRMavance::DBLunidadClick);
    handle(DBLproducto, &DBLookupComboBox::picked, &TFRMavance::DBLproductoClick);
    handleLeave(DBLproducto, &TFRMavance::DBLproductoExit);
    handle(DBGrid1, &QTableView::clicked, &TFRMavance::DBGrid1CellClick);
    handle(DBGrid1, &DBGrid::keyDown, &TFRMavance::DBGrid1CellClick);
    handle(DBGrid1, &DBGrid::keyUp, &TFRMavance::DBGrid1CellClick);
    handle(BTNagrega, &QPushButton::clicked, &TFRMavance::BTNagregaClick);
    handleLeave(EDIavance, &TFRMavance::EDIavanceExit);
    handle(BTNgraba, &QPushButton::clicked, &TFRMavance::BTNgrabaClick);
    handle(BitBtn1, &QPushButton::clicked, &TFRMavance::BitBtn1Click);
    handle(BitBtn3, &QPushButton::clicked, &TFRMavance::BitBtn3Click);
    handle(Label34, &ClickLabel::clicked, &TFRMavance::Label34Click);
    handle(Image1, &ClickLabel::clicked, &TFRMavance::Label34Click);
    handle(BitBtn4, &QPushButton::clicked, &TFRMavance::BitBtn4Click);
    for (QLineEdit* box : {EDIavance, EDImaxinf, EDIavaesp})
        handle(box, &QLineEdit::textChanged, &TFRMavance::EDIavanceChange);
    handle(EDIdif, &QLineEdit::textChanged, &TFRMavance::EDIdifChange);
}

ProductKey TFRMavance::product() const {
    return {LBLcodigo->text(), parseWhole(LBLprod->text()), session().year()};
}

void TFRMavance::FormActivate() {
    LBLfecha->setText(QStringLiteral("Fecha actual: ") +
                      QLocale().toString(today(), QLocale::ShortFormat));
    const bool ex = session().kind() == QLatin1String("EX");
    LBLprograma->setVisible(ex);
    EDIprograma->setVisible(ex);
    LBLvicemin->setText(ex ? QStringLiteral("Entidad Desconcentrada")
                           : QStringLiteral("Viceministerio"));
    Label9->setText(ex ? QStringLiteral("Componente") : QStringLiteral("Dirección"));
    LBLunidad->setText(QStringLiteral("Unidad"));
    LBLproducto->setText(ex ? QStringLiteral("Acción territorial") : QStringLiteral("Producto"));
    LBLnommet->setText(ex ? QStringLiteral("Metas intermedias de la acción territorial")
                          : QStringLiteral("Metas intermedias del producto"));

    TDTM* d = dtm();
    for (Table* t : {d->ADOTvicemin, d->ADOTdirecc, d->ADOTunidad})
        if (!t->isOpen())
            t->open();
    d->showHierarchy(kindCode(ex ? Kind::EX : Kind::MN), session().year());

    LBLindica->setText(QStringLiteral("0"));
    readOnlyEntry(true);

    const bool chooses = session().userType() == 1;
    for (QWidget* list :
         std::initializer_list<QWidget*>{DBLvicemin, DBLdirecc, DBLunidad, EDIunidad})
        list->setVisible(chooses);
    for (QWidget* box : std::initializer_list<QWidget*>{DBEdit5, DBEdit6, DBEdit7})
        box->setVisible(!chooses);
    const QString unit =
        chooses ? d->ADOTunidad->text(QStringLiteral("cod_unidad")) : session().unitCode();
    d->Qunidad->close();
    d->Qunidad->setParams({unit, session().year()});
    d->Qunidad->open();
    const QString chosenUnit = LBLcodigo->text();
    openAccion(unit);
    if (chooses)
        LBLcodigo->setText(unit);
    keepProduct(chosenUnit.compare(unit, Qt::CaseInsensitive) == 0);
}

void TFRMavance::keepProduct(bool sameUnit) {
    if (LBLprod->text().isEmpty() ||
        (sameUnit && ADOQaccion->locate(QStringLiteral("id_proyecto"), LBLprod->text())))
        return;
    // No longer listed (another workstation took it out, or another unit is listed now):
    // nothing of it stays, and a product must be chosen again.
    LBLprod->clear();
    DBLproducto->setKeyValue(QVariant());
    ADOQproducto->close();
    ADOQhito->close();
    Edit3->clear();
    EDImaxinf->setText(QStringLiteral("0"));
    EDIavaesp->setText(QStringLiteral("0"));
    MEMavance->clear();
    MEMaclara->clear();
    BitBtn1Click();
}

void TFRMavance::openAccion(const QString& unit) {
    ADOQaccion->close();
    ADOQaccion->setParams({unit, session().year()});
    ADOQaccion->open();
}

void TFRMavance::DBLunidadClick() {
    Table* units = dtm()->ADOTunidad;
    openAccion(units->text(QStringLiteral("cod_unidad")));
    EDIunidad->setText(units->text(QStringLiteral("uni_nombre")));
}

void TFRMavance::loadProduct() {
    ADOQproducto->close();
    ADOQproducto->setParams({ADOQaccion->text(QStringLiteral("cod_unidad")),
                             ADOQaccion->integer(QStringLiteral("id_proyecto")), session().year()});
    ADOQproducto->open();
}

void TFRMavance::DBLproductoClick() {
    if (ADOQaccion->currentRow() < 0)
        return;
    LBLcodigo->setText(ADOQaccion->text(QStringLiteral("cod_unidad")));
    LBLprod->setText(ADOQaccion->text(QStringLiteral("id_proyecto")));
    // The last report's texts are another product's until a goal of this one is selected.
    MEMavance->clear();
    MEMaclara->clear();
    loadProduct();
    ADOQhito->close();
    ADOQhito->setParams(
        {LBLcodigo->text(), ADOQaccion->integer(QStringLiteral("id_proyecto")), session().year()});
    ADOQhito->open();
    lastReportDate();
    expectedProgress();
    lastPercentage();
    EDIdif->setText(QString::number(parseWhole(EDImaxinf->text()) - parseWhole(EDIavaesp->text())));
}

void TFRMavance::DBLproductoExit() {
    if (ADOQaccion->currentRow() >= 0)
        loadProduct();
}

void TFRMavance::lastReportDate() {
    if (const auto day = avances->lastReportDate(product())) {
        Edit3->setText(showDate(*day));
        return;
    }
    Edit3->setText(QStringLiteral("Sin fecha"));
    EDIavaesp->setText(QStringLiteral("0"));
    EDIdif->setText(QStringLiteral("0"));
}

void TFRMavance::expectedProgress() {
    qint64 expected = 0;
    if (ADOQproducto->currentRow() >= 0)
        expected = ::expectedProgress(today(), ADOQproducto->date(QStringLiteral("pro_fecini")),
                                      ADOQproducto->date(QStringLiteral("pro_fecfin")));
    EDIavaesp->setText(QString::number(expected));
}

void TFRMavance::lastPercentage() {
    EDImaxinf->setText(QString::number(avances->lastPercentage(product())));
}

void TFRMavance::entryBoxes(bool enabled, bool yellow) {
    for (QWidget* box : std::initializer_list<QWidget*>{EDIavance, MEMavance, MEMaclara}) {
        box->setEnabled(enabled);
        paintBox(box, QPalette::Base, yellow ? FocusHighlight::colour() : QColor(Qt::white));
    }
}

void TFRMavance::readOnlyEntry(bool readOnly) {
    EDIavance->setReadOnly(readOnly);
    MEMavance->setReadOnly(readOnly);
    MEMaclara->setReadOnly(readOnly);
}

void TFRMavance::DBGrid1CellClick() {
    if (ADOQhito->currentRow() < 0 || LBLprod->text().isEmpty())
        return;
    lastPercentage();
    Qmuestrameta->close();
    Qmuestrameta->setParams({LBLcodigo->text(), parseWhole(LBLprod->text()), session().year()});
    Qmuestrameta->open();
    if (!Qmuestrameta->isEmpty()) {
        Qmuestrameta->last();
        EDImaxinf->setText(QString::number(Qmuestrameta->integer(QStringLiteral("por_avance"))));
        MEMavance->setPlainText(Qmuestrameta->text(QStringLiteral("descr")));
        MEMaclara->setPlainText(Qmuestrameta->text(QStringLiteral("aclara")));
    }
    entryBoxes(MEMavance->isEnabled(), false);
    const auto open = avances->openGoal(product());
    if (open && *open == ADOQhito->integer(QStringLiteral("cod_hito"))) {
        entryBoxes(true, true);
        EDIavance->clear();
        MEMavance->clear();
        MEMaclara->clear();
        LBLindica->setText(QStringLiteral("1"));
    } else {
        entryBoxes(false, false);
        LBLindica->setText(QStringLiteral("0"));
    }
}

void TFRMavance::BTNagregaClick() {
    if (LBLindica->text() != QLatin1String("1")) {
        BitBtn1->setEnabled(true);
        BitBtn1->setFocus();
        readOnlyEntry(true);
        inform(QStringLiteral("No se puede agregar avance en este registro....."));
        return;
    }
    BTNgraba->setEnabled(true);
    BTNagrega->setEnabled(false);
    readOnlyEntry(false);
    EDIavance->setFocus();
}

void TFRMavance::EDIavanceExit() {
    const qint64 last = parseWhole(EDImaxinf->text());
    if (passesExitCheck(parseWhole(EDIavance->text()), last))
        return;
    paintBox(EDIavance, QPalette::Base, FocusHighlight::colour());
    EDIavance->setText(QString::number(last));
    inform(QStringLiteral("El porcentaje debe ser menor a 100 y mayor al ultimo porcentaje "
                          "registrado !!!! "));
}

void TFRMavance::EDIavanceChange() {
    if (m_inDifference)
        return;
    m_inDifference = true;
    if (EDIavance->text().isEmpty())
        EDIavance->setText(QStringLiteral("0"));
    m_inDifference = false;
    const auto done = tryParseWhole(EDIavance->text());
    const auto expected = tryParseWhole(EDIavaesp->text());
    // A text that is no number yet shows no difference; storing it names it.
    EDIdif->setText(done && expected ? QString::number(*done - *expected) : QString());
}

void TFRMavance::EDIdifChange() {
    const auto difference = tryParseWhole(EDIdif->text());
    paintBox(EDIdif, QPalette::Text, difference && *difference < 0 ? Qt::red : Qt::black);
}

void TFRMavance::BTNgrabaClick() {
    BTNgraba->setEnabled(false);
    BTNagrega->setEnabled(true);
    const qint64 done = parseWhole(EDIavance->text());
    const qint64 last = parseWhole(EDImaxinf->text());
    const qint64 goalPercentage =
        ADOQhito->currentRow() >= 0 ? ADOQhito->integer(QStringLiteral("hito_porpro")) : 0;
    const auto refuse = [this] {
        EDIavance->setFocus();
        inform(QStringLiteral("El porcentaje no puede ser menor que el anterior registo, ni "
                              "sobrepasar el porcentaje de la meta"));
    };
    if (ADOQhito->currentRow() < 0 || !acceptable(done, last, goalPercentage))
        return refuse();
    ProgressReports::Report report;
    report.goal = ADOQhito->integer(QStringLiteral("cod_hito"));
    report.goalPercentage = goalPercentage;
    report.percentage = done;
    report.day = today();
    report.user = session().loginName();
    report.description = MEMavance->toPlainText();
    report.clarification = MEMaclara->toPlainText();
    report.expected = parseWhole(EDIavaesp->text());
    switch (avances->store(product(), report)) {
    case ProgressReports::Outcome::Refused:
        return refuse();
    case ProgressReports::Outcome::NotOpen:
        // As when a goal that is not open is selected.
        entryBoxes(false, false);
        readOnlyEntry(true);
        LBLindica->setText(QStringLiteral("0"));
        inform(QStringLiteral("No se puede agregar avance en este registro....."));
        return;
    case ProgressReports::Outcome::Stored:
    case ProgressReports::Outcome::StoredAndClosed:
        break;
    }
    readOnlyEntry(true);
    EDIdif->setText(QString::number(avances->lastPercentage(product()) - report.expected));
    ADOQhito->close();
    ADOQhito->open();
    lastReportDate();
    expectedProgress();
    lastPercentage();
    EDIavance->clear();
    MEMavance->clear();
    MEMaclara->clear();
    inform(QStringLiteral("Registro grabado en la base de datos ....!!!!!"));
}

void TFRMavance::BitBtn1Click() {
    BTNgraba->setEnabled(false);
    BTNagrega->setEnabled(true);
    if (!LBLprod->text().isEmpty())
        lastReportDate();
    EDIavance->setText(QStringLiteral("0"));
    readOnlyEntry(true);
}

void TFRMavance::BitBtn3Click() {
    Query* unit = dtm()->Qunidad;
    unit->close();
    unit->setParams({LBLcodigo->text(), session().year()});
    unit->open();
    TFRMhistorial* h = Application::instance()->FRMhistorial();
    h->EDIvicemin->setText(unit->text(QStringLiteral("vicmin_nombre")));
    h->EDIdirecc->setText(unit->text(QStringLiteral("dir_nombre")));
    h->EDIunidad->setText(unit->text(QStringLiteral("uni_nombre")));
    h->LBLvicemin->setText(LBLvicemin->text());
    h->LBLdirecc->setText(Label9->text());
    h->LBLunidad->setText(LBLunidad->text());
    h->LBLproducto->setText(LBLproducto->text());
    h->LBLactividad->setText(Label12->text());
    h->LBLcodigo->setText(LBLcodigo->text());
    h->LBLprod->setText(LBLprod->text());
    h->EDIproducto1->setText(DBLproducto->currentText());
    h->LBLorigen->setText(QStringLiteral("A"));
    open(h);
}

void TFRMavance::Label34Click() {
    TFRMverproducto* viewer = Application::instance()->FRMverproducto();
    viewer->MEMproducto->setPlainText(ADOQaccion->currentRow() >= 0
                                          ? ADOQaccion->text(QStringLiteral("proy_descripcion"))
                                          : QString());
    open(viewer);
}

void TFRMavance::BitBtn4Click() {
    TDTM* d = dtm();
    d->ADOTvicemin->close();
    d->ADOTdirecc->close();
    d->ADOTmuni->close();
    ADOQhito->close();
    close();
}
