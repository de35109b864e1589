// The link's YMODEM sender against the simulated processor's loader: in
// process over the bus's own port, and through CUart over a real
// pseudo-terminal. What the processor stores must equal the file.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "link/uart.h"
#include "link/ymodem.h"
#include "sim/pty_endpoint.h"
#include "sim/sim_bus.h"
#include "sim_test_support.h"

namespace dsp {
namespace {

namespace fs = std::filesystem;

class TempFile {
 public:
  TempFile(const std::string& name, const Bytes& data)
      : dir_(fs::temp_directory_path() / ("dsp-ymodem-" + std::to_string(::getpid()) + "-" + name)) {
    fs::create_directories(dir_);
    path_ = dir_ / name;
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), data.size());
  }
  ~TempFile() { fs::remove_all(dir_); }
  std::string path() const { return path_.string(); }

 private:
  fs::path dir_;
  fs::path path_;
};

TEST(YmodemToSimulatedLoader, InProcessParameterImageReplacesTheEffectMemory) {
  SimBus bus(3);
  auto config = bus.NextConfig("Hall", 2, 2);
  config.effect_blocks = 8;
  bus.Add(config).set_address(1);
  const std::size_t memory_size = bus.processor(0).effect_memory().size();
  const Bytes image = test::PatternFile(memory_size, 4);
  TempFile file("effects.bin", image);
  Ymodem sender;
  ASSERT_TRUE(sender.OpenFile(file.path()));
  EXPECT_EQ(sender.Send(1, TransferMode::kParameters, bus.host_port(), bus.host_sleeper()), kTransferDone);
  EXPECT_EQ(bus.processor(0).effect_memory(), image);
  EXPECT_FALSE(bus.processor(0).last_firmware());
}

TEST(YmodemToSimulatedLoader, ThroughTheSerialLinkOverAPseudoTerminal) {
  auto bus = std::make_unique<SimBus>(5);
  bus->Add("Stage", 4, 8).set_address(1);
  std::string error;
  auto endpoint = PtyEndpoint::Open(std::move(bus), error);
  ASSERT_TRUE(endpoint) << error;

  const Bytes image = test::PatternFile(3 * 1024 + 17, 2);
  TempFile file("update.bin", image);
  CUart link;
  ASSERT_TRUE(link.Open(endpoint->path(), 115200)) << link.OpenError();
  ASSERT_TRUE(link.StartTransfer(file.path(), 1, TransferMode::kFirmware));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (link.Progress().pending && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const TransferProgress progress = link.Progress();
  ASSERT_FALSE(progress.pending);
  EXPECT_EQ(progress.result, kTransferDone);
  const auto received = endpoint->WithBus([](SimBus& b) { return b.processor(0).last_firmware(); });
  ASSERT_TRUE(received);
  EXPECT_EQ(received->name, "update.bin");
  EXPECT_EQ(received->data, image);
}

}  // namespace
}  // namespace dsp
