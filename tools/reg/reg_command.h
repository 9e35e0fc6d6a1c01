#pragma once
// ferrowind-reg's command line, in reg.exe's syntax:
//
//   query  KEY [/v NAME | /ve]
//   add    KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] [/f]
//
// KEY is ROOT[\PATH] with ROOT one of HKLM, HKCU, HKCR, HKU or their full names. Options start
// with "/" or "-" and are read without regard to case.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw::regtool {

// A command line that does not say what to do; the message names the argument.
class RegUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class RegOperation { kHelp, kQuery, kAdd, kDelete };

// Which values a command is about: none (the key itself), one by name, the default value, or
// every value of the key (/va).
enum class ValueChoice { kKey, kNamed, kDefault, kAll };

struct RegCommand {
  RegOperation operation = RegOperation::kHelp;
  std::size_t root = 0;           // index of the root, as in soft::kRootNames
  std::vector<std::string> path;  // the key's names below the root, in Windows-1252
  std::string key_text;           // the key as query prints it: full root name, then the path
  ValueChoice values = ValueChoice::kKey;
  std::string value_name;  // for kNamed, in Windows-1252
  std::uint32_t type = 1;  // REG_SZ unless /t says otherwise
  std::vector<std::uint8_t> data;
  bool force = false;
};

// Reads the arguments that follow the program's name. Throws RegUsageError.
RegCommand ParseRegCommand(std::span<const std::string> args);

}  // namespace fw::regtool
