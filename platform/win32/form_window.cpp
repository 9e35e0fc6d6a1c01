// The top-level window: building it from the design, its messages, focus, timers, message
// boxes and the close request. What it paints itself is in form_window_paint.cpp.
#include "platform/win32/form_window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/color.h"
#include "platform/resources.h"
#include "platform/win32/picture_icons.h"

namespace fw::win32 {
namespace {

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
      model_(design, resolver, *this),
      options_(std::move(options)),
      client_(model_.ClientPixels()) {
  CreateTopLevel(resolver);
  LendToControls();
  PlaceControls(make);
}

void Win32Form::LendToControls() {
  desktop_.SetDcSource([this](HWND window) -> Dc* {
    if (window != nullptr && window == window_.get()) {
      // What the window paints itself, brought up to date: the controls are windows above it.
      if (canvas_dirty_) Render();
      return canvas_.get();
    }
    for (const auto& control : control_windows_) {
      if (window != nullptr && control->window() == window) return &control->hDC();
    }
    return nullptr;
  });
  desktop_.SetKeySink([this](bool backwards, bool wait) {
    if (wait) {
      TabFocus(backwards);
    } else if (const HWND window = window_.get()) {
      ::PostMessageA(window, kSentTabMessage, backwards ? 1 : 0, 0);
    }
  });
}

bool Win32Form::AccessKey(char key) {
  for (const auto& control : control_windows_) {
    if (control->window() != nullptr && control->Enabled() && control->HoldsAccessKey(key) &&
        control->has_control()) {
      control->control().AccessKeyPress(static_cast<unsigned char>(key));
      return true;
    }
  }
  return false;
}

Win32Form::~Win32Form() {
  events_ = nullptr;
  // The controls end (in reverse order of placement) before their windows go.
  for (auto it = control_windows_.rbegin(); it != control_windows_.rend(); ++it) {
    if ((*it)->has_control()) (*it)->control().Terminate();
  }
  StopTimers();
  tooltips_.reset();
  window_.reset();
}

void Win32Form::CreateTopLevel(const PictureResolver& resolver) {
  const FormDesign& design = model_.design();
  // The outer size that gives the design's client area exactly.
  RECT outer{0, 0, client_.cx, client_.cy};
  ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  WindowSpec spec;
  spec.style = kStyle;
  spec.title = design.caption;
  spec.position = {CW_USEDEFAULT, CW_USEDEFAULT};
  spec.size = {outer.right - outer.left, outer.bottom - outer.top};
  window_ = CreateTargetWindow(*this, {kClassName, 0, LoadSystemCursor(kIdcArrow)}, spec);

  canvas_ = Win32Dc::Create(client_.cx, client_.cy, ResolveColor(design.back_color));
  if (canvas_ == nullptr) {
    throw std::runtime_error("Form " + design.name + ": GDI cannot make its " +
                             std::to_string(client_.cx) + " x " + std::to_string(client_.cy) +
                             " client surface");
  }
  tooltips_ = std::make_unique<PictureToolTips>(window_.get());

  if (!design.icon.empty()) {
    const PicturePtr icon = resolver ? resolver(design.icon) : nullptr;
    if (icon == nullptr) {
      throw FormDesignError("Form " + design.name + ": the icon \"" + design.icon +
                            "\" is not one of the program's resources");
    }
    big_icon_ = WindowIcon(*icon, ::GetSystemMetrics(SM_CXICON));
    small_icon_ = WindowIcon(*icon, ::GetSystemMetrics(SM_CXSMICON));
    ::SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
    ::SendMessageA(window_.get(), WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(small_icon_.get()));
  }
}

void Win32Form::PlaceControls(const UserControlFactory& make) {
  int next_id = 1;
  for (const auto& piece : model_.pieces()) {
    const FormControlDesign& control = *piece->design;
    if (control.kind != FormControlKind::UserControl) continue;
    auto window = std::make_unique<Win32ControlWindow>(
        static_cast<ControlContainer&>(*this), window_.get(), control.name,
        model_.design().ClientTwips(control), next_id++);
    window->Start(DesignedControlFactory(control, make), &piece->saved);
    piece->window = window.get();
    control_windows_.push_back(std::move(window));
  }
  SyncToolTips();
}

void Win32Form::Show(FormEvents& events) {
  events_ = &events;
  for (const FormModel::TimerSpec& timer : model_.Timers()) {
    const std::string name = timer.name;
    desktop_.SetTimer(ToHandleValue(window_.get()), timer.id, timer.interval, [this, name] {
      if (events_ != nullptr && !closed_) events_->Timer(name);
    });
  }
  ::ShowWindow(window_.get(), SW_SHOW);
  ::UpdateWindow(window_.get());
  ::SetForegroundWindow(window_.get());
  TabFocus(/*backwards=*/false);
}

std::uintptr_t Win32Form::TimerId(std::string_view name) const {
  return model_.TimerId(name);
}

void Win32Form::StopTimers() {
  if (window_) desktop_.ForgetWindow(window_.get());
}

FormLabel& Win32Form::Label(std::string_view name) {
  return model_.Label(name);
}

FormImage& Win32Form::Image(std::string_view name) {
  return model_.Image(name);
}

ControlHandlers& Win32Form::Control(std::string_view name) {
  return model_.Control(name);
}

Win32ControlWindow& Win32Form::ControlWindow(std::string_view name) {
  // Every piece's window on this form is one of its Win32 control windows.
  return static_cast<Win32ControlWindow&>(*model_.UserControl(name).window);
}

Rect Win32Form::PixelRect(std::string_view name) const {
  return model_.PixelRect(name);
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
  const HWND focused = ::GetFocus();
  const ControlSurface* from = nullptr;
  for (const auto& window : control_windows_) {
    if (focused != nullptr && window->window() == focused) from = window.get();
  }
  const FormModel::Piece* next =
      model_.NextInTabOrder(from, backwards, [](const FormModel::Piece& piece) {
        const auto& window = static_cast<const Win32ControlWindow&>(*piece.window);
        return window.window() != nullptr && window.Enabled();
      });
  if (next == nullptr || next->window == from) return;
  ::SetFocus(static_cast<const Win32ControlWindow&>(*next->window).window());
}

std::string Win32Form::FocusedName() const {
  const HWND focused = ::GetFocus();
  for (const auto& window : control_windows_) {
    if (focused != nullptr && window->window() == focused) return window->name();
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
    case kSentTabMessage:
      TabFocus(wparam != 0);
      return 0;
    case WM_SYSCHAR:
      if (AccessKey(static_cast<char>(wparam))) return 0;
      break;
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
