// The Windows program's resources (app/res/ferrowind.rc), read back through the Win32 resource
// functions from this test's own executable, which links them as ferrowind.exe does: the
// manifest, the version information, the icon, the padlocks and the cursor, each holding exactly
// the bytes of its file in app/res.
#include <gtest/gtest.h>
#include <windows.h>  // with <winver.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/res/resource_ids.h"
#include "ferrowind_version.h"
#include "formats/text/ascii_case.h"
#include "platform/resources.h"

namespace {

HMODULE Self() {
  return GetModuleHandleA(nullptr);
}

// A resource of this executable as bytes; empty when it is not there.
std::span<const std::uint8_t> ResourceData(const char* type, int id) {
  HRSRC found = FindResourceA(Self(), MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(Self(), found);
  if (loaded == nullptr) return {};
  return {static_cast<const std::uint8_t*>(LockResource(loaded)), SizeofResource(Self(), found)};
}

std::string ResourceText(const char* type, int id) {
  const auto bytes = ResourceData(type, id);
  return {bytes.begin(), bytes.end()};
}

std::span<const std::uint8_t> FileBytes(std::string_view name) {
  const auto bytes = fw::ResourceBytes(name);
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes ? *bytes : std::span<const std::uint8_t>{};
}

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Dword(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Word(bytes, at)) |
         static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

bool Same(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

std::size_t Count(std::string_view text, std::string_view what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// --- The manifest ---

TEST(WindowsResources, TheManifestIsResourceOneOfTypeManifestWithTheFilesBytes) {
  const std::string manifest = ResourceText(RT_MANIFEST, 1);
  ASSERT_FALSE(manifest.empty());
  std::ifstream in(FERROWIND_SOURCE_DIR "/app/res/ferrowind.manifest", std::ios::binary);
  ASSERT_TRUE(in.good());
  std::ostringstream file;
  file << in.rdbuf();
  EXPECT_EQ(manifest, file.str());
  // Only one manifest: a second one (a toolchain's default) would clash with it.
  EXPECT_EQ(ResourceText(RT_MANIFEST, 2), "");
}

// Every user may open the window: administrator rights are asked for only to write.
TEST(WindowsResources, TheManifestRunsWithTheUsersOwnRights) {
  const std::string manifest = ResourceText(RT_MANIFEST, 1);
  EXPECT_EQ(Count(manifest, "<requestedExecutionLevel "), 1u);
  EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="asInvoker" )"
                          R"(uiAccess="false"/>)"),
            std::string::npos);
}

TEST(WindowsResources, TheManifestDependsOnCommonControlsSix) {
  const std::string manifest = ResourceText(RT_MANIFEST, 1);
  EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
            std::string::npos);
  EXPECT_NE(manifest.find(R"(publicKeyToken="6595b64144ccf1df")"), std::string::npos);
}

TEST(WindowsResources, TheManifestDeclaresNoDpiAwareness) {
  const std::string manifest = ResourceText(RT_MANIFEST, 1);
  // Neither the dpiAware nor the dpiAwareness element, in any namespace.
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
  EXPECT_EQ(manifest.find("windowsSettings"), std::string::npos);
}

TEST(WindowsResources, TheManifestListsWindowsSevenToEleven) {
  const std::string manifest = ResourceText(RT_MANIFEST, 1);
  for (const char* id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // 8
                         "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // 8.1
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
    EXPECT_EQ(Count(manifest, std::string("<supportedOS Id=\"") + id + "\"/>"), 1u) << id;
  }
  EXPECT_EQ(Count(manifest, "<supportedOS "), 4u);
}

TEST(WindowsResources, TheProcessGetsCommonControlsSixFromTheSideBySideStore) {
  // The manifest's dependency redirects comctl32.dll to version 6 in the side-by-side store
  // (WinSxS), as Windows and Wine both do; without it the process gets system32's version 5.
  HMODULE comctl32 = LoadLibraryA("comctl32.dll");
  ASSERT_NE(comctl32, nullptr);
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(comctl32, path, MAX_PATH), 0u);
  const std::string lower = fw::ToAsciiLower(path);
  EXPECT_NE(lower.find("\\winsxs\\"), std::string::npos) << path;
  EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
            std::string::npos)
      << path;
  FreeLibrary(comctl32);
}

// --- The version information ---

class VersionInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    block_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block_.data()));
  }

  std::string Text(const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string query = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(block_.data(), query.c_str(), &value, &length) || length == 0) {
      return "(missing)";
    }
    return static_cast<const char*>(value);
  }

  std::vector<char> block_;
};

TEST_F(VersionInfo, TheFixedPartCarriesTheProjectVersion) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(FERROWIND_VERSION_MINOR, FERROWIND_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, FERROWIND_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
}

TEST_F(VersionInfo, TheStringsDescribeTheProgram) {
  EXPECT_EQ(Text("CompanyName"), "The Ferrowind developers");
  EXPECT_EQ(Text("FileDescription"), "Ferrowind - lock and unlock USB storage");
  EXPECT_EQ(Text("FileVersion"), FERROWIND_VERSION_TEXT);
  EXPECT_EQ(Text("ProductVersion"), FERROWIND_VERSION_TEXT);
  EXPECT_EQ(Text("ProductName"), "Ferrowind");
  EXPECT_EQ(Text("OriginalFilename"), "ferrowind.exe");
  EXPECT_EQ(Text("LegalCopyright"), "MIT licence");
  EXPECT_EQ(std::string(FERROWIND_VERSION_TEXT), std::to_string(FERROWIND_VERSION_MAJOR) + "." +
                                                     std::to_string(FERROWIND_VERSION_MINOR) + "." +
                                                     std::to_string(FERROWIND_VERSION_PATCH));
}

