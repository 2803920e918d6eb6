#include "controls/BalloonHint_win32.h"

#include "controls/GradientBar.h"

namespace qv {

// ---- TBalloonHint

TBalloonHint::TBalloonHint(TComponent* owner) : TComponent(owner) {
  Application().HintShortPause = 25;
  Application().HintPause = 500;
  Application().HintHidePause = 5000;
  Application().HintWindowClass = [] { return std::make_unique<THintWindow>(); };
  Application().OnShowHint = nullptr;
}

TBalloonHint::~TBalloonHint() {
  if (IsActive) SetActive(false);
}

void TBalloonHint::SetActive(bool on) {
  if (on == IsActive) return;
  IsActive = on;
  if (on) {
    Application().HintWindowClass = [] { return std::make_unique<TRegionHint>(); };
    Application().OnShowHint = [this](std::string& text, bool& canShow, THintInfo& info) {
      ShowHintHook(text, canShow, info);
    };
  } else {
    Application().HintWindowClass = [] { return std::make_unique<THintWindow>(); };
    Application().OnShowHint = nullptr;
  }
  // Off and on again: the framework drops its hint window and makes one of the new kind.
  bool shown = Application().ShowHint();
  Application().SetShowHint(!shown);
  Application().SetShowHint(shown);
  if (!shown) Application().SetShowHint(true);
}

void TBalloonHint::SetHintPause(int ms) {
  if (ms > 0) Application().HintPause = ms;
}
void TBalloonHint::SetHintHidePause(int ms) {
  if (ms > 0) Application().HintHidePause = ms;
}
void TBalloonHint::SetHintShortPause(int ms) {
  if (ms > 0) Application().HintShortPause = ms;
}

void TBalloonHint::ShowHintHook(std::string& text, bool& canShow, THintInfo& info) {
  if (OnShowHint) OnShowHint(text, canShow, info);
  if (THintWindow* w = Application().HintWindow()) w->Font = HintFont;
}

// ---- TRegionHint

TBalloonHint* TRegionHint::FindHintSettings() {
  TForm* main = Application().MainForm;
  return main ? main->FindComponentOf<TBalloonHint>() : nullptr;
}

TRect TRegionHint::CalcHintRect(int maxWidth, const std::string& text) {
  HDC dc = GetDC(nullptr);
  TCanvas c(dc);
  c.Font = Font;
  TRect r{0, 0, maxWidth, 0};
  c.DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ReleaseDC(nullptr, dc);
  return r;
}

int CurrentCursorExtent() {
  HCURSOR cursor = GetCursor();
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return 32;
  UniqueGdiObject mask(info.hbmMask), colour(info.hbmColor);
  BITMAP bm{};
  GetObjectA(info.hbmMask, sizeof bm, &bm);
  int rows = bm.bmHeight > 64 ? 64 : bm.bmHeight;
  std::vector<uint32_t> bits;
  if (rows > 0) {
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colours[2];
    } bi{};
    bi.h.biSize = sizeof bi.h;
    bi.h.biWidth = 32;
    bi.h.biHeight = -rows;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 1;
    bits.assign(static_cast<size_t>(rows), 0);
    HDC dc = GetDC(nullptr);
    int got = GetDIBits(dc, info.hbmMask, 0, static_cast<UINT>(rows), bits.data(), reinterpret_cast<BITMAPINFO*>(&bi),
                        DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (got <= 0) return 32;
    // Rows arrive as bytes, leftmost pixel in the top bit of the first byte.
    for (auto& row : bits) {
      auto* b = reinterpret_cast<uint8_t*>(&row);
      row = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
    }
  }
  return CursorExtent(bits, static_cast<int>(info.yHotspot));
}

void TRegionHint::MakeHintImage(const TBalloonHint& k, const TRect& window) {
  const int w = window.Width(), h = window.Height();
  Image.SetSize(w + 1, h + 1);
  TBitmap cover;
  bool wall = k.UseWallPaper && !k.WallPaper.Empty();
  auto tile = [&](TBitmap& target) {
    for (TPoint p : TileOrigins(w, h, k.WallPaper.Width(), k.WallPaper.Height()))
      target.Canvas().Draw(p.X, p.Y, k.WallPaper);
  };
  auto fill = [&](TBitmap& target) {
    target.Canvas().Brush.Style = bsSolid;
    target.Canvas().Brush.Color = k.HintColor;
    target.Canvas().FillRect({0, 0, w + 1, h + 1});
  };
  if (k.TransparencyStyle == tsNone) {
    wall ? tile(Image) : fill(Image);
    return;
  }
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (screen) {
    BitBlt(Image.Dc(), 0, 0, w + 1, h + 1, screen, window.Left, window.Top, SRCCOPY);
    DeleteDC(screen);
  }
  cover.SetSize(w + 1, h + 1);
  wall ? tile(cover) : fill(cover);
  for (int y = 0; y <= h; ++y) {
    uint8_t* out = Image.ScanLine(y);
    const uint8_t* in = cover.ScanLine(y);
    for (int x = 0; x <= w; ++x) {
      int t = TransparencyAt(k.TransparencyStyle, k.Transparency, k.EndTransparency, w, h, x, y);
      for (int ch = 0; ch < 3; ++ch) out[x * 3 + ch] = BlendChannel(out[x * 3 + ch], in[x * 3 + ch], t);
    }
  }
}

UniqueGdiObject TRegionHint::MakeRegion(const TBalloonHint& k) const {
  const TRect& b = Shape.Body;
  HRGN body = nullptr;
  switch (k.HintStyle) {
    case hsRectangle:
      body = CreateRectRgn(b.Left, b.Top, b.Right, b.Bottom);
      break;
    case hsElliptic:
      body = CreateEllipticRgn(b.Left, b.Top, b.Right, b.Bottom);
      break;
    case hsRoundRect:
      body = CreateRoundRectRgn(b.Left, b.Top, b.Right, b.Bottom, 2 * k.RadiusWidth, 2 * k.RadiusHeight);
      break;
    case hsCutAngleRect: {
      std::vector<POINT> pts;
      for (TPoint p : CutAngleOctagon(b, k.RadiusWidth, k.RadiusHeight)) pts.push_back({p.X, p.Y});
      body = CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), WINDING);
      break;
    }
  }
  return UniqueGdiObject(body);
}

