#pragma once

#include <optional>
#include <string>

namespace app {

// Why the program cannot show a window (no X display or Wayland compositor to connect to), or
// nullopt when it can. Qt itself aborts in that case, so this is asked before Qt starts.
// Where QT_QPA_PLATFORM is unset and only Wayland is there, it selects Qt's Wayland platform.
std::optional<std::string> displayProblem();

} // namespace app
