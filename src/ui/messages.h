#pragma once

#include <QString>

class QWidget;

// The message boxes of the system: information, a Sí/No question and the standard error
// box. Everything shows them through here, so that tests can answer them.
class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    virtual bool question(QWidget* parent, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;
};

namespace Messages {

void information(QWidget* parent, const QString& text);
// true for "Sí".
bool question(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);

// Qt's own buttons in Spanish ("Sí", "No", "Cancelar"): loads Qt's Spanish translation
// into the running application, once.
void useSpanishButtons();

// Replaces the real boxes (nullptr: the real ones again). The handler is not owned.
void setHandler(MessageHandler* handler);

} // namespace Messages
