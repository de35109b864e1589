#include "cli/file_checks.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/cli_failure.h"
#include "link/system_files.h"
#include "link/utf8_path.h"

namespace dsp {

namespace fs = std::filesystem;

void RequireReadableFile(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(Utf8Path(path), error);
  if (error) throw CliFailure("cannot read " + path + ": " + error.message() + ". Check the name.");
  if (!fs::is_regular_file(status)) throw CliFailure(path + " is not a regular file: name a file.");
  if (CheckAccess(path, false) != 0) {
    throw CliFailure("cannot read " + path + ": " + std::strerror(errno) + ". Check its permissions.");
  }
}

void RequireImageFile(const std::string& path) {
  RequireReadableFile(path);
  if (fs::file_size(Utf8Path(path)) == 0) throw CliFailure(path + " is empty: name the image file to send.");
}

void RequireWritableFile(const std::string& path) {
  const fs::path parent = Utf8Path(path).parent_path();
  const std::string folder = parent.empty() ? "." : Utf8Text(parent);
  std::error_code error;
  if (!fs::is_directory(Utf8Path(folder), error)) {
    throw CliFailure("the folder " + folder + " does not exist: create it or save elsewhere.");
  }
  if (CheckAccess(folder, true) != 0) {
    throw CliFailure("cannot write into " + folder + ": " + std::strerror(errno) + ". Save elsewhere.");
  }
  if (fs::is_directory(Utf8Path(path), error)) throw CliFailure(path + " is a folder: name a file.");
}

}  // namespace dsp
