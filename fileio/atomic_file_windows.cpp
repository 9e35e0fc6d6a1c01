// The Windows side of the atomic writes: WriteFile, FlushFileBuffers, and MoveFileExA replacing
// the old file with the rename written through to the disk.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "fileio/atomic_file.h"
#include "fileio/temporary_names.h"

// After the project's headers, so that no Windows macro rewrites a name of theirs.
#include <windows.h>

namespace fw {

namespace {

// The error of the last failed call, as std::system_error takes it. Taken before anything else
// runs (building a message may call the system too).
std::error_code LastError() {
  return {static_cast<int>(::GetLastError()), std::system_category()};
}

// A file handle that closes itself.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (handle_ != INVALID_HANDLE_VALUE)
      ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
  }

 private:
  HANDLE handle_;
};

// Deletes the file unless it has been kept (renamed into place, or written whole).
class DeletedUnlessKept {
 public:
  DeletedUnlessKept(std::filesystem::path path, FileHandle& handle)
      : path_(std::move(path)), handle_(handle) {}
  DeletedUnlessKept(const DeletedUnlessKept&) = delete;
  DeletedUnlessKept& operator=(const DeletedUnlessKept&) = delete;
  ~DeletedUnlessKept() {
    if (path_.empty()) return;
    handle_.Close();  // a file still open cannot be deleted
    ::DeleteFileA(path_.string().c_str());
  }
  void Keep() { path_.clear(); }

 private:
  std::filesystem::path path_;
  FileHandle& handle_;
};

// A new file, created only where none is.
FileHandle CreateNewFile(const std::filesystem::path& file) {
  return FileHandle(::CreateFileA(file.string().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Writes all of `bytes` to `file` and flushes them to the disk; `path` names the file in
// errors.
void WriteAllFlushed(const FileHandle& file, std::string_view bytes,
                     const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (::WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) == 0) {
      const std::error_code error = LastError();
      throw FileWriteError(FileWriteError::Step::kWrite, error, "cannot write " + path.string());
    }
    bytes.remove_prefix(written);
  }
  if (::FlushFileBuffers(file.get()) == 0) {
    const std::error_code error = LastError();
    throw FileWriteError(FileWriteError::Step::kWrite, error, "cannot flush " + path.string());
  }
}

}  // namespace

void WriteNewFileFlushed(const std::filesystem::path& file, std::string_view bytes) {
  FileHandle handle = CreateNewFile(file);
  if (!handle) {
    const std::error_code error = LastError();
    throw FileWriteError(FileWriteError::Step::kCreate, error, "cannot create " + file.string());
  }
  DeletedUnlessKept guard(file, handle);
  WriteAllFlushed(handle, bytes, file);
  handle.Close();
  guard.Keep();
}

void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  // A name of this process's own; CREATE_NEW makes sure nobody else's file is reused.
  std::filesystem::path temporary;
  FileHandle handle(INVALID_HANDLE_VALUE);
  for (unsigned attempt = 0;; ++attempt) {
    temporary = fileio::TemporaryBeside(file, ::GetCurrentProcessId(), attempt);
    handle = CreateNewFile(temporary);
    if (handle) break;
    const std::error_code error = LastError();
    const bool taken = error.value() == static_cast<int>(ERROR_FILE_EXISTS) ||
                       error.value() == static_cast<int>(ERROR_ALREADY_EXISTS);
    if (!taken || attempt >= fileio::kLastTemporaryAttempt) {
      throw std::system_error(error, "cannot create the temporary file " + temporary.string());
    }
  }
  DeletedUnlessKept guard(temporary, handle);
  WriteAllFlushed(handle, bytes, temporary);
  handle.Close();
  if (::MoveFileExA(temporary.string().c_str(), file.string().c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    const std::error_code error = LastError();
    throw std::system_error(error, "cannot rename " + temporary.string() + " to " + file.string());
  }
  guard.Keep();
}

}  // namespace fw
