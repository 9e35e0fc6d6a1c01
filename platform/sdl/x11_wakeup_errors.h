#pragma once
// SDL 2.26 wakes a waiting event loop by sending an X event to one of the program's windows
// through a second X connection. The server may take a window's destruction from the main
// connection before that event, and answers the event with BadWindow, which Xlib's default
// handler turns into the end of the program (seen when a message box closes and the program
// ends at once). The event only ever served to wake a wait that has ended, so that one error is
// harmless.

namespace fw::sdl {

// While the object lives, BadWindow answers to X_SendEvent are ignored on SDL's X11 driver;
// every other X error goes to the handler that was there before. Does nothing on other video
// drivers.
class StaleWakeupErrorFilter {
 public:
  StaleWakeupErrorFilter();
  ~StaleWakeupErrorFilter();
  StaleWakeupErrorFilter(const StaleWakeupErrorFilter&) = delete;
  StaleWakeupErrorFilter& operator=(const StaleWakeupErrorFilter&) = delete;

 private:
  bool installed_ = false;
};

}  // namespace fw::sdl
