#include "sim/image_dump.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace dsp {
namespace {

// Device names may hold anything; file names get letters, digits, '.', '_' and '-'.
std::string FileSafe(const std::string& text) {
  std::string safe;
  for (unsigned char c : text) safe += std::isalnum(c) || c == '.' || c == '_' || c == '-' ? static_cast<char>(c) : '_';
  return safe;
}

}  // namespace

std::string ImageDump::Write(int position, const std::string& device, ImageKind kind, const ReceivedImage& image,
                             std::string& error) {
  const int sequence = ++written_[{position, kind}];
  const std::string path = dir_ + "/" + std::to_string(position) + "-" + FileSafe(device) +
                           (kind == ImageKind::kFirmware ? "-firmware-" : "-parameters-") + std::to_string(sequence) +
                           ".bin";
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(image.data.data()), static_cast<std::streamsize>(image.data.size()));
  file.close();
  if (!file) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return {};
  }
  return path;
}

}  // namespace dsp
