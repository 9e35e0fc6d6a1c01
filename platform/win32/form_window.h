#pragma once
// A window built from its stored design as a real top-level window: caption, icon and a client
// area of the design's size; frames, labels and pictures painted by the window itself (the
// form_render pieces on a memory surface, blitted on WM_PAINT); pictures' tooltips; the user
// controls in child windows of their own; the design's timers; tab order and focus; the modal
// message box; and the close request, raised by the close box and the system menu (WM_CLOSE),
// by a log-off (WM_QUERYENDSESSION) and by the window's own code (Unload).
//
// Message boxes go through a function the owner may replace (tests answer them); by default it
// is MessageBoxA over the window.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form/form_design.h"
#include "platform/form/form_host.h"
#include "platform/form/form_model.h"
#include "platform/win32/control_window.h"
#include "platform/win32/picture_tooltips.h"
#include "platform/win32/win32_dc.h"
#include "platform/win32/win32_user32.h"
#include "platform/win32/window_class.h"

namespace fw::win32 {

// Shows a modal message box over `owner` (null once the window is gone) and returns the answer
// (kIdOk, kIdYes, kIdNo...).
using MessageBoxFunction =
    std::function<int(HWND owner, const std::string& text, const std::string& title, int style)>;

// MessageBoxA with the style word as given.
int SystemMessageBox(HWND owner, const std::string& text, const std::string& title, int style);

struct Win32FormOptions {
  MessageBoxFunction message_box = SystemMessageBox;
  // Whether closing the window ends the thread's message loop (PostQuitMessage): the program's
  // only window does; a test's window does not.
  bool quit_on_close = true;
};

class Win32Form final : public FormHost,
                        private ControlContainer,
                        private MessageTarget,
                        private FormModelObserver {
 public:
  static constexpr const char* kClassName = "FerrowindForm";
  static constexpr DWORD kStyle =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

  // Builds the window, hidden: the user controls are made by `make` in their windows and load
  // their stored properties; the pictures and the icon resolve through `resolver`. Throws
  // FormDesignError for a control class `make` does not know or a picture that does not
  // resolve, and std::runtime_error when Windows cannot make a window.
  Win32Form(GdiDevice& device, const FormDesign& design, const UserControlFactory& make,
            const PictureResolver& resolver, Win32FormOptions options = {});
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  // Connects the window's code and shows the window: its timers start, and the first control in
  // tab order that can take the focus gets it.
  void Show(FormEvents& events);

  // FormHost.
  FormLabel& Label(std::string_view name) override;
  FormImage& Image(std::string_view name) override;
  ControlHandlers& Control(std::string_view name) override;
  int MsgBox(std::string_view text, int style, std::string_view title) override;
  bool Unload() override;

  // Raises the close request with `mode`; unless it is cancelled the window is destroyed (and,
  // with quit_on_close, the message loop ends). Returns whether the window closed.
  bool RequestClose(std::int16_t mode);
  bool Closed() const { return closed_; }

  // Moves the focus to the next (or previous) control in tab order that can take it.
  void TabFocus(bool backwards);
  // The control that has the focus, or "".
  std::string FocusedName() const;

  HWND window() const { return window_.get(); }
  // The id of the design's timer `name` on the window (its WM_TIMER's), 0 for none.
  std::uintptr_t TimerId(std::string_view name) const;
  Win32ControlWindow& ControlWindow(std::string_view name);
  // The named piece's rectangle in client pixels.
  Rect PixelRect(std::string_view name) const;
  Win32User32& Desktop() override { return desktop_; }
  HWND ToolTipWindow() const { return tooltips_ != nullptr ? tooltips_->window() : nullptr; }
  // The pictures' tooltip tools as they stand, topmost first.
  std::vector<PictureTip> ToolTips() const;
  // The client area as the window itself paints it (frames, labels and pictures; the controls
  // are windows above it), brought up to date.
  const Win32Dc& Canvas();

  // An exception a handler let out of a window message, rethrown once; nothing when none did.
  void RethrowFailure();

 private:
  // ControlContainer.
  GdiDevice& Device() override { return device_; }
  FontSpec AmbientFont() const override;
  void ControlEvent(const std::string& control, std::string_view event,
                    std::span<const EventArg> args) override;
  bool TakesTab() const override { return true; }
  void TabPressed(bool backwards) override { TabFocus(backwards); }
  bool AccessKey(char key) override;
  void ControlFailed(std::exception_ptr error) override;

  // MessageTarget.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
  void Failed(UINT message, std::exception_ptr error) override;

  // FormModelObserver.
  void PaintChanged() override { Changed(); }
  void ToolTipsChanged() override { SyncToolTips(); }

  // A Tab a control sent without waiting, run once the input being handled returns.
  static constexpr UINT kSentTabMessage = WM_APP + 1;

  void CreateTopLevel(const PictureResolver& resolver);
  // What the desktop services lend the controls: the DCs of this window and of theirs, and the
  // keystrokes they send.
  void LendToControls();
  void PlaceControls(const UserControlFactory& make);
  // Something the window paints itself changed: repaint it.
  void Changed();
  void SyncToolTips();
  void Render();
  void OnActivate(WPARAM wparam);
  void StopTimers();

  GdiDevice& device_;
  FormModel model_;
  Win32FormOptions options_;
  Win32User32 desktop_;
  FormEvents* events_ = nullptr;
  bool closed_ = false;
  std::exception_ptr failure_;
  Size client_;
  UniqueIcon big_icon_;
  UniqueIcon small_icon_;
  std::unique_ptr<Win32Dc> canvas_;
  bool canvas_dirty_ = true;
  // The control that had the focus when the window was last deactivated.
  HWND saved_focus_ = nullptr;
  // The user controls' windows, in the order of the design.
  std::vector<std::unique_ptr<Win32ControlWindow>> control_windows_;
  std::unique_ptr<PictureToolTips> tooltips_;
  // Declared last: destroyed first, while everything its messages reach still lives.
  UniqueWindow window_;
};

// Runs the thread's message loop until WM_QUIT; returns the quit message's exit code.
int RunMessageLoop();

}  // namespace fw::win32
