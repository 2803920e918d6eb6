// Reads Quorvel's window as a screen reader does, through Active Accessibility (oleacc), for
// tests/e2e/accessible.sh.
//   quorvel-acctree            prints the tree, one element a line, two blanks of indent a level:
//                              role|name|value|states|left,top,width,height (window client pixels)
//   quorvel-acctree --do NAME  does the default action of the first element named NAME
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

// Spelled out: the 64-bit import library holds IID_IAccessible as an import, not as data.
const IID IidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string Utf8(BSTR text) {
  if (!text) return "";
  char out[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
  SysFreeString(text);
  std::string one;
  for (const char* c = out; *c; ++c)
    if (*c != '\r') one += *c == '\n' ? std::string("\\n") : std::string(1, *c);
  return one;
}

BOOL CALLBACK FindMain(HWND w, LPARAM out) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) != "QuorvelForm" || !IsWindowVisible(w) || GetWindow(w, GW_OWNER)) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

struct Walker {
  POINT Origin{};
  const char* Wanted = nullptr; // --do: the name whose default action to do
  bool Done = false;

  void Visit(IAccessible* acc, long id, int depth) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    BSTR name = nullptr, value = nullptr;
    acc->get_accName(child, &name);
    acc->get_accValue(child, &value);
    const std::string n = Utf8(name), v = Utf8(value);
    if (Wanted) {
      if (!Done && n == Wanted) Done = SUCCEEDED(acc->accDoDefaultAction(child));
    } else {
      VARIANT role{}, state{};
      acc->get_accRole(child, &role);
      acc->get_accState(child, &state);
      char roleText[64] = {};
      GetRoleTextA(role.vt == VT_I4 ? role.lVal : 0, roleText, sizeof roleText);
      std::string states;
      for (int bit = 0; bit < 31; ++bit)
        if (state.vt == VT_I4 && (state.lVal & (1L << bit))) {
          char text[64] = {};
          GetStateTextA(1UL << bit, text, sizeof text);
          states += (states.empty() ? "" : ",") + std::string(text);
        }
      long x = 0, y = 0, w = 0, h = 0;
      acc->accLocation(&x, &y, &w, &h, child);
      std::printf("%*s%s|%s|%s|%s|%ld,%ld,%ld,%ld\n", depth * 2, "", roleText, n.c_str(), v.c_str(), states.c_str(),
                  x - Origin.x, y - Origin.y, w, h);
    }
    if (id != CHILDID_SELF) return;
    long count = 0;
    acc->get_accChildCount(&count);
    VARIANT children[256];
    long got = 0;
    if (count <= 0 || FAILED(AccessibleChildren(acc, 0, count < 256 ? count : 256, children, &got))) return;
    for (long i = 0; i < got; ++i) {
      if (children[i].vt == VT_DISPATCH && children[i].pdispVal) {
        IAccessible* sub = nullptr;
        if (SUCCEEDED(children[i].pdispVal->QueryInterface(IidAccessible, reinterpret_cast<void**>(&sub)))) {
          Visit(sub, CHILDID_SELF, depth + 1);
          sub->Release();
        }
        children[i].pdispVal->Release();
      } else if (children[i].vt == VT_I4) {
        Visit(acc, children[i].lVal, depth + 1);
      }
    }
  }
};

} // namespace

int main(int argc, char** argv) {
  HWND wnd = nullptr;
  EnumWindows(FindMain, reinterpret_cast<LPARAM>(&wnd));
  if (!wnd) {
    std::fprintf(stderr, "quorvel-acctree: no Quorvel window\n");
    return 1;
  }
  CoInitialize(nullptr);
  IAccessible* root = nullptr;
  int status = 1;
  if (SUCCEEDED(AccessibleObjectFromWindow(wnd, OBJID_CLIENT, IidAccessible, reinterpret_cast<void**>(&root)))) {
    Walker walker;
    ClientToScreen(wnd, &walker.Origin);
    if (argc == 3 && std::string(argv[1]) == "--do") walker.Wanted = argv[2];
    walker.Visit(root, CHILDID_SELF, 0);
    root->Release();
    status = walker.Wanted && !walker.Done ? 2 : 0;
  }
  CoUninitialize();
  return status;
}
