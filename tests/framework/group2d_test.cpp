#include "framework/object2d.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/runtime_exception.hpp"

namespace {

using framework::CurveShape;
using framework::Group2D;
using framework::Object2D;
using framework::OutOfBoundsException;
using framework::RuntimeException;

std::shared_ptr<CurveShape> Curve(double x) {
  auto curve = std::make_shared<CurveShape>();
  curve->X = x;
  return curve;
}

std::vector<double> Xs(const Group2D& group) {
  std::vector<double> xs;
  for (const auto& member : group.Members()) xs.push_back(member->X);
  return xs;
}

TEST(Group2DMembers, InsertAndRemoveKeepTheOrder) {
  Group2D group;
  group.Append(Curve(1));
  group.Append(Curve(3));
  group.Insert(1, Curve(2));
  group.Insert(0, Curve(0));
  group.Insert(group.Count(), Curve(4));
  EXPECT_EQ(Xs(group), (std::vector<double>{0, 1, 2, 3, 4}));
  group.Remove(0);
  group.Remove(3);
  group.Remove(1);
  EXPECT_EQ(Xs(group), (std::vector<double>{1, 3}));
  EXPECT_EQ(group.Item(1)->X, 3);
}

TEST(Group2DMembers, IndicesOutsideRaise) {
  Group2D group;
  group.Append(Curve(0));
  group.Append(Curve(1));
  for (std::int32_t index : {-1, 3, -2147483647 - 1, 2147483647}) {
    EXPECT_THROW(group.Insert(index, Curve(9)), OutOfBoundsException) << index;
  }
  for (std::int32_t index : {-1, 2, 2147483647}) {
    EXPECT_THROW(group.Remove(index), OutOfBoundsException) << index;
    EXPECT_THROW(group.Item(index), OutOfBoundsException) << index;
  }
  EXPECT_EQ(Xs(group), (std::vector<double>{0, 1}));
  EXPECT_THROW(Group2D().Remove(0), OutOfBoundsException);
}

TEST(Group2DMembers, RefusesNoShapeAndGroupsThatWouldHoldThemselves) {
  auto outer = std::make_shared<Group2D>();
  auto middle = std::make_shared<Group2D>();
  auto inner = std::make_shared<Group2D>();
  outer->Append(middle);
  middle->Append(inner);

  EXPECT_THROW(outer->Append(nullptr), RuntimeException);
  EXPECT_THROW(outer->Insert(0, nullptr), RuntimeException);
  EXPECT_THROW(outer->Append(outer), RuntimeException);
  EXPECT_THROW(inner->Append(outer), RuntimeException);
  EXPECT_THROW(inner->Insert(0, middle), RuntimeException);
  EXPECT_EQ(inner->Count(), 0);
  EXPECT_EQ(outer->Count(), 1);

  // Sharing without a cycle is allowed: the same group twice, and in two parents.
  outer->Append(inner);
  outer->Append(inner);
  EXPECT_EQ(outer->Count(), 3);
}

TEST(Group2DMembers, MembersAreSharedNotCopied) {
  // The graph keeps its polyline groups across frames while each frame's group holds them.
  auto path = std::make_shared<Group2D>();
  Group2D frame1;
  Group2D frame2;
  frame1.Append(path);
  frame2.Append(path);
  path->Append(Curve(5));
  EXPECT_EQ(frame1.Item(0), frame2.Item(0));
  EXPECT_EQ(std::static_pointer_cast<Group2D>(frame1.Item(0))->Count(), 1);

  std::weak_ptr<Object2D> watch = path;
  path.reset();
  frame1.Remove(0);
  EXPECT_FALSE(watch.expired());
  frame2.Remove(0);
  EXPECT_TRUE(watch.expired());
}

}  // namespace
