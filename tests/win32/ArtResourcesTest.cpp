#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ResourceIds.h"
#include "core/ArtPack.h"
#include "ui/Graphics.h"

namespace qv {
namespace {

// The drawn bitmap files, from the folder the artwork generator wrote (a Unix path: drive Z: under Wine).
std::vector<uint8_t> DrawnFile(const std::string& name) {
  std::string path = std::string("Z:") + QUORVEL_ART_DIR + "/" + name;
  std::vector<uint8_t> bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char block[65536];
    for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) bytes.insert(bytes.end(), block, block + n);
    std::fclose(f);
  }
  return bytes;
}

// Every picture the program loads from its resources is the generator's, pixel for pixel.
TEST(ArtResources, EveryPictureLoadsAsDrawn) {
  struct Picture {
    int Id;
    std::string File;
  };
  std::vector<Picture> pictures = {{IDB_SKIN, "skin.bmp"},           {IDB_SPLASH, "splash.bmp"},
                                   {IDB_SPLASHBAR, "splashbar.bmp"}, {IDB_SPLASHICON, "splashicon.bmp"},
                                   {IDB_LOGO, "logo.bmp"},           {IDB_CREDITS1, "credits1.bmp"},
                                   {IDB_CREDITS2, "credits2.bmp"},   {IDB_BARTEXTURE, "bartexture.bmp"},
                                   {IDB_HINTWALL, "hintwall.bmp"}};
  const char* buttons[] = {"info", "print", "export", "help", "close"};
  const char* faces[] = {"up", "over", "down", "disabled", "current"};
  for (int b = 0; b < 5; ++b)
    for (int f = 0; f < 5; ++f)
      pictures.push_back({IDB_INFO_BUTTON + 10 * b + f, std::string(buttons[b]) + "_" + faces[f] + ".bmp"});

  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.File);
    std::vector<uint8_t> file = DrawnFile(p.File);
    ArtPicture drawn;
    ASSERT_TRUE(ReadArtPicture(file.data(), file.size(), drawn));
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromResource(p.Id));
    ASSERT_EQ(loaded.Width(), drawn.Width);
    ASSERT_EQ(loaded.Height(), drawn.Height);
    int differing = 0;
    for (int y = 0; y < drawn.Height; ++y)
      if (std::memcmp(loaded.ScanLine(y), drawn.Pixels + drawn.RowOffset(y), drawn.Width * 3) != 0) ++differing;
    EXPECT_EQ(differing, 0);
  }
  TBitmap none;
  EXPECT_FALSE(none.LoadFromResource(IDI_QUORVEL + 9999));
  EXPECT_TRUE(none.Empty());
}

} // namespace
} // namespace qv
