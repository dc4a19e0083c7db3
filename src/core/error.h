#pragma once

#include <QString>
#include <exception>

// Base of every error the program reports to the user in the standard error box.
class Error : public std::exception {
public:
    explicit Error(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that does not convert to the value a box or a rule needs (a number, an amount,
// a date), or a value outside the range it must fit in.
class ConversionError : public Error {
public:
    using Error::Error;
};
