// Draws Quorvel's artwork as 24-bit BMP files, the same bytes on every run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t R, G, B;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  auto ch = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (y - x) * t + 0.5); };
  return {ch(a.R, b.R), ch(a.G, b.G), ch(a.B, b.B)};
}

const Rgb White{255, 255, 255};
const Rgb Blue{0, 85, 234};
const Rgb SoftBlue{123, 153, 225};
const Rgb Mist{232, 236, 248};

class Picture {
public:
  Picture(int w, int h, Rgb fill) : W(w), H(h), Px(static_cast<size_t>(w) * h, fill) {}
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < W && y < H) Px[static_cast<size_t>(y) * W + x] = c;
  }
  void Fill(int l, int t, int r, int b, Rgb c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Set(x, y, c);
  }
  void VGradient(int l, int t, int r, int b, Rgb top, Rgb bottom) {
    for (int y = t; y < b; ++y) Fill(l, y, r, y + 1, Mix(top, bottom, b - t > 1 ? double(y - t) / (b - t - 1) : 0));
  }
  void Frame(int l, int t, int r, int b, Rgb c) {
    Fill(l, t, r, t + 1, c);
    Fill(l, b - 1, r, b, c);
    Fill(l, t, l + 1, b, c);
    Fill(r - 1, t, r, b, c);
  }
  bool Save(const std::string& path) const {
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
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
  }
  int W, H;

private:
  std::vector<Rgb> Px;
};

Picture Skin() {
  Picture p(582, 344, White);
  p.VGradient(0, 0, 582, 21, Blue, Mix(Blue, SoftBlue, 0.6));
  p.VGradient(0, 21, 112, 344, Mist, White);
  p.Fill(112, 21, 113, 344, Mix(SoftBlue, White, 0.5));
  p.Frame(0, 0, 582, 344, Blue);
  return p;
}

Picture Splash() {
  Picture p(300, 123, White);
  p.VGradient(0, 0, 300, 123, Blue, SoftBlue);
  p.Frame(0, 0, 300, 123, Mix(Blue, Rgb{0, 0, 0}, 0.3));
  return p;
}

Picture SplashBar() {
  Picture p(251, 23, White);
  p.VGradient(0, 0, 251, 23, White, Mist);
  p.Frame(0, 0, 251, 23, Mix(Blue, White, 0.3));
  return p;
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
  bool ok = Skin().Save(dir + "/skin.bmp") && Splash().Save(dir + "/splash.bmp") &&
            SplashBar().Save(dir + "/splashbar.bmp");
  return ok ? 0 : 1;
}
