#include "keyfilter.h"

#include <QLineEdit>

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

void setKeyFilter(QLineEdit* box, const QString& allowed, int maxLength) {
    box->setValidator(new KeyFilter(allowed, maxLength, box));
}
