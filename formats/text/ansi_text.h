#pragma once
// Text as the controls hold it (Windows-1252, the ANSI code page of the "A" functions) and as
// files and terminals carry it (UTF-8).
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// The Unicode character of a Windows-1252 byte (the undefined bytes of 0x80-0x9F map to the C1
// control of the same value, as the system's conversion does).
char32_t AnsiToUnicode(unsigned char byte);
// The Windows-1252 byte of a Unicode character, or nothing when the code page has none.
std::optional<unsigned char> UnicodeToAnsi(char32_t code);
// A character as Unicode names it: "U+20AC".
std::string CodePointName(char32_t code);

// Upper and lower case of a Windows-1252 byte. The case pairs: the ASCII letters, the Latin-1
// letters (0xC0-0xDE and 0xE0-0xFE, but for the multiplication and division signs), Š Œ Ž and
// š œ ž, Ÿ and ÿ. Every other byte is its own case.
unsigned char AnsiToUpper(unsigned char byte);
unsigned char AnsiToLower(unsigned char byte);

// Every Windows-1252 byte has a UTF-8 form.
std::string AnsiToUtf8(std::string_view text);

// Converts UTF-8 to Windows-1252 into `out`. Returns why it cannot (ill-formed UTF-8, or a
// character Windows-1252 does not have, with its byte offset), or nothing on success.
std::optional<std::string> Utf8ToAnsi(std::string_view text, std::string& out);

}  // namespace fw