void TRegionHint::ActivateHint(const TRect& rect, const std::string& text) {
  CreateWindowIfNeeded();
  Text = text;
  SetWindowTextA(Wnd, text.c_str());
  Settings = FindHintSettings();
  if (!Settings) {
    THintWindow::ActivateHint(rect, text);
    return;
  }
  TBalloonHint& k = *Settings;
  k.DirectionInUse = k.Direction;
  k.DisplayedInUse = k.Displayed;
  k.BelowCursor = true;

  TRect measured = CalcHintRect(rect.Width() > 0 ? rect.Width() : 300, text);
  THintLayoutInput in;
  in.HintStyle = k.HintStyle;
  in.ArrowStyle = k.ArrowStyle;
  in.ArrowWidth = k.ArrowWidth;
  in.ArrowHeight = k.ArrowHeight;
  in.ArrowOffsetHor = k.ArrowOffsetHor;
  in.DisplayedHint = k.Displayed;
  in.HintDirection = k.Direction;
  in.BorderWidth = k.BorderWidth;
  in.BorderHeight = k.BorderHeight;
  in.RadiusWidth = k.RadiusWidth;
  in.RadiusHeight = k.RadiusHeight;
  in.TextWidth = measured.Width();
  in.TextHeight = measured.Height();
  POINT cursor;
  GetCursorPos(&cursor);
  in.Cursor = {cursor.x, cursor.y};
  bool anchoredBelowImage = k.Displayed == dhOutCursorPoint || (k.Displayed == dhAuto && k.ArrowStyle == asNone);
  in.CursorExtent = anchoredBelowImage ? CurrentCursorExtent() : 0;
  in.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  in.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  Shape = LayoutHint(in);
  k.DirectionInUse = Shape.Direction;
  k.DisplayedInUse = Shape.Displayed;
  k.BelowCursor = Shape.BelowCursor;

  MakeHintImage(k, Shape.Window);
  BodyRegion = MakeRegion(k);
  ArrowRegion.Reset();
  if (Shape.HasArrow) {
    POINT tri[3] = {{Shape.Arrow.Tip.X, Shape.Arrow.Tip.Y},
                    {Shape.Arrow.Base1.X, Shape.Arrow.Base1.Y},
                    {Shape.Arrow.Base2.X, Shape.Arrow.Base2.Y}};
    ArrowRegion.Reset(CreatePolygonRgn(tri, 3, WINDING));
  }
  HRGN window = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(window, static_cast<HRGN>(BodyRegion.Get()), nullptr, RGN_COPY);
  if (ArrowRegion) CombineRgn(window, window, static_cast<HRGN>(ArrowRegion.Get()), RGN_OR);
  SetWindowRgn(Wnd, window, FALSE); // the window owns it from here

  const TRect& r = Shape.Window;
  SetWindowPos(Wnd, HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(Wnd, nullptr, FALSE);
  UpdateWindow(Wnd);
}

void TRegionHint::Paint(HDC dc, const TRect& client) {
  if (!Settings) {
    THintWindow::Paint(dc, client);
    return;
  }
  const TBalloonHint& k = *Settings;
  BitBlt(dc, 0, 0, Shape.Window.Width(), Shape.Window.Height(), Image.Dc(), 0, 0, SRCCOPY);
  HRGN outline = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(Wnd, outline) != ERROR) {
    SelectClipRgn(dc, outline);
    UniqueGdiObject brush(CreateSolidBrush(ToColorRef(k.BorderColor)));
    FrameRgn(dc, outline, static_cast<HBRUSH>(brush.Get()), k.BorderWidth, k.BorderHeight);
    SelectClipRgn(dc, nullptr);
  }
  DeleteObject(outline);

  TCanvas canvas(dc);
  canvas.Font = k.HintFont;
  canvas.Brush.Style = bsClear;
  TRect tr = Shape.TextRect;
  if (k.AlignText != atJustified) {
    UINT align = k.AlignText == atLeft ? DT_LEFT : k.AlignText == atRight ? DT_RIGHT : DT_CENTER;
    canvas.DrawText(Text, tr, align | DT_WORDBREAK | DT_NOPREFIX);
    return;
  }
  SelectGuard font(dc, canvas.Font.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(k.HintFont.Color));
  for (const TJustifiedLine& line : JustifiedLines(Text)) {
    SetTextJustification(dc, 0, 0);
    SIZE ext{};
    GetTextExtentPoint32A(dc, line.Text.c_str(), static_cast<int>(line.Text.size()), &ext);
    if (line.Justify) SetTextJustification(dc, tr.Width() - ext.cx, line.Spaces);
    TextOutA(dc, tr.Left, tr.Top + line.Row * ext.cy, line.Text.c_str(), static_cast<int>(line.Text.size()));
  }
  SetTextJustification(dc, 0, 0);
}

} // namespace qv