TEST_F(VersionInfo, TheTranslationIsUsEnglishInUnicode) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto* words = static_cast<const WORD*>(value);
  EXPECT_EQ(words[0], 0x0409);
  EXPECT_EQ(words[1], 1200);
}

// --- The icon ---

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::uintptr_t>*>(names)->push_back(
      reinterpret_cast<std::uintptr_t>(name));
  return TRUE;
}

TEST(WindowsResources, TheProgramsIconIsTheFirstAndOnlyIconGroup) {
  std::vector<std::uintptr_t> names;
  EnumResourceNamesA(Self(), RT_GROUP_ICON, CollectName, reinterpret_cast<LONG_PTR>(&names));
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], static_cast<std::uintptr_t>(IDI_FERROWIND));
}

TEST(WindowsResources, TheIconGroupHoldsTheSevenImagesOfTheIconFile) {
  const auto group = ResourceData(RT_GROUP_ICON, IDI_FERROWIND);
  const auto file = FileBytes("ferrowind.ico");
  ASSERT_GE(group.size(), 6u);
  ASSERT_GE(file.size(), 6u);
  const std::size_t count = Word(group, 4);
  EXPECT_EQ(count, 7u);
  ASSERT_EQ(count, Word(file, 4));
  ASSERT_EQ(group.size(), 6 + 14 * count);
  for (std::size_t i = 0; i < count; ++i) {
    SCOPED_TRACE("image " + std::to_string(i));
    // Group entries are the file's directory entries with the image's resource id in place of
    // its offset: width, height, colours, reserved, planes, bits per pixel and size agree.
    const std::size_t entry = 6 + 14 * i;
    const std::size_t file_entry = 6 + 16 * i;
    EXPECT_TRUE(Same(group.subspan(entry, 12), file.subspan(file_entry, 12)));
    const std::uint32_t size = Dword(file, file_entry + 8);
    const std::uint32_t offset = Dword(file, file_entry + 12);
    const auto image = ResourceData(RT_ICON, Word(group, entry + 12));
    EXPECT_TRUE(Same(image, file.subspan(offset, size)));
  }
}

TEST(WindowsResources, TheIconLoadsAtTheSystemSizes) {
  for (int size : {16, 32, 48, 256}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(Self(), MAKEINTRESOURCEA(IDI_FERROWIND), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  EXPECT_NE(LoadIconA(Self(), MAKEINTRESOURCEA(IDI_FERROWIND)), nullptr);
}

// --- The padlocks ---

struct Padlock {
  int id;
  const char* file;
  int width;
  int height;
};
constexpr Padlock kPadlocks[] = {{IDB_PADLOCK_CLOSED, "padlock_closed.bmp", 52, 72},
                                 {IDB_PADLOCK_OPEN, "padlock_open.bmp", 50, 73}};

TEST(WindowsResources, EachPadlockIsItsBitmapFileWithoutTheFileHeader) {
  for (const Padlock& padlock : kPadlocks) {
    const auto file = FileBytes(padlock.file);
    ASSERT_GT(file.size(), 14u) << padlock.file;
    EXPECT_TRUE(Same(ResourceData(RT_BITMAP, padlock.id), file.subspan(14))) << padlock.file;
  }
}

TEST(WindowsResources, EachPadlockLoadsAtItsSizeWithTwentyFourBitsPerPixel) {
  for (const Padlock& padlock : kPadlocks) {
    SCOPED_TRACE(padlock.file);
    HBITMAP loaded = LoadBitmapA(Self(), MAKEINTRESOURCEA(padlock.id));
    ASSERT_NE(loaded, nullptr);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectA(loaded, sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, padlock.width);
    EXPECT_EQ(bitmap.bmHeight, padlock.height);
    DeleteObject(loaded);

    // As a DIB section it keeps the resource's own format.
    HBITMAP dib = static_cast<HBITMAP>(
        LoadImageA(Self(), MAKEINTRESOURCEA(padlock.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(dib, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(dib, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, padlock.width);
    EXPECT_EQ(section.dsBm.bmHeight, padlock.height);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    DeleteObject(dib);
  }
}

// --- The cursor ---

TEST(WindowsResources, TheHandCursorLoadsWithTheFilesHotSpot) {
  const auto file = FileBytes("hand.cur");
  ASSERT_GE(file.size(), 22u);
  HCURSOR cursor = LoadCursorA(Self(), MAKEINTRESOURCEA(IDC_FERROWIND_HAND));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, Word(file, 10));
  EXPECT_EQ(info.yHotspot, Word(file, 12));
  BITMAP mask{};
  ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
  EXPECT_EQ(mask.bmWidth, file[6]);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST(WindowsResources, TheCursorImageIsTheFilesImageAfterItsHotSpot) {
  const auto file = FileBytes("hand.cur");
  const auto group = ResourceData(RT_GROUP_CURSOR, IDC_FERROWIND_HAND);
  ASSERT_EQ(group.size(), 6u + 14u);
  EXPECT_EQ(Word(group, 4), 1);
  const auto image = ResourceData(RT_CURSOR, Word(group, 6 + 12));
  ASSERT_GE(image.size(), 4u);
  EXPECT_EQ(Word(image, 0), Word(file, 10));
  EXPECT_EQ(Word(image, 2), Word(file, 12));
  EXPECT_TRUE(Same(image.subspan(4), file.subspan(Dword(file, 18), Dword(file, 14))));
}

}  // namespace
