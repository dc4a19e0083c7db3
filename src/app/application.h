#pragma once

#include "session/session.h"

#include <QList>
#include <QObject>
#include <QStringList>

class Connection;
class Form;
class QApplication;
class TDTM;
class TFRMcatalogo;
class TFRMgestion;
class TFRMimporta;
class TFRMavance;
class TFRMavaunidad;
class TFRMfinanciero;
class TFRMgeografico;
class TFRMhistorial;
class TFRMindica;
class TFRMingresoMN;
class TFRMingresodatos1;
class TFRMmenpri;
class TFRMmenu;
class TFRMmuestra;
class TFRMorganiza;
class TFRMpptoavance;
class TFRMresponsable;
class TFRMsector;
class TFRMunisectorial;
class TFRMusuario;
class TFRMvermas;
class TFRMvermetasex;
class TFRMverpro;
class TFRMverproEX;
class TFRMverproMN;
class TFRMverproducto;

// The program: every window, made once in the start-up order, and the shared data module.
// Windows reach one another through it.
class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    static Application* instance();

    // Spanish dates and Qt's own buttons in Spanish on any machine, and the program's name
    // (which names the folder of the embedded store). Before the program is made.
    static void prepare(QApplication& qt);

    // Shows the login window and runs until the program ends.
    int run();
    // Ends the program at once: every window closes, the event loops end.
    void terminate();
    bool terminated() const { return m_terminated; }

    const Session& session() const { return m_session; }

    // Every window in the start-up order.
    const QList<Form*>& windows() const { return m_windows; }
    // The names of every window and of the data module, in the order they were made.
    const QStringList& startupOrder() const { return m_startupOrder; }

    TFRMmenu* FRMmenu() const { return m_FRMmenu; }
    TFRMmenpri* FRMmenpri() const { return m_FRMmenpri; }
    TFRMmuestra* FRMmuestra() const { return m_FRMmuestra; }
    TDTM* DTM() const { return m_DTM; }
    TFRMorganiza* FRMorganiza() const { return m_FRMorganiza; }
    TFRMingresodatos1* FRMingresodatos1() const { return m_FRMingresodatos1; }
    TFRMindica* FRMindica() const { return m_FRMindica; }
    TFRMgeografico* FRMgeografico() const { return m_FRMgeografico; }
    TFRMresponsable* FRMresponsable() const { return m_FRMresponsable; }
    TFRMsector* FRMsector() const { return m_FRMsector; }
    TFRMavance* FRMavance() const { return m_FRMavance; }
    TFRMverproducto* FRMverproducto() const { return m_FRMverproducto; }
    TFRMavaunidad* FRMavaunidad() const { return m_FRMavaunidad; }
    TFRMfinanciero* FRMfinanciero() const { return m_FRMfinanciero; }
    TFRMverpro* FRMverpro() const { return m_FRMverpro; }
    TFRMingresoMN* FRMingresoMN() const { return m_FRMingresoMN; }
    TFRMverproMN* FRMverproMN() const { return m_FRMverproMN; }
    TFRMunisectorial* FRMunisectorial() const { return m_FRMunisectorial; }
    TFRMusuario* FRMusuario() const { return m_FRMusuario; }
    TFRMvermetasex* FRMvermetasex() const { return m_FRMvermetasex; }
    TFRMverproEX* FRMverproEX() const { return m_FRMverproEX; }
    TFRMvermas* FRMvermas() const { return m_FRMvermas; }
    TFRMhistorial* FRMhistorial() const { return m_FRMhistorial; }
    TFRMpptoavance* FRMpptoavance() const { return m_FRMpptoavance; }
    // The windows of the office's own administration, after the others.
    TFRMgestion* FRMgestion() const { return m_FRMgestion; }
    TFRMcatalogo* FRMcatalogo() const { return m_FRMcatalogo; }
    TFRMimporta* FRMimporta() const { return m_FRMimporta; }

private:
    template <typename T> T* make(T*& slot);

    QList<Form*> m_windows;
    QStringList m_startupOrder;
    bool m_terminated = false;
    TFRMmenu* m_FRMmenu = nullptr;
    TFRMmenpri* m_FRMmenpri = nullptr;
    TFRMmuestra* m_FRMmuestra = nullptr;
    Connection* m_connection = nullptr;
    TDTM* m_DTM = nullptr;
    TFRMorganiza* m_FRMorganiza = nullptr;
    TFRMingresodatos1* m_FRMingresodatos1 = nullptr;
    TFRMindica* m_FRMindica = nullptr;
    TFRMgeografico* m_FRMgeografico = nullptr;
    TFRMresponsable* m_FRMresponsable = nullptr;
    TFRMsector* m_FRMsector = nullptr;
    TFRMavance* m_FRMavance = nullptr;
    TFRMverproducto* m_FRMverproducto = nullptr;
    TFRMavaunidad* m_FRMavaunidad = nullptr;
    TFRMfinanciero* m_FRMfinanciero = nullptr;
    TFRMverpro* m_FRMverpro = nullptr;
    TFRMingresoMN* m_FRMingresoMN = nullptr;
    TFRMverproMN* m_FRMverproMN = nullptr;
    TFRMunisectorial* m_FRMunisectorial = nullptr;
    TFRMusuario* m_FRMusuario = nullptr;
    TFRMvermetasex* m_FRMvermetasex = nullptr;
    TFRMverproEX* m_FRMverproEX = nullptr;
    TFRMvermas* m_FRMvermas = nullptr;
    TFRMhistorial* m_FRMhistorial = nullptr;
    TFRMpptoavance* m_FRMpptoavance = nullptr;
    TFRMgestion* m_FRMgestion = nullptr;
    TFRMcatalogo* m_FRMcatalogo = nullptr;
    TFRMimporta* m_FRMimporta = nullptr;
    Session m_session;
};
