// The registry store: atomic replacement of the file, changes of other stores and processes
// seen, no change lost between concurrent writers, read-only and unparseable files left
// byte-identical, and the file's location from the environment.
#include "platform/soft/registry_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/soft/reg_file.h"
#include "tests/platform/soft/scratch_dir.h"

namespace fw::soft {
namespace {

using test::ReadWholeFile;
using test::ScratchDir;
using test::WriteWholeFile;

const std::vector<std::string> kUsbstor = {"SYSTEM", "CurrentControlSet", "Services", "USBSTOR"};

// A change that sets one DWORD under USBSTOR.
RegistryStore::Change SetDword(std::string name, std::uint32_t value) {
  return [name = std::move(name), value](RegTree& tree) {
    RegKeyNode* key = &tree.root(2);
    for (const std::string& part : kUsbstor) key = &key->AddSubkey(part);
    key->SetValue(name, kRegDword,
                  {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
    return kErrorSuccess;
  };
}

// The DWORD `name` under USBSTOR as the store's tree holds it, or nothing.
std::optional<std::uint32_t> DwordIn(const RegTree& tree, const std::string& name) {
  const RegKeyNode* key = tree.Find(2, kUsbstor);
  const RegValue* value = key == nullptr ? nullptr : key->FindValue(name);
  if (value == nullptr || value->data.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(value->data[0] | (value->data[1] << 8) |
                                    (value->data[2] << 16) | (value->data[3] << 24));
}

std::optional<std::uint32_t> ReadDword(RegistryStore& store, const std::string& name) {
  if (store.Refresh() != kErrorSuccess) return std::nullopt;
  return DwordIn(store.tree(), name);
}

ino_t InodeOf(const std::filesystem::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Runs `work` in a child process, which exits with 0 when `work` returns true.
template <typename Work>
pid_t Spawn(Work work) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(work() ? 0 : 1);
  return child;
}

// Waits for the child; true when it exited with 0.
bool Succeeded(pid_t child) {
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

TEST(RegistryStore, AMissingFileIsEmptyAndTheFirstWriteMakesItsFolder) {
  const ScratchDir dir;
  const auto file = dir / "state/ferrowind/registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Refresh(), kErrorSuccess);
  EXPECT_EQ(store.tree(), RegTree());
  EXPECT_FALSE(std::filesystem::exists(dir / "state"));

  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess) << store.last_error();
  EXPECT_EQ(DwordIn(store.tree(), "Start"), 4u);
  EXPECT_EQ(ParseRegFile(ReadWholeFile(file), "file"), store.tree());
  EXPECT_TRUE(std::filesystem::exists(dir / "state/ferrowind/registry.reg.lock"));
}

TEST(RegistryStore, EveryWriteReplacesTheFileAndKeepsItsPermissions) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 3)), kErrorSuccess);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  const ino_t before = InodeOf(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess) << store.last_error();
  EXPECT_NE(InodeOf(file), before);  // a new file renamed over the old one
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // Nothing but the file and its lock is left in the folder.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

TEST(RegistryStore, AChangeThatFailsOrChangesNothingWritesNothing) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess);
  const ino_t inode = InodeOf(file);
  EXPECT_EQ(store.Modify([](RegTree& tree) {
    tree.root(1).AddSubkey("Dropped");
    return kErrorFileNotFound;
  }),
            kErrorFileNotFound);
  EXPECT_EQ(store.tree().root(1).FindSubkey("Dropped"), nullptr);
  EXPECT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess);
  EXPECT_EQ(InodeOf(file), inode);
}

TEST(RegistryStore, AnotherStoreOnTheFileSeesEachChangeOnItsNextRead) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore app(file);
  RegistryStore tool(file);
  ASSERT_EQ(app.Modify(SetDword("Start", 3)), kErrorSuccess);
  EXPECT_EQ(ReadDword(tool, "Start"), 3u);
  ASSERT_EQ(tool.Modify(SetDword("Start", 4)), kErrorSuccess);
  EXPECT_EQ(ReadDword(app, "Start"), 4u);
  // The tool's write started from the file, so the app's value survived beside its own.
  ASSERT_EQ(tool.Modify(SetDword("Other", 1)), kErrorSuccess);
  ASSERT_EQ(app.Modify(SetDword("Start", 3)), kErrorSuccess);
  EXPECT_EQ(ReadDword(tool, "Other"), 1u);
  EXPECT_EQ(ReadDword(tool, "Start"), 3u);
}

