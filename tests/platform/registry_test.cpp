// The build's registry through the platform interface: under Wine, advapi32 and Wine's real
// registry; on Linux, the registry store in a scratch file. The same assertions hold for both,
// so the store is checked against the real thing. Every test works below
// HKCU\Software\FerrowindTests\<random> and deletes what it made.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#ifndef _WIN32
#include "tests/platform/registry_store/scratch_dir.h"
#endif

namespace fw {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}
std::vector<std::uint8_t> WithNul(std::string_view text) {
  std::vector<std::uint8_t> bytes = Bytes(text);
  bytes.push_back(0);
  return bytes;
}
std::vector<std::uint8_t> Dword(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

struct Queried {
  RegStatus status = -1;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    scratch_ = std::make_unique<soft::test::ScratchDir>();
    ::setenv("FERROWIND_REGISTRY", (*scratch_ / "registry.reg").c_str(), 1);
#endif
    registry_ = CreatePlatformRegistry();
    std::random_device seed;
    base_ = "Software\\FerrowindTests\\" + std::to_string(seed()) + std::to_string(seed());
    RegKey key = 0;
    ASSERT_EQ(
        registry_->RegCreateKeyExA(kHkeyCurrentUser, base_, 0, kKeyAllAccessLow, &key, nullptr),
        kErrorSuccess);
    EXPECT_EQ(registry_->RegCloseKey(key), kErrorSuccess);
  }

  void TearDown() override {
    std::sort(made_.begin(), made_.end(), [](const std::string& a, const std::string& b) {
      return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
    });
    for (const std::string& path : made_) registry_->RegDeleteKeyA(kHkeyCurrentUser, path);
    EXPECT_EQ(registry_->RegDeleteKeyA(kHkeyCurrentUser, base_), kErrorSuccess);
    registry_->RegDeleteKeyA(kHkeyCurrentUser, "Software\\FerrowindTests");  // when empty
#ifndef _WIN32
    ::unsetenv("FERROWIND_REGISTRY");
#endif
  }

  // The path of `sub` below the test's key; every key under it is deleted after the test.
  std::string Path(const std::string& sub) {
    std::string path = base_;
    std::size_t start = 0;
    while (start < sub.size()) {
      const std::size_t end = std::min(sub.find('\\', start), sub.size());
      path += "\\" + sub.substr(start, end - start);
      made_.push_back(path);
      start = end + 1;
    }
    return path;
  }

  RegKey Create(const std::string& sub, std::uint32_t access = kKeyAllAccessLow,
                std::uint32_t* disposition = nullptr) {
    RegKey key = 0;
    EXPECT_EQ(registry_->RegCreateKeyExA(kHkeyCurrentUser, Path(sub), 0, access, &key, disposition),
              kErrorSuccess);
    EXPECT_NE(key, 0u);
    return key;
  }

  RegStatus Open(const std::string& sub, std::uint32_t access, RegKey* key) {
    return registry_->RegOpenKeyExA(kHkeyCurrentUser, base_ + (sub.empty() ? "" : "\\" + sub), 0,
                                    access, key);
  }

  // A value read the way the program reads one: its size first, then its bytes.
  Queried Query(RegKey key, std::string_view name) {
    Queried result;
    std::uint32_t size = 0;
    result.status = registry_->RegQueryValueExA(key, name, &result.type, nullptr, &size);
    if (result.status != kErrorSuccess) return result;
    result.data.resize(size);
    result.status = registry_->RegQueryValueExA(key, name, &result.type, result.data.data(), &size);
    result.data.resize(size);
    return result;
  }

  void Close(RegKey key) {
    EXPECT_EQ(registry_->RegCloseKey(key), kErrorSuccess);
  }

#ifndef _WIN32
  std::unique_ptr<soft::test::ScratchDir> scratch_;
#endif
  std::unique_ptr<Registry> registry_;
  std::string base_;
  std::vector<std::string> made_;
};

