#include "frmavance.h"

#include "ui/dblookup.h"

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
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar avance"));
    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
    BTNantes = button(QStringLiteral("BTNantes"), QStringLiteral("Ver anterior"));
    BTNsig = button(QStringLiteral("BTNsig"), QStringLiteral("Ver siguiente"));
    body()->addStretch(1);
}
