#include "ui/Accessible.h"

#include <vector>

#include "ui/Controls.h"

namespace qv {

namespace {

const IID IidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID IidDispatch = {0x00020400, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IidUnknown = {0, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};

// Active Accessibility came with 98 and 2000 (95 and NT 4 had it as an add-on). Its libraries are
// loaded when a screen reader first asks, never for a user without one; where one is missing, the
// windows answer as they always did.
struct AccessibilityCalls {
  decltype(&::LresultFromObject) LresultFromObject = nullptr;
  decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject = nullptr;
  decltype(&::SysAllocStringLen) SysAllocStringLen = nullptr;
  decltype(&::CoUninitialize) CoUninitialize = nullptr;
  bool ComStarted = false;
};

AccessibilityCalls* Started = nullptr;

AccessibilityCalls& Loaded() {
  static AccessibilityCalls calls = [] {
    AccessibilityCalls c;
    HMODULE ole = LoadLibraryA("ole32.dll");
    HMODULE oleacc = LoadLibraryA("oleacc.dll");
    HMODULE oleaut = LoadLibraryA("oleaut32.dll");
    c.LresultFromObject = LookUp<decltype(c.LresultFromObject)>(oleacc, "LresultFromObject");
    c.CreateStdAccessibleObject = LookUp<decltype(c.CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
    c.SysAllocStringLen = LookUp<decltype(c.SysAllocStringLen)>(oleaut, "SysAllocStringLen");
    c.CoUninitialize = LookUp<decltype(c.CoUninitialize)>(ole, "CoUninitialize");
    auto start = LookUp<decltype(&::CoInitialize)>(ole, "CoInitialize");
    // The objects are handed to the screen reader through COM, in this thread's apartment.
    if (c.LresultFromObject && c.CreateStdAccessibleObject && c.SysAllocStringLen && c.CoUninitialize && start)
      c.ComStarted = SUCCEEDED(start(nullptr));
    return c;
  }();
  Started = &calls;
  return calls;
}

const AccessibilityCalls* Calls() {
  const AccessibilityCalls& c = Loaded();
  return c.ComStarted ? &c : nullptr;
}

// An entry of a window's accessible children: an item drawn by the window's own control, or a
// child control (windowless, or a window with an accessible object of its own).
struct Child {
  TControl* Control = nullptr;
  int Item = -1;
};

bool Shown(TControl& c) {
  if (!c.Visible() || c.AccessibleHidden) return false;
  if (c.IsWindowed() || c.AccessibleRole) return true;
  AccessibleFacts f;
  c.Describe(f);
  return f.Role != 0;
}

std::vector<Child> ChildrenOf(TWinControl& w) {
  std::vector<Child> list;
  for (int i = 0; i < w.AccessibleItemCount(); ++i) list.push_back({&w, i});
  for (TControl* c : w.Controls())
    if (Shown(*c)) list.push_back({c, -1});
  return list;
}

long ChildIdOf(TWinControl& parent, const TControl& control, int item) {
  std::vector<Child> list = ChildrenOf(parent);
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].Control == &control && list[i].Item == item) return static_cast<long>(i + 1);
  return -1;
}

AccessibleFacts FactsOf(TControl& c, int item) {
  AccessibleFacts f;
  const bool enabled = c.Enabled();
  if (item >= 0) {
    c.DescribeItem(item, f);
  } else {
    f.Bounds = c.ClientRect();
    c.Describe(f);
    if (c.AccessibleRole) f.Role = c.AccessibleRole;
    if (c.TabStop && enabled) f.State |= STATE_SYSTEM_FOCUSABLE;
    // A form whose windowless control has the focus passes it on to that control.
    auto* form = dynamic_cast<TForm*>(&c);
    if (c.Focused() && !(form && form->FocusedGraphic())) f.State |= STATE_SYSTEM_FOCUSED;
    if (!c.Showing()) f.State |= STATE_SYSTEM_INVISIBLE;
  }
  if (!enabled) f.State |= STATE_SYSTEM_UNAVAILABLE;
  return f;
}

TRect ScreenBounds(TControl& c, int item) {
  RECT w;
  if (c.IsWindowed() && item < 0 && GetWindowRect(static_cast<TWinControl&>(c).Handle(), &w))
    return {w.left, w.top, w.right, w.bottom}; // with the frame a memo draws round its text
  TRect b = FactsOf(c, item).Bounds;
  TPoint at = c.ClientToScreen({b.Left, b.Top});
  return qv::Bounds(at.X, at.Y, b.Width(), b.Height());
}

template <typename Body>
HRESULT Guarded(const Body& body) {
  // No exception may reach the screen reader's call.
  try {
    return body();
  } catch (...) {
    return E_FAIL;
  }
}

class WindowAccessible final : public IAccessible {
public:
  explicit WindowAccessible(HWND wnd) : Wnd(wnd) {}
  WindowAccessible(const WindowAccessible&) = delete;
  WindowAccessible& operator=(const WindowAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, IidUnknown) && !IsEqualIID(riid, IidDispatch) && !IsEqualIID(riid, IidAccessible))
      return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++Refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --Refs;
    if (left == 0) delete this;
    return left;
  }

