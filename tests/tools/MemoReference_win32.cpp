// quorvel-memoref: shows what the focused memo of the running Quorvel holds in a plain multi-line
// edit of the same font, colours and client size, scrolled to the same first line: the reference
// drawing for tests/e2e/memo.sh.
//   quorvel-memoref SECONDS
// Prints, in screen pixels, the memo's client area, the reference's, and the memo's caret:
//   memoX memoY refX refY width height caretX caretY caretWidth caretHeight textLength
// then keeps the reference on the screen for SECONDS. Exit status 1 when no memo has the focus.
// The tests need the focus of another process's thread, newer than the program's own Windows.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0501
#define _WIN32_WINNT 0x0501
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HBRUSH White = nullptr;

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLOREDIT) {
    // The memos' text colour (12268288) on the background of a focused memo.
    SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 51, 187));
    SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(White);
  }
  if (msg == WM_TIMER) PostQuitMessage(0);
  return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  HWND form = FindWindowA(nullptr, "Quorvel");
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (!form || !GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &gui) || !gui.hwndFocus) return 1;
  HWND memo = gui.hwndFocus;
  char cls[16] = "";
  GetClassNameA(memo, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") != 0) return 1;

  RECT client;
  GetClientRect(memo, &client);
  POINT origin{0, 0};
  ClientToScreen(memo, &origin);
  // GetWindowText would give another process's window its caption, not the edit's text.
  int length = static_cast<int>(SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(memo, WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(text.data()));
  LRESULT first = SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0);
  RECT caret = gui.hwndCaret == memo ? gui.rcCaret : RECT{0, 0, 0, 0};

  White = CreateSolidBrush(RGB(255, 255, 255));
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = White;
  wc.lpszClassName = "QuorvelMemoReference";
  RegisterClassA(&wc);
  const int width = client.right, height = client.bottom, bar = GetSystemMetrics(SM_CXVSCROLL);
  // At the screen's top left, away from the centred window, and never taking the focus.
  HWND host = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, wc.lpszClassName, "memo reference", WS_POPUP, 0, 0,
                              width + bar, height, nullptr, nullptr, wc.hInstance, nullptr);
  HWND edit =
      CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                      0, 0, width + bar, height, host, nullptr, wc.hInstance, nullptr);
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0,
                           "MS Sans Serif");
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowTextA(edit, text.c_str());
  SendMessageA(edit, EM_LINESCROLL, 0, first);
  ShowWindow(host, SW_SHOWNOACTIVATE);
  UpdateWindow(host);
  POINT ref{0, 0};
  ClientToScreen(edit, &ref);
  std::printf("%ld %ld %ld %ld %d %d %ld %ld %ld %ld %d\n", origin.x, origin.y, ref.x, ref.y, width, height, caret.left,
              caret.top, caret.right - caret.left, caret.bottom - caret.top, length);
  std::fflush(stdout);
  SetTimer(host, 1, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DestroyWindow(host);
  DeleteObject(font);
  return 0;
}
