#include "frmmuestra.h"

TFRMmuestra::TFRMmuestra(QWidget* parent)
    : Form(QStringLiteral("FRMmuestra"), QStringLiteral("Seguimiento a unidades del Ministerio"),
           parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("3"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de productos"));
    LBLestado1 = parameter(QStringLiteral("LBLestado1"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    BTNagreprod = button(QStringLiteral("BTNagreprod"), QStringLiteral("A&gregar  registro"));
    BTNgrabaprod = button(QStringLiteral("BTNgrabaprod"), QStringLiteral("Grabar registro"));
    BTNgrabaprod->setVisible(false);
    BTNelimina = button(QStringLiteral("BTNelimina"), QStringLiteral("Eliminar registro"));
    body()->addStretch(1);
    row({BTNagreprod, BTNgrabaprod, BTNelimina});
}
