#include "guard.h"

#include "core/error.h"
#include "messages.h"
#include "store/actionscope.h"

#include <QString>

bool runGuarded(QWidget* context, const std::function<void()>& action) {
    // Inside an action already (a handler moved a grid, say), an error belongs to that
    // action: it stops it whole and its guard shows it.
    if (ActionScope::active()) {
        action();
        return true;
    }
    QString failure;
    try {
        ActionScope scope; // rolled back before the box below, so nothing is held while it shows
        action();
        scope.commit();
        return true;
    } catch (const Error& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failure = QStringLiteral("Error inesperado");
    }
    Messages::error(context, failure);
    return false;
}