TEST_F(RegistryTest, TheProgramsLockAndReadBack) {
  // CreateRegistryKey, then WriteRegistryValue's open and set, as the program makes them.
  const std::string usbstor = Path("SYSTEM\\CurrentControlSet\\Services\\USBSTOR");
  RegKey key = 0;
  std::uint32_t disposition = 0;
  ASSERT_EQ(registry_->RegCreateKeyExA(kHkeyCurrentUser, usbstor, 0, kKeyAllAccessLow, &key,
                                       &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  Close(key);
  ASSERT_EQ(registry_->RegOpenKeyExA(kHkeyCurrentUser, usbstor, 0, kKeyAllAccessLow, &key),
            kErrorSuccess);
  ASSERT_EQ(registry_->RegSetValueExA(key, "Start", kRegDword, Dword(4)), kErrorSuccess);
  Close(key);
  // ReadRegistryValue: the type and size first, then the four bytes.
  ASSERT_EQ(registry_->RegOpenKeyExA(kHkeyCurrentUser, usbstor, 0, kKeyAllAccessLow, &key),
            kErrorSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(registry_->RegQueryValueExA(key, "Start", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(size, 4u);
  std::uint32_t value = 0;
  ASSERT_EQ(registry_->RegQueryValueExA(key, "Start", &type,
                                        reinterpret_cast<std::uint8_t*>(&value), &size),
            kErrorSuccess);
  EXPECT_EQ(value, 4u);
  Close(key);
  // Creating it again opens what is there.
  ASSERT_EQ(registry_->RegCreateKeyExA(kHkeyCurrentUser, usbstor, 0, kKeyAllAccessLow, &key,
                                       &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  EXPECT_EQ(Query(key, "Start").data, Dword(4));
  Close(key);
}

TEST_F(RegistryTest, CreatingAPathMakesEveryMissingKey) {
  std::uint32_t disposition = 0;
  Close(Create("A", kKeyAllAccessLow, &disposition));
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  Close(Create("A\\B\\C", kKeyAllAccessLow, &disposition));
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  for (const char* path : {"A", "A\\B", "A\\B\\C", "a\\b\\c"}) {
    RegKey key = 0;
    EXPECT_EQ(Open(path, kKeyRead, &key), kErrorSuccess) << path;
    Close(key);
  }
}

TEST_F(RegistryTest, AMissingKeyIsNotFoundAndItsHandleNull) {
  RegKey key = 12345;
  EXPECT_EQ(Open("Missing", kKeyRead, &key), kErrorFileNotFound);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(registry_->RegOpenKeyExA(kHkeyCurrentUser, base_ + "\\Missing", 0, kKeyRead, nullptr),
            kErrorInvalidParameter);
  EXPECT_EQ(registry_->RegCreateKeyExA(kHkeyCurrentUser, base_, 0, kKeyRead, nullptr, nullptr),
            kErrorBadKey);
}

TEST_F(RegistryTest, TextsKeepTheBytesTheyWereGiven) {
  const RegKey key = Create("Texts");
  // With its NUL, as the program writes them: the size counts the NUL.
  ASSERT_EQ(registry_->RegSetValueExA(key, "Status", kRegSz, WithNul("Locked")), kErrorSuccess);
  EXPECT_EQ(Query(key, "Status").data, WithNul("Locked"));
  EXPECT_EQ(Query(key, "Status").type, kRegSz);
  // Without one. The bytes come from a string, which has a NUL right after them: it is not
  // taken in.
  const std::string abc = "abc";
  ASSERT_EQ(registry_->RegSetValueExA(
                key, "Bare", kRegSz,
                std::span(reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size())),
            kErrorSuccess);
  EXPECT_EQ(Query(key, "Bare").data, Bytes("abc"));
  // A buffer with room gets a NUL after them that the size does not count ...
  std::array<std::uint8_t, 8> buffer;
  buffer.fill(0xEE);
  std::uint32_t size = buffer.size();
  ASSERT_EQ(registry_->RegQueryValueExA(key, "Bare", nullptr, buffer.data(), &size), kErrorSuccess);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(buffer[3], 0);
  EXPECT_EQ(buffer[4], 0xEE);
  // ... a buffer without room does not.
  buffer.fill(0xEE);
  size = 3;
  ASSERT_EQ(registry_->RegQueryValueExA(key, "Bare", nullptr, buffer.data(), &size), kErrorSuccess);
  EXPECT_EQ(buffer[3], 0xEE);
  // The empty text, an embedded NUL, and Windows-1252 letters.
  ASSERT_EQ(registry_->RegSetValueExA(key, "Empty", kRegSz, {}), kErrorSuccess);
  EXPECT_EQ(Query(key, "Empty").data.size(), 0u);
  EXPECT_EQ(Query(key, "Empty").status, kErrorSuccess);
  const std::vector<std::uint8_t> embedded = Bytes(std::string_view("a\0b\0", 4));
  ASSERT_EQ(registry_->RegSetValueExA(key, "Embedded", kRegSz, embedded), kErrorSuccess);
  EXPECT_EQ(Query(key, "Embedded").data, embedded);
  ASSERT_EQ(registry_->RegSetValueExA(key, "Latin", kRegSz, WithNul("caf\xE9 \x80")),
            kErrorSuccess);
  EXPECT_EQ(Query(key, "Latin").data, WithNul("caf\xE9 \x80"));
  Close(key);
}

TEST_F(RegistryTest, ATooSmallBufferGetsMoreDataAndTheSizeNeeded) {
  const RegKey key = Create("Sizes");
  ASSERT_EQ(registry_->RegSetValueExA(key, "Text", kRegSz, WithNul("Un-Locked")), kErrorSuccess);
  ASSERT_EQ(registry_->RegSetValueExA(key, "Bin", kRegBinary, Bytes("0123456789")), kErrorSuccess);
  for (const char* name : {"Text", "Bin"}) {
    std::array<std::uint8_t, 4> buffer{0xEE, 0xEE, 0xEE, 0xEE};
    std::uint32_t size = buffer.size();
    std::uint32_t type = 0;
    EXPECT_EQ(registry_->RegQueryValueExA(key, name, &type, buffer.data(), &size), kErrorMoreData);
    EXPECT_EQ(size, 10u) << name;
    EXPECT_EQ(type, std::string(name) == "Text" ? kRegSz : kRegBinary);
  }
  // Without a buffer: the type and size; without a size as well: the type alone.
  std::uint32_t type = 0;
  EXPECT_EQ(registry_->RegQueryValueExA(key, "Text", &type, nullptr, nullptr), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  std::uint8_t byte = 0;
  EXPECT_EQ(registry_->RegQueryValueExA(key, "Text", &type, &byte, nullptr),
            kErrorInvalidParameter);
  Close(key);
}

TEST_F(RegistryTest, EveryTypeKeepsItsBytes) {
  const RegKey key = Create("Types");
  std::vector<std::uint8_t> large(70000);
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 31);
  const std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> values = {
      {kRegDword, Dword(0xFFFFFFFF)},
      {kRegDword, {1, 2}},  // a DWORD of the wrong size is kept as given
      {kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}},
      {kRegBinary, large},
      {kRegBinary, {}},
      {kRegNone, {0, 0xFF}},
      {kRegExpandSz, WithNul("%SystemRoot%\\x")},
      {kRegMultiSz, Bytes(std::string_view("one\0two\0\0", 9))},
  };
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string name = "V" + std::to_string(i);
    ASSERT_EQ(registry_->RegSetValueExA(key, name, values[i].first, values[i].second),
              kErrorSuccess);
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Queried got = Query(key, "V" + std::to_string(i));
    EXPECT_EQ(got.status, kErrorSuccess);
    EXPECT_EQ(got.type, values[i].first) << i;
    EXPECT_EQ(got.data, values[i].second) << i;
  }
  // A value set again takes its new type and bytes.
  ASSERT_EQ(registry_->RegSetValueExA(key, "V0", kRegSz, WithNul("4")), kErrorSuccess);
  EXPECT_EQ(Query(key, "V0").type, kRegSz);
  EXPECT_EQ(Query(key, "V0").data, WithNul("4"));
  Close(key);
}

TEST_F(RegistryTest, NamesCompareWithoutCaseAndTheEmptyNameIsTheDefault) {
  const RegKey key = Create("Names\\MixedCase");
  ASSERT_EQ(registry_->RegSetValueExA(key, "Start", kRegDword, Dword(3)), kErrorSuccess);
  EXPECT_EQ(Query(key, "START").data, Dword(3));
  ASSERT_EQ(registry_->RegSetValueExA(key, "start", kRegDword, Dword(4)), kErrorSuccess);
  EXPECT_EQ(Query(key, "Start").data, Dword(4));
  ASSERT_EQ(registry_->RegSetValueExA(key, "", kRegSz, WithNul("default")), kErrorSuccess);
  EXPECT_EQ(Query(key, "").data, WithNul("default"));
  RegKey again = 0;
  ASSERT_EQ(Open("NAMES\\mixedcase", kKeyRead, &again), kErrorSuccess);
  EXPECT_EQ(Query(again, "start").data, Dword(4));
  Close(again);
  Close(key);
}

TEST_F(RegistryTest, DeletedValuesAndKeysAreGone) {
  const RegKey key = Create("Doomed\\Leaf");
  ASSERT_EQ(registry_->RegSetValueExA(key, "Start", kRegDword, Dword(4)), kErrorSuccess);
  EXPECT_EQ(registry_->RegDeleteValueA(key, "start"), kErrorSuccess);
  EXPECT_EQ(Query(key, "Start").status, kErrorFileNotFound);
  EXPECT_EQ(registry_->RegDeleteValueA(key, "Start"), kErrorFileNotFound);
  Close(key);
  // A key with subkeys stays; its leaf goes first.
  EXPECT_EQ(registry_->RegDeleteKeyA(kHkeyCurrentUser, base_ + "\\Doomed"), kErrorAccessDenied);
  EXPECT_EQ(registry_->RegDeleteKeyA(kHkeyCurrentUser, base_ + "\\doomed\\LEAF"), kErrorSuccess);
  EXPECT_EQ(registry_->RegDeleteKeyA(kHkeyCurrentUser, base_ + "\\Doomed\\Leaf"),
            kErrorFileNotFound);
  RegKey parent = 0;
  ASSERT_EQ(Open("", kKeyAllAccessLow, &parent), kErrorSuccess);
  EXPECT_EQ(registry_->RegDeleteKeyA(parent, "Doomed"), kErrorSuccess);
  Close(parent);
  RegKey gone = 0;
  EXPECT_EQ(Open("Doomed", kKeyRead, &gone), kErrorFileNotFound);
}

TEST_F(RegistryTest, AHandleToADeletedKeyAnswersKeyDeleted) {
  const RegKey key = Create("Vanishing");
  ASSERT_EQ(registry_->RegSetValueExA(key, "Start", kRegDword, Dword(4)), kErrorSuccess);
  ASSERT_EQ(registry_->RegDeleteKeyA(kHkeyCurrentUser, base_ + "\\Vanishing"), kErrorSuccess);
  EXPECT_EQ(Query(key, "Start").status, kErrorKeyDeleted);
  EXPECT_EQ(registry_->RegSetValueExA(key, "Start", kRegDword, Dword(3)), kErrorKeyDeleted);
  Close(key);
}

TEST_F(RegistryTest, HandlesAreValidUntilClosed) {
  const RegKey key = Create("Handles");
  Close(key);
  EXPECT_EQ(registry_->RegCloseKey(key), kErrorInvalidHandle);
  EXPECT_EQ(Query(key, "Start").status, kErrorInvalidHandle);
  EXPECT_EQ(registry_->RegSetValueExA(key, "Start", kRegDword, Dword(4)), kErrorInvalidHandle);
  EXPECT_EQ(registry_->RegCloseKey(0), kErrorInvalidHandle);
  // The predefined roots need no closing, and closing them is harmless.
  EXPECT_EQ(registry_->RegCloseKey(kHkeyLocalMachine), kErrorSuccess);
  RegKey root = 0;
  EXPECT_EQ(registry_->RegOpenKeyExA(kHkeyCurrentUser, "", 0, kKeyRead, &root), kErrorSuccess);
  EXPECT_EQ(root, kHkeyCurrentUser);
  // Two handles to one key are independent.
  RegKey first = 0;
  RegKey second = 0;
  ASSERT_EQ(Open("Handles", kKeyAllAccessLow, &first), kErrorSuccess);
  ASSERT_EQ(registry_->RegOpenKeyExA(first, "", 0, kKeyAllAccessLow, &second), kErrorSuccess);
  EXPECT_NE(first, second);
  Close(first);
  EXPECT_EQ(registry_->RegSetValueExA(second, "Start", kRegDword, Dword(4)), kErrorSuccess);
  Close(second);
}

TEST_F(RegistryTest, AHandleAllowsWhatItWasOpenedFor) {
  Close(Create("Rights"));
  RegKey reader = 0;
  ASSERT_EQ(Open("Rights", kKeyRead, &reader), kErrorSuccess);
  EXPECT_EQ(registry_->RegSetValueExA(reader, "Start", kRegDword, Dword(4)), kErrorAccessDenied);
  EXPECT_EQ(registry_->RegDeleteValueA(reader, "Start"), kErrorAccessDenied);
  RegKey writer = 0;
  ASSERT_EQ(Open("Rights", kKeySetValue, &writer), kErrorSuccess);
  EXPECT_EQ(registry_->RegSetValueExA(writer, "Start", kRegDword, Dword(4)), kErrorSuccess);
  EXPECT_EQ(Query(writer, "Start").status, kErrorAccessDenied);
  EXPECT_EQ(Query(reader, "Start").data, Dword(4));
  Close(writer);
  Close(reader);
}

TEST_F(RegistryTest, SubKeyPathsReadAsWineReadsThem) {
  Close(Create("Paths\\Inner"));
  RegKey key = 0;
  EXPECT_EQ(registry_->RegOpenKeyExA(kHkeyCurrentUser, "\\" + base_, 0, kKeyRead, &key),
            kErrorBadPathname);
  EXPECT_EQ(registry_->RegCreateKeyExA(kHkeyCurrentUser, "\\" + base_ + "\\New", 0, kKeyRead, &key,
                                       nullptr),
            kErrorBadPathname);
  for (const std::string& path :
       {base_ + "\\Paths\\", base_ + "\\\\Paths\\\\Inner", base_ + "\\Paths\\Inner\\\\"}) {
    EXPECT_EQ(registry_->RegOpenKeyExA(kHkeyCurrentUser, path, 0, kKeyRead, &key), kErrorSuccess)
        << path;
    Close(key);
  }
  // A handle is a root for further paths.
  RegKey paths = 0;
  ASSERT_EQ(Open("Paths", kKeyAllAccessLow, &paths), kErrorSuccess);
  ASSERT_EQ(registry_->RegOpenKeyExA(paths, "inner", 0, kKeyRead, &key), kErrorSuccess);
  Close(key);
  Path("Paths\\Made");
  std::uint32_t disposition = 0;
  ASSERT_EQ(registry_->RegCreateKeyExA(paths, "Made", 0, kKeyRead, &key, &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  Close(key);
  Close(paths);
}

}  // namespace
}  // namespace fw
