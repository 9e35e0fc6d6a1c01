#pragma once
// Running one of the program's own tools with administrator rights, for a user whose own rights
// do not reach far enough. The Windows build asks through the system's consent prompt; the Linux
// build has no such step (the window is given no Elevation there).
#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// How an elevated run ended.
struct ElevatedRun {
  enum class Outcome {
    kExited,    // the tool ran and ended with `exit_code`
    kDeclined,  // the user declined the consent prompt
    kFailed,    // the tool could not be started or waited for: `reason` says why
  };
  Outcome outcome = Outcome::kFailed;
  std::uint32_t exit_code = 0;
  std::string reason;

  bool Succeeded() const { return outcome == Outcome::kExited && exit_code == 0; }
};

class Elevation {
 public:
  virtual ~Elevation() = default;
  // Runs `program`, a file in the program's own folder, with `arguments` as an administrator and
  // waits for it to end. While it waits the program's windows keep painting and their timers
  // keep ticking, but take no input.
  virtual ElevatedRun RunElevated(std::string_view program, std::string_view arguments) = 0;
};

}  // namespace fw
