#pragma once
// The Linux desktop host: shows a window built from design data (a SoftwareForm) in an SDL
// window and feeds it the real mouse, keyboard and clock until the window closes. Message boxes
// are SDL's, modal to the window.
#include <functional>
#include <string>

#include "platform/form/software_form.h"

namespace fw::sdl {

struct DesktopWindowOptions {
  // The title bar's text, Windows-1252 as the design holds it.
  std::string title;
  // The window's icon; null leaves the desktop's default.
  PicturePtr icon;
  // Called once, right after the first frame is on the screen.
  std::function<void()> first_frame;
};

// Opens the window (its client area is the form's), shows the form with `code` connected and
// runs until the form has closed; returns 0 then. Without a display it says so on stderr and
// returns 1.
int RunDesktopWindow(SoftwareForm& form, FormEvents& code, const DesktopWindowOptions& options);

}  // namespace fw::sdl
