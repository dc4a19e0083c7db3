#include "modalruns.h"

#include "form.h"
#include "store/actionscope.h"
#include "store/connection.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

ModalRuns::Runner runner;
ModalRuns::Refusal refusal;
#ifdef QT_NO_DEBUG
bool strictMode = false;
#else
bool strictMode = true;
#endif

bool actionHoldsTransaction() {
    for (const Connection* c : Connection::all())
        if (c->inTransaction())
            return true;
    return false;
}

// Sees every modal window shown, also those shown without going through the seams.
class ModalWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && w->isModal() && actionHoldsTransaction())
                ModalRuns::beforeShowing(QString::fromLatin1(w->metaObject()->className()) +
                                         QLatin1Char(' ') + w->objectName());
        }
        return false;
    }
};

ModalWatch* watch = nullptr;

} // namespace

namespace ModalRuns {

int run(Form& form) {
    beforeShowing(form.objectName());
    if (runner)
        return runner(form);
    return form.exec();
}

void setRunner(Runner r) {
    runner = std::move(r);
}

void beforeShowing(const QString& what) {
    if (!actionHoldsTransaction())
        return;
    if (strictMode) {
        const QString message =
            QStringLiteral("%1 is shown while an action holds its transaction; show boxes "
                           "through the window's inform/confirm/error and windows through open()")
                .arg(what);
        if (refusal)
            refusal(message);
        else
            qFatal("%s", qPrintable(message));
    }
    ActionScope::checkpoint();
}

void setStrict(bool on) {
    strictMode = on;
    if (on && !watch && QCoreApplication::instance()) {
        watch = new ModalWatch(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watch);
    }
}

bool strict() {
    return strictMode;
}

void setRefusal(Refusal r) {
    refusal = std::move(r);
}

} // namespace ModalRuns
