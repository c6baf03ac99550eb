// Writes the program icon: a ruler laid over a grid of pixels.
//
//   make_icon <output.ico>
//
// The committed quendrel.ico is this program's output, and the native build
// checks that it still is. All drawing is done in integers, so the bytes do
// not depend on the compiler, its flags or the host's floating point.
//
// Each size has its own layout, placed on whole pixels, because a scaled-down
// 48x48 turns to mush at 16x16. Edges are anti-aliased by supersampling.

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Geometry is in 1/8 pixel; samples sit at the centres of a 4x4 grid inside
// each pixel, at odd positions of a 1/8 pixel lattice.
constexpr int kSub = 8;
constexpr int kSamplesPerAxis = 4;
constexpr int kSamples = kSamplesPerAxis * kSamplesPerAxis;

constexpr int px(int pixels) { return pixels * kSub; }

struct Rgb {
  int r, g, b;
};

// Premultiplied colour, each channel 0..255.
struct Pixel {
  int r = 0, g = 0, b = 0, a = 0;
};

// Full weight: opacity 255 times every sample covered.
constexpr int kFull = 255 * kSamples;

class Canvas {
 public:
  explicit Canvas(int size) : size_(size), pixels_(size * size) {}

  int size() const { return size_; }

  // Paints colour c, at opacity alpha (0..255), over every pixel by the
  // fraction of its samples that `inside` accepts.
  template <class Inside>
  void fill(Rgb c, int alpha, Inside inside) {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        int hits = 0;
        for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
          for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
            const int qx = x * kSub + sx * 2 + 1;
            const int qy = y * kSub + sy * 2 + 1;
            if (inside(qx, qy)) ++hits;
          }
        }
        if (hits != 0) blend(pixels_[y * size_ + x], c, alpha * hits);
      }
    }
  }

  const Pixel& at(int x, int y) const { return pixels_[y * size_ + x]; }

 private:
  // Source-over with a source coverage of weight / (255 * kSamples).
  static void blend(Pixel& d, Rgb c, int weight) {
    const int keep = kFull - weight;
    d.r = (c.r * weight + d.r * keep + kFull / 2) / kFull;
    d.g = (c.g * weight + d.g * keep + kFull / 2) / kFull;
    d.b = (c.b * weight + d.b * keep + kFull / 2) / kFull;
    d.a = (255 * weight + d.a * keep + kFull / 2) / kFull;
  }

  int size_;
  std::vector<Pixel> pixels_;
};

// Axis-aligned rectangle [x0, x1) x [y0, y1), corners rounded by radius r;
// all in 1/8 pixel.
struct RoundRect {
  int x0, y0, x1, y1, r;

  bool operator()(int x, int y) const {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const int cx = x < x0 + r ? x0 + r : (x >= x1 - r ? x1 - r : x);
    const int cy = y < y0 + r ? y0 + r : (y >= y1 - r ? y1 - r : y);
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= r * r;
  }
};

RoundRect rect(int x0, int y0, int x1, int y1) {
  return {px(x0), px(y0), px(x1), px(y1), 0};
}

RoundRect inset(RoundRect r, int by) {
  return {r.x0 + by, r.y0 + by, r.x1 - by, r.y1 - by, r.r > by ? r.r - by : 0};
}

// The layout of one size, in whole pixels unless noted.
struct Layout {
  int size;
  // The picture: a framed grid of square pixels.
  int grid_x, grid_y;   // top left of the frame
  int cell;             // inner width of one grid pixel
  int cols, rows;
  int frame_radius;     // in 1/8 pixel
  // The ruler, across the lower part.
  int ruler_x0, ruler_y0, ruler_x1, ruler_y1;
  int ruler_radius;     // in 1/8 pixel
  int tick_origin, tick_step;
  int tick_long_every;  // every n-th tick is long
  int tick_short, tick_long;
  int shadow;           // how far the ruler's shadow falls, 0 for none
};

const Rgb kFrame{28, 64, 122};
const Rgb kGridLine{226, 236, 248};
const Rgb kCellLight{128, 188, 244};
const Rgb kCellDark{36, 96, 186};
const Rgb kRulerEdge{120, 84, 16};
const Rgb kRulerTop{255, 226, 120};
const Rgb kRulerBottom{238, 180, 40};
const Rgb kTick{58, 40, 8};
const Rgb kShadow{0, 0, 0};

// a + (b - a) * t / 256, rounded.
Rgb mix(Rgb a, Rgb b, int t) {
  const auto one = [t](int u, int v) {
    return u + ((v - u) * t + (v >= u ? 128 : -128)) / 256;
  };
  return {one(a.r, b.r), one(a.g, b.g), one(a.b, b.b)};
}

