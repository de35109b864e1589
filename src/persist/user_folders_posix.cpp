#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "persist/user_folders.h"

namespace dsp {

namespace fs = std::filesystem;

std::string ExecutableDirectory() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : executable.parent_path().string();
}

std::string UserConfigDirectory() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && fs::path(xdg).is_absolute()) return xdg;
  const char* home = std::getenv("HOME");
  if (home && *home) return (fs::path(home) / ".config").string();
  const passwd* user = ::getpwuid(::getuid());
  return (fs::path(user && user->pw_dir ? user->pw_dir : ".") / ".config").string();
}

bool IsWritableDirectory(const std::string& directory) {
  std::error_code error;
  return fs::is_directory(directory, error) && ::access(directory.c_str(), W_OK) == 0;
}

}  // namespace dsp
