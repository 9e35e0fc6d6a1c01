#pragma once
// Owning wrappers for GDI and USER handles: each deletes its object when it goes out of scope.
// A GDI object must not be deleted while it is selected into a DC; Win32Dc selects its
// originals back before its handles are destroyed.
#include <memory>
#include <type_traits>

#include "platform/win32/windows_include.h"

namespace fw::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct IconDeleter {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};

template <typename Handle, typename Deleter = GdiObjectDeleter>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using UniqueDc = UniqueHandle<HDC, DcDeleter>;
using UniqueBitmap = UniqueHandle<HBITMAP>;
using UniquePen = UniqueHandle<HPEN>;
using UniqueBrush = UniqueHandle<HBRUSH>;
using UniqueFont = UniqueHandle<HFONT>;
using UniqueRegion = UniqueHandle<HRGN>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;

}  // namespace fw::win32
