#include "app/port_link.h"

#include "link/port_list.h"
#include "link/port_name.h"
#include "link/uart.h"

namespace dsp {
namespace {

class SerialLink : public PortLink {
 public:
  void Send(ByteView frame) override { uart_.Send(frame); }
  std::optional<Bytes> PopReply() override { return uart_.PopReply(); }
  bool IsSendQueueEmpty() override { return uart_.IsSendQueueEmpty(); }

  bool Open(const std::string& port, int baud) override { return uart_.Open(port, baud); }
  std::string OpenError() const override { return uart_.OpenError(); }
  void Close() override { uart_.Close(); }
  bool IsOpen() const override { return uart_.IsOpen(); }
  std::string PortName() const override { return uart_.PortName(); }
  bool OpensSlowly(const std::string& port) const override { return IsNetworkPortName(port); }
  std::vector<std::string> OpenablePorts(int baud) override { return dsp::OpenablePorts(baud); }
  std::string TakeTrace() override { return uart_.TakeTrace(); }
  void SetHexTrace(bool hex) override { uart_.SetHexTrace(hex); }
  void SetAnswerWaitExtraMs(int ms) override { uart_.SetAnswerWaitExtraMs(ms); }
  std::optional<std::string> TakeLostPort() override {
    if (std::optional<PortLoss> loss = uart_.TakePortLoss()) return loss->path;
    return std::nullopt;
  }
  bool StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) override {
    return uart_.StartTransfer(path, address, mode);
  }
  TransferProgress Progress() const override { return uart_.Progress(); }

 private:
  CUart uart_;
};

}  // namespace

std::unique_ptr<PortLink> MakeSerialLink() { return std::make_unique<SerialLink>(); }

}  // namespace dsp
