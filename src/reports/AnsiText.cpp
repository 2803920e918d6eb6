#include "reports/AnsiText.h"

namespace qv {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at text[i] and its code point; 0 when ill-formed.
size_t DecodeUtf8At(std::string_view text, size_t i, char32_t& c) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b = byte(i);
  if (b < 0x80) {
    c = b;
    return 1;
  }
  size_t length;
  char32_t min;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2, min = 0x80, c = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, min = 0x800, c = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, min = 0x10000, c = b & 0x07;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

} // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = Replacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    size_t length = DecodeUtf8At(text, i, c);
    if (length == 0) {
      AppendUtf8(out, Replacement);
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    size_t length = DecodeUtf8At(text, i, c);
    if (length == 0) {
      c = Replacement;
      length = 1;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += length;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (char32_t{text[++i]} - 0xDC00);
    AppendUtf8(out, c); // a lone surrogate comes out as U+FFFD
  }
  return out;
}

bool IsConvertibleCodePage(unsigned codePage) {
  return AnsiUpperHalf(codePage) || codePage == 20127 || codePage == 28591 || codePage == 65001;
}

std::string AnsiToUtf8(std::string_view text, unsigned codePage) {
  if (codePage == 65001) return SanitizeUtf8(text);
  const char32_t* upper = AnsiUpperHalf(codePage);
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char ch : text) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80)
      out += ch;
    else if (upper)
      AppendUtf8(out, upper[b - 0x80]);
    else
      AppendUtf8(out, codePage == 28591 ? char32_t{b} : Replacement);
  }
  return out;
}

} // namespace qv
