// The registry store under several processes at once: writers killed at any point, writers
// racing one another, readers beside a writer, a file broken by hand while a writer runs, and
// the temporary files killed writers leave behind. The random kill times come from a fixed seed
// (FERROWIND_STRESS_SEED picks another), which a failure prints.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "fileio/atomic_file.h"
#include "platform/registry_store/reg_file.h"
#include "platform/registry_store/registry_store.h"
#include "tests/platform/registry_store/scratch_dir.h"
#include "tests/platform/registry_store/usbstor_values.h"

namespace fw::soft {
namespace {

using test::DwordBytes;
using test::DwordIn;
using test::kUsbstor;
using test::ReadWholeFile;
using test::ScratchDir;
using test::SetDword;
using test::UsbstorIn;
using test::WriteWholeFile;

// Generation `n` of the file: the counter, Start alternating between locked and unlocked, and a
// blob whose size swings between large and small, so that a file seen half written, or a new
// file cut short, cannot pass for a whole one.
std::vector<std::uint8_t> BlobOf(std::uint32_t n) {
  return std::vector<std::uint8_t>((n % 2 == 0 ? 8000 : 700) + n % 97,
                                   static_cast<std::uint8_t>(n));
}

RegistryStore::Change WriteGeneration(std::uint32_t n) {
  return [n](RegTree& tree) {
    RegKeyNode& key = UsbstorIn(tree);
    key.SetValue("Generation", kRegDword, DwordBytes(n));
    key.SetValue("Start", kRegDword, DwordBytes(n % 2 == 0 ? 4 : 3));
    key.SetValue("Blob", kRegBinary, BlobOf(n));
    return kErrorSuccess;
  };
}

// The generation a tree holds when it holds one whole, else nothing.
std::optional<std::uint32_t> GenerationIn(const RegTree& tree) {
  const auto n = DwordIn(tree, "Generation");
  if (!n || DwordIn(tree, "Start") != (*n % 2 == 0 ? 4u : 3u)) return std::nullopt;
  const RegValue* blob = tree.Find(2, kUsbstor)->FindValue("Blob");
  if (blob == nullptr || blob->data != BlobOf(*n)) return std::nullopt;
  return n;
}

// A pipe from a child process to the test, closed on both ends when it goes.
struct Pipe {
  Pipe() {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    read.Reset(fds[0]);
    write.Reset(fds[1]);
  }
  UniqueFd read;
  UniqueFd write;
};

bool SendWord(const UniqueFd& fd, std::uint32_t word) {
  return ::write(fd.get(), &word, sizeof word) == static_cast<ssize_t>(sizeof word);
}

// The next word from the pipe, or nothing at its end.
std::optional<std::uint32_t> ReceiveWord(const UniqueFd& fd) {
  std::uint32_t word = 0;
  std::size_t got = 0;
  while (got < sizeof word) {
    const ssize_t n = ::read(fd.get(), reinterpret_cast<char*>(&word) + got, sizeof word - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    got += static_cast<std::size_t>(n);
  }
  return word;
}

// A child process, killed and reaped if the test leaves before it has waited for it.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ > 0) KillAndReap();
  }

