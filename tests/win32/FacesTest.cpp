#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Win.h"

// The window is laid out for "MS Sans Serif", "Arial" and "MS Serif". These ask the font mapper what
// it really draws with, so a face missing from the prefix fails here by name rather than as a layout
// a few pixels off.

namespace {

struct DrawnFace {
  std::string Face;
  TEXTMETRICA Metrics{};
  std::vector<int> Widths; // advance of each character of the probe text
};

DrawnFace Draw(const char* face, int height, int weight, const std::string& text) {
  DrawnFace drawn;
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  HGDIOBJ old = SelectObject(dc, font);
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, name);
  drawn.Face = name;
  GetTextMetricsA(dc, &drawn.Metrics);
  for (char c : text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, &c, 1, &size);
    drawn.Widths.push_back(size.cx);
  }
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return drawn;
}

} // namespace

TEST(LayoutFaces, MsSansSerifIsTheBitmapFace) {
  // Labels ask for -11 and -12; the bitmap face answers both with its 8-point size, 13 pixels high.
  for (int height : {-11, -12}) {
    DrawnFace f = Draw("MS Sans Serif", height, FW_NORMAL, "W");
    EXPECT_EQ(f.Face, "MS Sans Serif") << height;
    EXPECT_EQ(f.Metrics.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR), 0) << "a scalable face at " << height;
    EXPECT_EQ(f.Metrics.tmHeight, 13) << height;
  }
}

TEST(LayoutFaces, ArialHasArialsWidths) {
  // At a 2048-pixel em the advances are Arial's own font units: a wider stand-in shows at once.
  DrawnFace regular = Draw("Arial", -2048, FW_NORMAL, "0 HWim");
  EXPECT_EQ(regular.Widths, (std::vector<int>{1139, 569, 1479, 1933, 455, 1706})) << "drawn with " << regular.Face;
  DrawnFace bold = Draw("Arial", -2048, FW_BOLD, "0 HWim");
  EXPECT_EQ(bold.Widths, (std::vector<int>{1139, 569, 1479, 1933, 569, 1821})) << "drawn with " << bold.Face;
  EXPECT_GE(bold.Metrics.tmWeight, FW_BOLD);
}

TEST(LayoutFaces, MsSerifIsASerifFace) {
  DrawnFace f = Draw("MS Serif", -9, FW_NORMAL, "18%");
  EXPECT_EQ(f.Metrics.tmPitchAndFamily & 0xF0, FF_ROMAN) << "drawn with " << f.Face;
  EXPECT_LE(f.Metrics.tmHeight, 11);
}
