#include "framework/graphics.hpp"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <typeinfo>
#include <vector>

namespace framework {

namespace {

ShapeStyle StyleOf(const Object2D& shape) {
  return ShapeStyle{shape.FillColor, shape.Fill, shape.BorderColor, shape.Border, shape.BorderWidth};
}

const CurveShape* AsCurve(const Object2D& shape) {
  // A graph holds one segment per frame, 10^5 and more: the exact class is checked first because
  // that costs far less than a dynamic_cast.
  if (typeid(shape) == typeid(CurveShape)) return static_cast<const CurveShape*>(&shape);
  return dynamic_cast<const CurveShape*>(&shape);
}

// Joined only when bit for bit the same, so that the default DrawPolyline hands DrawLine exactly
// the numbers that drawing each segment alone would (0 and -0 differ).
bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// How many members ahead of the walk along a run are fetched early.
constexpr std::size_t kLookAhead = 16;

// The points of the run being drawn. A surface lives for one paint, and a graph's run has 10^5
// points and more: one buffer for the thread (painting happens on the event-loop thread) spares
// each paint a fresh allocation of that size.
std::vector<Point2D>& RunBuffer() {
  thread_local std::vector<Point2D> buffer;
  return buffer;
}

}  // namespace

void Graphics::DrawObject(const Object2D& shape, double x, double y) {
  if (const auto* group = dynamic_cast<const Group2D*>(&shape)) {
    DrawMembers(*group, x + group->X, y + group->Y);
  } else if (const auto* oval = dynamic_cast<const OvalShape*>(&shape)) {
    DrawOval(oval->X + x, oval->Y + y, oval->Width, oval->Height, StyleOf(*oval));
  } else if (const auto* curve = AsCurve(shape)) {
    DrawLine(curve->X + x, curve->Y + y, curve->X2 + x, curve->Y2 + y, StyleOf(*curve));
  }
  // Other shapes (a plain RectShape) have no drawing of their own: the program never makes one.
}

void Graphics::DrawMembers(const Group2D& group, double x, double y) {
  const auto& members = group.Members();
  std::vector<Point2D>& run = RunBuffer();
  std::size_t index = 0;
  while (index < members.size()) {
    const CurveShape* first = AsCurve(*members[index]);
    if (first == nullptr) {
      // A group cannot hold itself (Group2D refuses it), so this recursion ends. The run buffer is
      // free again here: a run is always drawn before the next member is looked at.
      DrawObject(*members[index], x, y);
      ++index;
      continue;
    }
    const ShapeStyle style = StyleOf(*first);
    const CurveShape* last = first;
    std::size_t end = index + 1;
    while (end < members.size()) {
      // A graph's segments are separate objects spread over megabytes: ask for the ones a few
      // steps ahead early, so that walking the polyline does not wait on memory at every step.
      if (end + kLookAhead < members.size()) {
        const auto* ahead = reinterpret_cast<const char*>(members[end + kLookAhead].get());
        __builtin_prefetch(ahead);
        __builtin_prefetch(ahead + sizeof(CurveShape) - 1);
      }
      const CurveShape* next = AsCurve(*members[end]);
      if (next == nullptr || !SameBits(next->X, last->X2) || !SameBits(next->Y, last->Y2) || !(StyleOf(*next) == style)) {
        break;
      }
      if (end == index + 1) {
        run.clear();
        run.push_back(Point2D{first->X + x, first->Y + y});
        run.push_back(Point2D{first->X2 + x, first->Y2 + y});
      }
      run.push_back(Point2D{next->X2 + x, next->Y2 + y});
      last = next;
      ++end;
    }
    if (end == index + 1) {
      DrawLine(first->X + x, first->Y + y, first->X2 + x, first->Y2 + y, style);
    } else {
      DrawPolyline(run, style);
      run.clear();
    }
    index = end;
  }
}

void Graphics::DrawPolyline(std::span<const Point2D> points, const ShapeStyle& style) {
  for (std::size_t i = 1; i < points.size(); ++i) {
    DrawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, style);
  }
}

}  // namespace framework
