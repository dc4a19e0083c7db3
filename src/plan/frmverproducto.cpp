#include "frmverproducto.h"

#include <QPlainTextEdit>

TFRMverproducto::TFRMverproducto(QWidget* parent)
    : Form(QStringLiteral("FRMverproducto"), QStringLiteral("Actividades del producto"), parent) {
    MEMproducto = new QPlainTextEdit(this);
    MEMproducto->setObjectName(QStringLiteral("MEMproducto"));
    MEMproducto->setReadOnly(true);
    body()->addWidget(MEMproducto);
}
