// Discovery on a full bus, in simulated time: for each configuration (how
// unaddressed processors answer, how many there are, the scan time) one scan
// per seed against processors of 2 inputs and 2 outputs. Prints, for each,
// the share of scans that found every processor, the median and worst scan
// time spent when the last processor was found (over the complete scans), and
// the share whose closing line was right: complete and not said to be cut
// short, or incomplete and said to be. Exits 1 when a share falls below its
// target.
//
//   scan_campaign [SEEDS [halves|slots]]   (default 1000 seeds, 1 to SEEDS;
//                                           both behaviours)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "protocol/bus_scan.h"
#include "sim/sim_bus.h"
#include "sim/sim_link.h"

namespace dsp {
namespace {

struct Campaign {
  DiscoveryBehaviour behaviour;
  int processors;
  int scan_time_ms;
  double complete_target;  // share of seeds that must find every processor
};

// Eight processors answering as halves at the default scan time are reported
// without a target: they need about three times as long.
const Campaign kCampaigns[] = {
    {DiscoveryBehaviour::kHalves, 3, 5000, 0.999}, {DiscoveryBehaviour::kHalves, 8, 5000, 0.0},
    {DiscoveryBehaviour::kHalves, 8, 60000, 0.98}, {DiscoveryBehaviour::kHalves, 8, 90000, 0.999},
    {DiscoveryBehaviour::kSlots, 8, 5000, 0.999},  {DiscoveryBehaviour::kSlots, 16, 15000, 0.99},
    {DiscoveryBehaviour::kSlots, 32, 30000, 0.99},
};

struct ScanOutcome {
  int found = 0;
  int last_find_ms = 0;
  bool said_cut_short = false;
};

ScanOutcome RunScan(const Campaign& campaign, std::uint64_t seed) {
  SimBus bus(seed, campaign.behaviour);
  for (int i = 0; i < campaign.processors; ++i) bus.Add("Unit " + std::to_string(i + 1), 2, 2);
  SimLink link(bus);
  BusScan scan(link);
  scan.Start(campaign.scan_time_ms);
  ScanOutcome outcome;
  while (!scan.Finished()) {
    bus.Advance(std::chrono::milliseconds(scan.NextTickMs()));
    if (scan.Tick()) ++outcome.found;
  }
  outcome.last_find_ms = scan.LastFindMs();
  outcome.said_cut_short = scan.EndedWhileAnswering();
  return outcome;
}

const char* Name(DiscoveryBehaviour behaviour) { return behaviour == DiscoveryBehaviour::kHalves ? "halves" : "slots"; }

// Prints one configuration's line; false when its share misses the target.
bool RunCampaign(const Campaign& campaign, int seeds) {
  int complete = 0;
  int right = 0;
  std::vector<int> last_finds;
  for (int seed = 1; seed <= seeds; ++seed) {
    const ScanOutcome outcome = RunScan(campaign, static_cast<std::uint64_t>(seed));
    const bool all = outcome.found == campaign.processors;
    complete += all ? 1 : 0;
    right += all != outcome.said_cut_short ? 1 : 0;
    if (all) last_finds.push_back(outcome.last_find_ms);
  }
  std::sort(last_finds.begin(), last_finds.end());
  const double median_s = last_finds.empty() ? 0 : last_finds[last_finds.size() / 2] / 1000.0;
  const double worst_s = last_finds.empty() ? 0 : last_finds.back() / 1000.0;
  const double share = static_cast<double>(complete) / seeds;
  std::printf(
      "%-6s %2d processors, scan time %3d s: complete %6.1f %% (target %.1f %%), last find median %5.1f s, "
      "worst %5.1f s, closing line right %6.1f %%\n",
      Name(campaign.behaviour), campaign.processors, campaign.scan_time_ms / 1000, 100 * share,
      100 * campaign.complete_target, median_s, worst_s, 100.0 * right / seeds);
  std::fflush(stdout);
  return share >= campaign.complete_target;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
  const int seeds = argc > 1 ? std::atoi(argv[1]) : 1000;
  const std::string only = argc > 2 ? argv[2] : "";
  if (seeds < 1 || argc > 3 || (!only.empty() && !dsp::DiscoveryBehaviourNamed(only))) {
    std::fprintf(stderr, "usage: scan_campaign [SEEDS [halves|slots]]  (SEEDS a positive number, default 1000)\n");
    return 2;
  }
  bool met = true;
  for (const dsp::Campaign& campaign : dsp::kCampaigns) {
    if (!only.empty() && campaign.behaviour != dsp::DiscoveryBehaviourNamed(only)) continue;
    met = dsp::RunCampaign(campaign, seeds) && met;
  }
  return met ? 0 : 1;
}
