// The main window's own work, timed the same way in both builds so that their figures can be
// read side by side: one Timer1 tick while the stored value stays the same, one click on Lock
// through to the written value, and one paint of the Lock button. The Windows build runs it
// under Wine (advapi32 and real GDI), the Linux build natively (the registry store and the soft
// rasterizer). Google Benchmark is not available for mingw, so the timing is plain: each case is
// repeated for about half a second, and the median of five such runs is reported in nanoseconds
// per iteration.
//
// The window works on a registry key of the bench's own (HKCU\Software\FerrowindBench\USBSTOR in
// place of HKLM\...\USBSTOR), so a run locks nothing on the machine and never meets the values
// tests are using at the same time; the Linux build also uses a registry file of its own.
//
// Usage: app_timing [--quick] [--seconds S]
//   --quick     one iteration of each case, checked, with no timing worth reading (for ctest)
//   --seconds   the time each run of a case lasts (default 0.5)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "app/program.h"
#include "bench/timing_main.h"
#include "controls/button/button.h"
#include "formats/text/ascii_case.h"
#include "platform/form/software_form.h"
#include "platform/registry.h"

#ifdef _WIN32
#include "platform/win32/windows_include.h"
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char* kBuild = "Windows build (advapi32, real GDI)";
#else
constexpr const char* kBuild = "Linux build (registry store, soft rasterizer)";
#endif

using Clock = std::chrono::steady_clock;
using fw::RegKey;
using fw::RegStatus;

constexpr std::string_view kBenchParent = "Software\\FerrowindBench";
constexpr std::string_view kBenchUsbStor = "Software\\FerrowindBench\\USBSTOR";

// The build's registry with the USB storage driver's key moved under the bench's own key.
class BenchRegistry final : public fw::Registry {
 public:
  explicit BenchRegistry(std::unique_ptr<fw::Registry> inner) : inner_(std::move(inner)) {}

  RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result,
                            std::uint32_t* disposition) override {
    const auto [r, path] = Map(root, sub_key);
    return inner_->RegCreateKeyExA(r, path, options, access, result, disposition);
  }
  RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegKey* result) override {
    const auto [r, path] = Map(root, sub_key);
    return inner_->RegOpenKeyExA(r, path, options, access, result);
  }
  RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* size) override {
    return inner_->RegQueryValueExA(key, name, type, data, size);
  }
  RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                           std::span<const std::uint8_t> data) override {
    return inner_->RegSetValueExA(key, name, type, data);
  }
  RegStatus RegCloseKey(RegKey key) override { return inner_->RegCloseKey(key); }
  RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) override {
    const auto [r, path] = Map(root, sub_key);
    return inner_->RegDeleteKeyA(r, path);
  }
  RegStatus RegDeleteValueA(RegKey key, std::string_view name) override {
    return inner_->RegDeleteValueA(key, name);
  }

  void SetStart(std::uint32_t value) {
    RegKey key = 0;
    Require(inner_->RegCreateKeyExA(fw::kHkeyCurrentUser, kBenchUsbStor, 0, fw::kKeyAllAccessLow,
                                    &key, nullptr),
            "create the bench's key");
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Require(inner_->RegSetValueExA(key, fw::app::kStartValue, fw::kRegDword, bytes), "write Start");
    inner_->RegCloseKey(key);
  }
  std::optional<std::uint32_t> Start() {
    RegKey key = 0;
    if (inner_->RegOpenKeyExA(fw::kHkeyCurrentUser, kBenchUsbStor, 0, fw::kKeyRead, &key) != 0) {
      return std::nullopt;
    }
    std::uint8_t bytes[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof bytes;
    const RegStatus status =
        inner_->RegQueryValueExA(key, fw::app::kStartValue, &type, bytes, &size);
    inner_->RegCloseKey(key);
    if (status != 0 || type != fw::kRegDword || size != 4) return std::nullopt;
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24);
  }
  // Removes the bench's keys.
  void Clean() {
    RegKey key = 0;
    if (inner_->RegOpenKeyExA(fw::kHkeyCurrentUser, kBenchUsbStor, 0, fw::kKeyAllAccessLow, &key) ==
        0) {
      inner_->RegDeleteValueA(key, fw::app::kStartValue);
      inner_->RegCloseKey(key);
    }
    inner_->RegDeleteKeyA(fw::kHkeyCurrentUser, kBenchUsbStor);
    inner_->RegDeleteKeyA(fw::kHkeyCurrentUser, kBenchParent);
  }

  static void Require(RegStatus status, const char* what) {
    if (status != 0) {
      throw std::runtime_error(std::string("cannot ") + what + " (status " +
                               std::to_string(status) + ")");
    }
  }

 private:
  std::pair<RegKey, std::string_view> Map(RegKey root, std::string_view sub_key) const {
    if (root == fw::app::kUsbStorRoot &&
        fw::EqualsIgnoringAsciiCase(sub_key, fw::app::kUsbStorPath)) {
      return {fw::kHkeyCurrentUser, kBenchUsbStor};
    }
    return {root, sub_key};
  }

  std::unique_ptr<fw::Registry> inner_;
};

