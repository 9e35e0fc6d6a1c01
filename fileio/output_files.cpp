#include "fileio/output_files.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>

#include "fileio/atomic_file.h"

namespace fw {
namespace {

std::string Name(const std::filesystem::path& path) {
  return path.string();
}

void RemoveQuietly(const std::filesystem::path& path) {
  if (path.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

// A name for a temporary file beside `path` that does not exist yet: ".NAME.XXXXXXXX.tmp".
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& path) {
  // Another run may stage beside the same file at the same moment: the name mixes the clock
  // and the system's randomness, and an existing name is never reused.
  std::random_device device;
  std::seed_seq seed{
      device(), device(),
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()),
      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(&path))};
  std::mt19937 random(seed);
  static constexpr char kDigits[] = "0123456789abcdef";
  for (;;) {
    std::string tag = ".";
    for (int i = 0; i < 8; ++i) tag += kDigits[random() % 16];
    std::filesystem::path name = ".";
    name += path.filename();
    name += tag + ".tmp";
    std::filesystem::path candidate = path.parent_path() / name;
    std::error_code error;
    if (!std::filesystem::exists(candidate, error) && !error) return candidate;
  }
}

}  // namespace

OutputFiles::~OutputFiles() {
  for (const Staged& staged : staged_) {
    if (!staged.moved) RemoveQuietly(staged.temporary);
    RemoveQuietly(staged.backup);
  }
}

void OutputFiles::Stage(const std::filesystem::path& path, std::string_view bytes) {
  const std::string name = Name(path);
  const std::filesystem::path folder = fileio::FolderOf(path);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw OutputError(name + ": is a folder, not a file");
  }
  if (!std::filesystem::is_directory(folder, error)) {
    throw OutputError(
        name + ": " + Name(folder) +
        (std::filesystem::exists(folder, error) ? " is not a folder" : ": no such folder"));
  }
  Staged staged{path, TemporaryNameBeside(path), {}, false};
  try {
    WriteNewFileFlushed(staged.temporary, bytes);
  } catch (const FileWriteError& failure) {
    const std::string reason = " (" + failure.code().message() + ")";
    throw OutputError(name + (failure.step() == FileWriteError::Step::kCreate
                                  ? ": cannot create a file in " + Name(folder) + reason
                                  : ": writing failed" + reason));
  }
  staged_.push_back(std::move(staged));
}

void OutputFiles::Commit() {
  // With one file the rename alone replaces it atomically. With several, each old file is kept
  // (a second link, else a copy) until all are in place, so a late failure can put it back.
  const bool several = staged_.size() > 1;
  for (std::size_t i = 0; i < staged_.size(); ++i) {
    Staged& staged = staged_[i];
    std::error_code error;
    if (several && std::filesystem::is_regular_file(staged.target, error)) {
      staged.backup = TemporaryNameBeside(staged.target);
      std::filesystem::create_hard_link(staged.target, staged.backup, error);
      if (error) std::filesystem::copy_file(staged.target, staged.backup, error);
      if (error) {
        RemoveQuietly(staged.backup);
        staged.backup.clear();
        const std::string name = Name(staged.target);
        const std::string reason = error.message();
        RollBack();
        throw OutputError(name + ": cannot keep the old file (" + reason +
                          "); nothing was written");
      }
    }
    std::filesystem::rename(staged.temporary, staged.target, error);
    if (error) {
      const std::string name = Name(staged.target);
      RollBack();
      throw OutputError(name + ": cannot rename the written file into place (" + error.message() +
                        "); nothing was written");
    }
    staged.moved = true;
  }
  for (Staged& staged : staged_) RemoveQuietly(staged.backup);
  staged_.clear();
}

void OutputFiles::RollBack() {
  for (const Staged& staged : staged_) {
    if (!staged.moved) {
      RemoveQuietly(staged.temporary);
      RemoveQuietly(staged.backup);  // the failed one's target is still the old file
      continue;
    }
    std::error_code error;
    if (staged.backup.empty()) {
      std::filesystem::remove(staged.target, error);
    } else {
      std::filesystem::rename(staged.backup, staged.target, error);
    }
  }
  staged_.clear();
}

}  // namespace fw
