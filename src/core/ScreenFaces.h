#pragma once
#include <string>

namespace qv {

// The window is laid out in pixels for the 96-dpi bitmap "MS Sans Serif": 13 pixels high for the
// heights -11 and -12 it asks for. Where the system draws that name with anything else, letters,
// colons and the last tab are cut: a Windows set to another DPI has the face only in its larger
// sizes (16 pixels and up at 120 dpi), and a Wine prefix as Wine makes it has no such face and
// draws a wider scalable one. There a scalable face at a pixel height that keeps within the bitmap
// face's height and widths stands in.
struct FaceRequest {
  std::string Name;
  int Height = 0; // as in LOGFONT: negative for the character height in pixels
  bool operator==(const FaceRequest&) const = default;
};

// The character set a font request names on a system with this ANSI code page, so that the system's
// own texts (registered names, time zone) come out in its script: the default set on code page 1252
// and on code pages without a set of their own, which is what the window always asked for there.
constexpr int DefaultCharSet = 1; // DEFAULT_CHARSET
int CharSetForCodePage(unsigned codePage);

// `layoutFaceDrawn`: the system draws "MS Sans Serif" at those heights with the 13-pixel bitmap
// face. A request in a double-byte character set is drawn with that script's own face, which
// scales: it keeps the height asked for.
FaceRequest ScreenFace(const std::string& name, int height, bool layoutFaceDrawn, int charSet = DefaultCharSet);

} // namespace qv
