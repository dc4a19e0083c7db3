#include "frmverproducto.h"

#include <QPlainTextEdit>
#include <QScreen>

TFRMverproducto::TFRMverproducto(QWidget* parent)
    : Form(QStringLiteral("FRMverproducto"), QStringLiteral("Actividades del producto"), parent) {
    MEMproducto = new QPlainTextEdit(this);
    MEMproducto->setObjectName(QStringLiteral("MEMproducto"));
    MEMproducto->setReadOnly(true);
    MEMproducto->setAccessibleName(QStringLiteral("Actividades del producto"));
    body()->addWidget(MEMproducto);
    setOpeningSize(520, 360);
    escapeCloses();
}

void TFRMverproducto::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}
