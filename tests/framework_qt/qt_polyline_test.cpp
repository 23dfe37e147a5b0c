// Long polylines: a group's run of joined segments reaches the platform whole, and the Qt platform
// paints it in one go, thinned where a pixel column holds more points than it can show, with the
// picture of every segment painted alone.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <QImage>

#include "framework/graphics.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/object2d.hpp"
#include "framework/qt/qt_graphics.hpp"
#include "framework/qt/qt_polyline_thinning.hpp"
#include "qt_test_support.hpp"

namespace {

using framework::Colour;
using framework::CurveShape;
using framework::Group2D;
using framework::Point2D;
using framework::ShapeStyle;

constexpr int kGraphWidth = 241;
constexpr int kGraphHeight = 356;

std::shared_ptr<CurveShape> Segment(double x, double y, double x2, double y2, Colour colour = {}) {
  auto segment = std::make_shared<CurveShape>();
  segment->X = x;
  segment->Y = y;
  segment->X2 = x2;
  segment->Y2 = y2;
  segment->BorderColor = colour;
  return segment;
}

// A graph polyline as the main window builds it: the segment of frame k runs from
// ((k - 1) * scale_time, value k - 1) to (k * scale_time, value k), frame 0 from left of the canvas.
std::shared_ptr<Group2D> Polyline(const std::vector<double>& ys, Colour colour = {}) {
  const double frames = static_cast<double>(ys.size() - 1);
  const double scale_time = kGraphWidth / frames;
  auto group = std::make_shared<Group2D>();
  double previous = kGraphHeight;
  for (std::size_t k = 0; k < ys.size(); ++k) {
    const double frame = static_cast<double>(k);
    group->Append(Segment((frame - 1.0) * scale_time, previous, frame * scale_time, ys[k], colour));
    previous = ys[k];
  }
  return group;
}

// The arc length travelled on an ellipse of eccentricity 0.866 against time, the whole perimeter
// filling the height: smooth, monotone, steep at perihelion and flat at aphelion.
std::vector<double> ArcLengthCurve(int frames) {
  const double e = 0.866;
  std::vector<double> length(static_cast<std::size_t>(frames) + 1, 0.0);
  double x0 = 1.0 - e;
  double y0 = 0.0;
  for (int k = 1; k <= frames; ++k) {
    const double l = 2.0 * M_PI * k / frames;
    double u = l;
    for (int round = 0; round < 60; ++round) {
      const double du = (l - u + e * std::sin(u)) / (1.0 - e * std::cos(u));
      u += du;
      if (std::abs(du) < 1e-13) break;
    }
    const double x = std::cos(u) - e;
    const double y = std::sqrt(1.0 - e * e) * std::sin(u);
    length[k] = length[k - 1] + std::hypot(x - x0, y - y0);
    x0 = x;
    y0 = y;
  }
  std::vector<double> ys;
  for (const double travelled : length) ys.push_back(kGraphHeight - travelled * (kGraphHeight / length.back()));
  return ys;
}

// Iteration counts from 1 to 12 that jump every frame, one pixel per iteration.
std::vector<double> JumpingCounts(int frames) {
  std::vector<double> ys;
  std::uint32_t state = 12345;
  for (int k = 0; k <= frames; ++k) {
    state = state * 1103515245u + 12345u;
    ys.push_back(kGraphHeight - static_cast<int>(1 + (state >> 16) % 12));
  }
  return ys;
}

// Counts that stay put for stretches and step by one, as a moderate eccentricity gives them.
std::vector<double> SteppingCounts(int frames) {
  std::vector<double> ys;
  for (int k = 0; k <= frames; ++k) {
    const double phase = std::sin(2.0 * M_PI * k / frames);
    ys.push_back(kGraphHeight - (3 + static_cast<int>(std::floor(3.0 * phase * phase))));
  }
  return ys;
}

// The graph canvas's group: diagonal, half-way line, the two polylines, a time cursor.
std::shared_ptr<Group2D> GraphCanvas(const std::shared_ptr<Group2D>& arc, const std::shared_ptr<Group2D>& counts) {
  auto group = std::make_shared<Group2D>();
  group->Append(Segment(0, kGraphHeight, kGraphWidth, 0, Colour::FromRgb(0x7F7F7F)));
  group->Append(Segment(0, kGraphHeight / 2.0, kGraphWidth, kGraphHeight / 2.0, Colour::FromRgb(0xBDBDBD)));
  if (arc) group->Append(arc);
  if (counts) group->Append(counts);
  group->Append(Segment(100.5, 0, 100.5, kGraphHeight));
  return group;
}

// Paints runs segment by segment, each through DrawLine: the picture that batching must keep.
class SegmentBySegment : public framework::QtGraphics {
 public:
  using QtGraphics::QtGraphics;

