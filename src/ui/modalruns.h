#pragma once

#include <QString>
#include <functional>

class Form;

// How a window is shown modally. The program runs its event loop until it closes; tests
// act on the window in its place and then close it.
namespace ModalRuns {

using Runner = std::function<int(Form&)>;

int run(Form& form);
// An empty runner restores the real modal run.
void setRunner(Runner runner);

// No box and no window may be shown while an action holds its transaction: on the embedded
// store that would keep every other workstation out while a person reads. Everything the
// program shows modally passes through here first (`what` names it). While strict (debug
// builds and tests), it is refused loudly: the refusal handler is told, which by default
// stops the program with the message; strict mode also watches modal windows shown by any
// other way. Otherwise what the action wrote so far is committed first.
void beforeShowing(const QString& what);
void setStrict(bool strict);
bool strict();
using Refusal = std::function<void(const QString& message)>;
// An empty handler restores stopping the program.
void setRefusal(Refusal refusal);

} // namespace ModalRuns
