#include "link/trace_text.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

TEST(TraceText, HexLinesAndTextUpToTheFirstNul) {
  TraceText trace;
  trace.Append(Bytes{0x41, 0x00, 0xFF, 0x0A}, true);
  trace.Append(Bytes{0x4F, 0x4B, 0x00, 0x42}, false);
  trace.Append(Bytes{0x07}, true);
  EXPECT_EQ(trace.Take(), "41 00 FF 0A \nOK07 \n");
  EXPECT_EQ(trace.Take(), "");
}

TEST(TraceText, KeepsOnlyTheNewestText) {
  TraceText trace;
  const Bytes batch(100, 0xAB);  // 301 characters a line
  const std::size_t lines = kTraceLimit / 301 + 50;
  for (std::size_t i = 0; i < lines; ++i) trace.Append(batch, true);
  trace.Append(Bytes{0x01, 0x02}, true);
  const std::string text = trace.Take();
  EXPECT_LE(text.size(), kTraceLimit);
  EXPECT_GT(text.size(), kTraceLimit - 302);
  EXPECT_TRUE(text.ends_with("AB \n01 02 \n"));
  EXPECT_TRUE(text.starts_with("AB AB")) << "the kept text starts on a whole line";
  EXPECT_EQ(text.size() % 301, 7u);
}

}  // namespace
}  // namespace dsp
