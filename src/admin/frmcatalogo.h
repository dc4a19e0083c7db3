#pragma once

#include "ui/form.h"

class Catalogues;
class DBGrid;
class DataSource;
class QComboBox;
struct Catalogue;

// The organisation, programmes and catalogues of the office: each shown, exported as CSV
// and replaced from a CSV file.
class TFRMcatalogo : public Form {
    Q_OBJECT
public:
    explicit TFRMcatalogo(QWidget* parent = nullptr);

    Catalogues* catalogos;

    QLabel* LBLnumero;
    QLabel* LBLtitulo;
    QLabel* Label1;
    QComboBox* CBXcatalogo;
    DBGrid* DBGcatalogo;
    QPushButton* BTNexporta;
    QPushButton* BTNimporta;
    QPushButton* BTNsalir;

    // The catalogue chosen in the list.
    const Catalogue& elegido() const;

    void CBXcatalogoChange();
    void BTNexportaClick();
    void BTNimportaClick();
    void BTNsalirClick();

protected:
    void FormActivate() override;

private:
    // Reads the chosen catalogue's rows again into the grid.
    void muestra();

    QList<DataSource*> m_sources;
};
