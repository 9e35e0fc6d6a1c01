#pragma once
// The USB storage drivers' rules, the one place the window and ferrowind-cli take them from.
//
// Two drivers serve USB drives: USBSTOR (mass storage) and, where the system has it, UASPStor
// (USB Attached SCSI). Each is a service under HKLM\SYSTEM\CurrentControlSet\Services whose
// `Start` (REG_DWORD) decides whether it starts for a drive plugged in: 4 is disabled (locked),
// 3 is on demand (unlocked).
//
// - Reading opens each key for query access only (KEY_READ), so a user without write access
//   sees the true state.
// - Locking writes Start = 4 to UASPStor first, when its key exists, then to USBSTOR through
//   modReg's WriteRegistryValue, as the window always has; unlocking writes 3 the same way.
//   UASPStor's key is opened, never created: where the system has no such driver there is
//   nothing to write.
// - A write that fails ends the sequence with nothing changed: a refused UASPStor leaves USBSTOR
//   unwritten, and a refused USBSTOR puts UASPStor's Start back as it was.
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/mod_reg.h"
#include "platform/registry.h"

namespace fw::app {

inline constexpr RegKey kUsbStorRoot = kHkeyLocalMachine;
inline constexpr std::string_view kUsbStorPath = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
inline constexpr std::string_view kUaspStorPath = "SYSTEM\\CurrentControlSet\\Services\\UASPStor";
inline constexpr std::string_view kStartValue = "Start";
inline constexpr std::int32_t kStartLocked = 4;
inline constexpr std::int32_t kStartUnlocked = 3;

inline constexpr std::string_view kUsbStorName = "USBSTOR";
inline constexpr std::string_view kUaspStorName = "UASPStor";

// What reading one driver's Start found.
enum class StartPresence {
  kNoKey,       // the driver's key does not exist (the driver is not installed)
  kNoValue,     // the key exists without a Start value
  kValue,       // Start was read (a text or a number; Empty for a type that holds neither)
  kUnreadable,  // the key or the value could not be read: `status` says why
};

struct DriverStart {
  std::string_view name;  // kUsbStorName or kUaspStorName
  std::string_view path;  // the driver's key under HKEY_LOCAL_MACHINE
  StartPresence presence = StartPresence::kNoKey;
  RegVariant value;                  // for kValue: what Start holds
  RegStatus status = kErrorSuccess;  // for kUnreadable: the registry's status

  bool Absent() const {
    return presence == StartPresence::kNoKey || presence == StartPresence::kNoValue;
  }
  // The whole number Start holds: a REG_DWORD as the unsigned number stored, a text as the
  // number it converts to when that is whole (as the window reads a text: " 4 " and "&H4" are
  // 4). Nothing when Start is absent, unreadable or holds no whole number.
  std::optional<std::int64_t> Start() const;
};

enum class UsbStorageState {
  kLocked,        // USBSTOR 4, and UASPStor 4 or absent
  kUnlocked,      // USBSTOR 3, and UASPStor absent or anything but 4
  kPartlyLocked,  // USBSTOR 3 or 4, and UASPStor present and disagreeing with it
  kUnknown,       // USBSTOR absent, unreadable or another number; or UASPStor unreadable
};

// "locked", "unlocked", "partly locked", "unknown".
std::string_view StateName(UsbStorageState state);

// The verdict for the two drivers' readings.
UsbStorageState Verdict(const DriverStart& usbstor, const DriverStart& uaspstor);

struct UsbStorageStatus {
  DriverStart usbstor;
  DriverStart uaspstor;
  UsbStorageState state = UsbStorageState::kUnknown;

  // Both drivers could be read (an absent key or value counts as read).
  bool Readable() const {
    return usbstor.presence != StartPresence::kUnreadable &&
           uaspstor.presence != StartPresence::kUnreadable;
  }
};

// Reads one driver's Start under HKEY_LOCAL_MACHINE, its key opened with KEY_READ only.
DriverStart ReadDriverStart(Registry& registry, std::string_view name, std::string_view path);
// Reads both drivers and gives the verdict.
UsbStorageStatus ReadUsbStorageStatus(Registry& registry);

// How a lock or unlock went.
struct StartWriteResult {
  // kErrorSuccess when every write was made; otherwise the status of the call that failed
  // (kErrorAccessDenied for a user without write access).
  RegStatus status = kErrorSuccess;
  // The driver whose key could not be written (empty on success).
  std::string_view failed_driver;
  // Whether UASPStor's key exists and its Start was written (and kept).
  bool uaspstor_written = false;
  // After a failure: false when UASPStor had been written before USBSTOR failed and its former
  // Start could not be put back (`restore_status` says why). True otherwise.
  bool restored = true;
  RegStatus restore_status = kErrorSuccess;

  bool ok() const { return status == kErrorSuccess; }
};

// Start = 4 for both drivers, UASPStor first (only where its key exists), then USBSTOR.
StartWriteResult LockUsbStorage(Registry& registry);
// Start = 3 for both drivers, in the same order and under the same rules.
StartWriteResult UnlockUsbStorage(Registry& registry);

}  // namespace fw::app
