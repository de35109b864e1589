#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "link/system_files.h"
#include "link/wide_text_win.h"

namespace dsp {
namespace {

// The errno a failed Win32 call stands for, as far as the callers tell them apart.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

}  // namespace

int OpenFileForReading(const std::string& path) {
  return _wopen(WideText(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int OpenFileForWriting(const std::string& path, FileCreation creation) {
  const int how = creation == FileCreation::kNew ? _O_CREAT | _O_EXCL : _O_CREAT | _O_TRUNC;
  return _wopen(WideText(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT | how, _S_IREAD | _S_IWRITE);
}

// Each open file has one reader, the transfer thread, so seeking is safe.
std::int64_t ReadFileAt(int fd, void* into, std::size_t size, std::uint64_t offset) {
  if (_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) return -1;
  return _read(fd, into, static_cast<unsigned>(size));
}

int SyncFile(int fd) { return _commit(fd); }

// Windows files have no permission bits to keep.
int CopyPermissions(int, unsigned) { return 0; }

// Replaces the target as one step, and only returns once the rename is on the disk.
int RenameOver(const std::string& from, const std::string& to) {
  if (MoveFileExW(WideText(from).c_str(), WideText(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  errno = ErrnoOf(GetLastError());
  return -1;
}

int CurrentProcessId() { return _getpid(); }

int CheckAccess(const std::string& path, bool write) { return _waccess(WideText(path).c_str(), write ? 2 : 4); }

}  // namespace dsp
