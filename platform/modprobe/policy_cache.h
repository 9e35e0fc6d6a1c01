#pragma once
// The module policy read once and kept while the files it came from stay as they were. The
// window asks for it every 10 ms; reading and parsing every modprobe.d file each time costs more
// than the rest of an idle tick, while checking that nothing changed takes one stat of each
// folder and each file read. A folder or file that changed less than `settle` before it was
// read is read again on the next question: a file system's timestamps may not tell apart two
// writes that close together.
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/posix_file.h"

namespace fw::modprobe {

class PolicyCache {
 public:
  explicit PolicyCache(std::filesystem::path root,
                       std::chrono::milliseconds settle = std::chrono::seconds(2));

  // FileThatBlocks(root, module) of the files as they are now. Throws as it does; a failure is
  // never kept.
  std::optional<std::filesystem::path> FileThatBlocks(std::string_view module);

 private:
  // Whether every watched folder and file stats as it did when it was read.
  bool Unchanged() const;
  void TakeSnapshot();

  std::filesystem::path root_;
  std::chrono::milliseconds settle_;
  std::vector<std::filesystem::path> watched_;  // the folders, then the files they held
  std::vector<fileio::FileStamp> stamps_;       // one per watched path
  bool settled_ = false;
  std::map<std::string, std::optional<std::filesystem::path>> answers_;  // by module
};

}  // namespace fw::modprobe
