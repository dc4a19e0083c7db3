#include "frmfinanciero.h"

#include <QLineEdit>
#include <QPlainTextEdit>

TFRMfinanciero::TFRMfinanciero(QWidget* parent)
    : Form(QStringLiteral("FRMfinanciero"), QStringLiteral("Montos presupuestados"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("21"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Montos presupuestados"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    for (auto [box, name] :
         {std::pair{&EDIvicemin, "EDIvicemin"}, std::pair{&EDIdirecc, "EDIdirecc"},
          std::pair{&EDIunidad, "EDIunidad"}, std::pair{&EDIproyecto, "EDIproyecto"}}) {
        *box = make<QLineEdit>(QString::fromLatin1(name));
        (*box)->setReadOnly(true);
        body()->addWidget(*box);
    }
    MEMresultado = make<QPlainTextEdit>(QStringLiteral("MEMresultado"));
    MEMresultado->setReadOnly(true);
    MEMresultado->setMaximumHeight(fontMetrics().lineSpacing() * 4);
    body()->addWidget(MEMresultado);
    body()->addStretch(1);
}