// The main window on the headless form, over the build's own drawing device, as the tests
// build it.
struct Window {
  explicit Window(BenchRegistry& registry)
      : form(*device, fw::app::Form1Design(), fw::app::MakeUserControl, fw::app::ResourcePicture),
        code(form, registry) {
    form.AnswerMessageBoxes([](const fw::MessageBoxCall&) { return fw::kIdOk; });
    form.Show(code);
  }
  // One tick of Timer1 (its 1 ms interval runs every 10 ms).
  void Tick() { form.Advance(10); }
  void ClickButton(std::string_view name) {
    const fw::Rect r = form.PixelRect(name);
    form.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  fw::Button& button(std::string_view name) { return form.ControlAs<fw::Button>(name); }
  std::string Label(std::string_view name) { return form.Label(name).Caption(); }

  std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  fw::SoftwareForm form;
  fw::app::Form1 code;
};

void Check(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error("check failed: " + what);
}

struct Case {
  std::string name;
  std::function<void()> prepare;  // run once, untimed, before the case's runs
  std::function<void()> op;       // the work timed
  std::function<void()> between;  // untimed work after each op; may be empty
};

// Nanoseconds per op over one run of about `seconds` (exactly one op when `quick`).
double RunOnce(const Case& c, double seconds, bool quick) {
  const auto budget = std::chrono::duration<double>(seconds);
  std::int64_t ops = 0;
  Clock::duration timed{};
  const Clock::time_point start = Clock::now();
  if (!c.between) {
    // Clock reads only every few ops, so that they weigh nothing beside the op.
    const int batch = quick ? 1 : 8;
    Clock::time_point now;
    do {
      for (int i = 0; i < batch; ++i) c.op();
      ops += batch;
      now = Clock::now();
    } while (!quick && now - start < budget);
    timed = now - start;
  } else {
    do {
      const Clock::time_point before = Clock::now();
      c.op();
      timed += Clock::now() - before;
      ++ops;
      c.between();
    } while (!quick && Clock::now() - start < budget);
  }
  return std::chrono::duration<double, std::nano>(timed).count() / static_cast<double>(ops);
}

int Run(bool quick, double seconds) {
  BenchRegistry registry(fw::CreatePlatformRegistry());
  registry.Clean();
  Window ticking(registry);
  Window clicking(registry);
  Window painting(registry);
  fw::Button& lock_button = painting.button("cmdLock");

  const std::vector<Case> cases = {
      // (a) A tick that reads the same stored 4 again: nothing on the window changes.
      {"Timer1 tick, stored value unchanged",
       [&] {
         registry.SetStart(4);
         ticking.Tick();
         Check(ticking.Label("Label4") == "Locked", "the first tick shows Locked");
       },
       [&] { ticking.Tick(); },
       {}},
      // (b) Lock, through the registry write, the window's change and the message box; then
      // unlock (untimed), so that every lock is a real change.
      {"Lock click, through to the written value",
       [&] {
         registry.SetStart(3);
         clicking.Tick();
         Check(clicking.button("cmdLock").Enabled(), "Lock is available while unlocked");
       },
       [&] { clicking.ClickButton("cmdLock"); },
       [&] {
         Check(registry.Start() == 4u, "Lock wrote 4");
         Check(clicking.form.Image("imgLock").Visible() && !clicking.button("cmdLock").Enabled(),
               "Lock shows the closed padlock and disables itself");
         clicking.ClickButton("cmdUnLock");
         Check(registry.Start() == 3u, "Unlock wrote 3");
       }},
      // (c) One whole paint of the Lock button, enabled, as the unlocked window shows it.
      {"cmdLock paint",
       [&] {
         registry.SetStart(3);
         painting.Tick();
         Check(lock_button.Enabled(), "Lock is enabled for the paint");
       },
       [&] { lock_button.Paint(); },
       {}},
  };

  std::printf("Ferrowind main-window timing: %s\n", fw::bench::BuildDescription(kBuild).c_str());
  if (quick) {
    std::printf("(quick run: one checked iteration of each case; the figures mean nothing)\n");
  } else {
    std::printf("median of 5 runs of %.2f s each, nanoseconds per iteration\n", seconds);
  }
  const int runs = quick ? 1 : 5;
  for (const Case& c : cases) {
    c.prepare();
    std::vector<double> figures;
    for (int run = 0; run < runs; ++run) figures.push_back(RunOnce(c, seconds, quick));
    std::sort(figures.begin(), figures.end());
    std::printf("  %-42s %12.0f ns   (runs: %.0f .. %.0f)\n", c.name.c_str(),
                figures[figures.size() / 2], figures.front(), figures.back());
  }
  Check(ticking.Label("Label4") == "Locked", "the ticking window still shows Locked");
  registry.Clean();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<fw::bench::TimingOptions> options =
      fw::bench::ParseTimingOptions(argc, argv, "app_timing");
  if (!options) return 2;
  return fw::bench::RunWithOwnRegistry("app_timing", "",
                                       [&] { return Run(options->quick, options->seconds); });
}
