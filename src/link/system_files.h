#pragma once

// The few file operations whose calls differ between systems, on the
// system's file descriptors; each system's code is in system_files_posix.cpp
// or system_files_win.cpp. Paths are UTF-8. Failures return -1 with errno set.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dsp {

// For reading. Where FIFOs exist it does not wait for a writer, so that the
// caller's check for a regular file refuses one instead of hanging.
int OpenFileForReading(const std::string& path);

enum class FileCreation {
  kNew,       // fails when the file exists
  kTruncate,  // creates or empties it; where FIFOs exist, never waits for a reader
};
int OpenFileForWriting(const std::string& path, FileCreation creation);

// Reads at `offset` without moving a position another reader relies on.
std::int64_t ReadFileAt(int fd, void* into, std::size_t size, std::uint64_t offset);

// Puts what was written on the disk.
int SyncFile(int fd);

// Gives the new file the permissions of the one it replaces, where files have them.
int CopyPermissions(int fd, unsigned mode);

// Renames `from` over `to` in one step, replacing it.
int RenameOver(const std::string& from, const std::string& to);

int CurrentProcessId();

// 0 when this user may read (or, with `write`, write) the file or folder.
int CheckAccess(const std::string& path, bool write);

}  // namespace dsp
