#pragma once
// The keystrokes a control may send to its container (User32::SendKeys): "{Tab}" moves the
// focus on, "+{Tab}" back, in any case and any number. Both hosts read them the same way.
#include <string_view>
#include <vector>

namespace fw {

// Each Tab in `keys`, in order: true for Shift+Tab. Throws std::invalid_argument naming the text
// for anything else.
std::vector<bool> ParseSentTabs(std::string_view keys);

}  // namespace fw
