#include "frmmenpri.h"

#include "accounts/frmusuario.h"
#include "admin/frmcatalogo.h"
#include "admin/frmgestion.h"
#include "app/application.h"
#include "importer/frmimporta.h"
#include "institution.h"
#include "plan/frmmuestra.h"
#include "progress/frmavance.h"
#include "reports/frmavaunidad.h"
#include "rights.h"
#include "store/connection.h"
#include "store/storecopy.h"
#include "store/tdtm.h"
#include "ui/dblookup.h"
#include "ui/progress.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The banner under the menu.
QPixmap banner() {
    QPixmap pm(900, 150);
    QPainter p(&pm);
    QLinearGradient g(0, 0, pm.width(), 0);
    g.setColorAt(0, QColor(0, 82, 164));
    g.setColorAt(1, QColor(62, 158, 255));
    p.fillRect(pm.rect(), g);
    p.fillRect(QRect(0, pm.height() - 12, pm.width() / 3, 12), QColor(213, 43, 30));
    p.fillRect(QRect(pm.width() / 3, pm.height() - 12, pm.width() / 3, 12), QColor(249, 228, 0));
    p.fillRect(QRect(2 * pm.width() / 3, pm.height() - 12, pm.width() / 3 + 1, 12),
               QColor(0, 122, 51));
    p.setPen(Qt::white);
    QFont f;
    f.setPointSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect().adjusted(0, 0, 0, -12), Qt::AlignCenter, institutionName());
    return pm;
}

} // namespace

