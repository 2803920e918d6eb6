#include "ui/OptionalCalls.h"
#include "ui/StdCtrls.h"

#include <algorithm>
#include <map>

#include "ui/Accessible.h"
#include "ui/Application.h"

namespace qv {

// ---- TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {}

void TLabel::SetAutoSize(bool on) {
  AutoSize = on;
  AdjustBounds();
}

void TLabel::SetCaption(const std::string& c) {
  TGraphicControl::SetCaption(c);
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!AutoSize || WordWrap) return;
  HDC dc = GetDC(nullptr);
  TCanvas c(dc);
  c.Font = Font();
  TSize s = c.TextExtent(Caption());
  ReleaseDC(nullptr, dc);
  int right = Left() + Width();
  int left = Alignment == taRightJustify ? right - s.cx : Left();
  SetBounds(left, Top(), s.cx, std::max(Height(), s.cy));
}

void TLabel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  if (!Transparent) {
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  canvas.Font = Font();
  canvas.Brush.Style = bsClear;
  UINT flags = DT_NOPREFIX | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
  flags |= Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
  if (!Enabled()) {
    TRect shifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    canvas.Font.Color = clBtnHighlight;
    canvas.DrawText(Caption(), shifted, flags);
    canvas.Font.Color = clBtnShadow;
  }
  canvas.DrawText(Caption(), r, flags);
}

void TLabel::Describe(AccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_STATICTEXT;
  facts.Name = AccessibleName.empty() ? Caption() : AccessibleName;
  if (!AccessibleName.empty()) facts.Value = Caption();
}

// ---- TImage

void TImage::Paint(TCanvas& canvas) {
  if (Picture.Empty()) return;
  TRect dest;
  if (Stretch) {
    dest = ClientRect();
  } else {
    int x = Center ? (Width() - Picture.Width()) / 2 : 0;
    int y = Center ? (Height() - Picture.Height()) / 2 : 0;
    dest = qv::Bounds(x, y, Picture.Width(), Picture.Height());
  }
  if (Transparent) {
    TColor key = Picture.Pixel(0, Picture.Height() - 1);
    TransparentCopy(canvas.Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), Picture.Dc(), 0, 0,
                    Picture.Width(), Picture.Height(), ToColorRef(key));
  } else if (Stretch) {
    canvas.StretchDraw(dest, Picture);
  } else {
    canvas.Draw(dest.Left, dest.Top, Picture);
  }
}

// ---- TPanel

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {}

void TPanel::PaintWindow(TCanvas& canvas) {
  TWinControl::PaintWindow(canvas);
  TRect r = ClientRect();
  for (TPanelBevel b : {BevelOuter, BevelInner}) {
    if (b == bvNone) continue;
    TColor light = b == bvRaised ? clBtnHighlight : clBtnShadow;
    TColor dark = b == bvRaised ? clBtnShadow : clBtnHighlight;
    canvas.Pen.Color = light;
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen.Color = dark;
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Bottom - 1);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
}

// ---- TScrollBox

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) { ParentColor = true; }

// ---- TMemo

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  OwnColor = clWhite;
  TabStop = true;
}

TMemo::~TMemo() {
  DestroyHandle();
  if (BackBrush) DeleteObject(BackBrush);
}

void TMemo::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.SystemClass = "EDIT";
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (ReadOnly) p.Style |= ES_READONLY;
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) p.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
  p.Text = PendingText;
}

void TMemo::CreateHandle() {
  TWinControl::CreateHandle();
  ColorChanged();
}

void TMemo::ColorChanged() {
  if (BackBrush) DeleteObject(BackBrush);
  BackBrush = CreateSolidBrush(ToColorRef(Color()));
  Invalidate();
}

HBRUSH TMemo::CtlColor(HDC dc) {
  SetTextColor(dc, ToColorRef(Font().Color));
  SetBkColor(dc, ToColorRef(Color()));
  return BackBrush;
}

LRESULT TMemo::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETFONT) return DefaultHandler(msg, wp, lp);
  return TWinControl::HandleMessage(msg, wp, lp);
}

std::string TMemo::Text() const {
  if (!Wnd) return PendingText;
  int n = GetWindowTextLengthA(Wnd);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(Wnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

void TMemo::SetText(const std::string& text) {
  PendingText = text;
  if (Wnd) SetWindowTextA(Wnd, text.c_str());
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  std::string t = Text();
  if (t.empty()) return lines;
  size_t start = 0;
  for (;;) {
    size_t end = t.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(t.substr(start));
      break;
    }
    lines.push_back(t.substr(start, end - start));
    start = end + 2;
    if (start == t.size()) break; // a final line end closes the last line
  }
  return lines;
}

void TMemo::ClearLines() { SetText(""); }

void TMemo::AddLine(const std::string& line) {
  std::vector<std::string> lines = Lines();
  lines.push_back(line);
  SetLines(lines);
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string t;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) t += "\r\n";
    t += lines[i];
  }
  // An empty last line needs the line end that closes it, or it would vanish.
  if (!lines.empty() && lines.back().empty()) t += "\r\n";
  SetText(t);
}

// ---- TTimer

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
} // namespace

TTimer::~TTimer() { SetEnabled(false); }

void CALLBACK TTimer::Proc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  TTimer* t = it->second;
  try {
    if (t->OnTimer) t->OnTimer(t);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
}

void TTimer::SetEnabled(bool on) {
  if (on == Enabled()) return;
  if (on) {
    Id = SetTimer(nullptr, 0, IntervalMs, Proc);
    if (Id) Timers()[Id] = this;
  } else {
    KillTimer(nullptr, Id);
    Timers().erase(Id);
    Id = 0;
  }
}

void TTimer::SetInterval(unsigned ms) {
  IntervalMs = ms;
  if (Enabled()) {
    SetEnabled(false);
    SetEnabled(true);
  }
}

} // namespace qv
