// The one catch of every window's commands.
#include "ui/CommandGuard.h"

#include "ui/TFscApplication.h"

namespace fsc {

void RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        TFscApplication::ReportError(std::current_exception());
    }
}

}  // namespace fsc
