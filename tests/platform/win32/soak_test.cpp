// The main window in real windows under Wine, soaked: many paints of each of its five buttons
// and many ticks of its timer (with the stored value flipping between 3 and 4, so that labels,
// pictures, tooltips and the buttons' Enabled change along the way) leave the process's GDI and
// USER object counts where they started. Not one object may leak.
//
// FERROWIND_SOAK_COUNT sets the number of paints per button and of ticks (100000 by default).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/program.h"
#include "controls/button/button.h"
#include "platform/win32/form_window.h"
#include "tests/app/scratch_registry.h"
#include "tests/platform/win32/gui_object_count.h"
#include "tests/platform/win32/win32_test_support.h"

namespace fw::win32 {
namespace {

using testing::CountGuiObjects;
using testing::GuiObjects;
using testing::PumpFor;
using testing::PumpPending;

int SoakCount() {
  const char* text = std::getenv("FERROWIND_SOAK_COUNT");
  const int count = text != nullptr ? std::atoi(text) : 0;
  return count > 0 ? count : 100000;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class SoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch.SetStart(3);
    Win32FormOptions options;
    options.quit_on_close = false;
    options.message_box = [](HWND, const std::string&, const std::string&, int) { return kIdOk; };
    form = std::make_unique<Win32Form>(*device, app::Form1Design(), app::MakeUserControl,
                                       app::ResourcePicture, options);
    code = std::make_unique<app::Form1>(*form, scratch.registry());
    form->Show(*code);
    PumpFor(100);
  }
  void TearDown() override { form->RethrowFailure(); }

  // One tick of Timer1 as the platform delivers it.
  void Tick() { ::SendMessageA(form->window(), WM_TIMER, form->TimerId("Timer1"), 0); }

  std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  fw::testing::ScratchRegistry scratch;
  std::unique_ptr<Win32Form> form;
  std::unique_ptr<app::Form1> code;
};

constexpr const char* kButtons[] = {"cmdLock", "cmdUnLock", "Command1", "Command2", "cmdExit"};

TEST_F(SoakTest, PaintsOfEachButtonAndTimerTicksLeaveTheObjectCountsWhereTheyStarted) {
  const int count = SoakCount();
  ASSERT_NE(form->TimerId("Timer1"), 0u);
  // Once round everything first: caches that fill once (fonts, brushes of the system colours)
  // are not leaks.
  for (const char* name : kButtons) form->ControlAs<Button>(name).Paint();
  for (int i = 0; i < 4; ++i) {
    scratch.SetStart(i % 2 == 0 ? 4 : 3);
    Tick();
    PumpPending();
  }
  PumpFor(50);
  const GuiObjects before = CountGuiObjects();
  std::printf("objects before: %ld GDI, %ld USER (%s)\n", before.gdi, before.user,
              before.method.c_str());
  ASSERT_GT(before.gdi, 0);
  ASSERT_GT(before.user, 0);

  for (const char* name : kButtons) {
    Button& button = form->ControlAs<Button>(name);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
      button.Paint();
      if (i % 1000 == 999) PumpPending();
    }
    std::printf("%d paints of %s: %.1f s (%.1f us each)\n", count, name, SecondsSince(start),
                SecondsSince(start) * 1e6 / count);
  }

  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    if (i % 1000 == 0) scratch.SetStart((i / 1000) % 2 == 0 ? 4 : 3);
    Tick();
    if (i % 100 == 99) PumpPending();
  }
  std::printf("%d ticks: %.1f s (%.1f us each)\n", count, SecondsSince(start),
              SecondsSince(start) * 1e6 / count);
  // The flips happened: the window's state follows the last value written.
  EXPECT_EQ(form->Label("Label4").Caption(),
            ((count - 1) / 1000) % 2 == 0 ? "Locked" : "Un-Locked");

  PumpFor(50);
  const GuiObjects after = CountGuiObjects();
  std::printf("objects after: %ld GDI, %ld USER\n", after.gdi, after.user);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
}

}  // namespace
}  // namespace fw::win32
