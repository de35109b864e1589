// Installation backups: unit files named by chip ID, the manifest, and the
// plan that matches a backup to the processors a scan found.
#include "persist/installation.h"

#include <gtest/gtest.h>

#include "link/utf8_path.h"
#include "model/chip_id.h"
#include "persist/parameter_file.h"
#include "../support/temp_dir.h"

namespace dsp {
namespace {

const ChipIdBytes kHall = {0x2F, 0x63, 0xF8, 0x0F, 0x18, 0xBF, 0x78, 0x60};
const ChipIdBytes kStage = {0xE9, 0xDF, 0xFE, 0x0F, 0x3A, 0x3C, 0xA2, 0x09};
const ChipIdBytes kLobby = {0x94, 0x32, 0x47, 0x09, 0x24, 0x65, 0xA6, 0x3F};

TEST(Installation, UnitsAndTheirManifestComeBackAsSaved) {
  testing::TempDir dir;
  const std::string folder = Utf8Text(dir.path() / Utf8Path("场地 é/备份"));
  DeviceRecord hall(3, kHall, 8, 8, "Hall");
  hall.SetGain(kInputSide, 2, -750);
  Installation saved{"2026-12-06T23:00:00Z", {}};
  ASSERT_TRUE(BackUpUnit(folder, hall, saved).Ok()) << "the folder is created";
  ASSERT_TRUE(BackUpUnit(folder, DeviceRecord(1, kStage, 4, 8, "Stage"), saved).Ok());
  ASSERT_TRUE(SaveManifest(folder, saved).Ok());

  Installation loaded;
  ASSERT_TRUE(LoadManifest(folder, loaded).Ok());
  EXPECT_EQ(loaded.date, saved.date);
  ASSERT_EQ(loaded.units.size(), 2u);
  EXPECT_EQ(loaded.units[0].file, "unit-2F63F80F18BF7860.ini");
  EXPECT_EQ(std::make_pair(loaded.units[1].chip_id, loaded.units[1].inputs), std::make_pair(kStage, 4));
  DeviceRecord back(1, kHall, 8, 8, "Hall");
  ASSERT_TRUE(LoadParameterFile(folder + "/" + loaded.units[0].file, Configuration{}, back).Ok());
  EXPECT_EQ(back.Gain(kInputSide, 2), -750);
}

TEST(Installation, WhatIsNotABackupIsRefused) {
  testing::TempDir dir;
  const char* manifests[] = {
      "", "[1, 2]", "{\"format\": 2, \"units\": []}", "{\"format\": 1}",
      "{\"format\": 1, \"units\": [{\"chip_id\": \"12\", \"file\": \"unit.ini\"}]}",
      "{\"format\": 1, \"units\": [{\"chip_id\": \"2F63F80F18BF7860\", \"file\": \"../../etc/passwd\"}]}",
      "{\"format\": 1, \"units\": [{\"chip_id\": \"2F63F80F18BF7860\", \"file\": \"u.ini\", \"inputs\": \"8\"}]}",
  };
  for (const char* manifest : manifests) {
    SCOPED_TRACE(manifest);
    testing::WriteText(dir.File(kManifestFile), manifest);
    Installation loaded;
    const FileResult result = LoadManifest(dir.path().string(), loaded);
    EXPECT_EQ(result.error, FileError::kNotParameterFile) << result.message;
    EXPECT_NE(result.message.find("installation.json"), std::string::npos) << result.message;
  }
  Installation none;
  EXPECT_EQ(LoadManifest(dir.File("missing"), none).error, FileError::kCannotRead);
}

// The scan hands out addresses in any order; the chip ID decides.
TEST(Installation, TheRestoreMatchesByChipIdAndRefusesOtherCounts) {
  const Installation backup{"", {{kHall, "Hall", 8, 8, "h.ini"}, {kStage, "Stage", 4, 8, "s.ini"},
                                 {kLobby, "Lobby", 2, 4, "l.ini"}}};
  DeviceList bus;
  bus.emplace_back(1, kStage, 4, 8, "Stage");
  bus.emplace_back(2, kHall, 4, 4, "Hall");
  const ChipIdBytes stranger = {1, 2, 3, 4, 5, 6, 7, 8};
  bus.emplace_back(3, stranger, 2, 2, "New");

  struct Expected {
    ChipIdBytes chip_id;
    int address;
    RestoreOutcome outcome;
  };
  const Expected all[] = {{kHall, 2, RestoreOutcome::kCountsDiffer},
                          {kStage, 1, RestoreOutcome::kRestore},
                          {kLobby, 0, RestoreOutcome::kNotOnBus},
                          {stranger, 3, RestoreOutcome::kNotInBackup}};
  const auto plan = PlanRestore(backup, bus, {});
  ASSERT_EQ(plan.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(std::make_tuple(plan[i].chip_id, plan[i].address, plan[i].outcome),
              std::make_tuple(all[i].chip_id, all[i].address, all[i].outcome))
        << ChipIdText(all[i].chip_id);
  }
  const auto only = PlanRestore(backup, bus, {kStage, stranger});
  ASSERT_EQ(only.size(), 2u);
  EXPECT_EQ(only[0].file, "s.ini");
  EXPECT_EQ(only[1].outcome, RestoreOutcome::kNotInBackup);
}

}  // namespace
}  // namespace dsp
