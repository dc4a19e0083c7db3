#include "frmmenu.h"

#include "accounts/accounts.h"
#include "accounts/passwords.h"
#include "app/application.h"
#include "core/error.h"
#include "frmmenpri.h"
#include "institution.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>

const QColor TFRMmenu::ingresoColour(128, 0, 0);
const QColor TFRMmenu::ingresoHoverColour(244, 0, 0);
const QColor TFRMmenu::salirColour(0, 82, 164);
const QColor TFRMmenu::salirHoverColour(62, 158, 255);

namespace {

// The emblem: a disc in the three colours of the flag.
QPixmap emblem() {
    QPixmap pm(96, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(4, 4, 88, 88);
    QPainterPath clip;
    clip.addEllipse(disc);
    p.setClipPath(clip);
    p.fillRect(QRectF(0, 0, 96, 34), QColor(213, 43, 30));
    p.fillRect(QRectF(0, 34, 96, 28), QColor(249, 228, 0));
    p.fillRect(QRectF(0, 62, 96, 34), QColor(0, 122, 51));
    p.setClipping(false);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawEllipse(disc);
    return pm;
}

QStringList describedYears() {
    return {QStringLiteral("2006"), QStringLiteral("2007"), QStringLiteral("2008"),
            QStringLiteral("2009")};
}

} // namespace

QString TFRMmenu::defaultServer() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

TFRMmenu::TFRMmenu(QWidget* parent)
    : Form(QStringLiteral("FRMmenu"), QString(), parent) {
    setWindowTitle(QStringLiteral("Sistema de monitoreo"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Messages of a failed login leave the connection as the login left it.
    setReactivation(false, true);

    // The one connection, made with the data module before any window; this window opens
    // it at each login and closes it at each return.
    ADOquv = Application::instance()->DTM()->connection();
    // Passwords are kept as hashes, which no statement compares: the accounts of the name
    // and year are read, and the password is checked against each (see accede()).
    Qusuario = new Query(
        ADOquv, QStringLiteral("select * from t_usuario where usuario = :usu and gestion = :ges"),
        this);
    Qusuario->setObjectName(QStringLiteral("Qusuario"));
    m_cuentas = new Accounts(ADOquv, this);
    Qgestiones = new Query(ADOquv, QStringLiteral("select distinct gestion from t_usuario"), this);
    Qgestiones->setObjectName(QStringLiteral("Qgestiones"));
    Qgestiones->setRowOrder({QStringLiteral("gestion")});

    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("1"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Sistema de monitoreo "));

    Panel1 = make<QFrame>(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setMouseTracking(true);
    auto* panel = new QVBoxLayout(Panel1);

    Image1 = make<QLabel>(QStringLiteral("Image1"));
    Image1->setPixmap(emblem());
    Image1->setAlignment(Qt::AlignCenter);
    LBLministerio = make<QLabel>(QStringLiteral("LBLministerio"), institutionName());
    LBLministerio->setAlignment(Qt::AlignCenter);

    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Usuario:"));
    Edit1 = make<QLineEdit>(QStringLiteral("Edit1"), QStringLiteral("Admin"));
    Edit1->setMaxLength(50);
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Clave de acceso:"));
    Edit2 = make<QLineEdit>(QStringLiteral("Edit2"), QStringLiteral("qampo"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    Edit2->setMaxLength(50);
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Servidor:"));
    EDIserv = make<QLineEdit>(QStringLiteral("EDIserv"), defaultServer());
    EDIserv->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 40);
    EDIserv->setCursorPosition(0); // the start of a long folder, not its tail
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Año:"));
    EDIgestion = make<QComboBox>(QStringLiteral("EDIgestion"));
    EDIgestion->setEditable(true);
    EDIgestion->setInsertPolicy(QComboBox::NoInsert);
    EDIgestion->addItems(describedYears());
    EDIgestion->setCurrentText(QStringLiteral("2008"));
    EDIgestion->lineEdit()->setMaxLength(4);
    QFormLayout* login =
        fields({{Label1, Edit1}, {Label2, Edit2}, {Label3, EDIserv}, {Label4, EDIgestion}});

    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    LBLingreso = make<ClickLabel>(QStringLiteral("LBLingreso"), QStringLiteral("Ingresar"));
    Label8 = make<ClickLabel>(QStringLiteral("Label8"), QStringLiteral("Salir"));
    auto* actions = new QHBoxLayout;
    for (ClickLabel* l : {LBLingreso, Label8}) {
        l->setFont(big);
        actions->addWidget(l);
    }
    LBLingreso->setTextColour(ingresoColour);
    Label8->setTextColour(salirColour);

    panel->addWidget(Image1);
    panel->addWidget(LBLministerio);
    panel->addLayout(login);
    panel->addLayout(actions);
    body()->addStretch(1);
    row({Panel1}, Qt::AlignCenter);
    body()->addStretch(1);

    LBLtipo = parameter(QStringLiteral("LBLtipo"), QStringLiteral("MN"));

    keys(LBLingreso, Label8);
    handle(LBLingreso, &ClickLabel::clicked, &TFRMmenu::LBLingresoClick);
    handle(Edit2, &QLineEdit::returnPressed, &TFRMmenu::LBLingresoClick); // Edit2KeyPress
    handle(Label8, &ClickLabel::clicked, &TFRMmenu::Label8Click);
    handle(LBLingreso, &ClickLabel::mouseMoved, &TFRMmenu::LBLingresoMouseMove);
    handle(Label8, &ClickLabel::mouseMoved, &TFRMmenu::Label8MouseMove);
    setMouseTracking(true);
    installEventFilter(this);
    Panel1->installEventFilter(this);
}

void TFRMmenu::FormActivate() {
    if (ADOquv->isOpen()) {
        llenaGestiones(); // the years opened during the session
    } else {
        // An embedded store already made lists its years before the first login; nothing
        // is made or reached for it. One that cannot be read says so at the login.
        const ConnectionTarget target = resolveServer(EDIserv->text());
        if (target.engine == Engine::SQLite && QFileInfo(target.sqliteFile).isFile()) {
            try {
                ADOquv->setServer(EDIserv->text());
                ADOquv->open();
                llenaGestiones();
            } catch (const Error&) {
            }
        }
    }
    ADOquv->close();
    if (!EDIserv->hasFocus())
        EDIserv->setCursorPosition(0);
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void TFRMmenu::LBLingresoClick() {
    ADOquv->close();
    ADOquv->setServer(EDIserv->text());
    ADOquv->open();
    ADOquv->checkIntegrity();
    llenaGestiones();

    Qusuario->close();
    Qusuario->setParams({Edit1->text(), EDIgestion->currentText()});
    Qusuario->open();
    if (!accede()) {
        inform(QStringLiteral("No existe usuario"));
        Edit1->clear();
        Edit2->clear();
        Edit1->setFocus();
        return;
    }

    LBLtipo->setText(Qusuario->text(QStringLiteral("entidad")));
    setWindowState(windowState() | Qt::WindowMinimized);

    Application* app = Application::instance();
    Query* unit = app->DTM()->Qunidad;
    unit->close();
    unit->setParams({Qusuario->text(QStringLiteral("unidad")), EDIgestion->currentText()});
    unit->open();

    TFRMmenpri* menu = app->FRMmenpri();
    menu->aplicaDerechos(app->session().userType());
    menu->Presupuestario1->setVisible(false);
    menu->Comentarios1->setVisible(false);
    open(menu);
}

bool TFRMmenu::accede() {
    const QString typed = Edit2->text();
    for (int r = 0; r < Qusuario->rowCount(); ++r) {
        Qusuario->moveTo(r);
        // An account stored without a password opens with none, not with an empty one.
        if (Qusuario->isNull(QStringLiteral("contra")))
            continue;
        const QString stored = Qusuario->text(QStringLiteral("contra"));
        if (!passwords::matches(stored, typed))
            continue;
        // A password still kept as typed is kept as its hash from this login on.
        if (!passwords::isHashed(stored))
            m_cuentas->keepHashed(Qusuario->text(QStringLiteral("usuario")),
                                  Qusuario->text(QStringLiteral("gestion")), stored,
                                  passwords::hash(typed));
        return true;
    }
    return false;
}

void TFRMmenu::llenaGestiones() {
    Qgestiones->close();
    Qgestiones->open();
    QStringList years = describedYears();
    for (int r = 0; r < Qgestiones->rowCount(); ++r) {
        const QString year = Qgestiones->valueAt(r, 0).toString();
        if (!year.trimmed().isEmpty() && !years.contains(year, Qt::CaseInsensitive))
            years.append(year);
    }
    Qgestiones->close();
    const QString typed = EDIgestion->currentText();
    QStringList shown;
    for (int i = 0; i < EDIgestion->count(); ++i)
        shown.append(EDIgestion->itemText(i));
    if (shown != years) {
        EDIgestion->clear();
        EDIgestion->addItems(years);
    }
    EDIgestion->setCurrentText(typed);
}

void TFRMmenu::Label8Click() {
    Application::instance()->terminate();
}

void TFRMmenu::FormMouseMove() {
    LBLingreso->setTextColour(ingresoColour);
    Label8->setTextColour(salirColour);
}

void TFRMmenu::LBLingresoMouseMove() {
    LBLingreso->setTextColour(ingresoHoverColour);
}

void TFRMmenu::Label8MouseMove() {
    Label8->setTextColour(salirHoverColour);
}

bool TFRMmenu::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == this || watched == Panel1) && event->type() == QEvent::MouseMove)
        FormMouseMove(); // Panel1MouseMove does the same
    return Form::eventFilter(watched, event);
}

void TFRMmenu::closeEvent(QCloseEvent* event) {
    event->accept();
    Application::instance()->terminate();
}
