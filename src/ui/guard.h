#pragma once

#include <functional>

class QWidget;

// Runs one user action: it is one transaction, committed when the action ends and rolled
// back when an error stops it; the error is then shown in the standard error box with
// its message, over `context`, and the window stays as it is. Returns whether the action
// ended without error. Run inside another action, it is part of that one: an error makes
// that action fail whole (nothing more is written in it, it is undone and its guard shows
// the error when its code returns), and is never thrown out of here.
bool runGuarded(QWidget* context, const std::function<void()>& action);
