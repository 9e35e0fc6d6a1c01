// ferrowind-gdi SCRIPT OUT: runs a drawing script through this build's GDI and writes the
// surface (OUT: .ppm, .png, or - for PPM on standard output).
//
// Exit statuses: 2 for anything wrong with what the user gave (the arguments, a script that
// cannot be read, a malformed script), 1 when the output cannot be written (its folder is
// missing or read-only, the disk is full). Either way nothing is written: OUT is written to a
// temporary file beside it and renamed into place, so it is never left half-written, and an
// old OUT stays as it was.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

#include "formats/image/image_file.h"
#include "formats/image/ppm.h"
#include "platform/gdi.h"
#include "tools/gdi/script.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;

constexpr const char* kUsage =
    "usage: ferrowind-gdi SCRIPT OUT   (OUT: FILE.ppm, FILE.png or - for PPM on standard "
    "output)\n"
    "Exit status: 0 written; 2 a bad argument, or a script that cannot be read or is malformed;\n"
    "1 OUT could not be written. On failure the message names the file and nothing is written.\n";

int Usage(const std::string& message) {
  std::cerr << "ferrowind-gdi: " << message << "\n" << kUsage;
  return kExitBadInput;
}

// The script's text, or nothing after saying why it cannot be read.
std::optional<std::string> ReadScript(const std::string& path) {
  std::error_code error;
  // A folder opens as a stream on some systems and then reads as an empty script.
  if (std::filesystem::is_directory(path, error)) {
    std::cerr << "ferrowind-gdi: " << path << ": is a folder, not a script\n";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "ferrowind-gdi: " << path << ": cannot open the script"
              << (std::filesystem::exists(path, error) ? "" : " (no such file)") << "\n";
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    std::cerr << "ferrowind-gdi: " << path << ": reading the script failed\n";
    return std::nullopt;
  }
  return std::move(text).str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return kExitWritten;
  }
  if (argc != 3) return Usage("expected a script and an output");
  const std::string script_path = argv[1];
  const std::string out_path = argv[2];
  if (out_path != "-" && !out_path.ends_with(".ppm") && !out_path.ends_with(".png")) {
    return Usage("output '" + out_path + "' must end in .ppm or .png, or be -");
  }
  const std::optional<std::string> text = ReadScript(script_path);
  if (!text) return kExitBadInput;
  fw::gdiscript::Script script;
  try {
    script = fw::gdiscript::ParseScript(*text);
  } catch (const fw::gdiscript::ScriptError& error) {
    std::cerr << "ferrowind-gdi: " << script_path << ": " << error.what() << "\n";
    return kExitBadInput;
  }
  try {
    auto device = fw::CreatePlatformGdiDevice();
    const auto dc = fw::gdiscript::RunScript(script, *device);
    const auto image = fw::image::FromDibPixels(dc->Width(), dc->Height(), dc->Pixels());
    if (out_path == "-") {
#ifdef _WIN32
      _setmode(_fileno(stdout), _O_BINARY);
#endif
      fw::image::WritePpm(image, std::cout);
      std::cout.flush();
      if (!std::cout) {
        std::cerr << "ferrowind-gdi: writing to standard output failed\n";
        return kExitWriteFailed;
      }
    } else {
      fw::image::WriteImageFile(image, out_path);
    }
  } catch (const std::exception& error) {
    std::cerr << "ferrowind-gdi: " << error.what() << "\n";
    return kExitWriteFailed;
  }
  return kExitWritten;
}
