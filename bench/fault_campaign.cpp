// The fault campaign: device procedures (read-all, write-all then read-all,
// preset recall then read-all, effect read) against a simulated 8x8
// processor on a faulty line, in simulated time, for each line condition of
// kConditions. A procedure that reports success must have stored exactly
// what the processor holds, taken from the processor's own state (and,
// after a write-all, exactly the values written); none may hang; and the
// read-alls must succeed at least as often as the condition demands.
// Prints the counts; exits 1 on any wrong value, hang or shortfall.
//
//   fault_campaign [PROCEDURES] [SEED]   (default 1200, shared evenly by the
//                                         conditions; seed 1)

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "persist/parameter_layout.h"
#include "protocol/commands.h"
#include "protocol/procedure_driver.h"
#include "sim/sim_bus.h"
#include "sim/sim_link.h"

namespace dsp {
namespace {

constexpr int kChannels = 8;
constexpr int kTickLimit = 100000;  // far beyond any procedure that ends
constexpr int kSavedPresets = 4;
constexpr int kKinds = 4;
constexpr const char* kProcedureNames[kKinds] = {"read-all", "write-all then read-all", "preset recall",
                                                 "effect read"};

struct Condition {
  const char* name;
  SimFaults faults;
  double min_read_success;  // share of the read-alls that must succeed
};

SimFaults Faults(double drop, double garble, double keeps_sum, double late, double wrong_address) {
  SimFaults faults;
  faults.drop = drop;
  faults.garble = garble;
  faults.garble_keeps_sum = keeps_sum;
  faults.late = late;
  faults.wrong_address = wrong_address;
  return faults;
}

const Condition kConditions[] = {
    {"drop 10 %, garble 2 %", Faults(0.10, 0.02, 0, 0, 0), 0.99},
    {"drop 10 %, garble 2 % (a quarter keeping the checksum), late 5 %, wrong address 1 %",
     Faults(0.10, 0.02, 0.25, 0.05, 0.01), 0.99},
    {"drop 20 %, garble 5 % (half keeping the checksum), late 20 %, wrong address 2 %",
     Faults(0.20, 0.05, 0.5, 0.20, 0.02), 0.35},
};

class ListHost : public ProcedureHost {
 public:
  explicit ListHost(DeviceList& devices) : devices_(devices) {}
  DeviceRecord* SelectedDevice() override { return &devices_[0]; }
  void OnEffectData(ByteView data) override { effect.insert(effect.end(), data.begin(), data.end()); }
  Bytes effect;

