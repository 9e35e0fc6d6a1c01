#include "platform/host/control_surface.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "formats/text/ascii_case.h"
#include "platform/color.h"
#include "platform/picture.h"

namespace fw {
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

}  // namespace

ControlSurface::ControlSurface(GdiDevice& device, std::string name, Rect twips, FontSpec font)
    : device_(device),
      name_(std::move(name)),
      position_px_{TwipsToPixels(twips.left), TwipsToPixels(twips.top)},
      width_twips_(std::max(twips.Width(), 0)),
      height_twips_(std::max(twips.Height(), 0)),
      width_px_(std::max(TwipsToPixels(twips.Width()), 0)),
      height_px_(std::max(TwipsToPixels(twips.Height()), 0)),
      font_(std::move(font)) {
  dc_ = MakeSurface(width_px_, height_px_);
  ApplyDcState();
}

ControlSurface::~ControlSurface() = default;

std::unique_ptr<Dc> ControlSurface::MakeSurface(int width, int height) const {
  // A window without width or height still has a surface of one pixel, since a device context
  // needs a bitmap (GDI makes no DIB section of no size).
  std::unique_ptr<Dc> surface =
      device_.CreateSurface(std::max(width, 1), std::max(height, 1), ResolveColor(back_color_));
  if (surface == nullptr) {
    throw std::runtime_error("control " + name_ + ": the device cannot make its " +
                             std::to_string(width) + " x " + std::to_string(height) + " surface");
  }
  return surface;
}

ControlHandlers& ControlSurface::Start(const ControlFactory& make, const PropertyBag* saved) {
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
    control_.reset();
    throw;
  }
  control_->Show();
  return *control_;
}

Rect ControlSurface::PixelRect() const {
  return {position_px_.x, position_px_.y, position_px_.x + width_px_, position_px_.y + height_px_};
}

bool ControlSurface::HitTest(Point client) const {
  if (client.x < 0 || client.y < 0 || client.x >= width_px_ || client.y >= height_px_) {
    return false;
  }
  const Region* shape = region();
  return shape == nullptr || shape->PtInRegion(client.x, client.y);
}

float ControlSurface::ToScaleX(int pixels) const {
  return static_cast<float>(pixels * UnitsPerPixel(scale_mode_));
}
float ControlSurface::ToScaleY(int pixels) const {
  return static_cast<float>(pixels * UnitsPerPixel(scale_mode_));
}

void ControlSurface::ApplyDcState() {
  // A control surface draws with a 1-pixel pen in ForeColor, a transparent fill style and
  // transparent text.
  dc_->SelectPen(Pen::Solid(ResolveColor(fore_color_)));
  dc_->SelectBrush(Brush::Hollow());
  dc_->SetTextColor(ResolveColor(fore_color_));
  dc_->SetBkMode(BkMode::Transparent);
  dc_->SetBkColor(ResolveColor(back_color_));
  dc_->SelectFont(font_);
}

void ControlSurface::Cls() {
  dc_->FillRect({0, 0, width_px_, height_px_}, Brush::Solid(ResolveColor(back_color_)));
  dc_->MoveToEx(0, 0, nullptr);
}

void ControlSurface::Resize(int width_twips, int height_twips) {
  width_twips_ = std::max(width_twips, 0);
  height_twips_ = std::max(height_twips, 0);
  const int width_px = TwipsToPixels(width_twips_);
  const int height_px = TwipsToPixels(height_twips_);
  if (width_px == width_px_ && height_px == height_px_) return;
  // The persistent image keeps what fits of its old content.
  std::unique_ptr<Dc> resized = MakeSurface(width_px, height_px);
  resized->BitBlt(0, 0, std::min(width_px, width_px_), std::min(height_px, height_px_), *dc_, 0, 0);
  dc_ = std::move(resized);
  width_px_ = width_px;
  height_px_ = height_px;
  ApplyDcState();
  SurfaceResized();
  if (control_) control_->Resize();
}

void ControlSurface::Width(int twips) {
  Resize(twips, height_twips_);
}
void ControlSurface::Height(int twips) {
  Resize(width_twips_, twips);
}

double ControlSurface::ScaleWidth() const {
  return width_px_ * UnitsPerPixel(scale_mode_);
}
double ControlSurface::ScaleHeight() const {
  return height_px_ * UnitsPerPixel(scale_mode_);
}

void ControlSurface::BackStyle(int value) {
  if (value == back_style_) return;
  back_style_ = value;
  MaskChanged();
}

void ControlSurface::BackColor(ColorValue color) {
  back_color_ = color;
  dc_->SetBkColor(ResolveColor(color));
  Cls();
}

void ControlSurface::ForeColor(ColorValue color) {
  fore_color_ = color;
  dc_->SelectPen(Pen::Solid(ResolveColor(color)));
  dc_->SetTextColor(ResolveColor(color));
}

void ControlSurface::Font(const FontSpec& font) {
  font_ = font;
  dc_->SelectFont(font_);
}

void ControlSurface::PaintPicture(const Picture& picture, int x, int y) {
  dc_->DrawIconEx(x, y, picture.image(), 0, 0);
}

double ControlSurface::ScaleX(double value, int from, int to) const {
  return value / UnitsPerPixel(from) * UnitsPerPixel(to);
}
double ControlSurface::ScaleY(double value, int from, int to) const {
  return value / UnitsPerPixel(from) * UnitsPerPixel(to);
}

void ControlSurface::MaskColor(ColorValue color) {
  if (color == mask_color_) return;
  mask_color_ = color;
  if (back_style_ == 0) MaskChanged();
}

void ControlSurface::MaskPicture(PicturePtr picture) {
  mask_picture_ = std::move(picture);
  if (back_style_ == 0) MaskChanged();
}

PicturePtr ControlSurface::Image() const {
  IconImage image;
  image.width = width_px_;
  image.height = height_px_;
  image.color = dc_->Pixels();
  for (auto& pixel : image.color) pixel &= 0x00FFFFFFu;
  return std::make_shared<const Picture>(BitmapPicture(std::move(image)));
}

bool ControlSurface::HoldsAccessKey(char key) const {
  return std::any_of(access_keys_.begin(), access_keys_.end(),
                     [&](char held) { return ToAsciiLower(held) == ToAsciiLower(key); });
}

void ControlSurface::Refresh() {
  ShowSurface();
}

}  // namespace fw
