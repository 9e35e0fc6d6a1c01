#include "platform/form/software_form.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/color.h"
#include "platform/form/form_render.h"
#include "platform/windowing/input_sequences.h"

namespace fw {
namespace {

constexpr std::int16_t kKeyTab = 9;
constexpr std::int16_t kKeyEnter = 13;
constexpr std::int16_t kKeySpace = 32;
}  // namespace

SoftwareForm::SoftwareForm(GdiDevice& device, const FormDesign& design,
                           const UserControlFactory& make, const PictureResolver& resolver)
    : model_(design, resolver, *this), host_(device, model_.ClientPixels()) {
  // A Tab a control sends moves the focus in tab order, as the keyboard's Tab does.
  host_.OnTabKey([this](bool backwards) { TabFocus(backwards); });
  host_.OnEvent(
      [this](const std::string& control, std::string_view event, std::span<const EventArg> args) {
        if (events_ != nullptr && !closed_) events_->ControlEvent(control, event, args);
      });
  for (const auto& piece : model_.pieces()) {
    const FormControlDesign& control = *piece->design;
    if (control.kind != FormControlKind::UserControl) continue;
    const windowing::Placement placement{control.name, design.ClientTwips(control), &piece->saved};
    host_.Place(placement, DesignedControlFactory(control, make));
    piece->window = &host_.SurfaceOf(control.name);
  }
}

SoftwareForm::~SoftwareForm() = default;

void SoftwareForm::Show(FormEvents& events) {
  events_ = &events;
  for (const FormModel::TimerSpec& timer : model_.Timers()) {
    const std::string name = timer.name;
    host_.Desktop().SetTimer(host_.ParentWindow(), timer.id, timer.interval, [this, name] {
      if (events_ != nullptr && !closed_) events_->Timer(name);
    });
  }
  TabFocus(/*backwards=*/false);
  Changed();
}

FormLabel& SoftwareForm::Label(std::string_view name) {
  return model_.Label(name);
}

FormImage& SoftwareForm::Image(std::string_view name) {
  return model_.Image(name);
}

ControlHandlers& SoftwareForm::Control(std::string_view name) {
  return model_.Control(name);
}

int SoftwareForm::MsgBox(std::string_view text, int style, std::string_view title) {
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

bool SoftwareForm::Unload() {
  return RequestClose(kUnloadFormCode);
}

bool SoftwareForm::RequestClose(std::int16_t mode) {
  if (closed_) return true;
  std::int16_t cancel = 0;
  if (events_ != nullptr) events_->QueryUnload(cancel, mode);
  if (cancel != 0) return false;
  // The controls end when the window is destroyed; until then nothing reaches them.
  closed_ = true;
  for (const FormModel::TimerSpec& timer : model_.Timers()) {
    host_.Desktop().KillTimer(host_.ParentWindow(), timer.id);
  }
  Changed();
  return true;
}

void SoftwareForm::MoveMouse(int x, int y) {
  if (closed_) return;
  Changed();
  host_.MoveMouse(x, y);
}

void SoftwareForm::MouseDown(std::int16_t button, std::int16_t shift) {
  if (closed_) return;
  Changed();
  host_.MouseDown(button, shift);
}

void SoftwareForm::MouseUp(std::int16_t button, std::int16_t shift) {
  if (closed_) return;
  Changed();
  host_.MouseUp(button, shift);
}

void SoftwareForm::Click(int x, int y) {
  windowing::Click(*this, x, y);
}

void SoftwareForm::DoubleClick(int x, int y) {
  windowing::DoubleClick(*this, x, y);
}

void SoftwareForm::DoubleClickPress(std::int16_t shift) {
  if (closed_) return;
  Changed();
  host_.DoubleClickPress(shift);
}

void SoftwareForm::KeyDown(std::int16_t key_code, std::int16_t shift) {
  if (closed_) return;
  Changed();
  if (key_code == kKeyTab) {
    TabFocus((shift & kShiftMask) != 0);
    return;
  }
  host_.KeyDown(key_code, shift);
}

void SoftwareForm::KeyPress(std::int16_t key_ascii) {
  if (closed_ || key_ascii == kKeyTab) return;
  Changed();
  host_.KeyPress(key_ascii);
}

void SoftwareForm::KeyUp(std::int16_t key_code, std::int16_t shift) {
  if (closed_ || key_code == kKeyTab) return;
  Changed();
  host_.KeyUp(key_code, shift);
}

void SoftwareForm::PressKey(std::int16_t key_code, std::int16_t shift) {
  KeyDown(key_code, shift);
  if (key_code == kKeySpace || key_code == kKeyEnter) KeyPress(key_code);
  KeyUp(key_code, shift);
}

void SoftwareForm::TabFocus(bool backwards) {
  const std::string focused = host_.FocusedName();
  const ControlSurface* from = focused.empty() ? nullptr : &host_.SurfaceOf(focused);
  const FormModel::Piece* next = model_.NextInTabOrder(
      from, backwards, [](const FormModel::Piece& piece) { return piece.window->Enabled(); });
  if (next != nullptr && next->window != from) host_.Focus(next->design->name);
}

void SoftwareForm::Advance(int milliseconds) {
  host_.Advance(milliseconds);
}

std::optional<int> SoftwareForm::MillisecondsToNextTimer() const {
  const std::optional<long long> due = host_.NextTimerDue();
  if (!due) return std::nullopt;
  return static_cast<int>(std::max(*due - host_.Now(), 0LL));
}

Rect SoftwareForm::PixelRect(std::string_view name) const {
  return model_.PixelRect(name);
}

std::uint64_t SoftwareForm::Revision() const {
  return changes_ + host_.Revision();
}

std::unique_ptr<Dc> SoftwareForm::Render() {
  const Size client = host_.Client();
  auto dc =
      host_.Device().CreateSurface(client.cx, client.cy, ResolveColor(model_.design().back_color));
  model_.Draw(*dc, [](Dc& target, const FormModel::Piece& piece) {
    DrawControlSurface(target, {piece.pixels.left, piece.pixels.top}, piece.window->hDC(),
                       piece.window->region());
  });
  return dc;
}

std::string SoftwareForm::ToolTipAt(Point client) const {
  if (!host_.ControlNameAt(client).empty()) return {};
  return model_.ToolTipAt(client);
}

FormCursor SoftwareForm::CursorAt(Point client) const {
  const std::string name = host_.ControlNameAt(client);
  if (name.empty()) return {};
  const UserControl& window = host_.WindowOf(name);
  return CursorOfPointer(window.MousePointer(), window.MouseIcon());
}

}  // namespace fw
