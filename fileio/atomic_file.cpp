// What both builds' atomic writes share: the names of their temporary files, and the removal of
// the ones a dead writer left.
#include "fileio/atomic_file.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <system_error>

#include "fileio/temporary_names.h"

namespace fw {
namespace fileio {
namespace {

std::string TemporaryPrefix(const std::filesystem::path& file) {
  return "." + file.filename().string() + ".";
}

// Whether `name` is "<prefix><digits>.<digits>.tmp", as TemporaryBeside names them.
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  constexpr std::string_view kSuffix = ".tmp";
  if (!name.starts_with(prefix) || !name.ends_with(kSuffix)) return false;
  name.remove_prefix(prefix.size());
  name.remove_suffix(kSuffix.size());
  const std::size_t dot = name.find('.');
  const auto digits = [](std::string_view part) {
    return !part.empty() &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return dot != std::string_view::npos && digits(name.substr(0, dot)) &&
         digits(name.substr(dot + 1));
}

}  // namespace

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& file, unsigned long process,
                                      unsigned attempt) {
  return FolderOf(file) /
         (TemporaryPrefix(file) + std::to_string(process) + "." + std::to_string(attempt) + ".tmp");
}

}  // namespace fileio

std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& file) {
  const std::string prefix = fileio::TemporaryPrefix(file);
  std::size_t removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(fileio::FolderOf(file), error), end;
       !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (fileio::IsTemporaryName(it->path().filename().string(), prefix) &&
        !it->is_directory(ignored) && std::filesystem::remove(it->path(), ignored)) {
      ++removed;
    }
  }
  return removed;
}

}  // namespace fw
