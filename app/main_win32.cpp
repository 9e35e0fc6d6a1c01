// The Windows program: the main window as a real Win32 window, drawn by GDI, over the real
// registry. Whatever keeps it from starting (or ends it early) is said in a message box, and
// the program ends with status 1. (A GUI program: the toolchain's start-up calls main.)
#include <exception>
#include <memory>

#include "app/form1.h"
#include "app/program.h"
#include "platform/gdi.h"
#include "platform/registry.h"
#include "platform/win32/desktop_program.h"

namespace {

constexpr const char* kProgramName = "Ferrowind";

int Run() {
  const std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  const std::unique_ptr<fw::Registry> registry = fw::CreatePlatformRegistry();
  return fw::win32::RunDesktopProgram(
      *device, fw::app::Form1Design(), fw::app::MakeUserControl, fw::app::ResourcePicture,
      [&registry](fw::FormHost& form, fw::Elevation& elevation) {
        return std::make_unique<fw::app::Form1>(form, *registry, &elevation);
      });
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& error) {
    fw::win32::ReportFatalError(kProgramName, error.what());
  } catch (...) {
    fw::win32::ReportFatalError(kProgramName, "an unknown error");
  }
  return 1;
}
