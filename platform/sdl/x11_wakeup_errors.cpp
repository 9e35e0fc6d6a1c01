#include "platform/sdl/x11_wakeup_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace fw::sdl {
namespace {

// Xlib's error handler is one per process and takes no context, so the handler it replaced
// can only be kept here.
XErrorHandler previous_handler = nullptr;

int FilterStaleWakeup(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return previous_handler != nullptr ? previous_handler(display, error) : 0;
}

}  // namespace

StaleWakeupErrorFilter::StaleWakeupErrorFilter() {
  previous_handler = XSetErrorHandler(FilterStaleWakeup);
}

StaleWakeupErrorFilter::~StaleWakeupErrorFilter() {
  XSetErrorHandler(previous_handler);
  previous_handler = nullptr;
}

}  // namespace fw::sdl
