#include "platform/form/headless_form.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/color.h"
#include "platform/form/form_render.h"

namespace fw {
namespace {

constexpr std::int16_t kKeyTab = 9;
constexpr std::int16_t kKeyEnter = 13;
constexpr std::int16_t kKeySpace = 32;
constexpr std::int16_t kCustomPointer = 99;
constexpr int kIdcArrowCursor = 32512;

// The system cursor of each MousePointer value from 0 (default) to 15.
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

class HeadlessForm::LabelState final : public FormLabel {
 public:
  LabelState(HeadlessForm& form, const FormControlDesign& design)
      : form_(form), caption_(design.caption), visible_(design.visible) {}
  const std::string& Caption() const override { return caption_; }
  void Caption(std::string text) override {
    caption_ = std::move(text);
    form_.Changed();
  }
  bool Visible() const override { return visible_; }
  void Visible(bool value) override {
    visible_ = value;
    form_.Changed();
  }

 private:
  HeadlessForm& form_;
  std::string caption_;
  bool visible_;
};

class HeadlessForm::ImageState final : public FormImage {
 public:
  ImageState(HeadlessForm& form, const FormControlDesign& design)
      : form_(form), visible_(design.visible) {}
  bool Visible() const override { return visible_; }
  void Visible(bool value) override {
    visible_ = value;
    form_.Changed();
  }
  const std::string& ToolTipText() const override { return tooltip_; }
  void ToolTipText(std::string text) override {
    tooltip_ = std::move(text);
    form_.Changed();
  }

 private:
  HeadlessForm& form_;
  bool visible_;
  std::string tooltip_;
};

// One piece of the window as the design lists it, with its state at run time.
struct HeadlessForm::Piece {
  const FormControlDesign* design = nullptr;
  Rect pixels;  // in the window's client area
  std::unique_ptr<LabelState> label;
  std::unique_ptr<ImageState> image;
  PicturePtr picture;
  PropertyBag saved;  // a user control's stored properties, without the container's extent
  ControlHandlers* control = nullptr;
};

HeadlessForm::HeadlessForm(GdiDevice& device, const FormDesign& design,
                           const UserControlFactory& make, const PictureResolver& resolver)
    : design_(design),
      host_(device, {ToPixels(design.client_width), ToPixels(design.client_height)}) {
  host_.OnEvent(
      [this](const std::string& control, std::string_view event, std::span<const EventArg> args) {
        if (events_ != nullptr && !closed_) events_->ControlEvent(control, event, args);
      });
  for (const FormControlDesign& control : design.controls) {
    auto piece = std::make_unique<Piece>();
    piece->design = &control;
    piece->pixels = ToPixels(design.ClientTwips(control));
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
        const headless::Placement placement{control.name, design.ClientTwips(control),
                                            &piece->saved};
        piece->control = &host_.Place(placement, [&](UserControl& window, UserControlSite& site) {
          auto made = make(control.control_class, window, site);
          if (made == nullptr) {
            throw FormDesignError("control " + control.name + ": the class \"" +
                                  control.control_class + "\" is unknown");
          }
          return made;
        });
        break;
      }
      default:
        break;
    }
    pieces_.push_back(std::move(piece));
  }
}

HeadlessForm::~HeadlessForm() = default;

void HeadlessForm::Show(FormEvents& events) {
  events_ = &events;
  std::uintptr_t timer_id = 0;
  for (const auto& piece : pieces_) {
    const FormControlDesign& control = *piece->design;
    ++timer_id;
    if (control.kind != FormControlKind::Timer || !control.enabled || control.interval == 0) {
      continue;
    }
    const std::string name = control.name;
    host_.Desktop().SetTimer(host_.ParentWindow(), timer_id, control.interval, [this, name] {
      if (events_ != nullptr && !closed_) events_->Timer(name);
    });
  }
  TabFocus(/*backwards=*/false);
  Changed();
}

HeadlessForm::Piece& HeadlessForm::FindPiece(std::string_view name, FormControlKind kind,
                                             const char* kind_name) {
  for (const auto& piece : pieces_) {
    const FormControlDesign& control = *piece->design;
    if (control.kind == kind && design_.Find(name) == &control) return *piece;
  }
  throw std::out_of_range("Form " + design_.name + " has no " + kind_name + " named " +
                          std::string(name));
}

