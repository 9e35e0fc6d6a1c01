// The Linux build's registry beyond what Wine can show: a read-only store playing a user
// without administrator rights, an unparseable file, two registries (two processes) on one
// file, names the file cannot hold, and handles given back.
#include "platform/registry_store/soft_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/platform/registry_store/scratch_dir.h"

namespace fw::soft {
namespace {

using test::ReadWholeFile;
using test::ScratchDir;
using test::WriteWholeFile;

constexpr std::string_view kUsbstor = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";

std::vector<std::uint8_t> Dword(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// The program's WriteRegistryValue: create and close, open with 0x3F, set, close.
RegStatus Lock(Registry& registry, std::uint32_t value) {
  RegKey key = 0;
  RegStatus status =
      registry.RegCreateKeyExA(kHkeyLocalMachine, kUsbstor, 0, kKeyAllAccessLow, &key, nullptr);
  registry.RegCloseKey(key);
  if (status != kErrorSuccess) return status;
  status = registry.RegOpenKeyExA(kHkeyLocalMachine, kUsbstor, 0, kKeyAllAccessLow, &key);
  if (status != kErrorSuccess) return status;
  status = registry.RegSetValueExA(key, "Start", kRegDword, Dword(value));
  registry.RegCloseKey(key);
  return status;
}

// Start read through a handle opened with `access`; the status when it cannot be read.
std::uint32_t ReadStart(Registry& registry, std::uint32_t access, RegStatus* status) {
  RegKey key = 0;
  *status = registry.RegOpenKeyExA(kHkeyLocalMachine, kUsbstor, 0, access, &key);
  if (*status != kErrorSuccess) return 0;
  std::uint32_t value = 0;
  std::uint32_t size = sizeof value;
  *status = registry.RegQueryValueExA(key, "Start", nullptr,
                                      reinterpret_cast<std::uint8_t*>(&value), &size);
  registry.RegCloseKey(key);
  return value;
}

TEST(SoftRegistry, AReadOnlyStoreIsAUserWithoutAdministratorRights) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  SoftRegistry registry(file);
  ASSERT_EQ(Lock(registry, 3), kErrorSuccess) << registry.last_error();
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  const std::string before = ReadWholeFile(file);

  // Write access is refused at the open, as HKLM refuses it to such a user ...
  RegKey key = 99;
  EXPECT_EQ(registry.RegOpenKeyExA(kHkeyLocalMachine, kUsbstor, 0, kKeyAllAccessLow, &key),
            kErrorAccessDenied);
  EXPECT_EQ(key, 0u);
  EXPECT_NE(registry.last_error().find("read-only"), std::string::npos) << registry.last_error();
  EXPECT_EQ(Lock(registry, 4), kErrorAccessDenied);
  RegStatus status = kErrorSuccess;
  ReadStart(registry, kKeyAllAccessLow, &status);
  EXPECT_EQ(status, kErrorAccessDenied);
  // ... and reading works.
  EXPECT_EQ(ReadStart(registry, kKeyRead, &status), 3u);
  EXPECT_EQ(status, kErrorSuccess);
  std::uint32_t disposition = 0;
  ASSERT_EQ(registry.RegCreateKeyExA(kHkeyLocalMachine, kUsbstor, 0, kKeyRead, &key, &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  EXPECT_EQ(registry.RegSetValueExA(key, "Start", kRegDword, Dword(4)), kErrorAccessDenied);
  registry.RegCloseKey(key);
  EXPECT_EQ(
      registry.RegCreateKeyExA(kHkeyLocalMachine, "SOFTWARE\\New", 0, kKeyRead, &key, nullptr),
      kErrorAccessDenied);
  // The roots themselves only read now.
  EXPECT_EQ(registry.RegSetValueExA(kHkeyLocalMachine, "Top", kRegDword, Dword(1)),
            kErrorAccessDenied);
  EXPECT_EQ(registry.RegDeleteKeyA(kHkeyLocalMachine, kUsbstor), kErrorAccessDenied);
  EXPECT_EQ(ReadWholeFile(file), before);
  EXPECT_EQ(registry.open_handle_count(), 0u);
}

TEST(SoftRegistry, AReadOnlyFolderRefusesWritesToo) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  SoftRegistry registry(file);
  ASSERT_EQ(Lock(registry, 3), kErrorSuccess);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const std::string before = ReadWholeFile(file);
  EXPECT_EQ(Lock(registry, 4), kErrorAccessDenied);
  RegStatus status = kErrorSuccess;
  EXPECT_EQ(ReadStart(registry, kKeyRead, &status), 3u);
  EXPECT_EQ(status, kErrorSuccess);
  EXPECT_EQ(ReadWholeFile(file), before);
}

TEST(SoftRegistry, AnUnparseableFileFailsEveryCallAndStays) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  const std::string broken =
      "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\X]\n"
      "\"Start\"=dword:00000004\n\"Bad\"=hex:0g\n";
  WriteWholeFile(file, broken);
  SoftRegistry registry(file);
  RegStatus status = kErrorSuccess;
  ReadStart(registry, kKeyRead, &status);
  EXPECT_EQ(status, kErrorBadDb);
  EXPECT_NE(registry.last_error().find(file.string() + ":5: "), std::string::npos)
      << registry.last_error();
  RegKey key = 0;
  EXPECT_EQ(
      registry.RegCreateKeyExA(kHkeyLocalMachine, kUsbstor, 0, kKeyAllAccessLow, &key, nullptr),
      kErrorBadDb);
  EXPECT_NE(registry.last_error().find(":5: "), std::string::npos) << registry.last_error();
  EXPECT_EQ(Lock(registry, 4), kErrorBadDb);
  EXPECT_EQ(registry.RegSetValueExA(kHkeyLocalMachine, "Top", kRegDword, Dword(1)), kErrorBadDb);
  EXPECT_EQ(ReadWholeFile(file), broken);
}

TEST(SoftRegistry, TwoRegistriesOnOneFileSeeEachOthersChanges) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  SoftRegistry app(file);
  SoftRegistry tool(file);
  ASSERT_EQ(Lock(app, 3), kErrorSuccess);
  // The app keeps a handle open while the tool changes the value.
  RegKey key = 0;
  ASSERT_EQ(app.RegOpenKeyExA(kHkeyLocalMachine, kUsbstor, 0, kKeyRead, &key), kErrorSuccess);
  ASSERT_EQ(Lock(tool, 4), kErrorSuccess);
  std::uint32_t value = 0;
  std::uint32_t size = sizeof value;
  ASSERT_EQ(
      app.RegQueryValueExA(key, "Start", nullptr, reinterpret_cast<std::uint8_t*>(&value), &size),
      kErrorSuccess);
  EXPECT_EQ(value, 4u);
  // The tool deletes the key under the app's handle.
  ASSERT_EQ(tool.RegDeleteKeyA(kHkeyLocalMachine, kUsbstor), kErrorSuccess);
  EXPECT_EQ(app.RegQueryValueExA(key, "Start", nullptr, nullptr, &size), kErrorKeyDeleted);
  EXPECT_NE(app.last_error().find("USBSTOR"), std::string::npos);
  EXPECT_EQ(app.RegCloseKey(key), kErrorSuccess);
}

TEST(SoftRegistry, NamesTheFileCannotHoldAreRefused) {
  const ScratchDir dir;
  SoftRegistry registry(dir / "registry.reg");
  RegKey key = 0;
  EXPECT_EQ(registry.RegCreateKeyExA(kHkeyCurrentUser, "Software\\Two\nLines", 0, kKeyAllAccessLow,
                                     &key, nullptr),
            kErrorBadPathname);
  ASSERT_EQ(
      registry.RegCreateKeyExA(kHkeyCurrentUser, "Software", 0, kKeyAllAccessLow, &key, nullptr),
      kErrorSuccess);
  EXPECT_EQ(registry.RegSetValueExA(key, "Two\nLines", kRegDword, Dword(1)),
            kErrorInvalidParameter);
  // A name ends at its NUL, as an "A" string does.
  EXPECT_EQ(
      registry.RegSetValueExA(key, std::string_view("Start\0ignored", 13), kRegDword, Dword(4)),
      kErrorSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(registry.RegQueryValueExA(key, "Start", nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(registry.RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(ReadWholeFile(dir / "registry.reg").find("ignored"), std::string::npos);
}

TEST(SoftRegistry, RootsCannotBeDeletedAndHandlesAreGivenBack) {
  const ScratchDir dir;
  SoftRegistry registry(dir / "registry.reg");
  EXPECT_EQ(registry.RegDeleteKeyA(kHkeyCurrentUser, ""), kErrorAccessDenied);
  std::vector<RegKey> keys(50);
  for (RegKey& key : keys) {
    ASSERT_EQ(registry.RegCreateKeyExA(kHkeyCurrentUser, "Software", 0, kKeyRead, &key, nullptr),
              kErrorSuccess);
    EXPECT_EQ(key % 4, 0u);
    EXPECT_LT(key, kHkeyClassesRoot);
  }
  EXPECT_EQ(registry.open_handle_count(), keys.size());
  for (const RegKey key : keys) EXPECT_EQ(registry.RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(registry.open_handle_count(), 0u);
  EXPECT_EQ(registry.RegQueryValueExA(0x12345, "x", nullptr, nullptr, nullptr),
            kErrorInvalidHandle);
}

TEST(SoftRegistry, ThePlatformRegistryIsTheFileTheEnvironmentNames) {
  const ScratchDir dir;
  const auto file = dir / "from-env.reg";
  ::setenv("FERROWIND_REGISTRY", file.c_str(), 1);
  const std::unique_ptr<Registry> registry = CreatePlatformRegistry();
  ::unsetenv("FERROWIND_REGISTRY");
  ASSERT_EQ(Lock(*registry, 4), kErrorSuccess);
  EXPECT_NE(ReadWholeFile(file).find("\"Start\"=dword:00000004"), std::string::npos);
}

}  // namespace
}  // namespace fw::soft
