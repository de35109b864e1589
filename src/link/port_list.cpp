// The probing is the same on every system; which names are candidates is
// each system's (port_list_posix.cpp, port_list_win.cpp).
#include "link/port_list.h"

#include "link/serial_port.h"

namespace dsp {

std::vector<std::string> OpenablePorts(int baud, const std::string& dev_dir, const std::string& held) {
  std::vector<std::string> openable;
  for (const std::string& path : CandidatePorts(dev_dir)) {
    CSerialPort port;
    if (path == held || port.Open(path, baud)) openable.push_back(path);
  }
  return openable;
}

}  // namespace dsp