TEST(RegistryStore, AChangeMadeByAnotherProcessIsSeen) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 3)), kErrorSuccess);
  ASSERT_EQ(ReadDword(store, "Start"), 3u);
  ASSERT_TRUE(Succeeded(Spawn([&] {
    RegistryStore other(file);
    return other.Modify(SetDword("Start", 4)) == kErrorSuccess;
  })));
  EXPECT_EQ(ReadDword(store, "Start"), 4u);
}

TEST(RegistryStore, AnUnchangedFileIsNotReadAgain) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore writer(file);
  ASSERT_EQ(writer.Modify(SetDword("Start", 4)), kErrorSuccess);
  RegistryStore reader(file);
  for (int tick = 0; tick < 1000; ++tick) ASSERT_EQ(reader.Refresh(), kErrorSuccess);
  EXPECT_EQ(reader.reads(), 1u);
  ASSERT_EQ(writer.Modify(SetDword("Start", 3)), kErrorSuccess);
  EXPECT_EQ(ReadDword(reader, "Start"), 3u);
  EXPECT_EQ(reader.reads(), 2u);
  // Its own writes are remembered as read.
  ASSERT_EQ(reader.Modify(SetDword("Start", 4)), kErrorSuccess);
  const std::size_t reads = reader.reads();
  ASSERT_EQ(reader.Refresh(), kErrorSuccess);
  EXPECT_EQ(reader.reads(), reads);
}

TEST(RegistryStore, AnEditInPlaceIsSeenToo) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess);
  ASSERT_EQ(store.Refresh(), kErrorSuccess);
  std::string text = ReadWholeFile(file);
  text.replace(text.find("dword:00000004"), 14, "dword:00000003");
  WriteWholeFile(file, text);  // same inode, same size
  EXPECT_EQ(ReadDword(store, "Start"), 3u);
}

TEST(RegistryStore, ReadersInAnotherProcessNeverSeeAHalfWrittenFile) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Counter", 0)), kErrorSuccess);
  constexpr std::uint32_t kWrites = 40;
  const pid_t writer = Spawn([&] {
    RegistryStore other(file);
    for (std::uint32_t i = 1; i <= kWrites; ++i) {
      // A large file, so that a write in place would be seen half done.
      const RegStatus status = other.Modify([i](RegTree& tree) {
        tree.root(1).AddSubkey("Bulk").SetValue("Blob", kRegBinary,
                                                std::vector<std::uint8_t>(20000 + i * 97, 0xAB));
        return SetDword("Counter", i)(tree);
      });
      if (status != kErrorSuccess) return false;
    }
    return true;
  });
  std::uint32_t last = 0;
  int reads = 0;
  while (last < kWrites && reads < 1000000) {
    ++reads;
    ASSERT_EQ(store.Refresh(), kErrorSuccess) << store.last_error();
    const auto counter = DwordIn(store.tree(), "Counter");
    ASSERT_TRUE(counter.has_value());
    ASSERT_GE(*counter, last);
    last = *counter;
  }
  EXPECT_TRUE(Succeeded(writer));
  EXPECT_EQ(ReadDword(store, "Counter"), kWrites);
}

TEST(RegistryStore, TwoProcessesWritingAtOnceLoseNothing) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  constexpr int kEach = 25;
  const auto writer = [&](char prefix) {
    return Spawn([&file, prefix] {
      RegistryStore store(file);
      for (int i = 0; i < kEach; ++i) {
        if (store.Modify(SetDword(std::string(1, prefix) + std::to_string(i), 1)) !=
            kErrorSuccess) {
          return false;
        }
      }
      return true;
    });
  };
  const pid_t a = writer('a');
  const pid_t b = writer('b');
  EXPECT_TRUE(Succeeded(a));
  EXPECT_TRUE(Succeeded(b));
  RegistryStore store(file);
  ASSERT_EQ(store.Refresh(), kErrorSuccess);
  for (int i = 0; i < kEach; ++i) {
    EXPECT_EQ(DwordIn(store.tree(), "a" + std::to_string(i)), 1u) << i;
    EXPECT_EQ(DwordIn(store.tree(), "b" + std::to_string(i)), 1u) << i;
  }
  EXPECT_EQ(store.tree().Find(2, kUsbstor)->values().size(), 2u * kEach);
}

TEST(RegistryStore, AReadOnlyFileRefusesWritesAndStaysAsItWas) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 3)), kErrorSuccess);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  const std::string before = ReadWholeFile(file);

  EXPECT_TRUE(store.IsReadOnly());
  EXPECT_EQ(store.Modify(SetDword("Start", 4)), kErrorAccessDenied);
  EXPECT_NE(store.last_error().find("registry.reg is read-only"), std::string::npos)
      << store.last_error();
  EXPECT_EQ(ReadWholeFile(file), before);
  // Reading still works, in this store and in a fresh one.
  EXPECT_EQ(ReadDword(store, "Start"), 3u);
  RegistryStore fresh(file);
  EXPECT_EQ(ReadDword(fresh, "Start"), 3u);
}

