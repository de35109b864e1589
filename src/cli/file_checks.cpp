#include "cli/file_checks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/cli_failure.h"

namespace dsp {

void RequireReadableFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    throw CliFailure("cannot read " + path + ": " + std::strerror(errno) + ". Check the name.");
  }
  if (!S_ISREG(info.st_mode)) throw CliFailure(path + " is not a regular file: name a file.");
  if (access(path.c_str(), R_OK) != 0) {
    throw CliFailure("cannot read " + path + ": " + std::strerror(errno) + ". Check its permissions.");
  }
}

void RequireImageFile(const std::string& path) {
  RequireReadableFile(path);
  if (std::filesystem::file_size(path) == 0) throw CliFailure(path + " is empty: name the image file to send.");
}

void RequireWritableFile(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::string folder = parent.empty() ? "." : parent.string();
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    throw CliFailure("the folder " + folder + " does not exist: create it or save elsewhere.");
  }
  if (access(folder.c_str(), W_OK) != 0) {
    throw CliFailure("cannot write into " + folder + ": " + std::strerror(errno) + ". Save elsewhere.");
  }
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw CliFailure(path + " is a folder: name a file.");
  }
}

}  // namespace dsp
