#include "ui/Graphics.h"

#include <cstring>
#include <vector>

#include "core/ArtPack.h"
#include "core/ScreenFaces.h"

namespace qv {

TColor ColorToRGB(TColor c) {
  if (IsSystemColor(c)) {
    DWORD rgb = GetSysColor(static_cast<int>(c & 0xFF));
    return RGBColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  }
  return c & 0xFFFFFF;
}

COLORREF ToColorRef(TColor c) {
  TColor rgb = ColorToRGB(c);
  return RGB(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) {
    Name = other.Name;
    Height = other.Height;
    Style = other.Style;
    Color = other.Color;
    Escapement = other.Escapement;
    CharSet = other.CharSet;
    Gdi.Reset();
  }
  return *this;
}

namespace {

// Whether the screen draws "MS Sans Serif" as the 13-pixel bitmap face the window is laid out for:
// not at another DPI (its larger sizes), nor where the system lacks it (a Wine prefix as Wine makes
// it draws a scalable face of its own). Asked once, at the first font: neither changes while the
// program runs.
bool LayoutFaceDrawn() {
  static const bool drawn = [] {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    UniqueGdiObject font(CreateFontIndirectA(&lf));
    WindowDc dc(nullptr);
    SelectGuard selected(dc.Get(), font.Get());
    char face[LF_FACESIZE] = {};
    TEXTMETRICA metrics{};
    return font && GetTextFaceA(dc.Get(), LF_FACESIZE, face) && GetTextMetricsA(dc.Get(), &metrics) &&
           std::string(face) == "MS Sans Serif" && !(metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) &&
           metrics.tmHeight == 13;
  }();
  return drawn;
}

} // namespace

int SystemCharSet() {
  static const int set = CharSetForCodePage(GetACP());
  return set;
}

HFONT TFont::Handle() const {
  std::string key = Name + "|" + std::to_string(Height) + "|" + std::to_string(Style) + "|" +
                    std::to_string(Escapement) + "|" + std::to_string(CharSet);
  if (!Gdi || key != MadeFor) {
    FaceRequest face = ScreenFace(Name, Height, LayoutFaceDrawn(), CharSet);
    LOGFONTA lf{};
    lf.lfHeight = face.Height;
    lf.lfWeight = (Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (Style & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (Style & fsStrikeOut) ? TRUE : FALSE;
    lf.lfEscapement = Escapement;
    lf.lfOrientation = Escapement;
    lf.lfCharSet = static_cast<BYTE>(CharSet);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, face.Name.c_str(), LF_FACESIZE);
    Gdi.Reset(CreateFontIndirectA(&lf));
    MadeFor = key;
  }
  return static_cast<HFONT>(Gdi.Get());
}

namespace {

UniqueGdiObject MakePen(TColor color, int width, TPenStyle style) {
  int s = style == psClear ? PS_NULL : style == psDash ? PS_DASH : style == psDot ? PS_DOT : PS_SOLID;
  return UniqueGdiObject(CreatePen(s, width, ToColorRef(color)));
}

UniqueGdiObject MakeBrush(TColor color, TBrushStyle style) {
  if (style == bsClear) return UniqueGdiObject();
  return UniqueGdiObject(CreateSolidBrush(ToColorRef(color)));
}

RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// A shape's pen and brush (none: the shape is not filled), selected for the one call and put back.
class ShapeTools {
public:
  ShapeTools(HDC dc, UniqueGdiObject pen, UniqueGdiObject brush)
      : Pen(std::move(pen)),
        Brush(std::move(brush)),
        PenSelected(dc, Pen.Get()),
        BrushSelected(dc, Brush ? Brush.Get() : GetStockObject(NULL_BRUSH)) {}

private:
  UniqueGdiObject Pen, Brush;
  SelectGuard PenSelected, BrushSelected;
};

} // namespace

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == bsClear) return;
  UniqueGdiObject brush = MakeBrush(Brush.Color, Brush.Style);
  RECT rc = ToRect(r);
  ::FillRect(Dc, &rc, static_cast<HBRUSH>(brush.Get()));
}

void TCanvas::FrameRect(const TRect& r) {
  UniqueGdiObject brush(CreateSolidBrush(ToColorRef(Brush.Color)));
  RECT rc = ToRect(r);
  ::FrameRect(Dc, &rc, static_cast<HBRUSH>(brush.Get()));
}

