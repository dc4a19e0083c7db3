#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// Edit boxes that take only some keys: a text made of other characters, typed or pasted,
// is refused whole.
class KeyFilter : public QValidator {
    Q_OBJECT
public:
    KeyFilter(QString allowed, int maxLength, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

    static inline const QString digits = QStringLiteral("0123456789");
    // Amounts: digits and a decimal comma or point.
    static inline const QString decimal = QStringLiteral("0123456789,.");

private:
    QString m_allowed;
    int m_maxLength;
};

// Lets the box take only the characters of `allowed` (and at most maxLength of them, -1
// for no limit beyond the box's own).
void setKeyFilter(QLineEdit* box, const QString& allowed, int maxLength = -1);
