#include <gtest/gtest.h>

#include "reports/JsonReport.h"

namespace qv {

// The double-byte code pages go through the system's own conversion, a character at a time.
TEST(AnsiConverterFor, DoubleByteCodePagesConvertThroughTheSystem) {
  AnsiConverter japanese = AnsiConverterFor(932);
  EXPECT_EQ(japanese("a\x82\xA0z"), "a\u3042z");
  // A lead byte at the end, and one followed by a byte that is no trail byte: one U+FFFD each,
  // and the byte after it is read again on its own.
  EXPECT_EQ(japanese("x\x82"), "x\uFFFD");
  EXPECT_EQ(japanese("\x82\x20y"), "\uFFFD y");
  // Half-width katakana are single bytes there.
  EXPECT_EQ(japanese("\xB1"), "\uFF71");
  // The single-byte code pages use the portable tables.
  EXPECT_EQ(AnsiConverterFor(1252)("caf\xE9 \x81"), "caf\u00E9 \uFFFD");
}

} // namespace qv