TEST(RegistryStore, AReadOnlyFolderRefusesWritesAndStaysAsItWas) {
  const ScratchDir dir;
  const auto folder = dir / "ferrowind";
  const auto file = folder / "registry.reg";
  std::filesystem::create_directory(folder);
  WriteWholeFile(file,
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR]\n"
                 "\"Start\"=dword:00000003\n");
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  const std::string before = ReadWholeFile(file);

  RegistryStore store(file);
  EXPECT_EQ(ReadDword(store, "Start"), 3u);  // no lock file is needed to read
  EXPECT_EQ(store.Modify(SetDword("Start", 4)), kErrorAccessDenied);
  EXPECT_NE(store.last_error().find("is read-only"), std::string::npos) << store.last_error();
  EXPECT_EQ(ReadWholeFile(file), before);
  EXPECT_FALSE(std::filesystem::exists(folder / "registry.reg.lock"));
  EXPECT_EQ(ReadDword(store, "Start"), 3u);
}

TEST(RegistryStore, AMissingFileInAReadOnlyFolderIsNotCreated) {
  const ScratchDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  RegistryStore beside(dir / "registry.reg");
  EXPECT_EQ(beside.Modify(SetDword("Start", 4)), kErrorAccessDenied);
  RegistryStore below(dir / "not/yet/registry.reg");
  EXPECT_EQ(below.Modify(SetDword("Start", 4)), kErrorAccessDenied);
  EXPECT_EQ(below.Refresh(), kErrorSuccess);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(RegistryStore, AFileThatCannotBeParsedFailsAndIsNeverWrittenOver) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  const std::string broken =
      "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SYSTEM]\n\"Start\"=dword:4x\n";
  WriteWholeFile(file, broken);
  RegistryStore store(file);
  EXPECT_EQ(store.Refresh(), kErrorBadDb);
  EXPECT_NE(store.last_error().find(file.string() + ":4: "), std::string::npos)
      << store.last_error();
  EXPECT_EQ(store.Refresh(), kErrorBadDb);  // and again, without reading it again
  EXPECT_EQ(store.reads(), 1u);
  EXPECT_NE(store.last_error().find(":4: "), std::string::npos);
  EXPECT_EQ(store.Modify(SetDword("Start", 4)), kErrorBadDb);
  EXPECT_NE(store.last_error().find(":4: "), std::string::npos);
  EXPECT_EQ(ReadWholeFile(file), broken);

  // Mended, it works again.
  std::string mended = broken;
  mended.replace(mended.find("4x"), 2, "00000004");
  WriteWholeFile(file, mended);
  ASSERT_EQ(store.Refresh(), kErrorSuccess);
  EXPECT_TRUE(store.last_error().empty());
  const RegKeyNode* system = store.tree().Find(2, std::vector<std::string>{"SYSTEM"});
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(system->FindValue("Start")->data, (std::vector<std::uint8_t>{4, 0, 0, 0}));
}

// Sets or clears an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(RegistryStore, TheFileIsWhereTheEnvironmentSays) {
  {
    const ScopedEnv registry("FERROWIND_REGISTRY", "/srv/test/registry.reg");
    EXPECT_EQ(DefaultRegistryPath(), "/srv/test/registry.reg");
  }
  const ScopedEnv registry("FERROWIND_REGISTRY", nullptr);
  const ScopedEnv home("HOME", "/home/someone");
  {
    const ScopedEnv state("XDG_STATE_HOME", "/var/state");
    EXPECT_EQ(DefaultRegistryPath(), "/var/state/ferrowind/registry.reg");
  }
  {
    const ScopedEnv state("XDG_STATE_HOME", "relative/state");  // ignored, as XDG says
    EXPECT_EQ(DefaultRegistryPath(), "/home/someone/.local/state/ferrowind/registry.reg");
  }
  const ScopedEnv state("XDG_STATE_HOME", nullptr);
  EXPECT_EQ(DefaultRegistryPath(), "/home/someone/.local/state/ferrowind/registry.reg");
  const ScopedEnv empty("FERROWIND_REGISTRY", "");
  EXPECT_EQ(DefaultRegistryPath(), "/home/someone/.local/state/ferrowind/registry.reg");
}

}  // namespace
}  // namespace fw::soft
