#include "keyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Turns a key that would type a character the box does not take into a backspace.
class BackspaceOtherKeys : public QObject {
public:
    BackspaceOtherKeys(QString allowed, QLineEdit* box)
        : QObject(box)
        , m_allowed(std::move(allowed))
        , m_box(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_box || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Shortcuts (Ctrl+C, Ctrl+V...) and keys that type nothing go their usual way.
        if (text.isEmpty() || !text.at(0).isPrint() ||
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        bool taken = true;
        for (const QChar c : text)
            taken = taken && m_allowed.contains(c);
        if (taken)
            return false;
        if (!m_box->isReadOnly())
            m_box->backspace();
        return true;
    }

private:
    QString m_allowed;
    QLineEdit* m_box;
};

} // namespace

KeyFilter::KeyFilter(QString allowed, int maxLength, QObject* parent)
    : QValidator(parent)
    , m_allowed(std::move(allowed))
    , m_maxLength(maxLength) {}

QValidator::State KeyFilter::validate(QString& input, int&) const {
    if (m_maxLength >= 0 && input.size() > m_maxLength)
        return Invalid;
    for (const QChar c : input)
        if (!m_allowed.contains(c))
            return Invalid;
    return Acceptable;
}

void setKeyFilter(QLineEdit* box, const QString& allowed, int maxLength,
                  KeyFilter::OtherKeys other) {
    box->setValidator(new KeyFilter(allowed, maxLength, box));
    if (other == KeyFilter::OtherKeys::DeleteBefore)
        box->installEventFilter(new BackspaceOtherKeys(allowed, box));
}
