#include "core/error.h"
#include "fixture/uiscript.h"
#include "fixture/uitest.h"
#include "store/datasource.h"
#include "store/table.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"
#include "ui/form.h"
#include "ui/tabchain.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

// A window whose controls are made in another order than they are laid out: a form of
// captions and boxes, a grid of two rows beside a memo, a box of options, a row of buttons.
class Scrambled : public Form {
public:
    Scrambled()
        : Form(QStringLiteral("FRMorden"), QStringLiteral("Orden")) {
        salir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
        grabar = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
        hasta = new DatePicker(this);
        hasta->setObjectName(QStringLiteral("DTPhasta"));
        nombre = new QLineEdit(this);
        nombre->setObjectName(QStringLiteral("EDInombre"));
        notas = new QPlainTextEdit(this);
        notas->setObjectName(QStringLiteral("MEMnotas"));
        lista = new QComboBox(this);
        lista->setObjectName(QStringLiteral("CBXlista"));
        lista->setEditable(true);
        codigo = readOnlyBox(QStringLiteral("EDIcodigo"));
        desde = new DatePicker(this);
        desde->setObjectName(QStringLiteral("DTPdesde"));
        todos = new QCheckBox(QStringLiteral("Todos"), this);
        todos->setObjectName(QStringLiteral("CHBtodos"));
        oculto = new QLineEdit(this);
        oculto->setObjectName(QStringLiteral("EDIoculto"));
        apagado = button(QStringLiteral("BTNapagado"), QStringLiteral("Eliminar"));
        apagado->setEnabled(false);
        enlace = new ClickLabel(QStringLiteral("Ver mas"), this);
        enlace->setObjectName(QStringLiteral("Label34"));

        body()->addLayout(fields({{new QLabel(QStringLiteral("Código"), this), codigo},
                                  {new QLabel(QStringLiteral("Nombre"), this), nombre},
                                  {new QLabel(QStringLiteral("Lista"), this), lista}}));
        auto* dates = new QGridLayout;
        dates->addWidget(hasta, 1, 1);
        dates->addWidget(desde, 0, 1);
        dates->addWidget(new QLabel(QStringLiteral("Desde"), this), 0, 0);
        dates->addWidget(oculto, 1, 0);
        auto* middle = new QHBoxLayout;
        middle->addLayout(dates);
        middle->addWidget(notas);
        body()->addLayout(middle);
        auto* options = new QGroupBox(QStringLiteral("Opciones"), this);
        auto* inside = new QHBoxLayout(options);
        inside->addWidget(todos);
        inside->addWidget(enlace);
        body()->addWidget(options);
        row({grabar, apagado, salir});
        oculto->setVisible(false);
    }

    QPushButton* salir;
    QPushButton* grabar;
    QPushButton* apagado;
    DatePicker* hasta;
    DatePicker* desde;
    QLineEdit* nombre;
    QLineEdit* codigo;
    QLineEdit* oculto;
    QPlainTextEdit* notas;
    QComboBox* lista;
    QCheckBox* todos;
    ClickLabel* enlace;

    using Form::caption;
    using Form::keys;
    using Form::tabOrder;
};

// A window whose buttons count their presses: "Aceptar", "Salir", and a box whose own
// Enter runs a handler.
class Keyed : public Form {
public:
    Keyed()
        : Form(QStringLiteral("FRMteclas"), QStringLiteral("Teclas")) {
        box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("EDIbox"));
        own = new QLineEdit(this);
        own->setObjectName(QStringLiteral("EDIpropio"));
        memo = new QPlainTextEdit(this);
        memo->setObjectName(QStringLiteral("MEMtexto"));
        check = new QCheckBox(QStringLiteral("Activo"), this);
        check->setObjectName(QStringLiteral("CHBactivo"));
        body()->addWidget(box);
        body()->addWidget(own);
        body()->addWidget(memo);
        body()->addWidget(check);
        aceptar = button(QStringLiteral("BTNacepta"), QStringLiteral("Aceptar"));
        otro = button(QStringLiteral("BTNotro"), QStringLiteral("Otro"));
        salir = button(QStringLiteral("BTNsalir"), QStringLiteral("&Salir"));
        row({aceptar, otro, salir});
        handle(aceptar, &QPushButton::clicked, &Keyed::BTNaceptaClick);
        handle(otro, &QPushButton::clicked, &Keyed::BTNotroClick);
        handle(salir, &QPushButton::clicked, &Keyed::BTNsalirClick);
        handle(own, &QLineEdit::returnPressed, &Keyed::EDIpropioEnter);
    }
    void BTNaceptaClick() { log.append(QStringLiteral("acepta")); }
    void BTNotroClick() { log.append(QStringLiteral("otro")); }
    void BTNsalirClick() {
        log.append(QStringLiteral("salir"));
        if (failLeaving)
            throw Error(QStringLiteral("no se puede salir"));
        close();
    }
    void EDIpropioEnter() { log.append(QStringLiteral("propio")); }

    QLineEdit* box;
    QLineEdit* own;
    QPlainTextEdit* memo;
    QCheckBox* check;
    QPushButton* aceptar;
    QPushButton* otro;
    QPushButton* salir;
    QStringList log;
    bool failLeaving = false;

    using Form::escapeCloses;
    using Form::keys;
};

