#pragma once

#include "ui/form.h"

class QPlainTextEdit;

// Shows the activities of a product: the caller sets the text of its one memo before
// showing it.
class TFRMverproducto : public Form {
    Q_OBJECT
public:
    explicit TFRMverproducto(QWidget* parent = nullptr);

    QPlainTextEdit* MEMproducto;
};
