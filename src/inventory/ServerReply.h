#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// The text children of an inventory server's REPLY element, in the order it gave them (RESPONSE,
// PROLOG_FREQ ...), entities decoded; an element with elements inside, such as OPTION, is passed
// over.
using ReplyValues = std::vector<std::pair<std::string, std::string>>;

// The answer is zlib-compressed, as the server answers a compressed request, or plain XML. Nothing
// when the body is no such reply (an error page, an unfinished document, more than a megabyte).
std::optional<ReplyValues> ParseServerReply(std::string_view body);

// The value of a name; empty when the reply has none.
std::string ReplyValue(const ReplyValues& values, const std::string& name);

// "RESPONSE=SEND PROLOG_FREQ=24": the values for a console, RESPONSE first, every byte outside
// printable ASCII shown as "?" and each value cut at 200 characters.
std::string ReplyLine(const ReplyValues& values);

} // namespace qv
