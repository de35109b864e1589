// Runs the real renderer on the real manifest, as the build does, and checks
// the PNG files that the skin will load.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "skin_images/manifest.h"

namespace dsp {
namespace {

namespace fs = std::filesystem;

const fs::path kSources = DSP_IMAGE_SOURCES;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

fs::path MakeTempDir() {
  std::string pattern = (fs::temp_directory_path() / "skin_images_XXXXXX").string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}

struct RunResult {
  int exit_code = -1;
  std::string errors;
};

RunResult RunRenderer(const fs::path& manifest, const fs::path& output) {
  fs::path errors = output.parent_path() / (output.filename().string() + ".stderr");
  std::string command = std::string("'") + DSP_RENDER_SKIN_IMAGES + "' '" + manifest.string() +
                        "' '" + output.string() + "' 2>'" + errors.string() + "'";
  int status = std::system(command.c_str());
  RunResult result;
  if (status != -1 && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  result.errors = ReadFile(errors);
  return result;
}

bool HasOpaquePixel(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255) return true;
  return false;
}

size_t CountColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  return colours.size();
}

bool RowsAreClear(const QImage& image, int from_row) {
  for (int y = from_row; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) return false;
  return true;
}

class RenderedImagesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = MakeTempDir();
    ASSERT_FALSE(work_.empty());
    run_ = RunRenderer(kSources / "images.txt", work_ / "image");
    manifest_ = ParseManifest(ReadFile(kSources / "images.txt"));
  }
  static void TearDownTestSuite() { fs::remove_all(work_); }

  static QImage Load(const std::string& file) {
    return QImage(QString::fromStdString((work_ / "image" / file).string()))
        .convertToFormat(QImage::Format_ARGB32);
  }

  static inline fs::path work_;
  static inline RunResult run_;
  static inline Manifest manifest_;
};

TEST_F(RenderedImagesTest, EveryStateOfEveryEntryIsAVisibleImageOfTheStatedSize) {
  ASSERT_EQ(run_.exit_code, 0) << run_.errors;
  ASSERT_FALSE(manifest_.error);
  ASSERT_FALSE(manifest_.entries.empty());
  for (const auto& entry : manifest_.entries) {
    for (const auto& state : StatesOf(entry.variants)) {
      std::string file = entry.output + std::string(state.suffix) + ".png";
      QImage image = Load(file);
      ASSERT_FALSE(image.isNull()) << file << " was not written";
      EXPECT_EQ(image.width(), entry.width) << file;
      EXPECT_EQ(image.height(), entry.height) << file;
      EXPECT_TRUE(HasOpaquePixel(image)) << file << " has no opaque pixel";
      EXPECT_GT(CountColours(image), 1u) << file << " is a single flat colour";
    }
  }
}

TEST_F(RenderedImagesTest, TheSixStatesOfEachPageButtonDifferFromEachOther) {
  ASSERT_EQ(run_.exit_code, 0) << run_.errors;
  int pages = 0;
  for (const auto& entry : manifest_.entries) {
    if (entry.variants != VariantSet::kPage) continue;
    ++pages;
    auto states = StatesOf(entry.variants);
    for (size_t i = 0; i < states.size(); ++i) {
      for (size_t j = i + 1; j < states.size(); ++j) {
        std::string a = entry.output + std::string(states[i].suffix) + ".png";
        std::string b = entry.output + std::string(states[j].suffix) + ".png";
        EXPECT_NE(Load(a), Load(b)) << a << " looks the same as " << b;
      }
    }
  }
  EXPECT_EQ(pages, 12);
}

TEST_F(RenderedImagesTest, PagePictogramsLeaveTheLabelRowsBelowFortyPixelsFree) {
  ASSERT_EQ(run_.exit_code, 0) << run_.errors;
  for (const auto& entry : manifest_.entries) {
    if (entry.variants != VariantSet::kPage) continue;
    EXPECT_TRUE(RowsAreClear(Load(entry.output + ".png"), 40)) << entry.output;
  }
}

TEST_F(RenderedImagesTest, TheImagesTheProgramAsksForByNameExist) {
  ASSERT_EQ(run_.exit_code, 0) << run_.errors;
  const char* stems[] = {"home",       "input",        "noise_gate", "input_eq",
                         "input_delay", "matrix_mix",  "output_eq",  "output_delay",
                         "comp",       "limit",        "output",     "energy"};
  const char* suffixes[] = {"", "_hot", "_pushed", "_selected", "_selected_hot", "_selected_pushed"};
  for (const char* stem : stems)
    for (const char* suffix : suffixes)
      EXPECT_TRUE(fs::exists(work_ / "image" / (std::string(stem) + suffix + ".png")))
          << stem << suffix;
  for (const char* name : {"channel_input", "channel_input_selected", "channel_output",
                           "channel_output_selected", "checked", "unchecked"})
    EXPECT_TRUE(fs::exists(work_ / "image" / (std::string(name) + ".png"))) << name;
  QImage check = Load("checked.png");
  EXPECT_EQ(check.size(), QSize(16, 16));
  EXPECT_EQ(Load("unchecked.png").size(), QSize(16, 16));
}

class RendererFailureTest : public testing::Test {
 protected:
  void SetUp() override {
    work_ = MakeTempDir();
    ASSERT_FALSE(work_.empty());
    fs::copy_file(kSources / "home.svg", work_ / "home.svg");
  }
  void TearDown() override { fs::remove_all(work_); }

  RunResult Render(const std::string& manifest_text) {
    std::ofstream(work_ / "images.txt") << manifest_text;
    return RunRenderer(work_ / "images.txt", work_ / "image");
  }

  fs::path work_;
};

TEST_F(RendererFailureTest, AMalformedLineIsRejectedWithItsNumberAndNothingIsWritten) {
  RunResult run = Render(
      "# images\n"
      "home.svg home 72 56 page\n"
      "home.svg wide 72 page\n");
  EXPECT_NE(run.exit_code, 0);
  EXPECT_NE(run.errors.find("images.txt:3: expected 5 fields"), std::string::npos) << run.errors;
  EXPECT_FALSE(fs::exists(work_ / "image" / "home.png"));
}

TEST_F(RendererFailureTest, AMissingDrawingIsReportedAtItsLine) {
  RunResult run = Render(
      "home.svg home 72 56 page\n"
      "\n"
      "gone.svg gone 16 16 single\n");
  EXPECT_NE(run.exit_code, 0);
  EXPECT_NE(run.errors.find("images.txt:3:"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("gone.svg"), std::string::npos) << run.errors;
}

TEST_F(RendererFailureTest, ADrawingAskedForInAnotherShapeIsRefusedNotStretched) {
  RunResult run = Render("home.svg home 56 56 page\n");
  EXPECT_NE(run.exit_code, 0);
  EXPECT_NE(run.errors.find("images.txt:1:"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("does not scale to 56x56"), std::string::npos) << run.errors;
}

TEST_F(RendererFailureTest, ADrawingRendersAtTwiceItsSizeForDenseScreens) {
  RunResult run = Render("home.svg home_2x 144 112 single\n");
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  QImage image(QString::fromStdString((work_ / "image" / "home_2x.png").string()));
  EXPECT_EQ(image.size(), QSize(144, 112));
}

}  // namespace
}  // namespace dsp
