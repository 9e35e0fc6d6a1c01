// The main window in the headless form, over the build's own drawing device and registry: what
// it shows at start, what the buttons and the timer do, how it closes.
#include "app/form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>

#include "app/form1_texts.h"
#include "app/program.h"
#include "controls/button/button.h"
#include "formats/image/image_file.h"
#include "platform/form/software_form.h"
#include "platform/headless/recorder.h"
#include "tests/app/key_write_refusal.h"
#include "tests/app/scratch_registry.h"

#ifndef _WIN32
#include <sstream>

#include "app/unreadable_registry_report.h"
#include "platform/modprobe/system_registry.h"
#include "platform/registry_store/soft_registry.h"
#endif

namespace fw::app {
namespace {

using fw::testing::ScratchRegistry;

Point Center(const Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Form1Test : public ::testing::Test {
 protected:
  void Open() {
    form = std::make_unique<SoftwareForm>(*device, Form1Design(), MakeUserControl, ResourcePicture);
    recorder = std::make_unique<headless::Recorder>(form->Host());
    form->KeepMessageBoxes();
    code = std::make_unique<Form1>(*form, registry != nullptr ? *registry : scratch.registry(),
                                   elevation);
    form->AnswerMessageBoxes([this](const MessageBoxCall& call) {
      if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << call.title << ": " << call.text;
        return kIdOk;
      }
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
    form->Show(*code);
  }

  void ClickButton(std::string_view name) {
    const Point at = Center(form->PixelRect(name));
    form->Click(at.x, at.y);
  }
  // One tick of Timer1 (the platform raises a 1-ms timer to 10 ms).
  void Tick() { form->Advance(10); }

  Button& button(std::string_view name) { return form->ControlAs<Button>(name); }

  // The display states: which picture shows, which buttons are available, the status text.
  void ExpectInitialState() {
    EXPECT_EQ(Label("Label4"), "Un-Locked");
    EXPECT_FALSE(Shows("imgLock"));
    EXPECT_FALSE(Shows("imgUnLock"));
    EXPECT_TRUE(button("cmdLock").Enabled());
    EXPECT_TRUE(button("cmdUnLock").Enabled());
  }
  void ExpectLockedState(std::string_view status = "Locked") {
    EXPECT_EQ(Label("Label4"), status);
    EXPECT_TRUE(Shows("imgLock"));
    EXPECT_FALSE(Shows("imgUnLock"));
    EXPECT_FALSE(button("cmdLock").Enabled());
    EXPECT_TRUE(button("cmdUnLock").Enabled());
  }
  void ExpectUnlockedState() {
    EXPECT_EQ(Label("Label4"), "Un-Locked");
    EXPECT_TRUE(Shows("imgUnLock"));
    EXPECT_FALSE(Shows("imgLock"));
    EXPECT_TRUE(button("cmdLock").Enabled());
    EXPECT_FALSE(button("cmdUnLock").Enabled());
  }
  std::string Label(std::string_view name) { return form->Label(name).Caption(); }
  bool Shows(std::string_view image) { return form->Image(image).Visible(); }

  std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  ScratchRegistry scratch;
  // The registry the window is given, when not the scratch registry itself.
  Registry* registry = nullptr;
  // What carries out a write the user may not make (none by default, as on Linux).
  Elevation* elevation = nullptr;
  std::unique_ptr<SoftwareForm> form;
  std::unique_ptr<headless::Recorder> recorder;
  std::unique_ptr<Form1> code;
  std::deque<int> answers;
};

TEST_F(Form1Test, OpensInItsInitialStateBeforeTheFirstTick) {
  scratch.SetStart(4);
  Open();
  ExpectInitialState();
  EXPECT_EQ(Label("Label1"), "3");
  EXPECT_FALSE(form->Label("Label1").Visible());
  EXPECT_EQ(form->FocusedName(), "cmdLock");
}

TEST_F(Form1Test, AStoredFourShowsLockedAfterTheFirstTick) {
  scratch.SetStart(4);
  Open();
  Tick();
  EXPECT_EQ(Label("Label1"), "4");
  ExpectLockedState();
  EXPECT_EQ(form->Image("imgLock").ToolTipText(), "Locked");
  EXPECT_EQ(form->Image("imgUnLock").ToolTipText(), "");
}

TEST_F(Form1Test, AStoredThreeShowsUnlocked) {
  scratch.SetStart(3);
  Open();
  Tick();
  ExpectUnlockedState();
  EXPECT_EQ(form->Image("imgUnLock").ToolTipText(), "Un-Locked");
}

TEST_F(Form1Test, OtherReadingsKeepTheInitialState) {
  struct Case {
    const char* what;
    std::function<void(ScratchRegistry&)> store;
    std::string label1;
  };
  const std::vector<Case> cases = {
      {"0", [](ScratchRegistry& s) { s.SetStart(0); }, "0"},
      {"1", [](ScratchRegistry& s) { s.SetStart(1); }, "1"},
      {"2", [](ScratchRegistry& s) { s.SetStart(2); }, "2"},
      {"no value", [](ScratchRegistry&) {}, ""},
      {"text", [](ScratchRegistry& s) { s.SetText(kUsbStorRoot, kUsbStorPath, "Start", "on"); },
       "on"},
      {"binary",
       [](ScratchRegistry& s) {
         s.Set(kUsbStorRoot, kUsbStorPath, "Start", kRegBinary, {4, 0, 0, 0});
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scratch.Clean();
    c.store(scratch);
    Open();
    Tick();
    EXPECT_EQ(Label("Label1"), c.label1);
    ExpectInitialState();
  }
}

// A stored text counts as the number it converts to, converted as a text written as REG_DWORD
// is: "&H4" is 4 here as it is there.
TEST_F(Form1Test, AStoredTextCountsAsTheNumberItConvertsTo) {
  struct Case {
    const char* text;
    std::optional<bool> locked;  // nothing: the initial state stays
  };
  const std::vector<Case> cases = {
      {"4", true},   {"3", false},  {"&H4", true},  {"&h3", false}, {" 4 ", true},
      {"+3", false}, {"4.0", true}, {"&H04", true}, {"4.4", {}},    {"&H", {}},
      {"&H4x", {}},  {"4 4", {}},   {"0x4", {}},    {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    scratch.Clean();
    scratch.SetText(kUsbStorRoot, kUsbStorPath, "Start", c.text);
    Open();
    Tick();
    EXPECT_EQ(Label("Label1"), c.text);
    if (!c.locked) {
      ExpectInitialState();
    } else if (*c.locked) {
      ExpectLockedState();
    } else {
      ExpectUnlockedState();
    }
  }
}

TEST_F(Form1Test, LockWritesFourAndShowsTheClosedPadlockAtOnce) {
  scratch.SetStart(3);
  Open();
  Tick();
  answers = {kIdOk};
  ClickButton("cmdLock");
  const auto stored = scratch.GetStart();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, kRegDword);
  EXPECT_EQ(stored->bytes, (std::vector<std::uint8_t>{4, 0, 0, 0}));
  ASSERT_EQ(form->MessageBoxes().size(), 1u);
  EXPECT_EQ(form->MessageBoxes()[0].text, " USB Port Has Been Locked...");
  EXPECT_EQ(form->MessageBoxes()[0].title, "Locked");
  EXPECT_EQ(form->MessageBoxes()[0].style, 0x30);
  // The buttons and pictures change at once; the status text follows on the next tick.
  ExpectLockedState("Un-Locked");
  Tick();
  ExpectLockedState();
  EXPECT_EQ(form->Image("imgLock").ToolTipText(), "Locked");
}

TEST_F(Form1Test, UnlockWritesThreeAndShowsTheOpenPadlock) {
  scratch.SetStart(4);
  Open();
  Tick();
  answers = {kIdOk};
  ClickButton("cmdUnLock");
  EXPECT_EQ(scratch.GetStart()->bytes, (std::vector<std::uint8_t>{3, 0, 0, 0}));
  ASSERT_EQ(form->MessageBoxes().size(), 1u);
  EXPECT_EQ(form->MessageBoxes()[0].text, " USB Port Has Been Un-Locked...");
  EXPECT_EQ(form->MessageBoxes()[0].title, "Un-Locked");
  EXPECT_EQ(form->MessageBoxes()[0].style, 0x30);
  Tick();
  ExpectUnlockedState();
}

// Lock and unlock write UASPStor's Start too, where its key exists, and never make the key.
TEST_F(Form1Test, LockAndUnlockWriteBothDrivers) {
  struct Case {
    const char* what;
    bool lock;
    bool uaspstor;
  };
  const std::vector<Case> cases = {
      {"lock", true, true},
      {"lock without UASPStor", true, false},
      {"unlock", false, true},
      {"unlock without UASPStor", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scratch.Clean();
    const std::uint8_t written = c.lock ? 4 : 3;
    scratch.SetStart(c.lock ? 3 : 4);
    if (c.uaspstor) scratch.SetUaspStart(0);
    Open();
    Tick();
    answers = {kIdOk};
    ClickButton(c.lock ? "cmdLock" : "cmdUnLock");
    EXPECT_EQ(scratch.GetStart()->bytes, (std::vector<std::uint8_t>{written, 0, 0, 0}));
    if (c.uaspstor) {
      const auto uaspstor = scratch.GetUaspStart();
      ASSERT_TRUE(uaspstor);
      EXPECT_EQ(uaspstor->type, kRegDword);
      EXPECT_EQ(uaspstor->bytes, (std::vector<std::uint8_t>{written, 0, 0, 0}));
    } else {
      EXPECT_FALSE(scratch.UaspStorKeyExists());
    }
    ASSERT_EQ(form->MessageBoxes().size(), 1u);
    EXPECT_EQ(form->MessageBoxes()[0].title, c.lock ? "Locked" : "Un-Locked");
    Tick();
    if (c.lock) {
      ExpectLockedState();
    } else {
      ExpectUnlockedState();
    }
  }
}

// A user who may write USBSTOR but not UASPStor: USBSTOR is left unwritten and the window only
// says that it failed.
TEST_F(Form1Test, ARefusedUaspStorWriteLeavesUsbStorUnwrittenAndTheWindowUnchanged) {
  for (const bool lock : {true, false}) {
    SCOPED_TRACE(lock ? "lock" : "unlock");
    scratch.Clean();
    const std::uint8_t stored = lock ? 3 : 4;
    scratch.SetStart(stored);
    scratch.SetUaspStart(0);
    fw::testing::KeyWriteRefusal refusal(scratch, kUsbStorRoot, kUaspStorPath);
    registry = &refusal.registry();
    Open();
    Tick();
    answers = {kIdOk};
    ClickButton(lock ? "cmdLock" : "cmdUnLock");
    ASSERT_EQ(form->MessageBoxes().size(), 1u);
    EXPECT_EQ(form->MessageBoxes()[0].text, lock ? texts::kLockFailed : texts::kUnlockFailed);
    EXPECT_EQ(form->MessageBoxes()[0].style, 0x10);
    EXPECT_EQ(scratch.GetStart()->bytes, (std::vector<std::uint8_t>{stored, 0, 0, 0}));
    EXPECT_EQ(scratch.GetUaspStart()->bytes, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    if (lock) {
      ExpectUnlockedState();
    } else {
      ExpectLockedState();
    }
    Tick();
    if (lock) {
      ExpectUnlockedState();
    } else {
      ExpectLockedState();
    }
    // The window goes before the refusal it was given.
    code.reset();
    recorder.reset();
    form.reset();
    registry = nullptr;
  }
}

// An elevation that answers as told and records what it was asked to run.
class ScriptedElevation final : public Elevation {
 public:
  explicit ScriptedElevation(std::function<ElevatedRun()> answer) : answer_(std::move(answer)) {}
  ElevatedRun RunElevated(std::string_view program, std::string_view arguments) override {
    calls.push_back(std::string(program) + " " + std::string(arguments));
    return answer_();
  }
  std::vector<std::string> calls;

 private:
  std::function<ElevatedRun()> answer_;
};

// A user who may not write: the window has ferrowind-cli make the writes as an administrator.
// Only its success shows the new state; declining the prompt or the tool failing changes
// nothing and shows the failure message.
TEST_F(Form1Test, ARefusedWriteIsMadeByTheElevatedToolOrFailsWithNothingChanged) {
  using Outcome = ElevatedRun::Outcome;
  struct Case {
    const char* what;
    bool lock;
    bool refused;               // the user's own write is refused
    ElevatedRun answer;         // what the elevated run ends with
    bool administrator_writes;  // the tool makes the writes (as ferrowind-cli would)
  };
  const std::vector<Case> cases = {
      {"lock, tool succeeds", true, true, {Outcome::kExited, 0, {}}, true},
      {"unlock, tool succeeds", false, true, {Outcome::kExited, 0, {}}, true},
      {"lock, prompt declined", true, true, {Outcome::kDeclined, 0, {}}, false},
      {"unlock, tool refused too", false, true, {Outcome::kExited, 5, {}}, false},
      {"lock, tool missing", true, true, {Outcome::kFailed, 0, "not found"}, false},
      {"lock, user may write", true, false, {Outcome::kExited, 0, {}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scratch.Clean();
    const std::uint8_t stored = c.lock ? 3 : 4;
    const std::uint8_t wanted = c.lock ? 4 : 3;
    scratch.SetStart(stored);
    scratch.SetUaspStart(stored);
    auto refusal =
        std::make_unique<fw::testing::KeyWriteRefusal>(scratch, kUsbStorRoot, kUsbStorPath);
    if (!c.refused) refusal->Lift();
    ScriptedElevation scripted([&] {
      if (c.administrator_writes) {
        refusal->Lift();
        const StartWriteResult written =
            c.lock ? LockUsbStorage(scratch.registry()) : UnlockUsbStorage(scratch.registry());
        EXPECT_TRUE(written.ok()) << written.status;
      }
      return c.answer;
    });
    registry = &refusal->registry();
    elevation = &scripted;
    Open();
    Tick();
    answers = {kIdOk};
    ClickButton(c.lock ? "cmdLock" : "cmdUnLock");
    const bool written = !c.refused || c.answer.Succeeded();
    EXPECT_EQ(scripted.calls, c.refused
                                  ? std::vector<std::string>{std::string("ferrowind-cli.exe ") +
                                                             (c.lock ? "lock" : "unlock")}
                                  : std::vector<std::string>{});
    ASSERT_EQ(form->MessageBoxes().size(), 1u);
    if (written) {
      EXPECT_EQ(form->MessageBoxes()[0].title, c.lock ? "Locked" : "Un-Locked");
    } else {
      EXPECT_EQ(form->MessageBoxes()[0].text, c.lock ? texts::kLockFailed : texts::kUnlockFailed);
    }
    const std::uint8_t now = written ? wanted : stored;
    EXPECT_EQ(scratch.GetStart()->bytes[0], now);
    EXPECT_EQ(scratch.GetUaspStart()->bytes[0], now);
    Tick();
    if (written == c.lock) {
      ExpectLockedState();
    } else {
      ExpectUnlockedState();
    }
    // The window goes before the refusal and the elevation it was given.
    code.reset();
    recorder.reset();
    form.reset();
    registry = nullptr;
    elevation = nullptr;
  }
}

TEST_F(Form1Test, LockOnAMissingKeyCreatesIt) {
  Open();
  Tick();
  answers = {kIdOk};
  ClickButton("cmdLock");
  ASSERT_TRUE(scratch.GetStart());
  Tick();
  EXPECT_EQ(Label("Label4"), "Locked");
}

TEST_F(Form1Test, SpaceAndEnterReachTheFocusedButtonButDoNotClickIt) {
  scratch.SetStart(3);
  Open();
  Tick();
  recorder->Clear();
  form->PressKey(32);
  form->PressKey(13);
  std::vector<std::string> events;
  for (const auto& record : recorder->RecordsOf(headless::Record::Kind::Event)) {
    events.push_back(record.control + "." + record.name);
  }
  EXPECT_NE(std::find(events.begin(), events.end(), "cmdLock.KeyDown"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "cmdLock.KeyUp"), events.end());
  EXPECT_EQ(std::find(events.begin(), events.end(), "cmdLock.Click"), events.end());
  EXPECT_TRUE(form->MessageBoxes().empty());
  EXPECT_EQ(scratch.GetStart()->bytes[0], 3);
}

TEST_F(Form1Test, TabAndShiftTabFollowTheTabOrderSkippingDisabledButtons) {
  scratch.SetStart(5);
  Open();
  const std::vector<std::string> order = {"cmdLock", "cmdUnLock", "Command1", "Command2",
                                          "cmdExit"};
  for (std::size_t i = 1; i <= order.size(); ++i) {
    form->PressKey(9);
    EXPECT_EQ(form->FocusedName(), order[i % order.size()]);
  }
  form->PressKey(9, kShiftMask);
  EXPECT_EQ(form->FocusedName(), "cmdExit");
  form->PressKey(9, kShiftMask);
  EXPECT_EQ(form->FocusedName(), "Command2");
  // A disabled button is passed over.
  form->Host().Focus("Command1");
  button("cmdUnLock").Enabled(false);
  form->PressKey(9, kShiftMask);
  EXPECT_EQ(form->FocusedName(), "cmdLock");
}

TEST_F(Form1Test, TheNoteHasTwoParagraphsAndOneEmptyLine) {
  Open();
  answers = {kIdOk};
  ClickButton("Command1");
  ASSERT_EQ(form->MessageBoxes().size(), 1u);
  const MessageBoxCall& note = form->MessageBoxes()[0];
  EXPECT_EQ(note.title, "About the protection...");
  EXPECT_EQ(note.style, 0x40);
  const auto split = note.text.find("\r\n\r\n");
  ASSERT_NE(split, std::string::npos);
  EXPECT_EQ(note.text.find("\r\n", split + 4), std::string::npos);
  EXPECT_EQ(note.text.find('\n'), split + 1);
  EXPECT_EQ(note.text.substr(0, 57), "Note that this will only prevent usage ofnewly plugged-in");
  EXPECT_EQ(note.text.substr(split - 26, 26), "while you set this option.");
  EXPECT_EQ(note.text.substr(split + 4, 6), "Note: ");
  EXPECT_TRUE(note.text.ends_with("USB-based device that is NOT a portable disk."));
  EXPECT_NE(note.text.find("disks,but will"), std::string::npos);
}

TEST_F(Form1Test, TheAboutLinesAreSeparatedByCarriageReturnsAlone) {
  Open();
  answers = {kIdOk};
  ClickButton("Command2");
  ASSERT_EQ(form->MessageBoxes().size(), 1u);
  const MessageBoxCall& about = form->MessageBoxes()[0];
  EXPECT_EQ(about.title, "About Ferrowind");
  EXPECT_EQ(about.style, 0x40);
  EXPECT_EQ(about.text.find('\n'), std::string::npos);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t cr; (cr = about.text.find('\r', start)) != std::string::npos; start = cr + 1) {
    lines.push_back(about.text.substr(start, cr - start));
  }
  lines.push_back(about.text.substr(start));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(lines[0].starts_with("Author" + std::string(10, ' ')));
  EXPECT_NE(lines[0][16], ' ');
  EXPECT_TRUE(lines[1].starts_with("E-mail" + std::string(11, ' ')));
  EXPECT_NE(lines[1][17], ' ');
  EXPECT_TRUE(lines[2].starts_with("Web Site" + std::string(6, ' ')));
  EXPECT_NE(lines[2][14], ' ');
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "Thank you for using this program");
}

TEST_F(Form1Test, ExitAsksAndNoKeepsTheWindow) {
  scratch.SetStart(3);
  Open();
  Tick();
  answers = {kIdOk};
  ClickButton("cmdLock");
  Tick();
  EXPECT_EQ(Label("Label1"), "4");
  answers = {kIdNo};
  ClickButton("cmdExit");
  ASSERT_EQ(form->MessageBoxes().size(), 2u);
  EXPECT_EQ(form->MessageBoxes()[1].text, "Are you sure you want to quit ?");
  EXPECT_EQ(form->MessageBoxes()[1].title, "Exit");
  EXPECT_EQ(form->MessageBoxes()[1].style, 0x04);
  EXPECT_FALSE(form->Closed());
  EXPECT_FALSE(button("cmdLock").Enabled());
  answers = {kIdYes};
  ClickButton("cmdExit");
  EXPECT_TRUE(form->Closed());
  // A closed window ticks no more.
  scratch.SetStart(3);
  Tick();
  EXPECT_EQ(Label("Label1"), "4");
}

TEST_F(Form1Test, TheCloseBoxAndLogOffAskTheSameQuestion) {
  Open();
  answers = {kIdNo};
  EXPECT_FALSE(form->RequestClose(kUnloadFormControlMenu));
  answers = {kIdNo};
  EXPECT_FALSE(form->RequestClose(kUnloadAppWindows));
  answers = {kIdYes};
  EXPECT_TRUE(form->RequestClose(kUnloadFormControlMenu));
  EXPECT_TRUE(form->Closed());
  ASSERT_EQ(form->MessageBoxes().size(), 3u);
  for (const MessageBoxCall& call : form->MessageBoxes()) {
    EXPECT_EQ(call.text, texts::kQuitQuestion);
  }
}

TEST_F(Form1Test, TheDisplayFollowsAnOutsideChangeBothWays) {
  scratch.SetStart(3);
  Open();
  Tick();
  scratch.SetStart(4);
  Tick();
  ExpectLockedState();
  scratch.SetStart(3);
  Tick();
  ExpectUnlockedState();
  EXPECT_EQ(form->Image("imgUnLock").ToolTipText(), "Un-Locked");
}

TEST_F(Form1Test, ASteadyStateChangesNothing) {
  scratch.SetStart(4);
  Open();
  Tick();
  recorder->Clear();
  const auto revision = form->Revision();
  for (int i = 0; i < 20; ++i) Tick();
  EXPECT_TRUE(recorder->Records().empty());
  EXPECT_EQ(form->Revision(), revision);
}

TEST_F(Form1Test, TooltipsAndTheHandCursor) {
  scratch.SetStart(4);
  Open();
  const Point padlock = Center(form->PixelRect("imgLock"));
  EXPECT_EQ(form->ToolTipAt(padlock), "");
  Tick();
  EXPECT_EQ(form->ToolTipAt(padlock), "Locked");
  EXPECT_EQ(form->ToolTipAt({2, 2}), "");
  for (const char* name : {"cmdLock", "cmdUnLock", "Command1", "Command2", "cmdExit"}) {
    const FormCursor cursor = form->CursorAt(Center(form->PixelRect(name)));
    ASSERT_NE(cursor.icon, nullptr) << name;
    EXPECT_EQ(cursor.icon->resource_name(), "hand.cur");
    EXPECT_EQ(cursor.icon->kind(), PictureKind::Cursor);
  }
  EXPECT_EQ(form->CursorAt({2, 2}).icon, nullptr);
}

// What the window looks like: the padlock pictures, the status text and the buttons.
class Form1PixelsTest : public Form1Test {
 protected:
  // Whether the rendered window holds `picture` with its top-left at `at`.
  static bool ShowsPicture(const Dc& dc, Point at, const Picture& picture) {
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        const std::uint32_t rgb =
            picture.image().color[static_cast<std::size_t>(y * picture.width() + x)];
        const ColorRef expected = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        if (dc.GetPixel(at.x + x, at.y + y) != expected) return false;
      }
    }
    return true;
  }
  // Keeps the rendered window for people to look at, when the test run has a folder for it.
  static void Keep(const Dc& dc, const std::string& name) {
    const char* folder = std::getenv("FERROWIND_TEST_OUTPUT");
    if (folder == nullptr) return;
    image::Image picture{dc.Width(), dc.Height(), {}};
    for (int y = 0; y < dc.Height(); ++y) {
      for (int x = 0; x < dc.Width(); ++x) {
        const ColorRef c = dc.GetPixel(x, y);
        picture.pixels.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 255});
      }
    }
    std::filesystem::create_directories(folder);
    image::WriteImageFile(picture, std::filesystem::path(folder) / (name + ".png"));
  }
  static int CountColour(const Dc& dc, const Rect& r, ColorRef colour) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) count += dc.GetPixel(x, y) == colour;
    }
    return count;
  }
};

TEST_F(Form1PixelsTest, TheClosedPadlockAndRedStatusShowWhenLocked) {
  scratch.SetStart(4);
  Open();
  const Rect lock = form->PixelRect("imgLock");
  const PicturePtr closed = ResourcePicture("padlock_closed.bmp");
  ASSERT_NE(closed, nullptr);
  {
    const auto dc = form->Render();
    EXPECT_EQ(dc->Width(), 395);
    EXPECT_EQ(dc->Height(), 225);
    EXPECT_FALSE(ShowsPicture(*dc, {lock.left, lock.top}, *closed));
    EXPECT_EQ(CountColour(*dc, lock, 0xFFFFFF), lock.Width() * lock.Height());
  }
  Tick();
  const auto dc = form->Render();
  Keep(*dc, "form1-locked");
  EXPECT_TRUE(ShowsPicture(*dc, {lock.left, lock.top}, *closed));
  // "Locked" in red on white, narrower than "Un-Locked" was.
  const Rect status = form->PixelRect("Label4");
  EXPECT_GT(CountColour(*dc, status, 0x0000FF), 20);
  EXPECT_EQ(CountColour(*dc, status, 0x0000FF) + CountColour(*dc, status, 0xFFFFFF),
            status.Width() * status.Height());
  // "Current Status:" in blue.
  EXPECT_GT(CountColour(*dc, form->PixelRect("Label3"), 0xFF0000), 30);
}

TEST_F(Form1PixelsTest, TheOpenPadlockShowsWhenUnlockedAndButtonsShowTheirSurfaces) {
  scratch.SetStart(3);
  Open();
  Tick();
  const auto dc = form->Render();
  Keep(*dc, "form1-unlocked");
  const PicturePtr open = ResourcePicture("padlock_open.bmp");
  ASSERT_NE(open, nullptr);
  const Rect unlock = form->PixelRect("imgUnLock");
  EXPECT_TRUE(ShowsPicture(*dc, {unlock.left, unlock.top}, *open));
  // Every pixel inside a button's window region is the button's own surface.
  for (const char* name : {"cmdLock", "cmdExit"}) {
    SCOPED_TRACE(name);
    const Rect r = form->PixelRect(name);
    Dc& surface = form->Host().WindowOf(name).hDC();
    const Region* region = form->Host().RegionOf(name);
    int inside = 0;
    for (int y = 0; y < r.Height(); ++y) {
      for (int x = 0; x < r.Width(); ++x) {
        if (region != nullptr && !region->PtInRegion(x, y)) continue;
        ++inside;
        ASSERT_EQ(dc->GetPixel(r.left + x, r.top + y), surface.GetPixel(x, y)) << x << "," << y;
      }
    }
    EXPECT_GT(inside, r.Width() * r.Height() / 2);
  }
}

// A user without write access: the registry refuses the write (the Linux store through its
// file's permissions, advapi32 through the key's access list), and the window says so.
TEST_F(Form1Test, AFailedLockOrUnlockSaysSoAndChangesNothing) {
  scratch.SetStart(3);
  Open();
  Tick();
  auto refusal = scratch.RefuseWrites(kUsbStorRoot, kUsbStorPath);
#ifdef _WIN32
  // Another program (Wine's reg.exe) is refused too: the refusal is the registry's own.
  EXPECT_NE(std::system("reg add \"HKLM\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR\" /v Start "
                        "/t REG_DWORD /d 4 /f >NUL 2>&1"),
            0);
#endif
  answers = {kIdOk};
  ClickButton("cmdLock");
  ASSERT_EQ(form->MessageBoxes().size(), 1u);
  EXPECT_EQ(form->MessageBoxes()[0].title, "Ferrowind");
  EXPECT_EQ(form->MessageBoxes()[0].style, 0x10);
  EXPECT_EQ(form->MessageBoxes()[0].text, texts::kLockFailed);
  EXPECT_EQ(scratch.GetStart()->bytes[0], 3);
  ExpectUnlockedState();
  Tick();
  ExpectUnlockedState();
  // The same for unlock.
  refusal.reset();
  scratch.SetStart(4);
  Tick();
  refusal = scratch.RefuseWrites(kUsbStorRoot, kUsbStorPath);
  answers = {kIdOk};
  ClickButton("cmdUnLock");
  ASSERT_EQ(form->MessageBoxes().size(), 2u);
  EXPECT_EQ(form->MessageBoxes()[1].title, "Ferrowind");
  EXPECT_EQ(form->MessageBoxes()[1].style, 0x10);
  EXPECT_EQ(form->MessageBoxes()[1].text, texts::kUnlockFailed);
  EXPECT_EQ(scratch.GetStart()->bytes[0], 4);
  ExpectLockedState();
}

#ifndef _WIN32
// System mode: the window over the module policy of a throwaway root. It starts showing the
// policy's state, follows a change made to the files from outside at the next tick, and its
// Lock writes Ferrowind's own file for both modules.
TEST_F(Form1Test, InSystemModeTheWindowShowsFollowsAndWritesTheModulePolicy) {
  const std::filesystem::path root = scratch.file().parent_path() / "sysroot";
  const std::filesystem::path folder = root / "etc/modprobe.d";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "hardening.conf") << "install usb-storage /bin/true\n";
  modprobe::SystemRegistry system(root);
  registry = &system;
  Open();
  Tick();
  ExpectLockedState();
  std::filesystem::remove(folder / "hardening.conf");
  Tick();
  ExpectUnlockedState();
  answers = {kIdOk};
  ClickButton("cmdLock");
  ASSERT_EQ(form->MessageBoxes().size(), 1u);
  EXPECT_EQ(form->MessageBoxes()[0].title, "Locked");
  std::ifstream written(folder / "ferrowind.conf");
  std::stringstream text;
  text << written.rdbuf();
  for (const char* line : {"install usb-storage /bin/false", "blacklist usb-storage",
                           "install uas /bin/false", "blacklist uas"}) {
    EXPECT_NE(text.str().find(line), std::string::npos) << line << " in:\n" << text.str();
  }
  Tick();
  ExpectLockedState();
  code.reset();
  recorder.reset();
  form.reset();
  registry = nullptr;
}

