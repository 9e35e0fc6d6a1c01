#include "platform/sdl/desktop_window.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "formats/text/ansi_text.h"
#include "platform/form/form_render.h"
#include "platform/sdl/cursor_cache.h"
#include "platform/sdl/frame_window.h"
#include "platform/sdl/hover_tip.h"
#include "platform/sdl/message_box_window.h"
#include "platform/sdl/picture_surface.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/x11_wakeup_errors.h"

namespace fw::sdl {
namespace {

void ReportNoWindow() {
  std::fprintf(stderr,
               "ferrowind: cannot open a window: %s. Is a display available (DISPLAY or "
               "WAYLAND_DISPLAY)?\n",
               SDL_GetError());
}

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Settings made before SDL starts. Each can still be overridden from the environment.
void SetHints() {
  // Without a display SDL would fall back to its offscreen driver and run with no window at
  // all: only the displays the session names are tried, then the console's.
  std::string drivers;
  if (IsSet("DISPLAY")) drivers += "x11,";
  if (IsSet("WAYLAND_DISPLAY")) drivers += "wayland,";
  drivers += "KMSDRM";
  SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  // Ctrl+C and SIGTERM end the program as they end any other; closing the window is the
  // window's own close request, not a quit of the whole library.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A tool window must not keep the screen saver away or switch the compositor off.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Windows' double-click rectangle is 4 x 4 pixels around the first click.
  SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "2");
  // The frames are made in memory; copying them to the window needs no graphics driver, whose
  // start (OpenGL, often a software one) would cost more than it could ever save on a window
  // this small. Both the renderer and the window's own framebuffer stay plain memory.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

std::uint64_t Now() {
  return SDL_GetTicks64();
}

class DesktopWindow {
 public:
  DesktopWindow(SoftwareForm& form, const DesktopWindowOptions& options)
      : form_(form), options_(options), client_(form.Host().Client()) {}

  // False (with SDL's reason in SDL_GetError) when the window cannot be made.
  bool Open();
  void Run(FormEvents& code);

