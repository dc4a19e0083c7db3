#include "application.h"

#include "accounts/frmusuario.h"
#include "admin/frmcatalogo.h"
#include "admin/frmgestion.h"
#include "budget/frmfinanciero.h"
#include "budget/frmpptoavance.h"
#include "core/datetext.h"
#include "core/today.h"
#include "importer/frmimporta.h"
#include "pickers/frmgeografico.h"
#include "pickers/frmindica.h"
#include "pickers/frmorganiza.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmsector.h"
#include "pickers/frmunisectorial.h"
#include "plan/frmingresodatos1.h"
#include "plan/frmingresomn.h"
#include "plan/frmmuestra.h"
#include "plan/frmvermetasex.h"
#include "plan/frmverpro.h"
#include "plan/frmverproducto.h"
#include "plan/frmverproex.h"
#include "plan/frmverpromn.h"
#include "progress/frmavance.h"
#include "progress/frmhistorial.h"
#include "progress/frmvermas.h"
#include "reports/frmavaunidad.h"
#include "session/frmmenpri.h"
#include "session/frmmenu.h"
#include "store/connection.h"
#include "store/tdtm.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDir>

namespace {
Application* current = nullptr;
}

template <typename T> T* Application::make(T*& slot) {
    slot = new T;
    m_windows.append(slot);
    m_startupOrder.append(slot->objectName());
    return slot;
}

Application::Application()
    : m_session(nullptr, nullptr) {
    Q_ASSERT(!current);
    current = this;
    // The one connection and the shared data module first, so that every window can bind
    // to the module's datasets in its constructor; the login window opens and closes the
    // connection. Then every window once, in this order; a window finds the others through
    // here when it first needs them.
    m_connection = new Connection;
    m_connection->setObjectName(QStringLiteral("ADOquv"));
    m_DTM = new TDTM(m_connection);
    m_startupOrder.append(m_DTM->objectName());
    make(m_FRMmenu);
    make(m_FRMmenpri);
    make(m_FRMmuestra);
    make(m_FRMorganiza);
    make(m_FRMingresodatos1);
    make(m_FRMindica);
    make(m_FRMgeografico);
    make(m_FRMresponsable);
    make(m_FRMsector);
    make(m_FRMavance);
    make(m_FRMverproducto);
    make(m_FRMavaunidad);
    make(m_FRMfinanciero);
    make(m_FRMverpro);
    make(m_FRMingresoMN);
    make(m_FRMverproMN);
    make(m_FRMunisectorial);
    make(m_FRMusuario);
    make(m_FRMvermetasex);
    make(m_FRMverproEX);
    make(m_FRMvermas);
    make(m_FRMhistorial);
    make(m_FRMpptoavance);
    make(m_FRMgestion);
    make(m_FRMcatalogo);
    make(m_FRMimporta);
    m_session = Session(m_FRMmenu, m_DTM);
}

Application::~Application() {
    // The windows bound to the data module's datasets go first, then the module, and last
    // the connection the datasets work through.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        delete *it;
    m_windows.clear();
    delete m_DTM;
    m_DTM = nullptr;
    delete m_connection;
    m_connection = nullptr;
    current = nullptr;
}

Application* Application::instance() {
    return current;
}

void Application::prepare(QApplication& qt) {
    qt.setApplicationName(QStringLiteral("monitoreo"));
    qt.setQuitOnLastWindowClosed(false);
    keepLocalTimeZone();
    useDisplayLocale();
    Messages::useSpanishButtons();
}

int Application::run() {
    // The embedded store's folder must exist for the first login to work at once.
    QDir().mkpath(TFRMmenu::defaultServer());
    m_FRMmenu->activate();
    m_FRMmenu->show();
    return QApplication::exec();
}

void Application::terminate() {
    if (m_terminated)
        return;
    m_terminated = true;
    for (Form* w : m_windows)
        if (w->isVisible())
            w->hide();
    QCoreApplication::exit(0);
}
