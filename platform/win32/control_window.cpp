// The control window's surface, properties, region and site; its messages are in
// control_window_input.cpp.
#include "platform/win32/control_window.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "platform/color.h"
#include "platform/picture_encode.h"
#include "platform/win32/mask_region.h"
#include "platform/win32/picture_icons.h"

namespace fw::win32 {
namespace {

int TwipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

// How many of a unit make one pixel at 96 dots per inch.
double UnitsPerPixel(int units) {
  switch (units) {
    case kScaleTwips:
      return kTwipsPerPixel;
    case kScalePoints:
      return 72.0 / 96.0;
    case kScaleHimetric:
      return 2540.0 / 96.0;
    default:
      return 1.0;  // pixels, and the user scale, which the controls leave at pixels
  }
}

std::unique_ptr<Win32Dc> MakeSurface(const std::string& name, int width, int height,
                                     ColorRef fill) {
  std::unique_ptr<Win32Dc> surface = Win32Dc::Create(width, height, fill);
  if (surface == nullptr) {
    throw std::runtime_error("control " + name + ": GDI cannot make its " + std::to_string(width) +
                             " x " + std::to_string(height) + " surface");
  }
  return surface;
}

std::unique_ptr<Win32Region> CopyRegion(HRGN region) {
  UniqueRegion copy(::CreateRectRgn(0, 0, 0, 0));
  if (!copy || ::CombineRgn(copy.get(), region, nullptr, RGN_COPY) == RGN_ERROR) return nullptr;
  return std::make_unique<Win32Region>(std::move(copy));
}

}  // namespace

Win32ControlWindow::Win32ControlWindow(ControlContainer& container, HWND parent, std::string name,
                                       Rect twips, int id)
    : container_(container),
      name_(std::move(name)),
      position_px_{TwipsToPixels(twips.left), TwipsToPixels(twips.top)},
      width_twips_(std::max(twips.Width(), 0)),
      height_twips_(std::max(twips.Height(), 0)),
      width_px_(std::max(TwipsToPixels(twips.Width()), 0)),
      height_px_(std::max(TwipsToPixels(twips.Height()), 0)),
      font_(container.AmbientFont()) {
  dc_ = MakeSurface(name_, width_px_, height_px_, ResolveColor(back_color_));
  ApplyDcState();
  WindowSpec spec;
  spec.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
  spec.title = name_;
  spec.position = position_px_;
  spec.size = {width_px_, height_px_};
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
}

ControlHandlers& Win32ControlWindow::Start(const ControlFactory& make, const PropertyBag* saved) {
  std::unique_ptr<ControlHandlers> control = make(*this, *this);
  if (control == nullptr) {
    throw std::invalid_argument("control " + name_ + ": nothing was made for it");
  }
  control_ = std::move(control);
  try {
    if (saved != nullptr) {
      control_->ReadProperties(*saved);
    } else {
      control_->InitProperties();
    }
  } catch (...) {
    // A control that could not be loaded is not kept.
    control_.reset();
    throw;
  }
  control_->Show();
  return *control_;
}

Rect Win32ControlWindow::PixelRect() const {
  return {position_px_.x, position_px_.y, position_px_.x + width_px_, position_px_.y + height_px_};
}

bool Win32ControlWindow::HitTest(Point client) const {
  if (client.x < 0 || client.y < 0 || client.x >= width_px_ || client.y >= height_px_) {
    return false;
  }
  return window_region_ == nullptr || window_region_->PtInRegion(client.x, client.y);
}

float Win32ControlWindow::ToScaleX(int pixels) const {
  return static_cast<float>(pixels * UnitsPerPixel(scale_mode_));
}
float Win32ControlWindow::ToScaleY(int pixels) const {
  return static_cast<float>(pixels * UnitsPerPixel(scale_mode_));
}

HCURSOR Win32ControlWindow::PointerCursor() {
  if (mouse_pointer_ == kCustomPointer && mouse_icon_ != nullptr) {
    if (!custom_cursor_) custom_cursor_ = CursorFromPicture(*mouse_icon_);
    if (custom_cursor_) return custom_cursor_.get();
  }
  return LoadSystemCursor(SystemCursorOfPointer(mouse_pointer_));
}

void Win32ControlWindow::ApplyDcState() {
  // A control surface draws with a 1-pixel pen in ForeColor, a transparent fill style and
  // transparent text.
  dc_->SelectPen(Pen::Solid(ResolveColor(fore_color_)));
  dc_->SelectBrush(Brush::Hollow());
  dc_->SetTextColor(ResolveColor(fore_color_));
  dc_->SetBkMode(BkMode::Transparent);
  dc_->SetBkColor(ResolveColor(back_color_));
  dc_->SelectFont(font_);
}

void Win32ControlWindow::Cls() {
  dc_->FillRect({0, 0, width_px_, height_px_}, Brush::Solid(ResolveColor(back_color_)));
  dc_->MoveToEx(0, 0, nullptr);
}

void Win32ControlWindow::Resize(int width_twips, int height_twips) {
  width_twips_ = std::max(width_twips, 0);
  height_twips_ = std::max(height_twips, 0);
  const int width_px = TwipsToPixels(width_twips_);
  const int height_px = TwipsToPixels(height_twips_);
  if (width_px == width_px_ && height_px == height_px_) return;
  // The persistent image keeps what fits of its old content.
  auto resized = MakeSurface(name_, width_px, height_px, ResolveColor(back_color_));
  resized->BitBlt(0, 0, std::min(width_px, width_px_), std::min(height_px, height_px_), *dc_, 0, 0);
  dc_ = std::move(resized);
  width_px_ = width_px;
  height_px_ = height_px;
  ApplyDcState();
  if (const HWND window = window_.get()) {
    ::SetWindowPos(window, nullptr, 0, 0, width_px_, height_px_,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (back_style_ == 0) ApplyRegion(false);
  if (control_) control_->Resize();
}

void Win32ControlWindow::Width(int twips) {
  Resize(twips, height_twips_);
}
void Win32ControlWindow::Height(int twips) {
  Resize(width_twips_, twips);
}

double Win32ControlWindow::ScaleWidth() const {
  return width_px_ * UnitsPerPixel(scale_mode_);
}
double Win32ControlWindow::ScaleHeight() const {
  return height_px_ * UnitsPerPixel(scale_mode_);
}

void Win32ControlWindow::BackStyle(int value) {
  if (value == back_style_) return;
  back_style_ = value;
  ApplyRegion(true);
}

void Win32ControlWindow::BackColor(ColorValue color) {
  back_color_ = color;
  dc_->SetBkColor(ResolveColor(color));
  Cls();
}

void Win32ControlWindow::ForeColor(ColorValue color) {
  fore_color_ = color;
  dc_->SelectPen(Pen::Solid(ResolveColor(color)));
  dc_->SetTextColor(ResolveColor(color));
}

void Win32ControlWindow::Font(const FontSpec& font) {
  font_ = font;
  dc_->SelectFont(font_);
}

void Win32ControlWindow::Enabled(bool value) {
  enabled_ = value;
  const HWND window = window_.get();
  if (window == nullptr) return;
  // A disabled window can hold neither the focus nor the capture. The platform would leave the
  // focus nowhere; the parent takes it, so that Tab still moves it on.
  if (!value && ::GetFocus() == window) ::SetFocus(::GetParent(window));
  ::EnableWindow(window, value ? TRUE : FALSE);
  if (!value && ::GetCapture() == window) ::ReleaseCapture();
}

void Win32ControlWindow::PaintPicture(const Picture& picture, int x, int y) {
  dc_->DrawIconEx(x, y, picture.image(), 0, 0);
}

double Win32ControlWindow::ScaleX(double value, int from, int to) const {
  return value / UnitsPerPixel(from) * UnitsPerPixel(to);
}
double Win32ControlWindow::ScaleY(double value, int from, int to) const {
  return value / UnitsPerPixel(from) * UnitsPerPixel(to);
}

void Win32ControlWindow::MaskColor(ColorValue color) {
  if (color == mask_color_) return;
  mask_color_ = color;
  if (back_style_ == 0) ApplyRegion(true);
}

void Win32ControlWindow::MaskPicture(PicturePtr picture) {
  mask_picture_ = std::move(picture);
  if (back_style_ == 0) ApplyRegion(true);
}

PicturePtr Win32ControlWindow::Image() const {
  IconImage image;
  image.width = width_px_;
  image.height = height_px_;
  image.color = dc_->Pixels();
  for (auto& pixel : image.color) pixel &= 0x00FFFFFFu;
  image.mask.assign(image.color.size(), false);
  return std::make_shared<const Picture>(BitmapPicture(std::move(image)));
}

void Win32ControlWindow::Refresh() {
  ++refresh_count_;
  // The image goes to the window's DC now (clipped to what shows of the window, its region
  // included): a tenth of the cost of an invalidation and a synchronous WM_PAINT under Wine. A
  // window not on the screen (its form not shown yet) gets the image from WM_PAINT when it
  // shows.
  if (const HWND window = window_.get(); window != nullptr && ::IsWindowVisible(window)) {
    const WindowDc screen(window);
    ::BitBlt(screen.get(), 0, 0, width_px_, height_px_, dc_->Handle(), 0, 0, SRCCOPY);
  }
}

void Win32ControlWindow::SetWindowRgn(std::unique_ptr<Region> region, bool redraw) {
  if (region == nullptr) {
    shape_.reset();
  } else {
    auto* own = dynamic_cast<Win32Region*>(region.get());
    if (own == nullptr) {
      throw std::invalid_argument("control " + name_ +
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
  if (back_style_ == 0 && mask_picture_ != nullptr &&
      OleTranslateColor(mask_color_, see_through) == 0) {
    UniqueRegion opaque = OpaqueRegionOfMask(*mask_picture_, see_through, width_px_, height_px_);
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
  mouse_icon_ = std::move(icon);
}

User32& Win32ControlWindow::user32() {
  return container_.Desktop();
}
GdiDevice& Win32ControlWindow::gdi() {
  return container_.Device();
}

void Win32ControlWindow::PropertyChanged(std::string_view name) {
  container_.ControlPropertyChanged(name_, name);
}

void Win32ControlWindow::RaiseEvent(std::string_view name, std::span<const EventArg> args) {
  container_.ControlEvent(name_, name, args);
}

}  // namespace fw::win32
