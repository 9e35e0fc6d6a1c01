#pragma once
// Files built into the program: the icon, the padlock bitmaps, the hand cursor and the main
// window's design. Both builds embed the same bytes (app/res/CMakeLists.txt lists the files),
// so a name finds the same file everywhere. (Not called FindResource: <windows.h> defines that
// name as a macro.)
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace fw {

// The bytes of the resource whose file name is `name` ("hand.cur", "padlock_closed.bmp"...),
// letter case ignored; nothing for an unknown name. The bytes live as long as the program.
std::optional<std::span<const std::uint8_t>> ResourceBytes(std::string_view name);

// The names of every resource, as listed when they were embedded.
std::vector<std::string_view> ResourceNames();

}  // namespace fw