  // Screen readers never call through IDispatch.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      // A control's parent is its parent window's client; the form's is its window, as the system has it.
      if (self->Parent()) return Dispatch(self->Parent()->Handle(), out);
      IAccessible* std = Std();
      return std ? std->get_accParent(out) : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = 0;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl()) return Std() ? Std()->get_accChildCount(out) : E_FAIL;
      *out = static_cast<long>(ChildrenOf(*self).size());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl()) return Std() ? Std()->get_accChild(id, out) : E_FAIL;
      Child c;
      if (!Resolve(*self, id, c) || (c.Control == self && c.Item < 0)) return E_INVALIDARG;
      if (!c.Control->IsWindowed() || c.Item >= 0) return S_FALSE; // an element the parent answers for
      return Dispatch(static_cast<TWinControl*>(c.Control)->Handle(), out);
    });
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override {
    return Text(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accName(v, out); },
        [](const AccessibleFacts& f) { return f.Name; }, true);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override {
    return Text(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accValue(v, out); },
        [](const AccessibleFacts& f) { return f.Value; });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* out) override {
    return Text(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accDescription(v, out); },
        [](const AccessibleFacts&) { return std::string(); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* out) override {
    return Text(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accHelp(v, out); },
        [](const AccessibleFacts&) { return std::string(); });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* out) override {
    return Text(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accKeyboardShortcut(v, out); },
        [](const AccessibleFacts& f) { return f.Shortcut; });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override {
    return Text(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accDefaultAction(v, out); },
        [](const AccessibleFacts& f) { return f.DefaultAction; });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override {
    return Number(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accRole(v, out); },
        [](const AccessibleFacts& f) { return f.Role; });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override {
    return Number(
        id, out, [&](IAccessible* a, VARIANT v) { return a->get_accState(v, out); },
        [](const AccessibleFacts& f) { return f.State; });
  }

  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    return Found(
        out, [&](IAccessible* a) { return a->get_accFocus(out); },
        [](TWinControl& self, const Child& c) {
          HWND focus = GetFocus();
          if (c.Control->IsWindowed() && c.Item < 0) {
            HWND w = static_cast<TWinControl*>(c.Control)->Handle();
            return w == focus || IsChild(w, focus);
          }
          return focus == self.Handle() && (FactsOf(*c.Control, c.Item).State & STATE_SYSTEM_FOCUSED) != 0;
        });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    return Found(
        out, [&](IAccessible* a) { return a->get_accSelection(out); },
        [](TWinControl&, const Child& c) {
          return c.Item >= 0 && (FactsOf(*c.Control, c.Item).State & STATE_SYSTEM_SELECTED) != 0;
        });
  }

  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT id) override {
    return Guarded([&]() -> HRESULT {
      if (!left || !top || !width || !height) return E_POINTER;
      *left = *top = *width = *height = 0;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      const bool whole = id.vt == VT_I4 && id.lVal == CHILDID_SELF;
      if (self->SystemControl() && !whole) return Std() ? Std()->accLocation(left, top, width, height, id) : E_FAIL;
      Child c;
      if (!Resolve(*self, id, c)) return E_INVALIDARG;
      TRect r = ScreenBounds(*c.Control, c.Item);
      *left = r.Left;
      *top = r.Top;
      *width = r.Width();
      *height = r.Height();
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      out->vt = VT_EMPTY;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl()) return Std() ? Std()->accNavigate(direction, start, out) : E_FAIL;
      if (start.vt != VT_I4) return E_INVALIDARG;
      const long count = static_cast<long>(ChildrenOf(*self).size());
      long to = 0;
      if (start.lVal == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD)
        to = 1;
      else if (start.lVal == CHILDID_SELF && direction == NAVDIR_LASTCHILD)
        to = count;
      else if (start.lVal == CHILDID_SELF)
        return Std() ? Std()->accNavigate(direction, start, out) : S_FALSE;
      else if (direction == NAVDIR_NEXT)
        to = start.lVal + 1;
      else if (direction == NAVDIR_PREVIOUS)
        to = start.lVal - 1;
      else
        return S_FALSE;
      return Entry(*self, to, out);
    });
  }

  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      out->vt = VT_EMPTY;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl()) return Std() ? Std()->accHitTest(x, y, out) : E_FAIL;
      if (!ScreenBounds(*self, -1).Contains({x, y})) return S_FALSE;
      std::vector<Child> list = ChildrenOf(*self);
      for (long i = static_cast<long>(list.size()); i >= 1; --i)
        if (ScreenBounds(*list[i - 1].Control, list[i - 1].Item).Contains({x, y})) return Entry(*self, i, out);
      out->vt = VT_I4;
      out->lVal = CHILDID_SELF;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    return Guarded([&]() -> HRESULT {
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl()) return Std() ? Std()->accDoDefaultAction(id) : E_FAIL;
      Child c;
      if (!Resolve(*self, id, c)) return E_INVALIDARG;
      if (FactsOf(*c.Control, c.Item).DefaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
      PostMessageA(Wnd, ActionMessage(), static_cast<WPARAM>(id.lVal), 0);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  static UINT ActionMessage() {
    static const UINT message = RegisterWindowMessageA("QuorvelAccessibleAction");
    return message;
  }

private:
  ~WindowAccessible() {
    if (StdObject) StdObject->Release();
  }

  // Null once the window is gone: the screen reader may hold the object longer.
  TWinControl* Self() const { return IsWindow(Wnd) ? TWinControl::FromHandle(Wnd) : nullptr; }

  // The system's own object for this window: what a system control (the memos' edits) answers,
  // and the form's place among the windows.
  IAccessible* Std() {
    if (!StdObject)
      if (const AccessibilityCalls* calls = Calls())
        calls->CreateStdAccessibleObject(Wnd, OBJID_CLIENT, IidAccessible, reinterpret_cast<void**>(&StdObject));
    return StdObject;
  }

  static HRESULT Dispatch(HWND wnd, IDispatch** out) {
    auto* object = new WindowAccessible(wnd);
    HRESULT hr = object->QueryInterface(IidDispatch, reinterpret_cast<void**>(out));
    object->Release();
    return hr;
  }

  static bool Resolve(TWinControl& self, VARIANT id, Child& c) {
    if (id.vt != VT_I4) return false;
    if (id.lVal == CHILDID_SELF) {
      c = {&self, -1};
      return true;
    }
    std::vector<Child> list = ChildrenOf(self);
    if (id.lVal < 1 || id.lVal > static_cast<long>(list.size())) return false;
    c = list[static_cast<size_t>(id.lVal - 1)];
    return true;
  }

  // Child `id` of self as a VARIANT: its number, or the object of a child window.
  static HRESULT Entry(TWinControl& self, long id, VARIANT* out) {
    Child c;
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    if (!Resolve(self, v, c) || id == CHILDID_SELF) return S_FALSE;
    if (c.Control->IsWindowed() && c.Item < 0) {
      out->vt = VT_DISPATCH;
      return Dispatch(static_cast<TWinControl*>(c.Control)->Handle(), &out->pdispVal);
    }
    *out = v;
    return S_OK;
  }

  // A property of self or of a child: a child window answers for itself, a system control through
  // the system's object (but for its name, which the system takes from a label the window draws).
  template <typename Delegate, typename Answer>
  HRESULT Property(VARIANT id, const Delegate& delegate, const Answer& answer, bool ownNameOfSystemControl) {
    return Guarded([&]() -> HRESULT {
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl() && !(ownNameOfSystemControl && id.vt == VT_I4 && id.lVal == CHILDID_SELF))
        return Std() ? delegate(Std(), id) : E_FAIL;
      Child c;
      if (!Resolve(*self, id, c)) return E_INVALIDARG;
      if (c.Control != self && c.Control->IsWindowed()) {
        auto* child = new WindowAccessible(static_cast<TWinControl*>(c.Control)->Handle());
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = CHILDID_SELF;
        HRESULT hr = delegate(child, v);
        child->Release();
        return hr;
      }
      return answer(FactsOf(*c.Control, c.Item));
    });
  }

  template <typename Delegate, typename Pick>
  HRESULT Text(VARIANT id, BSTR* out, const Delegate& delegate, const Pick& pick, bool name = false) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Property(
        id, delegate,
        [&](const AccessibleFacts& f) -> HRESULT {
          std::string text = pick(f);
          if (text.empty()) return S_FALSE;
          int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
          std::vector<wchar_t> wide(static_cast<size_t>(n > 0 ? n : 1));
          MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
          *out = Loaded().SysAllocStringLen(wide.data(), static_cast<UINT>(n));
          return *out ? S_OK : E_OUTOFMEMORY;
        },
        name);
  }

  template <typename Delegate, typename Pick>
  HRESULT Number(VARIANT id, VARIANT* out, const Delegate& delegate, const Pick& pick) {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return Property(
        id, delegate,
        [&](const AccessibleFacts& f) -> HRESULT {
          out->vt = VT_I4;
          out->lVal = pick(f);
          return S_OK;
        },
        false);
  }

  // The first child that `is` picks (the focus, the selection), as a VARIANT; self when none does
  // and `is` picks self.
  template <typename Delegate, typename Is>
  HRESULT Found(VARIANT* out, const Delegate& delegate, const Is& is) {
    return Guarded([&]() -> HRESULT {
      if (!out) return E_POINTER;
      out->vt = VT_EMPTY;
      TWinControl* self = Self();
      if (!self) return RPC_E_DISCONNECTED;
      if (self->SystemControl()) return Std() ? delegate(Std()) : E_FAIL;
      std::vector<Child> list = ChildrenOf(*self);
      for (size_t i = 0; i < list.size(); ++i)
        if (is(*self, list[i])) return Entry(*self, static_cast<long>(i + 1), out);
      if (!is(*self, {self, -1})) return S_FALSE;
      out->vt = VT_I4;
      out->lVal = CHILDID_SELF;
      return S_OK;
    });
  }

  HWND Wnd;
  ULONG Refs = 1;
  IAccessible* StdObject = nullptr;
};

} // namespace

