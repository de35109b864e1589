// The daemon's small pieces: its command line, the write schedule and the
// records the HTTP threads read.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_failure.h"
#include "serve/served_records.h"
#include "serve/serve_options.h"
#include "serve/write_schedule.h"

namespace dsp {
namespace {

TEST(ServeOptions, ListenAddressAndWhatNeedsAToken) {
  const ServeOptions plain = ParseServeOptions({"--simulate", "Hall:2x2"});
  EXPECT_EQ(plain.http.host, "127.0.0.1");
  EXPECT_EQ(plain.http.port, 8780);
  const ServeOptions v6 = ParseServeOptions({"--port", "/dev/ttyUSB0", "--listen", "[::]:9000"});
  EXPECT_EQ(v6.http.host, "::");
  EXPECT_EQ(v6.http.port, 9000);

  const std::vector<std::vector<std::string>> refused = {
      {"--simulate", "Hall:2x2", "--listen", "0.0.0.0:x"},
      {"--simulate", "Hall:2x2", "--port", "/dev/ttyUSB0"},
      {"--simulate", "Hall:2x2", "--listen", "8780"},
      {"--simulate", "Hall:2x2", "--listen", "0.0.0.0:65536"},
      {"--simulate", "Hall:2x2", "scan"},
  };
  for (const auto& args : refused) EXPECT_THROW(ParseServeOptions(args), UsageError) << args.back();

  for (const char* host : {"127.0.0.1", "127.8.0.1", "::1", "localhost"}) EXPECT_FALSE(ReachableFromOtherHosts(host));
  for (const char* host : {"0.0.0.0", "::", "192.168.1.20", "1127.0.0.1"}) EXPECT_TRUE(ReachableFromOtherHosts(host));
}

// A fader dragged through many values becomes one write per target, sent
// 100 ms after the last change.
TEST(WriteSchedule, ABurstToOneTargetBecomesOneWriteAfterTheLastChange) {
  WriteSchedule schedule;
  const WriteId gain = WriteId::GainMute(1, 0, 1);
  const WriteId row = WriteId::MatrixRow(0, 1, 1);
  for (int ms = 0; ms <= 90; ms += 30) schedule.Schedule(gain, ms);
  schedule.Schedule(row, 50);
  EXPECT_TRUE(schedule.TakeDue(149).empty());
  EXPECT_EQ(schedule.TakeDue(150), std::vector<WriteId>{row});
  EXPECT_TRUE(schedule.TakeDue(189).empty());
  EXPECT_EQ(schedule.TakeDue(190), std::vector<WriteId>{gain});
  EXPECT_TRUE(schedule.Empty());
  schedule.Schedule(gain, 500);
  EXPECT_EQ(schedule.TakeAll(), std::vector<WriteId>{gain});
  EXPECT_TRUE(schedule.TakeDue(10'000).empty());
}

ServedView ViewOf(const DeviceRecord& record) {
  ServedView view;
  view.processors.push_back(std::make_shared<const ServedProcessor>(record, true));
  return view;
}

// The records of one processor, offered changes of its output 1 gain without waiting.
class ServedRecordsTest : public ::testing::Test {
 protected:
  std::vector<ParameterChange> OutputGain(int gain) const {
    const CheckedPatch patch = CheckPatch(Json{{"output 1", {{"gain", gain}}}}, bus_record, Configuration());
    EXPECT_TRUE(patch.Ok()) << patch.reason;
    return patch.changes;
  }
  ServedRecords::Accepted Offer(int gain, const ChipIdBytes& chip_id) {
    return records.Accept(chip_id, OutputGain(gain), std::chrono::milliseconds(0));
  }
  ServedRecords::Acceptance Offer(int gain) { return Offer(gain, bus_record.ChipId()).acceptance; }
  int ShownGain() const { return records.View()->Find(bus_record.ChipId())->record.Gain(kOutputSide, 1); }

  const DeviceRecord bus_record{1, ChipIdBytes{1, 2, 3, 4, 5, 6, 7, 8}, 2, 2, "Hall"};
  ServedRecords records{Configuration()};
};

// The bus thread shows its records while changes it has not taken yet are
// waiting: the records shown still carry them, and it takes them in the
// order they were accepted.
TEST_F(ServedRecordsTest, AcceptedChangesShowAtOnceAndReachTheBusThreadInOrder) {
  EXPECT_EQ(Offer(-100), ServedRecords::Acceptance::kGone) << "a change taken before the first records were shown";
  records.Publish(ViewOf(bus_record));

  const ServedRecords::Accepted first = Offer(-100, bus_record.ChipId());
  ASSERT_EQ(first.acceptance, ServedRecords::Acceptance::kTaken);
  EXPECT_EQ(first.after->record.Gain(kOutputSide, 1), -100);
  ASSERT_EQ(Offer(-200), ServedRecords::Acceptance::kTaken);
  EXPECT_EQ(Offer(-300, ChipIdBytes{}).acceptance, ServedRecords::Acceptance::kGone);

  records.Publish(ViewOf(bus_record));  // made before the bus thread took the two
  EXPECT_EQ(ShownGain(), -200);
  const std::string shown = records.View()->Find(bus_record.ChipId())->DocumentText();
  EXPECT_EQ(Json::parse(shown).at("parameters").at("output 1").at("gain"), -200);

  const std::vector<AcceptedChange> taken = records.TakeAccepted();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].changes.at(0).value, -100);
  EXPECT_EQ(taken[1].changes.at(0).value, -200);
  EXPECT_TRUE(records.TakeAccepted().empty());
}

TEST_F(ServedRecordsTest, ChangesBeyondWhatTheBusThreadTakesWaitAndAreThenRefused) {
  records.Publish(ViewOf(bus_record));
  const std::vector<ParameterChange> change = OutputGain(-100);  // checked once: the loop stays fast
  for (std::size_t i = 0; i < ServedRecords::kMaxWaitingChanges; ++i) {
    ASSERT_EQ(records.Accept(bus_record.ChipId(), change, std::chrono::milliseconds(0)).acceptance,
              ServedRecords::Acceptance::kTaken);
  }
  EXPECT_EQ(Offer(-200), ServedRecords::Acceptance::kBehind);
  EXPECT_EQ(ShownGain(), -100) << "a refused change was shown";
  records.TakeAccepted();
  EXPECT_EQ(Offer(-200), ServedRecords::Acceptance::kTaken);
}

}  // namespace
}  // namespace dsp
