// The registry routines against the build's own registry: the Linux store, or Wine's registry.
#include "app/mod_reg.h"

#include <gtest/gtest.h>

#include "tests/app/scratch_registry.h"

namespace fw::app {
namespace {

using fw::testing::kScratchKey;
using fw::testing::ScratchRegistry;

class ModRegTest : public ::testing::Test {
 protected:
  ScratchRegistry scratch;
  Registry& registry = scratch.registry();
};

TEST_F(ModRegTest, WritingTheText4AsDwordStoresTheNumber) {
  RegVariant value = std::string("4");
  ASSERT_TRUE(
      WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Start", value, kRegDword));
  const auto stored = scratch.Get(kHkeyCurrentUser, kScratchKey, "Start");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, kRegDword);
  EXPECT_EQ(stored->bytes, (std::vector<std::uint8_t>{4, 0, 0, 0}));
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Start"),
            RegVariant(std::int32_t{4}));
  // The caller's variable keeps what it held.
  EXPECT_EQ(value, RegVariant(std::string("4")));
}

TEST_F(ModRegTest, NegativeAndLargeDwordsKeepTheirBits) {
  RegVariant value = std::int32_t{-2};
  ASSERT_TRUE(WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "N", value, kRegDword));
  EXPECT_EQ(scratch.Get(kHkeyCurrentUser, kScratchKey, "N")->bytes,
            (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "N"),
            RegVariant(std::int32_t{-2}));
}

TEST_F(ModRegTest, TheEmptyTextIsStoredAsASpaceAndReadBackEmpty) {
  RegVariant value = std::string();
  ASSERT_TRUE(WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Name", value, kRegSz));
  EXPECT_EQ(value, RegVariant(std::string(" ")));
  const auto stored = scratch.Get(kHkeyCurrentUser, kScratchKey, "Name");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, kRegSz);
  EXPECT_EQ(stored->bytes, (std::vector<std::uint8_t>{' ', 0}));
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Name"),
            RegVariant(std::string()));
}

TEST_F(ModRegTest, TextsAreWrittenWithTheirNulAndReadWithoutIt) {
  RegVariant value = std::string("caf\xE9 au lait");
  ASSERT_TRUE(WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "T", value, kRegSz));
  EXPECT_EQ(scratch.Get(kHkeyCurrentUser, kScratchKey, "T")->bytes.size(), 13u);
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "T"),
            RegVariant(std::string("caf\xE9 au lait")));
  // A number written as REG_SZ becomes its digits.
  RegVariant number = std::int32_t{42};
  ASSERT_TRUE(WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "D", number, kRegSz));
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "D"),
            RegVariant(std::string("42")));
}

TEST_F(ModRegTest, WritingToAMissingPathCreatesEveryKeyOfIt) {
  const std::string path = std::string(kScratchKey) + "\\Deeper\\Still";
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, path, "V"), RegVariant());
  RegVariant value = std::string("3");
  ASSERT_TRUE(WriteRegistryValue(registry, kHkeyCurrentUser, path, "V", value, kRegDword));
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, path, "V"), RegVariant(std::int32_t{3}));
  EXPECT_TRUE(CreateRegistryKey(registry, kHkeyCurrentUser, path));
}

TEST_F(ModRegTest, WhatCannotBeReadIsEmpty) {
  scratch.Set(kHkeyCurrentUser, kScratchKey, "Bin", kRegBinary, {1, 2, 3});
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Bin"), RegVariant());
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Missing"), RegVariant());
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, "Software\\FerrowindTests\\Nowhere", "V"),
            RegVariant());
}

TEST_F(ModRegTest, QueryReportsTheStatusAndLeavesTheValueOnFailure) {
  scratch.Set(kHkeyCurrentUser, kScratchKey, "Bin", kRegBinary, {1, 2, 3});
  RegKey key = 0;
  ASSERT_EQ(registry.RegOpenKeyExA(kHkeyCurrentUser, kScratchKey, 0, kKeyRead, &key), 0);
  RegVariant value = std::string("before");
  EXPECT_EQ(QueryRegistryValueData(registry, key, "Bin", value), -1);
  EXPECT_EQ(value, RegVariant(std::string("before")));
  EXPECT_EQ(QueryRegistryValueData(registry, key, "Missing", value), kErrorFileNotFound);
  EXPECT_EQ(value, RegVariant(std::string("before")));
  registry.RegCloseKey(key);
}

