// quorvel-helptext: reads the help viewer's window for the Wine tests.
//   quorvel-helptext           prints the caption, then the text of the topic shown (UTF-8)
//   quorvel-helptext --close   asks every open viewer to close
//   quorvel-helptext --message prints the caption, then the text of the open message box (UTF-8)
//   quorvel-helptext --clipboard TEXT  puts TEXT on the clipboard, as a user's copy would: a name
//                              with letters the keyboard lacks is pasted from there
// Exit status 1 when no viewer (no message box) is open.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK AddViewer(HWND w, LPARAM p) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) == "MS_WINHELP" && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

std::vector<HWND> Viewers() {
  std::vector<HWND> found;
  EnumWindows(AddViewer, reinterpret_cast<LPARAM>(&found));
  return found;
}

BOOL CALLBACK FindPane(HWND w, LPARAM p) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (_strnicmp(cls, "RichEdit", 8) != 0 || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(p) = w;
  return FALSE;
}

HWND TopicPane(HWND viewer) {
  HWND pane = nullptr;
  EnumChildWindows(viewer, FindPane, reinterpret_cast<LPARAM>(&pane));
  return pane;
}

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return "";
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Text(HWND w) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

BOOL CALLBACK AddMessageBox(HWND w, LPARAM p) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

BOOL CALLBACK AddStaticText(HWND w, LPARAM p) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (_stricmp(cls, "Static") == 0) *reinterpret_cast<std::wstring*>(p) += Text(w);
  return TRUE;
}

int PrintMessageBox() {
  std::vector<HWND> boxes;
  EnumWindows(AddMessageBox, reinterpret_cast<LPARAM>(&boxes));
  if (boxes.empty()) {
    std::fprintf(stderr, "no message box is open\n");
    return 1;
  }
  std::wstring text;
  EnumChildWindows(boxes[0], AddStaticText, reinterpret_cast<LPARAM>(&text));
  std::string out = Utf8(Text(boxes[0])) + "\n" + Utf8(text) + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

} // namespace

int SetClipboardText() {
  int n = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &n);
  if (!args || n < 3) return 2;
  const std::wstring text = args[2];
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!mem) return 1;
  std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(GlobalLock(mem)));
  GlobalUnlock(mem);
  // An owner window: with none, the clipboard refuses the data.
  HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (!OpenClipboard(owner)) return 1;
  EmptyClipboard();
  bool set = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  CloseClipboard();
  DestroyWindow(owner);
  return set ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--message") return PrintMessageBox();
  if (argc > 1 && std::string(argv[1]) == "--clipboard") return SetClipboardText();
  auto viewers = Viewers();
  if (viewers.empty()) {
    std::fprintf(stderr, "no help viewer is open\n");
    return 1;
  }
  if (argc > 1 && std::string(argv[1]) == "--close") {
    for (HWND v : viewers) PostMessageW(v, WM_CLOSE, 0, 0);
    return 0;
  }
  std::string out = Utf8(Text(viewers[0])) + "\n";
  HWND pane = TopicPane(viewers[0]);
  if (pane) out += Utf8(Text(pane));
  std::string clean;
  for (char c : out) {
    if (c == '\r') c = '\n';
    clean += c;
  }
  std::fwrite(clean.data(), 1, clean.size(), stdout);
  std::fputc('\n', stdout);
  return pane ? 0 : 1;
}
