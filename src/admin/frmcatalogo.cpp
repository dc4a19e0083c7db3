#include "frmcatalogo.h"

#include "app/application.h"
#include "catalogues.h"
#include "core/error.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/schema.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

TFRMcatalogo::TFRMcatalogo(QWidget* parent)
    : Form(QStringLiteral("FRMcatalogo"), QStringLiteral("Catálogos"), parent) {
    catalogos = new Catalogues(Application::instance()->DTM()->connection(), this);
    catalogos->setObjectName(QStringLiteral("catalogos"));

    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("62"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Catálogos"));

    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Catálogo"));
    CBXcatalogo = make<QComboBox>(QStringLiteral("CBXcatalogo"));
    for (const Catalogue& c : catalogues()) {
        CBXcatalogo->addItem(c.title);
        m_sources.append(new DataSource(catalogos->rows(c), this));
    }
    caption(Label1, CBXcatalogo);
    row({Label1, CBXcatalogo});

    DBGcatalogo = make<DBGrid>(QStringLiteral("DBGcatalogo"));
    DBGcatalogo->setAccessibleName(QStringLiteral("Filas del catálogo"));
    body()->addWidget(DBGcatalogo, 1);

    BTNexporta = button(QStringLiteral("BTNexporta"), QStringLiteral("Exportar CSV"));
    BTNimporta = button(QStringLiteral("BTNimporta"), QStringLiteral("Importar CSV"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNexporta, BTNimporta, BTNsalir}, Qt::AlignRight);
    setOpeningSize(1000, 640);

    keys(nullptr, BTNsalir);
    handle(CBXcatalogo, &QComboBox::activated, &TFRMcatalogo::CBXcatalogoChange);
    handle(BTNexporta, &QPushButton::clicked, &TFRMcatalogo::BTNexportaClick);
    handle(BTNimporta, &QPushButton::clicked, &TFRMcatalogo::BTNimportaClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMcatalogo::BTNsalirClick);
}

const Catalogue& TFRMcatalogo::elegido() const {
    return catalogues().at(qMax(0, CBXcatalogo->currentIndex()));
}

void TFRMcatalogo::FormActivate() {
    muestra();
}

void TFRMcatalogo::muestra() {
    const int chosen = qMax(0, CBXcatalogo->currentIndex());
    Query* rows = catalogos->rows(elegido());
    rows->close();
    rows->open();
    if (DBGcatalogo->dataSource() == m_sources.at(chosen))
        return;
    DBGcatalogo->setDataSource(m_sources.at(chosen));
    // Every column under its name, as wide as what it holds allows, within reason.
    QList<DBGrid::Column> columns;
    const int letter = fontMetrics().averageCharWidth();
    for (const ColumnDef& c : elegido().definition().columns) {
        const int held = c.type == ColumnType::Text ? c.size : c.type == ColumnType::Memo ? 40 : 8;
        const int letters = qBound(int(c.name.size()) + 2, held + 1, 40);
        columns.append({c.name, c.name, letters * letter + 12});
    }
    DBGcatalogo->setColumns(columns);
    DBGcatalogo->setAccessibleName(QStringLiteral("Filas del catálogo ") + elegido().title);
}

void TFRMcatalogo::CBXcatalogoChange() {
    muestra();
}

void TFRMcatalogo::BTNexportaClick() {
    const Catalogue& c = elegido();
    const QString path =
        chooseFile(QStringLiteral("Exportar CSV"), c.table + QStringLiteral(".csv"),
                   QStringLiteral("CSV para hojas de cálculo (*.csv)"));
    if (path.isEmpty())
        return;
    const QByteArray csv = catalogos->exportCsv(c);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        throw Error(QStringLiteral("No se puede escribir %1: %2").arg(path, file.errorString()));
    muestra();
    inform(QStringLiteral("%1: %2 filas exportadas a %3")
               .arg(c.title)
               .arg(catalogos->rows(c)->rowCount())
               .arg(QDir::toNativeSeparators(path)));
}

void TFRMcatalogo::BTNimportaClick() {
    const Catalogue& c = elegido();
    const QString path = chooseFileToRead(QStringLiteral("Importar CSV"),
                                          QStringLiteral("CSV (*.csv *.txt);;Todos (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("No se puede leer %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    const Catalogues::Replaced replaced =
        catalogos->importCsv(c, bytes, QFileInfo(path).fileName());
    muestra();
    inform(Catalogues::replacedMessage(c, replaced));
}

void TFRMcatalogo::BTNsalirClick() {
    close();
}
