#pragma once
// A window built from its stored design on the software window system: frames, labels, pictures
// with tooltips, timers and the user controls the design places, with tab order, focus, the
// close request and modal message boxes. The Linux desktop host feeds it the real mouse,
// keyboard and clock and shows what it renders; tests drive it directly and may attach a
// recorder to its window system.
//
// Message boxes are answered by a function the owner sets: tests script the answers, the desktop
// host asks the user. The boxes shown are kept with their answers only when the owner asks for
// it (tests do; the desktop keeps none).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form/form_design.h"
#include "platform/form/form_host.h"
#include "platform/form/form_model.h"
#include "platform/windowing/window_system.h"

namespace fw {

struct MessageBoxCall {
  std::string text;
  int style = 0;
  std::string title;
  int answer = 0;
};

// Answers a message box: returns kIdOk, kIdYes or kIdNo.
using MessageBoxAnswerer = std::function<int(const MessageBoxCall&)>;

class SoftwareForm final : public FormHost, private FormModelObserver {
 public:
  // Builds the window: the user controls are made by `make` and load their stored properties;
  // the pictures resolve through `resolver`. Throws FormDesignError for a control class `make`
  // does not know or a picture that does not resolve.
  SoftwareForm(GdiDevice& device, const FormDesign& design, const UserControlFactory& make,
               const PictureResolver& resolver);
  ~SoftwareForm() override;
  SoftwareForm(const SoftwareForm&) = delete;
  SoftwareForm& operator=(const SoftwareForm&) = delete;

  // Connects the window's code and shows the window: its timers start, and the first control in
  // tab order that can take the focus gets it.
  void Show(FormEvents& events);
  void AnswerMessageBoxes(MessageBoxAnswerer answerer) { answerer_ = std::move(answerer); }

  // FormHost.
  FormLabel& Label(std::string_view name) override;
  FormImage& Image(std::string_view name) override;
  ControlHandlers& Control(std::string_view name) override;
  int MsgBox(std::string_view text, int style, std::string_view title) override;
  bool Unload() override;

  // Input, in client pixels. Tab and Shift+Tab move the focus along the tab order; other keys
  // go to the control with the focus. Nothing reaches a closed window.
  void MoveMouse(int x, int y);
  void MouseDown(std::int16_t button = kLeftButton, std::int16_t shift = 0);
  void MouseUp(std::int16_t button = kLeftButton, std::int16_t shift = 0);
  void Click(int x, int y);
  void DoubleClick(int x, int y);
  // The second press of a double click as a real desktop reports it (the first press and release
  // came through MouseDown and MouseUp): the double-click notification in place of the down.
  void DoubleClickPress(std::int16_t shift = 0);
  void KeyDown(std::int16_t key_code, std::int16_t shift = 0);
  void KeyPress(std::int16_t key_ascii);
  void KeyUp(std::int16_t key_code, std::int16_t shift = 0);
  // Down, the character for Space and Enter, and up.
  void PressKey(std::int16_t key_code, std::int16_t shift = 0);
  // Moves the focus to the next (or previous) control in tab order that can take it.
  void TabFocus(bool backwards);
  // Advances the clock: due timer ticks run.
  void Advance(int milliseconds);
  // Milliseconds until the next timer tick is due on the form's clock; nothing while no timer
  // runs. A host waits this long for input before it advances the clock again.
  std::optional<int> MillisecondsToNextTimer() const;

  // The close box, the system menu or a log-off: raises the close request with `mode`; returns
  // whether the window closed.
  bool RequestClose(std::int16_t mode = kUnloadFormControlMenu);
  bool Closed() const { return closed_; }

  // From now on, every message box shown is kept with its answer.
  void KeepMessageBoxes() { keep_message_boxes_ = true; }
  const std::vector<MessageBoxCall>& MessageBoxes() const { return message_boxes_; }

  // The client area as it looks now, and where the mouse is: the tooltip of the topmost visible
  // picture under `client` ("" for none) and the pointer shown there.
  std::unique_ptr<Dc> Render();
  std::string ToolTipAt(Point client) const;
  FormCursor CursorAt(Point client) const;
  // Grows whenever something on the window may look different (input, a control's repaint
  // notification, a label or picture change); a host redraws only when it changed.
  std::uint64_t Revision() const;

  const FormDesign& Design() const { return model_.design(); }
  windowing::WindowSystem& Host() { return host_; }
  const windowing::WindowSystem& Host() const { return host_; }
  std::string FocusedName() const { return host_.FocusedName(); }
  // The named control's rectangle in client pixels.
  Rect PixelRect(std::string_view name) const;

 private:
  // FormModelObserver: a label, a picture or a tooltip changed.
  void PaintChanged() override { Changed(); }
  void ToolTipsChanged() override { Changed(); }
  void Changed() { ++changes_; }

  FormModel model_;
  windowing::WindowSystem host_;
  FormEvents* events_ = nullptr;
  MessageBoxAnswerer answerer_;
  std::vector<MessageBoxCall> message_boxes_;
  bool keep_message_boxes_ = false;
  std::uint64_t changes_ = 0;
  bool closed_ = false;
};

}  // namespace fw
