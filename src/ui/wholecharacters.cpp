#include "wholecharacters.h"

#include <QAbstractSpinBox>
#include <QLineEdit>

namespace {

const char* const installed = "wholeCharacters";

bool paired(const QString& text, qsizetype i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate())
        return i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i > 0 && text.at(i - 1).isHighSurrogate();
    return true;
}

void guard(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        const QString whole = WholeCharacters::of(text);
        if (whole == text)
            return;
        // The caret stays after what was typed, less the halves dropped before it.
        int cursor = box->cursorPosition();
        for (qsizetype i = 0; i < text.size() && i < box->cursorPosition(); ++i)
            if (!paired(text, i))
                --cursor;
        box->setText(whole);
        box->setCursorPosition(cursor);
    });
}

} // namespace

namespace WholeCharacters {

QString of(const QString& text) {
    QString whole;
    whole.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (paired(text, i))
            whole.append(text.at(i));
    return whole;
}

void install(QWidget* root) {
    for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
        // A date box keeps its own text in its own shape.
        if (qobject_cast<QAbstractSpinBox*>(box->parentWidget()) ||
            box->property(installed).toBool())
            continue;
        box->setProperty(installed, true);
        guard(box);
    }
}

} // namespace WholeCharacters
