// The equaliser graph as it paints, read back as pixels.
#include <gtest/gtest.h>

#include <QImage>

#include "controls/eq_graph.h"
#include "platform/testing/screenshot.h"

namespace dsp {
namespace {

bool NearWhite(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200; }
bool Greenish(QRgb pixel) { return qGreen(pixel) > 60 && qRed(pixel) < qGreen(pixel) / 2 && qBlue(pixel) < qGreen(pixel) / 2; }

class EqGraphRenderTest : public ::testing::Test {
 protected:
  EqGraphRenderTest() {
    graph.resize(800, 320);
    for (const auto& [name, value] : {std::pair{"windowbkcolor", "#FF101418"}, {"windowlinecolor", "#FF5A6370"},
                                      {"gridcolor", "#FF333942"}, {"scaletextcolor", "#FF9AA5B1"},
                                      {"textcolor", "#FF8FD0EE"}}) {
      graph.SetAttribute(name, value);
    }
  }
  QImage Render() { return Capture(&graph).convertToFormat(QImage::Format_ARGB32); }
  // White pixels in the middle of the plot's upper half, where "EQ PASS"
  // goes (the handles at 0 dB would hide it in the very middle).
  int WhiteInTheMiddle() {
    const QImage image = Render();
    const PixelRect plot = graph.Model().Plot();
    int white = 0;
    for (int y = plot.top + plot.Height() / 5; y < plot.top + plot.Height() * 3 / 10; ++y) {
      for (int x = plot.left + plot.Width() * 2 / 5; x < plot.left + plot.Width() * 3 / 5; ++x) {
        white += NearWhite(image.pixel(x, y)) ? 1 : 0;
      }
    }
    return white;
  }

  EqGraph graph;
};

TEST_F(EqGraphRenderTest, EqPassShowsWhileEveryBandIsOff) {
  EXPECT_GT(WhiteInTheMiddle(), 20) << "EQ PASS in white";
  graph.SetBand(30, 14000, 0, 100, 1, true);
  EXPECT_EQ(WhiteInTheMiddle(), 0);
  graph.SetBand(30, 14000, 0, 100, 1, false);
  graph.SetHighPass(200, true);
  EXPECT_GT(WhiteInTheMiddle(), 20) << "the filters are no bands";
}

TEST_F(EqGraphRenderTest, TheCurveIsClippedAtThePlotsTop) {
  graph.SetBand(5, 1000, 1400, 100, 1, true);
  graph.SetBand(6, 1000, 1400, 100, 1, true);
  const QImage image = Render();
  const PixelRect plot = graph.Model().Plot();
  const int centre = plot.left + static_cast<int>(FrequencyAxis(plot.Width()).X(1000));
  int topmost = image.height();
  for (int x = centre - 60; x <= centre + 60; ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (Greenish(image.pixel(x, y))) {
        topmost = std::min(topmost, y);
        break;
      }
    }
  }
  EXPECT_GE(topmost, plot.top - 2) << "nothing of the curve above the plot";
  EXPECT_LE(topmost, plot.top + 1) << "28 dB reaches the top";
  int at_top = 0;
  for (int x = centre - 10; x <= centre + 10; ++x) at_top += Greenish(image.pixel(x, plot.top)) ? 1 : 0;
  EXPECT_GT(at_top, 15) << "the curve runs along the top edge";
}

}  // namespace
}  // namespace dsp
