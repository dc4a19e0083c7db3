#pragma once

#include <functional>

class Form;

// How a window is shown modally. The program runs its event loop until it closes; tests
// act on the window in its place and then close it.
namespace ModalRuns {

using Runner = std::function<int(Form&)>;

int run(Form& form);
// An empty runner restores the real modal run.
void setRunner(Runner runner);

} // namespace ModalRuns
