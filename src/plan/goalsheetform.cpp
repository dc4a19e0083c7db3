#include "goalsheetform.h"

#include "app/application.h"
#include "core/datetext.h"
#include "core/wholenumber.h"
#include "frmverproducto.h"
#include "goalsheet.h"
#include "pickers/frmunisectorial.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

// What the twins call things.
struct Captions {
    const char* title;
    const char* vicemin;
    const char* proyecto;
    const char* producto;
    const char* productPanel;
    const char* productEnd;
    const char* goalPanel;
    const char* description;
    const char* goalStart;
    const char* goalEnd;
    const char* percentage;
};

const Captions& captionsOf(Kind kind) {
    static const Captions mn{"Datos de metas",
                             "Viceministerio",
                             "Acción principal",
                             "Resultado",
                             "Producto",
                             "Fecha de conclusión",
                             "Meta",
                             "Descripción ",
                             "Fecha de inicio ",
                             "Fecha de conclusión",
                             "Avance esp.(%)"};
    static const Captions ex{"Ficha de datos de la acción territorial",
                             "Entidad externa",
                             "Acción terriorial",
                             "Indicadores",
                             "Datos de fecha inicial",
                             "Fecha de finalización",
                             "Datos de metas",
                             "Descripción de la meta",
                             "Fecha de inicio de la meta",
                             "Fecha de finalización de la meta",
                             "Por. (%)"};
    return kind == Kind::MN ? mn : ex;
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Sets a picker's date from the program: the picker's change handler is the user's.
void setQuietly(DatePicker* picker, const QDate& date) {
    if (!date.isValid())
        return;
    const QSignalBlocker quiet(picker);
    picker->setDate(date);
}

} // namespace

