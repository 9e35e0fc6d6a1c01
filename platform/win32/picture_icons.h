#pragma once
// USER cursors and icons made from the program's pictures: a control's MouseIcon as the cursor
// over its window and the window's icon from its icon file; the system cursors by id.
#include <cstdint>
#include <span>

#include "platform/picture.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/user_handles.h"

namespace fw::win32 {

// The shared system cursor `id` (IDC_*; LoadCursorA with no module), never destroyed.
HCURSOR LoadSystemCursor(int id);

// A cursor of the picture's mask and colours, its hot spot the picture's (a cursor file's own,
// {0, 0} for icons and bitmaps). Null when user32 cannot make it.
UniqueCursor CursorFromPicture(const Picture& picture);

// An icon of the picture's mask and colours; null when user32 cannot make it.
UniqueIcon IconFromPicture(const Picture& picture);

// The image of an icon file that fits `size` x `size` best (that size exactly with the most
// bits per pixel, else the nearest larger, else the largest), made into an icon of that size.
// Null for a file that is not an icon file or whose chosen image user32 cannot read.
UniqueIcon IconFromIcoFile(std::span<const std::uint8_t> file, int size);

}  // namespace fw::win32
