#pragma once
// The platform's modal message box drawn by the program itself: the layout user32 gives a
// MessageBoxA of a style word (icon, wrapped text, a row of push buttons), its keyboard and
// mouse handling, and its client area in the system look. A desktop host shows it in a window
// of its own titled with the box's title; tests drive it directly.
//
// User-interface thread only, like every window.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi.h"
#include "platform/picture.h"

namespace fw {

// The embedded icon a style word shows ("" for none): error, exclamation and information have
// one each; the question style and no icon show none.
std::string_view MessageBoxIconName(int style);

struct MessageBoxButton {
  int answer = 0;     // kIdOk, kIdYes or kIdNo
  std::string label;  // with its access-key prefix ("&Yes")
  char access_key = 0;
  Rect rect;
};

class MessageBoxView {
 public:
  // Lays the box out with the dialog font. `icon` is the picture MessageBoxIconName names
  // (null: no icon, whatever the style says).
  MessageBoxView(GdiDevice& device, std::string text, int style,
                 std::shared_ptr<const Picture> icon);

  Size ClientSize() const { return client_; }
  const std::vector<MessageBoxButton>& Buttons() const { return buttons_; }
  // Where the icon (empty without one) and the text are drawn, in client pixels.
  Rect IconRect() const { return icon_rect_; }
  Rect TextRect() const { return text_rect_; }
  std::size_t Focused() const { return focused_; }
  // The answer the close box gives: No for Yes/No, OK otherwise.
  int DismissedAnswer() const { return dismissed_; }

  // Keys by virtual-key code. Return answers with the focused button; Escape with the dismissed
  // answer; a button's access key (Y, N) with that button; Tab and the arrow keys move the
  // focus (Shift+Tab backwards); Space presses the focused button and its release answers.
  std::optional<int> KeyDown(int virtual_key, bool shift);
  std::optional<int> KeyUp(int virtual_key);
  // The left mouse button, in client pixels: a press on a button focuses it and pushes it in;
  // the release over the same button answers with it. The button shows pushed only while the
  // mouse is over it.
  void MouseMove(Point at);
  void MouseDown(Point at);
  std::optional<int> MouseUp(Point at);

  // The client area as it looks now.
  std::unique_ptr<Dc> Render() const;
  // Grows whenever the box may look different.
  std::uint64_t Revision() const { return revision_; }

 private:
  std::optional<std::size_t> ButtonAt(Point at) const;
  void Focus(std::size_t index);
  void DrawButton(Dc& dc, std::size_t index) const;

  GdiDevice& device_;
  std::string text_;
  std::shared_ptr<const Picture> icon_;
  std::vector<MessageBoxButton> buttons_;
  Size client_;
  Rect icon_rect_;
  Rect text_rect_;
  int dismissed_ = 0;
  std::size_t focused_ = 0;
  std::optional<std::size_t> mouse_pressed_;  // the button the left mouse button went down on
  bool mouse_over_pressed_ = false;
  bool space_pressed_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace fw
