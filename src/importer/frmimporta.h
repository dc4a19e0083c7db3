#pragma once

#include "ui/form.h"

class QListWidget;
class QProgressBar;

// Bringing an office's old database file (QUV.mdb) into the store: the file chosen, the
// import with its progress, and what happened.
class TFRMimporta : public Form {
    Q_OBJECT
public:
    explicit TFRMimporta(QWidget* parent = nullptr);

    QLabel* LBLnumero;
    QLabel* LBLtitulo;
    QLabel* Label1;
    QLineEdit* EDIarchivo;
    QPushButton* BTNexaminar;
    QLabel* LBLprogreso;
    QProgressBar* PBRimporta;
    QLabel* Label2;
    QListWidget* LSTresultado;
    QPushButton* BTNimporta;
    QPushButton* BTNcancela;
    QPushButton* BTNsalir;

    void BTNexaminarClick();
    void BTNimportaClick();
    void BTNcancelaClick();
    void BTNsalirClick();

protected:
    // The window stays open while an import runs: "Cancelar" stops it.
    void closeEvent(QCloseEvent* event) override;

private:
    // Shows the table being read and its rows; false once "Cancelar" was pressed.
    bool avance(const QString& table, qint64 rows, qint64 total);

    bool m_cancelled = false;
    bool m_running = false;
};
