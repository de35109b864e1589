#include "persist/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "link/system_files.h"
#include "link/utf8_path.h"

namespace dsp {
namespace {

namespace fs = std::filesystem;

std::string Reason(int error) { return std::generic_category().message(error); }

FileResult CannotRead(const std::string& path, const std::string& why) {
  return FileResult::Failure(FileError::kCannotRead,
                             "Cannot open \"" + path + "\": " + why + ". Check the name and that you may read it.");
}

FileResult CannotSave(const std::string& path, const std::string& why) {
  return FileResult::Failure(FileError::kCannotWrite, "Cannot save \"" + path + "\": " + why +
                                                          ". Any previous file of that name is unchanged; "
                                                          "choose another folder or name.");
}

// Closes the descriptor when the scope ends, whatever path it ends by.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the error a delayed write may surface only here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a save must replace: the target of a symbolic link, else the path.
fs::path SaveTarget(const std::string& path) {
  std::error_code error;
  if (fs::is_symlink(Utf8Path(path), error)) {
    fs::path resolved = fs::weakly_canonical(Utf8Path(path), error);
    if (!error) return resolved;
  }
  return Utf8Path(path);
}

// Creates a fresh temporary file beside `target`; -1 with errno set on failure.
int CreateTemporary(const fs::path& target, std::string& name) {
  static std::atomic<int> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string leaf = ".";
    leaf += Utf8Text(target.filename());
    leaf += ".tmp-";
    leaf += std::to_string(CurrentProcessId());
    leaf += '-';
    leaf += std::to_string(++counter);
    name = Utf8Text(target.parent_path() / Utf8Path(leaf));
    const int fd = OpenFileForWriting(name, FileCreation::kNew);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

FileResult ReadWholeFile(const std::string& path, std::size_t max_bytes, std::string& contents) {
  Descriptor file(OpenFileForReading(path));
  if (file.get() < 0) return CannotRead(path, Reason(errno));
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return CannotRead(path, Reason(errno));
  if (!S_ISREG(info.st_mode)) return CannotRead(path, "it is not a regular file");
  if (static_cast<std::size_t>(info.st_size) > max_bytes) {
    return CannotRead(path,
                      "it is larger than " + std::to_string(max_bytes) + " bytes, too large for this kind of file");
  }
  std::string data(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t filled = 0;
  while (filled < data.size()) {
    const ssize_t got = ::read(file.get(), data.data() + filled, data.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return CannotRead(path, Reason(errno));
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  data.resize(filled);
  contents = std::move(data);
  return FileResult::Success();
}

FileResult ReplaceFile(const std::string& path, std::string_view contents) {
  const fs::path target = SaveTarget(path);
  std::string temporary;
  Descriptor file(CreateTemporary(target, temporary));
  if (file.get() < 0) return CannotSave(path, Reason(errno));

  std::error_code status_error;
  const fs::file_status existing = fs::status(target, status_error);
  const bool keep_mode = !status_error && fs::is_regular_file(existing);
  bool written = (!keep_mode || CopyPermissions(file.get(), static_cast<unsigned>(existing.permissions())) == 0) &&
                 WriteAll(file.get(), contents) && SyncFile(file.get()) == 0;
  int error = errno;
  if (file.Close() != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && RenameOver(temporary, Utf8Text(target)) == 0) return FileResult::Success();
  if (written) error = errno;
  ::unlink(temporary.c_str());
  return CannotSave(path, Reason(error));
}

}  // namespace dsp
