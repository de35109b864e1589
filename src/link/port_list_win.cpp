#include <windows.h>

#include <cstdlib>
#include <set>

#include "link/port_list.h"

namespace dsp {
namespace {

constexpr int kFirstProbed = 2;  // COM1 is tried only when the system lists it
constexpr int kLastProbed = 255;

// The COM number of a name the system lists, such as "COM3"; 0 otherwise.
int ListedNumber(const char* name) {
  if (_strnicmp(name, "COM", 3) != 0) return 0;
  char* end = nullptr;
  const long number = std::strtol(name + 3, &end, 10);
  return *end == '\0' && number >= 1 && number <= kLastProbed ? static_cast<int>(number) : 0;
}

// The serial ports the system knows of, from its device map.
void AddListedPorts(std::set<int>& numbers) {
  HKEY map = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) != ERROR_SUCCESS) return;
  for (DWORD index = 0;; ++index) {
    char value_name[256];
    char data[64];
    DWORD name_size = sizeof value_name;
    DWORD data_size = sizeof data - 1;
    DWORD type = 0;
    const LONG result = RegEnumValueA(map, index, value_name, &name_size, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &data_size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    data[data_size] = '\0';
    if (const int number = ListedNumber(data)) numbers.insert(number);
  }
  RegCloseKey(map);
}

}  // namespace

// Windows names its ports instead of keeping them in a folder: `dev_dir`
// has no meaning here.
std::vector<std::string> CandidatePorts(const std::string&) {
  std::set<int> numbers;
  AddListedPorts(numbers);
  for (int number = kFirstProbed; number <= kLastProbed; ++number) numbers.insert(number);
  std::vector<std::string> ports;
  for (const int number : numbers) ports.push_back("COM" + std::to_string(number));
  return ports;
}

}  // namespace dsp
