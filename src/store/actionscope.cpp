#include "actionscope.h"

#include "connection.h"

namespace {
// Each thread has its own connections and so its own actions.
thread_local int depth = 0;
// The first error of the running action that could not stop it.
thread_local std::exception_ptr failed;
} // namespace

ActionScope::ActionScope()
    : m_outermost(depth == 0) {
    ++depth;
}

ActionScope::~ActionScope() {
    --depth;
    if (m_outermost)
        failed = nullptr;
    if (m_outermost && !m_done) {
        for (Connection* c : Connection::all()) {
            try {
                c->rollbackTransaction();
            } catch (...) {
                // A broken connection has nothing left to roll back.
            }
        }
    }
}

void ActionScope::commit() {
    if (!m_outermost || m_done)
        return;
    checkpoint(); // throws instead when the action failed
    m_done = true;
}

bool ActionScope::active() {
    return depth > 0;
}

void ActionScope::fail(std::exception_ptr error) {
    if (depth > 0 && !failed)
        failed = std::move(error);
}

std::exception_ptr ActionScope::failure() {
    return failed;
}

void ActionScope::throwIfFailed() {
    if (failed)
        std::rethrow_exception(failed);
}

void ActionScope::checkpoint() {
    throwIfFailed();
    for (Connection* c : Connection::all())
        c->commitTransaction();
}

ActionPause::ActionPause()
    : m_savedDepth(depth) {
    ActionScope::checkpoint();
    depth = 0;
}

ActionPause::~ActionPause() {
    depth = m_savedDepth;
}
