#include "serve/access_token.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "persist/language_setting.h"

namespace dsp {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTokenBytes = 32;

std::string RandomHex(std::string& error) {
  std::array<unsigned char, kTokenBytes> bytes{};
  std::ifstream random("/dev/urandom", std::ios::binary);
  if (!random.read(reinterpret_cast<char*>(bytes.data()), bytes.size())) {
    error = "cannot read /dev/urandom to make the access token";
    return "";
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

// Created with mode 0600 from the start: there is no moment at which others
// could read it.
bool WritePrivate(const std::string& path, const std::string& token) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) return false;
  const std::string line = token + "\n";
  const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  return ::close(fd) == 0 && written;
}

}  // namespace

std::string TokenFilePath() { return (fs::path(UserConfigDirectory()) / "dspdesk" / "dspserve-token").string(); }

TokenResult LoadOrCreateToken(const std::string& path) {
  TokenResult result;
  std::ifstream existing(path);
  if (existing && std::getline(existing, result.token) && !result.token.empty()) return result;
  std::error_code ignored;
  fs::create_directories(fs::path(path).parent_path(), ignored);
  result.token = RandomHex(result.error);
  if (result.token.empty()) return result;
  if (!WritePrivate(path, result.token)) {
    result.token.clear();
    result.error = "cannot create the access token file " + path +
                   ": check that its folder is writable, or remove an empty file of that name";
    return result;
  }
  result.created = true;
  return result;
}

}  // namespace dsp
