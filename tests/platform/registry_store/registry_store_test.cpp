// The registry store: atomic replacement of the file, changes of other stores and processes
// seen, read-only and unparseable files left byte-identical, the watch on its reads, and the
// file's location from the environment. Many processes at once: registry_store_stress_test.cpp.
#include "platform/registry_store/registry_store.h"

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

#include "platform/registry_store/reg_file.h"
#include "tests/platform/registry_store/scratch_dir.h"
#include "tests/platform/registry_store/usbstor_values.h"

namespace fw::soft {
namespace {

using test::DwordIn;
using test::kUsbstor;
using test::ReadWholeFile;
using test::ScratchDir;
using test::SetDword;
using test::WriteWholeFile;

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

TEST(RegistryStore, TheWatchHearsEachBreakageOnceAndTheMend) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  std::vector<std::string> heard;
  store.WatchReads([&heard](const std::string& problem) { heard.push_back(problem); });
  ASSERT_EQ(store.Refresh(), kErrorSuccess);  // missing: an empty registry, nothing to say
  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess);
  EXPECT_EQ(heard, std::vector<std::string>());

  const std::string good = ReadWholeFile(file);
  const auto line = [&good](long after) {
    return ":" + std::to_string(std::count(good.begin(), good.end(), '\n') + after) + ": ";
  };
  WriteWholeFile(file, good + "\"Other\"=dword:4x\n");
  for (int tick = 0; tick < 5; ++tick) EXPECT_EQ(store.Refresh(), kErrorBadDb);
  EXPECT_EQ(store.Modify(SetDword("Start", 3)), kErrorBadDb);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_TRUE(heard[0].starts_with(file.string() + line(1))) << heard[0];
  EXPECT_EQ(heard[0], store.last_error());

  // Broken elsewhere: another reason, told again.
  WriteWholeFile(file, good + "\n\"Other\"=hex:zz\n");
  EXPECT_EQ(store.Refresh(), kErrorBadDb);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_TRUE(heard[1].starts_with(file.string() + line(2))) << heard[1];

  // Mended: told once, with the empty text.
  WriteWholeFile(file, good);
  for (int tick = 0; tick < 5; ++tick) EXPECT_EQ(store.Refresh(), kErrorSuccess);
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[2], "");

  // Without a watch, nothing is heard.
  store.WatchReads({});
  WriteWholeFile(file, "not a registry file\n");
  EXPECT_EQ(store.Refresh(), kErrorBadDb);
  EXPECT_EQ(heard.size(), 3u);
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
