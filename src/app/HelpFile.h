#pragma once
#include <string>

namespace qv {

// The help file of a program: its own path with the extension replaced by ".hlp"
// (C:\Tools\x.exe -> C:\Tools\x.hlp), so a renamed program finds a help file of its new name.
std::string HelpFileFor(const std::string& programPath);

} // namespace qv
