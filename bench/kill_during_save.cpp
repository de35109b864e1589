// Kills a process that is saving a parameter file and Setting.ini, many
// times, at random moments (SIGKILL: no handler runs). After every kill each
// file must be the old version or the new one, complete. Prints the counts;
// exits 1 on a file that is neither. Temporaries a killed save leaves behind
// are counted, not failed: nothing can remove them at the moment of a kill.
//
//   kill_during_save [ROUNDS]      (default 300)

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "persist/language_setting.h"
#include "persist/parameter_file.h"

namespace {

namespace fs = std::filesystem;
using namespace dsp;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Two records whose files differ in every value.
DeviceRecord Version(int v) {
  DeviceRecord record(1, ChipIdBytes{}, 8, 8, "Kill");
  for (int side = 0; side < 2; ++side) {
    for (int ch = 0; ch < 8; ++ch) {
      record.SetGain(side, ch, -100 * (v + 1) - ch);
      for (int band = 0; band < 31; ++band) record.SetEqualizerGain(side, ch, band, v * 500 + band);
    }
  }
  return record;
}

void Save(const fs::path& dir, int v) {
  SaveParameterFile(Version(v), (dir / "params.ini").string());
  WriteLanguage((dir / "Setting.ini").string(), static_cast<Language>(v));
}

[[noreturn]] void SaveForever(const fs::path& dir) {
  for (int v = 1;; v ^= 1) Save(dir, v);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
  const fs::path dir = fs::temp_directory_path() / ("kill_during_save_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string params[2];
  std::string setting[2];
  for (int v = 1; v >= 0; --v) {
    Save(dir, v);
    params[v] = ReadAll(dir / "params.ini");
    setting[v] = ReadAll(dir / "Setting.ini");
  }
  std::mt19937 random(1);
  int old_or_new = 0;
  int broken = 0;
  for (int round = 0; round < rounds; ++round) {
    const pid_t child = fork();
    if (child == 0) SaveForever(dir);
    usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string p = ReadAll(dir / "params.ini");
    const std::string s = ReadAll(dir / "Setting.ini");
    if ((p == params[0] || p == params[1]) && (s == setting[0] || s == setting[1])) {
      ++old_or_new;
    } else {
      ++broken;
    }
  }
  int leftovers = 0;
  for (const auto& entry : fs::directory_iterator(dir)) leftovers += entry.path().filename().string()[0] == '.';
  fs::remove_all(dir);
  std::printf("kill during save, %d kills: %d left both files whole (old or new), %d broken, %d temporaries left\n",
              rounds, old_or_new, broken, leftovers);
  return broken == 0 ? 0 : 1;
}
