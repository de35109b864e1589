#include "skin_images/manifest.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

TEST(ManifestTest, ReadsEntriesAndSkipsCommentsBlankLinesAndCarriageReturns) {
  Manifest manifest = ParseManifest(
      "# header\r\n"
      "\r\n"
      "home.svg   home   72 56 page\r\n"
      "   # indented comment\n"
      "checked.svg\tchecked\t16\t16\tsingle\n"
      "close.svg close 36 28 danger");
  ASSERT_FALSE(manifest.error) << manifest.error->message;
  ASSERT_EQ(manifest.entries.size(), 3u);
  const ImageEntry& home = manifest.entries[0];
  EXPECT_EQ(std::tie(home.source, home.output, home.width, home.height), std::tuple("home.svg", "home", 72, 56));
  std::vector<std::pair<VariantSet, int>> variants_and_lines;
  for (const ImageEntry& entry : manifest.entries) variants_and_lines.emplace_back(entry.variants, entry.line);
  EXPECT_EQ(variants_and_lines, (std::vector<std::pair<VariantSet, int>>{
                                    {VariantSet::kPage, 3}, {VariantSet::kSingle, 5}, {VariantSet::kDanger, 6}}));
}

struct BadLine {
  const char* name;
  const char* line;
  const char* complaint;
};

class ManifestRejectsTest : public testing::TestWithParam<BadLine> {};

TEST_P(ManifestRejectsTest, NamesTheLineAndTheFault) {
  std::string text = "# images\nhome.svg home 72 56 page\n";
  text += GetParam().line;
  text += "\nlimit.svg limit 72 56 page\n";
  Manifest manifest = ParseManifest(text);
  ASSERT_TRUE(manifest.error) << "accepted: " << GetParam().line;
  EXPECT_EQ(manifest.error->line, 3);
  EXPECT_NE(manifest.error->message.find(GetParam().complaint), std::string::npos)
      << manifest.error->message;
  EXPECT_TRUE(manifest.entries.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ManifestRejectsTest,
    testing::Values(BadLine{"FourFields", "input.svg input 72 56", "found 4"},
                    BadLine{"SixFields", "input.svg input 72 56 page extra", "found 6"},
                    BadLine{"NotSvg", "input.png input 72 56 page", ".svg"},
                    BadLine{"SourceOutsideTheFolder", "../input.svg input 72 56 page", ".svg"},
                    BadLine{"UpperCaseOutput", "input.svg Input 72 56 page", "a-z"},
                    BadLine{"OutputWithFolder", "input.svg image/input 72 56 page", "a-z"},
                    BadLine{"ZeroWidth", "input.svg input 0 56 page", "whole numbers"},
                    BadLine{"UnitAfterWidth", "input.svg input 72px 56 page", "whole numbers"},
                    BadLine{"NegativeHeight", "input.svg input 72 -56 page", "whole numbers"},
                    BadLine{"HugeHeight", "input.svg input 72 5600 page", "whole numbers"},
                    BadLine{"UnknownVariants", "input.svg input 72 56 pages", "variants"},
                    BadLine{"OutputTaken", "other.svg home 72 56 single", "'home.png' is already produced"},
                    BadLine{"StateFileTaken", "other.svg home_hot 72 56 single", "'home_hot.png' is already"}),
    [](const testing::TestParamInfo<BadLine>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dsp
