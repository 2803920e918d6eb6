#pragma once
#include <string>

#include "tools/helpc/HelpWriter.h"

namespace qv::help {

// Reads the help source markup (described at the top of res/help/Quorvel.help.txt) into a book.
// Errors carry the source line: text before the first topic, a bad or duplicate context id, an
// empty topic, a jump to an unknown topic or one left open, a topic the contents cannot reach,
// a character Windows-1252 lacks. (A paragraph too long for one block is the writer's to find.)
Book ReadHelpSource(const std::string& text);

// UTF-8 to Windows-1252; throws HelpError(line) for a character it lacks.
std::string ToWindows1252(const std::string& utf8, int line);

} // namespace qv::help
