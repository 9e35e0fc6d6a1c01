#include "tools/assets/hand_cursor_art.h"

#include <array>
#include <string_view>

#include "tools/assets/pixel_art.h"

namespace fw::assets {

image::Image HandCursorImage() {
  static constexpr std::array<std::string_view, 32> kRows{
      // 0123456789012345678901234567890
      "..........BBBB..................",  //  0
      ".........BWWWWB.................",  //  1
      ".........BWWWWB.................",  //  2
      ".........BWWWWB.................",  //  3
      ".........BWWWWB.................",  //  4
      ".........BWWWWB.................",  //  5
      ".........BWWWWB.................",  //  6
      ".........BWWWWB.................",  //  7
      ".........BWWWWBBBB..............",  //  8
      ".........BWWWWBWWWBBBB..........",  //  9
      ".........BWWWWBWWWBWWWBBBB......",  // 10
      ".........BWWWWBWWWBWWWBWWWB.....",  // 11
      "...BBB...BWWWWBWWWBWWWBWWWB.....",  // 12
      "..BWWWB..BWWWWBWWWBWWWBWWWB.....",  // 13
      "..BWWWWB.BWWWWWWWWWWWWWWWWB.....",  // 14
      "..BWWWWWBBWWWWWWWWWWWWWWWWB.....",  // 15
      "...BWWWWWBWWWWWWWWWWWWWWWWB.....",  // 16
      "...BWWWWWWWWWWWWWWWWWWWWWWB.....",  // 17
      "....BWWWWWWWWWWWWWWWWWWWWWB.....",  // 18
      ".....BWWWWWWWWWWWWWWWWWWWWB.....",  // 19
      "......BWWWWWWWWWWWWWWWWWWWB.....",  // 20
      ".......BWWWWWWWWWWWWWWWWWB......",  // 21
      "........BWWWWWWWWWWWWWWWWB......",  // 22
      ".........BWWWWWWWWWWWWWWB.......",  // 23
      "..........BWWWWWWWWWWWWWB.......",  // 24
      "..........BWWWWWWWWWWWWWB.......",  // 25
      "..........BBBBBBBBBBBBBBB.......",  // 26
      "..........BWWWWWWWWWWWWWB.......",  // 27
      "..........BWWWWWWWWWWWWWB.......",  // 28
      "..........BBBBBBBBBBBBBBB.......",  // 29
      "................................",  // 30
      "................................",  // 31
  };
  static constexpr std::array<PixelKey, 2> kKeys{{{'B', 0x000000}, {'W', 0xFFFFFF}}};
  return PixelArt(kRows, kKeys);
}

}  // namespace fw::assets
