// Runs the real renderer on the real manifest, as the build does, and checks
// the PNG files that the skin will load.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <cstdlib>
#include <memory>
#include <set>

#include "../support/temp_dir.h"
#include "skin_images/manifest.h"

namespace dsp {
namespace {

namespace fs = std::filesystem;
using dsp::testing::ReadText;
using dsp::testing::TempDir;

const fs::path kSources = DSP_IMAGE_SOURCES;

struct RenderRun {
  int status = -1;  // -1 when the renderer did not end normally
  std::string err;
};

RenderRun RunRenderer(const fs::path& manifest, const fs::path& output) {
  const fs::path errors = output.parent_path() / "renderer.stderr";
  const int status = std::system(("'" + std::string(DSP_RENDER_SKIN_IMAGES) + "' '" + manifest.string() + "' '" +
                                  output.string() + "' 2>'" + errors.string() + "'")
                                     .c_str());
  return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(errors.string())};
}

// The pixels of `image` from the row `from_row` down.
std::vector<QRgb> Pixels(const QImage& image, int from_row = 0) {
  std::vector<QRgb> pixels;
  for (int y = from_row; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
  return pixels;
}

class RenderedImagesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = std::make_unique<TempDir>();
    run_ = RunRenderer(kSources / "images.txt", work_->path() / "image");
    manifest_ = ParseManifest(ReadText((kSources / "images.txt").string()));
  }
  static void TearDownTestSuite() { work_.reset(); }
  void SetUp() override { ASSERT_EQ(run_.status, 0) << run_.err; }

  static QImage Load(const std::string& file) {
    return QImage(QString::fromStdString((work_->path() / "image" / file).string()))
        .convertToFormat(QImage::Format_ARGB32);
  }

  static inline std::unique_ptr<TempDir> work_;
  static inline RenderRun run_;
  static inline Manifest manifest_;
};

TEST_F(RenderedImagesTest, EveryStateOfEveryEntryIsAVisibleImageOfTheStatedSize) {
  ASSERT_FALSE(manifest_.error);
  ASSERT_FALSE(manifest_.entries.empty());
  for (const auto& entry : manifest_.entries) {
    for (const auto& state : StatesOf(entry.variants)) {
      std::string file = entry.output + std::string(state.suffix) + ".png";
      QImage image = Load(file);
      ASSERT_FALSE(image.isNull()) << file << " was not written";
      EXPECT_EQ(image.width(), entry.width) << file;
      EXPECT_EQ(image.height(), entry.height) << file;
      const std::vector<QRgb> pixels = Pixels(image);
      EXPECT_TRUE(std::ranges::any_of(pixels, [](QRgb p) { return qAlpha(p) == 255; }))
          << file << " has no opaque pixel";
      EXPECT_GT(std::set<QRgb>(pixels.begin(), pixels.end()).size(), 1u) << file << " is a single flat colour";
    }
  }
}

TEST_F(RenderedImagesTest, TheSixStatesOfEachPageButtonDifferFromEachOther) {
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
  for (const auto& entry : manifest_.entries) {
    if (entry.variants != VariantSet::kPage) continue;
    const std::vector<QRgb> label_rows = Pixels(Load(entry.output + ".png"), 40);
    EXPECT_TRUE(std::ranges::all_of(label_rows, [](QRgb p) { return qAlpha(p) == 0; })) << entry.output;
  }
}

TEST_F(RenderedImagesTest, TheImagesTheProgramAsksForByNameExist) {
  const char* stems[] = {"home",      "input",     "noise_gate", "input_eq", "input_delay", "matrix_mix",
                         "output_eq", "output_delay", "comp",    "limit",    "output",      "energy"};
  const char* suffixes[] = {"", "_hot", "_pushed", "_selected", "_selected_hot", "_selected_pushed"};
  for (const char* stem : stems)
    for (const char* suffix : suffixes)
      EXPECT_TRUE(fs::exists(work_->path() / "image" / (std::string(stem) + suffix + ".png")))
          << stem << suffix;
  for (const char* name : {"channel_input", "channel_input_selected", "channel_output",
                           "channel_output_selected", "checked", "unchecked"})
    EXPECT_TRUE(fs::exists(work_->path() / "image" / (std::string(name) + ".png"))) << name;
  EXPECT_EQ(Load("checked.png").size(), QSize(16, 16));
  EXPECT_EQ(Load("unchecked.png").size(), QSize(16, 16));
}

class RendererFailureTest : public ::testing::Test {
 protected:
  RendererFailureTest() { fs::copy_file(kSources / "home.svg", work_.path() / "home.svg"); }

  RenderRun Render(const std::string& manifest_text) {
    dsp::testing::WriteText(work_.File("images.txt"), manifest_text);
    return RunRenderer(work_.path() / "images.txt", work_.path() / "image");
  }

  TempDir work_;
};

TEST_F(RendererFailureTest, AFaultyManifestIsRejectedAtItsLine) {
  const struct {
    const char* manifest;
    std::vector<std::string> said;
    bool nothing_written;
  } cases[] = {
      {"# images\nhome.svg home 72 56 page\nhome.svg wide 72 page\n", {"images.txt:3: expected 5 fields"}, true},
      {"home.svg home 72 56 page\n\ngone.svg gone 16 16 single\n", {"images.txt:3:", "gone.svg"}, false},
      // A drawing asked for in another shape is refused, not stretched.
      {"home.svg home 56 56 page\n", {"images.txt:1:", "does not scale to 56x56"}, false},
  };
  for (const auto& c : cases) {
    const RenderRun run = Render(c.manifest);
    EXPECT_NE(run.status, 0) << c.manifest;
    for (const std::string& part : c.said) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    if (c.nothing_written) {
      EXPECT_FALSE(fs::exists(work_.path() / "image" / "home.png"));
    }
  }
}

TEST_F(RendererFailureTest, ADrawingRendersAtTwiceItsSizeForDenseScreens) {
  const RenderRun run = Render("home.svg home_2x 144 112 single\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(QImage(QString::fromStdString(work_.File("image/home_2x.png"))).size(), QSize(144, 112));
}

}  // namespace
}  // namespace dsp
