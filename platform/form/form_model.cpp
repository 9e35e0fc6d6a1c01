#include "platform/form/form_model.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/color.h"
#include "platform/form/form_render.h"

namespace fw {
namespace {

constexpr std::int16_t kCustomPointer = 99;

// The system cursor of each MousePointer value from 0 (default) to 15: default, arrow, cross,
// I-beam, icon (arrow), size, size NE-SW, size N-S, size NW-SE, size W-E, up arrow, hourglass,
// no drop, arrow and hourglass, arrow and question mark, size all.
constexpr std::array<int, 16> kPointerCursors = {32512, 32512, 32515, 32513, 32512, 32646,
                                                 32643, 32645, 32642, 32644, 32516, 32514,
                                                 32648, 32650, 32651, 32646};

int ToPixels(int twips) {
  return RoundHalfEven(static_cast<double>(twips) / kTwipsPerPixel);
}

Rect ToPixels(const Rect& twips) {
  return {ToPixels(twips.left), ToPixels(twips.top), ToPixels(twips.right), ToPixels(twips.bottom)};
}

bool Contains(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

FormCursor CursorOfPointer(std::int16_t pointer, const PicturePtr& icon) {
  if (pointer == kCustomPointer && icon != nullptr) return {icon, kIdcArrow};
  if (pointer >= 0 && pointer < static_cast<std::int16_t>(kPointerCursors.size())) {
    return {nullptr, kPointerCursors[static_cast<std::size_t>(pointer)]};
  }
  return {nullptr, kIdcArrow};
}

ControlSurface::ControlFactory DesignedControlFactory(const FormControlDesign& control,
                                                      const UserControlFactory& make) {
  return [&control, &make](UserControl& window, UserControlSite& site) {
    auto made = make(control.control_class, window, site);
    if (made == nullptr) {
      throw FormDesignError("control " + control.name + ": the class \"" + control.control_class +
                            "\" is unknown");
    }
    return made;
  };
}

void FormLabelState::Caption(std::string text) {
  if (text == caption_) return;
  caption_ = std::move(text);
  observer_.PaintChanged();
}

void FormLabelState::Visible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  observer_.PaintChanged();
}

void FormImageState::Visible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  observer_.PaintChanged();
  observer_.ToolTipsChanged();
}

void FormImageState::ToolTipText(std::string text) {
  if (text == tooltip_) return;
  tooltip_ = std::move(text);
  observer_.ToolTipsChanged();
}

FormModel::FormModel(const FormDesign& design, const PictureResolver& resolver,
                     FormModelObserver& observer)
    : design_(design), observer_(observer) {
  for (const FormControlDesign& control : design.controls) {
    auto piece = std::make_unique<Piece>();
    piece->design = &control;
    piece->pixels = ToPixels(design.ClientTwips(control));
    piece->inside = design.Find(control.inside);
    switch (control.kind) {
      case FormControlKind::Label:
        piece->label = std::make_unique<FormLabelState>(observer_, control);
        break;
      case FormControlKind::Image:
        piece->image = std::make_unique<FormImageState>(observer_, control);
        piece->picture = resolver ? resolver(control.picture) : nullptr;
        if (piece->picture == nullptr) {
          throw FormDesignError("control " + control.name + ": the picture \"" + control.picture +
                                "\" is not one of the program's resources");
        }
        break;
      case FormControlKind::UserControl:
        // The container sizes the window from the design; the control never sees its extent.
        piece->saved = control.properties;
        piece->saved.Remove("_ExtentX");
        piece->saved.Remove("_ExtentY");
        break;
      default:
        break;
    }
    pieces_.push_back(std::move(piece));
  }
}

FormModel::~FormModel() = default;

Size FormModel::ClientPixels() const {
  return {ToPixels(design_.client_width), ToPixels(design_.client_height)};
}

FormModel::Piece& FormModel::Find(std::string_view name, FormControlKind kind,
                                  const char* kind_name) {
  const FormControlDesign* named = design_.Find(name);
  for (const auto& piece : pieces_) {
    const FormControlDesign& control = *piece->design;
    if (control.kind == kind && named == &control) return *piece;
  }
  throw std::out_of_range("Form " + design_.name + " has no " + kind_name + " named " +
                          std::string(name));
}

FormLabel& FormModel::Label(std::string_view name) {
  return *Find(name, FormControlKind::Label, "label").label;
}

FormImage& FormModel::Image(std::string_view name) {
  return *Find(name, FormControlKind::Image, "picture").image;
}

FormModel::Piece& FormModel::UserControl(std::string_view name) {
  Piece& piece = Find(name, FormControlKind::UserControl, "user control");
  if (piece.window == nullptr || !piece.window->has_control()) {
    throw std::out_of_range("Form " + design_.name + ": the user control " + std::string(name) +
                            " is not placed");
  }
  return piece;
}

ControlHandlers& FormModel::Control(std::string_view name) {
  return UserControl(name).window->control();
}

Rect FormModel::PixelRect(std::string_view name) const {
  const FormControlDesign* named = design_.Find(name);
  for (const auto& piece : pieces_) {
    if (named == piece->design) return piece->pixels;
  }
  throw std::out_of_range("Form " + design_.name + " has nothing named " + std::string(name));
}

void FormModel::Draw(Dc& dc, const std::function<void(Dc&, const Piece&)>& draw_control) const {
  DrawContainer(dc, design_.Find(design_.name), draw_control);
}

void FormModel::DrawContainer(Dc& dc, const FormControlDesign* container,
                              const std::function<void(Dc&, const Piece&)>& draw_control) const {
  // Pictures and labels lie on their container; frames and controls are windows above them.
  for (const bool windows : {false, true}) {
    for (const auto& entry : pieces_) {
      const Piece& piece = *entry;
      const FormControlDesign& control = *piece.design;
      const bool is_window =
          control.kind == FormControlKind::Frame || control.kind == FormControlKind::UserControl;
      if (is_window != windows || piece.inside != container) continue;
      switch (control.kind) {
        case FormControlKind::Frame:
          if (!control.visible) break;
          DrawFrame(dc, piece.pixels, control.caption, control.font,
                    ResolveColor(control.back_color), ResolveColor(control.fore_color));
          DrawContainer(dc, design_.Find(control.name), draw_control);
          break;
        case FormControlKind::Label:
          if (!piece.label->Visible()) break;
          DrawLabel(dc, piece.pixels, piece.label->Caption(), control.font,
                    ResolveColor(control.back_color), ResolveColor(control.fore_color));
          break;
        case FormControlKind::Image:
          if (!piece.image->Visible()) break;
          DrawPicture(dc, {piece.pixels.left, piece.pixels.top}, *piece.picture, piece.pixels);
          break;
        case FormControlKind::UserControl:
          if (draw_control && piece.window != nullptr) draw_control(dc, piece);
          break;
        case FormControlKind::Timer:
          break;
      }
    }
  }
}

std::vector<PictureTip> FormModel::ToolTips() const {
  // Topmost first: a later picture lies above an earlier one.
  std::vector<PictureTip> tips;
  for (std::size_t i = pieces_.size(); i-- > 0;) {
    const Piece& piece = *pieces_[i];
    if (piece.image == nullptr || !piece.image->Visible() || piece.image->ToolTipText().empty()) {
      continue;
    }
    tips.push_back({static_cast<unsigned>(i + 1), piece.pixels, piece.image->ToolTipText()});
  }
  return tips;
}

std::string FormModel::ToolTipAt(Point client) const {
  for (auto it = pieces_.rbegin(); it != pieces_.rend(); ++it) {
    const Piece& piece = **it;
    if (piece.image != nullptr && piece.image->Visible() && Contains(piece.pixels, client)) {
      return piece.image->ToolTipText();
    }
  }
  return {};
}

std::vector<FormModel::TimerSpec> FormModel::Timers() const {
  std::vector<TimerSpec> timers;
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const FormControlDesign& control = *pieces_[i]->design;
    if (control.kind != FormControlKind::Timer || !control.enabled || control.interval == 0) {
      continue;
    }
    timers.push_back({control.name, i + 1, control.interval});
  }
  return timers;
}