  bool started() const { return pid_ > 0; }
  // Waits for it; true when it exited with 0.
  bool Succeeded() {
    int status = 0;
    const bool reaped = pid_ > 0 && ::waitpid(std::exchange(pid_, -1), &status, 0) > 0;
    return reaped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  // Kills it and waits for it; true when it was still running until the kill.
  bool KillAndReap() {
    if (pid_ <= 0) return false;
    ::kill(pid_, SIGKILL);
    int status = 0;
    const bool reaped = ::waitpid(std::exchange(pid_, -1), &status, 0) > 0;
    return reaped && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

 private:
  pid_t pid_;
};

// Runs `work` in a child process, which exits with 0 when `work` returns true. The child says
// what went wrong on stderr itself, since its test assertions would die with it.
template <typename Work>
Child Spawn(Work work) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(work() ? 0 : 1);
  return Child(child);
}

// The names in the folder that are not the registry file or its lock.
std::vector<std::string> StrayFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "registry.reg" && name != "registry.reg.lock") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Whether someone holds the store's lock; asks without waiting for it.
bool LockIsFree(const RegistryStore& store) {
  const UniqueFd lock(::open(store.lock_file().c_str(), O_RDONLY | O_CLOEXEC));
  return lock && ::flock(lock.get(), LOCK_EX | LOCK_NB) == 0;
}

unsigned StressSeed() {
  const char* seed = std::getenv("FERROWIND_STRESS_SEED");
  return seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : 20240611u;
}

TEST(RegistryStoreStress, AWriterKilledAnywhereLeavesTheOldFileOrTheNewOne) {
  const unsigned seed = StressSeed();
  SCOPED_TRACE("FERROWIND_STRESS_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  // About one write long: most kills wait for the writer's first write, so that they land
  // inside the later ones and between them; the others land anywhere from its start on.
  std::uniform_int_distribution<int> delay_us(0, 4000);
  std::bernoulli_distribution after_a_write(0.75);

  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(WriteGeneration(0)), kErrorSuccess) << store.last_error();
  std::uint32_t current = 0;  // the generation the file holds
  int left_temporaries = 0;
  constexpr int kKills = 200;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    Pipe committed;
    Child writer = Spawn([&] {
      committed.read.Reset();
      RegistryStore own(file);
      for (std::uint32_t n = current + 1;; ++n) {
        if (own.Modify(WriteGeneration(n)) != kErrorSuccess) {
          std::fprintf(stderr, "writing generation %u failed: %s\n", n, own.last_error().c_str());
          return false;
        }
        if (!SendWord(committed.write, n)) return false;
      }
    });
    ASSERT_TRUE(writer.started());
    committed.write.Reset();
    std::uint32_t last = current;
    if (after_a_write(random)) {
      const auto n = ReceiveWord(committed.read);
      ASSERT_TRUE(n.has_value()) << "the writer stopped before its first write";
      last = *n;
    }
    ::usleep(static_cast<useconds_t>(delay_us(random)));
    ASSERT_TRUE(writer.KillAndReap()) << "the writer stopped before it was killed";

    // The last generation the writer said it wrote; the one after may be in place as well, if
    // the kill came between the rename and the word.
    while (const auto n = ReceiveWord(committed.read)) last = *n;
    RegistryStore fresh(file);
    ASSERT_EQ(fresh.Refresh(), kErrorSuccess) << fresh.last_error();
    const auto found = GenerationIn(fresh.tree());
    ASSERT_TRUE(found.has_value()) << "the file holds no whole generation:\n"
                                   << ReadWholeFile(file).substr(0, 400);
    ASSERT_TRUE(*found == last || *found == last + 1)
        << "found generation " << *found << ", the writer said it wrote " << last;

    // The dead writer holds no lock, and has left at most the temporary file of the write it
    // was killed in: those of earlier kills went with the write after them.
    ASSERT_TRUE(LockIsFree(store));
    const auto strays = StrayFiles(dir.path());
    ASSERT_LE(strays.size(), 1u) << strays.front() << " and more";
    left_temporaries += static_cast<int>(strays.size());

    current = *found + 1;
    ASSERT_EQ(store.Modify(WriteGeneration(current)), kErrorSuccess) << store.last_error();
    EXPECT_EQ(StrayFiles(dir.path()), std::vector<std::string>());
    ASSERT_EQ(GenerationIn(ParseRegFile(ReadWholeFile(file), "file")), current);
  }
  RecordProperty("KillsThatLeftATemporaryFile", left_temporaries);
}

TEST(RegistryStoreStress, ALeftoverTemporaryFileIsRemovedByTheNextWrite) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess);
  const std::string text = ReadWholeFile(file);
  // What killed writers leave: half a file under a dead process's name, and one under this
  // process's own name (the name its next write would try first).
  WriteWholeFile(dir / ".registry.reg.4194000.0.tmp", text.substr(0, text.size() / 2));
  WriteWholeFile(dir / (".registry.reg." + std::to_string(::getpid()) + ".0.tmp"), "x");
  // Files that only look alike are somebody else's.
  const std::vector<std::string> others = {".registry.reg.12.tmp", ".registry.reg.1x.0.tmp",
                                           ".other.reg.12.0.tmp", "registry.reg.12.0.tmp"};
  for (const std::string& name : others) WriteWholeFile(dir / name, "keep");

  // Reading does not mind them, and removes nothing: it holds no lock.
  EXPECT_EQ(RegistryStore(file).Refresh(), kErrorSuccess);
  EXPECT_EQ(StrayFiles(dir.path()).size(), others.size() + 2);

  ASSERT_EQ(store.Modify(SetDword("Start", 3)), kErrorSuccess) << store.last_error();
  std::vector<std::string> expected = others;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(StrayFiles(dir.path()), expected);
  for (const std::string& name : others) EXPECT_EQ(ReadWholeFile(dir / name), "keep");
  RegistryStore fresh(file);
  ASSERT_EQ(fresh.Refresh(), kErrorSuccess);
  EXPECT_EQ(DwordIn(fresh.tree(), "Start"), 3u);
}

