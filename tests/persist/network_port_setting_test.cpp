#include "persist/network_port_setting.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "persist/language_setting.h"

namespace dsp {
namespace {

using testing::TempDir;
using testing::WriteText;

TEST(NetworkPortSetting, TheLatestComesFirstBesideTheLanguage) {
  TempDir dir;
  const std::string file = dir.File("sub/Setting.ini");
  EXPECT_TRUE(ReadNetworkPorts(file).empty());
  ASSERT_TRUE(WriteLanguage(file, Language::kEnglish).Ok());
  for (const char* port : {"tcp://a:1", "rfc2217://[::1]:2", "tcp://a:1"}) {
    ASSERT_TRUE(RememberNetworkPort(file, port).Ok());
  }
  EXPECT_EQ(ReadNetworkPorts(file), (std::vector<std::string>{"tcp://a:1", "rfc2217://[::1]:2"}));
  EXPECT_EQ(ReadLanguage(file), Language::kEnglish);

  for (int i = 0; i < 10; ++i) ASSERT_TRUE(RememberNetworkPort(file, "tcp://h:" + std::to_string(100 + i)).Ok());
  const std::vector<std::string> kept = ReadNetworkPorts(file);
  ASSERT_EQ(kept.size(), kRememberedNetworkPorts);
  EXPECT_EQ(kept.front(), "tcp://h:109");
}

TEST(NetworkPortSetting, NamesThatAreNoNetworkPortAreSkipped) {
  TempDir dir;
  const std::string file = dir.File("Setting.ini");
  WriteText(file, "[Option]\nLanguage=0\nNetworkPorts=tcp://a:1,/dev/ttyS0,,tcp://nohost,rfc2217://b:2\n");
  EXPECT_EQ(ReadNetworkPorts(file), (std::vector<std::string>{"tcp://a:1", "rfc2217://b:2"}));
}

}  // namespace
}  // namespace dsp
