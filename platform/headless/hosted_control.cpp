#include "platform/headless/hosted_control.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace fw::headless {

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

// The window's persistent surface. A window without width or height still has a surface of one
// pixel, since a device context needs a bitmap (real GDI makes no DIB section of no size).
std::unique_ptr<Dc> MakeSurface(GdiDevice& device, int width, int height, ColorRef fill) {
  return device.CreateSurface(std::max(width, 1), std::max(height, 1), fill);
}

}  // namespace

HostedControl::HostedControl(HeadlessHost& host, std::string name, WindowHandle handle, Rect twips)
    : host_(host),
      name_(std::move(name)),
      handle_(handle),
      position_px_{TwipsToPixels(twips.left), TwipsToPixels(twips.top)},
      width_twips_(std::max(twips.Width(), 0)),
      height_twips_(std::max(twips.Height(), 0)),
      width_px_(std::max(TwipsToPixels(twips.Width()), 0)),
      height_px_(std::max(TwipsToPixels(twips.Height()), 0)),
      font_(host.AmbientFont()) {
  dc_ = MakeSurface(host_.Device(), width_px_, height_px_, ResolveColor(back_color_));
  ApplyDcState();
}

Rect HostedControl::PixelRect() const {
  return {position_px_.x, position_px_.y, position_px_.x + width_px_, position_px_.y + height_px_};
}

bool HostedControl::HitTest(Point client) const {
  if (client.x < 0 || client.y < 0 || client.x >= width_px_ || client.y >= height_px_) {
    return false;
  }
  return region_ == nullptr || region_->PtInRegion(client.x, client.y);
}

float HostedControl::ToScaleX(int pixels) const {
  return static_cast<float>(pixels * UnitsPerPixel(scale_mode_));
}
float HostedControl::ToScaleY(int pixels) const {
  return static_cast<float>(pixels * UnitsPerPixel(scale_mode_));
}

void HostedControl::ApplyDcState() {
  // A control surface draws with a 1-pixel pen in ForeColor, a transparent fill style and
  // transparent text.
  dc_->SelectPen(Pen::Solid(ResolveColor(fore_color_)));
  dc_->SelectBrush(Brush::Hollow());
  dc_->SetTextColor(ResolveColor(fore_color_));
  dc_->SetBkMode(BkMode::Transparent);
  dc_->SetBkColor(ResolveColor(back_color_));
  dc_->SelectFont(font_);
}

void HostedControl::Enabled(bool value) {
  enabled_ = value;
  if (!value && host_.Desktop().GetCapture() == handle_) host_.Desktop().ReleaseCapture();
}

void HostedControl::Cls() {
  dc_->FillRect({0, 0, width_px_, height_px_}, Brush::Solid(ResolveColor(back_color_)));
  dc_->MoveToEx(0, 0, nullptr);
}

void HostedControl::Resize(int width_twips, int height_twips) {
  width_twips_ = std::max(width_twips, 0);
  height_twips_ = std::max(height_twips, 0);
  const int width_px = TwipsToPixels(width_twips_);
  const int height_px = TwipsToPixels(height_twips_);
  if (width_px == width_px_ && height_px == height_px_) return;
  // The persistent image keeps what fits of its old content.
  auto resized = MakeSurface(host_.Device(), width_px, height_px, ResolveColor(back_color_));
  resized->BitBlt(0, 0, std::min(width_px, width_px_), std::min(height_px, height_px_), *dc_, 0, 0);
  dc_ = std::move(resized);
  width_px_ = width_px;
  height_px_ = height_px;
  ApplyDcState();
  if (control_) control_->Resize();
}

void HostedControl::Width(int twips) {
  Resize(twips, height_twips_);
}
void HostedControl::Height(int twips) {
  Resize(width_twips_, twips);
}

double HostedControl::ScaleWidth() const {
  return width_px_ * UnitsPerPixel(scale_mode_);
}
double HostedControl::ScaleHeight() const {
  return height_px_ * UnitsPerPixel(scale_mode_);
}

void HostedControl::BackColor(ColorValue color) {
  back_color_ = color;
  dc_->SetBkColor(ResolveColor(color));
  Cls();
}

void HostedControl::ForeColor(ColorValue color) {
  fore_color_ = color;
  dc_->SelectPen(Pen::Solid(ResolveColor(color)));
  dc_->SetTextColor(ResolveColor(color));
}

void HostedControl::Font(const FontSpec& font) {
  font_ = font;
  dc_->SelectFont(font_);
}

void HostedControl::PaintPicture(const Picture& picture, int x, int y) {
  dc_->DrawIconEx(x, y, picture.image(), 0, 0);
}

double HostedControl::ScaleX(double value, int from, int to) const {
  return value / UnitsPerPixel(from) * UnitsPerPixel(to);
}
double HostedControl::ScaleY(double value, int from, int to) const {
  return value / UnitsPerPixel(from) * UnitsPerPixel(to);
}

PicturePtr HostedControl::Image() const {
  IconImage image;
  image.width = width_px_;
  image.height = height_px_;
  image.color = dc_->Pixels();
  for (auto& pixel : image.color) pixel &= 0x00FFFFFFu;
  return std::make_shared<const Picture>(BitmapPicture(std::move(image)));
}

void HostedControl::SetWindowRgn(std::unique_ptr<Region> region, bool /*redraw*/) {
  region_ = std::move(region);
}

User32& HostedControl::user32() {
  return host_.Desktop();
}
GdiDevice& HostedControl::gdi() {
  return host_.Device();
}

bool HostedControl::AmbientUserMode() const {
  return host_.UserMode();
}
FontSpec HostedControl::AmbientFont() const {
  return host_.AmbientFont();
}

void HostedControl::PropertyChanged(std::string_view name) {
  host_.Log([&] { return Record{Record::Kind::PropertyChanged, name_, std::string(name), ""}; });
}

void HostedControl::RaiseEvent(std::string_view name, std::span<const EventArg> args) {
  host_.Log([&] {
    return Record{Record::Kind::Event, name_, std::string(name), FormatEventArgs(args)};
  });
  if (host_.on_event_) host_.on_event_(name_, name, args);
}

}  // namespace fw::headless