// Another process changes the value with the command-line tool while the window is open.
TEST_F(Form1Test, TheDisplayFollowsChangesMadeWithTheRegistryTool) {
  scratch.SetStart(3);
  Open();
  Tick();
  const auto reg = [&](const std::string& data) {
    const std::string command = std::string("FERROWIND_REGISTRY='") + scratch.file().string() +
                                "' '" FERROWIND_REG_TOOL
                                "' add "
                                "'HKLM\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR' "
                                "/v Start /t REG_DWORD /d " +
                                data + " /f > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  };
  reg("4");
  Tick();
  ExpectLockedState();
  reg("0x3");
  Tick();
  ExpectUnlockedState();
}

TEST_F(Form1Test, AStoreThatCannotBeParsedKeepsTheLastGoodState) {
  scratch.SetStart(4);
  Open();
  Tick();
  {
    std::ofstream broken(scratch.file(), std::ios::app);
    broken << "this line is not registry text\n";
  }
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(Label("Label4"), "Locked");
  EXPECT_EQ(Label("Label1"), "");
  EXPECT_TRUE(Shows("imgLock"));
  EXPECT_FALSE(button("cmdLock").Enabled());
}

// What the Linux program says on stderr about its registry file, watching the build's own
// registry (a SoftRegistry) as the program does.
class Form1ReportTest : public Form1Test {
 protected:
  soft::SoftRegistry& registry() { return dynamic_cast<soft::SoftRegistry&>(scratch.registry()); }
  std::string FileText() const {
    std::ifstream in(scratch.file(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteFile(const std::string& text) const {
    std::ofstream(scratch.file(), std::ios::binary | std::ios::trunc) << text;
  }
  // The file with "Start" made unparseable, and the number of that line.
  std::pair<std::string, int> Broken(const std::string& good) const {
    const std::size_t at = good.find("\"Start\"=dword:");
    EXPECT_NE(at, std::string::npos) << good;
    std::string text = good;
    text.replace(at, good.find('\n', at) - at, "\"Start\"=dword:4 (locked)");
    return {
        text,
        static_cast<int>(std::count(good.begin(), good.begin() + static_cast<long>(at), '\n')) + 1};
  }
  std::vector<ColorRef> Pixels() {
    const auto dc = form->Render();
    std::vector<ColorRef> pixels;
    for (int y = 0; y < dc->Height(); ++y) {
      for (int x = 0; x < dc->Width(); ++x) pixels.push_back(dc->GetPixel(x, y));
    }
    return pixels;
  }
  std::string ReportLine(int line) const {
    return "ferrowind: " + scratch.file().string() + ":" + std::to_string(line) + ": ";
  }
};

TEST_F(Form1ReportTest, AFileBrokenWhileRunningKeepsTheDisplayAndIsSaidOncePerBreakage) {
  std::ostringstream said;
  const UnreadableRegistryReport report(registry(), said);
  scratch.SetStart(4);
  Open();
  Tick();
  ExpectLockedState();
  const std::vector<ColorRef> locked = Pixels();
  const auto [broken, line] = Broken(FileText());
  WriteFile(broken);
  for (int i = 0; i < 5; ++i) Tick();

  // The window is as it was, picture for picture, and the file byte for byte.
  ExpectLockedState();
  EXPECT_EQ(form->Image("imgLock").ToolTipText(), "Locked");
  EXPECT_TRUE(Pixels() == locked) << "the window changed";
  EXPECT_EQ(FileText(), broken);
  // One line, naming the file and the broken line.
  const std::string first = said.str();
  EXPECT_TRUE(first.starts_with(ReportLine(line))) << first;
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 1) << first;
  EXPECT_TRUE(first.ends_with("\n"));

  // Mended with another value: the window follows, and nothing more is said.
  WriteFile(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR]\n"
      "\"Start\"=dword:00000003\n");
  Tick();
  ExpectUnlockedState();
  EXPECT_EQ(said.str(), first);

  // Broken again: said again, once.
  const auto [again, again_line] = Broken(FileText());
  WriteFile(again);
  for (int i = 0; i < 5; ++i) Tick();
  ExpectUnlockedState();
  EXPECT_EQ(FileText(), again);
  const std::string second = said.str().substr(first.size());
  EXPECT_TRUE(second.starts_with(ReportLine(again_line))) << said.str();
  EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 1) << said.str();
}

TEST_F(Form1ReportTest, AFileBrokenAtStartIsSaidAtStartAndOnlyThen) {
  scratch.SetStart(4);
  const auto [broken, line] = Broken(FileText());
  WriteFile(broken);
  std::ostringstream said;
  const UnreadableRegistryReport report(registry(), said);
  EXPECT_EQ(registry().Refresh(), kErrorBadDb);
  EXPECT_TRUE(said.str().starts_with(ReportLine(line))) << said.str();
  const std::string first = said.str();
  Open();
  for (int i = 0; i < 5; ++i) Tick();
  ExpectInitialState();
  EXPECT_EQ(said.str(), first);
  EXPECT_EQ(FileText(), broken);
}
#endif

}  // namespace
}  // namespace fw::app
