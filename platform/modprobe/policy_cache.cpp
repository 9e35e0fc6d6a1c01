#include "platform/modprobe/policy_cache.h"

#include <iterator>
#include <span>
#include <utility>

#include "platform/modprobe/modprobe_config.h"

namespace fw::modprobe {
PolicyCache::PolicyCache(std::filesystem::path root, std::chrono::milliseconds settle)
    : root_(std::move(root)), settle_(settle) {}

bool PolicyCache::Unchanged() const {
  for (std::size_t i = 0; i < watched_.size(); ++i) {
    if (fileio::StampOf(watched_[i]) != stamps_[i]) return false;
  }
  return true;
}

// The stamps are taken before anything is read, so that a change made while reading shows on
// the next question.
void PolicyCache::TakeSnapshot() {
  settled_ = false;
  answers_.clear();
  watched_.clear();
  stamps_.clear();
  for (const std::string_view folder : kConfigFolders) {
    watched_.push_back(root_ / folder);
    stamps_.push_back(fileio::StampOf(watched_.back()));
  }
  for (std::filesystem::path& file : EffectiveConfigFiles(root_)) {
    watched_.push_back(std::move(file));
    stamps_.push_back(fileio::StampOf(watched_.back()));
  }
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  const long long settled_before =
      now - std::chrono::duration_cast<std::chrono::nanoseconds>(settle_).count();
  settled_ = true;
  for (const fileio::FileStamp& stamp : stamps_) {
    if (stamp.modified_ns >= settled_before || stamp.changed_ns >= settled_before) {
      settled_ = false;
    }
  }
}

std::optional<std::filesystem::path> PolicyCache::FileThatBlocks(std::string_view module) {
  if (!settled_ || !Unchanged()) TakeSnapshot();
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