GoalSheetForm::GoalSheetForm(Kind kind, const QString& objectName, const QString& windowCaption,
                             QWidget* parent)
    : Form(objectName, windowCaption, parent)
    , m_kind(kind) {
    const Captions& captions = captionsOf(kind);
    LBLtitulo = title(QStringLiteral("LBLtitulo"), text(captions.title));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    TDTM* dtm = Application::instance()->DTM();
    metas = new GoalSheet(dtm->connection(), this);
    metas->setObjectName(QStringLiteral("metas"));
    DSOhito = new DataSource(metas->Qhito, this);
    DSOhito->setObjectName(QStringLiteral("DSOhito"));

    // The product: its unit, name and result, as the caller filled them.
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), text(captions.vicemin));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Direccion"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    Label4 = make<QLabel>(QStringLiteral("Label4"), text(captions.proyecto));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    LBLproducto = make<QLabel>(QStringLiteral("LBLproducto"), text(captions.producto));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"));
    body()->addLayout(fields({{LBLvicemin, EDIvicemin},
                              {LBLdireccion, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {Label4, EDIproyecto},
                              {LBLproducto, MEMresultado}}));
    Label34 = make<ClickLabel>(QStringLiteral("Label34"), QStringLiteral("Ver mas "));
    Label34->setTextColour(QColor(0, 82, 164));
    verMasRow = row({Label34}, Qt::AlignRight);

    // The product's start and end, with the pickers that preview them in edit mode.
    GroupBox1 = make<QGroupBox>(QStringLiteral("GroupBox1"), text(captions.productPanel));
    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Fecha de inicio"));
    EDIfecini = readOnlyBox(QStringLiteral("EDIfecini"));
    DTMdesde = make<DatePicker>(QStringLiteral("DTMdesde"));
    Label2 = make<QLabel>(QStringLiteral("Label2"), text(captions.productEnd));
    EDIfecfin = readOnlyBox(QStringLiteral("EDIfecfin"));
    DTMhasta = make<DatePicker>(QStringLiteral("DTMhasta"));
    // Room for a whole date in every date box.
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00/sep./0000")) + 16;
    for (QLineEdit* box : {EDIfecini, EDIfecfin})
        box->setMinimumWidth(dateWidth);
    auto* dates = new QGridLayout(GroupBox1);
    dates->addWidget(Label1, 0, 0);
    dates->addWidget(EDIfecini, 0, 1);
    dates->addWidget(DTMdesde, 0, 2);
    dates->addWidget(Label2, 1, 0);
    dates->addWidget(EDIfecfin, 1, 1);
    dates->addWidget(DTMhasta, 1, 2);
    dates->setRowStretch(2, 1);
    caption(Label1, EDIfecini);
    caption(Label2, EDIfecfin);
    // A preview of the goal being edited: nothing reads it back, so it takes no typing.
    for (auto [picker, label] : {std::pair{DTMdesde, Label1}, std::pair{DTMhasta, Label2}}) {
        picker->setReadOnly(true);
        picker->setCalendarPopup(false);
        picker->setButtonSymbols(QAbstractSpinBox::NoButtons);
        picker->setFocusPolicy(Qt::NoFocus);
        picker->setAccessibleName(label->text());
    }

    // The current goal: its description, and its dates in the boxes or, in edit mode, in
    // the pickers at their place.
    GroupBox2 = make<QGroupBox>(QStringLiteral("GroupBox2"), text(captions.goalPanel));
    Label3 = make<QLabel>(QStringLiteral("Label3"), text(captions.description));
    DBEdescri = make<DBEdit>(QStringLiteral("DBEdescri"));
    DBEdescri->setMaxLength(255); // hito_descr
    Label5 = make<QLabel>(QStringLiteral("Label5"), text(captions.goalStart));
    DBEfecini = make<DBEdit>(QStringLiteral("DBEfecini"));
    DTMinicio = make<DatePicker>(QStringLiteral("DTMinicio"));
    Label6 = make<QLabel>(QStringLiteral("Label6"), text(captions.goalEnd));
    DBEfecfin = make<DBEdit>(QStringLiteral("DBEfecfin"));
    DTMfinal = make<DatePicker>(QStringLiteral("DTMfinal"));
    caption(Label3, DBEdescri);
    caption(Label5, DTMinicio);
    caption(Label6, DTMfinal);
    for (DBEdit* box : {DBEfecini, DBEfecfin})
        box->setMinimumWidth(dateWidth);
    DBEfecini->setAccessibleName(Label5->text());
    DBEfecfin->setAccessibleName(Label6->text());
    auto* goal = new QGridLayout(GroupBox2);
    goal->addWidget(Label3, 0, 0);
    goal->addWidget(DBEdescri, 0, 1, 1, 3);
    goal->addWidget(Label5, 1, 0);
    auto* startBoxes = new QHBoxLayout;
    startBoxes->addWidget(DBEfecini);
    startBoxes->addWidget(DTMinicio);
    goal->addLayout(startBoxes, 1, 1);
    goal->addWidget(Label6, 1, 2);
    auto* endBoxes = new QHBoxLayout;
    endBoxes->addWidget(DBEfecfin);
    endBoxes->addWidget(DTMfinal);
    goal->addLayout(endBoxes, 1, 3);
    goal->setColumnStretch(1, 1);
    goal->setColumnStretch(3, 1);
    goal->setRowStretch(2, 1);
    DBEdescri->setDataSource(DSOhito, QStringLiteral("hito_descr"));
    DBEfecini->setDataSource(DSOhito, QStringLiteral("hito_fecini"));
    DBEfecfin->setDataSource(DSOhito, QStringLiteral("hito_fecfin"));

    auto* panels = new QHBoxLayout;
    panels->addWidget(GroupBox1);
    panels->addWidget(GroupBox2, 1);
    body()->addLayout(panels);

    DBGrid2 = make<DBGrid>(QStringLiteral("DBGrid2"));
    DBGrid2->setDataSource(DSOhito);
    // Wide enough for its title and what it shows.
    auto width = [this](const QString& title, const QString& widest = QString()) {
        return qMax(fontMetrics().horizontalAdvance(title),
                    fontMetrics().horizontalAdvance(widest)) +
               24;
    };
    QList<DBGrid::Column> columns;
    if (kind == Kind::MN)
        columns.append({QStringLiteral("cod_hito"), QStringLiteral("No."), width("No.", "000")});
    columns.append({{QStringLiteral("hito_descr"), QStringLiteral("Meta intermedia"), 320},
                    {QStringLiteral("hito_fecini"), QStringLiteral("Fecha de inicio"),
                     width("Fecha de inicio", "00/sep./0000")},
                    {QStringLiteral("hito_fecfin"), QStringLiteral("Fecha de final."),
                     width("Fecha de final.", "00/sep./0000")},
                    {QStringLiteral("hito_porpro"), text(captions.percentage),
                     width(text(captions.percentage))}});
    DBGrid2->setColumns(columns);
    body()->addWidget(DBGrid2, 1);

    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Plan sectorial"));
    BTNmodifi = button(QStringLiteral("BTNmodifi"), QStringLiteral("Modificar metas"));
    BTNgramet = button(QStringLiteral("BTNgramet"), QStringLiteral("Grabar metas"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("&Cancela"));
    BTNelimina = button(QStringLiteral("BTNelimina"), QStringLiteral("Eliminar metas"));
    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar metas"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("&Salir"));
    buttonRow = row({BitBtn1, BTNmodifi, BTNgramet, BTNcancela, BTNelimina, BTNagrega});
    buttonRow->addWidget(BTNsalir);
    BTNgramet->setEnabled(false);
    BTNcancela->setEnabled(false);
    BTNagrega->setEnabled(false);
    BTNagrega->setVisible(kind == Kind::EX);
    modo_consulta();
    setOpeningSize(860, 700);

    keys(nullptr, BTNsalir);
    handle(DBGrid2, &DBGrid::clicked, &GoalSheetForm::DBGrid2CellClick);
    handle(DBGrid2, &DBGrid::keyUp, &GoalSheetForm::DBGrid2KeyUp);
    handle(BTNmodifi, &QPushButton::clicked, &GoalSheetForm::BTNmodifiClick);
    handle(DTMinicio, &QDateEdit::dateChanged, &GoalSheetForm::DTMinicioChange);
    handle(DTMfinal, &QDateEdit::dateChanged, &GoalSheetForm::DTMfinalChange);
    handle(BTNgramet, &QPushButton::clicked, &GoalSheetForm::BTNgrametClick);
    handle(BTNcancela, &QPushButton::clicked, &GoalSheetForm::BTNcancelaClick);
    handle(BTNelimina, &QPushButton::clicked, &GoalSheetForm::BTNeliminaClick);
    handle(BitBtn1, &QPushButton::clicked, &GoalSheetForm::BitBtn1Click);
    handle(Label34, &ClickLabel::clicked, &GoalSheetForm::Label34Click);
    handle(BTNsalir, &QPushButton::clicked, &GoalSheetForm::BTNsalirClick);
}

ProductKey GoalSheetForm::product() const {
    return {LBLcodigo->text(), parseWhole(LBLproy->text()),
            Application::instance()->session().year()};
}

void GoalSheetForm::abre_metas() {
    metas->abre_metas(product());
    // A new opening shows the goals; an edit left unsaved by "&Salir" is over.
    muestra_metas();
    DBGrid2->setFocus();
}

void GoalSheetForm::showGoals(bool changeable) {
    abre_metas();
    BTNmodifi->setVisible(true);
    BTNmodifi->setEnabled(changeable);
    BTNgramet->setVisible(false);
    BTNgramet->setEnabled(false);
    if (!changeable)
        for (QPushButton* b : {BTNcancela, BTNelimina, BTNagrega})
            b->setEnabled(false);
}

void GoalSheetForm::muestra_metas() {
    m_editando = false;
    for (DatePicker* p : {DTMdesde, DTMhasta, DTMinicio, DTMfinal})
        p->setVisible(false);
    for (DBEdit* box : {DBEdescri, DBEfecini, DBEfecfin}) {
        box->setReadOnly(true);
        box->setVisible(true);
    }
}

void GoalSheetForm::modo_consulta() {
    BTNgramet->setEnabled(false);
    BTNgramet->setVisible(false);
    BTNmodifi->setEnabled(true);
    BTNmodifi->setVisible(true);
    BTNcancela->setEnabled(false);
    muestra_metas();
}

void GoalSheetForm::FormActivate() {
    metas->lee_fechas(product());
    // In edit mode (a box or a window opened from the sheet closed) the edit goes on as
    // the user left it.
    if (!m_editando) {
        EDIfecini->setText(showDate(metas->firstStart()));
        EDIfecfin->setText(showDate(metas->lastEnd()));
        for (DBEdit* box : {DBEdescri, DBEfecini, DBEfecfin})
            box->setReadOnly(true);
    }
    BTNagrega->setEnabled(false);
    if (m_kind == Kind::EX)
        LBLproducto->setText(QStringLiteral("Indicadores"));
}

void GoalSheetForm::copia_fechas() {
    const Query* goals = metas->Qhito;
    if (!goals->isOpen() || goals->currentRow() < 0)
        return;
    setQuietly(DTMinicio, goals->date("hito_fecini"));
    setQuietly(DTMfinal, goals->date("hito_fecfin"));
}

void GoalSheetForm::DBGrid2CellClick() {
    copia_fechas();
}

void GoalSheetForm::DBGrid2KeyUp() {
    copia_fechas();
}

void GoalSheetForm::BTNmodifiClick() {
    BTNgramet->setEnabled(true);
    BTNcancela->setEnabled(true);
    BTNmodifi->setEnabled(false);
    BTNmodifi->setVisible(false);
    BTNgramet->setVisible(true);
    m_editando = true;

    const Query* goals = metas->Qhito;
    const bool hasGoals = goals->isOpen() && goals->currentRow() >= 0;
    for (DatePicker* p : {DTMdesde, DTMhasta, DTMinicio, DTMfinal})
        p->setVisible(true);
    // The goal's dates are chosen in the pickers. The ministry sheet keeps the stored
    // dates in sight beside them, read-only: what is typed there would not be saved.
    DBEfecini->setVisible(hasGoals && m_kind == Kind::MN);
    DBEfecfin->setVisible(hasGoals && m_kind == Kind::MN);
    // Without goals there is no description to correct.
    DBEdescri->setReadOnly(!hasGoals);
    EDIfecini->setText(showDate(metas->firstStart()));
    EDIfecfin->setText(showDate(metas->lastEnd()));

    if (hasGoals) {
        setQuietly(DTMdesde, metas->firstStart());
        setQuietly(DTMhasta, metas->lastEnd());
        copia_fechas();
        DBEdescri->setFocus();
        return;
    }
    if (m_kind == Kind::MN) {
        const int year = Application::instance()->session().year().toInt();
        setQuietly(DTMinicio, QDate(year, 1, 1));
        setQuietly(DTMfinal, QDate(year, 12, 31));
    }
    setQuietly(DTMdesde, DTMinicio->date());
    setQuietly(DTMhasta, DTMfinal->date());
    DTMinicio->setFocus();
}

void GoalSheetForm::DTMinicioChange() {
    setQuietly(DTMdesde, DTMinicio->date());
    EDIfecini->setText(showDate(DTMinicio->date()));
}

void GoalSheetForm::DTMfinalChange() {
    setQuietly(DTMhasta, DTMfinal->date());
    EDIfecfin->setText(showDate(DTMfinal->date()));
}

void GoalSheetForm::BTNgrametClick() {
    // Written first: should the engine stop the save, nothing of it stays and the sheet
    // stays in edit mode with the dates as the user chose them.
    metas->graba_meta(product(), {DBEdescri->text(), DTMinicio->date(), DTMfinal->date()});
    modo_consulta();
    // The product's dates as now stored: the earliest goal start and the latest goal end.
    const QDate first = metas->firstStart();
    const QDate last = metas->lastEnd();
    setQuietly(DTMdesde, first);
    setQuietly(DTMhasta, last);
    EDIfecini->setText(showDate(first));
    EDIfecfin->setText(showDate(last));
}

void GoalSheetForm::BTNcancelaClick() {
    if (!confirm(QStringLiteral("Desea cancelar la modificación de registros?")))
        return;
    modo_consulta();
}

void GoalSheetForm::BTNeliminaClick() {
    if (!confirm(QStringLiteral("Esta seguro de eliminar las metas?")))
        return;
    metas->elimina_metas(product());
    modo_consulta();
    // Nothing is left to change: only leaving, the sectorial plan and the texts remain.
    for (QPushButton* b : {BTNagrega, BTNmodifi, BTNgramet, BTNcancela, BTNelimina})
        b->setEnabled(false);
    BTNsalir->setEnabled(true);
}

void GoalSheetForm::BitBtn1Click() {
    TFRMunisectorial* picker = Application::instance()->FRMunisectorial();
    // From a goal sheet of a ministry product nothing is added to the plan.
    if (m_kind == Kind::MN)
        picker->BitBtn1->setEnabled(false);
    picker->LBLcodigo->setText(LBLcodigo->text());
    picker->LBLprod->setText(LBLproy->text());
    open(picker);
}

void GoalSheetForm::Label34Click() {
    // The shared header query as the information sheet last loaded it.
    const Query* header = Application::instance()->DTM()->ADOQprores;
    TFRMverproducto* viewer = Application::instance()->FRMverproducto();
    viewer->MEMproducto->setPlainText(header->isOpen() && header->currentRow() >= 0
                                          ? header->text("proy_descripcion")
                                          : QString());
    open(viewer);
}

void GoalSheetForm::BTNsalirClick() {
    close();
}
