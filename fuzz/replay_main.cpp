// Runs inputs through a fuzz target's entry point without libFuzzer: every file named, and every
// file in every folder named, once, in name order. The Linux builds link each target with this
// driver, so that every seed and every input that ever broke a target stays a test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& place) {
  if (!std::filesystem::is_directory(place)) return {place};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(place)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path place = argv[i];
    if (!std::filesystem::exists(place)) {
      std::cerr << place.string() << ": no such file or folder\n";
      return 1;
    }
    for (const auto& file : InputsIn(place)) {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        std::cerr << file.string() << ": cannot be read\n";
        return 1;
      }
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
      // Say which input runs, so that a crash names it.
      std::cerr << "replaying " << file.string() << "\n";
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  std::cout << "replayed " << replayed << " inputs\n";
  // A target that replays nothing tests nothing: its seeds went missing.
  return replayed > 0 ? 0 : 1;
}