TFRMmenpri::TFRMmenpri(QWidget* parent)
    : Form(QStringLiteral("FRMmenpri"), QStringLiteral("Menú principal     "), parent) {
    MainMenu1 = make<QMenuBar>(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    layout()->setMenuBar(MainMenu1);

    QMenu* archivo = submenu(MainMenu1, "Archivo1", QStringLiteral("&Archivo"), Archivo1);
    QMenu* registro = submenu(archivo, "Registro1", QStringLiteral("Registro"), Registro1);
    Datosiniciales2 = item(registro, "Datosiniciales2", QStringLiteral("Datos iniciales"));
    Copiaseguridad1 = item(archivo, "Copiaseguridad1", QStringLiteral("Copia de seguridad"));

    QMenu* edicion = submenu(MainMenu1, "edicion1", QStringLiteral("Edición"), edicion1);
    ProgramasResultados2 = item(edicion, "ProgramasResultados2", QStringLiteral("Modificar"));

    QMenu* informe = submenu(MainMenu1, "informe1", QStringLiteral("Avance"), informe1);
    avance1 = item(informe, "avance1", QStringLiteral("Registro de avance"));
    Comentarios1 = item(informe, "Comentarios1", QStringLiteral("Comentarios"));
    Presupuestario1 = item(informe, "Presupuestario1", QStringLiteral("Financiamiento"));

    QMenu* reporte = submenu(MainMenu1, "reporte1", QStringLiteral("&Reporte"), reporte1);
    QMenu* listas = submenu(reporte, "Listas1", QStringLiteral("Listas"), Listas1);
    QMenu* porUnidadMenu = submenu(listas, "Porunidad1", QStringLiteral("Por unidad"), Porunidad1);
    Ministerio1 = item(porUnidadMenu, "Ministerio1", QStringLiteral("Ministerio"));
    EntidadDesconcentrada1 =
        item(porUnidadMenu, "EntidadDesconcentrada1", QStringLiteral("Entidad Desconcentrada"));

    QMenu* configuracion =
        submenu(MainMenu1, "Configuracin1", QStringLiteral("Configuración"), Configuracin1);
    Usuarios1 = item(configuracion, "Usuarios1", QStringLiteral("Usuarios"));
    Abrirgestion1 = item(configuracion, "Abrirgestion1", QStringLiteral("Abrir gestión"));
    Catalogos1 = item(configuracion, "Catalogos1", QStringLiteral("Catálogos"));
    Importar1 = item(configuracion, "Importar1", QStringLiteral("Importar base anterior"));

    Cerrar1 = MainMenu1->addAction(QStringLiteral("Cerrar"));
    Cerrar1->setObjectName(QStringLiteral("Cerrar1"));

    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("2"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Sistema de Monitoreo"));
    Image1 = make<QLabel>(QStringLiteral("Image1"));
    Image1->setPixmap(banner());
    Image1->setAlignment(Qt::AlignCenter);
    body()->addWidget(Image1);
    body()->addStretch(1);

    // The menu stays open for the whole session: most of the screen, not a strip.
    setOpeningSize(1100, 700);

    handle(Datosiniciales2, &QAction::triggered, &TFRMmenpri::Datosiniciales2Click);
    handle(ProgramasResultados2, &QAction::triggered, &TFRMmenpri::ProgramasResultados2Click);
    handle(avance1, &QAction::triggered, &TFRMmenpri::avance1Click);
    handle(Ministerio1, &QAction::triggered, &TFRMmenpri::Ministerio1Click);
    handle(EntidadDesconcentrada1, &QAction::triggered, &TFRMmenpri::EntidadDesconcentrada1Click);
    handle(Usuarios1, &QAction::triggered, &TFRMmenpri::Usuarios1Click);
    handle(Copiaseguridad1, &QAction::triggered, &TFRMmenpri::Copiaseguridad1Click);
    handle(Abrirgestion1, &QAction::triggered, &TFRMmenpri::Abrirgestion1Click);
    handle(Catalogos1, &QAction::triggered, &TFRMmenpri::Catalogos1Click);
    handle(Importar1, &QAction::triggered, &TFRMmenpri::Importar1Click);
    handle(Cerrar1, &QAction::triggered, &TFRMmenpri::Cerrar1Click);
}

QMenu* TFRMmenpri::submenu(QWidget* parent, const char* name, const QString& caption,
                           QAction*& action) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
    action = menu->menuAction();
    action->setObjectName(QString::fromLatin1(name));
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else
        static_cast<QMenu*>(parent)->addMenu(menu);
    return menu;
}

QAction* TFRMmenpri::item(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void TFRMmenpri::aplicaDerechos(int userType) {
    const auto rights = menuRights(userType);
    if (!rights)
        return;
    Archivo1->setEnabled(rights->archivo);
    edicion1->setEnabled(rights->edicion);
    informe1->setEnabled(rights->avance);
    avance1->setEnabled(rights->registroAvance);
    Presupuestario1->setEnabled(rights->financiamiento);
    reporte1->setEnabled(rights->reporte);
    Configuracin1->setEnabled(rights->configuracion);
    Cerrar1->setEnabled(rights->cerrar);
}

void TFRMmenpri::Datosiniciales2Click() {
    Application* app = Application::instance();
    app->DTM()->ADOTvicemin->close();
    app->DTM()->ADOTvicemin->open();
    TFRMmuestra* w = app->FRMmuestra();
    w->BTNagreprod->setVisible(true);
    w->BTNagreprod->setEnabled(true);
    w->BTNgrabaprod->setVisible(false);
    w->BTNgrabaprod->setEnabled(false);
    w->BTNelimina->setEnabled(false);
    w->LBLestado1->setText(QStringLiteral("A"));
    w->LBLtitulo->setText(QStringLiteral("Agregar Productos ó Acciones principales"));
    open(w);
}

void TFRMmenpri::ProgramasResultados2Click() {
    Application* app = Application::instance();
    app->DTM()->ADOTvicemin->close();
    app->DTM()->ADOTvicemin->open();
    TFRMmuestra* w = app->FRMmuestra();
    w->LBLestado1->setText(QStringLiteral("M"));
    w->LBLtitulo->setText(QStringLiteral("Modificación"));
    open(w);
}

void TFRMmenpri::avance1Click() {
    Application* app = Application::instance();
    TFRMavance* w = app->FRMavance();
    w->BTNgraba->setEnabled(false);
    w->BTNagrega->setEnabled(true);
    w->BTNantes->setEnabled(true);
    w->BTNsig->setEnabled(true);
    app->DTM()->ADOTvicemin->close();
    app->DTM()->ADOTdirecc->close();
    app->DTM()->ADOTunidad->close();
    w->DBLvicemin->setVisible(false);
    w->DBLdirecc->setVisible(false);
    w->DBLunidad->setVisible(false);
    open(w);
}

void TFRMmenpri::porUnidad(Kind kind) {
    Application* app = Application::instance();
    TDTM* dtm = app->DTM();
    for (Table* t : {dtm->ADOTvicemin, dtm->ADOTdirecc, dtm->ADOTunidad, dtm->Tmes}) {
        t->close();
        t->open();
    }
    dtm->showHierarchy(kindCode(kind), app->session().year());
    TFRMavaunidad* w = app->FRMavaunidad();
    w->LBLtipo->setText(kindCode(kind));
    w->Label1->setText(kind == Kind::MN
                           ? QStringLiteral("Avance de productos por unidad")
                           : QStringLiteral("Avance de acción territorial por unidad ejecutora"));
    open(w);
}

void TFRMmenpri::Ministerio1Click() {
    porUnidad(Kind::MN);
}

void TFRMmenpri::EntidadDesconcentrada1Click() {
    porUnidad(Kind::EX);
}

void TFRMmenpri::Usuarios1Click() {
    open(Application::instance()->FRMusuario());
}

void TFRMmenpri::Abrirgestion1Click() {
    open(Application::instance()->FRMgestion());
}

void TFRMmenpri::Catalogos1Click() {
    open(Application::instance()->FRMcatalogo());
}

void TFRMmenpri::Copiaseguridad1Click() {
    Connection* store = Application::instance()->DTM()->connection();
    store->ensureOpen();
    if (store->engine() == Engine::PostgreSQL) {
        const ConnectionTarget& server = store->target();
        inform(QStringLiteral(
                   "La base de datos está en el servidor PostgreSQL %1: sus copias las hace el "
                   "servidor, con sus propias herramientas. Por ejemplo, en el servidor o en un "
                   "equipo con acceso a él:\n\n    pg_dump -h %1 -Fc -f QUV-%2.dump %3\n\ny para "
                   "volver a una copia, en una base vacía:\n\n    pg_restore -h %1 -d %3 "
                   "QUV-%2.dump")
                   .arg(server.host.isEmpty() ? QStringLiteral("localhost") : server.host,
                        QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                        server.database));
        return;
    }
    const QString path =
        chooseFile(QStringLiteral("Copia de seguridad"),
                   QStringLiteral("QUV-%1.db")
                       .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))),
                   QStringLiteral("Copia de la base de datos (*.db)"));
    if (path.isEmpty())
        return;
    StoreCopy copy(*store, path);
    {
        Progress progress(this, QStringLiteral("Copia de seguridad"));
        for (bool done = false; !done; done = copy.step())
            if (!progress.advance(copy.pagesCopied(), copy.pageCount(),
                                  QStringLiteral("Copiando la base de datos..."))) {
                inform(QStringLiteral("Copia cancelada: no se escribió ningún archivo"));
                return;
            }
        progress.advance(copy.pageCount(), copy.pageCount(),
                         QStringLiteral("Verificando la copia..."));
        copy.finish();
    }
    inform(QStringLiteral("Copia de seguridad guardada en %1.\nLa copia está completa y "
                          "verificada.")
               .arg(QDir::toNativeSeparators(path)));
}

void TFRMmenpri::Importar1Click() {
    open(Application::instance()->FRMimporta());
}

void TFRMmenpri::Cerrar1Click() {
    Application::instance()->terminate();
}
