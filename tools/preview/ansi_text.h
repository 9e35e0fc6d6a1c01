#pragma once
// Text between the tool's command line or terminal and the controls, which hold their text in
// Windows-1252. The Windows build's arguments and console already use that code page and pass
// through unchanged; elsewhere the command line and the terminal speak UTF-8.
#include <stdexcept>
#include <string>
#include <string_view>

namespace fw::preview {

// Text that cannot be held in Windows-1252; the message says which character and where.
class AnsiTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command-line argument as the controls hold text.
std::string ArgumentToAnsi(std::string_view argument);

// A control's text as the terminal shows it.
std::string AnsiToOutput(std::string_view text);

}  // namespace fw::preview
