#pragma once
// Windows whose messages go to a C++ object. The window class's procedure finds the object
// through the window's GWLP_USERDATA (set from CreateWindowEx's creation parameter at
// WM_NCCREATE, cleared at WM_NCDESTROY), so no table of windows is kept anywhere.
//
// Nothing may unwind through user32's frames: an exception a handler lets out is caught in the
// window procedure and handed to the object's Failed().
#include <exception>
#include <string>

#include "platform/geometry.h"
#include "platform/win32/user_handles.h"
#include "platform/win32/windows_include.h"

namespace fw::win32 {

class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  // One message of the window; the result is the window procedure's.
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // A handler let an exception out while handling `message`.
  virtual void Failed(UINT message, std::exception_ptr error) = 0;
};

struct WindowClassSpec {
  const char* name = nullptr;
  UINT style = 0;
  // The class cursor; null leaves the cursor to WM_SETCURSOR.
  HCURSOR cursor = nullptr;
};

struct WindowSpec {
  DWORD ex_style = 0;
  DWORD style = 0;
  std::string title;
  // Position and outer size in the parent's client pixels (screen pixels for a top-level
  // window, where CW_USEDEFAULT lets the system place it).
  Point position;
  Size size;
  HWND parent = nullptr;
  // A child window's id.
  int id = 0;
};

// Registers the class (once per process: a second registration finds it there) and creates a
// window of it whose messages go to `target`. Throws std::runtime_error naming the class and
// the Win32 error when either fails.
UniqueWindow CreateTargetWindow(MessageTarget& target, const WindowClassSpec& window_class,
                                const WindowSpec& window);

// "the message <text> (Win32 error <n>)" for the thread's last error.
std::string LastErrorText(const std::string& what);

}  // namespace fw::win32
