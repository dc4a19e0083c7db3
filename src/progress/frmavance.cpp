#include "frmavance.h"

#include "ui/dblookup.h"

TFRMavance::TFRMavance(QWidget* parent)
    : Form(QStringLiteral("FRMavance"), QStringLiteral("Informe avance mensual"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Informe de avance mensual"));
    DBLvicemin = make<DBLookupComboBox>(QStringLiteral("DBLvicemin"));
    DBLdirecc = make<DBLookupComboBox>(QStringLiteral("DBLdirecc"));
    DBLunidad = make<DBLookupComboBox>(QStringLiteral("DBLunidad"));
    for (QWidget* list : {DBLvicemin, DBLdirecc, DBLunidad})
        body()->addWidget(list);
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar avance"));
    BTNgraba = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
    BTNantes = button(QStringLiteral("BTNantes"), QStringLiteral("Ver anterior"));
    BTNsig = button(QStringLiteral("BTNsig"), QStringLiteral("Ver siguiente"));
    body()->addStretch(1);
    row({BTNagrega, BTNgraba, BTNantes, BTNsig});
}
