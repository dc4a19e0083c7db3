#include "modalruns.h"

#include "form.h"

namespace {
ModalRuns::Runner runner;
}

namespace ModalRuns {

int run(Form& form) {
    if (runner)
        return runner(form);
    return form.exec();
}

void setRunner(Runner r) {
    runner = std::move(r);
}

} // namespace ModalRuns
