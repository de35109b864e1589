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

TEST(ManifestTest, RejectsAFaultyLineNamingTheLineAndTheFault) {
  const struct {
    const char* line;
    const char* complaint;
  } bad_lines[] = {
      {"input.svg input 72 56", "found 4"},
      {"input.svg input 72 56 page extra", "found 6"},
      {"input.png input 72 56 page", ".svg"},
      {"../input.svg input 72 56 page", ".svg"},  // a source outside the folder
      {"input.svg Input 72 56 page", "a-z"},
      {"input.svg image/input 72 56 page", "a-z"},
      {"input.svg input 0 56 page", "whole numbers"},
      {"input.svg input 72px 56 page", "whole numbers"},
      {"input.svg input 72 -56 page", "whole numbers"},
      {"input.svg input 72 5600 page", "whole numbers"},
      {"input.svg input 72 56 pages", "variants"},
      {"other.svg home 72 56 single", "'home.png' is already produced"},
      {"other.svg home_hot 72 56 single", "'home_hot.png' is already"},
  };
  for (const auto& bad : bad_lines) {
    SCOPED_TRACE(bad.line);
    const Manifest manifest = ParseManifest(std::string("# images\nhome.svg home 72 56 page\n") + bad.line +
                                            "\nlimit.svg limit 72 56 page\n");
    ASSERT_TRUE(manifest.error) << "accepted";
    EXPECT_EQ(manifest.error->line, 3);
    EXPECT_NE(manifest.error->message.find(bad.complaint), std::string::npos) << manifest.error->message;
    EXPECT_TRUE(manifest.entries.empty());
  }
}

}  // namespace
}  // namespace dsp
