#include "core/ScreenFaces.h"

#include "core/AsciiCase.h"

namespace qv {

namespace {

bool DoubleByte(int charSet) {
  return charSet == 128 || charSet == 129 || charSet == 130 || charSet == 134 || charSet == 136;
}

} // namespace

FaceRequest ScreenFace(const std::string& name, int height, bool layoutFaceDrawn, int charSet) {
  if (layoutFaceDrawn || DoubleByte(charSet) || !SameIgnoringAsciiCase(name, "MS Sans Serif")) return {name, height};
  // The bitmap face answers every request up to 12 pixels with its 13-pixel size; Arial (on every
  // Windows, and metric-equal where it is replaced) at a 9-pixel em is no taller and no wider in any
  // of the window's texts. At 10 pixels a colon's ink runs past the text's width, and a caption
  // sized to its text loses it. Larger requests keep that proportion.
  int pixels = height < 0 ? -height : height * 11 / 13; // a positive height counts the cell
  int em = pixels <= 12 ? 9 : (pixels * 9 + 6) / 12;
  return {"Arial", -em};
}

int CharSetForCodePage(unsigned codePage) {
  switch (codePage) {
    case 874:
      return 222; // Thai
    case 932:
      return 128; // Shift JIS
    case 936:
      return 134; // GB 2312
    case 949:
      return 129; // Hangul
    case 950:
      return 136; // Big5
    case 1250:
      return 238; // East European
    case 1251:
      return 204; // Russian
    case 1253:
      return 161; // Greek
    case 1254:
      return 162; // Turkish
    case 1255:
      return 177; // Hebrew
    case 1256:
      return 178; // Arabic
    case 1257:
      return 186; // Baltic
    case 1258:
      return 163; // Vietnamese
    case 1361:
      return 130; // Johab
    default:
      return DefaultCharSet;
  }
}

} // namespace qv
