#pragma once

// One simulated processor on the bus: its identity (chip ID, name, channel
// counts, bus address), its parameter set, 17 presets, effect memory, the last
// images received over YMODEM, pink noise and level meters. It hears every
// byte on the line, answers the frames meant for it after kTurnaroundUs, and
// shows the faults it is given. Tests read and change all of its state
// directly through the accessors below.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/bytes.h"
#include "sim/chip_id.h"
#include "sim/frame_assembler.h"
#include "sim/level_model.h"
#include "sim/parameter_writes.h"
#include "sim/sim_faults.h"
#include "sim/sim_parameters.h"
#include "sim/sim_random.h"
#include "sim/transmission.h"
#include "sim/ymodem_receiver.h"

namespace dsp {

inline constexpr int kSimPresetCount = 17;
inline constexpr std::size_t kSimNameBytes = 20;
inline constexpr std::size_t kSimPresetNameChars = 19;
inline constexpr int kDefaultEffectBlocks = 32;
inline constexpr int kDefaultEffectBlockSize = 128;
// A block reply must fit the host's 256-byte read and the 255-byte frame.
inline constexpr int kMaxEffectBlockSize = 247;
inline constexpr int kMaxEffectBlocks = 65536;
// How long the processor is deaf while it loads or stores a preset.
inline constexpr std::int64_t kRecallBusyUs = 1'500'000;
inline constexpr std::int64_t kFactoryRestoreBusyUs = 3'000'000;
inline constexpr std::int64_t kSaveBusyUs = 500'000;
inline constexpr std::size_t kFrameHistoryLimit = 4096;

// How unaddressed processors share the line when a scan ask or re-ask
// reaches several of them; the firmware of real processors is not known, so
// the host is proven under both.
// - kHalves: all answer the ask at once; each answers a re-ask by chance (½).
// - kSlots: each answers an ask or a re-ask after a random delay of 0 to 15
//   character times, unless it hears another answer begin first; two that
//   pick the same delay collide.
enum class DiscoveryBehaviour { kHalves, kSlots };

// The behaviour named "halves" or "slots", if `name` is one.
std::optional<DiscoveryBehaviour> DiscoveryBehaviourNamed(const std::string& name);

struct SimProcessorConfig {
  ChipId chip_id{};
  std::string name;
  int inputs = 8;
  int outputs = 8;
  int effect_blocks = kDefaultEffectBlocks;
  int effect_block_size = kDefaultEffectBlockSize;
  std::uint64_t seed = 1;  // discovery draws, faults and level wander
  DiscoveryBehaviour discovery = DiscoveryBehaviour::kHalves;
};

// Nothing when the configuration can be built, else what is wrong with it.
std::optional<std::string> CheckProcessorConfig(const SimProcessorConfig& config);

struct SimPreset {
  std::string name;
  SimParameters parameters;
};

enum class ImageKind { kFirmware, kParameters };

class SimProcessor;
using ImageSink = std::function<void(const SimProcessor&, ImageKind, const ReceivedImage&)>;

class SimProcessor {
 public:
  // Throws std::invalid_argument when CheckProcessorConfig finds a fault.
  explicit SimProcessor(SimProcessorConfig config);

  const ChipId& chip_id() const { return config_.chip_id; }
  const std::string& name() const { return name_; }
  int inputs() const { return config_.inputs; }
  int outputs() const { return config_.outputs; }
  ChannelCounts counts() const { return {config_.inputs, config_.outputs}; }
  std::uint8_t address() const { return address_; }  // 0: not addressed
  void set_address(std::uint8_t address) { address_ = address; }

  SimParameters& parameters() { return parameters_; }
  const SimParameters& parameters() const { return parameters_; }
  // Preset 0 holds the factory settings and cannot be overwritten by a save.
  SimPreset& preset(int index) { return presets_.at(index); }
  const SimPreset& preset(int index) const { return presets_.at(index); }
  int current_preset() const { return current_preset_; }

  // effect_blocks x effect_block_size bytes of the configuration.
  Bytes& effect_memory() { return effect_memory_; }
  const Bytes& effect_memory() const { return effect_memory_; }
  const std::optional<ReceivedImage>& last_firmware() const { return last_firmware_; }
  const std::optional<ReceivedImage>& last_parameter_image() const { return last_parameter_image_; }
  void set_image_sink(ImageSink sink) { image_sink_ = std::move(sink); }

  const SimPinkNoise& pink_noise() const { return pink_noise_; }
  LevelModel& levels() { return levels_; }
  const LevelModel& levels() const { return levels_; }

  SimFaults& faults() { return faults_; }
  bool IsSilenced() const { return silenced_; }
  bool IsReceivingImage() const { return receiver_.has_value(); }
  // Frames this processor has taken as meant for it, oldest first (at most
  // kFrameHistoryLimit).
  const std::deque<Bytes>& handled_frames() const { return handled_frames_; }

  // The line: bytes from the host, whose first and last byte arrived at the
  // times given; the passing of time; and what the processor sends.
  void Receive(ByteView bytes, std::int64_t first_us, std::int64_t last_us);
  void AdvanceTo(std::int64_t now_us);
  std::vector<Transmission> TakeOutput() { return std::exchange(output_, {}); }

 private:
  bool IsMeantForMe(ByteView frame) const;
  void HandleFrame(ByteView frame, std::int64_t at_us);
  void HandleDiscovery(ByteView frame, std::int64_t at_us);
  void HandleRequest(ByteView frame, std::int64_t at_us);
  void HandleWrite(ByteView frame, std::int64_t at_us);
  void HandlePinkNoise(ByteView frame);
  void Recall(int index, std::int64_t at_us);
  void Save(int index, std::int64_t at_us);
  Bytes IdentifyAnswer() const;
  Bytes AddressConfirmation() const;
  Bytes PresetNameReply(ByteView request) const;
  Bytes EffectBlockReply(ByteView request, int block) const;
  Bytes LevelReply() const;
  void AnswerAsk(bool re_ask, std::int64_t at_us);
  void StartReceiving(ImageKind kind, std::int64_t at_us);
  void CollectReceiverOutput();
  void StoreImage(ReceivedImage image);
  void Answer(Bytes frame, std::int64_t request_end_us);

  SimProcessorConfig config_;
  std::string name_;
  std::uint8_t address_ = 0;
  SimParameters parameters_;
  std::array<SimPreset, kSimPresetCount> presets_;
  int current_preset_ = 0;
  Bytes effect_memory_;
  std::optional<ReceivedImage> last_firmware_;
  std::optional<ReceivedImage> last_parameter_image_;
  ImageSink image_sink_;
  SimPinkNoise pink_noise_;
  LevelModel levels_;
  std::int64_t level_clock_us_ = 0;
  SimFaults faults_;
  SimRandom discovery_random_;
  SimRandom fault_random_;
  int frames_handled_ = 0;
  bool silenced_ = false;
  std::int64_t busy_until_us_ = 0;
  FrameAssembler assembler_;
  std::optional<YmodemReceiver> receiver_;
  ImageKind receiving_kind_ = ImageKind::kFirmware;
  std::deque<Bytes> handled_frames_;
  std::vector<Transmission> output_;
};

}  // namespace dsp
