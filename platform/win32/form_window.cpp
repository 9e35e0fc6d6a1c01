// The top-level window: building it from the design, its messages, focus, timers, message
// boxes and the close request. What it paints itself is in form_window_paint.cpp.
#include "platform/win32/form_window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/color.h"
#include "platform/resources.h"
#include "platform/win32/form_pieces.h"
#include "platform/win32/picture_icons.h"

namespace fw::win32 {
namespace {

int ToPixels(int twips) {
  return RoundHalfEven(static_cast<double>(twips) / kTwipsPerPixel);
}

// The window's icon at `size` pixels: the best image of its icon file when it is one of the
// program's resources, else the picture itself.
UniqueIcon WindowIcon(const Picture& picture, int size) {
  if (picture.from_resource()) {
    if (const auto bytes = ResourceBytes(picture.resource_name())) {
      if (UniqueIcon icon = IconFromIcoFile(*bytes, size)) return icon;
    }
  }
  return IconFromPicture(picture);
}

}  // namespace

int SystemMessageBox(HWND owner, const std::string& text, const std::string& title, int style) {
  return ::MessageBoxA(owner, text.c_str(), title.c_str(), static_cast<UINT>(style));
}

Win32Form::Win32Form(GdiDevice& device, const FormDesign& design, const UserControlFactory& make,
                     const PictureResolver& resolver, Win32FormOptions options)
    : device_(device),
      design_(design),
      options_(std::move(options)),
      client_{ToPixels(design.client_width), ToPixels(design.client_height)} {
  CreateTopLevel(resolver);
  PlacePieces(make, resolver);
}

Win32Form::~Win32Form() {
  events_ = nullptr;
  // The controls end (in reverse order of placement) before their windows go.
  for (auto it = pieces_.rbegin(); it != pieces_.rend(); ++it) {
    if ((*it)->control != nullptr && (*it)->control->has_control()) {
      (*it)->control->control().Terminate();
    }
  }
  StopTimers();
  tooltips_.reset();
  window_.reset();
}

void Win32Form::CreateTopLevel(const PictureResolver& resolver) {
  // The outer size that gives the design's client area exactly.
  RECT outer{0, 0, client_.cx, client_.cy};
  ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  WindowSpec spec;
  spec.style = kStyle;
  spec.title = design_.caption;
  spec.position = {CW_USEDEFAULT, CW_USEDEFAULT};
  spec.size = {outer.right - outer.left, outer.bottom - outer.top};
  window_ = CreateTargetWindow(*this, {kClassName, 0, LoadSystemCursor(kIdcArrow)}, spec);

  canvas_ = Win32Dc::Create(client_.cx, client_.cy, ResolveColor(design_.back_color));
  if (canvas_ == nullptr) {
    throw std::runtime_error("Form " + design_.name + ": GDI cannot make its " +
                             std::to_string(client_.cx) + " x " + std::to_string(client_.cy) +
                             " client surface");
  }
  tooltips_ = std::make_unique<PictureToolTips>(window_.get());

  if (!design_.icon.empty()) {
    const PicturePtr icon = resolver ? resolver(design_.icon) : nullptr;
    if (icon == nullptr) {
      throw FormDesignError("Form " + design_.name + ": the icon \"" + design_.icon +
                            "\" is not one of the program's resources");
    }
    big_icon_ = WindowIcon(*icon, ::GetSystemMetrics(SM_CXICON));
    small_icon_ = WindowIcon(*icon, ::GetSystemMetrics(SM_CXSMICON));
    ::SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
    ::SendMessageA(window_.get(), WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(small_icon_.get()));
  }
}

void Win32Form::PlacePieces(const UserControlFactory& make, const PictureResolver& resolver) {
  int next_id = 1;
  for (const FormControlDesign& control : design_.controls) {
    auto piece = std::make_unique<Piece>();
    piece->design = &control;
    const Rect twips = design_.ClientTwips(control);
    piece->pixels = {ToPixels(twips.left), ToPixels(twips.top), ToPixels(twips.right),
                     ToPixels(twips.bottom)};
    switch (control.kind) {
      case FormControlKind::Label:
        piece->label = std::make_unique<LabelState>(*this, control);
        break;
      case FormControlKind::Image:
        piece->image = std::make_unique<ImageState>(*this, control);
        piece->picture = resolver ? resolver(control.picture) : nullptr;
        if (piece->picture == nullptr) {
          throw FormDesignError("control " + control.name + ": the picture \"" + control.picture +
                                "\" is not one of the program's resources");
        }
        break;
      case FormControlKind::UserControl: {
        // The container sizes the window from the design; the control never sees its extent.
        piece->saved = control.properties;
        piece->saved.Remove("_ExtentX");
        piece->saved.Remove("_ExtentY");
        piece->control = std::make_unique<Win32ControlWindow>(
            static_cast<ControlContainer&>(*this), window_.get(), control.name, twips, next_id++);
        piece->control->Start(
            [&](UserControl& window, UserControlSite& site) {
              auto made = make(control.control_class, window, site);
              if (made == nullptr) {
                throw FormDesignError("control " + control.name + ": the class \"" +
                                      control.control_class + "\" is unknown");
              }
              return made;
            },
            &piece->saved);
        break;
      }
      default:
        break;
    }
    pieces_.push_back(std::move(piece));
  }
  SyncToolTips();
}

void Win32Form::Show(FormEvents& events) {
  events_ = &events;
  std::uintptr_t timer_id = 0;
  for (const auto& piece : pieces_) {
    const FormControlDesign& control = *piece->design;
    ++timer_id;
    if (control.kind != FormControlKind::Timer || !control.enabled || control.interval == 0) {
      continue;
    }
    const std::string name = control.name;
    desktop_.SetTimer(ToHandleValue(window_.get()), timer_id, control.interval, [this, name] {
      if (events_ != nullptr && !closed_) events_->Timer(name);
    });
  }
  ::ShowWindow(window_.get(), SW_SHOW);
  ::UpdateWindow(window_.get());
  ::SetForegroundWindow(window_.get());
  TabFocus(/*backwards=*/false);
}

std::uintptr_t Win32Form::TimerId(std::string_view name) const {
  // A timer's id is its place in the design, counted from 1.
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const FormControlDesign& control = *pieces_[i]->design;
    if (control.kind == FormControlKind::Timer && design_.Find(name) == &control) return i + 1;
  }
  return 0;
}

