// Offscreen rendering of the demo skin, and Chinese texts in the default font.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <filesystem>

#include "platform/testing/screenshot.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

using ScreenshotTest = DemoWindowTest;

TEST_F(ScreenshotTest, TheDemoWindowRendersToAPngThatIsNotBlankAndFailuresAreReported) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "dsp_demo_screenshot.png";
  ASSERT_EQ(SaveScreenshot(demo.Widget(), path.string()), "");
  const QImage image(QString::fromStdString(path.string()));
  std::filesystem::remove(path);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), demo.Widget()->size());
  EXPECT_GT(DistinctColours(image), 100) << "texts, images and anti-aliased edges give many colours";
  QImage blank(40, 30, QImage::Format_ARGB32);
  blank.fill(0xFF202020);
  EXPECT_EQ(DistinctColours(blank), 1);
  EXPECT_NE(SaveScreenshot(demo.Widget(), "/nonexistent-folder/shot.png"), "") << "an unwritable file is reported";
}

TEST_F(ScreenshotTest, ChineseTextsHaveGlyphsInTheWindowFont) {
  const QFontMetrics metrics(demo.Font(0));
  for (const QChar glyph : QString::fromUtf8("设备列表加载音效中确认")) {
    EXPECT_TRUE(metrics.inFont(glyph)) << "no glyph for U+" << std::hex << static_cast<int>(glyph.unicode());
  }
  const QImage label = Capture(demo.FindControl("label_chinese"));
  EXPECT_GT(DistinctColours(label), 4) << "the label draws its characters";
}

}  // namespace
}  // namespace dsp::test
