// The fault campaign: device procedures (read-all, write-all then read-all,
// preset recall, effect read) against a simulated processor that drops 10 %
// of its answers, garbles 2 %, sends 5 % late and 1 % from the wrong
// address, in simulated time. Every procedure must either end with a record
// (or effect image) equal to what the processor holds, or report failure;
// none may hang. Prints the counts; exits 1 when any procedure stored a
// wrong value while reporting success, or hung.
//
//   fault_campaign [PROCEDURES] [SEED]      (default 1000 procedures, seed 1)

#include <cstdio>
#include <cstdlib>
#include <string>

#include "persist/parameter_layout.h"
#include "protocol/commands.h"
#include "protocol/procedure_driver.h"
#include "sim/sim_bus.h"
#include "sim/sim_link.h"

namespace dsp {
namespace {

constexpr int kInputs = 4;
constexpr int kOutputs = 4;
constexpr int kTickLimit = 100000;  // far beyond any procedure that ends
constexpr int kSavedPresets = 4;
constexpr const char* kProcedureNames[] = {"read-all", "write-all then read-all", "preset recall", "effect read"};

SimFaults CampaignFaults() {
  SimFaults faults;
  faults.drop = 0.10;
  faults.garble = 0.02;
  faults.late = 0.05;
  faults.wrong_address = 0.01;
  return faults;
}

const SimFaults kFaults = CampaignFaults();

class ListHost : public ProcedureHost {
 public:
  explicit ListHost(DeviceList& devices) : devices_(devices) {}
  DeviceRecord* SelectedDevice() override { return &devices_[0]; }
  void OnEffectData(ByteView data) override { effect.insert(effect.end(), data.begin(), data.end()); }
  Bytes effect;

 private:
  DeviceList& devices_;
};

// Every value the parameter file holds, then the preset names.
bool SameRecord(const DeviceRecord& a, const DeviceRecord& b) {
  bool same = true;
  layout::ForEachKey(a, [&](const layout::Key& key) { same = same && key.Get(a) == key.Get(b); });
  for (int preset = 0; preset < kPresetSlots; ++preset) same = same && a.PresetName(preset) == b.PresetName(preset);
  return same;
}

// Values every encoding carries exactly, varied by `salt`.
void FillValues(DeviceRecord& r, int salt) {
  for (int side = 0; side < 2; ++side) {
    for (int ch = 0; ch < (side == 0 ? kInputs : kOutputs); ++ch) {
      const int k = side * 8 + ch + salt;
      r.SetGain(side, ch, -(k * 37 % 6000));
      r.SetMute(side, ch, k % 2 == 1);
      r.SetPolarity(side, ch, k % 3 == 0);
      r.SetDelay(side, ch, k * 7 % 1000);
      for (int band = 0; band < 31; ++band) {
        r.SetEqualizerGain(side, ch, band, (band * 37 + k) % 2400 - 1200);
        r.SetEqualizerFrequence(side, ch, band, 20 + 600 * band + k % 100);
        r.SetEqualizerQ(side, ch, band, 50 + (97 * band + k) % 1000);
      }
    }
  }
  for (int in = 0; in < kInputs; ++in) {
    r.SetNoiseGateStartGate(in, -60 + (salt + in) % 30);
    for (int out = 0; out < kOutputs; ++out) r.SetRouter(in, out, (salt + 10 * in + out) % 100);
  }
  for (int out = 0; out < kOutputs; ++out) {
    r.SetCompressorRatio(out, 2 + (salt + out) % 10);
    r.SetLimitStartGate(out, -20 - (salt + out) % 20);
  }
}

struct Counts {
  int correct = 0;
  int failed = 0;
  int wrong = 0;
  int hung = 0;
};

class Campaign {
 public:
  explicit Campaign(std::uint64_t seed)
      : bus_(seed), link_(bus_), host_(devices_), driver_(link_, host_, devices_, config_) {
    processor_ = &bus_.Add("Bench", kInputs, kOutputs);
    processor_->set_address(1);
    devices_.push_back(Blank());
    config_.effect_blocks = kDefaultEffectBlocks;
    SavePresets();
  }

  void Run(int procedures) {
    for (int i = 0; i < procedures; ++i) {
      index_ = i;
      switch (i % 4) {
        case 0:
          ReadAll();
          break;
        case 1:
          WriteThenReadAll(i);
          break;
        case 2:
          Recall(i / 4 % (kSavedPresets + 1));
          break;
        default:
          EffectRead();
          break;
      }
    }
  }

