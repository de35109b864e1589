#include "link/port_name.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

TEST(PortName, GoodNamesGiveKindHostAndPort) {
  struct Case {
    std::string name;
    PortKind kind;
    std::string host;
    int port;
  };
  const Case cases[] = {
      {"/dev/ttyUSB0", PortKind::kLocal, "", 0},
      {"tcp://192.168.1.20:4001", PortKind::kTcp, "192.168.1.20", 4001},
      {"tcp://rack-server.local:1", PortKind::kTcp, "rack-server.local", 1},
      {"rfc2217://host:65535", PortKind::kRfc2217, "host", 65535},
      {"rfc2217://[::1]:7000", PortKind::kRfc2217, "::1", 7000},
      {"tcp://[fe80::1%eth0]:23", PortKind::kTcp, "fe80::1%eth0", 23},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::optional<PortName> parsed = ParsePortName(c.name, error);
    ASSERT_TRUE(parsed) << c.name << ": " << error;
    EXPECT_EQ(std::make_tuple(parsed->kind, parsed->path, parsed->host, parsed->tcp_port),
              std::make_tuple(c.kind, c.name, c.host, c.port));
  }
}

TEST(PortName, BadNamesSayWhatIsWrongAndWhatToWrite) {
  struct Case {
    std::string name;
    std::string fault;
  };
  const Case cases[] = {
      {"tcp://", "names no host"},
      {"tcp://:4001", "names no host"},
      {"tcp://host", "names no TCP port"},
      {"tcp://host:", "has no TCP port from 1 to 65535"},
      {"tcp://host:99999", "has no TCP port from 1 to 65535"},
      {"tcp://host:0", "has no TCP port from 1 to 65535"},
      {"tcp://host:40a1", "has no TCP port from 1 to 65535"},
      {"rfc2217://[::1", "never closes it"},
      {"rfc2217://[::1]4001", "other than :PORT"},
      {"tcp://::1:4001", "without brackets"},
      {"telnet://host:23", "names no known kind of port"},
      {"TCP://host:23", "names no known kind of port"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParsePortName(c.name, error)) << c.name;
    EXPECT_NE(error.find(c.fault), std::string::npos) << c.name << ": " << error;
    EXPECT_NE(error.find("write tcp://HOST:PORT or rfc2217://HOST:PORT"), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace dsp
