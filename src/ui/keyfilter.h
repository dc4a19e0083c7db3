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
    // Amounts as the budget boxes take them: digits and the decimal comma.
    static inline const QString amount = QStringLiteral("0123456789,");

    // What a key that would type any other character does.
    enum class OtherKeys {
        Ignored,
        // It works as backspace: the character before the caret (or the selection) goes.
        DeleteBefore,
    };

private:
    QString m_allowed;
    int m_maxLength;
};

// Lets the box take only the characters of `allowed` (and at most maxLength of them, -1
// for no limit beyond the box's own). Keys that insert nothing (arrows, Delete, Tab, Enter)
// keep their usual meaning.
void setKeyFilter(QLineEdit* box, const QString& allowed, int maxLength = -1,
                  KeyFilter::OtherKeys other = KeyFilter::OtherKeys::Ignored);
