#include "reports/AnsiText.h"
#include "reports/JsonReport.h"
#include "ui/Win.h"

namespace qv {

AnsiConverter SystemAnsiConverter() { return AnsiConverterFor(GetACP()); }

AnsiConverter AnsiConverterFor(unsigned codePage) {
  if (IsConvertibleCodePage(codePage)) return [codePage](std::string_view text) { return AnsiToUtf8(text, codePage); };
  // The double-byte code pages: the system converts, one character at a time, so that a byte
  // that does not convert costs one U+FFFD and not the whole text.
  return [codePage](std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
      auto b = static_cast<unsigned char>(text[i]);
      if (b < 0x80) {
        out += text[i++];
        continue;
      }
      int length = IsDBCSLeadByteEx(codePage, b) && i + 1 < text.size() ? 2 : 1;
      wchar_t wide[2];
      int got = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data() + i, length, wide, 2);
      if (got == 1) {
        AppendUtf8(out, wide[0]);
        i += static_cast<size_t>(length);
      } else if (got == 2 && wide[0] >= 0xD800 && wide[0] < 0xDC00 && wide[1] >= 0xDC00 && wide[1] < 0xE000) {
        AppendUtf8(out, 0x10000 + ((char32_t{wide[0]} - 0xD800) << 10) + (char32_t{wide[1]} - 0xDC00));
        i += static_cast<size_t>(length);
      } else {
        AppendUtf8(out, 0xFFFD);
        ++i; // a bad pair gives its second byte its own chance
      }
    }
    return out;
  };
}

} // namespace qv
