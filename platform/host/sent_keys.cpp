#include "platform/host/sent_keys.h"

#include <stdexcept>
#include <string>

#include "formats/text/ascii_case.h"

namespace fw {

std::vector<bool> ParseSentTabs(std::string_view keys) {
  std::vector<bool> tabs;
  std::string_view rest = keys;
  while (!rest.empty()) {
    const bool shift = rest.front() == '+';
    if (shift) rest.remove_prefix(1);
    if (!EqualsIgnoringAsciiCase(rest.substr(0, 5), "{TAB}")) {
      throw std::invalid_argument("cannot send the keys \"" + std::string(keys) +
                                  "\" (only {Tab} and +{Tab})");
    }
    rest.remove_prefix(5);
    tabs.push_back(shift);
  }
  return tabs;
}

}  // namespace fw