 private:
  DeviceList& devices_;
};

DeviceRecord Blank() { return DeviceRecord(1, ChipIdBytes{}, kChannels, kChannels, "Bench"); }

// The first value the parameter file holds, or preset name, in which the
// records differ ("" when they agree), as "section key: read, expected".
std::string FirstDifference(const DeviceRecord& read, const DeviceRecord& expected) {
  std::string difference;
  layout::ForEachKey(read, [&](const layout::Key& key) {
    if (!difference.empty() || key.Get(read) == key.Get(expected)) return;
    difference = key.section + " " + key.name + ": " + std::to_string(key.Get(read)) + ", expected " +
                 std::to_string(key.Get(expected));
  });
  for (int preset = 0; preset < kPresetSlots && difference.empty(); ++preset) {
    if (read.PresetName(preset) != expected.PresetName(preset)) {
      difference = "preset " + std::to_string(preset) + ": \"" + read.PresetName(preset) + "\", expected \"" +
                   expected.PresetName(preset) + "\"";
    }
  }
  return difference;
}

void PutChannel(DeviceRecord& r, int side, int ch, const SimChannel& c) {
  r.SetGain(side, ch, (c.gain_raw - kGainRawZeroDb) * 10);
  r.SetMute(side, ch, c.mute);
  r.SetPolarity(side, ch, c.polarity_inverted);
  r.SetDelay(side, ch, c.delay);
  r.SetDelayEnable(side, ch, c.delay_on);
  for (int band = 0; band < 31; ++band) {
    const SimBand& b = c.bands[band];
    r.SetEqualizerEnable(side, ch, band, b.on);
    r.SetEqualizerGain(side, ch, band, b.gain_raw - kEqGainRawZeroDb);
    r.SetEqualizerFrequence(side, ch, band, b.frequency);
    r.SetEqualizerQ(side, ch, band, b.q);
    // The processor's peaking type 0 is the host's 1.
    r.SetEqualizerType(side, ch, band, b.type == 0 ? 1 : b.type);
  }
}

// What a read-all must bring back, in the host's units, taken from the
// processor's own parameter set and preset names.
DeviceRecord Truth(const SimProcessor& processor) {
  const SimParameters& p = processor.parameters();
  DeviceRecord r = Blank();
  for (int ch = 0; ch < kChannels; ++ch) {
    PutChannel(r, 0, ch, p.inputs[ch]);
    PutChannel(r, 1, ch, p.outputs[ch]);
    r.SetNoiseGateEnable(ch, p.gates[ch].on);
    r.SetNoiseGateStartGate(ch, p.gates[ch].start_raw - 200);
    r.SetNoiseGateReleaseGate(ch, p.gates[ch].release_raw - 200);
    for (int f = 0; f < 2; ++f) {
      const SimFilter& filter = p.filters[ch][f];
      r.SetFilterEnable(1, ch, f, filter.on);
      r.SetFilterType(1, ch, f, filter.type);
      r.SetFilterSlope(1, ch, f, filter.slope);
      r.SetFilterFrequence(1, ch, f, filter.frequency);
    }
    const SimCompressor& comp = p.compressors[ch];
    r.SetCompressorEnable(ch, comp.on);
    r.SetCompressorStartTime(ch, comp.attack);
    r.SetCompressorReleaseTime(ch, comp.release);
    r.SetCompressorStartGate(ch, -static_cast<std::int16_t>(comp.threshold_raw));
    r.SetCompressorRatio(ch, comp.ratio_raw / 10);
    r.SetLimitEnable(ch, p.limiters[ch].on);
    r.SetLimitStartGate(ch, p.limiters[ch].threshold);
    r.SetLimitReleaseTime(ch, p.limiters[ch].release);
    for (int out = 0; out < kChannels; ++out) {
      r.SetRouter(ch, out, p.matrix[ch].level[out]);
      r.SetRouterEnable(ch, out, ((p.matrix[ch].off_bits >> out) & 1) == 0);
    }
  }
  for (int preset = 0; preset < kPresetSlots; ++preset) r.SetPresetName(preset, processor.preset(preset).name);
  return r;
}

// Values that every encoding carries exactly, varied by `salt`.
void FillValues(DeviceRecord& r, int salt) {
  for (int side = 0; side < 2; ++side) {
    for (int ch = 0; ch < kChannels; ++ch) {
      const int k = side * 8 + ch + salt;
      r.SetGain(side, ch, -10 * (k * 37 % 600));
      r.SetMute(side, ch, k % 2 == 1);
      r.SetPolarity(side, ch, k % 3 == 0);
      r.SetDelay(side, ch, k * 7 % 1000);
      r.SetDelayEnable(side, ch, k % 4 != 0);
      for (int band = 0; band < 31; ++band) {
        r.SetEqualizerEnable(side, ch, band, (band + k) % 2 == 0);
        r.SetEqualizerGain(side, ch, band, (band * 37 + k) % 2400 - 1200);
        r.SetEqualizerFrequence(side, ch, band, 20 + 600 * band + k % 100);
        r.SetEqualizerQ(side, ch, band, 50 + (97 * band + k) % 1000);
        r.SetEqualizerType(side, ch, band, band % 3 == 0 ? 6 : band % 3 == 1 ? 7 : 1);
      }
    }
  }
  for (int ch = 0; ch < kChannels; ++ch) {
    const int k = salt + ch;
    r.SetNoiseGateEnable(ch, k % 2 == 0);
    r.SetNoiseGateStartGate(ch, -60 + k % 30);
    r.SetNoiseGateReleaseGate(ch, -70 + k % 30);
    for (int out = 0; out < kChannels; ++out) {
      const bool on = (k + out) % 4 != 0;
      r.SetRouterEnable(ch, out, on);
      r.SetRouter(ch, out, on ? (k + 10 * out) % 100 : 0);
    }
    r.SetCompressorEnable(ch, k % 2 == 1);
    r.SetCompressorStartTime(ch, 100 + k % 50);
    r.SetCompressorReleaseTime(ch, 900 + k % 50);
    r.SetCompressorStartGate(ch, 120 + k % 40);
    r.SetCompressorRatio(ch, 2 + k % 10);
    r.SetLimitEnable(ch, k % 3 != 0);
    r.SetLimitStartGate(ch, -20 - k % 20);
    r.SetLimitReleaseTime(ch, 200 + k % 50);
    r.SetFilterEnable(1, ch, 0, k % 2 == 0);
    r.SetFilterFrequence(1, ch, 0, 80 + k % 100);
    r.SetFilterType(1, ch, 0, 1);
    r.SetFilterSlope(1, ch, 0, 3);
    r.SetFilterEnable(1, ch, 1, k % 3 == 0);
    r.SetFilterFrequence(1, ch, 1, 15000 + k % 100);
    r.SetFilterType(1, ch, 1, 2);
    r.SetFilterSlope(1, ch, 1, 5);
  }
}

struct Counts {
  int correct = 0;
  int failed = 0;
  int wrong = 0;
  int hung = 0;
  long correct_ticks = 0;  // start delays left out
  int Total() const { return correct + failed + wrong + hung; }
};

class Campaign {
 public:
  Campaign(std::uint64_t seed, const SimFaults& faults)
      : faults_(faults), bus_(seed), link_(bus_), host_(devices_), driver_(link_, host_, devices_, config_) {
    processor_ = &bus_.Add("Bench", kChannels, kChannels);
    processor_->set_address(1);
    devices_.push_back(Blank());
    config_.effect_blocks = kDefaultEffectBlocks;
    SavePresets();
  }

