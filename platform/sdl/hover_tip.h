#pragma once
// When a tooltip shows: once the mouse has rested at one point of the window for the initial
// delay, until it moves again, a button goes down or it leaves the window. Times are
// milliseconds of any steady clock.
#include <cstdint>
#include <optional>

#include "platform/geometry.h"

namespace fw::sdl {

class HoverTip {
 public:
  // Windows' initial tooltip delay.
  static constexpr std::uint64_t kDelayMs = 500;

  // The mouse moved to `at` (client pixels): any tooltip hides and the delay starts again.
  void Moved(Point at, std::uint64_t now) {
    at_ = at;
    rest_since_ = now;
    resting_ = true;
  }
  // A press, or the mouse left the window: nothing shows until the next move.
  void Hide() { resting_ = false; }

  bool Showing(std::uint64_t now) const { return resting_ && now - rest_since_ >= kDelayMs; }
  // How long until a tooltip would show; nothing when it shows already or cannot.
  std::optional<std::uint64_t> MillisecondsUntilShown(std::uint64_t now) const {
    if (!resting_ || Showing(now)) return std::nullopt;
    return rest_since_ + kDelayMs - now;
  }
  // Where the mouse rests.
  Point At() const { return at_; }

 private:
  Point at_;
  std::uint64_t rest_since_ = 0;
  bool resting_ = false;
};

}  // namespace fw::sdl
