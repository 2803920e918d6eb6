#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "fields/PageFields.h"
#include "fields/RawValues.h"

namespace qv {

// Turns a text of the system (in its ANSI code page) into UTF-8.
using AnsiConverter = std::function<std::string(std::string_view)>;

// The converter for the system's own ANSI code page (Windows builds only): the portable tables
// where they know it, the system's conversion for the double-byte code pages.
AnsiConverter SystemAnsiConverter();
AnsiConverter AnsiConverterFor(unsigned codePage);

// A JSON string literal, quotes included, of UTF-8 text. Every control character (C0, DEL and C1)
// is escaped; bytes that are not well-formed UTF-8 become U+FFFD, so the literal is always valid.
std::string JsonString(std::string_view utf8);

// A JSON number for a real value: plain decimal, null when it is not finite.
std::string JsonNumber(double value, int decimals);

// The report for scripts: program and version, the date and time of the pass, one object per page
// in the report's order (captions without their colon as names, the texts the report shows as
// values, memo lists as arrays) and the raw numbers. One UTF-8 document, given as lines.
std::vector<std::string> BuildJsonReport(const PageFields& fields, const std::string& totalMemoryText,
                                         const RawValues& raw, const AnsiConverter& toUtf8);

} // namespace qv