 private:
  int AskUser(const MessageBoxCall& call);
  void AdvanceClock();
  bool WaitForEvent(SDL_Event& event);
  void Handle(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void MouseButton(const SDL_MouseButtonEvent& event, bool down);
  void MoveTo(Point at);
  void PointerLeft();
  void SyncPointer();
  void Draw();
  // While a message box is up: the window's own events that still count (it is exposed, the
  // session ends); its input is dropped, as Windows disables a box's owner.
  void HandleWhileDisabled(const SDL_Event& event, MessageBoxWindow& box);

  SoftwareForm& form_;
  const DesktopWindowOptions& options_;
  const Size client_;
  FrameWindow window_;
  FrameWindow message_box_frame_;  // made by the first message box, hidden between boxes
  CursorCache cursors_;
  HoverTip tip_;

  std::uint64_t clock_ticks_ = 0;  // SDL_GetTicks64 when the form's clock last advanced
  std::optional<Point> pointer_;   // where the form last saw the mouse
  std::uint32_t held_buttons_ = 0;
  bool pointer_stale_ = false;  // input went to a message box in the meantime
  bool frame_valid_ = false;
  bool present_ = false;
  bool presented_once_ = false;
  bool quit_requested_ = false;  // the session ended while a message box was up
  std::uint64_t drawn_revision_ = 0;
  std::string drawn_tip_;
};

bool DesktopWindow::Open() {
  if (!window_.Open(options_.title, client_)) return false;
  if (options_.icon != nullptr) {
    if (SurfacePtr icon = PictureSurface(*options_.icon)) {
      SDL_SetWindowIcon(window_.get(), icon.get());
    }
  }
  return true;
}

void DesktopWindow::Run(FormEvents& code) {
  form_.AnswerMessageBoxes([this](const MessageBoxCall& call) { return AskUser(call); });
  form_.Show(code);
  clock_ticks_ = Now();
  SDL_ShowWindow(window_.get());
  while (!form_.Closed()) {
    AdvanceClock();
    if (form_.Closed()) break;
    Draw();
    SDL_Event event;
    if (WaitForEvent(event)) {
      Handle(event);
      while (!form_.Closed() && SDL_PollEvent(&event) != 0) Handle(event);
    }
    if (pointer_stale_ && !form_.Closed()) SyncPointer();
  }
  // The window is about to go: a box shown from now on would have no parent.
  form_.AnswerMessageBoxes({});
  SDL_CaptureMouse(SDL_FALSE);
}

int DesktopWindow::AskUser(const MessageBoxCall& call) {
  // A modal box takes the mouse: a button held on the window is released on the box.
  held_buttons_ = 0;
  SDL_CaptureMouse(SDL_FALSE);
  tip_.Hide();
  MessageBoxWindow box(form_.Host().Device(), call, message_box_frame_);
  if (!box.Open(window_.get())) {
    // Say so, and answer 0 as MessageBoxA does when it cannot show a box: no answer, so a
    // question the window's code asks before closing cannot keep it open for good.
    std::fprintf(stderr, "ferrowind: cannot show the message box \"%s\": %s\n",
                 AnsiToUtf8(call.title).c_str(), SDL_GetError());
    return 0;
  }
  // The modal loop: the box takes the input, while the window keeps painting and its timers
  // keep ticking.
  std::optional<int> answer;
  while (!answer) {
    AdvanceClock();
    Draw();
    box.Draw();
    SDL_Event event;
    if (!WaitForEvent(event)) continue;
    do {
      if (box.Owns(event)) {
        answer = box.Handle(event);
      } else {
        HandleWhileDisabled(event, box);
      }
    } while (!answer && SDL_PollEvent(&event) != 0);
  }
  // The window was disabled meanwhile, as Windows disables a box's owner: its input and its
  // close box were meant for the box, not for the window. What the window needs afterwards (a
  // full frame, where the mouse is) is redone below.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  SDL_FlushEvent(SDL_WINDOWEVENT);
  pointer_stale_ = true;
  present_ = true;
  if (quit_requested_) {
    // The session's end waited for the box; the window hears it now.
    quit_requested_ = false;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  return *answer;
}

void DesktopWindow::HandleWhileDisabled(const SDL_Event& event, MessageBoxWindow& box) {
  switch (event.type) {
    case SDL_QUIT:
      quit_requested_ = true;
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) present_ = true;
      break;
    case SDL_MOUSEBUTTONDOWN:
      box.Raise();
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      Handle(event);
      break;
    default:
      break;
  }
}

// The form's clock follows the real one, but never runs past the next tick in one step: ticks
// missed while the program was busy (a message box is up, the machine was suspended) come as
// one, as WM_TIMER does, not as a burst.
void DesktopWindow::AdvanceClock() {
  const std::uint64_t now = Now();
  std::uint64_t step = now - clock_ticks_;
  clock_ticks_ = now;
  if (const std::optional<int> due = form_.MillisecondsToNextTimer()) {
    step = std::min(step, static_cast<std::uint64_t>(std::max(*due, 0)));
  }
  step = std::min<std::uint64_t>(step, INT_MAX);
  if (step > 0) form_.Advance(static_cast<int>(step));
}

// Sleeps until input comes or the next timer tick or tooltip is due, so that an idle window
// costs nothing between ticks.
bool DesktopWindow::WaitForEvent(SDL_Event& event) {
  std::optional<std::uint64_t> wait;
  if (const std::optional<int> due = form_.MillisecondsToNextTimer()) {
    wait = static_cast<std::uint64_t>(std::max(*due, 1));
  }
  const std::uint64_t now = Now();
  if (const auto tip = tip_.MillisecondsUntilShown(now);
      tip && !form_.ToolTipAt(tip_.At()).empty()) {
    wait = std::min(wait.value_or(*tip), std::max<std::uint64_t>(*tip, 1));
  }
  if (pointer_stale_) wait = 0;
  if (!wait) return SDL_WaitEvent(&event) != 0;
  if (*wait == 0) return SDL_PollEvent(&event) != 0;
  return SDL_WaitEventTimeout(&event, static_cast<int>(std::min<std::uint64_t>(*wait, INT_MAX))) !=
         0;
}

void DesktopWindow::Handle(const SDL_Event& event) {
  // Late events of a message box that has gone are not the window's.
  if (const Uint32 id = EventWindowId(event); id != 0 && id != window_.Id()) return;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      MoveTo({event.motion.x, event.motion.y});
      break;
    case SDL_MOUSEBUTTONDOWN:
      MouseButton(event.button, /*down=*/true);
      break;
    case SDL_MOUSEBUTTONUP:
      MouseButton(event.button, /*down=*/false);
      break;
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      if (const std::int16_t code = VirtualKeyOf(key.sym); code != 0) {
        form_.KeyDown(code, ShiftStateOf(key.mod));
      }
      if (const std::int16_t character = ControlCharacterOf(key.sym, key.mod); character != 0) {
        form_.KeyPress(character);
      }
      break;
    }
    case SDL_TEXTINPUT:
      for (const std::int16_t character : KeyPressCharacters(event.text.text)) {
        form_.KeyPress(character);
      }
      break;
    case SDL_KEYUP:
      if (const std::int16_t code = VirtualKeyOf(event.key.keysym.sym); code != 0) {
        form_.KeyUp(code, ShiftStateOf(event.key.keysym.mod));
      }
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_QUIT:
      // Only the session's end asks the whole program to quit (closing the window is a window
      // event), so the close request says the system is going down.
      form_.RequestClose(kUnloadAppWindows);
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      window_.ResetTexture();
      frame_valid_ = false;
      break;
    default:
      break;
  }
}

void DesktopWindow::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      form_.RequestClose(kUnloadFormControlMenu);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      present_ = true;
      break;
    case SDL_WINDOWEVENT_LEAVE:
      tip_.Hide();
      if (held_buttons_ == 0) PointerLeft();
      break;
    default:
      break;
  }
}

