#include "persist/effect_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "link/system_files.h"
#include "persist/file_name.h"

namespace dsp {
namespace {

constexpr const char* kNameAFile = "Choose a file in a folder you may write to.";

FileResult CannotWrite(const std::string& path, int error, const std::string& advice) {
  return FileResult::Failure(FileError::kCannotWrite, "Cannot write \"" + path + "\": " +
                                                          std::generic_category().message(error) + ". " + advice);
}

}  // namespace

std::string WithBinExtension(const std::string& name) { return WithExtension(name, ".bin"); }

EffectFileWriter::~EffectFileWriter() { Close(); }

FileResult EffectFileWriter::Open(const std::string& path) {
  Close();
  // A FIFO without a reader is refused instead of waited for; anything but
  // a regular file is refused as well.
  fd_ = OpenFileForWriting(path, FileCreation::kTruncate);
  struct stat info {};
  if (fd_ < 0 && errno != ENXIO) return CannotWrite(path, errno, kNameAFile);
  if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    Close();
    return FileResult::Failure(FileError::kCannotWrite,
                               "Cannot write \"" + path + "\": it is not a regular file. " + kNameAFile);
  }
  path_ = path;
  bytes_written_ = 0;
  return FileResult::Success();
}

FileResult EffectFileWriter::Append(ByteView data) {
  if (!IsOpen()) return FileResult::Success();
  while (!data.empty()) {
    const ssize_t written = ::write(fd_, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      return CannotWrite(path_, written < 0 ? errno : ENOSPC, "The blocks written before are kept in the file.");
    }
    data = data.subspan(static_cast<std::size_t>(written));
    bytes_written_ += static_cast<std::uint64_t>(written);
  }
  return FileResult::Success();
}

FileResult EffectFileWriter::Close() {
  if (!IsOpen()) return FileResult::Success();
  const int result = ::close(fd_);
  fd_ = -1;
  if (result != 0) return CannotWrite(path_, errno, "The file may be incomplete.");
  return FileResult::Success();
}

}  // namespace dsp
