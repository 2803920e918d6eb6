#include <gtest/gtest.h>

#include "core/ScreenFaces.h"

namespace qv {
namespace {

TEST(ScreenFaces, The96DpiWindowAsksForWhatItAlwaysAskedFor) {
  EXPECT_EQ(ScreenFace("MS Sans Serif", -11, 96), (FaceRequest{"MS Sans Serif", -11}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, 96), (FaceRequest{"MS Sans Serif", -12}));
  EXPECT_EQ(CharSetForCodePage(1252), DefaultCharSet);
}

TEST(ScreenFaces, OtherDpisDrawTheBitmapFacesSizesWithAScalableFace) {
  for (int dpi : {72, 120, 144, 192}) {
    EXPECT_EQ(ScreenFace("MS Sans Serif", -11, dpi), (FaceRequest{"Arial", -9})) << dpi;
    EXPECT_EQ(ScreenFace("ms sans serif", -12, dpi), (FaceRequest{"Arial", -9})) << dpi;
    EXPECT_EQ(ScreenFace("MS Sans Serif", 13, dpi), (FaceRequest{"Arial", -9})) << dpi;
    // Faces that scale already are left alone, and so is a face that merely starts alike.
    EXPECT_EQ(ScreenFace("Arial", -11, dpi), (FaceRequest{"Arial", -11})) << dpi;
    EXPECT_EQ(ScreenFace("MS Sans Serif X", -11, dpi), (FaceRequest{"MS Sans Serif X", -11})) << dpi;
  }
  EXPECT_EQ(ScreenFace("MS Sans Serif", -24, 120), (FaceRequest{"Arial", -18}));
  // Japanese and Chinese faces scale; a Cyrillic request still meets the 120-dpi bitmap face.
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, 120, 128), (FaceRequest{"MS Sans Serif", -12}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, 144, 134), (FaceRequest{"MS Sans Serif", -12}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, 120, 204), (FaceRequest{"Arial", -9}));
}

TEST(ScreenFaces, CodePagesAskForTheirOwnCharacterSet) {
  EXPECT_EQ(CharSetForCodePage(932), 128);  // SHIFTJIS_CHARSET
  EXPECT_EQ(CharSetForCodePage(1251), 204); // RUSSIAN_CHARSET
  EXPECT_EQ(CharSetForCodePage(936), 134);  // GB2312_CHARSET
  EXPECT_EQ(CharSetForCodePage(1250), 238); // EASTEUROPE_CHARSET
  EXPECT_EQ(CharSetForCodePage(437), DefaultCharSet);
  EXPECT_EQ(CharSetForCodePage(65001), DefaultCharSet);
}

} // namespace
} // namespace qv
