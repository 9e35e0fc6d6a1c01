#pragma once
// How many GDI and USER objects the process holds. Windows answers GetGuiResources; Wine 8
// does not implement it (it answers 0 with ERROR_CALL_NOT_IMPLEMENTED), so there the objects are
// counted where Wine keeps them:
//   GDI   the process's GDI handle table, which Wine (like Windows) publishes through the PEB's
//         GdiSharedHandleTable: 65536 entries of 24 bytes, an entry in use when its type byte
//         (offset 14) is not 0;
//   USER  the windows of this thread (EnumThreadWindows and their children), and the cursors
//         and icons: every USER handle index probed with GetIconInfo (a handle whose upper word
//         is 0 names an index whatever its generation).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/win32/windows_include.h"

namespace fw::win32::testing {

struct GuiObjects {
  long gdi = 0;
  long user = 0;
  std::string method;  // "GetGuiResources" or "handle tables"
};

namespace detail {

inline long CountGdiHandleTable() {
  // GdiSharedHandleTable lies at offset 0xF8 of the 64-bit PEB, which ntdll hands out.
  using GetPeb = void*(WINAPI*)();
  const auto get_peb = reinterpret_cast<GetPeb>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb")));
  if (get_peb == nullptr) return -1;
  const auto* peb = static_cast<const unsigned char*>(get_peb());
  const unsigned char* table = nullptr;
  std::memcpy(&table, peb + 0xF8, sizeof table);
  if (table == nullptr) return -1;
  constexpr std::size_t kEntries = 0x10000;
  constexpr std::size_t kEntrySize = 24;
  constexpr std::size_t kTypeOffset = 14;
  long count = 0;
  for (std::size_t i = 0; i < kEntries; ++i)
    count += table[i * kEntrySize + kTypeOffset] != 0 ? 1 : 0;
  return count;
}

inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  ::EnumChildWindows(window, CountChild, count);
  return TRUE;
}

inline long CountUserObjects() {
  long count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  // USER handles are (index * 2 + 0x20) for index 0 .. 32719.
  for (std::uintptr_t index = 0; index < 32720; ++index) {
    const auto handle = reinterpret_cast<HICON>(index * 2 + 0x20);
    ICONINFO info{};
    if (::GetIconInfo(handle, &info) == FALSE) continue;
    ++count;
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  }
  return count;
}

}  // namespace detail

inline GuiObjects CountGuiObjects() {
  ::SetLastError(0);
  const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (gdi != 0 || user != 0)
    return {static_cast<long>(gdi), static_cast<long>(user), "GetGuiResources"};
  return {detail::CountGdiHandleTable(), detail::CountUserObjects(), "handle tables"};
}

}  // namespace fw::win32::testing
