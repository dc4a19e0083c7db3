#include "frmpptoavance.h"

#include <QLineEdit>
#include <QPlainTextEdit>

TFRMpptoavance::TFRMpptoavance(QWidget* parent)
    : Form(QStringLiteral("FRMpptoavance"), QStringLiteral("Avance presupuestario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("24"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Avance presupuestario"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));

    // The product's header, read-only: the same captions whatever the kind.
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Entidad externa"));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdirecc = make<QLabel>(QStringLiteral("LBLdirecc"), QStringLiteral("Direccion"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLproyecto = make<QLabel>(QStringLiteral("LBLproyecto"), QStringLiteral("Acción terriorial"));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    LBLresultado = make<QLabel>(QStringLiteral("LBLresultado"), QStringLiteral("Indicadores"));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"));
    body()->addLayout(fields({{LBLvicemin, EDIvicemin},
                              {LBLdirecc, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {LBLproyecto, EDIproyecto},
                              {LBLresultado, MEMresultado}}));
    body()->addStretch(1);
}