FormLabel& HeadlessForm::Label(std::string_view name) {
  return *FindPiece(name, FormControlKind::Label, "label").label;
}

FormImage& HeadlessForm::Image(std::string_view name) {
  return *FindPiece(name, FormControlKind::Image, "picture").image;
}

ControlHandlers& HeadlessForm::Control(std::string_view name) {
  return *FindPiece(name, FormControlKind::UserControl, "user control").control;
}

int HeadlessForm::MsgBox(std::string_view text, int style, std::string_view title) {
  MessageBoxCall call{std::string(text), style, std::string(title), 0};
  if (!answerer_) {
    throw std::logic_error("a message box was shown with nobody to answer it: \"" + call.title +
                           "\": \"" + call.text + "\"");
  }
  call.answer = answerer_(call);
  const int answer = call.answer;
  if (keep_message_boxes_) message_boxes_.push_back(std::move(call));
  Changed();
  return answer;
}

bool HeadlessForm::Unload() {
  return RequestClose(kUnloadFormCode);
}

bool HeadlessForm::RequestClose(std::int16_t mode) {
  if (closed_) return true;
  std::int16_t cancel = 0;
  if (events_ != nullptr) events_->QueryUnload(cancel, mode);
  if (cancel != 0) return false;
  // The controls end when the window is destroyed; until then nothing reaches them.
  closed_ = true;
  std::uintptr_t timer_id = 0;
  for (const auto& piece : pieces_) {
    ++timer_id;
    if (piece->design->kind == FormControlKind::Timer) {
      host_.Desktop().KillTimer(host_.ParentWindow(), timer_id);
    }
  }
  Changed();
  return true;
}

void HeadlessForm::MoveMouse(int x, int y) {
  if (closed_) return;
  Changed();
  host_.MoveMouse(x, y);
}

void HeadlessForm::MouseDown(std::int16_t button, std::int16_t shift) {
  if (closed_) return;
  Changed();
  host_.MouseDown(button, shift);
}

void HeadlessForm::MouseUp(std::int16_t button, std::int16_t shift) {
  if (closed_) return;
  Changed();
  host_.MouseUp(button, shift);
}

void HeadlessForm::Click(int x, int y) {
  MoveMouse(x, y);
  MouseDown();
  MouseUp();
}

void HeadlessForm::DoubleClick(int x, int y) {
  if (closed_) return;
  Changed();
  host_.DoubleClick(x, y);
}

void HeadlessForm::DoubleClickPress(std::int16_t shift) {
  if (closed_) return;
  Changed();
  host_.DoubleClickPress(shift);
}

void HeadlessForm::KeyDown(std::int16_t key_code, std::int16_t shift) {
  if (closed_) return;
  Changed();
  if (key_code == kKeyTab) {
    TabFocus((shift & kShiftMask) != 0);
    return;
  }
  host_.KeyDown(key_code, shift);
}

void HeadlessForm::KeyPress(std::int16_t key_ascii) {
  if (closed_ || key_ascii == kKeyTab) return;
  Changed();
  host_.KeyPress(key_ascii);
}

void HeadlessForm::KeyUp(std::int16_t key_code, std::int16_t shift) {
  if (closed_ || key_code == kKeyTab) return;
  Changed();
  host_.KeyUp(key_code, shift);
}

void HeadlessForm::PressKey(std::int16_t key_code, std::int16_t shift) {
  KeyDown(key_code, shift);
  if (key_code == kKeySpace || key_code == kKeyEnter) KeyPress(key_code);
  KeyUp(key_code, shift);
}

void HeadlessForm::TabFocus(bool backwards) {
  std::vector<const Piece*> order;
  for (const auto& piece : pieces_) {
    if (piece->control != nullptr && piece->design->tab_index) order.push_back(piece.get());
  }
  std::stable_sort(order.begin(), order.end(), [](const Piece* a, const Piece* b) {
    return *a->design->tab_index < *b->design->tab_index;
  });
  if (order.empty()) return;
  const std::string focused = host_.FocusedName();
  const std::size_t n = order.size();
  // Without a focused control, the search starts just before the first (or after the last).
  std::size_t start = backwards ? 0 : n - 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (order[i]->design->name == focused) start = i;
  }
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = backwards ? (start + n - step) % n : (start + step) % n;
    const std::string& name = order[i]->design->name;
    if (host_.WindowOf(name).Enabled()) {
      if (name != focused) host_.Focus(name);
      return;
    }
  }
}