// Only REG_SZ and REG_DWORD are written. Any other type is refused as an invalid parameter
// before anything happens: no value, no key, and the caller's variable as it was.
TEST_F(ModRegTest, OtherTypesAreRefusedAndChangeNothing) {
  const std::string missing = std::string(kScratchKey) + "\\Deeper";
  ASSERT_TRUE(CreateRegistryKey(registry, kHkeyCurrentUser, kScratchKey));
  RegKey open = 0;
  ASSERT_EQ(registry.RegOpenKeyExA(kHkeyCurrentUser, kScratchKey, 0, kKeyAllAccessLow, &open),
            kErrorSuccess);
  for (const std::uint32_t type :
       {kRegNone, kRegExpandSz, kRegBinary, 5u, kRegMultiSz, kRegQword, 0xFFFFFFFFu}) {
    SCOPED_TRACE("type " + std::to_string(type));
    RegVariant value = std::string();
    EXPECT_FALSE(WriteRegistryValue(registry, kHkeyCurrentUser, missing, "V", value, type));
    EXPECT_EQ(value, RegVariant(std::string()));
    RegKey key = 0;
    EXPECT_EQ(registry.RegOpenKeyExA(kHkeyCurrentUser, missing, 0, kKeyRead, &key),
              kErrorFileNotFound);
    if (key != 0) registry.RegCloseKey(key);

    EXPECT_EQ(SetRegistryValueData(registry, open, "V", type, std::string("x")),
              kErrorInvalidParameter);
    EXPECT_FALSE(scratch.Get(kHkeyCurrentUser, kScratchKey, "V"));
  }
  registry.RegCloseKey(open);
}

// A REG_SZ reads as its bytes less the terminating NUL; a text stored without one keeps every
// character.
TEST_F(ModRegTest, ATextLosesOnlyItsTerminatingNul) {
  struct Case {
    std::vector<std::uint8_t> stored;
    RegVariant read;
  };
  const std::vector<Case> cases = {
      {{'a', 'b', 'c', 0}, std::string("abc")},
      {{'a', 'b', 'c'}, std::string("abc")},
      {{'4'}, std::string("4")},
      {{0}, std::string()},
      {{}, std::string()},
      {{' ', 0}, std::string()},
      {{' '}, std::string()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored.begin(), c.stored.end()) + " (" +
                 std::to_string(c.stored.size()) + " bytes)");
    scratch.Set(kHkeyCurrentUser, kScratchKey, "T", kRegSz, c.stored);
    EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "T"), c.read);
  }
}

TEST_F(ModRegTest, ATextThatIsNoNumberIsTheCallersFault) {
  RegVariant value = std::string("four");
  EXPECT_THROW(WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "S", value, kRegDword),
               ConversionError);
  EXPECT_FALSE(scratch.Get(kHkeyCurrentUser, kScratchKey, "S"));
}

TEST(VariantConversion, TextsBecomeNumbersAsTheLanguageConvertsThem) {
  EXPECT_EQ(VariantToLong(std::string("4")), 4);
  EXPECT_EQ(VariantToLong(std::string("  -17 ")), -17);
  EXPECT_EQ(VariantToLong(std::string("+8")), 8);
  EXPECT_EQ(VariantToLong(std::string("4.5")), 4);  // halves go to the even neighbour
  EXPECT_EQ(VariantToLong(std::string("5.5")), 6);
  EXPECT_EQ(VariantToLong(std::string("&H10")), 16);
  EXPECT_EQ(VariantToLong(std::string("&HFFFFFFFF")), -1);
  EXPECT_EQ(VariantToLong(std::string("2147483647")), 2147483647);
  EXPECT_EQ(VariantToLong(RegVariant()), 0);
  EXPECT_EQ(VariantToLong(std::int32_t{-5}), -5);
  for (const char* bad : {"", " ", "4x", "&H", "&H123456789", "2147483648", "1e10", "nan"}) {
    EXPECT_THROW(VariantToLong(std::string(bad)), ConversionError) << bad;
  }
}

TEST(VariantConversion, ValuesBecomeText) {
  EXPECT_EQ(VariantToText(RegVariant()), "");
  EXPECT_EQ(VariantToText(std::int32_t{-12}), "-12");
  EXPECT_EQ(VariantToText(std::string("3")), "3");
}

// A user without write access (see ScratchRegistry::RefuseWrites) still reads the value.
TEST_F(ModRegTest, ARegistryThatRefusesWritesIsReadButNotWritten) {
  scratch.SetDword(kHkeyCurrentUser, kScratchKey, "Start", 3);
  const auto refusal = scratch.RefuseWrites(kHkeyCurrentUser, kScratchKey);
  RegVariant value = std::string("4");
  EXPECT_FALSE(
      WriteRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Start", value, kRegDword));
  EXPECT_EQ(ReadRegistryValue(registry, kHkeyCurrentUser, kScratchKey, "Start"),
            RegVariant(std::int32_t{3}));
}

}  // namespace
}  // namespace fw::app
