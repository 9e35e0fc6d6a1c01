#include "tools/preview/ansi_text.h"

#include "formats/text/ansi_text.h"

namespace fw::preview {

#ifdef _WIN32

std::string ArgumentToAnsi(std::string_view argument) {
  return std::string(argument);
}

std::string AnsiToOutput(std::string_view text) {
  return std::string(text);
}

#else

std::string ArgumentToAnsi(std::string_view argument) {
  std::string out;
  if (const auto problem = Utf8ToAnsi(argument, out)) throw AnsiTextError(*problem);
  return out;
}

std::string AnsiToOutput(std::string_view text) {
  return AnsiToUtf8(text);
}

#endif

}  // namespace fw::preview