void DesktopWindow::MouseButton(const SDL_MouseButtonEvent& event, bool down) {
  const std::int16_t button = MouseButtonOf(event.button);
  if (button == 0) return;
  if (pointer_ != Point{event.x, event.y}) MoveTo({event.x, event.y});
  tip_.Hide();
  const std::int16_t shift = ShiftStateOf(static_cast<Uint16>(SDL_GetModState()));
  const std::uint32_t mask = SDL_BUTTON(event.button);
  if (down) {
    // Held buttons keep the mouse with the window, so the release outside it reaches the form.
    if (held_buttons_ == 0) SDL_CaptureMouse(SDL_TRUE);
    held_buttons_ |= mask;
    // The second press of a double click (and the fourth...) is the double-click notification;
    // only the left button has one.
    if (button == kLeftButton && event.clicks >= 2 && event.clicks % 2 == 0) {
      form_.DoubleClickPress(shift);
    } else {
      form_.MouseDown(button, shift);
    }
  } else {
    held_buttons_ &= ~mask;
    if (held_buttons_ == 0) SDL_CaptureMouse(SDL_FALSE);
    form_.MouseUp(button, shift);
  }
  cursors_.Show(form_.CursorAt(*pointer_));
}

void DesktopWindow::MoveTo(Point at) {
  pointer_ = at;
  form_.MoveMouse(at.x, at.y);
  tip_.Moved(at, Now());
  cursors_.Show(form_.CursorAt(at));
}

// SDL reports no move outside the window unless a button is held, but a control that follows
// the mouse (a hover look) must see it leave: it gets one move to where the mouse went.
void DesktopWindow::PointerLeft() {
  int screen_x = 0;
  int screen_y = 0;
  SDL_GetGlobalMouseState(&screen_x, &screen_y);
  int window_x = 0;
  int window_y = 0;
  SDL_GetWindowPosition(window_.get(), &window_x, &window_y);
  Point at{screen_x - window_x, screen_y - window_y};
  const bool inside = at.x >= 0 && at.y >= 0 && at.x < client_.cx && at.y < client_.cy;
  if (inside) at = {-1, -1};
  pointer_ = at;
  form_.MoveMouse(at.x, at.y);
}

// After a message box the mouse may be anywhere: the form hears where, as Windows sends a move
// when the window under the mouse changes.
void DesktopWindow::SyncPointer() {
  pointer_stale_ = false;
  if (SDL_GetMouseFocus() != window_.get()) {
    PointerLeft();
    return;
  }
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  MoveTo({x, y});
}

void DesktopWindow::Draw() {
  std::string tip;
  if (pointer_ && tip_.Showing(Now())) tip = form_.ToolTipAt(tip_.At());
  const std::uint64_t revision = form_.Revision();
  if (!frame_valid_ || revision != drawn_revision_ || tip != drawn_tip_) {
    const std::unique_ptr<Dc> frame = form_.Render();
    if (!tip.empty()) DrawToolTip(*frame, tip_.At(), tip);
    window_.Upload(*frame);
    drawn_revision_ = revision;
    drawn_tip_ = std::move(tip);
    frame_valid_ = true;
    present_ = true;
  }
  if (!present_) return;
  present_ = false;
  window_.Present();
  if (!presented_once_) {
    presented_once_ = true;
    if (options_.first_frame) options_.first_frame();
  }
}

}  // namespace

int RunDesktopWindow(SoftwareForm& form, FormEvents& code, const DesktopWindowOptions& options) {
  SetHints();
  // Made before SDL's video starts, gone only after it has closed its X connections.
  const StaleWakeupErrorFilter wakeup_errors;
  const VideoSubsystem video;
  if (!video.ok()) {
    ReportNoWindow();
    return 1;
  }
  if (SDL_GetNumVideoDisplays() < 1) {
    SDL_SetError("no video display");
    ReportNoWindow();
    return 1;
  }
  DesktopWindow window(form, options);
  if (!window.Open()) {
    ReportNoWindow();
    return 1;
  }
  window.Run(code);
  return 0;
}

}  // namespace fw::sdl
