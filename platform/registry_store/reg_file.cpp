#include "platform/registry_store/reg_file.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "formats/text/ansi_text.h"
#include "platform/printable_text.h"
#include "platform/registry_store/reg_value_bytes.h"

namespace fw::soft {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// 1 to 8 hexadecimal digits as a number.
std::optional<std::uint32_t> ParseHex32(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    const auto digit = HexDigit(c);
    if (!digit) return std::nullopt;
    value = (value << 4) | *digit;
  }
  return value;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && NamesEqual(text.substr(0, prefix.size()), prefix);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// One physical line of a value's hex list and where it is in the file.
struct HexPiece {
  std::string_view text;
  std::size_t line;
};

class Parser {
 public:
  Parser(std::string_view text, std::string_view file) : text_(text), file_(file) {}

  RegTree Parse() {
    if (text_.empty()) return tree_;
    if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
    if (text_.starts_with("\xFF\xFE") || text_.starts_with("\xFE\xFF")) {
      Fail(1, "the file is UTF-16; the registry file is read as UTF-8");
    }
    SplitLines();
    bool header = false;
    for (next_ = 0; next_ < lines_.size();) {
      const std::size_t line = next_ + 1;
      const std::string_view text = Trim(lines_[next_++]);
      if (text.empty()) continue;
      if (!header) {
        if (text != kRegFileHeader) {
          Fail(line,
               "expected the header line " + Quoted(kRegFileHeader) + ", found " + Quoted(text));
        }
        header = true;
      } else if (text.front() == ';') {
        continue;
      } else if (text.front() == '[') {
        ParseKeyLine(text, line);
      } else if (text.front() == '"' || text.front() == '@') {
        ParseValueLine(text, line);
      } else {
        Fail(line, "expected a [key] line, a value line or a ;comment, found " + Quoted(text));
      }
    }
    if (!header) Fail(1, "the header line " + Quoted(kRegFileHeader) + " is missing");
    return std::move(tree_);
  }

 private:
  [[noreturn]] void Fail(std::size_t line, std::string problem) const {
    throw RegFileError(file_, line, std::move(problem));
  }