bool showActive(QWidget* w) {
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return false;
    w->activateWindow();
    return QTest::qWaitForWindowActive(w) &&
           QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}

// A key pressed in a control that has the focus, as a person presses it.
void key(QWidget* at, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    at->setFocus();
    QTest::keyClick(at, k, modifiers);
}

// The names of the controls Tab goes through from `from` until it comes back to it.
QStringList tabRound(QWidget* from, int most = 30) {
    from->setFocus();
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < most; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        while (now && now->objectName().isEmpty() && now->parentWidget())
            now = now->parentWidget(); // the line edit of a list or a date box
        if (now == from)
            return names;
        names.append(now ? now->objectName() : QStringLiteral("(nada)"));
    }
    return names;
}

} // namespace

class TestKeys : public UiTest {
    Q_OBJECT

private slots:

    void tabFollowsTheLayoutsNotTheOrderOfMaking() {
        Scrambled w;
        QVERIFY(showActive(&w));
        QCOMPARE(tabRound(w.codigo),
                 QStringList({"EDIcodigo", "EDInombre", "CBXlista", "DTPdesde", "DTPhasta",
                              "MEMnotas", "CHBtodos", "Label34", "BTNgraba", "BTNsalir"}));
        // Backwards the same way.
        w.codigo->setFocus();
        QTest::keyClick(w.codigo, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.salir);
        QTest::keyClick(w.salir, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.grabar);
    }

    void hiddenAndDisabledControlsJoinInTheirPlaceWhenUsable() {
        Scrambled w;
        QVERIFY(showActive(&w));
        w.oculto->setVisible(true);
        w.apagado->setEnabled(true);
        QCOMPARE(
            tabRound(w.codigo),
            QStringList({"EDIcodigo", "EDInombre", "CBXlista", "DTPdesde", "EDIoculto", "DTPhasta",
                         "MEMnotas", "CHBtodos", "Label34", "BTNgraba", "BTNapagado", "BTNsalir"}));
        const QList<QWidget*> order = TabChain::readingOrder(&w);
        QCOMPARE(order.size(), 12);
        QCOMPARE(order.first(), w.codigo);
        QCOMPARE(order.last(), w.salir);
    }

