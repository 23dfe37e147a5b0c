// What a paint costs on Qt: the main window's two canvases, their shapes as a frame in the second
// revolution leaves them, painted antialiased into offscreen images of the canvases' sizes. The
// graph canvas holds both polylines whole (N + 1 segments each), so its cost grows with N; the
// goal is at most 1 ms for both canvases at N = 300 and 10 ms at N = 100000.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>
#include <QPainter>

#include "framework/colour.hpp"
#include "framework/object2d.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "orbit_math/keplar_module.hpp"
#include "orbit_math/meridional_distance.hpp"

namespace {

using framework::Colour;
using framework::CurveShape;
using framework::Group2D;
using framework::OvalShape;

constexpr int kOrbitWidth = 396;
constexpr int kOrbitHeight = 356;
constexpr int kGraphWidth = 241;
constexpr int kGraphHeight = 356;
constexpr double kEccentricity = 0.866;
constexpr std::int32_t kDecimals = 6;

std::shared_ptr<CurveShape> Line(double x, double y, double x2, double y2, Colour colour = {}, double border = 100) {
  auto line = std::make_shared<CurveShape>();
  line->X = x;
  line->Y = y;
  line->X2 = x2;
  line->Y2 = y2;
  line->Fill = 0;
  line->Border = border;
  line->BorderColor = colour;
  return line;
}

std::shared_ptr<OvalShape> Oval(double x, double y, double width, double height, double fill, Colour colour = {}) {
  auto oval = std::make_shared<OvalShape>();
  oval->X = x;
  oval->Y = y;
  oval->Width = width;
  oval->Height = height;
  oval->Fill = fill;
  oval->BorderColor = colour;
  oval->FillColor = colour;
  return oval;
}

// The orbit canvas at frame 0 of the opening window (e = 0.866, the circle drawn).
std::shared_ptr<Group2D> OrbitCanvas() {
  const Colour mid_grey = Colour::FromRgb(0x7F7F7F);
  const Colour light_grey = Colour::FromRgb(0xBDBDBD);
  auto group = std::make_shared<Group2D>();
  group->Append(Line(0, 178, kOrbitWidth, 178, light_grey));
  group->Append(Line(198, 0, 198, kOrbitHeight, light_grey));
  group->Append(Oval(198, 178, 336, 336, 0, mid_grey));
  group->Append(Oval(366, 178, 5, 5, 100, mid_grey));
  group->Append(Line(198, 178, 366, 178, mid_grey));
  group->Append(Oval(198, 178, 336, 168.01478334956127, 0));
  group->Append(Line(348, 178, 338, 178));
  group->Append(Line(343, 183, 343, 173, Colour{}, 50));
  group->Append(Oval(366, 178, 5, 5, 100));
  group->Append(Line(343, 178, 366, 178));
  return group;
}

// The graph canvas after a whole revolution of `frames` frames: the arc length and the Newton
// rounds of every frame, each polyline one segment per frame from frame 0 (left of the canvas).
std::shared_ptr<Group2D> GraphCanvas(std::int32_t frames) {
  const double n = static_cast<double>(frames);
  const double heikin = ((1.0 / n) * 2.0) * 3.141592653589793;
  const double scale_time = kGraphWidth / n;
  const double perimeter = MeridionalDistance::MeridionalDistance(6.283185307179586, 1.0, kEccentricity, 3);
  const double scale_value = kGraphHeight / perimeter;
  auto arc = std::make_shared<Group2D>();
  auto counts = std::make_shared<Group2D>();
  double previous_length = 0.0;
  std::int32_t previous_count = 0;
  for (std::int32_t k = 0; k <= frames; ++k) {
    const double now = static_cast<double>(k);
    std::int32_t count = 0;
    const double l = heikin * now;
    const double u = KeplarModule::KeplarLoopCount(kEccentricity, l, l, kDecimals, count);
    const double phi = k == frames ? 6.283185307179586 : MeridionalDistance::ReducedToGeographicLatitude(u, kEccentricity);
    const double length = MeridionalDistance::MeridionalDistance(phi, 1.0, kEccentricity, 3);
    arc->Append(Line((now - 1.0) * scale_time, kGraphHeight - previous_length * scale_value, now * scale_time,
                     kGraphHeight - length * scale_value));
    counts->Append(Line((now - 1.0) * scale_time, kGraphHeight - previous_count, now * scale_time,
                        kGraphHeight - count, Colour::FromRgb(0xBDBDBD)));
    previous_length = length;
    previous_count = count;
  }
  auto group = std::make_shared<Group2D>();
  group->Append(Line(0, kGraphHeight, kGraphWidth, 0, Colour::FromRgb(0x7F7F7F)));
  group->Append(Line(0, kGraphHeight / 2.0, kGraphWidth, kGraphHeight / 2.0, Colour::FromRgb(0xBDBDBD)));
  group->Append(arc);
  group->Append(counts);
  const double cursor = 0.4 * n * scale_time;
  group->Append(Line(cursor, 0, cursor, kGraphHeight));
  return group;
}

// The same graph with iteration counts from 1 to 12 that jump every frame: the most a count
// polyline can paint.
std::shared_ptr<Group2D> GraphCanvasJumpingCounts(std::int32_t frames) {
  auto group = GraphCanvas(frames);
  auto counts = std::static_pointer_cast<Group2D>(group->Item(3));
  std::uint32_t state = 12345;
  double previous = kGraphHeight;
  for (std::int32_t k = 0; k < counts->Count(); ++k) {
    state = state * 1103515245u + 12345u;
    auto segment = std::static_pointer_cast<CurveShape>(counts->Item(k));
    segment->Y = previous;
    segment->Y2 = kGraphHeight - static_cast<double>(1 + (state >> 16) % 12);
    previous = segment->Y2;
  }
  return group;
}

void Paint(QImage& image, const Group2D& shapes) {
  image.fill(Qt::white);
  QPainter painter(&image);
  {
    framework::QtGraphics graphics(painter);
    graphics.DrawObject(shapes);
  }
  painter.end();
}

void BM_PaintBothCanvases(benchmark::State& state) {
  const auto orbit = OrbitCanvas();
  const auto graph = GraphCanvas(static_cast<std::int32_t>(state.range(0)));
  QImage orbit_image(kOrbitWidth, kOrbitHeight, QImage::Format_ARGB32_Premultiplied);
  QImage graph_image(kGraphWidth, kGraphHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Paint(orbit_image, *orbit);
    Paint(graph_image, *graph);
    benchmark::DoNotOptimize(graph_image.constBits());
  }
}
BENCHMARK(BM_PaintBothCanvases)->Arg(300)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintOrbitCanvas(benchmark::State& state) {
  const auto orbit = OrbitCanvas();
  QImage image(kOrbitWidth, kOrbitHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Paint(image, *orbit);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintOrbitCanvas)->Unit(benchmark::kMillisecond);

void BM_PaintGraphCanvas(benchmark::State& state) {
  const auto graph = GraphCanvas(static_cast<std::int32_t>(state.range(0)));
  QImage image(kGraphWidth, kGraphHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Paint(image, *graph);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintGraphCanvas)->Arg(300)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintGraphCanvasJumpingCounts(benchmark::State& state) {
  const auto graph = GraphCanvasJumpingCounts(static_cast<std::int32_t>(state.range(0)));
  QImage image(kGraphWidth, kGraphHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Paint(image, *graph);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintGraphCanvasJumpingCounts)->Arg(300)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
