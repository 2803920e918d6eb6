// Draws Quorvel's artwork: the skin, button faces, pictures, textures, cursors and the icon, the
// same bytes on every run (no clock, no randomness beyond a fixed-seed generator).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t R, G, B;
  bool operator==(const Rgb&) const = default;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto ch = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (y - x) * t + 0.5); };
  return {ch(a.R, b.R), ch(a.G, b.G), ch(a.B, b.B)};
}

const Rgb White{255, 255, 255};
const Rgb Black{0, 0, 0};
const Rgb Blue{0, 85, 234};
const Rgb SoftBlue{123, 153, 225};
const Rgb DeepBlue{0, 51, 160};
const Rgb Navy{10, 35, 110};
const Rgb Mist{232, 238, 250};
const Rgb Pale{244, 247, 253};
const Rgb Key{255, 0, 255}; // transparent colour of the splash icon

// Knuth's LCG: a fixed texture, the same on every machine.
struct Lcg {
  uint64_t S;
  double Next() {
    S = S * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(S >> 11) / 9007199254740992.0;
  }
};

class Picture {
public:
  Picture(int w, int h, Rgb fill) : W(w), H(h), Px(static_cast<size_t>(w) * h, fill) {}
  Rgb At(int x, int y) const { return Px[static_cast<size_t>(std::clamp(y, 0, H - 1)) * W + std::clamp(x, 0, W - 1)]; }
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < W && y < H) Px[static_cast<size_t>(y) * W + x] = c;
  }
  void Blend(int x, int y, Rgb c, double alpha) {
    if (x >= 0 && y >= 0 && x < W && y < H) Set(x, y, Mix(At(x, y), c, alpha));
  }
  void Fill(int l, int t, int r, int b, Rgb c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Set(x, y, c);
  }
  void VGradient(int l, int t, int r, int b, Rgb top, Rgb bottom) {
    for (int y = t; y < b; ++y) Fill(l, y, r, y + 1, Mix(top, bottom, b - t > 1 ? double(y - t) / (b - t - 1) : 0));
  }
  void HGradient(int l, int t, int r, int b, Rgb left, Rgb right) {
    for (int x = l; x < r; ++x) Fill(x, t, x + 1, b, Mix(left, right, r - l > 1 ? double(x - l) / (r - l - 1) : 0));
  }
  void Frame(int l, int t, int r, int b, Rgb c) {
    Fill(l, t, r, t + 1, c);
    Fill(l, b - 1, r, b, c);
    Fill(l, t, l + 1, b, c);
    Fill(r - 1, t, r, b, c);
  }
  // Coverage of a rounded rectangle at a pixel centre, 0..1, with a one-pixel soft edge.
  static double RoundCover(double px, double py, double l, double t, double r, double b, double rad) {
    double cx = std::clamp(px, l + rad, r - rad), cy = std::clamp(py, t + rad, b - rad);
    double d = std::hypot(px - cx, py - cy) - rad;
    if (px < l || px > r || py < t || py > b) d = std::max(d, 0.5);
    return std::clamp(0.5 - d, 0.0, 1.0);
  }
  // A rounded rectangle filled by `shade(y)` (vertical), antialiased against what lies below.
  template <typename Shade>
  void RoundRect(int l, int t, int r, int b, double rad, Shade shade) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) {
        double c = RoundCover(x + 0.5, y + 0.5, l, t, r, b, rad);
        if (c > 0) Blend(x, y, shade(x, y), c);
      }
  }
  void RoundOutline(int l, int t, int r, int b, double rad, Rgb c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) {
        double outer = RoundCover(x + 0.5, y + 0.5, l, t, r, b, rad);
        double inner = RoundCover(x + 0.5, y + 0.5, l + 1, t + 1, r - 1, b - 1, std::max(0.0, rad - 1));
        double cov = outer - inner;
        if (cov > 0) Blend(x, y, c, cov);
      }
  }
  void Disc(double cx, double cy, double rad, Rgb c) {
    for (int y = int(cy - rad - 1); y <= int(cy + rad + 1); ++y)
      for (int x = int(cx - rad - 1); x <= int(cx + rad + 1); ++x) {
        double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) - rad;
        double cov = std::clamp(0.5 - d, 0.0, 1.0);
        if (cov > 0) Blend(x, y, c, cov);
      }
  }
  void Blit(const Picture& p, int x0, int y0) {
    for (int y = 0; y < p.H; ++y)
      for (int x = 0; x < p.W; ++x) Set(x0 + x, y0 + y, p.At(x, y));
  }

  bool SaveBmp(const std::string& path) const {
    int row = (W * 3 + 3) & ~3;
    uint32_t size = 54 + static_cast<uint32_t>(row) * H;
    std::vector<uint8_t> out(size, 0);
    auto put32 = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(W));
    put32(22, static_cast<uint32_t>(H));
    out[26] = 1;
    out[28] = 24;
    put32(34, static_cast<uint32_t>(row) * H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const Rgb& c = Px[static_cast<size_t>(H - 1 - y) * W + x];
        size_t at = 54 + static_cast<size_t>(y) * row + x * 3;
        out[at] = c.B;
        out[at + 1] = c.G;
        out[at + 2] = c.R;
      }
    return Write(path, out);
  }

  static bool Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
  }

  int W, H;

