#include "core/ArtPack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace qv {
namespace {

// A bitmap file as the artwork generator writes one: 24 bits, bottom row first, rows padded to four.
std::vector<uint8_t> BitmapFile(int width, int height, uint8_t (*shade)(int x, int y, int channel)) {
  size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> f(54 + stride * height, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, static_cast<uint32_t>(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  f[26] = 1;
  f[28] = 24;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) f[54 + (height - 1 - y) * stride + x * 3 + c] = shade(x, y, c);
  return f;
}

uint8_t SkinLike(int x, int y, int c) {
  if (y < 21) return static_cast<uint8_t>(c == 0 ? 234 : c == 1 ? 85 - y : 0); // title gradient
  if (x > 100 && x < 140 && y > 60) return static_cast<uint8_t>((x * 7 + y * 13 + c) * 2654435761u >> 24); // noise
  return 255;
}

TEST(ArtPack, PicturesUnpackToTheSameBytesAndShrink) {
  std::vector<uint8_t> file = BitmapFile(582, 344, SkinLike), out;
  std::vector<uint8_t> packed = PackBytes(file);
  EXPECT_LT(packed.size(), file.size() / 4);
  ASSERT_TRUE(UnpackBytes(packed.data(), packed.size(), out));
  EXPECT_TRUE(out == file);

  // Edges of the format: nothing, fewer bytes than a match, a run of one byte (overlapping copy),
  // and literal and match counts past 15 + 255.
  std::vector<std::vector<uint8_t>> inputs = {{}, {1, 2, 3}, std::vector<uint8_t>(1000, 7)};
  std::vector<uint8_t> mixed;
  for (int i = 0; i < 600; ++i) mixed.push_back(static_cast<uint8_t>(i * 2654435761u >> 24));
  mixed.insert(mixed.end(), 700, 0);
  inputs.push_back(mixed);
  for (const auto& in : inputs) {
    std::vector<uint8_t> p = PackBytes(in);
    ASSERT_TRUE(UnpackBytes(p.data(), p.size(), out)) << in.size();
    EXPECT_TRUE(out == in) << in.size();
  }
}

TEST(ArtPack, DamagedBlocksAreRefusedNotReadPast) {
  std::vector<uint8_t> file = BitmapFile(40, 30, SkinLike), out;
  std::vector<uint8_t> packed = PackBytes(file);
  // Every shortened block fails (the copies are exact-size vectors, so a read past them is a fault
  // the sanitizer builds see).
  for (size_t n = 0; n < packed.size(); ++n) {
    std::vector<uint8_t> cut(packed.begin(), packed.begin() + static_cast<long>(n));
    EXPECT_FALSE(UnpackBytes(cut.data(), cut.size(), out)) << n;
    EXPECT_TRUE(out.empty());
  }
  std::vector<uint8_t> badMagic = packed;
  badMagic[0] = 'X';
  EXPECT_FALSE(UnpackBytes(badMagic.data(), badMagic.size(), out));
  std::vector<uint8_t> wrongSize = packed;
  wrongSize[4] ^= 1;
  EXPECT_FALSE(UnpackBytes(wrongSize.data(), wrongSize.size(), out));
  // Distance 0 and a distance before the start of the output.
  for (uint8_t distance : {0, 9}) {
    std::vector<uint8_t> block = {'Q', 'P', 'K', '1', 12, 0, 0, 0, 0x40, 1, 2, 3, 4, distance, 0};
    EXPECT_FALSE(UnpackBytes(block.data(), block.size(), out)) << int(distance);
  }
  // A match that would write past the stated size.
  std::vector<uint8_t> tooLong = {'Q', 'P', 'K', '1', 6, 0, 0, 0, 0x24, 1, 2, 1, 0};
  EXPECT_FALSE(UnpackBytes(tooLong.data(), tooLong.size(), out));
  std::vector<uint8_t> justRight = {'Q', 'P', 'K', '1', 6, 0, 0, 0, 0x20, 1, 2, 2, 0, 0x00};
  ASSERT_TRUE(UnpackBytes(justRight.data(), justRight.size(), out));
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 1, 2, 1, 2}));
  justRight.pop_back(); // a block must end with its literals, not in a match
  EXPECT_FALSE(UnpackBytes(justRight.data(), justRight.size(), out));
}

TEST(ArtPack, PictureRowsAreFoundTopFirstInsideTheFile) {
  std::vector<uint8_t> file =
      BitmapFile(5, 3, [](int x, int y, int c) { return static_cast<uint8_t>(y * 100 + x * 10 + c); });
  ArtPicture p;
  ASSERT_TRUE(ReadArtPicture(file.data(), file.size(), p));
  EXPECT_EQ(p.Width, 5);
  EXPECT_EQ(p.Height, 3);
  EXPECT_EQ(p.Stride, 16u);
  EXPECT_EQ(p.Pixels[p.RowOffset(0) + 4 * 3 + 2], 42); // top row, fifth pixel, red
  EXPECT_EQ(p.Pixels[p.RowOffset(2)], 200);

  std::vector<uint8_t> topDown = file;
  int32_t negative = -3;
  std::memcpy(&topDown[22], &negative, 4);
  ASSERT_TRUE(ReadArtPicture(topDown.data(), topDown.size(), p));
  EXPECT_FALSE(p.BottomUp);
  EXPECT_EQ(p.RowOffset(0), 0u);

  std::vector<uint8_t> short1(file.begin(), file.end() - 1), eightBit = file, packedRle = file;
  eightBit[28] = 8;
  packedRle[30] = 1;
  EXPECT_FALSE(ReadArtPicture(short1.data(), short1.size(), p));
  EXPECT_FALSE(ReadArtPicture(eightBit.data(), eightBit.size(), p));
  EXPECT_FALSE(ReadArtPicture(packedRle.data(), packedRle.size(), p));
  EXPECT_FALSE(ReadArtPicture(file.data(), 53, p));
}

} // namespace
} // namespace qv
