#include "frmavance.h"

#include "ui/dblookup.h"

#include <QLabel>
#include <QPushButton>

TFRMavance::TFRMavance(QWidget* parent)
    : Form(QStringLiteral("FRMavance"), QStringLiteral("Informe avance mensual"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Informe de avance mensual"));
    DBLvicemin = new DBLookupComboBox(this);
    DBLvicemin->setObjectName(QStringLiteral("DBLvicemin"));
    body()->addWidget(DBLvicemin);
    DBLdirecc = new DBLookupComboBox(this);
    DBLdirecc->setObjectName(QStringLiteral("DBLdirecc"));
    body()->addWidget(DBLdirecc);
    DBLunidad = new DBLookupComboBox(this);
    DBLunidad->setObjectName(QStringLiteral("DBLunidad"));
    body()->addWidget(DBLunidad);
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    BTNagrega = new QPushButton(QStringLiteral("Agregar avance"), this);
    BTNagrega->setObjectName(QStringLiteral("BTNagrega"));
    body()->addWidget(BTNagrega);
    BTNgraba = new QPushButton(QStringLiteral("Grabar"), this);
    BTNgraba->setObjectName(QStringLiteral("BTNgraba"));
    body()->addWidget(BTNgraba);
    BTNantes = new QPushButton(QStringLiteral("Ver anterior"), this);
    BTNantes->setObjectName(QStringLiteral("BTNantes"));
    body()->addWidget(BTNantes);
    BTNsig = new QPushButton(QStringLiteral("Ver siguiente"), this);
    BTNsig->setObjectName(QStringLiteral("BTNsig"));
    body()->addWidget(BTNsig);
    body()->addStretch(1);
}