private:
  std::vector<Rgb> Px;
};

// ---- a small bitmap font: 7 rows above the baseline, 2 below for descenders

struct Glyph {
  std::vector<std::string> Rows;
  int Width() const { return Rows.empty() ? 3 : static_cast<int>(Rows[0].size()); }
};

const std::map<char, Glyph>& Font() {
  static const std::map<char, Glyph> font = {
      {'A', {{".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}}},
      {'B', {{"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}}},
      {'C', {{".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}}},
      {'D', {{"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}}},
      {'E', {{"#####", "#....", "#....", "####.", "#....", "#....", "#####"}}},
      {'F', {{"#####", "#....", "#....", "####.", "#....", "#....", "#...."}}},
      {'G', {{".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}}},
      {'H', {{"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}}},
      {'I', {{"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}}},
      {'J', {{"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}}},
      {'K', {{"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}}},
      {'L', {{"#....", "#....", "#....", "#....", "#....", "#....", "#####"}}},
      {'M', {{"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}}},
      {'N', {{"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}}},
      {'O', {{".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}}},
      {'P', {{"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}}},
      {'Q', {{".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}}},
      {'R', {{"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}}},
      {'S', {{".####", "#....", "#....", ".###.", "....#", "....#", "####."}}},
      {'T', {{"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}}},
      {'U', {{"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}}},
      {'V', {{"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}}},
      {'W', {{"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}}},
      {'X', {{"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}}},
      {'Y', {{"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}}},
      {'Z', {{"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}}},
      {'a', {{".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}}},
      {'b', {{"#....", "#....", "####.", "#...#", "#...#", "#...#", "####."}}},
      {'c', {{"....", "....", ".###", "#...", "#...", "#...", ".###"}}},
      {'d', {{"....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"}}},
      {'e', {{".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}}},
      {'f', {{"..##", ".#..", "####", ".#..", ".#..", ".#..", ".#.."}}},
      {'g', {{".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."}}},
      {'h', {{"#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#"}}},
      {'i', {{"#", ".", "#", "#", "#", "#", "#"}}},
      {'j', {{"..#", "...", ".##", "..#", "..#", "..#", "..#", "..#", "##."}}},
      {'k', {{"#...", "#...", "#..#", "#.#.", "##..", "#.#.", "#..#"}}},
      {'l', {{"##", ".#", ".#", ".#", ".#", ".#", ".#"}}},
      {'m', {{".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}}},
      {'n', {{".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"}}},
      {'o', {{".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}}},
      {'p', {{".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."}}},
      {'q', {{".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", "....#"}}},
      {'r', {{"....", "....", "#.##", "##..", "#...", "#...", "#..."}}},
      {'s', {{".....", ".....", ".####", "#....", ".###.", "....#", "####."}}},
      {'t', {{".#..", ".#..", "####", ".#..", ".#..", ".#..", "..##"}}},
      {'u', {{".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####"}}},
      {'v', {{".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}}},
      {'w', {{".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}}},
      {'x', {{".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}}},
      {'y', {{".....", ".....", "#...#", "#...#", "#...#", "#...#", ".####", "....#", ".###."}}},
      {'z', {{".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"}}},
      {'0', {{".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}}},
      {'1', {{".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}}},
      {'2', {{".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}}},
      {'3', {{"####.", "....#", "....#", ".###.", "....#", "....#", "####."}}},
      {'4', {{"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}}},
      {'5', {{"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}}},
      {'6', {{".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}}},
      {'7', {{"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}}},
      {'8', {{".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}}},
      {'9', {{".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}}},
      {'.', {{".", ".", ".", ".", ".", ".", "#"}}},
      {'-', {{"....", "....", "....", "####", "....", "....", "...."}}},
      {'!', {{"#", "#", "#", "#", "#", ".", "#"}}},
      {'+', {{".....", ".....", "..#..", "..#..", "#####", "..#..", "..#.."}}},
      {':', {{".", ".", "#", ".", ".", "#", "."}}},
      {'/', {{"....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."}}},
      {' ', {{"...", "...", "...", "...", "...", "...", "..."}}},
  };
  return font;
}

// Width in pixels of a text at a scale, bold adding one column per glyph.
int TextWidth(const std::string& text, int scale = 1, bool bold = false) {
  int w = 0;
  for (char ch : text) {
    auto it = Font().find(ch);
    int gw = it == Font().end() ? 3 : it->second.Width();
    w += (gw + 1 + (bold ? 1 : 0)) * scale;
  }
  return w > 0 ? w - scale : 0;
}

// Text with its top-left corner at (x, y); each font pixel becomes a scale x scale block.
void DrawText(Picture& p, int x, int y, const std::string& text, Rgb c, int scale = 1, bool bold = false,
              double alpha = 1) {
  for (char ch : text) {
    auto it = Font().find(ch);
    if (it == Font().end()) {
      x += 4 * scale;
      continue;
    }
    const Glyph& g = it->second;
    for (size_t row = 0; row < g.Rows.size(); ++row)
      for (size_t col = 0; col < g.Rows[row].size(); ++col)
        if (g.Rows[row][col] == '#')
          for (int dx = 0; dx < (bold ? 2 : 1); ++dx)
            for (int sy = 0; sy < scale; ++sy)
              for (int sx = 0; sx < scale; ++sx)
                p.Blend(x + (int(col) + dx) * scale + sx, y + int(row) * scale + sy, c, alpha);
    x += (g.Width() + 1 + (bold ? 1 : 0)) * scale;
  }
}

void DrawTextCentred(Picture& p, int cx, int y, const std::string& text, Rgb c, int scale = 1, bool bold = false,
                     double alpha = 1) {
  DrawText(p, cx - TextWidth(text, scale, bold) / 2, y, text, c, scale, bold, alpha);
}

// ---- pictures

Picture Skin() {
  Picture p(582, 344, White);
  // Title bar: a deep blue strip with a soft sheen and a light rule beneath.
  p.VGradient(0, 0, 582, 11, Mix(Blue, White, 0.18), Blue);
  p.VGradient(0, 11, 582, 21, Blue, Mix(Blue, DeepBlue, 0.55));
  p.Fill(0, 21, 582, 22, Mix(SoftBlue, White, 0.2));
  // A faint tile pattern on the right of the title bar.
  for (int x = 300; x < 556; x += 6)
    for (int y = 3; y < 18; y += 6) p.Blend(x, y, White, 0.08 + 0.12 * (x - 300) / 256.0);

  // Left column: pale gradient, a dividing rule and the framed place of the product picture.
  p.VGradient(0, 22, 112, 344, Mist, Pale);
  p.Fill(111, 22, 112, 344, Mix(SoftBlue, White, 0.45));
  p.Fill(112, 22, 113, 344, White);
  // Separators between the buttons and the picture.
  p.HGradient(16, 168, 104, 169, Mix(SoftBlue, Mist, 0.2), Mist);
  p.HGradient(16, 169, 104, 170, White, Mist);
  DrawTextCentred(p, 56, 182, "SYSTEM", Mix(SoftBlue, Mist, 0.15), 1, true);
  DrawTextCentred(p, 56, 194, "INFORMATION", Mix(SoftBlue, Mist, 0.15), 1, false);
  // Little dotted ornament.
  for (int i = 0; i < 5; ++i) p.Disc(40 + i * 8 + 0.5, 214.5, 1.4, Mix(SoftBlue, Mist, 0.1 + 0.12 * i));
  p.RoundRect(10, 252, 107, 337, 6, [](int, int y) { return Mix(White, Mist, (y - 252) / 85.0); });
  p.RoundOutline(10, 252, 107, 337, 6, Mix(SoftBlue, White, 0.25));

  // Bottom strip beside the notice and the link.
  p.HGradient(113, 316, 582, 317, Mix(SoftBlue, White, 0.35), Mix(SoftBlue, White, 0.75));
  p.VGradient(113, 317, 582, 343, White, Pale);
  // Window frame.
  p.Frame(0, 0, 582, 344, DeepBlue);
  return p;
}

// The five faces of a 71 x h button whose top-left lies at (left, top) of the skin; with
// `accessKey`, the caption's first letter is underlined, as the window shows it once the keyboard
// is in use.
std::vector<Picture> ButtonFaces(const Picture& skin, int left, int top, const std::string& caption, int h,
                                 bool accessKey) {
  const int w = 71;
  struct Face {
    Rgb Top, Bottom, Edge, Text;
    int Shift;
    double Gloss;
  };
  const Face faces[5] = {
      {Mix(SoftBlue, Blue, 0.25), Blue, DeepBlue, White, 0, 0.25},                                    // up
      {Mix(SoftBlue, White, 0.25), Mix(SoftBlue, Blue, 0.45), Blue, White, 0, 0.35},                  // over
      {Mix(Blue, DeepBlue, 0.6), Mix(Blue, SoftBlue, 0.2), Navy, Mix(White, SoftBlue, 0.15), 1, 0.0}, // down
      {Mix(Mist, White, 0.3), Mix(SoftBlue, Mist, 0.55), Mix(SoftBlue, White, 0.3), Mix(SoftBlue, Mist, 0.2), 0,
       0.3},                                                                          // disabled
      {Mix(SoftBlue, White, 0.1), Mix(Blue, SoftBlue, 0.3), DeepBlue, White, 0, 0.3}, // current
  };
  std::vector<Picture> out;
  for (const Face& f : faces) {
    Picture p(w, h, White);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p.Set(x, y, skin.At(left + x, top + y));
    // A soft shadow under the button body.
    p.RoundRect(1, 2, w, h, 5, [&](int, int) { return Mix(skin.At(left + 30, top + 10), Navy, 0.25); });
    p.RoundRect(0, 0, w - 1, h - 1, 5, [&](int, int y) { return Mix(f.Top, f.Bottom, y / double(h - 2)); });
    if (f.Gloss > 0) p.RoundRect(2, 1, w - 3, 10, 4, [&](int, int y) { return Mix(White, f.Top, y / 9.0); });
    p.RoundOutline(0, 0, w - 1, h - 1, 5, f.Edge);
    int ty = (h - 9) / 2 + f.Shift;
    if (f.Text == White) DrawTextCentred(p, (w - 1) / 2 + f.Shift, ty + 1, caption, Navy, 1, true, 0.35);
    DrawTextCentred(p, (w - 1) / 2 + f.Shift, ty, caption, f.Text, 1, true);
    if (accessKey) {
      // Below the capital, on the descenders' last row, with the text's shadow under it.
      const int x = (w - 1) / 2 + f.Shift - TextWidth(caption, 1, true) / 2;
      const int end = x + TextWidth(caption.substr(0, 1), 1, true);
      for (int col = x; col < end; ++col) {
        if (f.Text == White) p.Blend(col, ty + 9, Navy, 0.35);
        p.Set(col, ty + 8, f.Text);
      }
    }
    out.push_back(p);
  }
  return out;
}

std::vector<Picture> CloseFaces(const Picture& skin) {
  const int left = 564, top = 5;
  struct Face {
    Rgb Fill, Edge, Mark;
    int Shift;
  };
  const Face faces[5] = {
      {Mix(Blue, White, 0.12), Mix(White, SoftBlue, 0.3), White, 0},
      {Mix(SoftBlue, White, 0.2), White, White, 0},
      {DeepBlue, Mix(White, SoftBlue, 0.5), Mix(White, SoftBlue, 0.2), 1},
      {Mix(SoftBlue, Blue, 0.4), Mix(SoftBlue, White, 0.3), Mix(SoftBlue, White, 0.4), 0},
      {Mix(SoftBlue, Blue, 0.3), White, White, 0},
  };
  std::vector<Picture> out;
  for (const Face& f : faces) {
    Picture p(13, 13, White);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) p.Set(x, y, skin.At(left + x, top + y));
    p.RoundRect(0, 0, 13, 13, 3, [&](int, int) { return f.Fill; });
    p.RoundOutline(0, 0, 13, 13, 3, f.Edge);
    for (int i = 0; i < 5; ++i) {
      int a = 4 + i + f.Shift;
      p.Set(a, 4 + i + f.Shift, f.Mark);
      p.Set(8 - i + f.Shift, 4 + i + f.Shift, f.Mark);
      p.Blend(a + 1, 4 + i + f.Shift, f.Mark, 0.45);
      p.Blend(9 - i + f.Shift, 4 + i + f.Shift, f.Mark, 0.45);
    }
    out.push_back(p);
  }
  return out;
}

// A processor chip with pins and a "Q" on it, centred at (cx, cy), body size s.
void Chip(Picture& p, double cx, double cy, int s, Rgb body, Rgb pins, Rgb mark, int glyphScale) {
  int l = int(cx - s / 2.0), t = int(cy - s / 2.0);
  int pinCount = std::max(3, s / 8), pinLen = std::max(2, s / 7), pinW = std::max(1, s / 14);
  for (int i = 0; i < pinCount; ++i) {
    int off = l + (s * (2 * i + 1)) / (2 * pinCount) - pinW / 2;
    int offy = t + (s * (2 * i + 1)) / (2 * pinCount) - pinW / 2;
    p.Fill(off, t - pinLen, off + pinW, t, pins);
    p.Fill(off, t + s, off + pinW, t + s + pinLen, pins);
    p.Fill(l - pinLen, offy, l, offy + pinW, pins);
    p.Fill(l + s, offy, l + s + pinLen, offy + pinW, pins);
  }
  p.RoundRect(l, t, l + s, t + s, std::max(2, s / 8),
              [&](int, int y) { return Mix(Mix(body, White, 0.3), body, (y - t) / double(s)); });
  p.RoundOutline(l, t, l + s, t + s, std::max(2, s / 8), Mix(body, Navy, 0.5));
  int inset = std::max(2, s / 6);
  p.RoundOutline(l + inset, t + inset, l + s - inset, t + s - inset, std::max(1, s / 12), Mix(body, White, 0.45));
  DrawTextCentred(p, int(cx) + 1, int(cy) - 7 * glyphScale / 2, "Q", mark, glyphScale, true);
}

Picture Logo() {
  Picture p(89, 77, White);
  p.VGradient(0, 0, 89, 77, White, Mist);
  // A monitor with the chip on its screen.
  p.RoundRect(10, 6, 79, 54, 4, [](int, int y) { return Mix(Mix(SoftBlue, White, 0.4), SoftBlue, (y - 6) / 48.0); });
  p.RoundOutline(10, 6, 79, 54, 4, Blue);
  p.RoundRect(14, 10, 75, 49, 2, [](int, int y) { return Mix(Mix(Blue, White, 0.15), DeepBlue, (y - 10) / 39.0); });
  for (int y = 10; y < 49; y += 3) p.Fill(15, y, 74, y + 1, Mix(Blue, White, 0.05));
  Chip(p, 44.5, 29.5, 20, Mix(SoftBlue, White, 0.35), Mix(White, SoftBlue, 0.2), DeepBlue, 2);
  p.Fill(38, 54, 51, 60, Mix(SoftBlue, Blue, 0.3));
  p.RoundRect(26, 60, 63, 65, 2, [](int, int) { return Mix(SoftBlue, Blue, 0.5); });
  DrawTextCentred(p, 44, 68, "Quorvel", Blue, 1, true);
  return p;
}

Picture Splash() {
  Picture p(300, 123, White);
  p.VGradient(0, 0, 300, 123, Mix(Blue, White, 0.1), DeepBlue);
  // Soft rings in the background.
  for (int y = 0; y < 123; ++y)
    for (int x = 0; x < 300; ++x) {
      double d = std::hypot(x - 250.0, y - 10.0);
      double ring = 0.5 + 0.5 * std::sin(d / 7.0);
      p.Blend(x, y, White, 0.05 * ring * std::clamp(1 - d / 220.0, 0.0, 1.0));
    }
  Chip(p, 40.5, 36.5, 30, Mix(SoftBlue, White, 0.45), Mix(White, SoftBlue, 0.2), DeepBlue, 2);
  DrawText(p, 75, 19, "Quorvel", Navy, 3, true, 0.3);
  DrawText(p, 73, 17, "Quorvel", White, 3, true);
  DrawText(p, 75, 47, "System information at a glance", Mix(White, SoftBlue, 0.3));
  p.Frame(0, 0, 300, 123, Navy);
  p.Frame(1, 1, 299, 122, Mix(Blue, White, 0.3));
  return p;
}

Picture SplashBar() {
  Picture p(251, 23, White);
  Picture bg = Splash();
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 251; ++x) p.Set(x, y, bg.At(26 + x, 80 + y));
  p.RoundRect(0, 0, 251, 23, 11, [](int, int y) { return Mix(Navy, DeepBlue, y / 22.0); });
  p.RoundRect(3, 2, 248, 11, 5, [](int, int y) { return Mix(Mix(Blue, White, 0.25), Blue, y / 9.0); });
  p.RoundOutline(0, 0, 251, 23, 11, Mix(SoftBlue, White, 0.2));
  // Busy segments between the icon and the name.
  for (int i = 0; i < 9; ++i) {
    double a = 0.25 + 0.07 * i;
    p.RoundRect(52 + i * 9, 8, 58 + i * 9, 15, 2, [&](int, int) { return Mix(DeepBlue, White, a); });
  }
  return p;
}

Picture SplashIcon() {
  Picture p(32, 32, Key);
  Chip(p, 16, 16, 20, Mix(SoftBlue, White, 0.55), White, DeepBlue, 2);
  // Chip() antialiases against the key colour; snap what is mostly key back to it.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      Rgb c = p.At(x, y);
      if (c.R > 200 && c.B > 200 && c.G < 120) p.Set(x, y, Key);
    }
  p.Set(0, 31, Key);
  return p;
}

Picture Credits1() {
  Picture p(204, 45, White);
  p.RoundRect(0, 0, 204, 45, 8, [](int, int y) { return Mix(Mist, White, y / 44.0); });
  p.RoundOutline(0, 0, 204, 45, 8, SoftBlue);
  Chip(p, 24.5, 22.5, 20, Mix(SoftBlue, White, 0.3), SoftBlue, DeepBlue, 2);
  DrawText(p, 48, 8, "Quorvel", Blue, 2, true);
  DrawText(p, 49, 29, "made with care, in blue", SoftBlue);
  return p;
}

Picture Credits2() {
  Picture p(178, 84, White);
  // A desk scene: monitor, tower and a cup of tea.
  p.VGradient(0, 0, 178, 84, White, Mist);
  p.Fill(0, 70, 178, 72, Mix(SoftBlue, White, 0.4));
  p.RoundRect(20, 10, 100, 60, 4, [](int, int) { return SoftBlue; });
  p.RoundOutline(20, 10, 100, 60, 4, Blue);
  p.RoundRect(25, 15, 95, 55, 2, [](int, int y) { return Mix(Mix(Blue, White, 0.2), DeepBlue, (y - 15) / 40.0); });
  DrawText(p, 31, 20, "CPU  OK", White);
  DrawText(p, 31, 31, "RAM  OK", White);
  DrawText(p, 31, 42, "DISK OK", Mix(White, SoftBlue, 0.3));
  p.Fill(54, 60, 66, 66, Mix(SoftBlue, Blue, 0.3));
  p.RoundRect(42, 66, 78, 70, 2, [](int, int) { return Mix(SoftBlue, Blue, 0.5); });
  p.RoundRect(112, 14, 142, 70, 3,
              [](int, int y) { return Mix(Mix(SoftBlue, White, 0.5), SoftBlue, (y - 14) / 56.0); });
  p.RoundOutline(112, 14, 142, 70, 3, Blue);
  for (int i = 0; i < 3; ++i) p.Fill(117, 22 + i * 7, 137, 24 + i * 7, Mix(Blue, White, 0.3));
  p.Disc(127, 58, 3, Mix(Blue, White, 0.1));
  p.RoundRect(150, 54, 164, 70, 3, [](int, int) { return White; });
  p.RoundOutline(150, 54, 164, 70, 3, SoftBlue);
  p.Frame(163, 58, 168, 65, SoftBlue);
  for (int i = 0; i < 3; ++i) p.Blend(154 + i * 3, 47 - i, SoftBlue, 0.6);
  return p;
}

Picture BarTexture() {
  // 500 x 142: a light beige-olive, softly striped like woven linen; only its top-left corner shows.
  const Rgb Beige{238, 234, 212};
  const Rgb Olive{178, 174, 120};
  Picture p(500, 142, White);
  Lcg rng{20260101};
  for (int y = 0; y < 142; ++y)
    for (int x = 0; x < 500; ++x) {
      double stripe = 0.5 + 0.5 * std::sin((x + y) * 0.35);
      double band = y < 8 ? 0.45 - y * 0.04 : 0.0;
      Rgb base = Mix(Mix(Olive, Beige, 0.45), Mix(Olive, Beige, 0.7), stripe * 0.6);
      base = Mix(base, White, band + 0.04 * rng.Next());
      p.Set(x, y, base);
    }
  return p;
}

Picture HintWallpaper() {
  // 1024 x 124: white into a pale blue with faint diagonal lines.
  Picture p(1024, 124, White);
  for (int y = 0; y < 124; ++y)
    for (int x = 0; x < 1024; ++x) {
      Rgb c = Mix(White, Mix(Mist, SoftBlue, 0.12), y / 123.0);
      if ((x + y) % 9 == 0) c = Mix(c, SoftBlue, 0.07);
      p.Set(x, y, c);
    }
  return p;
}

// ---- cursors and the icon

// A 32 x 32 monochrome cursor from rows of 'X' (black), 'o' (white), '.' (transparent).
std::vector<uint8_t> CursorFile(const std::vector<std::string>& art, int hotX, int hotY) {
  std::vector<uint8_t> xorBits(32 * 4, 0), andBits(32 * 4, 0xFF);
  for (int y = 0; y < 32 && y < int(art.size()); ++y)
    for (int x = 0; x < 32 && x < int(art[y].size()); ++x) {
      char c = art[y][x];
      if (c == '.') continue;
      int row = 31 - y; // bottom-up
      andBits[row * 4 + x / 8] &= static_cast<uint8_t>(~(0x80 >> (x % 8)));
      if (c == 'o') xorBits[row * 4 + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  std::vector<uint8_t> out;
  auto put16 = [&](uint32_t v) { out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
  const uint32_t dibSize = 40 + 8 + 128 + 128;
  put16(0), put16(2), put16(1); // cursor directory, one image
  out.push_back(32), out.push_back(32), out.push_back(2), out.push_back(0);
  put16(uint32_t(hotX)), put16(uint32_t(hotY));
  put32(dibSize), put32(22);
  put32(40), put32(32), put32(64), put16(1), put16(1), put32(0), put32(256), put32(0), put32(0), put32(2), put32(0);
  put32(0x00000000), put32(0x00FFFFFF); // black, white
  out.insert(out.end(), xorBits.begin(), xorBits.end());
  out.insert(out.end(), andBits.begin(), andBits.end());
  return out;
}

const std::vector<std::string> HandArt = {
    "......XX........",  ".....XooX.......", ".....XooX.......",  ".....XooX.......",  ".....XooX.......",
    ".....XooXXX.....",  ".....XooXooXXX..", ".....XooXooXooXX",  "..XX.XooXooXooXoX", ".XooXXooooooooXoX",
    ".XoooXooooooooooX", "..XooXoooooooooX", "...XooooooooooooX", "...XoooooooooooX",  "....XooooooooooX",
    "....XoooooooooX.",  ".....XooooooooX.", ".....XooooooooX.",  ".....XXXXXXXXXX.",
};

const std::vector<std::string> SmallHandArt = {
    ".....XX.....",  "....XooX....", "....XooX....", "....XooXXX..", "....XooXooXX", "..X.XooooooX",
    ".XoXXoooooooX", ".XoooooooooX", "..XooooooooX", "...XoooooooX", "....XooooooX", "....XXXXXXXX",
};

const std::vector<std::string> GrabArt = {
    "................", "................",  "................", "................",  "......XX.XX.XX..",
    ".....XooXooXooXX", ".....XooooooooXoX", "...XXXoooooooooX", "..XooXooooooooooX", "..XoooooooooooooX",
    "...XoooooooooooX", "...XoooooooooooX",  "....XooooooooooX", "....XoooooooooX.",  ".....XooooooooX.",
    ".....XooooooooX.", ".....XXXXXXXXXX.",
};

std::vector<std::string> WithArrow(std::vector<std::string> art) {
  const std::vector<std::string> arrow = {"X......", "XX.....", "XoX....", "XooX...", "XoooX..", "XooooX.", "XXXXXXX"};
  art.resize(32);
  for (auto& row : art) row.resize(32, '.');
  for (size_t y = 0; y < arrow.size(); ++y)
    for (size_t x = 0; x < arrow[y].size(); ++x)
      if (arrow[y][x] != '.') art[20 + y][18 + x] = arrow[y][x];
  return art;
}

std::vector<std::string> WithMoveMarks(std::vector<std::string> art) {
  art.resize(32);
  for (auto& row : art) row.resize(32, '.');
  for (int i = 0; i < 9; ++i) art[24][18 + i] = 'X', art[20 + i][22] = 'X';
  return art;
}

// One icon image with real transparency: the same drawing over black and over white tells each
// pixel's coverage (what shows through) and its own colour.
struct IconPixel {
  Rgb C;
  uint8_t A;
};
using IconArt = std::vector<IconPixel>;

Picture IconDrawing(int size, Rgb under) {
  Picture p(size, size, under);
  p.RoundRect(0, 0, size, size, size / 5.0,
              [&](int, int y) { return Mix(Mix(Blue, White, 0.25), DeepBlue, y / double(size)); });
  Chip(p, size / 2.0, size / 2.0, size / 2, Mix(SoftBlue, White, 0.55), White, DeepBlue, size >= 48 ? 2 : 1);
  return p;
}

IconArt IconImage(int size) {
  Picture black = IconDrawing(size, Black), white = IconDrawing(size, White);
  IconArt art;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      Rgb b = black.At(x, y), w = white.At(x, y);
      // Over black a pixel is colour * a, over white colour * a + 255 * (1 - a).
      int seen = (int(w.R) - b.R + int(w.G) - b.G + int(w.B) - b.B + 1) / 3;
      int a = std::clamp(255 - seen, 0, 255);
      auto un = [a](uint8_t v) { return a == 0 ? uint8_t(0) : uint8_t(std::min(255, (v * 255 + a / 2) / a)); };
      art.push_back({a == 0 ? Black : Rgb{un(b.R), un(b.G), un(b.B)}, uint8_t(a)});
    }
  return art;
}

// 256 colours by median cut over the image's opaque pixels; index 0 stays black for the
// transparent ones (the mask lets the screen through and black leaves it unchanged).
std::vector<Rgb> IconPalette(const IconArt& art) {
  std::vector<std::vector<Rgb>> boxes(1);
  for (const IconPixel& p : art)
    if (p.A >= 128) boxes[0].push_back(p.C);
  auto channel = [](Rgb c, int k) { return k == 0 ? c.R : k == 1 ? c.G : c.B; };
  auto widest = [&](const std::vector<Rgb>& box, int& which) {
    int best = -1;
    for (int k = 0; k < 3; ++k) {
      int lo = 255, hi = 0;
      for (Rgb c : box) lo = std::min<int>(lo, channel(c, k)), hi = std::max<int>(hi, channel(c, k));
      if (hi - lo > best) best = hi - lo, which = k;
    }
    return best;
  };
  while (boxes.size() < 255) {
    size_t pick = boxes.size();
    int pickRange = 0, pickChannel = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      int k = 0, range = boxes[i].size() > 1 ? widest(boxes[i], k) : 0;
      if (range > pickRange) pick = i, pickRange = range, pickChannel = k;
    }
    if (pick == boxes.size()) break; // every box holds one colour
    auto& box = boxes[pick];
    std::stable_sort(box.begin(), box.end(),
                     [&](Rgb a, Rgb b) { return channel(a, pickChannel) < channel(b, pickChannel); });
    std::vector<Rgb> upper(box.begin() + box.size() / 2, box.end());
    box.resize(box.size() / 2);
    boxes.push_back(upper);
  }
  std::vector<Rgb> palette{Black};
  for (const auto& box : boxes) {
    if (box.empty()) continue;
    long r = 0, g = 0, b = 0, n = long(box.size());
    for (Rgb c : box) r += c.R, g += c.G, b += c.B;
    palette.push_back({uint8_t((r + n / 2) / n), uint8_t((g + n / 2) / n), uint8_t((b + n / 2) / n)});
  }
  palette.resize(256, Black);
  return palette;
}

uint8_t NearestIndex(const std::vector<Rgb>& palette, Rgb c) {
  int best = 1 << 30;
  uint8_t at = 1;
  for (size_t i = 1; i < palette.size(); ++i) {
    int dr = c.R - palette[i].R, dg = c.G - palette[i].G, db = c.B - palette[i].B;
    int d = dr * dr + dg * dg + db * db;
    if (d < best) best = d, at = uint8_t(i);
  }
  return at;
}

// The image as an icon resource: bitmap header, palette (8 bits), colours bottom-up, then the
// AND mask, which systems without alpha use instead (a pixel at least half covered is opaque).
std::vector<uint8_t> IconDib(const IconArt& art, int size, int bits) {
  std::vector<uint8_t> d;
  auto put16 = [&](uint32_t v) { d.push_back(uint8_t(v)), d.push_back(uint8_t(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
  int row = ((size * bits + 31) / 32) * 4, maskRow = ((size + 31) / 32) * 4;
  put32(40), put32(uint32_t(size)), put32(uint32_t(size * 2)), put16(1), put16(uint32_t(bits)), put32(0),
      put32(uint32_t(row * size + maskRow * size)), put32(0), put32(0), put32(bits == 8 ? 256 : 0), put32(0);
  std::vector<Rgb> palette;
  if (bits == 8) {
    palette = IconPalette(art);
    for (Rgb c : palette) d.push_back(c.B), d.push_back(c.G), d.push_back(c.R), d.push_back(0);
  }
  for (int y = size - 1; y >= 0; --y) {
    size_t start = d.size();
    for (int x = 0; x < size; ++x) {
      const IconPixel& p = art[size_t(y) * size + x];
      if (bits == 32)
        d.push_back(p.C.B), d.push_back(p.C.G), d.push_back(p.C.R), d.push_back(p.A);
      else
        d.push_back(p.A >= 128 ? NearestIndex(palette, p.C) : 0);
    }
    d.resize(start + size_t(row), 0);
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> maskBits(size_t(maskRow), 0);
    for (int x = 0; x < size; ++x)
      if (art[size_t(y) * size + x].A < 128) maskBits[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    d.insert(d.end(), maskBits.begin(), maskBits.end());
  }
  return d;
}

// The program's icon: 48, 32 and 16 pixels, each in 32-bit colour with alpha (XP on) and in 256
// colours (the older systems and 8-bit displays).
std::vector<uint8_t> IconFile() {
  struct Entry {
    int Size, Bits;
    std::vector<uint8_t> Dib;
  };
  std::vector<Entry> entries;
  for (int bits : {32, 8})
    for (int size : {48, 32, 16}) entries.push_back({size, bits, IconDib(IconImage(size), size, bits)});
  std::vector<uint8_t> out;
  auto put16 = [&](uint32_t v) { out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
  put16(0), put16(1), put16(uint32_t(entries.size()));
  uint32_t offset = 6 + 16 * uint32_t(entries.size());
  for (const Entry& e : entries) {
    out.push_back(uint8_t(e.Size)), out.push_back(uint8_t(e.Size)), out.push_back(0), out.push_back(0);
    put16(1), put16(uint32_t(e.Bits)), put32(uint32_t(e.Dib.size())), put32(offset);
    offset += uint32_t(e.Dib.size());
  }
  for (const Entry& e : entries) out.insert(out.end(), e.Dib.begin(), e.Dib.end());
  return out;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvel-artwork FOLDER\n");
    return 2;
  }
  std::string dir = argv[1];
  std::string mk = "mkdir -p '" + dir + "'";
  if (std::system(mk.c_str()) != 0) return 1;
  bool ok = true;
  auto save = [&](const Picture& p, const std::string& name) { ok = p.SaveBmp(dir + "/" + name) && ok; };
  auto write = [&](const std::vector<uint8_t>& bytes, const std::string& name) {
    ok = Picture::Write(dir + "/" + name, bytes) && ok;
  };

  Picture skin = Skin();
  save(skin, "skin.bmp");
  const char* faceNames[5] = {"up", "over", "down", "disabled", "current"};
  // Every face is 71 x 22; the window makes Info, Print and Help 23 high until a face is shown.
  struct Button {
    const char* File;
    const char* Caption;
    int Top;
  } buttons[] = {{"info", "Info", 32}, {"print", "Print", 64}, {"export", "Export", 96}, {"help", "Help", 128}};
  for (const auto& b : buttons)
    for (bool cue : {false, true}) {
      auto faces = ButtonFaces(skin, 24, b.Top, b.Caption, 22, cue);
      for (int i = 0; i < 5; ++i)
        save(faces[i], std::string(b.File) + "_" + faceNames[i] + (cue ? "_cue" : "") + ".bmp");
    }
  auto close = CloseFaces(skin);
  for (int i = 0; i < 5; ++i) save(close[i], std::string("close_") + faceNames[i] + ".bmp");

  save(Logo(), "logo.bmp");
  save(Splash(), "splash.bmp");
  save(SplashBar(), "splashbar.bmp");
  save(SplashIcon(), "splashicon.bmp");
  save(Credits1(), "credits1.bmp");
  save(Credits2(), "credits2.bmp");
  save(BarTexture(), "bartexture.bmp");
  save(HintWallpaper(), "hintwall.bmp");

  write(CursorFile(HandArt, 6, 0), "handpoint.cur");
  write(CursorFile(SmallHandArt, 5, 0), "smallhandpoint.cur");
  write(CursorFile(GrabArt, 8, 6), "grabhand.cur");
  write(CursorFile(WithArrow(GrabArt), 8, 6), "grabhandarrow.cur");
  write(CursorFile(WithMoveMarks(HandArt), 6, 0), "draghand.cur");
  write(IconFile(), "quorvel.ico");
  return ok ? 0 : 1;
}
