#pragma once
#include <string>
#include <string_view>

namespace qv {

// Code points of the bytes 0x80-0xFF of a single-byte ANSI code page (874, 1250-1258), 0xFFFD
// where the code page leaves a byte undefined; null for any other code page.
const char32_t* AnsiUpperHalf(unsigned codePage);

// The code pages AnsiToUtf8 converts fully: the tables above, ASCII (20127), Latin-1 (28591)
// and UTF-8 (65001).
bool IsConvertibleCodePage(unsigned codePage);

// Text of the system (the ANSI code page) as UTF-8. A byte that does not convert becomes U+FFFD;
// in a code page this does not know (the double-byte ones) that is every byte above 0x7F.
std::string AnsiToUtf8(std::string_view text, unsigned codePage);

// Appends code point c as UTF-8 (surrogates and values above U+10FFFF as U+FFFD).
void AppendUtf8(std::string& out, char32_t c);

// UTF-8 as UTF-16 (file names on the NT family); an ill-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Well-formed UTF-8 out of any bytes: each ill-formed sequence (overlong, surrogate, beyond
// U+10FFFF, cut short, stray continuation byte) becomes U+FFFD.
std::string SanitizeUtf8(std::string_view text);

} // namespace qv
