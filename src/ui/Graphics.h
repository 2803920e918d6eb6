#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Colour.h"
#include "core/Geometry.h"
#include "core/ScreenFaces.h"
#include "ui/Win.h"

namespace qv {

// Resolves system colours (top byte 0x80) to red, green and blue; plain colours pass unchanged.
TColor ColorToRGB(TColor c);
COLORREF ToColorRef(TColor c);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The character set of the system's ANSI code page (DEFAULT_CHARSET on 1252): a font asked for in it
// draws names the system hands out (registered owner, time zone, paths) in the system's script.
int SystemCharSet();

// A logical font; the GDI object is made on first use and remade after a change.
class TFont {
public:
  TFont() = default;
  TFont(std::string name, int height, unsigned style = 0, TColor color = clBlack)
      : Name(std::move(name)), Height(height), Style(style), Color(color) {}
  TFont(const TFont& other)
      : Name(other.Name),
        Height(other.Height),
        Style(other.Style),
        Color(other.Color),
        Escapement(other.Escapement),
        CharSet(other.CharSet) {}
  TFont& operator=(const TFont& other);

  std::string Name = "MS Sans Serif";
  int Height = -11;
  unsigned Style = 0;
  TColor Color = clBlack;
  int Escapement = 0;           // tenths of a degree, for rotated text
  int CharSet = DefaultCharSet; // SystemCharSet() for texts that come from the system

  HFONT Handle() const;
  void Changed() { Gdi.Reset(); }

private:
  mutable UniqueGdiObject Gdi;
  mutable std::string MadeFor;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

class TBitmap;

// Drawing on a DC. The canvas does not own the DC; it selects its own pen, brush and font for each
// operation and puts the DC's back afterwards.
class TCanvas {
public:
  explicit TCanvas(HDC dc = nullptr) : Dc(dc) {}
  HDC Handle() const { return Dc; }
  void SetHandle(HDC dc) { Dc = dc; }

  struct {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
  } Pen;
  struct {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
  } Brush;
  TFont Font;

  void FillRect(const TRect& r);
  void FrameRect(const TRect& r); // one pixel in the brush colour
  void Rectangle(const TRect& r); // pen outline, brush inside
  void RoundRect(const TRect& r, int w, int h);
  void Ellipse(const TRect& r);
  void MoveTo(int x, int y);
  void LineTo(int x, int y); // the end point is not drawn
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);
  void Pixel(int x, int y, TColor c);
  TColor PixelAt(int x, int y) const;
  void TextOut(int x, int y, const std::string& text); // transparent when the brush is clear
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  int DrawText(const std::string& text, TRect& r, UINT flags);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, const TBitmap& bmp);
  void StretchDraw(const TRect& r, const TBitmap& bmp);
  void CopyRect(const TRect& dest, const TCanvas& src, const TRect& source);

private:
  HDC Dc;
  TPoint PenPos;
};

// 24-bit DIB section with direct row access; empty when 0 x 0.
class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }
  TBitmap(const TBitmap& other) { Assign(other); }
  TBitmap& operator=(const TBitmap& other) {
    if (this != &other) Assign(other);
    return *this;
  }
  ~TBitmap();

  void SetSize(int width, int height);
  int Width() const { return W; }
  int Height() const { return H; }
  bool Empty() const { return W == 0 || H == 0; }
  // Row y, top row first: blue, green, red bytes per pixel.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  TCanvas& Canvas();
  HBITMAP Handle() const { return Bmp; }
  HDC Dc() const { return MemDc; }
  void Assign(const TBitmap& other);
  bool LoadFromResource(int id);
  TColor Pixel(int x, int y) const;

private:
  void Release();
  int W = 0, H = 0;
  HBITMAP Bmp = nullptr;
  HDC MemDc = nullptr;
  HGDIOBJ OldBmp = nullptr;
  uint8_t* Bits = nullptr;
  TCanvas Cv;
};

} // namespace qv