  // The lines of the text; a line feed ends a line, so the text's last one adds no empty line.
  void SplitLines() {
    std::size_t start = 0;
    while (start < text_.size()) {
      std::size_t end = text_.find('\n', start);
      if (end == std::string_view::npos) end = text_.size();
      std::string_view line = text_.substr(start, end - start);
      if (line.ends_with('\r')) line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  std::string ToAnsi(std::string_view utf8, std::size_t line, std::string_view what) const {
    std::string ansi;
    if (const auto why = Utf8ToAnsi(utf8, ansi)) {
      Fail(line, "the " + std::string(what) + " " + Quoted(utf8) + " cannot be held: " + *why);
    }
    return ansi;
  }

  void ParseKeyLine(std::string_view text, std::size_t line) {
    if (!text.ends_with(']')) Fail(line, "the key line " + Quoted(text) + " does not end with ]");
    const std::string_view path = text.substr(1, text.size() - 2);
    if (path.starts_with('-')) {
      Fail(line, "deleting a key ([-...]) has no meaning in the registry file");
    }
    const std::size_t root_end = std::min(path.find('\\'), path.size());
    const auto root = RootIndexOfName(path.substr(0, root_end));
    if (!root) {
      Fail(line, "unknown root key " + Quoted(path.substr(0, root_end)) +
                     " (expected HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or "
                     "HKEY_USERS)");
    }
    RegKeyNode* key = &tree_.root(*root);
    std::size_t start = root_end;
    while (start < path.size()) {
      ++start;  // the backslash
      const std::size_t end = std::min(path.find('\\', start), path.size());
      const std::string_view name = path.substr(start, end - start);
      if (name.empty()) Fail(line, "the key path " + Quoted(path) + " has an empty key name");
      std::string ansi = ToAnsi(name, line, "key name");
      // A name the file could not hold again would make every later write of the store fail.
      if (!IsWritableKeyName(ansi)) {
        Fail(line, "the key path " + Quoted(path) + " has a key name with a NUL or a line break");
      }
      key = &key->AddSubkey(std::move(ansi));
      start = end;
    }
    key_ = key;
  }

  // A quoted string starting at text[pos]; on return pos is just past its closing quote.
  std::string ParseQuoted(std::string_view text, std::size_t& pos, std::size_t line,
                          std::string_view what) const {
    std::string utf8;
    for (++pos; pos < text.size(); ++pos) {
      const char c = text[pos];
      if (c == '"') {
        ++pos;
        return ToAnsi(utf8, line, what);
      }
      if (c == '\\') {
        if (pos + 1 >= text.size() || (text[pos + 1] != '\\' && text[pos + 1] != '"')) {
          Fail(line, "the " + std::string(what) + " has an unknown escape " +
                         Quoted(text.substr(pos, 2)) + " (only \\\\ and \\\" are escapes)");
        }
        ++pos;
      }
      utf8 += text[pos];
    }
    Fail(line, "the " + std::string(what) + " has no closing quote");
  }

  void ParseValueLine(std::string_view text, std::size_t line) {
    if (key_ == nullptr) Fail(line, "a value line before any [key] line");
    std::size_t pos = 0;
    std::string name;
    if (text.front() == '@') {
      pos = 1;
    } else {
      name = ParseQuoted(text, pos, line, "value name");
      if (!IsWritableValueName(name)) {
        Fail(line, "the value name holds a NUL or a line break");
      }
    }
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos >= text.size() || text[pos] != '=') {
      Fail(line, "expected = after the value name in " + Quoted(text));
    }
    const std::string_view data = Trim(text.substr(pos + 1));
    if (data.starts_with('"')) {
      std::size_t end = 0;
      std::string value = ParseQuoted(data, end, line, "text value");
      if (end != data.size()) {
        Fail(line, "unexpected " + Quoted(data.substr(end)) + " after the text value's quote");
      }
      std::vector<std::uint8_t> bytes(value.begin(), value.end());
      bytes.push_back(0);
      key_->SetValue(name, kRegSz, std::move(bytes));
    } else if (StartsWithNoCase(data, "dword:")) {
      const auto number = ParseHex32(data.substr(6));
      if (!number) {
        Fail(line,
             "the dword value " + Quoted(data.substr(6)) + " is not 1 to 8 hexadecimal digits");
      }
      key_->SetValue(name, kRegDword, DwordBytes(*number));
    } else if (StartsWithNoCase(data, "hex:") || StartsWithNoCase(data, "hex(")) {
      ParseHexValue(name, data, line);
    } else if (data == "-") {
      Fail(line, "deleting a value (=-) has no meaning in the registry file");
    } else {
      Fail(line, "unknown value data " + Quoted(data) +
                     " (expected \"text\", dword:, hex: or hex(type):)");
    }
  }

  void ParseHexValue(const std::string& name, std::string_view data, std::size_t line) {
    std::uint32_t type = kRegBinary;
    std::size_t colon = 3;
    if (data[3] == '(') {
      const std::size_t close = data.find(')');
      const auto number =
          close == std::string_view::npos ? std::nullopt : ParseHex32(data.substr(4, close - 4));
      if (!number || close + 1 >= data.size() || data[close + 1] != ':') {
        Fail(line, "expected hex(type): with the type in 1 to 8 hexadecimal digits, found " +
                       Quoted(data));
      }
      type = *number;
      colon = close + 1;
    }
    std::vector<HexPiece> pieces{{Trim(data.substr(colon + 1)), line}};
    while (pieces.back().text.ends_with('\\')) {
      pieces.back().text.remove_suffix(1);
      if (next_ >= lines_.size()) Fail(line, "the hex list continues past the end of the file");
      pieces.push_back({Trim(lines_[next_]), next_ + 1});
      ++next_;
    }
    std::vector<std::uint8_t> bytes = ParseHexBytes(pieces);
    if (IsTextType(type)) {
      std::string ansi;
      if (const auto why = Utf16LeToAnsi(bytes, ansi)) {
        Fail(line, "the hex(" + std::to_string(type) + ") text " + *why);
      }
      bytes.assign(ansi.begin(), ansi.end());
    }
    key_->SetValue(name, type, std::move(bytes));
  }

  // The comma-separated bytes of the pieces; a list may break after any comma.
  std::vector<std::uint8_t> ParseHexBytes(const std::vector<HexPiece>& pieces) const {
    std::string joined;
    std::vector<std::pair<std::size_t, std::size_t>> starts;  // offset in joined, line
    for (const HexPiece& piece : pieces) {
      starts.emplace_back(joined.size(), piece.line);
      joined += piece.text;
    }
    std::vector<std::uint8_t> bytes;
    if (Trim(joined).empty()) return bytes;
    std::size_t start = 0;
    while (start <= joined.size()) {
      const std::size_t end = std::min(joined.find(',', start), joined.size());
      const std::string_view token = Trim(std::string_view(joined).substr(start, end - start));
      const auto number = token.size() <= 2 ? ParseHex32(token) : std::nullopt;
      if (!number) {
        std::size_t line = starts.front().second;
        for (const auto& [offset, piece_line] : starts) {
          if (offset <= start) line = piece_line;
        }
        Fail(line, "expected a byte of 1 or 2 hexadecimal digits in the hex list, found " +
                       Quoted(token));
      }
      bytes.push_back(static_cast<std::uint8_t>(*number));
      start = end + 1;
    }
    return bytes;
  }

  std::string_view text_;
  std::string file_;
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  RegTree tree_;
  RegKeyNode* key_ = nullptr;
};

// Writes `bytes` as a hex list after `line` (the line so far), breaking lines as regedit does:
// no line longer than 80 characters, each continued with ",\" and indented by two spaces.
void AppendHexList(std::string& out, std::string line, std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::string item{kDigits[bytes[i] >> 4], kDigits[bytes[i] & 0xF]};
    if (i + 1 < bytes.size()) item += ',';
    if (line.size() + item.size() + 1 > 80) {
      out += line + "\\\n";
      line = "  ";
    }
    line += item;
  }
  out += line + '\n';
}

std::string QuoteForFile(std::string_view ansi) {
  std::string out = "\"";
  for (const char c : AnsiToUtf8(ansi)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

// A REG_SZ that reads back the same from "text": one NUL, at the end, and no line breaks.
bool IsPlainText(std::span<const std::uint8_t> data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  }
  return true;
}

void AppendValue(std::string& out, const RegValue& value) {
  if (!IsWritableValueName(value.name)) {
    throw std::invalid_argument("the value name " + QuoteForFile(value.name) +
                                " cannot be written to a registry file");
  }
  const std::string head = (value.name.empty() ? "@" : QuoteForFile(value.name)) + "=";
  if (value.type == kRegSz && IsPlainText(value.data)) {
    const std::string_view text(reinterpret_cast<const char*>(value.data.data()),
                                value.data.size() - 1);
    out += head + QuoteForFile(text) + '\n';
  } else if (value.type == kRegDword && value.data.size() == 4) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string digits;
    for (std::size_t i = 4; i-- > 0;) {
      digits += kDigits[value.data[i] >> 4];
      digits += kDigits[value.data[i] & 0xF];
    }
    out += head + "dword:" + digits + '\n';
  } else if (value.type == kRegBinary) {
    AppendHexList(out, head + "hex:", value.data);
  } else {
    std::array<char, 16> type{};
    std::snprintf(type.data(), type.size(), "%x", static_cast<unsigned>(value.type));
    const std::string prefix = head + "hex(" + type.data() + "):";
    if (IsTextType(value.type)) {
      AppendHexList(out, prefix, AnsiToUtf16Le(value.data));
    } else {
      AppendHexList(out, prefix, value.data);
    }
  }
}

void AppendKey(std::string& out, const RegKeyNode& key, const std::string& path, bool is_root) {
  const bool section =
      is_root ? !key.values().empty() : !key.values().empty() || key.subkeys().empty();
  if (section) {
    out += "[" + path + "]\n";
    for (const RegValue& value : key.values()) AppendValue(out, value);
    out += '\n';
  }
  for (const RegKeyNode& subkey : key.subkeys()) {
    if (!IsWritableKeyName(subkey.name())) {
      throw std::invalid_argument("the key name " + QuoteForFile(subkey.name()) + " under " + path +
                                  " cannot be written to a registry file");
    }
    AppendKey(out, subkey, path + "\\" + AnsiToUtf8(subkey.name()), false);
  }
}

bool HasLineBreakOrNul(std::string_view name) {
  return name.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos;
}

}  // namespace

RegFileError::RegFileError(std::string file, std::size_t line, std::string problem)
    : std::runtime_error((file.empty() ? std::string("registry file") : file) + ":" +
                         std::to_string(line) + ": " + PrintableText(problem)),
      file_(std::move(file)),
      line_(line),
      problem_(PrintableText(problem)) {}

RegTree ParseRegFile(std::string_view text, std::string_view file) {
  return Parser(text, file).Parse();
}

std::string WriteRegFile(const RegTree& tree) {
  std::string out(kRegFileHeader);
  out += "\n\n";
  for (std::size_t i = 0; i < kRootCount; ++i) {
    AppendKey(out, tree.root(i), std::string(kRootNames[i]), true);
  }
  return out;
}

bool IsWritableKeyName(std::string_view name) {
  return !name.empty() && name.find('\\') == std::string_view::npos && !HasLineBreakOrNul(name);
}

bool IsWritableValueName(std::string_view name) {
  return !HasLineBreakOrNul(name);
}

}  // namespace fw::soft
