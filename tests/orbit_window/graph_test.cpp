// The graph beside the orbit and the live read-outs, over whole revolutions.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "framework/number_conversion.hpp"
#include "orbit_math/meridional_distance.hpp"
#include "orbit_window_support.hpp"

namespace {

using framework::Colour;
using framework::CurveShape;
using orbit_test::CurveAt;
using orbit_test::FreshProgram;

constexpr double kTwoPi = 6.283185307179586;
constexpr std::string_view kOpeningEccentricity = "0.866";

struct Segment {
  double x1, y1, x2, y2;  // NaN: not checked
};

struct FrameRow {
  const char* e;
  int k;
  Segment arc, iterations;
  const char* speed;
  const char* speed_max;
  const char* count;
  const char* count_max;
};

// The opening values: cPath 241 x 356, e 0.866, 300 frames, 6 decimal places; a row of another e
// starts the animation at that e, the rest as they open.
const FrameRow kFrames[] = {
    {"0.866", 0, {-0.80333, 356, 0, 356}, {-0.80333, 356, 0, 355}, "0.00", "0.00", "1", "1"},
    {"0.866", 1, {0, 356, 0.80333, 350.3324}, {0, 355, 0.80333, 352}, "3.68", "3.68", "4", "4"},
    {"0.866", 2, {0.80333, 350.3324, 1.60667, 345.0330}, {0.80333, 352, 1.60667, 352}, "3.44", "3.68", "4", "4"},
    {"0.866", 300, {NAN, NAN, 241, 0}, {NAN, NAN, 241, 355}, "3.68", "3.68", "1", "6"},
    {"0.3", 300, {NAN, NAN, 241, 0}, {NAN, NAN, 241, 355}, "1.36", "1.36", "1", "4"},
};

void ExpectSegment(const CurveShape& shape, const Segment& expected, Colour border_colour) {
  const double got[] = {shape.X, shape.Y, shape.X2, shape.Y2};
  const double want[] = {expected.x1, expected.y1, expected.x2, expected.y2};
  for (int i = 0; i < 4; ++i) {
    if (!std::isnan(want[i])) {
      EXPECT_NEAR(got[i], want[i], 5e-5) << "coordinate " << i;
    }
  }
  EXPECT_EQ(shape.Border, 100.0);
  EXPECT_EQ(shape.BorderColor, border_colour);
}

void ExpectFrame(MainWindow& w, const FrameRow& row) {
  SCOPED_TRACE("frame " + std::to_string(row.k));
  const auto& graph = w.wGroupGraph;
  ASSERT_EQ(graph->Count(), 5);
  const CurveShape& diagonal = CurveAt(graph, 0);
  const CurveShape& half_way = CurveAt(graph, 1);
  const CurveShape& cursor = CurveAt(graph, 4);
  EXPECT_EQ((std::vector<double>{diagonal.X, diagonal.Y, diagonal.X2, diagonal.Y2, diagonal.Fill}),
            (std::vector<double>{0, 356, 241, 0, 0}));
  EXPECT_EQ(diagonal.BorderColor, Colour::FromRgb(0x7F7F7F));
  EXPECT_EQ((std::vector<double>{half_way.X, half_way.Y, half_way.X2, half_way.Y2, half_way.Fill}),
            (std::vector<double>{0, 178, 241, 178, 0}));
  EXPECT_EQ(half_way.BorderColor, Colour::FromRgb(0xBDBDBD));
  EXPECT_EQ(graph->Item(2), w.wPath);
  EXPECT_EQ(graph->Item(3), w.wPath2);
  EXPECT_EQ((std::vector<double>{cursor.X, cursor.Y, cursor.X2, cursor.Y2, cursor.Fill}),
            (std::vector<double>{row.k * w.wScaleTime, 0, row.k * w.wScaleTime, 356, 0}));
  EXPECT_EQ(cursor.BorderColor, Colour{});

  ExpectSegment(CurveAt(w.wPath, row.k), row.arc, Colour{});
  ExpectSegment(CurveAt(w.wPath2, row.k), row.iterations, Colour::FromRgb(0xBDBDBD));
  if (w.tDivision().Text() == std::to_string(row.k)) {
    // The last frame ends on the whole perimeter to the last bit: the series at 2 pi itself, not
    // at the latitude of u, which misses 2 pi by its rounding. The frame keeps no trace of its L
    // but this end, mapped as the graph step maps it.
    const double L = MeridionalDistance::MeridionalDistance(kTwoPi, 1.0, w.wEccentricity, 3);
    EXPECT_EQ(CurveAt(w.wPath, row.k).Y2, framework::Int32ToDouble(w.cPath().Height()) - L * w.wScaleValue);
  }
  EXPECT_EQ(w.lSpeed().Text(), row.speed);
  EXPECT_EQ(w.lSpeedMax().Text(), row.speed_max);
  EXPECT_EQ(w.lSaikiCount().Text(), row.count);
  EXPECT_EQ(w.lSaikiCountMax().Text(), row.count_max);
}

// Two revolutions after Start. The first appends frame k at index k; the second replaces each
// index in place, so the polylines keep N + 1 segments and index 0 keeps frame 0.
TEST(Graph, TwoRevolutionsAtTheOpeningValues) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.pGo().Press();
  ExpectFrame(w, kFrames[0]);

