#include "frmpptoavance.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

TFRMpptoavance::TFRMpptoavance(QWidget* parent)
    : Form(QStringLiteral("FRMpptoavance"), QStringLiteral("Avance presupuestario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("24"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Avance presupuestario"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));

    // The product's header, read-only: the same captions whatever the kind.
    auto readOnly = [this](const char* name) {
        auto* box = make<QLineEdit>(QString::fromLatin1(name));
        box->setReadOnly(true);
        return box;
    };
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Entidad externa"));
    EDIvicemin = readOnly("EDIvicemin");
    LBLdirecc = make<QLabel>(QStringLiteral("LBLdirecc"), QStringLiteral("Direccion"));
    EDIdirecc = readOnly("EDIdirecc");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnly("EDIunidad");
    LBLproyecto = make<QLabel>(QStringLiteral("LBLproyecto"), QStringLiteral("Acción terriorial"));
    EDIproyecto = readOnly("EDIproyecto");
    LBLresultado = make<QLabel>(QStringLiteral("LBLresultado"), QStringLiteral("Indicadores"));
    MEMresultado = make<QPlainTextEdit>(QStringLiteral("MEMresultado"));
    MEMresultado->setReadOnly(true);
    MEMresultado->setMaximumHeight(fontMetrics().lineSpacing() * 4);
    auto* header = new QFormLayout;
    for (const auto& [label, box] :
         std::initializer_list<std::pair<QLabel*, QWidget*>>{{LBLvicemin, EDIvicemin},
                                                             {LBLdirecc, EDIdirecc},
                                                             {LBLunidad, EDIunidad},
                                                             {LBLproyecto, EDIproyecto},
                                                             {LBLresultado, MEMresultado}}) {
        caption(label, box);
        header->addRow(label, box);
    }
    body()->addLayout(header);
    body()->addStretch(1);
}