    void aWindowCanPutOneControlElsewhere() {
        Scrambled w;
        w.tabOrder(w.nombre, w.salir);
        QVERIFY(showActive(&w));
        w.nombre->setFocus();
        QTest::keyClick(w.nombre, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.salir);
        // Shown again, the window keeps it.
        w.hide();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.nombre->nextInFocusChain(), w.salir);
    }

    void tabLeavesMemosAndGrids() {
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        months.open();
        Scrambled w;
        auto* grid = new DBGrid(&w);
        grid->setObjectName(QStringLiteral("DBGmeses"));
        grid->setDataSource(&source);
        w.body()->insertWidget(w.body()->count() - 1, grid);
        QVERIFY(showActive(&w));
        w.notas->setFocus();
        QTest::keyClicks(w.notas, QStringLiteral("uno"));
        QTest::keyClick(w.notas, Qt::Key_Tab);
        QCOMPARE(w.notas->toPlainText(), QStringLiteral("uno"));
        QCOMPARE(QApplication::focusWidget(), w.todos);
        // Arrows go from row to row, Tab out of the grid.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(months.currentRow(), 1);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.grabar);
        QCOMPARE(months.currentRow(), 1);
    }

    void controlsAreNamedByTheirCaptions() {
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        Scrambled w;
        auto* grid = new DBGrid(&w);
        grid->setDataSource(&source);
        grid->setColumns({{QStringLiteral("num"), QStringLiteral("Núm.")},
                          {QStringLiteral("mes"), QStringLiteral("Mes ")}});
        auto name = [](QWidget* x) {
            return QAccessible::queryAccessibleInterface(x)->text(QAccessible::Name);
        };
        QCOMPARE(name(w.codigo), QStringLiteral("Código"));
        QCOMPARE(name(w.salir), QStringLiteral("Salir"));
        QCOMPARE(name(w.enlace), QStringLiteral("Ver mas"));
        // A grid is called by its columns until a caption names it.
        QCOMPARE(name(grid), QStringLiteral("Núm., Mes"));
        auto* heading = new QLabel(QStringLiteral("Meses del año"), &w);
        Scrambled::caption(heading, grid);
        QCOMPARE(name(grid), QStringLiteral("Meses del año"));
        grid->setColumns({{QStringLiteral("mes"), QStringLiteral("Mes")}});
        QCOMPARE(name(grid), QStringLiteral("Meses del año"));
        // A caption's access key takes the focus to its box and is not read out.
        auto* keyed = new QLabel(QStringLiteral("&Fecha final"), &w);
        Scrambled::caption(keyed, w.hasta);
        QCOMPARE(name(w.hasta), QStringLiteral("Fecha final"));
        QVERIFY(showActive(&w));
        w.codigo->setFocus();
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w.hasta);
    }

    void escapePressesTheLeavingButton() {
        Keyed w;
        w.keys(nullptr, w.salir);
        QVERIFY(showActive(&w));
        for (QWidget* from : std::initializer_list<QWidget*>{w.box, w.memo, w.check, w.otro}) {
            w.log.clear();
            QVERIFY(showActive(&w));
            key(from, Qt::Key_Escape);
            QCOMPARE(w.log, QStringList({"salir"}));
            QVERIFY2(!w.isVisible(), qPrintable(from->objectName()));
        }
        // As a click: a failing handler shows its error and the window stays.
        w.failLeaving = true;
        w.log.clear();
        QVERIFY(showActive(&w));
        key(w.box, Qt::Key_Escape);
        QCOMPARE(w.log, QStringList({"salir"}));
        QCOMPARE(messages->errors(), QStringList({"no se puede salir"}));
        QVERIFY(w.isVisible());
    }

    void escapeDoesNothingWhenTheLeavingButtonCannotBePressed() {
        Keyed w;
        w.keys(nullptr, w.salir);
        QVERIFY(showActive(&w));
        w.salir->setEnabled(false);
        key(w.box, Qt::Key_Escape);
        w.salir->setEnabled(true);
        w.salir->setVisible(false);
        key(w.box, Qt::Key_Escape);
        QVERIFY(w.log.isEmpty());
        QVERIFY(w.isVisible());
        // Nor in a window without one, unless it closes on Escape as by its close box.
        Keyed plain;
        QVERIFY(showActive(&plain));
        key(plain.box, Qt::Key_Escape);
        QVERIFY(plain.isVisible());
        QVERIFY(plain.log.isEmpty());
        plain.escapeCloses();
        key(plain.box, Qt::Key_Escape);
        QVERIFY(!plain.isVisible());
        QVERIFY(plain.log.isEmpty());
        // A leaving button that cannot be pressed keeps the window open all the same.
        w.escapeCloses();
        QVERIFY(showActive(&w));
        key(w.box, Qt::Key_Escape);
        QVERIFY(w.isVisible());
    }

    void enterInABoxPressesOnlyTheWindowsMainAction() {
        Keyed plain;
        QVERIFY(showActive(&plain));
        for (QWidget* from : std::initializer_list<QWidget*>{plain.box, plain.check})
            key(from, Qt::Key_Return);
        QVERIFY(plain.log.isEmpty());
        QVERIFY(plain.isVisible());

        Keyed w;
        w.keys(w.aceptar, w.salir);
        QVERIFY(showActive(&w));
        key(w.box, Qt::Key_Return);
        key(w.box, Qt::Key_Enter, Qt::KeypadModifier);
        key(w.check, Qt::Key_Return);
        QCOMPARE(w.log, QStringList({"acepta", "acepta", "acepta"}));
        // A memo takes Enter as a new line.
        w.log.clear();
        key(w.memo, Qt::Key_Return);
        QVERIFY(w.log.isEmpty());
        QCOMPARE(w.memo->toPlainText(), QStringLiteral("\n"));
        // A box whose own Enter runs a handler keeps it: the main action is not pressed too.
        key(w.own, Qt::Key_Return);
        QCOMPARE(w.log, QStringList({"propio"}));
        // Not while the main action cannot be pressed.
        w.log.clear();
        w.aceptar->setEnabled(false);
        key(w.box, Qt::Key_Return);
        QVERIFY(w.log.isEmpty());
    }

    void enterOnAButtonPressesThatButton() {
        Keyed w;
        w.keys(w.aceptar, w.salir);
        auto* link = new ClickLabel(QStringLiteral("Ver mas"), &w);
        w.body()->addWidget(link);
        int followed = 0;
        connect(link, &ClickLabel::clicked, &w, [&] { ++followed; });
        QVERIFY(showActive(&w));
        w.otro->setFocus();
        QTest::keyClick(w.otro, Qt::Key_Return);
        QTest::keyClick(w.otro, Qt::Key_Space);
        QCOMPARE(w.log, QStringList({"otro", "otro"}));
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Return);
        QCOMPARE(followed, 1);
        QCOMPARE(w.log, QStringList({"otro", "otro"}));
        // The access key in a button's caption presses it, as a click does.
        QTest::keyClick(link, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(w.log, QStringList({"otro", "otro", "salir"}));
        QVERIFY(!w.isVisible());
    }
};

QObject* keysTests() {
    return new TestKeys;
}

#include "tst_keys.moc"
