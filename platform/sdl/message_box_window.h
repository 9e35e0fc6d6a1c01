#pragma once
// The program's own message box on the Linux desktop: a MessageBoxView in a window of its own,
// titled with the box's title, modal for the window that owns it. It needs nothing from the
// desktop but a window (no X core fonts, no helper process): the box is drawn by the program.
//
// The owner runs the modal loop: it hands every event to `Handle` and keeps its own window
// painting and its timers ticking meanwhile, as a Windows message loop would.
#include <SDL.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/form/software_form.h"
#include "platform/form/message_box_view.h"
#include "platform/sdl/frame_window.h"

namespace fw::sdl {

class MessageBoxWindow {
 public:
  // Lays the box out; `Open` shows it in `frame`, which it hides again when it goes.
  MessageBoxWindow(GdiDevice& device, const MessageBoxCall& call, FrameWindow& frame);
  ~MessageBoxWindow();
  MessageBoxWindow(const MessageBoxWindow&) = delete;
  MessageBoxWindow& operator=(const MessageBoxWindow&) = delete;

  // Shows the box centred on the screen, modal for `owner`, with the keyboard focus. False,
  // with SDL's reason in SDL_GetError, when SDL cannot make its window.
  bool Open(SDL_Window* owner);

  // Whether the event is meant for the box's window.
  bool Owns(const SDL_Event& event) const;
  // Handles one of the box's events; returns the answer once the user gave one.
  std::optional<int> Handle(const SDL_Event& event);
  // Redraws the box if it changed or was exposed.
  void Draw();
  // Brings the box to the front (the user clicked its disabled owner).
  void Raise() { SDL_RaiseWindow(window_.get()); }

  const MessageBoxView& View() const { return view_; }

 private:
  std::string title_;
  MessageBoxView view_;
  FrameWindow& window_;
  bool open_ = false;
  std::uint64_t drawn_revision_ = 0;
  bool drawn_ = false;
  bool present_ = false;
};

}  // namespace fw::sdl