void Win32Form::StopTimers() {
  if (window_) desktop_.ForgetWindow(window_.get());
}

Win32Form::Piece& Win32Form::FindPiece(std::string_view name, FormControlKind kind,
                                       const char* kind_name) {
  for (const auto& piece : pieces_) {
    const FormControlDesign& control = *piece->design;
    if (control.kind == kind && design_.Find(name) == &control) return *piece;
  }
  throw std::out_of_range("Form " + design_.name + " has no " + kind_name + " named " +
                          std::string(name));
}

FormLabel& Win32Form::Label(std::string_view name) {
  return *FindPiece(name, FormControlKind::Label, "label").label;
}

FormImage& Win32Form::Image(std::string_view name) {
  return *FindPiece(name, FormControlKind::Image, "picture").image;
}

ControlHandlers& Win32Form::Control(std::string_view name) {
  return FindPiece(name, FormControlKind::UserControl, "user control").control->control();
}

Win32ControlWindow& Win32Form::ControlWindow(std::string_view name) {
  return *FindPiece(name, FormControlKind::UserControl, "user control").control;
}

Rect Win32Form::PixelRect(std::string_view name) const {
  for (const auto& piece : pieces_) {
    if (design_.Find(name) == piece->design) return piece->pixels;
  }
  throw std::out_of_range("Form " + design_.name + " has nothing named " + std::string(name));
}

int Win32Form::MsgBox(std::string_view text, int style, std::string_view title) {
  const HWND owner = window_.get();
  // The box takes the mouse: a control of this window keeps no capture under it.
  const HWND capture = ::GetCapture();
  if (owner != nullptr && capture != nullptr && (capture == owner || ::IsChild(owner, capture))) {
    ::ReleaseCapture();
  }
  return options_.message_box(owner, std::string(text), std::string(title), style);
}

bool Win32Form::Unload() {
  return RequestClose(kUnloadFormCode);
}

