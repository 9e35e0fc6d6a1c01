#pragma once
// The Linux build's registry: a RegTree kept in a registry file
// (platform/registry_store/reg_file.h) that several processes share (the program and
// ferrowind-reg).
//
// Reading. Refresh() brings the tree up to date with the file. It re-reads the file only when
// the file changed since it was last read: another device or inode (every write replaces the
// file), size, modification or change time. The store keeps the file it read open, so that its
// inode number cannot pass to another file meanwhile. An unchanged file costs one stat(). A
// missing file is an empty registry.
//
// Writing. Modify() applies one change under an exclusive flock() on "<file>.lock" (a file of its
// own, since every write replaces the registry file): it re-reads the file, applies the change
// to what it read, and replaces the file atomically (fileio/atomic_file.h). Two processes
// writing at once therefore never lose one another's changes. The folder is created on the first
// write. A writer killed before its rename leaves its temporary file behind; the next write
// removes it, under the lock, where no other writer can be making one.
//
// Read-only. A file without any write permission bit, or a folder (or, while the folder does
// not exist, its nearest existing parent) without any, refuses every write with
// kErrorAccessDenied and nothing changes. The bits are checked, not only what open() says, so
// the rule holds for root as well. Reading a read-only store works, even where no lock file can
// be made.
//
// Broken. A file that cannot be parsed fails reads and writes with kErrorBadDb; last_error()
// gives the file, the line and the problem. Such a file is never written over. A watch
// (WatchReads) hears when the file breaks and when it reads well again.
//
// A store is used by one thread at a time.
#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "fileio/posix_file.h"
#include "fileio/unique_fd.h"
#include "platform/registry.h"
#include "platform/registry_store/reg_tree.h"

namespace fw::soft {

// $FERROWIND_REGISTRY when it is set and not empty; else $XDG_STATE_HOME/ferrowind/registry.reg,
// XDG_STATE_HOME defaulting to $HOME/.local/state (HOME to the user's home folder from the
// password database). Throws std::runtime_error when there is no home folder either.
std::filesystem::path DefaultRegistryPath();

class RegistryStore {
 public:
  explicit RegistryStore(std::filesystem::path file);
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  const std::filesystem::path& file() const { return file_; }
  std::filesystem::path lock_file() const;

  // kErrorSuccess, or the reason the file cannot be read: kErrorBadDb (it cannot be parsed),
  // kErrorAccessDenied (no permission to read it), kErrorRegistryIoFailed (anything else).
  RegStatus Refresh();
  // The tree as of the last successful Refresh() or Modify().
  const RegTree& tree() const { return tree_; }

  // True when a write would be refused; `why` (may be null) then names the file or folder.
  bool IsReadOnly(std::string* why = nullptr) const;

  // Changes the tree in the file. `change` gets the tree as the file holds it now and returns
  // kErrorSuccess to keep what it did, anything else to drop it (that status is returned, and
  // nothing is written). A change that leaves the tree as it was writes nothing either.
  // Besides the Refresh() failures: kErrorAccessDenied for a read-only store.
  using Change = std::function<RegStatus(RegTree&)>;
  RegStatus Modify(const Change& change);

  // Why the last failed Refresh() or Modify() failed; empty after one that succeeded (a change
  // that returned a status of its own leaves it empty too).
  const std::string& last_error() const { return last_error_; }

  // How many times the file has been read and parsed (an unchanged file is not read again).
  std::size_t reads() const { return reads_; }

  // Hears each change in what reading the file comes to: the reason (as last_error() gives it)
  // when a Refresh() (or the one in Modify()) fails where the one before succeeded or failed
  // for another reason, and the empty text when one succeeds again after failing. A store whose
  // reads keep failing for one reason tells it once. Replaces the watch before; an empty one
  // hears nothing.
  using ReadWatch = std::function<void(const std::string& problem)>;
  void WatchReads(ReadWatch watch) { watch_ = std::move(watch); }

 private:
  RegStatus Fail(RegStatus status, std::string message);
  RegStatus RefreshFile();
  RegStatus Load();
  void Forget();

  std::filesystem::path file_;
  RegTree tree_;
  std::string last_error_;

  // What the last read found: whether it has read at all, the file it read (held open) and
  // its identity, and the outcome of parsing it.
  bool loaded_ = false;
  UniqueFd held_;
  fileio::FileStamp held_stamp_;
  RegStatus load_status_ = kErrorSuccess;
  std::string load_error_;
  std::size_t reads_ = 0;

  ReadWatch watch_;
  // The last reason the watch was told; empty while reading succeeds.
  std::string told_;
};

}  // namespace fw::soft
