#pragma once

#include "ui/form.h"

class QPlainTextEdit;

// Shows the activities of a product: the caller sets the text of its one memo before
// showing it. The text is for reading: nothing typed here would be kept anywhere, so the
// memo takes no typing. The window shows in the middle of the screen.
class TFRMverproducto : public Form {
    Q_OBJECT
public:
    explicit TFRMverproducto(QWidget* parent = nullptr);

    QPlainTextEdit* MEMproducto;

protected:
    void showEvent(QShowEvent* event) override;
};
