#pragma once
#include <string>

#include "ui/Win.h"

namespace qv {

// The file calls that take a name in UTF-16. The NT family stores names that way, and the ANSI
// calls hand it the code page's look-alike of a letter the code page lacks ("afa.txt" for a Greek
// name), so there the program names files only through these. The 95 family has none of them.
struct WideFileCalls {
  decltype(&::CreateFileW) CreateFile = nullptr;
  decltype(&::DeleteFileW) DeleteFile = nullptr;
  decltype(&::GetFileAttributesW) GetFileAttributes = nullptr;
  decltype(&::MoveFileExW) MoveFileEx = nullptr;
  decltype(&::GetCommandLineW) GetCommandLine = nullptr;
};
// The wide calls on the NT family, looked up at run time; null on the 95 family.
const WideFileCalls* WideNameCalls();

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
// Text in the ANSI code page as UTF-8.
std::string AnsiToUtf8Name(const std::string& ansi);
// The name in the ANSI code page, when every character converts to it and back unchanged.
bool Utf8ToAnsiExactly(const std::string& utf8, std::string& ansi);
// The name as an ANSI message shows it: a character the code page lacks becomes "?".
std::string Utf8ToAnsiShown(const std::string& utf8);

} // namespace qv
