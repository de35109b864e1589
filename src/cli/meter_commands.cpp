#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/tick_loop.h"
#include "model/write_builders.h"
#include "protocol/level_poll.h"

namespace dsp {
namespace {

// Polls without a single answer for this long mean the line has gone.
constexpr int kSilentPollLimit = 25;
constexpr std::size_t kLevelColumnWidth = 9;  // "-100.0 dBv" is wider and pushes its row on

// Cells in columns two spaces apart, without trailing blanks.
std::string Row(const std::vector<std::string>& cells) {
  std::string row;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) row += std::string(kLevelColumnWidth + 2 - std::min(cells[i - 1].size(), kLevelColumnWidth), ' ');
    row += cells[i];
  }
  return row + "\n";
}

std::string ChannelName(int side, int channel) {
  return std::string(side == kInputSide ? "IN " : "OUT ") + static_cast<char>('A' + channel);
}

std::string LevelHeading(const DeviceRecord& device) {
  std::vector<std::string> cells;
  for (int side = 0; side < kSides; ++side) {
    for (int ch = 0; ch < device.ChannelCount(side); ++ch) cells.push_back(ChannelName(side, ch));
  }
  return Row(cells);
}

struct Reading {
  std::string text;
  Json json;
};

Reading LevelReading(const DeviceRecord& device, bool online, const Configuration& config) {
  if (!online) return {"offline\n", Json{{"online", false}}};
  std::vector<std::string> cells;
  Json fields{{"online", true}};
  for (int side = 0; side < kSides; ++side) {
    Json values = Json::array();
    for (int ch = 0; ch < device.ChannelCount(side); ++ch) {
      const double db = LevelDb(device.Level(side, ch), config.energy_full, config.energy_min_db);
      cells.push_back(FormatLevelDb(db));
      values.emplace_back(RoundedToTenths(db));
    }
    fields[side == kInputSide ? "inputs" : "outputs"] = std::move(values);
  }
  return {Row(cells), std::move(fields)};
}

}  // namespace

void RunLevels(Session& session, const Command& command) {
  DeviceList polled{session.ScanFor(command.device)};
  LevelPoll poll(session.link());
  Json readings = Json::array();
  int online_readings = 0;
  int silent_polls = 0;
  session.console().Stream(LevelHeading(polled[0]));
  RunTicks(session.clock(), LevelPoll::kTickMs, [&]() -> std::optional<int> {
    const std::optional<LevelAnswer> answer = poll.Tick(polled, session.link().IsOpen());
    if (!answer) return ++silent_polls >= kSilentPollLimit ? std::nullopt : std::optional(LevelPoll::kTickMs);
    silent_polls = 0;
    if (answer->online) ++online_readings;
    Reading reading = LevelReading(polled[0], answer->online, session.config());
    session.console().Stream(reading.text);
    readings.push_back(std::move(reading.json));
    return static_cast<int>(readings.size()) >= command.count ? std::nullopt : std::optional(LevelPoll::kTickMs);
  });
  if (online_readings == 0) {
    throw CliFailure(DeviceLabel(polled[0]) + " did not answer the level poll: check that it is powered and connected");
  }
  session.console().Result(
      "", Json{{"address", polled[0].Address()}, {"name", polled[0].Name()}, {"readings", std::move(readings)}});
}

void RunPink(Session& session, const Command& command) {
  const DeviceRecord& device = session.ScanFor(command.device);
  if (command.channel >= device.Inputs()) {
    throw CliFailure(DeviceLabel(device) + " has no input " + std::string(1, static_cast<char>('A' + command.channel)) +
                     ": it has " + std::to_string(device.Inputs()) + " inputs");
  }
  const std::optional<Bytes> frame = BuildWrite(WriteId::PinkNoise(command.on, command.channel, device.Address()),
                                                session.devices(), session.config());
  if (!frame) throw CliFailure("the pink noise frame could not be built for " + DeviceLabel(device));
  session.SendAndWait(*frame, "the pink noise command");
  const std::string channel = ChannelName(kInputSide, command.channel);
  session.console().Result(std::string(command.on ? "Pink noise playing on " : "Pink noise stopped on ") + channel +
                               " of " + DeviceLabel(device) + "\n",
                           Json{{"address", device.Address()}, {"channel", channel}, {"on", command.on}});
}

}  // namespace dsp
