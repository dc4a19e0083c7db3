#include "frmimporta.h"

#include "app/application.h"
#include "importer.h"
#include "store/tdtm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QProgressBar>

TFRMimporta::TFRMimporta(QWidget* parent)
    : Form(QStringLiteral("FRMimporta"), QStringLiteral("Importar base anterior"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("63"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Importar base anterior"));

    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Archivo"));
    EDIarchivo = make<QLineEdit>(QStringLiteral("EDIarchivo"));
    BTNexaminar = button(QStringLiteral("BTNexaminar"), QStringLiteral("Examinar"));
    caption(Label1, EDIarchivo);
    EDIarchivo->setMinimumWidth(fontMetrics().horizontalAdvance(u'x') * 60);
    row({Label1, EDIarchivo, BTNexaminar});

    LBLprogreso = make<QLabel>(QStringLiteral("LBLprogreso"));
    PBRimporta = make<QProgressBar>(QStringLiteral("PBRimporta"));
    PBRimporta->setRange(0, 100);
    PBRimporta->setValue(0);
    PBRimporta->setAccessibleName(QStringLiteral("Avance de la importación"));
    body()->addWidget(LBLprogreso);
    body()->addWidget(PBRimporta);
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Resultado"));
    LSTresultado = make<QListWidget>(QStringLiteral("LSTresultado"));
    caption(Label2, LSTresultado);
    body()->addWidget(Label2);
    body()->addWidget(LSTresultado, 1);

    BTNimporta = button(QStringLiteral("BTNimporta"), QStringLiteral("Importar"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("Cancelar"));
    BTNcancela->setEnabled(false);
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNimporta, BTNcancela, BTNsalir}, Qt::AlignRight);
    setOpeningSize(760, 520);

    keys(nullptr, BTNsalir);
    handle(BTNexaminar, &QPushButton::clicked, &TFRMimporta::BTNexaminarClick);
    handle(BTNimporta, &QPushButton::clicked, &TFRMimporta::BTNimportaClick);
    handle(BTNcancela, &QPushButton::clicked, &TFRMimporta::BTNcancelaClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMimporta::BTNsalirClick);
}

void TFRMimporta::BTNexaminarClick() {
    const QString path = chooseFileToRead(QStringLiteral("Importar base anterior"),
                                          QStringLiteral("Base de datos de Access (*.mdb)"));
    if (!path.isEmpty())
        EDIarchivo->setText(path);
}

bool TFRMimporta::avance(const QString& table, qint64 rows, qint64 total) {
    LBLprogreso->setText(QStringLiteral("%1: %2 de %3 filas").arg(table).arg(rows).arg(total));
    PBRimporta->setValue(total > 0 ? int(qMin<qint64>(100, rows * 100 / total)) : 100);
    // "Cancelar" can be pressed while the import runs; nothing else of the window.
    QApplication::processEvents();
    return !m_cancelled;
}

void TFRMimporta::BTNimportaClick() {
    LSTresultado->clear();
    m_cancelled = false;
    const QString path = EDIarchivo->text().trimmed();
    if (path.isEmpty()) {
        inform(QStringLiteral("Elija el archivo que se importa"));
        return;
    }
    struct Running { // the window's buttons while the import runs, and after
        TFRMimporta* w;
        explicit Running(TFRMimporta* window)
            : w(window) {
            for (QWidget* b :
                 {static_cast<QWidget*>(w->BTNimporta), static_cast<QWidget*>(w->BTNsalir),
                  static_cast<QWidget*>(w->BTNexaminar), static_cast<QWidget*>(w->EDIarchivo)})
                b->setEnabled(false);
            w->BTNcancela->setEnabled(true);
            w->m_running = true;
        }
        ~Running() {
            for (QWidget* b :
                 {static_cast<QWidget*>(w->BTNimporta), static_cast<QWidget*>(w->BTNsalir),
                  static_cast<QWidget*>(w->BTNexaminar), static_cast<QWidget*>(w->EDIarchivo)})
                b->setEnabled(true);
            w->BTNcancela->setEnabled(false);
            w->m_running = false;
        }
    };
    Importer::Summary summary;
    {
        Running running(this);
        Importer importer(*Application::instance()->DTM()->connection(), path);
        summary = importer.run([this](const QString& table, qint64 rows, qint64 total) {
            return avance(table, rows, total);
        });
    }
    LSTresultado->addItems(summary.lines());
    inform(QStringLiteral("Importación terminada: %1 tablas, gestiones %2")
               .arg(summary.tables.size())
               .arg(summary.years.join(QStringLiteral(", "))));
}

void TFRMimporta::BTNcancelaClick() {
    m_cancelled = true;
}

void TFRMimporta::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void TFRMimporta::BTNsalirClick() {
    close();
}