 protected:
  void DrawPolyline(std::span<const Point2D> points, const ShapeStyle& style) override {
    Graphics::DrawPolyline(points, style);
  }
};

template <class G>
QImage Paint(const framework::Object2D& shape) {
  return qt_test::PaintOnWhite<G>(shape, QSize(kGraphWidth, kGraphHeight), QImage::Format_ARGB32_Premultiplied);
}

// The largest difference of any colour channel over all pixels, and where it is.
struct Difference {
  int largest = 0;
  int x = 0;
  int y = 0;
  int pixels = 0;
};

Difference Compare(const QImage& a, const QImage& b) {
  Difference difference;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int channel = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
      if (channel > 0) ++difference.pixels;
      if (channel > difference.largest) difference = Difference{channel, x, y, difference.pixels};
    }
  }
  return difference;
}

int Ink(const QImage& image) {
  int pixels = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) pixels += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
  }
  return pixels;
}

// Records which runs reach DrawPolyline, and lets the default turn them into lines.
class RunRecorder : public framework::RecordingGraphics {
 public:
  std::vector<std::vector<Point2D>> runs;

 protected:
  void DrawPolyline(std::span<const Point2D> points, const ShapeStyle& style) override {
    runs.emplace_back(points.begin(), points.end());
    RecordingGraphics::DrawPolyline(points, style);
  }
};

TEST(Polylines, RunsOfJoinedSegmentsInOneStyleReachThePlatformWholeAndRecordAsBefore) {
  auto inner = std::make_shared<Group2D>();
  inner->Append(Segment(0, 0, 1, 1));
  inner->Append(Segment(1, 1, 2, 0));
  const double nan = std::numeric_limits<double>::quiet_NaN();

  Group2D group;
  group.X = 10;
  group.Append(Segment(0, 0, 1, 1));  // a run of three
  group.Append(Segment(1, 1, 2, 4));
  group.Append(Segment(2, 4, 3, 3));
  group.Append(Segment(3, 3.5, 4, 4));  // starts elsewhere: alone
  group.Append(Segment(4, 4, 5, 5, Colour::FromRgb(0xBDBDBD)));  // joins, but in another colour: alone
  group.Append(inner);  // a run of its own inside the inner group
  group.Append(Segment(2, 0, 3, 0));  // does not continue the inner group's run, but starts one
  group.Append(Segment(3, 0, nan, 1));  // joined to the bit, NaN and all: the platform skips it
  group.Append(Segment(nan, 1, 4, 0));
  group.Append(Segment(5, 0, -0.0, 0));
  group.Append(Segment(0.0, 0, 0, 1));  // starts at 0 where the one before ends at -0: alone

  RunRecorder batched;
  batched.DrawObject(group, 0, 100);
  ASSERT_EQ(batched.runs.size(), 3u);
  EXPECT_EQ(batched.runs[0].size(), 4u);
  EXPECT_EQ(batched.runs[0].front().x, 10.0);
  EXPECT_EQ(batched.runs[0].front().y, 100.0);
  EXPECT_EQ(batched.runs[0].back().x, 13.0);
  EXPECT_EQ(batched.runs[0].back().y, 103.0);
  EXPECT_EQ(batched.runs[1].size(), 3u);
  EXPECT_EQ(batched.runs[1].back().x, 12.0);
  EXPECT_EQ(batched.runs[2].size(), 4u);
  EXPECT_TRUE(std::isnan(batched.runs[2][2].x));

  // Whatever went through DrawPolyline, the recorded lines are those of each segment drawn alone.
  framework::RecordingGraphics alone;
  std::function<void(const Group2D&, double, double)> each = [&](const Group2D& parent, double x, double y) {
    for (const auto& member : parent.Members()) {
      if (const auto* subgroup = dynamic_cast<const Group2D*>(member.get())) {
        each(*subgroup, x + subgroup->X, y + subgroup->Y);
      } else {
        alone.DrawObject(*member, x, y);
      }
    }
  };
  each(group, 10, 100);
  // To the bit, so that the NaNs compare too.
  const auto bits = [](const framework::DrawnPrimitive& p) {
    return std::array<std::uint64_t, 4>{std::bit_cast<std::uint64_t>(p.x1), std::bit_cast<std::uint64_t>(p.y1),
                                        std::bit_cast<std::uint64_t>(p.x2), std::bit_cast<std::uint64_t>(p.y2)};
  };
  ASSERT_EQ(batched.Primitives().size(), 12u);
  ASSERT_EQ(alone.Primitives().size(), 12u);
  for (std::size_t i = 0; i < alone.Primitives().size(); ++i) {
    EXPECT_EQ(bits(batched.Primitives()[i]), bits(alone.Primitives()[i])) << i;
    EXPECT_EQ(batched.Primitives()[i].kind, alone.Primitives()[i].kind) << i;
    EXPECT_EQ(batched.Primitives()[i].style, alone.Primitives()[i].style) << i;
  }
}

