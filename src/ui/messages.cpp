#include "messages.h"

#include "modalruns.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace {

// Every box of the system carries the system's name.
QString title() {
    return QStringLiteral("Sistema de Monitoreo");
}

class BoxHandler : public MessageHandler {
public:
    void information(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, title(), text);
    }
    bool question(QWidget* parent, const QString& text) override {
        // The buttons' "Sí" and "No" come from Qt's Spanish translation.
        return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }
    void error(QWidget* parent, const QString& text) override {
        QMessageBox::critical(parent, title(), text);
    }
};

BoxHandler boxes;
MessageHandler* current = &boxes;

} // namespace

namespace Messages {

void information(QWidget* parent, const QString& text) {
    ModalRuns::beforeShowing(QStringLiteral("The box \"%1\"").arg(text));
    current->information(parent, text);
}

bool question(QWidget* parent, const QString& text) {
    ModalRuns::beforeShowing(QStringLiteral("The question \"%1\"").arg(text));
    return current->question(parent, text);
}

void error(QWidget* parent, const QString& text) {
    ModalRuns::beforeShowing(QStringLiteral("The error box \"%1\"").arg(text));
    current->error(parent, text);
}

void useSpanishButtons() {
    static QTranslator* spanish = nullptr;
    if (spanish || !QCoreApplication::instance())
        return;
    spanish = new QTranslator(QCoreApplication::instance());
    if (spanish->load(QStringLiteral("qtbase_es"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(spanish);
}

void setHandler(MessageHandler* handler) {
    current = handler ? handler : &boxes;
}

} // namespace Messages
