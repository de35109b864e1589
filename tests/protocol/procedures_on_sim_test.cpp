// The procedures against the simulated processors over the in-process link:
// what write-all puts into a processor, read-all brings back.

#include <gtest/gtest.h>

#include "../support/same_parameters.h"
#include "answering_host.h"
#include "model/write_builders.h"
#include "protocol/level_poll.h"
#include "protocol/procedure_driver.h"
#include "sim/sim_bus.h"
#include "sim/sim_link.h"
#include "sim/sim_parameters.h"

namespace dsp {
namespace {

class ListHost : public ProcedureHost {
 public:
  explicit ListHost(DeviceList& devices) : devices_(devices) {}
  DeviceRecord* SelectedDevice() override { return devices_.empty() ? nullptr : &devices_[0]; }

 private:
  DeviceList& devices_;
};

// A record with values every encoding carries exactly.
void FillDistinctValues(DeviceRecord& r) {
  for (int side = 0; side < 2; ++side) {
    const int count = side == 0 ? r.Inputs() : r.Outputs();
    for (int ch = 0; ch < count; ++ch) {
      const int k = side * 8 + ch;
      r.SetGain(side, ch, -100 * k - 30);
      r.SetMute(side, ch, k % 2 == 1);
      r.SetPolarity(side, ch, k % 3 == 0);
      r.SetDelay(side, ch, 7 * k + 1);
      r.SetDelayEnable(side, ch, k % 2 == 0);
      for (int band = 0; band < 31; ++band) {
        r.SetEqualizerEnable(side, ch, band, (band + k) % 2 == 0);
        r.SetEqualizerFrequence(side, ch, band, 20 + 600 * band + k);
        r.SetEqualizerGain(side, ch, band, (band * 37 + k) % 2400 - 1200);
        r.SetEqualizerQ(side, ch, band, 50 + 97 * band + k);
        r.SetEqualizerType(side, ch, band, band % 3 == 0 ? 6 : band % 3 == 1 ? 7 : 1);
      }
    }
  }
  for (int ch = 0; ch < r.Inputs(); ++ch) {
    r.SetNoiseGateEnable(ch, ch % 2 == 0);
    r.SetNoiseGateStartGate(ch, -60 + ch);
    r.SetNoiseGateReleaseGate(ch, -70 + ch);
    for (int out = 0; out < r.Outputs(); ++out) {
      r.SetRouter(ch, out, 10 * ch + out);
      r.SetRouterEnable(ch, out, true);
    }
  }
  for (int ch = 0; ch < r.Outputs(); ++ch) {
    r.SetCompressorEnable(ch, ch % 2 == 1);
    r.SetCompressorStartTime(ch, 100 + ch);
    r.SetCompressorReleaseTime(ch, 900 + ch);
    r.SetCompressorStartGate(ch, 120 + ch);
    r.SetCompressorRatio(ch, 2 + ch);
    r.SetLimitEnable(ch, true);
    r.SetLimitStartGate(ch, -20 - ch);
    r.SetLimitReleaseTime(ch, 200 + ch);
    r.SetFilterEnable(1, ch, kHighPass, true);
    r.SetFilterFrequence(1, ch, kHighPass, 80 + ch);
    r.SetFilterType(1, ch, kHighPass, 1);
    r.SetFilterSlope(1, ch, kHighPass, 3);
    r.SetFilterFrequence(1, ch, kLowPass, 15000 + ch);
    r.SetFilterType(1, ch, kLowPass, 2);
    r.SetFilterSlope(1, ch, kLowPass, 5);
  }
}

struct ProceduresOnSim : ::testing::Test {
  SimBus bus{7};
  SimLink link{bus};
  Configuration config;
  DeviceList devices;
  ListHost host{devices};
  ProcedureDriver driver{link, host, devices, config};

  void AddAddressed(int inputs, int outputs) {
    bus.Add("Stage", inputs, outputs).set_address(1);
    devices.emplace_back(1, ChipIdBytes{}, inputs, outputs, "Stage");
  }

  // A 4x8 processor given every parameter a value of its own by a write-all;
  // `written` is the record that was written.
  void WriteDistinctValues(DeviceRecord& written) {
    AddAddressed(4, 8);
    FillDistinctValues(devices[0]);
    written = devices[0];
    driver.StartWriteAll(1);
    ASSERT_EQ(Run(), ProcedureEnd::kSucceeded);
  }

