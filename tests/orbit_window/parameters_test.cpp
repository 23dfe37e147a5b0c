// Reading the fields into the parameters, fitting the scales to the canvases, and mapping orbit
// coordinates to pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "orbit_window_support.hpp"

namespace {

using orbit_test::FreshProgram;

TEST(Parameters, TheOpeningWindowHoldsTheWorkedExample) {
  FreshProgram program;
  MainWindow& w = program.Window();
  EXPECT_EQ(w.wEccentricity, 0.866);
  EXPECT_EQ(w.wSemiMminorAxis, 0.5000439980641704);
  EXPECT_EQ(w.lBAValue().Text(), "0.500044");
  EXPECT_EQ(w.lFValue().Text(), "0.499956");
  EXPECT_EQ(w.Timer1().Period(), 42);  // Int32(41.666666666666664)
  EXPECT_EQ(w.wHeikin, 0.020943951023931956);
  EXPECT_EQ(w.wSeido, 6);
  EXPECT_EQ(w.wShift, 0.0);
  EXPECT_EQ(w.wScale, 168);
  EXPECT_EQ(w.wCenterX, 198);
  EXPECT_EQ(w.wCenterY, 178);
  EXPECT_EQ(w.wScaleTime, 0.8033333333333333);
  EXPECT_EQ(w.wScaleValue, 73.48791570189829);
  EXPECT_EQ(w.ChangeAxisX(1.0), 366);
  EXPECT_EQ(w.ChangeAxisY(1.0), 10);
  EXPECT_EQ(w.ChangeAxisY(-1.0), 346);
  EXPECT_EQ(w.ChangeAxisX(0.866), 343);
  // Frame 0 is drawn: one round of the iteration, one segment in each polyline.
  EXPECT_EQ(w.wNow, 0.0);
  EXPECT_EQ(w.wPreviousLength, 0.0);
  EXPECT_EQ(w.wPreviousSaikiCount, 1);
  EXPECT_EQ(w.wPath->Count(), 1);
  EXPECT_EQ(w.wPath2->Count(), 1);
  EXPECT_EQ(w.slEccentricity().Value(), 99);  // the slider follows the text only at Start
}

// Each row starts from a newly opened window: what the user does, then the fitted scales.
TEST(Parameters, TheScalesFitTheCanvasInBothLayouts) {
  const double pi = 3.141592653589793;
  struct Row {
    std::string name;
    std::function<void(MainWindow&)> act;
    int scale, center_x, center_y;
    double shift;
    double scale_value;  // NaN: not checked
  };
  const auto same_center = [](MainWindow& w) { w.cSameCenter().Toggle(); };
  const std::vector<Row> rows = {
      {"opening", [](MainWindow&) {}, 168, 198, 178, 0.0, 73.48791570189829},
      {"focus layout: the width binds", same_center, 131, 255, 178, 0.866, 73.48791570189829},
      {"e = 0 from the slider", [](MainWindow& w) { w.slEccentricity().MoveTo(0); }, 168, 198, 178, 0.0,
       (356.0 / 2.0) / pi},
      {"e = 0 in the focus layout equals the centred layout",
       [&](MainWindow& w) {
         w.slEccentricity().MoveTo(0);
         same_center(w);
       },
       168, 198, 178, 0.0, (356.0 / 2.0) / pi},
      // 2 / 2.224 == 375 / 417 as doubles; the height binds (188), the width would give 187.
      {"k == r: the height binds",
       [&](MainWindow& w) {
         w.slEccentricity().MoveTo(224);
         same_center(w);
         w.Resize(733, 598);
         EXPECT_EQ(w.cOrbit().Width(), 437);
         EXPECT_EQ(w.cOrbit().Height(), 395);
       },
       188, 240, 198, 0.224, NAN},
      {"odd canvas width: Int32(198.5)",
       [](MainWindow& w) {
         w.Resize(693, 559);
         EXPECT_EQ(w.cOrbit().Width(), 397);
       },
       168, 199, 178, 0.0, 73.48791570189829},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FreshProgram program;
    MainWindow& w = program.Window();
    row.act(w);
    EXPECT_EQ(w.wScale, row.scale);
    EXPECT_EQ(w.wCenterX, row.center_x);
    EXPECT_EQ(w.wCenterY, row.center_y);
    EXPECT_EQ(w.wShift, row.shift);
    if (!std::isnan(row.scale_value)) {
      EXPECT_EQ(w.wScaleValue, row.scale_value);
    }
    if (w.wEccentricity == 0.0) {
      EXPECT_EQ(w.lFValue().Text(), "0");
      EXPECT_EQ(w.lBAValue().Text(), "1");
    }
  }
}

// The frames per revolution need not be whole, and nothing refuses 0 or a negative count.
TEST(Parameters, TheFrameCountIsStoredAsTheArithmeticGivesIt) {
  FreshProgram program;
  MainWindow& w = program.Window();
  struct Row {
    std::string text;
    double heikin, scale_time;
  };
  for (const Row& row : {Row{"2.5", 2.5132741228718345, 96.4}, Row{"0", INFINITY, INFINITY},
                         Row{"-5", -1.2566370614359172, -48.2}}) {
    SCOPED_TRACE(row.text);
    w.tDivision().Type(row.text);
    w.SetParmeter();
    w.Resizing();
    EXPECT_EQ(w.wHeikin, row.heikin);
    EXPECT_EQ(w.wScaleTime, row.scale_time);
  }
}

// The decimal places go through the rounding, saturating conversion: no text gives undefined
// behaviour or a count the iteration cannot stop at.
TEST(Parameters, TheDecimalPlacesAreTheTextRoundedAndSaturated) {
  FreshProgram program;
  MainWindow& w = program.Window();
  struct Row {
    const char* text;
    std::int32_t places;
  };
  for (const Row& row : {Row{"2.6", 3}, Row{"2.5", 3}, Row{"-2.5", -3}, Row{"1e300", 2147483647},
                         Row{"-1e300", -2147483647 - 1}, Row{"places", 0}}) {
    SCOPED_TRACE(row.text);
    w.tSeido().Type(row.text);
    w.SetParmeter();
    EXPECT_EQ(w.wSeido, row.places);
  }
}

}  // namespace
