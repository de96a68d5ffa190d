#include "SkinUI/window/ShadowPixels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace SkinUI {
namespace {

// One span per row, end exclusive; a row without inside pixels is (width, 0).
struct Span {
  int start;
  int end;
};

std::vector<Span> ParentSpans(int width, int height, const ShadowShapeTest& inside) {
  const Span empty{width, 0};
  std::vector<Span> spans(static_cast<size_t>(height), empty);
  for (int y = 0; y < height; ++y) {
    int first = 0;
    while (first < width && !inside(first, y)) ++first;
    if (first == width) continue;
    int last = width - 1;
    while (last > first && !inside(last, y)) --last;
    spans[static_cast<size_t>(y)] = Span{first, last + 1};
  }
  return spans;
}

// Shrinks every span by one column on each side and by one row at every
// vertical edge of the shape; rows 0 and count - 1 stay empty.
std::vector<Span> Erode(const std::vector<Span>& anchors, Span empty) {
  std::vector<Span> eroded(anchors.size(), empty);
  for (size_t j = 1; j + 1 < anchors.size(); ++j) {
    eroded[j].start = std::max({anchors[j - 1].start, anchors[j].start, anchors[j + 1].start}) + 1;
    eroded[j].end = std::min({anchors[j - 1].end, anchors[j].end, anchors[j + 1].end}) - 1;
  }
  return eroded;
}

class ShadowCanvas {
 public:
  ShadowCanvas(uint32_t* pixels, int width, int height) : pixels_(pixels), width_(width), height_(height) {}
  uint32_t& At(int x, int row) { return pixels_[static_cast<size_t>(height_ - 1 - row) * width_ + x]; }
  int Width() const { return width_; }

 private:
  uint32_t* pixels_;
  int width_;
  int height_;
};

class ShadowKernel {
 public:
  ShadowKernel(const ShadowSettings& settings) : radius_(std::max<int>(settings.size, settings.sharpness)) {
    const int solid = std::max(settings.size - settings.sharpness, 0);
    const int side = 2 * radius_ + 1;
    entries_.assign(static_cast<size_t>(side) * side, 0);
    for (int a = 0; a < side; ++a) {
      for (int b = 0; b < side; ++b) {
        const double r = std::sqrt(static_cast<double>((a - radius_) * (a - radius_) + (b - radius_) * (b - radius_)));
        uint32_t entry = 0;
        if (r < solid) {
          entry = PremultipliedShadowPixel(settings.colour, settings.darkness);
        } else if (r <= radius_) {
          const double fade = (1.0 - (r - solid) / (settings.sharpness + 1.0)) * settings.darkness;
          entry = PremultipliedShadowPixel(settings.colour, static_cast<unsigned>(fade));
        }
        entries_[static_cast<size_t>(a) * side + b] = entry;
      }
    }
  }

  int Radius() const { return radius_; }

  void Stamp(ShadowCanvas& canvas, int x, int row) const {
    const int side = 2 * radius_ + 1;
    for (int a = 0; a < side; ++a) {
      for (int b = 0; b < side; ++b) {
        uint32_t& pixel = canvas.At(x - radius_ + b, row - radius_ + a);
        pixel = std::max(pixel, entries_[static_cast<size_t>(a) * side + b]);
      }
    }
  }

 private:
  int radius_;
  std::vector<uint32_t> entries_;
};

}  // namespace

uint32_t PremultipliedShadowPixel(uint32_t colour, unsigned alpha) {
  const uint32_t red = (colour & 0xFF) * alpha / 255;
  const uint32_t green = ((colour >> 8) & 0xFF) * alpha / 255;
  const uint32_t blue = ((colour >> 16) & 0xFF) * alpha / 255;
  return (static_cast<uint32_t>(alpha & 0xFF) << 24) | (red << 16) | (green << 8) | blue;
}

int ShadowBitmapWidth(int parentWidth, const ShadowSettings& settings) { return parentWidth + 2 * settings.size; }

int ShadowBitmapHeight(int parentHeight, const ShadowSettings& settings) {
  return parentHeight + 2 * settings.size;
}

void ComputeShadowPixels(uint32_t* pixels, int parentWidth, int parentHeight, const ShadowSettings& settings,
                         const ShadowShapeTest& inside) {
  const int W = parentWidth;
  const int H = parentHeight;
  const int s = settings.size;
  const int p = settings.sharpness;
  const int ox = settings.xOffset;
  const int oy = settings.yOffset;
  const int SW = ShadowBitmapWidth(W, settings);
  const int SH = ShadowBitmapHeight(H, settings);
  if (W <= 0 || H <= 0 || SW <= 0 || SH <= 0) return;
  const int N = std::max(H, SH);
  const Span empty{W, 0};

  const std::vector<Span> parent = ParentSpans(W, H, inside);

  // Anchor rows: the parent's spans in shadow columns, shifted down by the
  // shadow's size so that negative sizes and the erosion stay in range.
  std::vector<Span> anchors(static_cast<size_t>(N) + 2, empty);
  for (int y = 0; y < H; ++y) {
    const Span& row = parent[static_cast<size_t>(y)];
    anchors[static_cast<size_t>(y + 1 + std::max(s, 0))] =
        row.start < row.end ? Span{row.start + s, row.end + s} : empty;
  }
  for (int step = 0; step < p - s; ++step) anchors = Erode(anchors, empty);
  const int rowShift = 1 + std::max(-s, 0);
  auto shadowRow = [&](int i) -> const Span& { return anchors[static_cast<size_t>(i + rowShift)]; };

  ShadowCanvas canvas(pixels, SW, SH);
  const ShadowKernel kernel(settings);
  const int K = kernel.Radius();

  // Blurred border: the kernel is stamped only where the neighbouring rows
  // differ, so the cost follows the outline rather than the area.
  for (int i = K; i <= SH - K - 1; ++i) {
    const Span& here = shadowRow(i);
    if (here.start >= here.end) continue;
    const Span& above = shadowRow(i - 1);
    const Span& below = shadowRow(i + 1);
    int j = here.start;
    for (; j < std::min(std::max(above.start, below.start) + 1, here.end); ++j) kernel.Stamp(canvas, j, i);
    for (j = std::max(j, std::min(above.end, below.end) - 1); j < here.end; ++j) kernel.Stamp(canvas, j, i);
  }

  // Flat centre value, cut out where the parent itself lies.
  const uint32_t centre = PremultipliedShadowPixel(settings.colour, settings.darkness);
  for (int i = std::min(K, std::max(s - oy, 0)); i < std::max(SH - K, std::min(H + s - oy, SH)); ++i) {
    const Span& span = shadowRow(i);
    const int r = i - s + oy;
    if (r < 0 || r >= H) {
      for (int j = span.start; j < span.end; ++j) canvas.At(j, i) = centre;
      continue;
    }
    const Span& over = parent[static_cast<size_t>(r)];
    const int L = over.start - ox + s;
    const int R = over.end - ox + s;
    for (int j = span.start; j < std::min(L, span.end); ++j) canvas.At(j, i) = centre;
    for (int j = std::max(L, 0); j < std::min(R, SW); ++j) canvas.At(j, i) = 0;
    for (int j = std::max(R, span.start); j < span.end; ++j) canvas.At(j, i) = centre;
  }
}

}  // namespace SkinUI