  ProcedureEnd Run() {
    for (int i = 0; i < 100000; ++i) {
      bus.Advance(std::chrono::milliseconds(driver.PeriodMs()));
      const ProcedureEnd end = driver.Tick();
      if (end != ProcedureEnd::kRunning) return end;
    }
    return ProcedureEnd::kRunning;
  }
};

TEST_F(ProceduresOnSim, WriteAllThenReadAllGivesTheRecordBack) {
  DeviceRecord written(1, ChipIdBytes{}, 4, 8, "Stage");
  ASSERT_NO_FATAL_FAILURE(WriteDistinctValues(written));

  devices[0] = DeviceRecord(1, ChipIdBytes{}, 4, 8, "Stage");
  driver.StartReadAll(kSyncStartDelayMs);
  ASSERT_EQ(Run(), ProcedureEnd::kSucceeded);
  testing::ExpectSameParameters(written, devices[0]);
}

// A record fresh from a scan, written before it was ever read, must not
// set the processor to anything else than it shows.
TEST_F(ProceduresOnSim, AFreshRecordWrittenIsWhatTheProcessorThenHolds) {
  AddAddressed(2, 4);
  DeviceRecord fresh = devices[0];
  driver.StartWriteAll(1);
  ASSERT_EQ(Run(), ProcedureEnd::kSucceeded);

  FillDistinctValues(devices[0]);
  driver.StartReadAll(kSyncStartDelayMs);
  ASSERT_EQ(Run(), ProcedureEnd::kSucceeded);
  // The processor keeps no level for a matrix cell that is off.
  for (int in = 0; in < 2; ++in) fresh.SetRouter(in, in, 0);
  testing::ExpectSameParameters(fresh, devices[0]);
}

// On a line that loses, garbles and delays answers (late ones past the next
// request), a read-all still brings back exactly what was written.
TEST_F(ProceduresOnSim, ReadAllOnANoisyLineBringsBackWhatWasWritten) {
  DeviceRecord written(1, ChipIdBytes{}, 4, 8, "Stage");
  ASSERT_NO_FATAL_FAILURE(WriteDistinctValues(written));

  SimFaults& faults = bus.processor(0).faults();
  faults.drop = 0.1;
  faults.garble = 0.05;
  faults.garble_keeps_sum = 0.5;
  faults.late = 0.1;
  devices[0] = DeviceRecord(1, ChipIdBytes{}, 4, 8, "Stage");
  driver.StartReadAll(0);
  ASSERT_EQ(Run(), ProcedureEnd::kSucceeded);
  testing::ExpectSameParameters(written, devices[0]);
}

// A minute of edits on one of three answering processors while the levels
// are polled, as the window does it (simulated time, the in-process link):
// two-second drags of a band with a second of rest between. No answer ever
// says a processor is lost, and the processor ends where the band was let go.
TEST(LevelPollOnSim, AMinuteOfEditsNeverMakesAnAnsweringProcessorLookLost) {
  SimBus bus;
  DeviceList devices;
  for (int address = 1; address <= 3; ++address) {
    const std::string name = "P" + std::to_string(address);
    bus.Add(name, 8, 8).set_address(static_cast<std::uint8_t>(address));
    devices.emplace_back(address, ChipIdBytes{}, 8, 8, name);
  }
  SimLink link(bus);
  LevelPoll poll(link);
  const Configuration config;
  const auto catch_up = [&](int ms) {
    const auto now = std::chrono::milliseconds(ms);
    if (bus.Now() < now) bus.Advance(now - bus.Now());
  };
  constexpr int kBand = 17;
  std::vector<int> answers_from(4, 0);
  for (int ms = 0, move = 0; ms < 60'000; ++ms) {
    if (ms % 3000 < 2000 && ms % 17 == 0) {
      devices[0].SetEqualizerGain(kInputSide, 0, kBand, (++move * 37) % 2400 - 1200);
      catch_up(ms);
      link.Send(*BuildWrite(WriteId::EqBand(kInputSide, 0, kBand, 1), devices, config));
    }
    if (ms % LevelPoll::kTickMs == 0) {
      catch_up(ms);
      if (const auto answer = poll.Tick(devices, true)) {
        ASSERT_TRUE(answer->online) << "processor " << answer->address << " looked lost at " << ms << " ms";
        ++answers_from[static_cast<std::size_t>(answer->address)];
      }
    }
  }
  for (int address = 1; address <= 3; ++address) EXPECT_GT(answers_from[address], 50) << "processor " << address;
  const SimBand& held = bus.processor(0).parameters().inputs[0].bands[kBand];
  EXPECT_EQ(held.gain_raw, devices[0].EqualizerGain(kInputSide, 0, kBand) + kEqGainRawZeroDb);
}

}  // namespace
}  // namespace dsp
