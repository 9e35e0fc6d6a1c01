// The draw routine once the draw rule has passed: the background, the look of the ButtonType
// for the branch (up, hover, down or disabled) and the picture; and the looks that are a caption
// with rings of bevel lines around it (ButtonType 1, 2, 6, 7, 8, 10, 12) or an ellipse (13).
#include "controls/vbbutton/vbbutton.h"
#include "platform/scope_exit.h"

namespace fw {

void vbButton::DrawFace(std::uint8_t state) {
  window_.Cls();
  // With the custom scheme the hover look is drawn entirely from BackOver.
  const bool swapped = f_.mouse_over && f_.color_scheme == vbbutton::kSchemeCustom;
  const ColorValue remembered = f_.back_color;
  if (swapped) {
    f_.back_color = f_.back_over;
    ApplyColorScheme();
  }
  // The colours go back however the draw ends.
  const ScopeExit colors_back([this, swapped, remembered] {
    if (!swapped) return;
    f_.back_color = remembered;
    ApplyColorScheme();
  });
  Canvas().Fill(0, 0, f_.width, f_.height, f_.colors.face);
  const Branch branch = !f_.enabled      ? Branch::kDisabled
                        : state == kUp   ? Branch::kUp
                        : state == kDown ? Branch::kDown
                                         : Branch::kNone;
  if (branch == Branch::kNone) return;
  const bool known_type = f_.button_type >= 1 && f_.button_type <= 14;
  if (known_type) DrawLook(branch);
  const int look = !known_type || branch == Branch::kDisabled ? 2 : branch == Branch::kDown ? 1 : 0;
  DrawPicture(look);
}

void vbButton::DrawLook(Branch branch) {
  switch (f_.button_type) {
    case 3:
      Look3(branch);
      break;
    case 4:
      Look4(branch);
      break;
    case 5:
      Look5(branch);
      break;
    case 9:
      Look9(branch);
      break;
    case 10:
      break;  // the background alone
    case 11:
      Look11(branch);
      break;
    case 13:
      Look13(branch);
      break;
    case 14:
      Look14(branch);
      break;
    default:
      LookBevelled(branch);
      break;
  }
}

void vbButton::FocusRect() {
  if (!f_.show_focus_rect || !f_.focus) return;
  dc().SetTextColor(f_.colors.text);
  dc().DrawFocusRect(f_.content);
}

// ButtonType 1, 2, 6, 7, 8 and 12.
void vbButton::LookBevelled(Branch branch) {
  const vbbutton::SchemeColors& c = f_.colors;
  vbbutton::FaceCanvas canvas = Canvas();
  const int w = f_.width;
  const int h = f_.height;
  const std::uint8_t up_mode = f_.mouse_over ? 1 : 0;
  const bool default_look = f_.show_focus_rect && DisplayAsDefault();
  const ColorRef l8 = Shade(c.light, 8);
  switch (f_.button_type) {
    case 1:
      if (branch == Branch::kUp) {
        DrawCaption(up_mode);
        canvas.Bevel(c.highlight, c.shadow, c.highlight, c.shadow, -1);
        canvas.Frame(0, 0, w, h, c.dark_shadow);
        FocusRect();
      } else if (branch == Branch::kDown) {
        DrawCaption(2);
        canvas.Bevel(c.shadow, c.highlight, c.shadow, c.highlight, -1);
        canvas.Frame(0, 0, w, h, c.dark_shadow);
        FocusRect();
      } else {
        DrawCaption(3);
        canvas.Bevel(c.highlight, c.shadow, c.highlight, c.shadow, -1);
        canvas.Frame(0, 0, w, h, c.dark_shadow);
      }
      break;
    case 2:
      if (branch == Branch::kUp) {
        DrawCaption(up_mode);
        if (default_look) {
          canvas.Bevel(c.highlight, c.dark_shadow, c.light, c.shadow, -1);
          FocusRect();
          canvas.Frame(0, 0, w, h, c.dark_shadow);
        } else {
          canvas.Bevel(c.highlight, c.dark_shadow, c.light, c.shadow, 0);
        }
      } else if (branch == Branch::kDown) {
        DrawCaption(2);
        if (default_look) {
          canvas.Frame(0, 0, w, h, c.dark_shadow);
          canvas.Frame(1, 1, w - 2, h - 2, c.shadow);
          FocusRect();
        } else {
          canvas.Bevel(c.dark_shadow, c.highlight, c.shadow, c.light, 0);
        }
      } else {
        DrawCaption(3);
        canvas.Bevel(c.highlight, c.dark_shadow, c.light, c.shadow, 0);
      }
      break;
    case 6:
      if (branch == Branch::kUp) {
        DrawCaption(up_mode);
        canvas.Bevel(l8, c.shadow, l8, c.shadow, 0);
        FocusRect();
      } else if (branch == Branch::kDown) {
        DrawCaption(2);
        canvas.Bevel(c.shadow, l8, c.shadow, l8, 0);
        FocusRect();
      } else {
        DrawCaption(4);
        canvas.Bevel(l8, c.shadow, l8, c.shadow, 0);
      }
      break;
    case 7:
    case 8:
      if (branch == Branch::kUp) {
        DrawCaption(up_mode);
        if (f_.button_type == 7 || f_.mouse_over) {
          canvas.Bevel(c.highlight, c.shadow, 0, 0, 0, /*outer_only=*/true);
        }
        FocusRect();
      } else if (branch == Branch::kDown) {
        DrawCaption(2);
        canvas.Bevel(c.shadow, c.highlight, 0, 0, 0, /*outer_only=*/true);
        FocusRect();
      } else {
        DrawCaption(3);
        if (f_.button_type == 7) canvas.Bevel(c.highlight, c.shadow, 0, 0, 0, true);
      }
      break;
    case 12:
      if (branch == Branch::kUp) {
        DrawCaption(up_mode);
        if (f_.mouse_over) canvas.Bevel(c.highlight, c.dark_shadow, c.light, c.shadow, 0);
        FocusRect();
      } else if (branch == Branch::kDown) {
        DrawCaption(2);
        canvas.Bevel(c.dark_shadow, c.highlight, c.shadow, c.light, 0);
        FocusRect();
      } else {
        DrawCaption(3);
      }
      break;
    default:
      break;
  }
}

void vbButton::Look13(Branch branch) {
  const vbbutton::SchemeColors& c = f_.colors;
  vbbutton::FaceCanvas canvas = Canvas();
  if (branch == Branch::kUp) {
    canvas.Ellipse(0, 0, f_.width, f_.height, f_.mouse_over ? c.shadow : c.face, c.face);
    DrawCaption(f_.mouse_over ? 1 : 0);
  } else if (branch == Branch::kDown) {
    canvas.Ellipse(0, 0, f_.width, f_.height, c.dark_shadow, Shade(c.face, -32));
    DrawCaption(2);
  } else {
    DrawCaption(3);
  }
}

// The captured background behind the control, with the caption over it.
void vbButton::Look11(Branch branch) {
  if (f_.background != nullptr) dc().BitBlt(0, 0, f_.width, f_.height, *f_.background, 0, 0);
  if (branch == Branch::kUp) {
    DrawCaption(f_.mouse_over ? 1 : 0);
    FocusRect();
  } else if (branch == Branch::kDown) {
    DrawCaption(2);
    FocusRect();
  } else {
    DrawCaption(3);
  }
}

}  // namespace fw
