#include "platform/modprobe/modprobe_config.h"

#include <fcntl.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "fileio/posix_file.h"
#include "fileio/unique_fd.h"

namespace fw::modprobe {
namespace {

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

std::string ReadWhole(const std::filesystem::path& file) {
  const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) throw std::runtime_error(file.string() + " cannot be read");
  return fileio::ReadToEnd(fd.get(), file);
}

}  // namespace

std::string NormalizeModuleName(std::string_view name) {
  std::string normal(name);
  std::replace(normal.begin(), normal.end(), '-', '_');
  return normal;
}

std::vector<ModuleRule> ParseModprobeConfig(std::string_view text) {
  std::vector<ModuleRule> rules;
  std::string logical;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A backslash at the end joins the next line.
    if (!line.empty() && line.back() == '\\' && at <= text.size()) {
      logical.append(line.substr(0, line.size() - 1));
      logical.push_back(' ');
      continue;
    }
    logical.append(line);
    const std::string whole = std::exchange(logical, std::string());
    const std::string_view content = std::string_view(whole).substr(0, whole.find('#'));
    const std::vector<std::string> words = Words(content);
    if (words.size() >= 3 && words[0] == "install") {
      std::string command = words[2];
      for (std::size_t i = 3; i < words.size(); ++i) command += " " + words[i];
      rules.push_back({ModuleRule::Kind::kInstall, NormalizeModuleName(words[1]), command});
    } else if (words.size() == 2 && words[0] == "blacklist") {
      rules.push_back({ModuleRule::Kind::kBlacklist, NormalizeModuleName(words[1]), {}});
    }
    if (end == text.size()) break;
  }
  return rules;
}

std::vector<std::filesystem::path> EffectiveConfigFiles(const std::filesystem::path& root) {
  // By name: the first folder that has a name gives its file.
  std::map<std::string, std::filesystem::path> by_name;
  for (const std::string_view folder : kConfigFolders) {
    const std::filesystem::path dir = root / folder;
    std::error_code error;
    std::filesystem::directory_iterator it(dir, error);
    if (error) {
      // A folder that is not there holds no rules; one that cannot be read might.
      if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
        continue;
      }
      throw std::runtime_error("the folder " + dir.string() +
                               " cannot be read: " + error.message());
    }
    for (std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
      const std::filesystem::path& file = it->path();
      const std::string name = file.filename().string();
      if (file.extension() != ".conf" || name.front() == '.') continue;
      if (!it->is_regular_file(error) && !it->is_symlink(error)) continue;
      by_name.emplace(name, file);
    }
  }
  std::vector<std::filesystem::path> files;
  for (auto& [name, file] : by_name) files.push_back(file);
  return files;
}

std::optional<std::filesystem::path> FileThatBlocks(const std::filesystem::path& root,
                                                    std::string_view module,
                                                    const std::filesystem::path& ignored) {
  return FileThatBlocksAmong(EffectiveConfigFiles(root), module, ignored);
}

std::optional<std::filesystem::path> FileThatBlocksAmong(
    std::span<const std::filesystem::path> files, std::string_view module,
    const std::filesystem::path& ignored) {
  const std::string wanted = NormalizeModuleName(module);
  for (const std::filesystem::path& file : files) {
    if (!ignored.empty() && file == ignored) continue;
    std::error_code error;
    if (!std::filesystem::exists(file, error)) continue;  // a dangling link
    for (const ModuleRule& rule : ParseModprobeConfig(ReadWhole(file))) {
      if (rule.kind != ModuleRule::Kind::kInstall || rule.module != wanted) continue;
      // The first install rule is the one modprobe runs.
      if (rule.command == "/bin/false" || rule.command == "/bin/true") return file;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace fw::modprobe
