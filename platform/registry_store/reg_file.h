#pragma once
// The registry's text file: "Windows Registry Editor Version 5.00" (the format regedit exports),
// in UTF-8. A file holds the header line, then sections: a key line
// `[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\USBSTOR]` followed by its values:
//
//   "Name"="text"          REG_SZ (\\ and \" are the only escapes; the NUL is implied)
//   @="text"               the key's default value
//   "Name"=dword:0000000a  REG_DWORD
//   "Name"=hex:01,02,ff    REG_BINARY
//   "Name"=hex(b):..       any other type, by its number in hexadecimal
//
// Hex lists may continue on the next line after a trailing backslash; lines starting with ";"
// are comments. Text types written as hex(1), hex(2) and hex(7) hold UTF-16LE, as regedit
// writes them; in memory every text is Windows-1252.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/registry_store/reg_tree.h"

namespace fw::soft {

inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";

// A registry file that cannot be read as one: which file, which line (1-based) and what is
// wrong with it. what() is "FILE:LINE: PROBLEM".
class RegFileError : public std::runtime_error {
 public:
  RegFileError(std::string file, std::size_t line, std::string problem);

  const std::string& file() const { return file_; }
  std::size_t line() const { return line_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string file_;
  std::size_t line_;
  std::string problem_;
};

// Reads a registry file's text; `file` names it in errors. A file of no bytes at all is an empty
// registry. Throws RegFileError for anything else that is not a registry file: a missing header,
// an unknown root, a malformed value, text that Windows-1252 cannot hold. Several sections for
// one key add up; a value given twice keeps the last.
RegTree ParseRegFile(std::string_view text, std::string_view file);

// The tree as a registry file, the same bytes for the same tree: keys depth first, each key's
// subkeys and values in name order, a section for every key that has values or no subkeys
// (a key with subkeys is implied by theirs), lines ending in "\n". ParseRegFile gives the tree
// back unchanged. Throws std::invalid_argument for a name that IsWritable*Name refuses.
std::string WriteRegFile(const RegTree& tree);

// Names the file can hold: no NUL, carriage return or line feed; key names also not empty and
// without a backslash.
bool IsWritableKeyName(std::string_view name);
bool IsWritableValueName(std::string_view name);

}  // namespace fw::soft