TEST(RegistryStoreStress, RemovingLeftoversTouchesOnlyTheFilesOwnTemporaries) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  for (const char* name :
       {".registry.reg.1.0.tmp", ".registry.reg.77.3.tmp", ".registry.reg..tmp",
        ".registry.reg.1.tmp", ".registry.reg.1.0.tmp~", ".registry.reg.a.0.tmp"}) {
    WriteWholeFile(dir / name, "");
  }
  EXPECT_EQ(RemoveLeftoverTemporaries(file), 2u);
  EXPECT_EQ(StrayFiles(dir.path()),
            (std::vector<std::string>{".registry.reg..tmp", ".registry.reg.1.0.tmp~",
                                      ".registry.reg.1.tmp", ".registry.reg.a.0.tmp"}));
  EXPECT_EQ(RemoveLeftoverTemporaries(dir / "missing/registry.reg"), 0u);
}

// Each writer keeps a counter of its own and adds a value per write; each checks after every
// write that a reader of its own sees its write, and that the other's counter never goes back.
TEST(RegistryStoreStress, TwoProcessesWritingAtOnceLoseNothing) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  constexpr std::uint32_t kEach = 200;
  const auto writer = [&file](const std::string& me, const std::string& other) {
    return Spawn([&file, me, other] {
      RegistryStore store(file);
      RegistryStore reader(file);
      std::uint32_t others_last = 0;
      for (std::uint32_t i = 1; i <= kEach; ++i) {
        const RegStatus status = store.Modify([&](RegTree& tree) {
          SetDword(me + std::to_string(i), i)(tree);
          return SetDword(me, i)(tree);
        });
        if (status != kErrorSuccess) {
          std::fprintf(stderr, "%s: write %u failed: %s\n", me.c_str(), i,
                       store.last_error().c_str());
          return false;
        }
        if (reader.Refresh() != kErrorSuccess) {
          std::fprintf(stderr, "%s: read failed: %s\n", me.c_str(), reader.last_error().c_str());
          return false;
        }
        const auto mine = DwordIn(reader.tree(), me);
        const std::uint32_t others = DwordIn(reader.tree(), other).value_or(0);
        if (mine != i || others < others_last) {
          std::fprintf(stderr, "%s: after write %u read %u, and %u of the other after %u\n",
                       me.c_str(), i, mine.value_or(0), others, others_last);
          return false;
        }
        others_last = others;
      }
      return true;
    });
  };
  Child a = writer("a", "b");
  Child b = writer("b", "a");
  EXPECT_TRUE(a.Succeeded());
  EXPECT_TRUE(b.Succeeded());
  RegistryStore store(file);
  ASSERT_EQ(store.Refresh(), kErrorSuccess) << store.last_error();
  EXPECT_EQ(DwordIn(store.tree(), "a"), kEach);
  EXPECT_EQ(DwordIn(store.tree(), "b"), kEach);
  for (std::uint32_t i = 1; i <= kEach; ++i) {
    EXPECT_EQ(DwordIn(store.tree(), "a" + std::to_string(i)), i);
    EXPECT_EQ(DwordIn(store.tree(), "b" + std::to_string(i)), i);
  }
  EXPECT_EQ(store.tree().Find(2, kUsbstor)->values().size(), 2 * kEach + 2);
  EXPECT_EQ(StrayFiles(dir.path()), std::vector<std::string>());
}

