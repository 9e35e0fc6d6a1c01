// The Linux program: the main window on the desktop, drawn by the soft rasterizer, with the
// registry kept in a registry file; with --system, over the machine's kernel module policy
// instead (the drivers' Start values are the policy of usb-storage and uas).
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
#include "platform/form/software_form.h"
#include "platform/gdi.h"
#include "platform/modprobe/system_registry.h"
#include "platform/registry_store/registry_store.h"
#include "platform/registry_store/soft_registry.h"
#include "platform/sdl/desktop_window.h"

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

int ShowWindow(fw::Registry& registry, std::chrono::steady_clock::time_point start) {
  const std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  const fw::FormDesign& design = fw::app::Form1Design();
  fw::SoftwareForm form(*device, design, fw::app::MakeUserControl, fw::app::ResourcePicture);
  fw::app::Form1 code(form, registry);
  const fw::sdl::DesktopWindowOptions options{design.caption, fw::app::ResourcePicture(design.icon),
                                              StartupTrace(start)};
  return fw::sdl::RunDesktopWindow(form, code, options);
}

int Run(bool system) {
  const auto start = std::chrono::steady_clock::now();
  if (system) {
    // Reading needs no privileges; a write the user may not make shows the failure message.
    fw::modprobe::SystemRegistry registry(fw::modprobe::SystemRoot());
    return ShowWindow(registry, start);
  }
  fw::soft::SoftRegistry registry(fw::soft::DefaultRegistryPath());
  // A registry file that cannot be read leaves the window showing the last state it read; the
  // reason (the file and its line) is said on stderr, where the user who started the program
  // sees it: at once when the file is broken at start, and whenever it breaks later.
  const fw::app::UnreadableRegistryReport report(registry, std::cerr);
  registry.Refresh();
  return ShowWindow(registry, start);
}

}  // namespace

int main(int argc, char** argv) {
  bool system = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--system") {
      system = true;
    } else {
      std::fprintf(stderr,
                   "ferrowind: unknown argument \"%s\"\nusage: ferrowind [--system]\n"
                   "  --system  lock and unlock the machine's USB storage modules (usb-storage,\n"
                   "            uas) in /etc/modprobe.d instead of the program's registry file\n",
                   argv[i]);
      return 2;
    }
  }
  try {
    return Run(system);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "ferrowind: %s\n", error.what());
    return 1;
  }
}
