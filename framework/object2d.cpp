#include "framework/object2d.hpp"

#include <string>

#include "framework/runtime_exception.hpp"

namespace framework {

namespace {

[[noreturn]] void ThrowIndex(std::string_view operation, std::int32_t index, std::int32_t count,
                             std::string_view allowed) {
  throw OutOfBoundsException("Group2D::" + std::string(operation) + ": index " + std::to_string(index) +
                             " is outside " + std::string(allowed) + " (the group holds " +
                             std::to_string(count) + ")");
}

}  // namespace

void Group2D::Append(std::shared_ptr<Object2D> shape) {
  Admit(shape);
  m_members.push_back(std::move(shape));
}

void Group2D::Insert(std::int32_t index, std::shared_ptr<Object2D> shape) {
  if (index < 0 || index > Count()) ThrowIndex("Insert", index, Count(), "0 to the count");
  Admit(shape);
  m_members.insert(m_members.begin() + index, std::move(shape));
}

void Group2D::Remove(std::int32_t index) {
  if (index < 0 || index >= Count()) ThrowIndex("Remove", index, Count(), "the members");
  Release(*m_members[static_cast<std::size_t>(index)]);
  m_members.erase(m_members.begin() + index);
}

void Group2D::Replace(std::int32_t index, std::shared_ptr<Object2D> shape) {
  if (index < 0 || index >= Count()) ThrowIndex("Replace", index, Count(), "the members");
  Admit(shape);
  std::shared_ptr<Object2D>& slot = m_members[static_cast<std::size_t>(index)];
  Release(*slot);
  slot = std::move(shape);
}

const std::shared_ptr<Object2D>& Group2D::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) ThrowIndex("Item", index, Count(), "the members");
  return m_members[static_cast<std::size_t>(index)];
}

void Group2D::Admit(const std::shared_ptr<Object2D>& shape) {
  if (!shape) throw RuntimeException("Group2D: a group cannot hold no shape");
  // A group inside itself would make drawing it recurse without end. Groups may share members,
  // so the walk looks at every path below the new member.
  if (shape.get() == this) throw RuntimeException("Group2D: a group cannot hold itself");
  // One cast serves the check and the count: a frame appends a dozen shapes, and the cast costs
  // more than the rest of an append.
  const auto* group = dynamic_cast<const Group2D*>(shape.get());
  if (group == nullptr) return;
  if (group->Contains(*this)) {
    throw RuntimeException("Group2D: the group to add already holds this group, which would then hold itself");
  }
  ++m_group_members;
}

void Group2D::Release(const Object2D& member) {
  // A frame replaces a segment of a polyline that holds no groups: then no cast is needed to know.
  if (m_group_members > 0 && dynamic_cast<const Group2D*>(&member) != nullptr) --m_group_members;
}

bool Group2D::Contains(const Group2D& group) const {
  if (m_group_members == 0) return false;
  for (const auto& member : m_members) {
    if (member.get() == &group) return true;
    if (const auto* inner = dynamic_cast<const Group2D*>(member.get()); inner != nullptr && inner->Contains(group)) {
      return true;
    }
  }
  return false;
}

}  // namespace framework
