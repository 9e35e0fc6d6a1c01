// ferrowind-gdi SCRIPT OUT: runs a drawing script through this build's GDI and writes the
// surface (OUT: .ppm, .png, or - for PPM on standard output).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/gdi.h"
#include "tools/gdi/script.h"
#include "tools/image/image.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kUsageError = 2;

int Usage(const char* message) {
  std::cerr << "ferrowind-gdi: " << message << "\n"
            << "usage: ferrowind-gdi SCRIPT OUT   (OUT: FILE.ppm, FILE.png or - for PPM on "
               "standard output)\n";
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage("expected a script and an output");
  const std::string script_path = argv[1];
  const std::string out_path = argv[2];
  if (out_path != "-" && !out_path.ends_with(".ppm") && !out_path.ends_with(".png")) {
    return Usage(("output '" + out_path + "' must end in .ppm or .png, or be -").c_str());
  }
  std::ifstream in(script_path, std::ios::binary);
  if (!in) {
    std::cerr << "ferrowind-gdi: " << script_path << ": cannot open the script\n";
    return kUsageError;
  }
  std::stringstream text;
  text << in.rdbuf();
  try {
    const auto script = fw::gdiscript::ParseScript(text.str());
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
        return 1;
      }
    } else {
      fw::image::WriteImageFile(image, out_path);
    }
  } catch (const fw::gdiscript::ScriptError& error) {
    std::cerr << "ferrowind-gdi: " << script_path << ": " << error.what() << "\n";
    return kUsageError;
  } catch (const std::exception& error) {
    std::cerr << "ferrowind-gdi: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
