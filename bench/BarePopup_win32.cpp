// Bench only: the least a program can do to put a popup of Quorvel's size on the screen. Its start-up
// time and memory are the yardstick for Quorvel's own.
#include <windows.h>

namespace {

LRESULT CALLBACK PopupProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PopupProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "QuorvelBenchPopup";
  RegisterClassA(&wc);
  const int width = 582, height = 344;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND w = CreateWindowExA(WS_EX_APPWINDOW, wc.lpszClassName, "Bare popup", WS_POPUP, left, top, width, height, nullptr,
                           nullptr, instance, nullptr);
  ShowWindow(w, show);
  UpdateWindow(w);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}
