#include "sim/sim_processor.h"

#include <algorithm>
#include <stdexcept>

#include "link/frame.h"
#include "sim/parameter_reads.h"
#include "sim/sim_commands.h"
#include "sim/sim_line.h"

namespace dsp {
namespace {

constexpr std::uint8_t kErasedByte = 0xFF;

// Salts that give each of a processor's generators its own stream.
constexpr std::uint64_t kDiscoverySalt = 0x0D15C0;
constexpr std::uint64_t kFaultSalt = 0xFA017;
constexpr std::uint64_t kLevelSalt = 0x1E7E1;

// The delays a processor of the kSlots behaviour picks from, in character times.
constexpr std::uint64_t kAnswerSlots = 16;

std::uint64_t ChipIdBits(const ChipId& id) {
  std::uint64_t bits = 0;
  for (std::uint8_t byte : id) bits = (bits << 8) | byte;
  return bits;
}

// What the processor holds before anything is imported: a pattern of its own.
Bytes FactoryEffectMemory(const SimProcessorConfig& config) {
  SimRandom random(ChipIdBits(config.chip_id));
  Bytes memory(static_cast<std::size_t>(config.effect_blocks) * config.effect_block_size);
  for (auto& byte : memory) byte = static_cast<std::uint8_t>(random.Next());
  return memory;
}

std::string TextField(ByteView field) { return std::string(field.begin(), std::find(field.begin(), field.end(), 0)); }

}  // namespace

std::optional<DiscoveryBehaviour> DiscoveryBehaviourNamed(const std::string& name) {
  if (name == "halves") return DiscoveryBehaviour::kHalves;
  if (name == "slots") return DiscoveryBehaviour::kSlots;
  return std::nullopt;
}

std::optional<std::string> CheckProcessorConfig(const SimProcessorConfig& c) {
  if (c.name.empty() || c.name.size() > kSimNameBytes) {
    return "a processor name has 1 to 20 bytes (\"" + c.name + "\" does not)";
  }
  if (c.inputs < 1 || c.inputs > kSimMaxChannels || c.outputs < 1 || c.outputs > kSimMaxChannels) {
    return "a processor has 1 to 8 inputs and 1 to 8 outputs (\"" + c.name + "\" does not)";
  }
  if (c.effect_blocks < 1 || c.effect_blocks > kMaxEffectBlocks) return "the effect memory has 1 to 65536 blocks";
  if (c.effect_block_size < 1 || c.effect_block_size > kMaxEffectBlockSize) {
    return "an effect block holds 1 to 247 bytes";
  }
  return std::nullopt;
}

SimProcessor::SimProcessor(SimProcessorConfig config)
    : config_(std::move(config)),
      levels_(SplitMix64(config_.seed ^ kLevelSalt)),
      discovery_random_(SplitMix64(config_.seed ^ kDiscoverySalt)),
      fault_random_(SplitMix64(config_.seed ^ kFaultSalt)) {
  if (auto error = CheckProcessorConfig(config_)) throw std::invalid_argument(*error);
  name_ = config_.name;
  parameters_ = FactoryParameters();
  presets_[0] = {"Factory", parameters_};
  for (int i = 1; i < kSimPresetCount; ++i) presets_[i] = {"Preset " + std::to_string(i), parameters_};
  effect_memory_ = FactoryEffectMemory(config_);
}

void SimProcessor::AdvanceTo(std::int64_t now_us) {
  for (; level_clock_us_ + 1000 <= now_us; level_clock_us_ += 1000) {
    levels_.StepMillisecond(parameters_, pink_noise_, counts());
  }
  if (receiver_) {
    receiver_->AdvanceTo(now_us);
    CollectReceiverOutput();
  }
}

void SimProcessor::Receive(ByteView bytes, std::int64_t first_us, std::int64_t last_us) {
  if (receiver_) {
    receiver_->Feed(bytes, first_us, last_us);
    CollectReceiverOutput();
    return;
  }
  for (const Bytes& frame : assembler_.Feed(bytes, first_us, last_us)) HandleFrame(frame, last_us);
}

bool SimProcessor::IsMeantForMe(ByteView frame) const {
  const std::uint8_t to = frame[kOffsetAddress];
  if (frame[kOffsetKind] == kKindDiscovery && to == 0) return frame[kOffsetCommand] != sim_cmd::kRename;
  return address_ != 0 && to == address_;
}

void SimProcessor::HandleFrame(ByteView frame, std::int64_t at_us) {
  if (silenced_ || at_us < busy_until_us_ || !IsMeantForMe(frame)) return;
  if (faults_.silent_after && frames_handled_ >= *faults_.silent_after) {
    silenced_ = true;
    return;
  }
  ++frames_handled_;
  handled_frames_.emplace_back(frame.begin(), frame.end());
  if (handled_frames_.size() > kFrameHistoryLimit) handled_frames_.pop_front();
  switch (frame[kOffsetKind]) {
    case kKindDiscovery:
      HandleDiscovery(frame, at_us);
      break;
    case kKindRequest:
      HandleRequest(frame, at_us);
      break;
    case kKindWrite:
      HandleWrite(frame, at_us);
      break;
    case kKindPinkNoise:
      HandlePinkNoise(frame);
      break;
    default:
      break;
  }
}

void SimProcessor::HandleDiscovery(ByteView f, std::int64_t at_us) {
  switch (f[kOffsetCommand]) {
    case sim_cmd::kForgetAddress:
      address_ = 0;
      break;
    case sim_cmd::kScanAsk:
    case sim_cmd::kScanReAsk:
      if (address_ == 0) AnswerAsk(f[kOffsetCommand] == sim_cmd::kScanReAsk, at_us);
      break;
    case sim_cmd::kAssignAddress:
      if (f.size() == 15 && std::equal(config_.chip_id.begin(), config_.chip_id.end(), f.begin() + 6)) {
        address_ = f[5];
        Answer(AddressConfirmation(), at_us);
      }
      break;
    case sim_cmd::kRename:
      if (f.size() == 26) name_ = TextField(f.subspan(5, kSimNameBytes));
      break;
    default:
      break;
  }
}

void SimProcessor::AnswerAsk(bool re_ask, std::int64_t at_us) {
  if (config_.discovery == DiscoveryBehaviour::kHalves) {
    if (!re_ask || discovery_random_.Chance(0.5)) Answer(IdentifyAnswer(), at_us);
    return;
  }
  const auto slot = static_cast<std::int64_t>(discovery_random_.Below(kAnswerSlots));
  const std::int64_t start_us = at_us + kTurnaroundUs + slot * kByteUs;
  if (auto out = ApplyAnswerFaults({start_us, IdentifyAnswer(), at_us}, faults_, fault_random_)) {
    output_.push_back(std::move(*out));
  }
}

void SimProcessor::HandleRequest(ByteView f, std::int64_t at_us) {
  const std::uint8_t command = f[kOffsetCommand];
  const bool one_byte_payload = f.size() == 7;
  if (command == sim_cmd::kPresetName && one_byte_payload && f[5] < kSimPresetCount) {
    Answer(PresetNameReply(f), at_us);
  } else if (command == sim_cmd::kEffectBlock && f.size() == 9) {
    const int block = f[5] | (f[6] << 8);
    if (block < config_.effect_blocks) Answer(EffectBlockReply(f, block), at_us);
  } else if (command == sim_cmd::kLevelPoll && one_byte_payload) {
    Answer(LevelReply(), at_us);
  } else if (command == sim_cmd::kPresetRecall && one_byte_payload && f[5] < kSimPresetCount) {
    Recall(f[5], at_us);
  } else if (command == sim_cmd::kPresetSave && one_byte_payload && f[5] < kSimPresetCount) {
    Save(f[5], at_us);
  } else if (auto reply = AnswerParameterRead(f, counts(), parameters_, {faults_.other_formats})) {
    Answer(std::move(*reply), at_us);
  }
}

void SimProcessor::HandleWrite(ByteView f, std::int64_t at_us) {
  const std::uint8_t command = f[kOffsetCommand];
  if (command == sim_cmd::kPresetName && f.size() == 27 && f[5] < kSimPresetCount) {
    std::string name = TextField(f.subspan(6, kSimNameBytes));
    if (name.size() > kSimPresetNameChars) name.resize(kSimPresetNameChars);
    presets_[f[5]].name = std::move(name);
  } else if (command == sim_cmd::kFirmwareReceive && f.size() == kMinFrameLength) {
    StartReceiving(ImageKind::kFirmware, at_us);
  } else if (command == sim_cmd::kParameterReceive && f.size() == kMinFrameLength) {
    StartReceiving(ImageKind::kParameters, at_us);
  } else {
    ApplyParameterWrite(f, counts(), parameters_);
  }
}

void SimProcessor::HandlePinkNoise(ByteView f) {
  if (f[kOffsetCommand] != sim_cmd::kPinkNoise || f.size() != 18) return;
  auto big_endian = [&](std::size_t at) {
    return static_cast<std::uint32_t>(f[at]) << 24 | f[at + 1] << 16 | f[at + 2] << 8 | f[at + 3];
  };
  const std::uint8_t mask = f[5] & static_cast<std::uint8_t>((1u << config_.inputs) - 1);
  pink_noise_.channel_mask = f[6] ? (pink_noise_.channel_mask | mask) : (pink_noise_.channel_mask & ~mask);
  pink_noise_.mode = f[7];
  pink_noise_.volume = f[8];
  pink_noise_.address = big_endian(9);
  pink_noise_.size = big_endian(13);
}

void SimProcessor::Recall(int index, std::int64_t at_us) {
  parameters_ = presets_[index].parameters;
  current_preset_ = index;
  busy_until_us_ = at_us + (index == 0 ? kFactoryRestoreBusyUs : kRecallBusyUs);
}

void SimProcessor::Save(int index, std::int64_t at_us) {
  if (index == 0) return;
  presets_[index].parameters = parameters_;
  current_preset_ = index;
  busy_until_us_ = at_us + kSaveBusyUs;
}

void SimProcessor::StartReceiving(ImageKind kind, std::int64_t at_us) {
  receiving_kind_ = kind;
  receiver_.emplace(at_us + kTurnaroundUs);
  assembler_.Reset();
  CollectReceiverOutput();
}

void SimProcessor::CollectReceiverOutput() {
  for (Transmission& t : receiver_->TakeOutput()) output_.push_back(std::move(t));
  if (!receiver_->Finished()) return;
  std::optional<ReceivedImage> image = receiver_->image();
  receiver_.reset();
  if (image) StoreImage(std::move(*image));
}

void SimProcessor::StoreImage(ReceivedImage image) {
  if (receiving_kind_ == ImageKind::kParameters) {
    // The image replaces the effect memory from block 0: what it lacks is
    // erased, what does not fit is dropped.
    std::fill(effect_memory_.begin(), effect_memory_.end(), kErasedByte);
    std::copy_n(image.data.begin(), std::min(image.data.size(), effect_memory_.size()), effect_memory_.begin());
  }
  auto& slot = receiving_kind_ == ImageKind::kFirmware ? last_firmware_ : last_parameter_image_;
  slot = std::move(image);
  if (image_sink_) image_sink_(*this, receiving_kind_, *slot);
}

void SimProcessor::Answer(Bytes frame, std::int64_t request_end_us) {
  if (auto out =
          ApplyAnswerFaults({request_end_us + kTurnaroundUs, std::move(frame), std::nullopt}, faults_, fault_random_)) {
    output_.push_back(std::move(*out));
  }
}

}  // namespace dsp
