#pragma once
// SDL 2.26 wakes a waiting event loop by sending an X event to one of the program's windows
// through a second X connection. The server may take a window's destruction from the main
// connection before that event, and answers the event with BadWindow, which Xlib's default
// handler turns into the end of the program (seen when a message box closes and the program
// ends at once). The event only ever served to wake a wait that has ended, so that one error is
// harmless.

namespace fw::sdl {

// While the object lives, BadWindow answers to X_SendEvent are ignored; every other X error
// goes to the handler that was there before. Xlib reports an error when it next reads from the
// connection, which for SDL's second connection may be only when SDL closes it: the object must
// outlive SDL's video subsystem. Other video drivers never call the handler.
class StaleWakeupErrorFilter {
 public:
  StaleWakeupErrorFilter();
  ~StaleWakeupErrorFilter();
  StaleWakeupErrorFilter(const StaleWakeupErrorFilter&) = delete;
  StaleWakeupErrorFilter& operator=(const StaleWakeupErrorFilter&) = delete;
};

}  // namespace fw::sdl