  std::vector<int> frames_at_six;
  std::vector<int> wrong_counts;
  int slowest_frame = -1;
  double slowest = INFINITY;
  for (int k = 1; k <= 300; ++k) {
    program.Tick();
    if (w.lStep().Text() != std::to_string(k)) wrong_counts.push_back(-k);
    if (w.wPath->Count() != k + 1 || w.wPath2->Count() != k + 1) wrong_counts.push_back(k);
    if (w.lSaikiCount().Text() == "6") frames_at_six.push_back(k);
    // The speed ratio to full precision, from the rise of this frame's arc segment.
    const CurveShape& arc = CurveAt(w.wPath, k);
    const double v = ((arc.Y - arc.Y2) / w.wScaleValue) / w.wHeikin;
    if (v < slowest) slowest = v, slowest_frame = k;
    for (const FrameRow& row : kFrames) {
      if (row.e == kOpeningEccentricity && row.k == k) ExpectFrame(w, row);
    }
  }
  EXPECT_EQ(wrong_counts, std::vector<int>{});
  std::vector<int> expected_six(42 + 42);
  std::iota(expected_six.begin(), expected_six.begin() + 42, 6);
  std::iota(expected_six.begin() + 42, expected_six.end(), 253);
  EXPECT_EQ(frames_at_six, expected_six);
  EXPECT_EQ(slowest_frame, 150);  // aphelion
  EXPECT_NEAR(slowest, 0.2680, 5e-5);
  EXPECT_EQ(w.wNow, 0.0);
  EXPECT_EQ(w.lStep().Text(), "300");

  const std::vector<std::shared_ptr<framework::Object2D>> first_arc = w.wPath->Members();
  const std::vector<std::shared_ptr<framework::Object2D>> first_iterations = w.wPath2->Members();
  for (int k = 1; k <= 300; ++k) {
    program.Tick();
    if (w.lStep().Text() != std::to_string(k)) wrong_counts.push_back(-k);
    if (w.wPath->Count() != 301 || w.wPath2->Count() != 301) wrong_counts.push_back(k);
    if (w.wPath->Item(k) == first_arc[k] || w.wPath2->Item(k) == first_iterations[k]) wrong_counts.push_back(k);
  }
  EXPECT_EQ(wrong_counts, std::vector<int>{});
  EXPECT_EQ(w.wPath->Item(0), first_arc[0]);
  EXPECT_EQ(w.wPath2->Item(0), first_iterations[0]);
  // The first arc segment of a revolution starts on the bottom edge; the first iteration segment
  // at the last count of the revolution before.
  EXPECT_EQ(CurveAt(w.wPath, 1).Y, 356.0);
  EXPECT_EQ(CurveAt(w.wPath2, 1).Y, 355.0);
  EXPECT_EQ(w.lSaikiCountMax().Text(), "6");
  EXPECT_EQ(w.lSpeedMax().Text(), "3.68");

  // The paint draws the five members with both polylines inside.
  program.platform.FlushRepaints();
  EXPECT_EQ(program.platform.LastPaint(w.cPath()).size(), 2u + 301u + 301u + 1u);
}

// The rows of other eccentricities, each in a program of its own, started at its e.
TEST(Graph, OtherEccentricitiesFromTheStart) {
  for (const FrameRow& row : kFrames) {
    if (row.e == kOpeningEccentricity) continue;
    SCOPED_TRACE(std::string("e ") + row.e);
    FreshProgram program;
    MainWindow& w = program.Window();
    w.tEccentricity().Type(row.e);
    w.pGo().Press();
    ASSERT_EQ(w.tEccentricity().Text(), row.e);
    program.Tick(row.k);
    ExpectFrame(w, row);
  }
}

// A redraw without a step compares the frame with itself: flat segments replace those of the index.
TEST(Graph, ARedrawOfTheSameFrameReplacesItsSegmentsByFlatOnes) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.pGo().Press();
  program.Tick(2);
  const auto arc_before = w.wPath->Item(2);
  w.cDrawCircle().Toggle();
  ASSERT_EQ(w.wPath->Count(), 3);
  ASSERT_EQ(w.wPath2->Count(), 3);
  EXPECT_NE(w.wPath->Item(2), arc_before);
  for (const auto* polyline : {&w.wPath, &w.wPath2}) {
    const CurveShape& flat = CurveAt(*polyline, 2);
    EXPECT_EQ(flat.Y, flat.Y2);
    EXPECT_EQ(flat.X2, 2 * w.wScaleTime);
  }
  EXPECT_EQ(w.lSpeed().Text(), "0.00");
  EXPECT_EQ(w.lSpeedMax().Text(), "3.68");
  EXPECT_EQ(w.lSaikiCountMax().Text(), "4");
}

}  // namespace
