#pragma once
// The texts Form1 shows: its message boxes' texts and titles.
#include <string_view>

namespace fw::app::texts {

inline constexpr std::string_view kLocked = "Locked";
inline constexpr std::string_view kUnlocked = "Un-Locked";

inline constexpr std::string_view kLockedMessage = " USB Port Has Been Locked...";
inline constexpr std::string_view kUnlockedMessage = " USB Port Has Been Un-Locked...";

inline constexpr std::string_view kFailureTitle = "Ferrowind";
inline constexpr std::string_view kLockFailed =
    "The USB port could not be locked. Run Ferrowind as an administrator and try again.";
inline constexpr std::string_view kUnlockFailed =
    "The USB port could not be unlocked. Run Ferrowind as an administrator and try again.";

inline constexpr std::string_view kNoteTitle = "About the protection...";
// Sixteen pieces joined with nothing in between: where a piece ends without a space, the next
// one's first word follows directly.
inline constexpr std::string_view kNote =
    "Note that this will only prevent usage of"
    "newly plugged-in USB Removable Drives or flash drives,"
    "devices that were plugged-in while this option was not "
    "configured will continue to function normally."
    "Also, devices that use the same device or hardware ID "
    "(for example - 2 identical flash drives made by the same manufacturer) "
    "will still function if one of them was plugged-in prior to the "
    "configuration of this setting. In order to successfully block them "
    "you will need to make sure no USB Removable Drive is plugged-in "
    "while you set this option."
    "\r\n"
    ""
    "\r\n"
    "Note: This tool will allow you to block usage of USB removable disks,"
    "but will continue to allow usage of USB mice, keyboards or any other "
    "USB-based device that is NOT a portable disk.";

inline constexpr std::string_view kAboutTitle = "About Ferrowind";
// Five lines separated by a carriage return alone.
inline constexpr std::string_view kAbout =
    "Author          The Ferrowind developers\r"
    "E-mail           team@ferrowind.org\r"
    "Web Site      https://ferrowind.org\r"
    "\r"
    "Thank you for using this program";

inline constexpr std::string_view kQuitTitle = "Exit";
inline constexpr std::string_view kQuitQuestion = "Are you sure you want to quit ?";

}  // namespace fw::app::texts
