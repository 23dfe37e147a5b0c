// The orbit figure of a frame as the canvas paints it: shapes, positions, opacities, colours and
// drawing order.

#include <gtest/gtest.h>

#include <vector>

#include "orbit_window_support.hpp"

namespace {

using framework::Colour;
using framework::DrawnPrimitive;
using orbit_test::FreshProgram;

constexpr auto kLine = DrawnPrimitive::Kind::Line;
constexpr auto kOval = DrawnPrimitive::Kind::Oval;
constexpr Colour kMidGrey = Colour::FromRgb(0x7F7F7F);
constexpr Colour kLightGrey = Colour::FromRgb(0xBDBDBD);

// A line from (x1, y1) to (x2, y2), or an oval centred on (x1, y1) of x2 by y2.
DrawnPrimitive Drawn(DrawnPrimitive::Kind kind, double x1, double y1, double x2, double y2, double fill,
                     double border, Colour border_colour = {}, Colour fill_colour = {}) {
  return DrawnPrimitive{kind, x1, y1, x2, y2, {fill_colour, fill, border_colour, border, 1.0}};
}

// Frame 0 of the opening window, in drawing order.
const std::vector<DrawnPrimitive> kFrame0 = {
    Drawn(kLine, 0, 178, 396, 178, 0, 100, kLightGrey),              // horizontal axis
    Drawn(kLine, 198, 0, 198, 356, 0, 100, kLightGrey),              // vertical axis
    Drawn(kOval, 198, 178, 336, 336, 0, 100, kMidGrey),              // reference circle
    Drawn(kOval, 366, 178, 5, 5, 100, 100, kMidGrey, kMidGrey),      // circle body
    Drawn(kLine, 198, 178, 366, 178, 100, 100, kMidGrey),            // circle radius
    Drawn(kOval, 198, 178, 336, 168.01478334956127, 0, 100),         // ellipse
    Drawn(kLine, 348, 178, 338, 178, 0, 100),                        // focus mark, horizontal
    Drawn(kLine, 343, 183, 343, 173, 0, 50),                         // focus mark, vertical
    Drawn(kOval, 366, 178, 5, 5, 100, 100),                          // orbit body
    Drawn(kLine, 343, 178, 366, 178, 0, 100),                        // radius vector
};

// Rows 3 to 5, the circle with its body and radius, left out.
std::vector<DrawnPrimitive> WithoutTheCircle(const std::vector<DrawnPrimitive>& shapes) {
  std::vector<DrawnPrimitive> kept(shapes.begin(), shapes.begin() + 2);
  kept.insert(kept.end(), shapes.begin() + 5, shapes.end());
  return kept;
}

TEST(OrbitDrawing, FramesZeroAndOneAndTheCircleSwitch) {
  FreshProgram program;
  MainWindow& w = program.Window();
  program.platform.FlushRepaints();
  EXPECT_EQ(w.wGroup->Count(), 10);
  EXPECT_EQ(program.platform.LastPaint(w.cOrbit()), kFrame0);

  // Frame 1 by a single step: four rounds; both bodies move counter-clockwise (up on the screen).
  w.pKomaokuri().Press();
  program.platform.FlushRepaints();
  EXPECT_EQ(w.lSaikiCount().Text(), "4");
  std::vector<DrawnPrimitive> frame1 = kFrame0;
  frame1[3].y1 = 174;                       // circle body at (Int32(365.963), Int32(174.482))
  frame1[4].y2 = 174;                       // circle radius
  frame1[8].x1 = 364, frame1[8].y1 = 165;   // orbit body
  frame1[9].x2 = 364, frame1[9].y2 = 165;   // radius vector from the focus (343, 178)
  EXPECT_EQ(program.platform.LastPaint(w.cOrbit()), frame1);

  // Without the circle: rows 3 to 5 go, the same-centre box is cleared and disabled.
  w.cDrawCircle().Toggle();
  program.platform.FlushRepaints();
  EXPECT_EQ(w.wGroup->Count(), 7);
  EXPECT_EQ(program.platform.LastPaint(w.cOrbit()), WithoutTheCircle(frame1));
  EXPECT_FALSE(w.cSameCenter().Value());
  EXPECT_FALSE(w.cSameCenter().Enabled());

  w.cDrawCircle().Toggle();
  program.platform.FlushRepaints();
  EXPECT_EQ(program.platform.LastPaint(w.cOrbit()), frame1);
  EXPECT_TRUE(w.cSameCenter().Enabled());
}

TEST(OrbitDrawing, TheFocusLayoutPutsTheFocusOnTheOriginUntilTheCircleGoes) {
  FreshProgram program;
  MainWindow& w = program.Window();
  w.cSameCenter().Toggle();  // scales and shift now, the picture at the next frame
  w.pKomaokuri().Press();
  program.platform.FlushRepaints();
  const std::vector<DrawnPrimitive> frame = program.platform.LastPaint(w.cOrbit());
  ASSERT_EQ(frame.size(), 10u);
  EXPECT_EQ(frame[1].x1, 255);                           // the vertical axis through the origin
  EXPECT_EQ(frame[2].x1, 255);                           // the circle stays centred on the origin
  EXPECT_EQ(frame[2].x2, 262);
  EXPECT_EQ(frame[5].x1, 142);                           // ellipse centre Int32(255 - 0.866 * 131)
  EXPECT_EQ(frame[7].x1, 255);                           // focus mark
  EXPECT_EQ(frame[9].x1, 255);                           // radius vector starts at the origin
  EXPECT_EQ(frame[9].y1, 178);

  // Clearing the circle clears the same-centre box, whose own handler refits the centred layout
  // before the frame is drawn again.
  w.cDrawCircle().Toggle();
  program.platform.FlushRepaints();
  EXPECT_EQ(w.wShift, 0.0);
  EXPECT_EQ(w.wScale, 168);
  const std::vector<DrawnPrimitive> centred = program.platform.LastPaint(w.cOrbit());
  ASSERT_EQ(centred.size(), 7u);
  EXPECT_EQ(centred[2].x1, 198);  // the ellipse, centred on the origin again
  EXPECT_EQ(centred[4].x1, 343);  // the focus mark at e
}

}  // namespace
