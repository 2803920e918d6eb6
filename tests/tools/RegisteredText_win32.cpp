// A reference for tests/e2e/codepage.sh: draws the registered owner and organisation the way a
// program made for the system's language draws them. The names are read from the registry, turned
// into Unicode with the system's code page and drawn with the wide text call, in "MS Sans Serif"
// asked for in the character set that the system itself gives for its code page. The two lines sit
// 16 pixels apart in the window's value colour, as on the Operating System page.
//   quorvel-regtext X Y   prints the system's ANSI code page, then shows a borderless white window
//                         at X, Y (screen pixels) until it is closed
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring Registered(const char* value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return L"?";
  char buf[512] = {};
  DWORD size = sizeof buf - 1, type = 0;
  LONG rc = RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return L"?";
  wchar_t wide[512] = {};
  int n = MultiByteToWideChar(CP_ACP, 0, buf, -1, wide, 511);
  return std::wstring(wide, n > 0 ? n - 1 : 0);
}

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    CHARSETINFO cs{};
    BYTE set = DEFAULT_CHARSET;
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &cs, TCI_SRCCODEPAGE))
      set = static_cast<BYTE>(cs.ciCharset);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, set, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 51, 187));
    std::wstring owner = Registered("RegisteredOwner"), company = Registered("RegisteredOrganization");
    TextOutW(dc, 0, 0, owner.c_str(), static_cast<int>(owner.size()));
    TextOutW(dc, 0, 16, company.c_str(), static_cast<int>(company.size()));
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(wnd, &ps);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::printf("code page %u\n", GetACP());
  std::fflush(stdout);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"QuorvelRegisteredText";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"Quorvel reference", WS_POPUP | WS_VISIBLE, std::atoi(argv[1]),
                             std::atoi(argv[2]), 300, 32, nullptr, nullptr, wc.hInstance, nullptr);
  if (!wnd) return 1;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}
