#include "frmverpro.h"

#include <QLineEdit>
#include <QPlainTextEdit>

TFRMverpro::TFRMverpro(QWidget* parent)
    : Form(QStringLiteral("FRMverpro"), QStringLiteral("Información acción territorial"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Información sobre acciones territoriales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    // The action's header, read-only.
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Entidad desconcentrada"));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Componente"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Acción territorial"));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Indicadores especifivos"));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"));
    body()->addLayout(fields({{Label4, EDIvicemin},
                              {LBLdireccion, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {LBLvicemin, EDIproyecto},
                              {Label5, MEMresultado}}));
    body()->addStretch(1);
}