TEST(RegistryStoreStress, AReaderBesideAWriterNeverSeesATornFile) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(WriteGeneration(0)), kErrorSuccess);
  constexpr std::uint32_t kWrites = 300;
  Child writer = Spawn([&] {
    RegistryStore other(file);
    for (std::uint32_t n = 1; n <= kWrites; ++n) {
      if (other.Modify(WriteGeneration(n)) != kErrorSuccess) {
        std::fprintf(stderr, "write %u failed: %s\n", n, other.last_error().c_str());
        return false;
      }
    }
    return true;
  });
  std::uint32_t last = 0;
  std::size_t reads = 0;
  // Bounded by time, in case the writer dies early (then the generation stops short): a count of
  // refreshes ran out before a slow writer (a sanitized build on a busy machine) was done.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  while (last < kWrites && std::chrono::steady_clock::now() < give_up) {
    ASSERT_EQ(store.Refresh(), kErrorSuccess) << store.last_error();
    if (store.reads() == reads) continue;
    reads = store.reads();
    const auto n = GenerationIn(store.tree());
    ASSERT_TRUE(n.has_value()) << "read " << reads << " found no whole generation";
    ASSERT_GE(*n, last);
    ASSERT_LE(*n, kWrites);
    last = *n;
  }
  EXPECT_TRUE(writer.Succeeded());
  EXPECT_EQ(last, kWrites);
  RecordProperty("FilesRead", static_cast<int>(reads));
}

// A file broken by hand (under the lock, as a careful editor would) while another process keeps
// writing: from then on every write is refused with the line, and the file stays as it was.
TEST(RegistryStoreStress, AFileBrokenWhileAWriterRunsIsNeverWrittenOver) {
  const ScratchDir dir;
  const auto file = dir / "registry.reg";
  RegistryStore store(file);
  ASSERT_EQ(store.Modify(SetDword("Start", 4)), kErrorSuccess);

  Pipe statuses;
  Child writer = Spawn([&] {
    statuses.read.Reset();
    RegistryStore own(file);
    for (std::uint32_t i = 0;; ++i) {
      const RegStatus status = own.Modify(SetDword("Start", i % 2 == 0 ? 3 : 4));
      if (status == kErrorBadDb && !own.last_error().starts_with(file.string() + ":5: ")) {
        std::fprintf(stderr, "the reason lacks the line: %s\n", own.last_error().c_str());
        return false;
      }
      if (!SendWord(statuses.write, static_cast<std::uint32_t>(status))) return false;
    }
  });
  ASSERT_TRUE(writer.started());
  statuses.write.Reset();
  // Let it write a few times, so that it has read the good file.
  for (int i = 0; i < 3; ++i) ASSERT_EQ(ReceiveWord(statuses.read), 0u);

  const std::string broken =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR]\n"
      "\"Start\"=dword:00000004\n"
      "\"Type\"=dword:4x\n";
  struct stat before {};
  {
    const UniqueFd lock(::open(store.lock_file().c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_TRUE(lock);
    ASSERT_EQ(::flock(lock.get(), LOCK_EX), 0);
    WriteWholeFile(file, broken);
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
  }
  // Writes that were done before the break may still be in the pipe; after the first refusal,
  // every write must be refused.
  int refused = 0;
  for (int received = 0; refused < 50; ++received) {
    ASSERT_LT(received, 100000) << "the writer never refused a write";
    const auto status = ReceiveWord(statuses.read);
    ASSERT_TRUE(status.has_value()) << "the writer stopped";
    ASSERT_EQ(ReadWholeFile(file), broken) << "a write went over the broken file";
    if (*status == static_cast<std::uint32_t>(kErrorBadDb)) {
      ++refused;
    } else {
      ASSERT_EQ(refused, 0) << "a write succeeded over the broken file: " << *status;
      ASSERT_EQ(*status, 0u);
    }
  }
  ASSERT_TRUE(writer.KillAndReap()) << "the writer stopped before it was killed";
  EXPECT_EQ(ReadWholeFile(file), broken);
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(StrayFiles(dir.path()), std::vector<std::string>());

  EXPECT_EQ(store.Refresh(), kErrorBadDb);
  EXPECT_TRUE(store.last_error().starts_with(file.string() + ":5: ")) << store.last_error();
}

}  // namespace
}  // namespace fw::soft