void TCanvas::Rectangle(const TRect& r) {
  ShapeTools tools(Dc, MakePen(Pen.Color, Pen.Width, Pen.Style), MakeBrush(Brush.Color, Brush.Style));
  ::Rectangle(Dc, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::RoundRect(const TRect& r, int w, int h) {
  ShapeTools tools(Dc, MakePen(Pen.Color, Pen.Width, Pen.Style), MakeBrush(Brush.Color, Brush.Style));
  ::RoundRect(Dc, r.Left, r.Top, r.Right, r.Bottom, w, h);
}

void TCanvas::Ellipse(const TRect& r) {
  ShapeTools tools(Dc, MakePen(Pen.Color, Pen.Width, Pen.Style), MakeBrush(Brush.Color, Brush.Style));
  ::Ellipse(Dc, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::MoveTo(int x, int y) { PenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  UniqueGdiObject pen = MakePen(Pen.Color, Pen.Width, Pen.Style);
  SelectGuard sp(Dc, pen.Get());
  ::MoveToEx(Dc, PenPos.X, PenPos.Y, nullptr);
  ::LineTo(Dc, x, y);
  PenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  std::vector<POINT> pts;
  for (auto p : points) pts.push_back({p.X, p.Y});
  UniqueGdiObject pen = MakePen(Pen.Color, Pen.Width, Pen.Style);
  SelectGuard sp(Dc, pen.Get());
  ::Polyline(Dc, pts.data(), static_cast<int>(pts.size()));
  PenPos = points.back();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  std::vector<POINT> pts;
  for (auto p : points) pts.push_back({p.X, p.Y});
  ShapeTools tools(Dc, MakePen(Pen.Color, Pen.Width, Pen.Style), MakeBrush(Brush.Color, Brush.Style));
  ::Polygon(Dc, pts.data(), static_cast<int>(pts.size()));
}

void TCanvas::Pixel(int x, int y, TColor c) { SetPixelV(Dc, x, y, ToColorRef(c)); }

TColor TCanvas::PixelAt(int x, int y) const {
  COLORREF c = GetPixel(Dc, x, y);
  return RGBColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  SelectGuard sf(Dc, Font.Handle());
  SetTextColor(Dc, ToColorRef(Font.Color));
  if (Brush.Style == bsClear) {
    SetBkMode(Dc, TRANSPARENT);
  } else {
    SetBkMode(Dc, OPAQUE);
    SetBkColor(Dc, ToColorRef(Brush.Color));
  }
  ::TextOutA(Dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  SelectGuard sf(Dc, Font.Handle());
  SetTextColor(Dc, ToColorRef(Font.Color));
  UINT options = ETO_CLIPPED;
  if (Brush.Style != bsClear) {
    options |= ETO_OPAQUE;
    SetBkColor(Dc, ToColorRef(Brush.Color));
    SetBkMode(Dc, OPAQUE);
  } else {
    SetBkMode(Dc, TRANSPARENT);
  }
  RECT rc = ToRect(r);
  ::ExtTextOutA(Dc, x, y, options, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT flags) {
  SelectGuard sf(Dc, Font.Handle());
  SetTextColor(Dc, ToColorRef(Font.Color));
  SetBkMode(Dc, Brush.Style == bsClear ? TRANSPARENT : OPAQUE);
  if (Brush.Style != bsClear) SetBkColor(Dc, ToColorRef(Brush.Color));
  RECT rc = ToRect(r);
  int h = ::DrawTextA(Dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
  r = {rc.left, rc.top, rc.right, rc.bottom};
  return h;
}

TSize TCanvas::TextExtent(const std::string& text) {
  SelectGuard sf(Dc, Font.Handle());
  SIZE s{};
  ::GetTextExtentPoint32A(Dc, text.c_str(), static_cast<int>(text.size()), &s);
  return {s.cx, s.cy};
}

void TCanvas::Draw(int x, int y, const TBitmap& bmp) {
  if (bmp.Empty()) return;
  ::BitBlt(Dc, x, y, bmp.Width(), bmp.Height(), bmp.Dc(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bmp) {
  if (bmp.Empty()) return;
  SetStretchBltMode(Dc, COLORONCOLOR);
  ::StretchBlt(Dc, r.Left, r.Top, r.Width(), r.Height(), bmp.Dc(), 0, 0, bmp.Width(), bmp.Height(), SRCCOPY);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& src, const TRect& source) {
  SetStretchBltMode(Dc, COLORONCOLOR);
  ::StretchBlt(Dc, dest.Left, dest.Top, dest.Width(), dest.Height(), src.Handle(), source.Left, source.Top,
               source.Width(), source.Height(), SRCCOPY);
}

TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
  if (MemDc) {
    SelectObject(MemDc, OldBmp);
    DeleteDC(MemDc);
  }
  if (Bmp) DeleteObject(Bmp);
  MemDc = nullptr;
  Bmp = nullptr;
  Bits = nullptr;
  OldBmp = nullptr;
  W = H = 0;
  Cv.SetHandle(nullptr);
}

void TBitmap::SetSize(int width, int height) {
  if (width == W && height == H && Bmp) return;
  Release();
  if (width <= 0 || height <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height; // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!Bmp) return;
  Bits = static_cast<uint8_t*>(bits);
  W = width;
  H = height;
  std::memset(Bits, 0xFF, static_cast<size_t>((W * 3 + 3) & ~3) * H);
  MemDc = CreateCompatibleDC(nullptr);
  OldBmp = SelectObject(MemDc, Bmp);
  Cv.SetHandle(MemDc);
}

uint8_t* TBitmap::ScanLine(int y) {
  GdiFlush();
  return Bits + static_cast<size_t>((W * 3 + 3) & ~3) * y;
}
const uint8_t* TBitmap::ScanLine(int y) const {
  GdiFlush();
  return Bits + static_cast<size_t>((W * 3 + 3) & ~3) * y;
}

TCanvas& TBitmap::Canvas() { return Cv; }

void TBitmap::Assign(const TBitmap& other) {
  if (other.Empty()) {
    Release();
    return;
  }
  SetSize(other.W, other.H);
  GdiFlush();
  std::memcpy(Bits, other.Bits, static_cast<size_t>((W * 3 + 3) & ~3) * H);
}

bool TBitmap::LoadFromResource(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)); // RT_RCDATA
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* packed = loaded ? LockResource(loaded) : nullptr;
  if (!packed) return false;
  std::vector<uint8_t> file;
  ArtPicture picture;
  if (!UnpackBytes(static_cast<const uint8_t*>(packed), SizeofResource(module, found), file) ||
      !ReadArtPicture(file.data(), file.size(), picture))
    return false;
  SetSize(picture.Width, picture.Height);
  if (!Bits) return false;
  // The bitmap's rows have the file's stride: three bytes a pixel, padded to four.
  for (int y = 0; y < H; ++y) std::memcpy(ScanLine(y), picture.Pixels + picture.RowOffset(y), picture.Stride);
  return true;
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= W || y >= H) return clBlack;
  const uint8_t* p = ScanLine(y) + x * 3;
  return RGBColor(p[2], p[1], p[0]);
}

} // namespace qv