bool Win32Form::RequestClose(std::int16_t mode) {
  if (closed_) return true;
  std::int16_t cancel = 0;
  if (events_ != nullptr) events_->QueryUnload(cancel, mode);
  if (cancel != 0) return false;
  if (closed_) return true;  // the question's own answer closed it meanwhile
  // The controls end when the form is destroyed; until then nothing reaches the window's code.
  closed_ = true;
  StopTimers();
  tooltips_.reset();
  window_.reset();
  return true;
}

void Win32Form::TabFocus(bool backwards) {
  std::vector<const Piece*> order;
  for (const auto& piece : pieces_) {
    if (piece->control != nullptr && piece->control->window() != nullptr &&
        piece->design->tab_index) {
      order.push_back(piece.get());
    }
  }
  std::stable_sort(order.begin(), order.end(), [](const Piece* a, const Piece* b) {
    return *a->design->tab_index < *b->design->tab_index;
  });
  if (order.empty()) return;
  const HWND focused = ::GetFocus();
  const std::size_t n = order.size();
  // Without a focused control, the search starts just before the first (or after the last).
  std::size_t start = backwards ? 0 : n - 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (order[i]->control->window() == focused) start = i;
  }
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = backwards ? (start + n - step) % n : (start + step) % n;
    Win32ControlWindow& control = *order[i]->control;
    if (control.Enabled()) {
      if (control.window() != focused) ::SetFocus(control.window());
      return;
    }
  }
}

std::string Win32Form::FocusedName() const {
  const HWND focused = ::GetFocus();
  for (const auto& piece : pieces_) {
    if (piece->control != nullptr && focused != nullptr && piece->control->window() == focused) {
      return piece->control->name();
    }
  }
  return {};
}

FontSpec Win32Form::AmbientFont() const {
  return FontSpec{"MS Sans Serif", 8.25, false, false, false, false};
}

void Win32Form::ControlEvent(const std::string& control, std::string_view event,
                             std::span<const EventArg> args) {
  if (events_ != nullptr && !closed_) events_->ControlEvent(control, event, args);
}

void Win32Form::ControlFailed(std::exception_ptr error) {
  if (!failure_) failure_ = std::move(error);
  // The program cannot go on in an unknown state: its message loop ends.
  if (options_.quit_on_close) ::PostQuitMessage(1);
}

void Win32Form::Failed(UINT /*message*/, std::exception_ptr error) {
  ControlFailed(std::move(error));
}

void Win32Form::RethrowFailure() {
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void Win32Form::OnActivate(WPARAM wparam) {
  const HWND window = window_.get();
  if (LOWORD(wparam) == WA_INACTIVE) {
    // Remember the control with the focus, to give it back when the window is active again.
    const HWND focused = ::GetFocus();
    saved_focus_ = focused != nullptr && ::IsChild(window, focused) ? focused : nullptr;
    return;
  }
  if (HIWORD(wparam) != 0) return;  // minimized
  if (saved_focus_ != nullptr && ::IsWindow(saved_focus_) && ::IsWindowEnabled(saved_focus_)) {
    ::SetFocus(saved_focus_);
  } else {
    ::SetFocus(window);
  }
}

LRESULT Win32Form::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      if (canvas_dirty_) Render();
      const PaintScope paint(window);
      const RECT& area = paint.area();
      ::BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
               canvas_->Handle(), area.left, area.top, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the canvas covers the whole client area
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_KEYDOWN:
      // The window itself has the focus when no control does: Tab still moves it on.
      if (wparam == VK_TAB) {
        TabFocus(::GetKeyState(VK_SHIFT) < 0);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      // A release away from every control ends the press: it clicks nothing.
      desktop_.set_pressed_window(nullptr);
      break;
    case WM_TIMER:
      if (desktop_.DispatchTimer(window, static_cast<std::uintptr_t>(wparam))) return 0;
      break;
    case WM_CLOSE:
      RequestClose(kUnloadFormControlMenu);
      return 0;
    case WM_QUERYENDSESSION:
      return RequestClose(kUnloadAppWindows) ? TRUE : FALSE;
    case WM_DESTROY:
      desktop_.ForgetWindow(window);
      closed_ = true;
      // Only a window that was shown ends the loop: a window given up while it was being built
      // (or after its code let go of it) must not end the message box that reports why.
      if (options_.quit_on_close && events_ != nullptr) ::PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      (void)window_.release();
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

int RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace fw::win32
