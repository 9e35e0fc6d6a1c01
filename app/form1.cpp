#include "app/form1.h"

#include <optional>
#include <string>

#include "app/form1_texts.h"
#include "app/mod_reg.h"
#include "controls/button/button.h"

namespace fw::app {
namespace {

template <class Target, class Value>
void SetIfDifferent(Target& target, const Value& value) {
  if (target.Visible() != value) target.Visible(value);
}

void EnableIfDifferent(Button& button, bool enabled) {
  if (button.Enabled() != enabled) button.Enabled(enabled);
}

void CaptionIfDifferent(FormLabel& label, std::string_view text) {
  if (label.Caption() != text) label.Caption(std::string(text));
}

void ToolTipIfDifferent(FormImage& image, std::string_view text) {
  if (image.ToolTipText() != text) image.ToolTipText(std::string(text));
}

// The command-line tool beside the program, which writes both drivers as the window does.
constexpr std::string_view kCommandLineTool = "ferrowind-cli.exe";

}  // namespace

void Form1::ControlEvent(std::string_view control, std::string_view event,
                         std::span<const EventArg> /*args*/) {
  if (event != "Click") return;
  if (control == "cmdLock") {
    cmdLock_Click();
  } else if (control == "cmdUnLock") {
    cmdUnLock_Click();
  } else if (control == "Command1") {
    Command1_Click();
  } else if (control == "Command2") {
    Command2_Click();
  } else if (control == "cmdExit") {
    cmdExit_Click();
  }
}

void Form1::Timer(std::string_view timer) {
  if (timer == "Timer1") Timer1_Timer();
}

void Form1::ShowState(bool locked) {
  SetIfDifferent(host_.Image(locked ? "imgLock" : "imgUnLock"), true);
  SetIfDifferent(host_.Image(locked ? "imgUnLock" : "imgLock"), false);
  EnableIfDifferent(host_.ControlAs<Button>(locked ? "cmdLock" : "cmdUnLock"), false);
  EnableIfDifferent(host_.ControlAs<Button>(locked ? "cmdUnLock" : "cmdLock"), true);
}

bool Form1::WriteDrivers(bool lock) {
  // Both drivers, as the command line writes them (app/usb_storage_policy.h).
  const StartWriteResult written = lock ? LockUsbStorage(registry_) : UnlockUsbStorage(registry_);
  if (written.ok()) return true;
  if (written.status != kErrorAccessDenied || elevation_ == nullptr) return false;
  // A user without write access: the same writes, made by the tool with administrator rights.
  // Declining the prompt, or the tool failing, leaves everything as it was.
  return elevation_->RunElevated(kCommandLineTool, lock ? "lock" : "unlock").Succeeded();
}

void Form1::cmdLock_Click() {
  if (!WriteDrivers(/*lock=*/true)) {
    // A write that failed changes nothing on the window: it says so instead.
    host_.MsgBox(texts::kLockFailed, kMbIconError, texts::kFailureTitle);
    return;
  }
  ShowState(/*locked=*/true);
  host_.MsgBox(texts::kLockedMessage, kMbIconExclamation, texts::kLocked);
}

void Form1::cmdUnLock_Click() {
  if (!WriteDrivers(/*lock=*/false)) {
    host_.MsgBox(texts::kUnlockFailed, kMbIconError, texts::kFailureTitle);
    return;
  }
  ShowState(/*locked=*/false);
  host_.MsgBox(texts::kUnlockedMessage, kMbIconExclamation, texts::kUnlocked);
}

void Form1::Command1_Click() {
  host_.MsgBox(texts::kNote, kMbIconInformation, texts::kNoteTitle);
}

void Form1::Command2_Click() {
  host_.MsgBox(texts::kAbout, kMbIconInformation, texts::kAboutTitle);
}

void Form1::cmdExit_Click() {
  host_.Unload();
}

void Form1::QueryUnload(std::int16_t& cancel, std::int16_t /*unload_mode*/) {
  if (host_.MsgBox(texts::kQuitQuestion, kMbYesNo, texts::kQuitTitle) == kIdNo) cancel = 1;
}

void Form1::Timer1_Timer() {
  const RegVariant value = ReadRegistryValue(registry_, kUsbStorRoot, kUsbStorPath, kStartValue);
  FormLabel& label1 = host_.Label("Label1");
  CaptionIfDifferent(label1, VariantToText(value));
  // Converted as a text written as REG_DWORD is; a text that holds no number (the empty text of
  // an unread value) matches neither state.
  const std::optional<double> number = TextToNumber(label1.Caption());
  if (number == kStartUnlocked) {
    CaptionIfDifferent(host_.Label("Label4"), texts::kUnlocked);
    ToolTipIfDifferent(host_.Image("imgUnLock"), texts::kUnlocked);
    ShowState(/*locked=*/false);
  } else if (number == kStartLocked) {
    CaptionIfDifferent(host_.Label("Label4"), texts::kLocked);
    ToolTipIfDifferent(host_.Image("imgLock"), texts::kLocked);
    ShowState(/*locked=*/true);
  }
}

}  // namespace fw::app
