// The Linux program: the main window on the desktop, drawn by the soft rasterizer, with the
// registry kept in a registry file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <string_view>

#include "app/form1.h"
#include "app/program.h"
#include "app/unreadable_registry_report.h"
#include "platform/form/headless_form.h"
#include "platform/gdi.h"
#include "platform/sdl/desktop_window.h"
#include "platform/soft/registry_store.h"
#include "platform/soft/soft_registry.h"

namespace {

// With FERROWIND_TRACE_STARTUP=1, the time from main() to the first frame on the screen, and
// the wall-clock moment of that frame, so that a script can add the time before main().
std::function<void()> StartupTrace(std::chrono::steady_clock::time_point start) {
  const char* trace = std::getenv("FERROWIND_TRACE_STARTUP");
  if (trace == nullptr || std::string_view(trace) != "1") return {};
  return [start] {
    const std::chrono::duration<double, std::milli> since_main =
        std::chrono::steady_clock::now() - start;
    timespec wall{};
    std::timespec_get(&wall, TIME_UTC);
    std::fprintf(stderr, "ferrowind: first frame %.1f ms after main(), at %lld.%06ld\n",
                 since_main.count(), static_cast<long long>(wall.tv_sec), wall.tv_nsec / 1000);
  };
}

int Run() {
  const auto start = std::chrono::steady_clock::now();
  const std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  fw::soft::SoftRegistry registry(fw::soft::DefaultRegistryPath());
  // A registry file that cannot be read leaves the window showing the last state it read; the
  // reason (the file and its line) is said on stderr, where the user who started the program
  // sees it: at once when the file is broken at start, and whenever it breaks later.
  const fw::app::UnreadableRegistryReport report(registry, std::cerr);
  registry.Refresh();
  const fw::FormDesign& design = fw::app::Form1Design();
  fw::HeadlessForm form(*device, design, fw::app::MakeUserControl, fw::app::ResourcePicture);
  fw::app::Form1 code(form, registry);
  const fw::sdl::DesktopWindowOptions options{design.caption, fw::app::ResourcePicture(design.icon),
                                              StartupTrace(start)};
  return fw::sdl::RunDesktopWindow(form, code, options);
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "ferrowind: %s\n", error.what());
    return 1;
  }
}
