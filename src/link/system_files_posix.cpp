#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "link/system_files.h"

namespace dsp {

int OpenFileForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }

int OpenFileForWriting(const std::string& path, FileCreation creation) {
  const int how = creation == FileCreation::kNew ? O_CREAT | O_EXCL : O_CREAT | O_TRUNC | O_NONBLOCK;
  return ::open(path.c_str(), O_WRONLY | O_CLOEXEC | how, 0666);
}

std::int64_t ReadFileAt(int fd, void* into, std::size_t size, std::uint64_t offset) {
  return ::pread(fd, into, size, static_cast<off_t>(offset));
}

int SyncFile(int fd) { return ::fsync(fd); }

int CopyPermissions(int fd, unsigned mode) { return ::fchmod(fd, mode & 07777); }

int RenameOver(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); }

int CurrentProcessId() { return static_cast<int>(::getpid()); }

int CheckAccess(const std::string& path, bool write) { return ::access(path.c_str(), write ? W_OK : R_OK); }

}  // namespace dsp