  void Run(int procedures) {
    for (int i = 0; i < procedures; ++i) {
      index_ = i;
      switch (i % kKinds) {
        case 0:
          ReadAll(0);
          break;
        case 1:
          WriteThenReadAll(i);
          break;
        case 2:
          Recall(i / kKinds % (kSavedPresets + 1));
          break;
        default:
          EffectRead();
          break;
      }
    }
  }

  const Counts& reads() const { return reads_; }
  const Counts& effect_reads() const { return effect_reads_; }

 private:
  // Runs the started procedure; nothing when it did not end.
  std::optional<ProcedureEnd> Drive(int start_delay_ms = 0) {
    const int delay_ticks = (start_delay_ms + 99) / 100;
    for (int tick = 1; tick <= kTickLimit; ++tick) {
      bus_.Advance(std::chrono::milliseconds(driver_.PeriodMs()));
      if (const ProcedureEnd end = driver_.Tick(); end != ProcedureEnd::kRunning) {
        ticks_ = tick - delay_ticks;
        return end;
      }
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

  // `difference`: what the procedure got wrong, "" when nothing.
  void Judge(Counts& counts, std::optional<ProcedureEnd> end, const std::string& difference) {
    if (!end) {
      ++counts.hung;
    } else if (*end == ProcedureEnd::kFailed) {
      ++counts.failed;
    } else if (difference.empty()) {
      ++counts.correct;
      counts.correct_ticks += ticks_;
    } else {
      ++counts.wrong;
      std::fprintf(stderr, "fault_campaign: procedure %d (%s) reported success with a wrong value: %s\n", index_,
                   kProcedureNames[index_ % kKinds], difference.c_str());
    }
  }

  // `written`: the values a write-all just sent, which the processor must
  // hold and the read must bring back.
  void ReadAll(int start_delay_ms, const DeviceRecord* written = nullptr) {
    processor_->faults() = faults_;
    devices_[0] = Blank();
    driver_.StartReadAll(start_delay_ms);
    const std::optional<ProcedureEnd> end = Drive(start_delay_ms);
    std::string difference = FirstDifference(devices_[0], Truth(*processor_));
    if (difference.empty() && written != nullptr) difference = FirstDifference(devices_[0], *written);
    Judge(reads_, end, difference);
  }

  void WriteThenReadAll(int salt) {
    Quiet();
    FillValues(devices_[0], salt);
    DeviceRecord written = devices_[0];
    driver_.StartWriteAll(1);
    if (Drive() != ProcedureEnd::kSucceeded) {
      ++reads_.hung;
      return;
    }
    // Names are not written: they are whatever the processor holds.
    for (int preset = 0; preset < kPresetSlots; ++preset) written.SetPresetName(preset, processor_->preset(preset).name);
    ReadAll(0, &written);
  }

  void Recall(int preset) {
    Quiet();
    link_.Send(PresetRecallFrame(1, preset));
    ReadAll(RecallSettleDelayMs(preset));
  }

  void EffectRead() {
    Quiet();
    processor_->faults() = faults_;
    host_.effect.clear();
    if (driver_.StartEffectRead(config_.effect_blocks)) std::exit(2);
    const std::optional<ProcedureEnd> end = Drive(kEffectReadStartDelayMs);
    Judge(effect_reads_, end, host_.effect == processor_->effect_memory() ? "" : "the effect memory differs");
  }

  // Presets 1.. hold settings and names of their own, so that a recall
  // changes them.
  void SavePresets() {
    for (int preset = 1; preset <= kSavedPresets; ++preset) {
      FillValues(devices_[0], 1000 * preset);
      driver_.StartWriteAll(1);
      Drive();
      link_.Send(PresetSaveFrame(1, preset));
      processor_->preset(preset).name = "Scene " + std::to_string(preset * 11);
      Quiet();
    }
  }

  SimFaults faults_;
  SimBus bus_;
  SimLink link_;
  Configuration config_;
  DeviceList devices_;
  ListHost host_;
  ProcedureDriver driver_;
  SimProcessor* processor_ = nullptr;
  Counts reads_;
  Counts effect_reads_;
  int index_ = 0;
  int ticks_ = 0;  // of the last procedure driven
};

void Print(const char* what, const Counts& c) {
  std::printf("  %-13s %4d: %4d correct (%5.1f %%, %.0f ticks each), %3d reported failure, %d wrong, %d hung\n",
              what, c.Total(), c.correct, c.Total() == 0 ? 0.0 : 100.0 * c.correct / c.Total(),
              c.correct == 0 ? 0.0 : static_cast<double>(c.correct_ticks) / c.correct, c.failed, c.wrong, c.hung);
}

// Prints one condition's figures; false when it falls short.
bool RunCondition(const Condition& condition, int procedures, std::uint64_t seed) {
  std::printf("%s\n", condition.name);
  std::fflush(stdout);
  Campaign campaign(seed, condition.faults);
  campaign.Run(procedures);
  const Counts& reads = campaign.reads();
  const Counts& effects = campaign.effect_reads();
  const double share = reads.Total() == 0 ? 1.0 : static_cast<double>(reads.correct) / reads.Total();
  const bool enough = share >= condition.min_read_success;
  Print("read-alls", reads);
  Print("effect reads", effects);
  if (!enough) std::printf("  too few read-alls succeeded: at least %.1f %% must\n", 100 * condition.min_read_success);
  std::fflush(stdout);
  return enough && reads.wrong == 0 && reads.hung == 0 && effects.wrong == 0 && effects.hung == 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
  const int total = argc > 1 ? std::atoi(argv[1]) : 1200;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  const int conditions = static_cast<int>(std::size(dsp::kConditions));
  const int procedures = (total + conditions - 1) / conditions;
  std::printf("fault campaign, 8x8 processor, %d procedures per condition, seed %llu\n", procedures,
              static_cast<unsigned long long>(seed));
  bool passed = true;
  for (const dsp::Condition& condition : dsp::kConditions) {
    passed = dsp::RunCondition(condition, procedures, seed) && passed;
  }
  return passed ? 0 : 1;
}