void HeadlessForm::Advance(int milliseconds) {
  host_.Advance(milliseconds);
}

std::optional<int> HeadlessForm::MillisecondsToNextTimer() const {
  const std::optional<long long> due = host_.NextTimerDue();
  if (!due) return std::nullopt;
  return static_cast<int>(std::max(*due - host_.Now(), 0LL));
}

Rect HeadlessForm::PixelRect(std::string_view name) const {
  for (const auto& piece : pieces_) {
    if (design_.Find(name) == piece->design) return piece->pixels;
  }
  throw std::out_of_range("Form " + design_.name + " has nothing named " + std::string(name));
}

std::uint64_t HeadlessForm::Revision() const {
  return changes_ + host_.RecordCount();
}

std::unique_ptr<Dc> HeadlessForm::Render() {
  const Size client = host_.Client();
  auto dc = host_.Device().CreateSurface(client.cx, client.cy, ResolveColor(design_.back_color));
  DrawContainer(*dc, design_.name);
  return dc;
}

void HeadlessForm::DrawContainer(Dc& dc, const std::string& container) {
  // Pictures and labels lie on their container; frames and controls are windows above them.
  for (const bool windows : {false, true}) {
    for (const auto& piece : pieces_) {
      const FormControlDesign& control = *piece->design;
      const bool is_window =
          control.kind == FormControlKind::Frame || control.kind == FormControlKind::UserControl;
      if (is_window != windows || design_.Find(control.inside) != design_.Find(container)) {
        continue;
      }
      DrawPiece(dc, *piece);
    }
  }
}

void HeadlessForm::DrawPiece(Dc& dc, const Piece& piece) {
  const FormControlDesign& control = *piece.design;
  switch (control.kind) {
    case FormControlKind::Frame:
      if (!control.visible) return;
      DrawFrame(dc, piece.pixels, control.caption, control.font, ResolveColor(control.back_color),
                ResolveColor(control.fore_color));
      DrawContainer(dc, control.name);
      return;
    case FormControlKind::Label:
      if (!piece.label->Visible()) return;
      DrawLabel(dc, piece.pixels, piece.label->Caption(), control.font,
                ResolveColor(control.back_color), ResolveColor(control.fore_color));
      return;
    case FormControlKind::Image:
      if (!piece.image->Visible()) return;
      DrawPicture(dc, {piece.pixels.left, piece.pixels.top}, *piece.picture, piece.pixels);
      return;
    case FormControlKind::UserControl: {
      DrawControlSurface(dc, {piece.pixels.left, piece.pixels.top},
                         host_.WindowOf(control.name).hDC(), host_.RegionOf(control.name));
      return;
    }
    case FormControlKind::Timer:
      return;
  }
}

std::string HeadlessForm::ToolTipAt(Point client) const {
  if (!host_.ControlNameAt(client).empty()) return {};
  for (auto it = pieces_.rbegin(); it != pieces_.rend(); ++it) {
    const Piece& piece = **it;
    if (piece.image != nullptr && piece.image->Visible() && Contains(piece.pixels, client)) {
      return piece.image->ToolTipText();
    }
  }
  return {};
}

FormCursor HeadlessForm::CursorAt(Point client) const {
  const std::string name = host_.ControlNameAt(client);
  if (name.empty()) return {};
  const UserControl& window = host_.WindowOf(name);
  const std::int16_t pointer = window.MousePointer();
  if (pointer == kCustomPointer && window.MouseIcon() != nullptr) {
    return {window.MouseIcon(), kIdcArrowCursor};
  }
  if (pointer >= 0 && pointer < static_cast<std::int16_t>(kPointerCursors.size())) {
    return {nullptr, kPointerCursors[static_cast<std::size_t>(pointer)]};
  }
  return {};
}

}  // namespace fw
