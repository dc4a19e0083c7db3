#include "goalsheetform.h"

#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QLineEdit>
#include <QPlainTextEdit>

GoalSheetForm::GoalSheetForm(const QString& objectName, const QString& caption, QWidget* parent)
    : Form(objectName, caption, parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QString());
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    metas = nullptr;
    DSOhito = nullptr;
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"));
    EDIvicemin = make<QLineEdit>(QStringLiteral("EDIvicemin"));
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Direccion"));
    EDIdirecc = make<QLineEdit>(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = make<QLineEdit>(QStringLiteral("EDIunidad"));
    Label4 = make<QLabel>(QStringLiteral("Label4"));
    EDIproyecto = make<QLineEdit>(QStringLiteral("EDIproyecto"));
    LBLproducto = make<QLabel>(QStringLiteral("LBLproducto"));
    MEMresultado = make<QPlainTextEdit>(QStringLiteral("MEMresultado"));
    Label34 = make<ClickLabel>(QStringLiteral("Label34"), QStringLiteral("Ver mas "));
    EDIfecini = make<QLineEdit>(QStringLiteral("EDIfecini"));
    EDIfecfin = make<QLineEdit>(QStringLiteral("EDIfecfin"));
    DTMdesde = make<DatePicker>(QStringLiteral("DTMdesde"));
    DTMhasta = make<DatePicker>(QStringLiteral("DTMhasta"));
    DBEdescri = make<DBEdit>(QStringLiteral("DBEdescri"));
    DBEfecini = make<DBEdit>(QStringLiteral("DBEfecini"));
    DBEfecfin = make<DBEdit>(QStringLiteral("DBEfecfin"));
    DTMinicio = make<DatePicker>(QStringLiteral("DTMinicio"));
    DTMfinal = make<DatePicker>(QStringLiteral("DTMfinal"));
    DBGrid2 = make<DBGrid>(QStringLiteral("DBGrid2"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Plan sectorial"));
    BTNmodifi = button(QStringLiteral("BTNmodifi"), QStringLiteral("Modificar metas"));
    BTNgramet = button(QStringLiteral("BTNgramet"), QStringLiteral("Grabar metas"));
    BTNcancela = button(QStringLiteral("BTNcancela"), QStringLiteral("&Cancela"));
    BTNelimina = button(QStringLiteral("BTNelimina"), QStringLiteral("Eliminar metas"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("&Salir"));
    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar metas"));
}

void GoalSheetForm::abre_metas() {}
