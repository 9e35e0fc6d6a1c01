#include "platform/sdl/message_box_window.h"

#include "platform/resource_pictures.h"
#include "platform/sdl/sdl_input.h"

namespace fw::sdl {
namespace {

std::shared_ptr<const Picture> IconFor(int style) {
  const std::string_view name = MessageBoxIconName(style);
  return name.empty() ? nullptr : LoadResourcePictureNamed(name);
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(GdiDevice& device, const MessageBoxCall& call,
                                   FrameWindow& frame)
    : title_(call.title),
      view_(device, call.text, call.style, IconFor(call.style)),
      window_(frame) {}

MessageBoxWindow::~MessageBoxWindow() {
  if (open_) window_.Hide();
}

bool MessageBoxWindow::Open(SDL_Window* owner) {
  if (!window_.Open(title_, view_.ClientSize(), SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR)) {
    return false;
  }
  open_ = true;
  // Modal for its owner: the window manager keeps it above the owner (WM_TRANSIENT_FOR and the
  // modal state on X11).
  if (owner != nullptr) SDL_SetWindowModalFor(window_.get(), owner);
  Draw();
  SDL_ShowWindow(window_.get());
  SDL_RaiseWindow(window_.get());
  return true;
}

bool MessageBoxWindow::Owns(const SDL_Event& event) const {
  const Uint32 id = EventWindowId(event);
  return id != 0 && id == window_.Id();
}

std::optional<int> MessageBoxWindow::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      return view_.KeyDown(VirtualKeyOf(event.key.keysym.sym),
                           (event.key.keysym.mod & KMOD_SHIFT) != 0);
    case SDL_KEYUP:
      return view_.KeyUp(VirtualKeyOf(event.key.keysym.sym));
    case SDL_MOUSEMOTION:
      view_.MouseMove({event.motion.x, event.motion.y});
      return std::nullopt;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) {
        // Held, the button keeps the mouse with the box, so a release outside it is seen.
        SDL_CaptureMouse(SDL_TRUE);
        view_.MouseDown({event.button.x, event.button.y});
      }
      return std::nullopt;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return std::nullopt;
      SDL_CaptureMouse(SDL_FALSE);
      return view_.MouseUp({event.button.x, event.button.y});
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return view_.DismissedAnswer();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) present_ = true;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void MessageBoxWindow::Draw() {
  if (!drawn_ || view_.Revision() != drawn_revision_) {
    window_.Upload(*view_.Render());
    drawn_revision_ = view_.Revision();
    drawn_ = true;
    present_ = true;
  }
  if (!present_) return;
  present_ = false;
  window_.Present();
}

}  // namespace fw::sdl
