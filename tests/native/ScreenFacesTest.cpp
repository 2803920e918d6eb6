#include <gtest/gtest.h>

#include "core/ScreenFaces.h"

namespace qv {
namespace {

TEST(ScreenFaces, WithTheBitmapFaceTheWindowAsksForWhatItAlwaysAskedFor) {
  EXPECT_EQ(ScreenFace("MS Sans Serif", -11, true), (FaceRequest{"MS Sans Serif", -11}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, true), (FaceRequest{"MS Sans Serif", -12}));
  EXPECT_EQ(CharSetForCodePage(1252), DefaultCharSet);
}

TEST(ScreenFaces, WithoutTheBitmapFaceAScalableFaceDrawsItsSizes) {
  EXPECT_EQ(ScreenFace("MS Sans Serif", -11, false), (FaceRequest{"Arial", -9}));
  EXPECT_EQ(ScreenFace("ms sans serif", -12, false), (FaceRequest{"Arial", -9}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", 13, false), (FaceRequest{"Arial", -9}));
  // Faces that scale already are left alone, and so is a face that merely starts alike.
  EXPECT_EQ(ScreenFace("Arial", -11, false), (FaceRequest{"Arial", -11}));
  EXPECT_EQ(ScreenFace("MS Sans Serif X", -11, false), (FaceRequest{"MS Sans Serif X", -11}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -24, false), (FaceRequest{"Arial", -18}));
  // Japanese and Chinese faces scale; a Cyrillic request still meets the larger bitmap face.
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, false, 128), (FaceRequest{"MS Sans Serif", -12}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, false, 134), (FaceRequest{"MS Sans Serif", -12}));
  EXPECT_EQ(ScreenFace("MS Sans Serif", -12, false, 204), (FaceRequest{"Arial", -9}));
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
