#include "link/port_by_name.h"

namespace dsp {

// An open port stays the current one until closed, whatever the refused name.
bool PortByName::Open(const std::string& path, int baud) {
  if (IsOpen()) return Current().Open(path, baud);
  network_ = IsNetworkPortName(path);
  return Current().Open(path, baud);
}

void PortByName::Close() { Current().Close(); }

bool PortByName::IsOpen() const { return Current().IsOpen(); }

std::string PortByName::Path() const { return Current().Path(); }

std::string PortByName::Error() const { return Current().Error(); }

// A loss is kept by the port that had it, even once the other is current.
std::optional<PortLoss> PortByName::TakeLoss() {
  if (std::optional<PortLoss> loss = serial_.TakeLoss()) return loss;
  return net_.TakeLoss();
}

}  // namespace dsp
