#include "frmusuario.h"

TFRMusuario::TFRMusuario(QWidget* parent)
    : Form(QStringLiteral("FRMusuario"), QStringLiteral("FRMusuario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("60"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Formulario para el registro de usuarios"));
    body()->addStretch(1);
}
