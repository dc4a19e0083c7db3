#include "frmverpro.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

TFRMverpro::TFRMverpro(QWidget* parent)
    : Form(QStringLiteral("FRMverpro"), QStringLiteral("Información acción territorial"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Información sobre acciones territoriales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    // The action's header, read-only.
    auto readOnly = [this](const char* name) {
        auto* box = make<QLineEdit>(QString::fromLatin1(name));
        box->setReadOnly(true);
        return box;
    };
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Entidad desconcentrada"));
    EDIvicemin = readOnly("EDIvicemin");
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Componente"));
    EDIdirecc = readOnly("EDIdirecc");
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnly("EDIunidad");
    LBLvicemin = make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Acción territorial"));
    EDIproyecto = readOnly("EDIproyecto");
    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Indicadores especifivos"));
    MEMresultado = make<QPlainTextEdit>(QStringLiteral("MEMresultado"));
    MEMresultado->setReadOnly(true);
    MEMresultado->setMaximumHeight(fontMetrics().lineSpacing() * 4);
    auto* header = new QFormLayout;
    for (const auto& [label, box] :
         std::initializer_list<std::pair<QLabel*, QWidget*>>{{Label4, EDIvicemin},
                                                             {LBLdireccion, EDIdirecc},
                                                             {LBLunidad, EDIunidad},
                                                             {LBLvicemin, EDIproyecto},
                                                             {Label5, MEMresultado}}) {
        caption(label, box);
        header->addRow(label, box);
    }
    body()->addLayout(header);
    body()->addStretch(1);
}
