#include "platform/modprobe/policy_cache.h"

#include <sys/stat.h>

#include <iterator>
#include <span>
#include <utility>

#include "platform/modprobe/modprobe_config.h"

namespace fw::modprobe {
namespace {

long long Nanoseconds(const timespec& time) {
  return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

PolicyCache::PolicyCache(std::filesystem::path root, std::chrono::milliseconds settle)
    : root_(std::move(root)), settle_(settle) {}

PolicyCache::Stamp PolicyCache::StampOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {};
  return {static_cast<long long>(status.st_dev),
          static_cast<long long>(status.st_ino),
          static_cast<long long>(status.st_size),
          static_cast<long long>(status.st_mode),
          Nanoseconds(status.st_mtim),
          Nanoseconds(status.st_ctim)};
}

std::vector<PolicyCache::Stamp> PolicyCache::StampsNow() const {
  std::vector<Stamp> stamps;
  stamps.reserve(watched_.size());
  for (const std::filesystem::path& path : watched_) stamps.push_back(StampOf(path));
  return stamps;
}

// The stamps are taken before anything is read, so that a change made while reading shows on
// the next question.
void PolicyCache::TakeSnapshot() {
  settled_ = false;
  answers_.clear();
  watched_.clear();
  for (const std::string_view folder : kConfigFolders) watched_.push_back(root_ / folder);
  stamps_ = StampsNow();
  for (std::filesystem::path& file : EffectiveConfigFiles(root_)) {
    watched_.push_back(std::move(file));
    stamps_.push_back(StampOf(watched_.back()));
  }
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  const long long settled_before =
      now - std::chrono::duration_cast<std::chrono::nanoseconds>(settle_).count();
  settled_ = true;
  for (const Stamp& stamp : stamps_) {
    if (stamp.modified_ns >= settled_before || stamp.changed_ns >= settled_before) {
      settled_ = false;
    }
  }
}

std::optional<std::filesystem::path> PolicyCache::FileThatBlocks(std::string_view module) {
  if (!settled_ || StampsNow() != stamps_) TakeSnapshot();
  const std::string name = NormalizeModuleName(module);
  if (const auto kept = answers_.find(name); kept != answers_.end()) return kept->second;
  // The files are the watched paths after the folders.
  const std::span<const std::filesystem::path> files(watched_.begin() + std::size(kConfigFolders),
                                                     watched_.end());
  std::optional<std::filesystem::path> answer = FileThatBlocksAmong(files, name);
  if (settled_) answers_.emplace(name, answer);
  return answer;
}

}  // namespace fw::modprobe
