#pragma once

#include "headerlist.h"
#include "ui/form.h"
#include "ui/headerboxes.h"

class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class DataSource;
class QFrame;
class QLabel;
class QLineEdit;
class ProductHeaders;
class QPushButton;

// The plan register browser: the active product headers of one executing unit in the
// session year. A type 1 user chooses the unit in three lookup lists; every other user works
// on the unit of the own account. Here headers are added, changed, deactivated and deleted,
// and the windows that work on the selected product are opened: the goal sheet or the
// information sheet, the initial data entry and, for territorial actions, the budget
// execution.
//
// The caller writes the mode into LBLestado1: "A" (adding: after a unit is chosen a header
// can be added, and "Agregar datos" opens the initial data entry) or "M" (modifying:
// "Agregar datos" prepares the entry window without showing it).
class TFRMmuestra : public Form {
    Q_OBJECT
public:
    explicit TFRMmuestra(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* Label5;
    QLabel* LBLestado1;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
    QLabel* LBLnomvic;
    QLabel* LBLnomdir;
    QLabel* LBLnomuni;

    // The unit: three lookup lists (type 1) or the own unit's names (other types).
    QLabel* LBLvicemin;
    DBLookupComboBox* DBLvicemin;
    DBEdit* DBEdit2;
    QLabel* LBLdirecc;
    DBLookupComboBox* DBLdirecc;
    DBEdit* DBEdit3;
    QLabel* LBLunidad;
    DBLookupComboBox* DBLunidad;
    DBEdit* DBEdit4;
    QLineEdit* EDIunidad;
    QLabel* LBLprograma;
    DBEdit* DBEprograma;

    DBGrid* DBGmuestra;

    // The selected header.
    QFrame* PNLmuestra;
    QLabel* LBLnomprod1;
    DBEdit* DBEdescorta;
    QLabel* LBLnomact1;
    DBMemo* DBMemo2;
    QLabel* LBLnomindi1;
    DBMemo* DBMemo1;
    QLabel* LBLactivo;
    DBEdit* DBEactivo;

    // A new header.
    QFrame* PNLgraba;
    QLabel* LBLnomprod;
    DBEdit* DBEdit1;
    QLabel* LBLnomact;
    DBMemo* DBMemo3;
    QLabel* LBLnomindi;
    DBMemo* DBMemo4;

    QPushButton* BTNmuestra;
    QPushButton* BTNmetas;
    QPushButton* BTNmodifi;
    QPushButton* BTNagreprod;
    QPushButton* BTNgrabaprod;
    QPushButton* BTNcancela;
    QPushButton* BTNelimina;
    QPushButton* BTNppto;
    QPushButton* BTNsalir;

    // The listed headers, and the statements of the window.
    HeaderList* Qprodacc;
    DataSource* DSOqprodacc;
    // The statements that number, change, reactivate and delete headers.
    ProductHeaders* registros;

    // Whether a header is being modified: between the two presses of BTNmodifi.
    bool modificando() const { return m_modificando; }

    void DBLviceminClick();
    void DBLdireccClick();
    void DBLunidadClick();
    void BTNmuestraClick();
    void BTNmetasClick();
    void BTNpptoClick();
    void BTNagreprodClick();
    void BTNgrabaprodClick();
    void BTNcancelaClick();
    void BTNmodifiClick();
    void DBEactivoExit();
    void BTNeliminaClick();
    void BTNsalirClick();

protected:
    void FormActivate() override;

private:
    // Captions of the window, the unit levels, the grid and the panels for the session kind;
    // the kind filter of the vice-ministry list.
    void titulos();
    // The selected header as the windows the browser opens show it.
    HeaderTexts selectedHeader() const;
    // Lists the unit's active headers of the year.
    void abre_lista(const QString& unit);
    void recarga_unidad(const QString& unit);
    // A header is listed and current: the actions on "the selected product" have one.
    bool hayFila() const;
    // LBLprod follows the row the grid shows selected.
    void sigueFila();
    // A row selected in the grid: "Agregar datos" only for a header without goals.
    void seleccion();
    // The boxes of the selected header hold an edit not yet written.
    // What the boxes of the selected header hold, and whether it differs from the stored.
    ProductHeaders::Texts typedTexts() const;
    bool filaEditada() const;
    // Writes the boxes of the selected header into its row.
    void graba_fila();
    void editable(bool on);

    bool m_modificando = false;
};
