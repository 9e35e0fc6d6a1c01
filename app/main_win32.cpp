// The Windows program: the main window as a real Win32 window, drawn by GDI, over the real
// registry. Whatever keeps it from starting (or ends it early) is said in a message box, and
// the program ends with status 1.
#include <exception>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/program.h"
#include "platform/gdi.h"
#include "platform/registry.h"
#include "platform/win32/form_window.h"
#include "platform/win32/win32_elevation.h"
#include "platform/win32/windows_include.h"

namespace {

constexpr const char* kProgramName = "Ferrowind";

int Run() {
  const std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  const std::unique_ptr<fw::Registry> registry = fw::CreatePlatformRegistry();
  const fw::FormDesign& design = fw::app::Form1Design();
  fw::win32::Win32Form form(*device, design, fw::app::MakeUserControl, fw::app::ResourcePicture);
  // Any user may run the window; a write the user may not make goes to ferrowind-cli.exe, run
  // as an administrator with the system's consent prompt over the window.
  fw::win32::Win32Elevation elevation(form.window());
  fw::app::Form1 code(form, *registry, &elevation);
  form.Show(code);
  const int status = fw::win32::RunMessageLoop();
  form.RethrowFailure();
  return status;
}

void Report(const std::string& reason) {
  ::MessageBoxA(nullptr, (std::string(kProgramName) + " cannot go on: " + reason).c_str(),
                kProgramName, MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  try {
    return Run();
  } catch (const std::exception& error) {
    Report(error.what());
  } catch (...) {
    Report("an unknown error");
  }
  return 1;
}
