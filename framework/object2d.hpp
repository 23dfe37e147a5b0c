#pragma once

// Vector shapes, retained in groups and drawn by Graphics::DrawObject. Shapes are plain data:
// nothing observes them, and a canvas shows a change at its next Paint.
//
// Fill and Border are the opacity, in percent, of a shape's interior and outline. Defaults:
// FillColor and BorderColor black, Fill 100, Border 100, BorderWidth 1 pixel.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/colour.hpp"

namespace framework {

class Object2D {
 public:
  virtual ~Object2D() = default;

  double X = 0.0;
  double Y = 0.0;
  double Fill = 100.0;
  double Border = 100.0;
  double BorderWidth = 1.0;
  Colour FillColor{};
  Colour BorderColor{};
};

// A straight segment from (X, Y) to (X2, Y2).
class CurveShape : public Object2D {
 public:
  double X2 = 0.0;
  double Y2 = 0.0;
};

// A shape of Width x Height centred on (X, Y).
class RectShape : public Object2D {
 public:
  double Width = 0.0;
  double Height = 0.0;
};

// An ellipse of Width x Height centred on (X, Y).
class OvalShape : public RectShape {};

// An ordered group of shared shapes (and groups), drawn in order, its members offset by the
// group's X and Y. Indices run from 0.
class Group2D : public Object2D {
 public:
  void Append(std::shared_ptr<Object2D> shape);
  // Inserts before `index` (0..Count); OutOfBoundsException outside.
  void Insert(std::int32_t index, std::shared_ptr<Object2D> shape);
  // Removes the member at `index`; OutOfBoundsException outside.
  void Remove(std::int32_t index);
  // Puts `shape` in place of the member at `index`: what Remove then Insert at `index` give,
  // without moving the other members. OutOfBoundsException outside.
  void Replace(std::int32_t index, std::shared_ptr<Object2D> shape);
  std::int32_t Count() const { return static_cast<std::int32_t>(m_members.size()); }
  // The member at `index`; OutOfBoundsException outside.
  const std::shared_ptr<Object2D>& Item(std::int32_t index) const;
  const std::vector<std::shared_ptr<Object2D>>& Members() const { return m_members; }

 private:
  // A shape that becomes a member: RuntimeException for a null shape or a group that would contain
  // itself; a group is counted.
  void Admit(const std::shared_ptr<Object2D>& shape);
  // A member that leaves: a group is no longer counted.
  void Release(const Object2D& member);
  bool Contains(const Group2D& group) const;

  std::vector<std::shared_ptr<Object2D>> m_members;
  // How many members are groups: a group without any cannot contain another, so the check that
  // keeps a group out of itself costs nothing for a long polyline of segments.
  std::int32_t m_group_members = 0;
};

}  // namespace framework
