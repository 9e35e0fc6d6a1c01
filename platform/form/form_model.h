#pragma once
// What a window built from its stored design is on every host: its pieces as the design lists
// them with their state at run time (a label's text and visibility, a picture's visibility and
// tooltip), lookup by name, the order in which the window paints what it draws itself, the
// pictures' tooltips topmost first, the design's timers, the tab order of its user controls, and
// the cursor a control's MousePointer shows. The hosts keep only what is theirs: windows, input,
// clocks and the screen.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form/form_design.h"
#include "platform/form/form_host.h"
#include "platform/host/control_surface.h"

namespace fw {

// What the mouse pointer shows: a picture (a control's MouseIcon) or a system cursor id.
struct FormCursor {
  PicturePtr icon;
  int system_id = kIdcArrow;
};

// The cursor a window's MousePointer and MouseIcon show: the icon for the custom pointer (99)
// when it has one, else the system cursor of the pointer value (the arrow for an unknown one).
FormCursor CursorOfPointer(std::int16_t pointer, const PicturePtr& icon);

// Makes the user control of class `class_name` on its window and site; null for an unknown class.
using UserControlFactory = std::function<std::unique_ptr<ControlHandlers>(
    std::string_view class_name, UserControl& window, UserControlSite& site)>;

// What a host's control window starts: the designed control's class made by `make`. The
// factory it returns throws FormDesignError for a class `make` does not know.
ControlSurface::ControlFactory DesignedControlFactory(const FormControlDesign& control,
                                                      const UserControlFactory& make);

// One picture's tooltip: its place in the design (counted from 1), rectangle and text.
struct PictureTip {
  unsigned id = 0;
  Rect rect;  // in the window's client pixels
  std::string text;
  friend bool operator==(const PictureTip&, const PictureTip&) = default;
};

// Told what changed, so that the host repaints or updates its tooltips.
class FormModelObserver {
 public:
  virtual ~FormModelObserver() = default;
  // Something the window paints itself looks different (a label, a picture's visibility).
  virtual void PaintChanged() = 0;
  // A picture's tooltip or visibility changed.
  virtual void ToolTipsChanged() = 0;
};

// A label: setting its text or visibility to a new value changes what the window paints.
class FormLabelState final : public FormLabel {
 public:
  FormLabelState(FormModelObserver& observer, const FormControlDesign& design)
      : observer_(observer), caption_(design.caption), visible_(design.visible) {}
  const std::string& Caption() const override { return caption_; }
  void Caption(std::string text) override;
  bool Visible() const override { return visible_; }
  void Visible(bool value) override;

 private:
  FormModelObserver& observer_;
  std::string caption_;
  bool visible_;
};

// A picture: its visibility changes what the window paints; both it and the text decide the
// picture's tooltip.
class FormImageState final : public FormImage {
 public:
  FormImageState(FormModelObserver& observer, const FormControlDesign& design)
      : observer_(observer), visible_(design.visible) {}
  bool Visible() const override { return visible_; }
  void Visible(bool value) override;
  const std::string& ToolTipText() const override { return tooltip_; }
  void ToolTipText(std::string text) override;

 private:
  FormModelObserver& observer_;
  bool visible_;
  std::string tooltip_;
};

class FormModel {
 public:
  struct Piece {
    const FormControlDesign* design = nullptr;
    Rect pixels;  // in the window's client area
    std::unique_ptr<FormLabelState> label;
    std::unique_ptr<FormImageState> image;
    PicturePtr picture;
    // The container it lies in, as the design resolves its name (null: the window itself).
    const FormControlDesign* inside = nullptr;
    PropertyBag saved;  // a user control's stored properties, without the container's extent
    ControlSurface* window = nullptr;  // a user control's window, once the host placed it
  };

  // Reads the design's pieces; the pictures resolve through `resolver`. Throws FormDesignError
  // for a picture that does not resolve.
  FormModel(const FormDesign& design, const PictureResolver& resolver, FormModelObserver& observer);
  ~FormModel();
  FormModel(const FormModel&) = delete;
  FormModel& operator=(const FormModel&) = delete;

  const FormDesign& design() const { return design_; }
  // The client area in pixels.
  Size ClientPixels() const;
  const std::vector<std::unique_ptr<Piece>>& pieces() const { return pieces_; }

  FormLabel& Label(std::string_view name);
  FormImage& Image(std::string_view name);
  // The user control's piece; throws std::out_of_range naming what is missing.
  Piece& UserControl(std::string_view name);
  ControlHandlers& Control(std::string_view name);
  // The named piece's rectangle in client pixels.
  Rect PixelRect(std::string_view name) const;

  // Paints what the window draws itself onto `dc`, which the host has filled with the window's
  // back colour: pictures and labels lie on their container, frames and user controls are windows
  // above them. A user control is drawn by `draw_control` (the windowless host draws its surface; a
  // real window draws none).
  void Draw(Dc& dc, const std::function<void(Dc&, const Piece&)>& draw_control) const;
  // The visible pictures' tooltips, topmost first; a picture without a text has none.
  std::vector<PictureTip> ToolTips() const;
  // The tooltip of the topmost visible picture at a client point ("" for none).
  std::string ToolTipAt(Point client) const;

  // The design's enabled timers: each one's name, id (its place in the design, counted from 1)
  // and interval.
  struct TimerSpec {
    std::string name;
    std::uintptr_t id;
    int interval;
  };
  std::vector<TimerSpec> Timers() const;
  // The timer's id, 0 for none.
  std::uintptr_t TimerId(std::string_view name) const;

  // The user controls with a tab index, in tab order.
  std::vector<const Piece*> TabOrder() const;
  // The control that should take the focus from `focused` (null for none) on Tab (or
  // Shift+Tab): the next one in tab order that can, wrapping around; null when none can.
  const Piece* NextInTabOrder(const ControlSurface* focused, bool backwards,
                              const std::function<bool(const Piece&)>& can_focus) const;

 private:
  Piece& Find(std::string_view name, FormControlKind kind, const char* kind_name);
  void DrawContainer(Dc& dc, const FormControlDesign* container,
                     const std::function<void(Dc&, const Piece&)>& draw_control) const;

  const FormDesign& design_;
  FormModelObserver& observer_;
  std::vector<std::unique_ptr<Piece>> pieces_;
};

}  // namespace fw
