#pragma once
// What a window system reports to whoever watches it: the controls' events and property-changed
// notifications, mouse captures, cursor changes and the keystrokes controls send. The window
// system itself keeps none of it; tests and the preview tool attach an observer that does.
#include <span>
#include <string>
#include <string_view>

#include "platform/usercontrol.h"

namespace fw::windowing {

class WindowObserver {
 public:
  virtual ~WindowObserver() = default;

  // `control` names the control; a capture's window is "(parent)" for the parent window and ""
  // for none.
  virtual void EventRaised(const std::string& control, std::string_view event,
                           std::span<const EventArg> args) = 0;
  virtual void PropertyChanged(const std::string& control, std::string_view property) = 0;
  virtual void CaptureSet(const std::string& window) = 0;
  virtual void CaptureReleased(const std::string& window) = 0;
  virtual void CursorSet(CursorHandle cursor) = 0;
  virtual void KeysSent(std::string_view keys) = 0;
  // The window system is going away: the observer must not call it any more.
  virtual void Detached() = 0;
};

}  // namespace fw::windowing
