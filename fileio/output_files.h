#pragma once
// The files a tool writes, written all or none. Each one is first written in full to a
// temporary file in its destination's folder (so that the rename stays on one file system);
// only when every one is written are they renamed into place. A failure on the way removes the
// temporary files and leaves every destination as it was: missing, or with its old contents.
//
// Each temporary file is written and flushed to the disk before anything is renamed
// (fileio/atomic_file.h), so a file in place is never one whose bytes are still on their way.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// An output that could not be written; the message starts with the destination's name.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  // Removes whatever was staged and not committed, and any backup a failed commit left.
  ~OutputFiles();

  // Writes `bytes` to a temporary file beside `path`. Throws OutputError naming `path` when its
  // folder is missing or not a folder, `path` is a folder, or the file cannot be created or
  // written (nothing is left behind then).
  void Stage(const std::filesystem::path& path, std::string_view bytes);

  // Renames every staged file into place, in the order staged. When one cannot be renamed, the
  // ones already renamed are put back as they were (their old contents, or no file) and
  // OutputError naming it is thrown. Nothing staged is left afterwards either way.
  void Commit();

 private:
  struct Staged {
    std::filesystem::path target;
    std::filesystem::path temporary;
    std::filesystem::path backup;  // the old target, kept until every rename is done
    bool moved = false;
  };
  void RollBack();

  std::vector<Staged> staged_;
};

}  // namespace fw
