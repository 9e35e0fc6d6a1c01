#pragma once
// <windows.h> for the Win32 backend. Include this instead of <windows.h>: it also removes the
// Windows macros whose names the platform interface uses for its own C++ constants and
// functions (platform/color.h and platform/gdi.h spell RGB, COLOR_*, DT_* and the region kinds
// as functions and enumerators; left defined, the macros would rewrite them). The values are
// the same, so code here passes the interface's enumerators straight to GDI.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue

#undef RGN_ERROR
#undef NULLREGION
#undef SIMPLEREGION
#undef COMPLEXREGION

#undef DT_LEFT
#undef DT_CENTER
#undef DT_RIGHT
#undef DT_VCENTER
#undef DT_BOTTOM
#undef DT_WORDBREAK
#undef DT_SINGLELINE
#undef DT_EXPANDTABS
#undef DT_TABSTOP
#undef DT_NOCLIP
#undef DT_EXTERNALLEADING
#undef DT_CALCRECT
#undef DT_NOPREFIX
#undef DT_INTERNAL
#undef DT_EDITCONTROL
#undef DT_PATH_ELLIPSIS
#undef DT_END_ELLIPSIS
#undef DT_MODIFYSTRING
#undef DT_RTLREADING
#undef DT_WORD_ELLIPSIS
#undef DT_NOFULLWIDTHCHARBREAK
#undef DT_HIDEPREFIX
#undef DT_PREFIXONLY

#undef COLOR_SCROLLBAR
#undef COLOR_BACKGROUND
#undef COLOR_ACTIVECAPTION
#undef COLOR_INACTIVECAPTION
#undef COLOR_MENU
#undef COLOR_WINDOW
#undef COLOR_WINDOWFRAME
#undef COLOR_MENUTEXT
#undef COLOR_WINDOWTEXT
#undef COLOR_CAPTIONTEXT
#undef COLOR_ACTIVEBORDER
#undef COLOR_INACTIVEBORDER
#undef COLOR_APPWORKSPACE
#undef COLOR_HIGHLIGHT
#undef COLOR_HIGHLIGHTTEXT
#undef COLOR_BTNFACE
#undef COLOR_BTNSHADOW
#undef COLOR_GRAYTEXT
#undef COLOR_BTNTEXT
#undef COLOR_INACTIVECAPTIONTEXT
#undef COLOR_BTNHIGHLIGHT
#undef COLOR_3DDKSHADOW
#undef COLOR_3DLIGHT
#undef COLOR_INFOTEXT
#undef COLOR_INFOBK
#undef COLOR_HOTLIGHT
#undef COLOR_GRADIENTACTIVECAPTION
#undef COLOR_GRADIENTINACTIVECAPTION
#undef COLOR_MENUHILIGHT
#undef COLOR_MENUBAR
#undef COLOR_DESKTOP
#undef COLOR_3DFACE
#undef COLOR_3DSHADOW
#undef COLOR_3DHIGHLIGHT
#undef COLOR_3DHILIGHT
#undef COLOR_BTNHILIGHT
