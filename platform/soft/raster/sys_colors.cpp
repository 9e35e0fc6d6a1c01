// The soft build's system colours: a fixed table.
//
// The values are the ones Wine 8 reports by default in a fresh prefix (GetSysColor(0..30) after
// `wineboot -i`, which installs Wine's "Light" theme colours), so that the Linux build and the
// Windows build tested under Wine draw with the same colours. tools/gdi/print_sys_colors.cpp
// prints them. Values are COLORREFs, 0x00BBGGRR.
#include <array>

#include "platform/color.h"

namespace fw {
namespace {

constexpr std::array<ColorRef, 31> kWineDefaultSysColors = {
    0xFFFFFF,  //  0 COLOR_SCROLLBAR
    0x956F25,  //  1 COLOR_BACKGROUND (COLOR_DESKTOP)
    0xFA9632,  //  2 COLOR_ACTIVECAPTION
    0x808080,  //  3 COLOR_INACTIVECAPTION
    0xFFFFFF,  //  4 COLOR_MENU
    0xFFFFFF,  //  5 COLOR_WINDOW
    0x9E9E9E,  //  6 COLOR_WINDOWFRAME
    0x000000,  //  7 COLOR_MENUTEXT
    0x000000,  //  8 COLOR_WINDOWTEXT
    0x000000,  //  9 COLOR_CAPTIONTEXT
    0xFFFFFF,  // 10 COLOR_ACTIVEBORDER
    0xFFFFFF,  // 11 COLOR_INACTIVEBORDER
    0x808080,  // 12 COLOR_APPWORKSPACE
    0xFA9630,  // 13 COLOR_HIGHLIGHT
    0xFFFFFF,  // 14 COLOR_HIGHLIGHTTEXT
    0xF5F5F5,  // 15 COLOR_BTNFACE (COLOR_3DFACE)
    0xA6A6A6,  // 16 COLOR_BTNSHADOW (COLOR_3DSHADOW)
    0xA6A6A6,  // 17 COLOR_GRAYTEXT
    0x000000,  // 18 COLOR_BTNTEXT
    0xC8C8C8,  // 19 COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF,  // 20 COLOR_BTNHIGHLIGHT (COLOR_3DHILIGHT)
    0x6A6A6A,  // 21 COLOR_3DDKSHADOW
    0xE3E3E3,  // 22 COLOR_3DLIGHT
    0x000000,  // 23 COLOR_INFOTEXT
    0xFFFFFF,  // 24 COLOR_INFOBK
    0xFFFFFF,  // 25 (no name; COLOR_ALTERNATEBTNFACE in old headers)
    0xE0E0E0,  // 26 COLOR_HOTLIGHT
    0xFA9632,  // 27 COLOR_GRADIENTACTIVECAPTION
    0x808080,  // 28 COLOR_GRADIENTINACTIVECAPTION
    0xFA9630,  // 29 COLOR_MENUHILIGHT
    0xFFFFFF,  // 30 COLOR_MENUBAR
};

}  // namespace

ColorRef GetSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(kWineDefaultSysColors.size())) return 0;
  return kWineDefaultSysColors[static_cast<std::size_t>(index)];
}

}  // namespace fw
