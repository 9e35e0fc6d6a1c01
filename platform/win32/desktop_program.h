#pragma once
// The Windows program's run, for its entry point: the main window as a real Win32 window drawn
// by GDI, with the consent prompt for writes the user may not make, until the window closes.
// The entry point needs nothing of Windows' own headers.
#include <functional>
#include <memory>
#include <string_view>

#include "platform/elevation.h"
#include "platform/form/form_design.h"
#include "platform/form/form_host.h"
#include "platform/form/form_model.h"
#include "platform/gdi.h"

namespace fw::win32 {

// Makes the window's code on its window and the program's elevation.
using FormCodeFactory =
    std::function<std::unique_ptr<FormEvents>(FormHost& form, Elevation& elevation)>;

// Builds the window from `design`, shows it with the code `code` makes, and runs the message
// loop until the window closes; returns the loop's exit status. Rethrows what a handler let out
// of a window message.
int RunDesktopProgram(GdiDevice& device, const FormDesign& design, const UserControlFactory& make,
                      const PictureResolver& resolver, const FormCodeFactory& code);

// Tells the user in a message box that `program` cannot go on, and why.
void ReportFatalError(std::string_view program, std::string_view reason);

}  // namespace fw::win32
