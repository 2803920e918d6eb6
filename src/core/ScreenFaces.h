#pragma once
#include <string>

namespace qv {

// The window is laid out in pixels for the 96-dpi bitmap "MS Sans Serif": 13 pixels high for the
// heights -11 and -12 it asks for. A Windows set to another DPI has that face only in its larger
// sizes (16 pixels and up at 120 dpi), which cuts letters and colons; there a scalable face at a
// pixel height that keeps within the bitmap face's height and widths stands in.
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

// A request in a double-byte character set is drawn with that script's own face, which scales: it
// keeps the height asked for, as at 96 dpi.
FaceRequest ScreenFace(const std::string& name, int height, int screenDpi, int charSet = DefaultCharSet);

} // namespace qv
