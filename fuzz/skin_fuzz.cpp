// The skin XML reader with its <Include> and <Repeat> constructs, fed any
// text as a skin file (written to a folder of its own, since the reader
// resolves includes against the skin's folder).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/skin_error.h"
#include "platform/skin_reader.h"

namespace {

const std::filesystem::path& SkinDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "skin_fuzz_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::filesystem::create_directory(std::filesystem::path(pattern) / "view");
    std::ofstream(std::filesystem::path(pattern) / "view" / "Part.xml") << "<Label name=\"part\"/>";
    return std::filesystem::path(pattern);
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(SkinDir() / "view" / "Fuzz.xml", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  try {
    dsp::ReadSkinFile(SkinDir(), "view/Fuzz.xml");
  } catch (const dsp::SkinError&) {
  }
  return 0;
}
