#include "platform/win32/desktop_program.h"

#include <string>

#include "platform/win32/form_window.h"
#include "platform/win32/win32_elevation.h"

namespace fw::win32 {

int RunDesktopProgram(GdiDevice& device, const FormDesign& design, const UserControlFactory& make,
                      const PictureResolver& resolver, const FormCodeFactory& code) {
  Win32Form form(device, design, make, resolver);
  // Any user may run the window; a write the user may not make goes to a tool of the program's
  // folder, run as an administrator with the consent prompt over the window.
  Win32Elevation elevation(form.window());
  const std::unique_ptr<FormEvents> events = code(form, elevation);
  form.Show(*events);
  const int status = RunMessageLoop();
  form.RethrowFailure();
  return status;
}

void ReportFatalError(std::string_view program, std::string_view reason) {
  const std::string name(program);
  const std::string text = name + " cannot go on: " + std::string(reason);
  ::MessageBoxA(nullptr, text.c_str(), name.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace fw::win32
