#pragma once
// The pieces of a Win32Form as the design lists them, with their state at run time (for
// form_window.cpp and form_window_paint.cpp only).
#include <memory>
#include <string>

#include "platform/win32/form_window.h"

namespace fw::win32 {

// A label: setting its text or visibility to a new value repaints the window.
class Win32Form::LabelState final : public FormLabel {
 public:
  LabelState(Win32Form& form, const FormControlDesign& design)
      : form_(form), caption_(design.caption), visible_(design.visible) {}
  const std::string& Caption() const override { return caption_; }
  void Caption(std::string text) override {
    if (text == caption_) return;
    caption_ = std::move(text);
    form_.Changed();
  }
  bool Visible() const override { return visible_; }
  void Visible(bool value) override {
    if (value == visible_) return;
    visible_ = value;
    form_.Changed();
  }

 private:
  Win32Form& form_;
  std::string caption_;
  bool visible_;
};

// A picture: its visibility repaints the window; both decide its tooltip.
class Win32Form::ImageState final : public FormImage {
 public:
  ImageState(Win32Form& form, const FormControlDesign& design)
      : form_(form), visible_(design.visible) {}
  bool Visible() const override { return visible_; }
  void Visible(bool value) override {
    if (value == visible_) return;
    visible_ = value;
    form_.Changed();
    form_.SyncToolTips();
  }
  const std::string& ToolTipText() const override { return tooltip_; }
  void ToolTipText(std::string text) override {
    if (text == tooltip_) return;
    tooltip_ = std::move(text);
    form_.SyncToolTips();
  }

 private:
  Win32Form& form_;
  bool visible_;
  std::string tooltip_;
};

struct Win32Form::Piece {
  const FormControlDesign* design = nullptr;
  Rect pixels;  // in the window's client area
  std::unique_ptr<LabelState> label;
  std::unique_ptr<ImageState> image;
  PicturePtr picture;
  PropertyBag saved;  // a user control's stored properties, without the container's extent
  std::unique_ptr<Win32ControlWindow> control;
};

}  // namespace fw::win32