  const Counts& counts() const { return counts_; }

 private:
  static DeviceRecord Blank() { return DeviceRecord(1, ChipIdBytes{}, kInputs, kOutputs, "Bench"); }

  // Runs the started procedure; nothing when it did not end.
  std::optional<ProcedureEnd> Drive() {
    for (int tick = 0; tick < kTickLimit; ++tick) {
      bus_.Advance(std::chrono::milliseconds(driver_.PeriodMs()));
      if (const ProcedureEnd end = driver_.Tick(); end != ProcedureEnd::kRunning) return end;
    }
    return std::nullopt;
  }

  // Lets late answers arrive and drops them, so that the next procedure
  // starts on a quiet line.
  void Quiet() {
    bus_.Advance(std::chrono::seconds(1));
    while (link_.PopReply()) {
    }
  }

  // What the processor holds, read without faults.
  DeviceRecord Truth() {
    Quiet();
    processor_->faults() = SimFaults{};
    devices_[0] = Blank();
    driver_.StartReadAll(0);
    if (Drive() != ProcedureEnd::kSucceeded) {
      std::fputs("fault_campaign: a read without faults failed\n", stderr);
      std::exit(2);
    }
    processor_->faults() = kFaults;
    return devices_[0];
  }

  void Judge(std::optional<ProcedureEnd> end, bool equal) {
    if (!end) {
      ++counts_.hung;
    } else if (*end == ProcedureEnd::kFailed) {
      ++counts_.failed;
    } else if (equal) {
      ++counts_.correct;
    } else {
      ++counts_.wrong;
      std::fprintf(stderr, "fault_campaign: procedure %d (%s) reported success with a wrong value\n", index_,
                   kProcedureNames[index_ % 4]);
    }
  }

  void ReadAllAndJudge(int start_delay_ms) {
    processor_->faults() = kFaults;
    devices_[0] = Blank();
    driver_.StartReadAll(start_delay_ms);
    const std::optional<ProcedureEnd> end = Drive();
    const DeviceRecord read = devices_[0];
    Judge(end, end == ProcedureEnd::kSucceeded && SameRecord(read, Truth()));
  }

  void ReadAll() { ReadAllAndJudge(0); }

  void WriteThenReadAll(int salt) {
    Quiet();
    FillValues(devices_[0], salt);
    driver_.StartWriteAll(1);
    if (Drive() != ProcedureEnd::kSucceeded) {
      ++counts_.hung;
      return;
    }
    ReadAllAndJudge(0);
  }

  void Recall(int preset) {
    Quiet();
    link_.Send(PresetRecallFrame(1, preset));
    ReadAllAndJudge(RecallSettleDelayMs(preset));
  }

  void EffectRead() {
    Quiet();
    processor_->faults() = kFaults;
    host_.effect.clear();
    if (driver_.StartEffectRead(config_.effect_blocks)) std::exit(2);
    const std::optional<ProcedureEnd> end = Drive();
    Judge(end, host_.effect == processor_->effect_memory());
  }

  // Presets 1.. hold settings of their own, so that a recall changes them.
  void SavePresets() {
    for (int preset = 1; preset <= kSavedPresets; ++preset) {
      FillValues(devices_[0], 1000 * preset);
      driver_.StartWriteAll(1);
      Drive();
      link_.Send(PresetSaveFrame(1, preset));
      Quiet();
    }
    processor_->faults() = kFaults;
  }

  SimBus bus_;
  SimLink link_;
  Configuration config_;
  DeviceList devices_;
  ListHost host_;
  ProcedureDriver driver_;
  SimProcessor* processor_ = nullptr;
  Counts counts_;
  int index_ = 0;
};

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
  const int procedures = argc > 1 ? std::atoi(argv[1]) : 1000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  dsp::Campaign campaign(seed);
  campaign.Run(procedures);
  const dsp::Counts& c = campaign.counts();
  std::printf("fault campaign, %d procedures, seed %llu: %d correct, %d reported failure, %d wrong, %d hung\n",
              procedures, static_cast<unsigned long long>(seed), c.correct, c.failed, c.wrong, c.hung);
  return c.wrong == 0 && c.hung == 0 ? 0 : 1;
}
