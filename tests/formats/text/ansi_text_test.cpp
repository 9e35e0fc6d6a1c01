// Windows-1252's case pairs, which the registry's names and vbButton's access keys go by.
#include "formats/text/ansi_text.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace fw {
namespace {

TEST(AnsiCaseTest, UpperAndLowerCaseAreEachOthersInverseOnTheCasePairs) {
  std::set<std::pair<unsigned, unsigned>> pairs;
  for (unsigned byte = 0; byte < 256; ++byte) {
    const auto b = static_cast<unsigned char>(byte);
    if (AnsiToUpper(b) != b) {
      EXPECT_EQ(AnsiToLower(AnsiToUpper(b)), b) << byte;
      pairs.emplace(AnsiToUpper(b), byte);
    }
    if (AnsiToLower(b) != b) {
      EXPECT_EQ(AnsiToUpper(AnsiToLower(b)), b) << byte;
    }
  }
  // 26 ASCII letters, 30 Latin-1 letters, Š Œ Ž and Ÿ.
  EXPECT_EQ(pairs.size(), 26u + 30u + 4u);
  EXPECT_EQ(AnsiToUpper('q'), 'Q');
  EXPECT_EQ(AnsiToUpper(0xE9), 0xC9);  // é
  EXPECT_EQ(AnsiToUpper(0xFF), 0x9F);  // ÿ
  EXPECT_EQ(AnsiToLower(0x8A), 0x9A);  // Š
  for (const unsigned same : {0xD7u, 0xF7u, 0xDFu, 0xB5u, 0x80u, 0x40u, 0x5Bu}) {
    const auto b = static_cast<unsigned char>(same);
    EXPECT_EQ(AnsiToUpper(b), b) << same;
    EXPECT_EQ(AnsiToLower(b), b) << same;
  }
}

}  // namespace
}  // namespace fw
