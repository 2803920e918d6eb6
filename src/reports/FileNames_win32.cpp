#include "reports/FileNames_win32.h"

#include "reports/AnsiText.h"
#include "reports/JsonReport.h"

namespace qv {

namespace {

std::wstring AnsiToWide(const std::string& ansi) {
  if (ansi.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return wide;
}

std::string WideToAnsi(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr, nullptr);
  return ansi;
}

} // namespace

const WideFileCalls* WideNameCalls() {
  static const WideFileCalls* calls = [] {
    if (NinetyFiveFamily()) return static_cast<const WideFileCalls*>(nullptr);
    static WideFileCalls found;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    found.CreateFile = LookUp<decltype(found.CreateFile)>(kernel, "CreateFileW");
    found.DeleteFile = LookUp<decltype(found.DeleteFile)>(kernel, "DeleteFileW");
    found.GetFileAttributes = LookUp<decltype(found.GetFileAttributes)>(kernel, "GetFileAttributesW");
    found.MoveFileEx = LookUp<decltype(found.MoveFileEx)>(kernel, "MoveFileExW");
    found.GetCommandLine = LookUp<decltype(found.GetCommandLine)>(kernel, "GetCommandLineW");
    bool all =
        found.CreateFile && found.DeleteFile && found.GetFileAttributes && found.MoveFileEx && found.GetCommandLine;
    return all ? static_cast<const WideFileCalls*>(&found) : nullptr;
  }();
  return calls;
}

std::wstring Utf8ToWide(const std::string& text) {
  std::u16string u = Utf8ToUtf16(text);
  return std::wstring(u.begin(), u.end());
}

std::string WideToUtf8(const std::wstring& text) { return Utf16ToUtf8(std::u16string(text.begin(), text.end())); }

std::string AnsiToUtf8Name(const std::string& ansi) { return SystemAnsiConverter()(ansi); }

bool Utf8ToAnsiExactly(const std::string& utf8, std::string& ansi) {
  // Without a flag of the 95 family for "no look-alikes": the way back shows any substitute.
  const std::wstring wide = Utf8ToWide(utf8);
  ansi = WideToAnsi(wide);
  return AnsiToWide(ansi) == wide && WideToUtf8(wide) == utf8;
}

std::string Utf8ToAnsiShown(const std::string& utf8) {
  std::string ansi;
  if (Utf8ToAnsiExactly(utf8, ansi)) return ansi;
  const std::wstring wide = Utf8ToWide(utf8);
  std::string shown;
  for (wchar_t c : wide) {
    std::string one;
    if (Utf8ToAnsiExactly(WideToUtf8(std::wstring(1, c)), one))
      shown += one;
    else if (c < 0xDC00 || c >= 0xE000) // a surrogate pair shows as one "?"
      shown += '?';
  }
  return shown;
}

} // namespace qv
