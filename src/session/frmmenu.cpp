#include "frmmenu.h"

#include "app/application.h"
#include "frmmenpri.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"

#include <QCloseEvent>
#include <QComboBox>
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

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

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
    Qusuario = new Query(ADOquv,
                         QStringLiteral("select * from t_usuario where usuario = :usu and "
                                        "contra = :contra and gestion = :ges"),
                         this);
    Qusuario->setObjectName(QStringLiteral("Qusuario"));

    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("1"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Sistema de monitoreo "));

    auto* centre = new QHBoxLayout;
    centre->addStretch(1);
    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setMouseTracking(true);
    auto* panel = new QVBoxLayout(Panel1);

    Image1 = named(new QLabel(Panel1), "Image1");
    Image1->setPixmap(emblem());
    Image1->setAlignment(Qt::AlignCenter);
    panel->addWidget(Image1);
    LBLministerio =
        named(new QLabel(QStringLiteral("Ministerio de Desarrollo Rural y Tierras"), Panel1),
              "LBLministerio");
    LBLministerio->setAlignment(Qt::AlignCenter);
    panel->addWidget(LBLministerio);

    auto* fields = new QFormLayout;
    Label1 = named(new QLabel(QStringLiteral("Usuario:"), Panel1), "Label1");
    Edit1 = named(new QLineEdit(QStringLiteral("Admin"), Panel1), "Edit1");
    Edit1->setMaxLength(50);
    Label2 = named(new QLabel(QStringLiteral("Clave de acceso:"), Panel1), "Label2");
    Edit2 = named(new QLineEdit(QStringLiteral("qampo"), Panel1), "Edit2");
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setMaxLength(50);
    Label3 = named(new QLabel(QStringLiteral("Servidor:"), Panel1), "Label3");
    EDIserv = named(new QLineEdit(defaultServer(), Panel1), "EDIserv");
    EDIserv->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 40);
    Label4 = named(new QLabel(QStringLiteral("Año:"), Panel1), "Label4");
    EDIgestion = named(new QComboBox(Panel1), "EDIgestion");
    EDIgestion->setEditable(true);
    EDIgestion->setInsertPolicy(QComboBox::NoInsert);
    EDIgestion->addItems({"2006", "2007", "2008", "2009"});
    EDIgestion->setCurrentText(QStringLiteral("2008"));
    EDIgestion->lineEdit()->setMaxLength(4);
    const QList<QPair<QLabel*, QWidget*>> rows{
        {Label1, Edit1}, {Label2, Edit2}, {Label3, EDIserv}, {Label4, EDIgestion}};
    for (const auto& [label, box] : rows) {
        caption(label, box);
        fields->addRow(label, box);
    }
    panel->addLayout(fields);

    auto* actions = new QHBoxLayout;
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    LBLingreso = named(new ClickLabel(QStringLiteral("Ingresar"), Panel1), "LBLingreso");
    Label8 = named(new ClickLabel(QStringLiteral("Salir"), Panel1), "Label8");
    for (ClickLabel* l : {LBLingreso, Label8}) {
        l->setFont(big);
        actions->addWidget(l);
    }
    LBLingreso->setTextColour(ingresoColour);
    Label8->setTextColour(salirColour);
    panel->addLayout(actions);

    centre->addWidget(Panel1);
    centre->addStretch(1);
    body()->addStretch(1);
    body()->addLayout(centre);
    body()->addStretch(1);

    LBLtipo = named(new QLabel(QStringLiteral("MN"), this), "LBLtipo");
    LBLtipo->setVisible(false);

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
    ADOquv->close();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void TFRMmenu::LBLingresoClick() {
    ADOquv->close();
    ADOquv->setServer(EDIserv->text());
    ADOquv->open();

    Qusuario->close();
    Qusuario->setParams({Edit1->text(), Edit2->text(), EDIgestion->currentText()});
    Qusuario->open();
    if (Qusuario->rowCount() == 0) {
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
