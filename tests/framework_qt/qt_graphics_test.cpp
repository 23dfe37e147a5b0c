// Canvas painting: the model's shapes land as pixels, with their colours and opacities.

#include "framework/qt/qt_graphics.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include "qt_test_support.hpp"

namespace {

using framework::Colour;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;

// Draws `shape` on a white 100 x 100 image.
QImage Draw(const framework::Object2D& shape) {
  return qt_test::PaintOnWhite(shape, QSize(100, 100), QImage::Format_RGB32);
}

std::shared_ptr<framework::OvalShape> Oval(double x, double y, double width, double height) {
  auto oval = std::make_shared<framework::OvalShape>();
  oval->X = x;
  oval->Y = y;
  oval->Width = width;
  oval->Height = height;
  return oval;
}

std::shared_ptr<framework::CurveShape> Line(double x, double y, double x2, double y2) {
  auto line = std::make_shared<framework::CurveShape>();
  line->X = x;
  line->Y = y;
  line->X2 = x2;
  line->Y2 = y2;
  return line;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

TEST(QtGraphics, AnOvalIsCentredOnItsPositionWithItsSize) {
  auto oval = Oval(50, 40, 40, 20);  // x 30..70, y 30..50
  const QImage image = Draw(*oval);
  EXPECT_EQ(image.pixel(50, 40), kBlack);  // filled
  EXPECT_EQ(image.pixel(35, 40), kBlack);
  EXPECT_EQ(image.pixel(50, 33), kBlack);
  EXPECT_EQ(image.pixel(27, 40), kWhite);  // left of it
  EXPECT_EQ(image.pixel(73, 40), kWhite);  // right of it
  EXPECT_EQ(image.pixel(50, 27), kWhite);  // above
  EXPECT_EQ(image.pixel(50, 53), kWhite);  // below
  EXPECT_EQ(image.pixel(31, 31), kWhite);  // the ellipse misses its bounding box's corners
}

TEST(QtGraphics, FillAndBorderAreOpacitiesInPercent) {
  // Fill 0: a black ring with a white inside.
  auto ring = Oval(50, 50, 60, 60);
  ring->Fill = 0;
  ring->BorderWidth = 3;
  QImage image = Draw(*ring);
  EXPECT_EQ(image.pixel(50, 50), kWhite);
  EXPECT_EQ(image.pixel(20, 50), kBlack);
  EXPECT_EQ(image.pixel(50, 80), kBlack);

  // Border 0: the interior only, in its own colour.
  auto disc = Oval(50, 50, 60, 60);
  disc->Border = 0;
  disc->FillColor = Colour::FromRgb(0xBDBDBD);
  image = Draw(*disc);
  EXPECT_EQ(image.pixel(50, 50), qRgb(0xBD, 0xBD, 0xBD));
  EXPECT_EQ(image.pixel(50, 22), qRgb(0xBD, 0xBD, 0xBD));

  // Fill 50: half way between the colour and the white beneath.
  auto half = Oval(50, 50, 60, 60);
  half->Fill = 50;
  half->Border = 0;
  image = Draw(*half);
  EXPECT_NEAR(qRed(image.pixel(50, 50)), 127, 2);

  // Neither: nothing at all.
  auto none = Oval(50, 50, 60, 60);
  none->Fill = 0;
  none->Border = 0;
  image = Draw(*none);
  EXPECT_EQ(image.pixel(50, 50), kWhite);
  EXPECT_EQ(image.pixel(20, 50), kWhite);
}

TEST(QtGraphics, OnePixelLinesAtWholeCoordinatesFillTheirPixelRow) {
  auto line = Line(10, 30, 90, 30);
  const QImage image = Draw(*line);
  EXPECT_EQ(image.pixel(50, 30), kBlack);
  EXPECT_EQ(image.pixel(50, 29), kWhite);
  EXPECT_EQ(image.pixel(50, 31), kWhite);
}

TEST(QtGraphics, ALineRunsFromItsStartToItsEndInItsBorderColour) {
  auto line = Line(10, 20, 90, 20);
  line->BorderColor = Colour::FromRgb(0x7F7F7F);
  line->BorderWidth = 3;
  QImage image = Draw(*line);
  for (int x : {12, 50, 88}) EXPECT_EQ(image.pixel(x, 20), qRgb(0x7F, 0x7F, 0x7F)) << x;
  EXPECT_EQ(image.pixel(50, 25), kWhite);
  EXPECT_EQ(image.pixel(95, 20), kWhite);

  // A diagonal, through a group offset by (10, 0).
  auto group = std::make_shared<framework::Group2D>();
  group->X = 10;
  group->Append(Line(0, 0, 80, 80));
  image = Draw(*group);
  EXPECT_LT(qRed(image.pixel(50, 40)), 128);  // antialiased: dark, if not quite black
  EXPECT_EQ(image.pixel(40, 50), kWhite);

  // A line of opacity 0 draws nothing.
  auto invisible = Line(10, 50, 90, 50);
  invisible->Border = 0;
  EXPECT_EQ(Draw(*invisible).pixel(50, 50), kWhite);
}

// The commands a painter is handed for `shape`, as the bytes of a recorded picture. Qt draws
// nothing visible for most coordinates that are no numbers, so only the recording tells whether
// they reached it.
QByteArray Recorded(const framework::Object2D& shape) {
  QPicture picture;
  QPainter painter(&picture);
  {
    framework::QtGraphics graphics(painter);
    graphics.DrawObject(shape);
  }
  painter.end();
  return QByteArray(picture.data(), picture.size());
}

TEST(QtGraphics, ShapesAtPositionsThatAreNoNumbersAreLeftOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const QByteArray nothing = Recorded(framework::Group2D());
  ASSERT_NE(Recorded(*Line(0, 0, 50, 50)), nothing);  // a shape that is drawn shows in the recording

  auto bad_width = Line(0, 0, 100, 100);
  bad_width->BorderWidth = nan;
  const std::shared_ptr<framework::Object2D> shapes[] = {
      Line(nan, 0, 50, 50), Line(0, nan, 50, 50), Line(0, 0, inf, 50), Line(0, 0, 50, -inf),
      Oval(nan, 50, 10, 10), Oval(50, inf, 10, 10), Oval(50, 50, inf, 10), Oval(50, 50, 10, nan),
      bad_width};
  for (const auto& shape : shapes) EXPECT_TRUE(Recorded(*shape) == nothing) << "shape " << &shape - shapes;
}

class QtCanvas : public qt_test::QtRun {};

TEST_F(QtCanvas, ACanvasPaintsItsShapesThroughItsPaintHandlerAndRepaintsOnRefresh) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        Add<framework::Rectangle>(w, "Rectangle1", Placed("Rectangle1", 20, 17, 200, 150).Bytes());
        Add<framework::Canvas>(w, "cOrbit", Placed("cOrbit", 20, 17, 200, 150).Bytes());
        framework::RuntimeAddEventHandler(
            w.ControlByName("cOrbit"), "Paint",
            framework::RuntimeCreateDelegate(w.Self(), &TestWindow::CanvasPaint, "cOrbit_Paint"));
      },
      qt_test::WindowString({}));
  auto body = Oval(100, 75, 20, 20);
  window->shapes->Append(body);
  auto axis = Line(0, 10, 200, 10);
  axis->BorderColor = Colour::FromRgb(0xBDBDBD);
  window->shapes->Append(axis);

  QImage image = qt_test::GrabContent(*window);
  EXPECT_GT(window->paints, 0);
  // Canvas coordinates start at the canvas's corner (20, 17).
  EXPECT_EQ(image.pixel(120, 92), kBlack);
  EXPECT_EQ(image.pixel(120, 27), qRgb(0xBD, 0xBD, 0xBD));
  EXPECT_EQ(image.pixel(150, 92), kWhite);
  EXPECT_EQ(image.pixel(20, 17), kBlack);  // the rectangle's frame shows where the canvas draws nothing

  // The shape moves; Refresh asks for a paint, which Qt delivers from its event loop.
  body->X = 150;
  const std::int32_t paints = window->paints;
  static_cast<framework::Canvas&>(window->ControlByName("cOrbit")).Refresh();
  qt_test::ProcessEvents();
  EXPECT_GT(window->paints, paints);
  image = qt_test::GrabContent(*window);
  EXPECT_EQ(image.pixel(170, 92), kBlack);
  EXPECT_EQ(image.pixel(120, 92), kWhite);
}

}  // namespace
