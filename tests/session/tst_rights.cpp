#include "fixture/program.h"
#include "fixture/uiscript.h"
#include "session/frmmenpri.h"
#include "session/rights.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

class TestRights : public QObject {
    Q_OBJECT
private slots:
    void theMatrixOfTheFourTypes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>(
            "enabled"); // archivo edicion avance registro financ. reporte config. cerrar
        QTest::newRow("1") << 1 << "11100111";
        QTest::newRow("2") << 2 << "00011101";
        QTest::newRow("3") << 3 << "00111101";
        QTest::newRow("4") << 4 << "01111001";
    }
    void theMatrixOfTheFourTypes() {
        QFETCH(int, type);
        QFETCH(QString, enabled);
        const auto r = menuRights(type);
        QVERIFY(r);
        const QList<bool> got{r->archivo,        r->edicion, r->avance,        r->registroAvance,
                              r->financiamiento, r->reporte, r->configuracion, r->cerrar};
        for (int i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], enabled[i] == u'1');

        // And the menu of a real login shows them, with the two hidden items.
        ScriptedMessages messages;
        ScriptedWindows windows;
        TestProgram program;
        program.addAccount("usuario", "clave", QString::number(type));
        TFRMmenpri* m = program.app().FRMmenpri();
        windows.whenShown("FRMmenpri", [&](Form&) {
            const QList<QAction*> items{m->Archivo1,      m->edicion1,        m->informe1,
                                        m->avance1,       m->Presupuestario1, m->reporte1,
                                        m->Configuracin1, m->Cerrar1};
            // A hidden item reads as disabled: show it for a moment to read its own state.
            m->Presupuestario1->setVisible(true);
            for (int i = 0; i < items.size(); ++i)
                QVERIFY2(items[i]->isEnabled() == (enabled[i] == u'1'),
                         qPrintable(items[i]->objectName()));
            m->Presupuestario1->setVisible(false);
            QVERIFY(!m->Comentarios1->isVisible());
            QVERIFY(m->Datosiniciales2->isEnabled()); // not among the rights
        });
        program.login("usuario", "clave");
        QCOMPARE(windows.shown(), QStringList({"FRMmenpri"}));
    }

    void otherTypesHaveNoRights() {
        for (int type : {0, -1, 5, 100})
            QVERIFY(!menuRights(type));
    }

    void theMenuTreeAndItsCaptions() {
        TestProgram program;
        TFRMmenpri* m = program.app().FRMmenpri();
        QStringList top;
        for (QAction* a : m->MainMenu1->actions())
            top.append(a->text());
        QCOMPARE(top, QStringList({"&Archivo", "Edición", "Avance", "&Reporte", "Configuración",
                                   "Cerrar"}));
        auto children = [](QAction* a) {
            QStringList t;
            for (QAction* c : a->menu()->actions())
                t.append(c->text());
            return t;
        };
        QCOMPARE(children(m->Archivo1), QStringList({"Registro", "Copia de seguridad"}));
        QCOMPARE(children(m->Registro1), QStringList({"Datos iniciales"}));
        QCOMPARE(children(m->edicion1), QStringList({"Modificar"}));
        QCOMPARE(children(m->informe1),
                 QStringList({"Registro de avance", "Comentarios", "Financiamiento"}));
        QCOMPARE(children(m->reporte1), QStringList({"Listas"}));
        QCOMPARE(children(m->Listas1), QStringList({"Por unidad"}));
        QCOMPARE(children(m->Porunidad1), QStringList({"Ministerio", "Entidad Desconcentrada"}));
        QCOMPARE(children(m->Configuracin1),
                 QStringList({"Usuarios", "Abrir gestión", "Catálogos", "Importar base anterior"}));
        QCOMPARE(m->findChild<QAction*>("Datosiniciales2"), m->Datosiniciales2);
        QCOMPARE(m->findChild<QAction*>("Archivo1"), m->Archivo1);
    }
};

QObject* rightsTests() {
    return new TestRights;
}

#include "tst_rights.moc"
