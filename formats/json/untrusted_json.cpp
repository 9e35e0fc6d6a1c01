#include "formats/json/untrusted_json.h"

#include <string>

namespace fw {

nlohmann::ordered_json ParseUntrustedJson(std::string_view text) {
  using Json = nlohmann::ordered_json;
  std::size_t members = 0;
  const auto limit = [&members](int depth, Json::parse_event_t event, Json&) {
    if (depth > kMaxJsonDepth) {
      throw JsonTextError("the JSON is nested deeper than " + std::to_string(kMaxJsonDepth) +
                          " levels");
    }
    if (event == Json::parse_event_t::key && ++members > kMaxJsonMembers) {
      throw JsonTextError("the JSON has more than " + std::to_string(kMaxJsonMembers) +
                          " object members");
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), limit);
  } catch (const Json::parse_error& e) {
    // nlohmann's message gives the line and column; drop its "[json.exception...] " tag.
    std::string message = e.what();
    if (const std::size_t tag_end = message.find("] "); tag_end != std::string::npos) {
      message.erase(0, tag_end + 2);
    }
    throw JsonTextError("malformed JSON at byte " + std::to_string(e.byte) + ": " + message);
  } catch (const Json::exception& e) {
    // Anything else nlohmann refuses while parsing, such as a number too large for a double.
    throw JsonTextError(std::string("malformed JSON: ") + e.what());
  }
}

}  // namespace fw
