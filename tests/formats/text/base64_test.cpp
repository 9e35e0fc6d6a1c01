// Base64 as the property bag's JSON holds picture files: every length round-trips, and
// decoding accepts exactly one form of each byte string.
#include "formats/text/base64.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(Base64Test, RoundTripsEveryLength) {
  std::mt19937 random(7);
  for (std::size_t length = 0; length < 40; ++length) {
    std::vector<std::uint8_t> bytes(length);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    const std::string text = EncodeBase64(bytes);
    EXPECT_EQ(text.size(), (length + 2) / 3 * 4);
    EXPECT_EQ(DecodeBase64(text), bytes) << text;
  }
  EXPECT_EQ(EncodeBase64(Bytes("Man")), "TWFu");
  EXPECT_EQ(EncodeBase64(Bytes("Ma")), "TWE=");
  EXPECT_EQ(EncodeBase64(Bytes("M")), "TQ==");
  const std::vector<std::uint8_t> all{0xFB, 0xFF, 0xBF};
  EXPECT_EQ(EncodeBase64(all), "+/+/");
}

TEST(Base64Test, DecodingIsStrict) {
  for (const char* bad : {"A", "TWE", "TWF=u", "TW=u", "T===", "TR==", "TWF=TWFu", "TWFu\n",
                          " TWFu", "TW-u", "TW_u", "TWE==", "="}) {
    EXPECT_THROW(DecodeBase64(bad), std::invalid_argument) << bad;
  }
  try {
    DecodeBase64("TWFu TWFu");
    FAIL();
  } catch (const std::invalid_argument&) {
  }
  try {
    DecodeBase64("TWFuT*Fu");
    FAIL();
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("'*' at offset 5"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace fw
