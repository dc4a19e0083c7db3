#pragma once

#include <exception>

// One user action is one transaction. While a scope is active, the first write on a
// connection begins that connection's transaction; commit() makes everything written
// durable, and a scope that ends without commit() (an error stopped the action) rolls it
// back. Scopes nest: only the outermost one commits or rolls back.
class ActionScope {
public:
    ActionScope();
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;

    void commit();

    static bool active();
    // Commits what the action wrote so far; the action goes on, and its next write opens a
    // new transaction. Used before a person is made to wait on a box or a window. Throws
    // the action's failure instead when it has one.
    static void checkpoint();

    // An error that was caught inside the action where it could not stop it (it arose in
    // Qt's own code, under a signal of a widget the action moved): the action has failed.
    // Nothing more is written in it (the next write, or checkpoint, throws this error), and
    // whoever runs the action undoes it and shows this error when the action's code returns.
    static void fail(std::exception_ptr error);
    static std::exception_ptr failure();
    // Throws the action's failure, if it has one.
    static void throwIfFailed();

private:
    bool m_outermost;
    bool m_done = false;
};

// While a window opened during an action is shown, what is done in that window is made
// of actions of their own. Commits what the opening action wrote so far.
class ActionPause {
public:
    ActionPause();
    ~ActionPause();
    ActionPause(const ActionPause&) = delete;
    ActionPause& operator=(const ActionPause&) = delete;

private:
    int m_savedDepth;
};