Canvas draw(const Layout& l) {
  Canvas c(l.size);
  const int pitch = l.cell + 1;

  // Frame and grid: one rounded block in the frame colour, then the grid
  // lines, then the cells, each inset by a pixel.
  const RoundRect frame{px(l.grid_x), px(l.grid_y),
                        px(l.grid_x + l.cols * pitch + 1),
                        px(l.grid_y + l.rows * pitch + 1), l.frame_radius};
  c.fill(kFrame, 255, frame);
  c.fill(kGridLine, 255, inset(frame, px(1)));
  for (int row = 0; row < l.rows; ++row) {
    for (int col = 0; col < l.cols; ++col) {
      const int x = l.grid_x + 1 + col * pitch;
      const int y = l.grid_y + 1 + row * pitch;
      // Shades run from light at the top left to deep at the bottom right,
      // alternating a little so that neighbours stay apart: a picture, not a
      // chessboard.
      const int steps = l.cols + l.rows - 2;
      const int t =
          (col + row) * 256 / steps + ((row + col) % 2 == 0 ? -20 : 20);
      c.fill(mix(kCellLight, kCellDark, t < 0 ? 0 : (t > 256 ? 256 : t)), 255,
             rect(x, y, x + l.cell, y + l.cell));
    }
  }

  const RoundRect ruler{px(l.ruler_x0), px(l.ruler_y0), px(l.ruler_x1),
                        px(l.ruler_y1), l.ruler_radius};
  // A soft shadow below the ruler: faint copies, each reaching half a pixel
  // further down, add up to a falloff.
  for (int i = 1; i <= l.shadow * 2; ++i) {
    RoundRect s = ruler;
    s.y0 += px(1);
    s.y1 += i * kSub / 2;
    c.fill(kShadow, 40, s);
  }
  c.fill(kRulerEdge, 255, ruler);
  const RoundRect body = inset(ruler, px(1));
  // Lit from above, so it reads as a solid strip lying on the picture.
  for (int y = l.ruler_y0 + 1; y < l.ruler_y1 - 1; ++y) {
    RoundRect row = body;
    row.y0 = px(y) > body.y0 ? px(y) : body.y0;
    row.y1 = px(y + 1) < body.y1 ? px(y + 1) : body.y1;
    const int t = (y - l.ruler_y0 - 1) * 256 / (l.ruler_y1 - l.ruler_y0 - 3);
    c.fill(mix(kRulerTop, kRulerBottom, t), 255, [&](int qx, int qy) {
      return row(qx, qy) && body(qx, qy);
    });
  }

  // Ticks hang from the top edge; the pattern starts at tick_origin, which
  // may lie on the ruler's edge, where no tick is drawn.
  for (int x = l.tick_origin, n = 0; x < l.ruler_x1 - 2;
       x += l.tick_step, ++n) {
    if (x < l.ruler_x0 + 2) continue;
    const int len = n % l.tick_long_every == 0 ? l.tick_long : l.tick_short;
    c.fill(kTick, 255, rect(x, l.ruler_y0 + 1, x + 1, l.ruler_y0 + 1 + len));
  }
  return c;
}

const Layout kLayouts[] = {
    // 48x48: 5x5 cells of 8 pixels; ticks every 3 pixels, the long ones on
    // the grid lines, so the ruler visibly measures the pixels.
    {48, 1, 1, 8, 5, 5, px(2), 0, 25, 48, 40, px(2), 1, 3, 3, 4, 7, 2},
    // 32x32: 5x5 cells of 5, one pixel short of the right edge.
    {32, 0, 0, 5, 5, 5, px(1) + 4, 0, 16, 32, 27, px(1) + 4, 0, 2, 3, 2, 5, 1},
    // 16x16: 3x3 cells of 4; a tick every 2 pixels, long every 4.
    {16, 0, 0, 4, 3, 3, px(1), 0, 7, 16, 13, px(1), 0, 2, 2, 1, 3, 1},
};

void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, unsigned long v) {
  put16(out, static_cast<unsigned>(v & 0xFFFF));
  put16(out, static_cast<unsigned>((v >> 16) & 0xFFFF));
}

// One icon image: BITMAPINFOHEADER (height doubled for the mask), the BGRA
// pixels bottom-up with straight alpha, then the 1-bit AND mask, rows padded
// to 32 bits, set where the pixel is fully transparent.
std::vector<std::uint8_t> dib(const Canvas& c) {
  const int n = c.size();
  const int mask_row = (n + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  put32(out, 40);
  put32(out, static_cast<unsigned long>(n));
  put32(out, static_cast<unsigned long>(n * 2));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // BI_RGB
  put32(out, static_cast<unsigned long>(n * n * 4 + mask_row * n));
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const Pixel& p = c.at(x, y);
      // Back from premultiplied; fully transparent pixels are all zero.
      const auto un = [&](int v) {
        return static_cast<std::uint8_t>(p.a == 0 ? 0
                                                  : (v * 255 + p.a / 2) / p.a);
      };
      out.push_back(un(p.b));
      out.push_back(un(p.g));
      out.push_back(un(p.r));
      out.push_back(static_cast<std::uint8_t>(p.a));
    }
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(mask_row, 0);
    for (int x = 0; x < n; ++x) {
      if (c.at(x, y).a == 0) {
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon <output.ico>\n");
    return 2;
  }
  std::vector<std::vector<std::uint8_t>> images;
  for (const Layout& l : kLayouts) images.push_back(dib(draw(l)));

  const unsigned count = static_cast<unsigned>(images.size());
  std::vector<std::uint8_t> ico;
  put16(ico, 0);
  put16(ico, 1);  // icon, not cursor
  put16(ico, count);
  unsigned long offset = 6 + 16 * count;
  for (unsigned i = 0; i < count; ++i) {
    const int n = kLayouts[i].size;
    ico.push_back(static_cast<std::uint8_t>(n));
    ico.push_back(static_cast<std::uint8_t>(n));
    ico.push_back(0);  // no palette
    ico.push_back(0);
    put16(ico, 1);   // planes
    put16(ico, 32);  // bits per pixel
    put32(ico, static_cast<unsigned long>(images[i].size()));
    put32(ico, offset);
    offset += static_cast<unsigned long>(images[i].size());
  }
  for (const auto& image : images) {
    ico.insert(ico.end(), image.begin(), image.end());
  }

  std::FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool ok = std::fwrite(ico.data(), 1, ico.size(), f) == ico.size();
  if (std::fclose(f) != 0 || !ok) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
