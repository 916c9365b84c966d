// Runs one user command and hands any exception to the application's error handler, so a
// failed command ends alone and the program goes on.
#pragma once

#include <functional>

namespace fsc {

void RunCommand(const std::function<void()>& command);

}  // namespace fsc
