#include "actionscope.h"

#include "connection.h"

namespace {
// Each thread has its own connections and so its own actions.
thread_local int depth = 0;
} // namespace

ActionScope::ActionScope()
    : m_outermost(depth == 0) {
    ++depth;
}

ActionScope::~ActionScope() {
    --depth;
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
    checkpoint();
    m_done = true;
}

bool ActionScope::active() {
    return depth > 0;
}

void ActionScope::checkpoint() {
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
