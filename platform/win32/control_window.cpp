// The control window's surface, properties, region and site; its messages are in
// control_window_input.cpp.
#include "platform/win32/control_window.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "platform/color.h"
#include "platform/form/form_model.h"
#include "platform/win32/mask_region.h"
#include "platform/win32/picture_icons.h"

namespace fw::win32 {
namespace {

std::unique_ptr<Win32Region> CopyRegion(HRGN region) {
  UniqueRegion copy(::CreateRectRgn(0, 0, 0, 0));
  if (!copy || ::CombineRgn(copy.get(), region, nullptr, RGN_COPY) == RGN_ERROR) return nullptr;
  return std::make_unique<Win32Region>(std::move(copy));
}

}  // namespace

Win32ControlWindow::Win32ControlWindow(ControlContainer& container, HWND parent, std::string name,
                                       Rect twips, int id)
    : ControlSurface(container.Device(), std::move(name), twips, container.AmbientFont()),
      container_(container) {
  WindowSpec spec;
  spec.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
  spec.title = this->name();
  const Rect pixels = PixelRect();
  spec.position = {pixels.left, pixels.top};
  spec.size = {pixels.Width(), pixels.Height()};
  spec.parent = parent;
  spec.id = id;
  window_ = CreateTargetWindow(*this, {kClassName, CS_DBLCLKS, nullptr}, spec);
}

Win32ControlWindow::~Win32ControlWindow() {
  if (const HWND window = window_.get()) {
    // From here on no message reaches this object.
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    container_.Desktop().ForgetWindow(window);
    if (container_.Desktop().pressed_window() == window) {
      container_.Desktop().set_pressed_window(nullptr);
    }
  }
  // A cursor must not be destroyed while it is shown.
  if (custom_cursor_ && ::GetCursor() == custom_cursor_.get()) {
    ::SetCursor(LoadSystemCursor(kIdcArrow));
  }
  window_.reset();
  // The control goes while this window's own part still answers its calls.
  EndControl();
}

HCURSOR Win32ControlWindow::PointerCursor() {
  const FormCursor cursor = CursorOfPointer(MousePointer(), MouseIcon());
  if (cursor.icon != nullptr) {
    if (!custom_cursor_) custom_cursor_ = CursorFromPicture(*cursor.icon);
    // A picture user32 cannot make into a cursor shows the arrow.
    if (custom_cursor_) return custom_cursor_.get();
  }
  return LoadSystemCursor(cursor.system_id);
}

HDC Win32ControlWindow::SurfaceHandle() {
  auto* surface = dynamic_cast<Win32Dc*>(&hDC());
  if (surface == nullptr) {
    throw std::logic_error("control " + name() + ": its surface is not a Windows device's");
  }
  return surface->Handle();
}

void Win32ControlWindow::SurfaceResized() {
  if (const HWND window = window_.get()) {
    ::SetWindowPos(window, nullptr, 0, 0, width_px(), height_px(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (BackStyle() == 0) ApplyRegion(false);
}

void Win32ControlWindow::Enabled(bool value) {
  ControlSurface::Enabled(value);
  const HWND window = window_.get();
  if (window == nullptr) return;
  // A disabled window can hold neither the focus nor the capture. The platform would leave the
  // focus nowhere; the parent takes it, so that Tab still moves it on.
  if (!value && ::GetFocus() == window) ::SetFocus(::GetParent(window));
  ::EnableWindow(window, value ? TRUE : FALSE);
  if (!value && ::GetCapture() == window) ::ReleaseCapture();
}

void Win32ControlWindow::ShowSurface() {
  // The image goes to the window's DC now (clipped to what shows of the window, its region
  // included): a tenth of the cost of an invalidation and a synchronous WM_PAINT under Wine. A
  // window not on the screen (its form not shown yet) gets the image from WM_PAINT when it
  // shows.
  if (const HWND window = window_.get(); window != nullptr && ::IsWindowVisible(window)) {
    const WindowDc screen(window);
    ::BitBlt(screen.get(), 0, 0, width_px(), height_px(), SurfaceHandle(), 0, 0, SRCCOPY);
  }
}

void Win32ControlWindow::SetWindowRgn(std::unique_ptr<Region> region, bool redraw) {
  if (region == nullptr) {
    shape_.reset();
  } else {
    auto* own = dynamic_cast<Win32Region*>(region.get());
    if (own == nullptr) {
      throw std::invalid_argument("control " + name() +
                                  ": SetWindowRgn needs a region of the Windows device");
    }
    region.release();
    shape_.reset(own);
  }
  ApplyRegion(redraw);
}

void Win32ControlWindow::ApplyRegion(bool redraw) {
  std::unique_ptr<Win32Region> region = shape_ != nullptr ? CopyRegion(shape_->Handle()) : nullptr;
  ColorRef see_through = 0;
  const PicturePtr mask = MaskPicture();
  if (BackStyle() == 0 && mask != nullptr && OleTranslateColor(MaskColor(), see_through) == 0) {
    UniqueRegion opaque = OpaqueRegionOfMask(*mask, see_through, width_px(), height_px());
    if (opaque && region != nullptr) {
      ::CombineRgn(region->Handle(), region->Handle(), opaque.get(), RGN_AND);
    } else if (opaque) {
      region = std::make_unique<Win32Region>(std::move(opaque));
    }
  }
  // The same shape again (a paint hands it over every time) leaves the window as it is:
  // SetWindowRgn is a round trip through the window manager's geometry.
  const bool unchanged = region == nullptr
                             ? window_region_ == nullptr
                             : window_region_ != nullptr &&
                                   ::EqualRgn(region->Handle(), window_region_->Handle()) != FALSE;
  if (unchanged) return;
  window_region_ = region != nullptr ? CopyRegion(region->Handle()) : nullptr;
  const HWND window = window_.get();
  if (window == nullptr) return;
  const BOOL repaint = redraw ? TRUE : FALSE;
  if (region == nullptr) {
    ::SetWindowRgn(window, nullptr, repaint);
    return;
  }
  // After a successful SetWindowRgn the region belongs to the window; otherwise it is ours to
  // delete.
  UniqueRegion handed(region->Release());
  if (::SetWindowRgn(window, handed.get(), repaint) != 0) handed.release();
}

void Win32ControlWindow::MouseIcon(PicturePtr icon) {
  if (custom_cursor_ && ::GetCursor() == custom_cursor_.get()) {
    ::SetCursor(LoadSystemCursor(kIdcArrow));
  }
  custom_cursor_.reset();
  ControlSurface::MouseIcon(std::move(icon));
}

User32& Win32ControlWindow::user32() {
  return container_.Desktop();
}

void Win32ControlWindow::PropertyChanged(std::string_view name) {
  container_.ControlPropertyChanged(this->name(), name);
}

void Win32ControlWindow::RaiseEvent(std::string_view name, std::span<const EventArg> args) {
  container_.ControlEvent(this->name(), name, args);
}

}  // namespace fw::win32
