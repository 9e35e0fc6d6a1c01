// The Linux program's memory over long use. The main window is built as the program builds it
// (app/main_linux.cpp: the headless form over the stored design, Form1's code, the registry
// store in a file) and driven with mouse moves that sweep the window across every button, timer
// ticks and About boxes. The resident set is read from /proc/self/statm after a warm-up and again
// at the end; the program reports both figures and the heap in use, and fails when the resident
// set grew by more than the limit.
//
// Usage: memory_soak [--moves N] [--ticks N] [--boxes N] [--limit-kb K] [--quick]
//   defaults: 100000 moves, 100000 ticks, 10000 message boxes, a limit of 256 KB
//   --quick   1000 of each, figures reported but not judged (sanitizer builds, whose allocator
//             holds freed memory back on purpose)
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/mod_reg.h"
#include "app/program.h"
#include "platform/form/software_form.h"
#include "platform/gdi.h"
#include "platform/registry_store/soft_registry.h"

namespace {

struct Options {
  long moves = 100000;
  long ticks = 100000;
  long boxes = 10000;
  long limit_kb = 256;
  bool judge = true;
};

long Number(std::string_view flag, const char* text) {
  const std::string_view value(text);
  long number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size() || number < 0) {
    throw std::invalid_argument(std::string(flag) + " needs a whole number, not \"" +
                                std::string(value) + "\"");
  }
  return number;
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag(argv[i]);
    if (flag == "--quick") {
      options.moves = options.ticks = options.boxes = 1000;
      options.judge = false;
      continue;
    }
    long* target = flag == "--moves"      ? &options.moves
                   : flag == "--ticks"    ? &options.ticks
                   : flag == "--boxes"    ? &options.boxes
                   : flag == "--limit-kb" ? &options.limit_kb
                                          : nullptr;
    if (target == nullptr)
      throw std::invalid_argument("unknown argument \"" + std::string(flag) + "\"");
    if (i + 1 == argc) throw std::invalid_argument(std::string(flag) + " needs a value");
    *target = Number(flag, argv[++i]);
  }
  return options;
}

// The resident set in kilobytes (the second figure of /proc/self/statm, in pages).
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  if (!(statm >> size >> resident)) throw std::runtime_error("cannot read /proc/self/statm");
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The bytes the allocator has handed out and not had back, large blocks (mapped on their own)
// included.
long HeapInUseKb() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

// A folder of the run's own for the registry file, removed at the end.
class TempFolder {
 public:
  TempFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("ferrowind-memory-soak-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

fw::Point Centre(const fw::Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The main window as the Linux program makes it, with message boxes answered at once.
class Window {
 public:
  explicit Window(const std::filesystem::path& registry_file)
      : registry_(registry_file),
        form_(*device_, fw::app::Form1Design(), fw::app::MakeUserControl, fw::app::ResourcePicture),
        code_(form_, registry_) {
    fw::app::RegVariant unlocked = std::string("3");
    if (!fw::app::WriteRegistryValue(registry_, fw::app::kUsbStorRoot, fw::app::kUsbStorPath,
                                     fw::app::kStartValue, unlocked, fw::kRegDword)) {
      throw std::runtime_error("cannot write Start in " + registry_file.string() + ": " +
                               registry_.last_error());
    }
    form_.AnswerMessageBoxes([](const fw::MessageBoxCall&) { return fw::kIdOk; });
    form_.Show(code_);
    path_ = SweepPath();
  }

  // The next point of a sweep over the window: rows through each button's middle and between
  // them, left to right and back, so the mouse keeps entering and leaving the buttons.
  void Move() {
    const fw::Point at = path_[next_++ % path_.size()];
    form_.MoveMouse(at.x, at.y);
  }
  void Tick() { form_.Advance(10); }
  void About() {
    const fw::Point at = Centre(form_.PixelRect("Command2"));
    form_.Click(at.x, at.y);
  }
  bool Locked() { return form_.Label("Label4").Caption() == "Locked"; }

 private:
  std::vector<fw::Point> SweepPath() const {
    std::vector<int> rows = {2, form_.Host().Client().cy - 3};
    for (const char* name : {"cmdLock", "cmdUnLock", "Command1", "Command2", "cmdExit"}) {
      const fw::Rect r = form_.PixelRect(name);
      rows.push_back(Centre(r).y);
      rows.push_back(r.bottom + 4);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<fw::Point> path;
    const int width = form_.Host().Client().cx;
    bool backwards = false;
    for (const int y : rows) {
      for (int step = 0; step < width; step += 5) {
        path.push_back({backwards ? width - 1 - step : step, y});
      }
      backwards = !backwards;
    }
    return path;
  }

  std::unique_ptr<fw::GdiDevice> device_ = fw::CreatePlatformGdiDevice();
  fw::soft::SoftRegistry registry_;
  fw::SoftwareForm form_;
  fw::app::Form1 code_;
  std::vector<fw::Point> path_;
  std::size_t next_ = 0;
};

void Drive(Window& window, long moves, long ticks, long boxes) {
  const long rounds = std::max({moves, ticks, boxes});
  for (long i = 0; i < rounds; ++i) {
    if (i < moves) window.Move();
    if (i < ticks) window.Tick();
    // The boxes spread evenly over the run.
    if (boxes > 0 && i * boxes / rounds != (i + 1) * boxes / rounds) window.About();
  }
}

int Run(const Options& options) {
  const TempFolder folder;
  Window window(folder.path() / "registry.reg");
  // The first moves, ticks and boxes fill what is made once (fonts, glyphs, the buttons'
  // surfaces in every state); what comes after them must not grow.
  Drive(window, 2000, 2000, 20);
  const long resident_before = ResidentKb();
  const long heap_before = HeapInUseKb();
  Drive(window, options.moves, options.ticks, options.boxes);
  const long resident_after = ResidentKb();
  const long heap_after = HeapInUseKb();
  if (window.Locked()) throw std::runtime_error("the window shows locked, but 3 is stored");

  const long growth = resident_after - resident_before;
  std::printf("memory_soak: %ld mouse moves, %ld timer ticks, %ld message boxes\n", options.moves,
              options.ticks, options.boxes);
  std::printf("  resident set: %ld KB before, %ld KB after, growth %ld KB (limit %ld KB)\n",
              resident_before, resident_after, growth, options.limit_kb);
  std::printf("  heap in use:  %ld KB before, %ld KB after, growth %ld KB\n", heap_before,
              heap_after, heap_after - heap_before);
  if (!options.judge) {
    std::printf("  (quick run: not judged)\n");
    return 0;
  }
  if (growth > options.limit_kb) {
    std::fprintf(stderr, "memory_soak: the resident set grew by %ld KB, more than %ld KB\n", growth,
                 options.limit_kb);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(ParseOptions(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "memory_soak: %s\n", error.what());
    return 2;
  }
}
