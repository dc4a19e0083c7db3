#include "guard.h"

#include "core/error.h"
#include "messages.h"
#include "store/actionscope.h"
#include "store/connection.h"

#include <QString>

bool runGuarded(QWidget* context, const std::function<void()>& action) {
    // Inside an action already (a handler moved a grid, say, and the grid's own guard runs
    // under Qt's signal), an error belongs to that action: it fails whole and its guard
    // shows the error. It is not thrown from here, as it would travel through Qt's code.
    if (ActionScope::active()) {
        try {
            action();
            return true;
        } catch (...) {
            ActionScope::fail(std::current_exception());
            return false;
        }
    }
    QString failure;
    try {
        ActionScope scope; // rolled back before the box below, so nothing is held while it shows
        action();
        scope.commit(); // the failure of a guard inside it throws here
        return true;
    } catch (const Error& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failure = QStringLiteral("Error inesperado");
    }
    // The server went away during the action: it is undone, and the next action finds the
    // server again by itself.
    if (Connection::takeLoss())
        failure = QStringLiteral("Se perdió la conexión con el servidor; vuelva a intentar");
    Messages::error(context, failure);
    return false;
}
