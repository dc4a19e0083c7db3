#include "frmmuestra.h"

#include <QLabel>
#include <QPushButton>

TFRMmuestra::TFRMmuestra(QWidget* parent)
    : Form(QStringLiteral("FRMmuestra"), QStringLiteral("Seguimiento a unidades del Ministerio"),
           parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("3"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de productos"));
    LBLestado1 = new QLabel(this);
    LBLestado1->setObjectName(QStringLiteral("LBLestado1"));
    LBLestado1->setVisible(false);
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    BTNagreprod = new QPushButton(QStringLiteral("A&gregar  registro"), this);
    BTNagreprod->setObjectName(QStringLiteral("BTNagreprod"));
    body()->addWidget(BTNagreprod);
    BTNgrabaprod = new QPushButton(QStringLiteral("Grabar registro"), this);
    BTNgrabaprod->setObjectName(QStringLiteral("BTNgrabaprod"));
    BTNgrabaprod->setVisible(false);
    body()->addWidget(BTNgrabaprod);
    BTNelimina = new QPushButton(QStringLiteral("Eliminar registro"), this);
    BTNelimina->setObjectName(QStringLiteral("BTNelimina"));
    body()->addWidget(BTNelimina);
    body()->addStretch(1);
}
