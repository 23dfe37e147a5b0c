#include "framework/graphics.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/headless/headless_platform.hpp"

namespace {

using framework::Colour;
using framework::CurveShape;
using framework::DrawnPrimitive;
using framework::Group2D;
using framework::OvalShape;
using framework::RecordingGraphics;
using framework::ShapeStyle;

using Kind = DrawnPrimitive::Kind;

std::shared_ptr<CurveShape> Curve(double x, double y, double x2, double y2) {
  auto curve = std::make_shared<CurveShape>();
  curve->X = x;
  curve->Y = y;
  curve->X2 = x2;
  curve->Y2 = y2;
  return curve;
}

std::shared_ptr<OvalShape> Oval(double x, double y, double width, double height) {
  auto oval = std::make_shared<OvalShape>();
  oval->X = x;
  oval->Y = y;
  oval->Width = width;
  oval->Height = height;
  return oval;
}

TEST(DrawObject, NewShapesUseTheDefaultStyle) {
  const ShapeStyle black_opaque_one_pixel{Colour{0, 0, 0}, 100.0, Colour{0, 0, 0}, 100.0, 1.0};
  RecordingGraphics graphics;
  graphics.DrawObject(CurveShape{});
  graphics.DrawObject(OvalShape{});
  ASSERT_EQ(graphics.Primitives().size(), 2u);
  EXPECT_EQ(graphics.Primitives()[0].style, black_opaque_one_pixel);
  EXPECT_EQ(graphics.Primitives()[1].style, black_opaque_one_pixel);
}

TEST(DrawObject, DrawsMembersInOrderWithTheOffsetsOfEveryEnclosingGroup) {
  auto inner = std::make_shared<Group2D>();
  inner->X = 1;
  inner->Y = 2;
  auto grey = Curve(0, 0, 5, 5);
  grey->Fill = 0;
  grey->Border = 50;
  grey->BorderColor = Colour::FromRgb(0x7F7F7F);
  inner->Append(grey);

  Group2D outer;
  outer.X = 10;
  outer.Y = 20;
  outer.Append(Curve(0, 178, 396, 178));
  outer.Append(inner);
  auto body = Oval(366, 178, 5, 5);
  body->FillColor = Colour::FromRgb(0xBDBDBD);
  outer.Append(body);
  outer.Append(inner);  // a shared member is drawn each time it occurs

  RecordingGraphics graphics;
  graphics.DrawObject(outer, 100, 200);

  const ShapeStyle plain{};
  const ShapeStyle grey_style{Colour{0, 0, 0}, 0.0, Colour{127, 127, 127}, 50.0, 1.0};
  const ShapeStyle body_style{Colour{189, 189, 189}, 100.0, Colour{0, 0, 0}, 100.0, 1.0};
  const std::vector<DrawnPrimitive> expected{
      {Kind::Line, 110, 398, 506, 398, plain},
      {Kind::Line, 111, 222, 116, 227, grey_style},
      {Kind::Oval, 476, 398, 5, 5, body_style},
      {Kind::Line, 111, 222, 116, 227, grey_style},
  };
  EXPECT_EQ(graphics.Primitives(), expected);
}

TEST(DrawObject, EmptyGroupsAndPlainRectShapesDrawNothing) {
  RecordingGraphics graphics;
  Group2D group;
  group.Append(std::make_shared<Group2D>());
  group.Append(std::make_shared<framework::RectShape>());
  graphics.DrawObject(group);
  EXPECT_TRUE(graphics.Primitives().empty());
}

}  // namespace