std::uintptr_t FormModel::TimerId(std::string_view name) const {
  const FormControlDesign* named = design_.Find(name);
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const FormControlDesign& control = *pieces_[i]->design;
    if (control.kind == FormControlKind::Timer && named == &control) return i + 1;
  }
  return 0;
}

std::vector<const FormModel::Piece*> FormModel::TabOrder() const {
  std::vector<const Piece*> order;
  for (const auto& piece : pieces_) {
    if (piece->window != nullptr && piece->design->tab_index) order.push_back(piece.get());
  }
  std::stable_sort(order.begin(), order.end(), [](const Piece* a, const Piece* b) {
    return *a->design->tab_index < *b->design->tab_index;
  });
  return order;
}

const FormModel::Piece* FormModel::NextInTabOrder(
    const ControlSurface* focused, bool backwards,
    const std::function<bool(const Piece&)>& can_focus) const {
  const std::vector<const Piece*> order = TabOrder();
  if (order.empty()) return nullptr;
  const std::size_t n = order.size();
  // Without a focused control, the search starts just before the first (or after the last).
  std::size_t start = backwards ? 0 : n - 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (focused != nullptr && order[i]->window == focused) start = i;
  }
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = backwards ? (start + n - step) % n : (start + step) % n;
    if (can_focus(*order[i])) return order[i];
  }
  return nullptr;
}

}  // namespace fw
