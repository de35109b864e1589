#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "link/utf8_path.h"
#include "link/wide_text_win.h"
#include "persist/user_folders.h"

namespace dsp {

namespace fs = std::filesystem;

std::string ExecutableDirectory() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return ".";
    if (length < name.size()) {
      name.resize(length);
      return NarrowText(fs::path(name).parent_path().wstring());
    }
    name.resize(name.size() * 2);
  }
}

std::string UserConfigDirectory() {
  const wchar_t* app_data = _wgetenv(L"APPDATA");
  if (app_data && fs::path(app_data).is_absolute()) return NarrowText(app_data);
  return ".";
}

// Windows tells whether a folder takes new files only by trying.
bool IsWritableDirectory(const std::string& directory) {
  std::error_code error;
  if (!fs::is_directory(Utf8Path(directory), error)) return false;
  const std::wstring probe = (Utf8Path(directory) / ".dspdesk-write-test").wstring();
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace dsp