struct ThinningCase {
  std::string name;
  std::vector<double> ys;
  // Bounds on the share of points kept.
  double at_least;
  double at_most;
};

TEST(Polylines, ThinningDropsOnlyPointsWhosePixelsAreSolidAlready) {
  const std::vector<ThinningCase> cases{
      // Sub-pixel steps off a pixel row make the curve's weight by their overdraw: all kept.
      {"smooth arc-length curve", ArcLengthCurve(100000), 1.0, 1.0},
      // Whole-pixel jumps: four points per eighth of a pixel column at most.
      {"jumping counts", JumpingCounts(100000), 0.0, 4.0 * 8 * 242 / 100001.0},
      // Flat stretches along a pixel row keep their ends and the steps between them.
      {"stepping counts", SteppingCounts(100000), 0.0, 0.1},
      // About one point per pixel column: only the middles of three counts in a row go.
      {"300 frames of jumping counts", JumpingCounts(300), 0.99, 1.0},
  };
  for (const ThinningCase& row : cases) {
    SCOPED_TRACE(row.name);
    std::vector<Point2D> points;
    const double scale_time = kGraphWidth / static_cast<double>(row.ys.size() - 1);
    for (std::size_t k = 0; k < row.ys.size(); ++k) points.push_back({static_cast<double>(k) * scale_time, row.ys[k]});
    std::vector<Point2D> thinned;
    framework::qt::ThinPolyline(points, thinned);
    const double kept = static_cast<double>(thinned.size()) / static_cast<double>(points.size());
    EXPECT_GE(kept, row.at_least);
    EXPECT_LE(kept, row.at_most);
    ASSERT_GE(thinned.size(), 2u);
    EXPECT_EQ(thinned.front().x, points.front().x);
    EXPECT_EQ(thinned.back().x, points.back().x);
    EXPECT_EQ(thinned.back().y, points.back().y);
    // The points kept are points of the polyline, in its order.
    for (std::size_t i = 1; i < thinned.size(); ++i) ASSERT_LE(thinned[i - 1].x, thinned[i].x);
  }
}

struct PictureCase {
  std::string name;
  std::shared_ptr<Group2D> shapes;
};

// Largest per-channel difference allowed between the picture painted segment by segment and the
// batched, thinned one (8-bit channels).
constexpr int kChannelTolerance = 2;

TEST(Polylines, BatchedAndThinnedPaintingKeepsThePictureOfEverySegmentPaintedAlone) {
  const Colour light_grey = Colour::FromRgb(0xBDBDBD);

  // A run broken twice: a segment that starts elsewhere (as after the polylines were emptied in
  // mid-revolution) and a point that is no number.
  auto broken = Polyline(ArcLengthCurve(10000));
  auto stray = std::static_pointer_cast<CurveShape>(broken->Item(5000));
  stray->Y += 40.0;
  std::static_pointer_cast<CurveShape>(broken->Item(7000))->Y2 = std::numeric_limits<double>::quiet_NaN();
  std::static_pointer_cast<CurveShape>(broken->Item(7001))->Y = std::numeric_limits<double>::quiet_NaN();

  const std::vector<PictureCase> cases{
      {"arc-length curve, 10^5 frames", GraphCanvas(Polyline(ArcLengthCurve(100000)), nullptr)},
      {"jumping counts, 10^5 frames", GraphCanvas(nullptr, Polyline(JumpingCounts(100000), light_grey))},
      {"jumping counts in black, 10^5 frames", GraphCanvas(nullptr, Polyline(JumpingCounts(100000)))},
      {"stepping counts, 10^5 frames", GraphCanvas(nullptr, Polyline(SteppingCounts(100000), light_grey))},
      {"both polylines, 10^4 frames",
       GraphCanvas(Polyline(ArcLengthCurve(10000)), Polyline(JumpingCounts(10000), light_grey))},
      {"both polylines, 300 frames",
       GraphCanvas(Polyline(ArcLengthCurve(300)), Polyline(JumpingCounts(300), light_grey))},
      {"a broken run, 10^4 frames", GraphCanvas(broken, nullptr)},
  };
  for (const PictureCase& row : cases) {
    SCOPED_TRACE(row.name);
    const QImage alone = Paint<SegmentBySegment>(*row.shapes);
    const QImage batched = Paint<framework::QtGraphics>(*row.shapes);
    const Difference difference = Compare(alone, batched);
    EXPECT_LE(difference.largest, kChannelTolerance)
        << "at " << difference.x << "," << difference.y << "; " << difference.pixels << " pixels differ";
    // The comparison means something only where the polylines drew.
    EXPECT_GT(Ink(batched), 1500);
  }
}

}  // namespace
