#pragma once
// JSON from outside the program (a saved property bag, a window's stored design), parsed with
// limits that keep a hostile document from exhausting the stack (nesting) or time (members are
// looked up linearly while an ordered object is built). A bag is a flat object of a few dozen
// properties; a window's design holds a few hundred members.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>

namespace fw {

inline constexpr int kMaxJsonDepth = 64;
inline constexpr std::size_t kMaxJsonMembers = 10000;

// JSON that cannot be read: malformed (the message gives the byte, line and column), a number
// too large for any type, or beyond the limits.
class JsonTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

nlohmann::ordered_json ParseUntrustedJson(std::string_view text);

}  // namespace fw