LRESULT AccessibleObjectFor(TWinControl& control, WPARAM wp, LPARAM lp) {
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT) || !control.HandleAllocated()) return 0;
  const AccessibilityCalls* calls = Calls();
  if (!calls) return 0;
  auto* object = new WindowAccessible(control.Handle());
  LRESULT result = calls->LresultFromObject(IidAccessible, wp, object);
  object->Release();
  return result > 0 ? result : 0;
}

bool IsAccessibleActionMessage(UINT msg) { return msg == WindowAccessible::ActionMessage(); }

void RunAccessibleAction(TWinControl& control, WPARAM childId) {
  std::vector<Child> list = ChildrenOf(control);
  if (childId == CHILDID_SELF)
    control.DoAccessibleAction(-1);
  else if (childId <= list.size())
    list[childId - 1].Control->DoAccessibleAction(list[childId - 1].Item);
}

void AnnounceEvent(DWORD event, const TControl& control, int item) {
  using NotifyCall = void(WINAPI*)(DWORD, HWND, LONG, LONG);
  static const auto notify = LookUpLoaded<NotifyCall>("user32.dll", "NotifyWinEvent");
  if (!notify) return;
  if (control.IsWindowed()) {
    auto& w = const_cast<TWinControl&>(static_cast<const TWinControl&>(control));
    if (w.HandleAllocated()) notify(event, w.Handle(), OBJID_CLIENT, item < 0 ? CHILDID_SELF : item + 1);
    return;
  }
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  long id = ChildIdOf(*parent, control, item);
  if (id > 0) notify(event, parent->Handle(), OBJID_CLIENT, id);
}

void ReleaseAccessibility() {
  if (!Started || !Started->ComStarted) return;
  Started->CoUninitialize();
  Started->ComStarted = false;
}

} // namespace qv
