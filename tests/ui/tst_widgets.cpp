#include "fixture/controls.h"
#include "fixture/uiscript.h"
#include "fixture/uitest.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/table.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"
#include "ui/focushighlight.h"
#include "ui/form.h"
#include "ui/keyfilter.h"
#include "ui/wholecharacters.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TestWidgets : public UiTest {
    Q_OBJECT

private slots:

    void theGridSelectsTheCurrentRowBothWays() {
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        DBGrid grid;
        grid.setDataSource(&source);
        // Both the data source and the grid's own view of it keep Qt's model rules through
        // every read, move, change and filter below.
        QAbstractItemModelTester sourceRules(
            &source, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester gridRules(grid.model(),
                                           QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.setColumns({{"mes", "Mes", 120}, {"num", "Número"}});
        months.open();
        QCOMPARE(grid.model()->rowCount(), 12);
        QCOMPARE(grid.model()->columnCount(), 2); // "mes" shown first
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Mes"));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Número"));
        QCOMPARE(grid.cellText(2, "mes"), QStringLiteral("Marzo"));
        QCOMPARE(grid.currentIndex().row(), 0);

        grid.selectRow(4);
        QCOMPARE(months.currentRow(), 4);
        QCOMPARE(months.text("mes"), QStringLiteral("Mayo"));
        months.last();
        QCOMPARE(grid.currentIndex().row(), 11);
        months.refresh();
        QCOMPARE(grid.currentIndex().row(), 11); // kept through a new read

        grid.setColouring([&](int row, const QString& field) {
            DBGrid::CellColours colours;
            if (months.valueAt(row, 0).toInt() > 6)
                colours.background = QColor(255, 255, 0);
            colours.bold = field == QLatin1String("mes");
            return colours;
        });
        const QModelIndex late = grid.cellIndex(8, "mes");
        const QModelIndex early = grid.cellIndex(1, "mes");
        QCOMPARE(grid.model()->data(late, Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
        QVERIFY(!grid.model()->data(early, Qt::BackgroundRole).isValid());
        QVERIFY(grid.model()->data(early, Qt::FontRole).value<QFont>().bold());

        months.edit();
        months.setField(QStringLiteral("mes"), QStringLiteral("Doce"));
        months.post();
        months.append();
        months.setField(QStringLiteral("num"), 13);
        months.cancel();
        months.setFilterText(QStringLiteral("mes='Enero' or mes='Marzo'"));
        months.setFiltered(true);
        QCOMPARE(grid.model()->rowCount(), 2);
        months.close();
        QCOMPARE(grid.model()->rowCount(), 0);
    }

    void assistiveTechnologyReadsWhatAGridAndAListShow() {
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new DBGrid;
        auto* list = new DBLookupComboBox;
        layout->addWidget(grid);
        layout->addWidget(list);
        grid->setDataSource(&source);
        grid->setColumns({{"mes", "Mes"}, {"missing", "Nada"}});
        list->setListSource(&source, "num", "mes");
        months.open();
        window.resize(400, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The grid: its one shown column, titled, each cell with its text where it shows.
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(grid)->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 1);
        QCOMPARE(table->rowCount(), 12);
        QCOMPARE(table->columnDescription(0), QStringLiteral("Mes"));
        QAccessibleInterface* cell = table->cellAt(2, 0);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Marzo"));
        const QRect shown = grid->visualRect(grid->cellIndex(2, "mes"));
        QCOMPARE(cell->rect(), QRect(grid->viewport()->mapToGlobal(shown.topLeft()), shown.size()));
        // The list's entries: the listed field alone.
        QAccessibleInterface* entries = QAccessible::queryAccessibleInterface(list->view());
        QVERIFY(entries && entries->tableInterface());
        QCOMPARE(entries->tableInterface()->columnCount(), 1);
        QCOMPARE(entries->tableInterface()->cellAt(4, 0)->text(QAccessible::Name),
                 QStringLiteral("Mayo"));
    }

    void gridsShowDatesAndAmountsAsTheSystemWritesThem() {
        c->execDirect(QStringLiteral("insert into t_distribucion (cod_area, id_producto, gestion, "
                                     "correlativo, monto_total, fecact) values ('U1', 1, '2008', "
                                     "1, 1500.5, '2008-03-05')"));
        Table t(c.get(), QStringLiteral("t_distribucion"));
        DataSource source(&t);
        DBGrid grid;
        grid.setDataSource(&source);
        t.open();
        QCOMPARE(grid.cellText(0, "monto_total"), QStringLiteral("1500,5"));
        QCOMPARE(grid.cellText(0, "fecact"), QStringLiteral("05/mar/2008"));
        QCOMPARE(grid.cellText(0, "fecmod"), QString());
    }

    void aLookupListMovesItsDatasetAndTheDetailsFollow() {
        Table vice(c.get(), QStringLiteral("t_vicemin"));
        Table dir(c.get(), QStringLiteral("t_direccion"));
        dir.setMaster(&vice, {"cod_min", "cod_vicemin", "vicmin_gestion"},
                      {"cod_min", "cod_vicemin", "dir_gestion"});
        DataSource vs(&vice), ds(&dir);
        DBLookupComboBox DBLvicemin, DBLdirecc;
        DBLvicemin.setListSource(&vs, "cod_vicemin", "vicmin_nombre");
        DBLdirecc.setListSource(&ds, "cod_direc", "dir_nombre");
        vice.setFilterText(QStringLiteral("vicmin_gestion='2008' and tipo='MN'"));
        vice.setFiltered(true);
        vice.open();
        dir.open();
        QCOMPARE(DBLvicemin.count(), 2);
        QCOMPARE(DBLvicemin.currentIndex(), -1);
        QCOMPARE(DBLvicemin.itemText(1), QStringLiteral("Viceministerio de Tierras"));
        QSignalSpy picked(&DBLvicemin, &DBLookupComboBox::picked);
        DBLvicemin.pick(1);
        QCOMPARE(picked.size(), 1);
        QCOMPARE(DBLvicemin.keyValue().toString(), QStringLiteral("V02"));
        QCOMPARE(DBLvicemin.currentText(), QStringLiteral("Viceministerio de Tierras"));
        QCOMPARE(vice.currentRow(), 1);
        QCOMPARE(DBLdirecc.count(), 1);
        QCOMPARE(DBLdirecc.itemText(0), QStringLiteral("Dirección General de Tierras"));

        // A new read keeps the entry shown; a key the list lacks shows nothing.
        vice.refresh();
        QCOMPARE(DBLvicemin.currentText(), QStringLiteral("Viceministerio de Tierras"));
        DBLvicemin.setKeyValue(QStringLiteral("E01"));
        QCOMPARE(DBLvicemin.currentIndex(), -1);
        DBLvicemin.setKeyValue(QStringLiteral("V01"));
        QCOMPARE(DBLvicemin.currentIndex(), 0);
        QCOMPARE(vice.currentRow(), 1); // setting the key does not move the dataset
    }

    void boundBoxesShowAndWriteTheCurrentRow() {
        Table t(c.get(), QStringLiteral("t_mes"));
        DataSource source(&t);
        Form w(QStringLiteral("FRMprueba"), QStringLiteral("Prueba"));
        auto* name = new DBEdit(&w);
        auto* number = new DBEdit(&w);
        auto* memo = new DBMemo(&w);
        auto* other = new QLineEdit(&w);
        for (QWidget* box : {static_cast<QWidget*>(name), static_cast<QWidget*>(number),
                             static_cast<QWidget*>(memo), static_cast<QWidget*>(other)})
            w.body()->addWidget(box);
        name->setDataSource(&source, "mes");
        number->setDataSource(&source, "num");
        memo->setDataSource(&source, "mes");
        t.open();
        QCOMPARE(name->text(), QStringLiteral("Enero"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Enero"));
        t.next();
        QCOMPARE(name->text(), QStringLiteral("Febrero"));
        QCOMPARE(number->text(), QStringLiteral("2"));

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("FEBRERO"));
        other->setFocus(); // leaving the box writes it
        QCOMPARE(t.state(), Table::State::Edit);
        QCOMPARE(memo->toPlainText(), QStringLiteral("FEBRERO"));
        t.post();
        QCOMPARE(db->scalar(QStringLiteral("select mes from t_mes where num = 2")).toString(),
                 QStringLiteral("FEBRERO"));

        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("dos"));
        other->setFocus();
        QCOMPARE(messages->errors().size(), 1);
        QCOMPARE(number->text(), QStringLiteral("2")); // back to the field's value
        t.cancel();

        memo->setFocus();
        memo->selectAll();
        QTest::keyClicks(memo, QStringLiteral("Mes dos"));
        other->setFocus();
        t.post();
        QCOMPARE(db->scalar(QStringLiteral("select mes from t_mes where num = 2")).toString(),
                 QStringLiteral("Mes dos"));
        name->setReadOnly(true);
        QCOMPARE(name->text(), QStringLiteral("Mes dos"));
    }

    void aBoundBoxTakesWhatItsColumnHolds() {
        Table headers(c.get(), QStringLiteral("t_prodaccion"));
        DataSource source(&headers);
        Query listed(c.get(), QStringLiteral("select * from t_prodaccion"));
        DataSource listedSource(&listed);
        Form w(QStringLiteral("FRMprueba"), QStringLiteral("Prueba"));
        auto* name = new DBEdit(&w);
        name->setObjectName(QStringLiteral("DBEdit1"));
        auto* memo = new DBMemo(&w);
        memo->setObjectName(QStringLiteral("DBMemo3"));
        auto* other = new QLineEdit(&w);
        for (QWidget* box : std::initializer_list<QWidget*>{name, memo, other})
            w.body()->addWidget(box);

        // The width comes from the table's column, or for a query from the tables that
        // hold a column of that name; other fields leave the box as wide as Qt's.
        name->setDataSource(&listedSource, QStringLiteral("proy_ok"));
        QCOMPARE(name->maxLength(), 1);
        name->setDataSource(&listedSource, QStringLiteral("id_proyecto"));
        QCOMPARE(name->maxLength(), 32767);
        name->setDataSource(&source, QStringLiteral("proy_descorta"));
        QCOMPARE(name->maxLength(), 250);
        memo->setDataSource(&source, QStringLiteral("proy_descripcion"));

        headers.open();
        headers.append();
        headers.setField(QStringLiteral("cod_unidad"), QStringLiteral("U1"));
        headers.setField(QStringLiteral("uni_gestion"), QStringLiteral("2008"));
        headers.setField(QStringLiteral("id_proyecto"), 1);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString phrase = QStringLiteral("Señor O'Brien: \"ñandú\" 50%; ");
        QString typed;
        while (typed.size() < 300)
            typed += phrase;
        TYPE(&w, "DBEdit1", typed);
        QCOMPARE(name->text(), typed.left(250));
        TYPE(&w, "DBMemo3", typed + typed);
        other->setFocus(); // leaving the boxes writes them
        headers.post();
        QVERIFY(messages->shown().isEmpty());
        auto stored = [&](const char* column) {
            return db->scalar(QStringLiteral("select %1 from t_prodaccion where id_proyecto = 1")
                                  .arg(QLatin1String(column)));
        };
        QCOMPARE(stored("proy_descorta").toString(), typed.left(250));
        QCOMPARE(stored("proy_descripcion").toString(), typed + typed);

        // Emptied boxes store empty texts.
        name->setFocus();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(name, Qt::Key_Delete);
        memo->setFocus();
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_Delete);
        other->setFocus();
        headers.post();
        QVERIFY(messages->shown().isEmpty());
        QCOMPARE(count("t_prodaccion where proy_descorta = '' and proy_descripcion = ''"),
                 qint64(1));
    }

    void aBoxFullUpToHalfACharacterKeepsWholeCharacters() {
        Table headers(c.get(), QStringLiteral("t_prodaccion"));
        DataSource source(&headers);
        Form w(QStringLiteral("FRMprueba"), QStringLiteral("Prueba"));
        auto* flag = new DBEdit(&w);
        flag->setObjectName(QStringLiteral("DBEactivo"));
        flag->setDataSource(&source, QStringLiteral("proy_ok")); // one character
        auto* name = new QLineEdit(&w);
        name->setObjectName(QStringLiteral("Edit1"));
        name->setMaxLength(4);
        auto* year = new QComboBox(&w);
        year->setObjectName(QStringLiteral("CBXgestion"));
        year->setEditable(true);
        year->lineEdit()->setMaxLength(2);
        for (QWidget* box : std::initializer_list<QWidget*>{flag, name, year})
            w.body()->addWidget(box);
        headers.open();
        headers.append();
        headers.setField(QStringLiteral("cod_unidad"), QStringLiteral("U1"));
        headers.setField(QStringLiteral("uni_gestion"), QStringLiteral("2008"));
        headers.setField(QStringLiteral("id_proyecto"), 1);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        // Room for one unit of the two of "🌱": the box keeps none of it.
        TYPE(&w, "Edit1", QStringLiteral("ab🌱🌱"));
        QCOMPARE(name->text(), QStringLiteral("ab🌱"));
        TYPE(&w, "Edit1", QStringLiteral("abc🌱"));
        QCOMPARE(name->text(), QStringLiteral("abc"));
        // Typed between two characters, the caret stays where the half was dropped.
        name->setCursorPosition(1);
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("🌱"),
                            Qt::NoModifier);
        QCOMPARE(name->text(), QStringLiteral("abc"));
        QCOMPARE(name->cursorPosition(), 1);
        TYPE(&w, "CBXgestion", QStringLiteral("a💧"));
        QCOMPARE(year->currentText(), QStringLiteral("a"));
        TYPE(&w, "CBXgestion", QStringLiteral("💧"));
        QCOMPARE(year->currentText(), QStringLiteral("💧"));
        // A bound box stores what it shows.
        TYPE(&w, "DBEactivo", QStringLiteral("🌱"));
        QCOMPARE(flag->text(), QString());
        TYPE(&w, "DBEactivo", QStringLiteral("ñ🌱"));
        name->setFocus();
        headers.post();
        QVERIFY(messages->shown().isEmpty());
        QCOMPARE(db->scalar(QStringLiteral("select proy_ok from t_prodaccion")).toString(),
                 QStringLiteral("ñ"));

        QCOMPARE(WholeCharacters::of(QStringLiteral("a") + QChar(0xD83C) + QStringLiteral("b") +
                                     QChar(0xDF31) + QStringLiteral("🌱")),
                 QStringLiteral("ab🌱"));
    }

    void datePickersShowTheSystemsDatesWithinTheirLimits() {
        DatePicker DTPini;
        DTPini.setEarliest(QDate(2008, 1, 1));
        DTPini.setLatest(QDate(2008, 12, 31));
        DTPini.setDate(QDate(2008, 3, 5));
        QCOMPARE(DTPini.text(), QStringLiteral("05/mar/2008"));
        QVERIFY(DTPini.calendarPopup());
        DTPini.setDate(QDate(2009, 2, 1));
        QCOMPARE(DTPini.date(), QDate(2008, 12, 31));
        DTPini.setDate(QDate(2007, 2, 1));
        QCOMPARE(DTPini.date(), QDate(2008, 1, 1));
    }

    // The dates the user changes, and only those, are told apart from the program's.
    void aDateBoxTellsTheUsersChanges() {
        DatePicker DTPfin;
        DTPfin.setDate(QDate(2008, 3, 5));
        int edited = 0;
        QObject::connect(&DTPfin, &DatePicker::dateEdited, [&] { ++edited; });
        DTPfin.setDate(QDate(2008, 3, 6));
        DTPfin.setEarliest(QDate(2008, 4, 1)); // moves the date into the range
        QCOMPARE(edited, 0);
        QTest::keyClick(&DTPfin, Qt::Key_Up);
        QCOMPARE(edited, 1);
        DTPfin.calendarWidget()->setSelectedDate(QDate(2008, 5, 10));
        QCOMPARE(DTPfin.date(), QDate(2008, 5, 10));
        QCOMPARE(edited, 2);
    }

    // What a press of the mouse on a date box does, its keys do too: the box's limits are
    // set before the user types or opens the calendar.
    void aDateBoxIsComeToByKeysAsByTheMouse() {
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* hasta = new DatePicker(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(hasta);
        hasta->setDate(QDate(2008, 3, 1));
        int comings = 0;
        QObject::connect(hasta, &DatePicker::clicked, [&] {
            ++comings;
            hasta->setEarliest(QDate(2008, 6, 1));
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        QCOMPARE(comings, 0);
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), hasta);
        QCOMPARE(comings, 1);
        QCOMPARE(hasta->date(), QDate(2008, 6, 1)); // within the limit it was given
        QTest::keyClick(hasta, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(comings, 2);
        QCOMPARE(hasta->calendarWidget()->minimumDate(), QDate(2008, 6, 1));
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        // Arrows move the date: no coming to the box.
        QTest::keyClick(hasta, Qt::Key_Up);
        QCOMPARE(comings, 2);
    }

    void keyFiltersRefuseOtherCharacters() {
        QLineEdit box;
        setKeyFilter(&box, KeyFilter::digits, 3);
        QTest::keyClicks(&box, QStringLiteral("1a2-3 4"));
        QCOMPARE(box.text(), QStringLiteral("123"));
        QLineEdit amount;
        setKeyFilter(&amount, KeyFilter::decimal);
        QTest::keyClicks(&amount, QStringLiteral("1.500,5 Bs"));
        QCOMPARE(amount.text(), QStringLiteral("1.500,5"));
        int pos = 0;
        QString pasted = QStringLiteral("12a");
        QCOMPARE(box.validator()->validate(pasted, pos), QValidator::Invalid);
    }

    void anOtherKeyCanDeleteTheCharacterBeforeTheCaret() {
        QLineEdit box;
        setKeyFilter(&box, KeyFilter::amount, -1, KeyFilter::OtherKeys::DeleteBefore);
        QTest::keyClicks(&box, QStringLiteral("1500,5"));
        QTest::keyClick(&box, Qt::Key_A);
        QCOMPARE(box.text(), QStringLiteral("1500,"));
        QTest::keyClicks(&box, QStringLiteral(".-"));
        QCOMPARE(box.text(), QStringLiteral("150"));
        // In the middle of the text the key takes the character before the caret.
        QTest::keyClick(&box, Qt::Key_Left);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.text(), QStringLiteral("10"));
        QCOMPARE(box.cursorPosition(), 1);
        QTest::keyClicks(&box, QStringLiteral("2,"));
        QCOMPARE(box.text(), QStringLiteral("12,0"));
        // Backspace, the arrows and Delete keep their meaning; a paste of other characters
        // is refused whole.
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(box.text(), QStringLiteral("12,"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), QStringLiteral("12"));
        int pos = 0;
        QString pasted = QStringLiteral("1.5");
        QCOMPARE(box.validator()->validate(pasted, pos), QValidator::Invalid);
        // A read-only box loses nothing.
        box.setReadOnly(true);
        QTest::keyClick(&box, Qt::Key_X);
        QCOMPARE(box.text(), QStringLiteral("12"));
        // Without the kind, other keys are only ignored.
        QLineEdit plain;
        setKeyFilter(&plain, KeyFilter::amount);
        QTest::keyClicks(&plain, QStringLiteral("12x"));
        QCOMPARE(plain.text(), QStringLiteral("12"));
    }

    void theBoxBeingTypedInIsYellow() {
        Form w(QStringLiteral("FRMprueba"), QStringLiteral("Prueba"));
        auto* first = new QLineEdit(&w);
        auto* second = new QLineEdit(&w);
        auto* fixed = new QLineEdit(&w);
        fixed->setReadOnly(true);
        auto* year = new QComboBox(&w);
        year->setEditable(true);
        for (QWidget* b : {static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(fixed), static_cast<QWidget*>(year)})
            w.body()->addWidget(b);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QColor normal = second->palette().color(QPalette::Base);
        first->setFocus();
        QCOMPARE(first->palette().color(QPalette::Base), FocusHighlight::colour());
        second->setFocus();
        QCOMPARE(first->palette().color(QPalette::Base), normal);
        QCOMPARE(second->palette().color(QPalette::Base), FocusHighlight::colour());
        fixed->setFocus();
        QCOMPARE(fixed->palette().color(QPalette::Base), normal);
        year->setFocus();
        QCOMPARE(year->palette().color(QPalette::Base), FocusHighlight::colour());
    }

    void aClickLabelIsAButton() {
        ClickLabel l(QStringLiteral("Ingresar"));
        QSignalSpy clicked(&l, &ClickLabel::clicked);
        QTest::mouseClick(&l, Qt::LeftButton);
        QTest::keyClick(&l, Qt::Key_Space);
        QCOMPARE(clicked.size(), 2);
        l.setTextColour(QColor(128, 0, 0));
        QCOMPARE(l.textColour(), QColor(128, 0, 0));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&l);
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Ingresar"));
    }
};

QObject* widgetTests() {
    return new TestWidgets;
}

#include "tst_widgets.moc"
