#pragma once

#include "core/kind.h"
#include "ui/form.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

// The main menu, shown for the whole session. Each item prepares one of the other windows
// and shows it; which items can be used depends on the user type.
class TFRMmenpri : public Form {
    Q_OBJECT
public:
    explicit TFRMmenpri(QWidget* parent = nullptr);

    // Applies the rights of a user type to the menu; a type outside 1 to 4 changes nothing.
    void aplicaDerechos(int userType);

    QMenuBar* MainMenu1;
    QAction* Archivo1;
    QAction* Registro1;
    QAction* Datosiniciales2;
    QAction* Copiaseguridad1;
    QAction* edicion1;
    QAction* ProgramasResultados2;
    QAction* informe1;
    QAction* avance1;
    QAction* Comentarios1;
    QAction* Presupuestario1;
    QAction* reporte1;
    QAction* Listas1;
    QAction* Porunidad1;
    QAction* Ministerio1;
    QAction* EntidadDesconcentrada1;
    QAction* Configuracin1;
    QAction* Usuarios1;
    QAction* Abrirgestion1;
    QAction* Catalogos1;
    QAction* Importar1;
    QAction* Cerrar1;

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* Image1;

    void Datosiniciales2Click();
    void ProgramasResultados2Click();
    void avance1Click();
    void Ministerio1Click();
    void EntidadDesconcentrada1Click();
    void Usuarios1Click();
    void Copiaseguridad1Click();
    void Abrirgestion1Click();
    void Catalogos1Click();
    void Importar1Click();
    void Cerrar1Click();

private:
    QAction* item(QMenu* menu, const char* name, const QString& caption);
    QMenu* submenu(QWidget* parent, const char* name, const QString& caption, QAction*& action);
    void porUnidad(Kind kind);
};
