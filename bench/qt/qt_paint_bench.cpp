// What a paint costs on Qt: the main window's two canvases, their shapes as a frame in the second
// revolution leaves them, painted antialiased into offscreen images of the canvases' sizes. The
// shapes are the program's own, built by the main window on the headless platform. The graph
// canvas holds both polylines whole (N + 1 segments each), so its cost grows with N; the goal is at
// most 1 ms for both canvases at N = 300 and 10 ms at N = 100000.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include <QImage>
#include <QPainter>

#include "framework/controls.hpp"
#include "framework/object2d.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "headless_program.hpp"

namespace {

using framework::CurveShape;
using framework::Group2D;

// The program in the second revolution at `frames` per revolution.
void EnterSecondRevolution(HeadlessProgram& program, std::int64_t frames) {
  program.EnterSecondRevolution(std::to_string(frames).c_str());
}

QImage CanvasImage(const framework::Canvas& canvas) {
  return QImage(canvas.Width(), canvas.Height(), QImage::Format_ARGB32_Premultiplied);
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

void PaintRepeatedly(benchmark::State& state, const Group2D& shapes, QImage image) {
  for (auto _ : state) {
    Paint(image, shapes);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_PaintBothCanvases(benchmark::State& state) {
  HeadlessProgram program;
  EnterSecondRevolution(program, state.range(0));
  MainWindow& window = program.Window();
  QImage orbit_image = CanvasImage(window.cOrbit());
  QImage graph_image = CanvasImage(window.cPath());
  for (auto _ : state) {
    Paint(orbit_image, *window.wGroup);
    Paint(graph_image, *window.wGroupGraph);
    benchmark::DoNotOptimize(graph_image.constBits());
  }
}
BENCHMARK(BM_PaintBothCanvases)->Arg(300)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintOrbitCanvas(benchmark::State& state) {
  HeadlessProgram program;
  EnterSecondRevolution(program, 300);
  PaintRepeatedly(state, *program.Window().wGroup, CanvasImage(program.Window().cOrbit()));
}
BENCHMARK(BM_PaintOrbitCanvas)->Unit(benchmark::kMillisecond);

void BM_PaintGraphCanvas(benchmark::State& state) {
  HeadlessProgram program;
  EnterSecondRevolution(program, state.range(0));
  PaintRepeatedly(state, *program.Window().wGroupGraph, CanvasImage(program.Window().cPath()));
}
BENCHMARK(BM_PaintGraphCanvas)->Arg(300)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same graph with iteration counts from 1 to 12 that jump every frame: the most a count
// polyline can paint.
void BM_PaintGraphCanvasJumpingCounts(benchmark::State& state) {
  HeadlessProgram program;
  EnterSecondRevolution(program, state.range(0));
  MainWindow& window = program.Window();
  const double height = window.cPath().Height();
  std::uint32_t random = 12345;
  double previous = height;
  for (std::int32_t k = 0; k < window.wPath2->Count(); ++k) {
    random = random * 1103515245u + 12345u;
    auto segment = std::static_pointer_cast<CurveShape>(window.wPath2->Item(k));
    segment->Y = previous;
    segment->Y2 = height - static_cast<double>(1 + (random >> 16) % 12);
    previous = segment->Y2;
  }
  PaintRepeatedly(state, *window.wGroupGraph, CanvasImage(window.cPath()));
}
BENCHMARK(BM_PaintGraphCanvasJumpingCounts)->Arg(300)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
